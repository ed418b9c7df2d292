/*
 * The papers of the capability queries: from the device paper list when it is in use,
 * otherwise from the description's paper items joined with the printer's forms; their
 * numbers, sizes and names, the extents over them, and the names of the paper items.
 */
#include "core/capabilities/capabilities_private.h"

#include "core/constraints/constraints.h"
#include "core/handlers/handler_rows.h"
#include "core/paperlist/paper_list.h"
#include "core/rules/dependent_rules.h"
#include "core/settings/setting_rules.h"
#include "core/settings/settings.h"
#include "core/util/host_env.h"
#include "core/util/resource_module.h"

enum {
    PAPER_USER = 256,
    PAPER_LEFT_OUT_1 = 311,
    PAPER_LEFT_OUT_2 = 312,
    RANGE_KEY = 262,
    STRING_CUSTOM_NAME = 5174,
    FORM_UNITS_PER_TENTH = 100,
    PAPER_RECORD = 10,
    TEXT_CHARS = 256
};

/* The DEVMODE's user size replaces size when it lies within the size range of key 262. */
static void paper_UserSize(const DcQuery *q, LONG *width, LONG *height)
{
    ConstraintContext cc = {q->context, q->devmode, q->block};
    DddSize low = {0, 0}, high = {0, 0};
    LONG w = 0, h = 0;
    BOOL ranged = cst_GetSizeRangeLimits(&cc, 5, RANGE_KEY, &low, &high) == 0 ||
                  cst_GetSizeRangeLimits(&cc, 6, RANGE_KEY, &low, &high) == 0;
    if (ranged && q->devmode && util_ReadSettingLong(FID_PAPER_WIDTH, q->devmode, q->block, &w) &&
        util_ReadSettingLong(FID_PAPER_LENGTH, q->devmode, q->block, &h) && w >= low.width && w <= high.width &&
        h >= low.height && h <= high.height) {
        *width = w;
        *height = h;
    }
}

/* The papers of the device paper list. */
static BOOL paper_FromList(const DcQuery *q, DcPaper **papers, DWORD *count)
{
    void *forms = NULL, *sizes = NULL, *names = NULL, *customForm = NULL, *customSize = NULL, *customName = NULL;
    WORD formBytes = 0, sizeBytes = 0, nameBytes = 0;
    BOOL done = opt_GetPaperListArrays(q->context, PAPER_ARRAY_FORMS, &forms, &formBytes, TRUE, &customForm) == 1 &&
                opt_GetPaperListArrays(q->context, PAPER_ARRAY_SIZES, &sizes, &sizeBytes, TRUE, &customSize) == 1 &&
                opt_GetPaperListArrays(q->context, PAPER_ARRAY_NAMES, &names, &nameBytes, TRUE, &customName) == 1;
    DWORD n = formBytes / sizeof(WORD);
    DcPaper *out = done ? (DcPaper *)GlobalAlloc(GPTR, (n ? n : 1) * sizeof(DcPaper)) : NULL;
    for (DWORD i = 0; out && i < n; ++i) {
        BOOL custom = (BYTE *)customForm == (BYTE *)forms + i * sizeof(WORD);
        out[i].number = custom ? (WORD)PAPER_USER : ((WORD *)forms)[i];
        out[i].width = ((LONG *)sizes)[2 * i];
        out[i].height = ((LONG *)sizes)[2 * i + 1];
        dc_CopyName(out[i].name, (WCHAR *)names + i * PAPER_ARRAY_NAME_CHARS, DC_PAPER_NAME_CHARS);
        if (custom) {
            paper_UserSize(q, &out[i].width, &out[i].height);
        }
    }
    void *blocks[] = {forms, sizes, names};
    for (void *block : blocks) {
        if (block) {
            GlobalFree(block);
        }
    }
    *papers = out;
    *count = out ? n : 0;
    return out != NULL;
}

/* The 1-based position of the form of that name, 0 without one. */
static WORD paper_FormNumber(const FORM_INFO_1W *forms, DWORD count, const WCHAR *name)
{
    for (DWORD i = 0; name && i < count; ++i) {
        if (lstrcmpW(forms[i].pName, name) == 0) {
            return (WORD)(i + 1);
        }
    }
    return 0;
}

/* A custom slot's paper: the slot's name (shown through string 5174 with its size in
 * millimetres when the string exists) and the size of the form named for the slot.
 * Returns 1, 0 for a slot paper whose form the printer lacks, -1 for no slot paper. */
static int paper_Custom(const DcQuery *q, WORD value, const FORM_INFO_1W *forms, DWORD formCount, DcPaper *paper)
{
    SHORT key = (SHORT)value;
    WORD nameId = 0;
    WCHAR slotForm[CUSTOM_SLOT_NAME_CHARS] = {0};
    if (!opt_FindCustomPaperSlot(&key, VT_SHORT, NULL, NULL, &nameId, NULL)) {
        return -1;
    }
    util_FormatUserDefinedName((DWORD)(nameId - FID_SLOT_NAME), slotForm, CUSTOM_SLOT_NAME_CHARS);
    WORD number = paper_FormNumber(forms, formCount, slotForm);
    if (number == 0) {
        return 0;
    }
    const FORM_INFO_1W *form = &forms[number - 1];
    paper->number = number;
    paper->width = form->Size.cx / FORM_UNITS_PER_TENTH;
    paper->height = form->Size.cy / FORM_UNITS_PER_TENTH;
    const WCHAR *name = (const WCHAR *)dma_GetTypedValue(q->devmode, q->block, nameId, VT_STRING);
    WCHAR frame[TEXT_CHARS] = {0};
    HMODULE resources = util_GetResourceModule();
    if (resources && LoadStringW(resources, STRING_CUSTOM_NAME, frame, TEXT_CHARS) > 0) {
        WCHAR text[TEXT_CHARS * 2] = {0};
        wsprintfW(text, frame, name ? name : TEXT(""), (int)(paper->width / 10), (int)(paper->height / 10));
        dc_CopyName(paper->name, text, DC_PAPER_NAME_CHARS);
    } else {
        dc_CopyName(paper->name, name, DC_PAPER_NAME_CHARS);
    }
    return 1;
}

/* The papers of the description's paper items. */
static BOOL paper_FromItems(const DcQuery *q, DcPaper **papers, DWORD *count)
{
    FunctionDefRequest def = {q->context, FID_PAPER_SIZE, 0, 0, NULL, NULL, 0};
    if (!ddd_GetFunctionDef(&def)) {
        return FALSE;
    }
    DWORD items = def.optionCount;
    ddd_ReleaseRecord(def.record);
    FORM_INFO_1W *forms = NULL;
    DWORD needed = 0, formCount = 0;
    if (util_EnumFormsAlloc(q->printer, &forms, &needed, &formCount) != UTIL_FORMS_OK) {
        return FALSE;
    }
    DcPaper *out = (DcPaper *)GlobalAlloc(GPTR, (items ? items : 1) * sizeof(DcPaper));
    SettingsAreas areas = {q->devmode, q->block};
    BOOL userSize = util_GetDeviceOption5200(&areas) != 0;
    DWORD n = 0;
    for (DWORD i = 0; out && i < items; ++i) {
        DWORD_PTR value = 0;
        void *option = hdl_FetchDatabaseOption(q->context, FID_PAPER_SIZE, i, &value);
        if (!option) {
            continue;
        }
        ddd_ReleaseRecord(option);
        WORD number = (WORD)value;
        DcPaper *paper = &out[n];
        if (number == PAPER_LEFT_OUT_1 || number == PAPER_LEFT_OUT_2 || (number == PAPER_USER && !userSize)) {
            continue;
        }
        int custom = paper_Custom(q, number, forms, formCount, paper);
        if (custom >= 0) {
            n += (DWORD)custom;
            continue;
        }
        DWORD slot = number;
        OptionTargetRequest target = {FID_PAPER_SIZE, &slot, NULL};
        WORD status = 0;
        if (!ddd_FetchOptionTarget(&target, &status, q->context)) {
            continue;
        }
        const DddPaper *record = (const DddPaper *)target.record;
        if (record->head.type == PAPER_RECORD) {
            paper->width = record->minSize.width;
            paper->height = record->minSize.height;
            dc_CopyName(paper->name, record->name, DC_PAPER_NAME_CHARS);
            paper->number = number == PAPER_USER ? (WORD)PAPER_USER : paper_FormNumber(forms, formCount, record->name);
            if (number == PAPER_USER) {
                paper_UserSize(q, &paper->width, &paper->height);
            }
            n += paper->number != 0 ? 1 : 0;
        }
        ddd_ReleaseRecord(target.record);
    }
    GlobalFree(forms);
    *papers = out;
    *count = out ? n : 0;
    return out != NULL;
}

BOOL dc_BuildPaperList(const DcQuery *q, DcPaper **papers, DWORD *count)
{
    if (!q->context) {
        return FALSE;
    }
    PaperListUseRequest use = {q->context, q->block};
    if (opt_UsesDevicePaperList(&use)) {
        PaperListBuildRequest build = {q->printer, q->context, q->block};
        if (opt_BuildPaperList(&build) == PAPER_LIST_OK && opt_HasPaperList(q->context)) {
            return paper_FromList(q, papers, count);
        }
    }
    return paper_FromItems(q, papers, count);
}

LONG dc_Papers(const DcQuery *q)
{
    DcPaper *papers = NULL;
    DWORD count = 0;
    if (!dc_BuildPaperList(q, &papers, &count)) {
        return -1;
    }
    for (DWORD i = 0; q->output && i < count; ++i) {
        switch (q->index) {
        case DC_PAPERS: ((WORD *)q->output)[i] = papers[i].number; break;
        case DC_PAPERSIZE:
            ((LONG *)q->output)[2 * i] = papers[i].width;
            ((LONG *)q->output)[2 * i + 1] = papers[i].height;
            break;
        default: dc_CopyName((WCHAR *)q->output + i * DC_PAPER_NAME_CHARS, papers[i].name, DC_PAPER_NAME_CHARS); break;
        }
    }
    GlobalFree(papers);
    return (LONG)count;
}

LONG dc_Extent(const DcQuery *q)
{
    DcPaper *papers = NULL;
    DWORD count = 0;
    if (!dc_BuildPaperList(q, &papers, &count)) {
        return -1;
    }
    BOOL least = q->index == DC_MINEXTENT;
    LONG width = count ? papers[0].width : 0, height = count ? papers[0].height : 0;
    for (DWORD i = 1; i < count; ++i) {
        LONG w = papers[i].width, h = papers[i].height;
        width = (least ? w < width : w > width) ? w : width;
        height = (least ? h < height : h > height) ? h : height;
    }
    GlobalFree(papers);
    return (LONG)MAKELONG((WORD)width, (WORD)height);
}

LONG dc_MediaReady(const DcQuery *q)
{
    if (!q->context) {
        return -1;
    }
    FunctionDefRequest def = {q->context, FID_PAPER_SIZE, 0, 0, NULL, NULL, 0};
    if (!ddd_GetFunctionDef(&def)) {
        return -1;
    }
    DWORD items = def.optionCount;
    ddd_ReleaseRecord(def.record);
    for (DWORD i = 0; q->output && i < items; ++i) {
        DWORD_PTR value = 0;
        const DddOption *option = (const DddOption *)hdl_FetchDatabaseOption(q->context, FID_PAPER_SIZE, i, &value);
        WCHAR *slot = (WCHAR *)q->output + i * DC_PAPER_NAME_CHARS;
        dc_CopyName(slot, option ? option->caption : NULL, DC_PAPER_NAME_CHARS);
        if (option) {
            ddd_ReleaseRecord((void *)option);
        }
    }
    return (LONG)items;
}
