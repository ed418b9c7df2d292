/*
 * The stamp names of the per-user stamp store, as the stamp choice's option list reads
 * them. Until the stamp store is built, an interim body (stamp_names_interim.cpp) answers
 * as an empty store.
 */
#ifndef QM_CORE_INTERIM_STAMP_NAMES_H
#define QM_CORE_INTERIM_STAMP_NAMES_H

#include "core/context/driver_context.h"

#ifdef __cplusplus
extern "C" {
#endif

/*
 * ureg_ListStampNames: the stored stamp names (at most 32) as consecutive zero-terminated
 * strings plus a closing empty string. buffer NULL: size only. count: out; size: in/out,
 * bytes (the needed size is always written). 1, 12 when the size does not hold them.
 */
WORD WINAPI ureg_ListStampNames(HANDLE printer, WCHAR *buffer, WORD *count, DWORD *size, DriverContext *context);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_INTERIM_STAMP_NAMES_H */
