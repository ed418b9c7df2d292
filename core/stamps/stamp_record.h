/*
 * The stamp record (308 bytes, the value of a stored stamp and data kind 2 of the DEVMODE
 * access library), the built-in stamp descriptors and the stamp store's result codes.
 * A plain header: pointer-free records, the same in both builds.
 */
#ifndef QM_CORE_STAMPS_STAMP_RECORD_H
#define QM_CORE_STAMPS_STAMP_RECORD_H

#include <stddef.h>

#include <windows.h>

enum {
    STAMP_NAME_CHARS = 33, /* the name field, its terminator included */
    STAMP_TEXT_CHARS = 65,
    STAMP_FACE_CHARS = 32,
    STAMP_MAX_STORED = 32,
    STAMP_BUILTIN_COUNT = 6, /* descriptor rows 1-6; row 0 is the default stamp */
    STAMP_DESCRIPTOR_ROWS = 7
};

/* Results of the stamp store (16-bit codes). */
enum {
    STP_OK = 1,
    STP_NAME_TAKEN = 2, /* stored already, or built in */
    STP_BUILTIN = 3,
    STP_FULL = 4,
    STP_NOT_STORED = 6,
    STP_DIFFERENT = 7,
    STP_NO_KEY = 8,
    STP_ENUM_ERROR = 9,
    STP_WRITE_FAILED = 10,
    STP_DELETE_FAILED = 11,
    STP_BUFFER_TOO_SMALL = 12,
    STP_NOT_FOUND = 99 /* also: a bad argument */
};

/* A stamp; each field holds the setting named beside it. */
typedef struct StampRecord {
    WCHAR name[STAMP_NAME_CHARS]; /* 297 */
    WCHAR text[STAMP_TEXT_CHARS]; /* 299 */
    DWORD colour;                 /* 301, a COLORREF */
    DWORD style;                  /* 300: the setting's byte, zero-extended */
    DWORD optionB;                /* 1287 */
    WORD frame;                   /* 302: the setting's byte, zero-extended */
    WORD placement;               /* 303 */
    DWORD repeat;                 /* 1288 */
    LOGFONTW font;                /* 304 */
} StampRecord;

/* A font as the built-in table keeps it: numbers behind string ids are read from the
 * strings. */
typedef struct StampFontDescriptor {
    WORD heightId;
    WORD width;
    WORD escapementId;
    WORD orientationId;
    WORD weight;
    BYTE italic, underline, strikeOut, pad;
    WORD charSetId;
    BYTE outPrecision, clipPrecision, quality, pitchAndFamily;
    WORD faceId;
    WORD tail; /* pads the descriptor to 24 bytes */
} StampFontDescriptor;

/* A built-in stamp: string ids of its name and text, its numbers and its font. */
typedef struct StampDescriptor {
    WORD nameId;
    WORD textId;
    DWORD colour;
    DWORD style;
    DWORD optionB;
    WORD frame;
    WORD placement;
    DWORD repeat;
    StampFontDescriptor font;
} StampDescriptor;

static_assert(sizeof(StampRecord) == 308, "StampRecord");
static_assert(offsetof(StampRecord, text) == 66, "StampRecord.text");
static_assert(offsetof(StampRecord, colour) == 196, "StampRecord.colour");
static_assert(offsetof(StampRecord, style) == 200, "StampRecord.style");
static_assert(offsetof(StampRecord, optionB) == 204, "StampRecord.optionB");
static_assert(offsetof(StampRecord, frame) == 208, "StampRecord.frame");
static_assert(offsetof(StampRecord, placement) == 210, "StampRecord.placement");
static_assert(offsetof(StampRecord, repeat) == 212, "StampRecord.repeat");
static_assert(offsetof(StampRecord, font) == 216, "StampRecord.font");
static_assert(sizeof(StampFontDescriptor) == 24, "StampFontDescriptor");
static_assert(sizeof(StampDescriptor) == 48, "StampDescriptor");
static_assert(offsetof(StampDescriptor, font) == 24, "StampDescriptor.font");

#ifdef __cplusplus
extern "C" {
#endif

/* The seven descriptor rows: row 0 the default stamp, rows 1-6 the built-in stamps. */
extern const StampDescriptor g_StampDescriptors[STAMP_DESCRIPTOR_ROWS];

/* The default stamp font's descriptor. */
extern const StampFontDescriptor g_DefaultStampFont;

/* ureg_MakeStampFont: a font descriptor as a LOGFONTW (font: out). */
void ureg_MakeStampFont(LOGFONTW *font, const StampFontDescriptor *descriptor);

/*
 * ureg_MakeBuiltinStamp: the stamp of a descriptor (record: out, zeroed first): name and
 * text from their strings ("Undefined" when missing), the numbers copied, the font made
 * by ureg_MakeStampFont. 1, or 99 for NULL.
 */
WORD ureg_MakeBuiltinStamp(StampRecord *record, const StampDescriptor *descriptor);

/* ureg_IsBuiltinStampName: 1 when name is one of the six built-in stamps' names. */
BOOL ureg_IsBuiltinStampName(const WCHAR *name);

/*
 * ureg_ListBuiltinStampNames: the six built-in names as consecutive zero-terminated
 * strings and a closing empty string. buffer NULL: the size only. count: out, 6; size:
 * in/out, bytes (the needed size is always written). 1; 12 when *size does not hold them;
 * 99 without size.
 */
WORD ureg_ListBuiltinStampNames(WCHAR *buffer, WORD *count, DWORD *size);

/* ureg_GetBuiltinStamp: the built-in stamp of that name (record: out). 1, or 8 when none. */
WORD ureg_GetBuiltinStamp(const WCHAR *name, StampRecord *record);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_STAMPS_STAMP_RECORD_H */
