/*
 * Fuzz entry of the private escapes as the render driver receives them: every input runs
 * against a fresh PDEV of the sample printer (default DEVMODE, a spool job started on its
 * handle) a sequence of records {u8 operation, u8 flags, u16 cjIn, u16 cjOut (both
 * little-endian), cjIn payload bytes}, at most 64 of them. The operation (modulo the table
 * below) is an escape code handed to DrvEscape as GDI hands it (QUERYESCSUPPORT, the
 * application escapes, the extended and the private escapes), or one of the document
 * steps DrvStartDoc, DrvStartPage and DrvSendPage, so that escapes arrive before, within
 * and after a document. The payload is passed in a buffer of exactly cjIn bytes (the input's
 * remaining bytes when it has fewer), the reply buffer holds exactly cjOut bytes; flags
 * bit 0 passes no payload (and no payload bytes follow), bit 1 no reply buffer, with the
 * sizes as given. A started
 * document is aborted at the end, the PDEV disabled and every spool job of the input
 * deleted.
 *
 * Seeds: the settings transfer of the user-interface DLL (lock, DEVMODE, printer-data
 * block, job-attribute sets, fax list) around a page, the extended escapes, the job
 * information round trip, and the small queries and settings of the escape tests.
 */
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <winspool.h>

#include "platform/include/qmhost.h"
#include "platform/testing/qm_testing_spooler.h"
#include "core/protocol/escapes.h"
#include "render/driver/entry/tests/fuzz/pdev_fuzz_fixture.h"

// The trace log of this program, should a configuration turn the trace on.
extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("\\escape_fuzz.log");
}

// Operations of a record: the escape codes, then the document steps.
enum { OP_START_DOC = 0x10000, OP_START_PAGE, OP_SEND_PAGE };
static const ULONG kOperations[] = {
    QUERYESCSUPPORT,      ESC_SETCOPYCOUNT,    ESC_PASSTHROUGH,      ESC_GETTECHNOLOGY,      ESC_EXT_CONTROL,
    ESC_EXT_RASTER,       ESC_EXT_FINISHING,   ESC_EXT_DUPLEX,       ESC_EXT_DATA,           ESC_PAGE_END,
    ESC_GET_DEVMODE,      ESC_STAMP_MODE,      ESC_PLACE_ANNOTATION, ESC_SET_DEVMODE,        ESC_GET_JOB_INFO,
    ESC_SET_JOB_INFO,     ESC_STAMP_RESTORE,   ESC_GET_FAX_MODEL,    ESC_GET_SHEET,          ESC_SET_PRINTER_DATA,
    ESC_GET_PRINTER_DATA, ESC_GET_PAGE_WORD,   ESC_SET_MARGINS,      ESC_JOB_IN_PROGRESS,    ESC_SETTINGS_LOCK,
    ESC_OUTPUT_PATH,      ESC_FAX_LIST,        ESC_ATTR_SETS,        ESC_GET_EXT_WORDS,      ESC_SET_EXT_WORDS,
    ESC_SHARED_WARNING,   ESC_PAGE_SETUP_WORD, ESC_JOB_START_EXTRA,  ESC_BLOCK_A_DATA,       ESC_QUERY_BLOCK_B,
    ESC_BLOCK_C_DATA,     ESC_JOB_VALUES,      ESC_BLOCK_B_DATA,     ESC_BLOCK_D_DATA,       ESC_JOB_CONTROL_FIRST,
    ESC_PAGE_DATA,        ESC_QUERY_PAGE_DATA, ESC_GET_JOB_ID,       ESC_JOB_CONTROL_SECOND, ESC_LOCALE_PAPER,
    OP_START_DOC,         OP_START_PAGE,       OP_SEND_PAGE,
};
#define OPERATION_COUNT (sizeof kOperations / sizeof kOperations[0])
#define MAX_RECORDS 64
#define RECORD_HEAD 6
#define FLAG_NO_INPUT 1
#define FLAG_NO_REPLY 2

static WCHAR g_documentName[] = TEXT("Fuzzed job");

// One escape as GDI passes it: buffers of exactly the sizes given.
static void escape_Call(SURFOBJ *surface, ULONG code, BYTE flags, const uint8_t *payload, ULONG available, ULONG cjIn,
                        ULONG cjOut)
{
    BYTE *in = NULL;
    if (!(flags & FLAG_NO_INPUT)) {
        if (cjIn > available)
            cjIn = available;
        in = new BYTE[cjIn ? cjIn : 1];
        memcpy(in, payload, cjIn);
    }
    BYTE *out = flags & FLAG_NO_REPLY ? NULL : new BYTE[cjOut ? cjOut : 1];
    if (out)
        memset(out, 0xA5, cjOut);
    DrvEscape(surface, code, cjIn, in, cjOut, out);
    delete[] out;
    delete[] in;
}

// Deletes every spool job of the printer.
static void escape_DeleteJobs(void)
{
    QMH_JOB_INFO jobs[16];
    for (;;) {
        DWORD count = qmh_EnumJobs(pdev_fuzz::PrinterName(), jobs, 16);
        if (count == 0)
            return;
        for (DWORD i = 0; i < count && i < 16; ++i) {
            if (!qmh_DeleteJob(jobs[i].JobId))
                fuzz_Fail("escape", "a spool job could not be deleted");
        }
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz_EnsureRoot();
    static std::vector<BYTE> defaults;
    static HANDLE printer = NULL;
    if (!printer) {
        printer = pdev_fuzz::Setup("escape", &defaults);
        // The job's bytes are of no interest here; the spooler does not keep them.
        qmt_SpoolerDiscardWrites(TRUE);
    }
    if (size > 0x40000)
        return 0;
    FuzzCounts before;
    fuzz_TakeCounts(&before);
    std::vector<BYTE> devmode = defaults;
    DOC_INFO_1W doc = {g_documentName, NULL, (LPWSTR)TEXT("RAW")};
    DWORD job = StartDocPrinterW(printer, 1, (LPBYTE)&doc);
    if (job == 0)
        fuzz_Fail("escape", "no spool job could be started");
    pdev_fuzz::Pdev made = pdev_fuzz::Enable(printer, (DEVMODEW *)devmode.data());
    if (!made.surfobj)
        fuzz_Fail("escape", "no PDEV on the default DEVMODE");
    BOOL documentStarted = FALSE;
    size_t at = 0;
    for (int records = 0; records < MAX_RECORDS && at + RECORD_HEAD <= size; ++records) {
        ULONG operation = kOperations[data[at] % OPERATION_COUNT];
        BYTE flags = data[at + 1];
        ULONG cjIn = (ULONG)data[at + 2] | (ULONG)data[at + 3] << 8;
        ULONG cjOut = (ULONG)data[at + 4] | (ULONG)data[at + 5] << 8;
        at += RECORD_HEAD;
        const uint8_t *payload = data + at;
        ULONG available = (ULONG)(size - at);
        if (operation == OP_START_DOC) {
            if (!documentStarted)
                documentStarted = DrvStartDoc(made.surfobj, g_documentName, job);
        } else if (operation == OP_START_PAGE) {
            DrvStartPage(made.surfobj);
        } else if (operation == OP_SEND_PAGE) {
            DrvSendPage(made.surfobj);
        } else {
            escape_Call(made.surfobj, operation, flags, payload, available, cjIn, cjOut);
            if (!(flags & FLAG_NO_INPUT))
                at += cjIn < available ? cjIn : available;
        }
    }
    if (documentStarted)
        DrvEndDoc(made.surfobj, ED_ABORTDOC);
    pdev_fuzz::Disable(&made);
    AbortPrinter(printer);
    escape_DeleteJobs();
    fuzz_CheckCounts("escape", &before);
    return 0;
}
