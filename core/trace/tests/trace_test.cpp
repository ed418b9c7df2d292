/*
 * The trace: its configuration, entry and exit lines, dumps compared with checked-in
 * text, debugger output, code pages, and lines written from several threads.
 */
#include "core/trace/trace.h"

#include "core/context/tests/driver_files.h"
#include "platform/testing/qm_testing.h"
#include "testing/settings_areas.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <thread>
#include <vector>

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("\\TRACE_TEST_LOG.txt");
}

namespace {

const WCHAR kLogPath[] = TEXT("C:\\DEBUG_LOG\\WIN2000\\TRACE_TEST_LOG.txt");

/* The log's bytes; "<none>" when there is no log file. */
std::string ReadLog()
{
    HANDLE file = CreateFileW(kLogPath,
                              GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr,
                              OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<none>";
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

std::string ReadExpected(const char *name)
{
    std::ifstream in(std::string(QM_TRACE_TEST_DATA) + "/" + name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class TraceTest : public testing::Test
{
protected:
    void SetUp() override
    {
        module_ = driver_files::PinModuleDirectory();
        qmt_PinAnsiCodePage(1252);
    }
    void TearDown() override
    {
        util_SetModuleHandle(nullptr);
        FreeLibrary(module_);
        qmt_PinAnsiCodePage(0);
    }
    /* Writes qmkelv.cfg and reads it again. */
    void Configure(const std::string &text)
    {
        driver_files::WriteFileBytes(u"C:\\drv\\qmkelv.cfg", text);
        trc_Initialize();
    }
    HMODULE module_ = nullptr;
};

TEST_F(TraceTest, LogFlagsFromTheConfiguration)
{
    struct Case {
        const char *value;
        DWORD flags;
    } const cases[] = {
        {"0x7", 0x7},
        {"7", 0x7},
        {"0X1F0003", 0x1F0003},
        {"12345678", 12345678},
        {"123456789", 0},           /* nine digits: off */
        {"0x80000007", 0x80000007}, /* the prefix is no digit: the debugger bit is reachable */
        {"0x123456789", 0},
        {"seven", 0},
        {"", 0},
    };
    for (const Case &c : cases) {
        Configure(std::string("[LOG]\r\nLog=") + c.value + "\r\nLOGOUT.DDMID=16\r\n");
        EXPECT_EQ(c.flags, trc_GetFlags()) << c.value;
        EXPECT_EQ(c.flags ? 1u : 0u, trc_GetIds(nullptr, 0)) << c.value; /* ids only with flags read */
        EXPECT_EQ((c.flags & 1) != 0, trc_IsEnabled() != 0) << c.value;
    }
    DeleteFileW(TEXT("C:\\drv\\qmkelv.cfg"));
    trc_Initialize();
    EXPECT_EQ(0u, trc_GetFlags());
}

TEST_F(TraceTest, RepeatedIdsAreListedOnce)
{
    std::string text = "[LOG]\r\nLog=0x7\r\n";
    for (int i = 0; i < 20; ++i)
        text += "LOGOUT.DDMID=0x0101\r\n";
    text += "LOGOUT.DDMID=16\r\nLOGOUT.DDMID=0x10\r\nLOGOUT.DDMID=x\r\nLOGOUT.DDMID=257\r\n";
    Configure(text);
    WORD ids[8] = {};
    ASSERT_EQ(2u, trc_GetIds(ids, 8));
    EXPECT_EQ(0x0101, ids[0]);
    EXPECT_EQ(16, ids[1]);
}

TEST_F(TraceTest, EntryAndExitLines)
{
    Configure("[LOG]\r\nLog=0x3\r\n");
    EXPECT_TRUE(trc_WriteEnter(TEXT("DrvEnablePDEV")));
    EXPECT_TRUE(trc_WriteExit(TEXT("%s%s%d"), TEXT("DrvEnablePDEV"), TEXT(" RetValue = "), -1));
    EXPECT_EQ("IN <<DrvEnablePDEV\nOUT>>DrvEnablePDEV RetValue = -1\n", ReadLog());
    EXPECT_EQ(0u, trc_GetOpenCount());
    EXPECT_EQ(0u, qmt_LiveHandles(QMT_HANDLE_FILE));

    /* Appended, never overwritten. */
    EXPECT_TRUE(trc_WriteEnter(TEXT("DrvDisablePDEV")));
    EXPECT_EQ("IN <<DrvEnablePDEV\nOUT>>DrvEnablePDEV RetValue = -1\nIN <<DrvDisablePDEV\n", ReadLog());

    /* Without bit 1 nothing is written, and the answer is still 1. */
    Configure("[LOG]\r\nLog=0x5\r\n");
    EXPECT_TRUE(trc_WriteEnter(TEXT("DrvStartDoc")));
    EXPECT_EQ(std::string::npos, ReadLog().find("DrvStartDoc"));
}

TEST_F(TraceTest, LinesOverTheLimitAreRefusedEvenWhenOff)
{
    std::u16string name513(513 - 5, u'a'); /* "OUT>>" + 508 characters: 513 */
    std::u16string name520(520 - 5, u'b');
    for (const char *log : {"0", "0x3"}) {
        Configure(std::string("[LOG]\r\nLog=") + log + "\r\n");
        EXPECT_FALSE(trc_WriteExit(TEXT("%s"), (LPCWSTR)name520.c_str())) << log;
        EXPECT_FALSE(trc_WriteEnter((LPCWSTR)name520.c_str())) << log;
        EXPECT_TRUE(trc_WriteExit(TEXT("%s"), (LPCWSTR)name513.c_str())) << log;
    }
    std::string log = ReadLog();
    EXPECT_EQ(std::string("OUT>>") + std::string(508, 'a') + "\n", log);
    std::u16string line514(514, u'c');
    EXPECT_FALSE(trc_WriteLine((LPCWSTR)line514.c_str(), nullptr));
    EXPECT_FALSE(trc_WriteLine(nullptr, nullptr));
}

TEST_F(TraceTest, DebuggerOutputCreatesNoFile)
{
    Configure("[LOG]\r\nLog=0x8000000F\r\n");
    qmt_ClearDebugOutput();
    EXPECT_TRUE(trc_OpenLog());
    EXPECT_EQ(0u, trc_GetOpenCount());
    EXPECT_TRUE(trc_WriteEnter(TEXT("DrvConvertDevMode")));
    EXPECT_TRUE(trc_WriteExit(TEXT("%s = %d"), TEXT("DrvConvertDevMode"), 1));
    EXPECT_FALSE(trc_DumpFields(nullptr, nullptr));
    EXPECT_TRUE(trc_CloseLog());
    WCHAR captured[256] = {};
    qmt_DebugOutput(captured, 256);
    EXPECT_EQ(u"IN <<DrvConvertDevMode\nOUT>>DrvConvertDevMode = 1\nlpDevmode = NULL\n", std::u16string(captured));
    EXPECT_EQ("<none>", ReadLog());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(kLogPath));
}

TEST_F(TraceTest, LinesInTheAnsiCodePage)
{
    Configure("[LOG]\r\nLog=0x1\r\n");
    qmt_PinAnsiCodePage(932);
    EXPECT_TRUE(trc_WriteLine(TEXT("ユーザー定義"), nullptr));
    qmt_PinAnsiCodePage(1252);
    EXPECT_TRUE(trc_WriteLine(TEXT("Größe"), nullptr));
    EXPECT_EQ("\x83\x86\x81\x5b\x83\x55\x81\x5b\x92\xe8\x8b\x60\n"
              "Gr\xf6\xdf"
              "e\n",
              ReadLog());
}

TEST_F(TraceTest, OpenCountsUsesAndAMissingDirectoryIsCreated)
{
    Configure("[LOG]\r\nLog=0x1\r\n");
    EXPECT_TRUE(trc_OpenLog());
    EXPECT_TRUE(trc_OpenLog());
    EXPECT_EQ(2u, trc_GetOpenCount());
    EXPECT_EQ(1u, qmt_LiveHandles(QMT_HANDLE_FILE));
    EXPECT_TRUE(trc_Printf(TEXT("%d pages"), 3));
    EXPECT_TRUE(trc_CloseLog());
    EXPECT_EQ(1u, trc_GetOpenCount());
    EXPECT_TRUE(trc_CloseLog());
    EXPECT_TRUE(trc_CloseLog()); /* one close too many changes nothing */
    EXPECT_EQ(0u, trc_GetOpenCount());
    EXPECT_EQ(0u, qmt_LiveHandles(QMT_HANDLE_FILE));
    EXPECT_EQ("3 pages\n", ReadLog());
}

/* The DEVMODE and settings of the dump test: one FunctionID of each presented type. */
std::unique_ptr<TestSettingsAreas> DumpAreas()
{
    auto areas = std::make_unique<TestSettingsAreas>();
    DEVMODEW &dm = areas->devmode.dm;
    lstrcpyW(dm.dmDeviceName, TEXT("Model 50-C/1 Office"));
    dm.dmSpecVersion = 0x0401;
    dm.dmDriverVersion = 0x0502;
    dm.dmSize = sizeof(DEVMODEW);
    dm.dmDriverExtra = 5652;
    dm.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES | DM_PRINTQUALITY | DM_COLOR | DM_DUPLEX | DM_COLLATE |
                  DM_FORMNAME | 0x100000 | 0x10000000;
    dm.dmOrientation = 2;
    dm.dmPaperSize = 9;
    dm.dmCopies = 3;
    dm.dmPrintQuality = DMRES_HIGH;
    dm.dmColor = 2;
    dm.dmDuplex = 2;
    dm.dmYResolution = 600;
    dm.dmCollate = 1;
    lstrcpyW(dm.dmFormName, TEXT("A4"));
    dm.dmPelsHeight = 0xFFFFFFFF;
    dm.dmICMMethod = 3;
    dm.dmPanningHeight = 17;
    areas->set(1281, 1);
    areas->set(262, -7);
    areas->set(257, 0x2A);
    areas->set(1825, -100000);
    areas->set(273, 0xBEEF);
    areas->set_text(297, TEXT("Office"));
    areas->set(308, 0xF3);
    areas->set(306, 123456);
    return areas;
}

TEST_F(TraceTest, DumpsMatchTheExpectedText)
{
    Configure("[LOG]\r\nLog=0x0000000F\r\n"
              "LOGOUT.DDMID=1281\r\nLOGOUT.DDMID=262\r\nLOGOUT.DDMID=257\r\nLOGOUT.DDMID=1825\r\n"
              "LOGOUT.DDMID=273\r\nLOGOUT.DDMID=297\r\nLOGOUT.DDMID=308\r\nLOGOUT.DDMID=306\r\n"
              "LOGOUT.DDMID=304\r\nLOGOUT.DDMID=65000\r\n");
    auto areas = DumpAreas();
    DWORD blocks = qmt_LiveGlobalBlocks();
    EXPECT_TRUE(trc_DumpPublicDevmode(nullptr, &areas->devmode.dm));
    EXPECT_TRUE(trc_DumpFields(nullptr, &areas->devmode.dm));
    EXPECT_TRUE(trc_DumpPrivateSetting(nullptr, &areas->devmode, 262));
    EXPECT_TRUE(trc_DumpPrivateSetting(TEXT("<Comment>"), &areas->devmode, 297));
    EXPECT_TRUE(trc_DumpSettingValues(0, TEXT("<Settings>"), &areas->devmode, &areas->block));
    EXPECT_TRUE(trc_DumpPublicDevmode(TEXT("<None>"), nullptr));
    EXPECT_FALSE(trc_DumpFields(nullptr, nullptr));
    EXPECT_EQ(blocks, qmt_LiveGlobalBlocks());
    EXPECT_EQ(0u, trc_GetOpenCount());
    EXPECT_EQ(ReadExpected("dumps.txt"), ReadLog());
}

TEST_F(TraceTest, SettingDumpsByCategoryAndChoice)
{
    auto areas = DumpAreas();
    const std::string rule(69, '-');
    struct Case {
        const char *log;
        DWORD category;
        bool written;
    } const cases[] = {
        {"0x1", 0, false},           /* nothing chosen: no id list, neither bit 4 nor 5 */
        {"0x0", 0x10000, false},     /* off */
        {"0x10001", 0x20000, false}, /* a category set and not shared */
        {"0x30001", 0x20000, true},  /* shared */
        {"0x20001", 0, false},
    };
    for (const Case &c : cases) {
        Configure(std::string("[LOG]\r\nLog=") + c.log + "\r\nLOGOUT.DDMID=262\r\n");
        DeleteFileW(kLogPath);
        EXPECT_TRUE(trc_DumpSettingValues(c.category, nullptr, &areas->devmode, &areas->block));
        std::string expected = c.written ? rule + "\n[0x0106] = [-7]\n" + rule + "\n" : "<none>";
        if (std::string(c.log) == "0x1")
            expected = rule + "\n[0x0106] = [-7]\n" + rule + "\n"; /* the id list alone chooses */
        EXPECT_EQ(expected, ReadLog()) << c.log;
    }
    Configure("[LOG]\r\nLog=0x1\r\n");
    DeleteFileW(kLogPath);
    EXPECT_TRUE(trc_DumpSettingValues(0, nullptr, &areas->devmode, &areas->block));
    EXPECT_TRUE(trc_DumpSettingValues(0, nullptr, nullptr, nullptr));
    EXPECT_EQ("<none>", ReadLog());

    /* Bit 4 dumps the public fields 1-25 that can be read, in ascending order. */
    Configure("[LOG]\r\nLog=0x11\r\n");
    DeleteFileW(kLogPath);
    EXPECT_TRUE(trc_DumpSettingValues(0, nullptr, &areas->devmode, &areas->block));
    std::string log = ReadLog();
    EXPECT_NE(std::string::npos, log.find("[0x0007] = [2]\n[0x0008] = [9]\n"));
    EXPECT_EQ(std::string::npos, log.find("[0x0101]"));
}

TEST_F(TraceTest, ThreadsWriteWholeLinesWhileTheConfigurationIsReadAgain)
{
    Configure("[LOG]\r\nLog=0x3\r\n");
    const int kThreads = 4, kLines = 60;
    DWORD files = qmt_LiveHandles(QMT_HANDLE_FILE);
    std::vector<std::thread> threads;
    bool stop = false;
    std::thread reader([&stop] {
        while (!__atomic_load_n(&stop, __ATOMIC_ACQUIRE))
            trc_Initialize();
    });
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t] {
            for (int n = 0; n < kLines; ++n) {
                WCHAR text[64];
                wsprintfW(text, TEXT("DrvTextOut thread %d line %d"), t, n);
                trc_OpenLog();
                trc_WriteEnter(text);
                trc_WriteExit(TEXT("%s RetValue = %d"), text, n);
                trc_CloseLog();
            }
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    __atomic_store_n(&stop, true, __ATOMIC_RELEASE);
    reader.join();

    std::multiset<std::string> lines;
    std::istringstream log(ReadLog());
    for (std::string line; std::getline(log, line);)
        lines.insert(line);
    EXPECT_EQ((size_t)(kThreads * kLines * 2), lines.size());
    for (int t = 0; t < kThreads; ++t) {
        for (int n = 0; n < kLines; ++n) {
            std::string text = "DrvTextOut thread " + std::to_string(t) + " line " + std::to_string(n);
            EXPECT_EQ(1u, lines.count("IN <<" + text)) << text;
            EXPECT_EQ(1u, lines.count("OUT>>" + text + " RetValue = " + std::to_string(n))) << text;
        }
    }
    EXPECT_EQ(0u, trc_GetOpenCount());
    EXPECT_EQ(files, qmt_LiveHandles(QMT_HANDLE_FILE));
}

} // namespace
