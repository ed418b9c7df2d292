/*
 * Layouts of the settings kept outside the DEVMODE: the headers of the stored blocks
 * ("NDEV001", "VQBINFO", "SPINFO"), the chunked printer-data values and the kinds of the
 * stored-value table. Every layout is little-endian and byte-exact: other driver modules,
 * other driver versions and later processes read the same bytes back.
 */
#ifndef QM_CORE_STORED_STORED_TYPES_H
#define QM_CORE_STORED_STORED_TYPES_H

#include <stddef.h>

#include <windows.h>

#include "core/settings/settings_types.h"

/* Chunked printer-data values: slices of 768 bytes, at most 99 of them. */
enum {
    PD_CHUNK_SIZE = 768,
    PD_MAX_CHUNKS = 99,
    PD_MAX_CHUNKED_SIZE = PD_CHUNK_SIZE * PD_MAX_CHUNKS /* 76,032 bytes */
};

/* Where the stored blocks go (16-bit argument of the block operations). Without a
 * settings-file path only the two kinds below are valid; with a path the kind is unused. */
enum {
    STORE_PRINTER_DATA = 2, /* the printer's printer data, chunked */
    STORE_PER_USER = 3      /* the per-user registry store of the printer */
};

/* The five chunked printer-data values of the stored-value table. */
typedef enum StoredValueKind {
    SVK_FONT_SUB_TABLE = 0,
    SVK_SYS_TT_FONT_LIST = 1,
    SVK_PRINTER_DATA = 2,
    SVK_USER_SETTING_INFO = 3,
    SVK_PAPER_MARGIN_ARRAY = 4,
    SVK_COUNT = 5
} StoredValueKind;

/* Versions and sizes of the stored blocks. */
enum {
    NDEV_VERSION = 21024, /* 0x5220, written; newer ones are refused */
    NDEV_NAME_CHARS = 8,
    FAX_LIST_HEAD_SIZE = 1442, /* "DFAX001" head: tag, u16 count at 16, two texts */
    FAX_LIST_COUNT_OFFSET = 16,
    FAX_DESTINATION_SIZE = 742,
    PD_LAYOUT_CURRENT = 8644,            /* FunctionID 8203 of a current printer-data block */
    PD_VERSION_OLD_USER_SETTINGS = 16388 /* 8204 at or below: user values kept in the block */
};

/* Header of the "NDEV001" block: the DEVMODE's second part follows. */
typedef struct NdevBlockHeader {
    WCHAR name[NDEV_NAME_CHARS]; /* "NDEV001", zero-padded */
    DWORD version;               /* NDEV_VERSION when written */
    DWORD length;                /* bytes of the second part that follow: 4268 */
} NdevBlockHeader;

/* Header of the "VQBINFO" and "SPINFO" blocks: length bytes of opaque data follow. */
typedef struct InfoBlockHeader {
    WCHAR name[NDEV_NAME_CHARS]; /* "VQBINFO" or "SPINFO", zero-padded */
    DWORD length;                /* 0 allowed */
} InfoBlockHeader;

static_assert(sizeof(NdevBlockHeader) == 24, "NdevBlockHeader");
static_assert(offsetof(NdevBlockHeader, version) == 16, "NdevBlockHeader.version");
static_assert(offsetof(NdevBlockHeader, length) == 20, "NdevBlockHeader.length");
static_assert(sizeof(InfoBlockHeader) == 20, "InfoBlockHeader");
static_assert(offsetof(InfoBlockHeader, length) == 16, "InfoBlockHeader.length");

#endif /* QM_CORE_STORED_STORED_TYPES_H */
