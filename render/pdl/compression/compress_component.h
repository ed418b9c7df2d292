/*
 * The outside compression component (methods 6 and 7): a module with six entries that
 * compresses 1-bit images (and glyph bits) in a format of its own.
 */
#ifndef QM_RENDER_PDL_COMPRESSION_COMPRESS_COMPONENT_H
#define QM_RENDER_PDL_COMPRESSION_COMPRESS_COMPONENT_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef HANDLE(WINAPI *QmcmpLoadCompress)(void);
typedef LONG(WINAPI *QmcmpInitBitmap)(HANDLE handle, DWORD mode, DWORD width, DWORD height, DWORD rowBytes);
typedef LONG(WINAPI *QmcmpCompressBitmap)(HANDLE handle, const BYTE *data, DWORD height, DWORD *size);
typedef LONG(WINAPI *QmcmpGetBitmap)(HANDLE handle, BYTE *destination);
typedef LONG(WINAPI *QmcmpFinishBitmap)(HANDLE handle);
typedef LONG(WINAPI *QmcmpFreeCompress)(HANDLE handle);

/* The bound component: its module, its handle and its six entries. */
typedef struct CompressDllTable {
    HMODULE module;
    HANDLE handle;
    QmcmpLoadCompress load;
    QmcmpInitBitmap init;
    QmcmpCompressBitmap compress;
    QmcmpGetBitmap get;
    QmcmpFinishBitmap finish;
    QmcmpFreeCompress release;
} CompressDllTable;

/* Component results. */
#define CMP_DONE 0
#define CMP_CALL_FAILED 2
#define CMP_MISSING 16

/*
 * cmp_CompressWithComponent: compresses the 1-bit image in data (rows of (width + 7) / 8
 * bytes) with method 6 (mode 2) or 7 (mode 1). 0: done: either data holds the compressed
 * bytes, *length their size and *method the method, or the result would not have been
 * smaller and nothing changed. 2 a component call failed (data, length and method
 * untouched), 16 a missing argument or another method.
 */
LONG WINAPI cmp_CompressWithComponent(DWORD width, DWORD height, const CompressDllTable *table, DWORD method,
                                      BYTE *methodOut, DWORD *length, BYTE *data);

/* cmp_LoadComponent: loads the module at path (through the activation context of its
 * manifest) and binds its six entries and a handle; NULL (module freed) when an entry is
 * missing or the handle is 0. */
CompressDllTable *WINAPI cmp_LoadComponent(LPCWSTR path);

/* cmp_ReleaseComponent: qmcmp_FreeCompress, the module and the table freed; the result of
 * qmcmp_FreeCompress, 1 without table. */
LONG WINAPI cmp_ReleaseComponent(CompressDllTable *table);

#ifdef __cplusplus
}
#endif

#endif /* QM_RENDER_PDL_COMPRESSION_COMPRESS_COMPONENT_H */
