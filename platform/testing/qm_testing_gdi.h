/*
 * Test controls of the GDI and user areas (tests and tools only, never driver code): the
 * installed font families and the live display DCs.
 */
#ifndef QM_TESTING_GDI_H
#define QM_TESTING_GDI_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Sets the installed font families EnumFontFamiliesW reports (copied; empty by default).
 * names: count family names; count 0 empties the list. FALSE when out of memory. */
BOOL qmt_SetInstalledFontFamilies(const LPCWSTR *names, DWORD count);

/* Pins the display's LOGPIXELSX and LOGPIXELSY (96 when never pinned; 0 unpins). */
void qmt_PinDpi(int dpi);
/* One installed font face: its family, full name and font type (TRUETYPE_FONTTYPE, ...). */
typedef struct QmtFontFace {
    LPCWSTR family;
    LPCWSTR fullName;
    DWORD fontType;
} QmtFontFace;

/* Sets the installed font faces (copied; replaces the families above). EnumFontFamiliesW
 * without a family reports the first face of each family, with a family every face of it.
 * FALSE when out of memory. */
BOOL qmt_SetInstalledFonts(const QmtFontFace *faces, DWORD count);

/* Writes a bitmap's pixels as a PNG file at a host path. FALSE for an unknown bitmap or a
 * file that cannot be written. */
BOOL qmt_SaveBitmapPng(HBITMAP bitmap, const char *path);

/* Display DCs GetDC handed out and ReleaseDC has not taken back. */
DWORD qmt_LiveDisplayDCs(void);

#ifdef __cplusplus
}
#endif

#endif /* QM_TESTING_GDI_H */
