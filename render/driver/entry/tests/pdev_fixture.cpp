/*
 * The PDEV tests' fixture.
 */
#include "render/driver/entry/tests/pdev_fixture.h"

#include <stddef.h>
#include <string.h>

#include "core/context/driver_context.h"
#include "core/context/tests/driver_files.h"
#include "core/handlers/setting_handlers.h"
#include "core/settings/settings.h"
#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_testing_engine.h"

namespace pdev_test {

bool Counts::operator==(const Counts &o) const
{
    return heaps == o.heaps && globals == o.globals && modules == o.modules && palettes == o.palettes &&
           surfaces == o.surfaces && printers == o.printers;
}

Counts Now()
{
    return {qmt_LiveHeaps(),
            qmt_LiveGlobalBlocks(),
            qmt_LiveModules(),
            qmt_LivePalettes(),
            qmt_LiveSurfaces(),
            qmt_LivePrinterHandles()};
}

void PdevFixture::SetUp()
{
    driver_files::CopyIn(driver_files::HostFile(QM_DMA_LIBRARY), u"qmkelvdm.dll");
    driver_files::CopyIn(driver_files::HostFile(QM_DMA_NAMING_MODULE), u"qmkelvim.xrs");
    module_ = LoadLibraryExW(TEXT("C:\\drv\\qmkelvim.xrs"), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module_, nullptr);
    util_SetModuleHandle((HINSTANCE)module_);
    // The spooler lives as long as the test program: each printer is installed once.
    if (!OpenPrinterW((LPWSTR)printerName_, &printer_, nullptr)) {
        printer_ = driver_files::InstallPrinter(printerName_, driver_files::HostFile(model_));
    }
    ASSERT_NE(printer_, nullptr);
    DriverContext *context = ddd_OpenContext(printer_);
    ASSERT_NE(context, nullptr);
    devmode_.assign(DEVMODE_WITH_TRAILER_SIZE, 0);
    opt_SetAllDefaults(context, Full(), nullptr, printerName_);
    ddd_CloseContext(context);
    Dm()->dmSize = DM_PUBLIC_SIZE;
    Dm()->dmDriverExtra = DEVMODE_TRAILER_EXTRA;
    SetTrailerWord(DEVMODE_TRAILER_SIZE);
    Dm()->dmFields |= DM_PAPERSIZE | DM_ORIENTATION;
    Dm()->dmFields &= ~(DWORD)(DM_FORMNAME | DM_PAPERLENGTH | DM_PAPERWIDTH | DM_SCALE);
    Dm()->dmPaperSize = 9; // A4
    Dm()->dmOrientation = 1;
    Dm()->dmPrintQuality = 600;
    DRVENABLEDATA data = {};
    ASSERT_TRUE(DrvEnableDriver(0x20000, sizeof data, &data));
}

void PdevFixture::TearDown()
{
    DrvDisableDriver();
    ClosePrinter(printer_);
    FreeLibrary(module_);
}

void PdevFixture::SetTrailerWord(WORD word)
{
    memcpy(devmode_.data() + DM_FULL_SIZE, &word, sizeof word);
}

void PdevFixture::SetTrailerPaperList(DWORD value)
{
    size_t offset = DEVMODE_TRAILER_OFFSET + offsetof(DevmodeTrailer, devicePaperList);
    memcpy(devmode_.data() + offset, &value, sizeof value);
}

void PdevFixture::SetSetting(WORD functionId, WORD type, DWORD size, DWORD value)
{
    ASSERT_EQ(dma_SetTypedValue(Full(), nullptr, functionId, type, size, value), 0) << functionId;
}

PDEV *PdevFixture::Enable(DEVMODEW *dm)
{
    memset(&gdi_, 0, sizeof gdi_);
    memset(&info_, 0, sizeof info_);
    return (PDEV *)DrvEnablePDEV(dm,
                                 nullptr,
                                 0,
                                 nullptr,
                                 sizeof gdi_,
                                 (ULONG *)&gdi_,
                                 sizeof info_,
                                 &info_,
                                 (HDEV)0x1234,
                                 (LPWSTR)printerName_,
                                 printer_);
}

} // namespace pdev_test
