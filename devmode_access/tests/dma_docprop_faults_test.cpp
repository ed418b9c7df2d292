/*
 * The document's files when the system refuses: creating, writing, opening and reading
 * fail through the platform's fault controls, each with its own result and no handle
 * left open.
 */
#include "devmode_access/tests/dma_files.h"

#include "platform/testing/qm_testing.h"

namespace {

using dma_files::Blocks;
using dma_files::Fax;
using dma_files::Info;
using dma_files::Ndev;
using dma_files::WriteBytes;

class DmaDocPropFaults : public dma_files::DmaFileTest
{
protected:
    void TearDown() override
    {
        qmt_FailCreateFile(nullptr, 0);
        qmt_FailWrites(0, 0);
        qmt_ClearWriteFault();
        qmt_ClearReadFault();
        DmaFileTest::TearDown();
    }
};

TEST_F(DmaDocPropFaults, EachFailureHasItsResult)
{
    Blocks b;
    b.ndev = Ndev();
    b.vqb = Info("VQBINFO", 5);
    b.sp = Info("SPINFO", 3);
    b.fax = Fax(1);
    struct Case {
        const char *why;
        void (*fault)();
        LONG docProp, oneTime, replace;
    };
    const Case cases[] = {
        {"creating and opening fail",
         [] { qmt_FailCreateFile(TEXT("qmdma_"), 0); },
         DMA_FILE_OPEN,
         DMA_ONETIME_CREATE,
         DMA_FILE_OPEN},
        {"the first write fails", [] { qmt_FailWrites(1, 0); }, DMA_FILE_WRITE, DMA_ONETIME_WRITE, DMA_SUCCESS},
        {"a write fails inside the second block",
         [] { qmt_FailWriteAt(24 + 4268 + 10, FALSE, 0); },
         DMA_FILE_WRITE,
         DMA_SUCCESS,
         DMA_SUCCESS},
        {"reading fails", [] { qmt_FailReadAfter(0, 0); }, DMA_SUCCESS, DMA_SUCCESS, DMA_FILE_READ},
    };
    for (const Case &c : cases) {
        WriteBytes(settingsFile_, dma_files::Join({b.ndev, b.vqb, b.sp, b.fax}));
        Blocks out = b;
        c.fault();
        EXPECT_EQ(c.replace, api_.ReplaceDocProp(&a_->handle, out.Point())) << c.why;
        TearDown();
        c.fault();
        EXPECT_EQ(c.docProp, api_.ExtractDocPropEx(&a_->handle, b.Point())) << c.why;
        TearDown();
        c.fault();
        EXPECT_EQ(c.oneTime, api_.ExtractOneTimeEx(&a_->handle, b.Point())) << c.why;
        TearDown();
        EXPECT_EQ(0u, qmt_LiveHandles(QMT_HANDLE_FILE)) << c.why;
    }
}

} // namespace
