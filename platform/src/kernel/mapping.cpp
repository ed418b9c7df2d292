/*
 * Read-only file mappings: a mapping object keeps its own descriptor of the file (so it
 * outlives the file handle, as on Windows) and each view is a host mapping of it. Views
 * are listed so that UnmapViewOfFile can check its argument and tests can count them.
 */
#include "platform/src/kernel/kernel_private.h"

#include <errno.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <mutex>

#include "platform/testing/qm_testing.h"

namespace {

const unsigned long long kGranularity = 65536;

struct MappingObject {
    qmk::KernelObject base;
    int fd;
    unsigned long long size;
};

std::mutex g_views_lock;
std::map<const void *, size_t> g_views;

void destroy_mapping(qmk::KernelObject *object)
{
    MappingObject *m = (MappingObject *)object;
    close(m->fd);
    delete m;
}

} // namespace

/*
 * CreateFileMappingW: a read-only mapping (PAGE_READONLY or PAGE_WRITECOPY) of a file
 * opened with read access, of the file's size or the size given (not beyond the end of
 * the file). The name and security attributes are ignored. NULL with ERROR_INVALID_HANDLE
 * (no file handle; mappings of the paging file are not provided), ERROR_INVALID_PARAMETER
 * (other protection), ERROR_ACCESS_DENIED (no read access), ERROR_FILE_INVALID (an empty
 * file with size 0) or ERROR_NOT_ENOUGH_MEMORY (a size beyond the end of the file).
 */
extern "C" HANDLE WINAPI CreateFileMappingW(HANDLE hFile, LPSECURITY_ATTRIBUTES lpFileMappingAttributes,
                                            DWORD flProtect, DWORD dwMaximumSizeHigh, DWORD dwMaximumSizeLow,
                                            LPCWSTR lpName)
{
    (void)lpFileMappingAttributes;
    (void)lpName;
    DWORD protect = flProtect & 0xFF;
    if (protect != PAGE_READONLY && protect != PAGE_WRITECOPY) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    bool readable = false;
    int fd = qmk::DuplicateFileDescriptor(hFile, &readable);
    if (fd < 0)
        return nullptr;
    struct stat64 st;
    fstat64(fd, &st);
    unsigned long long wanted = ((unsigned long long)dwMaximumSizeHigh << 32) | dwMaximumSizeLow;
    DWORD error = 0;
    if (!readable)
        error = ERROR_ACCESS_DENIED;
    else if (wanted == 0 && st.st_size == 0)
        error = ERROR_FILE_INVALID;
    else if (wanted > (unsigned long long)st.st_size)
        error = ERROR_NOT_ENOUGH_MEMORY;
    if (error) {
        close(fd);
        SetLastError(error);
        return nullptr;
    }
    MappingObject *m = new MappingObject();
    m->base.kind = qmk::kObjectMapping;
    m->base.destroy = destroy_mapping;
    m->fd = fd;
    m->size = wanted ? wanted : (unsigned long long)st.st_size;
    SetLastError(ERROR_SUCCESS);
    return qmk::RegisterObject(&m->base);
}

/*
 * MapViewOfFile: maps dwNumberOfBytesToMap bytes (0 = to the end of the mapping) from an
 * offset that is a multiple of 64 KB. FILE_MAP_READ gives a read-only view, FILE_MAP_COPY
 * a private writable copy. NULL with ERROR_INVALID_HANDLE, ERROR_ACCESS_DENIED
 * (FILE_MAP_WRITE, or a range beyond the mapping) or ERROR_MAPPED_ALIGNMENT.
 */
extern "C" LPVOID WINAPI MapViewOfFile(HANDLE hFileMappingObject, DWORD dwDesiredAccess, DWORD dwFileOffsetHigh,
                                       DWORD dwFileOffsetLow, SIZE_T dwNumberOfBytesToMap)
{
    MappingObject *m = (MappingObject *)qmk::LookupObject(hFileMappingObject, qmk::kObjectMapping);
    if (!m)
        return nullptr;
    unsigned long long offset = ((unsigned long long)dwFileOffsetHigh << 32) | dwFileOffsetLow;
    unsigned long long length = dwNumberOfBytesToMap ? dwNumberOfBytesToMap : (offset < m->size ? m->size - offset : 0);
    DWORD error = 0;
    void *view = MAP_FAILED;
    if (dwDesiredAccess & FILE_MAP_WRITE)
        error = ERROR_ACCESS_DENIED;
    else if (offset % kGranularity)
        error = ERROR_MAPPED_ALIGNMENT;
    else if (length == 0 || offset + length > m->size)
        error = ERROR_ACCESS_DENIED;
    else {
        bool copy = (dwDesiredAccess & FILE_MAP_COPY) != 0;
        view = mmap64(nullptr,
                      (size_t)length,
                      copy ? PROT_READ | PROT_WRITE : PROT_READ,
                      copy ? MAP_PRIVATE : MAP_SHARED,
                      m->fd,
                      (off64_t)offset);
        if (view == MAP_FAILED)
            error = ERROR_NOT_ENOUGH_MEMORY;
    }
    qmk::ReleaseObject(&m->base);
    if (error) {
        SetLastError(error);
        return nullptr;
    }
    std::lock_guard<std::mutex> guard(g_views_lock);
    g_views[view] = (size_t)length;
    return view;
}

/* UnmapViewOfFile: unmaps a view by its base address. FALSE with ERROR_INVALID_ADDRESS
 * for anything else. */
extern "C" BOOL WINAPI UnmapViewOfFile(LPCVOID lpBaseAddress)
{
    size_t length;
    {
        std::lock_guard<std::mutex> guard(g_views_lock);
        auto it = g_views.find(lpBaseAddress);
        if (it == g_views.end()) {
            SetLastError(ERROR_INVALID_ADDRESS);
            return FALSE;
        }
        length = it->second;
        g_views.erase(it);
    }
    munmap((void *)lpBaseAddress, length);
    return TRUE;
}

extern "C" DWORD qmt_LiveMappedViews(void)
{
    std::lock_guard<std::mutex> guard(g_views_lock);
    return (DWORD)g_views.size();
}
