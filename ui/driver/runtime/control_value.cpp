/*
 * Control value conversion. Rules by FunctionID:
 *   tenths: stored x 10 shown, shown / 10 (truncating) stored;
 *   power of two: index p shows base << (p + 3) (p below -3: base / 2); a value below the
 *     base gives index -4, else -3 plus the doublings of the base needed to reach it;
 *   paper centre: the offset of the paper-centre rule when it succeeds, else the value.
 */
#include "ui/driver/runtime/control_value.h"

#include "core/rules/dependent_rules.h"

enum ValueRule { kRuleTenths, kRulePowerOfTwo, kRulePaperCentre };

typedef struct ValueRuleRow {
    WORD functionId;
    enum ValueRule rule;
    DWORD base; /* kRulePowerOfTwo only */
} ValueRuleRow;

static const ValueRuleRow kValueRules[] = {
    {268, kRuleTenths, 0},         {269, kRuleTenths, 0},         {311, kRuleTenths, 0},
    {324, kRuleTenths, 0},         {482, kRuleTenths, 0},         {1856, kRuleTenths, 0},
    {392, kRulePowerOfTwo, 1},     {395, kRulePowerOfTwo, 1},     {398, kRulePowerOfTwo, 1},
    {401, kRulePowerOfTwo, 1},     {393, kRulePowerOfTwo, 256},   {396, kRulePowerOfTwo, 256},
    {399, kRulePowerOfTwo, 256},   {402, kRulePowerOfTwo, 256},   {394, kRulePowerOfTwo, 65536},
    {397, kRulePowerOfTwo, 65536}, {400, kRulePowerOfTwo, 65536}, {403, kRulePowerOfTwo, 65536},
    {478, kRulePaperCentre, 0},
};

static const int kLowestIndex = -3;    /* the index of the base itself */
static const int kBelowBaseIndex = -4; /* the index of a value below the base */
static const int kMostDoublings = 32;

static const ValueRuleRow *value_FindRule(WORD functionId);
static LONGLONG value_Read(WORD valueType, const void *value);
static BOOL value_IndexToValue(DWORD base, LONGLONG index, DWORD *result);
static LONG value_ValueToIndex(DWORD base, LONGLONG value);

static const ValueRuleRow *value_FindRule(WORD functionId)
{
    for (const ValueRuleRow &row : kValueRules)
        if (row.functionId == functionId)
            return &row;
    return nullptr;
}

/* The input as its ValueType holds it: 4 signed and 5 unsigned 32 bits, else signed 16. */
static LONGLONG value_Read(WORD valueType, const void *value)
{
    if (valueType == VT_DWORD)
        return (LONGLONG) * (const DWORD *)value;
    if (valueType == VT_LONG32)
        return (LONGLONG) * (const LONG *)value;
    return (LONGLONG) * (const SHORT *)value;
}

/* base << (index + 3), base / 2 below the lowest index; FALSE when it exceeds 32 bits. */
static BOOL value_IndexToValue(DWORD base, LONGLONG index, DWORD *result)
{
    if (index < kLowestIndex) {
        *result = base / 2;
        return TRUE;
    }
    LONGLONG shift = index - kLowestIndex;
    if (shift > kMostDoublings)
        return FALSE;
    ULONGLONG shown = (ULONGLONG)base << shift;
    if (shown > 0xFFFFFFFFull)
        return FALSE;
    *result = (DWORD)shown;
    return TRUE;
}

static LONG value_ValueToIndex(DWORD base, LONGLONG value)
{
    if (value < (LONGLONG)base)
        return kBelowBaseIndex;
    ULONGLONG reached = base;
    int doublings = 0;
    while (reached < (ULONGLONG)value && doublings < kMostDoublings) {
        reached <<= 1;
        ++doublings;
    }
    return kLowestIndex + doublings;
}

int ui_ConvertControlValue(ControlValueRequest *request)
{
    if (request == nullptr || request->value == nullptr)
        return 0;
    LONGLONG value = value_Read(request->valueType, request->value);
    request->result = (DWORD)value;
    const ValueRuleRow *row = value_FindRule(request->functionId);
    if (row == nullptr)
        return 0;
    BOOL toControl = request->direction == UI_TO_CONTROL;
    switch (row->rule) {
    case kRuleTenths: request->result = (DWORD)(toControl ? value * 10 : value / 10); return 1;
    case kRulePowerOfTwo:
        if (!toControl) {
            request->result = (DWORD)value_ValueToIndex(row->base, value);
            return 1;
        }
        return value_IndexToValue(row->base, value, &request->result) ? 1 : 0;
    case kRulePaperCentre: {
        HalfEdgeRequest half = {request->devmode, request->block, request->model, request->base, (LONG)value, 0};
        if (opt_CalcHalfLongEdgeRemainder(&half))
            request->result = (DWORD)half.result;
        return 1;
    }
    }
    return 0;
}
