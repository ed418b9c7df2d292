/*
 * Device font tables from font records: selection, IFIMETRICS, widths, kerning pairs,
 * code tables, and failure on a broken record.
 */
#include <gtest/gtest.h>
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "core/ddd/ddd_access.h"
#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_testing_gdi.h"
#include "render/pdl/fonts/fonts.h"
#include "tools/dddc/dddc.h"

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("render_fonts_tests.log");
}

namespace {

// The inputs of one font record fixture.
struct FontSpec {
    FontSpec(const char *f, const char *s) : face(f), second(s) {}
    std::string face;
    std::string second;
    BYTE charSet = 0;
    BYTE pitchAndFamily = 0x22;
    BYTE first = 0x20;
    BYTE last = 0x7E;
    WORD weight = 400;
    WORD fixedWidth = 600;
    std::vector<WORD> widths;  // empty: no width table
    std::vector<BYTE> kerning; // 4 bytes per pair
    std::string id = "1A";
};

void Put16(std::vector<BYTE> &b, size_t at, WORD v)
{
    b[at] = (BYTE)v;
    b[at + 1] = (BYTE)(v >> 8);
}

// The bytes of a font record (layout in fonts.h).
std::vector<BYTE> FontRecord(const FontSpec &s)
{
    std::vector<BYTE> b(FONT_RECORD_HEADER_SIZE, 0);
    Put16(b, 0, (WORD)b.size());
    b.insert(b.end(), s.face.begin(), s.face.end());
    b.push_back(0);
    b.insert(b.end(), s.second.begin(), s.second.end());
    b.push_back(0);
    Put16(b, 2, (WORD)b.size());
    std::vector<BYTE> metrics(FONT_METRICS_SIZE, 0);
    metrics[4 * 4 + 2] = 0x20; // m4 high word 0x20: strikeout position 16
    b.insert(b.end(), metrics.begin(), metrics.end());
    if (!s.widths.empty()) {
        Put16(b, 4, (WORD)b.size());
        for (WORD w : s.widths) {
            b.push_back((BYTE)w);
            b.push_back((BYTE)(w >> 8));
        }
    }
    if (!s.kerning.empty()) {
        Put16(b, 6, (WORD)b.size());
        b.push_back((BYTE)(s.kerning.size() / 4));
        b.push_back(0);
        b.insert(b.end(), s.kerning.begin(), s.kerning.end());
    }
    Put16(b, 8, (WORD)b.size());
    b.insert(b.end(), s.id.begin(), s.id.end());
    b.push_back(0);
    Put16(b, 10, 600);
    Put16(b, 12, 600);
    Put16(b, 14, 750);
    Put16(b, 16, 1000);
    Put16(b, 18, 1100);
    b[20] = s.charSet;
    b[21] = s.pitchAndFamily;
    b[22] = s.first;
    b[23] = s.last;
    b[24] = 0;
    b[25] = 0;
    Put16(b, 26, s.fixedWidth);
    Put16(b, 31, s.weight);
    return b;
}

std::string Hex(const std::vector<BYTE> &bytes)
{
    std::string out;
    char two[4];
    for (BYTE c : bytes) {
        snprintf(two, sizeof two, "%02X ", c);
        out += two;
    }
    if (!out.empty())
        out.pop_back();
    return out;
}

// A model whose type-11 records are the given raw data blocks.
class FontModel
{
public:
    explicit FontModel(const std::vector<std::vector<BYTE>> &records)
    {
        std::string yaml = "header:\n  title: \"Test\"\n  version: \"V:1.0.0\"\n  format: 1280\n"
                           "  model: \"Test model\"\n  base: \"\"\n  level: 2\nentries:\n  {}\nrecords:\n";
        int key = 1;
        for (const auto &r : records) {
            yaml += "  - {type: 11, key: " + std::to_string(key++) +
                    ", name: \"F\", text2: \"\", texts: [], "
                    "texts2: [], data: \"" +
                    Hex(r) + "\", extra_word: 0}\n";
        }
        if (records.empty())
            yaml += "  []\n";
        std::string error;
        EXPECT_TRUE(dddc::Compile(yaml, nullptr, bytes, error)) << error;
        EXPECT_EQ(ddd_OpenMemoryPair(bytes.data(), (DWORD)bytes.size(), nullptr, 0, &model, &base), DDD_OK);
        heap = HeapCreate(0, 8192, 0);
    }
    ~FontModel()
    {
        fnt_FreeDeviceFontTables(heap, tables);
        EXPECT_EQ(qmt_LiveHeapBlocks(heap), 0u);
        HeapDestroy(heap);
        ddd_CloseFilePair(&model, &base);
    }
    // Builds the tables of the model's fonts (freed by the destructor); false on failure.
    bool Build()
    {
        fnt_FreeDeviceFontTables(heap, tables);
        tables = fnt_BuildDeviceFontTables(heap, &model, &base);
        return tables != nullptr;
    }
    DeviceFontTables *tables = nullptr;

private:
    dddc::Bytes bytes;
    DddFile model{};
    DddFile base{};
    HANDLE heap = nullptr;
};

TEST(DeviceFonts, RepeatedSecondNameIsNotSelectedButKeepsItsEntry)
{
    FontSpec a{"Courier", "COUR"};
    a.pitchAndFamily = 0x31;
    a.weight = 0;
    FontSpec b{"Courier Bold", "COUR"};
    FontSpec c{"Times", "TIMES"};
    c.widths = std::vector<WORD>(0x7E - 0x20 + 1, 500);
    c.widths[0x41 - 0x20] = 0x8000 | 700; // bit 15: counts as 0
    c.id = "2B";
    FontModel model({FontRecord(a), FontRecord(b), FontRecord(c)});
    ASSERT_TRUE(model.Build());
    ASSERT_EQ(model.tables->count, 3u);
    const DeviceFontTables *t = model.tables;
    EXPECT_EQ(t->selectedCount, 2u);
    EXPECT_EQ(t->selectedFonts[0], 1u);
    EXPECT_EQ(t->selectedFonts[1], 3u);
    EXPECT_EQ(t->allFonts[2], 3u);
    EXPECT_EQ(t->allFonts[3], 0u);
    EXPECT_EQ(std::u16string((const char16_t *)t->entries[1].faceName), u"Courier Bold");

    // Blocks: selected first (records 1 and 3), then record 2.
    IFIMETRICS *courier = fnt_BlockIfiMetrics(fnt_GetFontBlock(model.tables, 1));
    EXPECT_EQ(courier->usWinWeight, 400); // weight 0
    EXPECT_EQ(courier->flInfo, 0x82010UL | 0x401000UL);
    EXPECT_EQ(courier->jWinPitchAndFamily, 0x32);
    EXPECT_EQ(courier->panose.bProportion, 9);
    EXPECT_EQ(courier->fwdStrikeoutPosition, 16);
    EXPECT_EQ(courier->fwdWinDescender, 1000 - 750 + 1000);
    EXPECT_EQ(courier->fwdMacLineGap, 100);
    EXPECT_EQ(std::u16string((const char16_t *)((BYTE *)courier + courier->dpwszFaceName)), u"Courier");
    FontInfoBlock *times = fnt_GetFontBlock(model.tables, 2);
    EXPECT_EQ(times->fontId, 0x2Bu);
    EXPECT_EQ(times->widths[0x41], 0u);
    EXPECT_EQ(times->widths[0x42], 500u * 65537u);
    EXPECT_EQ(fnt_BlockCharWidth(times, 0x42), 500);
    EXPECT_EQ(fnt_BlockIfiMetrics(times)->fwdAveCharWidth, (500 * 93 + 46) / 94);
    EXPECT_EQ(fnt_GetFontBlock(model.tables, 3)->fontId, 0x1Au);
    EXPECT_EQ(fnt_GetFontBlock(model.tables, 4), nullptr);
    EXPECT_EQ(qmt_LiveDisplayDCs(), 0u);
}

TEST(DeviceFonts, InstalledFamilyIsNotSelected)
{
    const LPCWSTR installed[] = {TEXT("Courier")};
    qmt_SetInstalledFontFamilies(installed, 1);
    FontModel model({FontRecord(FontSpec{"Courier", "COUR"}), FontRecord(FontSpec{"Times", "TIMES"})});
    ASSERT_TRUE(model.Build());
    EXPECT_EQ(model.tables->selectedCount, 1u);
    EXPECT_EQ(model.tables->selectedFonts[0], 2u);
    qmt_SetInstalledFontFamilies(nullptr, 0);
}

TEST(DeviceFonts, KerningPairsAndWeightInTheTables)
{
    FontSpec s{"Helvetica", "HELV"};
    s.kerning = {'A', 'V', 0xF6, 0xFF, 'T', 'o', 0xFB, 0xFF};
    FontModel model({FontRecord(s)});
    ASSERT_TRUE(model.Build());
    FontInfoBlock *block = fnt_GetFontBlock(model.tables, 1);
    FD_KERNINGPAIR *pairs = fnt_BlockKerningPairs(block);
    ASSERT_NE(pairs, nullptr);
    EXPECT_EQ(pairs[0].wcFirst, u'A');
    EXPECT_EQ(pairs[0].fwdKern, -10);
    EXPECT_EQ(pairs[1].wcSecond, u'o');
    EXPECT_EQ(pairs[2].wcFirst, 0);
    EXPECT_EQ(fnt_BlockIfiMetrics(block)->cKerningPairs, 2u);
}

TEST(DeviceFonts, NoRecordsGiveEmptyTablesAndABrokenRecordFailsCleanly)
{
    {
        FontModel none({});
        ASSERT_TRUE(none.Build());
        EXPECT_EQ(none.tables->count, 0u);
    }
    std::vector<BYTE> broken = FontRecord(FontSpec{"Courier", "COUR"});
    broken.resize(FONT_RECORD_HEADER_SIZE + 3); // names and metrics cut off
    FontModel model({FontRecord(FontSpec{"Times", "TIMES"}), broken});
    EXPECT_FALSE(model.Build());
    EXPECT_EQ(model.tables, nullptr);
    // The reader keeps scratch buffers once it has read; a second try adds nothing.
    DWORD blocks = qmt_LiveGlobalBlocks();
    EXPECT_FALSE(model.Build());
    EXPECT_EQ(qmt_LiveGlobalBlocks(), blocks);
}

TEST(CodeTables, DirectRangeThenSortedSubTables)
{
    FontSpec s{"Mincho", "8001"};
    s.first = 0x20;
    s.last = 0x7E;
    std::vector<BYTE> record = FontRecord(s);
    WORD subAt = (WORD)record.size();
    const WORD pairs[][2] = {{0x8140, 1}, {0x8141, 0x8002}, {0x889F, 3}};
    record.push_back(3);
    record.push_back(0);
    for (const auto &p : pairs) {
        record.push_back((BYTE)p[0]);
        record.push_back((BYTE)(p[0] >> 8));
        record.push_back((BYTE)p[1]);
        record.push_back((BYTE)(p[1] >> 8));
    }
    record[38] = (BYTE)subAt;
    record[39] = (BYTE)(subAt >> 8);
    FontCodeTable table;
    ASSERT_EQ(fnt_BuildCodeTable(record.data(), &table, (DWORD)record.size()), 0);
    EXPECT_EQ(table.secondNameHex, 0x8001);
    EXPECT_EQ(table.defaultChar, 81); // a default offset of 0 gives 81
    EXPECT_EQ(fnt_MapCharCode(&table, 0x41), 0x41);
    EXPECT_EQ(fnt_MapCharCode(&table, 0x889F), 3);
    EXPECT_EQ(fnt_MapCharCode(&table, 0x8141), -1); // bit 0x8000: no glyph
    EXPECT_EQ(fnt_MapCharCode(&table, 0x9000), -1);
    record[39] = 0xFF; // sub-table outside the record
    EXPECT_EQ(fnt_BuildCodeTable(record.data(), &table, (DWORD)record.size()), -1);
}

} // namespace
