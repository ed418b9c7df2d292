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

#ifdef __cplusplus
}
#endif

#endif /* QM_TESTING_TEXT_H */
