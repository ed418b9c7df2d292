/*
 * Structure sizes both builds must agree on: compiled against our host headers and against
 * the Windows headers of the target toolchain alike.
 */
#include <windows.h>
#include <wincrypt.h>

#include <stddef.h>

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(void *) == 4, "32-bit pointers on the Windows target");
static_assert(sizeof(HANDLE) == 4, "32-bit handles on the Windows target");
static_assert(sizeof(CRITICAL_SECTION) == 24, "CRITICAL_SECTION");
#endif
static_assert(sizeof(BYTE) == 1 && sizeof(WORD) == 2 && sizeof(DWORD) == 4, "integer widths");
static_assert(sizeof(LONG) == 4 && sizeof(BOOL) == 4, "integer widths");
static_assert(sizeof(LONG_PTR) == sizeof(void *) && sizeof(HANDLE) == sizeof(void *), "pointer-sized integers");
static_assert(sizeof(WCHAR) == 2, "UTF-16 characters");
static_assert(sizeof(DEVMODEW) == 220, "DEVMODEW");
static_assert(sizeof(LOGFONTW) == 92, "LOGFONTW");
static_assert(sizeof(SYSTEMTIME) == 16, "SYSTEMTIME");
static_assert(sizeof(FILETIME) == 8, "FILETIME");
static_assert(sizeof(OSVERSIONINFOW) == 276, "OSVERSIONINFOW");
static_assert(sizeof(OSVERSIONINFOEXW) == 284, "OSVERSIONINFOEXW");
static_assert(sizeof(POINTL) == 8, "POINTL");
static_assert(sizeof(RECTL) == 16, "RECTL");
static_assert(sizeof(SIZEL) == 8, "SIZEL");
static_assert(sizeof(BITMAPINFOHEADER) == 40, "BITMAPINFOHEADER");
static_assert(offsetof(DEVMODEW, dmFields) == 72, "DEVMODEW field places");
static_assert(offsetof(DEVMODEW, dmFormName) == 102, "DEVMODEW field places");
static_assert(offsetof(DEVMODEW, dmICMMethod) == 188, "DEVMODEW field places");
static_assert(offsetof(LOGFONTW, lfFaceName) == 28, "LOGFONTW field places");
static_assert(sizeof(BLOBHEADER) == 8, "BLOBHEADER");
