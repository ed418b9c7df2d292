/* The driver configuration file. */
#include "core/config/config_file.h"

#include "core/util/global_block.h"

static const WCHAR kCommentKey[] = TEXT("COMMENT");

static WCHAR fold(WCHAR c);
static BOOL starts_with_no_case(const WCHAR *line, const WCHAR *key, int keyLength);
static DWORD block_chars(LPCWSTR path);
static int find_section(LPCWSTR path, LPCWSTR section);

/* Characters of a buffer of 2 x (file size) + 2 bytes; 0 for an empty or missing file. */
static DWORD block_chars(LPCWSTR path)
{
    DWORD size = cfg_GetFileSize(path);
    if (size == 0 || size > 0x3FFFFFFF)
        return 0;
    return (2 * size + 2) / sizeof(WCHAR);
}

/* 1 when the file has the section (without case), 0 when not, -1 when out of memory. */
static int find_section(LPCWSTR path, LPCWSTR section)
{
    if (path == nullptr || section == nullptr)
        return 0;
    DWORD chars = block_chars(path);
    if (chars == 0)
        return 0;
    WCHAR *names = (WCHAR *)util_GlobalAllocZero(chars * sizeof(WCHAR));
    if (names == nullptr)
        return -1;
    int found = 0;
    if (GetPrivateProfileSectionNamesW(names, chars, path) > 0) {
        for (const WCHAR *name = names; *name != 0 && !found; name += lstrlenW(name) + 1)
            found = lstrcmpiW(name, section) == 0 ? 1 : 0;
    }
    GlobalFree(names);
    return found;
}

/* The upper-case form of one character. */
static WCHAR fold(WCHAR c)
{
    if (c >= 'a' && c <= 'z')
        return (WCHAR)(c - 'a' + 'A');
    if (c < 0x80)
        return c;
    WCHAR one[1] = {c};
    CharUpperBuffW(one, 1);
    return one[0];
}

/* 1 when line begins with the keyLength characters of key, without case. */
static BOOL starts_with_no_case(const WCHAR *line, const WCHAR *key, int keyLength)
{
    for (int i = 0; i < keyLength; i++) {
        if (fold(line[i]) != fold(key[i]))
            return FALSE;
    }
    return TRUE;
}

WORD WINAPI cfg_FindKey(WORD startLine, BOOL last, const WCHAR *block, const WCHAR *key, WCHAR **value)
{
    if (value == nullptr || *value != nullptr || block == nullptr || key == nullptr || startLine == 0)
        return 0;
    int keyLength = lstrlenW(key);
    WORD found = 0;
    const WCHAR *foundValue = nullptr;
    WORD number = 1;
    for (const WCHAR *line = block; *line != 0; number++) {
        int length = lstrlenW(line);
        if (number >= startLine && length > keyLength && starts_with_no_case(line, key, keyLength)) {
            found = number;
            foundValue = line + keyLength;
            if (!last)
                break;
        }
        line += length + 1;
        if (number == 0xFFFF)
            break;
    }
    if (found == 0)
        return 0;
    *value = util_DupWide(foundValue);
    return *value != nullptr ? found : 0;
}

DWORD WINAPI cfg_GetFileSize(LPCWSTR path)
{
    if (path == nullptr)
        return 0;
    HANDLE file =
        CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    DWORD high = 0;
    DWORD size = GetFileSize(file, &high);
    CloseHandle(file);
    if (size == INVALID_FILE_SIZE || high != 0)
        return 0;
    return size;
}

WCHAR *WINAPI cfg_GetModelValue(LPCWSTR modelName, LPCWSTR path, LPCWSTR key)
{
    if (key == nullptr)
        return nullptr;
    WCHAR *block = cfg_ReadModelSection(path, modelName);
    if (block == nullptr)
        return nullptr;
    int keyLength = lstrlenW(key);
    WCHAR *keyText = (WCHAR *)util_GlobalAllocZero((DWORD)(keyLength + 2) * sizeof(WCHAR));
    WCHAR *value = nullptr;
    if (keyText != nullptr) {
        lstrcpyW(keyText, key);
        lstrcatW(keyText, TEXT("="));
        cfg_FindKey(1, FALSE, block, keyText, &value);
        GlobalFree(keyText);
    }
    GlobalFree(block);
    return value;
}

WCHAR *WINAPI cfg_ReadModelSection(LPCWSTR path, LPCWSTR modelName)
{
    WCHAR *section = cfg_ResolveModelSection(modelName, path, CFG_SECTION_NAME_CHARS);
    if (section == nullptr)
        return nullptr;
    WCHAR *block = cfg_ReadSection(path, section);
    GlobalFree(section);
    return block;
}

WCHAR *WINAPI cfg_ReadSection(LPCWSTR path, LPCWSTR section)
{
    if (path == nullptr || section == nullptr)
        return nullptr;
    DWORD chars = block_chars(path);
    if (chars == 0)
        return nullptr;
    WCHAR *block = (WCHAR *)util_GlobalAllocZero(chars * sizeof(WCHAR));
    if (block == nullptr)
        return nullptr;
    if (GetPrivateProfileSectionW(section, block, chars, path) == 0) {
        GlobalFree(block);
        return nullptr;
    }
    return block;
}

WCHAR *WINAPI cfg_ResolveModelSection(LPCWSTR modelName, LPCWSTR path, DWORD capacity)
{
    if (capacity == 0 || capacity > CFG_SECTION_NAME_CHARS)
        capacity = CFG_SECTION_NAME_CHARS;
    WCHAR name[CFG_SECTION_NAME_CHARS] = {};
    if (modelName != nullptr)
        lstrcpynW(name, modelName, (int)capacity);
    for (WCHAR *p = name; *p != 0; p++) {
        if (*p == ' ' || *p == '-' || *p == '/')
            *p = '_';
    }
    // Out of memory gives no section rather than the wrong one.
    int found = name[0] == 0 ? 0 : find_section(path, name);
    if (found < 0)
        return nullptr;
    if (found == 0)
        return util_DupWide(CFG_DEFAULT_SECTION);
    return util_DupWide(name);
}

BOOL WINAPI cfg_SectionExists(LPCWSTR path, LPCWSTR section)
{
    return find_section(path, section) == 1;
}

WCHAR *WINAPI util_ReadConfigComment(LPCWSTR modelName, LPCWSTR path)
{
    return cfg_GetModelValue(modelName, path, kCommentKey);
}
