/*
 * The colour set: the distinct colours of a page, counted up to a capacity, for the
 * page's colour report. Colours are 0x00RRGGBB.
 */
#ifndef QM_RENDER_PDL_COLOUR_COLOUR_SET_H
#define QM_RENDER_PDL_COLOUR_COLOUR_SET_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#define COLOR_SET_SLOTS 16
#define COLOR_SET_MAX_CAPACITY 15
#define COLOR_SET_WHITE 0xFFFFFFu

/* Modes: 0 skips white, 1 counts every colour, 2 skips white and folds every grey to 0. */
#define COLOR_SET_SKIP_WHITE 0
#define COLOR_SET_ALL 1
#define COLOR_SET_FOLD_GREY 2

typedef struct ColorSet {
    DWORD valid; /* 0 when off, or once there were more colours than capacity */
    WORD count;
    WORD capacity; /* at most 15 */
    DWORD mode;
    DWORD slots[COLOR_SET_SLOTS]; /* preset to white */
} ColorSet;

/* clr_InitColorSet: an empty set, valid when enabled. 0, -1 for capacity above 15 or no
 * set. */
LONG WINAPI clr_InitColorSet(ColorSet *set, BOOL enabled, WORD capacity, DWORD mode);

/* clr_AddColor: adds colour under the set's mode. 1 when the set is (still) valid, else
 * 0. */
LONG WINAPI clr_AddColor(ColorSet *set, DWORD colour);

/* clr_AddColorList: list is a 16-bit count followed by that many 32-bit colours. The OR
 * of the clr_AddColor results. */
LONG WINAPI clr_AddColorList(ColorSet *set, const BYTE *list);

/* clr_AddImageColors: the colours of an image of bits 1, 4 or 8 (indices into palette, its
 * entries 0x00RRGGBB; 8 bits without palette are grey levels) or 24 (three bytes per pixel,
 * the first byte highest). colour FALSE takes every pixel as the grey of its first byte
 * (or palette entry's low byte). Rows are packed ((width * bits + 7) / 8 bytes). Stops once the set is not
 * valid, and for 1-bit images once both palette entries were seen. 0, -1 for bad
 * arguments. */
LONG WINAPI clr_AddImageColors(ColorSet *set, const BYTE *data, DWORD width, DWORD height, DWORD bits, BOOL colour,
                               const DWORD *palette);

/* clr_GetColorModeCode: with mode 2 and a valid set, count * 16 + 2 into *out, else
 * modeByte. */
void WINAPI clr_GetColorModeCode(const ColorSet *set, BYTE modeByte, BYTE *out);

/* clr_ClearColorSetRef: stores 0 into *word. */
void WINAPI clr_ClearColorSetRef(DWORD *word);

#ifdef __cplusplus
}
#endif

#endif /* QM_RENDER_PDL_COLOUR_COLOUR_SET_H */
