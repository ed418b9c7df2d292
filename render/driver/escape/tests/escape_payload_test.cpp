/*
 * The kept payloads of the settings transfer: sizes, the lock, the job-attribute sets, the
 * fax list, the job information block with its page word and owner name, the copy count
 * and the page-end reply.
 */
#include "render/driver/escape/tests/escape_fixture.h"

#include "core/jobtext/job_attr.h"
#include "core/protocol/escapes.h"
#include "core/settings/settings_types.h"
#include "platform/testing/qm_testing.h"
#include "render/driver/binding/dma_binding.h"
#include "render/driver/escape/tests/fax_standin.h"
#include "render/driver/job/job_control.h"
#include "render/driver/page/page_setup.h"

namespace escape_test {
namespace {

using PayloadTest = EscapeTest;

TEST_F(PayloadTest, DevmodeIsReplacedOnlyWholeAndNotWhileLocked)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    Blob changed((const BYTE *)&Pdev()->devmode, (const BYTE *)&Pdev()->devmode + sizeof(DriverDevmode));
    changed[sizeof(DEVMODEW) + 7] ^= 0x5A;
    Blob before((const BYTE *)&Pdev()->devmode, (const BYTE *)&Pdev()->devmode + sizeof(DriverDevmode));
    EXPECT_EQ(Esc(ESC_SET_DEVMODE, (ULONG)changed.size() - 1, changed.data(), 0, nullptr), -1);
    Lock(true);
    EXPECT_EQ(Esc(ESC_SET_DEVMODE, changed), 1);
    EXPECT_EQ(memcmp(&Pdev()->devmode, before.data(), before.size()), 0);
    EXPECT_EQ(Esc(ESC_BLOCK_A_DATA, Payload().u32(1).bytes), -1);
    Lock(false);
    EXPECT_EQ(Esc(ESC_SET_DEVMODE, changed), 1);
    EXPECT_EQ(memcmp(&Pdev()->devmode, changed.data(), changed.size()), 0);
}

TEST_F(PayloadTest, SettingsTransferLocksUnlessTheDocumentWaitsForItsOutput)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    const WORD &lock = Pdev()->job.setup.snapshot.settingsLock;
    ASSERT_TRUE(StartDoc());
    EXPECT_EQ(Esc(ESC_SETTINGS_LOCK, Payload().u16(0).bytes), 1);
    EXPECT_EQ(lock & SNAPSHOT_LOCK_SETTINGS, 0) << "document open, output not begun";
    ASSERT_TRUE(DrvStartPage(surface_));
    ASSERT_EQ(jc_EnsurePageStarted(Pdev()), 0);
    EXPECT_EQ(Esc(ESC_SETTINGS_LOCK, Payload().u16(0).bytes), 1);
    EXPECT_EQ(lock & SNAPSHOT_LOCK_SETTINGS, SNAPSHOT_LOCK_SETTINGS);
    EXPECT_EQ(Esc(ESC_SETTINGS_LOCK, Payload().u16(1).bytes), 1);
    EXPECT_EQ(lock, SNAPSHOT_LOCK_TRANSFER_ENDED);
}

TEST_F(PayloadTest, BrokenAttributeSetsAreRefusedAndTheOldListKept)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    ASSERT_EQ(Esc(ESC_ATTR_SETS, AttrSetList(2, 12, 5)), 1);
    const JobAttrSetHead *kept = Pdev()->job.attrSets;
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->entries, (ULONG_PTR)(kept + 1));
    const char *text = nullptr;
    DWORD length = 0, offset = 0;
    EXPECT_TRUE(job_ReadJobAttrSet(kept, Pdev()->job.attrSetsSize, 1, &text, &length, &offset));
    EXPECT_EQ(length, 5u);

    Blob overflowing = AttrSetList(2, 12, 5);
    DWORD count = 0x40000000; // count x (size + 4) wraps in 32 bits
    memcpy(overflowing.data(), &count, 4);
    Blob longText = AttrSetList(2, 12, 9); // a length beyond its entry
    Blob cut = AttrSetList(2, 12, 5);
    cut.pop_back();
    Blob tinyEntries = AttrSetList(1, 12, 0);
    DWORD three = 3;
    memcpy(tinyEntries.data() + 4, &three, 4);
    for (const Blob *broken : {&overflowing, &longText, &cut, &tinyEntries}) {
        EXPECT_EQ(Esc(ESC_ATTR_SETS, *broken), -1);
        EXPECT_EQ(Pdev()->job.attrSets, kept);
    }
}

TEST_F(PayloadTest, FaxListReachesJobControlOnlyWhenItHoldsItsDestinations)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    g_FaxListsLoaded = 0;
    g_FaxListAnswer = 0;
    EXPECT_EQ(Esc(ESC_FAX_LIST, FaxList(3, 3)), 1) << "not a fax model";
    EXPECT_EQ(g_FaxListsLoaded, 0);
    Pdev()->faxModel = 1;
    Blob list = FaxList(3, 3);
    EXPECT_EQ(list.size(), 3668u);
    EXPECT_EQ(Esc(ESC_FAX_LIST, list), 1);
    EXPECT_EQ(g_FaxListsLoaded, 1);
    // Job control's refusal is the escape's answer.
    g_FaxListAnswer = -1;
    EXPECT_EQ(Esc(ESC_FAX_LIST, list), -1);
    EXPECT_EQ(g_FaxListsLoaded, 2);
    // Lists that do not hold what they claim never reach job control.
    EXPECT_EQ(Esc(ESC_FAX_LIST, FaxList(1, 3)), -1);
    Blob badTag = FaxList(1, 1);
    badTag[0] = 'X';
    EXPECT_EQ(Esc(ESC_FAX_LIST, badTag), -1);
    EXPECT_EQ(g_FaxListsLoaded, 2);
    EXPECT_EQ(Esc(ESC_FAX_LIST, {}), 0);
    Lock(true);
    EXPECT_EQ(Esc(ESC_FAX_LIST, list), 1);
    EXPECT_EQ(g_FaxListsLoaded, 2);
}

TEST_F(PayloadTest, ExtendedDataSizes)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    struct Case {
        DWORD claimed;
        size_t sent;
        LONG answer;
    };
    const Case cases[] = {
        {8, 8, 1},
        {0xFFFC, 0xFFFC, 1},
        {0xFFFD, 0xFFFD, -4},
        {0xFFFFFFFF, 8, -4},
        {3, 3, -1},
        {9, 8, -1},
        {0, 0, 1},
    };
    for (const Case &c : cases) {
        Blob payload = Payload().u32(c.claimed).zeros(c.sent).bytes;
        EXPECT_EQ(Esc(ESC_EXT_DATA, payload), c.answer) << c.claimed;
    }
    ASSERT_EQ(Esc(ESC_EXT_DATA, Payload().u32(6).u32(0x04030201).u16(0x0605).bytes), 1);
    DWORD size = 0;
    EXPECT_EQ(Esc(ESC_QUERY_BLOCK_B, Payload().u16(0).bytes, 4, &size), 1);
    EXPECT_EQ(size, 6u);
    BYTE block[6] = {};
    EXPECT_EQ(Esc(ESC_QUERY_BLOCK_B, Payload().u16(1).bytes, 5, block), -1);
    EXPECT_EQ(Esc(ESC_QUERY_BLOCK_B, Payload().u16(1).bytes, 6, block), 1);
    EXPECT_EQ(block[5], 6);
}

TEST_F(PayloadTest, JobInformationPartsAndAFailedCopy)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    Blob reply(768, 0xEE);
    EXPECT_EQ(Esc(ESC_GET_JOB_INFO, {}, 768, reply.data()), -1) << "nothing stored";
    EXPECT_EQ(reply[100], 0);
    Blob info(768, 0);
    info[16] = 'A';   // part 1
    info[208] = 'C';  // part 3
    info[729] = 0x12; // its 16-bit value
    info[754] = 7;    // part 5
    ASSERT_EQ(Esc(ESC_SET_JOB_INFO, info), 1);
    PageSetupSnapshot &snapshot = Pdev()->job.setup.snapshot;
    for (SHORT &index : snapshot.bitOptionValues)
        index = 0;
    snapshot.bitOptionValues[2] = -1; // part 3 not asked for
    snapshot.bitOptionsOn = 1;
    ASSERT_EQ(Esc(ESC_GET_JOB_INFO, {}, 768, reply.data()), 1);
    EXPECT_EQ(reply[0], 1);
    EXPECT_EQ(reply[16], 'A');
    EXPECT_EQ(reply[208], 0);
    EXPECT_EQ(reply[729], 0);
    EXPECT_EQ(reply[754], 7);
    // A part that cannot be copied: -1, the others kept.
    qmt_FailAllocations(1, 1);
    EXPECT_EQ(Esc(ESC_SET_JOB_INFO, info), -1);
    qmt_FailAllocations(0, 0);
}

TEST_F(PayloadTest, PageWordIsTheNumberOfTheLogicalPageBeingDrawn)
{
    // One logical page per sheet, then two: the number counts logical pages, not sheets.
    for (DWORD pagesPerSheet : {1u, 2u}) {
        SCOPED_TRACE(pagesPerSheet);
        ASSERT_NO_FATAL_FAILURE(Open());
        Set(295, pagesPerSheet);
        ASSERT_TRUE(StartDoc());
        Blob info(768, 0);
        info[16] = 'A';
        ASSERT_EQ(Esc(ESC_SET_JOB_INFO, info), 1);
        DWORD word = 0xEEEE;
        EXPECT_EQ(Esc(ESC_GET_PAGE_WORD, {}, 4, &word), 1);
        EXPECT_EQ(word, 0u) << "no page begun yet";
        for (WORD page = 1; page <= 3; ++page) {
            ASSERT_TRUE(DrvStartPage(surface_));
            ASSERT_EQ(jc_EnsurePageStarted(Pdev()), 0);
            word = 0xEEEE;
            EXPECT_EQ(Esc(ESC_GET_PAGE_WORD, {}, 4, &word), 1);
            EXPECT_EQ(word, page);
            Blob reply(768, 0xEE);
            ASSERT_EQ(Esc(ESC_GET_JOB_INFO, {}, 768, reply.data()), 1);
            EXPECT_EQ(reply[730] | reply[731] << 8, page);
            ASSERT_TRUE(DrvSendPage(surface_));
        }
        ASSERT_TRUE(EndDoc());
        Close();
        endDone_ = FALSE;
    }
}

// The owner-name settings of the user-and-host part.
class OwnerTest : public EscapeTest
{
protected:
    void SetText(WORD functionId, const WCHAR *text)
    {
        DWORD size = (DWORD)(lstrlenW(text) + 1) * sizeof(WCHAR);
        ASSERT_EQ(dma_CallSetValue(functionId, &Pdev()->devmode, Pdev()->printerData, VT_STRING, size, &text), 0)
            << functionId;
    }
    // The job information block with the user and host text at 144 (empty: part absent).
    static Blob JobInfo(const WCHAR *userHost)
    {
        Blob info(768, 0);
        info[16] = 'A';
        memcpy(info.data() + 144, userHost, (size_t)lstrlenW(userHost) * sizeof(WCHAR));
        return info;
    }
    // ESC_SET_JOB_INFO with userHost, then the user-and-host part as ESC_GET_JOB_INFO returns it.
    std::vector<WCHAR> RoundTrip(const WCHAR *userHost)
    {
        EXPECT_EQ(Esc(ESC_SET_JOB_INFO, JobInfo(userHost)), 1);
        PageSetupSnapshot &snapshot = Pdev()->job.setup.snapshot;
        for (SHORT &index : snapshot.bitOptionValues)
            index = 0;
        Blob reply(768, 0xEE);
        EXPECT_EQ(Esc(ESC_GET_JOB_INFO, {}, 768, reply.data()), 1);
        std::vector<WCHAR> part(32);
        memcpy(part.data(), reply.data() + 144, 64);
        return part;
    }
    static std::vector<WCHAR> Text(const WCHAR *text)
    {
        std::vector<WCHAR> part(32, 0);
        for (int i = 0; i < 31 && text[i] != 0; ++i)
            part[(size_t)i] = text[i];
        return part;
    }
};

TEST_F(OwnerTest, SettingsNameTheOwnerOnlyOnModelsWithTheCapability)
{
    const WCHAR *sent = TEXT("sender\\HOST");
    const WCHAR *codeUser = TEXT("code user");     // 5174
    const WCHAR *firstText = TEXT("first user");   // 5121
    const WCHAR *secondText = TEXT("second user"); // 5150
    struct Case {
        DWORD profile;      // 5163
        DWORD selector;     // 5164 or 5165 by the profile
        DWORD source;       // 5127 or 5178 by the profile
        const WCHAR *named; // the owner with the capability and the strings set
    };
    const Case cases[] = {
        {0, 1, 7, codeUser},
        {0, 1, 3, codeUser},
        {0, 0, 7, firstText},
        {0, 0, 3, sent},
        {1, 1, 7, codeUser},
        {1, 1, 3, codeUser},
        {1, 0, 7, secondText},
        {1, 0, 3, sent},
    };
    for (const char *model : {"QMJOB", "QMJOBOW"}) {
        ASSERT_NO_FATAL_FAILURE(Open(model));
        const bool capability = strcmp(model, "QMJOBOW") == 0;
        for (bool strings : {false, true}) {
            SetText(5174, strings ? codeUser : TEXT(""));
            SetText(5121, strings ? firstText : TEXT(""));
            SetText(5150, strings ? secondText : TEXT(""));
            for (const Case &c : cases) {
                SCOPED_TRACE(testing::Message() << model << " strings " << strings << " profile " << c.profile
                                                << " selector " << c.selector << " source " << c.source);
                // The other profile's settings say the opposite, so reading the wrong
                // profile shows.
                Set(5163, c.profile);
                Set(c.profile ? 5165 : 5164, c.selector);
                Set(c.profile ? 5178 : 5127, c.source);
                Set(c.profile ? 5164 : 5165, 1 - c.selector);
                Set(c.profile ? 5127 : 5178, c.source == 7 ? 3 : 7);
                const WCHAR *expected = capability && strings ? c.named : sent;
                EXPECT_EQ(RoundTrip(sent), Text(expected));
            }
        }
        Close();
    }
}

TEST_F(OwnerTest, TheOwnerIsCutToThirtyOneCharactersAndReplacesOnlyASentPart)
{
    ASSERT_NO_FATAL_FAILURE(Open("QMJOBOW"));
    Set(5163, 0);
    Set(5164, 1);
    const WCHAR *longName = TEXT("abcdefghijklmnopqrstuvwxyz012345"); // 32 characters
    SetText(5174, longName);
    std::vector<WCHAR> part = RoundTrip(TEXT("sender\\HOST"));
    EXPECT_EQ(part, Text(longName));
    EXPECT_EQ(part[30], (WCHAR)'4');
    EXPECT_EQ(part[31], 0);
    // An item the sender left empty stays absent.
    EXPECT_EQ(RoundTrip(TEXT("")), std::vector<WCHAR>(32, 0));
}

TEST_F(PayloadTest, CopyCountTechnologyPathAndMargins)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    struct Case {
        LONG requested;
        DWORD set;
    };
    for (const Case &c : {Case{0, 1}, Case{-7, 1}, Case{5, 5}}) {
        DWORD actual = 0;
        EXPECT_EQ(Esc(ESC_SETCOPYCOUNT, Payload().u32((DWORD)c.requested).bytes, 4, &actual), 1);
        EXPECT_EQ(actual, c.set);
        EXPECT_EQ(Get(12), c.set);
    }
    DWORD actual = 0;
    EXPECT_EQ(Esc(ESC_SETCOPYCOUNT, Payload().u32(100000).bytes, 4, &actual), 1);
    EXPECT_GE(actual, 1u);
    EXPECT_LE(actual, 32767u);

    char tag[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(Esc(ESC_GETTECHNOLOGY, Payload().u32(0).bytes, 4, tag), 1);
    EXPECT_EQ(memcmp(tag, "NQT", 4), 0);

    std::vector<WCHAR> path(300, L'p');
    EXPECT_EQ(Esc(ESC_OUTPUT_PATH, (ULONG)(path.size() * sizeof(WCHAR)), path.data(), 0, nullptr), 1);
    const WCHAR *kept = Pdev()->job.escape.outputPath;
    EXPECT_EQ(kept[259], L'p');
    EXPECT_EQ(kept[260], 0);
    EXPECT_EQ(Esc(ESC_OUTPUT_PATH, 3 * sizeof(WCHAR) + 1, path.data(), 0, nullptr), 1);
    EXPECT_EQ(kept[3], 0);

    // The trailer's paper: paper size 9 (FunctionID 8), whose driver paper number is 264.
    // The margin escape names the page's paper by its driver paper number.
    DevmodeTrailer &trailer = Pdev()->trailer;
    trailer.paperSize = 9;
    trailer.paperNumber = 264;
    const WORD kTrailerMargins[4] = {11, 12, 13, 14};
    memcpy(trailer.margins, kTrailerMargins, sizeof kTrailerMargins);
    struct MarginCase {
        WORD paper;
        WORD left, bottom;
    };
    const MarginCase margins[] = {
        {264, 11, 14}, // the trailer's paper: the trailer's margins
        {9, 1, 4},     // the number of the trailer's paper size is no driver paper number
        {8, 1, 4},
    };
    for (const MarginCase &c : margins) {
        EXPECT_EQ(Esc(ESC_SET_MARGINS, Payload().u16(c.paper).u16(1).u16(2).u16(3).u16(4).bytes), 1) << c.paper;
        EXPECT_EQ(Pdev()->job.setup.escapeMargins[0], c.left) << c.paper;
        EXPECT_EQ(Pdev()->job.setup.escapeMargins[3], c.bottom) << c.paper;
        EXPECT_EQ(Pdev()->job.setup.escapePaper, c.paper);
    }
}

TEST_F(PayloadTest, PageEndReplyTellsWhereToDraw)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    Blob reply(44, 0xEE);
    EXPECT_EQ(Esc(ESC_PAGE_END, Payload().u32(0).bytes, 44, reply.data()), 1);
    EXPECT_EQ(reply, Blob(44, 0)) << "no page being drawn";
    ASSERT_TRUE(StartDoc());
    ASSERT_TRUE(DrvStartPage(surface_));
    ASSERT_EQ(jc_EnsurePageStarted(Pdev()), 0);
    PageSetupSnapshot &snapshot = Pdev()->job.setup.snapshot;
    snapshot.formFirst = 1;
    snapshot.formSecond = 1;
    snapshot.bitOptionsOn = 1;
    struct Case {
        WORD nup;
        DWORD flag;
        DWORD drawSheet, drawPage, stamp;
    };
    // Page 1 of the job is being drawn (no logical page counted yet).
    const Case cases[] = {
        {1, 0, 1, 1, 1},
        {2, 0, 0, 1, 0},
        {1, 1, 0, 0, 0},
    };
    for (const Case &c : cases) {
        snapshot.nupCount = c.nup;
        ASSERT_EQ(Esc(ESC_PAGE_END, Payload().u32(c.flag).bytes, 44, reply.data()), 1);
        DWORD words[3];
        memcpy(words, reply.data(), sizeof words);
        EXPECT_EQ(words[0], c.drawSheet) << c.nup << "/" << c.flag;
        EXPECT_EQ(words[1], c.drawPage) << c.nup << "/" << c.flag;
        EXPECT_EQ(words[2], c.stamp) << c.nup << "/" << c.flag;
        float rect[4];
        memcpy(rect, reply.data() + 12, sizeof rect);
        EXPECT_LT(rect[0], rect[2]);
        EXPECT_LT(rect[1], rect[3]);
    }
    snapshot.nupCount = 0;
    EXPECT_EQ(Esc(ESC_PAGE_END, Payload().u32(0).bytes, 44, reply.data()), -1);
}

} // namespace
} // namespace escape_test
