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

/* dma_LoadWide: copies a stored wide text of `bytes` bytes into an aligned buffer of at
 * least bytes / 2 + 1 characters, terminated after them. */
void dma_LoadWide(const BYTE *storage, DWORD bytes, WCHAR *buffer);

/* ---- the fax list (dma_fax.cpp) ---- */

/* dma_GetFaxListText: DMA_GetStringData of 40961 and 40962, the handle already checked. */
LONG dma_GetFaxListText(DmaSettingsSet *handle, WORD id, char *buffer, DWORD *size);

/* dma_SetFaxListText: DMA_SetStringData of 40961 and 40962, the handle already checked;
 * the text is read for at most length bytes. */
LONG dma_SetFaxListText(DmaSettingsSet *handle, WORD id, const char *text, DWORD length);

#endif /* QM_DEVMODE_ACCESS_DMA_PRIVATE_H */
