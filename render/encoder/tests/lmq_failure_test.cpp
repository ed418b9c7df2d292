/*
 * Stream failures and refusals: one write per operand; most commands stop at the first
 * failed write, the matrix, colour and page-size commands write every operand; a refused
 * command writes nothing.
 */
#include "render/encoder/lmq_encoder.h"
#include "render/encoder/tests/recording_stream.h"

#include <gtest/gtest.h>

namespace {

typedef int (*EncodeCall)(OutputStream *stream);

const float kMatrix[6] = {1, 0, 0, 1, 0, 0};
const WORD kCodes[2] = {0x41, 0x42};

struct FailureRow {
    const char *name;
    EncodeCall encode;
    int writes;       // stream writes of the whole command
    bool allOperands; // writes every operand after a failure
};

const FailureRow kFailures[] = {
    {"AA", [](OutputStream *s) { return lmq_CmdAA(s, 2); }, 7, true},
    {"Aa", [](OutputStream *s) { return lmq_CmdAa(s, kMatrix); }, 7, true},
    {"Db", [](OutputStream *s) { return lmq_CmdDb(s, kMatrix); }, 7, true},
    {"AM", [](OutputStream *s) { return lmq_CmdAM(s, 2, 4, 0x010203); }, 4, true},
    {"Ec",
     [](OutputStream *s) {
         static const float extents[2] = {210, 297};
         return lmq_CmdEc(s, 1, 1, 81, extents);
     },
     6,
     true},
    {"AB", [](OutputStream *s) { return lmq_CmdAB(s, 1, 2, 3, 4); }, 5, false},
    {"AN", [](OutputStream *s) { return lmq_CmdAN(s, 1, 2, 1, 4, 0x010203, 2); }, 7, false},
    {"BP",
     [](OutputStream *s) {
         static const short points[4] = {1, 2, 3, 4};
         return lmq_CmdBP(s, 2, points);
     },
     6,
     false},
    {"B0",
     [](OutputStream *s) {
         static const LONG deltas[2] = {100, -100};
         return lmq_CmdB0(s, 1, deltas);
     },
     4,
     false},
    // The character codes are operands too: a failed code write fails the command.
    {"DC", [](OutputStream *s) { return lmq_CmdDC(s, 1, 2, 3, 2, kCodes); }, 8, false},
    {"Cq", [](OutputStream *s) { return lmq_CmdCq(s, 0, 0, kMatrix, 1, 1, 2, 1, 2); }, 15, false},
};

TEST(LumiqFailures, FailedWriteStopsOrWritesAllOperands)
{
    for (const FailureRow &row : kFailures) {
        lmqt_Reset();
        ASSERT_EQ(row.encode(lmqt_Stream()), 0) << row.name;
        ASSERT_EQ(lmqt_Record().calls, row.writes) << row.name;
        for (int failAt = 1; failAt <= row.writes; ++failAt) {
            SCOPED_TRACE(std::string(row.name) + " failing write " + std::to_string(failAt));
            lmqt_Reset(failAt);
            EXPECT_EQ(row.encode(lmqt_Stream()), -1);
            EXPECT_EQ(lmqt_Record().calls, row.allOperands ? row.writes : failAt);
        }
    }
}

// Each refusal returns -1 before the opcode: the stream sees no write at all.
const FailureRow kRefusals[] = {
    {"AA code 0", [](OutputStream *s) { return lmq_CmdAA(s, 0); }, 0, false},
    {"AA code 5", [](OutputStream *s) { return lmq_CmdAA(s, 5); }, 0, false},
    {"AM colour type 5", [](OutputStream *s) { return lmq_CmdAM(s, 2, 5, 0); }, 0, false},
    {"AN colour type 2", [](OutputStream *s) { return lmq_CmdAN(s, 0, 0, 1, 2, 0, 1); }, 0, false},
    {"An colour type 0", [](OutputStream *s) { return lmq_CmdAn(s, 0, 0, 1, 0, 0, 1); }, 0, false},
    {"AO colour type 1",
     [](OutputStream *s) {
         static const BYTE bits[1] = {0};
         return lmq_CmdAO(s, 0, 0, 1, 1, 0, 1, 1, bits);
     },
     0,
     false},
    {"AO width 65536", [](OutputStream *s) { return lmq_CmdAO(s, 0, 0, 1, 3, 0, 65536, 0, nullptr); }, 0, false},
    {"Ao colour type 5", [](OutputStream *s) { return lmq_CmdAo(s, 0, 0, 1, 5, 0, 0, 0, nullptr); }, 0, false},
    {"AQ colour type 5", [](OutputStream *s) { return lmq_CmdAQ(s, 1, 1, 5, 0); }, 0, false},
    {"AP height 65536", [](OutputStream *s) { return lmq_CmdAP(s, 0, 0, 1, 4, 1, 65536, 0, nullptr); }, 0, false},
    {"AV entries 65536", [](OutputStream *s) { return lmq_CmdAV(s, 9, 8, 65536, 0, nullptr); }, 0, false},
    {"AV bytes 65536", [](OutputStream *s) { return lmq_CmdAV(s, 9, 8, 1, 65536, nullptr); }, 0, false},
    {"AH count 256",
     [](OutputStream *s) {
         static short dashes[256];
         return lmq_CmdAH(s, 6, 0, 256, dashes);
     },
     0,
     false},
    {"Ah count 256",
     [](OutputStream *s) {
         static float dashes[256];
         return lmq_CmdAh(s, 6, 0, 256, dashes);
     },
     0,
     false},
    {"BP count 65536",
     [](OutputStream *s) {
         static short points[2];
         return lmq_CmdBP(s, 65536, points);
     },
     0,
     false},
    {"B0 count 65536",
     [](OutputStream *s) {
         static LONG deltas[2];
         return lmq_CmdB0(s, 65536, deltas);
     },
     0,
     false},
    {"Bp count 65536",
     [](OutputStream *s) {
         static float points[2];
         return lmq_CmdBp(s, 65536, points);
     },
     0,
     false},
    {"BU count 65536",
     [](OutputStream *s) {
         static short points[6];
         return lmq_CmdBU(s, 65536, points);
     },
     0,
     false},
    {"Bu count 65536",
     [](OutputStream *s) {
         static float points[6];
         return lmq_CmdBu(s, 65536, points);
     },
     0,
     false},
    {"Cq width 65536", [](OutputStream *s) { return lmq_CmdCq(s, 0, 0, kMatrix, 65536, 1, 1, 0, 1); }, 0, false},
    {"Cq palette entries 65536",
     [](OutputStream *s) { return lmq_CmdCqColorBlock(s, 8, 8, 65536, 0, nullptr, 0, 8, 1, 0); },
     0,
     false},
    {"Cp height 65536", [](OutputStream *s) { return lmq_CmdCp(s, 0, 0, 1, 65536, 0, kMatrix, 0); }, 0, false},
    {"DC no characters", [](OutputStream *s) { return lmq_CmdDC(s, 0, 0, 0, 0, kCodes); }, 0, false},
    {"Dc 32768 characters", [](OutputStream *s) { return lmq_CmdDc(s, 0, 0, 0, 32768, kCodes); }, 0, false},
    {"DD no characters", [](OutputStream *s) { return lmq_CmdDD(s, 0, 0, nullptr, 0, kCodes); }, 0, false},
    {"Dd 32768 characters", [](OutputStream *s) { return lmq_CmdDd(s, 0, 0, nullptr, 32768, kCodes); }, 0, false},
    {"DF doubled count 65536",
     [](OutputStream *s) {
         static short values[32768];
         return lmq_CmdDF(s, 0, 0, 3, 32768, values, values, 0);
     },
     0,
     false},
    {"Df count 65536",
     [](OutputStream *s) {
         static float values[1];
         return lmq_CmdDf(s, 0, 0, 1, 65536, values, nullptr, 0);
     },
     0,
     false},
    {"Ec 81 without extents", [](OutputStream *s) { return lmq_CmdEc(s, 0, 0, 81, nullptr); }, 0, false},
    {"EE 65536 bytes", [](OutputStream *s) { return lmq_CmdEE(s, 65536, nullptr); }, 0, false},
    {"EH 65536 bytes", [](OutputStream *s) { return lmq_CmdEH(s, 65536, nullptr); }, 0, false},
    {"Eg 65536 bytes", [](OutputStream *s) { return lmq_CmdEg(s, 65536, nullptr, kMatrix, 1, 0, nullptr); }, 0, false},
    {"Eg 81 without extents",
     [](OutputStream *s) { return lmq_CmdEg(s, 1, (const BYTE *)"x", kMatrix, 2, 81, nullptr); },
     0,
     false},
};

TEST(LumiqFailures, RefusalsWriteNothing)
{
    for (const FailureRow &row : kRefusals) {
        lmqt_Reset();
        EXPECT_EQ(row.encode(lmqt_Stream()), -1) << row.name;
        EXPECT_EQ(lmqt_Record().calls, 0) << row.name;
    }
}

} // namespace
