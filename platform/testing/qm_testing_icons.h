/*
 * Test controls of the GDI objects and icons (tests only, never driver code): live counts,
 * the number of GDI calls made, and the planes an icon holds.
 */
#ifndef QM_TESTING_ICONS_H
#define QM_TESTING_ICONS_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Kinds of GDI object counted by qmt_LiveGdiObjects. */
#define QMT_GDI_DC 1
#define QMT_GDI_PALETTE 2
#define QMT_GDI_BITMAP 3
#define QMT_GDI_PRINTER_DC 4 /* CreateDCW of a printer or qmh_CreatePrinterDC, until DeleteDC */
#define QMT_GDI_FONT 5
#define QMT_GDI_REGION 6

/* Live objects of a kind (stock objects are not counted). */
DWORD qmt_LiveGdiObjects(DWORD kind);

/* GDI calls made by this process so far (DCs, escapes, palettes, bitmaps, stock objects). */
DWORD qmt_GdiCalls(void);

/* Live icons (CreateIcon until DestroyIcon). */
DWORD qmt_LiveIcons(void);

/* The planes of an icon as CreateIcon received them; the pointers stay valid until the
 * icon is destroyed. */
typedef struct QmtIconPlanes {
    int width;
    int height;
    BYTE planes;
    BYTE bitsPixel;
    const BYTE *andBits; /* rows of ((width + 15) / 16) * 2 bytes, top row first */
    DWORD andBytes;
    const BYTE *xorBits; /* rows of ((width * bitsPixel + 15) / 16) * 2 bytes per plane */
    DWORD xorBytes;
} QmtIconPlanes;

/* Fills planes for a live icon. Returns 1, or 0 for an unknown handle or NULL. */
BOOL qmt_GetIconPlanes(HICON icon, QmtIconPlanes *planes);

#ifdef __cplusplus
}
#endif

#endif /* QM_TESTING_ICONS_H */
