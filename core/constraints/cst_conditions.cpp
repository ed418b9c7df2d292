/*
 * Conditions: the value test of one condition row against the settings, and option sets
 * (rows joined by connectives) with the second check of mode 1.
 */
#include "core/constraints/cst_private.h"

/* Connectives of condition rows. */
#define CONNECT_OR 2
#define CONNECT_END_SET 3
#define CONNECT_END_LIST 4

/* How an operator compares. */
typedef enum CondCompare {
    COMPARE_NONE,
    COMPARE_EQUAL,
    COMPARE_NOT_EQUAL,
    COMPARE_LESS,
    COMPARE_LESS_EQUAL,
    COMPARE_GREATER,
    COMPARE_GREATER_EQUAL,
} CondCompare;

/* Operators 0-12 for numeric ValueTypes; 13 and above are not allowed. */
static const CondCompare s_numericOperators[13] = {
    COMPARE_NONE,
    COMPARE_EQUAL,
    COMPARE_NOT_EQUAL,
    COMPARE_LESS,
    COMPARE_LESS_EQUAL,
    COMPARE_GREATER,
    COMPARE_GREATER_EQUAL,
    COMPARE_EQUAL,
    COMPARE_EQUAL,
    COMPARE_NONE,
    COMPARE_EQUAL,
    COMPARE_EQUAL,
    COMPARE_EQUAL,
};

static CondCompare cond_Operator(WORD valueType, BYTE op);
static WORD cond_Test(const ConstraintContext *context, const CstRun *run, const ConstraintCondition *condition);
static int cond_Holds(CondCompare compare, int order);
static WORD cond_SetConflicts(const CstRun *run, const WORD *setIds, int *conflicts);

/* How the operator compares values of the type; COMPARE_NONE when it is not allowed
 * (types 1 and 6 take equality only: 2 not equal, the others of the numeric equal set). */
static CondCompare cond_Operator(WORD valueType, BYTE op)
{
    if (op >= sizeof(s_numericOperators) / sizeof(s_numericOperators[0])) {
        return COMPARE_NONE;
    }
    CondCompare compare = s_numericOperators[op];
    if ((valueType == VT_LONG || valueType == VT_STRING) && compare != COMPARE_EQUAL && compare != COMPARE_NOT_EQUAL) {
        return COMPARE_NONE;
    }
    return compare;
}

/* 1 when a setting ordered `order` against one value satisfies the comparison. */
static int cond_Holds(CondCompare compare, int order)
{
    switch (compare) {
    case COMPARE_EQUAL: return order == 0;
    case COMPARE_LESS: return order < 0;
    case COMPARE_LESS_EQUAL: return order <= 0;
    case COMPARE_GREATER: return order > 0;
    case COMPARE_GREATER_EQUAL: return order >= 0;
    default: return 0;
    }
}

/* The value test of one row; with a run the run's proposed value stands in. */
static WORD cond_Test(const ConstraintContext *context, const CstRun *run, const ConstraintCondition *condition)
{
    if (!context || !condition || !context->devmode || !context->block) {
        return CST_COND_READ_FAILED;
    }
    WORD type = condition->valueType;
    DWORD width = cst_TypeWidth(type);
    if (width == 0 && type != VT_STRING) {
        return CST_COND_TYPE_UNSUPPORTED;
    }
    CondCompare compare = cond_Operator(type, condition->op);
    if (compare == COMPARE_NONE) {
        return CST_COND_OPERATOR;
    }
    CstValue current;
    BOOL read = run ? cst_RunValue(run, condition->functionId, &current)
                    : cst_ReadSetting(context, condition->functionId, &current);
    if (!read) {
        return CST_COND_READ_FAILED;
    }
    if (current.type != type) {
        return CST_COND_TYPES_DIFFER;
    }
    if (condition->count == 0) {
        return compare == COMPARE_NOT_EQUAL ? CST_COND_HOLDS : CST_COND_FAILS;
    }
    /* A string condition holds one string; numbers lie stride bytes apart. */
    if (!condition->values || (type != VT_STRING && condition->stride < width)) {
        return CST_COND_VALUE_MISSING;
    }
    WORD count = type == VT_STRING ? 1 : condition->count;
    int anyEqual = 0, anyHolds = 0;
    for (WORD i = 0; i < count; ++i) {
        CstValue value;
        cst_DecodeValue(type, (const BYTE *)condition->values + (DWORD)i * condition->stride, &value);
        int order = cst_CompareValues(&current, &value);
        anyEqual |= order == 0;
        anyHolds |= cond_Holds(compare, order);
    }
    if (compare == COMPARE_NOT_EQUAL) {
        return anyEqual ? CST_COND_FAILS : CST_COND_HOLDS;
    }
    return anyHolds ? CST_COND_HOLDS : CST_COND_FAILS;
}

/* Mode 1's second check of a matching set: a nested mode-0 check of each of its settings
 * (the changed one aside); conflicts: out, 1 when one of them conflicts on its own. */
static WORD cond_SetConflicts(const CstRun *run, const WORD *setIds, int *conflicts)
{
    *conflicts = 0;
    for (WORD i = 0; setIds[i] != 0 && !*conflicts; ++i) {
        if (run->change && setIds[i] == run->change->functionId) {
            continue;
        }
        ConflictState nested = {};
        WORD status = cst_CheckConflictsRun(
            CST_MODE_DEFAULTS, run->printer, run->context, NULL, setIds[i], 0, NULL, &nested, NULL, CST_FLAG_CURRENT);
        *conflicts = nested.kind != 0 || nested.records7.count != 0 || nested.records8.count != 0;
        cst_ClearConflictState(&nested);
        if (status != CST_OK) {
            return status;
        }
    }
    return CST_OK;
}

WORD cst_EvaluateSets(const CstRun *run, const ConstraintCondition *rows, WORD count, WORD *setIds)
{
    WORD start = 0;
    while (start < count) {
        WORD end = start;
        while (end + 1 < count && rows[end].connective != CONNECT_END_SET && rows[end].connective != CONNECT_END_LIST) {
            ++end;
        }
        /* Rows joined by "and" form a group; a group ends at an "or" or at the set's end. */
        int setHolds = 0, groupHolds = 1;
        WORD ids[CST_SET_IDS + 1] = {0};
        for (WORD r = start; r <= end; ++r) {
            WORD result = cond_Test(run->context, run, &rows[r]);
            if (result != CST_COND_HOLDS && result != CST_COND_FAILS && result != CST_COND_VALUE_MISSING) {
                return CST_SETS_ERROR;
            }
            groupHolds &= result == CST_COND_HOLDS;
            if (rows[r].connective == CONNECT_OR || r == end) {
                setHolds |= groupHolds;
                groupHolds = 1;
            }
            cst_AddToFixedIdList(rows[r].functionId, ids, CST_SET_IDS);
        }
        start = (WORD)(end + 1);
        if (!setHolds) {
            continue;
        }
        if (run->mode == CST_MODE_CHECK && !run->resolve) {
            int conflicts = 0;
            if (cond_SetConflicts(run, ids, &conflicts) != CST_OK) {
                return CST_SETS_ERROR;
            }
            if (conflicts) {
                continue;
            }
        }
        if (setIds) {
            CopyMemory(setIds, ids, sizeof(ids));
        }
        return CST_SETS_MATCH;
    }
    return CST_SETS_NO_MATCH;
}

WORD WINAPI cst_EvaluateOptionSets(const ConstraintContext *context, const ChangeEntry *change,
                                   const ConstraintCondition *condition, DWORD flags, WORD *outIds)
{
    (void)flags;
    if (!context || !condition || !context->devmode || !context->block) {
        return CST_SETS_ERROR;
    }
    CstRun run = {};
    run.context = context;
    run.mode = CST_MODE_DEFAULTS;
    run.change = change;
    if (condition->op != CST_OP_OPTION_SETS) {
        return cst_EvaluateSets(&run, condition, 1, outIds);
    }
    if (condition->count != 0 &&
        (!condition->values || (condition->stride != 0 && condition->stride != sizeof(ConstraintCondition)))) {
        return CST_SETS_ERROR;
    }
    return cst_EvaluateSets(&run, (const ConstraintCondition *)condition->values, condition->count, outIds);
}

WORD WINAPI cst_TestValueCondition(const ConstraintContext *context, const ConstraintCondition *condition)
{
    return cond_Test(context, NULL, condition);
}
