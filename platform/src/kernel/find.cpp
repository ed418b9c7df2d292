/*
 * Directory searches: FindFirstFileW takes a snapshot of the matching entries, sorted by
 * name without regard to case, and FindNextFileW hands them out one by one. Wildcards are
 * "*" and "?" matched without regard to case; "*.*" matches every name, and "name.*" also
 * matches "name" without extension, as on Windows. "." and ".." are listed except in the
 * root directory of a drive.
 */
#include "platform/src/kernel/kernel_private.h"

#include <dirent.h>
#include <errno.h>
#include <string.h>
#include <sys/stat.h>

#include <algorithm>
#include <vector>

namespace {

struct FindObject {
    qmk::KernelObject base;
    std::vector<WIN32_FIND_DATAW> entries;
    size_t next;
};

void destroy_find(qmk::KernelObject *object)
{
    delete (FindObject *)object;
}

bool match(const char16_t *name, const char16_t *mask)
{
    for (;;) {
        if (*mask == u'*') {
            while (*mask == u'*')
                ++mask;
            if (!*mask)
                return true;
            for (const char16_t *p = name; *p; ++p) {
                if (match(p, mask))
                    return true;
            }
            return false;
        }
        if (!*mask)
            return !*name;
        if (!*name)
            return false;
        if (*mask != u'?' && qmk::FoldCase(*mask) != qmk::FoldCase(*name))
            return false;
        ++mask;
        ++name;
    }
}

bool name_matches(const std::u16string &name, const std::u16string &mask)
{
    if (mask == u"*.*")
        return true;
    if (match(name.c_str(), mask.c_str()))
        return true;
    return mask.size() > 2 && mask.compare(mask.size() - 2, 2, u".*") == 0 &&
           match(name.c_str(), mask.substr(0, mask.size() - 2).c_str());
}

bool before(const WIN32_FIND_DATAW &a, const WIN32_FIND_DATAW &b)
{
    for (size_t i = 0;; ++i) {
        char16_t x = qmk::FoldCase(a.cFileName[i]), y = qmk::FoldCase(b.cFileName[i]);
        if (x != y)
            return x < y;
        if (!x)
            return false;
    }
}

void fill(const std::u16string &name, const struct stat &st, WIN32_FIND_DATAW *data)
{
    memset(data, 0, sizeof *data);
    data->dwFileAttributes = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if (!S_ISDIR(st.st_mode) && !(st.st_mode & S_IWUSR))
        data->dwFileAttributes |= FILE_ATTRIBUTE_READONLY;
    data->ftCreationTime = qmk::FileTimeFromHost(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
    data->ftLastAccessTime = qmk::FileTimeFromHost(st.st_atim.tv_sec, st.st_atim.tv_nsec);
    data->ftLastWriteTime = data->ftCreationTime;
    if (!S_ISDIR(st.st_mode)) {
        data->nFileSizeHigh = (DWORD)((unsigned long long)st.st_size >> 32);
        data->nFileSizeLow = (DWORD)st.st_size;
    }
    memcpy(data->cFileName, name.c_str(), (name.size() + 1) * sizeof(WCHAR));
}

} // namespace

/*
 * FindFirstFileW: starts a search for "<directory>\<mask>" and gives the first match in
 * lpFindFileData (out). Returns the search handle for FindNextFileW and FindClose, or
 * INVALID_HANDLE_VALUE with ERROR_FILE_NOT_FOUND (nothing matches, or the path ends with
 * a separator) or ERROR_PATH_NOT_FOUND (the directory does not exist).
 */
extern "C" HANDLE WINAPI FindFirstFileW(LPCWSTR lpFileName, LPWIN32_FIND_DATAW lpFindFileData)
{
    std::u16string full;
    if (!lpFileName || !lpFindFileData) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    if (!qmk::FullWindowsPath(lpFileName, &full))
        return INVALID_HANDLE_VALUE;
    size_t slash = full.find_last_of(u'\\');
    std::u16string mask = full.substr(slash + 1);
    if (mask.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    std::u16string dir = full.substr(0, slash == 2 ? 3 : slash);
    bool drive_root = dir.size() == 3;
    std::string host;
    if (!qmk::HostPath(dir.c_str(), &host))
        return INVALID_HANDLE_VALUE;
    DIR *d = opendir(host.c_str());
    if (!d) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    FindObject *find = new FindObject();
    find->base.kind = qmk::kObjectFind;
    find->base.destroy = destroy_find;
    find->next = 1;
    while (struct dirent *e = readdir(d)) {
        std::u16string name = qmk::WideText(CP_UTF8, e->d_name);
        if (name.size() >= MAX_PATH || !name_matches(name, mask))
            continue;
        if (drive_root && (name == u"." || name == u".."))
            continue;
        struct stat st;
        if (stat((host + (host == "/" ? "" : "/") + e->d_name).c_str(), &st) != 0)
            continue;
        find->entries.emplace_back();
        fill(name, st, &find->entries.back());
    }
    closedir(d);
    if (find->entries.empty()) {
        delete find;
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    std::sort(find->entries.begin(), find->entries.end(), before);
    *lpFindFileData = find->entries[0];
    return qmk::RegisterObject(&find->base);
}

/* FindNextFileW: the next match of a search (lpFindFileData out). FALSE with
 * ERROR_NO_MORE_FILES at the end, ERROR_INVALID_HANDLE for no search handle. */
extern "C" BOOL WINAPI FindNextFileW(HANDLE hFindFile, LPWIN32_FIND_DATAW lpFindFileData)
{
    FindObject *find = (FindObject *)qmk::LookupObject(hFindFile, qmk::kObjectFind);
    if (!find)
        return FALSE;
    BOOL ok = find->next < find->entries.size();
    if (ok && lpFindFileData)
        *lpFindFileData = find->entries[find->next];
    if (ok)
        ++find->next;
    qmk::ReleaseObject(&find->base);
    if (!ok)
        SetLastError(ERROR_NO_MORE_FILES);
    return ok;
}

/* FindClose: ends a search. FALSE with ERROR_INVALID_HANDLE for no search handle. */
extern "C" BOOL WINAPI FindClose(HANDLE hFindFile)
{
    return qmk::CloseObject(hFindFile, qmk::kObjectFind) ? TRUE : FALSE;
}
