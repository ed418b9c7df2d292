/*
 * The condition list of a job-attribute record: each condition compares a setting with
 * its values; the connectives join the results, with the skip scan over a group.
 */
#include "core/jobtext/jobtext_private.h"

#include "core/constraints/constraints.h"
#include "core/settings/settings.h"
#include "core/stored/printer_forms.h"

#define OP_EQUAL 1
#define OP_NOT_EQUAL 2
#define OP_LESS 3
#define OP_LESS_EQUAL 4
#define OP_GREATER 5
#define OP_GREATER_EQUAL 6
#define OP_OPTION_SET 9
#define OP_LAST 12

/* A setting value read for comparison. */
typedef struct SettingValue {
    WORD type;
    LONG number;       /* numeric types, sign- or zero-extended by type */
    const WCHAR *text; /* type 6 */
} SettingValue;

static BOOL is_signed_type(WORD type)
{
    return type == VT_SHORT || type == VT_LONG32 || type == VT_FONTFIELD;
}

static DWORD type_size(WORD type)
{
    switch (type) {
    case VT_LONG:
    case VT_LONG32:
    case VT_DWORD:
    case VT_FONTFIELD: return 4;
    case VT_SHORT:
    case VT_WORD: return 2;
    case VT_BYTE: return 1;
    default: return 0;
    }
}

/* element_number: value k of a condition, extended by its type. */
static LONG element_number(const JobAttrCondition *c, DWORD k)
{
    if (c->data == NULL)
        return (LONG)c->number;
    if (c->valueType == VT_LONG || c->valueType == VT_FONTFIELD || c->size == 4) {
        const BYTE *p = (const BYTE *)c->data + k * c->size;
        return (LONG)(p[0] | (p[1] << 8) | (p[2] << 16) | ((DWORD)p[3] << 24));
    }
    const BYTE *p = (const BYTE *)c->data + k * c->size;
    if (c->size == 2) {
        WORD w = (WORD)(p[0] | (p[1] << 8));
        return c->valueType == VT_SHORT ? (LONG)(short)w : (LONG)w;
    }
    return (LONG)p[0];
}

/* read_setting: the condition's setting; FunctionID 8 as the driver's paper number. */
static LONG read_setting(JobBuild *build, const JobAttrCondition *c, SettingValue *v)
{
    DWORD_PTR raw[2] = {};
    DWORD size = 0;
    JobAttrContext *context = build->context;
    if (dma_GetFunctionValue(c->functionId, context->devmode, context->block, &v->type, &size, raw) != SST_OK)
        return dma_FindSettingRow(c->functionId, NULL) == NULL ? JOB_E_UNKNOWN_ID : JOB_E_READ;
    if (v->type != c->valueType)
        return JOB_E_CONDITION_TYPE;
    if (v->type == VT_STRING) {
        v->text = (const WCHAR *)raw[0];
        return 0;
    }
    if (v->type == VT_NONE || v->type == VT_LOGFONT || type_size(v->type) == 0)
        return JOB_E_COMPARE_TYPE;
    if (size != type_size(v->type))
        return JOB_E_SIZE;
    v->number = is_signed_type(v->type) ? dma_ValueToLong(v->type, raw) : (LONG)dma_ValueToDword(v->type, raw);
    if (c->functionId == FID_PAPER_SIZE) {
        WORD paper = 0;
        if (opt_PaperIdFromFormIndex(context->printer, context->devmode, context->block, (DWORD)v->number, &paper) == 1)
            v->number = paper;
    }
    return 0;
}

/* compare: the operator over one setting value and one condition value. */
static BOOL compare(BYTE op, const SettingValue *v, LONG value)
{
    if (op >= OP_LESS && op <= OP_GREATER_EQUAL && !is_signed_type(v->type)) {
        DWORD a = (DWORD)v->number, b = (DWORD)value;
        return op == OP_LESS ? a < b : op == OP_LESS_EQUAL ? a <= b : op == OP_GREATER ? a > b : a >= b;
    }
    switch (op) {
    case OP_LESS: return v->number < value;
    case OP_LESS_EQUAL: return v->number <= value;
    case OP_GREATER: return v->number > value;
    case OP_GREATER_EQUAL: return v->number >= value;
    default: return v->number == value;
    }
}

/* option_set_holds: the constraint engine's option-set test over the job's settings. */
static LONG option_set_holds(JobBuild *build, const JobAttrCondition *c)
{
    DriverContext driver = {};
    driver.model = build->model;
    driver.base = build->base;
    ConstraintContext context = {&driver, build->context->devmode, build->context->block};
    /* A condition read from the description data carries values, never the engine's
     * in-memory rows of a nested set: it is handed over as a one-row set whose setting
     * must hold one of its values. */
    ConstraintCondition row = {};
    row.op = 1;
    row.functionId = c->functionId;
    row.valueType = c->valueType;
    row.stride = (WORD)c->size;
    row.values = ddd_ValueData(c);
    row.count = (WORD)c->count;
    row.connective = c->flag;
    return cst_EvaluateOptionSets(&context, NULL, &row, 0, NULL) == CST_SETS_MATCH;
}

/* test_condition: 1 or 0, or a JOB_E_* code. */
static LONG test_condition(JobBuild *build, const JobAttrCondition *c)
{
    BYTE op = c->elementByte;
    if (op == 0 || op > OP_LAST)
        return JOB_E_OPERATOR;
    if (op == OP_OPTION_SET)
        return option_set_holds(build, c);
    if ((c->valueType == VT_LONG || c->valueType == VT_STRING) && op != OP_EQUAL && op != OP_NOT_EQUAL)
        return JOB_E_OPERATOR_TYPE;
    SettingValue v = {};
    LONG status = read_setting(build, c, &v);
    if (status < 0)
        return status;
    BOOL any = FALSE;
    for (DWORD k = 0; k < c->count && !any; ++k) {
        if (v.type == VT_STRING) {
            const WCHAR *want = (c->count == 1 && c->data) ? (const WCHAR *)c->data : NULL;
            any = want != NULL && v.text != NULL && lstrcmpW(v.text, want) == 0;
        } else {
            any = compare(op, &v, element_number(c, k));
        }
    }
    return op == OP_NOT_EQUAL ? !any : any;
}

static BOOL ends_group(BYTE connective)
{
    return connective == 3 || connective == 4 || connective == 6;
}

/* skip_scan: from *i onward, the result of the skip scan with value v and stop code stop. */
static BOOL skip_scan(const DddValueArray *list, WORD *i, BOOL v, BYTE stop)
{
    for (; *i < list->count; ++*i) {
        BYTE connective = list->values[*i].flag;
        if (connective == 3 || connective == 4)
            return v;
        if (connective == 5) {
            if (v) {
                for (++*i; *i < list->count && !ends_group(list->values[*i].flag); ++*i) {}
            }
            return FALSE;
        }
        if (connective == 6)
            return !v;
        if (connective == stop)
            return FALSE;
    }
    return v;
}

LONG job_ConditionsHold(JobBuild *build, const DddValueArray *conditions)
{
    for (WORD i = 0; i < conditions->count; ++i) {
        const JobAttrCondition *c = &conditions->values[i];
        LONG r = test_condition(build, c);
        if (r < 0)
            return r;
        BYTE connective = c->flag;
        if (connective == 5 || connective == 6)
            r = !r;
        BOOL produced = FALSE;
        switch (connective) {
        case 4:
        case 6: return r;
        case 1:
            if (!r)
                produced = skip_scan(conditions, &i, FALSE, 0);
            break;
        case 2:
            if (r)
                produced = skip_scan(conditions, &i, TRUE, 1);
            break;
        case 3: produced = r; break;
        case 5:
            if (!r) {
                while (i < conditions->count && !ends_group(conditions->values[i].flag))
                    ++i;
                if (i >= conditions->count)
                    return 0;
            }
            break;
        default: return JOB_E_CONNECTIVE;
        }
        if (produced)
            return 1;
    }
    return 0;
}
