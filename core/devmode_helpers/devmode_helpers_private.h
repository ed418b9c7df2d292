/*
 * What the DEVMODE helpers share: the enforced special settings on a DEVMODE that may be
 * short.
 */
#ifndef QM_CORE_DEVMODE_HELPERS_DEVMODE_HELPERS_PRIVATE_H
#define QM_CORE_DEVMODE_HELPERS_DEVMODE_HELPERS_PRIVATE_H

#include "core/devmode_helpers/devmode_helpers.h"

/*
 * The context's enforced special settings (mode 1) on the DEVMODE. One whose dmSize +
 * dmDriverExtra is below the full form gets them through a full copy of its first part, so
 * that a setting of the second part is never written past its bytes. Returns 1 (also
 * without special settings), or 0 when out of memory.
 */
BOOL dmh_ApplyEnforced(DriverContext *context, DriverDevmode *devmode, PrinterDataBlock *block);

#endif /* QM_CORE_DEVMODE_HELPERS_DEVMODE_HELPERS_PRIVATE_H */
