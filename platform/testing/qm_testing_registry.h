/* Test controls of the registry area (tests only, never driver code). */
#ifndef QM_TESTING_REGISTRY_H
#define QM_TESTING_REGISTRY_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Open registry key handles (predefined roots not counted), for leak checks. */
DWORD qmt_LiveRegistryKeys(void);

/* TRUE makes the process a user without write rights under HKEY_LOCAL_MACHINE: creating
 * keys, setting or deleting values there, and opening keys there with write rights fail
 * with ERROR_ACCESS_DENIED. FALSE lifts it. */
void qmt_RegistryDenyMachineWrites(BOOL deny);

/* Setting or deleting a value of this name (compared without case, "" the default value)
 * fails with `error` (0 means ERROR_CANTWRITE) under every key, changing nothing; NULL
 * turns it off. */
void qmt_FailRegistryValue(LPCWSTR name, DWORD error);

#ifdef __cplusplus
}
#endif

#endif /* QM_TESTING_REGISTRY_H */
