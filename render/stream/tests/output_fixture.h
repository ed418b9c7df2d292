/*
 * Shared set-up of the output tests: an installed printer with a job open on the
 * driver's own handle, and readers of what the spooler and the files kept.
 */
#ifndef QM_RENDER_STREAM_TESTS_OUTPUT_FIXTURE_H
#define QM_RENDER_STREAM_TESTS_OUTPUT_FIXTURE_H

#include <windows.h>
#include <winspool.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <qmhost.h>

#include "platform/testing/qm_testing.h"
#include "render/stream/output_stream.h"
#include "render/stream/tests/test_printer.h"

namespace output_test {

// Bytes 0, 1, 2 ... (mod 251) of a given length.
std::vector<BYTE> Pattern(size_t length, BYTE seed = 0);

// Sizes of the WritePrinter calls of a job, and its bytes.
std::vector<DWORD> WriteSizes(DWORD job);
std::vector<BYTE> JobBytes(DWORD job);
QMH_JOB_INFO JobInfo(DWORD job);
// The job ids of the test printer, oldest first.
std::vector<DWORD> Jobs();

// Whole contents of a file, empty when it cannot be read.
std::vector<BYTE> FileBytes(LPCWSTR path);
BOOL Exists(LPCWSTR path);

// Answers the next message boxes in turn.
void ScriptAnswers(std::initializer_list<int> answers);
// The message box call number index (from 0).
QmtMessageBoxCall Box(DWORD index);

// A printer with a job open on the driver's own handle and a stream on it.
class StreamTest : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    HANDLE printer_ = NULL;
    DWORD job_ = 0;
    OutputStream *stream_ = NULL;
    DWORD handles_ = 0;
    DWORD files_ = 0;
};

} // namespace output_test

#endif /* QM_RENDER_STREAM_TESTS_OUTPUT_FIXTURE_H */
