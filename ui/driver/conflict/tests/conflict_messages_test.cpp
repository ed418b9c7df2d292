/*
 * Texts and boxes of setting conflicts: messages at their capacity, scaled number texts by
 * ValueType, setting names and the range message box with its owner, caption and flags.
 */
#include "ui/driver/conflict/conflict_messages.h"

#include <gtest/gtest.h>

#include <stdint.h>
#include <string.h>

#include <string>

#include "core/ddd/tests/ddd_test_support.h"
#include "core/util/module.h"
#include "core/util/resource_module.h"
#include "platform/testing/qm_testing.h"
#include "ui/driver/sheet/snapshot.h"

namespace {

using ddd_test::Compile;
using ddd_test::Narrow;
using ddd_test::Pair;
using ddd_test::Source;

class ConflictMessages : public testing::Test
{
protected:
    void SetUp() override
    {
        util_SetModuleHandle(GetModuleHandleW(nullptr));
        module = util_GetResourceModule();
        ASSERT_NE(nullptr, module);
        qmt_ResetMessageBoxes();
    }
    void TearDown() override
    {
        qmt_ResetMessageBoxes();
        util_ReleaseResourceModule();
        util_SetModuleHandle(nullptr);
    }
    HMODULE module = nullptr;
};

TEST_F(ConflictMessages, MessageNeedsRoomForTwoMoreCharacters)
{
    // String 706 is "%1s: %2s\n": "A: 1\n" has 5 characters.
    struct Case {
        int capacity;
        int built;
    };
    static const Case kCases[] = {{7, 1}, {6, 0}, {5, 0}, {0, 1}, {-1, 1}};
    for (const Case &c : kCases) {
        DWORD before = qmt_LiveGlobalBlocks();
        WCHAR *text = (WCHAR *)1;
        EXPECT_EQ(c.built, cst_LoadMessage(module, &text, c.capacity, 706, u"A", u"1")) << c.capacity;
        if (c.built) {
            ASSERT_NE(nullptr, text);
            EXPECT_EQ(std::u16string(u"A: 1\n"), std::u16string(text));
            GlobalFree(text);
        } else {
            EXPECT_EQ(nullptr, text);
        }
        EXPECT_EQ(before, qmt_LiveGlobalBlocks()) << c.capacity;
    }
    // The default capacity is 1024: a text of 1022 characters fits, 1023 does not.
    std::u16string name(1022 - 5, u'n');
    WCHAR *text = nullptr;
    EXPECT_EQ(1, cst_LoadMessage(module, &text, 0, 706, name.c_str(), u"12"));
    GlobalFree(text);
    EXPECT_EQ(0, cst_LoadMessage(module, &text, 0, 706, name.c_str(), u"123"));
    EXPECT_EQ(0, cst_LoadMessage(module, &text, 0, 12345)); // no such string
    EXPECT_EQ(0, cst_LoadMessage(nullptr, &text, 0, 706, u"A", u"1"));
    EXPECT_EQ(nullptr, text);
    // Placeholders name their arguments: 715 takes name, value, list.
    ASSERT_EQ(1, cst_LoadMessage(module, &text, 0, 715, u"N", u"V", u"L"));
    EXPECT_EQ(std::u16string(u"With N set to V the page does not fit the sheets with the following settings:\n\nL"),
              std::u16string(text));
    GlobalFree(text);
}

TEST_F(ConflictMessages, ScaledNumbersByValueType)
{
    struct Case {
        WORD type;
        int64_t value; // stored in the type's width
        WORD divisor;
        DWORD whole;
        int result;
        const char16_t *text;
    };
    static const Case kCases[] = {
        {2, -90, 1, 0, 1, u"-90"},
        {2, -5, 10, 0, 1, u"-0.5"}, // the sign of a value between -divisor and 0 stays
        {2, -5, 10, 1, 1, u"0"},
        {2, -125, 10, 1, 1, u"-12"},
        {10, 1205, 100, 0, 1, u"12.05"}, // leading zeros of the remainder
        {10, 1200, 100, 0, 1, u"12.00"},
        {4, 7, 1000, 0, 1, u"0.007"},
        {4, -2147483647 - 1, 1, 0, 1, u"-2147483648"},
        {3, 65535, 1, 0, 1, u"65535"}, // unsigned types never show a sign
        {3, 65535, 10, 0, 1, u"6553.5"},
        {5, 4294967295u, 1, 0, 1, u"4294967295"},
        {5, 4294967295u, 100, 1, 1, u"42949672"},
        {8, 255, 10, 0, 1, u"25.5"},
        {1, 1, 1, 0, 0, u""}, // no text for other types
        {7, 1, 1, 0, 0, u""},
        {9, 1, 1, 0, 0, u""},
    };
    for (const Case &c : kCases) {
        unsigned char bytes[8] = {};
        int64_t v = c.value;
        memcpy(bytes, &v, sizeof(bytes)); // little-endian: the low bytes are the type's width
        WCHAR text[CST_NUMBER_TEXT_CHARS] = {u'x'};
        EXPECT_EQ(c.result, cst_FormatScaledNumber(bytes, c.divisor, c.type, c.whole, text))
            << c.type << " " << c.value;
        EXPECT_EQ(std::u16string(c.text), std::u16string(text)) << c.type << " " << c.value;
    }
    WCHAR text[CST_NUMBER_TEXT_CHARS] = {};
    EXPECT_EQ(1, cst_FormatScaledNumber(u"Stamp 1", 10, 6, 0, text));
    EXPECT_EQ(std::u16string(u"Stamp 1"), std::u16string(text));
    EXPECT_EQ(0, cst_FormatScaledNumber(nullptr, 1, 2, 0, text));
}

/* A model with three named settings; 327 gets the suffix of string 305. */
static const char kRecords[] =
    "  - {type: 4, key: 7, caption: \"Orientation\\nof the page\", control: 2, default: 1, options: [1]}\n"
    "  - {type: 14, key: 1, caption: Portrait, value: {type: 2, value: 1}}\n"
    "  - {type: 4, key: 327, caption: \"Cover\\rsheet\", control: 2, default: 1, options: [1]}\n";

class ConflictModel : public ConflictMessages
{
protected:
    void SetUp() override
    {
        ConflictMessages::SetUp();
        bytes = Compile(Source(8192, "  1: 1\n", kRecords));
        pair = new Pair(bytes);
        ASSERT_EQ(DDD_OK, pair->status);
        driver.model = &pair->model;
        driver.base = &pair->base;
        settings.context = &driver;
        // The first lookup sets up the file's scratch buffers, kept until it closes.
        WCHAR *text = nullptr;
        ASSERT_EQ(1, cst_FormatSettingName(module, &settings, 7, &text));
        GlobalFree(text);
    }
    void TearDown() override
    {
        delete pair;
        ConflictMessages::TearDown();
    }
    dddc::Bytes bytes;
    Pair *pair = nullptr;
    DriverContext driver = {};
    ConstraintContext settings = {};
};

TEST_F(ConflictModel, SettingNamesEndAtTheFirstLineBreak)
{
    DWORD before = qmt_LiveGlobalBlocks();
    WCHAR *text = nullptr;
    ASSERT_EQ(1, cst_FormatSettingName(module, &settings, 7, &text));
    EXPECT_EQ("Orientation", Narrow(text));
    GlobalFree(text);
    ASSERT_EQ(1, cst_FormatSettingName(module, &settings, 327, &text));
    EXPECT_EQ("Cover (Back)", Narrow(text));
    GlobalFree(text);
    EXPECT_EQ(0, cst_FormatSettingName(module, &settings, 2490, &text));
    EXPECT_EQ(nullptr, text);
    EXPECT_EQ(before, qmt_LiveGlobalBlocks());
}

TEST_F(ConflictModel, RangeMessageShowsOverTheSheetWindow)
{
    SettingsSnapshot source;
    ASSERT_EQ(ui_InitSnapshot(&source), 1);
    SheetContext sheet = {};
    SettingsSnapshotSet *set = ui_CreateSnapshotSet(nullptr, &sheet, &source, nullptr);
    ASSERT_NE(set, nullptr);
    HWND page = CreateWindowExW(0, u"#32770", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND stray = CreateWindowExW(0, u"#32770", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_EQ(ui_AttachSnapshotSet(page, set), 1);
    const DWORD units[2] = {0, 0};
    const int answers[] = {IDOK, IDOK};
    qmt_ScriptMessageBoxAnswers(answers, 2);
    DWORD before = qmt_LiveGlobalBlocks();

    // 310 with its fixed rule: the request's type, the bounds -90 and 90, the given text.
    EXPECT_EQ(0, cst_ShowConflictMessage(page, &settings, 1, 0, 310, u"Rotation angle", 2, -90, 90, units));
    EXPECT_EQ(0, cst_ShowConflictMessage(page, &settings, 10, 0, 7, nullptr, 4, 5, 2400, units));
    EXPECT_EQ(1, cst_ShowConflictMessage(stray, &settings, 1, 0, 7, nullptr, 4, 1, 2, units));   // no sheet
    EXPECT_EQ(1, cst_ShowConflictMessage(page, &settings, 1, 0, 2490, nullptr, 4, 1, 2, units)); // no name
    EXPECT_EQ(1, cst_ShowConflictMessage(page, &settings, 1, 0, 7, nullptr, 1, 1, 2, units));    // bad type
    EXPECT_EQ(before, qmt_LiveGlobalBlocks());

    ASSERT_EQ(2u, qmt_MessageBoxCount());
    static const char16_t *const kTexts[] = {u"Enter a value for Rotation angle between -90 and 90.",
                                             u"Enter a value for Orientation between 0.5 and 240.0."};
    for (DWORD i = 0; i < 2; ++i) {
        QmtMessageBoxCall call;
        ASSERT_TRUE(qmt_MessageBoxLog(i, &call));
        EXPECT_EQ(page, call.hWnd);
        EXPECT_EQ(std::u16string(u"Printing Preferences"), std::u16string(call.caption));
        EXPECT_EQ((UINT)MB_ICONWARNING, call.type);
        EXPECT_EQ(std::u16string(kTexts[i]), std::u16string(call.text));
    }
    DestroyWindow(page);
    DestroyWindow(stray);
    ui_FreeSnapshotSet(&set);
    ui_FreeSnapshot(&source);
}

} // namespace
