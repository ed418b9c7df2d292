/* Control value conversion: tenths, power-of-two indexes at the 32-bit edge, the
 * paper-centre rule and FunctionIDs without rule. */
#include "ui/driver/runtime/control_value.h"

#include <gtest/gtest.h>

namespace {

TEST(ControlValue, RulesAndEdges)
{
    struct Case {
        WORD direction;
        WORD functionId;
        WORD valueType;
        LONG input;
        DWORD result;
        int answer;
    };
    static const Case kCases[] = {
        {2, 268, VT_SHORT, 125, 12, 1}, // tenths back, truncating
        {1, 268, VT_SHORT, 12, 120, 1},
        {2, 1856, VT_LONG32, -125, (DWORD)-12, 1},
        {1, 482, VT_SHORT, -1, (DWORD)-10, 1},
        {1, 393, VT_SHORT, -3, 256, 1},        // base 256: the lowest index is the base
        {2, 393, VT_SHORT, 200, (DWORD)-4, 1}, // below the base
        {2, 393, VT_SHORT, 256, (DWORD)-3, 1},
        {2, 393, VT_SHORT, 257, (DWORD)-2, 1}, // one doubling reaches it
        {2, 396, VT_LONG32, 512, (DWORD)-2, 1},
        {1, 393, VT_SHORT, -5, 128, 1},         // below the lowest index: half the base
        {1, 392, VT_SHORT, -4, 0, 1},           // base 1 halved
        {1, 392, VT_SHORT, 28, 0x80000000u, 1}, // the largest index that fits, base 1
        {1, 395, VT_SHORT, 29, 29, 0},          // one beyond: copied
        {1, 399, VT_SHORT, 20, 0x80000000u, 1}, // base 256
        {1, 402, VT_SHORT, 21, 21, 0},
        {1, 394, VT_SHORT, 12, 0x80000000u, 1}, // base 65536
        {1, 403, VT_SHORT, 13, 13, 0},
        {1, 400, VT_SHORT, 32767, 32767, 0},
        {2, 392, VT_DWORD, (LONG)0xFFFFFFFFu, 29, 1}, // 32 doublings of 1
        {2, 392, VT_DWORD, (LONG)0x80000000u, 28, 1},
        {2, 394, VT_DWORD, (LONG)0xFFFFFFFFu, 13, 1}, // 16 doublings of 65536
        {1, 478, VT_SHORT, 50, 50, 1},                // paper centre not known: the value
        {1, 100, VT_SHORT, 7, 7, 0},                  // no rule: copied
        {2, 100, VT_LONG32, -7, (DWORD)-7, 0},
    };
    for (const Case &c : kCases) {
        LONG wide = c.input;
        SHORT narrow = (SHORT)c.input;
        BOOL is32 = c.valueType == VT_LONG32 || c.valueType == VT_DWORD;
        ControlValueRequest request = {};
        request.direction = c.direction;
        request.functionId = c.functionId;
        request.valueType = c.valueType;
        request.value = is32 ? (const void *)&wide : (const void *)&narrow;
        request.result = 0xDEADBEEF;
        EXPECT_EQ(c.answer, ui_ConvertControlValue(&request)) << c.functionId << " " << c.input;
        EXPECT_EQ(c.result, request.result) << c.functionId << " " << c.input;
    }
}

TEST(ControlValue, SixteenBitTypesReadTwoBytes)
{
    // A 32-bit slot holding 0x00010005 is read as 5 by a 16-bit type.
    LONG slot = 0x00010005;
    ControlValueRequest request = {};
    request.direction = 1;
    request.functionId = 269;
    request.valueType = VT_WORD;
    request.value = &slot;
    EXPECT_EQ(1, ui_ConvertControlValue(&request));
    EXPECT_EQ(50u, request.result);
    EXPECT_EQ(0, ui_ConvertControlValue(nullptr));
    request.value = nullptr;
    EXPECT_EQ(0, ui_ConvertControlValue(&request));
}

} // namespace
