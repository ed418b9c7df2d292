/*
 * What the render driver's fuzz entries share: the driver files in the module directory,
 * the driver enabled and the sample printer installed once per process, its default
 * DEVMODE as the user-interface DLL hands it to GDI, and a PDEV's life on a DEVMODE.
 */
#ifndef QM_RENDER_DRIVER_ENTRY_TESTS_FUZZ_PDEV_FUZZ_FIXTURE_H
#define QM_RENDER_DRIVER_ENTRY_TESTS_FUZZ_PDEV_FUZZ_FIXTURE_H

#include <string.h>

#include <windows.h>
#include <winddi.h>

#include <vector>

#include "core/context/driver_context.h"
#include "core/handlers/setting_handlers.h"
#include "core/util/module.h"
#include "platform/include/qmhost_engine.h"
#include "render/driver/pdev/pdev.h"
#include "testing/fuzz/fuzz_support.h"

namespace pdev_fuzz {

inline const WCHAR *PrinterName()
{
    return TEXT("QM Fuzz");
}

// The default DEVMODE of the printer's model (5896 bytes: the full driver DEVMODE and
// its trailer), as the user-interface DLL hands it over; empty on failure.
inline std::vector<BYTE> DefaultDevmode(HANDLE printer)
{
    std::vector<BYTE> bytes;
    DriverContext *context = ddd_OpenContext(printer);
    if (!context)
        return bytes;
    bytes.assign(DEVMODE_WITH_TRAILER_SIZE, 0);
    DriverDevmode *full = (DriverDevmode *)bytes.data();
    BOOL made = opt_SetAllDefaults(context, full, NULL, PrinterName());
    ddd_CloseContext(context);
    if (!made) {
        bytes.clear();
        return bytes;
    }
    full->dm.dmSize = DM_PUBLIC_SIZE;
    full->dm.dmDriverExtra = DEVMODE_TRAILER_EXTRA;
    WORD trailer = DEVMODE_TRAILER_SIZE;
    memcpy(bytes.data() + DM_FULL_SIZE, &trailer, sizeof trailer);
    return bytes;
}

// A PDEV made by DrvEnablePDEV on the DEVMODE, completed, with its surface.
struct Pdev {
    HDEV hdev;
    DHPDEV pdev;
    HSURF surface;
    SURFOBJ *surfobj;
};

// Enables a PDEV on devmode (pdev NULL when DrvEnablePDEV refuses it).
inline Pdev Enable(HANDLE printer, DEVMODEW *devmode)
{
    GDIINFO gdi;
    DEVINFO info;
    memset(&gdi, 0, sizeof gdi);
    memset(&info, 0, sizeof info);
    Pdev made = {qmh_CreateDevice(), NULL, NULL, NULL};
    made.pdev = DrvEnablePDEV(devmode,
                              NULL,
                              0,
                              NULL,
                              sizeof gdi,
                              (ULONG *)&gdi,
                              sizeof info,
                              &info,
                              made.hdev,
                              (LPWSTR)PrinterName(),
                              printer);
    if (made.pdev) {
        qmh_BindDevicePdev(made.hdev, made.pdev);
        DrvCompletePDEV(made.pdev, made.hdev);
        made.surface = DrvEnableSurface(made.pdev);
        made.surfobj = made.surface ? EngLockSurface(made.surface) : NULL;
    }
    return made;
}

// Gives back everything Enable made.
inline void Disable(Pdev *made)
{
    if (made->surfobj)
        EngUnlockSurface(made->surfobj);
    if (made->surface)
        DrvDisableSurface(made->pdev);
    if (made->pdev)
        DrvDisablePDEV(made->pdev);
    qmh_DeleteDevice(made->hdev);
    memset(made, 0, sizeof *made);
}

// The driver files (the DEVMODE access library loaded for good under libFuzzer), the
// driver and the sample printer, made on the first call, with one PDEV on the default
// DEVMODE made and given back, so that what a process keeps (glyph sets, module texts)
// exists before any input is counted. devmode: out, the default DEVMODE (may be NULL).
// target: the caller's name for failures.
inline HANDLE Setup(const char *target, std::vector<BYTE> *devmode)
{
    static HANDLE printer = NULL;
    static std::vector<BYTE> defaults;
    if (!printer) {
        if (!fuzz_CopyIn(QM_DMA_LIBRARY, TEXT("qmkelvdm.dll")))
            fuzz_Fail(target, "the DEVMODE access library could not be copied");
#ifdef QM_LIBFUZZER
        // Held for the process: libFuzzer keeps the coverage counters of every module it
        // saw loaded, so the binding's load and free of each PDEV must not unload it.
        if (!LoadLibraryW(FUZZ_MODULE_DIRECTORY TEXT("qmkelvdm.dll")))
            fuzz_Fail(target, "the DEVMODE access library could not be loaded");
#endif
        HMODULE module = fuzz_LoadModuleCopy(QM_DMA_NAMING_MODULE, TEXT("qmkelvim.xrs"));
        if (!module)
            fuzz_Fail(target, "the driver's resource module could not be loaded");
        util_SetModuleHandle((HINSTANCE)module);
        DRVENABLEDATA data;
        memset(&data, 0, sizeof data);
        if (!DrvEnableDriver(0x20000, sizeof data, &data))
            fuzz_Fail(target, "DrvEnableDriver failed");
        printer = fuzz_InstallPrinter(PrinterName(), QM_SAMPLE_MODEL);
        if (!printer)
            fuzz_Fail(target, "the sample printer could not be installed");
        defaults = DefaultDevmode(printer);
        if (defaults.empty())
            fuzz_Fail(target, "the default DEVMODE could not be made");
        Pdev warm = Enable(printer, (DEVMODEW *)defaults.data());
        if (!warm.pdev || !warm.surfobj)
            fuzz_Fail(target, "no PDEV on the default DEVMODE");
        Disable(&warm);
    }
    if (devmode)
        *devmode = defaults;
    return printer;
}

} // namespace pdev_fuzz

#endif /* QM_RENDER_DRIVER_ENTRY_TESTS_FUZZ_PDEV_FUZZ_FIXTURE_H */
