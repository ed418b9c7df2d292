/*
 * Files: CreateFileW and the calls on file handles, plus the path-based file calls.
 *
 * Sharing is honoured between the handles of this process: every open file is listed
 * with its device and inode, its access (read, write, delete) and share mode, and a new
 * open that conflicts either way fails with ERROR_SHARING_VIOLATION, as Windows does.
 * The read-only attribute is the host's owner-write permission bit; it is checked here
 * rather than left to the host, which ignores it for root. Other attributes are not
 * kept: files report FILE_ATTRIBUTE_ARCHIVE, directories FILE_ATTRIBUTE_DIRECTORY.
 */
#include "platform/src/kernel/kernel_private.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <list>
#include <mutex>

#include "platform/testing/qm_testing.h"

namespace {

const DWORD kRead = 1, kWrite = 2, kDelete = 4;
const DWORD kCopyChunk = 65536;

struct FileObject {
    qmk::KernelObject base;
    int fd;
    dev_t dev;
    ino_t ino;
    DWORD access; /* kRead | kWrite | kDelete */
    DWORD share;  /* FILE_SHARE_* */
    bool delete_on_close;
    std::string host;
};

std::mutex g_files_lock;
std::list<FileObject *> g_open_files;

std::mutex g_fault_lock;
bool g_fault_armed;
DWORD g_fault_after;
bool g_fault_short;
DWORD g_fault_error;
DWORD g_fail_writes; /* further WriteFile calls that fail writing nothing */
DWORD g_fail_writes_error;
DWORD g_fail_reads_after;          /* ReadFile calls that still succeed before the read fault */
DWORD g_fail_reads_error;          /* the read fault's error; 0: no read fault */
std::u16string g_fail_create_text; /* CreateFileW fails for paths holding it (empty: off) */
DWORD g_fail_create_error;
std::list<std::u16string> g_fail_temp_dirs; /* GetTempFileNameW fails in these */

DWORD access_bits(DWORD desired)
{
    DWORD bits = 0;
    if (desired & (GENERIC_READ | GENERIC_ALL | 0x0001 /* FILE_READ_DATA */))
        bits |= kRead;
    if (desired & (GENERIC_WRITE | GENERIC_ALL | 0x0002 /* FILE_WRITE_DATA */ | 0x0004 /* FILE_APPEND_DATA */))
        bits |= kWrite;
    if (desired & (DELETE | GENERIC_ALL))
        bits |= kDelete;
    return bits;
}

/* Whether an open with access and share conflicts with an open file of (dev, ino).
 * Caller holds g_files_lock. */
bool sharing_conflict(dev_t dev, ino_t ino, DWORD access, DWORD share)
{
    for (const FileObject *f : g_open_files) {
        if (f->dev != dev || f->ino != ino)
            continue;
        if ((access & kRead) && !(f->share & FILE_SHARE_READ))
            return true;
        if ((access & kWrite) && !(f->share & FILE_SHARE_WRITE))
            return true;
        if ((access & kDelete) && !(f->share & FILE_SHARE_DELETE))
            return true;
        if ((f->access & kRead) && !(share & FILE_SHARE_READ))
            return true;
        if ((f->access & kWrite) && !(share & FILE_SHARE_WRITE))
            return true;
        if ((f->access & kDelete) && !(share & FILE_SHARE_DELETE))
            return true;
    }
    return false;
}

bool is_open(dev_t dev, ino_t ino)
{
    for (const FileObject *f : g_open_files) {
        if (f->dev == dev && f->ino == ino)
            return true;
    }
    return false;
}

void destroy_file(qmk::KernelObject *object)
{
    FileObject *f = (FileObject *)object;
    std::lock_guard<std::mutex> guard(g_files_lock);
    g_open_files.remove(f);
    close(f->fd);
    if (f->delete_on_close && !is_open(f->dev, f->ino))
        unlink(f->host.c_str());
    delete f;
}

bool fail(DWORD error)
{
    SetLastError(error);
    return false;
}

/* Upper-cased copy of a path without trailing separators, for comparisons without case. */
std::u16string folded_path(LPCWSTR path)
{
    std::u16string out = path;
    for (char16_t &c : out)
        c = qmk::FoldCase(c == u'/' ? u'\\' : c);
    while (!out.empty() && out.back() == u'\\')
        out.pop_back();
    return out;
}

/* Whether a test made CreateFileW fail for this path; sets the error then. */
bool create_faulted(LPCWSTR path)
{
    std::lock_guard<std::mutex> guard(g_fault_lock);
    if (g_fail_create_text.empty() || folded_path(path).find(g_fail_create_text) == std::u16string::npos)
        return false;
    SetLastError(g_fail_create_error);
    return true;
}

/* Whether a test made GetTempFileNameW fail in this directory. */
bool temp_name_faulted(LPCWSTR directory)
{
    std::lock_guard<std::mutex> guard(g_fault_lock);
    for (const std::u16string &dir : g_fail_temp_dirs)
        if (dir == folded_path(directory))
            return true;
    return false;
}

/* Opens a file as CreateFileW does (minus the handle); NULL with the last error set
 * (ERROR_INVALID_NAME for wildcards and other characters Windows refuses in names).
 * existed (out) tells whether the file was there before. */
FileObject *open_file(LPCWSTR name, DWORD desired, DWORD share, DWORD disposition, DWORD flags, bool *existed)
{
    if (disposition < CREATE_NEW || disposition > TRUNCATE_EXISTING) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    DWORD access = access_bits(desired);
    if (disposition == TRUNCATE_EXISTING && !(access & kWrite)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    LPCWSTR start = name;
    if (start[0] == u'\\' && start[1] == u'\\' && start[2] == u'?' && start[3] == u'\\')
        start += 4;
    for (LPCWSTR c = start; *c; ++c) {
        if (*c < 0x20 || *c == u'*' || *c == u'?' || *c == u'<' || *c == u'>' || *c == u'|' || *c == u'"') {
            SetLastError(ERROR_INVALID_NAME);
            return nullptr;
        }
    }
    std::string host;
    if (!qmk::HostPath(name, &host))
        return nullptr;
    std::lock_guard<std::mutex> guard(g_files_lock);
    struct stat st;
    *existed = stat(host.c_str(), &st) == 0;
    if (!*existed && errno != ENOENT) {
        SetLastError(qmk::ErrorFromErrno(errno, host));
        return nullptr;
    }
    bool truncate = false;
    if (*existed) {
        if (disposition == CREATE_NEW) {
            SetLastError(ERROR_FILE_EXISTS);
            return nullptr;
        }
        if (S_ISDIR(st.st_mode) && !(flags & FILE_FLAG_BACKUP_SEMANTICS)) {
            SetLastError(ERROR_ACCESS_DENIED);
            return nullptr;
        }
        truncate = disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING;
        if (!(st.st_mode & S_IWUSR) && ((access & kWrite) || truncate)) {
            SetLastError(ERROR_ACCESS_DENIED); /* read-only attribute */
            return nullptr;
        }
        if (sharing_conflict(st.st_dev, st.st_ino, access, share)) {
            SetLastError(ERROR_SHARING_VIOLATION);
            return nullptr;
        }
    } else if (disposition == OPEN_EXISTING || disposition == TRUNCATE_EXISTING) {
        SetLastError(qmk::ErrorFromErrno(ENOENT, host));
        return nullptr;
    }
    int oflags = O_CLOEXEC;
    if ((access & kRead) && (access & kWrite))
        oflags |= O_RDWR;
    else if (access & kWrite)
        oflags |= O_WRONLY;
    else
        oflags |= O_RDONLY;
    if (!*existed)
        oflags |= O_CREAT | O_EXCL;
    mode_t mode = (flags & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
    int fd = open(host.c_str(), oflags, mode);
    if (fd < 0) {
        SetLastError(errno == EEXIST ? ERROR_FILE_EXISTS : qmk::ErrorFromErrno(errno, host));
        return nullptr;
    }
    if (truncate && ((access & kWrite) ? ftruncate(fd, 0) : ::truncate(host.c_str(), 0)) != 0) {
        SetLastError(qmk::ErrorFromErrno(errno, host));
        close(fd);
        return nullptr;
    }
    fstat(fd, &st);
    FileObject *f = new FileObject();
    f->base.kind = qmk::kObjectFile;
    f->base.destroy = destroy_file;
    f->fd = fd;
    f->dev = st.st_dev;
    f->ino = st.st_ino;
    f->access = access;
    f->share = share;
    f->delete_on_close = (flags & FILE_FLAG_DELETE_ON_CLOSE) != 0;
    f->host = host;
    g_open_files.push_back(f);
    return f;
}

/* The file of handle h with a reference taken; NULL with ERROR_INVALID_HANDLE. */
FileObject *lookup_file(HANDLE h)
{
    return (FileObject *)qmk::LookupObject(h, qmk::kObjectFile);
}

void release(FileObject *f)
{
    qmk::ReleaseObject(&f->base);
}

/* Writes all of n bytes; false with errno on failure, *done bytes written. */
bool write_all(int fd, const BYTE *data, DWORD n, DWORD *done)
{
    *done = 0;
    while (*done < n) {
        ssize_t k = write(fd, data + *done, n - *done);
        if (k < 0 && errno == EINTR)
            continue;
        if (k <= 0) {
            if (k == 0)
                errno = ENOSPC;
            return false;
        }
        *done += (DWORD)k;
    }
    return true;
}

DWORD read_all(int fd, BYTE *data, DWORD n)
{
    DWORD done = 0;
    while (done < n) {
        ssize_t k = read(fd, data + done, n - done);
        if (k < 0 && errno == EINTR)
            continue;
        if (k <= 0)
            break;
        done += (DWORD)k;
    }
    return done;
}

/* Stat of a Windows path; false with the Windows last error. */
bool stat_path(LPCWSTR name, std::string *host, struct stat *st)
{
    if (!name)
        return fail(ERROR_PATH_NOT_FOUND);
    if (!qmk::HostPath(name, host))
        return false;
    if (stat(host->c_str(), st) != 0)
        return fail(qmk::ErrorFromErrno(errno, *host));
    return true;
}

/* Whether an open of this process forbids deleting or renaming (dev, ino). */
bool delete_blocked(const struct stat &st)
{
    std::lock_guard<std::mutex> guard(g_files_lock);
    return sharing_conflict(st.st_dev, st.st_ino, kDelete, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
}

bool copy_file(LPCWSTR from, LPCWSTR to, bool fail_if_exists)
{
    bool existed;
    FileObject *src = open_file(from, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, 0, &existed);
    if (!src)
        return false;
    struct stat st;
    fstat(src->fd, &st);
    DWORD attrs = (st.st_mode & S_IWUSR) ? 0 : FILE_ATTRIBUTE_READONLY;
    FileObject *dst = open_file(to, GENERIC_WRITE, 0, fail_if_exists ? CREATE_NEW : CREATE_ALWAYS, attrs, &existed);
    if (!dst) {
        destroy_file(&src->base);
        return false;
    }
    std::string buffer(kCopyChunk, '\0');
    bool ok = true;
    for (;;) {
        DWORD n = read_all(src->fd, (BYTE *)buffer.data(), kCopyChunk);
        DWORD done;
        if (n == 0)
            break;
        if (!write_all(dst->fd, (const BYTE *)buffer.data(), n, &done)) {
            ok = fail(qmk::ErrorFromErrno(errno, dst->host));
            break;
        }
    }
    struct timespec times[2] = {st.st_atim, st.st_mtim};
    futimens(dst->fd, times);
    if (ok && attrs)
        fchmod(dst->fd, st.st_mode & 07555);
    destroy_file(&dst->base);
    destroy_file(&src->base);
    return ok;
}

} // namespace

FILETIME qmk::FileTimeFromHost(long long seconds, long nanoseconds)
{
    unsigned long long ticks = (unsigned long long)(seconds + 11644473600LL) * 10000000ULL + nanoseconds / 100;
    FILETIME ft;
    ft.dwLowDateTime = (DWORD)ticks;
    ft.dwHighDateTime = (DWORD)(ticks >> 32);
    return ft;
}

void qmk::HostTimeFromFileTime(const FILETIME &ft, long long *seconds, long *nanoseconds)
{
    unsigned long long ticks = ((unsigned long long)ft.dwHighDateTime << 32) | ft.dwLowDateTime;
    *seconds = (long long)(ticks / 10000000ULL) - 11644473600LL;
    *nanoseconds = (long)(ticks % 10000000ULL) * 100;
}

int qmk::DuplicateFileDescriptor(HANDLE h, bool *readable)
{
    FileObject *f = lookup_file(h);
    if (!f)
        return -1;
    int fd = dup(f->fd);
    *readable = (f->access & kRead) != 0;
    release(f);
    if (fd < 0)
        SetLastError(ERROR_TOO_MANY_OPEN_FILES);
    return fd;
}

/*
 * CreateFileW: opens or creates a file under the platform root (or the host's own file
 * system through Z:). Dispositions as Windows: CREATE_NEW fails with ERROR_FILE_EXISTS
 * on an existing file; CREATE_ALWAYS and OPEN_ALWAYS succeed either way and leave
 * ERROR_ALREADY_EXISTS as last error when the file existed (0 otherwise);
 * OPEN_EXISTING and TRUNCATE_EXISTING fail with ERROR_FILE_NOT_FOUND (ERROR_PATH_NOT_FOUND
 * when a directory on the way is missing). Write access to a read-only file, or any open
 * of a directory without FILE_FLAG_BACKUP_SEMANTICS, fails with ERROR_ACCESS_DENIED; a
 * conflict with another handle's access or share mode with ERROR_SHARING_VIOLATION.
 * FILE_ATTRIBUTE_READONLY makes a new file read-only; FILE_FLAG_DELETE_ON_CLOSE deletes
 * the file when its last handle closes. Security attributes and the template are ignored.
 * Returns the handle, or INVALID_HANDLE_VALUE with the last error.
 */
extern "C" HANDLE WINAPI CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                                     LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                                     DWORD dwFlagsAndAttributes, HANDLE hTemplateFile)
{
    (void)lpSecurityAttributes;
    (void)hTemplateFile;
    if (!lpFileName) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    if (create_faulted(lpFileName))
        return INVALID_HANDLE_VALUE;
    bool existed = false;
    FileObject *f =
        open_file(lpFileName, dwDesiredAccess, dwShareMode, dwCreationDisposition, dwFlagsAndAttributes, &existed);
    if (!f)
        return INVALID_HANDLE_VALUE;
    HANDLE h = qmk::RegisterObject(&f->base);
    bool report = dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == OPEN_ALWAYS;
    SetLastError(report && existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return h;
}

/*
 * ReadFile: reads up to nNumberOfBytesToRead bytes at the file pointer; at the end of the
 * file it succeeds with 0 bytes. lpNumberOfBytesRead (out, optional) gets the count.
 * Overlapped reads are not supported (the structure is ignored). FALSE with
 * ERROR_INVALID_HANDLE or ERROR_ACCESS_DENIED (no read access).
 */
extern "C" BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead,
                                LPOVERLAPPED lpOverlapped)
{
    (void)lpOverlapped;
    if (lpNumberOfBytesRead)
        *lpNumberOfBytesRead = 0;
    FileObject *f = lookup_file(hFile);
    if (!f)
        return FALSE;
    BOOL ok = FALSE;
    if (!(f->access & kRead)) {
        SetLastError(ERROR_ACCESS_DENIED);
    } else if (!lpBuffer && nNumberOfBytesToRead) {
        SetLastError(ERROR_NOACCESS);
    } else {
        DWORD fault = 0;
        {
            std::lock_guard<std::mutex> guard(g_fault_lock);
            if (g_fail_reads_error != 0) {
                if (g_fail_reads_after == 0) {
                    fault = g_fail_reads_error;
                    g_fail_reads_error = 0;
                } else {
                    --g_fail_reads_after;
                }
            }
        }
        if (fault != 0) {
            SetLastError(fault);
        } else {
            DWORD n = read_all(f->fd, (BYTE *)lpBuffer, nNumberOfBytesToRead);
            if (lpNumberOfBytesRead)
                *lpNumberOfBytesRead = n;
            ok = TRUE;
        }
    }
    release(f);
    return ok;
}

/*
 * WriteFile: writes the bytes at the file pointer. lpNumberOfBytesWritten (out, optional)
 * gets the count, also on failure. A write fault set by qmt_FailWriteAt cuts the write
 * short and fails it or reports the short count. FALSE with ERROR_INVALID_HANDLE,
 * ERROR_ACCESS_DENIED (no write access) or ERROR_DISK_FULL.
 */
extern "C" BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
                                 LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped)
{
    (void)lpOverlapped;
    if (lpNumberOfBytesWritten)
        *lpNumberOfBytesWritten = 0;
    FileObject *f = lookup_file(hFile);
    if (!f)
        return FALSE;
    if (!(f->access & kWrite)) {
        release(f);
        return fail(ERROR_ACCESS_DENIED);
    }
    DWORD n = nNumberOfBytesToWrite;
    bool faulted = false, fault_short = false;
    DWORD fault_error = 0;
    {
        std::lock_guard<std::mutex> guard(g_fault_lock);
        if (g_fail_writes) {
            --g_fail_writes;
            n = 0;
            faulted = true;
            fault_error = g_fail_writes_error;
        } else if (g_fault_armed) {
            if (n > g_fault_after) {
                n = g_fault_after;
                faulted = true;
                fault_short = g_fault_short;
                fault_error = g_fault_error;
                g_fault_armed = false;
            } else {
                g_fault_after -= n;
            }
        }
    }
    DWORD done = 0;
    bool ok = write_all(f->fd, (const BYTE *)lpBuffer, n, &done);
    DWORD error = ok ? 0 : qmk::ErrorFromErrno(errno, f->host);
    release(f);
    if (lpNumberOfBytesWritten)
        *lpNumberOfBytesWritten = done;
    if (!ok)
        return fail(error);
    if (faulted && !fault_short)
        return fail(fault_error);
    return TRUE;
}

/*
 * SetFilePointer: moves the file pointer by a signed 32-bit distance, or a 64-bit one
 * when lpDistanceToMoveHigh (in/out) is given, from FILE_BEGIN, FILE_CURRENT or FILE_END.
 * Returns the low 32 bits of the new position (the high ones in *lpDistanceToMoveHigh)
 * with last error NO_ERROR; INVALID_SET_FILE_POINTER with ERROR_NEGATIVE_SEEK (before the
 * start; the pointer stays), ERROR_INVALID_PARAMETER (bad method) or ERROR_INVALID_HANDLE.
 */
extern "C" DWORD WINAPI SetFilePointer(HANDLE hFile, LONG lDistanceToMove, PLONG lpDistanceToMoveHigh,
                                       DWORD dwMoveMethod)
{
    FileObject *f = lookup_file(hFile);
    if (!f)
        return INVALID_SET_FILE_POINTER;
    long long distance =
        lpDistanceToMoveHigh
            ? (long long)(((unsigned long long)(DWORD)*lpDistanceToMoveHigh << 32) | (DWORD)lDistanceToMove)
            : (long long)lDistanceToMove;
    long long base;
    DWORD error = 0;
    switch (dwMoveMethod) {
    case FILE_BEGIN: base = 0; break;
    case FILE_CURRENT: base = lseek64(f->fd, 0, SEEK_CUR); break;
    case FILE_END: {
        struct stat64 st;
        base = fstat64(f->fd, &st) == 0 ? (long long)st.st_size : -1;
        break;
    }
    default:
        base = -1;
        error = ERROR_INVALID_PARAMETER;
        break;
    }
    long long target = base + distance;
    if (!error && base >= 0 && target < 0)
        error = ERROR_NEGATIVE_SEEK;
    if (!error && lseek64(f->fd, target, SEEK_SET) < 0)
        error = qmk::ErrorFromErrno(errno, f->host);
    release(f);
    if (error) {
        SetLastError(error);
        return INVALID_SET_FILE_POINTER;
    }
    if (lpDistanceToMoveHigh)
        *lpDistanceToMoveHigh = (LONG)(target >> 32);
    SetLastError(NO_ERROR);
    return (DWORD)target;
}

/* SetEndOfFile: cuts or extends the file at the file pointer. FALSE with
 * ERROR_INVALID_HANDLE or ERROR_ACCESS_DENIED (no write access). */
extern "C" BOOL WINAPI SetEndOfFile(HANDLE hFile)
{
    FileObject *f = lookup_file(hFile);
    if (!f)
        return FALSE;
    DWORD error = 0;
    if (!(f->access & kWrite))
        error = ERROR_ACCESS_DENIED;
    else if (ftruncate64(f->fd, lseek64(f->fd, 0, SEEK_CUR)) != 0)
        error = qmk::ErrorFromErrno(errno, f->host);
    release(f);
    return error ? fail(error) : TRUE;
}

/* GetFileSize: the low 32 bits of the size (the high ones in *lpFileSizeHigh when given)
 * with last error NO_ERROR; INVALID_FILE_SIZE with ERROR_INVALID_HANDLE. */
extern "C" DWORD WINAPI GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh)
{
    FileObject *f = lookup_file(hFile);
    if (!f)
        return INVALID_FILE_SIZE;
    struct stat64 st;
    fstat64(f->fd, &st);
    release(f);
    if (lpFileSizeHigh)
        *lpFileSizeHigh = (DWORD)((unsigned long long)st.st_size >> 32);
    SetLastError(NO_ERROR);
    return (DWORD)st.st_size;
}

/* FlushFileBuffers: writes the file's data through to the disk. FALSE with
 * ERROR_INVALID_HANDLE or ERROR_ACCESS_DENIED (no write access). */
extern "C" BOOL WINAPI FlushFileBuffers(HANDLE hFile)
{
    FileObject *f = lookup_file(hFile);
    if (!f)
        return FALSE;
    DWORD error = (f->access & kWrite) ? 0 : ERROR_ACCESS_DENIED;
    if (!error)
        fdatasync(f->fd);
    release(f);
    return error ? fail(error) : TRUE;
}

/* GetFileTime: the file's times (each output optional). The host keeps no creation time:
 * the last write time stands for it. FALSE with ERROR_INVALID_HANDLE. */
extern "C" BOOL WINAPI GetFileTime(HANDLE hFile, LPFILETIME lpCreationTime, LPFILETIME lpLastAccessTime,
                                   LPFILETIME lpLastWriteTime)
{
    FileObject *f = lookup_file(hFile);
    if (!f)
        return FALSE;
    struct stat st;
    fstat(f->fd, &st);
    release(f);
    if (lpCreationTime)
        *lpCreationTime = qmk::FileTimeFromHost(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
    if (lpLastAccessTime)
        *lpLastAccessTime = qmk::FileTimeFromHost(st.st_atim.tv_sec, st.st_atim.tv_nsec);
    if (lpLastWriteTime)
        *lpLastWriteTime = qmk::FileTimeFromHost(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
    return TRUE;
}

/* SetFileTime: sets the last access and last write times (NULL leaves one unchanged; the
 * creation time is not kept). FALSE with ERROR_INVALID_HANDLE or ERROR_ACCESS_DENIED (no
 * write access). */
extern "C" BOOL WINAPI SetFileTime(HANDLE hFile, const FILETIME *lpCreationTime, const FILETIME *lpLastAccessTime,
                                   const FILETIME *lpLastWriteTime)
{
    (void)lpCreationTime;
    FileObject *f = lookup_file(hFile);
    if (!f)
        return FALSE;
    struct timespec times[2];
    const FILETIME *in[2] = {lpLastAccessTime, lpLastWriteTime};
    for (int i = 0; i < 2; ++i) {
        if (!in[i]) {
            times[i].tv_sec = 0;
            times[i].tv_nsec = UTIME_OMIT;
            continue;
        }
        long long sec;
        long nsec;
        qmk::HostTimeFromFileTime(*in[i], &sec, &nsec);
        times[i].tv_sec = (time_t)sec;
        times[i].tv_nsec = nsec;
    }
    DWORD error = 0;
    if (!(f->access & kWrite))
        error = ERROR_ACCESS_DENIED;
    else if (futimens(f->fd, times) != 0)
        error = qmk::ErrorFromErrno(errno, f->host);
    release(f);
    return error ? fail(error) : TRUE;
}

/*
 * DeleteFileW: deletes a file. FALSE with ERROR_FILE_NOT_FOUND / ERROR_PATH_NOT_FOUND,
 * ERROR_ACCESS_DENIED (a directory or a read-only file) or ERROR_SHARING_VIOLATION (open
 * in this process without FILE_SHARE_DELETE).
 */
extern "C" BOOL WINAPI DeleteFileW(LPCWSTR lpFileName)
{
    std::string host;
    struct stat st;
    if (!stat_path(lpFileName, &host, &st))
        return FALSE;
    if (S_ISDIR(st.st_mode) || !(st.st_mode & S_IWUSR))
        return fail(ERROR_ACCESS_DENIED);
    if (delete_blocked(st))
        return fail(ERROR_SHARING_VIOLATION);
    if (unlink(host.c_str()) != 0)
        return fail(qmk::ErrorFromErrno(errno, host));
    return TRUE;
}

/*
 * MoveFileExW: renames a file or directory, also to another directory. An existing target
 * fails with ERROR_ALREADY_EXISTS unless MOVEFILE_REPLACE_EXISTING (files only; a
 * read-only target gives ERROR_ACCESS_DENIED). A rename that only changes the case of the
 * name is allowed. Between drives that the host keeps on different file systems the file
 * is copied and deleted with MOVEFILE_COPY_ALLOWED, else ERROR_NOT_SAME_DEVICE. A NULL
 * target (delete at restart) is not supported: ERROR_INVALID_PARAMETER.
 */
extern "C" BOOL WINAPI MoveFileExW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, DWORD dwFlags)
{
    if (!lpNewFileName)
        return fail(ERROR_INVALID_PARAMETER);
    std::string from, to;
    struct stat st, to_st;
    if (!stat_path(lpExistingFileName, &from, &st))
        return FALSE;
    if (delete_blocked(st))
        return fail(ERROR_SHARING_VIOLATION);
    std::u16string full;
    if (!qmk::FullWindowsPath(lpNewFileName, &full) || !qmk::HostPath(full.c_str(), &to))
        return FALSE;
    /* The target keeps the case given for its last component. */
    std::string target =
        to.substr(0, to.find_last_of('/') + 1) + qmk::MultiText(CP_UTF8, full.substr(full.find_last_of(u'\\') + 1));
    if (stat(to.c_str(), &to_st) == 0 && !(to_st.st_dev == st.st_dev && to_st.st_ino == st.st_ino)) {
        if (!(dwFlags & MOVEFILE_REPLACE_EXISTING))
            return fail(ERROR_ALREADY_EXISTS);
        if (S_ISDIR(to_st.st_mode) || S_ISDIR(st.st_mode) || !(to_st.st_mode & S_IWUSR))
            return fail(ERROR_ACCESS_DENIED);
        if (delete_blocked(to_st))
            return fail(ERROR_SHARING_VIOLATION);
        if (to != target)
            unlink(to.c_str());
    }
    if (rename(from.c_str(), target.c_str()) == 0)
        return TRUE;
    if (errno != EXDEV || S_ISDIR(st.st_mode) || !(dwFlags & MOVEFILE_COPY_ALLOWED))
        return fail(qmk::ErrorFromErrno(errno, target));
    if (!copy_file(lpExistingFileName, lpNewFileName, false))
        return FALSE;
    unlink(from.c_str());
    return TRUE;
}

/* MoveFileW: MoveFileExW with MOVEFILE_COPY_ALLOWED, never replacing a target. */
extern "C" BOOL WINAPI MoveFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName)
{
    return MoveFileExW(lpExistingFileName, lpNewFileName, MOVEFILE_COPY_ALLOWED);
}

/*
 * CopyFileW: copies a file with its read-only attribute and last write time. With
 * bFailIfExists an existing target fails with ERROR_FILE_EXISTS; a read-only target fails
 * with ERROR_ACCESS_DENIED; a missing source with ERROR_FILE_NOT_FOUND.
 */
extern "C" BOOL WINAPI CopyFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, BOOL bFailIfExists)
{
    if (!lpExistingFileName || !lpNewFileName)
        return fail(ERROR_INVALID_PARAMETER);
    return copy_file(lpExistingFileName, lpNewFileName, bFailIfExists != FALSE) ? TRUE : FALSE;
}

/* CreateDirectoryW: creates one directory. FALSE with ERROR_ALREADY_EXISTS or
 * ERROR_PATH_NOT_FOUND (its parent is missing). */
extern "C" BOOL WINAPI CreateDirectoryW(LPCWSTR lpPathName, LPSECURITY_ATTRIBUTES lpSecurityAttributes)
{
    (void)lpSecurityAttributes;
    std::string host;
    if (!lpPathName)
        return fail(ERROR_PATH_NOT_FOUND);
    if (!qmk::HostPath(lpPathName, &host))
        return FALSE;
    if (mkdir(host.c_str(), 0777) != 0)
        return fail(errno == ENOENT ? ERROR_PATH_NOT_FOUND : qmk::ErrorFromErrno(errno, host));
    return TRUE;
}

/* RemoveDirectoryW: removes an empty directory. FALSE with ERROR_FILE_NOT_FOUND /
 * ERROR_PATH_NOT_FOUND, ERROR_DIRECTORY (a file) or ERROR_DIR_NOT_EMPTY. */
extern "C" BOOL WINAPI RemoveDirectoryW(LPCWSTR lpPathName)
{
    std::string host;
    struct stat st;
    if (!stat_path(lpPathName, &host, &st))
        return FALSE;
    if (!S_ISDIR(st.st_mode))
        return fail(ERROR_DIRECTORY);
    if (rmdir(host.c_str()) != 0)
        return fail(qmk::ErrorFromErrno(errno, host));
    return TRUE;
}

/* GetFileAttributesW: FILE_ATTRIBUTE_DIRECTORY for a directory, FILE_ATTRIBUTE_ARCHIVE for
 * a file, with FILE_ATTRIBUTE_READONLY when it is read-only. INVALID_FILE_ATTRIBUTES with
 * ERROR_FILE_NOT_FOUND / ERROR_PATH_NOT_FOUND. */
extern "C" DWORD WINAPI GetFileAttributesW(LPCWSTR lpFileName)
{
    std::string host;
    struct stat st;
    if (!stat_path(lpFileName, &host, &st))
        return INVALID_FILE_ATTRIBUTES;
    if (S_ISDIR(st.st_mode))
        return FILE_ATTRIBUTE_DIRECTORY;
    return FILE_ATTRIBUTE_ARCHIVE | ((st.st_mode & S_IWUSR) ? 0 : FILE_ATTRIBUTE_READONLY);
}

/* SetFileAttributesW: sets or clears the read-only attribute (the others are not kept).
 * FALSE with ERROR_FILE_NOT_FOUND / ERROR_PATH_NOT_FOUND. */
extern "C" BOOL WINAPI SetFileAttributesW(LPCWSTR lpFileName, DWORD dwFileAttributes)
{
    std::string host;
    struct stat st;
    if (!stat_path(lpFileName, &host, &st))
        return FALSE;
    mode_t mode = st.st_mode & 07777;
    mode = (dwFileAttributes & FILE_ATTRIBUTE_READONLY) ? (mode & ~0222) : (mode | S_IWUSR);
    if (chmod(host.c_str(), mode) != 0)
        return fail(qmk::ErrorFromErrno(errno, host));
    return TRUE;
}

/*
 * GetTempFileNameW: forms "<path>\<up to 3 characters of prefix><hex number>.TMP" in
 * lpTempFileName (out, MAX_PATH characters). A non-zero uUnique gives the number (its low
 * 16 bits, upper-case hex without leading zeros) and nothing is created; uUnique 0 starts
 * from a number taken from the clock and counts up until a new file can be created (empty,
 * closed again). Returns the number used; 0 with ERROR_INVALID_PARAMETER (NULL path or
 * output), ERROR_BUFFER_OVERFLOW (path longer than MAX_PATH - 14), ERROR_DIRECTORY (the
 * directory does not exist) or ERROR_FILE_EXISTS (every number taken).
 */
extern "C" UINT WINAPI GetTempFileNameW(LPCWSTR lpPathName, LPCWSTR lpPrefixString, UINT uUnique, LPWSTR lpTempFileName)
{
    if (!lpPathName || !lpTempFileName)
        return fail(ERROR_INVALID_PARAMETER);
    if (temp_name_faulted(lpPathName))
        return fail(ERROR_DIRECTORY);
    std::u16string base = lpPathName;
    if (base.size() > MAX_PATH - 14)
        return fail(ERROR_BUFFER_OVERFLOW);
    if (!base.empty() && base.back() != u'\\' && base.back() != u'/')
        base += u'\\';
    for (int i = 0; lpPrefixString && i < 3 && lpPrefixString[i]; ++i)
        base += lpPrefixString[i];
    auto name_of = [&base](UINT number) {
        static const char16_t kHex[] = u"0123456789ABCDEF";
        std::u16string digits;
        number &= 0xFFFF;
        do {
            digits.insert(digits.begin(), kHex[number & 15]);
            number >>= 4;
        } while (number);
        return base + digits + u".TMP";
    };
    if (uUnique) {
        std::u16string name = name_of(uUnique);
        memcpy(lpTempFileName, name.c_str(), (name.size() + 1) * sizeof(WCHAR));
        return uUnique;
    }
    std::string host;
    struct stat st;
    if (!qmk::HostPath(lpPathName, &host) || stat(host.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return fail(ERROR_DIRECTORY);
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    UINT number = (UINT)((now.tv_sec * 1000 + now.tv_nsec / 1000000) & 0xFFFF);
    for (UINT tries = 0; tries < 0xFFFF; ++tries, ++number) {
        number &= 0xFFFF;
        if (number == 0)
            number = 1;
        std::u16string name = name_of(number);
        bool existed;
        FileObject *f = open_file(name.c_str(), GENERIC_WRITE, 0, CREATE_NEW, 0, &existed);
        if (f) {
            destroy_file(&f->base);
            memcpy(lpTempFileName, name.c_str(), (name.size() + 1) * sizeof(WCHAR));
            SetLastError(ERROR_SUCCESS);
            return number;
        }
        DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ACCESS_DENIED)
            return 0;
    }
    return fail(ERROR_FILE_EXISTS);
}

extern "C" void qmt_FailWriteAt(DWORD after, BOOL short_write, DWORD error)
{
    std::lock_guard<std::mutex> guard(g_fault_lock);
    g_fault_armed = true;
    g_fault_after = after;
    g_fault_short = short_write != FALSE;
    g_fault_error = error ? error : ERROR_DISK_FULL;
}

extern "C" void qmt_ClearWriteFault(void)
{
    std::lock_guard<std::mutex> guard(g_fault_lock);
    g_fault_armed = false;
}

extern "C" void qmt_FailWrites(DWORD count, DWORD error)
{
    std::lock_guard<std::mutex> guard(g_fault_lock);
    g_fail_writes = count;
    g_fail_writes_error = error ? error : ERROR_DISK_FULL;
}

extern "C" void qmt_FailReadAfter(DWORD calls, DWORD error)
{
    std::lock_guard<std::mutex> guard(g_fault_lock);
    g_fail_reads_after = calls;
    g_fail_reads_error = error ? error : ERROR_READ_FAULT;
}

extern "C" void qmt_ClearReadFault(void)
{
    std::lock_guard<std::mutex> guard(g_fault_lock);
    g_fail_reads_error = 0;
}

extern "C" void qmt_FailCreateFile(LPCWSTR text, DWORD error)
{
    std::lock_guard<std::mutex> guard(g_fault_lock);
    g_fail_create_text = text ? folded_path(text) : std::u16string();
    g_fail_create_error = error ? error : ERROR_ACCESS_DENIED;
}

extern "C" void qmt_FailTempFileName(LPCWSTR directory)
{
    std::lock_guard<std::mutex> guard(g_fault_lock);
    if (!directory)
        g_fail_temp_dirs.clear();
    else
        g_fail_temp_dirs.push_back(folded_path(directory));
}
