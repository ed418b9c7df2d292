/*
 * Settings model types shared by the whole driver core: the three settings areas
 * (driver DEVMODE, its second part, the printer-data block) and the table rows that
 * give every FunctionID its place in them.
 */
#ifndef QM_CORE_SETTINGS_SETTINGS_TYPES_H
#define QM_CORE_SETTINGS_SETTINGS_TYPES_H

#include <stddef.h>

#include <windows.h>
#include "platform/include/qm_layout.h"

/* 16-bit identifier of one driver setting. */
typedef WORD FunctionID;

/* Type codes of setting values. */
enum {
    VT_LONG = 1,      /* signed 32-bit; every on/off setting */
    VT_SHORT = 2,     /* signed 16-bit */
    VT_WORD = 3,      /* unsigned 16-bit */
    VT_LONG32 = 4,    /* signed 32-bit */
    VT_DWORD = 5,     /* unsigned 32-bit */
    VT_STRING = 6,    /* wide string held in place; capacity in the location row */
    VT_NONE = 7,      /* no value; any access fails */
    VT_BYTE = 8,      /* unsigned 8-bit */
    VT_LOGFONT = 9,   /* LOGFONTW record held in place, 92 bytes */
    VT_FONTFIELD = 10 /* signed 32-bit field inside a LOGFONTW */
};

/* Where a setting lives. */
enum {
    SK_DEVMODE = 0,     /* driver DEVMODE from its start, below 1604 */
    SK_SECOND_PART = 1, /* second part, counted from DEVMODE byte 1604 */
    SK_PRINTER_DATA = 2 /* printer-data block */
};

/* Status codes of settings access. */
enum {
    SST_OK = 0,
    SST_NO_RANGE = 1, /* the FunctionID lies in no range */
    SST_TYPE = 2,     /* type neither the stored nor the presented one */
    SST_TOO_LONG = 4, /* string or record too long for its place */
    SST_SIZE = 8,     /* size differs from the type's width */
    SST_BAD = 16      /* bad argument, no row, area missing, value refused */
};

/* Sizes of the settings areas. */
enum {
    DM_PUBLIC_SIZE = 220,
    DM_PRIVATE_SIZE = 1384,
    DM_SHORT_SIZE = 1604,
    DM_SECOND_PART_SIZE = 4268,
    DM_FULL_SIZE = 5872,
    DM_FORM_SHORT = 1, /* form value of the short DEVMODE; any other is full */
    DM_PRIVATE_VERSION = 0x5220,
    PRINTER_DATA_SIZE = 5452
};

/* First private part of the driver DEVMODE (FunctionID 257 at its start). */
typedef struct PrivateDevmode {
    BYTE bytes[DM_PRIVATE_SIZE];
} PrivateDevmode;

/* Second part of the full driver DEVMODE (FunctionID 1793 at its start). */
typedef struct DevmodeSecondPart {
    BYTE bytes[DM_SECOND_PART_SIZE];
} DevmodeSecondPart;

/* The driver DEVMODE in its full form; the short form ends after `priv`. */
typedef struct DriverDevmode {
    DEVMODEW dm;
    PrivateDevmode priv;
    DevmodeSecondPart second;
} DriverDevmode;

/* The block of device settings stored as printer data. */
typedef struct PrinterDataBlock {
    BYTE bytes[PRINTER_DATA_SIZE];
} PrinterDataBlock;

/* One setting's place: kind from its range row, offset within that area. */
typedef struct SettingLocation {
    WORD functionId; /* 0 ends a list */
    WORD storedType;
    WORD presentedType; /* 0: same as stored */
    WORD reserved;      /* 0 */
    DWORD offset;       /* within the area; for on/off settings the holding word */
    DWORD capacity;     /* bytes, types 6 and 9 only */
} SettingLocation;

/* One range of FunctionIDs with its location list; a null list ends the table. */
typedef struct SettingLocationRange {
    WORD storageKind;
    WORD firstId;
    WORD lastId;
    WORD reserved;
    const SettingLocation *locations;
} SettingLocationRange;

/* One group of FunctionIDs; group 13 ends the table. */
typedef struct FunctionIdRange {
    WORD group;
    WORD reserved;
    WORD firstId;
    WORD lastId;
} FunctionIdRange;

/* Bit mask of one on/off setting; FunctionID 0 ends a list. */
typedef struct FlagMaskRow {
    WORD functionId;
    WORD reserved;
    DWORD mask;
} FlagMaskRow;

/* Handler row of a setting; defined with the setting handlers. */
struct SettingHandlerRow;

/* A setting that takes part in defaults, validation and option lists. */
typedef struct SettingDescriptor {
    DWORD functionId;
    const struct SettingHandlerRow *handler; /* null: all from the description data */
} SettingDescriptor;

/* One group's descriptors; group 13 ends the table. */
typedef struct SettingGroup {
    WORD group;
    WORD storageKind;
    const SettingDescriptor *descriptors;
    DWORD count;
} SettingGroup;

static_assert(sizeof(DEVMODEW) == 220, "DEVMODEW");
static_assert(sizeof(LOGFONTW) == 92, "LOGFONTW");
static_assert(sizeof(PrivateDevmode) == 1384, "PrivateDevmode");
static_assert(sizeof(DevmodeSecondPart) == 4268, "DevmodeSecondPart");
static_assert(sizeof(DriverDevmode) == 5872, "DriverDevmode");
static_assert(offsetof(DriverDevmode, second) == 1604, "short DriverDevmode");
static_assert(sizeof(PrinterDataBlock) == 5452, "PrinterDataBlock");
static_assert(sizeof(SettingLocation) == 16, "SettingLocation");
static_assert(sizeof(SettingLocationRange) == QM_LAYOUT(12, 16), "SettingLocationRange");
static_assert(sizeof(FunctionIdRange) == 8, "FunctionIdRange");
static_assert(sizeof(FlagMaskRow) == 8, "FlagMaskRow");
static_assert(sizeof(SettingDescriptor) == QM_LAYOUT(8, 16), "SettingDescriptor");

#endif /* QM_CORE_SETTINGS_SETTINGS_TYPES_H */
