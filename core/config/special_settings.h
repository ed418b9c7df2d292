/*
 * Special settings of a printer: values that a site pre-sets or enforces, and switches,
 * read from the model's section of the configuration file, and their application to a
 * DEVMODE and printer-data block.
 */
#ifndef QM_CORE_CONFIG_SPECIAL_SETTINGS_H
#define QM_CORE_CONFIG_SPECIAL_SETTINGS_H

#include "core/settings/settings_types.h"

/* Item flags. */
#define SPECIAL_DEFAULT 0x01   /* "<name>.default=" given */
#define SPECIAL_ENFORCED 0x02  /* "<name>.enforced=" given */
#define SPECIAL_DISPLAY_0 0x04 /* "<name>.display=" 0, 1 or 2 */
#define SPECIAL_DISPLAY_1 0x08
#define SPECIAL_DISPLAY_2 0x10

/* Apply modes. */
#define SPECIAL_APPLY_ALL 0      /* default and enforced items */
#define SPECIAL_APPLY_ENFORCED 1 /* enforced items only */

#define SPECIAL_ITEM_NAME_CHARS 33
#define SPECIAL_VALUE_NAME_CHARS 34
#define SPECIAL_SWITCH_NONE 999 /* the switch number of "LOG", which applies nothing */

typedef struct SpecialItem {
    WORD functionId;
    DWORD value;
    DWORD flags;
} SpecialItem;

typedef struct SpecialSwitch {
    WORD number;
    DWORD value;
} SpecialSwitch;

/* Items and switches in reverse order of reading. */
typedef struct SpecialSettings {
    WORD itemCount;
    WORD switchCount;
    SpecialItem *items;
    SpecialSwitch *switches;
} SpecialSettings;

/* A row of the item and switch name tables: the WORD is the FunctionID or switch number.
 * An empty name ends a table. */
typedef struct SpecialNameRow {
    WCHAR name[SPECIAL_ITEM_NAME_CHARS];
    WORD number;
} SpecialNameRow;

/* A row of the value name table; an empty name ends it. */
typedef struct SpecialValueName {
    WCHAR name[SPECIAL_VALUE_NAME_CHARS];
    LONG value;
} SpecialValueName;

typedef struct SpecialSettingsRequest {
    LPCWSTR modelName;
    LPCWSTR path;
    const SpecialNameRow *itemNames;
    const SpecialValueName *valueNames;
    const SpecialNameRow *switchNames;
} SpecialSettingsRequest;

/* One configuration value a setting accepts and the setting value it writes. */
typedef struct SpecialValuePair {
    LONG configValue;
    LONG settingValue;
} SpecialValuePair;

/* One row of the value map; FunctionID 0 ends it. */
typedef struct SpecialValueMapRow {
    WORD functionId;
    WORD count;
    const SpecialValuePair *pairs;
} SpecialValueMapRow;

/* An item a switch applies: FunctionID and configuration value, applied as enforced. */
typedef struct SpecialSwitchItem {
    WORD functionId;
    LONG configValue;
} SpecialSwitchItem;

/* One row of the switch table; number 0xFFFF ends it. */
typedef struct SpecialSwitchRow {
    WORD number;
    WORD count;
    const SpecialSwitchItem *items;
} SpecialSwitchRow;

typedef struct SpecialFlagsRequest {
    WORD functionId;
    const SpecialSettings *settings;
    DWORD flags; /* out */
} SpecialFlagsRequest;

#define SPECIAL_ITEM_ROWS 36
#define SPECIAL_SWITCH_ROWS 7
#define SPECIAL_VALUE_ROWS 45
#define SPECIAL_MAP_ROWS 37 /* one per item name row, then the end row */
#define SPECIAL_SWITCH_END 0xFFFF

/* The name tables, each ended by an empty name. */
extern const SpecialNameRow g_SpecialItemNames[SPECIAL_ITEM_ROWS + 1];
extern const SpecialNameRow g_SpecialSwitchNames[SPECIAL_SWITCH_ROWS + 1];
extern const SpecialValueName g_SpecialValueNames[SPECIAL_VALUE_ROWS + 1];
/* The value map (37 rows with its end row) and the switch table (7 rows and the end row). */
extern const SpecialValueMapRow g_SpecialValueMap[SPECIAL_MAP_ROWS];
extern const SpecialSwitchRow g_SpecialSwitchTable[SPECIAL_SWITCH_ROWS + 1];

#ifdef __cplusplus
extern "C" {
#endif

/*
 * cfg_ReadSpecialSettings: reads the items and switches of the model's section (or
 * "default") with the given name tables. An item's enforced key wins over its default key;
 * an item with only a display key is kept with value 0 and its display flag. Of keys a
 * section repeats, the first line counts. A value is a name of the value table or a decimal
 * number up to 2147483647; any other value gives an item the value 0 and leaves a switch
 * unrecorded. Returns a new SpecialSettings (free with
 * opt_FreeSpecialSettings), or NULL without section, for a NULL request or table, or when
 * memory runs out.
 */
SpecialSettings *WINAPI cfg_ReadSpecialSettings(const SpecialSettingsRequest *request);

/*
 * opt_ApplySpecialSettings: writes every qualifying item (mode 0: flag default or enforced;
 * mode 1: enforced) whose FunctionID and value the value map lists, as the mapped value in
 * the type the setting holds; then the items of every switch that is on. Strings and
 * LOGFONTW settings are skipped. Returns 1, or 0 for NULL settings.
 */
BOOL WINAPI opt_ApplySpecialSettings(const SpecialSettings *settings, DriverDevmode *devmode, PrinterDataBlock *block,
                                     WORD mode);

/* opt_GetSpecialSettingFlags: the flags of a FunctionID, searched in the lists of the
 * switches that are on first, then in the items. Returns 1 when found (flags written). */
BOOL WINAPI opt_GetSpecialSettingFlags(SpecialFlagsRequest *request);

/* opt_IsSettingEnforced: 1 when the FunctionID's flags (as above) have the enforced bit. */
BOOL WINAPI opt_IsSettingEnforced(const SpecialSettings *settings, WORD functionId);

/*
 * opt_GetSpecialSettingValue: the mapped value of a FunctionID (switch lists first, then
 * items) stored in slot (4 bytes) by dma_StoreValueInSlot in the setting's type. type: out.
 * Returns 1, or 0 when not found, not mapped, or a string or record.
 */
BOOL WINAPI opt_GetSpecialSettingValue(const SpecialSettings *settings, WORD functionId, WORD *type, void *slot);

/* opt_FreeSpecialSettings: frees items, switches and the record (nothing for NULL); 1. */
BOOL WINAPI opt_FreeSpecialSettings(SpecialSettings *settings);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_CONFIG_SPECIAL_SETTINGS_H */
