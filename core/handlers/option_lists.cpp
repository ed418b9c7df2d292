/*
 * Option lists: the shell (caption, control kind, count) from the handler row or the
 * definition, its items from the value spec, the handler or the options of the
 * description data, and their release and lookup.
 */
#include "core/handlers/handler_rows.h"

#include "core/stamps/stamp_store.h"

#include "core/ddd/ddd.h"
#include "core/ddd/ddd_access.h"
#include "core/settings/settings.h"
#include "core/util/global_block.h"

enum { STAMP_CHOICE_ID = 298, LIST_TEXT_CHARS = 256, BITMAP_RECORD = 12 };

BOOL hdl_ShapeFromDefinition(DriverContext *context, WORD functionId, OptionList *list)
{
    FunctionDefRequest def = {context, functionId, 0, 0, nullptr, nullptr, 0};
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

void *hdl_FetchDatabaseOption(DriverContext *context, WORD functionId, DWORD i, DWORD_PTR *value)
{
    FunctionDefRequest def = {context, functionId, 0, 0, nullptr, nullptr, 0};
    if (!context || !ddd_GetFunctionDef(&def)) {
        return nullptr;
    }
    const DddDefinition *definition = (const DddDefinition *)def.record;
    WORD type = 0;
    void *record = nullptr;
    if (ddd_FetchOptionRecord(
            definition->head.level, 0, context->model, context->base, definition, (WORD)(i + 1), &type, &record) !=
        DDD_OK) {
        record = nullptr;
    }
    ddd_ReleaseRecord(def.record);
    const DddOption *option = (const DddOption *)record;
    const void *data = option ? ddd_ValueData(&option->value) : nullptr;
    if (option && !data) {
        ddd_ReleaseRecord(record);
        return nullptr;
    }
    if (option) {
        *value = 0;
        if (option->value.valueType == VT_STRING) {
            *value = (DWORD_PTR)data;
        } else {
            DWORD width = dma_GetTypeWidth(option->value.valueType);
            CopyMemory(value, data, width < sizeof(DWORD) ? width : sizeof(DWORD));
        }
    }
    return record;
}

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
static BOOL lst_Shape(const ListRequest *request, const SettingDescriptor *descriptor, OptionList *list,
                      StampNames *stamps)
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
        item.shape = {request->resources, list, request->count, stamps};
        return row->handler(request->context, HC_ADJUST, request->functionId, &item) == TRUE;
    }
    return hdl_ShapeFromDefinition(request->context, request->functionId, list);
}

/*
 * The stamp choice's names from the stamp store (first its size, then the names). Returns
 * 1 with stamps filled (free names with GlobalFree), 0 for an empty store or a failure.
 */
static BOOL lst_LoadStampNames(const ListRequest *request, StampNames *stamps)
{
    stamps->count = 0;
    stamps->names = nullptr;
    DWORD size = 0;
    WORD count = 0;
    if (ureg_ListStampNames(request->printer, nullptr, &count, &size, request->context) != 1 || size == 0) {
        return FALSE;
    }
    stamps->names = (WCHAR *)util_GlobalAllocZero(size + sizeof(WCHAR));
    if (!stamps->names) {
        return FALSE;
    }
    if (ureg_ListStampNames(request->printer, stamps->names, &count, &size, request->context) != 1) {
        GlobalFree(stamps->names);
        stamps->names = nullptr;
        return FALSE;
    }
    stamps->count = count;
    return TRUE;
}

/* The shell of a descriptor's list; NULL on failure. */
static OptionList *lst_Create(const ListRequest *request, const SettingDescriptor *descriptor)
{
    if (!request || !descriptor) {
        return nullptr;
    }
    StampNames stamps = {0, nullptr};
    BOOL isStampChoice = request->functionId == STAMP_CHOICE_ID;
    if (isStampChoice && !lst_LoadStampNames(request, &stamps)) {
        return nullptr;
    }
    OptionList *list = (OptionList *)util_GlobalAllocZero(sizeof(OptionList));
    BOOL ok = list && lst_Shape(request, descriptor, list, isStampChoice ? &stamps : nullptr);
    util_GlobalFreeIfSet(stamps.names);
    if (!ok) {
        if (list) {
            opt_FreeList(list);
        }
        return nullptr;
    }
    list->functionId = request->functionId;
    return list;
}

OptionList *WINAPI opt_CreateList(const ListRequest *request)
{
    return request ? lst_Create(request, opt_FindDescriptor(request->functionId)) : nullptr;
}

/* One option's text, value and type as some source gives them. */
typedef struct ListOption {
    const WCHAR *text;
    DWORD_PTR value; /* by value; type 6: the string */
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
    case OK_ONOFF: option->value = i == 0 ? 1 : 0; return TRUE;
    case OK_LIST: {
        const OptionShapeList *data = (const OptionShapeList *)shape->data;
        if (!LoadStringW(request->resources, data->stringBase + i, text, LIST_TEXT_CHARS)) {
            return FALSE;
        }
        option->text = text;
        option->value = data->values[i];
        return TRUE;
    }
    case OK_SINGLE: option->value = spec->value; return TRUE;
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
    default: return FALSE;
    }
}

/* Option i from the handler (command 8). 1, or 0. */
static BOOL lst_FromHandler(const ListRequest *request, const SettingHandlerRow *row, DWORD i, ListOption *option,
                            const StampNames *stamps)
{
    if (!row->handler) {
        return FALSE;
    }
    SettingItem item;
    item.text = {request->resources, &option->text, &option->value, 0, i, request->value, stamps};
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

/*
 * The icon of a database option (its type-12 bitmap record) into the item, with the
 * palette made for it. 1 also without an icon; 0 when the record or the icon fails.
 */
static BOOL lst_OptionIcon(const ListRequest *request, const DddOption *option, OptionItem *item)
{
    if (!option->iconKey) {
        return TRUE;
    }
    DriverContext *context = request->context;
    DddFile *holder = nullptr;
    WORD level = 0;
    if (ddd_LocateRecord(DDD_BY_KEY,
                         context->model,
                         context->base,
                         option->head.level,
                         BITMAP_RECORD,
                         option->iconKey,
                         &holder,
                         &level) != DDD_OK) {
        return FALSE;
    }
    DddParseRequest parse = {
        DDD_PARSE_BITMAP_DATA, holder, context->model, context->base, BITMAP_RECORD, level, nullptr};
    if (ddd_ParseRecord(&parse) != DDD_OK) {
        return FALSE;
    }
    const DddBitmap *bitmap = (const DddBitmap *)parse.record;
    HPALETTE palette = nullptr;
    BOOL ok = bitmap->head.key == option->iconKey && bitmap->dib &&
              opt_CreateIconFromDib(
                  request->resources, (const BITMAPINFO *)bitmap->dib, bitmap->dibLength, &item->icon, &palette);
    item->extra = palette;
    ddd_FreeRecord(&parse.record, DDD_FREE_OWN_TYPE);
    return ok;
}

/* Option i + 1 of the definition in the description data. 1, or 0. */
static BOOL lst_FromDatabase(const ListRequest *request, OptionList *list, OptionItem *item, DWORD i)
{
    DWORD_PTR value = 0;
    const DddOption *found =
        (const DddOption *)hdl_FetchDatabaseOption(request->context, request->functionId, i, &value);
    if (!found) {
        return FALSE;
    }
    ListOption option = {found->caption, value, found->value.valueType, TRUE};
    BOOL ok = lst_StoreItem(list, item, &option) && lst_OptionIcon(request, found, item);
    ddd_ReleaseRecord((void *)found);
    return ok;
}

/* Fills the items of a list whose item array is allocated. 1, or 0 at the first failure. */
static BOOL lst_FillItems(const ListRequest *request, OptionList *list, const SettingHandlerRow *row,
                          const StampNames *stamps)
{
    OptionItem *items = (OptionItem *)list->items;
    WCHAR text[LIST_TEXT_CHARS];
    for (DWORD i = 0; i < list->count; ++i) {
        BOOL ok;
        if (!row) {
            ok = lst_FromDatabase(request, list, &items[i], i);
        } else {
            ListOption option = {nullptr, 0, 0, TRUE};
            ok = row->spec && (row->spec->flags & SVS_OPTIONS) && row->spec->shape
                     ? lst_FromShape(request, row->spec, i, text, &option)
                     : lst_FromHandler(request, row, i, &option, stamps);
            if (list->controlKind == OK_RANGE3 && i == 2) {
                option.hasValue = FALSE;
            }
            ok = ok && lst_StoreItem(list, &items[i], &option);
        }
        if (!ok) {
            return FALSE;
        }
    }
    return TRUE;
}

/* The items of a descriptor's list shell. 1, or 0 on failure. */
static BOOL lst_Fill(const ListRequest *request, const SettingDescriptor *descriptor, OptionList *list)
{
    if (!request || !list || list->count == 0 || list->count == (DWORD)-1 || list->items) {
        return FALSE;
    }
    OptionItem *items = (OptionItem *)util_GlobalAllocZero(list->count * sizeof(OptionItem));
    if (!items) {
        return FALSE;
    }
    list->items = items;
    const SettingHandlerRow *row = lst_RowFor(descriptor, HC_TEXTS);
    StampNames stamps = {0, nullptr};
    if (list->functionId == STAMP_CHOICE_ID && !lst_LoadStampNames(request, &stamps)) {
        return FALSE;
    }
    BOOL filled = lst_FillItems(request, list, row, &stamps);
    util_GlobalFreeIfSet(stamps.names);
    return filled && hdl_RewritePaperTexts(request, list);
}

BOOL WINAPI opt_FillListItems(const ListRequest *request, OptionList *list)
{
    return list && lst_Fill(request, opt_FindDescriptor(list->functionId), list);
}

OptionList *hdl_CreateFilledListFor(const ListRequest *request, const SettingDescriptor *descriptor)
{
    OptionList *list = lst_Create(request, descriptor);
    if (list && !lst_Fill(request, descriptor, list)) {
        opt_FreeList(list);
        return nullptr;
    }
    return list;
}

OptionList *WINAPI opt_CreateFilledList(const ListRequest *request)
{
    return request ? hdl_CreateFilledListFor(request, opt_FindDescriptor(request->functionId)) : nullptr;
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
        if (items[i].icon) {
            DestroyIcon(items[i].icon);
        }
        if (items[i].extra) {
            DeleteObject((HPALETTE)items[i].extra);
        }
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
