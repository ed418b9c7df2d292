/*
 * The document-monitor binding over its stand-in: absence each way, the registration's
 * limits, id text and records in both layouts, the job kinds of the job facts, the run
 * and the end, and starts and ends on several threads.
 */
#include "core/outside/monitor_binding.h"

#include "core/context/tests/driver_files.h"
#include "core/ddd/tests/ddd_test_support.h"
#include "core/faxlist/tests/fax_fixture.h"
#include "core/settings/settings.h"
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

const char kKey[] = "SOFTWARE\\Ornet\\Brenmoor\\Client\\Jobtrace";
const char kMarkerFile[] = "C:\\ext\\jobtrace.ini";
const char kModule[] = "C:\\ext\\qmjtr50.dll";

class MonitorTest : public testing::Test
{
protected:
    void SetUp() override
    {
        CreateDirectoryW(TEXT("C:\\ext"), nullptr);
        for (const char *name : {"qmjtr50.dll", "qmjtr5x.dll", "qmjtr5r.dll"}) {
            std::u16string from = driver_files::HostFile((std::string(QM_STANDIN_DIR) + "/" + name).c_str());
            std::u16string to = u"C:\\ext\\" + std::u16string(name, name + strlen(name));
            ASSERT_TRUE(CopyFileW((LPCWSTR)from.c_str(), (LPCWSTR)to.c_str(), FALSE));
        }
        driver_files::WriteFileBytes(u"C:\\ext\\jobtrace.ini", "[Jobtrace]\n");
        Install(kMarkerFile, kModule);
        baseline_ = qmt_LiveModules();
        Hold(kModule);
    }
    void TearDown() override
    {
        if (standin_ != nullptr) {
            EXPECT_EQ(control_->started, control_->ended);
            FreeLibrary(standin_);
        }
        EXPECT_EQ(baseline_, qmt_LiveModules());
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKey);
        qmt_PinOsVersion(nullptr);
        qmt_PinClock(nullptr);
    }
    /* The test's own load of a stand-in, so that its script outlives the binding's. */
    void Hold(const char *path)
    {
        if (standin_ != nullptr)
            FreeLibrary(standin_);
        standin_ = LoadLibraryA(path);
        ASSERT_NE(nullptr, standin_);
        control_ = ((MonitorStandinControlProc)(void *)GetProcAddress(standin_, "QmMonitorStandinControl"))(1);
    }
    void Install(const char *file, const char *module)
    {
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKey);
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS,
                  RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
        if (file != nullptr)
            RegSetValueExA(key, nullptr, 0, REG_SZ, (const BYTE *)file, (DWORD)strlen(file) + 1);
        if (module != nullptr)
            RegSetValueExA(key, "JtrApi", 0, REG_SZ, (const BYTE *)module, (DWORD)strlen(module) + 1);
        RegCloseKey(key);
    }
    HMODULE standin_ = nullptr;
    MonitorStandinControl *control_ = nullptr;
    DWORD baseline_ = 0;
};

/* A registration of plain texts. */
struct Registration {
    std::string port = "LPT1:";
    std::string printer = "Office 3";
    std::string owner = "alice";
    std::string document = "Report";
    std::string name = "Normal";
    std::string text1 = "Ann";
    std::string text2 = "0301";
    DWORD faxFlag = 0;
    DWORD kind = 0;
    HANDLE monitor = nullptr;
    char id[JTR_ID_TEXT_BYTES] = {};
    int Run(WORD hour = 0, WORD minute = 0)
    {
        JtrDestinationTexts destination = {name.c_str(), text1.c_str(), text2.c_str()};
        JtrJobTexts texts = {port.c_str(), printer.c_str(), owner.c_str(), document.c_str(), 1, &destination};
        return ext_JtrRegisterJob(&monitor, id, faxFlag, 7, 0, kind, &texts, hour, minute);
    }
};

TEST_F(MonitorTest, AbsentEachWay)
{
    EXPECT_EQ(1, ext_JtrIsInstalled());
    EXPECT_EQ(1u, control_->started);
    EXPECT_EQ(1u, control_->ended);

    // Without the test's hold every load of the binding shows.
    FreeLibrary(standin_);
    standin_ = nullptr;
    OSVERSIONINFOEXW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    version.dwMajorVersion = 6;
    version.dwPlatformId = 3;
    struct Case {
        const char *why;
        const char *file;
        const char *module;
        bool platform3;
    };
    const Case cases[] = {
        {"no default value", nullptr, kModule, false},
        {"a file that does not exist", "C:\\ext\\none.ini", kModule, false},
        {"no DLL value", kMarkerFile, nullptr, false},
        {"a DLL that does not exist", kMarkerFile, "C:\\ext\\none.dll", false},
        {"a required export missing", kMarkerFile, "C:\\ext\\qmjtr5r.dll", false},
        {"platform 3", kMarkerFile, kModule, true},
    };
    for (const Case &c : cases) {
        Install(c.file, c.module);
        qmt_PinOsVersion(c.platform3 ? &version : nullptr);
        EXPECT_EQ(0, ext_JtrIsInstalled()) << c.why;
        EXPECT_EQ(baseline_, qmt_LiveModules()) << c.why;
        Registration r;
        EXPECT_EQ(JTR_E_MONITOR, r.Run()) << c.why;
    }
    qmt_PinOsVersion(nullptr);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKey);
    EXPECT_EQ(0, ext_JtrIsInstalled());
    EXPECT_EQ(baseline_, qmt_LiveModules());
}

TEST_F(MonitorTest, RegistrationLimits)
{
    struct Case {
        const char *why;
        std::string Registration::*field;
        size_t limit;
        DWORD faxFlag;
    };
    const Case cases[] = {
        {"port", &Registration::port, 260, 0},
        {"document", &Registration::document, 260, 0},
        {"printer", &Registration::printer, 256, 0},
        {"owner", &Registration::owner, 64, 0},
        {"destination name", &Registration::name, 80, 0},
        {"fax text 1", &Registration::text1, 32, 1},
        {"fax text 2", &Registration::text2, 32, 1},
    };
    for (const Case &c : cases) {
        for (size_t length : {c.limit - 1, c.limit}) {
            Registration r;
            r.faxFlag = c.faxFlag;
            r.*c.field = std::string(length, 'x');
            int result = r.Run();
            EXPECT_EQ(length < c.limit ? JTR_OK : JTR_E_TOO_LONG, result) << c.why << " " << length;
            if (result == JTR_OK) {
                EXPECT_EQ(JTR_OK, ext_JtrEnd(r.monitor));
            }
        }
    }
    Registration r;
    r.faxFlag = 2;
    EXPECT_EQ(JTR_E_FAX_FLAG, r.Run());
    JtrJobTexts none = {};
    HANDLE monitor = nullptr;
    char id[JTR_ID_TEXT_BYTES];
    EXPECT_EQ(JTR_E_ARGUMENT, ext_JtrRegisterJob(&monitor, id, 0, 0, 0, 0, &none, 0, 0));
    EXPECT_EQ(JTR_E_ARGUMENT, ext_JtrRegisterJob(nullptr, id, 0, 0, 0, 0, &none, 0, 0));

    // The id text: client id "." job id, shorter than 48 bytes.
    Registration idText;
    ASSERT_EQ(JTR_OK, idText.Run());
    EXPECT_STREQ("C1.J1", idText.id);
    EXPECT_EQ(JTR_OK, ext_JtrEnd(idText.monitor));
    memset(control_->clientId, 'c', 20);
    memset(control_->jobId, 'j', 26);
    Registration longest;
    ASSERT_EQ(JTR_OK, longest.Run());
    EXPECT_EQ(47u, strlen(longest.id));
    EXPECT_EQ(JTR_OK, ext_JtrEnd(longest.monitor));
    control_->jobId[26] = 'j';
    Registration tooLong;
    EXPECT_EQ(JTR_E_TOO_LONG, tooLong.Run());
    EXPECT_EQ(nullptr, tooLong.monitor);
    control_->unterminated = 1;
    EXPECT_EQ(JTR_E_MONITOR, tooLong.Run());
    control_->unterminated = 0;
    control_->failJobId = 1;
    EXPECT_EQ(JTR_E_MONITOR, tooLong.Run());
    control_->failJobId = 0;
    control_->jobId[26] = 0;
    control_->failSetData = 1;
    EXPECT_EQ(JTR_E_MONITOR, tooLong.Run());
}

TEST_F(MonitorTest, RecordsInBothLayouts)
{
    Registration r;
    r.kind = 3;
    ASSERT_EQ(JTR_OK, r.Run());
    EXPECT_EQ(JTR_OK, ext_JtrExecute(r.monitor));
    EXPECT_EQ(1u, control_->exCalls);
    EXPECT_EQ((DWORD)sizeof(JtrClientRecord), control_->clientSize);
    JtrClientRecord client;
    memcpy(&client, control_->clientRecord, sizeof(control_->clientRecord));
    EXPECT_EQ(1u, client.constant1);
    EXPECT_EQ(3u, client.constant3);
    EXPECT_EQ(11u, client.constant11);
    EXPECT_STREQ("LPT1:", client.port);
    EXPECT_STREQ("Office 3", client.printer);
    EXPECT_STREQ("alice", client.owner);
    JtrJobRecord job;
    memcpy(&job, control_->jobRecord, sizeof(job));
    EXPECT_EQ(812u, job.size);
    EXPECT_EQ(3u, job.kind);
    EXPECT_EQ(7u, job.value);
    EXPECT_NE(0u, job.time);
    EXPECT_STREQ("LPT1:", job.port);
    EXPECT_STREQ("C1.J1", job.idText);
    EXPECT_STREQ("Report", job.document);
    EXPECT_STREQ("Normal", job.destination);
    EXPECT_STREQ("", job.text1);
    EXPECT_EQ(0, job.secondsUntilStart);

    // Without JtrSetJtrDataEx the older layout goes out: the head and one block.
    Install(kMarkerFile, "C:\\ext\\qmjtr5x.dll");
    Hold("C:\\ext\\qmjtr5x.dll");
    Registration fax;
    fax.faxFlag = 1;
    fax.kind = 6;
    ASSERT_EQ(JTR_OK, fax.Run());
    EXPECT_EQ(JTR_OK, ext_JtrEnd(fax.monitor));
    ASSERT_EQ(1u, control_->oldCalls);
    ASSERT_EQ(532u + 660u, control_->oldSize);
    std::vector<BYTE> golden(532 + 660, 0);
    auto put32 = [&golden](size_t at, DWORD v) { memcpy(&golden[at], &v, 4); };
    auto putText = [&golden](size_t at, const char *t) { memcpy(&golden[at], t, strlen(t)); };
    put32(0, 532);
    put32(4, 1);
    put32(8, 3);
    put32(12, 11);
    putText(16, "LPT1:");
    putText(276, "Office 3");
    put32(532, 660);
    put32(536, 1); // fax flag
    put32(540, 0); // the value of fax flag 1
    putText(544, "Report");
    putText(804, "C1.J1");
    putText(868 + 260, "Ann"); // no destination name with fax flag 1
    putText(868 + 260 + 32, "0301");
    EXPECT_EQ(golden, std::vector<BYTE>(control_->oldData, control_->oldData + golden.size()));
}

TEST_F(MonitorTest, RunAndEnd)
{
    EXPECT_EQ(JTR_E_ARGUMENT, ext_JtrExecute(nullptr));
    EXPECT_EQ(JTR_E_ARGUMENT, ext_JtrEnd(nullptr));
    Registration r;
    ASSERT_EQ(JTR_OK, r.Run());
    control_->failExec = 1;
    EXPECT_EQ(JTR_E_MONITOR, ext_JtrExecute(r.monitor)); // ended all the same
    EXPECT_EQ(control_->started, control_->ended);
    control_->failExec = 0;
    ASSERT_EQ(JTR_OK, r.Run());
    EXPECT_EQ(JTR_OK, ext_JtrExecute(r.monitor));
    EXPECT_EQ(1u, control_->executed);
    ASSERT_EQ(JTR_OK, r.Run());
    control_->failEnd = 1;
    EXPECT_EQ(JTR_E_MONITOR, ext_JtrEnd(r.monitor));
    EXPECT_EQ(0, ext_JtrUninitialize(r.monitor)); // not bound any more
    control_->failEnd = 0;
}

TEST_F(MonitorTest, JobKindsOfTheFacts)
{
    SYSTEMTIME t = {};
    t.wYear = 2026;
    t.wMonth = 12;
    t.wDay = 31;
    t.wHour = 23;
    t.wMinute = 58;
    qmt_PinClock(&t);
    TestSettingsAreas areas;
    areas.set(FID_BINDING_POSITION, 2);
    fax_test::Bytes list = fax_test::BlockBytes(
        {fax_test::DestinationBytes("0301", "Ann", 0), fax_test::DestinationBytes("0302", "Bob", 0)});
    JtrJobFacts facts = {};
    facts.devmode = &areas.devmode;
    facts.block = &areas.block;
    facts.document = TEXT("Quarterly");
    facts.printerName = TEXT("Office 3");
    facts.portName = TEXT("IP_10.0.0.3");
    facts.ownerName = TEXT("carol");
    char id[JTR_ID_TEXT_BYTES];
    JtrJobRecord job;
    auto start = [&]() {
        control_->exCalls = 0;
        HANDLE monitor = ext_JtrStartJob(&facts, id);
        EXPECT_NE(nullptr, monitor);
        EXPECT_EQ(JTR_OK, ext_JtrEnd(monitor));
        memcpy(&job, control_->jobRecord, sizeof(job));
        return control_->exCalls == 1;
    };

    areas.set(FID_JOB_TYPE, 4);
    areas.set(FID_DELAY_HOUR, 0);
    areas.set(FID_DELAY_MINUTE, 1);
    ASSERT_TRUE(start());
    EXPECT_EQ(5u, job.kind);
    EXPECT_EQ(180, job.secondsUntilStart);
    EXPECT_EQ(2u, job.value);
    EXPECT_STREQ("C1.J1", id);
    EXPECT_STREQ("Quarterly", job.document);
    EXPECT_STREQ("IP_10.0.0.3", job.port);
    JtrClientRecord client;
    memcpy(&client, control_->clientRecord, sizeof(control_->clientRecord));
    EXPECT_STREQ("carol", client.owner);
    EXPECT_STREQ("Office 3", client.printer);

    const struct {
        LONG jobType;
        DWORD kind;
    } kinds[] = {{1, 3}, {2, 4}, {0, 0}, {7, 0}};
    for (const auto &k : kinds) {
        areas.set(FID_JOB_TYPE, k.jobType);
        ASSERT_TRUE(start());
        EXPECT_EQ(k.kind, job.kind) << k.jobType;
    }
    areas.set(FID_STORED_JOB, 1);
    areas.set_text(FID_STORED_JOB_NAME, TEXT("Kept"));
    ASSERT_TRUE(start());
    EXPECT_EQ(8u, job.kind);
    EXPECT_STREQ("Kept", job.destination);

    // Fax jobs: the destinations' names and numbers; value 0.
    facts.fax = 1;
    facts.faxList = (const FaxSendList *)list.data();
    facts.destinationCount = 2;
    ASSERT_TRUE(start());
    EXPECT_EQ(1u, job.kind);
    EXPECT_EQ(0u, job.value);
    EXPECT_STREQ("Ann", job.text1);
    EXPECT_STREQ("0301", job.text2);
    EXPECT_STREQ("", job.destination);
    areas.set(FID_CLOCK_ON, 1);
    facts.destinationCount = 1;
    facts.setIndex = 1;
    ASSERT_TRUE(start());
    EXPECT_EQ(6u, job.kind);
    EXPECT_STREQ("Bob", job.text1);

    // A printer name longer than its field is cut to it.
    std::u16string longName(300, u'p');
    facts.printerName = (const WCHAR *)longName.c_str();
    ASSERT_TRUE(start());
    memcpy(&client, control_->clientRecord, sizeof(control_->clientRecord));
    EXPECT_EQ(255u, strlen(client.printer));
    EXPECT_EQ(nullptr, ext_JtrStartJob(nullptr, id));
}

/* The layout class (setting 266) names jobs of kinds 0, 3, 4 and 5 by its current option,
 * cut at its carriage return; the numbered job (kind 9) joins the caption of setting 435,
 * the resource module's string 5144 and the setting's value. */
TEST_F(MonitorTest, JobNamesFromTheDescription)
{
    const char kRecords[] = "  - {type: 4, key: 266, caption: Layout, control: 2, default: 1, options: [2661, 2662]}\n"
                            "  - {type: 14, key: 2661, caption: \"Plain\\rsheets\", value: {type: 2, value: 1}}\n"
                            "  - {type: 14, key: 2662, caption: Thick, value: {type: 2, value: 2}}\n"
                            "  - {type: 4, key: 435, caption: Box, control: 2, default: 1, options: [4351]}\n"
                            "  - {type: 14, key: 4351, caption: Any, value: {type: 3, value: 1}}\n";
    ddd_test::Pair pair(ddd_test::Compile(ddd_test::Source(8192, "  26: 0\n", kRecords)));
    ASSERT_EQ(DDD_OK, pair.status);
    util_SetModuleHandle(GetModuleHandleW(nullptr));
    HMODULE resources = util_LoadResourceModule();
    ASSERT_NE(nullptr, resources);

    TestSettingsAreas areas;
    JtrJobFacts facts = {};
    facts.model = &pair.model;
    facts.base = &pair.base;
    facts.devmode = &areas.devmode;
    facts.block = &areas.block;
    facts.resourceModule = resources;
    facts.printerName = TEXT("Office 3");
    facts.portName = TEXT("IP_10.0.0.3");
    char id[JTR_ID_TEXT_BYTES];
    auto name = [&]() {
        HANDLE monitor = ext_JtrStartJob(&facts, id);
        EXPECT_NE(nullptr, monitor);
        EXPECT_EQ(JTR_OK, ext_JtrEnd(monitor));
        return std::string(((const JtrJobRecord *)control_->jobRecord)->destination);
    };
    const struct {
        LONG jobType;
        LONG layout;
        const char *name;
    } cases[] = {{0, 1, "Plain"}, {1, 2, "Thick"}, {2, 1, "Plain"}, {4, 2, "Thick"}, {7, 3, ""}};
    for (const auto &c : cases) {
        areas.set(FID_JOB_TYPE, c.jobType);
        areas.set(266, c.layout);
        EXPECT_EQ(c.name, name()) << c.jobType << " " << c.layout;
    }
    areas.set(FID_JOB_TYPE, 3);
    areas.set(FID_LEADING_ZEROS, 42);
    EXPECT_EQ("Box No. 42", name());
    facts.resourceModule = nullptr;
    EXPECT_EQ("Box42", name());
    facts.model = nullptr;
    EXPECT_EQ("42", name());
    util_ReleaseResourceModule();
    util_SetModuleHandle(nullptr);
}

TEST_F(MonitorTest, StartsAndEndsOnSeveralThreads)
{
    std::vector<std::thread> threads;
    std::vector<int> failures(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t, &failures] {
            for (int i = 0; i < 50; ++i) {
                Registration r;
                if (ext_JtrIsInstalled() != 1 || r.Run() != JTR_OK || ext_JtrExecute(r.monitor) != JTR_OK)
                    failures[t]++;
            }
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    for (int f : failures)
        EXPECT_EQ(0, f);
    // Without the test's hold the binding has let the module go.
    FreeLibrary(standin_);
    standin_ = nullptr;
    EXPECT_EQ(baseline_, qmt_LiveModules());
}

} // namespace
