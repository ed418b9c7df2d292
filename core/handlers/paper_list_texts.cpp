/*
 * Size texts of the paper lists: the user-defined size option shows the custom width and
 * length, the options of user-defined paper slots their slot's name and size, and a paper
 * source's custom size option the size set for that source.
 */
#include "core/handlers/handler_rows.h"

#include "core/rules/dependent_rules.h"
#include "core/settings/setting_rules.h"
#include "core/settings/settings.h"
#include "core/util/global_block.h"

enum { USER_SIZE = 256, SOURCE_CUSTOM_SIZE = 275, MAX_SLOT_TEXTS = 20 };

/* The per-source custom size settings, in runs: the paper-size FunctionIDs paper ..
 * paper + count - 1 of consecutive sources and, in the same order, the FunctionIDs of their
 * custom width and height. */
typedef struct SourceSizeRun {
    WORD paper, width, height, count;
} SourceSizeRun;

static const SourceSizeRun kSourceSizeRuns[] = {{6145, 6190, 6205, 15}, {6220, 6265, 6280, 4}};

/* 1 for the lists whose options may be user-defined paper slots. */
static BOOL plt_HasSlotOptions(DWORD functionId)
{
    return functionId == FID_PAPER_SIZE || functionId == FID_MARGIN_PAPER || functionId == FID_OUTPUT_PAPER ||
           (functionId >= 6145 && functionId <= 6159) || (functionId >= 6220 && functionId <= 6234);
}

/* Replaces item's text by name + the size text. 1, or 0 when the text fails. */
static BOOL plt_SetSizeText(const ListRequest *request, OptionItem *item, WORD paper, LONG width, LONG height,
                            const WCHAR *name)
{
    PaperTextRecord record = {paper, (WORD)width, (WORD)height, name};
    PaperTextRequest text = {request->resources, request->devmode, request->block, &record, request->units};
    WCHAR *sized = opt_FormatPaperSizeText(&text);
    if (!sized) {
        return FALSE;
    }
    util_GlobalFreeIfSet(item->text);
    item->text = sized;
    return TRUE;
}

/* The first option of value v (with a text), or NULL. */
static OptionItem *plt_FindValue(OptionList *list, DWORD_PTR v)
{
    OptionItem *items = (OptionItem *)list->items;
    for (DWORD i = 0; i < list->count; ++i) {
        if (items[i].value == v && items[i].text) {
            return &items[i];
        }
    }
    return nullptr;
}

/* The user-defined size option: the custom width (1863) and length (1864). */
static BOOL plt_UserSize(const ListRequest *request, OptionList *list)
{
    OptionItem *item = plt_FindValue(list, USER_SIZE);
    if (!item) {
        return TRUE;
    }
    LONG width = 0, height = 0;
    if (!util_ReadSettingLong(FID_CUSTOM_WIDTH, request->devmode, request->block, &width) ||
        !util_ReadSettingLong(FID_CUSTOM_LENGTH, request->devmode, request->block, &height)) {
        return FALSE;
    }
    return plt_SetSizeText(request, item, USER_SIZE, width, height, item->text);
}

/* Up to 20 options holding a user-defined slot's paper: the slot's name and size. */
static BOOL plt_SlotTexts(const ListRequest *request, OptionList *list)
{
    OptionItem *items = (OptionItem *)list->items;
    DWORD done = 0;
    for (DWORD i = 0; i < list->count && done < MAX_SLOT_TEXTS; ++i) {
        DWORD value = (DWORD)items[i].value;
        WCHAR name[CUSTOM_SLOT_NAME_CHARS] = {0};
        CustomPaperRecord paper = {};
        CustomSlotRequest slot = {request->devmode, request->block, &value, VT_DWORD, &paper, name};
        if (!opt_FindCustomPaperSlot(&value, VT_DWORD, nullptr, nullptr, nullptr, nullptr)) {
            continue;
        }
        if (!opt_GetCustomPaperSize(&slot) ||
            !plt_SetSizeText(request, &items[i], paper.paper, paper.width, paper.length, name)) {
            return FALSE;
        }
        ++done;
    }
    return TRUE;
}

/* A paper source's custom size option (275): the width and height set for that source. */
static BOOL plt_SourceSize(const ListRequest *request, OptionList *list)
{
    const SourceSizeRun *run = nullptr;
    for (const SourceSizeRun &candidate : kSourceSizeRuns) {
        if (list->functionId >= candidate.paper && list->functionId < (DWORD)candidate.paper + candidate.count) {
            run = &candidate;
            break;
        }
    }
    OptionItem *item = run ? plt_FindValue(list, SOURCE_CUSTOM_SIZE) : nullptr;
    if (!item) {
        return TRUE;
    }
    WORD source = (WORD)(list->functionId - run->paper);
    LONG width = 0, height = 0;
    if (!util_ReadSettingLong((WORD)(run->width + source), request->devmode, request->block, &width) ||
        !util_ReadSettingLong((WORD)(run->height + source), request->devmode, request->block, &height)) {
        return FALSE;
    }
    return plt_SetSizeText(request, item, SOURCE_CUSTOM_SIZE, width, height, item->text);
}

BOOL hdl_RewritePaperTexts(const ListRequest *request, OptionList *list)
{
    DWORD id = list->functionId;
    if (!plt_HasSlotOptions(id) && id != FID_MARGIN_PAPER) {
        return TRUE;
    }
    /* Paper options of a device paper list are shown as the list names them. */
    if (id == FID_PAPER_SIZE && hdl_HasDevicePaperList(request->context)) {
        return TRUE;
    }
    BOOL ok = TRUE;
    if (id == FID_PAPER_SIZE || id == FID_MARGIN_PAPER) {
        ok = plt_UserSize(request, list);
    }
    ok = plt_SlotTexts(request, list) && ok;
    ok = plt_SourceSize(request, list) && ok;
    return ok;
}
