/*
 * Private header of the DEVMODE access library: the public identifier's setting located
 * in the caller's areas, and the steps the exports share.
 */
#ifndef QM_DEVMODE_ACCESS_DMA_PRIVATE_H
#define QM_DEVMODE_ACCESS_DMA_PRIVATE_H

#include <windows.h>

#include "core/settings/settings.h"
#include "devmode_access/include/qmkelvdm.h"

/* Largest text setting the exports handle, in bytes (the catalogue's largest is 520;
 * the fax list head's second string is 1342). */
#define DMA_TEXT_MAX_BYTES 1344

/* A public identifier's setting in the caller's areas. */
typedef struct DmaPlace {
    WORD publicId;
    WORD functionId;
    WORD kind; /* StorageKind */
    WORD storedType;
    DWORD capacity; /* bytes, types 6 and 9 */
    BYTE *storage;  /* the setting's place in its area */
} DmaPlace;

/* dma_PublicIdToFunctionId: the FunctionID of a public identifier (first row whose bounds
 * hold it, then its list); 0 when it has none. */
WORD dma_PublicIdToFunctionId(WORD publicId);

/* dma_FunctionIdToPublicId: the public identifier of the first pair, rows in table order,
 * that names the FunctionID; 0 when none. */
WORD dma_FunctionIdToPublicId(WORD functionId);

/*
 * dma_LocateFunction: the place of a FunctionID's setting in the given DEVMODE (kinds 0,
 * 1) or printer-data block (kind 2); publicId is left 0. place: out. Returns 1; -10 for a
 * FunctionID without a setting or a missing area.
 */
LONG dma_LocateFunction(DriverDevmode *devmode, PrinterDataBlock *block, WORD functionId, DmaPlace *place);

/*
 * dma_LocateSetting: translates the identifier and finds its setting's place in the
 * handle's DEVMODE (kinds 0, 1) or printer-data block (kind 2). place: out. Returns 1;
 * -10 for a NULL handle, a FunctionID without a setting or a missing area; -1 for an
 * identifier without a FunctionID.
 */
LONG dma_LocateSetting(DmaSettingsSet *handle, WORD publicId, DmaPlace *place);

/* dma_IsFaxListText: TRUE for the fax list head strings 40961 and 40962. */
BOOL dma_IsFaxListText(WORD publicId);

/* ---- text in the ANSI code page (dma_text.cpp) ---- */

/*
 * dma_AnsiToWide: converts an ANSI text, up to its zero and at most length bytes, into
 * output with its terminator. A text whose bytes are no valid text of the code page is
 * refused, so that nothing but the caller's characters is stored. output: out, chars
 * characters. Returns 1; -6 when the text and terminator do not fit; -10 for bad bytes.
 * Out: *written (may be NULL) characters without the terminator.
 */
LONG dma_AnsiToWide(const char *text, DWORD length, WCHAR *output, DWORD chars, DWORD *written);

/*
 * dma_WideToAnsi: converts a wide text, up to its zero and at most maxChars characters,
 * to the ANSI code page with a terminator. output: out, size bytes, written only when
 * the whole text fits (NULL or too small: the size alone). Returns the bytes needed with
 * the terminator, 0 when the conversion fails.
 */
DWORD dma_WideToAnsi(const WCHAR *text, DWORD maxChars, char *output, DWORD size);

/*
 * dma_WideToAnsiExact: as dma_WideToAnsi, but a text with a character the ANSI code page
 * has no form of (no substitute, no nearest character) is refused: 0.
 */
DWORD dma_WideToAnsiExact(const WCHAR *text, DWORD maxChars, char *output, DWORD size);

/* dma_LoadWide: copies a stored wide text of `bytes` bytes into an aligned buffer of at
 * least bytes / 2 + 1 characters, terminated after them. */
void dma_LoadWide(const BYTE *storage, DWORD bytes, WCHAR *buffer);

/* ---- the fax list (dma_fax.cpp) ---- */

/* dma_GetFaxListText: DMA_GetStringData of 40961 and 40962, the handle already checked. */
LONG dma_GetFaxListText(DmaSettingsSet *handle, WORD id, char *buffer, DWORD *size);

/* dma_SetFaxListText: DMA_SetStringData of 40961 and 40962, the handle already checked;
 * the text is read for at most length bytes. */
LONG dma_SetFaxListText(DmaSettingsSet *handle, WORD id, const char *text, DWORD length);

/* ---- the data kinds and their entry lists (dma_kinds.cpp) ---- */

/* One field of a record: the setting it holds, the setting's type, and the field's place
 * and bytes in the record (a one-byte number may fill a wider field, zero-extended). */
typedef struct DmaField {
    WORD functionId;
    WORD type;
    WORD offset;
    WORD size;
} DmaField;

/* How the entries of a kind are found. */
enum { DMA_NAME_TEXT, DMA_NAME_PAPER, DMA_NAME_POSITION };

/* Digits of a paper number at most (65535), the name of a paper margin entry. */
#define DMA_PAPER_DIGITS 5

/* Largest record of the entry lists: the fax destination. */
#define DMA_RECORD_MAX_SIZE 742

/* Searches that skip deleted entries, and searches over every entry. */
#define DMA_MASK_LIVE 0xFD
#define DMA_MASK_ANY 0xFF

/* A data kind of the entry lists. */
typedef struct DmaKind {
    DWORD kind;
    DWORD recordSize;
    WORD nameForm;       /* DMA_NAME_* */
    LONG notFound;       /* the result when no entry is found */
    const DmaField *map; /* the field map; kind 4: its name list (the margins follow) */
    DWORD fields;
} DmaKind;

/* dma_FindKind: the kind 2-5, or NULL. */
const DmaKind *dma_FindKind(DWORD kind);

/* dma_KindList: the handle's entry list of the kind. */
DmaEntryList *dma_KindList(DmaSettingsSet *handle, const DmaKind *kind);

/*
 * dma_FindEntry: the index of an entry whose state byte has a bit of mask set: by name
 * (kinds 2-4; the ANSI form of its name equals name) or by 1-based position (kind 5: name
 * holds the position). Returns 1; the kind's not-found code; -10 for a NULL name or a list
 * whose entries are shorter than the kind's record or missing.
 */
LONG dma_FindEntry(const DmaKind *kind, const DmaEntryList *list, const char *name, BYTE mask, DWORD *index);

/*
 * dma_CheckEntryList: -10 when a list with entries has entries shorter than the kind's
 * record, or lacks its entries or state bytes; else 1 (an empty list always).
 */
LONG dma_CheckEntryList(const DmaKind *kind, const DmaEntryList *list);

/*
 * dma_EntryName: the name of a record of kind 2-4 in the ANSI code page (kind 4: the
 * paper number in decimal). name: out, size bytes, written only when the name and its
 * terminator fit. Returns the bytes needed with the terminator; 0 for a name without its
 * terminator inside its field or with a character the code page lacks.
 */
DWORD dma_EntryName(const DmaKind *kind, const BYTE *record, char *name, DWORD size);

/* ---- the settings file and the one-time file (dma_docprop.cpp) ---- */

/* Characters of a file path setting with its terminator, at most. */
#define DMA_PATH_MAX_CHARS (DMA_TEXT_MAX_BYTES / 2 + 1)

/* dma_FilePath's answer for an empty path: the program asks for no file. */
#define DMA_NO_PATH 0

/*
 * dma_FilePath: the path a file path setting (374, 375) of the handle's areas names.
 * path: out, DMA_PATH_MAX_CHARS characters. Returns 1; 0 (DMA_NO_PATH) for an empty
 * path; -10 when the setting cannot be read or its text has no end inside it.
 */
LONG dma_FilePath(DmaSettingsSet *handle, WORD functionId, WCHAR *path);

#endif /* QM_DEVMODE_ACCESS_DMA_PRIVATE_H */
