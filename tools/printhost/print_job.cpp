/*
 * printhost print: a sample job through the render driver in GDI's order. The spool job's
 * bytes (exactly what WritePrinter received) go to the stream file, their listing to the
 * listing file; further spool jobs the driver starts (one per fax destination) go to
 * numbered files beside them.
 */
#include "tools/printhost/print_job.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <winspool.h>

#include "core/settings/settings.h"
#include "core/stored/stored.h"
#include "platform/include/qmhost.h"
#include "platform/include/qmhost_engine.h"
#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_testing_text.h"
#include "tools/lumiq/lumiq_decoder.h"
#include "tools/printhost/draw_script.h"
#include "tools/printhost/escape_script.h"

typedef DHPDEV(WINAPI *EnablePdevProc)(DEVMODEW *, LPWSTR, ULONG, HSURF *, ULONG, ULONG *, ULONG, DEVINFO *, HDEV,
                                       LPWSTR, HANDLE);
typedef void(WINAPI *CompletePdevProc)(DHPDEV, HDEV);
typedef BOOL(WINAPI *ResetPdevProc)(DHPDEV, DHPDEV);
typedef void(WINAPI *PdevProc)(DHPDEV);
typedef HSURF(WINAPI *EnableSurfaceProc)(DHPDEV);
typedef BOOL(WINAPI *StartDocProc)(SURFOBJ *, LPWSTR, DWORD);
typedef BOOL(WINAPI *EndDocProc)(SURFOBJ *, FLONG);
typedef BOOL(WINAPI *PageProc)(SURFOBJ *);

// The driver's entry points a job needs.
struct JobEntries {
    EnablePdevProc enablePdev;
    CompletePdevProc completePdev;
    ResetPdevProc resetPdev;
    PdevProc disablePdev;
    EnableSurfaceProc enableSurface;
    PdevProc disableSurface;
    StartDocProc startDoc;
    EndDocProc endDoc;
    PageProc startPage;
    PageProc sendPage;
    QMH_ESCAPE_ENTRY escape;
    DrawEntries draw;
};

// One device of the job: its PDEV and surface.
struct JobDevice {
    HDEV hdev;
    DHPDEV pdev;
    HSURF hsurf;
    SURFOBJ *surface;
};

static BOOL LoadEntries(const DriverHost *host, JobEntries *e)
{
    e->enablePdev = (EnablePdevProc)(void *)ph_DriverFunction(host, INDEX_DrvEnablePDEV);
    e->completePdev = (CompletePdevProc)(void *)ph_DriverFunction(host, INDEX_DrvCompletePDEV);
    e->resetPdev = (ResetPdevProc)(void *)ph_DriverFunction(host, INDEX_DrvResetPDEV);
    e->disablePdev = (PdevProc)(void *)ph_DriverFunction(host, INDEX_DrvDisablePDEV);
    e->enableSurface = (EnableSurfaceProc)(void *)ph_DriverFunction(host, INDEX_DrvEnableSurface);
    e->disableSurface = (PdevProc)(void *)ph_DriverFunction(host, INDEX_DrvDisableSurface);
    e->startDoc = (StartDocProc)(void *)ph_DriverFunction(host, INDEX_DrvStartDoc);
    e->endDoc = (EndDocProc)(void *)ph_DriverFunction(host, INDEX_DrvEndDoc);
    e->startPage = (PageProc)(void *)ph_DriverFunction(host, INDEX_DrvStartPage);
    e->sendPage = (PageProc)(void *)ph_DriverFunction(host, INDEX_DrvSendPage);
    e->escape = (QMH_ESCAPE_ENTRY)(void *)ph_DriverFunction(host, INDEX_DrvEscape);
    e->draw.strokePath = (decltype(e->draw.strokePath))(void *)ph_DriverFunction(host, INDEX_DrvStrokePath);
    e->draw.fillPath = (decltype(e->draw.fillPath))(void *)ph_DriverFunction(host, INDEX_DrvFillPath);
    e->draw.strokeAndFillPath =
        (decltype(e->draw.strokeAndFillPath))(void *)ph_DriverFunction(host, INDEX_DrvStrokeAndFillPath);
    e->draw.realizeBrush = (decltype(e->draw.realizeBrush))(void *)ph_DriverFunction(host, INDEX_DrvRealizeBrush);
    e->draw.bitBlt = (decltype(e->draw.bitBlt))(void *)ph_DriverFunction(host, INDEX_DrvBitBlt);
    e->draw.copyBits = (decltype(e->draw.copyBits))(void *)ph_DriverFunction(host, INDEX_DrvCopyBits);
    e->draw.stretchBlt = (decltype(e->draw.stretchBlt))(void *)ph_DriverFunction(host, INDEX_DrvStretchBlt);
    e->draw.stretchBltRop = (decltype(e->draw.stretchBltRop))(void *)ph_DriverFunction(host, INDEX_DrvStretchBltROP);
    e->draw.textOut = (decltype(e->draw.textOut))(void *)ph_DriverFunction(host, INDEX_DrvTextOut);
    e->draw.queryFont = (decltype(e->draw.queryFont))(void *)ph_DriverFunction(host, INDEX_DrvQueryFont);
    e->draw.queryAdvanceWidths =
        (decltype(e->draw.queryAdvanceWidths))(void *)ph_DriverFunction(host, INDEX_DrvQueryAdvanceWidths);
    return e->draw.strokePath && e->draw.fillPath && e->draw.strokeAndFillPath && e->draw.realizeBrush &&
           e->enablePdev && e->completePdev && e->resetPdev && e->disablePdev && e->enableSurface &&
           e->disableSurface && e->startDoc && e->endDoc && e->startPage && e->sendPage && e->escape;
}

// EnableDevice: DrvEnablePDEV and DrvCompletePDEV on a new device. FALSE when refused.
static BOOL EnableDevice(const JobEntries &e, std::vector<BYTE> &devmode, HANDLE printer, JobDevice *device)
{
    memset(device, 0, sizeof *device);
    GDIINFO gdi = {};
    DEVINFO info = {};
    device->hdev = qmh_CreateDevice();
    if (device->hdev == NULL) {
        return FALSE;
    }
    device->pdev = e.enablePdev((DEVMODEW *)devmode.data(),
                                NULL,
                                0,
                                NULL,
                                sizeof gdi,
                                (ULONG *)&gdi,
                                sizeof info,
                                &info,
                                device->hdev,
                                (LPWSTR)PH_PRINTER_NAME,
                                printer);
    if (device->pdev == NULL || !qmh_BindDevicePdev(device->hdev, device->pdev)) {
        return FALSE;
    }
    e.completePdev(device->pdev, device->hdev);
    return TRUE;
}

static BOOL EnableSurface(const JobEntries &e, JobDevice *device)
{
    device->hsurf = e.enableSurface(device->pdev);
    device->surface = device->hsurf != NULL ? EngLockSurface(device->hsurf) : NULL;
    return device->surface != NULL;
}

static void DisableSurface(const JobEntries &e, JobDevice *device)
{
    if (device->surface != NULL) {
        EngUnlockSurface(device->surface);
        device->surface = NULL;
    }
    if (device->hsurf != NULL) {
        e.disableSurface(device->pdev);
        device->hsurf = NULL;
    }
}

static void DisableDevice(const JobEntries &e, JobDevice *device)
{
    DisableSurface(e, device);
    if (device->pdev != NULL) {
        e.disablePdev(device->pdev);
        device->pdev = NULL;
    }
    if (device->hdev != NULL) {
        qmh_DeleteDevice(device->hdev);
        device->hdev = NULL;
    }
}

// PinEnvironment: the fixed environment of reproducible streams.
static void PinEnvironment()
{
    SYSTEMTIME clock = {};
    clock.wYear = 2024;
    clock.wMonth = 1;
    clock.wDay = 2;
    clock.wHour = 3;
    clock.wMinute = 4;
    clock.wSecond = 5;
    clock.wDayOfWeek = 2;
    qmt_PinClock(&clock);
    static const DWORD ticks = 1000;
    qmt_PinTickCount(&ticks);
    OSVERSIONINFOEXW version = {};
    version.dwOSVersionInfoSize = sizeof version;
    version.dwMajorVersion = 5;
    version.dwMinorVersion = 1;
    version.dwBuildNumber = 2600;
    version.dwPlatformId = 2;
    const char16_t pack[] = u"Service Pack 2";
    memcpy(version.szCSDVersion, pack, sizeof pack);
    version.wServicePackMajor = 2;
    qmt_PinOsVersion(&version);
    qmt_PinUserName(TEXT("tester"));
    qmt_PinAnsiCodePage(1252);
}

// Options of the command.
struct PrintOptions {
    const char *model = NULL;
    const char *out = NULL;
    const char *list = NULL;
    long pages = -1;
    std::vector<const char *> sets;
    const char *document = "Sample job";
    long abortAfter = -1;
    long resetAfter = -1;
    bool fixedEnv = false;
    bool escapes = true; // the document events send their escapes
    const char *escapeLog = NULL;
    const char *faxList = NULL;
    const char *draw = NULL; // the page script (in place of --pages)
};

static void Usage()
{
    fprintf(stderr,
            "usage: printhost print --model <file.DDD> (--pages <N> | --draw <script>) --out <stream-file>\n"
            "                      [--list <listing-file>] [--set <FunctionID>=<value>]...\n"
            "                      [--document <name>] [--abort-after <n>] [--reset-after <n>]\n"
            "                      [--fixed-env] [--no-escapes] [--escape-log <file>]\n"
            "                      [--fax-list <DFAX001-file>]\n");
}

static BOOL ParseCount(const char *text, long *count)
{
    unsigned long value = 0;
    if (!ph_ParseNumber(text, &value) || value > 0x7FFFFFFF) {
        return FALSE;
    }
    *count = (long)value;
    return TRUE;
}

static BOOL ParseOptions(int argc, char **argv, PrintOptions *o)
{
    for (int i = 0; i < argc; ++i) {
        std::string name = argv[i];
        if (name == "--fixed-env") {
            o->fixedEnv = true;
            continue;
        }
        if (name == "--no-escapes") {
            o->escapes = false;
            continue;
        }
        if (i + 1 >= argc) {
            return FALSE;
        }
        const char *value = argv[++i];
        BOOL ok = TRUE;
        if (name == "--model")
            o->model = value;
        else if (name == "--out")
            o->out = value;
        else if (name == "--list")
            o->list = value;
        else if (name == "--document")
            o->document = value;
        else if (name == "--escape-log")
            o->escapeLog = value;
        else if (name == "--fax-list")
            o->faxList = value;
        else if (name == "--draw")
            o->draw = value;
        else if (name == "--set")
            o->sets.push_back(value);
        else if (name == "--pages")
            ok = ParseCount(value, &o->pages);
        else if (name == "--abort-after")
            ok = ParseCount(value, &o->abortAfter);
        else if (name == "--reset-after")
            ok = ParseCount(value, &o->resetAfter);
        else
            ok = FALSE;
        if (!ok) {
            return FALSE;
        }
    }
    // One source of pages: a count or the page script.
    return o->model != NULL && o->out != NULL && (o->pages >= 0) != (o->draw != NULL);
}

// WriteHostFile: bytes into a file of the host (created or emptied).
static BOOL WriteHostFile(const char *path, const void *bytes, size_t size)
{
    FILE *file = fopen(path, "wb");
    if (file == NULL) {
        return FALSE;
    }
    BOOL ok = size == 0 || fwrite(bytes, 1, size, file) == size;
    return fclose(file) == 0 && ok;
}

static std::vector<BYTE> JobBytes(DWORD job)
{
    DWORD needed = 0;
    qmh_ReadJobData(job, NULL, 0, &needed);
    std::vector<BYTE> bytes(needed);
    if (needed != 0 && !qmh_ReadJobData(job, bytes.data(), needed, &needed)) {
        bytes.clear();
    }
    return bytes;
}

// SetupFailure: the set-up step that failed, exit 2.
static int SetupFailure(const char *step, const std::string &detail)
{
    fprintf(stderr, "printhost: set-up failed at %s%s%s\n", step, detail.empty() ? "" : ": ", detail.c_str());
    return PH_EXIT_SETUP;
}

// The job: what GDI calls between the DC's surface and its teardown, and the document
// events of the user-interface driver around the calls (script NULL: none).
struct JobRun {
    const JobEntries *e;
    HANDLE printer;
    std::vector<BYTE> *devmode;
    JobDevice device;
    DWORD job;
    bool failed;
    DWORD pages; // pages the driver took (DrvSendPage answered TRUE)
    HDC dc;      // the application's DC: its escapes reach the driver
    EscapeScript *script;
    const DrawScript *draw; // the page script, or NULL
    int drawFailures;       // drawing calls that answered FALSE
};

// The page the document events add at the end of the document.
static BOOL StartAddedPage(void *host)
{
    JobRun *run = (JobRun *)host;
    return run->e->startPage(run->device.surface);
}

static BOOL EndAddedPage(void *host)
{
    JobRun *run = (JobRun *)host;
    BOOL sent = run->e->sendPage(run->device.surface);
    run->pages += sent ? 1 : 0;
    return sent;
}

// Event: a document event before a GDI call: its failure fails the call.
static BOOL Event(JobRun *run, LONG (*event)(EscapeScript *))
{
    return run->script == NULL || event(run->script) == 1;
}

// PostEvent: a document event after a GDI call. The call is done by then: what the event
// answers is in the escape log and the job goes on (a settings transfer delivers as much
// as it can).
static void PostEvent(JobRun *run, LONG (*event)(EscapeScript *))
{
    if (run->script != NULL) {
        event(run->script);
    }
}

// ResetDevice: ResetDC between pages: a new PDEV takes the job over. FALSE when refused.
static BOOL ResetDevice(JobRun *run, LPWSTR document)
{
    JobDevice fresh;
    if (!EnableDevice(*run->e, *run->devmode, run->printer, &fresh)) {
        DisableDevice(*run->e, &fresh);
        return FALSE;
    }
    BOOL reset = run->e->resetPdev(run->device.pdev, fresh.pdev);
    DisableDevice(*run->e, &run->device);
    run->device = fresh;
    if (!reset || !EnableSurface(*run->e, &run->device) || !run->e->startDoc(run->device.surface, document, run->job)) {
        return FALSE;
    }
    qmh_SetPrinterDCSurface(run->dc, run->device.surface);
    PostEvent(run, ph_ScriptResetDcPost);
    return TRUE;
}

// DrawStampBlock: the page script's stamp block, drawn between the stamp-mode escapes.
static BOOL DrawStampBlock(void *host)
{
    JobRun *run = (JobRun *)host;
    run->drawFailures += ph_DrawStatements(&run->e->draw, run->device.surface, run->draw->stamp);
    return TRUE;
}

// DrawPage: what the page script draws on page index (none without a script).
static BOOL DrawPage(JobRun *run, long index)
{
    if (run->draw != NULL) {
        run->drawFailures += ph_DrawStatements(&run->e->draw, run->device.surface, run->draw->pages[(size_t)index]);
    }
    return TRUE;
}

// RunPage: one page as GDI makes it: StartPage, the drawing and EndPage with their events.
static BOOL RunPage(JobRun *run, long index)
{
    const JobEntries &e = *run->e;
    BOOL good = Event(run, ph_ScriptStartPage) && e.startPage(run->device.surface) && DrawPage(run, index) &&
                Event(run, ph_ScriptEndPage) && e.sendPage(run->device.surface);
    run->pages += good ? 1 : 0;
    return good;
}

// RunPages: DrvStartDoc, the pages and DrvEndDoc, then the spool job ended or aborted.
static void RunPages(JobRun *run, const PrintOptions &o, LPWSTR document)
{
    const JobEntries &e = *run->e;
    BOOL good = e.startDoc(run->device.surface, document, run->job);
    if (good) {
        PostEvent(run, ph_ScriptStartDocPost);
    }
    bool aborted = false;
    long pages = run->draw != NULL ? (long)run->draw->pages.size() : o.pages;
    for (long page = 1; good && page <= pages; ++page) {
        good = RunPage(run, page - 1);
        if (good && page == o.abortAfter) {
            aborted = true;
            break;
        }
        if (good && page == o.resetAfter) {
            good = ResetDevice(run, document);
        }
    }
    if (aborted) {
        e.endDoc(run->device.surface, ED_ABORTDOC);
        AbortPrinter(run->printer);
        return;
    }
    // EndDoc; its event refusing it makes the application abort the document instead.
    BOOL ended = FALSE;
    if (run->device.surface != NULL) {
        if (good && !Event(run, ph_ScriptEndDoc)) {
            e.endDoc(run->device.surface, ED_ABORTDOC);
        } else {
            ended = e.endDoc(run->device.surface, 0);
        }
    }
    if (good && ended) {
        EndDocPrinter(run->printer);
    } else {
        AbortPrinter(run->printer);
        run->failed = true;
    }
}

static const char *StateName(DWORD status)
{
    switch (status) {
    case QMH_JOB_COMPLETED: return "completed";
    case QMH_JOB_ABORTED: return "aborted";
    default: return "open";
    }
}

// SaveJob: one spool job's bytes into the stream file and their listing into the listing
// file (when asked for). bytes: out, the job's bytes.
static BOOL SaveJob(DWORD job, const std::string &out, const char *list, std::vector<BYTE> *bytes)
{
    *bytes = JobBytes(job);
    BOOL ok = WriteHostFile(out.c_str(), bytes->data(), bytes->size());
    if (list != NULL) {
        std::string listing;
        LqdError error;
        // As lumiqdump: the listing up to a broken item, the fault on standard error.
        if (!lqd_DumpStream(bytes->data(), bytes->size(), LqdOptions(), listing, error)) {
            fprintf(stderr, "printhost: listing: offset %lu: %s\n", (unsigned long)error.offset, error.reason.c_str());
        }
        ok = WriteHostFile(list, listing.data(), listing.size()) && ok;
    }
    return ok;
}

// FurtherJobs: the spool jobs the driver started on the printer after the run's own job
// (a fax job's further destinations), oldest first.
static std::vector<QMH_JOB_INFO> FurtherJobs(DWORD job)
{
    std::vector<QMH_JOB_INFO> jobs(qmh_EnumJobs(PH_PRINTER_NAME, NULL, 0));
    DWORD count = qmh_EnumJobs(PH_PRINTER_NAME, jobs.data(), (DWORD)jobs.size());
    jobs.resize(count < jobs.size() ? count : jobs.size());
    std::vector<QMH_JOB_INFO> further;
    for (const QMH_JOB_INFO &info : jobs) {
        if (info.JobId > job) {
            further.push_back(info);
        }
    }
    return further;
}

// SaveOutputs: the stream file, the listing file and the one-line report; each further
// spool job of the run in "<stream-file>.2", ".3", ... (and "<listing-file>.2", ...), its
// own report line, and the count of spool jobs on the first line when there are several.
// failed: out, set when a further job was aborted.
static BOOL SaveOutputs(const PrintOptions &o, DWORD job, DWORD pages, bool *failed)
{
    std::vector<BYTE> bytes;
    BOOL ok = SaveJob(job, o.out, o.list, &bytes);
    std::vector<QMH_JOB_INFO> further = FurtherJobs(job);
    QMH_JOB_INFO info = {};
    qmh_GetJob(job, &info);
    printf("job %lu %s %lu bytes %lu pages",
           (unsigned long)job,
           StateName(info.Status),
           (unsigned long)bytes.size(),
           (unsigned long)pages);
    if (!further.empty()) {
        printf(" %lu spool jobs", (unsigned long)(further.size() + 1));
    }
    printf("\n");
    for (size_t i = 0; i < further.size(); ++i) {
        std::string suffix = "." + std::to_string(i + 2);
        std::string list = o.list != NULL ? std::string(o.list) + suffix : std::string();
        ok = SaveJob(further[i].JobId, std::string(o.out) + suffix, o.list != NULL ? list.c_str() : NULL, &bytes) && ok;
        printf("job %lu %s %lu bytes\n",
               (unsigned long)further[i].JobId,
               StateName(further[i].Status),
               (unsigned long)bytes.size());
        if (further[i].Status != QMH_JOB_COMPLETED) {
            *failed = true;
        }
    }
    return ok;
}

// ReadHostFile: a whole file of the host. FALSE when it cannot be read.
static BOOL ReadHostFile(const char *path, std::vector<BYTE> *bytes)
{
    FILE *file = fopen(path, "rb");
    if (file == NULL) {
        return FALSE;
    }
    BYTE chunk[4096];
    size_t got = 0;
    while ((got = fread(chunk, 1, sizeof chunk, file)) != 0) {
        bytes->insert(bytes->end(), chunk, chunk + got);
    }
    BOOL ok = !ferror(file);
    fclose(file);
    return ok;
}

// StoreFaxList: a fax send list file as the printer's "FaxSendList" value, as the
// property pages store the destinations the user entered (through a handle that may
// change the printer).
static BOOL StoreFaxList(const char *path, std::string *error)
{
    std::vector<BYTE> list;
    if (!ReadHostFile(path, &list) || list.empty()) {
        *error = std::string("cannot read ") + path;
        return FALSE;
    }
    PRINTER_DEFAULTSW access = {NULL, NULL, PRINTER_ALL_ACCESS};
    HANDLE printer = NULL;
    BOOL stored =
        OpenPrinterW((LPWSTR)PH_PRINTER_NAME, &printer, &access) &&
        pd_WriteChunkedValue(printer, list.data(), (DWORD)list.size(), TEXT("FaxSendList"), TEXT("FaxSendListSize"));
    if (printer != NULL) {
        ClosePrinter(printer);
    }
    if (!stored) {
        *error = "the fax send list cannot be stored";
    }
    return stored;
}

// OpenDocument: StartDoc as GDI runs it: its document event, then the spool job. The
// document then runs. Returns the exit code so far.
static int OpenDocument(JobRun *run, const PrintOptions &o)
{
    std::u16string document;
    for (const char *p = o.document; *p != 0; ++p)
        document.push_back((char16_t)(unsigned char)*p);
    if (run->script != NULL && ph_ScriptStartDoc(run->script, (LPCWSTR)document.c_str()) != 1) {
        fprintf(stderr, "printhost: the document events refused StartDoc\n");
        return PH_EXIT_JOB_FAILED;
    }
    DOC_INFO_1W info = {(LPWSTR)document.c_str(), NULL, (LPWSTR)TEXT("RAW")};
    run->job = StartDocPrinterW(run->printer, 1, (LPBYTE)&info);
    if (run->job == 0) {
        return SetupFailure("StartDocPrinter", "");
    }
    RunPages(run, o, (LPWSTR)document.c_str());
    return 0;
}

// PrepareJob: the printer's DEVMODE with the settings asked for, the fax send list, the
// device and the application's DC. Returns the exit code so far.
static int PrepareJob(JobRun *run, const PrintOptions &o)
{
    std::string error;
    if (!OpenPrinterW((LPWSTR)PH_PRINTER_NAME, &run->printer, NULL)) {
        return SetupFailure("module", "printer missing");
    }
    if (!ph_BuildJobDevmode(run->printer, PH_PRINTER_NAME, run->devmode)) {
        return SetupFailure("model", "no DEVMODE from its description");
    }
    for (const char *assignment : o.sets) {
        std::string stored;
        if (!ph_ApplySetting(assignment, run->devmode, &error) &&
            !ph_StorePrinterSetting(PH_PRINTER_NAME, assignment, &stored)) {
            fprintf(stderr, "printhost: %s\n", error.c_str());
            Usage();
            return PH_EXIT_USAGE;
        }
    }
    if (o.faxList != NULL && !StoreFaxList(o.faxList, &error)) {
        return SetupFailure("fax list", error);
    }
    if (!EnableDevice(*run->e, *run->devmode, run->printer, &run->device) || !EnableSurface(*run->e, &run->device)) {
        return SetupFailure("DrvEnablePDEV", "");
    }
    run->dc = qmh_CreatePrinterDC(run->e->escape, run->device.surface);
    if (run->dc == NULL) {
        return SetupFailure("CreateDC", "");
    }
    if (o.escapes) {
        run->script = new EscapeScript;
        AddedPageHooks hooks = {StartAddedPage, EndAddedPage, run};
        ph_InitScript(run->script, run->printer, PH_PRINTER_NAME, run->dc, &hooks);
        if (run->draw != NULL && !run->draw->stamp.empty()) {
            run->script->stampDraw = StampDrawHook{DrawStampBlock, run};
        }
    }
    return 0;
}

int ph_Print(int argc, char **argv)
{
    PrintOptions o;
    if (!ParseOptions(argc, argv, &o)) {
        Usage();
        return PH_EXIT_USAGE;
    }
    DrawScript draw;
    std::string error;
    if (o.draw != NULL && !ph_ReadDrawScript(o.draw, &draw, &error)) {
        fprintf(stderr, "printhost: %s\n", error.c_str());
        return PH_EXIT_USAGE;
    }
    if (o.fixedEnv) {
        PinEnvironment();
    }
    if (!ph_InstallPrinter(PH_PRINTER_NAME, o.model, &error)) {
        return SetupFailure("model", error);
    }
    HMODULE module = LoadLibraryW(PH_DRIVER_NAME);
    if (module == NULL) {
        return SetupFailure("module", "qmkelvim.dll cannot be loaded");
    }
    FreeLibrary(module);
    DriverHost host;
    JobEntries entries;
    if (!ph_LoadDriver(PH_DRIVER_NAME, &host)) {
        return SetupFailure("DrvEnableDriver", "");
    }
    std::vector<BYTE> devmode;
    JobRun run = {&entries, NULL, &devmode, {}, 0, false, 0, NULL, NULL, o.draw != NULL ? &draw : NULL, 0};
    int exitCode = LoadEntries(&host, &entries) ? PrepareJob(&run, o) : SetupFailure("module", "entry points missing");
    if (exitCode == 0) {
        exitCode = OpenDocument(&run, o);
    }
    if (run.dc != NULL) {
        DeleteDC(run.dc);
    }
    DisableDevice(entries, &run.device);
    ph_UnloadDriver(&host);
    if (run.script != NULL && o.escapeLog != NULL) {
        std::string log = ph_FormatEscapeLog(run.script);
        if (!WriteHostFile(o.escapeLog, log.data(), log.size())) {
            fprintf(stderr, "printhost: the escape log cannot be written\n");
            exitCode = PH_EXIT_SETUP;
        }
    }
    delete run.script;
    if (run.job != 0) {
        if (!SaveOutputs(o, run.job, run.pages, &run.failed)) {
            fprintf(stderr, "printhost: the stream or listing file cannot be written\n");
            exitCode = PH_EXIT_SETUP;
        } else if (run.failed) {
            exitCode = PH_EXIT_JOB_FAILED;
        } else if (run.drawFailures != 0 && exitCode == PH_EXIT_DONE) {
            exitCode = PH_EXIT_DRAW_FAILED;
        }
    }
    if (run.printer != NULL) {
        ClosePrinter(run.printer);
    }
    return exitCode;
}
