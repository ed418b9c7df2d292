/* The value test of one condition and option sets joined by connectives. */
#include "core/constraints/tests/constraints_test_support.h"

#include <gtest/gtest.h>

#include <string.h>

namespace {

/* Values packed at the width of their type. */
std::vector<BYTE> Pack(WORD type, std::initializer_list<LONG> values)
{
    DWORD width = type == VT_SHORT || type == VT_WORD ? 2 : (type == VT_BYTE ? 1 : 4);
    std::vector<BYTE> bytes(values.size() * width + 4);
    size_t i = 0;
    for (LONG v : values)
        memcpy(&bytes[i++ * width], &v, width);
    return bytes;
}

ConstraintCondition Row(BYTE op, WORD functionId, WORD type, const std::vector<BYTE> &values, WORD count,
                        BYTE connective = 0)
{
    ConstraintCondition row = {};
    row.op = op;
    row.functionId = functionId;
    row.valueType = type;
    row.stride = (WORD)(type == VT_SHORT || type == VT_WORD ? 2 : (type == VT_BYTE ? 1 : 4));
    row.values = values.data();
    row.count = count;
    row.connective = connective;
    return row;
}

class Conditions : public testing::Test
{
protected:
    Engine engine{""};
    void SetUp() override
    {
        engine.areas->set(16, 2);
        engine.areas->set(7, 1);
        engine.areas->set(15, 2);
        engine.areas->set(274, 65535);
        engine.areas->set(8205, (LONG)4000000000u);
        engine.areas->set(5163, 200);
        engine.areas->set(1286, 1);
        engine.areas->set_text(297, TEXT("Top"));
    }
};

TEST_F(Conditions, ValueTestByOperatorAndType)
{
    struct Case {
        BYTE op;
        WORD functionId;
        WORD type;
        std::vector<BYTE> values;
        WORD count;
        WORD result;
    };
    const WCHAR top[] = TEXT("Top");
    std::vector<BYTE> text((const BYTE *)top, (const BYTE *)top + sizeof(top));
    const Case kCases[] = {
        {1, 16, VT_SHORT, Pack(VT_SHORT, {2}), 1, CST_COND_HOLDS},
        {1, 16, VT_SHORT, Pack(VT_SHORT, {1, 3}), 2, CST_COND_FAILS},
        {2, 16, VT_SHORT, Pack(VT_SHORT, {1, 3}), 2, CST_COND_HOLDS}, // differs from every value
        {2, 16, VT_SHORT, Pack(VT_SHORT, {1, 2}), 2, CST_COND_FAILS},
        {3, 16, VT_SHORT, Pack(VT_SHORT, {3}), 1, CST_COND_HOLDS}, // 2 < 3
        {3, 16, VT_SHORT, Pack(VT_SHORT, {2}), 1, CST_COND_FAILS},
        {4, 16, VT_SHORT, Pack(VT_SHORT, {2}), 1, CST_COND_HOLDS},
        {5, 16, VT_SHORT, Pack(VT_SHORT, {1}), 1, CST_COND_HOLDS},
        {6, 16, VT_SHORT, Pack(VT_SHORT, {3}), 1, CST_COND_FAILS},
        {7, 16, VT_SHORT, Pack(VT_SHORT, {2}), 1, CST_COND_HOLDS}, // 7, 8, 10-12 compare for equality
        {12, 16, VT_SHORT, Pack(VT_SHORT, {2}), 1, CST_COND_HOLDS},
        {5, 16, VT_SHORT, Pack(VT_SHORT, {-1}), 1, CST_COND_HOLDS},  // signed
        {5, 274, VT_WORD, Pack(VT_WORD, {1}), 1, CST_COND_HOLDS},    // 65535 unsigned
        {5, 8205, VT_DWORD, Pack(VT_DWORD, {1}), 1, CST_COND_HOLDS}, // 4000000000 unsigned
        {6, 5163, VT_BYTE, Pack(VT_BYTE, {200}), 1, CST_COND_HOLDS},
        {0, 16, VT_SHORT, Pack(VT_SHORT, {2}), 1, CST_COND_OPERATOR},
        {9, 16, VT_SHORT, Pack(VT_SHORT, {2}), 1, CST_COND_OPERATOR},
        {13, 16, VT_SHORT, Pack(VT_SHORT, {2}), 1, CST_COND_OPERATOR},
        {1, 1286, VT_LONG, Pack(VT_LONG, {1}), 1, CST_COND_HOLDS},
        {2, 1286, VT_LONG, Pack(VT_LONG, {0}), 1, CST_COND_HOLDS},
        {3, 1286, VT_LONG, Pack(VT_LONG, {2}), 1, CST_COND_OPERATOR}, // 1 and 6: equality only
        {1, 297, VT_STRING, text, 1, CST_COND_HOLDS},
        {2, 297, VT_STRING, text, 1, CST_COND_FAILS},
        {5, 297, VT_STRING, text, 1, CST_COND_OPERATOR},
        {1, 16, VT_WORD, Pack(VT_WORD, {2}), 1, CST_COND_TYPES_DIFFER},
        {1, 16, VT_LOGFONT, Pack(VT_LONG, {2}), 1, CST_COND_TYPE_UNSUPPORTED},
        {1, 16, VT_NONE, Pack(VT_LONG, {2}), 1, CST_COND_TYPE_UNSUPPORTED},
        {2, 16, VT_SHORT, Pack(VT_SHORT, {}), 0, CST_COND_HOLDS}, // empty list
        {1, 16, VT_SHORT, Pack(VT_SHORT, {}), 0, CST_COND_FAILS},
        {1, 0x9100, VT_SHORT, Pack(VT_SHORT, {2}), 1, CST_COND_READ_FAILED},
    };
    for (const Case &c : kCases) {
        ConstraintCondition row = Row(c.op, c.functionId, c.type, c.values, c.count);
        EXPECT_EQ(c.result, cst_TestValueCondition(&engine.context, &row))
            << "op " << (int)c.op << " FunctionID " << c.functionId << " type " << c.type;
    }
    ConstraintCondition missing = Row(1, 16, VT_SHORT, {}, 1);
    missing.values = nullptr;
    EXPECT_EQ(CST_COND_VALUE_MISSING, cst_TestValueCondition(&engine.context, &missing));
    EXPECT_EQ(CST_COND_READ_FAILED, cst_TestValueCondition(nullptr, &missing));
}

TEST_F(Conditions, OptionSetsByConnective)
{
    auto is2 = Pack(VT_SHORT, {2});
    auto is1 = Pack(VT_SHORT, {1});
    auto word1 = Pack(VT_WORD, {65535});
    // A: 16 = 2 holds; B: 274 = 65535 holds; C: 7 = 2 fails; D: 15 = 1 fails.
    auto A = [&](BYTE connective) { return Row(1, 16, VT_SHORT, is2, 1, connective); };
    auto B = [&](BYTE connective) { return Row(1, 274, VT_WORD, word1, 1, connective); };
    auto C = [&](BYTE connective) { return Row(1, 7, VT_SHORT, is2, 1, connective); };
    auto D = [&](BYTE connective) { return Row(1, 15, VT_SHORT, is1, 1, connective); };
    struct Case {
        std::vector<ConstraintCondition> rows;
        WORD result;
        std::vector<WORD> ids;
    };
    const Case kCases[] = {
        {{A(0), C(4)}, 0, {}},      // conjunction
        {{A(2), C(4)}, 1, {16, 7}}, // 2: an alternative
        {{C(3), A(4)}, 1, {16}},    // 3 ends a set: the second set matches alone
        {{C(3), D(4)}, 0, {}},
        {{C(0), A(2), B(4)}, 1, {7, 16, 274}}, // (C and A) or B
        {{A(0), B(3), C(4)}, 1, {16, 274}},    // the first set matches
        {{C(1), A(4)}, 0, {}},                 // any other connective joins as a conjunction
    };
    for (size_t i = 0; i < sizeof(kCases) / sizeof(kCases[0]); ++i) {
        const Case &c = kCases[i];
        ConstraintCondition sets = {};
        sets.op = CST_OP_OPTION_SETS;
        sets.values = c.rows.data();
        sets.count = (WORD)c.rows.size();
        sets.stride = sizeof(ConstraintCondition);
        WORD ids[CST_SET_IDS + 1] = {};
        EXPECT_EQ(c.result, cst_EvaluateOptionSets(&engine.context, nullptr, &sets, 0, ids)) << "case " << i;
        EXPECT_EQ(c.ids, OutList(ids)) << "case " << i;
    }
    // A proposed value stands in for the stored one: with 7 = 2 the conjunction holds.
    std::vector<ConstraintCondition> rows = {A(0), C(4)};
    ConstraintCondition sets = {CST_OP_OPTION_SETS, 0, 0, sizeof(ConstraintCondition), rows.data(), 2, 0, {}};
    SHORT landscape = 2;
    ChangeEntry change = {7, VT_SHORT, &landscape};
    EXPECT_EQ(1, cst_EvaluateOptionSets(&engine.context, &change, &sets, 0, nullptr));
    ConstraintCondition one = A(0);
    EXPECT_EQ(1, cst_EvaluateOptionSets(&engine.context, nullptr, &one, 0, nullptr)) << "a row alone";
    ConstraintCondition bad = C(0);
    bad.op = 13;
    EXPECT_EQ(2, cst_EvaluateOptionSets(&engine.context, nullptr, &bad, 0, nullptr));
    EXPECT_EQ(2, cst_EvaluateOptionSets(nullptr, nullptr, &one, 0, nullptr));
}

} // namespace
