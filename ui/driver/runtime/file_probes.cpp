/*
 * Probes of directories and of write access to the machine-wide registry.
 */
#include "ui/driver/runtime/probes.h"

#include "core/util/global_block.h"

static const DWORD kPathChars = 520;

int ui_IsDirectoryEnterable(const WCHAR *path)
{
    if (path == nullptr)
        return 0;
    WCHAR previous[kPathChars] = {};
    DWORD length = GetCurrentDirectoryW(kPathChars, previous);
    if (length == 0 || length >= kPathChars)
        return 0;
    if (!SetCurrentDirectoryW(path))
        return 0;
    SetCurrentDirectoryW(previous);
    return 1;
}

int ui_CreateDirectoryPath(const WCHAR *path)
{
    if (path == nullptr || path[0] == 0)
        return 0;
    WCHAR *prefix = util_DupWide(path);
    if (prefix == nullptr)
        return 0;
    for (WCHAR *p = prefix + 1; *p != 0; ++p) {
        if (*p != '\\')
            continue;
        *p = 0;
        CreateDirectoryW(prefix, nullptr);
        *p = '\\';
    }
    CreateDirectoryW(prefix, nullptr);
    DWORD attributes = GetFileAttributesW(prefix);
    GlobalFree(prefix);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? 1 : 0;
}

int ui_CanWriteLocalMachine(void)
{
    DWORD one = 1;
    if (RegSetValueExW(HKEY_LOCAL_MACHINE, UI_WRITE_CHECK_VALUE, 0, REG_DWORD, (const BYTE *)&one, sizeof(one)) !=
        ERROR_SUCCESS)
        return 0;
    RegDeleteValueW(HKEY_LOCAL_MACHINE, UI_WRITE_CHECK_VALUE);
    return 1;
}
