/*
 * Setting handlers: each setting's default, its validity check and its option list. Most
 * settings take all three from the description data; a handler row overrides some of them.
 * Also the value comparator, the sized write, the reset of all settings to their defaults
 * and the descriptor lookup.
 */
#ifndef QM_CORE_HANDLERS_SETTING_HANDLERS_H
#define QM_CORE_HANDLERS_SETTING_HANDLERS_H

#include "core/context/driver_context.h"
#include "core/settings/settings_types.h"

/* Commands a handler row may serve (bits of its command mask). */
enum {
    HC_DEFAULT = 1,    /* give the default */
    HC_VALIDATE = 2,   /* validate (first form) */
    HC_ADJUST = 4,     /* adjust the list shape */
    HC_TEXTS = 8,      /* give one option's text and value */
    HC_VALIDATE2 = 16, /* validate (second form, rule and merge code) */
    HC_ALL = 0xFFFF
};

/* Flags of a SettingValueSpec. */
enum {
    SVS_DEFAULT = 1, /* the default is the value record's value */
    SVS_SHAPE = 4,   /* the list shape comes from the OptionShape */
    SVS_OPTIONS = 8  /* option values and texts come from the OptionShape */
};

/* Control kinds of an option list. */
enum { OK_ONOFF = 1, OK_LIST = 2, OK_SINGLE = 3, OK_RANGE = 4, OK_RANGE3 = 6 };

/* Shape data of control kind 2: option i has string base + i as text and values[i]. */
typedef struct OptionShapeList {
    DWORD count;
    UINT stringBase;
    const DWORD *values;
} OptionShapeList;

/* Shape data of control kind 4. */
typedef struct OptionShapeRange {
    DWORD maximum;
    DWORD minimum;
} OptionShapeRange;

/* The fixed shape of a setting's options. */
typedef struct OptionShape {
    WORD controlKind;
    const void *data; /* OptionShapeList (2), OptionShapeRange (4 and 6), NULL otherwise */
} OptionShape;

/* Fixed value of a handler row. */
typedef struct SettingValueSpec {
    WORD flags; /* SVS_* */
    WORD valueType;
    DWORD size;      /* (DWORD)-1: the size of the type; characters for type 6 */
    DWORD_PTR value; /* type 6: a const WCHAR* */
    const OptionShape *shape;
} SettingValueSpec;

/* Command 1: fill the three outputs (type 6 and 9: a new global block the caller frees). */
typedef struct SettingDefaultItem {
    PrinterDataBlock *block; /* being filled, or NULL */
    const WCHAR *printerName;
    WORD *valueType;  /* out */
    DWORD_PTR *value; /* out */
    DWORD *size;      /* out */
} SettingDefaultItem;

/* Commands 2 and 16. */
typedef struct SettingCheckItem {
    const void *value; /* the 4-byte slot: numbers by value, strings and records by pointer */
    DriverDevmode *devmode;
    PrinterDataBlock *block;
} SettingCheckItem;

/* Stamp names made for the stamp choice (FunctionID 298). */
typedef struct StampNames {
    WORD count;
    WCHAR *names; /* zero-terminated names one after the other */
} StampNames;

/* Command 4: set the list's control kind and count. */
typedef struct SettingShapeItem {
    HINSTANCE resources;
    OptionList *list;
    WORD count;         /* given by the list's creator */
    StampNames *stamps; /* or NULL */
} SettingShapeItem;

/* Command 8: one option's text and value. */
typedef struct SettingTextItem {
    HINSTANCE resources;
    const WCHAR **text; /* out; may point to a per-thread buffer: copy at once */
    DWORD_PTR *value;   /* out */
    WORD valueType;     /* out */
    DWORD index;
    DWORD_PTR creatorValue;
    const void *creatorData;
} SettingTextItem;

/* The record a handler receives; its member follows the command. */
typedef union SettingItem {
    SettingDefaultItem def;
    SettingCheckItem check;
    SettingShapeItem shape;
    SettingTextItem text;
} SettingItem;

/* Returns non-zero for success or valid; 0 also for a command it does not serve. */
typedef BOOL (*SettingHandler)(DriverContext *context, WORD command, WORD functionId, SettingItem *item);

/* How one setting departs from the description data. */
typedef struct SettingHandlerRow {
    const SettingValueSpec *spec; /* or NULL */
    SettingHandler handler;       /* or NULL: the database serves what the value record does not */
    DWORD mask;                   /* HC_* bits the row replaces the database for */
} SettingHandlerRow;

/* One option of a list; the list owns text, icon, palette and string values. */
typedef struct OptionItem {
    DWORD_PTR value; /* WCHAR* when the list's type is 6 */
    WCHAR *text;
    HICON icon;
    void *extra; /* the HPALETTE made for the icon */
} OptionItem;

/* Results of opt_GetDefault. */
enum { OPT_DEFAULT_OK = 1, OPT_DEFAULT_NONE = 2, OPT_DEFAULT_FAILED = -1 };

/* Request of opt_GetDefault. */
typedef struct DefaultRequest {
    DriverContext *context;
    WORD functionId;
    PrinterDataBlock *block;  /* in: handed to the handler (may be NULL) */
    const WCHAR *printerName; /* in: handed to the handler (may be NULL) */
    WORD valueType;           /* out */
    DWORD size;               /* out */
    DWORD_PTR value;          /* out: the 4-byte slot; release with opt_FreeDefault */
} DefaultRequest;

/* Request of opt_SetDefaultValue. */
typedef struct SetDefaultRequest {
    DriverContext *context;
    DriverDevmode *devmode;
    WORD functionId;
    PrinterDataBlock *block;
} SetDefaultRequest;

/* Request of opt_ValidateSetting. */
typedef struct ValidateRequest {
    DriverContext *context;
    WORD functionId;
    DriverDevmode *devmode;
    PrinterDataBlock *block;
    WORD command; /* HC_VALIDATE or HC_VALIDATE2 */
} ValidateRequest;

/* A paper and how to show its size (opt_FormatPaperSizeText). */
typedef struct PaperTextRecord {
    WORD id;
    WORD width;  /* 0.1 mm */
    WORD height; /* 0.1 mm */
    const WCHAR *name;
} PaperTextRecord;
typedef struct PaperUnitMode {
    DWORD inch;     /* 0: millimetres */
    DWORD decimals; /* inches: 0 two decimals, else one */
} PaperUnitMode;
typedef struct PaperTextRequest {
    HINSTANCE resources;
    DriverDevmode *devmode;
    PrinterDataBlock *block;
    const PaperTextRecord *paper;
    PaperUnitMode mode;
} PaperTextRequest;

/* Request of the list functions; count and value are handed to the handler (commands 4, 8). */
typedef struct ListRequest {
    HANDLE printer;
    DriverContext *context;
    WORD functionId;
    HINSTANCE resources;
    WORD count;
    DWORD_PTR value;
    DriverDevmode *devmode;
    PrinterDataBlock *block;
    PaperUnitMode units; /* how size texts show paper sizes */
} ListRequest;

#ifdef __cplusplus
extern "C" {
#endif

/*
 * opt_CompareValues: compares two values of a type. 1, 4, 10: signed DWORD; 2: signed
 * WORD; 3: unsigned WORD; 5: unsigned DWORD; 6: wide strings (a and b point to the string
 * pointers); 8: unsigned byte. Returns 0 equal, 1 a greater, -1 a smaller, 2 for a NULL
 * pointer or string, or a type without comparator (7, 9, others).
 */
short WINAPI opt_CompareValues(WORD valueType, const void *a, const void *b);

/*
 * dma_SetValueSized: writes one setting by dma_SetFunctionValue. slot: the 4-byte slot
 * (types 6 and 9: holding the pointer). size (DWORD)-1: the size of the type (6: the
 * string's 2 x length + 2; 9: 92). Returns 1, or 0 for a NULL slot or a failed write.
 */
BOOL WINAPI dma_SetValueSized(WORD functionId, DriverDevmode *devmode, PrinterDataBlock *block, DWORD size,
                              WORD valueType, const void *slot);

/*
 * opt_GetSettingGroup: the descriptors of a group number. count, storageKind,
 * descriptors: out (all may be NULL). Returns 1 for a group of the table; otherwise 0 and
 * the outputs describe the end row.
 */
BOOL WINAPI opt_GetSettingGroup(DWORD *count, WORD *storageKind, const SettingDescriptor **descriptors, WORD group);

/*
 * opt_FindDescriptor: the descriptor of a FunctionID: the group ranges are walked in order
 * and the first match in a group whose range holds it wins. NULL when there is none.
 */
const SettingDescriptor *WINAPI opt_FindDescriptor(DWORD functionId);

/*
 * opt_GetDefault: the default of one setting: from its handler row where the row's mask
 * has bit 1, otherwise from the description data; the context's special settings are put
 * on top. Returns OPT_DEFAULT_OK (outputs written; release with opt_FreeDefault),
 * OPT_DEFAULT_NONE (the data holds no default) or OPT_DEFAULT_FAILED (no descriptor, no
 * request, handler failure, out of memory).
 */
int WINAPI opt_GetDefault(DefaultRequest *request);

/* opt_FreeDefault: releases a default of opt_GetDefault. Returns 1, or 0 when the free fails. */
BOOL WINAPI opt_FreeDefault(WORD functionId, DWORD_PTR value, WORD valueType);

/*
 * opt_SetDefaultValue: writes one setting's default. Returns 1 also when the setting has
 * no descriptor or no default (nothing written); 0 for a NULL request, a failed default or
 * a failed write or release.
 */
BOOL WINAPI opt_SetDefaultValue(const SetDefaultRequest *request);

/*
 * opt_SetAllDefaults: clears the areas given and writes every descriptor's default, groups
 * 0-3 into the block, 4-12 into the DEVMODE (either may be NULL: its groups are skipped).
 * devmode must be a FULL-form buffer (all 5872 bytes are cleared). In a group, a failed
 * default (other than "no default"), write or release skips the rest of that group.
 * Returns 1 when every group went through, 0 when any failed.
 */
BOOL WINAPI opt_SetAllDefaults(DriverContext *context, DriverDevmode *devmode, PrinterDataBlock *block,
                               const WCHAR *printerName);

/*
 * opt_ValidateSetting: non-zero when the stored value is acceptable (command 2 or 16).
 * The handler decides where the row has one and serves the command; otherwise the
 * description data (an option with that value, or inside a range). 0 for a read error, a
 * FunctionID without descriptor or a NULL request.
 */
BOOL WINAPI opt_ValidateSetting(const ValidateRequest *request);

/*
 * opt_FormatPaperSizeText: "name" + string 2009 + the frame (string 703 in millimetres,
 * 9247 in inches) filled with width and height. A new global string, or NULL when one of
 * module, DEVMODE, block or paper (or its name) is NULL, a string is missing or out of
 * memory.
 */
WCHAR *WINAPI opt_FormatPaperSizeText(const PaperTextRequest *request);

/* ---- option lists (option_lists.cpp) ---- */

/*
 * opt_CreateList: the list shell (caption, control kind, count, no items) from the handler
 * row or the definition. NULL without descriptor, for the stamp choice (no stamp store),
 * on a failed shape or out of memory. Free with opt_FreeList.
 */
OptionList *WINAPI opt_CreateList(const ListRequest *request);

/*
 * opt_FillListItems: the items of a shell: from the value spec, the handler or options
 * 1..count of the description data; texts and string values copied. Returns 1, or 0 for a
 * count of 0 or -1, a failed option or out of memory (what was made stays with the list).
 */
BOOL WINAPI opt_FillListItems(const ListRequest *request, OptionList *list);

/* opt_CreateFilledList: opt_CreateList and opt_FillListItems; NULL (nothing left) on failure. */
OptionList *WINAPI opt_CreateFilledList(const ListRequest *request);

/* opt_FreeList: frees caption, texts, string values, items and the list.
 * Returns 1, or 0 for NULL. */
BOOL WINAPI opt_FreeList(OptionList *list);

/* opt_GetItem, opt_ItemAt: item i, or NULL (no list or items, i outside 0..count-1). */
OptionItem *WINAPI opt_GetItem(const OptionList *list, LONG i);
OptionItem *WINAPI opt_ItemAt(const OptionList *list, LONG i);

/* That field of item i, or NULL / 0. */
const WCHAR *WINAPI opt_GetItemText(const OptionList *list, LONG i);
HICON WINAPI opt_GetItemIcon(const OptionList *list, LONG i);
DWORD_PTR WINAPI opt_GetItemData(const OptionList *list, LONG i);

/*
 * opt_CreateIconFromDib: an icon from an icon DIB of dibBytes bytes (colour image over the
 * AND mask, biHeight counting both). The DIB is checked first (12- or 40-byte header, one
 * plane, width 1-32, half height 1-32, 1, 4 or 8 bits, table and both halves inside
 * dibBytes); a bad one is refused before any GDI call. A 256-colour image gets a logical
 * palette. icon, palette: out (NULL on failure; palette NULL without one); the caller
 * destroys both. Returns 1, or 0 for a refused DIB or a failed GDI call (nothing left).
 */
BOOL WINAPI opt_CreateIconFromDib(HINSTANCE instance, const BITMAPINFO *dib, DWORD dibBytes, HICON *icon,
                                  HPALETTE *palette);

/* opt_FindItemByText: the first item whose text begins with text, or NULL. */
OptionItem *WINAPI opt_FindItemByText(const OptionList *list, const WCHAR *text);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_HANDLERS_SETTING_HANDLERS_H */
