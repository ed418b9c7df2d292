/*
 * The choice of compression method and its execution on one image.
 */
#include "render/pdl/compression/image_compression.h"

#include "render/pdl/colour/colour_pixels.h"
#include "render/pdl/compression/compress_component.h"
#include "render/pdl/compression/jpeg_output.h"
#include "render/pdl/compression/run_coder.h"

static const BYTE kJpegRopKind = 2, kJpegRopCode = 204;
static const DWORD kUnsuitable = 0;

static BOOL cmp_RunCoderSuits(const CompressionRequest *r)
{
    BYTE type = *r->colourType;
    return (type == IMG_TYPE_RGB && r->bits == 24) ||
           ((type == IMG_TYPE_GREY || type == IMG_TYPE_GREY_PALETTE || type == IMG_TYPE_PALETTE) && r->bits == 8);
}

static BOOL cmp_OneBitIndices(const CompressionRequest *r)
{
    BYTE type = *r->colourType;
    return (type == IMG_TYPE_GREY_PALETTE || type == IMG_TYPE_PALETTE) && r->bits == 1;
}

LONG WINAPI img_ChooseCompression(const CompressionRequest *r, const BYTE *data, DWORD *method)
{
    if (method == NULL)
        return 1;
    *method = IMG_METHOD_NONE;
    if (r == NULL || data == NULL || r->colourType == NULL || r->length == NULL)
        return 1;
    WORD requested = r->requestedMethod;
    if (r->enabled != 1 || *r->length < IMG_COMPRESS_THRESHOLD ||
        (requested != IMG_METHOD_JPEG && requested != IMG_METHOD_COMPONENT_2 && requested != IMG_METHOD_COMPONENT_1 &&
         requested != IMG_METHOD_RUN))
        return 1;
    DWORD choice = kUnsuitable;
    BOOL decided = FALSE; // steps 2 and 3 ran
    if (requested == IMG_METHOD_RUN) {
        choice = cmp_RunCoderSuits(r) ? IMG_METHOD_RUN : kUnsuitable;
        decided = TRUE;
    } else if (requested == IMG_METHOD_JPEG) {
        BYTE type = *r->colourType;
        BOOL jpegData = (type == IMG_TYPE_RGB && r->bits == 24) ||
                        ((type == IMG_TYPE_GREY || type == IMG_TYPE_GREY_PALETTE) && r->bits == 8);
        if (r->ropKind == kJpegRopKind && r->ropCode == kJpegRopCode && jpegData)
            choice = IMG_METHOD_JPEG;
        else
            choice = cmp_RunCoderSuits(r) ? IMG_METHOD_RUN : kUnsuitable;
        decided = TRUE;
    }
    BOOL fourRan = FALSE;
    if (requested == IMG_METHOD_COMPONENT_1 || (decided && choice == kUnsuitable)) {
        choice = cmp_OneBitIndices(r) ? IMG_METHOD_COMPONENT_1 : IMG_METHOD_NONE;
        fourRan = TRUE;
    }
    if (requested == IMG_METHOD_COMPONENT_2 && !fourRan)
        choice = cmp_OneBitIndices(r) ? IMG_METHOD_COMPONENT_2 : IMG_METHOD_NONE;
    if (choice == kUnsuitable)
        choice = IMG_METHOD_NONE;
    *method = choice;
    return choice == IMG_METHOD_NONE ? 1 : 0;
}

/* Grey-palette data to grey levels: each byte becomes the first byte of its entry (0 for
 * an index past the palette); the colour type becomes 3. */
static void cmp_MapGreyPalette(const CompressionRequest *r, BYTE *data)
{
    for (DWORD i = 0; i < *r->length; i++) {
        DWORD index = data[i];
        data[i] = (r->palette != NULL && index < r->paletteEntries && index * 3 < r->paletteBytes)
                      ? r->palette[index * 3]
                      : 0;
    }
    *r->colourType = IMG_TYPE_GREY;
}

static LONG cmp_Jpeg(const CompressionRequest *r, BYTE *data)
{
    if (r->bits == 8 && *r->colourType == IMG_TYPE_GREY_PALETTE)
        cmp_MapGreyPalette(r, data);
    // Grey is inverted for JPEG; whenever JPEG does not replace the data, it is inverted
    // back, so that a grey image never prints as its negative.
    BOOL inverted = r->bits == 8 && *r->colourType == IMG_TYPE_GREY;
    DWORD length = *r->length;
    if (inverted)
        img_InvertBytes(data, data, length, 1);
    BYTE type = *r->colourType;
    LONG result = jpg_CompressImage(&type, r->spill, r->width, r->height, r->method, r->length, data);
    if (result == 0) {
        *r->colourType = type;
        return 0;
    }
    if (inverted)
        img_InvertBytes(data, data, length, 1);
    return (result & RC_FATAL) || result == RC_SPILL_FAILED ? IMG_COMPRESS_FATAL : 1;
}

LONG WINAPI img_CompressWithMethod(const CompressionRequest *r, BYTE *data, DWORD method)
{
    if (r == NULL || data == NULL || r->method == NULL || r->colourType == NULL || r->length == NULL)
        return 1;
    switch (method) {
    case IMG_METHOD_RUN: {
        LONG result = rc_CompressImage(r->width, r->length, r->spill, *r->colourType, r->height, r->method, data);
        if (result == RC_DONE)
            return 0;
        return (result & RC_FATAL) ? IMG_COMPRESS_FATAL : 1;
    }
    case IMG_METHOD_JPEG: return cmp_Jpeg(r, data);
    case IMG_METHOD_COMPONENT_1:
    case IMG_METHOD_COMPONENT_2:
        return cmp_CompressWithComponent(r->width, r->height, r->component, method, r->method, r->length, data) == 0 &&
                       *r->method == method
                   ? 0
                   : 1;
    default: return 1;
    }
}

LONG WINAPI img_CompressImage(const CompressionRequest *r, BYTE *data)
{
    if (r == NULL || data == NULL || r->method == NULL || r->colourType == NULL || r->length == NULL)
        return 1;
    DWORD method = IMG_METHOD_NONE;
    if (img_ChooseCompression(r, data, &method) != 0)
        return 1;
    return img_CompressWithMethod(r, data, method);
}
