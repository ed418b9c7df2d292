/*
 * The document-monitor binding: the outside component that tracks print jobs, found
 * through HKLM "SOFTWARE\Ornet\Brenmoor\Client\Jobtrace" on Windows platforms 1 and 2,
 * loaded by path and bound by name. The binding is process-wide under one lock with a
 * load count: the module is loaded when the count goes from 0 to 1 and freed, with every
 * bound pointer cleared, when it returns to 0; every start of the monitor pairs with one
 * end. Without the component jobs print as before.
 */
#ifndef QM_CORE_OUTSIDE_MONITOR_BINDING_H
#define QM_CORE_OUTSIDE_MONITOR_BINDING_H

#include <windows.h>

#include "core/ddd/ddd_access.h"
#include "core/faxlist/fax_list.h"
#include "core/outside/outside_interfaces.h"
#include "core/settings/settings_types.h"

/* Results of the registration, the run and the end. */
#define JTR_OK 1
#define JTR_E_MONITOR 3      /* the monitor failed */
#define JTR_E_TOO_LONG 5     /* a text too long */
#define JTR_E_ARGUMENT 6     /* missing arguments */
#define JTR_E_FAX_FLAG 7     /* a fax flag other than 0 and 1 */
#define JTR_E_SKIPPED (-996) /* no monitor: key, file, DLL or a required function missing */

/* The job-id text: client id "." job id, shorter than this many bytes. */
#define JTR_ID_TEXT_BYTES 48

/* The limits of the registered texts, in bytes with the terminator. */
#define JTR_PORT_BYTES 260
#define JTR_DOCUMENT_BYTES 260
#define JTR_PRINTER_BYTES 256
#define JTR_OWNER_BYTES 64
#define JTR_NAME_BYTES 80
#define JTR_FAX_TEXT_BYTES 32

/* One destination's texts: fax flag 0 the name, fax flag 1 the two texts. */
typedef struct JtrDestinationTexts {
    const char *name;
    const char *text1;
    const char *text2;
} JtrDestinationTexts;

/* The texts of a registration (narrow, ANSI code page; NULL counts as empty). */
typedef struct JtrJobTexts {
    const char *port;
    const char *printer;
    const char *owner;
    const char *document;
    DWORD destinationCount; /* at least 1 */
    const JtrDestinationTexts *destinations;
} JtrJobTexts;

/* What the render header or the user-interface driver knows of a job when it starts. */
typedef struct JtrJobFacts {
    DddFile *model; /* the description file and its base */
    DddFile *base;
    DWORD fax; /* 1: a fax job */
    DriverDevmode *devmode;
    PrinterDataBlock *block;
    HMODULE resourceModule;
    HANDLE printer;
    const WCHAR *document;
    const FaxSendList *faxList;
    WORD setIndex;
    WORD destinationCount;    /* 1 with one job per destination, else the destinations; 0 no fax */
    const WCHAR *printerName; /* optional: else the printer's level-5 information */
    const WCHAR *portName;
    const WCHAR *ownerName; /* optional: the context's user name */
} JtrJobFacts;

#ifdef __cplusplus
extern "C" {
#endif

/* ext_JtrIsInstalled: starts and ends the monitor; the end's result, or 0 when it cannot be
 * started. */
int WINAPI ext_JtrIsInstalled(void);

/*
 * ext_JtrStartJob: registers the job of the facts (kind, owner, names, destinations).
 * idText: out, JTR_ID_TEXT_BYTES bytes, the job-id text (empty on failure). Returns the
 * monitor handle, to be run (ext_JtrExecute) or ended (ext_JtrEnd), or NULL without
 * session.
 */
HANDLE WINAPI ext_JtrStartJob(const JtrJobFacts *facts, char *idText);

/*
 * ext_JtrRegisterJob: starts the monitor and hands it the job: its id text (idText, out,
 * JTR_ID_TEXT_BYTES bytes), the job record and the client record. value: setting 320 (fax
 * flag 0). hour, minute: the scheduled time of kind 5. monitor: out, the handle on 1.
 * Returns 1, 3, 5, 6 or 7 (JTR_*).
 */
int WINAPI ext_JtrRegisterJob(HANDLE *monitor, char *idText, DWORD faxFlag, DWORD value, DWORD reserved, DWORD kind,
                              const JtrJobTexts *texts, WORD hour, WORD minute);

/* ext_JtrExecute: runs the monitor and ends it. 1, 3 when running or ending failed, 6
 * without a handle. */
int WINAPI ext_JtrExecute(HANDLE monitor);

/* ext_JtrUninitialize: ends the monitor; its result, 0 when not bound. */
int WINAPI ext_JtrUninitialize(HANDLE monitor);

/* ext_JtrEnd: ends a session that is not run: 6 without a handle, 1 when the end
 * succeeds, else 3. */
int WINAPI ext_JtrEnd(HANDLE monitor);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_OUTSIDE_MONITOR_BINDING_H */
