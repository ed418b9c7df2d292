/*
 * Handler rows of the public DEVMODE fields (FunctionIDs 1-25).
 */
#include "core/handlers/handler_rows.h"

#include "core/ddd/ddd.h"
#include "core/devmode_helpers/devmode_helpers.h"
#include "core/devmode_merge/field_map.h"
#include "core/paperlist/paper_list.h"
#include "core/protocol/devmode_trailer.h"
#include "core/rules/dependent_rules.h"
#include "core/settings/setting_rules.h"
#include "core/settings/settings.h"
#include "core/util/os_version.h"

/* Defaults written into the public fields and the values they accept. */
enum {
    SPEC_VERSION = 1025,
    DEVMODE_SIZE = 220,
    DEVMODE_SIZE_SHORT_OLD = 212,
    DEVICE_NAME_CHARS = 31,
    DEVICE_NAME_BYTES = 64,
    DRIVER_EXTRA = DM_SHORT_SIZE - DM_PUBLIC_SIZE,
    PAPER_RECORD_TYPE = 10
};

/* 1 when value is one of the n values listed. */
static BOOL pub_OneOf(LONG value, const LONG *values, DWORD n)
{
    for (DWORD i = 0; i < n; ++i) {
        if (values[i] == value) {
            return TRUE;
        }
    }
    return FALSE;
}

/*
 * Whether the public-field map lets a field through unchecked: the map is active, setting
 * 5201 of the block is non-zero and the field's table (FIELD_MAP_*) has "merge" 1.
 */
static BOOL pub_FieldMapMerges(const DriverContext *context, const SettingItem *item, WORD table)
{
    if (!context || !dm_IsFieldMapActive(context->fieldMap)) {
        return FALSE;
    }
    LONG enabled = 0;
    WORD merge = 0;
    return util_ReadSettingLong(FID_FIELD_MAP_SWITCH, item->check.devmode, item->check.block, &enabled) && enabled &&
           dm_GetFieldMapMerge(context->fieldMap, table, &merge) == 1 && merge == 1;
}

/* 1: the printer name, at most 31 characters, in a 64-byte string. */
static BOOL pub_DeviceName(DriverContext *, WORD command, WORD, SettingItem *item)
{
    if (command != HC_DEFAULT) {
        return FALSE;
    }
    return hdl_ReturnString(item, DEVICE_NAME_BYTES, item->def.printerName, DEVICE_NAME_CHARS);
}

/* 2: default 1025; command 2 accepts only 1025, command 16 nothing. */
static BOOL pub_SpecVersion(DriverContext *, WORD command, WORD, SettingItem *item)
{
    if (command == HC_DEFAULT) {
        return hdl_ReturnDefault(item, VT_WORD, SPEC_VERSION);
    }
    return command == HC_VALIDATE && hdl_CheckedNumber(item, VT_WORD) == SPEC_VERSION;
}

/* 3, 257, 1793, 8204: the private version word. */
static BOOL pub_VersionWord(DriverContext *, WORD command, WORD, SettingItem *item)
{
    if (command == HC_DEFAULT) {
        return hdl_ReturnDefault(item, VT_WORD, DM_PRIVATE_VERSION);
    }
    return command == HC_VALIDATE && hdl_CheckedNumber(item, VT_WORD) == DM_PRIVATE_VERSION;
}

/* 258, 8203: the layout identifier. */
static BOOL pub_LayoutWord(DriverContext *, WORD command, WORD, SettingItem *item)
{
    enum { LAYOUT_ID = 8644 };
    if (command == HC_DEFAULT) {
        return hdl_ReturnDefault(item, VT_WORD, LAYOUT_ID);
    }
    return command == HC_VALIDATE && hdl_CheckedNumber(item, VT_WORD) == LAYOUT_ID;
}

/* 4: dmSize; 220, 1604 or 212 are valid. */
static BOOL pub_DmSize(DriverContext *, WORD command, WORD, SettingItem *item)
{
    static const LONG valid[] = {DEVMODE_SIZE, DM_SHORT_SIZE, DEVMODE_SIZE_SHORT_OLD};
    if (command == HC_DEFAULT) {
        return hdl_ReturnDefault(item, VT_WORD, DEVMODE_SIZE);
    }
    return command == HC_VALIDATE && pub_OneOf(hdl_CheckedNumber(item, VT_WORD), valid, 3);
}

/* 5: dmDriverExtra; 1384, or 5676 of the full form with the trailer the render side receives. */
static BOOL pub_DriverExtra(DriverContext *, WORD command, WORD, SettingItem *item)
{
    static const LONG valid[] = {DRIVER_EXTRA, DEVMODE_TRAILER_EXTRA};
    if (command == HC_DEFAULT) {
        return hdl_ReturnDefault(item, VT_WORD, DRIVER_EXTRA);
    }
    return command == HC_VALIDATE && pub_OneOf(hdl_CheckedNumber(item, VT_WORD), valid, 2);
}

/* Both validation forms of a field whose valid values are first..last. */
static BOOL pub_CheckRange(WORD command, const SettingItem *item, LONG first, LONG last)
{
    if (command != HC_VALIDATE && command != HC_VALIDATE2) {
        return FALSE;
    }
    LONG value = hdl_CheckedNumber(item, VT_SHORT);
    return first <= value && value <= last;
}

/* 6: dmFields: the fields the driver accepts, in the default form. */
static BOOL pub_Fields(DriverContext *context, WORD command, WORD, SettingItem *item)
{
    DWORD fields = 0;
    if (command != HC_DEFAULT || !dm_GetSupportedFields(context, &fields, DM_FIELDS_DEFAULT_FORM)) {
        return FALSE;
    }
    return hdl_ReturnDefault(item, VT_DWORD, fields);
}

/*
 * One number default of another setting, for a default computed from it. A setting without
 * a default counts as 0, the value a reset leaves in it. 1, or 0 when the default fails.
 */
static BOOL pub_NumberDefault(DriverContext *context, WORD functionId, WORD *type, DWORD_PTR *value)
{
    DefaultRequest request = {context, functionId, nullptr, nullptr, 0, 0, 0};
    int status = opt_GetDefault(&request);
    if (status == OPT_DEFAULT_NONE) {
        *type = VT_DWORD;
        *value = 0;
        return TRUE;
    }
    if (status != OPT_DEFAULT_OK) {
        return FALSE;
    }
    if (request.valueType == VT_STRING || request.valueType == VT_LOGFONT) {
        opt_FreeDefault(functionId, request.value, request.valueType);
        return FALSE;
    }
    *type = request.valueType;
    *value = request.value;
    return TRUE;
}

/* 15: dmColor: default by the colour rule from the defaults of 345 and 270; 1 or 2. */
static BOOL pub_Color(DriverContext *context, WORD command, WORD, SettingItem *item)
{
    if (command == HC_VALIDATE || command == HC_VALIDATE2) {
        return pub_CheckRange(command, item, DMCOLOR_MONOCHROME, DMCOLOR_COLOR);
    }
    if (command != HC_DEFAULT) {
        return FALSE;
    }
    WORD type345 = 0, type270 = 0, color = 0;
    DWORD_PTR value345 = 0, value270 = 0;
    if (!pub_NumberDefault(context, FID_COLOR_345, &type345, &value345) ||
        !pub_NumberDefault(context, FID_COLOR_MODE, &type270, &value270) ||
        !opt_ComputeColorField(type345, type270, &value345, &value270, &color)) {
        return FALSE;
    }
    return hdl_ReturnDefault(item, VT_SHORT, color);
}

/* 7: dmOrientation 1 or 2. */
static BOOL pub_Orientation(DriverContext *, WORD command, WORD, SettingItem *item)
{
    return pub_CheckRange(command, item, DMORIENT_PORTRAIT, DMORIENT_LANDSCAPE);
}

/* 8, command 4: kind, count and caption of the definition; the count of a device paper list. */
static BOOL pub_PaperShape(DriverContext *context, WORD functionId, SettingItem *item)
{
    OptionList *list = item->shape.list;
    if (!hdl_ShapeFromDefinition(context, functionId, list)) {
        return FALSE;
    }
    WORD papers = 0;
    if (!opt_HasPaperList(context)) {
        return TRUE;
    }
    BOOL ok = opt_CountPapers(context, &papers, PAPER_COUNT_ALL) == PAPER_LIST_OK;
    list->count = papers;
    return ok;
}

/* 8, command 8 without a device paper list: option index + 1 of the description data. */
static BOOL pub_DatabasePaper(DriverContext *context, WORD functionId, SettingItem *item)
{
    DWORD_PTR value = 0;
    const DddOption *option = (const DddOption *)hdl_FetchDatabaseOption(context, functionId, item->text.index, &value);
    if (!option) {
        return FALSE;
    }
    BOOL ok = option->value.valueType != VT_STRING;
    if (ok) {
        WCHAR *buffer = hdl_TextBuffer();
        lstrcpynW(buffer, option->caption ? option->caption : TEXT(""), 256);
        *item->text.text = buffer;
        *item->text.value = value;
        item->text.valueType = option->value.valueType;
    }
    ddd_ReleaseRecord((void *)option);
    return ok;
}

/* 8: dmPaperSize's options from the device paper list when the context holds one. */
static BOOL pub_PaperSize(DriverContext *context, WORD command, WORD functionId, SettingItem *item)
{
    if (command == HC_ADJUST) {
        return pub_PaperShape(context, functionId, item);
    }
    if (command != HC_TEXTS) {
        return FALSE;
    }
    if (!opt_HasPaperList(context)) {
        return pub_DatabasePaper(context, functionId, item);
    }
    const WCHAR *name = nullptr;
    WORD paper = 0;
    if (opt_GetPaperAt(context, item->text.index, PAPER_FIELD_NAME, (void *)&name) != PAPER_LIST_OK ||
        opt_GetPaperAt(context, item->text.index, PAPER_FIELD_ID, &paper) != PAPER_LIST_OK) {
        return FALSE;
    }
    *item->text.text = name;
    *item->text.value = paper;
    item->text.valueType = VT_SHORT;
    return TRUE;
}

/* 9, 10: height or width of the default paper's record. */
static BOOL pub_PaperDimension(DriverContext *context, WORD command, WORD functionId, SettingItem *item)
{
    if (command != HC_DEFAULT) {
        return FALSE;
    }
    PaperSizesRequest sizes = {context, FID_PAPER_SIZE, nullptr, {0, 0}, {0, 0}, 0};
    if (!ddd_GetDefaultPaperSizes(&sizes)) {
        return FALSE;
    }
    WORD value = functionId == FID_PAPER_LENGTH ? sizes.minSize.height : sizes.minSize.width;
    return hdl_ReturnDefault(item, VT_SHORT, value);
}

/* 11: dmScale greater than 0. */
static BOOL pub_Scale(DriverContext *, WORD command, WORD, SettingItem *item)
{
    return pub_CheckRange(command, item, 1, 0x7FFF);
}

/* 12: dmCopies: default 1, 1..maximum of the description data; a range list 1, maximum, 1. */
static BOOL pub_Copies(DriverContext *context, WORD command, WORD, SettingItem *item)
{
    LONG maximum = context && context->model ? ddd_GetEntry4Word(context->model) : 0;
    switch (command) {
    case HC_DEFAULT: return hdl_ReturnDefault(item, VT_SHORT, 1);
    case HC_VALIDATE: return pub_CheckRange(command, item, 1, maximum);
    case HC_VALIDATE2: return hdl_CheckedNumber(item, VT_SHORT) > 0;
    case HC_ADJUST:
        item->shape.list->controlKind = OK_RANGE;
        item->shape.list->count = 3;
        return TRUE;
    case HC_TEXTS: {
        LONG value = item->text.index == 1 ? maximum : 1;
        WCHAR *buffer = hdl_TextBuffer();
        dma_FormatValueText(VT_LONG, &value, buffer);
        *item->text.text = buffer;
        *item->text.value = (DWORD_PTR)value;
        item->text.valueType = VT_SHORT;
        return TRUE;
    }
    default: return FALSE;
    }
}

/* 13: dmDefaultSource: the database for command 2, above 0 for command 16. */
static BOOL pub_DefaultSource(DriverContext *context, WORD command, WORD functionId, SettingItem *item)
{
    if ((command == HC_VALIDATE || command == HC_VALIDATE2) && pub_FieldMapMerges(context, item, FIELD_MAP_BIN)) {
        return TRUE;
    }
    if (command == HC_VALIDATE2) {
        return hdl_CheckedNumber(item, VT_SHORT) > 0;
    }
    if (command != HC_VALIDATE) {
        return FALSE;
    }
    ValueInOptionsRequest check = {context, functionId, item->check.value};
    return ddd_IsValueInOptions(&check);
}

/* 16: dmDuplex 1-3 for command 16. */
static BOOL pub_Duplex(DriverContext *, WORD command, WORD, SettingItem *item)
{
    return command == HC_VALIDATE2 && pub_CheckRange(command, item, DMDUP_SIMPLEX, DMDUP_HORIZONTAL);
}

/* 17: dmTTOption 1-4. */
static BOOL pub_TTOption(DriverContext *, WORD command, WORD, SettingItem *item)
{
    return pub_CheckRange(command, item, 1, 4);
}

/* 18: dmCollate 0 or 1. */
static BOOL pub_Collate(DriverContext *context, WORD command, WORD, SettingItem *item)
{
    if ((command == HC_VALIDATE || command == HC_VALIDATE2) && pub_FieldMapMerges(context, item, FIELD_MAP_COLLATE)) {
        return TRUE;
    }
    return pub_CheckRange(command, item, 0, 1);
}

/* 19: the name of the default paper's record. */
static BOOL pub_FormName(DriverContext *context, WORD command, WORD, SettingItem *item)
{
    if (command != HC_DEFAULT) {
        return FALSE;
    }
    DefaultValueRequest paper = {context, FID_PAPER_SIZE, 0, 0, 0};
    if (!ddd_GetDefaultValue(&paper)) {
        return FALSE;
    }
    if (paper.valueType == VT_STRING) {
        ddd_FreeDefaultValue(paper.value, paper.valueType);
        return FALSE;
    }
    DWORD slot = (DWORD)paper.value;
    OptionTargetRequest target = {FID_PAPER_SIZE, &slot, nullptr};
    WORD status = 0;
    if (!ddd_FetchOptionTarget(&target, &status, context)) {
        return FALSE;
    }
    const DddPaper *record = (const DddPaper *)target.record;
    BOOL ok = record->head.type == PAPER_RECORD_TYPE &&
              hdl_ReturnString(item, DEVICE_NAME_BYTES, record->name, DEVICE_NAME_BYTES / 2 - 1);
    ddd_ReleaseRecord(target.record);
    return ok;
}

/* 22, 23: the colour-matching fields: 1-4, or anything on the classes that ignore them. */
static BOOL pub_Icm(DriverContext *, WORD command, WORD functionId, SettingItem *item)
{
    if (command == HC_DEFAULT) {
        return functionId == FID_ICM_METHOD && hdl_ReturnDefault(item, VT_DWORD, 1);
    }
    if (command != HC_VALIDATE && command != HC_VALIDATE2) {
        return FALSE;
    }
    WORD osClass = 0;
    if (util_GetOsClass(&osClass) < 0) {
        return FALSE;
    }
    if (osClass == UTIL_OS_95 || osClass == UTIL_OS_NT4) {
        return TRUE;
    }
    LONG value = hdl_CheckedNumber(item, VT_DWORD);
    return 1 <= value && value <= 4;
}

/* 24, 25: command 16 always valid. */
static BOOL pub_MediaDither(DriverContext *, WORD command, WORD, SettingItem *)
{
    return command == HC_VALIDATE2;
}

const SettingHandlerRow g_HandlerDeviceName = {nullptr, pub_DeviceName, HC_ALL};
const SettingHandlerRow g_HandlerSpecVersion = {nullptr, pub_SpecVersion, HC_ALL};
const SettingHandlerRow g_HandlerVersionWord = {nullptr, pub_VersionWord, HC_ALL};
const SettingHandlerRow g_HandlerLayoutWord = {nullptr, pub_LayoutWord, HC_ALL};
const SettingHandlerRow g_HandlerDmSize = {nullptr, pub_DmSize, HC_ALL};
const SettingHandlerRow g_HandlerDriverExtra = {nullptr, pub_DriverExtra, HC_ALL};
const SettingHandlerRow g_HandlerFields = {nullptr, pub_Fields, HC_ALL};
const SettingHandlerRow g_HandlerColor = {nullptr, pub_Color, HC_ALL};
const SettingHandlerRow g_HandlerPaperSize = {nullptr, pub_PaperSize, HC_ADJUST | HC_TEXTS};
const SettingHandlerRow g_HandlerOrientation = {nullptr, pub_Orientation, HC_VALIDATE | HC_VALIDATE2};
const SettingHandlerRow g_HandlerPaperLength = {nullptr, pub_PaperDimension, HC_ALL};
const SettingHandlerRow g_HandlerPaperWidth = {nullptr, pub_PaperDimension, HC_ALL};
const SettingHandlerRow g_HandlerScale = {nullptr, pub_Scale, HC_VALIDATE | HC_VALIDATE2};
const SettingHandlerRow g_HandlerCopies = {nullptr, pub_Copies, HC_ALL};
const SettingHandlerRow g_HandlerDefaultSource = {nullptr, pub_DefaultSource, HC_VALIDATE | HC_VALIDATE2};
const SettingHandlerRow g_HandlerDuplex = {nullptr, pub_Duplex, HC_VALIDATE2};
const SettingHandlerRow g_HandlerTTOption = {nullptr, pub_TTOption, HC_VALIDATE | HC_VALIDATE2};
const SettingHandlerRow g_HandlerCollate = {nullptr, pub_Collate, HC_VALIDATE | HC_VALIDATE2};
const SettingHandlerRow g_HandlerFormName = {nullptr, pub_FormName, HC_ALL};
const SettingHandlerRow g_HandlerIcmMethod = {nullptr, pub_Icm, HC_ALL};
const SettingHandlerRow g_HandlerIcmIntent = {nullptr, pub_Icm, HC_VALIDATE | HC_VALIDATE2};
const SettingHandlerRow g_HandlerMediaDither = {nullptr, pub_MediaDither, 0};
