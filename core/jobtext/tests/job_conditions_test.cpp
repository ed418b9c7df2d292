/* Condition lists of job-attribute records: operators, value types, connectives and the
 * skip scan, each case one record over a model compiled here. */
#include "core/jobtext/tests/jobtext_test_support.h"

#include <gtest/gtest.h>

namespace {

using namespace jobtext_test;

/* A condition on setting 16 (type 2, value 2 in the tests). */
std::string On16(int op, int value, int connective)
{
    return "{function: 16, byte: " + std::to_string(op) + ", type: 2, value: " + std::to_string(value) +
           ", flag: " + std::to_string(connective) + "}";
}

const LONG kLine = 1, kNoLine = 0;

TEST(JobConditions, OperatorsTypesAndConnectives)
{
    struct Case {
        const char *why;
        std::string conditions;
        LONG expected; /* kLine, kNoLine or a failure code */
    };
    const Case cases[] = {
        {"equal holds", On16(1, 2, 4), kLine},
        {"equal fails", On16(1, 3, 4), kNoLine},
        {"not equal", On16(2, 3, 4), kLine},
        {"less than", On16(3, 3, 4), kLine},
        {"greater than fails", On16(5, 3, 4), kNoLine},
        {"signed compare of type 2", On16(5, -1, 4), kLine},
        {"unsigned compare of type 3", "{function: 274, byte: 3, type: 3, value: 65535, flag: 4}", kLine},
        {"operators 7-12 compare for equality", On16(11, 2, 4), kLine},
        {"value list: any value matches", "{function: 16, byte: 1, type: 128, value: 1, flag: 4}", kLine},
        {"empty list fails for operator 1", "{function: 16, byte: 1, type: 2, flag: 4}", kNoLine},
        {"empty list holds for operator 2", "{function: 16, byte: 2, type: 2, flag: 4}", kLine},
        {"option set: the engine finds the setting at one of its values", On16(9, 2, 4), kLine},
        {"option set: the engine finds no match", On16(9, 3, 4), kNoLine},
        {"operator 0", On16(0, 2, 4), JOB_E_OPERATOR},
        {"operator 13", On16(13, 2, 4), JOB_E_OPERATOR},
        {"type 1 allows only 1 and 2", "{function: 1321, byte: 3, type: 1, value: 0, flag: 4}", JOB_E_OPERATOR_TYPE},
        {"condition type differs", "{function: 16, byte: 1, type: 3, value: 2, flag: 4}", JOB_E_CONDITION_TYPE},
        {"connective 7", On16(1, 2, 7), JOB_E_CONNECTIVE},
        {"1: and, both hold", On16(1, 2, 1) + ", " + On16(2, 5, 4), kLine},
        {"1: and, first fails (skip scan to the group end)", On16(1, 3, 1) + ", " + On16(1, 2, 4), kNoLine},
        {"2: or, second holds", On16(1, 3, 2) + ", " + On16(1, 2, 4), kLine},
        {"2: or, first holds (skip scan)", On16(1, 2, 2) + ", " + On16(1, 3, 4), kLine},
        {"3: a holding group ends the list", On16(1, 2, 3) + ", " + On16(1, 3, 4), kLine},
        {"3: a failing group goes on", On16(1, 3, 3) + ", " + On16(1, 2, 4), kLine},
        {"6: negated end", On16(1, 2, 6), kNoLine},
        {"6: negated end of a failing test", On16(1, 3, 6), kLine},
        {"5: negated, holding test skips to the group end", On16(1, 2, 5) + ", " + On16(1, 2, 4), kNoLine},
        {"5: negated, failing test goes on", On16(1, 3, 5) + ", " + On16(1, 2, 4), kLine},
        {"5: no group end", On16(1, 2, 5), kNoLine},
        {"skip scan stops at 5, evaluation goes on",
         On16(1, 3, 1) + ", " + On16(1, 2, 5) + ", " + On16(1, 2, 4),
         kLine},
        {"list runs out", On16(1, 3, 1), kNoLine},
    };
    for (const Case &c : cases) {
        auto model = OpenModel("  26: 0\n",
                               "  - {type: 20, key: 1, element_type: 2, element_size: 2, elements: [7, 2, 9]}\n"
                               "  - {type: 15, key: 1, word1: 0, flagged: [" +
                                   c.conditions + "], text1: \"@C=\", text2: \"1\", extra_word: 1}\n");
        auto areas = std::make_unique<TestSettingsAreas>();
        areas->set(16, 2);
        areas->set(274, 1);
        Built built = Build(*model, *areas);
        if (c.expected < 0) {
            EXPECT_EQ(c.expected, built.status) << c.why;
            continue;
        }
        EXPECT_EQ(c.expected == kLine ? kUel + "@C=1\n" : kUel, built.text) << c.why;
    }
}

} // namespace
