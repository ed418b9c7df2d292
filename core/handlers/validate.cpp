/*
 * Validation of a stored setting value: by the handler where its row serves the command,
 * otherwise by the description data.
 */
#include "core/handlers/setting_handlers.h"

#include "core/settings/settings.h"

/* 1 when the handler row decides the command (else the description data does). */
static BOOL val_HandlerDecides(const SettingHandlerRow *row, WORD command)
{
    /* A row without a function leaves every command to the description data. */
    if (!row || !row->handler) {
        return FALSE;
    }
    return command == HC_VALIDATE2 || (row->mask & HC_VALIDATE) != 0;
}

BOOL WINAPI opt_ValidateSetting(const ValidateRequest *request)
{
    if (!request) {
        return FALSE;
    }
    const SettingDescriptor *descriptor = opt_FindDescriptor(request->functionId);
    if (!descriptor) {
        return FALSE;
    }
    WORD type = 0;
    DWORD size = 0;
    DWORD_PTR slot = 0;
    if (dma_GetFunctionValue(request->functionId, request->devmode, request->block, &type, &size, &slot) != SST_OK) {
        return FALSE;
    }
    if (val_HandlerDecides(descriptor->handler, request->command)) {
        SettingItem item;
        item.check = {&slot, request->devmode, request->block};
        return descriptor->handler->handler(request->context, request->command, request->functionId, &item);
    }
    const void *value = type == VT_STRING ? (const void *)slot : (const void *)&slot;
    ValueInOptionsRequest check = {request->context, request->functionId, value};
    return ddd_IsValueInOptions(&check);
}
