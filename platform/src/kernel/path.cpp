/*
 * Windows paths on the host. Drive letters A: to Y: are directories of the platform root
 * (C:\x\y -> <root>/c/x/y); Z: is the host's own file system, so that files of the build
 * tree have Windows paths too (Z:\work\...\bin\qmkelvim.dll). Each existing component is
 * looked up case-insensitively, as Windows names are; a component that does not exist yet
 * keeps the case given, so that a file created as "Data.INI" is stored so.
 *
 * Server shares are directories of the root too (\\server\share\x -> <root>/unc/server/share/x,
 * server and share created on first use), so that folders on a share can be made.
 *
 * The current directory (default C:\), the Windows directory C:\WINDOWS, the system
 * directory C:\WINDOWS\system32 and the temporary directory C:\TEMP\ are fixed here.
 */
#include "platform/src/kernel/kernel_private.h"

#include <dirent.h>
#include <errno.h>
#include <limits.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <mutex>
#include <vector>

namespace {

const char16_t kDefaultDirectory[] = u"C:\\";
const char16_t kWindowsDirectory[] = u"C:\\WINDOWS";
const char16_t kSystemDirectory[] = u"C:\\WINDOWS\\system32";
const char16_t kTempDirectory[] = u"C:\\TEMP\\";

std::mutex g_cwd_lock;
std::u16string g_cwd = kDefaultDirectory;

bool is_sep(char16_t c)
{
    return c == u'\\' || c == u'/';
}

bool is_letter(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

std::u16string current_directory()
{
    std::lock_guard<std::mutex> guard(g_cwd_lock);
    return g_cwd;
}

/* Splits an absolute Windows path ("X:\a\b") into its drive letter and components,
 * resolving "." and ".." (never above the drive) and dropping the trailing dots and
 * spaces Windows drops from names. */
void split_components(const std::u16string &rest, std::vector<std::u16string> *parts)
{
    size_t i = 0;
    while (i <= rest.size()) {
        size_t j = i;
        while (j < rest.size() && !is_sep(rest[j]))
            ++j;
        std::u16string part = rest.substr(i, j - i);
        i = j + 1;
        if (part.empty() || part == u".")
            continue;
        if (part == u"..") {
            if (!parts->empty())
                parts->pop_back();
            continue;
        }
        while (!part.empty() && (part.back() == u'.' || part.back() == u' '))
            part.pop_back();
        if (!part.empty())
            parts->push_back(part);
    }
}

/* Absolute form as drive letter + components; false for empty and UNC paths. */
bool resolve(const char16_t *path, char16_t *drive, std::vector<std::u16string> *parts, bool *trailing)
{
    if (!path || !*path) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return false;
    }
    std::u16string p = path;
    if (p.size() >= 4 && is_sep(p[0]) && is_sep(p[1]) && p[2] == u'?' && is_sep(p[3]))
        p = p.substr(4);
    if (p.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return false;
    }
    if (p.size() >= 2 && is_sep(p[0]) && is_sep(p[1])) {
        SetLastError(ERROR_PATH_NOT_FOUND); /* UNC names have no place on the host */
        return false;
    }
    std::u16string cwd = current_directory();
    std::u16string combined;
    if (p.size() >= 2 && p[1] == u':') {
        if (!is_letter(p[0])) {
            SetLastError(ERROR_INVALID_NAME);
            return false;
        }
        if (p.size() >= 3 && is_sep(p[2])) {
            combined = p;
        } else if (qmk::FoldCase(p[0]) == qmk::FoldCase(cwd[0])) {
            combined = cwd + u"\\" + p.substr(2); /* drive-relative on the current drive */
        } else {
            combined = p.substr(0, 2) + u"\\" + p.substr(2);
        }
    } else if (is_sep(p[0])) {
        combined = cwd.substr(0, 2) + p;
    } else {
        combined = cwd + u"\\" + p;
    }
    *drive = combined[0];
    parts->clear();
    split_components(combined.substr(2), parts);
    *trailing = is_sep(p.back()) && !parts->empty();
    return true;
}

/* The entry of directory dir whose name equals name case-insensitively (an exact match
 * first); empty when there is none. */
std::string find_entry(const std::string &dir, const std::u16string &name)
{
    std::string exact = qmk::MultiText(CP_UTF8, name);
    struct stat st;
    if (lstat((dir + "/" + exact).c_str(), &st) == 0)
        return exact;
    DIR *d = opendir(dir.empty() ? "/" : dir.c_str());
    if (!d)
        return std::string();
    std::string found;
    while (struct dirent *e = readdir(d)) {
        if (qmk::EqualNoCase(qmk::WideText(CP_UTF8, e->d_name), name)) {
            found = e->d_name;
            break;
        }
    }
    closedir(d);
    return found;
}

void make_directories(const std::u16string &windows_path)
{
    std::string host;
    if (!qmk::HostPath(windows_path.c_str(), &host))
        return;
    std::string partial;
    size_t i = 1;
    while (i <= host.size()) {
        size_t j = host.find('/', i);
        if (j == std::string::npos)
            j = host.size();
        partial = host.substr(0, j);
        mkdir(partial.c_str(), 0777);
        i = j + 1;
    }
}

} // namespace

char16_t qmk::FoldCase(char16_t c)
{
    if (c >= u'a' && c <= u'z')
        return (char16_t)(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return (char16_t)(c - 32);
    if (c == 0xFF)
        return 0x178;
    return c;
}

bool qmk::EqualNoCase(const std::u16string &a, const std::u16string &b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i]))
            return false;
    }
    return true;
}

std::u16string qmk::WideText(UINT code_page, const std::string &s)
{
    std::u16string out;
    MultiToWide(code_page, s.data(), s.size(), &out);
    return out;
}

std::string qmk::MultiText(UINT code_page, const std::u16string &s)
{
    std::string out;
    WideToMulti(code_page, s.data(), s.size(), &out);
    return out;
}

bool qmk::FullWindowsPath(const char16_t *windows_path, std::u16string *full)
{
    char16_t drive;
    std::vector<std::u16string> parts;
    bool trailing;
    if (!resolve(windows_path, &drive, &parts, &trailing))
        return false;
    full->assign(1, drive);
    *full += u":\\";
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i)
            *full += u'\\';
        *full += parts[i];
    }
    if (trailing)
        *full += u'\\';
    return true;
}

/* The host directory of the share of a UNC path "\\server\share\rest" (created on first
 * use) and the components of rest; false (ERROR_BAD_NETPATH) without a server and share.
 * Server and share names are kept upper-cased, so that they match without case. */
static bool resolve_unc(const char16_t *path, std::string *share_dir, std::vector<std::u16string> *parts)
{
    std::vector<std::u16string> all;
    split_components(std::u16string(path + 2), &all);
    if (all.size() < 2) {
        SetLastError(ERROR_BAD_NETPATH);
        return false;
    }
    std::string dir = qmk::RootDir() + "/unc";
    mkdir(dir.c_str(), 0777);
    for (size_t i = 0; i < 2; ++i) {
        std::u16string name = all[i];
        for (char16_t &c : name)
            c = qmk::FoldCase(c);
        dir += "/" + qmk::MultiText(CP_UTF8, name);
        mkdir(dir.c_str(), 0777);
    }
    *share_dir = dir;
    parts->assign(all.begin() + 2, all.end());
    return true;
}

bool qmk::HostPath(const char16_t *windows_path, std::string *host_path)
{
    char16_t drive;
    std::vector<std::u16string> parts;
    bool trailing;
    std::string path;
    if (windows_path && is_sep(windows_path[0]) && is_sep(windows_path[1]) && windows_path[2] != u'?') {
        if (!resolve_unc(windows_path, &path, &parts))
            return false;
    } else {
        if (!resolve(windows_path, &drive, &parts, &trailing))
            return false;
        char letter = (char)(FoldCase(drive) - u'A' + 'a');
        if (letter != 'z') {
            path = RootDir() + "/" + letter;
            mkdir(path.c_str(), 0777);
        }
    }
    bool existing = true;
    for (const std::u16string &part : parts) {
        std::string name;
        if (existing) {
            name = find_entry(path, part);
            if (name.empty())
                existing = false;
        }
        if (!existing)
            name = MultiText(CP_UTF8, part);
        path += "/" + name;
    }
    if (path.empty())
        path = "/";
    *host_path = path;
    return true;
}

std::u16string qmk::WindowsPathOfHost(const std::string &host_path)
{
    std::string path = host_path;
    if (path.empty() || path[0] != '/') {
        char cwd[PATH_MAX];
        if (getcwd(cwd, sizeof cwd))
            path = std::string(cwd) + "/" + path;
    }
    std::string roots[2] = {RootDir(), std::string()};
    char resolved[PATH_MAX];
    if (realpath(roots[0].c_str(), resolved))
        roots[1] = resolved;
    for (const std::string &root : roots) {
        if (root.empty() || path.size() < root.size() + 2)
            continue;
        if (path.compare(0, root.size(), root) != 0 || path[root.size()] != '/')
            continue;
        char letter = path[root.size() + 1];
        if (letter < 'a' || letter > 'y')
            continue;
        if (path.size() > root.size() + 2 && path[root.size() + 2] != '/')
            continue;
        std::u16string out(1, (char16_t)(letter - 'a' + 'A'));
        out += u":";
        std::u16string rest = WideText(CP_UTF8, path.substr(root.size() + 2));
        for (char16_t &c : rest)
            if (c == u'/')
                c = u'\\';
        return out + (rest.empty() ? u"\\" : rest);
    }
    std::u16string rest = WideText(CP_UTF8, path);
    for (char16_t &c : rest)
        if (c == u'/')
            c = u'\\';
    return u"Z:" + rest;
}

std::u16string qmk::WindowsDirectory()
{
    make_directories(kWindowsDirectory);
    return kWindowsDirectory;
}

DWORD qmk::CopyOutPath(const std::u16string &s, LPWSTR buffer, DWORD size)
{
    if (!buffer || size < s.size() + 1)
        return (DWORD)s.size() + 1;
    memmove(buffer, s.c_str(), (s.size() + 1) * sizeof(WCHAR));
    return (DWORD)s.size();
}

DWORD qmk::ErrorFromErrno(int err, const std::string &host_path)
{
    switch (err) {
    case ENOENT: {
        std::string parent = host_path.substr(0, host_path.find_last_of('/'));
        struct stat st;
        if (parent.empty() || (stat(parent.c_str(), &st) == 0 && S_ISDIR(st.st_mode)))
            return ERROR_FILE_NOT_FOUND;
        return ERROR_PATH_NOT_FOUND;
    }
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case ETXTBSY: return ERROR_ACCESS_DENIED;
    case EEXIST: return ERROR_ALREADY_EXISTS;
    case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
    case ENOSPC: return ERROR_DISK_FULL;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case EXDEV: return ERROR_NOT_SAME_DEVICE;
    case EBADF: return ERROR_INVALID_HANDLE;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    default: return ERROR_GEN_FAILURE;
    }
}

/*
 * GetCurrentDirectoryW: the current directory ("C:\" until set).
 * Returns its length when it fits the buffer of nBufferLength characters with its
 * terminator; otherwise the size needed including the terminator, buffer untouched.
 */
extern "C" DWORD WINAPI GetCurrentDirectoryW(DWORD nBufferLength, LPWSTR lpBuffer)
{
    return qmk::CopyOutPath(current_directory(), lpBuffer, nBufferLength);
}

/*
 * SetCurrentDirectoryW: makes an existing directory the current one (relative paths
 * resolve against the old one). FALSE with ERROR_FILE_NOT_FOUND / ERROR_PATH_NOT_FOUND
 * when it does not exist, ERROR_DIRECTORY when it is a file.
 */
extern "C" BOOL WINAPI SetCurrentDirectoryW(LPCWSTR lpPathName)
{
    if (!lpPathName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::u16string full;
    std::string host;
    if (!qmk::FullWindowsPath(lpPathName, &full) || !qmk::HostPath(full.c_str(), &host))
        return FALSE;
    struct stat st;
    if (stat(host.c_str(), &st) != 0) {
        SetLastError(qmk::ErrorFromErrno(errno, host));
        return FALSE;
    }
    if (!S_ISDIR(st.st_mode)) {
        SetLastError(ERROR_DIRECTORY);
        return FALSE;
    }
    if (full.size() > 3 && full.back() == u'\\')
        full.pop_back();
    std::lock_guard<std::mutex> guard(g_cwd_lock);
    g_cwd = full;
    return TRUE;
}

/*
 * GetFullPathNameW: the absolute form of a path, "." and ".." resolved; nothing on disk
 * is consulted. lpFilePart (optional, out) points to the last component in lpBuffer, or
 * is NULL when the path ends with a separator. Returns the length, or the size needed
 * including the terminator when the buffer is too small; 0 with the last error for an
 * empty or unmappable path.
 */
extern "C" DWORD WINAPI GetFullPathNameW(LPCWSTR lpFileName, DWORD nBufferLength, LPWSTR lpBuffer, LPWSTR *lpFilePart)
{
    std::u16string full;
    if (!qmk::FullWindowsPath(lpFileName, &full))
        return 0;
    DWORD n = qmk::CopyOutPath(full, lpBuffer, nBufferLength);
    if (n == full.size() && lpFilePart) {
        size_t slash = full.find_last_of(u'\\');
        *lpFilePart = slash + 1 < full.size() ? lpBuffer + slash + 1 : nullptr;
    }
    return n;
}

/*
 * GetShortPathNameW: the host keeps no 8.3 names, so the short form of an existing path
 * is the path as given. Buffer rule as GetCurrentDirectoryW; 0 with ERROR_FILE_NOT_FOUND /
 * ERROR_PATH_NOT_FOUND when the path does not exist, ERROR_INVALID_PARAMETER for NULL.
 */
extern "C" DWORD WINAPI GetShortPathNameW(LPCWSTR lpszLongPath, LPWSTR lpszShortPath, DWORD cchBuffer)
{
    if (!lpszLongPath) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::string host;
    if (!qmk::HostPath(lpszLongPath, &host))
        return 0;
    struct stat st;
    if (stat(host.c_str(), &st) != 0) {
        SetLastError(qmk::ErrorFromErrno(errno, host));
        return 0;
    }
    return qmk::CopyOutPath(lpszLongPath, lpszShortPath, cchBuffer);
}

/* GetWindowsDirectoryW: "C:\WINDOWS" (created on first use); buffer rule as
 * GetCurrentDirectoryW. */
extern "C" UINT WINAPI GetWindowsDirectoryW(LPWSTR lpBuffer, UINT uSize)
{
    return qmk::CopyOutPath(qmk::WindowsDirectory(), lpBuffer, uSize);
}

/* GetSystemDirectoryW: "C:\WINDOWS\system32" (created on first use). */
extern "C" UINT WINAPI GetSystemDirectoryW(LPWSTR lpBuffer, UINT uSize)
{
    make_directories(kSystemDirectory);
    return qmk::CopyOutPath(kSystemDirectory, lpBuffer, uSize);
}

/* GetTempPathW: "C:\TEMP\" with its trailing backslash (created on first use). */
extern "C" DWORD WINAPI GetTempPathW(DWORD nBufferLength, LPWSTR lpBuffer)
{
    make_directories(kTempDirectory);
    return qmk::CopyOutPath(kTempDirectory, lpBuffer, nBufferLength);
}
