/*
 * String and memory helpers: the double-byte cut, bounded copies and conversions, the
 * limited user name, the locale paper kind and the driver directory.
 */
#include "render/driver/header/string_util.h"

#include <string.h>

#include <string>

#include <gtest/gtest.h>
#include <qmhost.h>
#include <winspool.h>

#include "core/util/caches.h"
#include "core/util/locale_paper.h"
#include "platform/testing/qm_testing.h"

namespace {

// Cuts under code page 932: a cut that would halve a double-byte character drops its
// lead byte; a trail byte that looks like a lead byte is kept with its character.
TEST(WideToAnsiFixed, CutsWholeCharactersOnly)
{
    qmt_PinAnsiCodePage(932);
    struct Case {
        const WCHAR *text;
        DWORD capacity;
        const char *expected;
    } cases[] = {
        {TEXT("a\u3042b"), 3, "a"},            // a + lead byte: the lead byte goes
        {TEXT("a\u3042b"), 4, "a\x82\xA0"},    // the whole character fits
        {TEXT("\uFF1D\uFF1D"), 3, "\x81\x81"}, // trail 0x81 is also a lead value
        {TEXT("\uFF1D\uFF1D"), 4, "\x81\x81"},
        {TEXT("abc"), 10, "abc"},
        {TEXT("abc"), 1, ""},
    };
    for (const Case &c : cases) {
        char out[16];
        memset(out, 0x55, sizeof(out));
        EXPECT_TRUE(util_WideToAnsiFixed(c.text, out, c.capacity));
        EXPECT_STREQ(out, c.expected) << c.capacity;
    }
    char out[4];
    EXPECT_FALSE(util_WideToAnsiFixed(NULL, out, 4));
    EXPECT_FALSE(util_WideToAnsiFixed(TEXT("a"), out, 0));
    qmt_PinAnsiCodePage(0);
}

TEST(StringUtil, BoundedCopiesAndConversions)
{
    WCHAR out[8];
    for (WCHAR &c : out)
        c = u'#';
    util_CopyWideBounded(out, TEXT("abcdefgh"), 5);
    EXPECT_EQ(std::u16string(out, 6), std::u16string(u"abcd\0#", 6));
    util_CopyWideBounded(out, TEXT("xyz"), 0);
    EXPECT_EQ(out[0], u'a') << "count 0 copies nothing";

    for (WCHAR &c : out)
        c = u'#';
    EXPECT_EQ(util_AnsiToWideBuf(out, 8, "abcdefghijk", 0), 7) << "whole text, bounded by the capacity";
    EXPECT_EQ(std::u16string(out), u"abcdefg");
    EXPECT_EQ(util_AnsiToWideBuf(out, 8, "abcdef", 3), 3);
    EXPECT_EQ(std::u16string(out), u"abc");
    EXPECT_EQ(util_AnsiToWideBuf(out, 8, "ab", -1), 2);
    EXPECT_EQ(std::u16string(out), u"ab");

    DWORD bytes = 0;
    EXPECT_EQ(util_AnsiToWide(out, sizeof(out), &bytes, "hey", 3), 6u);
    EXPECT_EQ(bytes, 6u);
    EXPECT_EQ(std::u16string(out, 3), u"hey");

    EXPECT_EQ(util_StrNLenA("abc\0def", 10), 3u);
    EXPECT_EQ(util_StrNLenA("abcdef", 4), 4u);
    EXPECT_TRUE(util_IsAtLeast(0x01010901, 0x01010901));
    EXPECT_FALSE(util_IsAtLeast(0x01010900, 0x01010901));
    EXPECT_TRUE(util_IsAtLeast(0x80000000, 1)) << "unsigned";
    void *p = &out;
    EXPECT_TRUE(util_ClearOutPointer(out, &p));
    EXPECT_EQ(p, nullptr);
    EXPECT_FALSE(util_ClearOutPointer(NULL, &p));
}

TEST(StringUtil, ReallocCopyKeepsTheCommonPartZeroedBeyond)
{
    DWORD blocks = qmt_LiveGlobalBlocks();
    BYTE *block = (BYTE *)GlobalAlloc(GPTR, 4);
    memcpy(block, "\1\2\3\4", 4);
    BYTE *grown = (BYTE *)util_ReallocCopy(block, 4, 8);
    ASSERT_NE(grown, nullptr);
    EXPECT_EQ(memcmp(grown, "\1\2\3\4\0\0\0\0", 8), 0);
    BYTE *shrunk = (BYTE *)util_ReallocCopy(grown, 8, 2);
    EXPECT_EQ(memcmp(shrunk, "\1\2", 2), 0);
    qmt_FailAllocations(0, 1);
    EXPECT_EQ(util_ReallocCopy(shrunk, 2, 16), nullptr);
    qmt_FailAllocations(0, 0);
    EXPECT_EQ(shrunk[1], 2) << "a failed copy keeps the block";
    GlobalFree(shrunk);
    EXPECT_EQ(qmt_LiveGlobalBlocks(), blocks);
}

TEST(StringUtil, LocalePaperKindAcceptsLetterAndMetricOnly)
{
    EXPECT_TRUE(util_SetLocalePaperKind(1));
    EXPECT_EQ(util_GetLocalePaperKind(TRUE), 1);
    EXPECT_TRUE(util_SetLocalePaperKind(2));
    EXPECT_EQ(util_GetLocalePaperKind(TRUE), 2);
    EXPECT_FALSE(util_SetLocalePaperKind(3));
    EXPECT_FALSE(util_SetLocalePaperKind(0));
    EXPECT_EQ(util_GetLocalePaperKind(TRUE), 2);
    util_ResetCaches();
}

TEST(StringUtil, UserNameIsReadInto128Bytes)
{
    WCHAR name[USER_NAME_LIMITED_CHARS + 8];
    for (WCHAR &c : name)
        c = u'#';
    std::u16string fits(63, u'u'), tooLong(64, u'v');
    qmt_PinUserName(fits.c_str());
    EXPECT_EQ(util_GetUserNameLimited(name), 0);
    EXPECT_EQ(std::u16string(name), fits);
    EXPECT_EQ(name[USER_NAME_LIMITED_CHARS], u'#');
    qmt_PinUserName(tooLong.c_str());
    EXPECT_EQ(util_GetUserNameLimited(name), -1) << "the name is read into 128 bytes";
    EXPECT_EQ(name[0], 0);
    qmt_PinUserName(TEXT("alice"));
    EXPECT_EQ(util_GetUserNameLimited(name), 0);
    EXPECT_EQ(std::u16string(name), u"alice");
    EXPECT_EQ(util_GetUserNameLimited(NULL), -1);
    qmt_PinUserName(NULL);
}

TEST(DriverDirectory, CutAfterTheLastBackslashBeforeDll)
{
    struct Case {
        const WCHAR *driverPath;
        const char16_t *expected; // NULL: no directory
    } cases[] = {
        {TEXT("C:\\drv\\3\\QMKELVIM.DLL"), u"C:\\drv\\3\\"},
        {TEXT("C:\\drv\\3\\qmkelvim.dll"), u"C:\\drv\\3\\"},
        {TEXT("C:\\drv\\3\\QMKELVIM"), nullptr},
        {TEXT("QMKELVIM.DLL"), nullptr},
    };
    int n = 0;
    for (const Case &c : cases) {
        std::u16string printer = u"Dir Printer " + std::u16string(1, (char16_t)(u'A' + n++));
        QMH_PRINTER_SETUP setup = {};
        setup.pPrinterName = printer.c_str();
        setup.pPortName = TEXT("LPT1:");
        std::u16string driverName = printer + u" Driver";
        setup.pDriverName = driverName.c_str();
        setup.pDriverPath = c.driverPath;
        setup.pDataFile = TEXT("C:\\drv\\3\\SAMPLE.DDD");
        setup.pConfigFile = TEXT("C:\\drv\\3\\qmkelviu.dll");
        ASSERT_TRUE(qmh_InstallPrinter(&setup));
        HANDLE handle = NULL;
        ASSERT_TRUE(OpenPrinterW((LPWSTR)printer.c_str(), &handle, NULL));
        LPWSTR directory = util_GetDriverDirectory(handle);
        if (c.expected) {
            ASSERT_NE(directory, nullptr);
            EXPECT_EQ(std::u16string(directory), c.expected);
            GlobalFree(directory);
        } else {
            EXPECT_EQ(directory, nullptr);
        }
        ClosePrinter(handle);
    }
}

// The path of an outside component named by the model: the driver directory and the
// model's descriptive string of the kind (the sample model's entries 21 and 22).
TEST(DriverDirectory, ModelFilePathJoinsDirectoryAndDescriptiveString)
{
    CreateDirectoryW(TEXT("C:\\drv"), NULL);
    for (const char *file : {"QM50C1.DDD", "QM50BASE.DDD"}) {
        std::u16string from = u"Z:";
        for (const char *p = QM_MODELS_DIR; *p; ++p)
            from.push_back(*p == '/' ? u'\\' : (char16_t)*p);
        from += u"\\";
        for (const char *p = file; *p; ++p)
            from.push_back((char16_t)*p);
        std::u16string to = u"C:\\drv\\";
        for (const char *p = file; *p; ++p)
            to.push_back((char16_t)*p);
        ASSERT_TRUE(CopyFileW(from.c_str(), to.c_str(), FALSE));
    }
    QMH_PRINTER_SETUP setup = {};
    setup.pPrinterName = TEXT("Model Printer");
    setup.pPortName = TEXT("LPT1:");
    setup.pDriverName = TEXT("Model Driver");
    setup.pDriverPath = TEXT("C:\\drv\\QMKELVIM.DLL");
    setup.pDataFile = TEXT("C:\\drv\\QM50C1.DDD");
    setup.pConfigFile = TEXT("C:\\drv\\qmkelviu.dll");
    ASSERT_TRUE(qmh_InstallPrinter(&setup));
    HANDLE handle = NULL;
    ASSERT_TRUE(OpenPrinterW((LPWSTR)TEXT("Model Printer"), &handle, NULL));
    struct Case {
        WORD kind;
        const char16_t *expected;
    } cases[] = {{4, u"C:\\drv\\600 dpi"}, {5, u"C:\\drv\\A4"}, {13, nullptr}};
    for (const Case &c : cases) {
        LPWSTR path = util_GetModelFilePath(handle, c.kind);
        if (c.expected) {
            ASSERT_NE(path, nullptr) << c.kind;
            EXPECT_EQ(std::u16string(path), c.expected);
        } else {
            EXPECT_EQ(path, nullptr) << c.kind;
        }
        GlobalFree(path);
    }
    ClosePrinter(handle);
}

} // namespace
