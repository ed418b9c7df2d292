/*
 * A seeded random sequence of commands read back by the independent decoder: every
 * operand comes back as it was given.
 */
#include "render/encoder/lmq_encoder.h"
#include "render/encoder/tests/recording_stream.h"
#include "tools/lumiq/lumiq_decoder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

std::string FloatText(float f)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", (double)f);
    return text;
}

TEST(LumiqRoundTrip, SeededCommandSequenceDecodesToItsOperands)
{
    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> s16(-32768, 32767);
    std::uniform_int_distribution<int> kind(0, 4);
    std::uniform_int_distribution<int> small(1, 40);
    std::uniform_real_distribution<float> real(-5000.0f, 5000.0f);
    const LONG magnitudes[] = {0x3F, 0x1FFF, 0xFFFFF, 0x7FFFFFF, 0x7FFFFFFF};

    lmqt_Reset();
    std::vector<std::string> expected;
    for (int i = 0; i < 300; ++i) {
        int count = small(random);
        std::string line;
        switch (kind(random)) {
        case 0: { // relative path, deltas of every svar width and sign
            std::vector<LONG> deltas(2 * (size_t)count);
            line = "B0 " + std::to_string(count);
            for (LONG &d : deltas) {
                LONG m = magnitudes[random() % 5];
                d = (LONG)(random() % ((unsigned long)m + 1));
                if (random() & 1)
                    d = -d;
                line += " " + std::to_string(d);
            }
            ASSERT_EQ(lmq_CmdB0(lmqt_Stream(), (DWORD)count, deltas.data()), 0);
            break;
        }
        case 1: { // absolute integer path
            std::vector<short> points(2 * (size_t)count);
            line = "BP " + std::to_string(count);
            for (short &p : points) {
                p = (short)s16(random);
                line += " " + std::to_string(p);
            }
            ASSERT_EQ(lmq_CmdBP(lmqt_Stream(), (DWORD)count, points.data()), 0);
            break;
        }
        case 2: { // float text with per-character advances
            float x = real(random), y = real(random);
            std::vector<float> advances((size_t)count - 1);
            std::vector<WORD> codes((size_t)count);
            line = "Dd " + FloatText(x) + " " + FloatText(y) + " 2 " + std::to_string(count - 1);
            for (float &a : advances) {
                a = real(random);
                line += " " + FloatText(a);
            }
            line += " " + std::to_string(2 * count);
            for (WORD &c : codes) {
                c = (WORD)(random() & 0xFFFF);
                line += " " + std::to_string(c);
            }
            ASSERT_EQ(lmq_CmdDd(lmqt_Stream(), x, y, advances.data(), (DWORD)count, codes.data()), 0);
            break;
        }
        case 3: { // colour
            DWORD color = random() & 0xFFFFFF;
            char hex[8];
            std::snprintf(hex, sizeof hex, "%06lx", (unsigned long)color);
            line = std::string("AM 2 4 #") + hex;
            ASSERT_EQ(lmq_CmdAM(lmqt_Stream(), 2, 4, color), 0);
            break;
        }
        default: { // float clip rectangle
            float v[4] = {real(random), real(random), real(random), real(random)};
            line = "Ab";
            for (float f : v)
                line += " " + FloatText(f);
            ASSERT_EQ(lmq_CmdAb(lmqt_Stream(), v[0], v[1], v[2], v[3]), 0);
            break;
        }
        }
        expected.push_back(line);
    }

    std::vector<uint8_t> bytes(lmqt_Record().bytes.begin(), lmqt_Record().bytes.end());
    size_t pos = 0;
    for (const std::string &want : expected) {
        std::string line;
        size_t next = 0;
        LqdError error;
        ASSERT_TRUE(lqd_DecodeCommand(bytes.data(), bytes.size(), pos, line, next, error))
            << error.offset << ": " << error.reason;
        ASSERT_EQ(line, want);
        pos = next;
    }
    EXPECT_EQ(pos, bytes.size());
}

} // namespace
