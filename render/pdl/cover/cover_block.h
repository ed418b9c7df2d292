/*
 * The fax cover page's pieces of the print stream, each built in a buffer of exactly the
 * size measured first and written raw by the fax job code: the text block that lays out
 * the captions and the sender's and recipients' details with device fonts, the command
 * that carries the document's base name, and a prepared data file of the model copied
 * unchanged. Texts go in the ANSI code page (CP_ACP), as the item layout measures them.
 * Commands are two ASCII letters with big-endian operands; floats are 32-bit
 * IEEE values in big-endian byte order.
 */
#ifndef QM_RENDER_PDL_COVER_COVER_BLOCK_H
#define QM_RENDER_PDL_COVER_COVER_BLOCK_H

#include <windows.h>

#include "render/pdl/cover/text_layout.h"
#include "render/pdl/fonts/fonts.h"

/* Items of a text item list: one global block of 40 items. */
#define TEXT_ITEM_LIST_ITEMS 40
/* The fixed texts of the resource module: the kind 3 and 5 choices, then the captions in
 * pairs, the first of a pair for the first layout variant. */
#define COVER_TEXT_FIRST_CHOICE 1770  /* 1770, 1771 */
#define COVER_TEXT_SECOND_CHOICE 1772 /* 1772, 1773 */
#define COVER_TEXT_LAST 1789
/* Longest fixed text taken from the resource module, in characters. */
#define COVER_FIXED_TEXT_CHARS 50
/* Bytes of the block header (AR, AK, AL, AM). */
#define COVER_BLOCK_HEADER_BYTES 19
/* Longest item text and document name in ANSI bytes. */
#define COVER_ITEM_TEXT_BYTES 258
#define COVER_DOC_NAME_BYTES 256
/* The flag the cover page's DA sets in the font id (device text sets 0x1). */
#define COVER_FONT_ID_FLAG 0x2
/* Read piece and copy chunk of the prepared file. */
#define COVER_PREPARED_PIECE 512
#define COVER_PREPARED_CHUNK 16384

typedef struct TextItemList {
    TextItem items[TEXT_ITEM_LIST_ITEMS];
} TextItemList;

static_assert(sizeof(TextItemList) == 10640, "a text item list is 40 items of 266 bytes");

/*
 * The texts and choices of the cover page, filled by the fax job code from its recipient,
 * sender and extra records. A NULL or empty text adds no item.
 */
typedef struct CoverTexts {
    WORD senderFirstWord;     /* 0: the first layout variant, else the second */
    WORD oneRecipient;        /* 1: the job has one recipient */
    WORD firstChoice;         /* 1 or 2: text 1770 or 1771 (kind 3) */
    WORD secondChoice;        /* 1 or 2: text 1772 or 1773 (kind 5) */
    WORD prefixWord;          /* 1: kind 8 takes a prefix and the named text */
    WORD noRecipientFixed;    /* 1: the recipient record leaves out the kind-7 caption */
    LPCWSTR senderName;       /* kind 0: the title's name */
    LPCWSTR oneRecipientName; /* kind 2 of one recipient (the sender record's) */
    LPCWSTR recipientName;    /* kind 2 */
    LPCWSTR recipientFirst;   /* kind 8 */
    LPCWSTR recipientSecond;  /* kind 4 */
    LPCWSTR recipientNamed;   /* kind 8 behind a prefix */
    LPCWSTR senderTexts[4];   /* the sender table's kinds 2, 4, 6 and 8 */
    LPCWSTR subject;          /* kind 9 */
    LPCWSTR comment;          /* kind 10 */
    LPCWSTR prefixes[2];      /* the extra record's prefixes: choice word 2 the first, 1 the second */
} CoverTexts;

/*
 * What the cover pieces read of the job, filled by the fax job code: the resolution, the
 * device fonts of the two font styles (the model's cover fonts), the
 * document path and the prepared file.
 */
typedef struct CoverJob {
    HMODULE resources;             /* the module of the fixed texts */
    LONG resolutionX;              /* setting 20 */
    LONG resolutionY;              /* setting 21 */
    const FontInfoBlock *fonts[2]; /* the device fonts of font styles 1 and 2 */
    LPCWSTR documentPath;          /* setting 1830 */
    LPCWSTR driverDirectory;       /* where the prepared file lies */
    LPCWSTR preparedFileName;      /* string 0 of description entry 28 */
} CoverJob;

#ifdef __cplusplus
extern "C" {
#endif

/* pdl_BuildTextItemList: walks the title, recipient, sender and comment tables of the
 * variant the texts choose and lays out each non-empty text into a new global block of
 * TEXT_ITEM_LIST_ITEMS items (GlobalFree it). list, count: out. Returns 1, 0 without
 * memory or for a NULL argument. */
BOOL pdl_BuildTextItemList(const CoverJob *job, const CoverTexts *texts, TextItemList **list, DWORD *count);
/* pdl_MeasureTextBlock: the exact bytes of the text block, -1 on failure (no memory, no
 * font for a style, a character without glyph). */
LONG pdl_MeasureTextBlock(const CoverJob *job, const CoverTexts *texts);
/* pdl_WriteTextBlock: writes the text block into buffer (of the measured size). Returns
 * the bytes written, -1 on failure or when they differ from the measure. */
LONG pdl_WriteTextBlock(const CoverJob *job, const CoverTexts *texts, BYTE *buffer, DWORD capacity);

/* pdl_MeasureDocNameText: bytes of the Eg command of the document's base name (directory
 * and extension taken off), 0 when there is no name. */
LONG pdl_MeasureDocNameText(const CoverJob *job);
/* pdl_WriteDocNameText: writes it into buffer. Returns the bytes, 0 without name, -1 when
 * it does not fit. */
LONG pdl_WriteDocNameText(const CoverJob *job, BYTE *buffer, DWORD capacity);

/* pdl_OpenPreparedFile: opens the prepared file (driver directory + its name, read only,
 * shared with nobody). INVALID_HANDLE_VALUE when the name is not a plain file name or
 * the file cannot be opened. */
HANDLE pdl_OpenPreparedFile(const CoverJob *job);
/* pdl_ReadPreparedFile: reads up to n bytes in pieces of at most 512. Returns the bytes
 * read, 0 at the end of the file, -1 on a read error; the file is closed when 0 or -1 is
 * returned. */
LONG pdl_ReadPreparedFile(HANDLE file, DWORD n, BYTE *buffer);

#ifdef __cplusplus
}
#endif

#endif /* QM_RENDER_PDL_COVER_COVER_BLOCK_H */
