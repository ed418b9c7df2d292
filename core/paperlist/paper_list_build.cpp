/*
 * Building the device paper list from the model's paper records and the printer's forms,
 * freeing it, and the margins and arrays read from it.
 */
#include "core/paperlist/paper_list.h"

#include "core/rules/dependent_rules.h"
#include "core/settings/settings.h"
#include "core/util/host_env.h"

enum {
    ENTRY_PAPER_CAPACITY = 41,
    PAPER_RECORD = 10,
    PAPER_USER = 256,
    PAPER_CUSTOM_RANGE = 262,
    EXTRA_PAPER_BASE = 512,
    TENTHS_TO_FORM = 100
};

/* 1 when the two texts are equal character by character. */
static BOOL plb_SameName(const WCHAR *a, const WCHAR *b)
{
    while (*a && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

/* Copies at most PAPER_LIST_NAME_CHARS - 1 characters. */
static void plb_CopyName(WCHAR *to, const WCHAR *from, DWORD capacity)
{
    DWORD n = 0;
    while (from && n + 1 < capacity && from[n]) {
        to[n] = from[n];
        ++n;
    }
    to[n] = 0;
}

void WINAPI opt_FreePaperListData(PaperList *list)
{
    if (!list) {
        return;
    }
    if (list->entries) {
        GlobalFree(list->entries);
    }
    GlobalFree(list);
}

int WINAPI opt_FreePaperList(DriverContext *context)
{
    if (!context) {
        return PAPER_LIST_NO_CONTEXT;
    }
    opt_FreePaperListData((PaperList *)context->paperList);
    context->paperList = NULL;
    return PAPER_LIST_OK;
}

/* The entry of a form: its number, size and imageable area. */
static void plb_FromForm(PaperListEntry *entry, const FORM_INFO_1W *form, DWORD index)
{
    entry->formNumber = (SHORT)(index + 1);
    entry->width = form->Size.cx;
    entry->height = form->Size.cy;
    entry->left = form->ImageableArea.left;
    entry->top = form->ImageableArea.top;
    entry->right = form->ImageableArea.right;
    entry->bottom = form->ImageableArea.bottom;
}

/* The custom-size entry: the default paper's size, the record's margins (first block a,
 * second b): left a1, top a2, right width - b1, bottom height - b2. */
static BOOL plb_CustomEntry(DriverContext *context, const DddPaper *record, PaperListEntry *entry)
{
    DefaultValueRequest paper = {context, FID_PAPER_SIZE, 0, 0, 0};
    if (!ddd_GetDefaultValue(&paper) || paper.valueType == VT_STRING) {
        return FALSE;
    }
    void *defaultRecord = NULL;
    if (ddd_FetchRecordByKey(
            DDD_LEVEL_MODEL, context->model, context->base, PAPER_RECORD, (WORD)paper.value, 0, &defaultRecord) !=
        DDD_OK) {
        return FALSE;
    }
    const DddPaper *size = (const DddPaper *)defaultRecord;
    entry->formNumber = 0;
    entry->paperId = PAPER_USER;
    entry->width = (LONG)size->minSize.width * TENTHS_TO_FORM;
    entry->height = (LONG)size->minSize.height * TENTHS_TO_FORM;
    ddd_FreeRecord(&defaultRecord, DDD_FREE_OWN_TYPE);
    entry->left = (LONG)record->margins[0].width * TENTHS_TO_FORM;
    entry->top = (LONG)record->margins[0].height * TENTHS_TO_FORM;
    entry->right = entry->width - (LONG)record->margins[1].width * TENTHS_TO_FORM;
    entry->bottom = entry->height - (LONG)record->margins[1].height * TENTHS_TO_FORM;
    plb_CopyName(entry->name, record->name, PAPER_LIST_NAME_CHARS);
    return TRUE;
}

/* The model entries, one per paper record. Returns 1, or 0 (a paper without its form). */
static BOOL plb_ModelEntries(DriverContext *context, const FORM_INFO_1W *forms, DWORD formCount,
                             PaperListEntry *entries, WORD count)
{
    for (WORD n = 1; n <= count; ++n) {
        DddFetchRequest fetch = {DDD_LEVEL_MODEL, context->model, context->base, PAPER_RECORD, n, NULL};
        if (ddd_FetchRecordByIndex(&fetch) != DDD_OK) {
            return FALSE;
        }
        const DddPaper *record = (const DddPaper *)fetch.record;
        PaperListEntry *entry = &entries[n - 1];
        BOOL done = FALSE;
        if (record->head.key == PAPER_USER) {
            done = plb_CustomEntry(context, record, entry);
        } else {
            for (DWORD i = 0; i < formCount && !done; ++i) {
                if (record->name && plb_SameName(forms[i].pName, record->name)) {
                    plb_FromForm(entry, &forms[i], i);
                    entry->paperId = record->head.key;
                    plb_CopyName(entry->name, record->name, PAPER_LIST_NAME_CHARS);
                    done = TRUE;
                }
            }
        }
        ddd_FreeRecord(&fetch.record, DDD_FREE_OWN_TYPE);
        if (!done) {
            return FALSE;
        }
    }
    return TRUE;
}

/* The printer's other forms inside the custom range, while entries remain. Returns the
 * count added. */
static WORD plb_ExtraEntries(DriverContext *context, const FORM_INFO_1W *forms, DWORD formCount,
                             PaperListEntry *entries, WORD modelCount, WORD capacity)
{
    DddSize low = {0, 0}, high = {0, 0};
    BOOL ranged = opt_GetCustomPaperRange(context, PAPER_CUSTOM_RANGE, &low, &high);
    WORD extra = 0;
    for (DWORD i = 0; i < formCount && modelCount + extra < capacity; ++i) {
        BOOL listed = FALSE;
        for (WORD m = 0; m < modelCount && !listed; ++m) {
            listed = plb_SameName(entries[m].name, forms[i].pName);
        }
        LONG w = forms[i].Size.cx, h = forms[i].Size.cy;
        if (listed || !ranged || w < (LONG)low.width * TENTHS_TO_FORM || w > (LONG)high.width * TENTHS_TO_FORM ||
            h < (LONG)low.height * TENTHS_TO_FORM || h > (LONG)high.height * TENTHS_TO_FORM) {
            continue;
        }
        PaperListEntry *entry = &entries[modelCount + extra];
        plb_FromForm(entry, &forms[i], i);
        entry->paperId = (WORD)(EXTRA_PAPER_BASE + extra);
        plb_CopyName(entry->name, forms[i].pName, PAPER_LIST_NAME_CHARS);
        ++extra;
    }
    return extra;
}

int WINAPI opt_BuildPaperList(const PaperListBuildRequest *request)
{
    if (!request) {
        return PAPER_LIST_BAD_ARGUMENT;
    }
    DriverContext *context = request->context;
    if (!context) {
        return PAPER_LIST_NO_CONTEXT;
    }
    if (!request->printer || !request->block) {
        return PAPER_LIST_BAD_ARGUMENT;
    }
    opt_FreePaperList(context);
    PaperListUseRequest use = {context, request->block};
    if (!opt_UsesDevicePaperList(&use)) {
        return PAPER_LIST_OK;
    }
    WORD capacity = (WORD)ddd_GetEntryNumber(context->model, ENTRY_PAPER_CAPACITY, 2, 0);
    DddRecordCountRequest counting = {context->model, PAPER_RECORD};
    WORD count = ddd_GetRecordCount(&counting);
    if (capacity < count || capacity == 0) {
        return PAPER_LIST_BAD_ARGUMENT;
    }
    PaperList *list = (PaperList *)GlobalAlloc(GPTR, sizeof(PaperList));
    PaperListEntry *entries = list ? (PaperListEntry *)GlobalAlloc(GPTR, capacity * sizeof(PaperListEntry)) : NULL;
    FORM_INFO_1W *forms = NULL;
    DWORD needed = 0, formCount = 0;
    BOOL done = entries && util_EnumFormsAlloc(request->printer, &forms, &needed, &formCount) == UTIL_FORMS_OK &&
                plb_ModelEntries(context, forms, formCount, entries, count);
    if (done) {
        list->entries = entries;
        list->modelCount = count;
        list->extraCount = plb_ExtraEntries(context, forms, formCount, entries, count, capacity);
        context->paperList = list;
    } else {
        if (entries) {
            GlobalFree(entries);
        }
        if (list) {
            GlobalFree(list);
        }
    }
    if (forms) {
        GlobalFree(forms);
    }
    return done ? PAPER_LIST_OK : PAPER_LIST_BAD_ARGUMENT;
}

/* The entry with the paper id, or NULL; result: out -1, -2 or -3 when NULL. */
static const PaperListEntry *plb_Find(const DriverContext *context, WORD paperId, int *result)
{
    if (!context) {
        *result = PAPER_LIST_NO_CONTEXT;
        return NULL;
    }
    const PaperList *list = (const PaperList *)context->paperList;
    if (!list) {
        *result = PAPER_LIST_NONE;
        return NULL;
    }
    for (DWORD i = 0; i < (DWORD)list->modelCount + list->extraCount; ++i) {
        if (list->entries[i].paperId == paperId) {
            *result = PAPER_LIST_OK;
            return &list->entries[i];
        }
    }
    *result = PAPER_LIST_NOT_FOUND;
    return NULL;
}

int WINAPI opt_GetPaperMargins(const DriverContext *context, WORD paperId, LONG *size, LONG *imageable,
                               LONG *leftBottom, LONG *rightTop)
{
    int result = PAPER_LIST_OK;
    const PaperListEntry *e = plb_Find(context, paperId, &result);
    if (!e) {
        return result;
    }
    if (!size || !imageable || !leftBottom || !rightTop) {
        return PAPER_LIST_BAD_ARGUMENT;
    }
    size[0] = e->width / TENTHS_TO_FORM;
    size[1] = e->height / TENTHS_TO_FORM;
    imageable[0] = (e->right - e->left) / TENTHS_TO_FORM;
    imageable[1] = (e->bottom - e->top) / TENTHS_TO_FORM;
    leftBottom[0] = e->left / TENTHS_TO_FORM;
    leftBottom[1] = (e->height - e->bottom) / TENTHS_TO_FORM;
    rightTop[0] = (e->width - e->right) / TENTHS_TO_FORM;
    rightTop[1] = e->top / TENTHS_TO_FORM;
    return PAPER_LIST_OK;
}

/* Bytes of one element of a kind; 0 for another kind. */
static DWORD plb_ElementBytes(int kind)
{
    switch (kind) {
    case PAPER_ARRAY_IDS:
    case PAPER_ARRAY_FORMS: return sizeof(WORD);
    case PAPER_ARRAY_NAMES: return PAPER_ARRAY_NAME_CHARS * sizeof(WCHAR);
    case PAPER_ARRAY_SIZES: return 2 * sizeof(LONG);
    default: return 0;
    }
}

int WINAPI opt_GetPaperListArrays(const DriverContext *context, int kind, void **array, WORD *bytes, BOOL withCustom,
                                  void **custom)
{
    if (!context) {
        return PAPER_LIST_NO_CONTEXT;
    }
    const PaperList *list = (const PaperList *)context->paperList;
    if (!list) {
        return PAPER_LIST_NONE;
    }
    DWORD element = plb_ElementBytes(kind);
    if (!element || !array || !bytes || (withCustom && !custom)) {
        return PAPER_LIST_BAD_ARGUMENT;
    }
    DWORD all = (DWORD)list->modelCount + list->extraCount;
    DWORD taken = 0;
    for (DWORD i = 0; i < all; ++i) {
        taken += withCustom || list->entries[i].formNumber != 0 ? 1 : 0;
    }
    DWORD total = taken * element;
    if (total > 0xFFFF) {
        return PAPER_LIST_BAD_ARGUMENT;
    }
    BYTE *out = (BYTE *)GlobalAlloc(GPTR, total ? total : 1);
    if (!out) {
        return PAPER_LIST_BAD_ARGUMENT;
    }
    if (custom) {
        *custom = NULL;
    }
    BYTE *at = out;
    for (DWORD i = 0; i < all; ++i) {
        const PaperListEntry *e = &list->entries[i];
        if (e->formNumber == 0 && !withCustom) {
            continue;
        }
        if (e->formNumber == 0) {
            *custom = at;
        }
        switch (kind) {
        case PAPER_ARRAY_IDS: *(WORD *)at = e->paperId; break;
        case PAPER_ARRAY_FORMS: *(WORD *)at = (WORD)e->formNumber; break;
        case PAPER_ARRAY_NAMES: plb_CopyName((WCHAR *)at, e->name, PAPER_ARRAY_NAME_CHARS); break;
        default:
            ((LONG *)at)[0] = e->width / TENTHS_TO_FORM;
            ((LONG *)at)[1] = e->height / TENTHS_TO_FORM;
            break;
        }
        at += element;
    }
    *array = out;
    *bytes = (WORD)total;
    return PAPER_LIST_OK;
}
