/*
 * The single dependent-setting rules that tie one or two settings to each other: the
 * default source, the TrueType option, the colour mode and dmColor, the scale, paper
 * dimension and colour-matching bits of dmFields, the source copied either way, the used
 * component mask and the resolution.
 */
#include "core/rules/rules_private.h"

#include "core/devmode_merge/field_map.h"
#include "core/handlers/setting_handlers.h"
#include "core/settings/settings.h"

/* Values the rules write and test. */
enum {
    BIN_AUTO = 7,         /* DMBIN_AUTO */
    BIN_FORM_SOURCE = 15, /* DMBIN_FORMSOURCE */
    SOURCE_AUTO_PRIVATE = 258,
    TT_BITMAP = 1,         /* DMTT_BITMAP */
    TT_SUBDEV = 3,         /* DMTT_SUBDEV */
    ICM_SYSTEM = 2,        /* DMICMMETHOD_SYSTEM */
    ICM_NONE = 1,          /* DMICMMETHOD_NONE */
    ICM_SYSTEM_CHOICE = 3, /* the value of 293 that asks for the system's colour matching */
    COLOR_MODE_MONO = 1,
    SOURCE_CHOICE_OFF = 0, /* values of 457 under which the sources are not copied */
    SOURCE_CHOICE_KEEP = 2,
    QUALITY_FIELDS = DM_PRINTQUALITY | DM_YRESOLUTION
};

/* The three settings of one component (first of each group of four) and its mask bit. */
typedef struct ComponentRow {
    WORD offset; /* from the first setting of each set */
    DWORD bit;
} ComponentRow;

static const ComponentRow kComponents[] = {
    {0, 7}, /* component 1 */
    {1, 1}, /* component 2 */
    {2, 2}, /* component 3 */
    {3, 4}, /* component 4 */
};

static const WORD kComponentSets[] = {FID_COMPONENT_SET_1, FID_COMPONENT_SET_2, FID_COMPONENT_SET_3};

BOOL WINAPI opt_RuleFixDefaultSource(DriverDevmode *devmode, PrinterDataBlock *block)
{
    LONG source = 0;
    if (!rule_Read(FID_DEFAULT_SOURCE, devmode, block, &source)) {
        return FALSE;
    }
    if (source > 0) {
        return TRUE;
    }
    LONG privateSource = 0;
    if (!rule_Read(FID_PAPER_SOURCE, devmode, block, &privateSource)) {
        return FALSE;
    }
    return rule_Write(
        FID_DEFAULT_SOURCE, devmode, block, privateSource == SOURCE_AUTO_PRIVATE ? BIN_AUTO : BIN_FORM_SOURCE);
}

BOOL WINAPI opt_RuleSyncTrueTypeOption(const TrueTypeRuleRequest *request)
{
    if (!request) {
        return FALSE;
    }
    LONG option = 0, substitution = 0;
    if (!rule_Read(FID_TT_OPTION, request->devmode, request->block, &option) ||
        !rule_Read(FID_FONT_SUBSTITUTION, request->devmode, request->block, &substitution)) {
        return FALSE;
    }
    if (request->changed == FID_TT_OPTION) {
        LONG value = option == TT_BITMAP ? 1 : substitution != 0 ? 2 : 0;
        return rule_Write(FID_FONT_SUBSTITUTION, request->devmode, request->block, value);
    }
    if (request->changed == FID_FONT_SUBSTITUTION) {
        return rule_Write(FID_TT_OPTION, request->devmode, request->block, substitution == 1 ? TT_BITMAP : TT_SUBDEV);
    }
    return TRUE;
}

BOOL WINAPI opt_RuleUpdateColorMode(const SettingsAreas *areas)
{
    if (!areas) {
        return FALSE;
    }
    LONG forced = 0, mode = 0;
    if (!rule_Read(FID_FINISHING_OFF_5202, areas->devmode, areas->block, &forced) ||
        !rule_Read(FID_COLOR_MODE, areas->devmode, areas->block, &mode)) {
        return FALSE;
    }
    if (forced == 1 && mode != COLOR_MODE_MONO &&
        !rule_Write(FID_COLOR_MODE, areas->devmode, areas->block, COLOR_MODE_MONO)) {
        return FALSE;
    }
    WORD type345 = 0, type270 = 0;
    DWORD size = 0;
    DWORD_PTR value345 = 0, value270 = 0;
    if (dma_GetFunctionValue(FID_COLOR_345, areas->devmode, areas->block, &type345, &size, &value345) != SST_OK ||
        dma_GetFunctionValue(FID_COLOR_MODE, areas->devmode, areas->block, &type270, &size, &value270) != SST_OK) {
        return FALSE;
    }
    WORD color = 0;
    if (!opt_ComputeColorField(type345, type270, &value345, &value270, &color) ||
        !rule_Write(FID_COLOR, areas->devmode, areas->block, color)) {
        return FALSE;
    }
    return rule_UpdateFields(areas->devmode, DM_COLOR, 0);
}

/* The bits set in dmFields exactly when the on/off setting is 1. */
static BOOL simple_FieldsByFlag(DriverDevmode *devmode, WORD functionId, DWORD bits)
{
    LONG flag = 0;
    if (!devmode || !rule_Read(functionId, devmode, NULL, &flag)) {
        return FALSE;
    }
    return flag == 1 ? rule_UpdateFields(devmode, bits, 0) : rule_UpdateFields(devmode, 0, bits);
}

BOOL WINAPI opt_RuleSyncScaleField(DriverDevmode *devmode)
{
    return simple_FieldsByFlag(devmode, FID_SCALE_ANNOUNCED, DM_SCALE);
}

BOOL WINAPI opt_RuleSyncPaperDimFields(DriverDevmode *devmode)
{
    return simple_FieldsByFlag(devmode, FID_PAPER_DIMS_ANNOUNCED, DM_PAPERLENGTH | DM_PAPERWIDTH);
}

BOOL WINAPI opt_RuleCopyIfDifferent(DriverDevmode *devmode, PrinterDataBlock *block, LONG value, WORD source,
                                    WORD target)
{
    LONG choice = 0;
    if (!rule_Read(FID_SOURCE_CHOICE, devmode, block, &choice)) {
        return FALSE;
    }
    if (choice == SOURCE_CHOICE_OFF || choice == SOURCE_CHOICE_KEEP) {
        return TRUE;
    }
    LONG current = 0;
    if (!rule_Read(source, devmode, block, &current)) {
        return FALSE;
    }
    return current == value || rule_Write(target, devmode, block, current);
}

BOOL WINAPI opt_RuleCopySourceBack(DriverDevmode *devmode, PrinterDataBlock *block)
{
    return opt_RuleCopyIfDifferent(devmode, block, BIN_FORM_SOURCE, FID_DEFAULT_SOURCE, FID_PAPER_SOURCE);
}

BOOL WINAPI opt_RuleSyncDefaultSource(DriverDevmode *devmode, PrinterDataBlock *block)
{
    return opt_RuleCopyIfDifferent(devmode, block, SOURCE_AUTO_PRIVATE, FID_PAPER_SOURCE, FID_DEFAULT_SOURCE);
}

BOOL WINAPI opt_RuleSetIcmMethod(const SettingsAreas *areas)
{
    LONG choice = 0;
    if (!areas || !rule_Read(FID_OS_293, areas->devmode, areas->block, &choice)) {
        return FALSE;
    }
    LONG method = choice == ICM_SYSTEM_CHOICE ? ICM_SYSTEM : ICM_NONE;
    return rule_Write(FID_ICM_METHOD, areas->devmode, areas->block, method) &&
           rule_UpdateFields(areas->devmode, DM_ICMMETHOD, 0);
}

BOOL WINAPI opt_RuleSetUsedComponentMask(DriverDevmode *devmode, PrinterDataBlock *block)
{
    LONG later = 0;
    if (!rule_Read(FID_COMPONENTS_2_TO_4, devmode, block, &later)) {
        return FALSE;
    }
    DWORD mask = 0;
    DWORD first = later == 1 ? 1 : 0;
    DWORD last = later == 1 ? 3 : 0;
    for (DWORD c = first; c <= last; ++c) {
        for (WORD set : kComponentSets) {
            LONG value = 0;
            if (!rule_Read((WORD)(set + kComponents[c].offset), devmode, block, &value)) {
                return FALSE;
            }
            if (value != 0) {
                mask |= kComponents[c].bit;
            }
        }
    }
    return rule_Write(FID_USED_COMPONENT_MASK, devmode, block, (LONG)mask);
}

BOOL WINAPI opt_RuleSyncResolution(DriverContext *context, DriverDevmode *output, DriverDevmode *input,
                                   PrinterDataBlock *block, WORD command)
{
    if (!context || !output || !input) {
        return FALSE;
    }
    WORD merge = 0, mode = 0;
    if (dm_GetFieldMapMerge(context->fieldMap, FIELD_MAP_RESOLUTION, &merge) == FIELD_MAP_OK &&
        dm_GetFieldMapMode(context->fieldMap, FIELD_MAP_RESOLUTION, &mode) == FIELD_MAP_OK && merge == 1 && mode == 1) {
        command = HC_VALIDATE2;
    }
    if (command == HC_VALIDATE) {
        LONG pair = 0;
        if (!rule_Read(FID_QUALITY_PAIR, input, block, &pair)) {
            return FALSE;
        }
        ValueInOptionsRequest known = {context, FID_QUALITY_PAIR, &pair};
        if (!ddd_IsValueInOptions(&known)) {
            return TRUE;
        }
        if (!rule_Write(FID_QUALITY_PAIR, output, block, pair)) {
            return FALSE;
        }
    } else if (command == HC_VALIDATE2) {
        LONG quality = 0;
        if (!rule_Read(FID_PRINT_QUALITY, input, block, &quality)) {
            return FALSE;
        }
        if (quality <= 0) {
            return TRUE;
        }
        if (!rule_Write(FID_PRINT_QUALITY, output, block, quality) ||
            !rule_Write(FID_Y_RESOLUTION, output, block, quality)) {
            return FALSE;
        }
    } else {
        return TRUE;
    }
    return rule_UpdateFields(output, QUALITY_FIELDS, 0);
}
