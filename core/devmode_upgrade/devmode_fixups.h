/*
 * The fix-ups of a recent DEVMODE: after the overlay of the input on the defaults, the
 * settings whose meaning changed between versions are mended.
 */
#ifndef QM_CORE_DEVMODE_UPGRADE_DEVMODE_FIXUPS_H
#define QM_CORE_DEVMODE_UPGRADE_DEVMODE_FIXUPS_H

#include "core/context/driver_context.h"
#include "core/settings/settings_types.h"

/* Runs every fix-up in table order on devmode (the overlaid input of private version
 * version); defaults: the model's default DEVMODE. 1 when all succeeded; 0 when any
 * failed (devmode then holds a partial result). */
BOOL dmu_RunRecentFixups(DriverContext *context, const DriverDevmode *defaults, DriverDevmode *devmode, WORD version);

#endif /* QM_CORE_DEVMODE_UPGRADE_DEVMODE_FIXUPS_H */
