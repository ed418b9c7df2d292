#include "render/driver/header/tests/header_fixture.h"

#include <winspool.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include <qmhost.h>

#include "core/ddd/ddd_access.h"
#include "platform/testing/qm_testing.h"
#include "render/driver/header/job_header.h"
#include "render/stream/output_stream.h"
#include "tools/lumiq/lumiq_decoder.h"

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("render_header_tests.log");
}

namespace header_test {

const DWORD kTick = 1000;
const WCHAR kDocument[] = TEXT("Sample job");

namespace {

const WCHAR kOutput[] = TEXT("C:\\header\\stream.bin");
const WCHAR kPrinter[] = TEXT("QM Header Printer");

// The output file as the host sees it under the platform root.
std::vector<BYTE> ReadOutput()
{
    const char *root = getenv("QM_ROOT");
    std::string path = std::string(root != nullptr ? root : ".") + "/c/header/stream.bin";
    std::ifstream file(path, std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// A host path of the models folder as the platform names it.
std::u16string ModelPath(const char *file)
{
    std::u16string path = u"Z:";
    for (const char *p = QM_MODELS_DIR; *p; ++p) {
        path.push_back(*p == '/' ? u'\\' : (char16_t)*p);
    }
    path += u"\\";
    for (const char *p = file; *p; ++p) {
        path.push_back((char16_t)*p);
    }
    return path;
}

void PinMachine()
{
    SYSTEMTIME time = {};
    time.wYear = 2024;
    time.wMonth = 1;
    time.wDay = 2;
    time.wHour = 3;
    time.wMinute = 4;
    time.wSecond = 5;
    qmt_PinClock(&time);
    qmt_PinTickCount(&kTick);
    OSVERSIONINFOEXW os = {};
    os.dwMajorVersion = 5;
    os.dwMinorVersion = 1;
    os.dwBuildNumber = 2600;
    os.dwPlatformId = 2;
    lstrcpyW(os.szCSDVersion, TEXT("Service Pack 2"));
    qmt_PinOsVersion(&os);
    qmt_PinUserName(TEXT("tester"));
    qmt_PinAnsiCodePage(1252);
}

} // namespace

std::string Text(const std::vector<BYTE> &bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

void HeaderTest::SetUp()
{
    PinMachine();
    globalsAtStart_ = qmt_LiveGlobalBlocks();
    pdev_ = (PDEV *)calloc(1, sizeof(PDEV));
    ASSERT_NE(pdev_, nullptr);
    pdev_->heap = HeapCreate(0, 0, 0);
    ASSERT_NE(pdev_->heap, nullptr);
    ResetSettings();
    lstrcpyW(pdev_->job.documentName, kDocument);

    QMH_PRINTER_SETUP setup = {};
    setup.pPrinterName = kPrinter;
    setup.pPortName = TEXT("IP_10.0.0.1");
    setup.pDriverName = TEXT("QM Header Driver");
    setup.pDriverPath = TEXT("C:\\drivers\\qmkelvim.dll");
    setup.pDataFile = TEXT("C:\\drivers\\QM50C1.DDD");
    setup.pConfigFile = TEXT("C:\\drivers\\qmkelviu.dll");
    ASSERT_TRUE(qmh_InstallPrinter(&setup) || GetLastError() == ERROR_PRINTER_ALREADY_EXISTS);
    ASSERT_TRUE(OpenPrinterW((LPWSTR)kPrinter, &printer_, nullptr));
    pdev_->printer = printer_;
    OpenModel(false);

    CreateDirectoryW(TEXT("C:\\header"), nullptr);
    pdev_->job.stream = spl_CreateStream(nullptr);
    ASSERT_NE(pdev_->job.stream, nullptr);
    ASSERT_EQ(spl_OpenOutputFile(pdev_->job.stream, kOutput, 1, nullptr), 0);
    pdev_->job.writer = pdl_CreateWriter(pdev_->job.stream, &pdev_->devmode, pdev_->printerData, 0);
    ASSERT_NE(pdev_->job.writer, nullptr);
    ASSERT_EQ(jc_CreateJobInfo(pdev_), 0);
}

void HeaderTest::TearDown()
{
    jc_FreeJobInfo(pdev_);
    pdl_DestroyWriter(pdev_->job.writer);
    spl_DestroyStream(pdev_->job.stream);
    EXPECT_EQ(HeapBlocks(), 0u) << "PDEV heap blocks left behind";
    HeapDestroy(pdev_->heap);
    if (files_ != nullptr) {
        ddd_CloseFilePair(&files_[0], &files_[1]);
        delete[] files_;
    }
    ClosePrinter(printer_);
    free(pdev_);
    EXPECT_EQ(qmt_LiveGlobalBlocks(), globalsAtStart_) << "global blocks left behind";
    qmt_FailAllocations(0, 0);
    qmt_PinClock(nullptr);
    qmt_PinTickCount(nullptr);
    qmt_PinOsVersion(nullptr);
    qmt_PinUserName(nullptr);
    qmt_PinAnsiCodePage(0);
}

void HeaderTest::OpenModel(bool jobInfo)
{
    if (files_ != nullptr) {
        ddd_CloseFilePair(&files_[0], &files_[1]);
    } else {
        files_ = new DddFile[2]();
    }
    std::u16string path = ModelPath(jobInfo ? "QMHDR40.DDD" : "QM50C1.DDD");
    ASSERT_EQ(ddd_OpenFilePair((LPCWSTR)path.c_str(), &files_[0], &files_[1]), 0);
    pdev_->modelFile = &files_[0];
    pdev_->baseFile = &files_[1];
    pdev_->job.setup.snapshot.jobInfoOn = jobInfo ? 1 : 0;
}

void HeaderTest::ResetSettings()
{
    areas_ = std::make_unique<TestSettingsAreas>();
    pdev_->printerData = &areas_->block;
    Set(12, 1);
    Set(16, 1);
    Set(410, 9);
    Set(8205, 0x01010501);
}

void HeaderTest::Set(WORD functionId, LONG value)
{
    areas_->set(functionId, value);
    memcpy(&pdev_->devmode, &areas_->devmode, sizeof pdev_->devmode);
}

void HeaderTest::SetText(WORD functionId, LPCWSTR text)
{
    areas_->set_text(functionId, text);
    memcpy(&pdev_->devmode, &areas_->devmode, sizeof pdev_->devmode);
}

std::vector<BYTE> HeaderTest::Bytes()
{
    spl_FlushStream(pdev_->job.stream);
    std::vector<BYTE> all = ReadOutput();
    return std::vector<BYTE>(all.begin() + (std::ptrdiff_t)std::min(mark_, all.size()), all.end());
}

std::vector<std::string> HeaderTest::Commands(size_t skip)
{
    std::vector<BYTE> bytes = Bytes();
    std::vector<std::string> lines;
    LqdError error;
    if (!lqd_DecodeCommands(bytes.data(), bytes.size(), skip, lines, error)) {
        ADD_FAILURE() << "broken stream at " << error.offset << ": " << error.reason;
        lines.push_back("broken: " + error.reason);
    }
    return lines;
}

void HeaderTest::Mark()
{
    spl_FlushStream(pdev_->job.stream);
    mark_ = ReadOutput().size();
}

void HeaderTest::FailWrites(bool on)
{
    spl_FlushStream(pdev_->job.stream);
    pdev_->job.stream->sinkKind = on ? SINK_CLOSED : SINK_FILE;
}

DWORD HeaderTest::HeapBlocks()
{
    return qmt_LiveHeapBlocks(pdev_->heap);
}

} // namespace header_test
