/*
 * The user-defined paper slots: finding the slot of a paper number and reading its size
 * and name.
 */
#include "core/rules/dependent_rules.h"

#include "core/settings/settings.h"
#include "core/util/paper_number.h"
#include "core/util/resource_module.h"

BOOL WINAPI opt_FindCustomPaperSlot(const void *value, WORD valueType, WORD *widthId, WORD *lengthId, WORD *nameId,
                                    WCHAR *defaultName)
{
    if (!value) {
        return FALSE;
    }
    LONG paper = dma_ValueToLong(valueType, value);
    for (DWORD n = 0; n < CUSTOM_SLOT_COUNT; ++n) {
        if ((LONG)opt_CustomPaperNumber(n) != paper) {
            continue;
        }
        if (widthId) {
            *widthId = (WORD)(FID_SLOT_WIDTH + n);
        }
        if (lengthId) {
            *lengthId = (WORD)(FID_SLOT_LENGTH + n);
        }
        if (nameId) {
            *nameId = (WORD)(FID_SLOT_NAME + n);
        }
        if (defaultName) {
            util_FormatUserDefinedName(n, defaultName, CUSTOM_SLOT_NAME_CHARS);
        }
        return TRUE;
    }
    return FALSE;
}

/* A numeric slot setting as a WORD and its type. 1, or 0 when it cannot be read. */
static BOOL slot_ReadNumber(const CustomSlotRequest *request, WORD functionId, WORD *value, WORD *type)
{
    DWORD size = 0;
    DWORD_PTR slot = 0;
    if (dma_GetFunctionValue(functionId, request->devmode, request->block, type, &size, &slot) != SST_OK ||
        *type == VT_STRING || *type == VT_LOGFONT) {
        return FALSE;
    }
    *value = (WORD)dma_ValueToLong(*type, &slot);
    return TRUE;
}

BOOL WINAPI opt_GetCustomPaperSize(const CustomSlotRequest *request)
{
    if (!request || !request->paper || !request->name) {
        return FALSE;
    }
    WORD widthId = 0, lengthId = 0, nameId = 0;
    if (!opt_FindCustomPaperSlot(request->value, request->valueType, &widthId, &lengthId, &nameId, request->name)) {
        return FALSE;
    }
    CustomPaperRecord *paper = request->paper;
    paper->paper = (WORD)dma_ValueToLong(request->valueType, request->value);
    paper->name = request->name;
    if (!slot_ReadNumber(request, widthId, &paper->width, &paper->widthType) ||
        !slot_ReadNumber(request, lengthId, &paper->length, &paper->lengthType)) {
        return FALSE;
    }
    DWORD size = 0;
    DWORD_PTR slot = 0;
    if (dma_GetFunctionValue(nameId, request->devmode, request->block, &paper->nameType, &size, &slot) != SST_OK ||
        paper->nameType != VT_STRING) {
        return FALSE;
    }
    /* A stored name replaces the default one; an empty setting keeps the default. */
    const WCHAR *stored = (const WCHAR *)slot;
    DWORD length = dma_CountWideChars(stored, CUSTOM_SLOT_NAME_CHARS - 1);
    if (length) {
        CopyMemory(request->name, stored, length * sizeof(WCHAR));
        request->name[length] = 0;
    }
    return TRUE;
}
