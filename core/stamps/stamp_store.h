/*
 * The per-user stamp store: the calls the constraint engine and the stamp choice's option
 * list make. The store is not built yet; core/interim/stamp_store_interim.cpp answers for
 * it.
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

/*
 * ureg_ListStampNames: the stored stamp names (at most 32) as consecutive zero-terminated
 * strings plus a closing empty string. buffer NULL: size only. count: out; size: in/out,
 * bytes (the needed size is always written). 1, 12 when the size does not hold them.
 */
WORD WINAPI ureg_ListStampNames(HANDLE printer, WCHAR *buffer, WORD *count, DWORD *size, DriverContext *context);

/* ureg_StampExists: 1 stored, 3 name of a built-in stamp, 8 no key, 9 error, 99 not
 * stored or NULL name. */
WORD WINAPI ureg_StampExists(HANDLE printer, const WCHAR *name, DriverContext *context);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_STAMPS_STAMP_STORE_H */
