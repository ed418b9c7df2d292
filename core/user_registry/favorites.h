/*
 * Favorites: named, saved sets of document settings, per user and per printer under the
 * printer's per-user key. Favorite n (1..99) lives in sub key "Favorite\UserSelnn"
 * ("DEVMODE", "Name", "Comment", "Flag", "SPInfo", "SPInfoSize" and the sub key
 * "PaperMargin"); "Favorite" holds "UserIndex", the favorite numbers in display order.
 * Presets (Flag 0) are made from the options of the description's page-only setting
 * 36888; the user's own favorites have another flag.
 */
#ifndef QM_CORE_USER_REGISTRY_FAVORITES_H
#define QM_CORE_USER_REGISTRY_FAVORITES_H

#include <windows.h>

#include "core/context/driver_context.h"
#include "core/settings/settings_types.h"
#include "core/user_registry/paper_margins.h"

enum {
    UREG_FAVORITE_MAX = 99,           /* favorite numbers are 1..99, two digits */
    UREG_FAVORITE_NAME_CHARS = 34,    /* a loaded name: at most 33 characters and the terminator */
    UREG_FAVORITE_COMMENT_CHARS = 512 /* a loaded comment, the terminator included */
};

#ifdef __cplusplus
extern "C" {
#endif

/* ---- favorites (favorites.cpp) ---- */

/*
 * ureg_SaveFavorite: stores what is given of favorite n, stopping at the first failed
 * write: "DEVMODE" (5872 bytes), "Name", "Comment", "Flag", and "SPInfo" with
 * "SPInfoSize" when spData and a non-zero *spSize are given. An spSize holding 0 first
 * deletes the stored SP info; a NULL spSize leaves it. 1 or 0.
 */
BOOL ureg_SaveFavorite(HANDLE printer, DriverContext *context, DWORD n, const DriverDevmode *devmode, const WCHAR *name,
                       const WCHAR *comment, const DWORD *flag, const void *spData, const DWORD *spSize);

/*
 * ureg_LoadFavorite: reads favorite n. devmode (out, full 5872 bytes): the stored DEVMODE
 * brought to the current version. A favorite of another model (setting 259 differs from
 * current's) fails when it is the user's own; a preset makes the presets again for the
 * current model (the stored "UserIndex", read with capacity entries, keeps its user
 * favorites) and is loaded once more. name (UREG_FAVORITE_NAME_CHARS), comment
 * (UREG_FAVORITE_COMMENT_CHARS), flag: out. spData: out, a new block (free with
 * GlobalFree) or NULL when none is stored; spSize: out, its size. NULL outputs are
 * skipped. 1 or 0.
 */
BOOL ureg_LoadFavorite(HANDLE printer, DriverContext *context, DriverDevmode *current, PrinterDataBlock *block, DWORD n,
                       DriverDevmode *devmode, WCHAR *name, WCHAR *comment, DWORD *flag, void **spData, DWORD *spSize,
                       DWORD capacity);

/* ureg_DeleteFavoriteSPInfo: deletes "SPInfo" and "SPInfoSize" of favorite n; 1 when
 * either was deleted. */
BOOL ureg_DeleteFavoriteSPInfo(HANDLE printer, DriverContext *context, DWORD n);

/* ---- the index list and numbers (favorite_index.cpp) ---- */

/*
 * ureg_ReadFavoriteIndex: "UserIndex" into list of capacity entries (its first entries
 * when it is longer, the rest zeroed). UREG_READ_OK (0) read, else not read (1).
 */
DWORD ureg_ReadFavoriteIndex(HANDLE printer, DriverContext *context, WORD *list, DWORD capacity);

/* ureg_SaveFavoriteIndex: writes count entries of list. 1, or 0 (nothing written for a
 * NULL list). */
BOOL ureg_SaveFavoriteIndex(HANDLE printer, DriverContext *context, const WORD *list, DWORD count);

/* ureg_FindFavorite: the first number of list (up to count entries or a 0) whose favorite
 * has that name and flag; -1 when none. devmode: unused. */
LONG ureg_FindFavorite(HANDLE printer, DriverContext *context, DriverDevmode *devmode, const WORD *list, DWORD count,
                       const WCHAR *name, DWORD flag);

/* ureg_FindFreeFavoriteNumber: the smallest number 1..count (at most 99) that list (up to
 * count entries or a 0) does not hold; -1 when none or no list. */
LONG ureg_FindFreeFavoriteNumber(const WORD *list, DWORD count);

/* ---- presets (favorite_presets.cpp) ---- */

/*
 * ureg_CreatePresetFavorites: stores each preset of setting 36888 (after its first option)
 * with Flag 0, under the number of the preset of that name or a free number appended to
 * list (capacity count), then writes the list ended by 0. 1, or 0 when a preset's row
 * cannot be applied or no number is left (the presets made so far stay listed).
 */
BOOL ureg_CreatePresetFavorites(HANDLE printer, DriverContext *context, const WCHAR *printerName, WORD *list,
                                DWORD count);

/* ---- a favorite's paper margins (favorite_margins.cpp) ---- */

/*
 * ureg_SaveFavoritePaperMargins: replaces the "PaperMargin" values of favorite n with the
 * effective margins (with the per-user flag, setting 463) of each paper-size record of
 * the description that differ from the built-in ones, and writes "Num". 1 only when all
 * records were processed.
 */
BOOL ureg_SaveFavoritePaperMargins(HANDLE printer, DriverContext *context, BOOL perUser, DWORD n, DWORD kind);

/* ureg_WriteFavoritePaperMargin: shown margins turned into stored orientation as the
 * 16-byte value name of favorite n's "PaperMargin". 1 or 0. */
BOOL ureg_WriteFavoritePaperMargin(HANDLE printer, DriverContext *context, DWORD n, DWORD kind, const WCHAR *name,
                                   const PaperMargins *shown);

/* ureg_WriteFavoriteMarginCount: "Num" of favorite n's "PaperMargin". 1 or 0. */
BOOL ureg_WriteFavoriteMarginCount(HANDLE printer, DriverContext *context, DWORD n, DWORD count);

/* ureg_ReadFavoriteMarginCount: "Num" of favorite n's "PaperMargin", 0 when absent. */
DWORD ureg_ReadFavoriteMarginCount(HANDLE printer, DriverContext *context, DWORD n);

/* ureg_OpenFavoritePaperMarginKey: opens or creates favorite n's "PaperMargin" key (key:
 * out, close with RegCloseKey). 1 or 0. */
BOOL ureg_OpenFavoritePaperMarginKey(HANDLE printer, DriverContext *context, HKEY *key, DWORD n);

/* ureg_DeleteFavoritePaperMargins: deletes favorite n's "PaperMargin" key with its values.
 * 1 (also when there is none) or 0. */
BOOL ureg_DeleteFavoritePaperMargins(HANDLE printer, DriverContext *context, DWORD n);

/* ---- shared by the favorites' sources ---- */

/* ureg_FavoriteKeyPath: "Favorite\UserSelnn" (and "\" + tail when tail is given) into
 * path of 64 characters. 0 for a number outside 1..99. */
BOOL ureg_FavoriteKeyPath(DWORD n, const WCHAR *tail, WCHAR path[64]);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_USER_REGISTRY_FAVORITES_H */
