/*
 * The tables generated from settings.csv at build time: the location ranges and lists,
 * the group ranges, the bit masks of on/off settings and the descriptor skeletons.
 */
#ifndef QM_CORE_SETTINGS_SETTINGS_TABLES_H
#define QM_CORE_SETTINGS_SETTINGS_TABLES_H

#include "core/settings/settings_types.h"

enum {
    SETTING_RANGE_COUNT = 13, /* rows of g_SettingLocationRanges before its end row */
    SETTING_GROUP_END = 13,   /* group number of the end rows */
    FLAG_RANGE_COUNT = 4      /* rows of g_FlagRanges */
};

/* An on/off range and the bit masks of its settings, ended by FunctionID 0. */
typedef struct FlagRange {
    WORD firstId;
    WORD lastId;
    const FlagMaskRow *masks;
} FlagRange;

/* 13 location ranges in lookup order, then a row with a null list. */
extern const SettingLocationRange g_SettingLocationRanges[SETTING_RANGE_COUNT + 1];
/* Group ranges in the order 5..12, 0..4, then group 13. */
extern const FunctionIdRange g_FunctionIdRanges[SETTING_RANGE_COUNT + 1];
/* The on/off ranges in FunctionID order. */
extern const FlagRange g_FlagRanges[FLAG_RANGE_COUNT];
/* Descriptor arrays per group, in the order of g_FunctionIdRanges, then group 13. */
extern const SettingGroup g_SettingGroups[SETTING_RANGE_COUNT + 1];

#endif /* QM_CORE_SETTINGS_SETTINGS_TABLES_H */
