/*
 * The forms the writer chooses: integer or float, absolute or relative points, byte
 * addresses or 64-byte units; long point runs split; the float-only flag.
 */
#include <cmath>
#include <limits>

#include "render/pdl/writer/tests/writer_fixture.h"

namespace writer_test {
namespace {

using Lines = std::vector<std::string>;

POINTFIX Px(LONG x, LONG y)
{
    return POINTFIX{x * 16, y * 16};
}

class WriterFormsTest : public WriterTest
{
protected:
    void SetUp() override
    {
        WriterTest::SetUp();
        CreateWriter();
    }
};

TEST_F(WriterFormsTest, LineWidthAndMiterLimitTakeTheIntegerFormWhenWholeAndInRange)
{
    const struct {
        float width;
        const char *line;
    } widths[] = {{3.0f, "AD 3"},
                  {2.5f, "Ad 2.5"},
                  {32767.0f, "AD 32767"},
                  {32768.0f, "Ad 32768"},
                  {-32768.0f, "AD -32768"},
                  {1.00001f, "AD 1"},
                  {std::numeric_limits<float>::infinity(), "Ad inf"}};
    Lines expected;
    for (const auto &w : widths) {
        ASSERT_EQ(pdl_SetLineWidth(writer_, w.width), 0);
        expected.push_back(w.line);
    }
    const struct {
        float limit;
        const char *line;
    } limits[] = {{127.0f, "AG 127"}, {128.0f, "Ag 128"}, {-128.0f, "AG -128"}, {1.5f, "Ag 1.5"}};
    for (const auto &l : limits) {
        ASSERT_EQ(pdl_SetMiterLimit(writer_, l.limit), 0);
        expected.push_back(l.line);
    }
    EXPECT_EQ(Commands(), expected);
}

TEST_F(WriterFormsTest, MoveAndLineChooseRelativeAbsoluteOrFloatPoints)
{
    POINTFIX a = Px(10, 20);
    POINTFIX near1[2] = {Px(15, 20), Px(15, -5)};
    POINTFIX far1[1] = {Px(40010, 20)};
    POINTFIX half = {24, 32}; // 1.5, 2 pixels
    POINTFIX whole[2] = {Px(3, 4), Px(5, 6)};
    ASSERT_EQ(pdl_BeginPath(writer_), 0);
    ASSERT_EQ(pdl_MoveTo(writer_, &a), 0);
    ASSERT_EQ(pdl_LineTo(writer_, 2, near1), 0); // relative to the current point
    ASSERT_EQ(pdl_LineTo(writer_, 1, far1), 0);  // beyond s16: float
    ASSERT_EQ(pdl_MoveTo(writer_, &a), 0);
    POINTFIX far2[1] = {Px(32767, 20)};
    ASSERT_EQ(pdl_LineTo(writer_, 1, far2), 0); // a step of 32757 still fits
    POINTFIX back[1] = {Px(-2, 20)};
    ASSERT_EQ(pdl_LineTo(writer_, 1, back), 0); // a step of -32769 does not
    ASSERT_EQ(pdl_MoveTo(writer_, &half), 0);   // float: no current point
    ASSERT_EQ(pdl_LineTo(writer_, 2, whole), 0);
    ASSERT_EQ(pdl_ClosePath(writer_), 0);
    ASSERT_EQ(pdl_MoveTo(writer_, &a), 0);
    ASSERT_EQ(pdl_PaintPath(writer_), 0);
    ASSERT_EQ(pdl_LineTo(writer_, 2, whole), 0); // BD forgot the point
    EXPECT_EQ(Commands(),
              (Lines{"BA",
                     "BB 10 20",
                     "B0 2 5 0 0 -25",
                     "Bp 1 40010 20",
                     "BB 10 20",
                     "B0 1 32757 0",
                     "BP 1 -2 20",
                     "Bb 1.5 2",
                     "BP 2 3 4 5 6",
                     "BC",
                     "BB 10 20",
                     "BD",
                     "BP 2 3 4 5 6"}));
}

TEST_F(WriterFormsTest, AStepOf40000PixelsFromTheCurrentPointGoesAbsolute)
{
    POINTFIX start = Px(-20000, 0);
    POINTFIX end[1] = {Px(20000, 0)};
    ASSERT_EQ(pdl_MoveTo(writer_, &start), 0);
    ASSERT_EQ(pdl_LineTo(writer_, 1, end), 0);
    EXPECT_EQ(Commands(), (Lines{"BB -20000 0", "BP 1 20000 0"}));
}

TEST_F(WriterFormsTest, LongRunsSplitAndGoOnFromTheLastPoint)
{
    const DWORD count = 70000;
    std::vector<POINTFIX> points(count);
    for (DWORD i = 0; i < count; ++i) {
        points[i] = Px((LONG)(i % 100), (LONG)(i % 7));
    }
    POINTFIX start = Px(0, 0);
    ASSERT_EQ(pdl_MoveTo(writer_, &start), 0);
    ASSERT_EQ(pdl_LineTo(writer_, count, points.data()), 0);
    Lines lines = Commands();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].substr(0, 9), "B0 65535 ");
    // The second run starts relative to point 65534 of the first.
    std::string second =
        "B0 4465 " + std::to_string(65535 % 100 - 65534 % 100) + " " + std::to_string(65535 % 7 - 65534 % 7) + " ";
    EXPECT_EQ(lines[2].substr(0, second.size()), second);

    Mark();
    std::vector<POINTFIX> curves(3 * 65536, Px(1, 1));
    ASSERT_EQ(pdl_BezierTo(writer_, 65536, curves.data()), 0);
    lines = Commands();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].substr(0, 9), "BU 65535 ");
    EXPECT_EQ(lines[1], "BU 1 1 1 1 1 1 1");
    EXPECT_EQ(writer_->currentPointValid, 1u);
}

TEST_F(WriterFormsTest, BezierCurvesTakeIntegerOrFloatPoints)
{
    POINTFIX whole[3] = {Px(1, 2), Px(3, 4), Px(5, 6)};
    POINTFIX part[3] = {Px(1, 2), {8, 0}, Px(5, 6)};
    ASSERT_EQ(pdl_BezierTo(writer_, 1, whole), 0);
    EXPECT_EQ(writer_->currentX, 5);
    EXPECT_EQ(writer_->currentY, 6);
    ASSERT_EQ(pdl_BezierTo(writer_, 1, part), 0);
    EXPECT_EQ(writer_->currentPointValid, 0u);
    EXPECT_EQ(Commands(), (Lines{"BU 1 1 2 3 4 5 6", "Bu 1 1 2 0.5 0 5 6"}));
}

TEST_F(WriterFormsTest, RectanglesAndClipsFallBackToFloatOutsideS16)
{
    RECTL small = {1, 2, 3, 4};
    RECTL wide = {0, 0, 40000, 10};
    ASSERT_EQ(pdl_SetClipRect(writer_, &small), 0);
    ASSERT_EQ(pdl_SetClipRect(writer_, &wide), 0);
    ASSERT_EQ(pdl_FillRect(writer_, &small), 0);
    ASSERT_EQ(pdl_FillRect(writer_, &wide), 0);
    ASSERT_EQ(pdl_FillFixRect(writer_, 16, 32, 48, 64), 0);
    ASSERT_EQ(pdl_FillFixRect(writer_, 16, 32, 48, 65), 0);
    ASSERT_EQ(pdl_FillFixRect(writer_, 0, 0, 0x80000, 16), 0);
    ASSERT_EQ(pdl_ResetClip(writer_), 0);
    ASSERT_EQ(pdl_ClipToPath(writer_), 0);
    const float arc[6] = {10, 20, 5, 6, 0, 360};
    ASSERT_EQ(pdl_DrawEllipse(writer_, arc), 0);
    EXPECT_EQ(Commands(),
              (Lines{"AB 1 2 3 4",
                     "Ab 0 0 40000 10",
                     "CG 1 2 3 4",
                     "Cg 0 0 40000 10",
                     "CG 1 2 3 4",
                     "Cg 1 2 3 4.0625",
                     "Cg 0 0 32768 1",
                     "AR",
                     "AC",
                     "Cc 10 20 5 6 0 360"}));
}

TEST_F(WriterFormsTest, FloatOnlyForcesEveryFloatForm)
{
    writer_->floatOnly = 1;
    POINTFIX a = Px(1, 2);
    POINTFIX line[1] = {Px(3, 4)};
    POINTFIX curve[3] = {Px(1, 1), Px(2, 2), Px(3, 3)};
    RECTL r = {1, 2, 3, 4};
    POINTL origin = {5, 6};
    const BYTE grey[1] = {0};
    const BYTE bits[1] = {0x80};
    const WORD codes[1] = {65};
    const float dash[1] = {2.0f};
    ASSERT_EQ(pdl_SetLineWidth(writer_, 3.0f), 0);
    ASSERT_EQ(pdl_SetMiterLimit(writer_, 3.0f), 0);
    ASSERT_EQ(pdl_SetLineDash(writer_, 1, 0.0f, 0, nullptr), 0);
    ASSERT_EQ(pdl_SetLineDash(writer_, 6, 1.0f, 1, dash), 0);
    ASSERT_EQ(pdl_MoveTo(writer_, &a), 0);
    ASSERT_EQ(pdl_LineTo(writer_, 1, line), 0);
    ASSERT_EQ(pdl_BezierTo(writer_, 1, curve), 0);
    ASSERT_EQ(pdl_SetClipRect(writer_, &r), 0);
    ASSERT_EQ(pdl_FillRect(writer_, &r), 0);
    ASSERT_EQ(pdl_FillFixRect(writer_, 16, 32, 48, 64), 0);
    ASSERT_EQ(pdl_SetHatchBrush(writer_, 2, 3, 1, &origin, grey), 0);
    ASSERT_EQ(pdl_SetMonoPattern(writer_, &origin, 2, 3, grey, 1, 1, bits), 0);
    ASSERT_EQ(pdl_WriteText(writer_, 7.0f, 8.0f, 1, 0, codes, nullptr), 0);
    ASSERT_EQ(pdl_DrawGlyph(writer_, 7.0f, 8.0f, 128), 0);
    EXPECT_EQ(Commands(),
              (Lines{"Ad 3",
                     "Ag 3",
                     "Ah 1",
                     "Ah 6 1 1 2",
                     "Bb 1 2",
                     "Bp 1 3 4",
                     "Bu 1 1 1 2 2 3 3",
                     "Ab 1 2 3 4",
                     "Cg 1 2 3 4",
                     "Cg 1 2 3 4",
                     "An 5 6 2 3 0 1",
                     "Ao 5 6 2 3 0 1 1 1 1:80",
                     "Dc 7 8 1 0 2 65",
                     "Dm 7 8 2"}));
}

TEST_F(WriterFormsTest, TextTakesTheIntegerFormOnlyWhenStartAndAdvancesAreWhole)
{
    const WORD codes[3] = {65, 66, 67};
    const float whole[2] = {10.0f, -12.0f};
    const float part[2] = {10.0f, 2.5f};
    const float wide[2] = {10.0f, 40000.0f};
    const float one[1] = {7.0f};
    ASSERT_EQ(pdl_WriteText(writer_, 1.0f, 2.0f, 3, 1, codes, whole), 0);
    ASSERT_EQ(pdl_WriteText(writer_, 1.0f, 2.0f, 3, 1, codes, part), 0);
    ASSERT_EQ(pdl_WriteText(writer_, 1.0f, 2.0f, 3, 1, codes, wide), 0);
    ASSERT_EQ(pdl_WriteText(writer_, 1.5f, 2.0f, 3, 1, codes, whole), 0);
    ASSERT_EQ(pdl_WriteText(writer_, 40000.0f, 2.0f, 3, 0, codes, one), 0);
    ASSERT_EQ(pdl_WriteText(writer_, 3.0f, 4.0f, 3, 0, codes, one), 0);
    ASSERT_EQ(pdl_WriteText(writer_, 3.0f, 4.0f, 1, 0, codes, nullptr), 0);
    EXPECT_EQ(Commands(),
              (Lines{"DD 1 2 2 2 10 -12 6 65 66 67",
                     "Dd 1 2 2 2 10 2.5 6 65 66 67",
                     "Dd 1 2 2 2 10 40000 6 65 66 67",
                     "Dd 1.5 2 2 2 10 -12 6 65 66 67",
                     "Dc 40000 2 1 7 6 65 66 67",
                     "DC 3 4 1 7 6 65 66 67",
                     "DC 3 4 1 0 2 65"}));
}

TEST_F(WriterFormsTest, TextPositionRecordsTakeTheIntegerOrFloatLayout)
{
    const short first[2] = {1, 2};
    const short second[2] = {3, 4};
    const DWORD glyph = 0x400000 | 4; // an empty bitmap record: its header alone
    TextPositionRecord single = {0, 10.0f, 20.0f, 3, 1, first, second, 77};
    ASSERT_EQ(pdl_WriteTextPosition(writer_, &single), 0);
    ASSERT_EQ(pdl_WriteGlyphValue(writer_, 14, &glyph, 4), 0);
    single.x = 10.5f;
    ASSERT_EQ(pdl_WriteTextPosition(writer_, &single), 0);
    ASSERT_EQ(pdl_WriteGlyphValue(writer_, 14, &glyph, 4), 0);
    TextPositionRecord arrays = {1, 10.0f, 20.0f, 3, 2, first, second, 5};
    ASSERT_EQ(pdl_WriteTextPosition(writer_, &arrays), 0);
    arrays.y = 70000.0f;
    arrays.flags = 2;
    ASSERT_EQ(pdl_WriteTextPosition(writer_, &arrays), 0);
    EXPECT_EQ(Commands(),
              (Lines{"DE 10 20 3 0 3 77 glyph 0x00400004 4",
                     "De 10.5 20 3 0 3 77 glyph 0x00400004 4",
                     "DF 10 20 2 3 4 1 2 3 4 5",
                     "Df 10 70000 2 2 2 3 4 5"}));
}

TEST_F(WriterFormsTest, GlyphAddressesGoInBytesOrIn64ByteUnits)
{
    const DWORD glyph = 0x400000 | 4;
    ASSERT_EQ(pdl_BeginGlyph(writer_, 0x3FFFC0), 0);
    ASSERT_EQ(pdl_WriteGlyphValue(writer_, 14, &glyph, 4), 0);
    ASSERT_EQ(pdl_DrawGlyph(writer_, 5.0f, 6.0f, 0x40), 0);
    ASSERT_EQ(pdl_DrawGlyph(writer_, 5.5f, 6.0f, 0x80), 0);
    Lines expected = {"DL 65535 glyph 0x00400004 4", "DM 5 6 1", "Dm 5.5 6 2"};
    EXPECT_EQ(Commands(), expected);
    std::vector<BYTE> before = Bytes();
    EXPECT_EQ(pdl_BeginGlyph(writer_, 0x400000), -1);
    EXPECT_EQ(pdl_DrawGlyph(writer_, 1.0f, 1.0f, 0x400000), -1);
    EXPECT_EQ(pdl_BeginGlyph(writer_, 0x41), -1); // not a 64-byte boundary
    EXPECT_EQ(Bytes(), before);

    writer_->glyphUnits = 0;
    Mark();
    ASSERT_EQ(pdl_BeginGlyph(writer_, 0x400000), 0);
    ASSERT_EQ(pdl_WriteGlyphValue(writer_, 14, &glyph, 4), 0);
    ASSERT_EQ(pdl_DrawGlyph(writer_, 5.0f, 6.0f, 0x41), 0);
    ASSERT_EQ(pdl_DrawGlyph(writer_, 5.0f, 6.5f, 0x41), 0);
    EXPECT_EQ(Commands(), (Lines{"DH 4194304 glyph 0x00400004 4", "DI 5 6 65", "Di 5 6.5 65"}));
}

} // namespace
} // namespace writer_test
