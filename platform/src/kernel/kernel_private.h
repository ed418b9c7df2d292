/* Private declarations shared by the files of the kernel area. */
#ifndef QM_KERNEL_PRIVATE_H
#define QM_KERNEL_PRIVATE_H

#include <windows.h>

#include <string>

namespace qmk {

/* Allocation gate for fault injection: false when the next allocation must be refused. */
bool AllocationAllowed();

/* The platform root directory (QM_ROOT or the per-user default), without a trailing slash;
 * created on first use. */
std::string RootDir();

/* The name of the user the process runs as (pinned by tests with qmt_PinUserName), in UTF-16. */
std::u16string CurrentUserName();

/* ---- Paths (path.cpp) ---- */

/* Maps a Windows path to the host file system: drive letters A:-Y: map into the root
 * (C:\x -> <root>/c/x), Z: to the host's own "/"; relative paths resolve against the
 * current directory, "." and ".." are resolved without leaving the drive, and each existing
 * component is found case-insensitively (a missing one keeps the case given).
 * windows_path in; host_path out. False (last error ERROR_PATH_NOT_FOUND) when the path is
 * empty or of a form that has no place on the host (UNC names). */
bool HostPath(const char16_t *windows_path, std::string *host_path);

/* The absolute Windows form of a path ("C:\dir\name"), "." and ".." resolved; a trailing
 * separator is kept. False (last error ERROR_PATH_NOT_FOUND) as for HostPath. */
bool FullWindowsPath(const char16_t *windows_path, std::u16string *full);

/* The reverse of HostPath: "<root>/c/x" -> "C:\x", anything else -> "Z:\..." */
std::u16string WindowsPathOfHost(const std::string &host_path);

/* The Windows directory ("C:\WINDOWS"), created on first use. */
std::u16string WindowsDirectory();

/* Upper-case folding used for every case-insensitive name comparison of the kernel (file
 * names, module names, resource names, profile sections and keys): ASCII and Latin-1. */
char16_t FoldCase(char16_t c);
bool EqualNoCase(const std::u16string &a, const std::u16string &b);

/* Text of a code page (CP_UTF8 for host file names, CP_ACP for the A functions and ANSI
 * profile files) to UTF-16 and back, through the code-page converters below; unknown code
 * pages give empty text. */
std::u16string WideText(UINT code_page, const std::string &s);
std::string MultiText(UINT code_page, const std::u16string &s);

/* Copies a string with the Windows buffer rule of the directory functions: when it fits
 * with its terminator, copies it and answers its length; otherwise copies nothing and
 * answers the size needed including the terminator. */
DWORD CopyOutPath(const std::u16string &s, LPWSTR buffer, DWORD size);

/* Last error for a failed host call on host_path: ENOENT becomes ERROR_FILE_NOT_FOUND when
 * the parent directory exists, else ERROR_PATH_NOT_FOUND; the rest as their Windows twins. */
DWORD ErrorFromErrno(int err, const std::string &host_path);

/* ---- Handle table (handle.cpp) ----
 * Kernel objects of every area live in one table so that CloseHandle closes any of them.
 * An area embeds KernelObject at the start of its own record, sets kind and destroy, and
 * registers it; lookups take a reference that the caller gives back with ReleaseObject. */

enum ObjectKind : DWORD {
    kObjectFile = 1,
    kObjectMapping = 2,
    kObjectFind = 3,      /* FindFirstFileW: closed by FindClose only */
    kObjectFirstFree = 16 /* other areas number their kinds from here */
};

struct KernelObject {
    DWORD kind;
    LONG refs;                             /* set by RegisterObject */
    void (*destroy)(KernelObject *object); /* frees the record when the last reference goes */
};

/* Enters object into the table with one reference (the handle's); the new handle, never
 * NULL nor INVALID_HANDLE_VALUE. */
HANDLE RegisterObject(KernelObject *object);

/* The object of handle h when it is of kind (0 = any), with a reference taken; NULL with
 * last error ERROR_INVALID_HANDLE otherwise. */
KernelObject *LookupObject(HANDLE h, DWORD kind);

/* Gives back a reference taken by LookupObject (or AddObjectRef); destroys at zero. */
void ReleaseObject(KernelObject *object);
void AddObjectRef(KernelObject *object);

/* Removes h from the table when it is of kind (0 = any) and drops the handle's reference;
 * false with ERROR_INVALID_HANDLE when h is no such handle. */
bool CloseObject(HANDLE h, DWORD kind);

/* ---- Files (file.cpp) ---- */

/* A duplicate of the host descriptor of file handle h (the caller closes it) and whether
 * the handle may read; -1 with last error ERROR_INVALID_HANDLE when h is no open file. */
int DuplicateFileDescriptor(HANDLE h, bool *readable);

/* Windows file times (100 ns since 1601) from host times and back. */
FILETIME FileTimeFromHost(long long seconds, long nanoseconds);
void HostTimeFromFileTime(const FILETIME &ft, long long *seconds, long *nanoseconds);

/* ---- Modules and resources (module.cpp, resource.cpp) ---- */

/* The module whose code or data contains address (the main program, a library linked
 * into it, or one loaded by LoadLibrary); NULL when none does. */
HMODULE ModuleOfAddress(const void *address);

/* Finds the data of resource (type, name) of module (NULL = the main program); lang 0
 * takes the default language choice of FindResourceW. data and size out, valid while
 * the module stays loaded. False with the FindResourceW last error when missing. */
bool FindResourceData(HMODULE module, LPCWSTR type, LPCWSTR name, WORD lang, const void **data, DWORD *size);

/* ---- Code pages (codepage.cpp) ---- */

/* Converts `length` bytes of text in a code page (CP_ACP, CP_OEMCP, CP_UTF8 or a number) to
 * UTF-16, undefined bytes becoming the code page's default character; false for an unknown
 * code page or a NULL text. */
bool MultiToWide(UINT code_page, const char *text, size_t length, std::u16string *out);

/* Converts `length` UTF-16 units to a code page, characters it lacks becoming '?' (U+FFFD in
 * UTF-8 for unpaired surrogates); false for an unknown code page or a NULL text. */
bool WideToMulti(UINT code_page, const char16_t *text, size_t length, std::string *out);

/* Hides (or shows again) the platform library's exports whose names start with prefix
 * from GetProcAddress, as a test control of the area owning them. */
void HideExports(const char *prefix, bool hide);
/* Whether GetProcAddress must treat the platform library's export as absent. */
bool ExportHidden(const char *name);

} // namespace qmk

#endif
