/*
 * Job and page commands through the writer: marks, page size, comments, raw job text,
 * the ANSI string commands in code pages 1252 and 932, and refused operands.
 */
#include <cstring>

#include "platform/testing/qm_testing.h"
#include "render/pdl/writer/tests/writer_fixture.h"

namespace writer_test {
namespace {

using Lines = std::vector<std::string>;

class WriterJobTest : public WriterTest
{
protected:
    void SetUp() override
    {
        WriterTest::SetUp();
        CreateWriter();
    }
    void TearDown() override
    {
        qmt_PinAnsiCodePage(0);
        WriterTest::TearDown();
    }
};

TEST_F(WriterJobTest, MarksModeBitsAndPageValues)
{
    ASSERT_EQ(pdl_WriteModeBits(writer_, 2, 1, 5), 0);
    ASSERT_EQ(pdl_EmitEB(writer_), 0);
    ASSERT_EQ(pdl_EmitED(writer_), 0);
    ASSERT_EQ(pdl_EmitEF(writer_), 0);
    ASSERT_EQ(pdl_EmitFB(writer_), 0);
    ASSERT_EQ(pdl_EmitFC(writer_), 0);
    ASSERT_EQ(pdl_EmitFE(writer_, 17), 0);
    ASSERT_EQ(pdl_EmitFI(writer_, 3), 0);
    ASSERT_EQ(pdl_EmitAA(writer_, 3), 0);
    ASSERT_EQ(pdl_SetFA(writer_, 1, 600), 0);
    ASSERT_EQ(pdl_SetFA(writer_, 2, 600), 0); // its own slot
    ASSERT_EQ(pdl_SetFA(writer_, 1, 600), 0);
    const struct {
        LONG a, b;
        const char *line;
    } ff[] = {{0, 0, "FF 0"}, {1, 0, "FF 1"}, {0, 1, "FF 4"}, {7, 1, "FF 5"}};
    for (const auto &f : ff) {
        ASSERT_EQ(pdl_SetFF(writer_, f.a, f.b), 0);
    }
    EXPECT_EQ(Commands(),
              (Lines{"EA 149",
                     "EB",
                     "ED",
                     "EF",
                     "FB",
                     "FC",
                     "FE 17",
                     "FI 3",
                     "AA 0 1 1 0 0 0",
                     "FA 1 600",
                     "FA 2 600",
                     "FF 0",
                     "FF 1",
                     "FF 4",
                     "FF 5"}));
}

TEST_F(WriterJobTest, PageSizeRoundsTheExtentsToTenths)
{
    const float custom[2] = {210.04f, 296.96f};
    const float half[2] = {100.05f, -100.05f};
    ASSERT_EQ(pdl_WritePageSize(writer_, 1, 2, 81, custom), 0);
    ASSERT_EQ(pdl_WritePageSize(writer_, 1, 2, 81, half), 0);
    ASSERT_EQ(pdl_WritePageSize(writer_, 2, 7, 5, nullptr), 0);
    EXPECT_EQ(Commands(), (Lines{"Ec 1 2 81 210 297", "Ec 1 2 81 100.099998 -100.099998", "Ec 2 7 5"}));
}

TEST_F(WriterJobTest, CommentsAreCutAndRawTextIsNot)
{
    std::string comment(300, 'c');
    ASSERT_EQ(pdl_WriteComment(writer_, 0, comment.c_str()), 0);
    Lines lines = Commands();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "EP 255 \"" + std::string(255, 'c') + "\"");

    Mark();
    std::vector<BYTE> header(100000);
    for (size_t i = 0; i < header.size(); ++i) {
        header[i] = (BYTE)('A' + i % 26);
    }
    ASSERT_EQ(pdl_WriteRawString(writer_, (DWORD)header.size(), header.data()), 0);
    EXPECT_EQ(Bytes(), header);
}

TEST_F(WriterJobTest, AnsiStringsTakeTheCodePage)
{
    qmt_PinAnsiCodePage(1252);
    const WCHAR latin[] = u"Caf\u00e9";
    ASSERT_EQ(pdl_WriteStringEE(writer_, latin, 4), 0);
    ASSERT_EQ(pdl_WriteStringEH(writer_, latin, 3), 0);
    qmt_PinAnsiCodePage(932);
    const WCHAR japanese[] = u"\u65e5A";
    ASSERT_EQ(pdl_WriteStringEE(writer_, japanese, 2), 0);
    const WCHAR cut[] = {u'a', 0, u'b'};
    ASSERT_EQ(pdl_WriteStringEE(writer_, cut, 3), 0); // up to the first zero
    ASSERT_EQ(pdl_WriteStringEE(writer_, u"", 0), 0);
    EXPECT_EQ(Commands(),
              (Lines{"EE 4 \"Caf\\xe9\"", "EH 1 3 \"Caf\"", "EE 3 \"\\x93\\xfaA\"", "EE 1 \"a\"", "EE 0 \"\""}));
}

TEST_F(WriterJobTest, PositionedTextSendsTheExtentsInTenths)
{
    qmt_PinAnsiCodePage(1252);
    TextEgRecord record = {3, {1, 0, 0, 1, 5, 6}, 2, 81, {2100, 2970}};
    ASSERT_EQ(pdl_WriteTextEg(writer_, &record, u"abc"), 0);
    record.kind = 1;
    ASSERT_EQ(pdl_WriteTextEg(writer_, &record, u"abc"), 0);
    EXPECT_EQ(Commands(), (Lines{"Eg 3 \"abc\" 1 0 0 1 5 6 2 81 210 297", "Eg 3 \"abc\" 1 0 0 1 5 6 1"}));
}

TEST_F(WriterJobTest, RefusalsLeaveTheStreamUnchanged)
{
    ASSERT_EQ(pdl_SetLineCap(writer_, 1), 0);
    std::vector<BYTE> before = Bytes();
    const BYTE colour[3] = {1, 2, 3};
    const POINTL origin = {0, 0};
    const float dashes[256] = {};
    const WORD codes[1] = {65};
    std::vector<WCHAR> longText(70000, u'x');
    std::vector<BYTE> bits(10000);
    EXPECT_EQ(pdl_EmitAA(writer_, 5), -1);
    EXPECT_EQ(pdl_EmitAA(writer_, 0), -1);
    EXPECT_EQ(pdl_SetColor(writer_, 2, 5, colour), -1);
    EXPECT_EQ(pdl_SetHatchBrush(writer_, 2, 5, 1, &origin, colour), -1);
    EXPECT_EQ(pdl_SetMonoPattern(writer_, &origin, 2, 5, colour, 8, 1, bits.data()), -1);
    EXPECT_EQ(pdl_SetHatchBackground(writer_, 1, 2, 5, colour), -1);
    EXPECT_EQ(pdl_WritePageSize(writer_, 1, 2, 81, nullptr), -1);
    EXPECT_EQ(pdl_SetLineDash(writer_, 6, 0.0f, 256, dashes), -1);
    EXPECT_EQ(pdl_SetMonoPattern(writer_, &origin, 2, 4, colour, 70000, 1, bits.data()), -1);
    EXPECT_EQ(pdl_SetColorPattern(writer_, &origin, 1, 4, 8, 70000, 1, 1, 3, colour), -1);
    EXPECT_EQ(pdl_WriteText(writer_, 0.0f, 0.0f, 0, 0, codes, nullptr), -1);
    EXPECT_EQ(pdl_WriteText(writer_, 0.0f, 0.0f, 40000, 0, codes, nullptr), -1);
    EXPECT_EQ(pdl_WriteStringEE(writer_, longText.data(), (DWORD)longText.size()), -1);
    EXPECT_EQ(pdl_WriteStringEH(writer_, nullptr, 1), -1);
    EXPECT_EQ(pdl_WriteComment(writer_, 3, nullptr), -1);
    EXPECT_EQ(pdl_SetColor(nullptr, 2, 4, colour), -1);
    EXPECT_EQ(Bytes(), before);
    // A refused colour left the cache alone: the first real colour still goes.
    ASSERT_EQ(pdl_SetColor(writer_, 2, 4, colour), 0);
    EXPECT_EQ(Commands(), (Lines{"AE 1", "AM 2 4 #010203"}));
}

TEST_F(WriterJobTest, PatternFromColourPutsTheSameBytesInBothCommands)
{
    ASSERT_EQ(pdl_SetPatternFromColor(writer_, 3, 0x112233), 0);
    EXPECT_EQ(Commands(), (Lines{"AQ 3 2 4 #332211", "AO 0 0 3 4 #332211 1 8 8 8:bbbbeeeebbbbeeee"}));
}

} // namespace
} // namespace writer_test
