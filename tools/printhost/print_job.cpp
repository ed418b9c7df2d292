// printhost print: a sample job through the render driver in GDI's order. The spool job's
// bytes (exactly what WritePrinter received) go to the stream file, their listing to the
// listing file.
#include "tools/printhost/print_job.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <winspool.h>

#include "core/settings/settings.h"
#include "platform/include/qmhost.h"
#include "platform/include/qmhost_engine.h"
#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_testing_text.h"
#include "testing/lumiq/lumiq_decoder.h"

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
    return e->enablePdev && e->completePdev && e->resetPdev && e->disablePdev && e->enableSurface &&
           e->disableSurface && e->startDoc && e->endDoc && e->startPage && e->sendPage;
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
    device->pdev = e.enablePdev((DEVMODEW *)devmode.data(), NULL, 0, NULL, sizeof gdi, (ULONG *)&gdi, sizeof info,
                                &info, device->hdev, (LPWSTR)PH_PRINTER_NAME, printer);
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

// ParseNumber: decimal or 0x-hex, the whole text. FALSE otherwise.
static BOOL ParseNumber(const char *text, unsigned long *value)
{
    if (text == NULL || *text == 0) {
        return FALSE;
    }
    char *end = NULL;
    *value = strtoul(text, &end, 0);
    return end != NULL && *end == 0 && text[0] != '-';
}

// ApplySetting: "<FunctionID>=<value>" into the DEVMODE: a string setting takes the text,
// any other the number, with the type the setting is stored as.
static BOOL ApplySetting(const char *assignment, std::vector<BYTE> &devmode, std::string *error)
{
    const char *equals = strchr(assignment, '=');
    unsigned long id = 0;
    std::string idText = equals != NULL ? std::string(assignment, equals - assignment) : std::string();
    if (equals == NULL || !ParseNumber(idText.c_str(), &id) || id == 0 || id > 0xFFFF) {
        *error = std::string("bad --set ") + assignment;
        return FALSE;
    }
    DriverDevmode *full = (DriverDevmode *)devmode.data();
    WORD type = 0;
    DWORD size = 0;
    BYTE current[64] = {};
    if (dma_GetFunctionValue((WORD)id, full, NULL, &type, &size, current) != SST_OK) {
        *error = "setting " + idText + " is not in the DEVMODE";
        return FALSE;
    }
    WORD status = SST_BAD;
    if (type == VT_STRING) {
        std::u16string text;
        for (const char *p = equals + 1; *p != 0; ++p) text.push_back((char16_t)(unsigned char)*p);
        const WCHAR *pointer = (const WCHAR *)text.c_str();
        status = dma_SetFunctionValue((WORD)id, full, NULL, type, (DWORD)(text.size() + 1) * 2, &pointer);
    } else {
        unsigned long number = 0;
        if (!ParseNumber(equals + 1, &number)) {
            *error = std::string("bad value in --set ") + assignment;
            return FALSE;
        }
        DWORD value = (DWORD)number;
        status = dma_SetFunctionValue((WORD)id, full, NULL, type, dma_GetTypeWidth(type), &value);
    }
    if (status != SST_OK) {
        *error = std::string("setting refused: ") + assignment;
        return FALSE;
    }
    return TRUE;
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
};

static void Usage()
{
    fprintf(stderr, "usage: printhost print --model <file.DDD> --pages <N> --out <stream-file>\n"
                    "                      [--list <listing-file>] [--set <FunctionID>=<value>]...\n"
                    "                      [--document <name>] [--abort-after <n>] [--reset-after <n>]\n"
                    "                      [--fixed-env]\n");
}

static BOOL ParseCount(const char *text, long *count)
{
    unsigned long value = 0;
    if (!ParseNumber(text, &value) || value > 0x7FFFFFFF) {
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
        if (i + 1 >= argc) {
            return FALSE;
        }
        const char *value = argv[++i];
        BOOL ok = TRUE;
        if (name == "--model") o->model = value;
        else if (name == "--out") o->out = value;
        else if (name == "--list") o->list = value;
        else if (name == "--document") o->document = value;
        else if (name == "--set") o->sets.push_back(value);
        else if (name == "--pages") ok = ParseCount(value, &o->pages);
        else if (name == "--abort-after") ok = ParseCount(value, &o->abortAfter);
        else if (name == "--reset-after") ok = ParseCount(value, &o->resetAfter);
        else ok = FALSE;
        if (!ok) {
            return FALSE;
        }
    }
    return o->model != NULL && o->out != NULL && o->pages >= 0;
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

// The job: what GDI calls between the DC's surface and its teardown.
struct JobRun {
    const JobEntries *e;
    HANDLE printer;
    std::vector<BYTE> *devmode;
    JobDevice device;
    DWORD job;
    bool failed;
    DWORD pages;  // pages the driver took (DrvSendPage answered TRUE)
};

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
    return reset && EnableSurface(*run->e, &run->device) && run->e->startDoc(run->device.surface, document, run->job);
}

// RunPages: DrvStartDoc, the pages and DrvEndDoc, then the spool job ended or aborted.
static void RunPages(JobRun *run, const PrintOptions &o, LPWSTR document)
{
    const JobEntries &e = *run->e;
    BOOL good = e.startDoc(run->device.surface, document, run->job);
    bool aborted = false;
    for (long page = 1; good && page <= o.pages; ++page) {
        good = e.startPage(run->device.surface) && e.sendPage(run->device.surface);
        run->pages += good ? 1 : 0;
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
    BOOL ended = run->device.surface != NULL && e.endDoc(run->device.surface, 0);
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

// SaveOutputs: the stream file, the listing file and the one-line report.
static BOOL SaveOutputs(const PrintOptions &o, DWORD job, DWORD pages)
{
    std::vector<BYTE> bytes = JobBytes(job);
    BOOL ok = WriteHostFile(o.out, bytes.data(), bytes.size());
    if (o.list != NULL) {
        std::string listing;
        LqdError error;
        // As lumiqdump: the listing up to a broken item, the fault on standard error.
        if (!lqd_DumpStream(bytes.data(), bytes.size(), LqdOptions(), listing, error)) {
            fprintf(stderr, "printhost: listing: offset %lu: %s\n", (unsigned long)error.offset,
                    error.reason.c_str());
        }
        ok = WriteHostFile(o.list, listing.data(), listing.size()) && ok;
    }
    QMH_JOB_INFO info = {};
    qmh_GetJob(job, &info);
    printf("job %lu %s %lu bytes %lu pages\n", (unsigned long)job, StateName(info.Status),
           (unsigned long)bytes.size(), (unsigned long)pages);
    return ok;
}

int ph_Print(int argc, char **argv)
{
    PrintOptions o;
    if (!ParseOptions(argc, argv, &o)) {
        Usage();
        return PH_EXIT_USAGE;
    }
    if (o.fixedEnv) {
        PinEnvironment();
    }
    std::string error;
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
    int exitCode = 0;
    JobRun run = {&entries, NULL, NULL, {}, 0, false, 0};
    std::vector<BYTE> devmode;
    if (!LoadEntries(&host, &entries) || !OpenPrinterW((LPWSTR)PH_PRINTER_NAME, &run.printer, NULL)) {
        exitCode = SetupFailure("module", "entry points or printer missing");
    } else if (!ph_BuildJobDevmode(run.printer, PH_PRINTER_NAME, &devmode)) {
        exitCode = SetupFailure("model", "no DEVMODE from its description");
    }
    for (size_t i = 0; exitCode == 0 && i < o.sets.size(); ++i) {
        if (!ApplySetting(o.sets[i], devmode, &error)) {
            fprintf(stderr, "printhost: %s\n", error.c_str());
            Usage();
            exitCode = PH_EXIT_USAGE;
        }
    }
    run.devmode = &devmode;
    if (exitCode == 0 && (!EnableDevice(entries, devmode, run.printer, &run.device) ||
                          !EnableSurface(entries, &run.device))) {
        exitCode = SetupFailure("DrvEnablePDEV", "");
    }
    if (exitCode == 0) {
        std::u16string document;
        for (const char *p = o.document; *p != 0; ++p) document.push_back((char16_t)(unsigned char)*p);
        DOC_INFO_1W info = {(LPWSTR)document.c_str(), NULL, (LPWSTR)TEXT("RAW")};
        run.job = StartDocPrinterW(run.printer, 1, (LPBYTE)&info);
        if (run.job == 0) {
            exitCode = SetupFailure("StartDocPrinter", "");
        } else {
            RunPages(&run, o, (LPWSTR)document.c_str());
        }
    }
    DisableDevice(entries, &run.device);
    ph_UnloadDriver(&host);
    if (run.job != 0) {
        if (!SaveOutputs(o, run.job, run.pages)) {
            fprintf(stderr, "printhost: the stream or listing file cannot be written\n");
            exitCode = PH_EXIT_SETUP;
        } else if (run.failed) {
            exitCode = PH_EXIT_JOB_FAILED;
        }
    }
    if (run.printer != NULL) {
        ClosePrinter(run.printer);
    }
    return exitCode;
}
