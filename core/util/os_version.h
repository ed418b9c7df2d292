/* Windows version tests: the OS class numbers and the cached XP and Vista answers. */
#ifndef QM_CORE_UTIL_OS_VERSION_H
#define QM_CORE_UTIL_OS_VERSION_H

#include <windows.h>

/* OS classes. */
#define UTIL_OS_9X_OLD 256   /* Windows 9x family before 4.0 */
#define UTIL_OS_95 257       /* 4.0 */
#define UTIL_OS_9X_LATER 258 /* later than 4.0 */
#define UTIL_OS_NT_OLD 512   /* NT before 4 */
#define UTIL_OS_NT4 513
#define UTIL_OS_NT5 514 /* NT 5 and later */

#ifdef __cplusplus
extern "C" {
#endif

/*
 * util_GetOsClass: the class of the running Windows. osClass: out, the class (256-258 for
 * platform 1, 512-514 for platform 2) or 0 for another platform. Returns 1 with a class, 0
 * for another platform, -1 (nothing written) when the version cannot be read.
 */
int WINAPI util_GetOsClass(WORD *osClass);

/*
 * util_GetModernOsFlag: 0 for the classes 256, 257, 512 and 513; for any other, writes 512
 * into flag and returns 1; -1 when the version cannot be read or flag is NULL.
 */
int WINAPI util_GetModernOsFlag(WORD *flag);

/* util_IsWinXpOrLater: 1 when the version is at least 5.1 (VerifyVersionInfoW), cached. */
BOOL WINAPI util_IsWinXpOrLater(void);

/* util_IsVistaOrLater: 1 when the version is at least 6.0 (VerifyVersionInfoW), cached. */
BOOL WINAPI util_IsVistaOrLater(void);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_UTIL_OS_VERSION_H */
