/*
 * Running the constraint records of one list of a definition record: trigger positions,
 * option sets, the additional size checks, and then the record either recorded as
 * violated (check) or resolved by its change list (resolve).
 */
#include "core/constraints/cst_private.h"

#include "core/ddd/ddd_access.h"

/* Match kinds of a trigger. */
#define MATCH_ALWAYS 0
#define MATCH_EQUAL 1
#define MATCH_DIFFERENT 2

/* A record's option-set rows, converted from its conditions (a heap block or NULL). */
typedef struct RecordRows {
    ConstraintCondition *rows;
    WORD count;
} RecordRows;

static WORD record_ValueStride(const DddValue *value, DWORD *stride);
static WORD record_Prepare(const CstRun *run, DddValueSet *record, RecordRows *rows);
static int record_Filtered(const DddValueSet *record, const RecordRows *rows, const WORD *filter, WORD filterCount);
static WORD record_TriggerHolds(const CstRun *run, const DddValueSet *record, DWORD stride, int position, int *holds);
static WORD record_Position(const CstRun *run, const DddValueSet *record, DWORD stride, const RecordRows *rows,
                            int position, int *conflict);
static WORD record_Run(const CstRun *run, DddValueSet *record, WORD selector, WORD index, const WORD *filter,
                       WORD filterCount);
static int record_Lists(const void *definition, WORD selector, const DddKeyArray **indexes);

/* The bytes between two values of a field: its element size. A stored stride other than
 * 0 or that size, or a size below the type's width, marks a damaged record (1); a field
 * without values has nothing to check. */
static WORD record_ValueStride(const DddValue *value, DWORD *stride)
{
    DWORD width = cst_TypeWidth(value->valueType);
    *stride = value->size;
    if (value->count == 0) {
        return CST_OK;
    }
    if ((value->elementWord != 0 && value->elementWord != value->size) || value->size < width ||
        (value->count > 1 && width == 0)) {
        return CST_ERROR;
    }
    return CST_OK;
}

/* Loads the record's value lists and converts its conditions into rows. 0, 1 or 2. */
static WORD record_Prepare(const CstRun *run, DddValueSet *record, RecordRows *rows)
{
    DriverContext *dc = run->context->context;
    rows->rows = NULL;
    rows->count = 0;
    if (record->value.valueType == DDD_VT_VALUE_LIST &&
        ddd_LoadValueList(dc->model, dc->base, &record->head, &record->value) != DDD_OK) {
        return CST_ERROR;
    }
    WORD count = record->flagged.count;
    if (count == 0) {
        return CST_OK;
    }
    rows->rows = (ConstraintCondition *)GlobalAlloc(GPTR, (DWORD)count * sizeof(ConstraintCondition));
    if (!rows->rows) {
        return CST_NO_MEMORY;
    }
    rows->count = count;
    for (WORD i = 0; i < count; ++i) {
        DddValue *value = &record->flagged.values[i];
        DWORD stride = 0;
        if ((value->valueType == DDD_VT_VALUE_LIST &&
             ddd_LoadValueList(dc->model, dc->base, &record->head, value) != DDD_OK) ||
            record_ValueStride(value, &stride) != CST_OK) {
            return CST_ERROR;
        }
        ConstraintCondition *row = &rows->rows[i];
        row->op = value->elementByte;
        row->functionId = value->functionId;
        row->valueType = value->valueType;
        row->stride = (WORD)stride;
        row->values = ddd_ValueData(value);
        row->count = (WORD)value->count;
        row->connective = value->flag;
    }
    return CST_OK;
}

/* 1 when a filter is given and neither the trigger nor a condition names one of its ids. */
static int record_Filtered(const DddValueSet *record, const RecordRows *rows, const WORD *filter, WORD filterCount)
{
    if (!filter) {
        return 0;
    }
    for (WORD f = 0; f < filterCount; ++f) {
        if (filter[f] == record->value.functionId) {
            return 0;
        }
        for (WORD r = 0; r < rows->count; ++r) {
            if (filter[f] == rows->rows[r].functionId) {
                return 0;
            }
        }
    }
    return 1;
}

/* Whether the trigger holds at a position (-1: the record has no values). */
static WORD record_TriggerHolds(const CstRun *run, const DddValueSet *record, DWORD stride, int position, int *holds)
{
    BYTE match = record->value.elementByte;
    *holds = 1;
    if (match == MATCH_ALWAYS || position < 0) {
        return CST_OK;
    }
    CstValue current;
    if (!cst_RunValue(run, record->value.functionId, &current) || current.type != record->value.valueType) {
        return CST_ERROR;
    }
    const BYTE *values = (const BYTE *)ddd_ValueData(&record->value);
    if (match == MATCH_EQUAL) {
        CstValue value;
        cst_DecodeValue(current.type, values + (DWORD)position * stride, &value);
        *holds = cst_CompareValues(&current, &value) == 0;
        return CST_OK;
    }
    for (DWORD i = 0; i < record->value.count && *holds; ++i) {
        CstValue value;
        cst_DecodeValue(current.type, values + i * stride, &value);
        *holds = cst_CompareValues(&current, &value) != 0;
    }
    return CST_OK;
}

/* Tests one position: trigger, option sets (their settings go to list 3) and the
 * additional check. conflict: out. 0, 1 or 2. */
static WORD record_Position(const CstRun *run, const DddValueSet *record, DWORD stride, const RecordRows *rows,
                            int position, int *conflict)
{
    *conflict = 0;
    int holds = 0;
    if (record_TriggerHolds(run, record, stride, position, &holds) != CST_OK) {
        return CST_ERROR;
    }
    if (!holds) {
        return CST_OK;
    }
    WORD setIds[CST_SET_IDS + 1] = {0};
    if (rows->count != 0) {
        WORD sets = cst_EvaluateSets(run, rows->rows, rows->count, setIds);
        if (sets == CST_SETS_ERROR) {
            return CST_ERROR;
        }
        if (sets != CST_SETS_MATCH) {
            return CST_OK;
        }
    }
    for (WORD i = 0; setIds[i] != 0; ++i) {
        if (cst_Touch(run->state, setIds[i]) != CST_OK) {
            return CST_NO_MEMORY;
        }
    }
    WORD check = (WORD)((record->word1 >> CST_RECORD_CHECK_SHIFT) & CST_RECORD_CHECK_MASK);
    if (check == 0 || check > 9) {
        *conflict = 1;
        return CST_OK;
    }
    WORD size = cst_SizeCheck(run, check, record->value.functionId, record->head.key);
    if (size == CST_SETS_ERROR) {
        return CST_ERROR;
    }
    *conflict = size == 1;
    return CST_OK;
}

/* Runs one record. 0, 1 (damaged record, failed resolution) or 2. */
static WORD record_Run(const CstRun *run, DddValueSet *record, WORD selector, WORD index, const WORD *filter,
                       WORD filterCount)
{
    WORD flags = record->word1;
    if (((flags & CST_RECORD_RESET_ONLY) && run->mode != CST_MODE_RESET) ||
        ((flags & CST_RECORD_NOT_CHECK) && run->mode == CST_MODE_CHECK) ||
        ((flags & CST_RECORD_NOT_RESOLVE) && run->mode == CST_MODE_RESOLVE)) {
        return CST_OK;
    }
    RecordRows rows;
    WORD status = record_Prepare(run, record, &rows);
    DWORD stride = 0;
    if (status == CST_OK && record->value.elementByte > MATCH_DIFFERENT) {
        status = CST_ERROR;
    }
    if (status == CST_OK) {
        status = record_ValueStride(&record->value, &stride);
    }
    int conflict = 0;
    if (status == CST_OK && !record_Filtered(record, &rows, filter, filterCount)) {
        /* Match kind 1 tests each value's position (none without values); the trigger of
         * kinds 0 and 2 does not depend on the position, so one position answers. */
        DWORD count = record->value.count;
        if (record->value.elementByte == MATCH_EQUAL) {
            for (DWORD p = 0; p < count && status == CST_OK && !conflict; ++p) {
                status = record_Position(run, record, stride, &rows, (int)p, &conflict);
            }
        } else {
            status = record_Position(run, record, stride, &rows, count ? 0 : -1, &conflict);
        }
    }
    if (status == CST_OK && conflict) {
        WORD kind = (WORD)(flags & 0xFF);
        WORD check = (WORD)((flags >> CST_RECORD_CHECK_SHIFT) & CST_RECORD_CHECK_MASK);
        if (run->resolve) {
            if (cst_EvaluateValueList(run->context, record, run->changed, run->changedCount) == CST_ERROR) {
                status = CST_ERROR;
            }
        } else {
            status = cst_AddChangedId(selector, run->state, index);
            cst_KeepHigherPriorityKind(&run->state->kind, kind);
            if (check != CST_CHECK_PAPER) {
                run->state->changedMask |= cst_SizeCheckMask(check);
            }
        }
    }
    if (rows.rows) {
        GlobalFree(rows.rows);
    }
    return status;
}

/* The index list of a definition (3, 4: key arrays 2 and 3) or option (13, 14: key
 * arrays 1 and 2) for selector 0 (type 7) or 1 (type 8). 0 for other records. */
static int record_Lists(const void *definition, WORD selector, const DddKeyArray **indexes)
{
    const DddRecordHead *head = (const DddRecordHead *)definition;
    switch (head->type) {
    case 3:
    case 4:
        *indexes = selector ? &((const DddDefinition *)definition)->keys3 : &((const DddDefinition *)definition)->keys2;
        return 1;
    case 13:
    case 14:
        *indexes = selector ? &((const DddOption *)definition)->keys2 : &((const DddOption *)definition)->keys1;
        return 1;
    default: return 0;
    }
}

WORD cst_RunList(const CstRun *run, WORD selector, const void *definition, const WORD *filter, WORD filterCount)
{
    const DddKeyArray *indexes = NULL;
    if (!record_Lists(definition, selector, &indexes)) {
        return CST_OK;
    }
    DriverContext *dc = run->context->context;
    WORD level = ((const DddRecordHead *)definition)->level;
    for (WORD i = 0; i < indexes->count; ++i) {
        DddFetchRequest request = {level, dc->model, dc->base, (WORD)(selector ? 8 : 7), indexes->keys[i], NULL};
        if (ddd_FetchRecordByIndex(&request) != DDD_OK) {
            return CST_ERROR;
        }
        WORD status = record_Run(run, (DddValueSet *)request.record, selector, indexes->keys[i], filter, filterCount);
        ddd_FreeRecord(&request.record, DDD_FREE_OWN_TYPE);
        if (status != CST_OK) {
            return status;
        }
    }
    return CST_OK;
}

WORD WINAPI cst_CheckConstraints(HANDLE printer, WORD mode, WORD selector, WORD flags, const ConstraintContext *context,
                                 const ChangeEntry *change, ConflictState *state, const void *definition,
                                 WORD **changed, WORD *changedCount, const WORD *filter, WORD filterCount)
{
    if (!context || !context->context || !context->devmode || !context->block || !definition ||
        selector > CST_LIST_TYPE8 || mode > CST_MODE_RESET) {
        return CST_ERROR;
    }
    CstRun run = {};
    run.printer = printer;
    run.context = context;
    run.mode = mode;
    run.resolve = mode == CST_MODE_RESOLVE;
    run.flags = flags;
    run.change = change;
    run.state = state;
    run.changed = changed;
    run.changedCount = changedCount;
    if (run.resolve ? (!changed || !*changed || !changedCount) : !state) {
        return CST_ERROR;
    }
    return cst_RunList(&run, selector, definition, filter, filterCount) == CST_OK ? CST_OK : CST_ERROR;
}
