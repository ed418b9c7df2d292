/*
 * The settings a model gives a known host application: written into the DEVMODE once
 * (setting 466 remembers the record), then the enforced special settings.
 */
#include "core/devmode_helpers/devmode_helpers.h"

#include "core/ddd/model_query.h"
#include "core/settings/setting_rules.h"
#include "core/settings/settings.h"

BOOL WINAPI opt_ApplyHostAppSettings(const HostAppRequest *request)
{
    if (!request || !request->context || !request->devmode) {
        return FALSE;
    }
    DriverContext *context = request->context;
    DriverDevmode *devmode = request->devmode;
    LONG on = 0, applied = 0;
    if (!util_ReadSettingLong(FID_HOST_APP_SETTINGS_ON, devmode, request->block, &on) ||
        !util_ReadSettingLong(FID_HOST_APP_INDEX, devmode, request->block, &applied)) {
        return FALSE;
    }
    if (on == 0 || applied != 0) {
        return TRUE;
    }
    WORD index = util_FindHostAppRecord(context->model, context->base);
    if (index == 0) {
        return dm_ApplyEnforcedSettings(context, devmode, request->block);
    }
    void *record = NULL;
    if (ddd_FetchRecordByKey(DDD_LEVEL_MODEL, context->model, context->base, DDD_TYPE_HOST_APP, index, 0, &record) !=
        DDD_OK) {
        return FALSE;
    }
    WORD count = 0;
    BOOL done = ddd_GetHostAppCount(record, &count) == DDD_OK;
    for (WORD n = 1; done && n <= count; ++n) {
        WORD functionId = 0, size = 0, kind = SK_PRINTER_DATA;
        BYTE valueType = 0;
        const void *value = NULL;
        done = ddd_GetHostAppEntry(record, n, &functionId, &valueType, &size, &value) == DDD_OK &&
               dma_FindSettingRow(functionId, &kind) != NULL;
        // Only the first part is sure to exist: a short DEVMODE ends before the second.
        done = done && kind == SK_DEVMODE;
        if (done) {
            const void *place = valueType == VT_STRING ? (const void *)&value : value;
            done = dma_SetFunctionValue(functionId, devmode, NULL, valueType, size, place) == SST_OK;
        }
    }
    ddd_FreeRecord(&record, DDD_FREE_OWN_TYPE);
    if (!done) {
        return FALSE;
    }
    BYTE number = (BYTE)index;
    return dma_SetFunctionValue(FID_HOST_APP_INDEX, devmode, NULL, VT_BYTE, 1, &number) == SST_OK &&
           dm_ApplyEnforcedSettings(context, devmode, request->block);
}
