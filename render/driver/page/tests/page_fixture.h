/*
 * Shared set-up of the page-command tests: the writer tests' PDEV and stream, with the
 * test model's paper sources, an A4 output paper whose description record the test
 * chooses, and the job's output begun.
 */
#ifndef QM_RENDER_DRIVER_PAGE_TESTS_PAGE_FIXTURE_H
#define QM_RENDER_DRIVER_PAGE_TESTS_PAGE_FIXTURE_H

#include <windows.h>

#include <vector>

#include "render/driver/page/page_setup.h"
#include "render/pdl/writer/tests/writer_fixture.h"

namespace page_test {

using Lines = std::vector<std::string>;

// A paper description record (type 10): paper-kind word, minimum and maximum size, the
// extras kind and range.
DddPaper PaperDescriptionRecord(WORD kindWord, DddSize minimum, DddSize maximum);

// A paper record of the given size without margins.
PaperRecord Paper(WORD code, WORD width, WORD length);

class PageTest : public writer_test::WriterTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    PageSetupState &setup()
    {
        return pdev_->job.setup;
    }
    // Sets the job's PDL version (setting 8205).
    void Version(DWORD version);

    DddFile model_ = {};
    DddFile base_ = {};
    std::vector<BYTE> modelBytes_;
    std::vector<BYTE> baseBytes_;
    DddPaper outputRecord_ = {}; // variable-size custom paper
};

} // namespace page_test

#endif /* QM_RENDER_DRIVER_PAGE_TESTS_PAGE_FIXTURE_H */
