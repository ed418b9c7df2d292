/*
 * Test controls of the kernel's text, time and identity services: pins of the clock, the
 * tick count, the Windows version, the locale, the ANSI code page and the computer name,
 * scripted message-box answers with their log, and the captured debugger output.
 * Used by tests only, never by driver code. A NULL or 0 argument unpins.
 */
#ifndef QM_TESTING_TEXT_H
#define QM_TESTING_TEXT_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Pins the ANSI code page (GetACP, CP_ACP) to 1252, 437 or 932; 0 or an unsupported page
 * unpins (1252). The OEM code page follows: 437 beside 1252, 932 beside 932. */
void qmt_PinAnsiCodePage(UINT code_page);

/* Pins the clock: it stands still at the given local time, and the time zone is UTC so
 * that GetSystemTime gives the same time. NULL or an invalid time unpins. */
void qmt_PinClock(const SYSTEMTIME *local_time);

/* Pins GetTickCount to the given value; NULL unpins. */
void qmt_PinTickCount(const DWORD *ticks);

/* Pins the Windows version that GetVersionEx and VerifyVersionInfoW report (all fields of
 * the record but its size); NULL unpins (5.1 build 2600, Service Pack 3, workstation). */
void qmt_PinOsVersion(const OSVERSIONINFOEXW *version);

/* TRUE makes GetVersionExW fail (ERROR_INVALID_PARAMETER) until FALSE is given. */
void qmt_FailVersionQuery(BOOL fail);

/* Pins the user, system, user-interface and thread locale to one of the known locales
 * (0x0409, 0x0809, 0x1009, 0x0407, 0x040C, 0x0411, 0x0416, 0x300A); 0 or another value
 * unpins (0x0409). */
void qmt_PinLocale(LCID locale);

/* Pins the computer name (GetComputerNameW), an empty name included; NULL unpins. */
void qmt_PinComputerName(LPCWSTR name);

/* Pins the command line (GetCommandLineW); NULL unpins. */
void qmt_PinCommandLine(LPCWSTR command_line);

/* One MessageBoxW call as logged. Longer texts are cut to the fields' size. */
typedef struct QmtMessageBoxCall {
    HWND hWnd;
    WCHAR text[2048];
    WCHAR caption[256];
    UINT type;
    int answer;    /* what the call returned */
    BOOL scripted; /* TRUE when the answer came from the script, FALSE for the default */
} QmtMessageBoxCall;

/* Appends answers that the next MessageBoxW calls return in turn; NULL drops those not
 * yet used. */
void qmt_ScriptMessageBoxAnswers(const int *answers, DWORD count);
/* The number of MessageBoxW calls logged. */
DWORD qmt_MessageBoxCount(void);
/* Copies logged call number `index` (from 0); FALSE when there is none. */
BOOL qmt_MessageBoxLog(DWORD index, QmtMessageBoxCall *call);
/* Drops the script and the log. */
void qmt_ResetMessageBoxes(void);

/* Copies the captured debugger output (OutputDebugString, the latest megabyte of it) into
 * the buffer, cut to capacity - 1 characters; returns its whole length. */
DWORD qmt_DebugOutput(LPWSTR buffer, DWORD capacity);
void qmt_ClearDebugOutput(void);

#ifdef __cplusplus
}
#endif

#endif /* QM_TESTING_TEXT_H */
