/*
 * The DEVMODE merge. The caller's input is copied once into a zero-filled DEVMODE of the
 * full form (its first min(dmSize + dmDriverExtra, 1604) bytes): translation, dumps,
 * tests and the copy itself read only that, so an input is never read past its end nor
 * written.
 */
#include "core/devmode_merge/devmode_merge.h"

#include "core/devmode_helpers/devmode_helpers.h"
#include "core/devmode_merge/field_map.h"
#include "core/handlers/setting_handlers.h"
#include "core/rules/dependent_rules.h"
#include "core/settings/setting_rules.h"
#include "core/settings/settings.h"
#include "core/trace/trace.h"

/* The smallest dmSize that is merged at all. */
enum { DM_SIZE_MERGED = 188 };

/* The public fields merged one by one, in this order. */
typedef struct MergedField {
    DWORD bit;
    WORD functionId;
} MergedField;

static const MergedField kMergedFields[] = {
    {DM_ORIENTATION, FID_ORIENTATION},
    {DM_SCALE, FID_SCALE},
    {DM_COPIES, FID_COPIES},
    {DM_DEFAULTSOURCE, FID_DEFAULT_SOURCE},
    {DM_DUPLEX, FID_DUPLEX},
    {DM_TTOPTION, FID_TT_OPTION},
    {DM_COLLATE, FID_COLLATE},
    {DM_ICMINTENT, FID_ICM_INTENT},
    {DM_MEDIATYPE, FID_MEDIA_TYPE},
    {DM_DITHERTYPE, FID_DITHER_TYPE},
};

/* The private settings the dumps show. */
static const WORD kDumpedPrivate[] = {FID_COLOR_MODE, FID_MANUAL_TRAY, FID_MEDIA_453};

/* The input's bytes in a new zero-filled full DEVMODE (free with GlobalFree); NULL when out
 * of memory. */
static DriverDevmode *merge_CopyInput(const DEVMODEW *input)
{
    DriverDevmode *copy = dm_AllocDevmode(0);
    if (!copy) {
        return NULL;
    }
    DWORD bytes = (DWORD)input->dmSize + input->dmDriverExtra;
    CopyMemory(copy, input, bytes < (DWORD)DM_SHORT_SIZE ? bytes : (DWORD)DM_SHORT_SIZE);
    return copy;
}

/* Copies a numeric setting from one DEVMODE to the other. */
static BOOL merge_CopySetting(WORD functionId, DriverDevmode *from, DriverDevmode *to, PrinterDataBlock *block)
{
    WORD type = 0;
    DWORD size = 0;
    DWORD_PTR value = 0;
    return dma_GetFunctionValue(functionId, from, block, &type, &size, &value) == SST_OK &&
           dma_SetFunctionValue(functionId, to, block, type, size, &value) == SST_OK;
}

/* The private part of a same-model input over the output's, with the output's 258 kept. */
static BOOL merge_TakePrivatePart(DriverDevmode *output, DriverDevmode *input, PrinterDataBlock *block)
{
    LONG layout = 0, copied = 0;
    if (!util_ReadSettingLong(FID_LAYOUT_ID, output, block, &layout)) {
        return FALSE;
    }
    CopyMemory(&output->priv, &input->priv, sizeof(output->priv));
    if (!util_ReadSettingLong(FID_LAYOUT_ID, output, block, &copied)) {
        return FALSE;
    }
    WORD kept = (WORD)layout;
    return copied == layout || dma_SetFunctionValue(FID_LAYOUT_ID, output, block, VT_WORD, 2, &kept) == SST_OK;
}

/* Steps 3-10 of the merge on the input's copy. */
static BOOL merge_Fields(DriverContext *context, DriverDevmode *output, DriverDevmode *input, PrinterDataBlock *block,
                         HANDLE printer, WORD command, BOOL mapInUse)
{
    BOOL sameModel = opt_IsDriverDevmodeHeader(context, input, block);
    if (sameModel && !merge_TakePrivatePart(output, input, block)) {
        return FALSE;
    }
    LONG inputFields = 0, outputFields = 0;
    if (!util_ReadSettingLong(FID_FIELDS, input, block, &inputFields) ||
        !util_ReadSettingLong(FID_FIELDS, output, block, &outputFields)) {
        return FALSE;
    }
    DWORD fields = (DWORD)inputFields;
    if (mapInUse) {
        LONG collate = 0;
        if (!util_ReadSettingLong(FID_COLLATE, input, block, &collate) ||
            dm_MapInputFields(context->fieldMap, (DWORD)inputFields, (DWORD)collate, &fields) != FIELD_MAP_OK) {
            return FALSE;
        }
    }
    DWORD supported = 0;
    if (!dm_GetSupportedFields(context, &supported, DM_FIELDS_MERGE_FORM)) {
        return FALSE;
    }
    LONG scale = 0;
    if (sameModel && util_ReadSettingLong(FID_SCALE_ANNOUNCED, input, block, &scale) && scale == 0) {
        supported &= ~(DWORD)DM_SCALE;
    }
    DWORD merged = (DWORD)outputFields;
    for (const MergedField &f : kMergedFields) {
        if (!(f.bit & supported & fields) || !opt_ValidatePublicField(f.functionId, context, input, block, command)) {
            continue;
        }
        if (!merge_CopySetting(f.functionId, input, output, block)) {
            return FALSE;
        }
        merged |= f.bit;
    }
    DWORD written = merged;
    if (dma_SetFunctionValue(FID_FIELDS, output, block, VT_DWORD, 4, &written) != SST_OK) {
        return FALSE;
    }
    DependentRulesRequest rules = {context, output, input, block, printer, supported, fields, command, mapInUse};
    return opt_RunDependentRules(&rules);
}

/* The whole merge; traced: the dumps and the field map. */
static BOOL merge_Run(DriverContext *context, DriverDevmode *output, const DEVMODEW *input, PrinterDataBlock *block,
                      HANDLE printer, WORD command, BOOL traced)
{
    if (!output || !block) {
        return FALSE;
    }
    if (!input) {
        return TRUE;
    }
    DriverDevmode *copy = merge_CopyInput(input);
    if (!copy) {
        return FALSE;
    }
    BOOL mapInUse = FALSE;
    if (traced) {
        trc_DumpPublicDevmode(TEXT("\nInput DEVMODE(Public)"), &copy->dm);
        trc_DumpFields(TEXT("\nInput DEVMODE(dmFields)"), &copy->dm);
        for (WORD functionId : kDumpedPrivate) {
            trc_DumpPrivateSetting(functionId == FID_COLOR_MODE ? TEXT("\nInput DEVMODE(Private)")
                                                                : TEXT("Input DEVMODE(Private)"),
                                   copy,
                                   functionId);
        }
        LONG wanted = 0;
        mapInUse = context && dm_IsFieldMapActive(context->fieldMap) &&
                   util_ReadSettingLong(FID_FIELD_MAP_SWITCH, NULL, block, &wanted) && wanted != 0;
        if (mapInUse && dm_MapInputPublicValues(context->fieldMap, copy) != FIELD_MAP_OK) {
            GlobalFree(copy);
            return FALSE;
        }
    }
    BOOL result = TRUE;
    if (copy->dm.dmSize >= DM_SIZE_MERGED) {
        result = merge_Fields(context, output, copy, block, printer, command, mapInUse);
    }
    dm_ApplyEnforcedSettings(context, output, block);
    if (traced) {
        trc_DumpPublicDevmode(TEXT("\nOutput DEVMODE(Public)"), &output->dm);
        trc_DumpFields(TEXT("\nOutput DEVMODE(dmFields)"), &output->dm);
        for (WORD functionId : kDumpedPrivate) {
            trc_DumpPrivateSetting(functionId == FID_COLOR_MODE ? TEXT("\nOutput DEVMODE(Private)")
                                                                : TEXT("Output DEVMODE(Private)"),
                                   output,
                                   functionId);
        }
    }
    GlobalFree(copy);
    return result;
}

BOOL WINAPI dm_MergeDevmode(DriverContext *context, DriverDevmode *output, const DEVMODEW *input,
                            PrinterDataBlock *block, HANDLE printer, WORD command)
{
    return merge_Run(context, output, input, block, printer, command, FALSE);
}

BOOL WINAPI dm_MergeDevmodeTraced(DriverContext *context, DriverDevmode *output, const DEVMODEW *input,
                                  PrinterDataBlock *block, HANDLE printer, WORD command)
{
    return merge_Run(context, output, input, block, printer, command, TRUE);
}
