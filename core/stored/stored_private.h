/* Helpers shared by the stored-settings sources; not part of the core's interface. */
#ifndef QM_CORE_STORED_STORED_PRIVATE_H
#define QM_CORE_STORED_STORED_PRIVATE_H

#include <windows.h>

/* Longest base name of a chunked value: its chunk names add two digits and a zero. */
#define PD_MAX_BASE_CHARS 40

/* Chunks needed for total bytes (no overflow for any DWORD). */
DWORD pd_ChunkCount(DWORD total);

/*
 * pd_ReadChunks: reads chunks 1..N of base into buffer (total bytes). A chunk that is
 * missing, larger than expected or shorter than min(768, bytes left) fails. read: out,
 * the bytes read before the failure (total on success). Returns 1 or 0.
 */
BOOL pd_ReadChunks(HANDLE printer, const WCHAR *base, BYTE *buffer, DWORD total, DWORD *read);

/* pd_ReadSizeValue: the REG_DWORD size value (4-byte buffer). Returns the GetPrinterDataW
 * result (ERROR_SUCCESS when total was written). */
DWORD pd_ReadSizeValue(HANDLE printer, const WCHAR *sizeName, DWORD *total);

/* pd_ChunkName: base followed by n in decimal into name (PD_MAX_BASE_CHARS + 3 chars).
 * Returns 0 when base is NULL or too long. */
BOOL pd_ChunkName(const WCHAR *base, DWORD n, WCHAR *name);

#endif /* QM_CORE_STORED_STORED_PRIVATE_H */
