/*
 * Default values of FunctionIDs: the default option of a definition, read through the
 * record parsers, and the model and locale overrides applied on top of it.
 */
#include "core/ddd/ddd_access.h"

#include "core/ddd/ddd_private.h"
#include "core/settings/function_ids.h"
#include "core/util/locale_paper.h"
#include "core/util/resource_module.h"

/* Capability bits deciding the overrides. */
#define CAP_LETTER_COUNTRIES 0x00400000UL
#define CAP_COUNTRY_4356 0xFFFF0020UL
#define CAP_COUNTRY_4358 0xFFFF0021UL
#define CAP_COUNTRY_4356_FLAG 0xFFFF0027UL
/* Locale answers. */
#define LOCALE_LETTER_PAPER 1
#define COUNTRY_UNKNOWN 254
#define LANGUAGE_JAPANESE 1041

static void defaults_Store(DddDefaultRequest *request, DWORD value);

/* The locale answers (paper family, country bytes, user-interface language) come from the
 * utility area, which caches them per process. */

/* Replaces the default value by value, in the width of the stored value. */
static void defaults_Store(DddDefaultRequest *request, DWORD value)
{
    BYTE *p = (BYTE *)request->value;
    if (!p) {
        return;
    }
    DWORD width = request->size < 4 ? request->size : 4;
    for (DWORD i = 0; i < width; ++i) {
        p[i] = (BYTE)(value >> (8 * i));
    }
}

DddStatus ddd_GetDefaultWithOverrides(DddDefaultRequest *request)
{
    if (!request) {
        return DDD_ERROR;
    }
    DddStatus status = ddd_ReadDefaultValue(
        request->functionId, request->model, request->base, &request->value, &request->valueType, &request->size);
    if (status != DDD_OK) {
        return status;
    }
    ModelCapabilities caps;
    ddd_GetModelCapabilities(request->model, &caps);
    switch (request->functionId) {
    case FID_PAPER_SIZE:
    case FID_PAPER_KIND:
    case FID_MARGIN_PAPER:
        if (ddd_TestCapability(&caps, CAP_LETTER_COUNTRIES) && util_GetLocalePaperKind(TRUE) == LOCALE_LETTER_PAPER) {
            defaults_Store(request, request->functionId == FID_PAPER_KIND ? 3 : 1);
        }
        break;
    case FID_PAPER_SETTING:
        if (ddd_TestCapability(&caps, CAP_COUNTRY_4356)) {
            BYTE value = util_GetCountryByte4356(ddd_TestCapability(&caps, CAP_COUNTRY_4356_FLAG));
            if (value != COUNTRY_UNKNOWN) {
                defaults_Store(request, value);
            }
        }
        break;
    case FID_PAPER_SWITCH_8K16K:
        if (ddd_TestCapability(&caps, CAP_COUNTRY_4358)) {
            BYTE value = util_GetCountryByte4358();
            if (value != COUNTRY_UNKNOWN) {
                defaults_Store(request, value);
            }
        }
        break;
    case FID_UI_LANGUAGE_SWITCH: {
        WORD language = 0;
        if (util_GetUiLanguageId(&language) && language != LANGUAGE_JAPANESE) {
            defaults_Store(request, 1);
        }
        break;
    }
    default: break;
    }
    return DDD_OK;
}

DddStatus ddd_ReadDefaultValue(WORD functionId, DddFile *model, DddFile *base, void **value, BYTE *valueType,
                               DWORD *size)
{
    if (!value || !valueType) {
        return DDD_ERROR;
    }
    *value = NULL;
    *valueType = 0;
    if (size) {
        *size = 0;
    }
    WORD type = 0, key = 0;
    ddd_MapFunctionIdToRecord(functionId, &type, &key);
    if (type != 3 && type != 4) {
        return DDD_ERROR;
    }
    if (key == 0) {
        return DDD_NOT_FOUND;
    }
    void *definition = NULL;
    DddStatus status = ddd_FetchRecordByKey(DDD_LEVEL_MODEL, model, base, type, key, 0, &definition);
    if (status != DDD_OK) {
        return status;
    }
    void *option = NULL;
    status = ddd_FetchOptionRecord(DDD_LEVEL_MODEL, 1, model, base, definition, 0, NULL, &option);
    ddd_FreeRecord(&definition, DDD_FREE_OWN_TYPE);
    if (status != DDD_OK) {
        return status;
    }
    const DddValue *field = &((DddOption *)option)->value;
    const void *data = ddd_ValueData(field);
    DWORD bytes = field->size * (field->count > 1 ? field->count : 1);
    void *copy = GlobalAlloc(GPTR, bytes ? bytes : 1);
    if (!copy) {
        ddd_FreeRecord(&option, DDD_FREE_OWN_TYPE);
        return DDD_NO_MEMORY;
    }
    if (data && bytes) {
        CopyMemory(copy, data, bytes);
    }
    *value = copy;
    *valueType = field->valueType;
    if (size) {
        *size = bytes;
    }
    ddd_FreeRecord(&option, DDD_FREE_OWN_TYPE);
    return DDD_OK;
}
