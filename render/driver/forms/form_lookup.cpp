/*
 * Spooler form lookups of the render side: by name, by number, and the size of either.
 */
#include "render/driver/forms/forms.h"

#include <string.h>

// Spooler lengths are thousandths of a millimetre; these lookups answer tenths.
static const LONG kSpoolerUnitsPerTenth = 100;

// util_ListForms: see forms.h.
DWORD WINAPI util_ListForms(HANDLE printer, FORM_INFO_1W **list, DWORD *count)
{
    if (list != NULL) {
        *list = NULL;
    }
    if (count != NULL) {
        *count = 0;
    }
    if (printer == NULL || list == NULL || count == NULL) {
        return FORM_LOOKUP_BAD_ARG;
    }
    DWORD needed = 0;
    DWORD returned = 0;
    if (!EnumFormsW(printer, 1, NULL, 0, &needed, &returned) && GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
        return FORM_LOOKUP_ERROR;
    }
    if (needed == 0) {
        return FORM_LOOKUP_FOUND;
    }
    BYTE *block = (BYTE *)GlobalAlloc(GPTR, needed);
    if (block == NULL) {
        return FORM_LOOKUP_BAD_ARG;
    }
    if (!EnumFormsW(printer, 1, block, needed, &needed, &returned)) {
        GlobalFree(block);
        return FORM_LOOKUP_ERROR;
    }
    *list = (FORM_INFO_1W *)block;
    *count = returned;
    return FORM_LOOKUP_FOUND;
}

// util_GetFormByIndex: see forms.h.
DWORD WINAPI util_GetFormByIndex(HANDLE printer, DWORD number, FORM_INFO_1W **block)
{
    if (block != NULL) {
        *block = NULL;
    }
    if (printer == NULL || block == NULL) {
        return FORM_LOOKUP_BAD_ARG;
    }
    FORM_INFO_1W *list = NULL;
    DWORD count = 0;
    DWORD status = util_ListForms(printer, &list, &count);
    if (status != FORM_LOOKUP_FOUND) {
        return status;
    }
    if (number == 0 || number > count) {
        status = FORM_LOOKUP_NO_FORM;
    } else {
        FORM_INFO_1W *copy = (FORM_INFO_1W *)GlobalAlloc(GPTR, FORM_INDEX_BLOCK_SIZE);
        if (copy == NULL) {
            status = FORM_LOOKUP_BAD_ARG;
        } else {
            const FORM_INFO_1W *form = list + (number - 1);
            *copy = *form;
            copy->pName = (LPWSTR)(copy + 1);
            if (form->pName != NULL) {
                lstrcpynW(copy->pName, form->pName, FORM_INDEX_NAME_CHARS);
            }
            *block = copy;
        }
    }
    if (list != NULL) {
        GlobalFree(list);
    }
    return status;
}

// util_GetFormByName: see forms.h.
DWORD WINAPI util_GetFormByName(HANDLE printer, LPCWSTR name, FORM_INFO_1W **form)
{
    if (form != NULL) {
        *form = NULL;
    }
    if (printer == NULL || name == NULL || form == NULL) {
        return FORM_LOOKUP_BAD_ARG;
    }
    DWORD needed = 0;
    if (GetFormW(printer, (LPWSTR)name, 1, NULL, 0, &needed)) {
        return FORM_LOOKUP_ERROR;
    }
    DWORD error = GetLastError();
    if (error == ERROR_INVALID_FORM_NAME) {
        return FORM_LOOKUP_NO_FORM;
    }
    if (error != ERROR_INSUFFICIENT_BUFFER || needed == 0) {
        return FORM_LOOKUP_ERROR;
    }
    BYTE *block = (BYTE *)GlobalAlloc(GPTR, needed);
    if (block == NULL) {
        return FORM_LOOKUP_BAD_ARG;
    }
    if (!GetFormW(printer, (LPWSTR)name, 1, block, needed, &needed)) {
        GlobalFree(block);
        return GetLastError() == ERROR_INVALID_FORM_NAME ? FORM_LOOKUP_NO_FORM : FORM_LOOKUP_ERROR;
    }
    *form = (FORM_INFO_1W *)block;
    return FORM_LOOKUP_FOUND;
}

// util_GetFormSize: see forms.h.
DWORD WINAPI util_GetFormSize(HANDLE printer, LPCWSTR name, DWORD number, FormSize *size)
{
    if (printer == NULL || size == NULL) {
        return FORM_LOOKUP_BAD_ARG;
    }
    FORM_INFO_1W *form = NULL;
    DWORD status =
        name != NULL ? util_GetFormByName(printer, name, &form) : util_GetFormByIndex(printer, number, &form);
    if (status != FORM_LOOKUP_FOUND) {
        return status;
    }
    size->width = (WORD)(form->Size.cx / kSpoolerUnitsPerTenth);
    size->height = (WORD)(form->Size.cy / kSpoolerUnitsPerTenth);
    size->left = (WORD)(form->ImageableArea.left / kSpoolerUnitsPerTenth);
    size->top = (WORD)(form->ImageableArea.top / kSpoolerUnitsPerTenth);
    size->right = (WORD)(form->ImageableArea.right / kSpoolerUnitsPerTenth);
    size->bottom = (WORD)(form->ImageableArea.bottom / kSpoolerUnitsPerTenth);
    GlobalFree(form);
    return FORM_LOOKUP_FOUND;
}
