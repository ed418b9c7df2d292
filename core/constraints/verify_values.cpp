/*
 * The verify pass: every stored value checked against the constraints of the description
 * data, handing back one conflicting setting at a time for the caller to fix, and
 * reporting a setting that still conflicts after it was fixed.
 */
#include "core/constraints/verify_values.h"

#include "core/constraints/constraints.h"
#include "core/handlers/setting_handlers.h"
#include "core/settings/settings.h"
#include "core/settings/settings_tables.h"

enum {
    STRING_CONFLICT = 389, /* text of the persistent-conflict box */
    CONFLICT_TEXT_CHARS = 108,
    REPORT_CHARS = 160
};

/* The row holding functionId, or -1. */
static int vfy_FindRow(const ItemCheckTable *table, WORD functionId)
{
    for (int i = 0; i < ITEM_CHECK_ROWS; ++i) {
        if (table->rows[i].functionId == functionId) {
            return i;
        }
    }
    return -1;
}

/* The first row that is empty or already holds functionId, or -1. */
static int vfy_FreeRow(const ItemCheckTable *table, WORD functionId)
{
    for (int i = 0; i < ITEM_CHECK_ROWS; ++i) {
        if (table->rows[i].functionId == 0 || table->rows[i].functionId == functionId) {
            return i;
        }
    }
    return -1;
}

/* Shows the first flagged setting to the user. Nothing when string 389 is missing. */
static void vfy_Report(HINSTANCE resources, HWND owner, WORD functionId)
{
    WCHAR text[CONFLICT_TEXT_CHARS + 1] = {0};
    if (!LoadStringW(resources, STRING_CONFLICT, text, CONFLICT_TEXT_CHARS + 1)) {
        return;
    }
    WCHAR report[REPORT_CHARS];
    wsprintfW(report, TEXT("DDMID = 0x%0x%s"), (unsigned)functionId, text);
    MessageBoxW(owner, report, TEXT("Default Set Err"), MB_ICONERROR);
}

/* The outcome of checking one setting: go on, hand back, or fail. */
enum { VFY_NEXT = 0, VFY_HAND_BACK = 2, VFY_FAILED = -1 };

/*
 * Checks the stored value of one setting against the constraints. A conflict of a
 * setting already in the table flags it; a new one is handed back through *pending (and,
 * when the caller already tried to fix it, kept in the table).
 */
static int vfy_CheckSetting(const VerifyRequest *request, ConflictState *state, WORD functionId, WORD *pending)
{
    ListRequest shell = {request->printer,
                         request->context,
                         functionId,
                         request->resources,
                         0,
                         0,
                         request->devmode,
                         request->block,
                         {0, 0}};
    OptionList *list = opt_CreateList(&shell);
    if (!list) {
        return VFY_NEXT; /* a setting without choices is not checked */
    }
    WORD kind = list->controlKind;
    BOOL freed = opt_FreeList(list);
    WORD type = 0;
    DWORD size = 0;
    DWORD_PTR slot = 0;
    if (!freed || kind == 0 ||
        dma_GetFunctionValue(functionId, request->devmode, request->block, &type, &size, &slot) != SST_OK) {
        return VFY_FAILED;
    }
    if (kind == OK_RANGE || kind == OK_RANGE3) {
        return VFY_NEXT;
    }
    const void *value = type == VT_STRING ? (const void *)slot : (const void *)&slot;
    cst_ClearConflictState(state);
    if (cst_CheckConflicts(CST_MODE_DEFAULTS,
                           request->printer,
                           request->context,
                           request->devmode,
                           request->block,
                           nullptr,
                           functionId,
                           type,
                           value,
                           state,
                           nullptr,
                           0) != CST_OK) {
        return VFY_FAILED;
    }
    if (state->kind == 0) {
        return VFY_NEXT;
    }
    ItemCheckTable *table = request->table;
    int row = vfy_FindRow(table, functionId);
    if (row >= 0) {
        table->rows[row].flag = 1;
        if (request->message && *request->message) {
            GlobalFree(*request->message);
            *request->message = nullptr;
        }
        return VFY_NEXT;
    }
    if (functionId == *pending) {
        row = vfy_FreeRow(table, functionId);
        if (row < 0) {
            return VFY_FAILED;
        }
        table->rows[row].functionId = functionId;
        table->rows[row].flag = 1;
    }
    *pending = functionId;
    return VFY_HAND_BACK;
}

int WINAPI opt_VerifyValuesInOptionLists(const VerifyRequest *request)
{
    if (!request || !request->table || !request->functionId) {
        return -1;
    }
    ItemCheckTable *table = request->table;
    for (int i = 0; i < ITEM_CHECK_ROWS; ++i) {
        table->rows[i].flag = 0;
    }
    ConflictState *state = cst_NewConflictState();
    if (!state) {
        return -1;
    }
    int result = 1;
    for (WORD group = 0; group < SETTING_RANGE_COUNT && result == 1; ++group) {
        DWORD count = 0;
        const SettingDescriptor *descriptors = nullptr;
        if (!opt_GetSettingGroup(&count, nullptr, &descriptors, group)) {
            continue;
        }
        for (DWORD i = 0; i < count && result == 1; ++i) {
            int outcome = vfy_CheckSetting(request, state, (WORD)descriptors[i].functionId, request->functionId);
            if (outcome != VFY_NEXT) {
                result = outcome;
            }
        }
    }
    if (result == 1) {
        for (int i = 0; i < ITEM_CHECK_ROWS; ++i) {
            if (table->rows[i].flag) {
                vfy_Report(request->resources, request->owner, table->rows[i].functionId);
                result = -1;
                break;
            }
        }
    }
    if (!cst_FreeConflictState(state)) {
        result = -1;
    }
    return result;
}
