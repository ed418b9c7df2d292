/*
 * A job run through the render driver's entry points on a spooler that keeps its bytes.
 */
#include "render/driver/job/tests/job_fixture.h"

#include <string.h>

#include <winspool.h>

#include "core/context/driver_context.h"
#include "core/context/tests/driver_files.h"
#include "core/handlers/setting_handlers.h"
#include "platform/include/qmhost_engine.h"
#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_testing_engine.h"
#include "render/driver/binding/dma_binding.h"
#include "render/driver/binding/pdev_settings.h"
#include "tools/lumiq/lumiq_decoder.h"

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("render_job_tests.log");
}

namespace job_test {

bool Counts::operator==(const Counts &o) const
{
    return heaps == o.heaps && globals == o.globals && modules == o.modules && palettes == o.palettes &&
           surfaces == o.surfaces;
}

Counts Now()
{
    return {qmt_LiveHeaps(), qmt_LiveGlobalBlocks(), qmt_LiveModules(), qmt_LivePalettes(), qmt_LiveSurfaces()};
}

void JobTest::SetUp()
{
    driver_files::CopyIn(driver_files::HostFile(QM_DMA_LIBRARY), u"qmkelvdm.dll");
    driver_files::CopyIn(driver_files::HostFile(QM_DMA_NAMING_MODULE), u"qmkelvim.xrs");
    driver_files::CopyIn(driver_files::HostFile(QM_STANDIN_DIR "/qmvjcl50.dll"), u"qmvjcl50.dll");
    module_ = LoadLibraryExW(TEXT("C:\\drv\\qmkelvim.xrs"), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module_, nullptr);
    util_SetModuleHandle((HINSTANCE)module_);
    DRVENABLEDATA data = {};
    ASSERT_TRUE(DrvEnableDriver(0x20000, sizeof data, &data));
    start_ = Now();
}

void JobTest::Open(const char *model)
{
    std::u16string name = u"QM Job ";
    for (const char *p = model; *p; ++p)
        name.push_back((char16_t)*p);
    if (!OpenPrinterW((LPWSTR)name.c_str(), &printer_, nullptr)) {
        std::string path = std::string(QM_MODELS_DIR) + "/" + model + ".DDD";
        printer_ = driver_files::InstallPrinter((LPCWSTR)name.c_str(), driver_files::HostFile(path.c_str()));
    }
    ASSERT_NE(printer_, nullptr);
    DriverContext *context = ddd_OpenContext(printer_);
    ASSERT_NE(context, nullptr);
    devmode_.assign(DEVMODE_WITH_TRAILER_SIZE, 0);
    DriverDevmode *full = (DriverDevmode *)devmode_.data();
    opt_SetAllDefaults(context, full, nullptr, (LPCWSTR)name.c_str());
    ddd_CloseContext(context);
    DEVMODEW *dm = (DEVMODEW *)devmode_.data();
    dm->dmSize = DM_PUBLIC_SIZE;
    dm->dmDriverExtra = DEVMODE_TRAILER_EXTRA;
    WORD trailer = DEVMODE_TRAILER_SIZE;
    memcpy(devmode_.data() + DM_FULL_SIZE, &trailer, sizeof trailer);

    DOC_INFO_1W doc = {(LPWSTR)TEXT("Sample job"), nullptr, (LPWSTR)TEXT("RAW")};
    job_ = StartDocPrinterW(printer_, 1, (LPBYTE)&doc);
    ASSERT_NE(job_, 0u);
    GDIINFO gdi = {};
    DEVINFO info = {};
    hdev_ = qmh_CreateDevice();
    pdev_ = DrvEnablePDEV(
        dm, nullptr, 0, nullptr, sizeof gdi, (ULONG *)&gdi, sizeof info, &info, hdev_, (LPWSTR)name.c_str(), printer_);
    ASSERT_NE(pdev_, nullptr);
    ASSERT_TRUE(qmh_BindDevicePdev(hdev_, pdev_));
    DrvCompletePDEV(pdev_, hdev_);
    hsurf_ = DrvEnableSurface(pdev_);
    ASSERT_NE(hsurf_, nullptr);
    surface_ = EngLockSurface(hsurf_);
    ASSERT_NE(surface_, nullptr);
}

void JobTest::Set(WORD functionId, DWORD value)
{
    WORD type = 0;
    DWORD size = 0;
    BYTE old[64] = {};
    ASSERT_EQ(dma_CallGetValue(functionId, &Pdev()->devmode, Pdev()->printerData, &type, &size, old), 0) << functionId;
    ASSERT_EQ(dma_CallSetValue(functionId, &Pdev()->devmode, Pdev()->printerData, type, size, &value), 0) << functionId;
}

DWORD JobTest::Get(WORD functionId)
{
    return pdev_GetSetting32(Pdev(), functionId);
}

BOOL JobTest::Pages(int count)
{
    for (int i = 0; i < count; ++i) {
        if (!DrvStartPage(surface_) || !DrvSendPage(surface_)) {
            return FALSE;
        }
    }
    return TRUE;
}

BOOL JobTest::EndDoc(FLONG flags)
{
    BOOL ended = DrvEndDoc(surface_, flags);
    if (ended && !(flags & ED_ABORTDOC)) {
        EndDocPrinter(printer_);
    } else {
        AbortPrinter(printer_);
    }
    endDone_ = TRUE;
    return ended;
}

BOOL JobTest::Reset()
{
    GDIINFO gdi = {};
    DEVINFO info = {};
    HDEV hdev = qmh_CreateDevice();
    DHPDEV fresh = DrvEnablePDEV((DEVMODEW *)devmode_.data(),
                                 nullptr,
                                 0,
                                 nullptr,
                                 sizeof gdi,
                                 (ULONG *)&gdi,
                                 sizeof info,
                                 &info,
                                 hdev,
                                 (LPWSTR)TEXT("QM Job"),
                                 printer_);
    if (fresh == nullptr || !qmh_BindDevicePdev(hdev, fresh)) {
        return FALSE;
    }
    DrvCompletePDEV(fresh, hdev);
    BOOL reset = DrvResetPDEV(pdev_, fresh);
    EngUnlockSurface(surface_);
    DrvDisableSurface(pdev_);
    DrvDisablePDEV(pdev_);
    qmh_DeleteDevice(hdev_);
    hdev_ = hdev;
    pdev_ = fresh;
    hsurf_ = DrvEnableSurface(pdev_);
    surface_ = EngLockSurface(hsurf_);
    return reset && DrvStartDoc(surface_, (LPWSTR)TEXT("Sample job"), job_);
}

void JobTest::Close()
{
    if (surface_ != nullptr) {
        EngUnlockSurface(surface_);
        DrvDisableSurface(pdev_);
        surface_ = nullptr;
    }
    if (pdev_ != nullptr) {
        DrvDisablePDEV(pdev_);
        pdev_ = nullptr;
    }
    if (hdev_ != nullptr) {
        qmh_DeleteDevice(hdev_);
        hdev_ = nullptr;
    }
    if (printer_ != nullptr) {
        if (!endDone_) {
            AbortPrinter(printer_);
        }
        ClosePrinter(printer_);
        printer_ = nullptr;
    }
}

void JobTest::TearDown()
{
    Close();
    EXPECT_TRUE(Now() == start_) << "a job left heaps, blocks, modules, palettes or surfaces behind";
    DrvDisableDriver();
    FreeLibrary(module_);
}

std::vector<BYTE> JobTest::Bytes()
{
    DWORD needed = 0;
    qmh_ReadJobData(job_, nullptr, 0, &needed);
    std::vector<BYTE> bytes(needed);
    if (needed != 0 && !qmh_ReadJobData(job_, bytes.data(), needed, &needed)) {
        bytes.clear();
    }
    return bytes;
}

DWORD JobTest::JobStatus()
{
    QMH_JOB_INFO info = {};
    qmh_GetJob(job_, &info);
    return info.Status;
}

std::vector<std::string> JobTest::PageCommands()
{
    std::vector<std::string> drawn;
    bool inPage = false;
    for (const std::string &line : Listing()) {
        if (line.rfind("body ", 0) != 0)
            continue;
        std::string command = line.substr(5);
        if (command.rfind("EP", 0) == 0) {
            inPage = command.find("StartPage") != std::string::npos ||
                     (inPage && command.find("EndPage") == std::string::npos);
            continue;
        }
        if (inPage)
            drawn.push_back(command);
    }
    return drawn;
}

std::vector<std::string> JobTest::Listing()
{
    std::vector<BYTE> bytes = Bytes();
    std::string out;
    LqdError error;
    EXPECT_TRUE(lqd_DumpStream(bytes.data(), bytes.size(), LqdOptions(), out, error))
        << error.offset << ": " << error.reason;
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < out.size()) {
        size_t end = out.find('\n', start);
        if (end == std::string::npos)
            end = out.size();
        std::string line = out.substr(start, end - start);
        // Drop the offset: "<part> <offset> <rest>" becomes "<part> <rest>".
        size_t first = line.find(' ');
        size_t second = first == std::string::npos ? first : line.find(' ', first + 1);
        if (second != std::string::npos)
            line = line.substr(0, first) + line.substr(second);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> JobTest::Commands()
{
    std::vector<std::string> commands;
    for (const std::string &line : Listing()) {
        if (line.rfind("body ", 0) != 0)
            continue;
        std::string command = line.substr(5, 2);
        if (command == "EP") {
            // The event text ends the record: "...[<n>ms]<event>\"" or "\"<event>\"".
            size_t close = line.rfind("\\\"\"");
            size_t open = line.rfind("ms]", close);
            if (close != std::string::npos && open != std::string::npos) {
                command += " " + line.substr(open + 3, close - open - 3);
            }
        }
        commands.push_back(command);
    }
    return commands;
}

size_t Find(const std::vector<std::string> &list, const std::string &item, size_t from, bool prefix)
{
    for (size_t i = from; i < list.size(); ++i) {
        if (prefix ? list[i].rfind(item, 0) == 0 : list[i] == item)
            return i;
    }
    return list.size();
}

size_t Count(const std::vector<std::string> &list, const std::string &item)
{
    size_t n = 0;
    for (const std::string &entry : list)
        n += entry == item;
    return n;
}

} // namespace job_test
