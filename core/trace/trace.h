/*
 * Diagnostic trace of the driver modules: entry and exit lines of the exported entry
 * points, dumps of the public DEVMODE fields, of dmFields, of private settings and of
 * chosen settings by FunctionID. Off unless "qmkelv.cfg" in the module directory switches
 * it on ([LOG] "Log=<flags>", "LOGOUT.DDMID=<FunctionID>" lines). Lines go in the ANSI
 * code page, each ended by one line feed, to the log file in the debug-log directory, or
 * to the debugger.
 *
 * Trace calls never fail their callers: when tracing is off they answer 1; a failure to
 * open or write the log only makes the call answer 0. One process-wide lock guards the
 * configuration, the id list, the log path, the open file with its use count, and each
 * line's write, so several printers may trace from several threads.
 */
#ifndef QM_CORE_TRACE_TRACE_H
#define QM_CORE_TRACE_TRACE_H

#include "core/settings/settings_types.h"

/* Flags of the "Log" value. */
#define TRC_ON 0x00000001          /* tracing on; every other bit counts only with it */
#define TRC_ENTRY_EXIT 0x00000002  /* entry and exit lines */
#define TRC_DEVMODE 0x00000004     /* public DEVMODE dumps and single private-setting lines */
#define TRC_FIELDS 0x00000008      /* dmFields dump */
#define TRC_PUBLIC_IDS 0x00000010  /* setting dumps include FunctionIDs 1-25 */
#define TRC_PRIVATE_IDS 0x00000020 /* setting dumps include FunctionIDs 257-483 */
#define TRC_CATEGORIES 0x001F0000  /* when any is set, a setting dump needs a shared bit */
#define TRC_DEBUGGER 0x80000000    /* lines go to the debugger instead of the file */

/* Longest line written, in characters; longest list of "LOGOUT.DDMID=" ids. */
#define TRC_LINE_CHARS 513
#define TRC_MAX_IDS 256

#ifdef __cplusplus
extern "C" {
#endif

/*
 * trc_GetLogFileName: the log file's name with its leading backslash
 * ("\DDI_PRNUI_TRACE_LOG.txt", "\DDI_UM_TRACE_LOG.txt"). Not defined by the core: each
 * driver module (and each test program) defines it once.
 */
LPCWSTR WINAPI trc_GetLogFileName(void);

/* trc_Initialize: reads the configuration again (flags and id list). Returns 1. */
BOOL WINAPI trc_Initialize(void);

/* trc_IsEnabled: reads the configuration on first use; 1 when tracing is on. */
BOOL WINAPI trc_IsEnabled(void);

/* trc_GetFlags: the flags read (the configuration read on first use). */
DWORD WINAPI trc_GetFlags(void);

/*
 * trc_GetIds: the "LOGOUT.DDMID=" ids in list order, each once. ids: out, up to capacity
 * of them (may be NULL). Returns how many there are.
 */
DWORD WINAPI trc_GetIds(WORD *ids, DWORD capacity);

/*
 * trc_OpenLog: opens the log file (its path built once per process), or counts one more
 * use when it is open. Returns 1; 0 when it cannot be opened. Does nothing (1) when
 * tracing is off or goes to the debugger.
 */
BOOL WINAPI trc_OpenLog(void);

/* trc_CloseLog: drops one use; the last closes the file. Returns 1 (also when not open),
 * 0 when closing fails. */
BOOL WINAPI trc_CloseLog(void);

/* trc_GetOpenCount: the log's use count (for tests and diagnostics). */
DWORD WINAPI trc_GetOpenCount(void);

/*
 * trc_WriteLine: writes text as one line: to the debugger with "\n" (flag 31), else in
 * the ANSI code page with a line feed to file, or to the open log, or by opening and
 * closing the log. text: in, at most 513 characters. Returns 1; 0 for a NULL or longer
 * text or a failed write; 1 without writing when tracing is off.
 */
BOOL WINAPI trc_WriteLine(LPCWSTR text, HANDLE file);

/* trc_Printf: formats with wvsprintfW (at most 1024 characters) and writes one line as
 * trc_WriteLine. Returns as trc_WriteLine. */
BOOL WINAPIV trc_Printf(LPCWSTR format, ...);

/*
 * trc_WriteEnter: "IN <<" followed by text, written with flags 0 and 1. Returns 0 when the
 * line would exceed 513 characters (also when tracing is off) or the write fails, else 1.
 */
BOOL WINAPI trc_WriteEnter(LPCWSTR text);

/*
 * trc_WriteExit: "OUT>>" followed by the formatted text (callers give the entry point's
 * name, " RetValue = " and the result), written with flags 0 and 1. Returns 0 when the
 * line would exceed 513 characters (also when tracing is off) or the write fails, else 1.
 */
BOOL WINAPIV trc_WriteExit(LPCWSTR format, ...);

/*
 * trc_DumpPublicDevmode: with flag 2, the caption (NULL: "\n<PublicDevmode>") and one line
 * per DEVMODEW field, or "lpdevmode = NULL". 16-bit fields are printed sign-extended.
 * Returns 1, 0 when a line cannot be written.
 */
BOOL WINAPI trc_DumpPublicDevmode(LPCWSTR caption, const DEVMODEW *devmode);

/*
 * trc_DumpPrivateSetting: with flag 2, the caption (NULL: "\n<PrivateDevmode>") and the
 * FunctionID's value read from the DEVMODE alone (a setting that cannot be read gives no
 * value line). Returns 1, 0 when a line cannot be written.
 */
BOOL WINAPI trc_DumpPrivateSetting(LPCWSTR caption, DriverDevmode *devmode, WORD functionId);

/*
 * trc_DumpFields: with flag 3, the caption (NULL: "\n<dmFields>") and one "name = ON/OFF"
 * line per dmFields bit. Returns 1; 0 for a NULL DEVMODE (after "lpDevmode = NULL") or
 * when a line cannot be written.
 */
BOOL WINAPI trc_DumpFields(LPCWSTR caption, const DEVMODEW *devmode);

/*
 * trc_DumpSettingValues: the settings of FunctionIDs 1-25 (flag 4), 257-483 (flag 5) and
 * of the id list, one "[0x%04x] = [...]" line each by presented type, between lines of
 * 69 '-' (after the caption when given). Nothing when both areas are NULL, tracing is off,
 * nothing is chosen, or category flags are set and none is in category. A setting that
 * cannot be read is skipped. Returns 1.
 */
BOOL WINAPI trc_DumpSettingValues(DWORD category, LPCWSTR caption, DriverDevmode *devmode, PrinterDataBlock *block);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_TRACE_TRACE_H */
