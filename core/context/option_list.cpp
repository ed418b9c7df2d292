/*
 * Accessors of an option list's header (driver_context.h).
 */
#include "core/context/driver_context.h"

const WCHAR *WINAPI opt_GetListCaption(const OptionList *list)
{
    return list ? list->caption : NULL;
}

LONG WINAPI opt_GetListCount(const OptionList *list)
{
    return list ? (LONG)list->count : -1;
}

void *WINAPI opt_GetListItems(const OptionList *list)
{
    return list ? list->items : NULL;
}

WORD WINAPI opt_GetListKind(const OptionList *list)
{
    return list ? list->controlKind : 0;
}

BOOL WINAPI opt_SetListKind(OptionList *list, WORD kind)
{
    if (!list) {
        return FALSE;
    }
    list->controlKind = kind;
    return TRUE;
}
