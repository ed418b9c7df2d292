/* Number settings by public identifier. */
#include "devmode_access/dma_private.h"

#include <string.h>

static LONG dma_LocateNumber(DmaSettingsSet *handle, WORD id, DmaPlace *place);

/* Locates a number setting: -2 for the fax list strings and string settings, -7 for log
 * fonts; else as dma_LocateSetting. */
static LONG dma_LocateNumber(DmaSettingsSet *handle, WORD id, DmaPlace *place)
{
    if (handle == nullptr)
        return DMA_BAD_ARGUMENT;
    if (dma_IsFaxListText(id))
        return DMA_IS_STRING;
    LONG result = dma_LocateSetting(handle, id, place);
    if (result != DMA_SUCCESS)
        return result;
    if (place->storedType == VT_STRING)
        return DMA_IS_STRING;
    if (place->storedType == VT_LOGFONT)
        return DMA_IS_LOGFONT;
    return DMA_SUCCESS;
}

DmaResult WINAPI DMA_GetValue(DmaSettingsSet *handle, WORD id, DWORD *value)
{
    DmaPlace place;
    LONG result = dma_LocateNumber(handle, id, &place);
    if (result != DMA_SUCCESS)
        return result;
    if (value == nullptr)
        return DMA_BAD_ARGUMENT;
    /* The primitive fills the low bytes of narrower values: they come out zero-extended. */
    *value = 0;
    WORD type;
    DWORD size;
    if (dma_GetValue(place.functionId, handle->devmode, handle->printerData, &type, &size, value, nullptr) != SST_OK)
        return DMA_BAD_ARGUMENT;
    return DMA_SUCCESS;
}

DmaResult WINAPI DMA_SetValue(DmaSettingsSet *handle, WORD id, DWORD value)
{
    DmaPlace place;
    LONG result = dma_LocateNumber(handle, id, &place);
    if (result != DMA_SUCCESS)
        return result;
    /* The setting's own type and width; narrower types take the argument's low bytes. */
    WORD status = dma_SetValue(place.functionId,
                               handle->devmode,
                               handle->printerData,
                               place.storedType,
                               dma_GetTypeWidth(place.storedType),
                               &value);
    return status == SST_OK ? DMA_SUCCESS : DMA_BAD_ARGUMENT;
}
