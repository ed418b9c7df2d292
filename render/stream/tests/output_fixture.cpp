/*
 * Shared set-up of the output tests.
 */
#include "render/stream/tests/output_fixture.h"

#include <string.h>

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("\\OUTPUT_TEST_LOG.txt");
}

namespace output_test {

std::vector<BYTE> Pattern(size_t length, BYTE seed)
{
    std::vector<BYTE> bytes(length);
    for (size_t i = 0; i < length; ++i)
        bytes[i] = (BYTE)((i + seed) % 251);
    return bytes;
}

std::vector<DWORD> WriteSizes(DWORD job)
{
    std::vector<DWORD> sizes(qmh_GetJobWriteSizes(job, NULL, 0));
    qmh_GetJobWriteSizes(job, sizes.data(), (DWORD)sizes.size());
    return sizes;
}

std::vector<BYTE> JobBytes(DWORD job)
{
    DWORD needed = 0;
    qmh_ReadJobData(job, NULL, 0, &needed);
    std::vector<BYTE> bytes(needed);
    if (needed && !qmh_ReadJobData(job, bytes.data(), needed, &needed))
        bytes.clear();
    return bytes;
}

QMH_JOB_INFO JobInfo(DWORD job)
{
    QMH_JOB_INFO info;
    memset(&info, 0, sizeof(info));
    qmh_GetJob(job, &info);
    return info;
}

std::vector<DWORD> Jobs()
{
    std::vector<QMH_JOB_INFO> infos(qmh_EnumJobs(kPrinterName, NULL, 0));
    qmh_EnumJobs(kPrinterName, infos.data(), (DWORD)infos.size());
    std::vector<DWORD> ids;
    for (const QMH_JOB_INFO &info : infos)
        ids.push_back(info.JobId);
    return ids;
}

std::vector<BYTE> FileBytes(LPCWSTR path)
{
    std::vector<BYTE> bytes;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    BYTE chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof(chunk), &got, NULL) && got)
        bytes.insert(bytes.end(), chunk, chunk + got);
    CloseHandle(file);
    return bytes;
}

BOOL Exists(LPCWSTR path)
{
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

void ScriptAnswers(std::initializer_list<int> answers)
{
    std::vector<int> list(answers);
    qmt_ScriptMessageBoxAnswers(list.data(), (DWORD)list.size());
}

QmtMessageBoxCall Box(DWORD index)
{
    static QmtMessageBoxCall call; // large: kept off the stack
    memset(&call, 0, sizeof(call));
    qmt_MessageBoxLog(index, &call);
    return call;
}

void StreamTest::SetUp()
{
    handles_ = qmt_LivePrinterHandles();
    files_ = qmt_LiveHandles(QMT_HANDLE_FILE);
    ASSERT_TRUE(InstallPrinter());
    ASSERT_TRUE(OpenPrinterW((LPWSTR)kPrinterName, &printer_, NULL));
    DOC_INFO_1W doc = {(LPWSTR)TEXT("own job"), NULL, (LPWSTR)TEXT("RAW")};
    job_ = StartDocPrinterW(printer_, 1, (LPBYTE)&doc);
    ASSERT_NE(job_, 0u);
    stream_ = spl_CreateStream(NULL);
    ASSERT_NE(stream_, nullptr);
    ASSERT_EQ(spl_OpenSpoolerChannel(stream_, printer_), 0);
}

void StreamTest::TearDown()
{
    spl_DestroyStream(stream_);
    if (printer_) {
        EndDocPrinter(printer_);
        ClosePrinter(printer_);
    }
    qmt_SpoolerReset();
    qmt_ClearWriteFault();
    qmt_FailWrites(0, 0);
    qmt_ResetMessageBoxes();
    EXPECT_EQ(qmt_LivePrinterHandles(), handles_) << "a printer handle was left open";
    EXPECT_EQ(qmt_LiveHandles(QMT_HANDLE_FILE), files_) << "a file handle was left open";
}

} // namespace output_test
