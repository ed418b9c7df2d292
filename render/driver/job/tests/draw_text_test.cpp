/*
 * Text calls through the entry points: device-font runs, downloaded glyphs with and
 * without the printer memory, substituted TrueType faces, the rectangles of a text call
 * and the calls that are refused.
 */
#include <windows.h>
#include <winddi.h>

#include <sstream>

#include "core/settings/function_ids.h"
#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_testing_engine.h"
#include "platform/testing/qm_testing_spooler.h"
#include "render/driver/job/tests/job_fixture.h"
#include "render/pdl/text/text_private.h"
#include "tools/lumiq/glyph_records.h"

namespace job_test {
namespace {

using Strings = std::vector<std::string>;

const MIX kCopyPen = 0x0D0D;

// A string at pixel positions, freed with the test.
struct Text {
    STROBJ *pstro = nullptr;
    Text(std::initializer_list<POINTL> at, std::initializer_list<HGLYPH> glyphs, LPCWSTR chars,
         FLONG accel = SO_HORIZONTAL, ULONG inc = 0, bool positions = true)
    {
        std::vector<GLYPHPOS> pgp;
        auto g = glyphs.begin();
        for (const POINTL &p : at) {
            GLYPHPOS pos = {};
            pos.hg = g != glyphs.end() ? *g++ : 0;
            pos.ptl = inc != 0 && !pgp.empty() ? POINTL{0, 0} : p;
            pgp.push_back(pos);
        }
        pstro = qmt_EngineString(pgp.data(), (ULONG)pgp.size(), chars, inc, accel, positions);
    }
    ~Text()
    {
        qmt_EngineFreeString(pstro);
    }
};

class DrawTextTest : public JobTest
{
protected:
    void SetUp() override
    {
        JobTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(Open("QMJOBFT"));
    }
    void Begin()
    {
        ASSERT_TRUE(StartDoc());
        ASSERT_TRUE(DrvStartPage(surface_));
    }
    // Ends the page and the job; the page's drawing commands.
    Strings Drawn()
    {
        EXPECT_TRUE(DrvSendPage(surface_));
        EXPECT_TRUE(EndDoc());
        return PageCommands();
    }
    BRUSHOBJ *Solid(ULONG color)
    {
        brushes_.push_back(qmt_EngineSolidBrush(color));
        return brushes_.back();
    }
    // Device font `face` (1-based) at the driver's own metrics, em height 100 pixels.
    FONTOBJ *DeviceFont(ULONG face)
    {
        ULONG_PTR id = 0;
        IFIMETRICS *pifi = DrvQueryFont(pdev_, 0, face, &id);
        EXPECT_NE(pifi, nullptr);
        FLOAT scale = pifi ? 100.0f / pifi->fwdUnitsPerEm : 1.0f;
        FONTOBJ *pfo = qmt_EngineFont(pifi, scale, scale, FO_TYPE_DEVICE, face);
        fonts_.push_back(pfo);
        return pfo;
    }
    // A TrueType face of the given names and weight, em 2048 units at pixels; glyphs 1-3
    // are 8 x 8 bitmaps with outlines (a square, glyph 3 a curve).
    FONTOBJ *TrueType(LPCWSTR face, USHORT weight = 400, LONG pixels = 100, FLONG flags = 0, ULONG uniq = 7)
    {
        metrics_.emplace_back(sizeof(IFIMETRICS) + 128, 0);
        IFIMETRICS *pifi = (IFIMETRICS *)metrics_.back().data();
        pifi->cjThis = sizeof(IFIMETRICS) + 128;
        pifi->fwdUnitsPerEm = 2048;
        pifi->usWinWeight = weight;
        pifi->jWinPitchAndFamily = 0x22;
        WCHAR *names = (WCHAR *)(pifi + 1);
        lstrcpyW(names, face);
        pifi->dpwszFaceName = sizeof(IFIMETRICS);
        pifi->dpwszFamilyName = sizeof(IFIMETRICS);
        FLOAT scale = (FLOAT)pixels / 2048.0f;
        FONTOBJ *pfo = qmt_EngineFont(pifi, scale, scale, FO_TYPE_TRUETYPE | flags, 0);
        pfo->iUniq = uniq;
        const BYTE rows[8] = {0xFF, 0x81, 0x81, 0x81, 0x81, 0x81, 0x81, 0xFF};
        for (HGLYPH hg = 1; hg <= 3; ++hg) {
            qmt_EngineFontAddBitmapGlyph(pfo, hg, 0, -8, 8, 8, rows, 16 * 10);
            PATHOBJ *ppo = qmt_EnginePath();
            qmt_EnginePathMoveTo(ppo, 0, 0);
            if (hg == 3) {
                POINTFIX curve[3] = {{16, -32}, {64, -32}, {80, 0}};
                qmt_EnginePathBezierTo(ppo, 3, curve);
            } else {
                POINTFIX line[3] = {{80, 0}, {80, -80}, {0, -80}};
                qmt_EnginePathLineTo(ppo, 3, line);
            }
            qmt_EnginePathClose(ppo);
            qmt_EngineFontAddOutlineGlyph(pfo, hg, ppo, 16 * 10);
        }
        fonts_.push_back(pfo);
        return pfo;
    }
    // Ends the page and the job; the glyph records, each checked against its header.
    Strings Records()
    {
        EXPECT_TRUE(DrvSendPage(surface_));
        EXPECT_TRUE(EndDoc());
        std::vector<BYTE> bytes = Bytes();
        std::string dump, listed;
        LqdError error;
        EXPECT_TRUE(lqd_DumpStream(bytes.data(), bytes.size(), LqdOptions(), dump, error)) << error.reason;
        EXPECT_TRUE(lqd_ListGlyphs(bytes.data(), bytes.size(), dump, listed, error))
            << error.offset << ": " << error.reason << "\n"
            << listed;
        Strings records;
        std::istringstream lines(listed);
        for (std::string line; std::getline(lines, line);)
            records.push_back(line.substr(line.find(' ', line.find(' ', 6) + 1) + 1)); // after the opcode
        return records;
    }
    BOOL Draw(STROBJ *pstro, FONTOBJ *pfo, RECTL *extra = nullptr, RECTL *opaque = nullptr, BRUSHOBJ *fore = nullptr,
              BRUSHOBJ *back = nullptr)
    {
        return DrvTextOut(
            surface_, pstro, pfo, nullptr, extra, opaque, fore ? fore : Solid(0), back, nullptr, kCopyPen);
    }
    void TearDown() override
    {
        for (BRUSHOBJ *pbo : brushes_)
            qmt_EngineFreeBrush(pbo);
        for (FONTOBJ *pfo : fonts_)
            qmt_EngineFreeFont(pfo);
        brushes_.clear();
        fonts_.clear();
        JobTest::TearDown();
    }
    std::vector<BRUSHOBJ *> brushes_;
    std::vector<FONTOBJ *> fonts_;
    std::vector<std::vector<BYTE>> metrics_;
};

size_t CountPrefix(const Strings &list, const std::string &prefix)
{
    size_t n = 0;
    for (const std::string &line : list)
        n += line.rfind(prefix, 0) == 0;
    return n;
}

size_t IndexOf(const Strings &list, const std::string &prefix)
{
    return Find(list, prefix, 0, true);
}

// Device-font runs by layout: one selection, then one run on a line (one advance when the
// gaps are equal, else each gap), one run per character otherwise.
struct LayoutCase {
    const char *name;
    std::vector<POINTL> at;
    FLONG accel;
    ULONG inc;
    size_t dc, dd;
};

class DeviceRunTest : public DrawTextTest, public ::testing::WithParamInterface<LayoutCase>
{
};

TEST_P(DeviceRunTest, GoesAsOneSelectionAndItsRuns)
{
    const LayoutCase &c = GetParam();
    Begin();
    FONTOBJ *pfo = DeviceFont(1);
    std::vector<GLYPHPOS> pgp;
    for (const POINTL &p : c.at)
        pgp.push_back(GLYPHPOS{0x41, nullptr, p});
    STROBJ *pstro = qmt_EngineString(pgp.data(), 3, TEXT("ABC"), c.inc, c.accel, TRUE);
    EXPECT_TRUE(Draw(pstro, pfo));
    qmt_EngineFreeString(pstro);
    Strings drawn = Drawn();
    EXPECT_EQ(CountPrefix(drawn, "DA 27"), 1u) << ::testing::PrintToString(drawn);
    EXPECT_EQ(CountPrefix(drawn, "Db "), 1u) << ::testing::PrintToString(drawn);
    EXPECT_EQ(CountPrefix(drawn, "DC "), c.dc) << ::testing::PrintToString(drawn);
    EXPECT_EQ(CountPrefix(drawn, "DD "), c.dd) << ::testing::PrintToString(drawn);
    EXPECT_EQ(CountPrefix(drawn, "DH "), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, DeviceRunTest,
    ::testing::Values(LayoutCase{"equal", {{100, 200}, {160, 200}, {220, 200}}, SO_HORIZONTAL, 0, 1, 0},
                      LayoutCase{"proportional", {{100, 200}, {160, 200}, {190, 200}}, SO_HORIZONTAL, 0, 0, 1},
                      LayoutCase{"fixed", {{100, 200}, {0, 0}, {0, 0}}, SO_HORIZONTAL, 60, 1, 0},
                      LayoutCase{"vertical", {{100, 200}, {100, 300}, {100, 400}}, SO_VERTICAL, 0, 3, 0}),
    [](const ::testing::TestParamInfo<LayoutCase> &info) { return std::string(info.param.name); });

TEST_F(DrawTextTest, TrueTypeGlyphsAreDownloadedOnceAndDrawnByAddress)
{
    Begin();
    FONTOBJ *pfo = TrueType(TEXT("Unlisted Face"));
    Text first({{100, 200}, {200, 200}, {300, 200}}, {1, 2, 1}, TEXT("ABA"));
    Text second({{100, 400}}, {2}, TEXT("B"));
    EXPECT_TRUE(Draw(first.pstro, pfo));
    EXPECT_TRUE(Draw(second.pstro, pfo));
    Strings drawn = Drawn();
    size_t downloads = CountPrefix(drawn, "DH ") + CountPrefix(drawn, "DL ");
    size_t draws = CountPrefix(drawn, "DI ") + CountPrefix(drawn, "DM ");
    EXPECT_EQ(downloads, 2u) << ::testing::PrintToString(drawn);
    EXPECT_EQ(draws, 4u) << ::testing::PrintToString(drawn);
    EXPECT_EQ(CountPrefix(drawn, "DA"), 0u);
}

TEST_F(DrawTextTest, FontsDifferingAboveBitFifteenNeverShareGlyphs)
{
    Begin();
    FONTOBJ *low = TrueType(TEXT("Unlisted Face"), 400, 100, 0, 0x10001);
    FONTOBJ *high = TrueType(TEXT("Unlisted Face"), 400, 100, 0, 0x20001);
    Text text({{100, 200}}, {1}, TEXT("A"));
    EXPECT_TRUE(Draw(text.pstro, low));
    EXPECT_TRUE(Draw(text.pstro, high));
    Strings drawn = Drawn();
    EXPECT_EQ(CountPrefix(drawn, "DH ") + CountPrefix(drawn, "DL "), 2u) << ::testing::PrintToString(drawn);
}

TEST_F(DrawTextTest, WithoutMemoryModelEachGlyphIsPositionedWithItsRecord)
{
    Set(FID_NO_MEMORY_MODEL, 1);
    Begin();
    FONTOBJ *pfo = TrueType(TEXT("Unlisted Face"));
    Text text({{100, 200}, {200, 200}, {300, 200}}, {1, 2, 1}, TEXT("ABA"));
    EXPECT_TRUE(Draw(text.pstro, pfo));
    Strings drawn = Drawn();
    EXPECT_EQ(CountPrefix(drawn, "DE "), 3u) << ::testing::PrintToString(drawn);
    EXPECT_EQ(CountPrefix(drawn, "DH ") + CountPrefix(drawn, "DL "), 0u);
}

TEST_F(DrawTextTest, OpaqueRectangleComesFirstAndExtraRectanglesLast)
{
    Begin();
    FONTOBJ *pfo = TrueType(TEXT("Unlisted Face"));
    Text text({{100, 200}}, {1}, TEXT("A"));
    RECTL opaque = {300, 250, 90, 150};
    RECTL extra[] = {{90, 210, 400, 215}, {90, 220, 400, 225}, {0, 0, 0, 0}, {1, 1, 2, 2}};
    EXPECT_TRUE(Draw(text.pstro, pfo, extra, &opaque, Solid(0), Solid(0xFFFFFF)));
    Strings drawn = Drawn();
    size_t opaqueAt = IndexOf(drawn, "CG 90 150 300 250");
    size_t glyphAt = IndexOf(drawn, "D");
    ASSERT_LT(opaqueAt, drawn.size()) << ::testing::PrintToString(drawn);
    EXPECT_LT(opaqueAt, glyphAt);
    EXPECT_GT(IndexOf(drawn, "CG 90 210 400 215"), glyphAt);
    EXPECT_LT(IndexOf(drawn, "CG 90 220 400 225"), drawn.size());
    EXPECT_EQ(IndexOf(drawn, "CG 1 1 2 2"), drawn.size()) << "past the all-zero rectangle";
}

// TrueType faces replaced by device fonts (setting 17 at 3) by setting 292's mode.
struct SubstCase {
    const char *name;
    DWORD mode;
    LPCWSTR face;
    const char *font; // the selection, or nullptr: downloaded glyphs
};

class SubstituteTest : public DrawTextTest, public ::testing::WithParamInterface<SubstCase>
{
};

TEST_P(SubstituteTest, ChoosesTheDeviceFont)
{
    const SubstCase &c = GetParam();
    Set(FID_TT_OPTION, 3);
    Set(FID_FONT_SUBSTITUTION, c.mode);
    Begin();
    FONTOBJ *pfo = TrueType(c.face, 700);
    Text text({{100, 200}, {160, 200}}, {1, 2}, TEXT("AB"));
    EXPECT_TRUE(Draw(text.pstro, pfo));
    Strings drawn = Drawn();
    if (c.font != nullptr) {
        EXPECT_EQ(CountPrefix(drawn, c.font), 1u) << ::testing::PrintToString(drawn);
        EXPECT_EQ(CountPrefix(drawn, "DC "), 1u);
    } else {
        EXPECT_EQ(CountPrefix(drawn, "DA"), 0u) << ::testing::PrintToString(drawn);
    }
}

// The model's table names the 400 face for "Fixed Sans": it wins over the 700 face that
// scores better by weight; without an entry the scoring picks the 700 face.
INSTANTIATE_TEST_SUITE_P(Modes, SubstituteTest,
                         ::testing::Values(SubstCase{"TableEntry", 2, TEXT("Fixed Sans"), "DA 27"},
                                           SubstCase{"Scoring", 0, TEXT("Other Face"), "DA 43"},
                                           SubstCase{"TableOnlyWithoutEntry", 2, TEXT("Other Face"), nullptr},
                                           SubstCase{"Refused", 1, TEXT("Fixed Sans"), nullptr}),
                         [](const ::testing::TestParamInfo<SubstCase> &info) { return std::string(info.param.name); });

// Glyph records of each kind and form: every one is as long as its header says.
struct RecordCase {
    const char *name;
    LONG pixels;
    FLONG flags;
    DWORD outlines;  // setting 1335 at 0: outlines allowed
    DWORD boldExtra; // setting 5200
    const char *kind;
    const char *form;
    bool bold;
};

class GlyphRecordTest : public DrawTextTest, public ::testing::WithParamInterface<RecordCase>
{
};

TEST_P(GlyphRecordTest, IsAsLongAsItsHeaderSays)
{
    const RecordCase &c = GetParam();
    Set(FID_NO_OUTLINE_FONTS, c.outlines ? 0 : 1);
    Set(FID_OUTLINE_MIN_SIZE, 0);
    Set(FID_USER_SIZE_ON, c.boldExtra);
    Set(FID_PRINT_QUALITY, 600); // a 600 dpi job
    Set(FID_Y_RESOLUTION, 600);
    Begin();
    FONTOBJ *pfo = TrueType(TEXT("Unlisted Face"), 400, c.pixels, c.flags);
    Text text({{100, 200}, {300, 200}}, {1, 3}, TEXT("AC"));
    EXPECT_TRUE(Draw(text.pstro, pfo));
    Strings records = Records();
    ASSERT_EQ(records.size(), 2u);
    for (const std::string &record : records) {
        EXPECT_EQ(record.rfind(c.kind, 0), 0u) << record;
        EXPECT_NE(record.find(c.form), std::string::npos) << record;
        EXPECT_EQ(record.find(" bold") != std::string::npos, c.bold) << record;
    }
}

// 100 pixels are 12 points at 600 dpi; up to 40 points (333 pixels) the points fit the
// 16-bit form, above it they go as floats.
INSTANTIATE_TEST_SUITE_P(
    Forms, GlyphRecordTest,
    ::testing::Values(RecordCase{"Bitmap", 100, 0, 0, 1, "bitmap header 0x0040001c size 28 8x8", "rowbytes 1", false},
                      RecordCase{"ShortPoints", 100, 0, 1, 1, "outline", " short", false},
                      RecordCase{"FortyPoints", 333, 0, 1, 1, "outline", " short", false},
                      RecordCase{"FloatPoints", 342, 0, 1, 1, "outline", " float", false},
                      RecordCase{"BoldExtras", 100, FO_SIM_BOLD, 1, 0, "outline", "points", true},
                      RecordCase{"BoldWithoutExtras", 100, FO_SIM_BOLD, 1, 1, "outline", "points", false}),
    [](const ::testing::TestParamInfo<RecordCase> &info) { return std::string(info.param.name); });

TEST_F(DrawTextTest, ShiftJisDeviceFontTakesItsOwnYenAndSpace)
{
    Begin();
    FONTOBJ *pfo = DeviceFont(3);
    Text text({{100, 200}, {160, 200}, {220, 200}}, {1, 2, 3}, u"A\u00a5\u00a0");
    EXPECT_TRUE(Draw(text.pstro, pfo));
    Strings drawn = Drawn();
    EXPECT_EQ(CountPrefix(drawn, "DA 59"), 1u) << ::testing::PrintToString(drawn);
    EXPECT_EQ(CountPrefix(drawn, "DC 100 200 1 60 6 65 92 32"), 1u) << ::testing::PrintToString(drawn);

    // Other fonts take the private-use symbol codes' low twelve bits.
    WCHAR codes[] = {0xF041, 0x41, 0xA5};
    fnt_FixCodes(codes, 3, FALSE);
    EXPECT_EQ(codes[0], 0x41);
    EXPECT_EQ(codes[2], 0xA5);
}

TEST_F(DrawTextTest, MissingObjectsAndGlyphsFailTheCall)
{
    Begin();
    FONTOBJ *pfo = TrueType(TEXT("Unlisted Face"));
    Text text({{100, 200}}, {1}, TEXT("A"));
    Text unknown({{100, 200}}, {9}, TEXT("Z"));
    EXPECT_FALSE(DrvTextOut(surface_, nullptr, pfo, nullptr, nullptr, nullptr, Solid(0), nullptr, nullptr, kCopyPen));
    EXPECT_FALSE(
        DrvTextOut(surface_, text.pstro, nullptr, nullptr, nullptr, nullptr, Solid(0), nullptr, nullptr, kCopyPen));
    EXPECT_FALSE(DrvTextOut(surface_, text.pstro, pfo, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, kCopyPen));
    RECTL opaque = {0, 0, 10, 10};
    EXPECT_FALSE(Draw(text.pstro, pfo, nullptr, &opaque, Solid(0), nullptr)) << "an opaque rectangle needs its brush";
    EXPECT_FALSE(Draw(unknown.pstro, pfo));
    Drawn();
}

TEST_F(DrawTextTest, AnOutlineWithABrokenBezierRunFailsTheCall)
{
    Set(FID_OUTLINE_MIN_SIZE, 0);
    Set(FID_PRINT_QUALITY, 600);
    Set(FID_Y_RESOLUTION, 600);
    Begin();
    FONTOBJ *pfo = TrueType(TEXT("Unlisted Face"));
    PATHOBJ *ppo = qmt_EnginePath();
    qmt_EnginePathMoveTo(ppo, 0, 0);
    POINTFIX two[2] = {{16, -32}, {64, -32}};
    qmt_EnginePathBezierTo(ppo, 2, two);
    qmt_EnginePathClose(ppo);
    qmt_EngineFontAddOutlineGlyph(pfo, 7, ppo, 160);
    Text text({{100, 200}}, {7}, TEXT("G"));
    EXPECT_FALSE(Draw(text.pstro, pfo));
    Drawn();
}

TEST_F(DrawTextTest, AFailedWriteFailsTheJob)
{
    Set(FID_NO_MEMORY_MODEL, 1);
    Begin();
    FONTOBJ *pfo = TrueType(TEXT("Unlisted Face"));
    std::vector<GLYPHPOS> pgp;
    for (LONG i = 0; i < 200; ++i)
        pgp.push_back(GLYPHPOS{1, nullptr, POINTL{100 + 10 * i, 200}});
    STROBJ *pstro = qmt_EngineString(pgp.data(), (ULONG)pgp.size(), nullptr, 0, SO_HORIZONTAL, TRUE);
    qmt_SpoolerFailWrite(0, ERROR_DISK_FULL);
    EXPECT_FALSE(Draw(pstro, pfo));
    qmt_EngineFreeString(pstro);
    qmt_SpoolerFailWrite(QMT_SPOOLER_NEVER, 0);
    Text after({{100, 200}}, {1}, TEXT("A"));
    EXPECT_FALSE(Draw(after.pstro, pfo)) << "the job has failed";
    DrvSendPage(surface_);
    EXPECT_FALSE(EndDoc()) << "the job's end reports the failure";
}

} // namespace
} // namespace job_test
