/*
 * Font substitution: the table entry, the scoring passes and their ties, the family
 * groups, the score buffer of long font lists and the group tables.
 */
#include <gtest/gtest.h>
#include <windows.h>

#include <string.h>

#include <vector>

#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_testing_engine.h"
#include "render/pdl/fontsub/font_substitution.h"

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("render_fontsub_tests.log");
}

namespace {

// A device font entry.
DeviceFontEntry Device(LPCWSTR face, WORD weight = 400, BYTE charSet = 0, DWORD italic = 0, BYTE pitch = 0x21)
{
    DeviceFontEntry e = {};
    lstrcpynW(e.faceName, face, FONT_FACE_CHARS + 1);
    e.weight = weight;
    e.charSet = charSet;
    e.italic = italic;
    e.pitchAndFamily = pitch;
    return e;
}

class FontSubstitutionTest : public testing::Test
{
protected:
    // A TrueType face: metrics with its family name, weight and character set.
    FONTOBJ *Face(LPCWSTR family, USHORT weight = 400, BYTE charSet = 0, BYTE pitch = 0x22, FLONG flags = 0)
    {
        metrics_.assign(sizeof(IFIMETRICS) + 128, 0);
        IFIMETRICS *pifi = (IFIMETRICS *)metrics_.data();
        pifi->cjThis = (ULONG)metrics_.size();
        pifi->usWinWeight = weight;
        pifi->jWinCharSet = charSet;
        pifi->jWinPitchAndFamily = pitch;
        lstrcpyW((WCHAR *)(pifi + 1), family);
        pifi->dpwszFamilyName = sizeof(IFIMETRICS);
        pifi->dpwszFaceName = sizeof(IFIMETRICS);
        pfo_ = qmt_EngineFont(pifi, 1.0f, 1.0f, FO_TYPE_TRUETYPE | flags, 0);
        return pfo_;
    }
    // The request over fonts with the substitution table table (pairs, NUL-separated).
    SubstRequest Request(const std::vector<DeviceFontEntry> &fonts, const std::u16string &table = u"")
    {
        table_ = table + u'\0';
        if (tableCopy_)
            GlobalFree(tableCopy_);
        tableCopy_ = (WCHAR *)GlobalAlloc(GPTR, (table_.size() + 1) * sizeof(WCHAR));
        memcpy(tableCopy_, table_.data(), table_.size() * sizeof(WCHAR));
        fonts_ = fonts;
        return SubstRequest{&tableCopy_, nullptr, SUBST_TABLE_FIFTEEN, (DWORD)fonts_.size(), fonts_.data()};
    }
    void TearDown() override
    {
        if (pfo_)
            qmt_EngineFreeFont(pfo_);
        if (tableCopy_)
            GlobalFree(tableCopy_);
    }
    std::vector<BYTE> metrics_;
    std::vector<DeviceFontEntry> fonts_;
    std::u16string table_;
    WCHAR *tableCopy_ = nullptr;
    FONTOBJ *pfo_ = nullptr;
};

TEST_F(FontSubstitutionTest, TableEntryWinsOverABetterWeight)
{
    FONTOBJ *pfo = Face(TEXT("Arial"), 700);
    SubstRequest r = Request({Device(TEXT("Swiss Bold"), 700), Device(TEXT("Helvetica"), 400)},
                             std::u16string(u"Arial\0Helvetica\0", 16));
    DWORD index = 99;
    EXPECT_EQ(fnt_FindSubstitute(&r, pfo, TEXT("Arial"), &index), SUBST_FOUND);
    EXPECT_EQ(index, 1u);
    EXPECT_EQ(fnt_FindSubstitute(&r, pfo, TEXT("Courier New"), &index), SUBST_NONE) << "no entry";
    SubstRequest other = Request({Device(TEXT("Helvetica"), 400, 128)}, std::u16string(u"Arial\0Helvetica\0", 16));
    EXPECT_EQ(fnt_FindSubstitute(&other, pfo, TEXT("Arial"), &index), SUBST_NONE) << "incompatible character set";
    EXPECT_EQ(fnt_FindSubstitute(nullptr, pfo, TEXT("Arial"), &index), SUBST_BAD_ARGUMENTS);
}

TEST_F(FontSubstitutionTest, ScoringPicksTheClosestFontAndTheLowerIndexOnTies)
{
    struct Case {
        const char *name;
        std::vector<DeviceFontEntry> fonts;
        LPCWSTR family;
        USHORT weight;
        DWORD expected;
    } cases[] = {
        {"weight 700 over 400", {Device(TEXT("Dev A"), 400), Device(TEXT("Dev B"), 700)}, TEXT("Face"), 700, 1},
        {"equal scores", {Device(TEXT("Dev A")), Device(TEXT("Dev B"))}, TEXT("Face"), 400, 0},
        {"family group", {Device(TEXT("Courier")), Device(TEXT("Helvetica"))}, TEXT("Arial"), 400, 1},
        {"exact name", {Device(TEXT("Dev A")), Device(TEXT("Face"))}, TEXT("Face"), 400, 1},
        {"vertical face", {Device(TEXT("ＭＳ 明朝")), Device(TEXT("@ＭＳ 明朝"))}, TEXT("@ＭＳ 明朝"), 400, 1},
        {"upright face", {Device(TEXT("@ＭＳ 明朝")), Device(TEXT("ＭＳ 明朝"))}, TEXT("ＭＳ 明朝"), 400, 1},
        {"character set", {Device(TEXT("Dev A"), 400, 128), Device(TEXT("Dev B"), 900)}, TEXT("Face"), 400, 1},
        // An italic device font of weight 5000 scores below zero: it adds nothing rather
        // than wrapping to the best score.
        {"heavy italic", {Device(TEXT("Dev A"), 5000, 0, 1), Device(TEXT("Dev B"), 400)}, TEXT("Face"), 400, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FONTOBJ *pfo = Face(c.family, c.weight);
        SubstRequest r = Request(c.fonts);
        DWORD index = 99;
        EXPECT_EQ(fnt_MatchDeviceFont(&r, pfo, c.family, &index), SUBST_FOUND);
        EXPECT_EQ(index, c.expected);
        qmt_EngineFreeFont(pfo);
        pfo_ = nullptr;
    }
}

TEST_F(FontSubstitutionTest, MissingMetricsAndLongListsAreAnsweredAndFreed)
{
    SubstRequest r = Request({Device(TEXT("Dev A"))});
    pfo_ = qmt_EngineFont(nullptr, 1.0f, 1.0f, FO_TYPE_TRUETYPE, 0);
    DWORD index = 0;
    EXPECT_EQ(fnt_MatchDeviceFont(&r, pfo_, TEXT("Face"), &index), SUBST_NO_METRICS);
    qmt_EngineFreeFont(pfo_);

    std::vector<DeviceFontEntry> many(SUBST_STACK_FONTS + 20, Device(TEXT("Dev A"), 400));
    many.back() = Device(TEXT("Dev Z"), 700);
    FONTOBJ *pfo = Face(TEXT("Face"), 700);
    SubstRequest longList = Request(many, std::u16string(u"Face\0Dev Z\0", 11));
    DWORD before = qmt_LiveGlobalBlocks();
    EXPECT_EQ(fnt_MatchDeviceFont(&longList, pfo, TEXT("Other"), &index), SUBST_FOUND);
    EXPECT_EQ(index, (DWORD)many.size() - 1);
    EXPECT_EQ(fnt_FindSubstitute(&longList, pfo, TEXT("Face"), &index), SUBST_FOUND);
    EXPECT_EQ(index, (DWORD)many.size() - 1);
    EXPECT_EQ(qmt_LiveGlobalBlocks(), before) << "the score buffer is freed";
}

TEST_F(FontSubstitutionTest, GroupTablesHoldTheirGroupsAndNames)
{
    EXPECT_EQ(fnt_SelectSubstTable(SUBST_TABLE_SEVEN), 1);
    EXPECT_EQ(fnt_SelectSubstTable(SUBST_TABLE_FIFTEEN), 1);
    EXPECT_EQ(fnt_SelectSubstTable(2), 0);
    DWORD count = 0;
    EXPECT_TRUE(fnt_GetSubstGroup(SUBST_TABLE_SEVEN, &count, SUBST_GROUP_COUNT, nullptr, 0, 0));
    EXPECT_EQ(count, 7u);
    EXPECT_TRUE(fnt_GetSubstGroup(SUBST_TABLE_FIFTEEN, &count, SUBST_GROUP_COUNT, nullptr, 0, 0));
    EXPECT_EQ(count, 15u);
    WCHAR *name = nullptr;
    // Group 4 of the seven is the Swiss group (group 8 of the fifteen).
    ASSERT_TRUE(fnt_GetSubstGroup(SUBST_TABLE_SEVEN, nullptr, SUBST_GROUP_NAME, &name, 4, 3));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(lstrcmpW(name, TEXT("Helvetica")), 0);
    GlobalFree(name);
    EXPECT_TRUE(fnt_GetSubstGroup(SUBST_TABLE_SEVEN, nullptr, SUBST_GROUP_NAME, &name, 4, 5));
    EXPECT_EQ(name, nullptr) << "past the group's names";
    EXPECT_FALSE(fnt_GetSubstGroup(SUBST_TABLE_SEVEN, nullptr, SUBST_GROUP_NAME, &name, 7, 0));
    EXPECT_TRUE(fnt_IsInGroup(SUBST_TABLE_FIFTEEN, TEXT("ＭＳ Ｐ明朝"), 1));
    EXPECT_FALSE(fnt_IsInGroup(SUBST_TABLE_SEVEN, TEXT("ＭＳ Ｐ明朝"), 1));
    EXPECT_EQ(fnt_CompareFacePrefix(TEXT("ARIAL"), TEXT("arial black")), 0);
    EXPECT_NE(fnt_CompareFacePrefix(TEXT("@Arial"), TEXT("Arial")), 0);
}

} // namespace
