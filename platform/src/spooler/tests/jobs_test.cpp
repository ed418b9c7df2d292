#include "platform/src/spooler/tests/spooler_fixture.h"

#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <string>
#include <vector>

namespace {

DWORD StartJob(HANDLE printer, LPCWSTR document, LPCWSTR datatype = TEXT("RAW"))
{
    DOC_INFO_1W doc = {(LPWSTR)document, nullptr, (LPWSTR)datatype};
    return StartDocPrinterW(printer, 1, (BYTE *)&doc);
}

std::string JobBytes(DWORD id)
{
    DWORD needed = 0;
    EXPECT_FALSE(qmh_ReadJobData(id, nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INSUFFICIENT_BUFFER);
    std::string out(needed, '\0');
    EXPECT_TRUE(qmh_ReadJobData(id, (BYTE *)out.data(), needed, &needed));
    return out;
}

QMH_JOB_INFO Job(DWORD id)
{
    QMH_JOB_INFO info = {};
    EXPECT_TRUE(qmh_GetJob(id, &info));
    return info;
}

} // namespace

TEST_F(Spooler, ACompletedJobKeepsItsExactBytesWritesAndPages)
{
    DWORD id = StartJob(printer_, TEXT("Quarterly report"));
    ASSERT_NE(id, 0u);
    EXPECT_EQ(Job(id).Status, (DWORD)QMH_JOB_OPEN);
    std::string expect;
    std::vector<DWORD> sizes = {2048, 1, 70000};
    ASSERT_TRUE(StartPagePrinter(printer_));
    for (DWORD size : sizes) {
        std::string chunk(size, '\0');
        for (DWORD i = 0; i < size; ++i)
            chunk[i] = (char)(expect.size() + i);
        DWORD written = 0;
        ASSERT_TRUE(WritePrinter(printer_, chunk.data(), size, &written));
        EXPECT_EQ(written, size);
        expect += chunk;
    }
    ASSERT_TRUE(EndPagePrinter(printer_));
    ASSERT_TRUE(StartPagePrinter(printer_));
    ASSERT_TRUE(EndPagePrinter(printer_));
    ASSERT_TRUE(EndDocPrinter(printer_));

    QMH_JOB_INFO jobs[4];
    ASSERT_EQ(qmh_EnumJobs(TEXT("QM TEST PRINTER"), jobs, 4), 1u);
    EXPECT_EQ(jobs[0].JobId, id);
    EXPECT_EQ(jobs[0].Status, (DWORD)QMH_JOB_COMPLETED);
    EXPECT_EQ(jobs[0].Pages, 2u);
    EXPECT_EQ(jobs[0].Bytes, (DWORD)expect.size());
    EXPECT_EQ(std::u16string(jobs[0].DocumentName), u"Quarterly report");
    EXPECT_EQ(std::u16string(jobs[0].DataType), u"RAW");
    EXPECT_TRUE(JobBytes(id) == expect);
    DWORD got[8];
    ASSERT_EQ(qmh_GetJobWriteSizes(id, got, 8), 3u);
    EXPECT_EQ(std::vector<DWORD>(got, got + 3), sizes);

    /* GetJobW level 1 with the size protocol. */
    DWORD needed = 0;
    EXPECT_FALSE(GetJobW(printer_, id, 1, nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INSUFFICIENT_BUFFER);
    std::vector<BYTE> buf(needed);
    ASSERT_TRUE(GetJobW(printer_, id, 1, buf.data(), needed, &needed));
    const JOB_INFO_1W *info = (const JOB_INFO_1W *)buf.data();
    EXPECT_EQ(info->JobId, id);
    EXPECT_EQ(std::u16string(info->pDocument), u"Quarterly report");
    EXPECT_EQ(info->TotalPages, 2u);
    EXPECT_TRUE(info->Status & JOB_STATUS_PRINTED);
    EXPECT_FALSE(GetJobW(printer_, id + 100, 1, buf.data(), needed, &needed));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
}

TEST_F(Spooler, AnAbortedJobIsListedAbortedWithWhatWasWritten)
{
    DWORD id = StartJob(printer_, TEXT("Cancelled"));
    ASSERT_NE(id, 0u);
    DWORD written = 0;
    ASSERT_TRUE(WritePrinter(printer_, (void *)"@PJL", 4, &written));
    ASSERT_TRUE(AbortPrinter(printer_));
    EXPECT_EQ(Job(id).Status, (DWORD)QMH_JOB_ABORTED);
    EXPECT_EQ(JobBytes(id), "@PJL");
    EXPECT_FALSE(WritePrinter(printer_, (void *)"x", 1, &written));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_SPL_NO_STARTDOC);
}

TEST_F(Spooler, AFailingWriteReportsTheFailureAndKeepsWhatWasWritten)
{
    /* Table: the fault's error (0 = a short write that reports success). */
    for (DWORD error : {(DWORD)ERROR_NO_SPOOL_SPACE, (DWORD)0}) {
        SCOPED_TRACE(testing::Message() << "error " << error);
        DWORD id = StartJob(printer_, TEXT("Faulty"));
        ASSERT_NE(id, 0u);
        qmt_SpoolerFailWrite(150, error);
        char data[100];
        memset(data, 'a', sizeof(data));
        DWORD written = 0;
        ASSERT_TRUE(WritePrinter(printer_, data, 100, &written));
        memset(data, 'b', sizeof(data));
        SetLastError(0);
        BOOL ok = WritePrinter(printer_, data, 100, &written);
        EXPECT_EQ(ok, error == 0 ? TRUE : FALSE);
        if (error) {
            EXPECT_EQ(GetLastError(), error);
        }
        EXPECT_EQ(written, 50u);
        EXPECT_FALSE(WritePrinter(printer_, data, 1, &written) && written == 1) << "nothing passes the fault";
        qmt_SpoolerFailWrite(QMT_SPOOLER_NEVER, 0);
        ASSERT_TRUE(EndDocPrinter(printer_));
        EXPECT_EQ(JobBytes(id), std::string(100, 'a') + std::string(50, 'b'));
        EXPECT_EQ(Job(id).Writes, 2u);
    }
}

TEST_F(Spooler, JobCallsOutOfOrderAreRefused)
{
    DWORD written = 0;
    EXPECT_FALSE(StartPagePrinter(printer_));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_SPL_NO_STARTDOC);
    EXPECT_FALSE(EndDocPrinter(printer_));
    EXPECT_EQ(StartJob(printer_, TEXT("x"), TEXT("NOT A TYPE")), 0u);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_DATATYPE);
    DWORD id = StartJob(printer_, TEXT("Left open"));
    ASSERT_NE(id, 0u);
    EXPECT_EQ(StartJob(printer_, TEXT("Second")), 0u);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PRINTER_STATE);
    ASSERT_TRUE(WritePrinter(printer_, (void *)"abc", 3, &written));
    /* Closing the handle ends the document it still holds. */
    ASSERT_TRUE(ClosePrinter(printer_));
    printer_ = nullptr;
    EXPECT_EQ(Job(id).Status, (DWORD)QMH_JOB_COMPLETED);
    EXPECT_EQ(JobBytes(id), "abc");
}

/* The stored state outlives the process: this test stores printer data, per-user registry
 * values and a job, then runs itself again through scripts/run32 on the same root to run
 * ReadBackInASecondProcess, which checks everything unchanged. */
namespace {

const DWORD kPersistDword = 0xA5A5F00D;

std::string PersistBlock()
{
    std::string b(5452, '\0');
    for (size_t i = 0; i < b.size(); ++i)
        b[i] = (char)(i * 13 + 1);
    return b;
}

} // namespace

TEST_F(Spooler, StoredStateSurvivesTheProcess)
{
    std::string block = PersistBlock();
    ASSERT_EQ(
        SetPrinterDataW(printer_, (LPWSTR)TEXT("PrinterData"), REG_BINARY, (BYTE *)block.data(), (DWORD)block.size()),
        ERROR_SUCCESS);
    ASSERT_EQ(SetPrinterDataW(printer_, (LPWSTR)TEXT("PrinterDataSize"), REG_DWORD, (BYTE *)&kPersistDword, 4),
              ERROR_SUCCESS);
    qmt_PinUserName(TEXT("persist-user"));
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER,
                              TEXT("Software\\QM\\0011223344556677"),
                              0,
                              nullptr,
                              0,
                              KEY_ALL_ACCESS,
                              nullptr,
                              &key,
                              nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, TEXT("UserSettingInfo"), 0, REG_BINARY, (BYTE *)block.data(), 984), ERROR_SUCCESS);
    const WCHAR name[] = TEXT("Favorite 1");
    ASSERT_EQ(RegSetValueExW(key, TEXT("Name"), 0, REG_SZ, (BYTE *)name, sizeof(name)), ERROR_SUCCESS);
    ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    qmt_PinUserName(nullptr);
    DWORD id = StartJob(printer_, TEXT("Persisted"));
    DWORD written = 0;
    ASSERT_TRUE(WritePrinter(printer_, (void *)"\x1b%-12345X", 9, &written));
    ASSERT_TRUE(EndDocPrinter(printer_));
    ASSERT_EQ(id, 1u);

    std::string self = testing::internal::GetArgvs()[0];
    std::string command = "QM_PERSIST_ROOT='" + std::string(getenv("QM_ROOT")) + "' '" + self +
                          "' --gtest_filter=Spooler.ReadBackInASecondProcess 2>&1";
    FILE *child = popen(command.c_str(), "r");
    ASSERT_NE(child, nullptr);
    std::string output;
    char line[512];
    while (fgets(line, sizeof(line), child))
        output += line;
    int status = pclose(child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
    EXPECT_EQ(output.find("SKIPPED"), std::string::npos) << output;
}

TEST_F(Spooler, ReadBackInASecondProcess)
{
    const char *root = getenv("QM_PERSIST_ROOT");
    if (!root)
        GTEST_SKIP() << "run by StoredStateSurvivesTheProcess";
    ClosePrinter(printer_);
    printer_ = nullptr;
    setenv("QM_ROOT", root, 1);
    qmt_ResetRoot();
    ASSERT_TRUE(Open(PRINTER_ACCESS_USE, &printer_));

    std::string block = PersistBlock(), got(block.size(), '\0');
    DWORD type = 0, needed = 0, dword = 0;
    ASSERT_EQ(
        GetPrinterDataW(printer_, (LPWSTR)TEXT("PrinterData"), &type, (BYTE *)got.data(), (DWORD)got.size(), &needed),
        ERROR_SUCCESS);
    EXPECT_EQ(type, (DWORD)REG_BINARY);
    EXPECT_TRUE(got == block);
    ASSERT_EQ(GetPrinterDataW(printer_, (LPWSTR)TEXT("PrinterDataSize"), &type, (BYTE *)&dword, 4, &needed),
              ERROR_SUCCESS);
    EXPECT_EQ(dword, kPersistDword);

    qmt_PinUserName(TEXT("persist-user"));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, TEXT("Software\\QM\\0011223344556677"), 0, KEY_READ, &key),
              ERROR_SUCCESS);
    DWORD cb = 984;
    ASSERT_EQ(RegQueryValueExW(key, TEXT("UserSettingInfo"), nullptr, &type, (BYTE *)got.data(), &cb), ERROR_SUCCESS);
    EXPECT_EQ(cb, 984u);
    EXPECT_EQ(memcmp(got.data(), block.data(), 984), 0);
    WCHAR name[32];
    cb = sizeof(name);
    ASSERT_EQ(RegQueryValueExW(key, TEXT("Name"), nullptr, &type, (BYTE *)name, &cb), ERROR_SUCCESS);
    EXPECT_EQ(type, (DWORD)REG_SZ);
    EXPECT_EQ(std::u16string(name), u"Favorite 1");
    RegCloseKey(key);
    qmt_PinUserName(nullptr);

    QMH_JOB_INFO job = {};
    ASSERT_TRUE(qmh_GetJob(1, &job));
    EXPECT_EQ(job.Status, (DWORD)QMH_JOB_COMPLETED);
    EXPECT_EQ(JobBytes(1), "\x1b%-12345X");
}
