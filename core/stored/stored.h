/*
 * Settings kept outside the DEVMODE: chunked printer-data values, the stored-value table,
 * the stored settings blocks ("NDEV001" with an optional fax list, "VQBINFO", "SPINFO")
 * in printer data, the per-user store or a settings file, the printer-data block with its
 * per-user split, the user-mode driver value and the font substitution table.
 *
 * Blocks handed out are zeroed global-heap blocks the caller frees with GlobalFree. BOOL
 * results are 1 for success and 0 for failure; nothing is kept between calls.
 */
#ifndef QM_CORE_STORED_STORED_H
#define QM_CORE_STORED_STORED_H

#include <windows.h>

#include "core/context/driver_context.h"
#include "core/settings/settings_types.h"
#include "core/stored/stored_types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ---- chunked values (chunked_value.cpp) ---- */

/*
 * pd_WriteChunkedValue: writes size as REG_DWORD value sizeName, then the data in chunks
 * base + "1".."N" (REG_BINARY, 768 bytes each, the last one the rest). More than 99
 * chunks fail before anything is written; size 0 writes only the size value. The first
 * failed SetPrinterDataW stops and fails (chunks written stay). data: in (may be NULL for
 * size 0). Returns 1 or 0.
 */
BOOL WINAPI pd_WriteChunkedValue(HANDLE printer, const void *data, DWORD size, const WCHAR *base,
                                 const WCHAR *sizeName);

/*
 * pd_ReadChunkedValue: reads the size value, then every chunk into a new block of that
 * size. A missing size value, 100 or more chunks, a missing chunk or one shorter than
 * min(768, bytes left) fail. data, size: out (NULL and 0 on failure; data NULL for a
 * size of 0). Returns 1 or 0; nothing stays allocated on failure.
 */
BOOL WINAPI pd_ReadChunkedValue(HANDLE printer, void **data, DWORD *size, const WCHAR *base, const WCHAR *sizeName);

/*
 * ureg_WriteBlockValue: the per-user form: sizeName (REG_DWORD) and one REG_BINARY value
 * base holding all bytes, under the printer's per-user key. Returns 1 or 0.
 */
BOOL WINAPI ureg_WriteBlockValue(HANDLE printer, DriverContext *context, const void *data, DWORD size,
                                 const WCHAR *base, const WCHAR *sizeName);

/*
 * ureg_ReadBlockValue: reads the per-user form back: the size value, then the data value,
 * which must hold exactly that many bytes. data, size: out (NULL and 0 on failure).
 * Returns 1 or 0.
 */
BOOL WINAPI ureg_ReadBlockValue(HANDLE printer, DriverContext *context, void **data, DWORD *size, const WCHAR *base,
                                const WCHAR *sizeName);

/* ---- the stored-value table (stored_value.cpp) ---- */

/* pd_GetStoredValueNames: the size value name and base name of a kind; 0 for another kind. */
BOOL WINAPI pd_GetStoredValueNames(DWORD kind, const WCHAR **sizeName, const WCHAR **base);

/* pd_WriteStoredValue: pd_WriteChunkedValue with the kind's names. A printer, kind 0-4
 * and a non-zero size are required. Returns 1 or 0. */
BOOL WINAPI pd_WriteStoredValue(HANDLE printer, const void *data, DWORD size, DWORD kind);

/*
 * pd_ReadStoredValue: with a NULL buffer *size receives the stored total (result 1, or 0
 * for a total of 0);
 * otherwise *size (in: capacity) must be at least the total, the chunks are read into the
 * buffer and *size receives the bytes read. A missing size value, a total of 0, a total of
 * 100 or more chunks (refused with or without a buffer, *size 0), or a missing or short
 * chunk fail; on failure *size holds the bytes read so far (without buffer: the stored
 * total, or 0). Returns 1 or 0.
 */
BOOL WINAPI pd_ReadStoredValue(HANDLE printer, DWORD kind, void *buffer, DWORD *size);

/* pd_DeleteStoredValue: deletes chunks 1..N in order, then the size value. A missing size
 * value is success; a total of 0, 100 or more chunks, or a chunk that cannot be deleted
 * fail. Returns 1 or 0. */
BOOL WINAPI pd_DeleteStoredValue(HANDLE printer, DWORD kind);

/* ---- stored settings blocks (settings_blocks.cpp, settings_file.cpp) ---- */

/*
 * pd_SaveSettingsBlocks: saves the second part, the VQB and SP data and optionally a fax
 * list. With path: into that existing file (truncated; it is never created), in file
 * order. Without path: "N_Dev" (with the fax list behind the second part), then VQBInfo,
 * then "SPInfo", to printer data (kind 2) or the per-user store (kind 3), stopping at the
 * first failure. second is required; vqb/sp NULL count as size 0, given with size 0 fail;
 * a fax list given with size 0 fails. Returns 1 or 0.
 */
BOOL WINAPI pd_SaveSettingsBlocks(HANDLE printer, DriverContext *context, const WCHAR *path, WORD storeKind,
                                  const void *faxList, DWORD faxListSize, const DevmodeSecondPart *second,
                                  const void *vqb, DWORD vqbSize, const void *sp, DWORD spSize);

/*
 * pd_LoadSettingsBlocks: loads what pd_SaveSettingsBlocks saved. second (in/out, 4268
 * bytes) is required; vqb needs vqbSize, sp needs spSize. An older "NDEV001" block is laid
 * over the default second part; a newer one, a length above 4268 and any truncated block
 * are refused. A fax list, when asked for and bytes are left, must be exactly one "DFAX001"
 * block. faxList, vqb, sp: out, new blocks or NULL; on failure every output is NULL or 0
 * (second may have been written). Returns 1 or 0.
 */
BOOL WINAPI pd_LoadSettingsBlocks(HANDLE printer, DriverContext *context, const WCHAR *path, WORD storeKind,
                                  void **faxList, DevmodeSecondPart *second, void **vqb, DWORD *vqbSize, void **sp,
                                  DWORD *spSize);

/*
 * pd_MakeDefaultSecondPart: the second part of a DEVMODE of all defaults (printer name
 * "DummyName") of the printer's model. second: out. Returns 1 or 0.
 */
BOOL WINAPI pd_MakeDefaultSecondPart(HANDLE printer, DevmodeSecondPart *second);

/*
 * pd_ReadWholeFile: reads an open file whole (GetFileSize, one zeroed block, one
 * ReadFile). data, bytesRead: out (NULL and 0 on failure or for an empty file: result 0).
 * Returns 1 or 0.
 */
BOOL WINAPI pd_ReadWholeFile(HANDLE file, void **data, DWORD *bytesRead);

/*
 * pd_WriteSettingsFile: opens the existing file with truncation and writes the NDEV,
 * VQBINFO and SPINFO blocks, then the fax list when given. Returns 1, or 0 when the file
 * is missing or a write fails.
 */
BOOL WINAPI pd_WriteSettingsFile(const WCHAR *path, const void *faxList, DWORD faxListSize,
                                 const DevmodeSecondPart *second, const void *vqb, DWORD vqbSize, const void *sp,
                                 DWORD spSize);

/* pd_ReadSettingsFile: opens the file for reading (OPEN_EXISTING) and reads it whole.
 * data, size: out. Returns 1 or 0. */
BOOL WINAPI pd_ReadSettingsFile(const WCHAR *path, void **data, DWORD *size);

/* ---- the printer-data block (printer_data.cpp) ---- */

/*
 * pd_LoadPrinterData: the printer's stored "PrinterData" with the user's own values
 * applied, upgraded when older, or the model's defaults when nothing usable is stored; the
 * enforced special settings are applied to the result. block: out (5452 bytes). Returns 1,
 * or 0 for a NULL block or context or when even the defaults fail.
 */
BOOL WINAPI pd_LoadPrinterData(HANDLE printer, PrinterDataBlock *block, DriverContext *context);

/*
 * pd_StorePrinterData: sets "SPLUserModePrinterDriver", then (store flag non-zero) writes a
 * copy of the block holding the default user values as "PrinterData". The caller's block
 * is never changed. Returns 1, or 0 for store flag 0 or any failing step.
 */
BOOL WINAPI pd_StorePrinterData(HANDLE printer, PrinterDataBlock *block, DriverContext *context, DWORD storeFlag);

/*
 * GetUpgradedPrinterData: exported by the user-interface module. With a NULL buffer and
 * *size 0: *size = 5452, result 1. With a buffer of at least 5452 bytes: the printer's
 * printer-data block (pd_LoadPrinterData). Otherwise 0 (a NULL size: 0 with
 * ERROR_INVALID_PARAMETER). Writes its entry and result trace lines.
 */
BOOL WINAPI GetUpgradedPrinterData(HANDLE printer, BYTE *buffer, DWORD *size, DWORD reserved);

/* pd_GetUserModeDriverString: a new copy of the description's information string of kind
 * 2, or NULL. */
WCHAR *WINAPI pd_GetUserModeDriverString(HANDLE printer);

/* pd_SetUserModeDriverValue: writes that string as printer data "SPLUserModePrinterDriver"
 * (REG_SZ) through a handle opened with PRINTER_ALL_ACCESS. Returns 1 or 0. */
BOOL WINAPI pd_SetUserModeDriverValue(HANDLE printer);

/* pd_PrinterHookQuery, pd_PrinterHookApply: empty hooks; they answer 0 and 1. */
LONG WINAPI pd_PrinterHookQuery(HANDLE printer, HMODULE resources, DWORD code, DriverContext *context);
LONG WINAPI pd_PrinterHookApply(HANDLE printer, DWORD value);

/* ---- the font substitution table (font_sub_table.cpp) ---- */
/* A table is pairs of zero-terminated wide strings (TrueType face name, device font
 * name) ended by an empty string. */

/* pd_GetFontSubTableSize: bytes of a table through its closing empty string (2 for an
 * empty table); 0 for NULL. */
DWORD WINAPI pd_GetFontSubTableSize(const WCHAR *table);

/* pd_BuildFontSubTable: the model's table from its records of type 11 (record name: the
 * device font; its texts: the face names). A new block, or NULL. */
WCHAR *WINAPI pd_BuildFontSubTable(DriverContext *context);

/* pd_LookupFontSub: the device font name of the first pair whose face name equals face
 * (case-sensitive): a pointer inside the table, or NULL. */
const WCHAR *WINAPI pd_LookupFontSub(const WCHAR *table, const WCHAR *face);

/*
 * pd_EditFontSubTable: a new table (the old one stays): the face's device font replaced
 * by device, the pair removed (device NULL), or the pair appended (face absent). NULL for
 * a NULL table or face, or out of memory.
 */
WCHAR *WINAPI pd_EditFontSubTable(const WCHAR *table, const WCHAR *face, const WCHAR *device);

/* pd_ReadFontSubTable: the stored table (printer data "FontSubTable"), or NULL; also NULL
 * for a damaged one (an odd size, or a name or the closing empty string missing). */
WCHAR *WINAPI pd_ReadFontSubTable(HANDLE printer, DWORD reserved);

/* pd_GetFontSubTable: the stored table, or when none (or a damaged one) is stored one built
 * from the description data. NULL on failure. */
WCHAR *WINAPI pd_GetFontSubTable(HANDLE printer, DWORD reserved);

/* pd_WriteFontSubTable: stores the table as kind 0 (an empty table too). Returns 1 or 0. */
BOOL WINAPI pd_WriteFontSubTable(HANDLE printer, DWORD reserved, const WCHAR *table);

/* pd_EnsureFontSubTable: 1 when a table is stored, or one built from the description data
 * could be stored; else 0. */
BOOL WINAPI pd_EnsureFontSubTable(HANDLE printer, DWORD reserved, DriverContext *context);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_STORED_STORED_H */
