/* Test controls of the crypt area (tests only, never driver code). */
#ifndef QM_TESTING_CRYPT_H
#define QM_TESTING_CRYPT_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* TRUE makes the Crypt* exports of "advapi32.dll" unknown to GetProcAddress (it fails
 * with ERROR_PROC_NOT_FOUND), as on a system without CryptoAPI. FALSE shows them again. */
void qmt_CryptHideExports(BOOL hide);

/* Makes CryptAcquireContextA refuse the provider of that type and name (NULL = the
 * type's default, asked for without a name) with NTE_KEYSET_NOT_DEF. Adds to the list. */
void qmt_CryptRefuseProvider(DWORD type, LPCSTR name);

/* Lets every provider be acquired again. */
void qmt_CryptRefuseNone(void);

#ifdef __cplusplus
}
#endif

#endif /* QM_TESTING_CRYPT_H */
