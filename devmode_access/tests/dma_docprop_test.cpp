/*
 * The document's settings file and one-time file through the exports: the order of the
 * blocks, the core's loader and saver on the same files, the size protocol of the reader,
 * and broken files.
 */
#include "devmode_access/tests/dma_files.h"

#include "core/stored/stored.h"
#include "devmode_access/dma_private.h"

/* The core's loader and saver link the trace, whose log name each program gives. */
extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("\\DMA_TESTS_LOG.txt");
}

namespace {

using dma_files::Blocks;
using dma_files::Bytes;
using dma_files::DmaFileTest;
using dma_files::Fax;
using dma_files::Info;
using dma_files::Join;
using dma_files::Ndev;
using dma_files::ReadBytes;
using dma_files::WriteBytes;

/* Blocks with room for size bytes each and a guard pattern. */
Blocks Buffers(DWORD size)
{
    Blocks b;
    b.ndev.assign(size, 0xEE);
    b.vqb.assign(size, 0xEE);
    b.fax.assign(size, 0xEE);
    b.sp.assign(size, 0xEE);
    return b;
}

using DmaDocProp = DmaFileTest;

TEST_F(DmaDocProp, WritesTheBlocksInFileOrderForTheCoreToLoad)
{
    Blocks b;
    b.ndev = Ndev();
    b.vqb = Info("VQBINFO", 5);
    b.fax = Fax(2);
    b.sp = Info("SPINFO", 3);
    WriteBytes(settingsFile_, Bytes(10000, 1)); // a longer file there is replaced
    ASSERT_EQ(DMA_SUCCESS, api_.ExtractDocPropEx(&a_->handle, b.Point()));
    const Bytes file = ReadBytes(settingsFile_);
    EXPECT_EQ(Join({b.ndev, b.vqb, b.sp, b.fax}), file);

    DevmodeSecondPart second;
    void *fax = nullptr, *vqb = nullptr, *sp = nullptr;
    DWORD vqbSize = 0, spSize = 0;
    ASSERT_TRUE(
        pd_LoadSettingsBlocks(nullptr, nullptr, settingsFile_.c_str(), 0, &fax, &second, &vqb, &vqbSize, &sp, &spSize));
    EXPECT_EQ(0, memcmp(&second, b.ndev.data() + 24, sizeof(second)));
    EXPECT_EQ(Bytes(b.vqb.begin() + 20, b.vqb.end()), Bytes((BYTE *)vqb, (BYTE *)vqb + vqbSize));
    EXPECT_EQ(Bytes(b.sp.begin() + 20, b.sp.end()), Bytes((BYTE *)sp, (BYTE *)sp + spSize));
    ASSERT_NE(nullptr, fax);
    EXPECT_EQ(0, memcmp(fax, b.fax.data(), b.fax.size()));
    GlobalFree(fax);
    GlobalFree(vqb);
    GlobalFree(sp);

    // The blocks passed one by one give the same file; without a fax list none is written.
    DeleteFileW(settingsFile_.c_str());
    const DmaDocPropBlocks &r = b.record;
    ASSERT_EQ(DMA_SUCCESS,
              api_.ExtractDocProp(&a_->handle, r.ndev, r.ndevSize, r.vqb, r.vqbSize, r.fax, r.faxSize, r.sp, r.spSize));
    EXPECT_EQ(file, ReadBytes(settingsFile_));
    ASSERT_EQ(DMA_SUCCESS,
              api_.ExtractDocProp(&a_->handle, r.ndev, r.ndevSize, r.vqb, r.vqbSize, nullptr, 0, r.sp, r.spSize));
    EXPECT_EQ(Join({b.ndev, b.vqb, b.sp}), ReadBytes(settingsFile_));
}

TEST_F(DmaDocProp, TheOneTimeFileHoldsTheFaxList)
{
    Blocks b;
    b.fax = Fax(1);
    ASSERT_EQ(DMA_SUCCESS, api_.ExtractOneTimeEx(&a_->handle, b.Point()));
    EXPECT_EQ(b.fax, ReadBytes(oneTimeFile_));
    DeleteFileW(oneTimeFile_.c_str());
    ASSERT_EQ(DMA_SUCCESS, api_.ExtractOneTime(&a_->handle, nullptr, 0, nullptr, 0, b.fax.data(), 1442, nullptr, 0));
    EXPECT_EQ(Bytes(b.fax.begin(), b.fax.begin() + 1442), ReadBytes(oneTimeFile_));
    EXPECT_FALSE(dma_files::Exists(settingsFile_));

    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.ExtractOneTime(&a_->handle, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0));
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.ExtractOneTimeEx(&a_->handle, nullptr));
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.ExtractOneTimeEx(nullptr, b.Point()));
}

TEST_F(DmaDocProp, EmptyPathsAskForNoFileAndBadArgumentsAreRefused)
{
    Blocks b;
    b.ndev = Ndev();
    b.vqb = Info("VQBINFO", 0);
    b.sp = Info("SPINFO", 0);
    b.fax = Fax(0);
    SetPath(374, qm_wstring());
    SetPath(375, qm_wstring());
    EXPECT_EQ(DMA_SUCCESS, api_.ExtractDocPropEx(&a_->handle, b.Point()));
    EXPECT_EQ(DMA_SUCCESS, api_.ExtractOneTimeEx(&a_->handle, b.Point()));
    Blocks out = Buffers(10);
    const Blocks untouched = out;
    EXPECT_EQ(DMA_SUCCESS, api_.ReplaceDocProp(&a_->handle, out.Point()));
    EXPECT_EQ(untouched.ndev, out.ndev);
    EXPECT_EQ(10u, out.record.ndevSize);
    EXPECT_FALSE(dma_files::Exists(settingsFile_));
    EXPECT_FALSE(dma_files::Exists(oneTimeFile_));

    SetPath(374, settingsFile_);
    for (void **required : {&b.record.ndev, &b.record.vqb, &b.record.sp}) {
        b.Point();
        *required = nullptr;
        EXPECT_EQ(DMA_BAD_ARGUMENT, api_.ExtractDocPropEx(&a_->handle, &b.record));
    }
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.ExtractDocPropEx(nullptr, b.Point()));
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.ExtractDocPropEx(&a_->handle, nullptr));
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.ReplaceDocProp(nullptr, out.Point()));
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.ReplaceDocProp(&a_->handle, nullptr));
    EXPECT_FALSE(dma_files::Exists(settingsFile_));

    // A path without its end inside the setting names no file.
    DmaPlace place;
    ASSERT_EQ(DMA_SUCCESS, dma_LocateFunction(&a_->devmode, &a_->block, 374, &place));
    for (DWORD i = 0; i < place.capacity; i += 2)
        memcpy(place.storage + i, "x", 2);
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.ExtractDocPropEx(&a_->handle, b.Point()));
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.ReplaceDocProp(&a_->handle, out.Point()));
    a_->handle.devmode = nullptr;
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.ExtractOneTimeEx(&a_->handle, b.Point()));

    a_->handle.devmode = &a_->devmode;
    SetPath(374, settingsFile_ + QMW(".missing"));
    EXPECT_EQ(DMA_FILE_OPEN, api_.ReplaceDocProp(&a_->handle, out.Point()));
}

TEST_F(DmaDocProp, AFileTheCoreSavedComesBackByteForByte)
{
    Bytes second = Ndev();
    second.erase(second.begin(), second.begin() + 24);
    const Bytes vqb(7, 0x31), sp(2, 0x32), fax = Fax(3);
    for (bool withFax : {false, true}) {
        WriteBytes(settingsFile_, Bytes()); // the core saves into a file made empty first
        ASSERT_TRUE(pd_SaveSettingsBlocks(nullptr,
                                          nullptr,
                                          settingsFile_.c_str(),
                                          0,
                                          withFax ? fax.data() : nullptr,
                                          withFax ? (DWORD)fax.size() : 0,
                                          (const DevmodeSecondPart *)second.data(),
                                          vqb.data(),
                                          (DWORD)vqb.size(),
                                          sp.data(),
                                          (DWORD)sp.size()));
        const Bytes file = ReadBytes(settingsFile_);
        Blocks out = Buffers(8000);
        ASSERT_EQ(DMA_SUCCESS, api_.ReplaceDocProp(&a_->handle, out.Point())) << withFax;
        const DmaDocPropBlocks &r = out.record;
        EXPECT_EQ(24u + 4268, r.ndevSize);
        EXPECT_EQ(27u, r.vqbSize);
        EXPECT_EQ(22u, r.spSize);
        EXPECT_EQ(withFax ? fax.size() : 0u, r.faxSize);
        Bytes back = Join({Bytes(out.ndev.begin(), out.ndev.begin() + r.ndevSize),
                           Bytes(out.vqb.begin(), out.vqb.begin() + r.vqbSize),
                           Bytes(out.sp.begin(), out.sp.begin() + r.spSize),
                           Bytes(out.fax.begin(), out.fax.begin() + r.faxSize)});
        EXPECT_EQ(file, back) << withFax;
        EXPECT_EQ(0xEE, out.fax[r.faxSize]);
    }
}

TEST_F(DmaDocProp, TheSizeProtocolAnswersTheNeededSizes)
{
    struct Case {
        const char *why;
        Bytes file;
        DWORD ndev, vqb, fax, sp;
    };
    const Case cases[] = {
        {"minimal: the second part and two empty info headers",
         Join({Ndev(), Info("VQBINFO", 0), Info("SPINFO", 0)}),
         24 + 4268,
         20,
         0,
         20},
        {"with data and a fax list",
         Join({Ndev(), Info("VQBINFO", 9), Info("SPINFO", 4), Fax(2)}),
         4292,
         29,
         1442 + 2 * 742,
         24},
        {"the second part alone", Ndev(), 4292, 0, 0, 0},
        {"an empty file", Bytes(), 0, 0, 0, 0},
    };
    for (const Case &c : cases) {
        WriteBytes(settingsFile_, c.file);
        DmaDocPropBlocks query = {};
        ASSERT_EQ(DMA_MORE_DATA, api_.ReplaceDocProp(&a_->handle, &query)) << c.why;
        EXPECT_EQ(c.ndev, query.ndevSize) << c.why;
        EXPECT_EQ(c.vqb, query.vqbSize) << c.why;
        EXPECT_EQ(c.fax, query.faxSize) << c.why;
        EXPECT_EQ(c.sp, query.spSize) << c.why;

        // Buffers of exactly the needed sizes (a fax buffer only for a fax list) are filled.
        Blocks out;
        out.ndev.assign(c.ndev + 1, 0xEE);
        out.vqb.assign(c.vqb + 1, 0xEE);
        out.fax.assign(c.fax, 0xEE);
        out.sp.assign(c.sp + 1, 0xEE);
        DmaDocPropBlocks *r = out.Point();
        r->ndevSize = c.ndev;
        r->vqbSize = c.vqb;
        r->spSize = c.sp;
        if (c.vqb != 0) {
            r->vqbSize--; // one byte short: nothing is copied
            const Blocks before = out;
            EXPECT_EQ(DMA_MORE_DATA, api_.ReplaceDocProp(&a_->handle, r)) << c.why;
            EXPECT_EQ(c.vqb, r->vqbSize);
            EXPECT_EQ(c.ndev, r->ndevSize);
            EXPECT_EQ(before.ndev, out.ndev) << c.why;
        }
        ASSERT_EQ(DMA_SUCCESS, api_.ReplaceDocProp(&a_->handle, r)) << c.why;
        EXPECT_EQ(c.file,
                  Join({Bytes(out.ndev.begin(), out.ndev.begin() + c.ndev),
                        Bytes(out.vqb.begin(), out.vqb.begin() + c.vqb),
                        Bytes(out.sp.begin(), out.sp.begin() + c.sp),
                        out.fax}))
            << c.why;
        EXPECT_EQ(0xEE, out.ndev.back());
        EXPECT_EQ(0xEE, out.vqb.back());
        EXPECT_EQ(0xEE, out.sp.back());
    }
}

/* Every broken file: -16, nothing copied, the sizes as they were. */
TEST_F(DmaDocProp, BrokenFilesAreRefused)
{
    const Bytes ndev = Ndev(), vqb = Info("VQBINFO", 5), sp = Info("SPINFO", 3), fax = Fax(1);
    const Bytes full = Join({ndev, vqb, sp, fax});
    const size_t b1 = ndev.size(), b2 = b1 + vqb.size(), b3 = b2 + sp.size();
    struct Case {
        std::string why;
        Bytes file;
    };
    std::vector<Case> cases;
    // Cut inside each block; cuts at block ends are whole files.
    for (size_t cut : {size_t(1),
                       size_t(23),
                       size_t(24),
                       size_t(25),
                       b1 - 1,
                       b1 + 1,
                       b1 + 19,
                       b1 + 20,
                       b2 - 1,
                       b2 + 1,
                       b2 + 19,
                       b2 + 20,
                       b3 - 1,
                       b3 + 1,
                       b3 + 1441,
                       b3 + 1442,
                       full.size() - 1})
        cases.push_back({"cut at " + std::to_string(cut), Bytes(full.begin(), full.begin() + cut)});
    auto patched = [&](size_t at, DWORD value) {
        Bytes file = full;
        memcpy(file.data() + at, &value, sizeof(value));
        return file;
    };
    cases.push_back({"version 21023", patched(16, 21023)});
    cases.push_back({"version 21025", patched(16, 21025)});
    cases.push_back({"second part length 4267", patched(20, 4267)});
    cases.push_back({"second part length 0xFFFFFFF0", patched(20, 0xFFFFFFF0)});
    cases.push_back({"VQBINFO length 0xFFFFFFF0", patched(b1 + 16, 0xFFFFFFF0)});
    cases.push_back({"SPINFO length 0xFFFFFFF0", patched(b2 + 16, 0xFFFFFFF0)});
    cases.push_back({"SPINFO length one too many", patched(b2 + 16, 4)});
    cases.push_back({"fax count 0xFFFF", patched(b3 + 16, 0xFFFF)});
    cases.push_back({"fax count one too few", patched(b3 + 16, 0)});
    cases.push_back({"NDEV002", patched(12, '2')});
    cases.push_back({"VQBINFX", patched(b1 + 12, 'X')});
    cases.push_back({"SPINFP", patched(b2 + 10, 'P')});
    cases.push_back({"DFAX002", patched(b3 + 12, '2')});
    cases.push_back({"SPINFO before VQBINFO", Join({ndev, sp, vqb, fax})});
    cases.push_back({"the fax list before SPINFO", Join({ndev, vqb, fax, sp})});
    cases.push_back({"a byte behind the fax list", Join({full, Bytes(1, 0)})});
    cases.push_back({"an empty info block behind the fax list", Join({full, Info("SPINFO", 0)})});
    cases.push_back({"19 bytes behind the second part", Join({ndev, Bytes(19, 0)})});
    cases.push_back({"1441 bytes behind SPINFO", Join({ndev, vqb, sp, Bytes(fax.begin(), fax.begin() + 1441)})});

    for (const Case &c : cases) {
        WriteBytes(settingsFile_, c.file);
        Blocks out = Buffers(8000);
        const Blocks before = out;
        EXPECT_EQ(DMA_FILE_MALFORMED, api_.ReplaceDocProp(&a_->handle, out.Point())) << c.why;
        EXPECT_EQ(before.ndev, out.ndev) << c.why;
        EXPECT_EQ(before.vqb, out.vqb) << c.why;
        EXPECT_EQ(before.sp, out.sp) << c.why;
        EXPECT_EQ(before.fax, out.fax) << c.why;
        EXPECT_EQ(8000u, out.record.ndevSize) << c.why;
        EXPECT_EQ(8000u, out.record.faxSize) << c.why;
    }
    // The whole file and each file ending at a block's end are read.
    for (size_t cut : {b1, b2, b3, full.size()}) {
        WriteBytes(settingsFile_, Bytes(full.begin(), full.begin() + cut));
        Blocks out = Buffers(8000);
        EXPECT_EQ(DMA_SUCCESS, api_.ReplaceDocProp(&a_->handle, out.Point())) << cut;
    }
}

} // namespace
