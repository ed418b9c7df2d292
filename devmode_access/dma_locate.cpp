/* Public identifiers: translation and the place of their setting in the caller's areas. */
#include "devmode_access/dma_private.h"

#include "core/settings/dmaid.h"

/* The private version whose older list the translation of this interface never uses. */
enum { DMA_CURRENT_TABLE = DM_PRIVATE_VERSION };

LONG dma_LocateFunction(DriverDevmode *devmode, PrinterDataBlock *block, WORD functionId, DmaPlace *place)
{
    WORD kind;
    const SettingLocation *row = dma_FindSettingRow(functionId, &kind);
    if (row == nullptr)
        return DMA_BAD_ARGUMENT;
    BYTE *area;
    switch (kind) {
    case SK_DEVMODE: area = (BYTE *)devmode; break;
    case SK_SECOND_PART: area = devmode == nullptr ? nullptr : (BYTE *)devmode + DM_SHORT_SIZE; break;
    default: area = (BYTE *)block; break;
    }
    if (area == nullptr)
        return DMA_BAD_ARGUMENT;
    place->publicId = 0;
    place->functionId = functionId;
    place->kind = kind;
    place->storedType = row->storedType;
    place->capacity = row->capacity;
    place->storage = area + row->offset;
    return DMA_SUCCESS;
}

LONG dma_LocateSetting(DmaSettingsSet *handle, WORD publicId, DmaPlace *place)
{
    if (handle == nullptr)
        return DMA_BAD_ARGUMENT;
    WORD functionId = dma_PublicIdToFunctionId(publicId);
    if (functionId == 0)
        return DMA_UNKNOWN_ID;
    LONG result = dma_LocateFunction(handle->devmode, handle->printerData, functionId, place);
    if (result == DMA_SUCCESS)
        place->publicId = publicId;
    return result;
}

WORD dma_FunctionIdToPublicId(WORD functionId)
{
    WORD publicId = 0;
    return dma_FunctionIdToDmaId(functionId, &publicId) ? publicId : 0;
}

BOOL dma_IsFaxListText(WORD publicId)
{
    return publicId == DMAID_FAX_LIST_TEXT1 || publicId == DMAID_FAX_LIST_TEXT2;
}

WORD dma_PublicIdToFunctionId(WORD publicId)
{
    WORD functionId = 0;
    return dma_DmaIdToFunctionId(publicId, &functionId, DMA_CURRENT_TABLE) ? functionId : 0;
}
