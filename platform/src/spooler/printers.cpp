/*
 * Printers and drivers: printer handles with their access rights, the printer and driver
 * information calls, and the host's printer installation.
 */
#include "platform/src/spooler/spooler_private.h"

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <mutex>
#include <unordered_set>

#include "platform/src/registry/store.h"
#include "platform/testing/qm_testing.h"
#include <qmhost.h>

namespace {

const char16_t kEnvironment[] = u"Windows NT x86";
const char16_t kPrintProcessor[] = u"WinPrint";
const char16_t kRawDatatype[] = u"RAW";
const DWORD kDriverVersion = 3;
const ACCESS_MASK kAdminRights = PRINTER_ACCESS_ADMINISTER | WRITE_DAC | WRITE_OWNER | DELETE;

std::mutex g_handles_lock;
std::unordered_set<qmspl::Handle *> g_handles;
std::atomic<bool> g_deny_admin;
std::mutex g_fault_lock;
DWORD g_fail_open_countdown; /* 0 = off */
DWORD g_fail_open_error;

ACCESS_MASK map_generic(ACCESS_MASK access)
{
    if (access & GENERIC_ALL)
        access |= PRINTER_ALL_ACCESS;
    if (access & GENERIC_READ)
        access |= PRINTER_READ;
    if (access & GENERIC_WRITE)
        access |= PRINTER_WRITE;
    if (access & GENERIC_EXECUTE)
        access |= PRINTER_EXECUTE;
    return access & ~(GENERIC_ALL | GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE);
}

/* True when this OpenPrinterW call is the one the test control makes fail. */
bool open_fault(DWORD *error)
{
    std::lock_guard<std::mutex> guard(g_fault_lock);
    if (g_fail_open_countdown == 0)
        return false;
    if (--g_fail_open_countdown != 0)
        return false;
    *error = g_fail_open_error;
    return true;
}

/* Fills one PRINTER_INFO_n entry (entry NULL: measure only). */
void fill_printer(qmspl::Packer *p, BYTE *entry, DWORD level, const qmspl::PrinterRecord &rec)
{
    using namespace qmspl;
    switch (level) {
    case 1: {
        PRINTER_INFO_1W *info = (PRINTER_INFO_1W *)entry;
        std::u16string description = rec.name + u"," + rec.driver + u"," + rec.location;
        LPWSTR d = PackString(p, description), n = PackString(p, rec.name), c = PackString(p, rec.comment);
        if (!info)
            return;
        info->Flags = PRINTER_ENUM_ICON8;
        info->pDescription = d;
        info->pName = n;
        info->pComment = c;
        return;
    }
    case 2: {
        PRINTER_INFO_2W *info = (PRINTER_INFO_2W *)entry;
        PRINTER_INFO_2W v = {};
        v.pDevMode = (LPDEVMODEW)PackBytes(p, rec.devmode);
        v.pPrinterName = PackString(p, rec.name);
        v.pShareName = PackString(p, rec.share);
        v.pPortName = PackString(p, rec.port);
        v.pDriverName = PackString(p, rec.driver);
        v.pComment = PackString(p, rec.comment);
        v.pLocation = PackString(p, rec.location);
        v.pSepFile = PackString(p, rec.sep_file);
        v.pPrintProcessor = PackString(p, rec.print_processor);
        v.pDatatype = PackString(p, rec.datatype);
        v.pParameters = PackString(p, rec.parameters);
        if (!info)
            return;
        v.Attributes = rec.attributes;
        v.Priority = rec.priority;
        v.DefaultPriority = rec.default_priority;
        v.StartTime = rec.start_time;
        v.UntilTime = rec.until_time;
        v.Status = rec.status;
        *info = v;
        return;
    }
    case 4: {
        PRINTER_INFO_4W *info = (PRINTER_INFO_4W *)entry;
        LPWSTR n = PackString(p, rec.name);
        if (!info)
            return;
        info->pPrinterName = n;
        info->pServerName = nullptr;
        info->Attributes = rec.attributes;
        return;
    }
    default: {
        PRINTER_INFO_5W *info = (PRINTER_INFO_5W *)entry;
        LPWSTR n = PackString(p, rec.name), port = PackString(p, rec.port);
        if (!info)
            return;
        info->pPrinterName = n;
        info->pPortName = port;
        info->Attributes = rec.attributes;
        info->DeviceNotSelectedTimeout = 15000;
        info->TransmissionRetryTimeout = 45000;
        return;
    }
    }
}

DWORD printer_entry_size(DWORD level)
{
    switch (level) {
    case 1: return sizeof(PRINTER_INFO_1W);
    case 2: return sizeof(PRINTER_INFO_2W);
    case 4: return sizeof(PRINTER_INFO_4W);
    case 5: return sizeof(PRINTER_INFO_5W);
    default: return 0;
    }
}

/* Fills one DRIVER_INFO_n entry (entry NULL: measure only). */
void fill_driver(qmspl::Packer *p, BYTE *entry, DWORD level, const qmspl::DriverRecord &rec)
{
    using namespace qmspl;
    LPWSTR name = PackString(p, rec.name);
    if (level == 1) {
        if (entry)
            ((DRIVER_INFO_1W *)entry)->pName = name;
        return;
    }
    DRIVER_INFO_3W v = {};
    v.cVersion = rec.version;
    v.pName = name;
    v.pEnvironment = PackString(p, rec.environment);
    v.pDriverPath = PackString(p, rec.driver_path);
    v.pDataFile = PackString(p, rec.data_file);
    v.pConfigFile = PackString(p, rec.config_file);
    if (level == 3) {
        v.pHelpFile = PackOptional(p, rec.help_file);
        v.pDependentFiles = (LPWSTR)PackBytes(
            p, std::string((const char *)rec.dependent_files.data(), rec.dependent_files.size() * sizeof(char16_t)));
        v.pMonitorName = PackOptional(p, rec.monitor);
        v.pDefaultDataType = PackString(p, rec.default_datatype);
    }
    if (!entry)
        return;
    if (level == 3)
        *(DRIVER_INFO_3W *)entry = v;
    else
        memcpy(entry, &v, sizeof(DRIVER_INFO_2W));
}

/* The dependent-file list as stored: each string with its terminator, then one more zero. */
std::u16string multi_string(LPCWSTR list)
{
    std::u16string out;
    if (!list)
        return out;
    for (LPCWSTR s = list; *s; s += qmr::WideLength(s) + 1) {
        out.append(s);
        out.push_back(0);
    }
    out.push_back(0);
    return out;
}

/* The DEVMODE bytes of a caller's DEVMODE (public part and driver extra). */
bool devmode_bytes(const DEVMODEW *dm, std::string *out)
{
    if (!dm) {
        out->clear();
        return true;
    }
    if (dm->dmSize < offsetof(DEVMODEW, dmFields) + sizeof(DWORD) || dm->dmSize > sizeof(DEVMODEW))
        return false;
    out->assign((const char *)dm, (size_t)dm->dmSize + dm->dmDriverExtra);
    return true;
}

} // namespace

qmspl::Handle *qmspl::LookupHandle(HANDLE h)
{
    std::lock_guard<std::mutex> guard(g_handles_lock);
    Handle *handle = (Handle *)h;
    if (!h || g_handles.find(handle) == g_handles.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return handle;
}

qmspl::Handle *qmspl::LookupPrinterHandle(HANDLE h)
{
    Handle *handle = LookupHandle(h);
    if (handle && handle->server) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return handle;
}

bool qmspl::AdministrationDenied()
{
    return g_deny_admin.load();
}

/* Opens a printer by name (without case), or the local server for a NULL or empty
 * name. The access is pDefault's DesiredAccess (generic rights mapped; 0 gives
 * PRINTER_ACCESS_USE); its data type becomes the handle's default. FALSE with
 * ERROR_INVALID_PRINTER_NAME, ERROR_ACCESS_DENIED (administration refused by the test switch)
 * or the error of an injected open fault; *phPrinter is NULL then. */
extern "C" BOOL WINAPI OpenPrinterW(LPWSTR pPrinterName, LPHANDLE phPrinter, LPPRINTER_DEFAULTSW pDefault)
{
    if (!phPrinter)
        return qmspl::Fail(ERROR_INVALID_PARAMETER);
    *phPrinter = nullptr;
    DWORD error = 0;
    if (open_fault(&error))
        return qmspl::Fail(error);
    qmspl::Handle h = {};
    ACCESS_MASK access = map_generic(pDefault ? pDefault->DesiredAccess : 0);
    if (pPrinterName && *pPrinterName) {
        qmspl::PrinterRecord rec;
        std::string dir = qmspl::PrinterDir(pPrinterName);
        {
            qmr::StoreLock lock(qmspl::LockPath(), false);
            if (!qmspl::LoadPrinter(dir, &rec))
                return qmspl::Fail(ERROR_INVALID_PRINTER_NAME);
        }
        h.printer = rec.name;
        h.dir = dir;
        if (access == 0)
            access = PRINTER_ACCESS_USE;
    } else {
        h.server = true;
        if (access == 0)
            access = SERVER_ACCESS_ENUMERATE;
    }
    if ((access & kAdminRights) && qmspl::AdministrationDenied())
        return qmspl::Fail(ERROR_ACCESS_DENIED);
    h.access = access;
    if (pDefault && pDefault->pDatatype)
        h.datatype = pDefault->pDatatype;
    qmspl::Handle *handle = new qmspl::Handle(h);
    {
        std::lock_guard<std::mutex> guard(g_handles_lock);
        g_handles.insert(handle);
    }
    *phPrinter = (HANDLE)handle;
    return TRUE;
}

/* Closes a handle; a document still open on it is ended as by EndDocPrinter.
 * FALSE with ERROR_INVALID_HANDLE for an unknown handle. */
extern "C" BOOL WINAPI ClosePrinter(HANDLE hPrinter)
{
    qmspl::Handle *h = qmspl::LookupHandle(hPrinter);
    if (!h)
        return FALSE;
    /* A document still open is ended as EndDocPrinter would end it. */
    if (h->job)
        qmspl::EndOpenJob(h, QMH_JOB_COMPLETED);
    {
        std::lock_guard<std::mutex> guard(g_handles_lock);
        g_handles.erase(h);
    }
    delete h;
    return TRUE;
}

/* PRINTER_INFO_1W, 2W (with the stored DEVMODE), 4W or 5W of the printer, strings
 * and DEVMODE packed at the end of the buffer. Size protocol: FALSE with
 * ERROR_INSUFFICIENT_BUFFER and *pcbNeeded. ERROR_INVALID_LEVEL for other levels. */
extern "C" BOOL WINAPI GetPrinterW(HANDLE hPrinter, DWORD Level, LPBYTE pPrinter, DWORD cbBuf, LPDWORD pcbNeeded)
{
    qmspl::Handle *h = qmspl::LookupPrinterHandle(hPrinter);
    if (!h)
        return FALSE;
    if (!pcbNeeded)
        return qmspl::Fail(ERROR_INVALID_PARAMETER);
    DWORD size = printer_entry_size(Level);
    if (!size)
        return qmspl::Fail(ERROR_INVALID_LEVEL);
    qmspl::PrinterRecord rec;
    {
        qmr::StoreLock lock(qmspl::LockPath(), false);
        if (!qmspl::LoadPrinter(h->dir, &rec))
            return qmspl::Fail(ERROR_INVALID_PRINTER_NAME);
    }
    return qmspl::PackEntries(1, size, pPrinter, cbBuf, pcbNeeded, [&](qmspl::Packer *p, BYTE *entry, DWORD) {
        fill_printer(p, entry, Level, rec);
    });
}

/* Level 2 only: stores port, driver, comment and the other strings given (NULL
 * leaves one unchanged), attributes, priorities, times and the DEVMODE (public part plus
 * driver extra; NULL removes it). Needs PRINTER_ACCESS_ADMINISTER; the name cannot change. */
extern "C" BOOL WINAPI SetPrinterW(HANDLE hPrinter, DWORD Level, LPBYTE pPrinter, DWORD Command)
{
    qmspl::Handle *h = qmspl::LookupPrinterHandle(hPrinter);
    if (!h)
        return FALSE;
    if (Level != 2 || Command != 0)
        return qmspl::Fail(ERROR_INVALID_LEVEL);
    if (!pPrinter)
        return qmspl::Fail(ERROR_INVALID_PARAMETER);
    if (!(h->access & PRINTER_ACCESS_ADMINISTER))
        return qmspl::Fail(ERROR_ACCESS_DENIED);
    const PRINTER_INFO_2W *info = (const PRINTER_INFO_2W *)pPrinter;
    qmr::StoreLock lock(qmspl::LockPath(), true);
    qmspl::PrinterRecord rec;
    if (!qmspl::LoadPrinter(h->dir, &rec))
        return qmspl::Fail(ERROR_INVALID_PRINTER_NAME);
    /* Renaming is not offered: the name given must be the printer's own. */
    if (info->pPrinterName && qmr::CompareNoCase(info->pPrinterName, rec.name) != 0)
        return qmspl::Fail(ERROR_INVALID_PARAMETER);
    qmspl::DriverRecord driver;
    if (info->pDriverName && !qmspl::LoadDriver(info->pDriverName, &driver))
        return qmspl::Fail(ERROR_UNKNOWN_PRINTER_DRIVER);
    if (!devmode_bytes(info->pDevMode, &rec.devmode))
        return qmspl::Fail(ERROR_INVALID_PARAMETER);
    struct Field {
        LPWSTR given;
        std::u16string *stored;
    } fields[] = {{info->pShareName, &rec.share},
                  {info->pPortName, &rec.port},
                  {info->pDriverName, &rec.driver},
                  {info->pComment, &rec.comment},
                  {info->pLocation, &rec.location},
                  {info->pSepFile, &rec.sep_file},
                  {info->pPrintProcessor, &rec.print_processor},
                  {info->pDatatype, &rec.datatype},
                  {info->pParameters, &rec.parameters}};
    for (const Field &f : fields)
        if (f.given)
            *f.stored = f.given;
    rec.attributes = info->Attributes;
    rec.priority = info->Priority;
    rec.default_priority = info->DefaultPriority;
    rec.start_time = info->StartTime;
    rec.until_time = info->UntilTime;
    if (!qmspl::SavePrinter(h->dir, rec))
        return qmspl::Fail(ERROR_CANTWRITE);
    return TRUE;
}

/* Lists the local printers (PRINTER_ENUM_LOCAL or PRINTER_ENUM_CONNECTIONS) sorted
 * by name at levels 1, 2, 4 and 5, with the size protocol; *pcReturned is 0 on failure. */
extern "C" BOOL WINAPI EnumPrintersW(DWORD Flags, LPWSTR Name, DWORD Level, LPBYTE pPrinterEnum, DWORD cbBuf,
                                     LPDWORD pcbNeeded, LPDWORD pcReturned)
{
    (void)Name;
    if (!pcbNeeded || !pcReturned)
        return qmspl::Fail(ERROR_INVALID_PARAMETER);
    *pcReturned = 0;
    DWORD size = printer_entry_size(Level);
    if (!size)
        return qmspl::Fail(ERROR_INVALID_LEVEL);
    std::vector<qmspl::PrinterRecord> printers;
    if (Flags & (PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS)) {
        qmr::StoreLock lock(qmspl::LockPath(), false);
        printers = qmspl::ListPrinters();
    }
    BOOL ok = qmspl::PackEntries(
        (DWORD)printers.size(), size, pPrinterEnum, cbBuf, pcbNeeded, [&](qmspl::Packer *p, BYTE *entry, DWORD i) {
            fill_printer(p, entry, Level, printers[i]);
        });
    if (ok)
        *pcReturned = (DWORD)printers.size();
    return ok;
}

/* DRIVER_INFO_1W, 2W or 3W of the printer's driver for the local environment
 * (NULL or "Windows NT x86"; another gives ERROR_UNKNOWN_PRINTER_DRIVER), with the size
 * protocol. Paths are the strings given at installation. */
extern "C" BOOL WINAPI GetPrinterDriverW(HANDLE hPrinter, LPWSTR pEnvironment, DWORD Level, LPBYTE pDriverInfo,
                                         DWORD cbBuf, LPDWORD pcbNeeded)
{
    qmspl::Handle *h = qmspl::LookupPrinterHandle(hPrinter);
    if (!h)
        return FALSE;
    if (!pcbNeeded)
        return qmspl::Fail(ERROR_INVALID_PARAMETER);
    static const DWORD sizes[] = {0, sizeof(DRIVER_INFO_1W), sizeof(DRIVER_INFO_2W), sizeof(DRIVER_INFO_3W)};
    if (Level < 1 || Level > 3)
        return qmspl::Fail(ERROR_INVALID_LEVEL);
    if (pEnvironment && *pEnvironment && qmr::CompareNoCase(pEnvironment, kEnvironment) != 0)
        return qmspl::Fail(ERROR_UNKNOWN_PRINTER_DRIVER);
    qmspl::PrinterRecord rec;
    qmspl::DriverRecord driver;
    {
        qmr::StoreLock lock(qmspl::LockPath(), false);
        if (!qmspl::LoadPrinter(h->dir, &rec))
            return qmspl::Fail(ERROR_INVALID_PRINTER_NAME);
        if (!qmspl::LoadDriver(rec.driver, &driver))
            return qmspl::Fail(ERROR_UNKNOWN_PRINTER_DRIVER);
    }
    return qmspl::PackEntries(
        1, sizes[Level], pDriverInfo, cbBuf, pcbNeeded, [&](qmspl::Packer *p, BYTE *entry, DWORD) {
            fill_driver(p, entry, Level, driver);
        });
}

/* See qmhost.h. */
extern "C" BOOL qmh_InstallPrinter(const QMH_PRINTER_SETUP *s)
{
    if (!s || !s->pPrinterName || !*s->pPrinterName || !s->pPortName || !s->pDriverName || !*s->pDriverName ||
        !s->pDriverPath || !s->pDataFile || !s->pConfigFile)
        return qmspl::Fail(ERROR_INVALID_PARAMETER);
    qmr::StoreLock lock(qmspl::LockPath(), true);
    std::string dir = qmspl::PrinterDir(s->pPrinterName);
    qmspl::PrinterRecord existing;
    if (qmspl::LoadPrinter(dir, &existing))
        return qmspl::Fail(ERROR_PRINTER_ALREADY_EXISTS);
    qmspl::DriverRecord driver = {};
    driver.name = s->pDriverName;
    driver.environment = kEnvironment;
    driver.driver_path = s->pDriverPath;
    driver.data_file = s->pDataFile;
    driver.config_file = s->pConfigFile;
    driver.help_file = qmr::WideString(s->pHelpFile);
    driver.default_datatype = kRawDatatype;
    driver.dependent_files = multi_string(s->pDependentFiles);
    driver.version = kDriverVersion;
    qmspl::PrinterRecord rec = {};
    rec.name = s->pPrinterName;
    rec.port = s->pPortName;
    rec.driver = s->pDriverName;
    rec.print_processor = kPrintProcessor;
    rec.datatype = kRawDatatype;
    rec.attributes = s->Attributes ? s->Attributes : PRINTER_ATTRIBUTE_LOCAL;
    rec.priority = DEF_PRIORITY;
    rec.default_priority = DEF_PRIORITY;
    if (!qmspl::SaveDriver(driver) || !qmspl::SavePrinter(dir, rec))
        return qmspl::Fail(ERROR_CANTWRITE);
    return TRUE;
}

/* See qmhost.h. */
extern "C" BOOL qmh_DeletePrinter(LPCWSTR pPrinterName)
{
    if (!pPrinterName || !*pPrinterName)
        return qmspl::Fail(ERROR_INVALID_PARAMETER);
    qmr::StoreLock lock(qmspl::LockPath(), true);
    std::string dir = qmspl::PrinterDir(pPrinterName);
    qmspl::PrinterRecord rec;
    if (!qmspl::LoadPrinter(dir, &rec))
        return qmspl::Fail(ERROR_INVALID_PRINTER_NAME);
    std::string doomed = qmspl::StoreDir() + "/.deleted." + std::to_string(getpid());
    std::error_code ec;
    std::filesystem::remove_all(doomed, ec);
    if (rename(dir.c_str(), doomed.c_str()) != 0)
        return qmspl::Fail(ERROR_ACCESS_DENIED);
    std::filesystem::remove_all(doomed, ec);
    return TRUE;
}

/* See qm_testing_spooler.h. */
extern "C" DWORD qmt_LivePrinterHandles(void)
{
    std::lock_guard<std::mutex> guard(g_handles_lock);
    return (DWORD)g_handles.size();
}

/* See qm_testing_spooler.h. */
extern "C" void qmt_SpoolerDenyAdministration(BOOL deny)
{
    g_deny_admin = deny != FALSE;
}

/* See qm_testing_spooler.h. */
extern "C" void qmt_SpoolerFailOpen(DWORD nth, DWORD dwError)
{
    std::lock_guard<std::mutex> guard(g_fault_lock);
    g_fail_open_countdown = nth;
    g_fail_open_error = dwError;
}
