/* The stored blocks' headers and parsers, shared by the block and file sources. */
#ifndef QM_CORE_STORED_SETTINGS_BLOCKS_PRIVATE_H
#define QM_CORE_STORED_SETTINGS_BLOCKS_PRIVATE_H

#include "core/stored/stored_types.h"

extern const WCHAR kNdevName[];
extern const WCHAR kVqbName[];
extern const WCHAR kSpName[];
extern const WCHAR kFaxListName[];

/* A read position in stored bytes with the count of bytes left. */
typedef struct BlockCursor {
    const BYTE *at;
    DWORD left;
} BlockCursor;

/* blk_MakeNdevHeader: "NDEV001", version 21024, length 4268. */
void blk_MakeNdevHeader(NdevBlockHeader *header);

/* blk_MakeInfoHeader: name (zero-padded) and length. */
void blk_MakeInfoHeader(InfoBlockHeader *header, const WCHAR *name, DWORD length);

/*
 * blk_ParseNdev: the "NDEV001" block at the cursor into second (an older version over the
 * printer's default second part). Refuses a short header, another name, a newer version,
 * a length above 4268 or above the bytes left. Returns 1 (cursor advanced) or 0.
 */
BOOL blk_ParseNdev(BlockCursor *cursor, DevmodeSecondPart *second, HANDLE printer);

/*
 * blk_ParseInfo: the info block of that name at the cursor; data: out, a new block with
 * its bytes, or NULL (length 0, or keep FALSE: parsed and dropped). Returns 1 or 0.
 */
BOOL blk_ParseInfo(BlockCursor *cursor, const WCHAR *name, BOOL keep, void **data, DWORD *size);

/* blk_ParseFaxList: a "DFAX001" block taking exactly all bytes left, copied into a new
 * block (out). Returns 1 or 0. */
BOOL blk_ParseFaxList(BlockCursor *cursor, void **faxList);

#endif /* QM_CORE_STORED_SETTINGS_BLOCKS_PRIVATE_H */
