/*
 * Making the folder of the user's output file, level by level.
 */
#include "render/stream/file_io.h"
#include "render/stream/output_texts.h"

// Longest folder path walked, in characters.
#define FOLDER_PATH_MAX 1024

static const WCHAR kYenSign = 0x00A5;

static BOOL is_separator(WCHAR c)
{
    return c == TEXT('\\') || c == TEXT('/') || c == kYenSign;
}

// Number of leading characters that name no level to make: "X:" or "\\server\share".
static int skipped_prefix(LPCWSTR path)
{
    if (path[0] && path[1] == TEXT(':'))
        return 2;
    if (!is_separator(path[0]) || !is_separator(path[1]))
        return 0;
    int i = 2;
    for (int part = 0; part < 2; ++part) {
        if (part) {
            if (!is_separator(path[i]))
                return i;
            ++i;
        }
        while (path[i] && !is_separator(path[i]))
            ++i;
    }
    return i;
}

// Makes the folder named by the first length characters of path; an existing folder
// counts as made. Yen signs are written as "\", since the walk read them as separators.
static BOOL make_level(LPCWSTR path, int length)
{
    WCHAR level[FOLDER_PATH_MAX];
    for (int i = 0; i < length; ++i)
        level[i] = path[i] == kYenSign ? TEXT('\\') : path[i];
    level[length] = 0;
    if (CreateDirectoryW(level, NULL))
        return TRUE;
    return GetLastError() == ERROR_ALREADY_EXISTS;
}

// Tells the user that a level cannot be made. -1 for OK, -2 for anything else.
static LONG ask_folder_failed(HMODULE module)
{
    WCHAR caption[512], text[512];
    out_LoadText(module, OUT_STR_CAPTION, caption, 512);
    out_LoadText(module, OUT_STR_FOLDER_FAILED, text, 512);
    int answer = MessageBoxW(GetActiveWindow(), text, caption, MB_OKCANCEL | MB_ICONWARNING | MB_SETFOREGROUND);
    return answer == IDOK ? -1 : -2;
}

LONG util_CreateFolderPath(HMODULE module, LPCWSTR path)
{
    if (!path)
        return -2;
    int length = lstrlenW(path);
    if (length >= FOLDER_PATH_MAX)
        return ask_folder_failed(module);
    int start = skipped_prefix(path);
    for (int i = start; i <= length; ++i) {
        BOOL end_of_level = i == length || is_separator(path[i]);
        if (!end_of_level || i == 0 || is_separator(path[i - 1]) || i - 1 < start)
            continue;
        if (!make_level(path, i))
            return ask_folder_failed(module);
    }
    return 0;
}
