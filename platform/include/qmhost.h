/*
 * Host-only services of the platform layer for the tools that play the spooler on Linux
 * (printhost): installing printers as an installer would, and reading back the spool jobs
 * that the printers received. Not part of the Windows API; driver code never uses it.
 *
 * Paths given here (driver, description data, configuration files) are Windows paths kept
 * as strings, exactly as GetPrinterDriverW hands them out; the kernel's path mapping turns
 * them into host paths where a file is opened.
 */
#ifndef QM_QMHOST_H
#define QM_QMHOST_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* What a printer is installed from. Every string up to pConfigFile is required; pHelpFile
 * and pDependentFiles (a list of strings ended by an empty one) may be NULL. */
typedef struct _QMH_PRINTER_SETUP {
    LPCWSTR pPrinterName;
    LPCWSTR pPortName;
    LPCWSTR pDriverName;
    LPCWSTR pDriverPath; /* the render driver */
    LPCWSTR pDataFile;   /* the model's description data file */
    LPCWSTR pConfigFile; /* the user-interface driver */
    LPCWSTR pHelpFile;
    LPCWSTR pDependentFiles;
    DWORD Attributes; /* 0 gives PRINTER_ATTRIBUTE_LOCAL */
} QMH_PRINTER_SETUP;

/* Installs (or re-installs) the driver and adds the printer. FALSE with
 * ERROR_INVALID_PARAMETER for a missing string, ERROR_PRINTER_ALREADY_EXISTS when a printer
 * of that name exists, ERROR_CANTWRITE when the store cannot be written. */
BOOL qmh_InstallPrinter(const QMH_PRINTER_SETUP *pSetup);

/* Removes a printer with its printer data (its jobs stay listed). FALSE with
 * ERROR_INVALID_PRINTER_NAME when there is none. */
BOOL qmh_DeletePrinter(LPCWSTR pPrinterName);

#define QMH_JOB_OPEN 0
#define QMH_JOB_COMPLETED 1
#define QMH_JOB_ABORTED 2

/* One spool job as recorded. */
typedef struct _QMH_JOB_INFO {
    DWORD JobId;
    DWORD Status; /* QMH_JOB_* */
    DWORD Pages;  /* pages started */
    DWORD Bytes;  /* bytes kept */
    DWORD Writes; /* WritePrinter calls that kept bytes */
    WCHAR PrinterName[MAX_PATH];
    WCHAR DocumentName[MAX_PATH];
    WCHAR DataType[64];
    WCHAR OutputFile[MAX_PATH];
} QMH_JOB_INFO;

/* Lists the jobs of one printer (or of all printers for NULL), oldest first, into up to
 * cMax records; returns how many jobs there are (may exceed cMax). */
DWORD qmh_EnumJobs(LPCWSTR pPrinterName, QMH_JOB_INFO *pJobs, DWORD cMax);

/* One job's record; FALSE with ERROR_INVALID_PARAMETER when there is no such job. */
BOOL qmh_GetJob(DWORD JobId, QMH_JOB_INFO *pJob);

/* The job's bytes with the size protocol: *pcbNeeded receives the size; a NULL or short
 * buffer fails with ERROR_INSUFFICIENT_BUFFER. */
BOOL qmh_ReadJobData(DWORD JobId, LPBYTE pData, DWORD cbData, LPDWORD pcbNeeded);

/* The sizes of the job's writes in order, up to cMax of them; returns how many there are. */
DWORD qmh_GetJobWriteSizes(DWORD JobId, LPDWORD pSizes, DWORD cMax);

/* The host path (UTF-8) of the file holding the job's bytes; FALSE when there is no such
 * job or the buffer is too short. */
BOOL qmh_GetJobDataPath(DWORD JobId, char *pPath, DWORD cchPath);

/* Removes a job's record and bytes. */
BOOL qmh_DeleteJob(DWORD JobId);

#ifdef __cplusplus
}
#endif

#endif /* QM_QMHOST_H */
