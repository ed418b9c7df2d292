/*
 * Model queries of the user interface: colour kind and mode, capability tests and the item
 * variant of the model.
 */
#ifndef QM_UI_DRIVER_RUNTIME_MODEL_H
#define QM_UI_DRIVER_RUNTIME_MODEL_H

#include <windows.h>

#include "core/context/driver_context.h"
#include "core/settings/settings_types.h"

#define UI_COLOR_KIND_ENTRY 5 /* description entry holding the model's colour kind */
#define UI_MONOCHROME 2       /* colour kind of a monochrome model */
#define UI_COLOR 1
#define UI_NO_COLOR_KIND (-1)
#define UI_MODE_MONOCHROME 1 /* colour modes */
#define UI_MODE_COLOR 2
#define UI_ITEM_VARIANT_FLAG 0x8000000
#define UI_ITEM_VARIANT_CAP (0xFFFF0000u | 38)

/* ui_GetColorKind: the first byte of entry 5: 1 gives 2 (monochrome), 2 and 18 give 1,
 * anything else, no entry or a NULL context -1. */
int ui_GetColorKind(DriverContext *context);

/* ui_GetColorMode: -1 without a colour kind; UI_MODE_MONOCHROME for a monochrome model or
 * when setting 270 reads 1; else UI_MODE_COLOR. */
int ui_GetColorMode(DriverDevmode *devmode, DriverContext *context);

/* ui_HasModelFlag: 1 when the model has flag (a mask of the first capability word, or
 * 0xFFFF0000 | n for capability bit n), else 0. */
int ui_HasModelFlag(DriverContext *context, DWORD flag);

/* ui_GetItemVariantByModel: variant: out, 0 without model flag 0x8000000, else 2 with
 * capability bit 38, else 1. Returns 1, or 0 for NULL arguments. */
int ui_GetItemVariantByModel(DriverContext *context, WORD *variant);

#endif /* QM_UI_DRIVER_RUNTIME_MODEL_H */
