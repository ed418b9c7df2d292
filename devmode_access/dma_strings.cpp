/*
 * Text settings by public identifier: wide settings, the narrow setting 329 and the
 * protected texts 36865-36872, which are stored scrambled and base64-encoded and never
 * handed out again. A write builds the setting's whole new content first and stores it
 * only when everything fits: a refused write leaves the areas as they were.
 */
#include "devmode_access/dma_private.h"

#include <string.h>

#include "core/util/base64.h"

enum {
    DMAID_PROTECTED_LONG = 36869, /* the protected text of 21 characters */
    PROTECTED_LIMIT = 13,         /* plain length limit of the other protected texts */
    PROTECTED_LIMIT_LONG = 21,
    PROTECTED_MAX_ENCODED = (PROTECTED_LIMIT_LONG + 2) / 3 * 4 + 1
};

static BOOL dma_IsProtected(WORD id);
static LONG dma_LocateText(DmaSettingsSet *handle, WORD id, DmaPlace *place);
static LONG dma_PrepareText(const DmaPlace *place, const char *text, DWORD length, BYTE *image);
static LONG dma_PrepareProtectedText(const DmaPlace *place, const char *text, DWORD length, BYTE *image);
static DWORD dma_ReadText(const DmaPlace *place, char *buffer, DWORD size);
static LONG dma_WriteText(const DmaPlace *place, const char *text, DWORD length);

/* TRUE for the protected texts. */
static BOOL dma_IsProtected(WORD id)
{
    return id >= DMAID_PROTECTED_FIRST && id <= DMAID_PROTECTED_LAST;
}

/* Locates a text setting: -7 for a log font, -3 for a number; else as dma_LocateSetting. */
static LONG dma_LocateText(DmaSettingsSet *handle, WORD id, DmaPlace *place)
{
    LONG result = dma_LocateSetting(handle, id, place);
    if (result != DMA_SUCCESS)
        return result;
    if (place->storedType == VT_LOGFONT)
        return DMA_IS_LOGFONT;
    if (place->storedType != VT_STRING || place->capacity > DMA_TEXT_MAX_BYTES)
        return DMA_NOT_TEXT;
    return DMA_SUCCESS;
}

/*
 * Builds a protected setting's new content: the text's bytes (up to its zero, at most
 * length) scrambled, base64-encoded and held as text. image: out, the setting's capacity,
 * zeroed by the caller. Returns 1; -6 when length is above the identifier's limit or the
 * encoded text and terminator do not fit the place (n bytes take 4 x ceil(n / 3)
 * characters); -10 when the codecs fail.
 */
static LONG dma_PrepareProtectedText(const DmaPlace *place, const char *text, DWORD length, BYTE *image)
{
    DWORD limit = place->publicId == DMAID_PROTECTED_LONG ? PROTECTED_LIMIT_LONG : PROTECTED_LIMIT;
    if (length > limit)
        return DMA_TOO_LONG;
    DWORD n = 0;
    while (n < length && text[n] != 0)
        ++n;
    if (n == 0)
        return DMA_SUCCESS;
    BYTE scrambled[PROTECTED_LIMIT_LONG];
    char encoded[PROTECTED_MAX_ENCODED] = {};
    int written = 0;
    if (util_ScrambleBytes((const BYTE *)text, (int)n, scrambled, &written, (int)sizeof(scrambled)) != UTIL_CODEC_OK)
        return DMA_BAD_ARGUMENT;
    if (util_Base64Encode(scrambled, (int)n, encoded, &written, (int)sizeof(encoded)) != UTIL_CODEC_OK)
        return DMA_BAD_ARGUMENT;
    encoded[written] = 0;
    if (place->functionId == FID_NARROW_TEXT) {
        if ((DWORD)written + 1 > place->capacity)
            return DMA_TOO_LONG;
        memcpy(image, encoded, (DWORD)written);
        return DMA_SUCCESS;
    }
    WCHAR wide[PROTECTED_MAX_ENCODED];
    LONG result = dma_AnsiToWide(encoded, (DWORD)written, wide, place->capacity / 2, nullptr);
    if (result == DMA_SUCCESS)
        memcpy(image, wide, ((DWORD)written + 1) * sizeof(WCHAR));
    return result;
}

/*
 * Builds a text setting's new content from the caller's text (up to its zero, at most
 * length bytes): ANSI bytes for 329, wide text for the others, always with the
 * terminator inside the place. image: out, the setting's capacity, zeroed by the caller.
 * Returns 1, -6 (does not fit) or -10 (bad bytes).
 */
static LONG dma_PrepareText(const DmaPlace *place, const char *text, DWORD length, BYTE *image)
{
    if (dma_IsProtected(place->publicId))
        return dma_PrepareProtectedText(place, text, length, image);
    if (place->functionId == FID_NARROW_TEXT) {
        DWORD n = 0;
        while (n < length && text[n] != 0)
            ++n;
        if (n + 1 > place->capacity)
            return DMA_TOO_LONG;
        memcpy(image, text, n);
        return DMA_SUCCESS;
    }
    WCHAR wide[DMA_TEXT_MAX_BYTES / 2];
    DWORD chars = 0;
    LONG result = dma_AnsiToWide(text, length, wide, place->capacity / 2, &chars);
    if (result == DMA_SUCCESS)
        memcpy(image, wide, (chars + 1) * sizeof(WCHAR));
    return result;
}

/*
 * The stored value in the ANSI code page: up to its terminator, within the place; ANSI
 * bytes for 329. buffer: out, size bytes, written with a terminator only when the whole
 * value fits. Returns the bytes needed with the terminator, 0 when conversion fails.
 */
static DWORD dma_ReadText(const DmaPlace *place, char *buffer, DWORD size)
{
    if (place->functionId == FID_NARROW_TEXT) {
        const char *stored = (const char *)place->storage;
        DWORD n = 0;
        while (n < place->capacity && stored[n] != 0)
            ++n;
        if (buffer != nullptr && size >= n + 1) {
            memcpy(buffer, stored, n);
            buffer[n] = 0;
        }
        return n + 1;
    }
    WCHAR wide[DMA_TEXT_MAX_BYTES / 2 + 1];
    dma_LoadWide(place->storage, place->capacity, wide);
    return dma_WideToAnsi(wide, place->capacity / 2, buffer, size);
}

/* Writes a text setting: its whole place, after the new content was built. Returns 1,
 * -6 or -10 with the place unchanged. */
static LONG dma_WriteText(const DmaPlace *place, const char *text, DWORD length)
{
    BYTE image[DMA_TEXT_MAX_BYTES] = {};
    LONG result = dma_PrepareText(place, text, length, image);
    if (result == DMA_SUCCESS)
        memcpy(place->storage, image, place->capacity);
    return result;
}

DmaResult WINAPI DMA_GetStringData(DmaSettingsSet *handle, WORD id, char *buffer, DWORD *size)
{
    if (handle == nullptr || size == nullptr)
        return DMA_BAD_ARGUMENT;
    if (dma_IsFaxListText(id))
        return dma_GetFaxListText(handle, id, buffer, size);
    DmaPlace place;
    LONG result = dma_LocateText(handle, id, &place);
    if (result != DMA_SUCCESS)
        return result;
    if (buffer == nullptr && *size != 0)
        return DMA_BAD_ARGUMENT;
    if (dma_IsProtected(id)) {
        if (buffer != nullptr)
            return DMA_BAD_ARGUMENT;
        *size = id == DMAID_PROTECTED_LONG ? PROTECTED_LIMIT_LONG : PROTECTED_LIMIT;
        return DMA_MORE_DATA;
    }
    /* The setting's size in characters, or more when its text takes more bytes (code
     * page 932 takes up to two per character, an unterminated value one more). */
    DWORD needed = dma_ReadText(&place, nullptr, 0);
    if (needed == 0)
        return DMA_BAD_ARGUMENT;
    DWORD chars = place.functionId == FID_NARROW_TEXT ? place.capacity : place.capacity / 2;
    if (needed < chars)
        needed = chars;
    if (buffer == nullptr || *size < needed) {
        *size = needed;
        return DMA_MORE_DATA;
    }
    return dma_ReadText(&place, buffer, *size) != 0 ? DMA_SUCCESS : DMA_BAD_ARGUMENT;
}

DmaResult WINAPI DMA_GetStringData_StrLength(DmaSettingsSet *handle, WORD id, char *buffer, DWORD *size)
{
    if (handle == nullptr || size == nullptr)
        return DMA_BAD_ARGUMENT;
    DmaPlace place;
    LONG result = dma_LocateText(handle, id, &place);
    if (result != DMA_SUCCESS)
        return result;
    if (buffer == nullptr && *size != 0)
        return DMA_BAD_ARGUMENT;
    if (dma_IsProtected(id)) {
        /* Protected texts are not handed out by either read. */
        if (buffer != nullptr)
            return DMA_BAD_ARGUMENT;
        *size = id == DMAID_PROTECTED_LONG ? PROTECTED_LIMIT_LONG : PROTECTED_LIMIT;
        return DMA_MORE_DATA;
    }
    DWORD needed = dma_ReadText(&place, nullptr, 0);
    if (needed == 0 || needed > place.capacity)
        return DMA_BAD_ARGUMENT;
    if (buffer == nullptr || *size < needed) {
        *size = needed;
        return DMA_MORE_DATA;
    }
    return dma_ReadText(&place, buffer, *size) != 0 ? DMA_SUCCESS : DMA_BAD_ARGUMENT;
}

DmaResult WINAPI DMA_SetStringData(DmaSettingsSet *handle, WORD id, const char *text, DWORD length)
{
    if (handle == nullptr)
        return DMA_BAD_ARGUMENT;
    if (dma_IsFaxListText(id))
        return dma_SetFaxListText(handle, id, text, length);
    DmaPlace place;
    LONG result = dma_LocateText(handle, id, &place);
    if (result != DMA_SUCCESS)
        return result;
    if (text == nullptr)
        return DMA_BAD_ARGUMENT;
    return dma_WriteText(&place, text, length);
}

DmaResult WINAPI DMA_SetStringData_StrLength(DmaSettingsSet *handle, WORD id, const char *text, DWORD reserved)
{
    (void)reserved;
    if (handle == nullptr)
        return DMA_BAD_ARGUMENT;
    DmaPlace place;
    LONG result = dma_LocateText(handle, id, &place);
    if (result != DMA_SUCCESS)
        return result;
    if (text == nullptr)
        return DMA_BAD_ARGUMENT;
    /* The whole zero-terminated text; a protected one is stored protected here too. */
    return dma_WriteText(&place, text, (DWORD)strlen(text));
}
