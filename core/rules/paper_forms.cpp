/*
 * Matching a paper to one of the printer's forms: by size, by form name or by paper
 * number (the form's index + 1, since the platform's built-in forms enumerate at their
 * paper-number positions before the forms added later), with the custom-size range of
 * paper 262 as the last resort. Sizes are in 0.1 mm; form sizes in 0.001 mm.
 */
#include "core/rules/rules_private.h"

#include "core/paperlist/paper_list.h"
#include "core/settings/settings.h"
#include "core/util/host_env.h"

enum {
    FORM_UNITS_PER_TENTH = 100, /* 0.001 mm per 0.1 mm */
    PAPER_USER = 256,           /* DMPAPER_USER */
    PAPER_CUSTOM_RANGE = 262,   /* the paper record holding the custom-size range */
    PAPER_RECORD = 10
};

/* The order of the search kinds: the usual one, and the one with the dimension flag for a
 * paper other than 256. */
static const WORD kSearchOrder[] = {PAPER_SEARCH_SIZE, PAPER_SEARCH_NUMBER, PAPER_SEARCH_NAME};
static const WORD kDimensionOrder[] = {PAPER_SEARCH_NUMBER, PAPER_SEARCH_NAME, PAPER_SEARCH_SIZE};

/* 1 when the two texts are equal character by character. */
static BOOL form_SameName(const WCHAR *a, const WCHAR *b)
{
    while (*a && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

/* 1 when a and b differ by at most the tolerance. */
static BOOL form_Near(LONG a, LONG b)
{
    LONG d = a - b;
    return d >= -PAPER_MATCH_TOLERANCE && d <= PAPER_MATCH_TOLERANCE;
}

/* 1 when the form has the paper's size: width with width when both are portrait or both
 * landscape (portrait: width <= length), crosswise otherwise. */
static BOOL form_SizeMatches(const PaperMatch *paper, const FORM_INFO_1W *form)
{
    LONG w = form->Size.cx / FORM_UNITS_PER_TENTH;
    LONG h = form->Size.cy / FORM_UNITS_PER_TENTH;
    BOOL paperPortrait = paper->width <= paper->height;
    BOOL formPortrait = w <= h;
    if (paperPortrait == formPortrait) {
        return form_Near(paper->width, w) && form_Near(paper->height, h);
    }
    return form_Near(paper->width, h) && form_Near(paper->height, w);
}

/* 1 when the description data has a dmPaperSize option of that number. */
static BOOL form_PaperKnown(DriverContext *context, DWORD number)
{
    SHORT value = (SHORT)number;
    ValueInOptionsRequest known = {context, FID_PAPER_SIZE, &value};
    return ddd_IsValueInOptions(&known);
}

/* The match: form index's number, size and name. */
static int form_Take(PaperFormRequest *request, const FORM_INFO_1W *forms, DWORD index)
{
    request->match.number = (WORD)(index + 1);
    request->match.width = (WORD)(forms[index].Size.cx / FORM_UNITS_PER_TENTH);
    request->match.height = (WORD)(forms[index].Size.cy / FORM_UNITS_PER_TENTH);
    rule_CopyPaperName(request->match.name, forms[index].pName);
    return PAPER_FORM_FOUND;
}

/* 256 with the size when width and height lie in the custom range of paper 262. */
static int form_TakeCustom(PaperFormRequest *request, LONG width, LONG height)
{
    DddSize low = {0, 0}, high = {0, 0};
    if (!opt_GetCustomPaperRange(request->context, PAPER_CUSTOM_RANGE, &low, &high) || width < low.width ||
        width > high.width || height < low.height || height > high.height) {
        return PAPER_FORM_NONE;
    }
    request->match.number = PAPER_USER;
    request->match.width = (WORD)width;
    request->match.height = (WORD)height;
    request->match.name[0] = 0;
    return PAPER_FORM_FOUND;
}

/* The printer's forms (free with GlobalFree). Returns 1, or 0 when they cannot be listed. */
static BOOL form_List(HANDLE printer, FORM_INFO_1W **forms, DWORD *count)
{
    DWORD needed = 0;
    *forms = NULL;
    *count = 0;
    return util_EnumFormsAlloc(printer, forms, &needed, count) == UTIL_FORMS_OK && *forms;
}

BOOL WINAPI opt_GetCustomPaperRange(DriverContext *context, WORD paper, DddSize *minimum, DddSize *maximum)
{
    if (!context || !minimum || !maximum) {
        return FALSE;
    }
    void *record = NULL;
    if (ddd_FetchRecordByKey(DDD_LEVEL_MODEL, context->model, context->base, PAPER_RECORD, paper, 0, &record) !=
        DDD_OK) {
        return FALSE;
    }
    const DddPaper *rec = (const DddPaper *)record;
    WORD marginWidth = (WORD)(rec->margins[0].width + rec->margins[1].width);
    WORD marginHeight = (WORD)(rec->margins[0].height + rec->margins[1].height);
    minimum->width = (WORD)(rec->minImage.width + marginWidth);
    minimum->height = (WORD)(rec->minImage.height + marginHeight);
    maximum->width = (WORD)(rec->maxImage.width + marginWidth);
    maximum->height = (WORD)(rec->maxImage.height + marginHeight);
    ddd_FreeRecord(&record, DDD_FREE_OWN_TYPE);
    return TRUE;
}

int WINAPI opt_FindFormBySize(PaperFormRequest *request, WORD kinds)
{
    if (!request || !request->match.name) {
        return PAPER_FORM_FAILED;
    }
    FORM_INFO_1W *forms = NULL;
    DWORD count = 0;
    if (!form_List(request->printer, &forms, &count)) {
        return PAPER_FORM_FAILED;
    }
    const PaperMatch *paper = &request->paper;
    BOOL byName = !(kinds & PAPER_SEARCH_NUMBER) && (kinds & PAPER_SEARCH_NAME) && paper->name && paper->name[0];
    DWORD chosen = count;
    DWORD firstKnown = count;
    for (DWORD i = 0; i < count && chosen == count; ++i) {
        if (!form_SizeMatches(paper, &forms[i]) || !form_PaperKnown(request->context, i + 1)) {
            continue;
        }
        if (firstKnown == count) {
            firstKnown = i;
        }
        BOOL preferred = (kinds & PAPER_SEARCH_NUMBER) ? i + 1 == paper->number
                                                       : byName && form_SameName(forms[i].pName, paper->name);
        if (preferred) {
            chosen = i;
        }
    }
    if (chosen == count) {
        chosen = firstKnown;
    }
    int result =
        chosen < count ? form_Take(request, forms, chosen) : form_TakeCustom(request, paper->width, paper->height);
    GlobalFree(forms);
    return result;
}

/* Whether the description data knows the form's paper: by name, else by size. known: out
 * 0 none, 1 by name, 2 by size with the data's name in dataName. */
static BOOL form_DataPaper(DriverContext *context, const FORM_INFO_1W *form, WORD *known, WCHAR *dataName)
{
    PaperFindRequest find = {};
    find.context = context;
    find.functionId = FID_PAPER_SIZE;
    find.mode = PAPER_MATCH_NAME;
    find.key.name = form->pName;
    *known = 0;
    if (ddd_FindPaperOption(&find)) {
        ddd_FreePaperMatchName(&find.match);
        *known = 1;
        return TRUE;
    }
    if (find.status == 3) {
        return FALSE;
    }
    find = {};
    find.context = context;
    find.functionId = FID_PAPER_SIZE;
    find.mode = PAPER_MATCH_SIZE;
    find.key.width = (WORD)(form->Size.cx / FORM_UNITS_PER_TENTH);
    find.key.height = (WORD)(form->Size.cy / FORM_UNITS_PER_TENTH);
    if (ddd_FindPaperOption(&find)) {
        rule_CopyPaperName(dataName, find.match.name);
        ddd_FreePaperMatchName(&find.match);
        *known = 2;
        return TRUE;
    }
    return find.status != 3;
}

/* The form search of one kind; again: a search by the data's name is still allowed. */
static int form_ByNameOrNumber(PaperFormRequest *request, WORD kind, BOOL again)
{
    const PaperMatch *paper = &request->paper;
    if (kind == PAPER_SEARCH_NAME && (!paper->name || !paper->name[0])) {
        return PAPER_FORM_NONE;
    }
    FORM_INFO_1W *forms = NULL;
    DWORD count = 0;
    if (!form_List(request->printer, &forms, &count)) {
        return PAPER_FORM_FAILED;
    }
    DWORD i = 0;
    while (i < count &&
           !(kind == PAPER_SEARCH_NAME ? form_SameName(forms[i].pName, paper->name) : i + 1 == paper->number)) {
        ++i;
    }
    if (i == count) {
        GlobalFree(forms);
        return PAPER_FORM_NONE;
    }
    PaperListUseRequest use = {request->context, request->block};
    int result = PAPER_FORM_NONE;
    WORD known = 0;
    WCHAR dataName[RULE_PAPER_NAME_CHARS] = {0};
    if (opt_UsesDevicePaperList(&use)) {
        result = form_Take(request, forms, i);
    } else if (!form_DataPaper(request->context, &forms[i], &known, dataName)) {
        result = PAPER_FORM_FAILED;
    } else if (known == 1) {
        result = form_Take(request, forms, i);
    } else if (known == 2 && again) {
        PaperFormRequest byDataName = *request;
        byDataName.paper.name = dataName;
        result = form_ByNameOrNumber(&byDataName, PAPER_SEARCH_NAME, FALSE);
        request->match = byDataName.match;
    }
    if (result == PAPER_FORM_NONE) {
        result =
            form_TakeCustom(request, forms[i].Size.cx / FORM_UNITS_PER_TENTH, forms[i].Size.cy / FORM_UNITS_PER_TENTH);
    }
    GlobalFree(forms);
    return result;
}

int WINAPI opt_FindFormByNameOrNumber(PaperFormRequest *request, WORD kind)
{
    if (!request || !request->match.name || (kind != PAPER_SEARCH_NAME && kind != PAPER_SEARCH_NUMBER)) {
        return PAPER_FORM_FAILED;
    }
    return form_ByNameOrNumber(request, kind, TRUE);
}

/* The input paper as the result (the user size kept). */
static int form_KeepUserSize(PaperFormRequest *request)
{
    if (request->paper.width == 0 || request->paper.height == 0) {
        return PAPER_FORM_NONE;
    }
    WCHAR *name = request->match.name;
    request->match = request->paper;
    request->match.name = name;
    rule_CopyPaperName(name, request->paper.name);
    return PAPER_FORM_FOUND;
}

int WINAPI opt_MatchPaperToForm(PaperFormRequest *request)
{
    if (!request || !request->match.name) {
        return PAPER_FORM_FAILED;
    }
    DWORD mask = request->mask;
    if (!(mask & RULE_PAPER_FIELDS)) {
        return PAPER_FORM_NONE;
    }
    const PaperMatch *paper = &request->paper;
    BOOL user = paper->number == PAPER_USER;
    BOOL sized = paper->width != 0 && paper->height != 0;
    const WORD *order = request->dimensions && !user ? kDimensionOrder : kSearchOrder;
    DWORD userSizeOn = 0;
    if (user) {
        SettingsAreas areas = {request->source, request->block};
        userSizeOn = util_GetDeviceOption5200(&areas);
        if (userSizeOn && (mask & (DM_PAPERLENGTH | DM_PAPERWIDTH)) == (DM_PAPERLENGTH | DM_PAPERWIDTH)) {
            return form_KeepUserSize(request);
        }
        if (userSizeOn) {
            mask = DM_PAPERSIZE;
        } else if (sized) {
            mask = DM_PAPERLENGTH | DM_PAPERWIDTH;
        }
    }
    WCHAR *name = request->match.name;
    request->match = *paper;
    request->match.name = name;
    rule_CopyPaperName(name, paper->name);

    WORD wanted = 0;
    wanted |= (mask & DM_PAPERSIZE) ? PAPER_SEARCH_NUMBER : 0;
    wanted |= (mask & DM_FORMNAME) ? PAPER_SEARCH_NAME : 0;
    wanted |= (mask & (DM_PAPERLENGTH | DM_PAPERWIDTH)) && sized ? PAPER_SEARCH_SIZE : 0;
    for (DWORD k = 0; k < sizeof kSearchOrder / sizeof kSearchOrder[0]; ++k) {
        WORD kind = order[k];
        if (!(wanted & kind)) {
            continue;
        }
        int result =
            kind == PAPER_SEARCH_SIZE ? opt_FindFormBySize(request, wanted) : opt_FindFormByNameOrNumber(request, kind);
        if (result != PAPER_FORM_NONE || kind == PAPER_SEARCH_SIZE) {
            return result;
        }
        if (kind == PAPER_SEARCH_NUMBER && user && userSizeOn) {
            return form_KeepUserSize(request);
        }
    }
    return PAPER_FORM_NONE;
}
