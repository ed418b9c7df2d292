#include "render/driver/page/tests/page_fixture.h"

#include <fstream>
#include <iterator>

#include "render/driver/header/job_header.h"

namespace page_test {

namespace {

std::vector<BYTE> HostBytes(const char *path)
{
    std::ifstream file(path, std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

} // namespace

DddPaper PaperDescriptionRecord(WORD kindWord, DddSize minimum, DddSize maximum)
{
    DddPaper paper = {};
    paper.head.type = 10;
    paper.head.format = 8192;
    paper.word1 = kindWord;
    paper.minSize = minimum;
    paper.maxSize = maximum;
    paper.byte2 = 1;
    return paper;
}

PaperRecord Paper(WORD code, WORD width, WORD length)
{
    PaperRecord paper = {};
    paper.paperCode = code;
    paper.width = width;
    paper.length = length;
    paper.printableWidth = width;
    paper.printableLength = length;
    paper.fits = 1;
    return paper;
}

void PageTest::SetUp()
{
    WriterTest::SetUp();
    modelBytes_ = HostBytes(QM_PAGE_MODEL);
    baseBytes_ = HostBytes(QM_MODELS_DIR "/QM50BASE.DDD");
    ASSERT_EQ(ddd_OpenMemoryPair(modelBytes_.data(),
                                 (DWORD)modelBytes_.size(),
                                 baseBytes_.data(),
                                 (DWORD)baseBytes_.size(),
                                 &model_,
                                 &base_),
              DDD_OK);
    pdev_->modelFile = &model_;
    pdev_->baseFile = &base_;
    Set(16, 1);
    Set(7, 1);
    CreateWriter();
    pdev_->job.writer = writer_;
    ASSERT_EQ(jc_CreateJobInfo(pdev_), 0);
    pdev_->job.pageState = PAGE_STATE_DOC_OPEN | PAGE_STATE_OUTPUT_BEGUN;
    outputRecord_ = PaperDescriptionRecord('Q', DddSize{900, 1480}, DddSize{2159, 3556});
    pdev_->paper[1].record = &outputRecord_;
    setup().page.page = Paper(9, 2100, 2970);
    setup().page.output = Paper(9, 2100, 2970);
    setup().paperSource = 257;
    setup().snapshot.colorMode = 1;
    setup().snapshot.duplex = 1;
    setup().snapshot.nupCount = 1;
}

void PageTest::TearDown()
{
    jc_FreeJobInfo(pdev_);
    ddd_CloseFilePair(&model_, &base_);
    WriterTest::TearDown();
}

void PageTest::Version(DWORD version)
{
    Set(8205, (LONG)version);
}

} // namespace page_test
