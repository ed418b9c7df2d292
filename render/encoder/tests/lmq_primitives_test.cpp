/*
 * Operand writers: svar, floats, the fraction test and typed glyph-record values.
 */
#include "render/encoder/lmq_encoder.h"
#include "render/encoder/tests/recording_stream.h"
#include "tools/lumiq/lumiq_decoder.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>

namespace {

// svar bytes, and the same value read back by the decoder from a one-point B0.
TEST(LumiqPrimitives, VarIntBytesAndRoundTrip)
{
    const struct {
        LONG value;
        const char *bytes;
    } cases[] = {
        {0, "00"},
        {-1, "41"},
        {63, "3f"},
        {64, "8040"},
        {-64, "c040"},
        {8191, "bf7f"},
        {8192, "80c000"},
        {0xFFFFF, "bfff7f"},
        {0x100000, "80c08000"},
        {0x7FFFFFF, "bfffff7f"},
        {0x8000000, "80c0808000"},
        {INT_MIN, "c880808000"},
        {INT_MAX, "87ffffff7f"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.value);
        lmqt_Reset();
        ASSERT_EQ(lmq_WriteVarInt(lmqt_Stream(), c.value), 0);
        EXPECT_EQ(lmqt_Hex(), c.bytes);
        EXPECT_EQ(lmqt_Record().lengths.size(), 1u);

        const LONG deltas[2] = {c.value, 0};
        lmqt_Reset();
        ASSERT_EQ(lmq_CmdB0(lmqt_Stream(), 1, deltas), 0);
        std::vector<uint8_t> bytes(lmqt_Record().bytes.begin(), lmqt_Record().bytes.end());
        std::string line;
        size_t next = 0;
        LqdError error;
        ASSERT_TRUE(lqd_DecodeCommand(bytes.data(), bytes.size(), 0, line, next, error));
        EXPECT_EQ(line, "B0 1 " + std::to_string((long long)c.value) + " 0");
    }
}

TEST(LumiqPrimitives, IntegersAndFloatAreBigEndianInOneWrite)
{
    lmqt_Reset();
    ASSERT_EQ(lmq_WriteFloat(lmqt_Stream(), 1.0f), 0);
    ASSERT_EQ(lmq_WriteU16(lmqt_Stream(), 0xFFFE1234), 0);
    ASSERT_EQ(lmq_WriteU24(lmqt_Stream(), 0xAB123456), 0);
    ASSERT_EQ(lmq_WriteU32(lmqt_Stream(), 0x01020304), 0);
    ASSERT_EQ(lmq_WriteU8(lmqt_Stream(), 0x1FF), 0);
    EXPECT_EQ(lmqt_Hex(),
              "3f800000"
              "1234"
              "123456"
              "01020304"
              "ff");
    EXPECT_EQ(lmqt_Record().lengths, (std::vector<DWORD>{4, 2, 3, 4, 1}));
}

TEST(LumiqPrimitives, HasFraction)
{
    const struct {
        float value;
        int expected;
    } cases[] = {
        {1.0f, 0},
        {-3.0f, 0},
        {1e9f, 0},
        {1.00005f, 0}, // below 0.0001 counts as whole
        {1.5f, 1},
        {-2.25f, 1},
        {0.0625f, 1},
        {std::numeric_limits<float>::quiet_NaN(), 1},
        {std::numeric_limits<float>::infinity(), 1},
        {-std::numeric_limits<float>::infinity(), 1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(lmq_HasFraction(c.value), c.expected) << c.value;
}

TEST(LumiqPrimitives, TypedValuesByCode)
{
    const DWORD word32 = 0x12345678;
    const WORD word16 = 0xBEEF;
    const BYTE byte8 = 0xAB;
    const float one = 1.0f;
    const BYTE raw[3] = {'x', 'y', 'z'};
    const struct {
        int code;
        const void *value;
        const char *bytes;
    } cases[] = {
        {0, &word32, "345678"},
        {1, &word32, "345678"},
        {14, &word32, "12345678"},
        {2, &byte8, "ab"},
        {6, &byte8, "ab"},
        {7, &byte8, "ab"},
        {12, &byte8, "ab"},
        {4, &word16, "beef"},
        {5, &word16, "beef"},
        {9, &word16, "beef"},
        {10, &word16, "beef"},
        {13, &word16, "beef"},
        {3, &one, "3f800000"},
        {11, &one, "3f800000"},
        {8, raw, "78797a"},
    };
    for (const auto &c : cases) {
        lmqt_Reset();
        EXPECT_EQ(lmq_WriteTypedValue(lmqt_Stream(), c.code, c.value, 3), 0) << c.code;
        EXPECT_EQ(lmqt_Hex(), c.bytes) << c.code;
        EXPECT_EQ(lmqt_Record().calls, 1) << c.code;
    }
    for (int code : {-1, 15, 16, 255}) {
        lmqt_Reset();
        EXPECT_EQ(lmq_WriteTypedValue(lmqt_Stream(), code, &word32, 4), -1) << code;
        EXPECT_EQ(lmqt_Record().calls, 0) << code;
    }
}

TEST(LumiqPrimitives, TenthsExtentRoundsHalfAwayFromZero)
{
    EXPECT_EQ(lmq_TenthsExtent(210.0f), 210.0f);
    EXPECT_EQ(lmq_TenthsExtent(100.04f), (float)(1000.0 * 0.1));
    EXPECT_EQ(lmq_TenthsExtent(0.25f), (float)(3.0 * 0.1));
    EXPECT_EQ(lmq_TenthsExtent(-0.25f), (float)(-3.0 * 0.1));
}

} // namespace
