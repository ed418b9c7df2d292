/*
 * The default stamp font, made from its font descriptor and the resource module's strings.
 */
#include "core/stamps/stamps.h"

#include "core/util/conversion.h"
#include "core/util/resource_module.h"

enum {
    NUMBER_CHARS = 12, /* a number string, with terminator at 13 */
    FACE_CHARS = 32
};

/* The 24-byte font descriptor: numbers behind string ids are read from the strings. */
typedef struct StampFontDescriptor {
    WORD heightId;
    WORD width;
    WORD escapementId;
    WORD orientationId;
    WORD weight;
    BYTE italic, underline, strikeOut, pad;
    WORD charSetId;
    BYTE outPrecision, clipPrecision, quality, pitchAndFamily;
    WORD faceId;
    WORD tail; /* pads the descriptor to 24 bytes */
} StampFontDescriptor;

static_assert(sizeof(StampFontDescriptor) == 24, "StampFontDescriptor");

static const StampFontDescriptor s_DefaultFont = {5156, 0, 5172, 5173, 400, 0, 0, 0, 0, 1790, 0, 0, 2, 0, 1812, 0};

/* A decimal number from a resource string; 0 when the string is missing. */
static LONG sf_NumberString(HMODULE module, WORD id)
{
    WCHAR text[NUMBER_CHARS + 1] = {0};
    if (!module || !LoadStringW(module, id, text, NUMBER_CHARS + 1)) {
        return 0;
    }
    return util_WideToInt(text);
}

BOOL WINAPI ureg_GetDefaultStampFont(LOGFONTW *font)
{
    if (!font) {
        return FALSE;
    }
    ZeroMemory(font, sizeof(*font));
    const StampFontDescriptor *d = &s_DefaultFont;
    HMODULE module = util_GetResourceModule();
    font->lfHeight = sf_NumberString(module, d->heightId);
    font->lfWidth = d->width;
    font->lfEscapement = sf_NumberString(module, d->escapementId);
    font->lfOrientation = sf_NumberString(module, d->orientationId);
    font->lfWeight = d->weight;
    font->lfItalic = d->italic;
    font->lfUnderline = d->underline;
    font->lfStrikeOut = d->strikeOut;
    font->lfCharSet = (BYTE)sf_NumberString(module, d->charSetId);
    font->lfOutPrecision = d->outPrecision;
    font->lfClipPrecision = d->clipPrecision;
    font->lfQuality = d->quality;
    font->lfPitchAndFamily = d->pitchAndFamily;
    if (!module || !LoadStringW(module, d->faceId, font->lfFaceName, FACE_CHARS)) {
        lstrcpynW(font->lfFaceName, TEXT("Undefined"), FACE_CHARS);
    }
    return TRUE;
}
