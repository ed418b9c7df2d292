/*
 * Handler rows of private settings: model name, stamp choice, face names, the user paper
 * slots and the fixed values of the printer-data block.
 */
#include "core/handlers/handler_rows.h"

#include "core/settings/settings.h"
#include "core/stamps/stamps.h"
#include "core/util/global_block.h"
#include "core/util/resource_module.h"

enum {
    MODEL_NAME_BYTES = 64,
    STAMP_CHOICE_BYTES = 66,
    FACE_NAME_BYTES = 64,
    SLOT_NAME_CHARS = 14, /* slot names fit a 30-byte string */
    SLOT_NAME_BYTES = 30,
    PAPER_A4 = 9,
    STRING_NO_STAMP = 426
};

/* 259: the model name of the description file's header; command 2 accepts only that name. */
static BOOL prv_ModelName(DriverContext *context, WORD command, WORD, SettingItem *item)
{
    if (command != HC_DEFAULT && command != HC_VALIDATE) {
        return FALSE;
    }
    WORD status = 0;
    WCHAR *name = ddd_GetContextHeaderName(context, &status);
    if (!name) {
        return FALSE;
    }
    BOOL result;
    if (command == HC_DEFAULT) {
        result = hdl_ReturnString(item, MODEL_NAME_BYTES, name, MODEL_NAME_BYTES / 2 - 1);
    } else {
        const WCHAR *stored = (const WCHAR *)*(const DWORD_PTR *)item->check.value;
        result = opt_CompareValues(VT_STRING, &stored, &name) == 0;
    }
    GlobalFree(name);
    return result;
}

/* 298: an empty default; the list needs the stamp names (none without a stamp store). */
static BOOL prv_StampChoice(DriverContext *, WORD command, WORD, SettingItem *item)
{
    switch (command) {
    case HC_DEFAULT: return hdl_ReturnString(item, STAMP_CHOICE_BYTES, nullptr, 0);
    case HC_ADJUST:
        if (!item->shape.stamps) {
            return FALSE;
        }
        item->shape.list->controlKind = OK_LIST;
        item->shape.list->count = item->shape.stamps->count + 1u;
        return TRUE;
    case HC_TEXTS: {
        const StampNames *stamps = (const StampNames *)item->text.creatorData;
        if (item->text.index == 0) {
            WCHAR *buffer = hdl_TextBuffer();
            if (!LoadStringW(util_GetResourceModule(), STRING_NO_STAMP, buffer, 256)) {
                return FALSE;
            }
            static const WCHAR empty[1] = {0};
            *item->text.text = buffer;
            *item->text.value = (DWORD_PTR)empty;
            item->text.valueType = VT_STRING;
            return TRUE;
        }
        if (!stamps || item->text.index > stamps->count) {
            return FALSE;
        }
        const WCHAR *name = stamps->names;
        for (DWORD i = 1; i < item->text.index; ++i) {
            name += dma_CountWideChars(name, 0xFFFF) + 1;
        }
        *item->text.text = name;
        *item->text.value = (DWORD_PTR)name;
        item->text.valueType = VT_STRING;
        return TRUE;
    }
    default: return FALSE;
    }
}

/* 305: an empty face name; the list is the creator's texts (count given, 0 fails). */
static BOOL prv_FaceName(DriverContext *, WORD command, WORD, SettingItem *item)
{
    switch (command) {
    case HC_DEFAULT: return hdl_ReturnString(item, FACE_NAME_BYTES, nullptr, 0);
    case HC_ADJUST:
        if (item->shape.count == 0) {
            return FALSE;
        }
        item->shape.list->controlKind = OK_LIST;
        item->shape.list->count = item->shape.count;
        return TRUE;
    case HC_TEXTS: {
        const WCHAR *const *texts = (const WCHAR *const *)item->text.creatorValue;
        if (!texts) {
            return FALSE;
        }
        *item->text.text = texts[item->text.index];
        *item->text.value = (DWORD_PTR)texts[item->text.index];
        item->text.valueType = VT_STRING;
        return TRUE;
    }
    default: return FALSE;
    }
}

/* 357: the default stamp font record (92 bytes). */
static BOOL prv_StampFont(DriverContext *, WORD command, WORD, SettingItem *item)
{
    if (command != HC_DEFAULT) {
        return FALSE;
    }
    LOGFONTW *font = (LOGFONTW *)util_GlobalAllocZero(sizeof(LOGFONTW));
    if (!font) {
        return FALSE;
    }
    if (!ureg_GetDefaultStampFont(font) || !hdl_ReturnDefault(item, VT_LOGFONT, (DWORD_PTR)font)) {
        GlobalFree(font);
        return FALSE;
    }
    return TRUE;
}

/* 358: the default stamp font's face name; the list as 305. */
static BOOL prv_StampFaceName(DriverContext *context, WORD command, WORD functionId, SettingItem *item)
{
    if (command != HC_DEFAULT) {
        return prv_FaceName(context, command, functionId, item);
    }
    LOGFONTW font;
    if (!ureg_GetDefaultStampFont(&font)) {
        return FALSE;
    }
    return hdl_ReturnString(item, FACE_NAME_BYTES, font.lfFaceName, LF_FACESIZE - 1);
}

/* 5889-5928: width or height of the database's A4 record. */
static BOOL prv_SlotSize(DriverContext *context, WORD command, WORD functionId, SettingItem *item)
{
    if (command != HC_DEFAULT) {
        return FALSE;
    }
    PaperFindRequest find = {};
    find.context = context;
    find.functionId = FID_PAPER_SIZE;
    find.mode = PAPER_MATCH_NUMBER;
    find.key.number = PAPER_A4;
    if (!ddd_FindPaperOption(&find)) {
        return FALSE;
    }
    WORD value = functionId < FID_SLOT_LENGTH ? find.match.width : find.match.height;
    ddd_FreePaperMatchName(&find.match);
    return hdl_ReturnDefault(item, VT_WORD, value);
}

/* 5929-5948: the user-defined name of slot FunctionID - 5929. */
static BOOL prv_SlotName(DriverContext *, WORD command, WORD functionId, SettingItem *item)
{
    if (command != HC_DEFAULT) {
        return FALSE;
    }
    WCHAR name[SLOT_NAME_CHARS + 1];
    util_FormatUserDefinedName((DWORD)(functionId - FID_SLOT_NAME), name, SLOT_NAME_CHARS + 1);
    return hdl_ReturnString(item, SLOT_NAME_BYTES, name, SLOT_NAME_CHARS);
}

static const SettingValueSpec s_BlockSizeSpec = {SVS_DEFAULT, VT_WORD, (DWORD)-1, PRINTER_DATA_SIZE, nullptr};
static const SettingValueSpec s_ByteZeroSpec = {SVS_DEFAULT, VT_BYTE, (DWORD)-1, 0, nullptr};

const SettingHandlerRow g_HandlerModelName = {nullptr, prv_ModelName, HC_ALL};
const SettingHandlerRow g_HandlerStampChoice = {nullptr, prv_StampChoice, HC_ALL};
const SettingHandlerRow g_HandlerFaceName = {nullptr, prv_FaceName, HC_ALL};
const SettingHandlerRow g_HandlerStampFont = {nullptr, prv_StampFont, HC_ALL};
const SettingHandlerRow g_HandlerStampFaceName = {nullptr, prv_StampFaceName, HC_ALL};
const SettingHandlerRow g_HandlerSlotWidth = {nullptr, prv_SlotSize, HC_ALL};
const SettingHandlerRow g_HandlerSlotLength = {nullptr, prv_SlotSize, HC_ALL};
const SettingHandlerRow g_HandlerSlotName = {nullptr, prv_SlotName, HC_ALL};
const SettingHandlerRow g_HandlerBlockSize = {&s_BlockSizeSpec, nullptr, HC_ALL};
const SettingHandlerRow g_HandlerByteSpec = {&s_ByteZeroSpec, nullptr, 0};
