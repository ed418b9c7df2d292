/*
 * Model queries: colour kind and mode from the description data, capability tests.
 */
#include "ui/driver/runtime/model.h"

#include "core/ddd/ddd_access.h"
#include "core/settings/settings.h"

static const WORD kColorSetting = 270;

/* The colour kinds of entry 5 and what they answer. */
typedef struct ColorKindRow {
    BYTE stored;
    int kind;
} ColorKindRow;

static const ColorKindRow kColorKinds[] = {{1, UI_MONOCHROME}, {2, UI_COLOR}, {18, UI_COLOR}};

int ui_GetColorKind(DriverContext *context)
{
    if (context == nullptr || context->model == nullptr)
        return UI_NO_COLOR_KIND;
    BYTE stored = 0;
    DddEntryItemRequest request = {context->model, UI_COLOR_KIND_ENTRY, 1, 0, &stored};
    if (ddd_ReadEntryItem(&request) != 0)
        return UI_NO_COLOR_KIND;
    for (const ColorKindRow &row : kColorKinds)
        if (row.stored == stored)
            return row.kind;
    return UI_NO_COLOR_KIND;
}

int ui_GetColorMode(DriverDevmode *devmode, DriverContext *context)
{
    int kind = ui_GetColorKind(context);
    if (kind == UI_NO_COLOR_KIND)
        return UI_NO_COLOR_KIND;
    if (kind == UI_MONOCHROME)
        return UI_MODE_MONOCHROME;
    WORD type = 0;
    DWORD size = sizeof(DWORD_PTR);
    DWORD_PTR value = 0;
    if (devmode != nullptr && dma_GetFunctionValue(kColorSetting, devmode, nullptr, &type, &size, &value) == 0 &&
        dma_ValueToLong(type, &value) == 1)
        return UI_MODE_MONOCHROME;
    return UI_MODE_COLOR;
}

int ui_HasModelFlag(DriverContext *context, DWORD flag)
{
    if (context == nullptr || context->model == nullptr)
        return 0;
    return ddd_HasCapability(context->model, flag) ? 1 : 0;
}

int ui_GetItemVariantByModel(DriverContext *context, WORD *variant)
{
    if (context == nullptr || variant == nullptr)
        return 0;
    if (!ui_HasModelFlag(context, UI_ITEM_VARIANT_FLAG))
        *variant = 0;
    else
        *variant = ui_HasModelFlag(context, UI_ITEM_VARIANT_CAP) ? 2 : 1;
    return 1;
}
