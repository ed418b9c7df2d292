/*
 * Shared set-up of the writer tests: a PDEV whose settings the test chooses, a real
 * output stream with a file sink, the writer over both, and the stream read back through
 * the independent decoder.
 */
#ifndef QM_RENDER_PDL_WRITER_TESTS_WRITER_FIXTURE_H
#define QM_RENDER_PDL_WRITER_TESTS_WRITER_FIXTURE_H

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "render/driver/pdev/pdev.h"
#include "render/pdl/writer/pdl_writer.h"
#include "testing/settings_areas.h"

namespace writer_test {

// "%.9g" of a float, as the decoder lists floats.
std::string F(float value);

// A PDEV with zeroed settings areas and an output stream writing to a file.
class WriterTest : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Stores a numeric setting in the PDEV's areas (before CreateWriter).
    void Set(WORD functionId, LONG value);
    // Creates writer_ over the PDEV (memory size given).
    void CreateWriter(DWORD memorySize = 0);
    // The stream's bytes since the last Mark (flushing the stream first).
    std::vector<BYTE> Bytes();
    // The listing lines of the commands since the last Mark; a decoding failure fails
    // the test and lists "broken: <reason>" last.
    std::vector<std::string> Commands();
    // Forgets what was written so far.
    void Mark();
    // Makes every stream write fail (on 1) or work again (on 0).
    void FailWrites(bool on);

    std::unique_ptr<TestSettingsAreas> areas_;
    PDEV *pdev_ = nullptr;
    OutputStream *stream_ = nullptr;
    PdlWriter *writer_ = nullptr;
    DWORD globalsAtStart_ = 0;
    size_t mark_ = 0;
};

} // namespace writer_test

#endif /* QM_RENDER_PDL_WRITER_TESTS_WRITER_FIXTURE_H */
