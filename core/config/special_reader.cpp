/* Reading the special settings from the configuration file. */
#include "core/config/special_settings.h"

#include "core/config/config_file.h"
#include "core/util/global_block.h"

enum {
    kMaxKeyChars = 46,   /* a key text must be under 47 characters */
    kMaxValueChars = 32, /* a longer value is cut to 31 characters */
    kCutValueChars = 31
};
/* The largest number a value text converts to. */
static const LONG kMaxNumber = 0x7FFFFFFF;

/* The items or switches read so far, in reading order. */
struct ReadList {
    DWORD count;
    DWORD capacity;
    SpecialItem *entries;
};

static BOOL find_value(const WCHAR *block, const WCHAR *name, const WCHAR *suffix, WCHAR *value);
static BOOL convert_value(const SpecialValueName *names, const WCHAR *text, LONG *value);
static BOOL append_entry(ReadList *list, WORD number, DWORD value, DWORD flags);
static SpecialSettings *build_settings(const ReadList *items, const ReadList *switches);

/* Appends one entry, growing the list; FALSE when out of memory. */
static BOOL append_entry(ReadList *list, WORD number, DWORD value, DWORD flags)
{
    if (list->count == list->capacity) {
        DWORD capacity = list->capacity == 0 ? 16 : list->capacity * 2;
        SpecialItem *grown = (SpecialItem *)util_GlobalAllocZero(capacity * sizeof(SpecialItem));
        if (grown == nullptr)
            return FALSE;
        for (DWORD i = 0; i < list->count; i++)
            grown[i] = list->entries[i];
        util_GlobalFreeIfSet(list->entries);
        list->entries = grown;
        list->capacity = capacity;
    }
    list->entries[list->count++] = SpecialItem{number, value, flags};
    return TRUE;
}

/* The record with both arrays in reverse reading order; NULL when out of memory. */
static SpecialSettings *build_settings(const ReadList *items, const ReadList *switches)
{
    SpecialSettings *settings = (SpecialSettings *)util_GlobalAllocZero(sizeof(SpecialSettings));
    if (settings == nullptr)
        return nullptr;
    settings->items = (SpecialItem *)util_GlobalAllocZero(items->count * sizeof(SpecialItem));
    settings->switches = (SpecialSwitch *)util_GlobalAllocZero(switches->count * sizeof(SpecialSwitch));
    if (settings->items == nullptr || settings->switches == nullptr) {
        opt_FreeSpecialSettings(settings);
        return nullptr;
    }
    settings->itemCount = (WORD)items->count;
    settings->switchCount = (WORD)switches->count;
    for (DWORD i = 0; i < items->count; i++)
        settings->items[i] = items->entries[items->count - 1 - i];
    for (DWORD i = 0; i < switches->count; i++) {
        const SpecialItem &read = switches->entries[switches->count - 1 - i];
        settings->switches[i] = SpecialSwitch{read.functionId, read.value};
    }
    return settings;
}

/* A value text as a number: a value name (without case), else the decimal number of its
 * leading digits. FALSE when it names nothing and does not begin with a digit, or when its
 * digits exceed the largest LONG (a site's number is never wrapped into another). */
static BOOL convert_value(const SpecialValueName *names, const WCHAR *text, LONG *value)
{
    for (const SpecialValueName *row = names; row->name[0] != 0; row++) {
        if (lstrcmpiW(row->name, text) == 0) {
            *value = row->value;
            return TRUE;
        }
    }
    if (text[0] < '0' || text[0] > '9')
        return FALSE;
    LONG number = 0;
    for (const WCHAR *p = text; *p >= '0' && *p <= '9'; p++) {
        LONG digit = *p - '0';
        if (number > (kMaxNumber - digit) / 10)
            return FALSE;
        number = number * 10 + digit;
    }
    *value = number;
    return TRUE;
}

/* The value of the key "<name>.<suffix>=" ("<name>=" for a NULL suffix), cut to 31
 * characters when longer than 32, into value (33 characters). FALSE when absent. */
static BOOL find_value(const WCHAR *block, const WCHAR *name, const WCHAR *suffix, WCHAR *value)
{
    WCHAR key[kMaxKeyChars + 2] = {};
    int length = lstrlenW(name) + (suffix != nullptr ? lstrlenW(suffix) + 1 : 0) + 1;
    if (length > kMaxKeyChars)
        return FALSE;
    lstrcpyW(key, name);
    if (suffix != nullptr) {
        lstrcatW(key, TEXT("."));
        lstrcatW(key, suffix);
    }
    lstrcatW(key, TEXT("="));
    WCHAR *found = nullptr;
    if (cfg_FindKey(1, FALSE, block, key, &found) == 0)
        return FALSE;
    int valueLength = lstrlenW(found);
    lstrcpynW(value, found, (valueLength > kMaxValueChars ? kCutValueChars : valueLength) + 1);
    GlobalFree(found);
    return TRUE;
}

SpecialSettings *WINAPI cfg_ReadSpecialSettings(const SpecialSettingsRequest *request)
{
    if (request == nullptr || request->itemNames == nullptr || request->valueNames == nullptr ||
        request->switchNames == nullptr)
        return nullptr;
    WCHAR *block = cfg_ReadModelSection(request->path, request->modelName);
    if (block == nullptr)
        return nullptr;

    ReadList items = {};
    ReadList switches = {};
    BOOL ok = TRUE;
    WCHAR text[kMaxValueChars + 1];
    for (const SpecialNameRow *row = request->itemNames; ok && row->name[0] != 0; row++) {
        DWORD flags = 0;
        LONG value = 0;
        if (find_value(block, row->name, TEXT("enforced"), text))
            flags = SPECIAL_ENFORCED;
        else if (find_value(block, row->name, TEXT("default"), text))
            flags = SPECIAL_DEFAULT;
        if (flags != 0 && !convert_value(request->valueNames, text, &value))
            value = 0;
        LONG display = 0;
        if (find_value(block, row->name, TEXT("display"), text) && convert_value(request->valueNames, text, &display) &&
            display >= 0 && display <= 2)
            flags |= (DWORD)SPECIAL_DISPLAY_0 << display;
        if (flags != 0)
            ok = append_entry(&items, row->number, (DWORD)value, flags);
    }
    for (const SpecialNameRow *row = request->switchNames; ok && row->name[0] != 0; row++) {
        LONG value = 0;
        if (find_value(block, row->name, nullptr, text) && convert_value(request->valueNames, text, &value))
            ok = append_entry(&switches, row->number, (DWORD)value, 0);
    }

    SpecialSettings *settings = ok ? build_settings(&items, &switches) : nullptr;
    util_GlobalFreeIfSet(items.entries);
    util_GlobalFreeIfSet(switches.entries);
    GlobalFree(block);
    return settings;
}
