/* OS classes, version answers, user names, locale paper defaults and host queries. */
#include "core/util/caches.h"
#include "core/util/global_block.h"
#include "core/util/host_env.h"
#include "core/util/locale_paper.h"
#include "core/util/os_version.h"

#include "platform/testing/qm_testing.h"

#include <qmhost.h>

#include <stdlib.h>

#include <gtest/gtest.h>

#include <string>

namespace {

class HostEnv : public testing::Test
{
protected:
    void SetUp() override
    {
        util_ResetCaches();
    }
    void TearDown() override
    {
        qmt_PinOsVersion(nullptr);
        qmt_PinLocale(0);
        qmt_PinUserName(nullptr);
        qmt_PinCommandLine(nullptr);
        util_ResetCaches();
    }

    static void pin_version(DWORD platform, DWORD major, DWORD minor)
    {
        OSVERSIONINFOEXW info = {};
        info.dwOSVersionInfoSize = sizeof(info);
        info.dwPlatformId = platform;
        info.dwMajorVersion = major;
        info.dwMinorVersion = minor;
        qmt_PinOsVersion(&info);
        util_ResetCaches();
    }
};

TEST_F(HostEnv, OsClassesAndVersionAnswers)
{
    struct Case {
        DWORD platform, major, minor;
        int result;
        WORD osClass;
        int modern;
        BOOL xp, vista;
    };
    static const Case kCases[] = {
        {1, 3, 95, 1, 256, 0, FALSE, FALSE},
        {1, 4, 0, 1, 257, 0, FALSE, FALSE},
        {1, 4, 10, 1, 258, 1, FALSE, FALSE},
        {2, 3, 51, 1, 512, 0, FALSE, FALSE},
        {2, 4, 0, 1, 513, 0, FALSE, FALSE},
        {2, 5, 0, 1, 514, 1, FALSE, FALSE},
        {2, 5, 1, 1, 514, 1, TRUE, FALSE},
        {2, 6, 0, 1, 514, 1, TRUE, TRUE},
        {2, 10, 0, 1, 514, 1, TRUE, TRUE},
        {0, 3, 1, 0, 0, 1, FALSE, FALSE}, // another platform
    };
    for (const Case &c : kCases) {
        pin_version(c.platform, c.major, c.minor);
        WORD osClass = 0xBEEF;
        EXPECT_EQ(c.result, util_GetOsClass(&osClass)) << c.major << "." << c.minor;
        EXPECT_EQ(c.osClass, osClass) << c.major << "." << c.minor;
        WORD flag = 0;
        EXPECT_EQ(c.modern, util_GetModernOsFlag(&flag));
        EXPECT_EQ(c.modern ? 512 : 0, flag);
        EXPECT_EQ(c.xp, util_IsWinXpOrLater()) << c.major << "." << c.minor;
        EXPECT_EQ(c.vista, util_IsVistaOrLater()) << c.major << "." << c.minor;
    }
    EXPECT_EQ(-1, util_GetOsClass(nullptr));
    // The answers are cached until reset.
    pin_version(2, 6, 0);
    EXPECT_TRUE(util_IsVistaOrLater());
    OSVERSIONINFOEXW xp = {};
    xp.dwOSVersionInfoSize = sizeof(xp);
    xp.dwPlatformId = 2;
    xp.dwMajorVersion = 5;
    xp.dwMinorVersion = 1;
    qmt_PinOsVersion(&xp);
    EXPECT_TRUE(util_IsVistaOrLater());
    util_ResetCaches();
    EXPECT_FALSE(util_IsVistaOrLater());
}

TEST_F(HostEnv, LocalePaperAndCountryBytes)
{
    struct Case {
        LCID locale;
        WORD paperKind;
        BYTE byte4356, byte4356Flag, byte4358;
    };
    static const Case kCases[] = {
        {0x0409, 1, 4, 4, 0}, // country 1: letter, inch series
        {0x1009, 1, 4, 4, 0}, // country 2
        {0x0416, 2, 3, 0, 0}, // country 55 is not a letter country; series 3 becomes 0
        {0x300A, 2, 3, 0, 0}, // country 593 is not either
        {0x0411, 2, 1, 1, 0}, // country 81
        {0x0407, 2, 0, 0, 0}, // country 49: not in the table
    };
    for (const Case &c : kCases) {
        qmt_PinLocale(c.locale);
        util_ResetCaches();
        EXPECT_EQ(2, util_GetLocalePaperKind(FALSE));
        EXPECT_EQ(c.paperKind, util_GetLocalePaperKind(TRUE)) << std::hex << c.locale;
        EXPECT_EQ(c.byte4356, util_GetCountryByte4356(FALSE)) << std::hex << c.locale;
        EXPECT_EQ(c.byte4356Flag, util_GetCountryByte4356(TRUE)) << std::hex << c.locale;
        EXPECT_EQ(c.byte4358, util_GetCountryByte4358()) << std::hex << c.locale;
    }
    // Every table row lies within the options of its two settings.
    for (const CountryPaperRow &row : g_CountryPaperRows) {
        EXPECT_LE(row.value4356, 4) << row.country;
        EXPECT_LE(row.value4358, 1) << row.country;
    }
}

TEST_F(HostEnv, UserNameRule)
{
    HKEY key = nullptr;
    ASSERT_EQ(
        ERROR_SUCCESS,
        RegCreateKeyW(HKEY_LOCAL_MACHINE, TEXT("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon"), &key));
    struct Case {
        const WCHAR *user;
        const WCHAR *winlogon; // NULL: no value
        const char16_t *expected;
    };
    static const Case kCases[] = {
        {TEXT("alice"), TEXT("bob"), u"alice"},
        {TEXT("system"), TEXT("bob"), u"bob"},        // "System" without case: the Winlogon default
        {TEXT("SYSTEM"), TEXT("  "), u"UnknownUser"}, // a blank default
        {TEXT("System"), nullptr, u"UnknownUser"},    // no default
        {TEXT("System"), TEXT("\u3000"), u"UnknownUser"},
        {TEXT(" \u3000 "), TEXT("bob"), u"UnknownUser"}, // a blank user name is not replaced by Winlogon
    };
    for (const Case &c : kCases) {
        qmt_PinUserName(c.user);
        if (c.winlogon != nullptr)
            RegSetValueExW(key,
                           TEXT("DefaultUserName"),
                           0,
                           REG_SZ,
                           (const BYTE *)c.winlogon,
                           (DWORD)(lstrlenW(c.winlogon) + 1) * sizeof(WCHAR));
        else
            RegDeleteValueW(key, TEXT("DefaultUserName"));
        WCHAR buffer[64] = {};
        UserNameRequest request = {buffer, 64};
        DWORD length = util_GetUserName(&request);
        EXPECT_EQ(std::u16string(c.expected), std::u16string(buffer));
        EXPECT_EQ(std::char_traits<char16_t>::length(c.expected), length);
        EXPECT_EQ(length + 1, request.size);
    }
    RegCloseKey(key);
    WCHAR small[4] = {};
    UserNameRequest request = {small, 4};
    EXPECT_EQ(0u, util_GetUserName(&request));
    EXPECT_EQ(12u, request.size);
}

TEST_F(HostEnv, HostProcessName)
{
    struct Case {
        const WCHAR *commandLine;
        const char16_t *expected;
    };
    static const Case kCases[] = {
        {TEXT("\"C:\\Program Files\\Word Pad\\WORDPAD.EXE\" /p x.doc"), u"WORDPAD.EXE"},
        {TEXT("C:\\WINDOWS\\notepad.exe file.txt"), u"notepad.exe"},
        {TEXT("  app.exe"), u"app.exe"},
        {TEXT(""), u""},
    };
    for (const Case &c : kCases) {
        qmt_PinCommandLine(c.commandLine);
        WCHAR *name = util_GetHostProcessName();
        ASSERT_NE(nullptr, name);
        EXPECT_EQ(std::u16string(c.expected), std::u16string(name));
        GlobalFree(name);
    }
}

TEST_F(HostEnv, FileAgeAndDebugLogDirectory)
{
    SYSTEMTIME then = {2026, 3, 0, 10, 12, 0, 0, 0};
    qmt_PinClock(&then);
    HANDLE file =
        CreateFileW(TEXT("C:\\age.txt"), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    FILETIME written = {};
    SystemTimeToFileTime(&then, &written);
    SetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
    SYSTEMTIME later = then;
    later.wMinute = 10; // 600 seconds on
    qmt_PinClock(&later);
    EXPECT_TRUE(util_IsFileOlderThan(TEXT("C:\\age.txt"), 599));
    EXPECT_FALSE(util_IsFileOlderThan(TEXT("C:\\age.txt"), 600));
    EXPECT_FALSE(util_IsFileOlderThan(TEXT("C:\\missing.txt"), 0));
    qmt_PinClock(nullptr);

    WCHAR directory[UTIL_DEBUG_LOG_CHARS] = {};
    ASSERT_TRUE(util_GetDebugLogDirectory(directory));
    EXPECT_EQ(std::u16string(u"C:\\DEBUG_LOG\\WIN2000"), std::u16string(directory));
    DWORD attributes = GetFileAttributesW(directory);
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_TRUE(util_GetDebugLogDirectory(directory)); // again, both levels existing
    EXPECT_FALSE(util_GetExtraFilePath(0, directory, UTIL_DEBUG_LOG_CHARS));
}

} // namespace

namespace {

TEST_F(HostEnv, IeProtectedModeFromTheStandIn)
{
    struct Case {
        DWORD major;
        const char *answer; // NULL: unset
        bool missing;
        BOOL expected;
    };
    static const Case kCases[] = {
        {6, "1", false, TRUE},
        {6, "0", false, FALSE},
        {6, "fail", false, FALSE},
        {6, "1", true, FALSE},  // no module: not protected
        {5, "1", false, FALSE}, // before Vista the module is not asked
    };
    for (const Case &c : kCases) {
        pin_version(2, c.major, 0);
        setenv("QM_TEST_IE_PROTECTED", c.answer, 1);
        qmt_FailModuleLoad(c.missing ? TEXT("ieframe.dll") : nullptr);
        qmt_ResetModuleCounts();
        EXPECT_EQ(c.expected, util_IsIeProtectedMode()) << c.major << " " << c.answer << " " << c.missing;
        EXPECT_EQ(c.major >= 6 && !c.missing ? 1u : 0u, qmt_ModuleLoadCount(TEXT("ieframe.dll")));
    }
    qmt_FailModuleLoad(nullptr);
    unsetenv("QM_TEST_IE_PROTECTED");
    EXPECT_EQ(0u, qmt_LiveModules());
}

TEST_F(HostEnv, FormsOfAPrinter)
{
    QMH_PRINTER_SETUP setup = {TEXT("Office"),
                               TEXT("LPT1:"),
                               TEXT("QM Driver"),
                               TEXT("C:\\drv\\qmkelvim.dll"),
                               TEXT("C:\\drv\\QM50C1.DDD"),
                               TEXT("C:\\drv\\qmkelviu.dll"),
                               nullptr,
                               nullptr,
                               0};
    ASSERT_TRUE(qmh_InstallPrinter(&setup));
    HANDLE printer = nullptr;
    ASSERT_TRUE(OpenPrinterW((LPWSTR)TEXT("Office"), &printer, nullptr));
    FORM_INFO_1W *forms = nullptr;
    DWORD needed = 0, count = 0;
    DWORD before = qmt_LiveGlobalBlocks();
    ASSERT_EQ((DWORD)UTIL_FORMS_OK, util_EnumFormsAlloc(printer, &forms, &needed, &count));
    ASSERT_NE(nullptr, forms);
    EXPECT_GT(count, 10u);
    EXPECT_GE(needed, count * sizeof(FORM_INFO_1W));
    EXPECT_EQ(std::u16string(u"Letter"), std::u16string(forms[0].pName));
    util_GlobalFreeIfSet(forms);
    EXPECT_EQ(before, qmt_LiveGlobalBlocks());

    qmt_FailAllocations(0, 1);
    EXPECT_EQ((DWORD)UTIL_FORMS_NO_MEMORY, util_EnumFormsAlloc(printer, &forms, &needed, &count));
    qmt_FailAllocations(0, 0);
    EXPECT_EQ(nullptr, forms);
    ClosePrinter(printer);
    EXPECT_EQ((DWORD)UTIL_FORMS_FAILED, util_EnumFormsAlloc(nullptr, &forms, &needed, &count));
}

} // namespace

namespace {

TEST_F(HostEnv, GlobalBlockSizeBeforeVista)
{
    void *block = util_GlobalAllocZero(24);
    ASSERT_NE(nullptr, block);
    pin_version(2, 5, 1);
    EXPECT_EQ(24u, util_GlobalBlockSize(block));
    pin_version(2, 6, 0);
    EXPECT_EQ(0u, util_GlobalBlockSize(block)); // not asked on Vista or later
    EXPECT_EQ(0u, util_GlobalBlockSize(nullptr));
    util_GlobalFreeIfSet(block);
    util_GlobalFreeIfSet(nullptr);
}

} // namespace
