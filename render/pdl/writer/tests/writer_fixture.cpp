#include "render/pdl/writer/tests/writer_fixture.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "platform/testing/qm_testing.h"
#include "render/stream/output_stream.h"
#include "tools/lumiq/lumiq_decoder.h"

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("render_writer_tests.log");
}

namespace writer_test {

namespace {

const WCHAR kOutput[] = TEXT("C:\\writer\\stream.bin");

// The output file as the host sees it under the platform root (the stream keeps it
// open without sharing).
std::vector<BYTE> ReadOutput()
{
    const char *root = getenv("QM_ROOT");
    std::string path = std::string(root != nullptr ? root : ".") + "/c/writer/stream.bin";
    std::ifstream file(path, std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

} // namespace

std::string F(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", (double)value);
    return text;
}

void WriterTest::SetUp()
{
    globalsAtStart_ = qmt_LiveGlobalBlocks();
    areas_ = std::make_unique<TestSettingsAreas>();
    pdev_ = (PDEV *)calloc(1, sizeof(PDEV));
    ASSERT_NE(pdev_, nullptr);
    pdev_->printerData = &areas_->block;
    CreateDirectoryW(TEXT("C:\\writer"), nullptr);
    stream_ = spl_CreateStream(nullptr);
    ASSERT_NE(stream_, nullptr);
    ASSERT_EQ(spl_OpenOutputFile(stream_, kOutput, 1, nullptr), 0);
    pdev_->job.stream = stream_;
}

void WriterTest::TearDown()
{
    pdl_DestroyWriter(writer_);
    spl_DestroyStream(stream_);
    free(pdev_);
    EXPECT_EQ(qmt_LiveGlobalBlocks(), globalsAtStart_) << "global blocks left behind";
}

void WriterTest::Set(WORD functionId, LONG value)
{
    areas_->set(functionId, value);
    memcpy(&pdev_->devmode, &areas_->devmode, sizeof pdev_->devmode);
}

void WriterTest::CreateWriter(DWORD memorySize)
{
    memcpy(&pdev_->devmode, &areas_->devmode, sizeof pdev_->devmode);
    writer_ = pdl_CreateWriter(pdev_->job.stream, &pdev_->devmode, pdev_->printerData, memorySize);
    ASSERT_NE(writer_, nullptr);
}

std::vector<BYTE> WriterTest::Bytes()
{
    spl_FlushStream(stream_);
    std::vector<BYTE> all = ReadOutput();
    return std::vector<BYTE>(all.begin() + (std::ptrdiff_t)std::min(mark_, all.size()), all.end());
}

std::vector<std::string> WriterTest::Commands()
{
    std::vector<BYTE> bytes = Bytes();
    std::vector<std::string> lines;
    LqdError error;
    if (!lqd_DecodeCommands(bytes.data(), bytes.size(), 0, lines, error)) {
        ADD_FAILURE() << "broken stream at " << error.offset << ": " << error.reason;
        lines.push_back("broken: " + error.reason);
    }
    return lines;
}

void WriterTest::Mark()
{
    spl_FlushStream(stream_);
    mark_ = ReadOutput().size();
}

void WriterTest::FailWrites(bool on)
{
    spl_FlushStream(stream_);
    stream_->sinkKind = on ? SINK_CLOSED : SINK_FILE;
}

} // namespace writer_test
