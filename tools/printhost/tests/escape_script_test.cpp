/*
 * The escape script on a DC of the sample model, event by event as GDI runs a job: after
 * the settings transfer the render driver holds the DEVMODE, the printer data and the
 * owner record the script sent, and the stream's header is the job-attribute set it built.
 */
#include <gtest/gtest.h>
#include <windows.h>
#include <winspool.h>

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "core/jobtext/job_attr.h"
#include "platform/include/qmhost.h"
#include "platform/include/qmhost_engine.h"
#include "tools/printhost/escape_script.h"
#include "tools/printhost/print_host.h"

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("printhost_escape_tests.log");
}

namespace {

typedef BOOL(WINAPI *StartDocProc)(SURFOBJ *, LPWSTR, DWORD);
typedef BOOL(WINAPI *EndDocProc)(SURFOBJ *, FLONG);
typedef BOOL(WINAPI *PageProc)(SURFOBJ *);

class EscapeScriptTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        start_ = ph_CountLive();
        std::string error;
        ASSERT_TRUE(ph_InstallPrinter(PH_PRINTER_NAME, QM_SAMPLE_MODEL, &error)) << error;
        ASSERT_TRUE(ph_LoadDriver(PH_DRIVER_NAME, &host_));
        startDoc_ = (StartDocProc)(void *)ph_DriverFunction(&host_, INDEX_DrvStartDoc);
        endDoc_ = (EndDocProc)(void *)ph_DriverFunction(&host_, INDEX_DrvEndDoc);
        startPage_ = (PageProc)(void *)ph_DriverFunction(&host_, INDEX_DrvStartPage);
        sendPage_ = (PageProc)(void *)ph_DriverFunction(&host_, INDEX_DrvSendPage);
    }
    void TearDown() override
    {
        if (hdc_ != NULL)
            DeleteDC(hdc_);
        if (surface_ != NULL)
            EngUnlockSurface(surface_);
        ph_DeleteDc(&host_, &dc_);
        ph_UnloadDriver(&host_);
        LiveCounts end = ph_CountLive();
        const char *leaked = ph_LeakedKind(&start_, &end);
        EXPECT_EQ(leaked, nullptr) << leaked;
    }
    // A DC made with the printer's defaults and the settings given, its escapes bound to
    // the driver, and a script on it.
    void CreateDc(const std::vector<const char *> &settings)
    {
        HANDLE printer = NULL;
        ASSERT_TRUE(OpenPrinterW((LPWSTR)PH_PRINTER_NAME, &printer, NULL));
        ASSERT_TRUE(ph_BuildJobDevmode(printer, PH_PRINTER_NAME, &dc_.devmode));
        ClosePrinter(printer);
        std::string error;
        for (const char *setting : settings)
            ASSERT_TRUE(ph_ApplySetting(setting, &dc_.devmode, &error)) << error;
        ASSERT_TRUE(ph_CreateDc(&host_, PH_PRINTER_NAME, &dc_));
        surface_ = EngLockSurface(dc_.surface);
        hdc_ = qmh_CreatePrinterDC((QMH_ESCAPE_ENTRY)(void *)ph_DriverFunction(&host_, INDEX_DrvEscape), surface_);
        ASSERT_NE(hdc_, nullptr);
        ph_InitScript(&script_, dc_.printer, PH_PRINTER_NAME, hdc_, NULL);
    }
    // The bytes the render driver answers to a query escape.
    std::vector<BYTE> Ask(DWORD code, size_t size, int *result)
    {
        std::vector<BYTE> reply(size);
        *result = ExtEscape(hdc_, (int)code, 0, NULL, (int)size, (LPSTR)reply.data());
        return reply;
    }

    LiveCounts start_ = {};
    DriverHost host_ = {};
    DeviceContext dc_;
    SURFOBJ *surface_ = NULL;
    HDC hdc_ = NULL;
    EscapeScript script_;
    StartDocProc startDoc_ = NULL;
    EndDocProc endDoc_ = NULL;
    PageProc startPage_ = NULL;
    PageProc sendPage_ = NULL;
};

TEST_F(EscapeScriptTest, TheRenderDriverHoldsWhatTheSettingsTransferSent)
{
    CreateDc({"1333=1", "380=1", "1296=1", "1298=1"});
    LPCWSTR document = TEXT("Escape job");
    ASSERT_EQ(ph_ScriptStartDoc(&script_, document), 1);
    DOC_INFO_1W info = {(LPWSTR)document, NULL, (LPWSTR)TEXT("RAW")};
    DWORD job = StartDocPrinterW(dc_.printer, 1, (LPBYTE)&info);
    ASSERT_NE(job, 0u);
    ASSERT_TRUE(startDoc_(surface_, (LPWSTR)document, job));
    EXPECT_EQ(ph_ScriptStartDocPost(&script_), 1) << ph_FormatEscapeLog(&script_);

    int result = 0;
    std::vector<BYTE> devmode = Ask(ESC_GET_DEVMODE, sizeof(DriverDevmode), &result);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(memcmp(devmode.data(), &script_.devmode, devmode.size()), 0);
    std::vector<BYTE> block = Ask(ESC_GET_PRINTER_DATA, sizeof(PrinterDataBlock), &result);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(memcmp(block.data(), &script_.block, block.size()), 0);
    std::vector<BYTE> owner = Ask(ESC_GET_JOB_INFO, sizeof(JobOwnerRecord), &result);
    EXPECT_EQ(result, 1) << "no owner record held";
    // The reply holds the texts the script sent; its words are the driver's own (the stamp
    // value word, the index words of the items and the page word).
    const JobOwnerRecord *reply = (const JobOwnerRecord *)owner.data();
    const JobOwnerRecord &sent = script_.owner;
    EXPECT_EQ(sent.filled, 1u);
    ASSERT_NE(sent.user[0], 0) << "the script sent no user name";
    ASSERT_NE(sent.document[0], 0) << "the script sent no document name";
    EXPECT_EQ(memcmp(reply->user, sent.user, sizeof sent.user), 0);
    EXPECT_EQ(memcmp(reply->userHost, sent.userHost, sizeof sent.userHost), 0);
    EXPECT_EQ(memcmp(reply->document, sent.document, sizeof sent.document), 0);
    EXPECT_EQ(memcmp(reply->date, sent.date, sizeof sent.date), 0);
    EXPECT_EQ(memcmp(reply->time, sent.time, sizeof sent.time), 0);

    const size_t first = sizeof(JobAttrSetHead);
    ASSERT_GE(script_.attrSets.size(), first + 4);
    DWORD length = 0;
    memcpy(&length, script_.attrSets.data() + first, sizeof length);
    std::string set((const char *)script_.attrSets.data() + first + 4, length);
    ASSERT_FALSE(set.empty());

    EXPECT_EQ(ph_ScriptStartPage(&script_), 1);
    ASSERT_TRUE(startPage_(surface_));
    EXPECT_EQ(ph_ScriptEndPage(&script_), 1);
    ASSERT_TRUE(sendPage_(surface_));
    EXPECT_EQ(ph_ScriptEndDoc(&script_), 1);
    ASSERT_TRUE(endDoc_(surface_, 0));
    ASSERT_TRUE(EndDocPrinter(dc_.printer));

    DWORD needed = 0;
    qmh_ReadJobData(job, NULL, 0, &needed);
    std::string stream(needed, '\0');
    ASSERT_TRUE(qmh_ReadJobData(job, (LPBYTE)&stream[0], needed, &needed));
    EXPECT_NE(stream.find(set), std::string::npos) << "the header is not the set built by the events";
}

// Before any document nothing is sent: the settings of a ResetDC answer 1 and the log
// stays empty; StartDoc with no DC fails.
TEST_F(EscapeScriptTest, EventsBeforeTheDocument)
{
    CreateDc({});
    EXPECT_EQ(ph_ScriptResetDcPost(&script_), 1);
    EXPECT_EQ(ph_FormatEscapeLog(&script_), "RESETDCPOST -> 1\n");
    EscapeScript none;
    ph_InitScript(&none, dc_.printer, PH_PRINTER_NAME, NULL, NULL);
    EXPECT_EQ(ph_ScriptStartDoc(&none, TEXT("x")), -1);
    EXPECT_EQ(ph_ScriptStartPage(&none), -1);
}

// A stand-in render driver for the page-end steps: it answers the stamp request, the
// DEVMODE and the owner record it is given and every other escape with 1, and keeps the
// codes in the order they came.
struct StandIn {
    DWORD request[3];
    std::vector<BYTE> devmode;
    bool ownerHeld;
    BYTE owner[sizeof(JobOwnerRecord)];
    DWORD jobId;
    DWORD failCode; // answered with -1
    std::string codes;
};
StandIn *g_standIn = nullptr;

ULONG WINAPI StandInEscape(SURFOBJ *, ULONG code, ULONG cjIn, PVOID, ULONG cjOut, PVOID out)
{
    StandIn &s = *g_standIn;
    char text[16];
    snprintf(text, sizeof text, "%s%lX", s.codes.empty() ? "" : " ", (unsigned long)code);
    s.codes += text;
    if (code == s.failCode)
        return (ULONG)-1;
    if (code == ESC_PAGE_END && cjIn == 4 && cjOut == sizeof(PageEndReply)) {
        memset(out, 0, cjOut);
        memcpy(out, s.request, sizeof s.request);
    } else if (code == ESC_GET_DEVMODE && cjOut == s.devmode.size()) {
        memcpy(out, s.devmode.data(), cjOut);
    } else if (code == ESC_GET_JOB_INFO) {
        if (!s.ownerHeld)
            return (ULONG)-1;
        memcpy(out, s.owner, sizeof s.owner);
    } else if ((code == ESC_GET_JOB_ID || code == ESC_GET_PAGE_WORD) && cjOut == sizeof(DWORD)) {
        DWORD value = code == ESC_GET_JOB_ID ? s.jobId : 7;
        memcpy(out, &value, sizeof value);
    } else if (cjOut != 0) {
        memset(out, 0, cjOut);
    }
    return 1;
}

BOOL CountPage(void *host)
{
    ++*(int *)host;
    return TRUE;
}

class PageEndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(ph_InstallPrinter(PH_PRINTER_NAME, QM_SAMPLE_MODEL, &error)) << error;
        ASSERT_TRUE(OpenPrinterW((LPWSTR)PH_PRINTER_NAME, &printer_, NULL));
        g_standIn = &standIn_;
        hdc_ = qmh_CreatePrinterDC(StandInEscape, NULL);
        ASSERT_NE(hdc_, nullptr);
    }
    void TearDown() override
    {
        DeleteDC(hdc_);
        ClosePrinter(printer_);
        g_standIn = nullptr;
    }
    // The stand-in's DEVMODE: the printer's defaults with the settings given.
    void Settings(const std::vector<const char *> &settings)
    {
        ASSERT_TRUE(ph_BuildJobDevmode(printer_, PH_PRINTER_NAME, &standIn_.devmode));
        standIn_.devmode.resize(sizeof(DriverDevmode));
        std::string error;
        for (const char *setting : settings)
            ASSERT_TRUE(ph_ApplySetting(setting, &standIn_.devmode, &error)) << error;
    }
    void Init()
    {
        AddedPageHooks hooks = {CountPage, CountPage, &pageCalls_};
        ph_InitScript(&script_, printer_, PH_PRINTER_NAME, hdc_, &hooks);
    }
    // An owner record with the six placement words.
    void Owner(const WORD (&placements)[6])
    {
        memset(standIn_.owner, 0, sizeof standIn_.owner);
        standIn_.owner[0] = 1;
        memcpy(standIn_.owner + 4, placements, sizeof placements);
        standIn_.ownerHeld = true;
    }

    HANDLE printer_ = NULL;
    HDC hdc_ = NULL;
    StandIn standIn_ = {};
    EscapeScript script_;
    int pageCalls_ = 0; // starts and ends of added pages
};

// What ENDPAGE and ENDDOC send for each stamp request, in order.
TEST_F(PageEndTest, EscapesOfEachStampRequest)
{
    const WORD off = 0xFFFF;
    struct Case {
        const char *name;
        DWORD request[3];
        std::vector<const char *> settings;
        WORD placements[6];
        bool endOfDocument;
        const char *codes;
        int pageCalls;
    };
    const Case cases[] = {
        {"nothing to draw", {0, 0, 0}, {}, {off, off, off, off, off, off}, false, "5001", 0},
        {"stamp placed once", {0, 1, 0}, {"303=514"}, {off, off, off, off, off, off}, false, "5001 5002 5003 5003", 0},
        {"stamp in tiles",
         {0, 1, 0},
         {"1288=1", "303=514"},
         {off, off, off, off, off, off},
         false,
         "5001 5002 5003 5004 5003",
         0},
        {"stamp and annotations on one added page",
         {1, 0, 1},
         {"303=514"},
         {257, off, off, off, off, off},
         true,
         "5001 5002 5044 5003 5003 5006 5008 5008 5044",
         2},
        {"items of one placement drawn as one text",
         {0, 0, 1},
         {"321=2", "295=2"},
         {257, 257, off, 0, off, off},
         false,
         "5001 5002 5006 5008 5001 5001 5004 5008",
         0},
    };
    for (const Case &c : cases) {
        Settings(c.settings);
        memcpy(standIn_.request, c.request, sizeof c.request);
        Owner(c.placements);
        standIn_.codes.clear();
        pageCalls_ = 0;
        Init();
        EXPECT_EQ(c.endOfDocument ? ph_ScriptEndDoc(&script_) : ph_ScriptEndPage(&script_), 1) << c.name;
        EXPECT_EQ(standIn_.codes, c.codes) << c.name;
        EXPECT_EQ(pageCalls_, c.pageCalls) << c.name;
    }
}

// Without an owner record from the render driver, the document's start or the spool job
// (there is none of the number asked) the annotations fail, and the annotation mode is
// still switched off.
TEST_F(PageEndTest, AnnotationsWithoutOwnerRecordFail)
{
    Settings({});
    standIn_.request[2] = 1;
    standIn_.ownerHeld = false;
    Init();
    EXPECT_EQ(ph_ScriptEndPage(&script_), -1);
    EXPECT_EQ(standIn_.codes, "5001 5002 5006 5043 5008");
}

// Neither the render driver nor the document's start has an owner record: the script
// builds it from the spool job, each item with the placement word of its setting.
TEST_F(PageEndTest, AnnotationsFromTheSpoolJob)
{
    Settings({"1296=1", "1298=1", "1299=1", "351=257", "353=257", "354=514"});
    DOC_INFO_1W info = {(LPWSTR)TEXT("Stand-in job"), NULL, (LPWSTR)TEXT("RAW")};
    standIn_.jobId = StartDocPrinterW(printer_, 1, (LPBYTE)&info);
    ASSERT_NE(standIn_.jobId, 0u);
    standIn_.request[2] = 1;
    Init();
    memcpy(&script_.devmode, standIn_.devmode.data(), sizeof script_.devmode);
    EXPECT_EQ(ph_ScriptEndPage(&script_), 1);
    AbortPrinter(printer_);
    EXPECT_EQ(standIn_.codes, "5001 5002 5006 5043 500D 5008 5008");
    const WORD expected[6] = {257, 0xFFFF, 257, 514, 0xFFFF, 0xFFFF};
    // The record's bytes, at the offsets the receiver reads them from.
    const BYTE *owner = (const BYTE *)&script_.owner;
    EXPECT_EQ(memcmp(owner + 4, expected, sizeof expected), 0);
    EXPECT_EQ(std::u16string((const char16_t *)(owner + 208)), u"Stand-in job");
    EXPECT_NE(owner[16], 0) << "no user name";
    EXPECT_EQ(owner[730], 7);
}

// A settings transfer sends every escape of its series even after one is not answered,
// and answers -1 at its end.
TEST_F(PageEndTest, ASettingsTransferGoesOnAfterAFailedEscape)
{
    Settings({});
    standIn_.failCode = ESC_OUTPUT_PATH;
    Init();
    script_.documentStarted = 1;
    EXPECT_EQ(ph_ScriptResetDcPost(&script_), -1);
    EXPECT_EQ(standIn_.codes, "5002 5021 5100 5023 5005 500B 5007 5029 502C 5021");
}

} // namespace
