/* Public identifier translation over the generated range table. */
#include "core/settings/dmaid.h"

static BOOL find_in_list(const DmaIdPair *pairs, WORD publicId, WORD *functionId);

/* Searches one pair list for a public identifier; 1 with *functionId when found. */
static BOOL find_in_list(const DmaIdPair *pairs, WORD publicId, WORD *functionId)
{
    for (const DmaIdPair *pair = pairs; pair->publicId != 0; pair++) {
        if (pair->publicId == publicId) {
            *functionId = pair->functionId;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL WINAPI dma_DmaIdToFunctionId(WORD publicId, WORD *functionId, WORD privateVersion)
{
    if (functionId == nullptr || publicId == 0)
        return FALSE;
    if (privateVersion == DMAID_OLDER_VERSION && find_in_list(g_DmaIdPairs5002, publicId, functionId))
        return TRUE;
    for (const DmaIdRange *row = g_DmaIdRanges; row->pairs != nullptr; row++) {
        if (publicId >= row->lowId && publicId <= row->highId)
            return find_in_list(row->pairs, publicId, functionId);
    }
    return FALSE;
}

BOOL WINAPI dma_FunctionIdToDmaId(WORD functionId, WORD *publicId)
{
    if (publicId == nullptr || functionId == 0)
        return FALSE;
    for (const DmaIdRange *row = g_DmaIdRanges; row->pairs != nullptr; row++) {
        for (const DmaIdPair *pair = row->pairs; pair->publicId != 0; pair++) {
            if (pair->functionId == functionId) {
                *publicId = pair->publicId;
                return TRUE;
            }
        }
    }
    return FALSE;
}
