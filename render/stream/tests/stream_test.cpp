/*
 * The output stream: buffering, the spooler call pattern, failures, second jobs and
 * file sinks with their retry question.
 */
#include "render/stream/output_stream.h"

#include "render/stream/spool_job.h"
#include "render/stream/tests/output_fixture.h"

namespace output_test {
namespace {

using Bytes = std::vector<BYTE>;

TEST_F(StreamTest, SmallWritesStayBufferedUntilOneDoesNotFit)
{
    Bytes a = Pattern(1000), b = Pattern(1048, 7), c = Pattern(1, 9);
    EXPECT_EQ(spl_WriteStream(stream_, 1000, a.data()), 1000);
    EXPECT_EQ(spl_WriteStream(stream_, 1048, b.data()), 1048);
    EXPECT_TRUE(WriteSizes(job_).empty());
    EXPECT_EQ(spl_WriteStream(stream_, 1, c.data()), 1);
    EXPECT_EQ(WriteSizes(job_), (std::vector<DWORD>{2048, 1}));
    Bytes all = a;
    all.insert(all.end(), b.begin(), b.end());
    all.insert(all.end(), c.begin(), c.end());
    EXPECT_EQ(JobBytes(job_), all);
}

TEST_F(StreamTest, LargeWritesGoOutInMillionBytePieces)
{
    struct Case {
        DWORD length;
        std::vector<DWORD> calls;
    } cases[] = {
        {2500000, {1000000, 1000000, 500000}},
        {1000000, {1000000}},
        {1000001, {1000000, 1}},
    };
    std::vector<DWORD> expected;
    Bytes all;
    for (const Case &c : cases) {
        Bytes bytes = Pattern(c.length, (BYTE)c.length);
        EXPECT_EQ(spl_WriteStream(stream_, c.length, bytes.data()), (LONG)c.length);
        expected.insert(expected.end(), c.calls.begin(), c.calls.end());
        all.insert(all.end(), bytes.begin(), bytes.end());
    }
    EXPECT_EQ(WriteSizes(job_), expected);
    EXPECT_EQ(JobBytes(job_), all);
}

TEST_F(StreamTest, RefusalsOfTheWrite)
{
    BYTE byte = 1;
    EXPECT_EQ(spl_WriteStream(NULL, 1, &byte), -1);
    EXPECT_EQ(spl_WriteStream(stream_, 0, NULL), 0);
    EXPECT_EQ(spl_WriteStream(stream_, 1, NULL), -1);
    EXPECT_EQ(spl_CloseChannel(stream_, FALSE), 0);
    EXPECT_EQ(spl_WriteStream(stream_, 1, &byte), -1);
    EXPECT_EQ(spl_FlushStream(stream_), -1);
    EXPECT_EQ(spl_OpenSpoolerChannel(stream_, NULL), -1);
    EXPECT_EQ(stream_->sinkKind, SINK_CLOSED);
}

// A spooler that fails or takes fewer bytes than given fails the write, unbuffered or
// flushed, and a channel closed on success reports the failed flush.
TEST_F(StreamTest, SpoolerFailuresFailTheWrite)
{
    struct Case {
        DWORD error; // 0: a short write reported as success
        DWORD length;
    } cases[] = {{ERROR_DISK_FULL, 5000}, {0, 5000}, {ERROR_DISK_FULL, 100}};
    for (const Case &c : cases) {
        qmt_SpoolerFailWrite(JobInfo(job_).Bytes + 10, c.error);
        Bytes bytes = Pattern(c.length);
        LONG wrote = spl_WriteStream(stream_, c.length, bytes.data());
        LONG flushed = spl_FlushStream(stream_);
        EXPECT_EQ(wrote == -1 || flushed == -1, true) << c.error << " " << c.length;
        EXPECT_EQ(c.length > STREAM_BUFFER_SIZE ? wrote : flushed, -1);
        qmt_SpoolerFailWrite(QMT_SPOOLER_NEVER, 0);
    }
    BYTE byte = 1;
    spl_WriteStream(stream_, 1, &byte);
    qmt_SpoolerFailWrite(JobInfo(job_).Bytes, ERROR_DISK_FULL);
    EXPECT_EQ(spl_CloseChannel(stream_, FALSE), -1);
}

TEST_F(StreamTest, SecondJobTakesItsOwnBytesAndEndsCompletedOrAborted)
{
    for (BOOL failed : {FALSE, TRUE}) {
        Bytes before = Pattern(10, 1), inside = Pattern(3000, 2);
        ASSERT_EQ(spl_WriteStream(stream_, 10, before.data()), 10);
        ASSERT_EQ(spl_OpenSecondJob(stream_, printer_, TEXT("copy")), 0);
        EXPECT_EQ(JobBytes(job_).size(), failed ? 20u : 10u) << "the buffer went to the old target first";
        ASSERT_EQ(spl_WriteStream(stream_, 3000, inside.data()), 3000);
        EXPECT_EQ(spl_CloseSecondJob(stream_, failed), 0);
        DWORD second = Jobs().back();
        QMH_JOB_INFO info = JobInfo(second);
        EXPECT_EQ(info.Status, failed ? (DWORD)QMH_JOB_ABORTED : (DWORD)QMH_JOB_COMPLETED);
        EXPECT_EQ(info.Pages, 1u);
        EXPECT_EQ(std::u16string(info.DataType), u"RAW");
        EXPECT_EQ(std::u16string(info.DocumentName), u"copy");
        EXPECT_EQ(JobBytes(second), inside);
        EXPECT_EQ(stream_->sinkKind, SINK_CLOSED);
        spl_OpenSpoolerChannel(stream_, printer_);
    }
}

TEST_F(StreamTest, SecondJobBufferedBytesAreDroppedOnFailure)
{
    Bytes bytes = Pattern(100);
    ASSERT_EQ(spl_OpenSecondJob(stream_, printer_, TEXT("copy")), 0);
    ASSERT_EQ(spl_WriteStream(stream_, 100, bytes.data()), 100);
    EXPECT_EQ(spl_CloseSecondJob(stream_, TRUE), 0);
    EXPECT_EQ(JobInfo(Jobs().back()).Bytes, 0u);
}

TEST_F(StreamTest, SecondJobThatCannotStartLeavesNothingOpen)
{
    DWORD handles = qmt_LivePrinterHandles();
    qmt_SpoolerFailStartDoc(ERROR_ACCESS_DENIED);
    EXPECT_EQ(spl_OpenSecondJob(stream_, printer_, TEXT("copy")), -1);
    qmt_SpoolerFailOpen(1, ERROR_ACCESS_DENIED);
    EXPECT_EQ(spl_OpenSecondJob(stream_, printer_, TEXT("copy")), -1);
    EXPECT_EQ(qmt_LivePrinterHandles(), handles);
    EXPECT_EQ(stream_->target, printer_);
}

TEST(SpoolJob, DocumentNameIsCutTo257Characters)
{
    ASSERT_TRUE(InstallPrinter());
    HANDLE printer = NULL;
    ASSERT_TRUE(OpenPrinterW((LPWSTR)kPrinterName, &printer, NULL));
    std::u16string name(300, u'n');
    HANDLE job = spl_StartSpoolJob(printer, name.c_str());
    ASSERT_NE(job, nullptr);
    EXPECT_TRUE(spl_EndSpoolJob(job));
    EXPECT_EQ(std::u16string(JobInfo(Jobs().back()).DocumentName), name.substr(0, 257));
    EXPECT_EQ(JobInfo(Jobs().back()).Status, (DWORD)QMH_JOB_COMPLETED);
    ClosePrinter(printer);
}

// File writes that fail ask the user: OK goes on with the bytes not yet written, Cancel
// (or a box that fails) answers -1. Both the unbuffered write and the flush ask.
TEST_F(StreamTest, FailedFileWritesAskToRetry)
{
    struct Case {
        const char *name;
        DWORD length; // above 2048: written unbuffered; else through the flush
        BOOL shortWrite;
        std::vector<int> answers;
        LONG result;
    } cases[] = {
        {"unbuffered, OK", 5000, FALSE, {IDOK}, 0},
        {"unbuffered, Cancel", 5000, FALSE, {IDCANCEL}, -1},
        {"unbuffered, box fails", 5000, FALSE, {0}, -1},
        {"flush, short write, OK", 1500, TRUE, {IDOK}, 0},
        {"flush, Cancel", 1500, FALSE, {IDCANCEL}, -1},
    };
    for (const Case &c : cases) {
        WCHAR path[] = TEXT("C:\\out.bin");
        DeleteFileW(path);
        qmt_ResetMessageBoxes();
        ASSERT_EQ(spl_OpenOutputFile(stream_, path, 1, NULL), 0) << c.name;
        stream_->messageId = 4;
        Bytes bytes = Pattern(c.length, 3);
        qmt_FailWriteAt(700, c.shortWrite, ERROR_DISK_FULL);
        qmt_ScriptMessageBoxAnswers(c.answers.data(), (DWORD)c.answers.size());
        LONG wrote = spl_WriteStream(stream_, c.length, bytes.data());
        LONG flushed = spl_FlushStream(stream_);
        EXPECT_EQ(wrote == -1 || flushed == -1 ? -1 : 0, c.result) << c.name;
        ASSERT_EQ(qmt_MessageBoxCount(), 1u) << c.name;
        EXPECT_EQ(std::u16string(Box(0).text), u"Output file write failed");
        EXPECT_EQ(std::u16string(Box(0).caption), u"Output caption");
        EXPECT_EQ(Box(0).type, (UINT)(MB_OKCANCEL | MB_ICONINFORMATION | MB_SETFOREGROUND));
        EXPECT_EQ(spl_CloseOutputFile(stream_, NULL), 0);
        Bytes kept = FileBytes(path);
        Bytes expected = c.result == 0 ? bytes : Bytes(bytes.begin(), bytes.begin() + 700);
        EXPECT_EQ(kept, expected) << c.name << (c.result == 0 ? ": every byte once" : "");
        qmt_ClearWriteFault();
    }
}

TEST_F(StreamTest, OutputFileOpensAtItsEndAndClosesBackToTheSpooler)
{
    Bytes first = Pattern(30), second = Pattern(20, 5);
    DWORD end = 99;
    ASSERT_EQ(spl_OpenOutputFile(stream_, TEXT("C:\\kept.bin"), 1, &end), 0);
    EXPECT_EQ(end, 0u);
    spl_WriteStream(stream_, 30, first.data());
    EXPECT_EQ(spl_CloseOutputFile(stream_, &end), 0);
    EXPECT_EQ(end, 30u);
    EXPECT_EQ(stream_->sinkKind, SINK_SPOOLER);
    ASSERT_EQ(spl_OpenOutputFile(stream_, TEXT("C:\\kept.bin"), 0, &end), 0);
    EXPECT_EQ(end, 30u);
    spl_WriteStream(stream_, 20, second.data());
    EXPECT_EQ(spl_CloseOutputFile(stream_, NULL), 0);
    first.insert(first.end(), second.begin(), second.end());
    EXPECT_EQ(FileBytes(TEXT("C:\\kept.bin")), first);
    EXPECT_TRUE(JobBytes(job_).empty());
}

TEST_F(StreamTest, FileSinkBesideTheSpoolerGetsTheSameBytes)
{
    Bytes early = Pattern(10, 1), both = Pattern(4000, 2);
    spl_WriteStream(stream_, 10, early.data());
    ASSERT_EQ(spl_AddFileSink(stream_, TEXT("C:\\copy.bin")), 0);
    EXPECT_EQ(spl_AddFileSink(stream_, TEXT("C:\\other.bin")), -1) << "only from the spooler alone";
    spl_WriteStream(stream_, 4000, both.data());
    EXPECT_EQ(spl_RemoveFileSink(stream_), 0);
    EXPECT_EQ(FileBytes(TEXT("C:\\copy.bin")), both);
    Bytes all = early;
    all.insert(all.end(), both.begin(), both.end());
    EXPECT_EQ(JobBytes(job_), all);
}

// Closing the channel closes the file of every file kind, the capture kind 5 included.
TEST_F(StreamTest, ClosingTheChannelClosesAnyFile)
{
    for (WORD kind : {SINK_FILE, SINK_SPOOLER_AND_FILE, SINK_CAPTURE_FILE}) {
        ASSERT_EQ(spl_OpenOutputFile(stream_, TEXT("C:\\capture.bin"), 1, NULL), 0);
        ASSERT_EQ(spl_SetSinkKind(stream_, kind), 0);
        BYTE byte = 7;
        spl_WriteStream(stream_, 1, &byte);
        EXPECT_EQ(spl_CloseChannel(stream_, TRUE), 0);
        EXPECT_EQ(stream_->outFile, INVALID_HANDLE_VALUE) << kind;
        EXPECT_TRUE(FileBytes(TEXT("C:\\capture.bin")).empty()) << "a failed close drops the buffer";
        spl_OpenSpoolerChannel(stream_, printer_);
    }
    EXPECT_EQ(spl_SetSinkKind(stream_, 6), -1);
}

TEST_F(StreamTest, UserOutputFileBesideTheSpooler)
{
    ASSERT_EQ(spl_OpenUserOutputPath(stream_, TEXT("C:\\out\\a"), TEXT("doc")), 0);
    EXPECT_EQ(stream_->sinkKind, SINK_SPOOLER_AND_FILE);
    EXPECT_EQ(stream_->messageId, 4u);
    Bytes bytes = Pattern(100);
    spl_WriteStream(stream_, 100, bytes.data());
    EXPECT_EQ(spl_CloseChannel(stream_, FALSE), 0);
    EXPECT_EQ(FileBytes(TEXT("C:\\out\\a\\doc.prn")), bytes);
    EXPECT_EQ(JobBytes(job_), bytes);
}

TEST_F(StreamTest, UserOutputFolderRefusals)
{
    HANDLE blocker = CreateFileW(TEXT("C:\\blocked"), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    CloseHandle(blocker);
    ScriptAnswers({IDOK, IDCANCEL});
    EXPECT_EQ(spl_OpenUserOutputPath(stream_, TEXT("C:\\blocked\\x"), TEXT("doc")), 0) << "OK: go on without a file";
    EXPECT_EQ(stream_->sinkKind, SINK_SPOOLER);
    EXPECT_EQ(spl_OpenUserOutputPath(stream_, TEXT("C:\\blocked\\x"), TEXT("doc")), -1) << "Cancel fails the job";
    std::u16string long_name(250, u'n');
    EXPECT_EQ(spl_OpenUserOutputPath(stream_, TEXT("C:\\out"), long_name.c_str()), -1) << "path above 260";
    EXPECT_EQ(stream_->outFile, INVALID_HANDLE_VALUE);
}

} // namespace
} // namespace output_test
