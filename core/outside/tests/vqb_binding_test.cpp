/*
 * The security-marking binding over its stand-in: the installed and registered tests, the
 * session's loads of the module, every wrapper's mapping of the module's answers, the
 * warning message, and sessions opened and closed on several threads.
 */
#include "core/outside/security_marking_binding.h"

#include "core/context/tests/driver_files.h"
#include "core/util/module.h"
#include "core/util/resource_module.h"
#include "platform/testing/qm_testing.h"
#include "testing/settings_areas.h"
#include "testing/standins/standin_controls.h"

#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <thread>
#include <vector>

namespace {

const char kKey[] = "SOFTWARE\\Tessaly Ornet\\Sigilon Basic";
const WCHAR kPrintersKey[] = TEXT("SOFTWARE\\Tessaly Ornet\\Sigilon Basic\\PRINTERS");
const char kModulePath[] = "C:\\ext\\qmmark50.dll";
const char kVariantPath[] = "C:\\ext\\qmmark5x.dll";
const WCHAR kPrinter[] = TEXT("Office 3");
const WCHAR kType[] = TEXT("QM Sample");

class VqbBindingTest : public testing::Test
{
protected:
    void SetUp() override
    {
        util_SetModuleHandle(GetModuleHandleW(nullptr));
        CreateDirectoryW(TEXT("C:\\ext"), nullptr);
        for (const char *name : {"qmmark50.dll", "qmmark5x.dll"}) {
            std::u16string from = driver_files::HostFile((std::string(QM_STANDIN_DIR) + "/" + name).c_str());
            std::u16string to = u"C:\\ext\\" + std::u16string(name, name + strlen(name));
            ASSERT_TRUE(CopyFileW((LPCWSTR)from.c_str(), (LPCWSTR)to.c_str(), FALSE));
        }
        // The test keeps its own load of the stand-in, so its script outlives the binding's.
        standin_ = LoadLibraryA(kModulePath);
        ASSERT_NE(nullptr, standin_);
        control_ = ((MarkStandinControlProc)(void *)GetProcAddress(standin_, "QmMarkStandinControl"))(1);
        Install(kModulePath);
        Register("TYPE_1", "\"QM Sample\"");
        // The resource module stays loaded for the language number.
        WORD language = 0;
        ASSERT_TRUE(util_GetUiLanguageId(&language));
        baseline_ = qmt_LiveModules();
        caps_.bits[1] = 1u << 4; /* bit 36 */
    }
    void TearDown() override
    {
        EXPECT_EQ(baseline_, qmt_LiveModules());
        EXPECT_EQ(0u, control_->openHandles);
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, kPrintersKey);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKey);
        FreeLibrary(standin_);
        util_ReleaseResourceModule();
        util_SetModuleHandle(nullptr);
        qmt_PinAnsiCodePage(0);
        qmt_FailModuleLoad(nullptr);
    }
    void Install(const char *path)
    {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS,
                  RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
        if (path != nullptr)
            RegSetValueExA(key, "DRVIFInstallPath", 0, REG_SZ, (const BYTE *)path, (DWORD)strlen(path) + 1);
        RegCloseKey(key);
    }
    /* A value of the "PRINTERS" key; terminated unless told. */
    void Register(const char *name, const char *data, bool terminated = true)
    {
        HKEY key = nullptr;
        ASSERT_EQ(
            ERROR_SUCCESS,
            RegCreateKeyExW(HKEY_LOCAL_MACHINE, kPrintersKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
        std::u16string wideName(name, name + strlen(name));
        std::u16string wideData(data, data + strlen(data));
        DWORD bytes = (DWORD)(wideData.size() + (terminated ? 1 : 0)) * 2;
        RegSetValueExW(key, (LPCWSTR)wideName.c_str(), 0, REG_SZ, (const BYTE *)wideData.c_str(), bytes);
        RegCloseKey(key);
    }
    VqbSession *Open()
    {
        VqbSession *session = nullptr;
        EXPECT_EQ(VQB_OK, ext_VqbOpen(kPrinter, kType, 0, &session));
        return session;
    }
    HMODULE standin_ = nullptr;
    MarkStandinControl *control_ = nullptr;
    DWORD baseline_ = 0;
    ModelCapabilities caps_ = {};
};

TEST_F(VqbBindingTest, InstalledAndRegistered)
{
    EXPECT_EQ(1, ext_VqbIsAvailable(&caps_, kType));
    EXPECT_EQ(0, ext_VqbIsAvailable(&caps_, TEXT("QM")));
    EXPECT_EQ(0, ext_VqbIsAvailable(&caps_, TEXT("qm sample")));
    ModelCapabilities without = {};
    without.bits[0] = 0xFFFFFFFF;
    EXPECT_EQ(0, ext_VqbIsAvailable(&without, kType));
    EXPECT_EQ(-1, ext_VqbIsAvailable(nullptr, kType));
    EXPECT_EQ(-1, ext_VqbIsAvailable(&caps_, nullptr));

    struct Case {
        const char *why;
        const char *name;
        const char *data;
        bool terminated;
        int available;
    };
    const Case cases[] = {
        {"\"TYPE_\" without digit", "TYPE_", "\"QM Sample\"", true, 0},
        {"\"TYPE_\" and a digit inside the name", "XTYPE_2", "a, \"QM Sample\", b", true, 1},
        {"the name without quotation marks", "TYPE_3", "QM Sample", true, 0},
        {"data without terminator", "TYPE_4", "\"QM Sample\"", false, 1},
        {"the quoted name cut by the data's end", "TYPE_5", "\"QM Sample", false, 0},
    };
    for (const Case &c : cases) {
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, kPrintersKey);
        Register(c.name, c.data, c.terminated);
        EXPECT_EQ(c.available, ext_VqbIsAvailable(&caps_, kType)) << c.why;
    }

    // Not installed: no path, a path to no file, no key.
    Register("TYPE_1", "\"QM Sample\"");
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kPrintersKey);
    Register("TYPE_1", "\"QM Sample\"");
    HKEY key = nullptr;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_ALL_ACCESS, &key);
    RegDeleteValueW(key, TEXT("DRVIFInstallPath"));
    RegCloseKey(key);
    EXPECT_EQ(0, ext_VqbIsAvailable(&caps_, kType));
    Install("C:\\ext\\none.dll");
    EXPECT_EQ(0, ext_VqbIsAvailable(&caps_, kType));
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kPrintersKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKey);
    EXPECT_EQ(0, ext_VqbIsAvailable(&caps_, kType));
}

TEST_F(VqbBindingTest, OpenAndClose)
{
    for (DWORD pdl : {0u, 1u}) {
        VqbSession *session = nullptr;
        ASSERT_EQ(VQB_OK, ext_VqbOpen(kPrinter, kType, pdl, &session));
        ASSERT_NE(nullptr, session);
        EXPECT_EQ(std::string("Office 3"), control_->printer);
        EXPECT_EQ(std::string("QM Sample"), control_->typeName);
        EXPECT_EQ(std::string(pdl == 0 ? "LUMIQ" : "PCLXL"), control_->pdl);
        EXPECT_EQ(1041u, control_->language);
        EXPECT_EQ(baseline_, qmt_LiveModules()); // the test's own load holds the module
        EXPECT_EQ(VQB_OK, ext_VqbClose(session));
    }

    VqbSession *session = (VqbSession *)1;
    EXPECT_EQ(VQB_E_ARGUMENT, ext_VqbOpen(kPrinter, kType, 2, &session));
    EXPECT_EQ(nullptr, session);
    EXPECT_EQ(VQB_E_ARGUMENT, ext_VqbOpen(nullptr, kType, 0, &session));
    qmt_PinAnsiCodePage(1252);
    EXPECT_EQ(VQB_E_CONVERT, ext_VqbOpen(TEXT("Office \u4e00"), kType, 0, &session));
    EXPECT_EQ(VQB_E_CONVERT, ext_VqbOpen(kPrinter, TEXT("\u0141ine"), 0, &session));
    qmt_PinAnsiCodePage(0);
    control_->noHandle = 1;
    EXPECT_EQ(VQB_E_MODULE, ext_VqbOpen(kPrinter, kType, 0, &session));
    EXPECT_EQ(nullptr, session);
    control_->noHandle = 0;
    Install("C:\\ext\\none.dll");
    EXPECT_EQ(VQB_E_MODULE, ext_VqbOpen(kPrinter, kType, 0, &session));
    Install(kModulePath);

    // Without the language number.
    util_ReleaseResourceModule();
    qmt_FailModuleLoad(TEXT("qmutiltest.xrs"));
    EXPECT_EQ(VQB_E_LANGUAGE, ext_VqbOpen(kPrinter, kType, 0, &session));
    qmt_FailModuleLoad(nullptr);
    WORD language = 0;
    ASSERT_TRUE(util_GetUiLanguageId(&language));

    EXPECT_EQ(VQB_E_ARGUMENT, ext_VqbClose(nullptr));
    VqbSession bare = {};
    EXPECT_EQ(VQB_E_NO_HANDLE, ext_VqbClose(&bare));
    session = Open();
    control_->failMask = MARK_FN_RELEASE;
    EXPECT_EQ(VQB_E_MODULE, ext_VqbClose(session));
}

TEST_F(VqbBindingTest, TheModuleIsUnloadedWithItsLastSession)
{
    // Without the test's own load the sessions' loads are seen.
    FreeLibrary(standin_);
    DWORD before = qmt_LiveModules();
    VqbSession *first = nullptr;
    VqbSession *second = nullptr;
    ASSERT_EQ(VQB_OK, ext_VqbOpen(kPrinter, kType, 0, &first));
    ASSERT_EQ(VQB_OK, ext_VqbOpen(kPrinter, kType, 1, &second));
    EXPECT_EQ(before + 1, qmt_LiveModules());
    EXPECT_EQ(VQB_OK, ext_VqbClose(first));
    DWORD count = 0;
    VqbSettingsBlock block = {0, nullptr};
    EXPECT_EQ(VQB_OK, ext_VqbCountOutputs(second, &block, &count)); // the other session still works
    EXPECT_EQ(VQB_OK, ext_VqbClose(second));
    EXPECT_EQ(before, qmt_LiveModules());

    // A session refused by the module keeps no load of it: once the test lets its own load
    // go, the module is gone.
    standin_ = LoadLibraryA(kModulePath);
    control_ = ((MarkStandinControlProc)(void *)GetProcAddress(standin_, "QmMarkStandinControl"))(1);
    control_->noHandle = 1;
    VqbSession *none = nullptr;
    EXPECT_EQ(VQB_E_MODULE, ext_VqbOpen(kPrinter, kType, 0, &none));
    FreeLibrary(standin_);
    EXPECT_EQ(before, qmt_LiveModules());
    standin_ = LoadLibraryA(kModulePath);
    control_ = ((MarkStandinControlProc)(void *)GetProcAddress(standin_, "QmMarkStandinControl"))(1);
}

TEST_F(VqbBindingTest, SessionsOnSeveralThreads)
{
    std::vector<std::thread> threads;
    std::vector<int> failures(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t, &failures] {
            for (int i = 0; i < 50; ++i) {
                VqbSession *session = nullptr;
                if (ext_VqbOpen(kPrinter, kType, 0, &session) != VQB_OK) {
                    failures[t]++;
                    continue;
                }
                DWORD count = 0;
                VqbSettingsBlock block = {0, nullptr};
                if (ext_VqbCountOutputs(session, &block, &count) != VQB_OK || ext_VqbClose(session) != VQB_OK)
                    failures[t]++;
            }
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    for (int f : failures)
        EXPECT_EQ(0, f);
}

TEST_F(VqbBindingTest, SettingsTheModuleAsksFor)
{
    TestSettingsAreas areas;
    areas.set(12, 3);
    VqbSession *session = Open();
    control_->idCount = 2;
    control_->ids[0] = 12;
    control_->ids[1] = 16;
    VqbIdValues *values = nullptr;
    ASSERT_EQ(VQB_OK, ext_VqbReadIdValues(session, &areas.devmode, &areas.block, &values));
    ASSERT_NE(nullptr, values);
    EXPECT_EQ(2u, values->count);
    EXPECT_EQ(12u, values->entries[0].size);
    EXPECT_EQ(12u, values->entries[0].id);
    EXPECT_EQ(3u, values->entries[0].value);
    EXPECT_EQ(24u, control_->idListBytes);
    EXPECT_EQ(VQB_OK, ext_VqbPassDriverSettings(session, values));
    EXPECT_EQ(2u, control_->passedCount);
    EXPECT_EQ(3u, control_->passedValue0);
    control_->failMask = MARK_FN_DRIVER_SETTINGS;
    EXPECT_EQ(VQB_E_MODULE, ext_VqbPassDriverSettings(session, values));
    EXPECT_EQ(VQB_OK, ext_VqbFreeIdValues(values));
    EXPECT_EQ(VQB_E_ARGUMENT, ext_VqbFreeIdValues(nullptr));

    struct Case {
        const char *why;
        DWORD failMask;
        DWORD count;
        DWORD id;
        bool withBlock;
        int result;
    };
    const Case cases[] = {
        {"an identifier without FunctionID", 0, 1, 60000, true, VQB_E_TRANSLATE},
        {"a printer-data setting without its block", 0, 1, 769, false, VQB_E_VALUE},
        {"the module lists none", 0, 0, 12, true, VQB_E_NONE},
        {"the count fails", MARK_FN_COUNT_IDS, 1, 12, true, VQB_E_MODULE},
        {"the list fails", MARK_FN_ID_LIST, 1, 12, true, VQB_E_MODULE},
    };
    for (const Case &c : cases) {
        control_->failMask = c.failMask;
        control_->idCount = c.count;
        control_->ids[0] = c.id;
        values = (VqbIdValues *)1;
        EXPECT_EQ(c.result, ext_VqbReadIdValues(session, &areas.devmode, c.withBlock ? &areas.block : nullptr, &values))
            << c.why;
        EXPECT_EQ(nullptr, values) << c.why;
    }
    control_->failMask = 0;
    VqbSession bare = {};
    EXPECT_EQ(VQB_E_NO_HANDLE, ext_VqbReadIdValues(&bare, &areas.devmode, &areas.block, &values));
    EXPECT_EQ(VQB_E_ARGUMENT, ext_VqbReadIdValues(session, &areas.devmode, &areas.block, nullptr));
    EXPECT_EQ(VQB_OK, ext_VqbClose(session));
}

TEST_F(VqbBindingTest, DialogConflictAndOutputs)
{
    VqbSession *session = Open();
    HWND window = (HWND)0x1234;
    BYTE current[4] = {1, 2, 3, 4};
    VqbSettingsBlock block = {sizeof(current), current};
    VqbSettingsBlock fresh = {};
    BOOL changed = FALSE;
    control_->settingsSize = 6;
    control_->displayChanged = 1;
    ASSERT_EQ(VQB_DIALOG_DONE, ext_VqbRunSettingsDialog(window, session, &block, &fresh, &changed));
    EXPECT_EQ(6u, fresh.size);
    EXPECT_EQ(0x5C, ((BYTE *)fresh.data)[5]);
    EXPECT_TRUE(changed);
    EXPECT_EQ(4u, control_->settingsBytes);
    EXPECT_EQ(0, memcmp(current, control_->settings, 4));
    GlobalFree(fresh.data);
    control_->displayAnswer = 2;
    EXPECT_EQ(VQB_DIALOG_CANCELLED, ext_VqbRunSettingsDialog(window, session, &block, &fresh, &changed));
    EXPECT_EQ(nullptr, fresh.data);
    control_->displayAnswer = 7;
    EXPECT_EQ(VQB_E_MODULE, ext_VqbRunSettingsDialog(window, session, &block, &fresh, &changed));
    control_->displayAnswer = 0;
    control_->failMask = MARK_FN_SETTINGS_SIZE;
    EXPECT_EQ(VQB_E_TRANSLATE, ext_VqbRunSettingsDialog(window, session, &block, &fresh, &changed));
    control_->failMask = MARK_FN_SET_SETTINGS;
    EXPECT_EQ(VQB_E_MODULE, ext_VqbRunSettingsDialog(window, session, &block, &fresh, &changed));
    EXPECT_EQ(0u, qmt_MessageBoxCount());

    // A failed dialog or conflict test warns with a window, and only then.
    control_->failMask = MARK_FN_DISPLAY | MARK_FN_CONFLICT;
    VqbIdValues values = {0, nullptr};
    EXPECT_EQ(VQB_E_MODULE, ext_VqbRunSettingsDialog(nullptr, session, &block, &fresh, &changed));
    EXPECT_EQ(VQB_E_MODULE, ext_VqbTestConflict(nullptr, session, &values, &block));
    EXPECT_EQ(0u, qmt_MessageBoxCount());
    EXPECT_EQ(VQB_E_MODULE, ext_VqbRunSettingsDialog(window, session, &block, &fresh, &changed));
    EXPECT_EQ(VQB_E_MODULE, ext_VqbTestConflict(window, session, &values, &block));
    ASSERT_EQ(2u, qmt_MessageBoxCount());
    for (DWORD i = 0; i < 2; ++i) {
        QmtMessageBoxCall call;
        ASSERT_TRUE(qmt_MessageBoxLog(i, &call));
        EXPECT_EQ(window, call.hWnd);
        EXPECT_EQ(std::u16string(u"An unexpected error occured.\nChanges on Deterrent Effect settings will be "
                                 u"discarded."),
                  std::u16string((const char16_t *)call.text));
        EXPECT_EQ(std::u16string(u"Warning"), std::u16string((const char16_t *)call.caption));
        EXPECT_EQ((UINT)(MB_OK | MB_ICONWARNING), call.type);
    }

    control_->failMask = 0;
    EXPECT_EQ(VQB_OK, ext_VqbTestConflict(window, session, &values, &block));
    control_->conflictAnswer = 2;
    EXPECT_EQ(VQB_CONFLICT, ext_VqbTestConflict(window, session, &values, &block));
    control_->conflictAnswer = 5;
    EXPECT_EQ(VQB_E_MODULE, ext_VqbTestConflict(window, session, &values, &block));

    control_->outputs = 3;
    DWORD count = 0;
    EXPECT_EQ(VQB_OK, ext_VqbCountOutputs(session, &block, &count));
    EXPECT_EQ(3u, count);
    EXPECT_EQ(3u, session->outputs);
    control_->failMask = MARK_FN_OUTPUTS;
    EXPECT_EQ(VQB_E_MODULE, ext_VqbCountOutputs(session, &block, &count));
    control_->failMask = 0;
    EXPECT_EQ(VQB_OK, ext_VqbClose(session));

    // The module without VAZER_GetNumOfOutputs.
    Install(kVariantPath);
    session = Open();
    ASSERT_NE(nullptr, session);
    EXPECT_EQ(VQB_E_MODULE, ext_VqbCountOutputs(session, &block, &count));
    EXPECT_EQ(VQB_OK, ext_VqbClose(session));
}

TEST_F(VqbBindingTest, SettingsTextAndJobIds)
{
    VqbSession *session = Open();
    ASSERT_EQ(VQB_OK, ext_VqbSetSettingsText(session, 16, TEXT("ab"), TEXT("cde"), 0x01020304));
    const BYTE packed[16] = {'a', 'b', 0, 'c', 'd', 'e', 0, 4, 3, 2, 1, 0, 0, 0, 0, 0};
    EXPECT_EQ(16u, control_->settingsBytes);
    EXPECT_EQ(0, memcmp(packed, control_->settings, 16));
    EXPECT_EQ(VQB_OK, ext_VqbSetSettingsText(session, 11, TEXT("ab"), TEXT("cde"), 1));
    EXPECT_EQ(VQB_E_TOO_SMALL, ext_VqbSetSettingsText(session, 10, TEXT("ab"), TEXT("cde"), 1));
    EXPECT_EQ(VQB_E_ARGUMENT, ext_VqbSetSettingsText(session, 16, nullptr, TEXT("cde"), 1));

    VqbJobIdsInput input = {TEXT("alice"), TEXT("Report.doc"), TEXT("HOST1"), {}};
    for (int i = 0; i < 16; ++i)
        input.code[i] = (BYTE)(0xA0 + i);
    ASSERT_EQ(VQB_OK, ext_VqbCallJob(session, 1, &input));
    ASSERT_EQ(800u, control_->idListBytes);
    VqbJobIdsRecord record;
    memcpy(&record, control_->idList, sizeof(record));
    EXPECT_EQ(800u, record.size);
    EXPECT_NE(0u, record.time);
    EXPECT_STREQ("alice", record.user);
    EXPECT_STREQ("Report.doc", record.document);
    EXPECT_STREQ("HOST1", record.host);
    EXPECT_EQ(0xAF, record.code[15]);

    // A text longer than its field is cut to the field less its terminator.
    std::u16string longUser(300, u'u');
    input.user = (const WCHAR *)longUser.c_str();
    ASSERT_EQ(VQB_OK, ext_VqbSendJobIds(&input, session));
    memcpy(&record, control_->idList, sizeof(record));
    EXPECT_EQ(255u, strnlen(record.user, sizeof(record.user)));

    EXPECT_EQ(VQB_E_MODE, ext_VqbCallJob(session, 2, &input));
    VqbSession bare = {};
    EXPECT_EQ(VQB_E_NO_HANDLE, ext_VqbCallJob(&bare, 1, &input));
    EXPECT_EQ(VQB_E_ARGUMENT, ext_VqbCallJob(nullptr, 1, &input));
    control_->failMask = MARK_FN_ID_LIST;
    EXPECT_EQ(VQB_E_MODULE, ext_VqbCallJob(session, 1, &input));
    control_->failMask = 0;
    EXPECT_EQ(VQB_OK, ext_VqbClose(session));
}

} // namespace
