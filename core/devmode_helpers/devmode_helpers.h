/*
 * Setting helpers over the DEVMODE: comparing two DEVMODEs, checking a header, the
 * printer's default DEVMODE, the effective value of a setting, the dmFields bits the
 * driver accepts, the host-application settings, and small rules that tie public fields
 * to private settings.
 */
#ifndef QM_CORE_DEVMODE_HELPERS_DEVMODE_HELPERS_H
#define QM_CORE_DEVMODE_HELPERS_DEVMODE_HELPERS_H

#include "core/context/driver_context.h"

#include <winspool.h>

/* Selections of dm_GetSupportedFields. */
#define DM_FIELDS_DEFAULT_FORM 1 /* the default DEVMODE's dmFields */
#define DM_FIELDS_MERGE_FORM 2   /* the fields a merge takes from an input DEVMODE */

/* Paper names the paper matching carries: at most 31 characters and a terminator, so that
 * a name always fits the 64-byte dmFormName. */
#define PAPER_NAME_CHARS 32

/* Results of dma_QueryEffectiveValue. */
#define EFFECTIVE_OK 0
#define EFFECTIVE_FAILED 3

/* Modes of opt_FindUserPaperName. */
#define USER_PAPER_BY_SETTING 1 /* the slots' name settings */
#define USER_PAPER_BY_DEFAULT 2 /* the slots' display names */

/* Modes of opt_MatchPaperEntry. */
#define PAPER_ENTRY_USER_OR_NAME 1 /* the user paper names first, then by name */
#define PAPER_ENTRY_BY_NAME 3
#define PAPER_ENTRY_BY_NUMBER 4

/* The areas and the setting of dma_GetEffectiveNumber. */
typedef struct EffectiveNumberRequest {
    DriverDevmode *devmode;
    PrinterDataBlock *block;
    WORD functionId;
} EffectiveNumberRequest;

/* The areas of opt_ApplyHostAppSettings. */
typedef struct HostAppRequest {
    DriverContext *context;
    DriverDevmode *devmode;
    PrinterDataBlock *block;
} HostAppRequest;

/* The conflict check table of the verify pass (800 bytes). */
struct ItemCheckTable;

#ifdef __cplusplus
extern "C" {
#endif

/*
 * dm_CompareSettings: 1 when the two DEVMODEs agree on every compared setting (of the
 * public fields only 7, 8, 11, 12, 15, 16, 18 and 23; no printer-data setting, no LOGFONTW,
 * not the fixed never-compared list, stamp settings only when either stamp name is
 * non-empty); 0 on a difference or a failed read. Both must be full-form DEVMODEs: the
 * second part is compared too.
 */
BOOL WINAPI dm_CompareSettings(DriverDevmode *a, DriverDevmode *b, PrinterDataBlock *block);

/* dm_IsDevmodeHeaderValid: 1 when 2, 4, 5 and 257 pass validation (command 2), in that
 * order; 0 at the first failure or for NULL. */
BOOL WINAPI dm_IsDevmodeHeaderValid(DriverDevmode *devmode);

/*
 * pd_GetPrinterDefaultDevmode: the printer's stored DEVMODE (or, without one, the model's
 * defaults) converted into output (size: in its bytes, out the bytes written) with the
 * enforced special settings on top. ok: out 1 on success. Returns the printer's
 * PRINTER_INFO_2W with pDevMode pointing at output (free with GlobalFree), or NULL for a
 * NULL argument or a failure.
 */
PRINTER_INFO_2W *WINAPI pd_GetPrinterDefaultDevmode(HANDLE printer, DriverContext *context, DriverDevmode *output,
                                                    DWORD *size, BOOL *ok);

/* opt_AllocItemCheckTable: a zeroed table in the global heap (free with GlobalFree); NULL
 * when out of memory. */
struct ItemCheckTable *WINAPI opt_AllocItemCheckTable(void);

/*
 * opt_GetPresetColor: the preset colour of setting 1855: index -1 picks it by key 1-7,
 * index 0-6 by index (7 has none). color: out. Returns 1, or 0 for any other key or index.
 */
BOOL WINAPI opt_GetPresetColor(int key, COLORREF *color, int index);

/* opt_RuleSyncCollateField: DM_COLLATE set for device feature level 1 or 2, cleared for 3
 * (unchanged when the model's capabilities cannot be read). Returns 1, or 0 for NULL or a
 * failed read or write. */
BOOL WINAPI opt_RuleSyncCollateField(DriverDevmode *devmode, PrinterDataBlock *block, DriverContext *context);

/* ddd_GetColorKind: number entry 5's byte: 0 or no context -1, 2 gives 2, others 1. */
int WINAPI ddd_GetColorKind(DriverContext *context);

/*
 * opt_FindUserPaperName: whether a slot's name (mode 1 its setting, mode 2 its display
 * name) begins name; an empty slot name matches nothing. Returns the found flag in the low
 * half and the mode in the high half; another mode or a failed read is not found.
 */
DWORD WINAPI opt_FindUserPaperName(WORD mode, DriverDevmode *devmode, PrinterDataBlock *block, const WCHAR *name);

/*
 * opt_MatchPaperEntry: the first of the forms named by the index list (count indexes into
 * forms) that the description data knows: mode 1 by a user paper name and then by name,
 * mode 3 by name, mode 4 by paper number (index + 1). paper: out {index + 1, size / 100,
 * name}, its name pointing to PAPER_NAME_CHARS characters. Returns 1, or 0.
 */
BOOL WINAPI opt_MatchPaperEntry(DriverContext *context, DriverDevmode *devmode, PrinterDataBlock *block, WORD mode,
                                const FORM_INFO_1W *forms, const DWORD *indexes, DWORD count, PaperMatch *paper);

/*
 * opt_ResolvePaperOption: the dmPaperSize option of the DEVMODE's paper, by dmFormName and
 * else by its size. paper: out, its name pointing to PAPER_NAME_CHARS characters.
 * Returns 1, or 0.
 */
BOOL WINAPI opt_ResolvePaperOption(DriverContext *context, DriverDevmode *devmode, PrinterDataBlock *block,
                                   PaperMatch *paper);

/* opt_RuleColorModeFromDmColor: when the map's "color" table has a non-zero mode: 270 := 1
 * when dmColor is not 2, else 0 when mode is 2, else 2. Returns 1, or 0 on a failure. */
BOOL WINAPI opt_RuleColorModeFromDmColor(DriverDevmode *devmode, PrinterDataBlock *block, DriverContext *context);

/* opt_RuleMediaFromDmMediaType: when the map's "media" table has a non-zero merge: 388 and
 * 453 := dmMediaType. Returns 1, or 0 on a failure. */
BOOL WINAPI opt_RuleMediaFromDmMediaType(DriverContext *context, DriverDevmode *devmode, PrinterDataBlock *block);

/*
 * opt_ApplyHostAppSettings: with 1356 on and 466 still 0, the settings of the running
 * program's host-application record are written into the DEVMODE and 466 := its index;
 * then the enforced special settings. A record entry naming a setting outside the
 * DEVMODE's first part is refused: nothing is written and the result is 0. Returns 1, or 0
 * on a failed read or write.
 */
BOOL WINAPI opt_ApplyHostAppSettings(const HostAppRequest *request);

/*
 * dma_QueryEffectiveValue: the value as the device will use it: 346 reads 0 unless
 * dmPrintQuality is 600, 8205 reads 0x1010802 when 336 is 1, and the settings that depend
 * on the colour mode (270), the finishing choice (293) or 271 read as zeros of their width
 * when their condition is off. Outputs as dma_GetFunctionValue. Returns 0, or 3 on a
 * failed read or a NULL output.
 */
WORD WINAPI dma_QueryEffectiveValue(WORD functionId, DriverDevmode *devmode, PrinterDataBlock *block, WORD *type,
                                    DWORD *size, DWORD_PTR *value);

/* dma_GetEffectiveNumber: the effective value zero-extended from its width; -1 when it
 * cannot be read or is a string or record (types 6 and 9). */
LONG WINAPI dma_GetEffectiveNumber(const EffectiveNumberRequest *request);

/*
 * dm_GetSupportedFields: the dmFields bits the driver accepts on the running Windows, for
 * one selection (DM_FIELDS_DEFAULT_FORM or DM_FIELDS_MERGE_FORM). The colour-matching,
 * media and dither bits need both a modern system and a device that supports them
 * (description number entry 7 non-zero). fields: out, 0 on failure. Returns 1, or 0 for a
 * NULL output or a Windows class other than 257, 258, 513 and 514.
 */
BOOL WINAPI dm_GetSupportedFields(DriverContext *context, DWORD *fields, WORD selection);

/*
 * dm_ApplyEnforcedSettings: the context's enforced special settings (mode 1) on the
 * DEVMODE. One whose dmSize + dmDriverExtra is below the full form gets them through a
 * full copy of its first part, so that a setting of the second part is never written past
 * its bytes. Returns 1 (also without special settings), or 0 when out of memory.
 */
BOOL WINAPI dm_ApplyEnforcedSettings(DriverContext *context, DriverDevmode *devmode, PrinterDataBlock *block);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_DEVMODE_HELPERS_DEVMODE_HELPERS_H */
