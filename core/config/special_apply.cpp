/* Applying the special settings to a DEVMODE and printer-data block. */
#include "core/config/special_private.h"

#include "core/settings/settings.h"
#include "core/util/global_block.h"

static const SpecialSwitchRow *find_switch_row(const SpecialSwitchRow *table, WORD number);
static BOOL map_value(const SpecialValueMapRow *map, WORD functionId, LONG configValue, LONG *settingValue);
static BOOL qualifies(DWORD flags, WORD mode);
static void apply_item(const SpecialValueMapRow *map, WORD functionId, LONG configValue, DriverDevmode *devmode,
                       PrinterDataBlock *block);
static BOOL find_setting(const SpecialSettings *settings, WORD functionId, DWORD *flags, LONG *configValue);

/* Writes one item's mapped value in the type the setting holds; strings, records and values
 * the map does not list are left alone. */
static void apply_item(const SpecialValueMapRow *map, WORD functionId, LONG configValue, DriverDevmode *devmode,
                       PrinterDataBlock *block)
{
    LONG mapped = 0;
    if (!map_value(map, functionId, configValue, &mapped))
        return;
    WORD type = 0;
    DWORD size = 0;
    BYTE current[4] = {};
    if (dma_GetValue(functionId, devmode, block, &type, &size, current, nullptr) != SST_OK)
        return;
    if (type == VT_STRING || type == VT_LOGFONT)
        return;
    BYTE slot[4] = {};
    if (dma_StoreValueInSlot(type, slot, &mapped))
        dma_SetValue(functionId, devmode, block, type, size, slot);
}

/* The flags and configuration value of a FunctionID: the lists of the switches that are on
 * first (as enforced), then the items. */
static BOOL find_setting(const SpecialSettings *settings, WORD functionId, DWORD *flags, LONG *configValue)
{
    if (settings == nullptr)
        return FALSE;
    for (WORD i = 0; i < settings->switchCount; i++) {
        if (settings->switches[i].value == 0)
            continue;
        const SpecialSwitchRow *row = find_switch_row(g_SpecialSwitchTable, settings->switches[i].number);
        for (WORD k = 0; row != nullptr && k < row->count; k++) {
            if (row->items[k].functionId == functionId) {
                *flags = SPECIAL_ENFORCED;
                *configValue = row->items[k].configValue;
                return TRUE;
            }
        }
    }
    for (WORD i = 0; i < settings->itemCount; i++) {
        if (settings->items[i].functionId == functionId) {
            *flags = settings->items[i].flags;
            *configValue = (LONG)settings->items[i].value;
            return TRUE;
        }
    }
    return FALSE;
}

/* The row of a switch number, NULL when the table has none. */
static const SpecialSwitchRow *find_switch_row(const SpecialSwitchRow *table, WORD number)
{
    for (const SpecialSwitchRow *row = table; row->number != SPECIAL_SWITCH_END; row++) {
        if (row->number == number)
            return row;
    }
    return nullptr;
}

/* The setting value of a configuration value; FALSE when the map does not list it. */
static BOOL map_value(const SpecialValueMapRow *map, WORD functionId, LONG configValue, LONG *settingValue)
{
    for (const SpecialValueMapRow *row = map; row->functionId != 0; row++) {
        if (row->functionId != functionId)
            continue;
        for (WORD i = 0; i < row->count; i++) {
            if (row->pairs[i].configValue == configValue) {
                *settingValue = row->pairs[i].settingValue;
                return TRUE;
            }
        }
        return FALSE;
    }
    return FALSE;
}

/* Mode 0 takes default and enforced items, mode 1 enforced ones only. */
static BOOL qualifies(DWORD flags, WORD mode)
{
    if (mode == SPECIAL_APPLY_ENFORCED)
        return (flags & SPECIAL_ENFORCED) != 0;
    return (flags & (SPECIAL_DEFAULT | SPECIAL_ENFORCED)) != 0;
}

BOOL opt_ApplySpecialSettingsWith(const SpecialSettings *settings, DriverDevmode *devmode, PrinterDataBlock *block,
                                  WORD mode, const SpecialValueMapRow *map, const SpecialSwitchRow *switchTable)
{
    if (settings == nullptr)
        return FALSE;
    for (WORD i = 0; i < settings->itemCount; i++) {
        const SpecialItem &item = settings->items[i];
        if (qualifies(item.flags, mode))
            apply_item(map, item.functionId, (LONG)item.value, devmode, block);
    }
    for (WORD i = 0; i < settings->switchCount; i++) {
        if (settings->switches[i].value == 0)
            continue;
        const SpecialSwitchRow *row = find_switch_row(switchTable, settings->switches[i].number);
        for (WORD k = 0; row != nullptr && k < row->count; k++)
            apply_item(map, row->items[k].functionId, row->items[k].configValue, devmode, block);
    }
    return TRUE;
}

BOOL WINAPI opt_ApplySpecialSettings(const SpecialSettings *settings, DriverDevmode *devmode, PrinterDataBlock *block,
                                     WORD mode)
{
    return opt_ApplySpecialSettingsWith(settings, devmode, block, mode, g_SpecialValueMap, g_SpecialSwitchTable);
}

BOOL WINAPI opt_FreeSpecialSettings(SpecialSettings *settings)
{
    if (settings == nullptr)
        return TRUE;
    util_GlobalFreeIfSet(settings->items);
    util_GlobalFreeIfSet(settings->switches);
    GlobalFree(settings);
    return TRUE;
}

BOOL WINAPI opt_GetSpecialSettingFlags(SpecialFlagsRequest *request)
{
    if (request == nullptr)
        return FALSE;
    LONG configValue = 0;
    return find_setting(request->settings, request->functionId, &request->flags, &configValue);
}

BOOL WINAPI opt_GetSpecialSettingValue(const SpecialSettings *settings, WORD functionId, WORD *type, void *slot)
{
    DWORD flags = 0;
    LONG configValue = 0;
    LONG mapped = 0;
    if (type == nullptr || slot == nullptr || !find_setting(settings, functionId, &flags, &configValue) ||
        !map_value(g_SpecialValueMap, functionId, configValue, &mapped))
        return FALSE;
    const SettingLocation *row = dma_FindSettingRow(functionId, nullptr);
    if (row == nullptr)
        return FALSE;
    WORD settingType = row->presentedType != 0 ? row->presentedType : row->storedType;
    if (settingType == VT_STRING || settingType == VT_LOGFONT || !dma_StoreValueInSlot(settingType, slot, &mapped))
        return FALSE;
    *type = settingType;
    return TRUE;
}

BOOL WINAPI opt_IsSettingEnforced(const SpecialSettings *settings, WORD functionId)
{
    DWORD flags = 0;
    LONG configValue = 0;
    return find_setting(settings, functionId, &flags, &configValue) && (flags & SPECIAL_ENFORCED) != 0;
}
