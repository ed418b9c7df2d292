/*
 * Record names in the ANSI code page: a stamp named in code page 932 is found and named by
 * its double-byte text, and a name the code page has no form of matches nothing, neither
 * through a substitute character nor through a nearest character.
 */
#include "devmode_access/tests/dma_api.h"

#include <memory>

#include "core/stamps/stamp_record.h"
#include "platform/testing/qm_testing.h"

namespace {

class DmaRecordNames : public ::testing::Test
{
protected:
    void SetUp() override
    {
        api_.load();
    }
    void TearDown() override
    {
        qmt_PinAnsiCodePage(0);
    }

    DmaApi api_;
    std::unique_ptr<DmaAreas> a_ = std::make_unique<DmaAreas>();
};

TEST_F(DmaRecordNames, NamesFollowTheAnsiCodePage)
{
    struct Case {
        UINT codePage;
        const WCHAR *stored;
        const char *asked; // the name a program passes
        bool found;
    };
    static const WCHAR kPrinter[] = {0x30D7, 0x30EA, 0x30F3, 0x30BF, 0};
    static const WCHAR kLatin[] = {'A', 0x0101, 0}; // "A" with a-macron: no form in 1252
    const Case cases[] = {
        {932, kPrinter, "\x83\x76\x83\x8A\x83\x93\x83\x5E", true},
        {1252, kPrinter, "????", false},
        {1252, kLatin, "A?", false},
        {1252, kLatin, "Aa", false},
    };
    for (const Case &c : cases) {
        qmt_PinAnsiCodePage(c.codePage);
        DmaEntries entries(1, sizeof(StampRecord), DMA_STATE_CAPTURED);
        memcpy(entries.at(0), c.stored, (lstrlenW(c.stored) + 1) * sizeof(WCHAR));
        entries.attach(&a_->handle.stamps);
        EXPECT_EQ(c.found ? DMA_SUCCESS : DMA_NO_NAMED_ENTRY, api_.AccessibleData(&a_->handle, DMA_KIND_STAMP, c.asked))
            << c.asked;
        char name[64];
        DWORD size = sizeof(name);
        EXPECT_EQ(c.found ? DMA_SUCCESS : DMA_BAD_ARGUMENT,
                  api_.GetNameFromInfo(entries.at(0), DMA_KIND_STAMP, &size, name))
            << c.asked;
        if (c.found) {
            EXPECT_STREQ(c.asked, name);
        }
    }

    // A name given in code page 932 is stored as its wide text.
    qmt_PinAnsiCodePage(932);
    DmaEntries entries(1, sizeof(StampRecord));
    entries.attach(&a_->handle.stamps);
    ASSERT_EQ(DMA_SUCCESS, api_.ApplyData(&a_->handle, DMA_KIND_STAMP, DMA_APPLY_LAST, cases[0].asked));
    EXPECT_EQ(0, memcmp(entries.at(0), kPrinter, sizeof(kPrinter)));
}

} // namespace
