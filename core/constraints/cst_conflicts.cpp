/*
 * Checking a change: the trial against current conflicts, the special cases of settings
 * the description data cannot express (stamps, the outside COM component, security
 * marking, the operating system), the generic evaluation over a definition's constraint
 * lists, and the out list of settings to re-evaluate.
 */
#include "core/constraints/cst_private.h"

#include "core/ddd/ddd_access.h"
#include "core/ddd/model_query.h"
#include "core/security_marking/security_marking.h"
#include "core/settings/function_ids.h"
#include "core/stamps/stamp_store.h"
#include "core/util/os_version.h"

/* Result of the special-case hook for a FunctionID it does not handle. */
#define HOOK_NOT_SPECIAL 6

/* Stored stamps at most. */
#define HOOK_STAMP_LIMIT 32
/* ureg_CanAddStamp: room for another stamp; already full. */
#define STAMP_CAN_ADD 1
#define STAMP_FULL 4
#define STAMP_STORED 1

/* FunctionIDs touched with a changed one: first, last, then up to four related (0-ended). */
typedef struct RelatedRow {
    WORD first;
    WORD last;
    WORD related[4];
} RelatedRow;

static const RelatedRow s_related[] = {
    {272, 272, {271, 270, 293, 1314}},
    {274, 277, {271, 270, 293, 0}},
    {282, 285, {271, 270, 293, 0}},
    {1314, 1314, {271, 270, 293, 0}},
    {278, 281, {293, 270, 0, 0}},
    {296, 296, {297, 0, 0, 0}},
    {301, 301, {300, 0, 0, 0}},
    {303, 303, {1288, 0, 0, 0}},
    {1286, 1286, {296, 297, 0, 0}},
    {36865, 36867, {296, 297, 0, 0}},
    {1289, 1289, {270, 0, 0, 0}},
    {5121, 5121, {5127, 0, 0, 0}},
    {5163, 5163, {5186, 0, 0, 0}},
    {5204, 5204, {5186, 0, 0, 0}},
};

/* Kinds of the current settings under which a trial reports the current state. */
static const WORD s_blockingKinds[] = {1, 6, 7, 8};

static int hook_IsOldOs(void);
static WORD hook_Number(const CstRun *run, WORD functionId, DWORD *number, int proposedFirst);
static WORD hook_StampName(const CstRun *run, const WCHAR **name);
static WORD hook_Handle(const CstRun *run, WORD kind, WORD touchA, WORD touchB);
static WORD hook_Stamps(const CstRun *run);
static WORD hook_Outside(const CstRun *run, WORD savedKind);
static WORD conflicts_RunSpecialCases(const CstRun *run, WORD savedKind);
static WORD conflicts_TouchRelated(ConflictState *state, WORD functionId);
static int conflicts_InFilter(const WORD *filter, WORD functionId);
static WORD conflicts_Evaluate(const CstRun *run, const WORD *filter);
static WORD conflicts_OutList(const ConflictState *state, WORD functionId, WORD **outList);
static int conflicts_Found(const ConflictState *state);

/* The old generation of operating systems (the 9x family and NT before 5) is the one the
 * special case of setting 293 refuses; a version that cannot be read counts as new. */
static int hook_IsOldOs(void)
{
    WORD flag = 0;
    return util_GetModernOsFlag(&flag) == 0;
}

/* A numeric setting (the proposed value first when asked). 0, or 1 when unreadable. */
static WORD hook_Number(const CstRun *run, WORD functionId, DWORD *number, int proposedFirst)
{
    CstValue value;
    BOOL read =
        proposedFirst ? cst_RunValue(run, functionId, &value) : cst_ReadSetting(run->context, functionId, &value);
    if (!read || value.type == VT_STRING) {
        return CST_ERROR;
    }
    *number = (DWORD)value.number;
    return CST_OK;
}

/* The stamp name (setting 297); NULL name when no stamp is set. */
static WORD hook_StampName(const CstRun *run, const WCHAR **name)
{
    CstValue value;
    if (!cst_ReadSetting(run->context, FID_STAMP_NAME, &value) || value.type != VT_STRING) {
        return CST_ERROR;
    }
    *name = value.text && value.text[0] ? value.text : NULL;
    return CST_OK;
}

/* A handled case: the kind by the priority rule and up to two touched settings. */
static WORD hook_Handle(const CstRun *run, WORD kind, WORD touchA, WORD touchB)
{
    cst_KeepHigherPriorityKind(&run->state->kind, kind);
    if ((touchA && cst_Touch(run->state, touchA) != CST_OK) || (touchB && cst_Touch(run->state, touchB) != CST_OK)) {
        return CST_NO_MEMORY;
    }
    return CST_OK;
}

/* The stamp cases: 8, 321, 1286, 36865-36867. */
static WORD hook_Stamps(const CstRun *run)
{
    WORD functionId = run->change->functionId;
    BOOL proposed = cst_ProposedValue(run) != NULL;
    const WCHAR *name = NULL;
    DWORD mode = 0, value = 0;
    if (hook_StampName(run, &name) != CST_OK || hook_Number(run, FID_PAGE_LAYOUT, &mode, 0) != CST_OK) {
        return CST_ERROR;
    }
    DriverContext *dc = run->context->context;
    switch (functionId) {
    case FID_PAPER_SIZE:
    case FID_PAGE_LAYOUT:
        if (hook_Number(run, functionId, &value, 1) != CST_OK) {
            return CST_ERROR;
        }
        if (name && (functionId == FID_PAPER_SIZE ? (value >= 307 && value <= 310) : value == 1)) {
            return hook_Handle(run, 3, FID_STAMP_NAME, 0);
        }
        return CST_OK;
    case 1286:
    case 36866:
        if (!proposed && !(mode != 1 && name)) {
            return hook_Handle(run, 1, FID_POSTER_GRID, FID_STAMP_NAME);
        }
        return CST_OK;
    case 36865: {
        WORD canAdd = ureg_CanAddStamp(run->printer, NULL, dc);
        WORD stored = 0;
        BOOL counted = ureg_CountStamps(run->printer, &stored, dc) == STAMP_STORED;
        if (canAdd == STAMP_CAN_ADD && !counted) {
            return CST_ERROR;
        }
        if (!proposed && mode == 1) {
            return hook_Handle(run, 1, FID_POSTER_GRID, 0);
        }
        if ((counted && stored >= HOOK_STAMP_LIMIT) || canAdd == STAMP_FULL) {
            return hook_Handle(run, 8, FID_STAMP_NAME, 0);
        }
        return CST_OK;
    }
    default: /* 36867 */
        if (!proposed && (mode == 1 || !name || ureg_StampExists(run->printer, name, dc) != STAMP_STORED)) {
            return hook_Handle(run, 1, FID_POSTER_GRID, FID_STAMP_NAME);
        }
        return CST_OK;
    }
}

/* The cases of outside components and the operating system: 293, 1341, 5163, 5204, 5186,
 * 36903. 0 handled, 6 not special, 1 error. */
static WORD hook_Outside(const CstRun *run, WORD savedKind)
{
    WORD functionId = run->change->functionId;
    BOOL proposed = cst_ProposedValue(run) != NULL;
    DriverContext *dc = run->context->context;
    DWORD value = 0;
    switch (functionId) {
    case FID_OS_293:
        if (hook_Number(run, functionId, &value, 1) != CST_OK) {
            return CST_ERROR;
        }
        return value == 3 && hook_IsOldOs() ? hook_Handle(run, 1, 0, 0) : HOOK_NOT_SPECIAL;
    case FID_VISTA_1341: return !proposed && util_IsVistaOrLater() ? hook_Handle(run, 6, 0, 0) : HOOK_NOT_SPECIAL;
    case FID_ACCOUNT_MODE:
    case FID_DOCUMENT_MONITOR_5204: {
        if (proposed) {
            return HOOK_NOT_SPECIAL;
        }
        ComServerRequest com = {dc->model, 0};
        if (hook_Number(run, FID_COM_SETTING, &value, 0) != CST_OK) {
            return CST_ERROR;
        }
        if (value == 0 || !util_IsComServerAvailable(&com) || !com.available) {
            return HOOK_NOT_SPECIAL;
        }
        if (functionId == FID_DOCUMENT_MONITOR_5204 && savedKind == 6) {
            return HOOK_NOT_SPECIAL;
        }
        return hook_Handle(run, 1, FID_COM_SETTING, 0);
    }
    case FID_COM_SETTING: {
        if (proposed) {
            return HOOK_NOT_SPECIAL;
        }
        ComServerRequest com = {dc->model, 0};
        if (util_IsComServerAvailable(&com) && com.available) {
            return HOOK_NOT_SPECIAL;
        }
        return hook_Handle(run, 6, 0, 0);
    }
    default: { /* 36903 */
        if (proposed) {
            return HOOK_NOT_SPECIAL;
        }
        ModelCapabilities caps = {};
        ddd_GetModelCapabilities(dc->model, &caps);
        CstValue typeName;
        if (!cst_ReadSetting(run->context, FID_MODEL_NAME, &typeName) || typeName.type != VT_STRING) {
            return CST_ERROR;
        }
        if (ext_VqbIsAvailable(&caps, typeName.text) == 1) {
            return HOOK_NOT_SPECIAL;
        }
        return hook_Handle(run, 6, 0, 0);
    }
    }
}

/* The special-case hook: 0 handled (kind set), 6 not special, 1 error, 2 out of memory. */
static WORD conflicts_RunSpecialCases(const CstRun *run, WORD savedKind)
{
    switch (run->change->functionId) {
    case FID_PAPER_SIZE:
    case FID_PAGE_LAYOUT:
    case 1286:
    case 36865:
    case 36866:
    case 36867: return hook_Stamps(run);
    case FID_OS_293:
    case FID_VISTA_1341:
    case 5163:
    case 5204:
    case FID_COM_SETTING:
    case 36903: return hook_Outside(run, savedKind);
    case 1284: return hook_Handle(run, 6, 0, 0);
    case 1333:
    case 5138: return CST_OK;
    default: return HOOK_NOT_SPECIAL;
    }
}

/* Adds the settings related to a changed one to list 3. 0, or 2 out of memory. */
static WORD conflicts_TouchRelated(ConflictState *state, WORD functionId)
{
    for (const RelatedRow &row : s_related) {
        if (functionId < row.first || functionId > row.last) {
            continue;
        }
        for (WORD i = 0; i < 4 && row.related[i] != 0; ++i) {
            if (cst_Touch(state, row.related[i]) != CST_OK) {
                return CST_NO_MEMORY;
            }
        }
    }
    return CST_OK;
}

static int conflicts_InFilter(const WORD *filter, WORD functionId)
{
    for (; *filter; ++filter) {
        if (*filter == functionId) {
            return 1;
        }
    }
    return 0;
}

/* The generic evaluation: the definition (or, with a proposed value, its option holding
 * that value) and its type-7 then type-8 lists. */
static WORD conflicts_Evaluate(const CstRun *run, const WORD *filter)
{
    WORD functionId = run->change->functionId;
    if (filter && !conflicts_InFilter(filter, functionId)) {
        WORD count = 0;
        const WORD *touched = cst_GetStateList(run->state, 3, &count);
        WORD i = 0;
        while (i < count && !conflicts_InFilter(filter, touched[i])) {
            ++i;
        }
        if (i == count) {
            return CST_OK;
        }
    }
    DriverContext *dc = run->context->context;
    DddFunctionRequest request = {DDD_LEVEL_MODEL, dc->model, dc->base, functionId, cst_ProposedValue(run), 0, 0, NULL};
    DddStatus status = ddd_GetFunctionRecord(&request);
    if (status == DDD_NOT_FOUND) {
        return CST_OK;
    }
    if (status != DDD_OK) {
        return status == DDD_NO_MEMORY ? CST_NO_MEMORY : CST_ERROR;
    }
    if (request.type == DDD_TYPE_HEADER_NAME) {
        GlobalFree(request.record);
        return CST_OK;
    }
    WORD result = cst_RunList(run, CST_LIST_TYPE7, request.record, NULL, 0);
    if (result == CST_OK) {
        result = cst_RunList(run, CST_LIST_TYPE8, request.record, NULL, 0);
    }
    ddd_FreeRecord(&request.record, DDD_FREE_OWN_TYPE);
    return result;
}

/* The out list: the touched settings but the changed one, the changed one, 0 (a heap
 * block of exactly that size); NULL when nothing was touched. 0, or 2 out of memory. */
static WORD conflicts_OutList(const ConflictState *state, WORD functionId, WORD **outList)
{
    WORD count = 0;
    const WORD *touched = cst_GetStateList(state, 3, &count);
    WORD others = 0;
    for (WORD i = 0; i < count; ++i) {
        others += touched[i] != functionId;
    }
    if (others == 0) {
        return CST_OK;
    }
    WORD *list = (WORD *)GlobalAlloc(GPTR, (others + 2) * sizeof(WORD));
    if (!list) {
        return CST_NO_MEMORY;
    }
    WORD n = 0;
    for (WORD i = 0; i < count; ++i) {
        if (touched[i] != functionId) {
            list[n++] = touched[i];
        }
    }
    list[n] = functionId;
    *outList = list;
    return CST_OK;
}

/* 1 when a check left anything in the state. */
static int conflicts_Found(const ConflictState *state)
{
    return state->kind != 0 || state->records7.count != 0 || state->records8.count != 0 || state->touched.count != 0;
}

WORD cst_CheckConflictsRun(WORD mode, HANDLE printer, const ConstraintContext *context, const WORD *optionFilter,
                           WORD functionId, WORD valueType, const void *value, ConflictState *state, WORD **outList,
                           WORD flags)
{
    if (outList) {
        *outList = NULL;
    }
    if (!context->context || !context->devmode || !context->block || !state || mode > CST_MODE_RESET) {
        return CST_ERROR;
    }
    ChangeEntry change = {functionId, valueType, value};
    CstRun run = {};
    run.printer = printer;
    run.context = context;
    run.mode = mode;
    run.flags = flags;
    run.change = &change;
    run.state = state;
    const void *proposed = cst_ProposedValue(&run);

    ConflictState local = {};
    if (mode == CST_MODE_CHECK && proposed) {
        if (cst_CopyConflictState(&local, state) != CST_OK) {
            return CST_NO_MEMORY;
        }
        WORD status = cst_CheckConflictsRun(
            CST_MODE_CHECK, printer, context, optionFilter, functionId, valueType, NULL, &local, NULL, flags);
        BOOL blocked = FALSE;
        for (WORD kind : s_blockingKinds) {
            blocked |= status == CST_OK && local.kind == kind;
        }
        if (blocked) {
            status = cst_CopyConflictState(state, &local);
            cst_ClearConflictState(&local);
            if (status != CST_OK) {
                return status;
            }
            state->kind = 0;
            status = outList ? conflicts_OutList(state, functionId, outList) : CST_OK;
            return status;
        }
        cst_ClearConflictState(&local);
    }

    /* The normal check starts from an empty state; the caller's comes back when nothing is
     * found or the check fails. */
    ConflictState saved = {};
    if (cst_CopyConflictState(&saved, state) != CST_OK) {
        return CST_NO_MEMORY;
    }
    cst_ClearConflictState(state);
    WORD status = printer ? conflicts_RunSpecialCases(&run, saved.kind) : CST_ERROR;
    if (status == CST_OK || status == HOOK_NOT_SPECIAL) {
        status = conflicts_TouchRelated(state, functionId);
    }
    if (status == CST_OK) {
        status = conflicts_Evaluate(&run, optionFilter);
    }
    if (status != CST_OK || !conflicts_Found(state)) {
        cst_CopyConflictState(state, &saved);
    }
    cst_ClearConflictState(&saved);
    if (status == CST_OK && outList) {
        status = conflicts_OutList(state, functionId, outList);
    }
    return status;
}

WORD WINAPI cst_CheckConflicts(WORD mode, HANDLE printer, DriverContext *context, DriverDevmode *devmode,
                               PrinterDataBlock *block, const WORD *optionFilter, WORD functionId, WORD valueType,
                               const void *value, ConflictState *state, WORD **outList, WORD flags)
{
    ConstraintContext triple = {context, devmode, block};
    return cst_CheckConflictsRun(
        mode, printer, &triple, optionFilter, functionId, valueType, value, state, outList, flags);
}
