/*
 * The built-in stamps: the descriptor table, the stamps and the default font made from the
 * resource strings (a missing name, a height that is no number), their names, and the
 * label table.
 */
#include "core/stamps/tests/stamp_fixture.h"

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("\\STAMPS_TEST_LOG.txt");
}

namespace {

using namespace stamp_test;

TEST(StampTables, TheSevenDescriptorRows)
{
    struct Row {
        WORD nameId, textId;
        DWORD colour, style, optionB;
        WORD frame, placement;
        DWORD repeat;
        WORD heightId, escapementId, orientationId, weight, charSetId, quality, faceId;
    };
    const Row rows[7] = {
        {1791, 1792, 13311, 1, 1, 0, 514, 0, 5149, 5158, 5159, 700, 1790, 2, 1793},
        {1794, 1795, 13311, 1, 1, 2, 514, 0, 5150, 5160, 5161, 0, 1790, 2, 1796},
        {1797, 1798, 13311, 1, 0, 1, 769, 0, 5151, 5162, 5163, 700, 1790, 2, 1799},
        {1800, 1801, 13311, 1, 0, 1, 769, 0, 5152, 5164, 5165, 700, 1790, 2, 1802},
        {1803, 1804, 13311, 1, 0, 1, 769, 0, 5153, 5166, 5167, 700, 1790, 2, 1805},
        {1806, 1807, 13311, 1, 1, 0, 514, 0, 5154, 5168, 5169, 0, 1790, 2, 1808},
        {1809, 1810, 13311, 1, 1, 0, 514, 0, 5155, 5170, 5171, 0, 1790, 2, 1811},
    };
    for (int i = 0; i < 7; ++i) {
        const StampDescriptor &d = g_StampDescriptors[i];
        const Row &r = rows[i];
        EXPECT_EQ(r.nameId, d.nameId) << i;
        EXPECT_EQ(r.textId, d.textId) << i;
        EXPECT_EQ(r.colour, d.colour) << i;
        EXPECT_EQ(r.style, d.style) << i;
        EXPECT_EQ(r.optionB, d.optionB) << i;
        EXPECT_EQ(r.frame, d.frame) << i;
        EXPECT_EQ(r.placement, d.placement) << i;
        EXPECT_EQ(r.repeat, d.repeat) << i;
        EXPECT_EQ(r.heightId, d.font.heightId) << i;
        EXPECT_EQ(r.escapementId, d.font.escapementId) << i;
        EXPECT_EQ(r.orientationId, d.font.orientationId) << i;
        EXPECT_EQ(r.weight, d.font.weight) << i;
        EXPECT_EQ(r.charSetId, d.font.charSetId) << i;
        EXPECT_EQ(r.quality, d.font.quality) << i;
        EXPECT_EQ(r.faceId, d.font.faceId) << i;
        EXPECT_EQ(0,
                  d.font.width + d.font.italic + d.font.underline + d.font.strikeOut + d.font.outPrecision +
                      d.font.clipPrecision + d.font.pitchAndFamily)
            << i;
    }
    EXPECT_EQ(5156, g_DefaultStampFont.heightId);
    EXPECT_EQ(5172, g_DefaultStampFont.escapementId);
    EXPECT_EQ(5173, g_DefaultStampFont.orientationId);
    EXPECT_EQ(400, g_DefaultStampFont.weight);
    EXPECT_EQ(1812, g_DefaultStampFont.faceId);
}

TEST(StampTables, TheNineteenLabelRows)
{
    struct Row {
        SHORT key;
        WORD ids[6];
    };
    std::vector<Row> rows;
    const SHORT firstKeys[] = {1, 3, 2, 257, 261, 262, 11, 265, 266, 267, 268, 269, 270, 272, 271};
    for (WORD i = 0; i < 15; ++i)
        rows.push_back({firstKeys[i],
                        {(WORD)(6145 + i),
                         (WORD)(6160 + i),
                         (WORD)(6175 + i),
                         (WORD)(6295 + i),
                         (WORD)(6190 + i),
                         (WORD)(6205 + i)}});
    for (WORD i = 0; i < 4; ++i)
        rows.push_back({(SHORT)(273 + i),
                        {(WORD)(6220 + i),
                         (WORD)(6235 + i),
                         (WORD)(6250 + i),
                         (WORD)(6310 + i),
                         (WORD)(6265 + i),
                         (WORD)(6280 + i)}});
    ASSERT_EQ(19u, rows.size());
    EXPECT_EQ(6159, rows[14].ids[0]); /* key 271 */
    EXPECT_EQ(6309, rows[14].ids[3]);
    for (const Row &r : rows) {
        WORD ids[6] = {};
        ASSERT_TRUE(opt_GetLabelIdsForValue(r.key, ids)) << r.key;
        EXPECT_EQ(0, memcmp(r.ids, ids, sizeof(ids))) << r.key;
        WORD fourth = 0, fifth = 0;
        ASSERT_TRUE(opt_GetLabelIdPair(r.key, &fourth, &fifth));
        EXPECT_EQ(r.ids[3], fourth);
        EXPECT_EQ(r.ids[4], fifth);
    }
    WORD ids[6];
    EXPECT_FALSE(opt_GetLabelIdsForValue(4, ids));
}

TEST_F(StampTest, BuiltinStampsFromTheResourceStrings)
{
    StampRecord record;
    ASSERT_EQ(1, ureg_MakeBuiltinStamp(&record, &g_StampDescriptors[0]));
    EXPECT_EQ(u"Default", std::u16string((const char16_t *)record.name));
    EXPECT_EQ(u"DEFAULT TEXT", std::u16string((const char16_t *)record.text));
    EXPECT_EQ(13311u, record.colour);
    EXPECT_EQ(514, record.placement);
    EXPECT_EQ(72, record.font.lfHeight);
    EXPECT_EQ(450, record.font.lfEscapement);
    EXPECT_EQ(700, record.font.lfWeight);
    EXPECT_EQ(1, record.font.lfCharSet);
    EXPECT_EQ(2, record.font.lfQuality);
    EXPECT_EQ(u"Face 0", std::u16string((const char16_t *)record.font.lfFaceName));

    /* A height that is no number gives 0; a missing name gives "Undefined". */
    ASSERT_EQ(1, ureg_MakeBuiltinStamp(&record, &g_StampDescriptors[1]));
    EXPECT_EQ(0, record.font.lfHeight);
    EXPECT_EQ(900, record.font.lfOrientation);
    ASSERT_EQ(1, ureg_MakeBuiltinStamp(&record, &g_StampDescriptors[6]));
    EXPECT_EQ(u"Undefined", std::u16string((const char16_t *)record.name));
    EXPECT_EQ(u"NO NAME", std::u16string((const char16_t *)record.text));
    EXPECT_EQ(99, ureg_MakeBuiltinStamp(nullptr, &g_StampDescriptors[0]));

    LOGFONTW font;
    ASSERT_TRUE(ureg_GetDefaultStampFont(&font));
    EXPECT_EQ(-20, font.lfHeight);
    EXPECT_EQ(10, font.lfEscapement);
    EXPECT_EQ(11, font.lfOrientation);
    EXPECT_EQ(400, font.lfWeight);
    EXPECT_EQ(u"Default Face", std::u16string((const char16_t *)font.lfFaceName));

    /* The six names, in descriptor order; the default stamp's is none of them. */
    DWORD size = 0;
    WORD count = 0;
    ASSERT_EQ(1, ureg_ListBuiltinStampNames(nullptr, &count, &size));
    EXPECT_EQ(6, count);
    std::vector<WCHAR> buffer(size / sizeof(WCHAR));
    DWORD small = size - 2;
    EXPECT_EQ(12, ureg_ListBuiltinStampNames(buffer.data(), &count, &small));
    EXPECT_EQ(size, small);
    ASSERT_EQ(1, ureg_ListBuiltinStampNames(buffer.data(), &count, &size));
    EXPECT_EQ((std::vector<std::u16string>{u"Confidential", u"Draft", u"Copy", u"Urgent", u"Final", u"Undefined"}),
              Names(buffer.data()));
    EXPECT_TRUE(ureg_IsBuiltinStampName(TEXT("Draft")));
    EXPECT_FALSE(ureg_IsBuiltinStampName(TEXT("draft")));
    EXPECT_FALSE(ureg_IsBuiltinStampName(TEXT("Default")));
    EXPECT_EQ(1, ureg_GetBuiltinStamp(TEXT("Copy"), &record));
    EXPECT_EQ(u"COPY", std::u16string((const char16_t *)record.text));
    EXPECT_EQ(8, ureg_GetBuiltinStamp(TEXT("Default"), &record));
}

} // namespace
