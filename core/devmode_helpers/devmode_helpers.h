/*
 * Setting helpers over the DEVMODE: the dmFields bits the driver accepts.
 */
#ifndef QM_CORE_DEVMODE_HELPERS_DEVMODE_HELPERS_H
#define QM_CORE_DEVMODE_HELPERS_DEVMODE_HELPERS_H

#include "core/context/driver_context.h"

/* Selections of dm_GetSupportedFields. */
#define DM_FIELDS_DEFAULT_FORM 1 /* the default DEVMODE's dmFields */
#define DM_FIELDS_MERGE_FORM 2   /* the fields a merge takes from an input DEVMODE */

#ifdef __cplusplus
extern "C" {
#endif

/*
 * dm_GetSupportedFields: the dmFields bits the driver accepts on the running Windows, for
 * one selection (DM_FIELDS_DEFAULT_FORM or DM_FIELDS_MERGE_FORM). The colour-matching,
 * media and dither bits need both a modern system and a device that supports them
 * (description number entry 7 non-zero). fields: out, 0 on failure. Returns 1, or 0 for a
 * NULL output or a Windows class other than 257, 258, 513 and 514.
 */
BOOL WINAPI dm_GetSupportedFields(DriverContext *context, DWORD *fields, WORD selection);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_DEVMODE_HELPERS_DEVMODE_HELPERS_H */
