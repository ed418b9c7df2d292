/*
 * Building the public-field map: the six tables of the built-in description, then the
 * keys of section "DME,<n>" of the driver configuration file over them.
 */
#include "core/devmode_merge/field_map_types.h"

#include "core/config/config_file.h"
#include "core/util/conversion.h"

/* Bits of a table's key mask: the keys the file may give it. */
enum { KEY_MERGE = 1, KEY_MODE = 2, KEY_DEFAULT = 4, KEY_WINDOWS_VALUE = 8 };

/* How value keys count: the last occurrence, or every occurrence. */
enum { VALUES_LAST = 0, VALUES_EVERY = 1 };

enum { NONE = 0xFFFF, KEY_CHARS = 96 };

/* A value key: its name and the private value it stands for. */
typedef struct ValueKey {
    const WCHAR *name;
    DWORD value;
} ValueKey;

/* The built-in description of one table. */
typedef struct TableDescription {
    WORD functionId;
    const WCHAR *name;
    BYTE keyMask;
    WORD merge, defaultValue, mode, windowsValue;
    BOOL identity; /* initial entries: {value, value}; else {value, 0} or the pairs */
    BYTE valueCounting;
    const ValueKey *keys;
    WORD keyCount;
    const FieldMapPair *pairs; /* initial entries when keys is NULL, or the built-in pairs */
    WORD pairCount;
} TableDescription;

static const ValueKey kFieldKeys[] = {
    {TEXT("ORIENTATION"), 0x1},
    {TEXT("PAPERSIZE"), 0x2},
    {TEXT("PAPERLENGTH"), 0x4},
    {TEXT("PAPERWIDTH"), 0x8},
    {TEXT("SCALE"), 0x10},
    {TEXT("COPIES"), 0x100},
    {TEXT("DEFAULTSOURCE"), 0x200},
    {TEXT("PRINTQUALITY"), 0x400},
    {TEXT("COLOR"), 0x800},
    {TEXT("DUPLEX"), 0x1000},
    {TEXT("YRESOLUTION"), 0x2000},
    {TEXT("TTOPTION"), 0x4000},
    {TEXT("COLLATE"), 0x8000},
    {TEXT("FORMNAME"), 0x10000},
    {TEXT("ICMMETHOD"), 0x800000},
    {TEXT("ICMINTENT"), 0x1000000},
    {TEXT("MEDIATYPE"), 0x2000000},
    {TEXT("DITHERTYPE"), 0x4000000},
};

static const ValueKey kCollateKeys[] = {{TEXT("COLLATE_TRUE"), 1}, {TEXT("COLLATE_FALSE"), 0}};
static const FieldMapPair kCollateEntries[] = {{0, 0}, {1, 1}};

static const ValueKey kBinKeys[] = {
    {TEXT("AUTO"), 7},
    {TEXT("TRAY1"), 1},
    {TEXT("TRAY2"), 3},
    {TEXT("TRAY3"), 2},
    {TEXT("TRAY4"), 257},
    {TEXT("PRINTER"), 259},
    {TEXT("MANUAL"), 4},
    {TEXT("MANUAL_CONFIRM"), 260},
    {TEXT("LARGECAPACITY"), 11},
    {TEXT("LARGECAPACITY2"), 268},
    {TEXT("TRAY3_LARGE"), 261},
    {TEXT("TRAY4_LARGE"), 262},
    {TEXT("INTERPORSER"), 264},
    {TEXT("TRAY2-1"), 265},
    {TEXT("TRAY2-2"), 266},
    {TEXT("TRAY2-3"), 267},
    {TEXT("TRAY1_LCASSETTE"), 269},
    {TEXT("TRAY2_LCASSETTE"), 270},
    {TEXT("TRAY1_LARGE"), 272},
    {TEXT("TRAY2_LARGE"), 271},
};

static const FieldMapPair kBinPairs[] = {
    {7, 7},     {1, 14},    {1, 8},     {1, 9},     {3, 3},     {2, 2},     {257, 257}, {259, 259}, {4, 4},
    {4, 5},     {4, 6},     {4, 11},    {4, 10},    {260, 260}, {11, 11},   {268, 268}, {261, 261}, {262, 262},
    {264, 264}, {265, 265}, {266, 266}, {267, 267}, {269, 269}, {270, 270}, {272, 272}, {271, 271},
};

static const ValueKey kMediaKeys[] = {
    {TEXT("PAPER_NORMAL"), 0},
    {TEXT("PAPER_THICK"), 1},
    {TEXT("PAPER_SUPERTHICK"), 2},
    {TEXT("PAPER_OHP"), 3},
    {TEXT("PAPER_DEFINE1"), 13},
    {TEXT("PAPER_DEFINE2"), 14},
    {TEXT("PAPER_DEFINE3"), 15},
    {TEXT("PAPER_DEFINE4"), 16},
    {TEXT("PAPER_DEFINE5"), 17},
};

static const FieldMapPair kMediaPairs[] = {
    {0, 1}, {1, 3}, {2, 2}, {3, 2}, {13, 13}, {14, 14}, {15, 15}, {16, 16}, {17, 17}};

#define COUNT(a) (WORD)(sizeof(a) / sizeof((a)[0]))

/* The six tables in their order (FIELD_MAP_FIELDS ... FIELD_MAP_COLOR). */
static const TableDescription kTables[FIELD_MAP_TABLE_COUNT] = {
    {6, TEXT("fields"), 0, NONE, NONE, NONE, NONE, FALSE, VALUES_LAST, kFieldKeys, COUNT(kFieldKeys), NULL, 0},
    {18,
     TEXT("collate"),
     KEY_MERGE | KEY_DEFAULT,
     1,
     0,
     NONE,
     NONE,
     FALSE,
     VALUES_LAST,
     kCollateKeys,
     COUNT(kCollateKeys),
     kCollateEntries,
     COUNT(kCollateEntries)},
    {14, TEXT("resolution"), KEY_MERGE | KEY_MODE | KEY_DEFAULT, 1, 0, 0, NONE, FALSE, VALUES_LAST, NULL, 0, NULL, 0},
    {13,
     TEXT("bin"),
     KEY_MERGE | KEY_DEFAULT | KEY_WINDOWS_VALUE,
     1,
     0,
     NONE,
     0,
     TRUE,
     VALUES_EVERY,
     kBinKeys,
     COUNT(kBinKeys),
     kBinPairs,
     COUNT(kBinPairs)},
    {24,
     TEXT("media"),
     KEY_MERGE | KEY_DEFAULT | KEY_WINDOWS_VALUE,
     0,
     0,
     NONE,
     0,
     TRUE,
     VALUES_EVERY,
     kMediaKeys,
     COUNT(kMediaKeys),
     kMediaPairs,
     COUNT(kMediaPairs)},
    {15, TEXT("color"), KEY_MODE, NONE, NONE, 0, NONE, FALSE, VALUES_LAST, NULL, 0, NULL, 0},
};

/* Replaces the table's entries by count new ones. Returns 1, or 0 out of memory (the
 * table keeps its old entries). */
static BOOL fmap_SetEntries(FieldMapTable *table, const FieldMapPair *pairs, const ValueKey *keys, WORD count,
                            BOOL identity)
{
    FieldMapEntry *entries = NULL;
    if (count) {
        entries = (FieldMapEntry *)GlobalAlloc(GPTR, count * sizeof(FieldMapEntry));
        if (!entries) {
            return FALSE;
        }
    }
    for (WORD i = 0; i < count; ++i) {
        entries[i].privateValue = pairs ? pairs[i].privateValue : keys[i].value;
        entries[i].windowsValue = pairs ? pairs[i].windowsValue : identity ? keys[i].value : 0;
        entries[i].differs = entries[i].privateValue != entries[i].windowsValue;
    }
    if (table->entries) {
        GlobalFree(table->entries);
    }
    table->entries = entries;
    table->entryCount = count;
    return TRUE;
}

int WINAPI dm_CreateDefaultFieldMap(DevmodeFieldMap **map)
{
    if (!map) {
        return FIELD_MAP_NO_MAP;
    }
    *map = NULL;
    DevmodeFieldMap *made = (DevmodeFieldMap *)GlobalAlloc(GPTR, sizeof(DevmodeFieldMap));
    FieldMapTable *tables =
        made ? (FieldMapTable *)GlobalAlloc(GPTR, FIELD_MAP_TABLE_COUNT * sizeof(FieldMapTable)) : NULL;
    if (!tables) {
        if (made) {
            GlobalFree(made);
        }
        return FIELD_MAP_NO_MEMORY;
    }
    made->tables = tables;
    made->tableCount = FIELD_MAP_TABLE_COUNT;
    for (WORD n = 0; n < FIELD_MAP_TABLE_COUNT; ++n) {
        const TableDescription *d = &kTables[n];
        FieldMapTable *t = &tables[n];
        t->functionId = d->functionId;
        t->merge = d->merge;
        t->defaultValue = d->defaultValue;
        t->mode = d->mode;
        t->windowsValue = d->windowsValue;
        BOOL done =
            d->keyCount == 0 || (n == FIELD_MAP_COLLATE ? fmap_SetEntries(t, d->pairs, NULL, d->pairCount, FALSE)
                                                        : fmap_SetEntries(t, NULL, d->keys, d->keyCount, d->identity));
        if (!done) {
            dm_FreeFieldMap(made);
            return FIELD_MAP_NO_MEMORY;
        }
    }
    *map = made;
    return FIELD_MAP_OK;
}

int WINAPI dm_FreeFieldMap(DevmodeFieldMap *map)
{
    if (!map) {
        return FIELD_MAP_NO_MAP;
    }
    if (map->tables) {
        for (WORD n = 0; n < map->tableCount; ++n) {
            if (map->tables[n].entries) {
                GlobalFree(map->tables[n].entries);
            }
        }
        GlobalFree(map->tables);
    }
    GlobalFree(map);
    return FIELD_MAP_OK;
}

BOOL WINAPI dm_ReleaseFieldMap(DevmodeFieldMap *map)
{
    return dm_FreeFieldMap(map) == FIELD_MAP_OK;
}

/* "<first>.<second>=" into key (KEY_CHARS). */
static void fmap_Key(WCHAR *key, const WCHAR *first, const WCHAR *second)
{
    lstrcpynW(key, first, KEY_CHARS / 2);
    lstrcatW(key, TEXT("."));
    int used = lstrlenW(key);
    lstrcpynW(key + used, second, KEY_CHARS - used - 1);
    lstrcatW(key, TEXT("="));
}

/* The value of a key's occurrence at or after line from (last: the last one). Returns its
 * line (0 none) with the number in value when it parses. */
static WORD fmap_Find(const WCHAR *block, const WCHAR *key, WORD from, BOOL last, BOOL *parsed, int *value)
{
    WCHAR *text = NULL;
    WORD line = cfg_FindKey(from, last, block, key, &text);
    *parsed = FALSE;
    if (text) {
        *parsed = util_ParseNumber(text, value);
        GlobalFree(text);
    }
    return line;
}

/* The table's "merge", "mode", "default" and "WindowsValue" keys. */
static void fmap_ReadKeys(FieldMapTable *table, const TableDescription *d, const WCHAR *block)
{
    static const struct {
        BYTE bit;
        const WCHAR *name;
    } kKeys[] = {{KEY_MERGE, TEXT("merge")},
                 {KEY_MODE, TEXT("mode")},
                 {KEY_DEFAULT, TEXT("default")},
                 {KEY_WINDOWS_VALUE, TEXT("WindowsValue")}};
    for (const auto &k : kKeys) {
        if (!(d->keyMask & k.bit)) {
            continue;
        }
        WCHAR key[KEY_CHARS];
        fmap_Key(key, d->name, k.name);
        BOOL parsed = FALSE;
        int value = 0;
        if (!fmap_Find(block, key, 1, TRUE, &parsed, &value)) {
            continue;
        }
        table->changed = 1;
        if (!parsed) {
            continue;
        }
        WORD *field = k.bit == KEY_MERGE     ? &table->merge
                      : k.bit == KEY_MODE    ? &table->mode
                      : k.bit == KEY_DEFAULT ? &table->defaultValue
                                             : &table->windowsValue;
        *field = (WORD)value;
    }
}

/* One Windows value W given for a private value: the entry whose Windows value is W takes
 * the private value, else a new entry is appended. Returns 0 out of memory. */
static BOOL fmap_AddWindowsValue(FieldMapTable *table, DWORD privateValue, DWORD windows)
{
    for (WORD i = 0; i < table->entryCount; ++i) {
        FieldMapEntry *e = &table->entries[i];
        if (e->windowsValue == windows) {
            e->privateValue = privateValue;
            e->differs = e->privateValue != e->windowsValue;
            return TRUE;
        }
    }
    FieldMapEntry *grown = (FieldMapEntry *)GlobalAlloc(GPTR, (table->entryCount + 1) * sizeof(FieldMapEntry));
    if (!grown) {
        return FALSE;
    }
    if (table->entryCount) {
        CopyMemory(grown, table->entries, table->entryCount * sizeof(FieldMapEntry));
    }
    grown[table->entryCount].privateValue = privateValue;
    grown[table->entryCount].windowsValue = windows;
    grown[table->entryCount].differs = privateValue != windows;
    if (table->entries) {
        GlobalFree(table->entries);
    }
    table->entries = grown;
    table->entryCount++;
    return TRUE;
}

/* The value keys of a table with entries. Returns 0 out of memory. */
static BOOL fmap_ReadValues(FieldMapTable *table, const TableDescription *d, const WCHAR *block)
{
    for (WORD k = 0; k < d->keyCount; ++k) {
        WCHAR key[KEY_CHARS];
        fmap_Key(key, d->name, d->keys[k].name);
        BOOL parsed = FALSE;
        int value = 0;
        if (d->valueCounting == VALUES_LAST) {
            if (!fmap_Find(block, key, 1, TRUE, &parsed, &value) || !parsed) {
                continue;
            }
            for (WORD i = 0; i < table->entryCount; ++i) {
                FieldMapEntry *e = &table->entries[i];
                if (e->privateValue == d->keys[k].value) {
                    e->windowsValue = (DWORD)value;
                    e->differs = e->privateValue != e->windowsValue;
                    table->changed = 1;
                    break;
                }
            }
            continue;
        }
        for (WORD line = 1; (line = fmap_Find(block, key, line, FALSE, &parsed, &value)) != 0; ++line) {
            if (!parsed) {
                continue;
            }
            if (!fmap_AddWindowsValue(table, d->keys[k].value, (DWORD)value)) {
                return FALSE;
            }
            table->changed = 1;
        }
    }
    return TRUE;
}

/* The section's keys over the default tables. Returns 0 out of memory. */
static BOOL fmap_ReadSection(DevmodeFieldMap *map, const WCHAR *block)
{
    for (WORD n = 0; n < FIELD_MAP_TABLE_COUNT; ++n) {
        const TableDescription *d = &kTables[n];
        FieldMapTable *table = &map->tables[n];
        fmap_ReadKeys(table, d, block);
        if (table->windowsValue == 1 && d->pairs && d->keys && n != FIELD_MAP_COLLATE &&
            !fmap_SetEntries(table, d->pairs, NULL, d->pairCount, FALSE)) {
            return FALSE;
        }
        if (table->entryCount && !fmap_ReadValues(table, d, block)) {
            return FALSE;
        }
    }
    WCHAR key[KEY_CHARS];
    fmap_Key(key, TEXT("formdb"), TEXT("mode"));
    BOOL parsed = FALSE;
    int value = 0;
    if (fmap_Find(block, key, 1, TRUE, &parsed, &value) && parsed) {
        map->formdb = (WORD)value;
    }
    return TRUE;
}

DevmodeFieldMap *WINAPI dm_LoadFieldMap(const FieldMapSource *source)
{
    if (!source || !source->path) {
        return NULL;
    }
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(source->path, &found);
    if (search == INVALID_HANDLE_VALUE) {
        return NULL;
    }
    FindClose(search);
    DevmodeFieldMap *map = NULL;
    if (dm_CreateDefaultFieldMap(&map) != FIELD_MAP_OK) {
        return NULL;
    }
    WCHAR section[KEY_CHARS];
    wsprintfW(section, TEXT("%s,%d"), TEXT("DME"), source->section);
    map->active = cfg_SectionExists(source->path, section) ? 1 : 0;
    if (!map->active) {
        return map;
    }
    WCHAR *block = cfg_ReadSection(source->path, section);
    if (block) {
        fmap_ReadSection(map, block);
        GlobalFree(block);
    }
    return map;
}
