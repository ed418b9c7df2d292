/*
 * Private declarations shared by the files of the spooler area.
 *
 * Layout under the root: spooler/printers/<name>/printer.dat (the printer record),
 * spooler/printers/<name>/data/<key>/key.dat (its printer data, one key file per printer
 * data key), spooler/drivers/<name>.dat, spooler/forms.dat (forms added by users) and
 * spooler/jobs/<id>.{job,spl,writes}. Names on disk come from qmr::EncodeName.
 */
#ifndef QM_SPOOLER_PRIVATE_H
#define QM_SPOOLER_PRIVATE_H

#include <windows.h>
#include <winspool.h>

#include <string.h>

#include <string>
#include <vector>

namespace qmspl {

/* A printer as stored. */
struct PrinterRecord {
    std::u16string name, port, driver, comment, location, share, sep_file, print_processor, datatype, parameters;
    DWORD attributes, priority, default_priority, start_time, until_time, status;
    std::string devmode; /* the printer's default DEVMODE, empty for none */
};

/* A driver as stored. */
struct DriverRecord {
    std::u16string name, environment, driver_path, data_file, config_file, help_file, monitor, default_datatype;
    std::u16string dependent_files; /* strings each with its terminator, then one more zero */
    DWORD version;
};

/* A job as recorded; its bytes and write sizes live in files of their own. */
struct JobRecord {
    DWORD id, status, pages;
    std::u16string printer, document, datatype, output_file, user;
    SYSTEMTIME submitted;
};

/* An open printer or server handle. */
struct Handle {
    bool server;
    std::u16string printer; /* the printer's stored name */
    std::string dir;        /* the printer's directory */
    ACCESS_MASK access;
    std::u16string datatype; /* from PRINTER_DEFAULTSW, empty for the printer's own */
    DWORD job;               /* open job id, 0 for none */
    DWORD job_bytes;         /* bytes kept in the open job */
};

/* Directories and the store's lock file. */
std::string StoreDir();
std::string LockPath();
std::string PrinterDir(const std::u16string &name);
std::string JobPath(DWORD id, const char *ext);

/* Printer and driver records: load (false when missing or broken) and save (atomic). */
bool LoadPrinter(const std::string &dir, PrinterRecord *out);
bool SavePrinter(const std::string &dir, const PrinterRecord &rec);
bool LoadDriver(const std::u16string &name, DriverRecord *out);
bool SaveDriver(const DriverRecord &rec);
/* All printers, sorted by name without case. */
std::vector<PrinterRecord> ListPrinters();

/* Job records: load, save (atomic), and a new job id. */
bool LoadJob(DWORD id, JobRecord *out);
bool SaveJob(const JobRecord &rec);
DWORD NextJobId();

/* Ends the handle's open job with a status (QMH_JOB_COMPLETED or QMH_JOB_ABORTED). */
void EndOpenJob(Handle *h, DWORD status);

/* The handle behind a HANDLE, or NULL (last error ERROR_INVALID_HANDLE). The pointer stays
 * valid until ClosePrinter; a handle is used by one thread at a time. */
Handle *LookupHandle(HANDLE h);
/* The printer handle behind a HANDLE: NULL with ERROR_INVALID_HANDLE for a server handle. */
Handle *LookupPrinterHandle(HANDLE h);
/* Sets the last error and returns FALSE (0), the failure of the BOOL and DWORD calls. */
BOOL Fail(DWORD error);
/* True when the test switch denies printer administration. */
bool AdministrationDenied();

/* Packs structures at the start of a caller's buffer and their strings and blocks at its
 * end, as Windows does. Measure mode (no buffer) only adds up the bytes needed; every item
 * is rounded up to 4 bytes so the measure is exact for any buffer of at least that size. */
struct Packer {
    BYTE *buf;   /* NULL in measure mode */
    DWORD end;   /* offset of the lowest packed byte */
    DWORD extra; /* bytes of packed items so far */
};
Packer MeasurePacker();
Packer FillPacker(BYTE *buf, DWORD cbBuf);
/* Packs a string (with terminator); returns its address or NULL (measure mode, or absent). */
LPWSTR PackString(Packer *p, const std::u16string &s);
LPWSTR PackOptional(Packer *p, const std::u16string &s); /* empty -> NULL */
/* Packs bytes (a DEVMODE, a string list); NULL when empty or in measure mode. */
void *PackBytes(Packer *p, const std::string &bytes);

/* Runs the size protocol over count fixed-size entries: measure every entry with fill,
 * answer ERROR_INSUFFICIENT_BUFFER with *pcbNeeded when the buffer is short, else fill
 * every entry. fill(packer, entry address or NULL, index). */
template <typename Fill>
BOOL PackEntries(DWORD count, DWORD entry_size, LPBYTE buf, DWORD cbBuf, LPDWORD pcbNeeded, Fill fill)
{
    Packer m = MeasurePacker();
    for (DWORD i = 0; i < count; ++i)
        fill(&m, nullptr, i);
    DWORD needed = count * entry_size + m.extra;
    if (pcbNeeded)
        *pcbNeeded = needed;
    if (!buf || cbBuf < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    memset(buf, 0, count * entry_size);
    Packer p = FillPacker(buf, cbBuf);
    for (DWORD i = 0; i < count; ++i)
        fill(&p, buf + i * entry_size, i);
    return TRUE;
}

} // namespace qmspl

#endif
