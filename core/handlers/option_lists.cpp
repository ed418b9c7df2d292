/*
 * Option lists: the shell (caption, control kind, count) from the handler row or the
 * definition, its items from the value spec, the handler or the options of the
 * description data, and their release and lookup.
 */
#include "core/handlers/setting_handlers.h"

#include "core/ddd/ddd_access.h"
#include "core/settings/settings.h"
#include "core/util/global_block.h"
#include "core/util/setting_rules.h"

enum { STAMP_CHOICE_ID = 298, LIST_TEXT_CHARS = 256 };

/* The handler row of a descriptor when its mask has the command's bit, else NULL. */
static const SettingHandlerRow *lst_RowFor(const SettingDescriptor *descriptor, DWORD command)
{
    const SettingHandlerRow *row = descriptor ? descriptor->handler : nullptr;
    return row && (row->mask & command) ? row : nullptr;
}

/* The number of options of a fixed shape; 0 for an unknown kind. */
static DWORD lst_ShapeCount(const OptionShape *shape)
{
    switch (shape->controlKind) {
    case OK_ONOFF: return 2;
    case OK_LIST: return shape->data ? ((const OptionShapeList *)shape->data)->count : 0;
    case OK_SINGLE: return 1;
    case OK_RANGE:
    case OK_RANGE3: return 3;
    default: return 0;
    }
}

/* Sets the list's kind, count and caption. 1, or 0 on failure. */
static BOOL lst_Shape(const ListRequest *request, const SettingDescriptor *descriptor, OptionList *list)
{
    const SettingHandlerRow *row = lst_RowFor(descriptor, HC_ADJUST);
    if (row) {
        if (row->spec && (row->spec->flags & SVS_SHAPE) && row->spec->shape) {
            list->controlKind = row->spec->shape->controlKind;
            list->count = lst_ShapeCount(row->spec->shape);
            return list->count != 0;
        }
        if (!row->handler) {
            return FALSE;
        }
        SettingItem item;
        item.shape = { request->resources, list, request->count, nullptr };
        return row->handler(request->context, HC_ADJUST, request->functionId, &item) == TRUE;
    }
    FunctionDefRequest def = { request->context, request->functionId, 0, 0, nullptr, nullptr, 0 };
    if (!ddd_GetFunctionDef(&def)) {
        return FALSE;
    }
    list->controlKind = def.controlKind;
    list->count = def.optionCount;
    list->caption = def.caption ? util_DupWide(def.caption) : nullptr;
    BOOL ok = !def.caption || list->caption;
    ddd_ReleaseRecord(def.record);
    return ok;
}

OptionList *WINAPI opt_CreateList(const ListRequest *request)
{
    if (!request) {
        return nullptr;
    }
    const SettingDescriptor *descriptor = opt_FindDescriptor(request->functionId);
    /* The stamp choice needs the stamp names of the stamp store, which this driver does
       not have yet: as with an empty store, its list cannot be made. */
    if (!descriptor || request->functionId == STAMP_CHOICE_ID) {
        return nullptr;
    }
    OptionList *list = (OptionList *)util_GlobalAllocZero(sizeof(OptionList));
    if (!list) {
        return nullptr;
    }
    if (!lst_Shape(request, descriptor, list)) {
        opt_FreeList(list);
        return nullptr;
    }
    list->functionId = request->functionId;
    return list;
}

/* One option's text, value and type as some source gives them. */
typedef struct ListOption {
    const WCHAR *text;
    DWORD_PTR value;    /* by value; type 6: the string */
    WORD valueType;
    BOOL hasValue;
} ListOption;

/* Option i of a fixed shape. text is a buffer of LIST_TEXT_CHARS. 1, or 0. */
static BOOL lst_FromShape(const ListRequest *request, const SettingValueSpec *spec, DWORD i, WCHAR *text,
                          ListOption *option)
{
    const OptionShape *shape = spec->shape;
    option->valueType = spec->valueType;
    switch (shape->controlKind) {
    case OK_ONOFF:
        option->value = i == 0 ? 1 : 0;
        return TRUE;
    case OK_LIST: {
        const OptionShapeList *data = (const OptionShapeList *)shape->data;
        if (!LoadStringW(request->resources, data->stringBase + i, text, LIST_TEXT_CHARS)) {
            return FALSE;
        }
        option->text = text;
        option->value = data->values[i];
        return TRUE;
    }
    case OK_SINGLE:
        option->value = spec->value;
        return TRUE;
    case OK_RANGE:
    case OK_RANGE3: {
        const OptionShapeRange *range = (const OptionShapeRange *)shape->data;
        if (shape->controlKind == OK_RANGE3) {
            option->valueType = VT_WORD;
            option->hasValue = i < 2;
        }
        option->value = i == 0 ? range->minimum : (i == 1 ? range->maximum : spec->value);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

/* Option i from the handler (command 8). 1, or 0. */
static BOOL lst_FromHandler(const ListRequest *request, const SettingHandlerRow *row, DWORD i, ListOption *option)
{
    if (!row->handler) {
        return FALSE;
    }
    SettingItem item;
    item.text = { request->resources, &option->text, &option->value, 0, i, request->value, nullptr };
    BOOL ok = row->handler(request->context, HC_TEXTS, request->functionId, &item);
    option->valueType = item.text.valueType;
    return ok;
}

/* Copies an option into the list's item (text and string value as new copies). 1, or 0. */
static BOOL lst_StoreItem(OptionList *list, OptionItem *item, const ListOption *option)
{
    list->valueType = option->valueType;
    if (option->text && !(item->text = util_DupWide(option->text))) {
        return FALSE;
    }
    if (!option->hasValue) {
        return TRUE;
    }
    if (option->valueType == VT_STRING) {
        const WCHAR *value = (const WCHAR *)option->value;
        item->value = (DWORD_PTR)(value ? util_DupWide(value) : nullptr);
        return !value || item->value;
    }
    return dma_StoreValueInSlot(option->valueType, &item->value, &option->value) || option->valueType == 0;
}

/* Option i + 1 of the definition in the description data. 1, or 0. */
static BOOL lst_FromDatabase(const ListRequest *request, OptionList *list, OptionItem *item, DWORD i)
{
    DriverContext *context = request->context;
    FunctionDefRequest def = { context, request->functionId, 0, 0, nullptr, nullptr, 0 };
    if (!context || !ddd_GetFunctionDef(&def)) {
        return FALSE;
    }
    const DddDefinition *definition = (const DddDefinition *)def.record;
    WORD type = 0;
    void *record = nullptr;
    BOOL ok = ddd_FetchOptionRecord(definition->head.level, 0, context->model, context->base, definition,
                                    (WORD)(i + 1), &type, &record) == DDD_OK;
    if (ok) {
        const DddOption *found = (const DddOption *)record;
        ListOption option = { found->caption, 0, found->value.valueType, TRUE };
        const void *data = ddd_ValueData(&found->value);
        if (option.valueType == VT_STRING) {
            option.value = (DWORD_PTR)data;
        } else {
            DWORD width = dma_GetTypeWidth(option.valueType);
            CopyMemory(&option.value, data, width < sizeof(DWORD) ? width : sizeof(DWORD));
        }
        ok = lst_StoreItem(list, item, &option);
        ddd_ReleaseRecord(record);
    }
    ddd_ReleaseRecord(def.record);
    return ok;
}

/*
 * The user-defined size option (value 256) of the paper lists shows the custom width and
 * length. Returns 1 (also when the list has no such option), or 0 when the text fails.
 */
static BOOL lst_CustomSizeText(const ListRequest *request, OptionList *list)
{
    enum { USER_SIZE = 256, CUSTOM_WIDTH = 1863, CUSTOM_LENGTH = 1864 };
    if (list->functionId != 8 && list->functionId != 1824) {
        return TRUE;
    }
    OptionItem *items = (OptionItem *)list->items;
    for (DWORD i = 0; i < list->count; ++i) {
        if (items[i].value != USER_SIZE || !items[i].text) {
            continue;
        }
        LONG width = 0, height = 0;
        if (!util_ReadSettingLong(CUSTOM_WIDTH, request->devmode, request->block, &width) ||
            !util_ReadSettingLong(CUSTOM_LENGTH, request->devmode, request->block, &height)) {
            return FALSE;
        }
        PaperTextRecord paper = { USER_SIZE, (WORD)width, (WORD)height, items[i].text };
        PaperTextRequest text = { request->resources, request->devmode, request->block, &paper, request->units };
        WCHAR *sized = opt_FormatPaperSizeText(&text);
        if (!sized) {
            return FALSE;
        }
        GlobalFree(items[i].text);
        items[i].text = sized;
        return TRUE;
    }
    return TRUE;
}

BOOL WINAPI opt_FillListItems(const ListRequest *request, OptionList *list)
{
    if (!request || !list || list->count == 0 || list->count == (DWORD)-1 || list->items) {
        return FALSE;
    }
    OptionItem *items = (OptionItem *)util_GlobalAllocZero(list->count * sizeof(OptionItem));
    if (!items) {
        return FALSE;
    }
    list->items = items;
    const SettingHandlerRow *row = lst_RowFor(opt_FindDescriptor(list->functionId), HC_TEXTS);
    WCHAR text[LIST_TEXT_CHARS];
    for (DWORD i = 0; i < list->count; ++i) {
        BOOL ok;
        if (!row) {
            ok = lst_FromDatabase(request, list, &items[i], i);
        } else {
            ListOption option = { nullptr, 0, 0, TRUE };
            ok = row->spec && (row->spec->flags & SVS_OPTIONS) && row->spec->shape
                     ? lst_FromShape(request, row->spec, i, text, &option)
                     : lst_FromHandler(request, row, i, &option);
            if (list->controlKind == OK_RANGE3 && i == 2) {
                option.hasValue = FALSE;
            }
            ok = ok && lst_StoreItem(list, &items[i], &option);
        }
        if (!ok) {
            return FALSE;
        }
    }
    /* The device paper list and the user paper slots are not in this driver yet: only the
       user-defined size option gets its size text. */
    return lst_CustomSizeText(request, list);
}

OptionList *WINAPI opt_CreateFilledList(const ListRequest *request)
{
    OptionList *list = opt_CreateList(request);
    if (list && !opt_FillListItems(request, list)) {
        opt_FreeList(list);
        return nullptr;
    }
    return list;
}

BOOL WINAPI opt_FreeList(OptionList *list)
{
    if (!list) {
        return FALSE;
    }
    OptionItem *items = (OptionItem *)list->items;
    BOOL ownsValues = list->valueType == VT_STRING && list->controlKind != OK_RANGE3;
    for (DWORD i = 0; items && i < list->count; ++i) {
        util_GlobalFreeIfSet(items[i].text);
        /* Items carry no icon or palette yet: option icons are not made in this driver. */
        if (ownsValues) {
            util_GlobalFreeIfSet((void *)items[i].value);
        }
    }
    util_GlobalFreeIfSet(items);
    util_GlobalFreeIfSet(list->caption);
    GlobalFree(list);
    return TRUE;
}

OptionItem *WINAPI opt_GetItem(const OptionList *list, LONG i)
{
    if (!list || !list->items || i < 0 || (DWORD)i >= list->count) {
        return nullptr;
    }
    return (OptionItem *)list->items + i;
}

OptionItem *WINAPI opt_ItemAt(const OptionList *list, LONG i)
{
    return opt_GetItem(list, i);
}

const WCHAR *WINAPI opt_GetItemText(const OptionList *list, LONG i)
{
    const OptionItem *item = opt_GetItem(list, i);
    return item ? item->text : nullptr;
}

HICON WINAPI opt_GetItemIcon(const OptionList *list, LONG i)
{
    const OptionItem *item = opt_GetItem(list, i);
    return item ? item->icon : nullptr;
}

DWORD_PTR WINAPI opt_GetItemData(const OptionList *list, LONG i)
{
    const OptionItem *item = opt_GetItem(list, i);
    return item ? item->value : 0;
}

OptionItem *WINAPI opt_FindItemByText(const OptionList *list, const WCHAR *text)
{
    if (!list || !list->items || !text) {
        return nullptr;
    }
    DWORD length = dma_CountWideChars(text, 0xFFFF);
    OptionItem *items = (OptionItem *)list->items;
    for (DWORD i = 0; i < list->count; ++i) {
        const WCHAR *itemText = items[i].text;
        if (!itemText) {
            continue;
        }
        DWORD n = 0;
        while (n < length && itemText[n] == text[n]) {
            ++n;
        }
        if (n == length) {
            return &items[i];
        }
    }
    return nullptr;
}
