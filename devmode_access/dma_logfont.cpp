/*
 * Log-font settings by public identifier, handed out and taken as LOGFONTA: the five
 * 32-bit fields, the eight byte fields and the face name in the ANSI code page.
 */
#include "devmode_access/dma_private.h"

#include <string.h>

#include "core/util/codepage_text.h"

/* The numeric fields lie at the same places in LOGFONTW and LOGFONTA. */
enum { LOGFONT_FIXED_BYTES = offsetof(LOGFONTW, lfFaceName) };

static_assert(sizeof(LOGFONTA) == DMA_LOGFONTA_SIZE, "LOGFONTA");
static_assert(offsetof(LOGFONTA, lfFaceName) == LOGFONT_FIXED_BYTES, "LOGFONTA face name");

static LONG dma_LocateLogFont(DmaSettingsSet *handle, WORD id, DmaPlace *place);

/* Locates a log-font setting: -2 for the fax list strings and strings, -3 for numbers;
 * else as dma_LocateSetting. */
static LONG dma_LocateLogFont(DmaSettingsSet *handle, WORD id, DmaPlace *place)
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
    if (place->storedType != VT_LOGFONT || place->capacity < sizeof(LOGFONTW))
        return DMA_NOT_TEXT;
    return DMA_SUCCESS;
}

DmaResult WINAPI DMA_GetLogFontData(DmaSettingsSet *handle, WORD id, LOGFONTA *font, DWORD *size)
{
    DmaPlace place;
    LONG result = dma_LocateLogFont(handle, id, &place);
    if (result != DMA_SUCCESS)
        return result;
    if (size == nullptr)
        return DMA_BAD_ARGUMENT;
    if (font == nullptr) {
        if (*size != 0)
            return DMA_BAD_ARGUMENT;
        *size = DMA_LOGFONTA_SIZE;
        return DMA_MORE_DATA;
    }
    if (*size < DMA_LOGFONTA_SIZE) {
        *size = DMA_LOGFONTA_SIZE;
        return DMA_MORE_DATA;
    }
    LOGFONTW stored;
    memcpy(&stored, place.storage, sizeof(stored));
    /* The stored face name may fill all 32 characters: it is read up to there and handed
     * out in at most 31 bytes, cut before a character that would not fit whole. */
    WCHAR face[LF_FACESIZE + 1];
    memcpy(face, stored.lfFaceName, sizeof(stored.lfFaceName));
    face[LF_FACESIZE] = 0;
    LOGFONTA out;
    memset(&out, 0, sizeof(out));
    memcpy(&out, &stored, LOGFONT_FIXED_BYTES);
    if (util_WideToMultiByteBuf(CP_ACP, face, out.lfFaceName, LF_FACESIZE) == 0)
        return DMA_BAD_ARGUMENT;
    memcpy(font, &out, sizeof(out));
    return DMA_SUCCESS;
}

DmaResult WINAPI DMA_SetLogFontData(DmaSettingsSet *handle, WORD id, const LOGFONTA *font, DWORD size)
{
    DmaPlace place;
    LONG result = dma_LocateLogFont(handle, id, &place);
    if (result != DMA_SUCCESS)
        return result;
    if (font == nullptr || size < DMA_LOGFONTA_SIZE)
        return DMA_BAD_ARGUMENT;
    if (size > DMA_LOGFONTA_SIZE)
        return DMA_TOO_LONG;
    /* The face name is read for at most its 32 bytes and must end inside them. */
    if (memchr(font->lfFaceName, 0, LF_FACESIZE) == nullptr)
        return DMA_BAD_ARGUMENT;
    LOGFONTW stored;
    memcpy(&stored, place.storage, sizeof(stored));
    memcpy(&stored, font, LOGFONT_FIXED_BYTES);
    WCHAR face[LF_FACESIZE] = {};
    result = dma_AnsiToWide(font->lfFaceName, LF_FACESIZE, face, LF_FACESIZE, nullptr);
    if (result != DMA_SUCCESS)
        return DMA_BAD_ARGUMENT;
    memcpy(stored.lfFaceName, face, sizeof(face));
    memcpy(place.storage, &stored, sizeof(stored));
    return DMA_SUCCESS;
}
