/*
 * Every command of the encoder against golden bytes typed from the command table, and
 * the same bytes read back by the independent stream decoder.
 */
#include "render/encoder/lmq_encoder.h"
#include "render/encoder/tests/recording_stream.h"
#include "tools/lumiq/lumiq_decoder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

namespace {

typedef int (*EncodeCall)(OutputStream *stream);

struct GoldenRow {
    const char *opcode; // the command the row covers
    EncodeCall encode;
    const char *bytes;   // golden bytes, hex with spaces
    const char *listing; // the decoder's listing line
};

const float kIdentity[6] = {1, 0, 0, 1, 0, 0};
const WORD kCodesAB[2] = {0x41, 0x42};

// Glyph records for the commands that a glyph record follows: header and padding as
// the glyph writer sends them (typed values 14 and 8).
int WriteGlyph(OutputStream *s, DWORD header, const BYTE *padding, DWORD n)
{
    if (lmq_WriteTypedValue(s, 14, &header, 4))
        return -1;
    return n == 0 ? 0 : lmq_WriteTypedValue(s, 8, padding, n);
}

const GoldenRow kGolden[] = {
    {"AA", [](OutputStream *s) { return lmq_CmdAA(s, 1); }, "41 41 0001 0000 0000 ffff 0000 0000", "AA 1 0 0 -1 0 0"},
    {"AA", [](OutputStream *s) { return lmq_CmdAA(s, 4); }, "41 41 0000 ffff ffff 0000 0000 0000", "AA 0 -1 -1 0 0 0"},
    {"Aa",
     [](OutputStream *s) {
         static const float m[6] = {1, 0, 0, 1, 10, 20};
         return lmq_CmdAa(s, m);
     },
     "41 61 3f800000 00000000 00000000 3f800000 41200000 41a00000",
     "Aa 1 0 0 1 10 20"},
    {"AB", [](OutputStream *s) { return lmq_CmdAB(s, 1, 2, 3, 4); }, "41 42 0001 0002 0003 0004", "AB 1 2 3 4"},
    // Values beyond 16 bits keep their low 16 bits (the writer switches to Ab first).
    {"AB",
     [](OutputStream *s) { return lmq_CmdAB(s, 0x12345, -1, 70000, 65536); },
     "41 42 2345 ffff 1170 0000",
     "AB 9029 -1 4464 0"},
    {"Ab",
     [](OutputStream *s) { return lmq_CmdAb(s, 0.5f, 1, 1.5f, 2); },
     "41 62 3f000000 3f800000 3fc00000 40000000",
     "Ab 0.5 1 1.5 2"},
    {"AC", [](OutputStream *s) { return lmq_CmdAC(s); }, "41 43", "AC"},
    {"AR", [](OutputStream *s) { return lmq_CmdAR(s); }, "41 52", "AR"},
    {"AD", [](OutputStream *s) { return lmq_CmdAD(s, 3); }, "41 44 0003", "AD 3"},
    {"Ad", [](OutputStream *s) { return lmq_CmdAd(s, 0.25f); }, "41 64 3e800000", "Ad 0.25"},
    {"AE", [](OutputStream *s) { return lmq_CmdAE(s, 2); }, "41 45 02", "AE 2"},
    {"AF", [](OutputStream *s) { return lmq_CmdAF(s, 3); }, "41 46 03", "AF 3"},
    {"AG", [](OutputStream *s) { return lmq_CmdAG(s, -5); }, "41 47 fb", "AG -5"},
    {"Ag", [](OutputStream *s) { return lmq_CmdAg(s, 10); }, "41 67 41200000", "Ag 10"},
    {"AH",
     [](OutputStream *s) {
         static const short dashes[2] = {3, 4};
         return lmq_CmdAH(s, 6, -2, 2, dashes);
     },
     "41 48 06 fffe 02 0003 0004",
     "AH 6 -2 2 3 4"},
    {"AH", [](OutputStream *s) { return lmq_CmdAH(s, 1, 99, 9, nullptr); }, "41 48 01", "AH 1"},
    {"Ah",
     [](OutputStream *s) {
         static const float dashes[1] = {2};
         return lmq_CmdAh(s, 6, 0.5f, 1, dashes);
     },
     "41 68 06 3f000000 01 40000000",
     "Ah 6 0.5 1 2"},
    {"AI", [](OutputStream *s) { return lmq_CmdAI(s, 7); }, "41 49 07", "AI 7"},
    {"AJ", [](OutputStream *s) { return lmq_CmdAJ(s, 2); }, "41 4a 02", "AJ 2"},
    {"AK", [](OutputStream *s) { return lmq_CmdAK(s, 3); }, "41 4b 03", "AK 3"},
    {"AL", [](OutputStream *s) { return lmq_CmdAL(s, 1, 0xCC); }, "41 4c 01 000000cc", "AL 1 204"},
    {"AM", [](OutputStream *s) { return lmq_CmdAM(s, 2, 4, 0x102030); }, "41 4d 02 04 102030", "AM 2 4 #102030"},
    {"AM", [](OutputStream *s) { return lmq_CmdAM(s, 2, 3, 0x808080); }, "41 4d 02 03 80", "AM 2 3 #80"},
    {"AN",
     [](OutputStream *s) { return lmq_CmdAN(s, 5, -6, 1, 4, 0xFF0000, 2); },
     "41 4e 0005 fffa 01 04 ff0000 02",
     "AN 5 -6 1 4 #ff0000 2"},
    {"An",
     [](OutputStream *s) { return lmq_CmdAn(s, 1, 2, 1, 3, 0, 6); },
     "41 6e 3f800000 40000000 01 03 00000000 06",
     "An 1 2 1 3 0 6"},
    {"An",
     [](OutputStream *s) { return lmq_CmdAn(s, 1, 2, 1, 4, 0xFF0000, 6); },
     "41 6e 3f800000 40000000 01 04 3f800000 00000000 00000000 06",
     "An 1 2 1 4 1 0 0 6"},
    {"AO",
     [](OutputStream *s) {
         static const BYTE bits[4] = {0xFF, 0x80, 0x01, 0x00};
         return lmq_CmdAO(s, 1, 2, 1, 3, 0x808080, 9, 2, bits);
     },
     "41 4f 0001 0002 01 03 80 01 0009 0002 ff800100",
     "AO 1 2 1 3 #80 1 9 2 4:ff800100"},
    {"Ao",
     [](OutputStream *s) {
         static const BYTE bits[1] = {0xAA};
         return lmq_CmdAo(s, 0.5f, 1, 1, 4, 0, 8, 1, bits);
     },
     "41 6f 3f000000 3f800000 01 04 00000000 00000000 00000000 01 0008 0001 aa",
     "Ao 0.5 1 1 4 0 0 0 1 8 1 1:aa"},
    {"AP",
     [](OutputStream *s) {
         static const BYTE rgb[3] = {1, 2, 3};
         return lmq_CmdAP(s, 0, 0, 1, 4, 1, 1, 3, rgb);
     },
     "41 50 0000 0000 01 04 08 0001 0001 01 00000003 010203",
     "AP 0 0 1 4 8 1 1 1 3 3:010203"},
    {"AQ",
     [](OutputStream *s) { return lmq_CmdAQ(s, 1, 2, 4, 0xABCDEF); },
     "41 51 01 02 04 abcdef",
     "AQ 1 2 4 #abcdef"},
    {"AV",
     [](OutputStream *s) {
         static const BYTE palette[6] = {0, 0, 0, 0xFF, 0xFF, 0xFF};
         return lmq_CmdAV(s, 9, 8, 2, 6, palette);
     },
     "41 56 09 08 0002 0006 000000ffffff",
     "AV 9 8 2 6 6:000000ffffff"},
    {"BA", [](OutputStream *s) { return lmq_CmdBA(s); }, "42 41", "BA"},
    {"BB", [](OutputStream *s) { return lmq_CmdBB(s, 10, -20); }, "42 42 000a ffec", "BB 10 -20"},
    {"Bb", [](OutputStream *s) { return lmq_CmdBb(s, 1, 2); }, "42 62 3f800000 40000000", "Bb 1 2"},
    {"BP",
     [](OutputStream *s) {
         static const short points[4] = {10, 20, -30, 40};
         return lmq_CmdBP(s, 2, points);
     },
     "42 50 0002 000a 0014 ffe2 0028",
     "BP 2 10 20 -30 40"},
    {"B0",
     [](OutputStream *s) {
         static const LONG deltas[4] = {64, -64, 0, -1};
         return lmq_CmdB0(s, 2, deltas);
     },
     "42 30 0002 8040 c040 00 41",
     "B0 2 64 -64 0 -1"},
    {"Bp",
     [](OutputStream *s) {
         static const float points[2] = {0.5f, -1};
         return lmq_CmdBp(s, 1, points);
     },
     "42 70 0001 3f000000 bf800000",
     "Bp 1 0.5 -1"},
    {"BU",
     [](OutputStream *s) {
         static const short points[6] = {1, 2, 3, 4, 5, 6};
         return lmq_CmdBU(s, 1, points);
     },
     "42 55 0001 0001 0002 0003 0004 0005 0006",
     "BU 1 1 2 3 4 5 6"},
    {"Bu",
     [](OutputStream *s) {
         static const float points[6] = {1, 2, 3, 4, 5, 6};
         return lmq_CmdBu(s, 1, points);
     },
     "42 75 0001 3f800000 40000000 40400000 40800000 40a00000 40c00000",
     "Bu 1 1 2 3 4 5 6"},
    {"BC", [](OutputStream *s) { return lmq_CmdBC(s); }, "42 43", "BC"},
    {"BD", [](OutputStream *s) { return lmq_CmdBD(s); }, "42 44", "BD"},
    {"CG", [](OutputStream *s) { return lmq_CmdCG(s, 1, 2, 3, 4); }, "43 47 0001 0002 0003 0004", "CG 1 2 3 4"},
    {"Cg",
     [](OutputStream *s) { return lmq_CmdCg(s, 1, 2, 3, 4); },
     "43 67 3f800000 40000000 40400000 40800000",
     "Cg 1 2 3 4"},
    {"Cc",
     [](OutputStream *s) {
         static const float arc[6] = {10, 20, 5, 6, 0, 360};
         return lmq_CmdCc(s, arc);
     },
     "43 63 41200000 41a00000 40a00000 40c00000 00000000 43b40000",
     "Cc 10 20 5 6 0 360"},
    // Source kind 1: the header ends after the source kind.
    {"Cq",
     [](OutputStream *s) { return lmq_CmdCq(s, 1, 2, kIdentity, 4, 2, 1, 0, 1); },
     "43 71 3f800000 40000000 3f800000 00000000 00000000 3f800000 00000000 00000000"
     " 0004 0002 01 01",
     "Cq 1 2 1 0 0 1 0 0 4 2 1 1"},
    // Mask and source: mask count, colour block with palette, then mask bits and data.
    {"Cq",
     [](OutputStream *s) {
         static const BYTE palette[3] = {1, 2, 3};
         static const BYTE mask[2] = {0xF0, 0x0F};
         static const BYTE data[2] = {0xAA, 0xBB};
         if (lmq_CmdCq(s, 1, 2, kIdentity, 4, 2, 2, 2, 2) || lmq_CmdCqColorBlock(s, 8, 8, 1, 3, palette, 0, 8, 1, 2))
             return -1;
         return lmq_WriteBytes(s, mask, 2) | lmq_WriteBytes(s, data, 2);
     },
     "43 71 3f800000 40000000 3f800000 00000000 00000000 3f800000 00000000 00000000"
     " 0004 0002 02 00 00000002 02 08 08 0001 0003 010203 00 08 01 00000002 f00f aabb",
     "Cq 1 2 1 0 0 1 0 0 4 2 2 0 2 2 8 8 1 3 3:010203 0 8 1 2 mask 2:f00f data 2:aabb"},
    {"Cp",
     [](OutputStream *s) {
         static const BYTE rows[2] = {0xFF, 0x00};
         return lmq_CmdCp(s, 1, 2, 8, 2, 1, kIdentity, 2) | lmq_WriteBytes(s, rows, 2);
     },
     "43 70 3f800000 40000000 0008 0002 01 3f800000 00000000 00000000 3f800000 00000000"
     " 00000000 00000002 ff00",
     "Cp 1 2 8 2 1 1 0 0 1 0 0 2 data 2:ff00"},
    {"DA", [](OutputStream *s) { return lmq_CmdDA(s, 12); }, "44 41 000c", "DA 12"},
    {"Db",
     [](OutputStream *s) { return lmq_CmdDb(s, kIdentity); },
     "44 62 3f800000 00000000 00000000 3f800000 00000000 00000000",
     "Db 1 0 0 1 0 0"},
    {"DC",
     [](OutputStream *s) { return lmq_CmdDC(s, 10, 20, 30, 2, kCodesAB); },
     "44 43 000a 0014 01 001e 0004 0041 0042",
     "DC 10 20 1 30 4 65 66"},
    // One character: advance 0, length 2, one code.
    {"DC",
     [](OutputStream *s) { return lmq_CmdDC(s, 10, 20, 30, 1, kCodesAB); },
     "44 43 000a 0014 01 0000 0002 0041",
     "DC 10 20 1 0 2 65"},
    {"Dc",
     [](OutputStream *s) { return lmq_CmdDc(s, 0.5f, 1, 1.5f, 1, kCodesAB); },
     "44 63 3f000000 3f800000 01 00000000 0002 0041",
     "Dc 0.5 1 1 0 2 65"},
    {"DD",
     [](OutputStream *s) {
         static const short advances[1] = {5};
         return lmq_CmdDD(s, 1, 2, advances, 2, kCodesAB);
     },
     "44 44 0001 0002 02 0001 0005 0004 0041 0042",
     "DD 1 2 2 1 5 4 65 66"},
    {"Dd",
     [](OutputStream *s) {
         static const float advances[1] = {0.5f};
         return lmq_CmdDd(s, 1, 2, advances, 2, kCodesAB);
     },
     "44 64 3f800000 40000000 02 0001 3f000000 0004 0041 0042",
     "Dd 1 2 2 1 0.5 4 65 66"},
    {"DE",
     [](OutputStream *s) {
         static const BYTE pad[4] = {0x22, 0x22, 0x22, 0x22};
         return lmq_CmdDE(s, 1, 2, 3, 7, 9) | WriteGlyph(s, 0x00000008, pad, 4);
     },
     "44 45 0001 0002 03 0000 0007 0009 00000008 22222222",
     "DE 1 2 3 0 7 9 glyph 0x00000008 8"},
    {"De",
     [](OutputStream *s) { return lmq_CmdDe(s, 0.5f, 1, 2, 1.5f, 3) | WriteGlyph(s, 0x400004, nullptr, 0); },
     "44 65 3f000000 3f800000 02 3fc00000 0003 00400004",
     "De 0.5 1 2 1.5 3 glyph 0x00400004 4"},
    // Both arrays: the count field is doubled, each array holds the count.
    {"DF",
     [](OutputStream *s) {
         static const short first[2] = {1, 2};
         static const short second[2] = {3, 4};
         return lmq_CmdDF(s, 1, 2, 3, 2, first, second, 5);
     },
     "44 46 0001 0002 02 03 0004 0001 0002 0003 0004 0005",
     "DF 1 2 2 3 4 1 2 3 4 5"},
    {"Df",
     [](OutputStream *s) {
         static const float first[2] = {0.5f, 1};
         return lmq_CmdDf(s, 1, 2, 1, 2, first, nullptr, 5);
     },
     "44 66 3f800000 40000000 02 01 40000000 3f000000 3f800000 0005",
     "Df 1 2 2 1 2 0.5 1 5"},
    {"DH",
     [](OutputStream *s) {
         static const BYTE pad[2] = {0x11, 0x11};
         return lmq_CmdDH(s, 0x1000) | WriteGlyph(s, 0x400006, pad, 2);
     },
     "44 48 00001000 00400006 1111",
     "DH 4096 glyph 0x00400006 6"},
    // Outline record: flag bits above bit 17 are not part of the size.
    {"DL",
     [](OutputStream *s) { return lmq_CmdDL(s, 0xFFFF) | WriteGlyph(s, 0x38000004, nullptr, 0); },
     "44 4c ffff 38000004",
     "DL 65535 glyph 0x38000004 4"},
    {"DI", [](OutputStream *s) { return lmq_CmdDI(s, 1, -2, 0x40); }, "44 49 0001 fffe 00000040", "DI 1 -2 64"},
    {"DM", [](OutputStream *s) { return lmq_CmdDM(s, 1, 2, 3); }, "44 4d 0001 0002 0003", "DM 1 2 3"},
    {"Di", [](OutputStream *s) { return lmq_CmdDi(s, 1, 2, 0x40); }, "44 69 3f800000 40000000 00000040", "Di 1 2 64"},
    {"Dm", [](OutputStream *s) { return lmq_CmdDm(s, 1, 2, 3); }, "44 6d 3f800000 40000000 0003", "Dm 1 2 3"},
    {"EA", [](OutputStream *s) { return lmq_CmdEA(s, 0x31); }, "45 41 31", "EA 49"},
    {"EB", [](OutputStream *s) { return lmq_CmdEB(s); }, "45 42", "EB"},
    {"Ec", [](OutputStream *s) { return lmq_CmdEc(s, 1, 2, 9, nullptr); }, "45 63 01 02 09", "Ec 1 2 9"},
    // Extents in tenths, rounded: 100.05 -> 100.1, 20 -> 20.
    {"Ec",
     [](OutputStream *s) {
         static const float extents[2] = {100.05f, 20};
         return lmq_CmdEc(s, 0, 0, 81, extents);
     },
     "45 63 00 00 51 42c83333 41a00000",
     "Ec 0 0 81 100.099998 20"},
    {"ED", [](OutputStream *s) { return lmq_CmdED(s); }, "45 44", "ED"},
    {"EE", [](OutputStream *s) { return lmq_CmdEE(s, 3, (const BYTE *)"abc"); }, "45 45 0003 616263", "EE 3 \"abc\""},
    {"EF", [](OutputStream *s) { return lmq_CmdEF(s); }, "45 46", "EF"},
    {"Eg",
     [](OutputStream *s) {
         static const float extents[2] = {1, 2};
         return lmq_CmdEg(s, 2, (const BYTE *)"hi", kIdentity, 2, 81, extents);
     },
     "45 67 0002 6869 3f800000 00000000 00000000 3f800000 00000000 00000000 02 51"
     " 3f800000 40000000",
     "Eg 2 \"hi\" 1 0 0 1 0 0 2 81 1 2"},
    {"EH",
     [](OutputStream *s) { return lmq_CmdEH(s, 2, (const BYTE *)"ab"); },
     "45 48 0001 0002 6162",
     "EH 1 2 \"ab\""},
    {"EP", [](OutputStream *s) { return lmq_CmdEP(s, "hi\"", 0); }, "45 50 03 686922", "EP 3 \"hi\\\"\""},
    {"FA", [](OutputStream *s) { return lmq_CmdFA(s, 1, 600); }, "46 41 01 0258", "FA 1 600"},
    {"FB", [](OutputStream *s) { return lmq_CmdFB(s); }, "46 42", "FB"},
    {"FC", [](OutputStream *s) { return lmq_CmdFC(s); }, "46 43", "FC"},
    {"FE", [](OutputStream *s) { return lmq_CmdFE(s, 17); }, "46 45 11", "FE 17"},
    {"FF", [](OutputStream *s) { return lmq_CmdFF(s, 5); }, "46 46 05", "FF 5"},
    {"FH", [](OutputStream *s) { return lmq_CmdFH(s, 1, 2); }, "46 48 01 02", "FH 1 2"},
    {"FI", [](OutputStream *s) { return lmq_CmdFI(s, 3); }, "46 49 03", "FI 3"},
};

TEST(LumiqCommands, GoldenBytesAndDecodedListing)
{
    std::set<std::string> covered;
    for (const GoldenRow &row : kGolden) {
        SCOPED_TRACE(row.listing);
        covered.insert(row.opcode);
        lmqt_Reset();
        unsigned long allocations = lmqt_Allocations();
        ASSERT_EQ(row.encode(lmqt_Stream()), 0);
        EXPECT_EQ(lmqt_Allocations(), allocations) << "the encoder allocated";
        EXPECT_EQ(lmqt_Hex(), lmqt_Unspaced(row.bytes));

        // An exact-size copy, so that a read past the command shows under the sanitizer.
        std::vector<uint8_t> bytes(lmqt_Record().bytes.begin(), lmqt_Record().bytes.end());
        std::string line;
        size_t next = 0;
        LqdError error;
        EXPECT_TRUE(lqd_DecodeCommand(bytes.data(), bytes.size(), 0, line, next, error))
            << error.offset << ": " << error.reason;
        EXPECT_EQ(line, row.listing);
        EXPECT_EQ(next, bytes.size());
    }
    // The 71 commands of the table and the two float position layouts.
    EXPECT_EQ(covered.size(), 73u);
}

// The comment length: the caller's when its low 8 bits are set, else the text's; cut to 255.
TEST(LumiqCommands, CommentLengthIsCutTo255)
{
    std::string text(300, 'x');
    const struct {
        DWORD length;
        size_t written;
    } cases[] = {{0, 255}, {256, 255}, {300, 255}, {5, 5}};
    for (const auto &c : cases) {
        lmqt_Reset();
        ASSERT_EQ(lmq_CmdEP(lmqt_Stream(), text.c_str(), c.length), 0);
        const std::vector<BYTE> &bytes = lmqt_Record().bytes;
        ASSERT_EQ(bytes.size(), 3 + c.written) << c.length;
        EXPECT_EQ(bytes[2], c.written);
    }
    lmqt_Reset();
    EXPECT_EQ(lmq_CmdEP(lmqt_Stream(), "short", 0x100), 0);
    EXPECT_EQ(lmqt_Hex(),
              "455005"
              "73686f7274");
}

} // namespace
