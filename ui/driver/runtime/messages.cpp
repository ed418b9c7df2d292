/*
 * Texts from the resource module: formatted strings, message boxes, the sheet's warning
 * pair and the named-entry lookup.
 */
#include "ui/driver/runtime/messages.h"

#include <stdarg.h>

#include "core/util/format_text.h"
#include "core/util/global_block.h"
#include "core/util/resource_module.h"

/* The formatter leaves out a piece that does not fit; formatting into this much more room
 * than asked shows whether the whole text would have fitted. */
static const int kFormatSpareChars = 32768;

static BOOL messages_SameChars(const WCHAR *a, const WCHAR *b, int count);

/* 1 when the first count characters of a and b are equal. */
static BOOL messages_SameChars(const WCHAR *a, const WCHAR *b, int count)
{
    for (int i = 0; i < count; ++i)
        if (a[i] != b[i])
            return FALSE;
    return TRUE;
}

BOOL ui_LoadFormattedString(void *unused, WCHAR **text, int capacity, UINT stringId, ...)
{
    (void)unused;
    if (text == nullptr)
        return FALSE;
    *text = nullptr;
    if (capacity <= 0)
        capacity = UI_FORMAT_DEFAULT_CHARS;
    va_list args;
    va_start(args, stringId);
    BOOL loaded = ui_LoadFormattedStringV(util_GetResourceModule(), text, capacity, stringId, args);
    va_end(args);
    return loaded;
}

BOOL ui_LoadFormattedStringV(HMODULE module, WCHAR **text, int capacity, UINT stringId, va_list args)
{
    if (text == nullptr)
        return FALSE;
    *text = nullptr;
    if (module == nullptr || capacity <= 0)
        return FALSE;
    const WCHAR *format = nullptr;
    int formatLength = LoadStringW(module, stringId, (LPWSTR)&format, 0);
    if (formatLength <= 0 || format == nullptr)
        return FALSE;
    WCHAR *pattern = util_DupWideN(format, (DWORD)formatLength);
    int scratchChars = capacity + kFormatSpareChars;
    WCHAR *scratch = (WCHAR *)util_GlobalAllocZero((DWORD)scratchChars * sizeof(WCHAR));
    WCHAR *result = (WCHAR *)util_GlobalAllocZero((DWORD)capacity * sizeof(WCHAR));
    BOOL fits = FALSE;
    if (pattern != nullptr && scratch != nullptr && result != nullptr) {
        va_list copy;
        va_copy(copy, args);
        int length = util_FormatTextV(scratch, scratchChars, pattern, copy);
        va_end(copy);
        if (length < capacity - 1) {
            lstrcpynW(result, scratch, capacity);
            fits = TRUE;
        }
    }
    util_GlobalFreeIfSet(pattern);
    util_GlobalFreeIfSet(scratch);
    if (!fits) {
        util_GlobalFreeIfSet(result);
        return FALSE;
    }
    *text = result;
    return TRUE;
}

int ui_ShowMessageBox(HWND owner, int captionId, const WCHAR *caption, UINT flags, int textId, const WCHAR *text)
{
    WCHAR captionText[UI_CAPTION_CHARS + 1] = {};
    WCHAR messageText[UI_MESSAGE_CHARS + 1] = {};
    HMODULE module = nullptr;
    if (captionId != UI_NO_STRING || textId != UI_NO_STRING)
        module = util_GetResourceModule();
    if (captionId != UI_NO_STRING) {
        if (module == nullptr || LoadStringW(module, (UINT)captionId, captionText, UI_CAPTION_CHARS + 1) <= 0)
            return -1;
        caption = captionText;
    }
    if (textId != UI_NO_STRING) {
        if (module == nullptr || LoadStringW(module, (UINT)textId, messageText, UI_MESSAGE_CHARS + 1) <= 0)
            return -1;
        text = messageText;
    }
    if (text == nullptr)
        return -1;
    return MessageBoxW(owner, text, caption, flags);
}

WCHAR *ui_GetWarningMessage(const WarningMessagePair *pair, DWORD index, DWORD *status)
{
    BOOL valid = pair != nullptr && index < 2;
    if (status != nullptr)
        *status = valid ? 0 : 1;
    return valid ? pair->texts[index] : nullptr;
}

int ui_FreeWarningMessages(WarningMessagePair **pair)
{
    if (pair == nullptr || *pair == nullptr)
        return 1;
    util_GlobalFreeIfSet((*pair)->texts[0]);
    util_GlobalFreeIfSet((*pair)->texts[1]);
    GlobalFree(*pair);
    *pair = nullptr;
    return 1;
}

const LOGFONTW *ui_FindModelEntry(const ModelEntryTable *table, const WCHAR *name, DWORD *status)
{
    DWORD result = UI_ENTRY_BAD_ARGUMENT;
    const LOGFONTW *found = nullptr;
    if (table != nullptr && name != nullptr) {
        result = UI_ENTRY_NO_TABLE;
        if (table->entries != nullptr && table->count > 0) {
            result = UI_ENTRY_NOT_FOUND;
            int nameLength = lstrlenW(name);
            for (DWORD i = 0; i < table->count && found == nullptr; ++i) {
                const WCHAR *face = table->entries[i].lfFaceName;
                int faceLength = 0;
                while (faceLength < UI_ENTRY_NAME_CHARS && face[faceLength] != 0)
                    ++faceLength;
                if (faceLength == nameLength && messages_SameChars(face, name, faceLength))
                    found = &table->entries[i];
            }
            if (found != nullptr)
                result = UI_ENTRY_FOUND;
        }
    }
    if (status != nullptr)
        *status = result;
    return found;
}
