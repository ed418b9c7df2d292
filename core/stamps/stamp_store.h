/*
 * The per-user stamp store: sub key "Stamps" of the printer's per-user key holds each
 * stored stamp (at most 32) as a REG_BINARY value named by the stamp's name, "Stamps\Others"
 * the store's version. The key is made on first use from the machine-wide copy of the
 * model (its base path + "Stamps" under HKEY_LOCAL_MACHINE), else from the six built-in
 * stamps. Built-in names are never stored, deleted or replaced through these calls.
 * Results: the STP_* codes of stamp_record.h.
 */
#ifndef QM_CORE_STAMPS_STAMP_STORE_H
#define QM_CORE_STAMPS_STAMP_STORE_H

#include "core/context/driver_context.h"
#include "core/stamps/stamp_record.h"

/* One face of the stamp dialog's font list. */
typedef struct FontFaceNode {
    struct FontFaceNode *next;
    WCHAR *face; /* the font's full name */
} FontFaceNode;

/* The stamp dialog's font list, filled by the font enumeration callbacks (lParam). */
typedef struct FontFaceList {
    FontFaceNode *faces; /* in enumeration order, each full name once */
    DWORD totalBytes;    /* the names' sizes with their terminators */
    DWORD count;
    BOOL ok;          /* set by the owner; cleared when memory runs out */
    void *buffers[2]; /* the owner's buffers (global heap), freed with the list */
} FontFaceList;

#ifdef __cplusplus
extern "C" {
#endif

/* ureg_CanAddStamp: 1 the name may be added (also for a NULL name), 2 built-in or stored
 * already, 4 already 32 stamps, 8 no stamps key, 9 registry error. */
WORD WINAPI ureg_CanAddStamp(HANDLE printer, const WCHAR *name, DriverContext *context);

/* ureg_CountStamps: the number of stored stamps in count: 1, 9 enumeration error, 99
 * without an output, 8 no stamps key. */
WORD WINAPI ureg_CountStamps(HANDLE printer, WORD *count, DriverContext *context);

/*
 * ureg_ListStampNames: the stored stamp names (at most 32) as consecutive zero-terminated
 * strings plus a closing empty string. buffer NULL: size only. count: out; size: in/out,
 * bytes (the needed size is always written). Without a stamps key the built-in names.
 * 1, 12 when the size does not hold them, 99 without size.
 */
WORD WINAPI ureg_ListStampNames(HANDLE printer, WCHAR *buffer, WORD *count, DWORD *size, DriverContext *context);

/* ureg_StampExists: 1 stored, 3 name of a built-in stamp, 8 no key, 9 error, 99 not
 * stored or NULL name. */
WORD WINAPI ureg_StampExists(HANDLE printer, const WCHAR *name, DriverContext *context);

/*
 * ureg_SeedStampKeys: creates "Stamps" and "Stamps\Others", writes "Stamp Version" and the
 * six built-in stamps. 1 with the open "Stamps" key in key (out, close with RegCloseKey);
 * 10 when a write fails (both keys are deleted again); 99 when the paths cannot be built.
 */
WORD ureg_SeedStampKeys(HKEY *key, HANDLE printer, DriverContext *context);

/* ureg_OpenStampKey: opens "Stamps", made first from the machine-wide copy or by seeding
 * when it is missing. key: out. 1; 8 when it cannot be opened or made; 99 when the paths
 * cannot be built. */
WORD ureg_OpenStampKey(HKEY *key, HANDLE printer, DriverContext *context);

/*
 * ureg_GetStamp: with a name and builtin clear, the first stored stamp (REG_BINARY value)
 * whose name field equals name (1; 99 none, 9 enumeration error), or the built-in stamp of
 * that name when there is no stamps key; with builtin set, the built-in stamp of that name
 * or the default stamp (1); without a name the default stamp (1). record: out.
 */
WORD ureg_GetStamp(HANDLE printer, const WCHAR *name, StampRecord *record, BOOL builtin, DriverContext *context);

/* ureg_DeleteStamp: 1 deleted; 3 built-in name; 8 no key; 99 not stored or NULL; 11 the
 * delete failed. */
WORD ureg_DeleteStamp(HANDLE printer, const WCHAR *name, DriverContext *context);

/* ureg_SaveStamp: replaces the stored stamp of the record's name, or adds it when fewer
 * than 32 are stored (else 4). 1; 3 built-in name (nothing written); 8 no key; 9
 * enumeration error; 10 the write failed; 99 NULL or an empty name. */
WORD ureg_SaveStamp(HANDLE printer, const StampRecord *record, DriverContext *context);

/* ureg_CompareStamp: the stored stamp of the record's name against the record: text,
 * numbers and font (not its quality byte). 1 equal; 7 different; 6 not stored. */
WORD ureg_CompareStamp(HANDLE printer, const StampRecord *record, DriverContext *context);

/*
 * ureg_EnumFamilyFaces: callback of EnumFontFamiliesW over the families; for a TrueType
 * family enumerates its faces on a display DC with ureg_CollectTrueTypeFace. lParam: the
 * FontFaceList. 1 to go on, 0 once the list's success flag is clear.
 */
int CALLBACK ureg_EnumFamilyFaces(const LOGFONTW *font, const TEXTMETRICW *metrics, DWORD fontType, LPARAM lParam);

/*
 * ureg_CollectTrueTypeFace: callback of EnumFontFamiliesW over a family's faces; appends a
 * TrueType face's full name (ENUMLOGFONTW) when the list does not hold it (exact compare),
 * adding its bytes with terminator to the total and counting it. Out of memory clears the
 * success flag and stops (0).
 */
int CALLBACK ureg_CollectTrueTypeFace(const LOGFONTW *font, const TEXTMETRICW *metrics, DWORD fontType, LPARAM lParam);

/* ureg_FreeFontFaceList: frees the nodes with their names, the two buffers and the block,
 * and clears *list. */
void ureg_FreeFontFaceList(FontFaceList **list);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_STAMPS_STAMP_STORE_H */
