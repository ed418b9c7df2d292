/* The additional size checks of constraint records: the general form of kinds 1-9 and the
 * paper-size form, with custom slots, the user size and the paper helpers. */
#include "core/constraints/tests/constraints_test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

/* Papers (tenths of millimetres): A4 9, A5 11, A3 8, the user size 256 and custom slot 262;
 * size ranges from A5 to A4 under the keys the check kinds read; a type-17 box of
 * 1000 x 1500 to 2000 x 2800 under the constraint record's key 50. */
const char kPapers[] = "  - {type: 17, key: 1, first: [2100, 2970], second: [2100, 2970]}\n"
                       "  - {type: 17, key: 2, first: [1480, 2100], second: [1480, 2100]}\n"
                       "  - {type: 17, key: 3, first: [2970, 4200], second: [2970, 4200]}\n"
                       "  - {type: 17, key: 4, first: [900, 1480], second: [2159, 3556]}\n"
                       "  - {type: 17, key: 5, first: [42, 50], second: [43, 51]}\n"
                       "  - {type: 17, key: 6, first: [1480, 2100], second: [2100, 2970]}\n"
                       "  - {type: 17, key: 50, first: [1000, 1500], second: [2000, 2800]}\n"
                       "  - {type: 10, key: 9, name: A4, paper_size: 1, margins: 5}\n"
                       "  - {type: 10, key: 11, name: A5, paper_size: 2, margins: 5}\n"
                       "  - {type: 10, key: 8, name: A3, paper_size: 3, margins: 5}\n"
                       "  - {type: 10, key: 256, name: User, paper_size: 4, margins: 5}\n"
                       "  - {type: 10, key: 262, name: Custom, paper_size: 4, margins: 5}\n"
                       "  - {type: 5, key: 257, text: Tray, sizes: 6, items: [262]}\n"
                       "  - {type: 5, key: 7, text: Unit, sizes: 6, items: [262]}\n"
                       "  - {type: 5, key: 4, text: Fixed, sizes: 6, items: [262]}\n"
                       "  - {type: 5, key: 264, text: Fixed, sizes: 6, items: [262]}\n"
                       "  - {type: 5, key: 2, text: Insert, sizes: 6, items: [262]}\n"
                       "  - {type: 5, key: 300, text: Other, sizes: 6, items: [410]}\n"
                       "  - {type: 6, key: 1, text: Output, sizes: 6, items: [262]}\n";

/* A model whose setting `changed` (type 2, or 3 for 411) lists one type-7 record of kind
 * 1 with the given check kind and trigger, on its definition and on its option `value`. */
std::string SizeModel(WORD check, WORD changed, WORD trigger, LONG value)
{
    std::string type = changed == 411 ? "3" : "2";
    std::string records = kPapers;
    records += "  - {type: 4, key: " + std::to_string(changed) +
               ", caption: S, control: 2, default: 1,"
               " options: [901], keys2: [1]}\n";
    records += "  - {type: 14, key: 901, caption: O, value: {type: " + type + ", value: " + std::to_string(value) +
               "}, keys1: [1]}\n";
    records += "  - {type: 7, key: 50, value: {function: " + std::to_string(trigger) +
               ", type: 2}, word1: " + std::to_string(1 | (check << 10)) + "}\n";
    return records;
}

struct Case {
    const char *what;
    WORD check;
    std::function<void(TestSettingsAreas &)> settings;
    WORD changed;
    bool conflict;
    WORD mask;
};

TEST(SizeChecks, EveryKindInsideAndOutsideItsRange)
{
    auto out = [](LONG paper) {
        return [paper](TestSettingsAreas &a) {
            a.set(262, paper);
            a.set(265, 257);
        };
    };
    const Case kCases[] = {
        {"1: A4 from tray 1", 1, out(9), 18, false, 0},
        {"1: A3 from tray 1", 1, out(8), 18, true, 0x000F},
        {"1: A3 from a tray without range",
         1,
         [](TestSettingsAreas &a) {
             a.set(262, 8);
             a.set(265, 999);
         },
         18,
         false,
         0},
        {"1: 258 stands for setting 13",
         1,
         [](TestSettingsAreas &a) {
             a.set(262, 8);
             a.set(265, 258);
             a.set(13, 257);
         },
         18,
         true,
         0x000F},
        {"1: 267 stands for setting 8",
         1,
         [](TestSettingsAreas &a) {
             a.set(262, 267);
             a.set(8, 11);
             a.set(265, 257);
         },
         18,
         false,
         0},
        {"1: custom slot 0 too wide",
         1,
         [](TestSettingsAreas &a) {
             a.set(262, 262);
             a.set(265, 257);
             a.set(5889, 2500);
             a.set(5909, 2800);
         },
         18,
         true,
         0x000F},
        {"1: custom slot 0 inside",
         1,
         [](TestSettingsAreas &a) {
             a.set(262, 262);
             a.set(265, 257);
             a.set(5889, 1500);
             a.set(5909, 2200);
         },
         18,
         false,
         0},
        {"1: the user size inside",
         1,
         [](TestSettingsAreas &a) {
             a.set(262, 256);
             a.set(265, 257);
             a.set(10, 2000);
             a.set(9, 2800);
         },
         18,
         false,
         0},
        {"1: the user size too long",
         1,
         [](TestSettingsAreas &a) {
             a.set(262, 256);
             a.set(265, 257);
             a.set(10, 2000);
             a.set(9, 3000);
         },
         18,
         true,
         0x000F},
        {"2: A3 by unit 7",
         2,
         [](TestSettingsAreas &a) {
             a.set(262, 8);
             a.set(389, 7);
         },
         18,
         true,
         0x0013},
        {"2: A5 by unit 7",
         2,
         [](TestSettingsAreas &a) {
             a.set(262, 11);
             a.set(389, 7);
         },
         18,
         false,
         0},
        {"3: A3 on output 1",
         3,
         [](TestSettingsAreas &a) {
             a.set(262, 8);
             a.set(266, 1);
         },
         18,
         true,
         0x0023},
        {"5: 410 A3", 5, [](TestSettingsAreas &a) { a.set(410, 8); }, 18, true, 0x0040},
        {"5: 410 A4", 5, [](TestSettingsAreas &a) { a.set(410, 9); }, 18, false, 0},
        {"6: 411 A3, change elsewhere", 6, [](TestSettingsAreas &a) { a.set(411, 8); }, 18, false, 0},
        {"6: 411 A3, change to 411", 6, [](TestSettingsAreas &a) { a.set(411, 8); }, 411, true, 0x0080},
        {"7: 411 A3 on output 1",
         7,
         [](TestSettingsAreas &a) {
             a.set(411, 8);
             a.set(266, 1);
         },
         18,
         true,
         0x00A0},
        {"8: 410 A3 on output 1",
         8,
         [](TestSettingsAreas &a) {
             a.set(410, 8);
             a.set(266, 1);
         },
         18,
         true,
         0x0060},
        {"8: 410 A3, range without 262 row",
         8,
         [](TestSettingsAreas &a) {
             a.set(410, 8);
             a.set(266, 300);
         },
         18,
         false,
         0},
        {"9: inserts off",
         9,
         [](TestSettingsAreas &a) {
             a.set(262, 8);
             a.set(332, 0);
             a.set(333, 2);
         },
         18,
         false,
         0},
        {"9: inserts on",
         9,
         [](TestSettingsAreas &a) {
             a.set(262, 8);
             a.set(332, 1);
             a.set(333, 2);
         },
         18,
         true,
         0x0803},
        {"10: no check", 10, [](TestSettingsAreas &a) { a.set(262, 9); }, 18, true, 0},
    };
    for (const Case &c : kCases) {
        Engine engine(SizeModel(c.check, c.changed, 18, 1));
        c.settings(*engine.areas);
        ConflictState state = {};
        ASSERT_EQ(0, engine.Query(c.changed, nullptr, &state, CST_MODE_DEFAULTS)) << c.what;
        EXPECT_EQ(c.conflict ? 1 : 0, state.kind) << c.what;
        EXPECT_EQ(c.mask, state.changedMask) << c.what;
        cst_ClearConflictState(&state);
    }
}

TEST(SizeChecks, TheProposedValueReplacesTheStoredOne)
{
    Engine engine(SizeModel(1, 262, 262, 8));
    engine.areas->set(262, 9);
    engine.areas->set(265, 257);
    LONG a3 = 8;
    ConflictState state = {};
    ASSERT_EQ(0, engine.Query(262, &a3, &state, CST_MODE_DEFAULTS));
    EXPECT_EQ(1, state.kind);
    EXPECT_EQ((std::vector<WORD>{262, 8, 265, 13}), List(state, 3)) << "the settings the check depends on";
    cst_ClearConflictState(&state);
}

TEST(SizeChecks, PaperSizeFormForOutputPaperAndPaperSize)
{
    struct Form {
        const char *what;
        WORD trigger;
        std::function<void(TestSettingsAreas &)> settings;
        bool conflict;
    };
    // The box of record 50: 1000 x 1500 to 2000 x 2800; usable sizes lose 85 x 101 of margins.
    auto user = [](LONG w, LONG h) {
        return [w, h](TestSettingsAreas &a) {
            a.set(10, w);
            a.set(9, h);
        };
    };
    const Form kForms[] = {
        {"8: A4 passes", 18, [](TestSettingsAreas &a) { a.set(8, 9); }, false},
        {"8: user size inside",
         18,
         [&](TestSettingsAreas &a) {
             a.set(8, 256);
             user(2000, 2800)(a);
         },
         false},
        {"8: user size too long",
         18,
         [&](TestSettingsAreas &a) {
             a.set(8, 256);
             user(2000, 3000)(a);
         },
         true},
        {"8: custom slot too wide",
         18,
         [](TestSettingsAreas &a) {
             a.set(8, 262);
             a.set(5889, 2159);
             a.set(5909, 2000);
         },
         true},
        {"262: A3 passes", 262, [](TestSettingsAreas &a) { a.set(262, 8); }, false},
        {"262: 267 with the user size too long",
         262,
         [&](TestSettingsAreas &a) {
             a.set(262, 267);
             a.set(8, 256);
             user(2000, 3000)(a);
         },
         true},
        {"262: 267 with A4",
         262,
         [](TestSettingsAreas &a) {
             a.set(262, 267);
             a.set(8, 9);
         },
         false},
        {"262: custom slot 0 inside",
         262,
         [](TestSettingsAreas &a) {
             a.set(262, 262);
             a.set(5889, 1500);
             a.set(5909, 2000);
         },
         false},
    };
    for (const Form &f : kForms) {
        Engine engine(SizeModel(4, 18, f.trigger, 1));
        f.settings(*engine.areas);
        ConflictState state = {};
        ASSERT_EQ(0, engine.Query(18, nullptr, &state, CST_MODE_DEFAULTS)) << f.what;
        EXPECT_EQ(f.conflict ? 1 : 0, state.kind) << f.what;
        EXPECT_EQ(0, state.changedMask) << f.what;
        cst_ClearConflictState(&state);
    }
}

TEST(SizeChecks, PaperHelpers)
{
    Engine engine(SizeModel(1, 18, 18, 1));
    TestSettingsAreas &a = *engine.areas;
    a.set(5889 + 19, 1234);
    a.set(5909 + 19, 2345);
    a.set(5889 + 5, 111);
    a.set(5909 + 5, 222);
    WORD w = 0, h = 0;
    EXPECT_TRUE(cst_GetCustomPaperSize(&engine.context, 301, &w, &h));
    EXPECT_EQ(1234, w);
    EXPECT_EQ(2345, h);
    EXPECT_TRUE(cst_GetCustomPaperSize(&engine.context, 287, &w, &h));
    EXPECT_EQ(111, w);
    EXPECT_FALSE(cst_GetCustomPaperSize(&engine.context, 267, &w, &h));
    EXPECT_TRUE(cst_GetPaperDimensions(&engine.context, 9, &w, &h));
    EXPECT_EQ(2100, w);
    EXPECT_EQ(2970, h);
    EXPECT_FALSE(cst_GetPaperDimensions(&engine.context, 70, &w, &h)) << "no paper record";
    DddSize lo = {}, hi = {};
    EXPECT_EQ(0, cst_GetSizeRangeLimits(&engine.context, 5, 257, &lo, &hi));
    EXPECT_EQ(1480, lo.width);
    EXPECT_EQ(2970, hi.height);
    EXPECT_EQ(CST_RANGE_MISSING, cst_GetSizeRangeLimits(&engine.context, 5, 300, &lo, &hi)) << "no 262 row";
    EXPECT_EQ(CST_RANGE_MISSING, cst_GetSizeRangeLimits(&engine.context, 6, 99, &lo, &hi));
    EXPECT_EQ(1, cst_GetSizeRangeLimits(&engine.context, 7, 1, &lo, &hi));
    // Usable sizes: less the margins, within the record's minimum and maximum.
    a.set(10, 2000);
    a.set(9, 2800);
    ASSERT_EQ(0, cst_CheckPaperSizeRange(&engine.context, 256, &w, &h));
    EXPECT_EQ(2000 - 85, w);
    EXPECT_EQ(2800 - 101, h);
    a.set(10, 50);
    a.set(9, 9000);
    ASSERT_EQ(0, cst_CheckPaperSizeRange(&engine.context, 256, &w, &h));
    EXPECT_EQ(900, w) << "at least the minimum, margins larger than the paper included";
    EXPECT_EQ(3556, h) << "at most the maximum";
    ASSERT_EQ(0, cst_CheckPaperSizeRange(&engine.context, 11, &w, &h));
    EXPECT_EQ(1480, w);
    EXPECT_EQ(1, cst_CheckPaperSizeRange(&engine.context, 70, &w, &h));
}

} // namespace
