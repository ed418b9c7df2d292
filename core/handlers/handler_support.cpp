/*
 * Helpers the handlers share: handing a default back, string defaults, the checked value
 * and the per-thread text buffer.
 */
#include "core/handlers/handler_rows.h"

#include "core/paperlist/paper_list.h"
#include "core/settings/settings.h"
#include "core/util/global_block.h"

enum { TEXT_BUFFER_CHARS = 256 };

BOOL hdl_ReturnDefault(SettingItem *item, WORD valueType, DWORD_PTR value)
{
    if (!item) {
        return FALSE;
    }
    return dma_ReturnTypedValue(valueType, value, item->def.valueType, item->def.value, item->def.size);
}

BOOL hdl_ReturnString(SettingItem *item, DWORD bytes, const WCHAR *text, DWORD chars)
{
    if (!item || bytes < sizeof(WCHAR)) {
        return FALSE;
    }
    WCHAR *block = (WCHAR *)util_GlobalAllocZero(bytes);
    if (!block) {
        return FALSE;
    }
    DWORD room = bytes / sizeof(WCHAR) - 1;
    DWORD length = dma_CountWideChars(text, chars < room ? chars : room);
    if (length) {
        CopyMemory(block, text, length * sizeof(WCHAR));
    }
    if (!hdl_ReturnDefault(item, VT_STRING, (DWORD_PTR)block)) {
        GlobalFree(block);
        return FALSE;
    }
    return TRUE;
}

LONG hdl_CheckedNumber(const SettingItem *item, WORD valueType)
{
    return item && item->check.value ? dma_ValueToLong(valueType, item->check.value) : 0;
}

WCHAR *hdl_TextBuffer(void)
{
    /* Per thread, so that two threads building option texts never share it. */
    static thread_local WCHAR buffer[TEXT_BUFFER_CHARS];
    return buffer;
}

BOOL hdl_HasDevicePaperList(const DriverContext *context)
{
    return opt_HasPaperList(context);
}
