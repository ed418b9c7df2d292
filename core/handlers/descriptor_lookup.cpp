/*
 * The descriptor groups generated from the settings catalogue and the lookup of one
 * FunctionID's descriptor.
 */
#include "core/handlers/setting_handlers.h"

#include "core/settings/settings_tables.h"

BOOL WINAPI opt_GetSettingGroup(DWORD *count, WORD *storageKind, const SettingDescriptor **descriptors, WORD group)
{
    const SettingGroup *row = g_SettingGroups;
    while (row->group != SETTING_GROUP_END && row->group != group) {
        ++row;
    }
    if (count) {
        *count = row->count;
    }
    if (storageKind) {
        *storageKind = row->storageKind;
    }
    if (descriptors) {
        *descriptors = row->descriptors;
    }
    return row->group != SETTING_GROUP_END;
}

const SettingDescriptor *WINAPI opt_FindDescriptor(DWORD functionId)
{
    for (const FunctionIdRange *range = g_FunctionIdRanges; range->group != SETTING_GROUP_END; ++range) {
        if (functionId < range->firstId || functionId > range->lastId) {
            continue;
        }
        DWORD count = 0;
        const SettingDescriptor *descriptors = nullptr;
        if (!opt_GetSettingGroup(&count, nullptr, &descriptors, range->group)) {
            continue;
        }
        for (DWORD i = 0; i < count; ++i) {
            if (descriptors[i].functionId == functionId) {
                return &descriptors[i];
            }
        }
    }
    return nullptr;
}
