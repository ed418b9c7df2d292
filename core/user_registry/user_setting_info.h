/*
 * The user setting record: the 984-byte UserSettingInfo that carries the per-user values
 * of the printer-data block (account and identification texts and the like). It is kept
 * per user and printer and inside the stored printer data; built from a block and applied
 * back to one.
 */
#ifndef QM_CORE_USER_REGISTRY_USER_SETTING_INFO_H
#define QM_CORE_USER_REGISTRY_USER_SETTING_INFO_H

#include <stddef.h>

#include <windows.h>

#include "core/context/driver_context.h"
#include "core/settings/settings_types.h"

enum {
    USI_FORMAT = 4,
    USI_ALL_PARTS = 7,
    USI_PART1_LENGTH = 354,
    USI_PART2_LENGTH = 296,
    USI_PART3_LENGTH = 252,
    USI_MODEL_NAME_CHARS = 32 /* 31 characters and a zero */
};

/* Part bits of the part-flags word and of the apply mask (bit values, not bit indexes). */
enum {
    USI_PART1 = 2, /* 5129, 5130, 5146, 5147, 5159 */
    USI_PART2 = 1, /* 5150 ... 5182 */
    USI_PART3 = 4  /* 5174 ... 5183 */
};

/* The record, little-endian, 984 bytes; bytes not named here are zero. */
typedef struct UserSettingInfo {
    WORD format;       /* USI_FORMAT */
    WORD layoutId;     /* 8203 */
    WORD blockVersion; /* 8204 */
    WORD modelCode;    /* 5137 */
    WCHAR modelName[USI_MODEL_NAME_CHARS];
    WORD partFlags;   /* USI_ALL_PARTS when built */
    WORD part1Length; /* 354 */
    WCHAR s5129[25];
    WCHAR s5130[5];
    WORD w5146;
    WCHAR s5147[129];
    WCHAR s5159[17];
    WORD part2Length; /* 296 */
    WCHAR s5150[33];
    WCHAR s5148[13];
    WCHAR s5161[17];
    WCHAR s5167[33];
    BYTE b5165;
    BYTE reserved1[3];
    DWORD d5169;
    DWORD d5171;
    DWORD d5173;
    WORD w5178;
    WCHAR s5180[25];
    WCHAR s5182[17];
    WORD reserved2;
    WORD part3Length; /* 252 */
    WCHAR s5174[33];
    WCHAR s5175[17];
    WCHAR s5176[33];
    WCHAR s5184[25];
    WCHAR s5185[17];
    BYTE b5183;
    BYTE reserved3[3];
} UserSettingInfo;

static_assert(sizeof(UserSettingInfo) == 984, "UserSettingInfo");
static_assert(offsetof(UserSettingInfo, layoutId) == 2, "8203");
static_assert(offsetof(UserSettingInfo, blockVersion) == 4, "8204");
static_assert(offsetof(UserSettingInfo, modelCode) == 6, "5137");
static_assert(offsetof(UserSettingInfo, modelName) == 8, "model name");
static_assert(offsetof(UserSettingInfo, partFlags) == 72, "part flags");
static_assert(offsetof(UserSettingInfo, part1Length) == 74, "part 1 length");
static_assert(offsetof(UserSettingInfo, s5129) == 76, "5129");
static_assert(offsetof(UserSettingInfo, s5130) == 126, "5130");
static_assert(offsetof(UserSettingInfo, w5146) == 136, "5146");
static_assert(offsetof(UserSettingInfo, s5147) == 138, "5147");
static_assert(offsetof(UserSettingInfo, s5159) == 396, "5159");
static_assert(offsetof(UserSettingInfo, part2Length) == 430, "part 2 length");
static_assert(offsetof(UserSettingInfo, s5150) == 432, "5150");
static_assert(offsetof(UserSettingInfo, s5148) == 498, "5148");
static_assert(offsetof(UserSettingInfo, s5161) == 524, "5161");
static_assert(offsetof(UserSettingInfo, s5167) == 558, "5167");
static_assert(offsetof(UserSettingInfo, b5165) == 624, "5165");
static_assert(offsetof(UserSettingInfo, d5169) == 628, "5169");
static_assert(offsetof(UserSettingInfo, d5171) == 632, "5171");
static_assert(offsetof(UserSettingInfo, d5173) == 636, "5173");
static_assert(offsetof(UserSettingInfo, w5178) == 640, "5178");
static_assert(offsetof(UserSettingInfo, s5180) == 642, "5180");
static_assert(offsetof(UserSettingInfo, s5182) == 692, "5182");
static_assert(offsetof(UserSettingInfo, part3Length) == 728, "part 3 length");
static_assert(offsetof(UserSettingInfo, s5174) == 730, "5174");
static_assert(offsetof(UserSettingInfo, s5175) == 796, "5175");
static_assert(offsetof(UserSettingInfo, s5176) == 830, "5176");
static_assert(offsetof(UserSettingInfo, s5184) == 896, "5184");
static_assert(offsetof(UserSettingInfo, s5185) == 946, "5185");
static_assert(offsetof(UserSettingInfo, b5183) == 980, "5183");

/* One field of the record: {FunctionID, ValueType, offset in the record, size}. */
typedef struct UserSettingRow {
    WORD functionId; /* 0 ends a list */
    WORD valueType;  /* 1, 3, 6 or 8 */
    DWORD offset;
    DWORD size;
} UserSettingRow;

#ifdef __cplusplus
extern "C" {
#endif

/*
 * ureg_GetUserSettingRows: the row list of one group: 0 the header (8203, 8204, 5137),
 * then USI_PART1, USI_PART2 or USI_PART3. Each list ends with FunctionID 0. NULL for any
 * other value.
 */
const UserSettingRow *WINAPI ureg_GetUserSettingRows(WORD group);

/*
 * ureg_BuildUserSettingInfo: fills record from block: format 4, part flags 7, the three
 * part lengths, every row of the four groups read from the block, and the model name of
 * the description header (at most 31 characters). printer: in, unused. context, block:
 * in. record: out (zeroed first). Returns 1, or 0 for a missing context, block or
 * record, a failed read, a value of another type than its row's, or no model name.
 */
BOOL WINAPI ureg_BuildUserSettingInfo(HANDLE printer, DriverContext *context, PrinterDataBlock *block,
                                      UserSettingInfo *record);

/*
 * ureg_ApplyUserSettingInfo: writes the values of the parts named by mask (USI_PART1,
 * USI_PART2, USI_PART3; other bits are ignored; the header group is never written) from
 * record into block. block: in/out; record: in. Returns 1 (also for mask 0), or 0 for a
 * NULL argument, a row whose type is not the setting's or a failed write (the rows before
 * it stay written).
 */
BOOL WINAPI ureg_ApplyUserSettingInfo(PrinterDataBlock *block, const UserSettingInfo *record, WORD mask);

/*
 * ureg_ReadUserSettingValues: fills record from block alone: format 4, part flags 7, the
 * three part lengths and every row of the four groups read from the block; the model name
 * stays empty. block: in; record: out (zeroed first). Returns 1, or 0 for a NULL argument,
 * a failed read or a value of another type than its row's.
 */
BOOL WINAPI ureg_ReadUserSettingValues(PrinterDataBlock *block, UserSettingInfo *record);

/*
 * ureg_BuildDefaultUserSettingInfo: a record of the description defaults: format 4, part
 * flags 7, the part lengths, and every row of the three parts set to its FunctionID's
 * default from the description data (a FunctionID without default is skipped). printer:
 * in, unused; context: in; record: out (zeroed first). Returns 1, or 0 for a NULL context
 * or record, or a default lookup that fails otherwise than "absent".
 */
BOOL WINAPI ureg_BuildDefaultUserSettingInfo(HANDLE printer, DriverContext *context, UserSettingInfo *record);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_USER_REGISTRY_USER_SETTING_INFO_H */
