/* The configuration file: sizes, sections, key search, model sections and values. */
#include "core/config/config_file.h"

#include "core/config/tests/config_test_support.h"
#include "platform/testing/qm_testing.h"

#include <gtest/gtest.h>

namespace {

const std::u16string kFixture = u"[Model_50_C_1]\r\n"
                                u"COMMENT=Site printer\r\n"
                                u"bin.TRAY1=5\r\n"
                                u"other=1\r\n"
                                u"bin.TRAY1=6\r\n"
                                u"BIN.tray1=\r\n"
                                u"[default]\r\n"
                                u"COMMENT=Default comment\r\n"
                                u"[DME,1]\r\n"
                                u"dmPaperSize=9\r\n";

class ConfigFile : public testing::TestWithParam<bool>
{
protected:
    void SetUp() override
    {
        write_config(TEXT("C:\\drv\\QM50BASE.cfg"), kFixture, GetParam());
    }
    const WCHAR *path = TEXT("C:\\drv\\QM50BASE.cfg");
};

std::u16string take(WCHAR *text)
{
    if (text == nullptr)
        return u"<null>";
    std::u16string copy = text;
    GlobalFree(text);
    return copy;
}

TEST_P(ConfigFile, SectionsAndModelValues)
{
    EXPECT_GT(cfg_GetFileSize(path), 100u);
    EXPECT_TRUE(cfg_SectionExists(path, TEXT("model_50_c_1")));
    EXPECT_TRUE(cfg_SectionExists(path, TEXT("DME,1")));
    EXPECT_FALSE(cfg_SectionExists(path, TEXT("Model 50-C/1")));

    struct Case {
        const WCHAR *model;
        const char16_t *section;
        const char16_t *comment;
    };
    static const Case kCases[] = {
        {TEXT("Model 50-C/1"), u"Model_50_C_1", u"Site printer"},
        {TEXT("model 50-c/1"), u"model_50_c_1", u"Site printer"},
        {TEXT("Model 70"), u"default", u"Default comment"},
        {nullptr, u"default", u"Default comment"},
    };
    for (const Case &c : kCases) {
        EXPECT_EQ(std::u16string(c.section), take(cfg_ResolveModelSection(c.model, path, CFG_SECTION_NAME_CHARS)));
        EXPECT_EQ(std::u16string(c.comment), take(util_ReadConfigComment(c.model, path)));
    }
    // A name cut to its capacity names another section.
    EXPECT_EQ(std::u16string(u"default"), take(cfg_ResolveModelSection(TEXT("Model 50-C/1"), path, 6)));
    EXPECT_EQ(std::u16string(u"9"), take(cfg_GetModelValue(TEXT("DME,1"), path, TEXT("dmPaperSize"))));
    EXPECT_EQ(std::u16string(u"<null>"), take(cfg_GetModelValue(TEXT("Model 50-C/1"), path, TEXT("missing"))));

    WCHAR *block = cfg_ReadSection(path, TEXT("DME,1"));
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(std::u16string(u"dmPaperSize=9"), std::u16string(block));
    EXPECT_EQ(0, block[lstrlenW(block) + 1]); // the block ends with an empty line
    GlobalFree(block);
    EXPECT_EQ(nullptr, cfg_ReadSection(path, TEXT("none")));
}

TEST_P(ConfigFile, FindKeyFirstAndLastMatch)
{
    WCHAR *block = cfg_ReadModelSection(path, TEXT("Model 50-C/1"));
    ASSERT_NE(nullptr, block);
    struct Case {
        WORD start;
        BOOL last;
        WORD line;
        const char16_t *value;
    };
    // Lines: 1 COMMENT, 2 bin.TRAY1=5, 3 other, 4 bin.TRAY1=6, 5 "BIN.tray1=" (no value: no match).
    static const Case kCases[] = {
        {1, FALSE, 2, u"5"},
        {3, FALSE, 4, u"6"}, // continuing after the first match
        {1, TRUE, 4, u"6"},
        {5, FALSE, 0, u"<null>"},
        {5, TRUE, 0, u"<null>"},
    };
    for (const Case &c : kCases) {
        WCHAR *value = nullptr;
        EXPECT_EQ(c.line, cfg_FindKey(c.start, c.last, block, TEXT("bin.tray1="), &value)) << c.start;
        EXPECT_EQ(std::u16string(c.value), take(value));
    }
    WCHAR *value = nullptr;
    EXPECT_EQ(0, cfg_FindKey(0, FALSE, block, TEXT("bin.TRAY1="), &value));
    EXPECT_EQ(0, cfg_FindKey(1, FALSE, nullptr, TEXT("bin.TRAY1="), &value));
    WCHAR occupied[] = TEXT("x");
    value = occupied;
    EXPECT_EQ(0, cfg_FindKey(1, FALSE, block, TEXT("bin.TRAY1="), &value));
    EXPECT_EQ(occupied, value);
    GlobalFree(block);
}

INSTANTIATE_TEST_SUITE_P(AnsiAndUtf16, ConfigFile, testing::Values(false, true));

TEST(ConfigFileMissing, EmptyAndMissingFiles)
{
    write_config(TEXT("C:\\drv\\empty.cfg"), u"", false);
    EXPECT_EQ(0u, cfg_GetFileSize(TEXT("C:\\drv\\empty.cfg")));
    EXPECT_EQ(0u, cfg_GetFileSize(TEXT("C:\\drv\\missing.cfg")));
    EXPECT_EQ(nullptr, cfg_ReadSection(TEXT("C:\\drv\\empty.cfg"), TEXT("default")));
    EXPECT_EQ(nullptr, cfg_ReadModelSection(TEXT("C:\\drv\\missing.cfg"), TEXT("Model 50-C/1")));
    EXPECT_FALSE(cfg_SectionExists(TEXT("C:\\drv\\missing.cfg"), TEXT("default")));
    EXPECT_EQ(nullptr, util_ReadConfigComment(TEXT("Model"), TEXT("C:\\drv\\missing.cfg")));
    EXPECT_EQ(0u, qmt_LiveHandles(QMT_HANDLE_ANY));
}

} // namespace
