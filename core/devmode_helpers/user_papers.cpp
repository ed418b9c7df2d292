/*
 * Papers by name: the user-defined slot whose name begins a given name, a form of a list
 * matched against the description data, and the paper option of a DEVMODE's paper.
 */
#include "core/devmode_helpers/devmode_helpers.h"

#include "core/settings/settings.h"
#include "core/util/resource_module.h"

enum {
    SLOT_COUNT = 20,
    DISPLAY_NAME_CHARS = 48, /* string 16 (32 characters) and the slot number */
    FORM_UNITS_PER_TENTH = 100,
    NO_MEMORY = 3 /* status of ddd_FindPaperOption */
};

/* Copies at most PAPER_NAME_CHARS - 1 characters of text into name. */
static void user_CopyName(WCHAR *name, const WCHAR *text)
{
    DWORD n = 0;
    while (text && n < PAPER_NAME_CHARS - 1 && text[n]) {
        name[n] = text[n];
        ++n;
    }
    name[n] = 0;
}

/* 1 when prefix (all of it) begins text. */
static BOOL user_IsPrefix(const WCHAR *prefix, const WCHAR *text)
{
    while (*prefix && *prefix == *text) {
        ++prefix;
        ++text;
    }
    return *prefix == 0;
}

DWORD WINAPI opt_FindUserPaperName(WORD mode, DriverDevmode *devmode, PrinterDataBlock *block, const WCHAR *name)
{
    DWORD result = (DWORD)mode << 16;
    if (!name || (mode != USER_PAPER_BY_SETTING && mode != USER_PAPER_BY_DEFAULT)) {
        return result;
    }
    for (DWORD i = 0; i < SLOT_COUNT; ++i) {
        WCHAR display[DISPLAY_NAME_CHARS] = {0};
        const WCHAR *slotName = display;
        if (mode == USER_PAPER_BY_SETTING) {
            slotName = (const WCHAR *)dma_GetTypedValue(devmode, block, (WORD)(FID_SLOT_NAME + i), VT_STRING);
            if (!slotName) {
                return result;
            }
        } else {
            util_FormatUserDefinedName(i, display, DISPLAY_NAME_CHARS);
        }
        if (slotName[0] && user_IsPrefix(slotName, name)) {
            return result | 1;
        }
    }
    return result;
}

/* The paper option of FunctionID 8 matching the key. Returns 1 (match: name freed by the
 * caller), 0 none, -1 out of memory. */
static int user_FindOption(DriverContext *context, WORD mode, const PaperMatch *key, PaperMatch *match)
{
    PaperFindRequest find = {};
    find.context = context;
    find.functionId = FID_PAPER_SIZE;
    find.mode = mode;
    find.key = *key;
    if (ddd_FindPaperOption(&find)) {
        *match = find.match;
        return 1;
    }
    return find.status == NO_MEMORY ? -1 : 0;
}

BOOL WINAPI opt_MatchPaperEntry(DriverContext *context, DriverDevmode *devmode, PrinterDataBlock *block, WORD mode,
                                const FORM_INFO_1W *forms, const DWORD *indexes, DWORD count, PaperMatch *paper)
{
    if (!context || !forms || !indexes || !paper || !paper->name ||
        (mode != PAPER_ENTRY_USER_OR_NAME && mode != PAPER_ENTRY_BY_NAME && mode != PAPER_ENTRY_BY_NUMBER)) {
        return FALSE;
    }
    for (DWORD k = 0; k < count; ++k) {
        const FORM_INFO_1W *form = &forms[indexes[k]];
        BOOL hit = mode == PAPER_ENTRY_USER_OR_NAME &&
                   (opt_FindUserPaperName(USER_PAPER_BY_SETTING, devmode, block, form->pName) & 0xFFFF) != 0;
        if (!hit) {
            PaperMatch key = {};
            PaperMatch match = {};
            if (mode == PAPER_ENTRY_BY_NUMBER) {
                key.number = (WORD)(indexes[k] + 1);
            } else {
                key.name = form->pName;
            }
            int found = user_FindOption(
                context, mode == PAPER_ENTRY_BY_NUMBER ? PAPER_MATCH_NUMBER : PAPER_MATCH_NAME, &key, &match);
            if (found < 0) {
                return FALSE;
            }
            ddd_FreePaperMatchName(&match);
            hit = found == 1;
        }
        if (hit) {
            paper->number = (WORD)(indexes[k] + 1);
            paper->width = (WORD)(form->Size.cx / FORM_UNITS_PER_TENTH);
            paper->height = (WORD)(form->Size.cy / FORM_UNITS_PER_TENTH);
            user_CopyName(paper->name, form->pName);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL WINAPI opt_ResolvePaperOption(DriverContext *context, DriverDevmode *devmode, PrinterDataBlock *block,
                                   PaperMatch *paper)
{
    if (!context || !devmode || !paper || !paper->name) {
        return FALSE;
    }
    PaperMatch key = {};
    PaperMatch match = {};
    key.name = (WCHAR *)dma_GetTypedValue(devmode, block, FID_FORM_NAME, VT_STRING);
    int found = key.name && key.name[0] ? user_FindOption(context, PAPER_MATCH_NAME, &key, &match) : 0;
    if (found == 0) {
        key.name = NULL;
        key.width = (WORD)dma_GetTypedValue(devmode, block, FID_PAPER_WIDTH, VT_SHORT);
        key.height = (WORD)dma_GetTypedValue(devmode, block, FID_PAPER_LENGTH, VT_SHORT);
        found = user_FindOption(context, PAPER_MATCH_SIZE, &key, &match);
    }
    if (found != 1) {
        return FALSE;
    }
    paper->number = match.number;
    paper->width = match.width;
    paper->height = match.height;
    user_CopyName(paper->name, match.name);
    ddd_FreePaperMatchName(&match);
    return TRUE;
}
