/*
 * The C runtime's file input: descriptors over handles of CreateFileW, opened for reading
 * and shared for reading. Descriptors 0-2 are never given out.
 */
#include <io.h>
#include <windows.h>

#include <stdio.h>

#include <mutex>
#include <vector>

#include "platform/testing/qm_testing.h"

namespace {

const int kFirstDescriptor = 3;

std::mutex g_crt_lock;
std::vector<HANDLE> g_crt_files; /* index + kFirstDescriptor is the descriptor */
DWORD g_crt_fail_closes;

HANDLE crt_Handle(int fd)
{
    std::lock_guard<std::mutex> lock(g_crt_lock);
    size_t at = (size_t)(fd - kFirstDescriptor);
    if (fd < kFirstDescriptor || at >= g_crt_files.size())
        return INVALID_HANDLE_VALUE;
    return g_crt_files[at];
}

} // namespace

extern "C" int _open(const char *path, int flags, ...)
{
    if (path == NULL || (flags & 3) != _O_RDONLY)
        return -1;
    int length = MultiByteToWideChar(CP_ACP, 0, path, -1, NULL, 0);
    if (length <= 0)
        return -1;
    std::vector<WCHAR> wide((size_t)length);
    MultiByteToWideChar(CP_ACP, 0, path, -1, wide.data(), length);
    HANDLE h =
        CreateFileW(wide.data(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return -1;
    std::lock_guard<std::mutex> lock(g_crt_lock);
    for (size_t i = 0; i < g_crt_files.size(); i++) {
        if (g_crt_files[i] == INVALID_HANDLE_VALUE) {
            g_crt_files[i] = h;
            return (int)i + kFirstDescriptor;
        }
    }
    g_crt_files.push_back(h);
    return (int)g_crt_files.size() - 1 + kFirstDescriptor;
}

extern "C" int _read(int fd, void *buffer, unsigned int count)
{
    HANDLE h = crt_Handle(fd);
    DWORD done = 0;
    if (h == INVALID_HANDLE_VALUE || (buffer == NULL && count != 0) || !ReadFile(h, buffer, count, &done, NULL))
        return -1;
    return (int)done;
}

extern "C" long _lseek(int fd, long offset, int origin)
{
    static const DWORD kMethods[3] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
    HANDLE h = crt_Handle(fd);
    if (h == INVALID_HANDLE_VALUE || origin < SEEK_SET || origin > SEEK_END)
        return -1;
    DWORD at = SetFilePointer(h, (LONG)offset, NULL, kMethods[origin]);
    if (at == INVALID_SET_FILE_POINTER)
        return -1;
    return (long)at;
}

extern "C" int _close(int fd)
{
    HANDLE h;
    bool failed;
    {
        std::lock_guard<std::mutex> lock(g_crt_lock);
        size_t at = (size_t)(fd - kFirstDescriptor);
        if (fd < kFirstDescriptor || at >= g_crt_files.size() || g_crt_files[at] == INVALID_HANDLE_VALUE)
            return -1;
        h = g_crt_files[at];
        g_crt_files[at] = INVALID_HANDLE_VALUE;
        failed = g_crt_fail_closes > 0;
        if (failed)
            g_crt_fail_closes--;
    }
    BOOL closed = CloseHandle(h);
    return (closed && !failed) ? 0 : -1;
}

extern "C" void qmt_FailCrtCloses(DWORD count)
{
    std::lock_guard<std::mutex> lock(g_crt_lock);
    g_crt_fail_closes = count;
}
