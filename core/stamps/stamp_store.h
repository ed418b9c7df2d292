/*
 * Calls into the per-user stamp store that the constraint engine makes. Until the stamp
 * store is built, interim bodies (stamp_store_interim.cpp) answer as an empty store.
 */
#ifndef QM_CORE_STAMPS_STAMP_STORE_H
#define QM_CORE_STAMPS_STAMP_STORE_H

#include "core/context/driver_context.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ureg_CanAddStamp: 1 the name may be added (also for a NULL name), 2 built-in or stored
 * already, 4 already 32 stamps, 8 no stamps key, 9 registry error. */
WORD WINAPI ureg_CanAddStamp(HANDLE printer, const WCHAR *name, DriverContext *context);

/* ureg_CountStamps: the number of stored stamps in count: 1, 9 enumeration error, 99
 * without an output, 8 no stamps key. */
WORD WINAPI ureg_CountStamps(HANDLE printer, WORD *count, DriverContext *context);

/* ureg_StampExists: 1 stored, 3 name of a built-in stamp, 8 no key, 9 error, 99 not
 * stored or NULL name. */
WORD WINAPI ureg_StampExists(HANDLE printer, const WCHAR *name, DriverContext *context);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_STAMPS_STAMP_STORE_H */
