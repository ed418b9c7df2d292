/*
 * The stamp store: the stamps key seeded from the built-in stamps or copied from the
 * machine-wide key, names listed and counted, the limit of 32, built-in names, saving,
 * comparing, and stored values that are not well-formed records.
 */
#include "core/stamps/tests/stamp_fixture.h"

#include "core/handlers/setting_handlers.h"

#include <string.h>

namespace {

using namespace stamp_test;

class StampStoreTest : public StampTest
{
protected:
    StampRecord Stamp(const WCHAR *name, const WCHAR *text = TEXT("TEXT"))
    {
        StampRecord record;
        memset(&record, 0, sizeof(record));
        lstrcpynW(record.name, name, STAMP_NAME_CHARS);
        lstrcpynW(record.text, text, STAMP_TEXT_CHARS);
        record.colour = 255;
        record.style = 1;
        record.font.lfHeight = 30;
        record.font.lfQuality = 2;
        lstrcpynW(record.font.lfFaceName, TEXT("Sans"), LF_FACESIZE);
        return record;
    }
    std::vector<std::u16string> Listed(WORD *count = nullptr)
    {
        DWORD size = 0;
        WORD listed = 0;
        EXPECT_EQ(1, ureg_ListStampNames(printer_, nullptr, &listed, &size, context_));
        std::vector<WCHAR> buffer(size / sizeof(WCHAR) + 1);
        EXPECT_EQ(1, ureg_ListStampNames(printer_, buffer.data(), &listed, &size, context_));
        if (count)
            *count = listed;
        return Names(buffer.data());
    }
    WORD Count()
    {
        WORD count = 0;
        EXPECT_EQ(1, ureg_CountStamps(printer_, &count, context_));
        return count;
    }
};

TEST_F(StampStoreTest, TheFirstUseSeedsTheBuiltinStamps)
{
    WORD count = 0;
    EXPECT_EQ((std::vector<std::u16string>{u"Confidential", u"Draft", u"Copy", u"Urgent", u"Final", u"Undefined"}),
              Listed(&count));
    EXPECT_EQ(6, count);
    EXPECT_EQ(6, Count());
    HKEY others = OpenUserKey(TEXT("Stamps\\Others"));
    ASSERT_NE(nullptr, others);
    BYTE version[16];
    DWORD size = sizeof(version);
    DWORD type = 0;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExW(others, TEXT("Stamp Version"), nullptr, &type, version, &size));
    RegCloseKey(others);
    EXPECT_EQ((DWORD)REG_SZ, type);
    ASSERT_EQ(8u, size);
    EXPECT_EQ(0, memcmp(version, u"0.01", 8));

    /* The size query and a short buffer. */
    DWORD needed = 0;
    ASSERT_EQ(1, ureg_ListStampNames(printer_, nullptr, &count, &needed, context_));
    std::vector<WCHAR> buffer(needed / 2);
    DWORD small = needed - 1;
    EXPECT_EQ(12, ureg_ListStampNames(printer_, buffer.data(), &count, &small, context_));
    EXPECT_EQ(needed, small);
    EXPECT_EQ(99, ureg_ListStampNames(printer_, buffer.data(), &count, nullptr, context_));
}

TEST_F(StampStoreTest, AWriteFaultWhileSeedingLeavesNeitherKey)
{
    for (const WCHAR *failing : {TEXT("Stamp Version"), TEXT("Final")}) {
        qmt_FailRegistryValue(failing, 0);
        HKEY key = nullptr;
        EXPECT_EQ(10, ureg_SeedStampKeys(&key, printer_, context_));
        EXPECT_EQ(nullptr, key);
        EXPECT_EQ(nullptr, OpenUserKey(TEXT("Stamps")));
        EXPECT_EQ(nullptr, OpenUserKey(TEXT("Stamps\\Others")));
        /* The store answers as one without a stamps key. */
        WORD count = 0;
        EXPECT_EQ(8, ureg_CountStamps(printer_, &count, context_));
        qmt_FailRegistryValue(nullptr, 0);
    }
    EXPECT_EQ(6, Count());

    /* A stored stamp whose value cannot be written or deleted. */
    StampRecord mine = Stamp(TEXT("Mine"));
    qmt_FailRegistryValue(TEXT("Mine"), 0);
    EXPECT_EQ(10, ureg_SaveStamp(printer_, &mine, context_));
    EXPECT_EQ(99, ureg_StampExists(printer_, TEXT("Mine"), context_));
    qmt_FailRegistryValue(nullptr, 0);
    ASSERT_EQ(1, ureg_SaveStamp(printer_, &mine, context_));
    qmt_FailRegistryValue(TEXT("Mine"), 0);
    EXPECT_EQ(11, ureg_DeleteStamp(printer_, TEXT("Mine"), context_));
    qmt_FailRegistryValue(nullptr, 0);
    EXPECT_EQ(1, ureg_StampExists(printer_, TEXT("Mine"), context_));
}

TEST_F(StampStoreTest, TheStampChoiceListsTheStoredNames)
{
    StampRecord mine = Stamp(TEXT("Mine"));
    ASSERT_EQ(1, ureg_SaveStamp(printer_, &mine, context_));
    /* The seeded built-in stamps and the stored one, and the list's own item. */
    ListRequest request = {printer_, context_, 298, nullptr, 0, 0, devmode_, &block_, {0, 0}};
    OptionList *list = opt_CreateList(&request);
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(8u, list->count);
    EXPECT_TRUE(opt_FreeList(list));
}

TEST_F(StampStoreTest, TheMachineWideCopyIsTakenWhenPresent)
{
    StampRecord mine = Stamp(TEXT("Company"));
    SetMachineValue(TEXT("Stamps"), TEXT("Company"), REG_BINARY, &mine, sizeof(mine));
    SetMachineValue(TEXT("Stamps\\Others"), TEXT("Stamp Version"), REG_SZ, u"0.01", 8);
    EXPECT_EQ((std::vector<std::u16string>{u"Company"}), Listed());
    StampRecord back;
    ASSERT_EQ(1, ureg_GetStamp(printer_, TEXT("Company"), &back, FALSE, context_));
    EXPECT_EQ(0, memcmp(&mine, &back, sizeof(mine)));
    HKEY others = OpenUserKey(TEXT("Stamps\\Others"));
    ASSERT_NE(nullptr, others);
    RegCloseKey(others);
}

TEST_F(StampStoreTest, ThirtyTwoStampsAndTheBuiltinNames)
{
    for (int i = 6; i < 32; ++i) {
        WCHAR name[16];
        wsprintfW(name, TEXT("Stamp %d"), i);
        ASSERT_EQ(1, ureg_CanAddStamp(printer_, name, context_)) << i;
        StampRecord record = Stamp(name);
        ASSERT_EQ(1, ureg_SaveStamp(printer_, &record, context_)) << i;
    }
    EXPECT_EQ(32, Count());
    StampRecord extra = Stamp(TEXT("One more"));
    EXPECT_EQ(4, ureg_CanAddStamp(printer_, TEXT("One more"), context_));
    EXPECT_EQ(4, ureg_SaveStamp(printer_, &extra, context_));
    EXPECT_EQ(1, ureg_CanAddStamp(printer_, nullptr, context_));

    /* Replacing one of the 32 by name. */
    StampRecord replaced = Stamp(TEXT("Stamp 7"), TEXT("NEW TEXT"));
    EXPECT_EQ(2, ureg_CanAddStamp(printer_, TEXT("Stamp 7"), context_));
    ASSERT_EQ(1, ureg_SaveStamp(printer_, &replaced, context_));
    EXPECT_EQ(32, Count());
    StampRecord back;
    ASSERT_EQ(1, ureg_GetStamp(printer_, TEXT("Stamp 7"), &back, FALSE, context_));
    EXPECT_EQ(u"NEW TEXT", std::u16string((const char16_t *)back.text));
    EXPECT_EQ(32u, Listed().size());

    /* Built-in names are never stored, replaced or deleted. */
    StampRecord draft = Stamp(TEXT("Draft"), TEXT("MINE"));
    EXPECT_EQ(2, ureg_CanAddStamp(printer_, TEXT("Draft"), context_));
    EXPECT_EQ(3, ureg_StampExists(printer_, TEXT("Draft"), context_));
    EXPECT_EQ(3, ureg_DeleteStamp(printer_, TEXT("Draft"), context_));
    EXPECT_EQ(3, ureg_SaveStamp(printer_, &draft, context_));
    ASSERT_EQ(1, ureg_GetStamp(printer_, TEXT("Draft"), &back, FALSE, context_));
    EXPECT_EQ(u"DRAFT", std::u16string((const char16_t *)back.text));

    EXPECT_EQ(1, ureg_StampExists(printer_, TEXT("Stamp 9"), context_));
    EXPECT_EQ(1, ureg_DeleteStamp(printer_, TEXT("Stamp 9"), context_));
    EXPECT_EQ(99, ureg_StampExists(printer_, TEXT("Stamp 9"), context_));
    EXPECT_EQ(99, ureg_DeleteStamp(printer_, TEXT("Stamp 9"), context_));
    EXPECT_EQ(99, ureg_StampExists(printer_, TEXT("stamp 10"), context_)); /* exact compare */
    EXPECT_EQ(1, ureg_CanAddStamp(printer_, TEXT("One more"), context_));
}

TEST_F(StampStoreTest, GettingAndComparing)
{
    StampRecord record;
    ASSERT_EQ(1, ureg_GetStamp(printer_, nullptr, &record, FALSE, context_));
    EXPECT_EQ(u"Default", std::u16string((const char16_t *)record.name));
    ASSERT_EQ(1, ureg_GetStamp(printer_, TEXT("Nothing"), &record, TRUE, context_));
    EXPECT_EQ(u"Default", std::u16string((const char16_t *)record.name));
    ASSERT_EQ(1, ureg_GetStamp(printer_, TEXT("Urgent"), &record, TRUE, context_));
    EXPECT_EQ(u"URGENT", std::u16string((const char16_t *)record.text));
    EXPECT_EQ(99, ureg_GetStamp(printer_, TEXT("Nothing"), &record, FALSE, context_));

    StampRecord mine = Stamp(TEXT("Mine"));
    EXPECT_EQ(6, ureg_CompareStamp(printer_, &mine, context_));
    ASSERT_EQ(1, ureg_SaveStamp(printer_, &mine, context_));
    EXPECT_EQ(1, ureg_CompareStamp(printer_, &mine, context_));
    StampRecord other = mine;
    other.font.lfQuality = 4;
    EXPECT_EQ(1, ureg_CompareStamp(printer_, &other, context_));
    struct Change {
        const char *what;
        void (*apply)(StampRecord &);
    };
    const Change changes[] = {
        {"text", [](StampRecord &r) { r.text[0] = 'X'; }},
        {"colour", [](StampRecord &r) { r.colour = 1; }},
        {"number at 200", [](StampRecord &r) { r.style = 2; }},
        {"number at 208", [](StampRecord &r) { r.frame = 2; }},
        {"number at 212", [](StampRecord &r) { r.repeat = 2; }},
        {"height", [](StampRecord &r) { r.font.lfHeight = 31; }},
        {"charset", [](StampRecord &r) { r.font.lfCharSet = 2; }},
        {"face", [](StampRecord &r) { r.font.lfFaceName[0] = 'X'; }},
    };
    for (const Change &c : changes) {
        StampRecord changed = mine;
        c.apply(changed);
        EXPECT_EQ(7, ureg_CompareStamp(printer_, &changed, context_)) << c.what;
    }
}

TEST_F(StampStoreTest, BrokenValuesAreReadWithinBounds)
{
    Count(); /* seeds the key */
    HKEY key = OpenUserKey(TEXT("Stamps"));
    ASSERT_NE(nullptr, key);
    /* An unterminated name and text, 100 and 400 bytes, values of other types. */
    std::vector<BYTE> full(308, 'A');
    std::vector<BYTE> shortValue(100, 0);
    memcpy(shortValue.data(), u"Short", 12);
    std::vector<BYTE> longValue(400, 0x41);
    memcpy(longValue.data(), u"Long\0", 10);
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, TEXT("Full"), 0, REG_BINARY, full.data(), 308));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, TEXT("Short"), 0, REG_BINARY, shortValue.data(), 100));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, TEXT("Long"), 0, REG_BINARY, longValue.data(), 400));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, TEXT("Text"), 0, REG_SZ, (const BYTE *)u"Text", 10));
    RegCloseKey(key);
    EXPECT_EQ(9, Count());
    StampRecord record;
    ASSERT_EQ(1, ureg_GetStamp(printer_, TEXT("Short"), &record, FALSE, context_));
    EXPECT_EQ(0u, record.colour); /* zero-filled */
    ASSERT_EQ(1, ureg_GetStamp(printer_, TEXT("Long"), &record, FALSE, context_));
    EXPECT_EQ(0x41414141u, record.colour);
    EXPECT_EQ(99, ureg_GetStamp(printer_, TEXT("Text"), &record, FALSE, context_));
    /* The unterminated name field is read within its 33 characters. */
    std::u16string unterminated(STAMP_NAME_CHARS, (char16_t)0x4141);
    EXPECT_EQ(1, ureg_StampExists(printer_, (LPCWSTR)unterminated.c_str(), context_));
    unterminated += u'A';
    EXPECT_EQ(99, ureg_StampExists(printer_, (LPCWSTR)unterminated.c_str(), context_));
    StampRecord same;
    memcpy(&same, full.data(), 308);
    EXPECT_EQ(6, ureg_CompareStamp(printer_, &same, context_));
    EXPECT_EQ(1, ureg_DeleteStamp(printer_, TEXT("Short"), context_));
}

} // namespace
