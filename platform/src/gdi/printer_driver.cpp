/*
 * Render drivers of printer DCs: a module loaded by its path and enabled with
 * DrvEnableDriver once per process, kept while a DC holds it; DrvDisableDriver (exported by
 * name beside the table) and the module freed after its last DC.
 */
#include "platform/src/gdi/gdi_private.h"

#include <string.h>

namespace qmg {

/* The engine version announced to DrvEnableDriver. */
static const ULONG kEngineVersion = DDI_DRIVER_VERSION_NT5;

typedef BOOL(WINAPI *EnableDriverProc)(ULONG iEngineVersion, ULONG cj, DRVENABLEDATA *pded);
typedef void(WINAPI *DisableDriverProc)(void);

/* The drivers loaded; loading is serialised apart from the GDI lock, as DllMain and
 * DrvEnableDriver run under it. */
static std::mutex &DriverLock()
{
    static std::mutex lock;
    return lock;
}

static std::vector<PrinterDriver *> &Drivers()
{
    static std::vector<PrinterDriver *> drivers;
    return drivers;
}

PFN DriverEntry(const PrinterDriver *driver, ULONG index)
{
    if (!driver) {
        return nullptr;
    }
    for (ULONG i = 0; i < driver->table.c; ++i) {
        if (driver->table.pdrvfn[i].iFunc == index) {
            return driver->table.pdrvfn[i].pfn;
        }
    }
    return nullptr;
}

PrinterDriver *AcquireDriver(LPCWSTR path)
{
    std::lock_guard<std::mutex> guard(DriverLock());
    for (PrinterDriver *driver : Drivers()) {
        if (lstrcmpiW((LPCWSTR)driver->path.c_str(), path) == 0) {
            ++driver->users;
            return driver;
        }
    }
    HMODULE module = LoadLibraryW(path);
    if (!module) {
        return nullptr;
    }
    EnableDriverProc enable = (EnableDriverProc)(void *)GetProcAddress(module, "DrvEnableDriver");
    DRVENABLEDATA table;
    memset(&table, 0, sizeof table);
    if (!enable || !enable(kEngineVersion, sizeof table, &table)) {
        FreeLibrary(module);
        SetLastError(ERROR_DLL_INIT_FAILED);
        return nullptr;
    }
    PrinterDriver *driver = new PrinterDriver();
    driver->path = (const char16_t *)path;
    driver->module = module;
    driver->table = table;
    driver->users = 1;
    Drivers().push_back(driver);
    return driver;
}

void ReleaseDriver(PrinterDriver *driver)
{
    std::lock_guard<std::mutex> guard(DriverLock());
    if (!driver || --driver->users != 0) {
        return;
    }
    std::vector<PrinterDriver *> &drivers = Drivers();
    for (size_t i = 0; i < drivers.size(); ++i) {
        if (drivers[i] == driver) {
            drivers.erase(drivers.begin() + (long)i);
            break;
        }
    }
    DisableDriverProc disable = (DisableDriverProc)(void *)GetProcAddress(driver->module, "DrvDisableDriver");
    if (disable) {
        disable();
    }
    FreeLibrary(driver->module);
    delete driver;
}

} // namespace qmg
