/*
 * Direct output of raster images: header, row conversion, palette, colour analysis and
 * conversion, the turn of sideways pages, compression and the writes.
 */
#include "render/pdl/images/image_output.h"

#include <string.h>

#include "render/pdl/colour/colour_session.h"
#include "render/pdl/compression/colour_analysis.h"
#include "render/pdl/compression/image_compression.h"
#include "render/pdl/images/row_convert.h"
#include "render/pdl/writer/pdl_writer.h"

/* The largest width or height a header carries; larger images are refused, never wrapped. */
static const DWORD kMaxSide = 0xFFFF;
/* Raster operation (kind, code) of a plain source copy. */
static const DWORD kCopyKind = 2;
static const DWORD kCopyCode = 204;

/* An image on its way out: the header and the blocks it points into. */
typedef struct OutputImage {
    ImageHeader header;
    ConvertedRows rows;
    BYTE palette[256 * 3];     /* 3 bytes an entry, memory order until reversed */
    DWORD paletteColours[256]; /* 0x00RRGGBB, for the analysis */
    BYTE *data;                /* rows.data, or a converted copy, or the rotated buffer */
    HGLOBAL converted;         /* the converted copy, when made */
    DWORD bits;                /* bits of a pixel or index in data */
    BOOL greyRequest;          /* the conversion is asked for grey output */
} OutputImage;

// out_Free: everything the image took.
static void out_Free(OutputImage *image)
{
    img_FreeRows(&image->rows);
    if (image->converted != NULL) {
        GlobalUnlock(image->converted);
        GlobalFree(image->converted);
        image->converted = NULL;
    }
}

// out_BuildPalette: the translation's palette of an index image, three bytes an entry,
// its low byte first; answers whether every entry is black or white.
static BOOL out_BuildPalette(OutputImage *image, XLATEOBJ *pxlo, DWORD bits)
{
    DWORD entries = 1u << bits;
    ULONG table = XLATEOBJ_cGetPalette(pxlo, XO_SRCPALETTE, 0, NULL);
    if (table != 0 && table < entries) {
        entries = table;
    }
    BOOL blackWhite = TRUE;
    for (DWORD i = 0; i < entries; ++i) {
        ULONG colour = XLATEOBJ_iXlate(pxlo, i) & 0xFFFFFF;
        blackWhite = blackWhite && (colour == 0 || colour == 0xFFFFFF);
        image->palette[i * 3] = (BYTE)colour;
        image->palette[i * 3 + 1] = (BYTE)(colour >> 8);
        image->palette[i * 3 + 2] = (BYTE)(colour >> 16);
        image->paletteColours[i] = colour;
    }
    image->header.paletteEntryBits = 8;
    image->header.paletteEntries = (WORD)entries;
    image->header.paletteBytes = (WORD)(entries * 3);
    image->header.palette = image->palette;
    return blackWhite;
}

// out_Convert: the colour conversion of the job's session (none: the colours stay). FALSE
// when it failed.
static BOOL out_Convert(const ImageServices *s, OutputImage *image)
{
    if (s->session == NULL) {
        return TRUE;
    }
    ImageHeader *h = &image->header;
    if (h->colorType == IMG_TYPE_PALETTE) {
        BYTE in[256 * 4];
        BYTE grey[256];
        for (DWORD i = 0; i < h->paletteEntries; ++i) {
            memcpy(in + i * 4, image->palette + i * 3, 3);
            in[i * 4 + 3] = 0;
        }
        // A grey request holds for this image's conversion only.
        DWORD steps = s->session->stepFlags;
        if (image->greyRequest) {
            s->session->stepFlags |= CLR_STEP_GREY;
        }
        LONG result = clr_ConvertImage(s->session,
                                       image->data,
                                       NULL,
                                       h->width,
                                       h->height,
                                       in,
                                       grey,
                                       h->paletteEntries,
                                       IMG_TYPE_PALETTE,
                                       image->bits);
        s->session->stepFlags = steps;
        if (result == 2) {
            for (DWORD i = 0; i < h->paletteEntries; ++i) {
                memset(image->palette + i * 3, grey[i], 3);
            }
            h->colorType = IMG_TYPE_GREY_PALETTE;
        } else if (result == 1) {
            for (DWORD i = 0; i < h->paletteEntries; ++i) {
                memcpy(image->palette + i * 3, in + i * 4, 3);
            }
        }
        return result == 1 || result == 2;
    }
    image->converted = GlobalAlloc(GMEM_MOVEABLE, h->dataBytes);
    BYTE *out = image->converted != NULL ? (BYTE *)GlobalLock(image->converted) : NULL;
    if (out == NULL) {
        return FALSE;
    }
    LONG result = clr_ConvertImage(s->session, image->data, out, h->width, h->height, NULL, NULL, 0, IMG_TYPE_RGB, 24);
    if (result == 2) {
        h->colorType = IMG_TYPE_GREY;
        h->dataBytes /= 3;
        image->bits = 8;
    }
    image->data = out;
    return result == 1 || result == 2;
}

// out_ToWireOrder: 24-bit pixels and palette entries from memory order (blue, green, red)
// to red, green, blue; grey data and indices stay.
static void out_ToWireOrder(OutputImage *image)
{
    ImageHeader *h = &image->header;
    if (h->colorType == IMG_TYPE_RGB) {
        img_ReverseTriples(image->data, h->dataBytes / 3);
    } else if (h->colorType == IMG_TYPE_PALETTE) {
        img_ReverseTriples(image->palette, h->paletteEntries);
    }
}

// out_Rotate: the quarter turn of a sideways page (origin to the destination's left and
// bottom).
static void out_Rotate(const ImageServices *s, const ImageRequest *r, OutputImage *image)
{
    ImageHeader *h = &image->header;
    if (!r->rotate || !s->rotateImages || !img_WantsRotation(h->width, h->height, image->bits)) {
        return;
    }
    DWORD rowBytes = h->width * (image->bits / 8);
    BYTE *rotated = NULL;
    if (img_Rotate90(s->rotate, h->width, h->height, rowBytes, image->bits, image->data, 1, &rotated) != 0) {
        return;
    }
    WORD width = h->width;
    h->width = h->height;
    h->height = width;
    h->y = (float)r->dest.bottom;
    img_RotatePlacement(h->placement);
    image->data = rotated;
}

// out_Compress: the choice and compression for the image. FALSE when the image failed.
static BOOL out_Compress(const ImageServices *s, OutputImage *image, BOOL widened)
{
    if (s->spill == NULL) {
        return TRUE;
    }
    ImageHeader *h = &image->header;
    int ropKind = 0;
    DWORD ropCode = 0;
    pdl_GetRop(s->writer, &ropKind, &ropCode);
    DWORD length = h->dataBytes;
    CompressionRequest request;
    memset(&request, 0, sizeof request);
    request.enabled = 1;
    request.bits = (BYTE)(h->colorType == IMG_TYPE_RGB ? 24 : image->bits);
    request.width = h->width;
    request.height = h->height;
    request.method = &h->compression;
    request.requestedMethod = widened ? IMG_METHOD_RUN : s->spill->method;
    request.colourType = &h->colorType;
    request.length = &length;
    request.spill = &s->spill->file;
    request.ropKind = (BYTE)ropKind;
    request.ropCode = (BYTE)ropCode;
    request.palette = h->palette;
    request.paletteEntries = h->paletteEntries;
    request.paletteBytes = h->paletteBytes;
    request.component = s->component;
    if (img_CompressImage(&request, image->data) == IMG_COMPRESS_FATAL) {
        return FALSE;
    }
    h->dataBytes = length;
    return TRUE;
}

// out_Write: the command, the mask rows and the data.
static BOOL out_Write(const ImageServices *s, const ImageRequest *r, OutputImage *image)
{
    if (pdl_WriteImage(s->writer, &image->header) != 0) {
        return FALSE;
    }
    if (r->mask != NULL) {
        DWORD maskBytes = image->header.maskBytes;
        BYTE *rows = (BYTE *)GlobalAlloc(GMEM_FIXED, maskBytes);
        if (rows == NULL) {
            return FALSE;
        }
        img_CopyMaskRows(r->mask, r->maskOrigin.x, r->maskOrigin.y, r->width, r->height, rows);
        int written = pdl_WriteRawData(s->writer, rows, maskBytes);
        GlobalFree(rows);
        if (written != 0) {
            return FALSE;
        }
    }
    return pdl_WriteRawData(s->writer, image->data, image->header.dataBytes) == 0;
}

LONG img_OutputImage(const ImageServices *s, const ImageRequest *r)
{
    if (s == NULL || r == NULL || s->writer == NULL || r->source == NULL) {
        return 0;
    }
    DWORD bits = img_BitmapBits(r->source->iBitmapFormat);
    DWORD width = r->reducer != NULL ? r->reducer->reducedWidth : r->width;
    DWORD height = r->reducer != NULL ? r->reducer->reducedHeight : r->height;
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide) {
        return 0;
    }
    DWORD method = s->spill != NULL ? s->spill->method : IMG_METHOD_NONE;
    BOOL widened = bits == 4 && method != IMG_METHOD_NONE;

    OutputImage *image = (OutputImage *)GlobalAlloc(GPTR, sizeof(OutputImage));
    if (image == NULL) {
        return 0;
    }
    ImageHeader *h = &image->header;
    h->x = (float)r->dest.left;
    h->y = (float)r->dest.top;
    memcpy(h->placement, r->placement, sizeof h->placement);
    h->width = (WORD)width;
    h->height = (WORD)height;
    h->maskKind = IMAGE_MASK_NONE;
    if (r->mask != NULL) {
        h->maskKind = IMAGE_MASK_BITS;
        h->maskBytes = ((r->width + 7) / 8) * r->height;
    }
    h->sourceKind = IMAGE_SOURCE_DATA;
    h->compression = IMG_METHOD_NONE;
    h->dataPresent = 1;
    image->bits = widened ? 8 : (bits > 8 || bits == 0 ? 24 : bits);
    h->colorType = bits != 0 && bits <= 8 ? IMG_TYPE_PALETTE : IMG_TYPE_RGB;
    h->bitsPerComponent = (BYTE)(image->bits < 8 ? image->bits : 8);
    h->dataBytes = ((image->bits * width + 7) / 8) * height;

    BOOL queueMode = s->queue != NULL && s->session != NULL && clr_GetSessionMode(s->session) == 4;
    LONG converted = img_ConvertRows(r->source,
                                     r->sourceOrigin.x,
                                     r->sourceOrigin.y,
                                     r->width,
                                     r->height,
                                     r->pxlo,
                                     IMG_ROWS_COLOUR,
                                     r->reducer,
                                     method,
                                     &image->rows);
    if (converted == -2 && queueMode) {
        // Short of memory: the queued images go out first, then this one directly.
        queueMode = FALSE;
        converted = img_FlushImageQueue(s->pdev, 0) == 0 ? img_ConvertRows(r->source,
                                                                           r->sourceOrigin.x,
                                                                           r->sourceOrigin.y,
                                                                           r->width,
                                                                           r->height,
                                                                           r->pxlo,
                                                                           IMG_ROWS_COLOUR,
                                                                           r->reducer,
                                                                           method,
                                                                           &image->rows)
                                                         : -1;
    }
    BOOL good = converted == 0;
    image->data = image->rows.data;
    if (good && h->colorType == IMG_TYPE_PALETTE) {
        // An image of black and white only that is not a plain source copy goes out grey.
        BOOL blackWhite = out_BuildPalette(image, r->pxlo, widened ? 4 : image->bits);
        image->greyRequest = blackWhite && !(r->ropKind == kCopyKind && r->ropCode == kCopyCode);
    }
    if (good) {
        LONG analysis = 0;
        good = img_AnalyseImageColor(&analysis,
                                     s->colorSet,
                                     s->pdev,
                                     image->data,
                                     width,
                                     height,
                                     h->colorType == IMG_TYPE_PALETTE ? image->paletteColours : NULL,
                                     h->paletteEntries,
                                     h->colorType,
                                     image->bits) == 0;
    }
    if (good && queueMode && h->colorType == IMG_TYPE_RGB) {
        LONG queued = img_QueueImage(s, r, h, image->rows.data, image->rows.handle);
        if (queued == 0) {
            memset(&image->rows, 0, sizeof image->rows); // the queue owns the block now
            GlobalFree(image);
            return 1;
        }
        // No memory for a node: the queue is flushed and the image goes out directly.
        good = queued == -2 && img_FlushImageQueue(s->pdev, 0) == 0;
    }
    good = good && out_Convert(s, image);
    if (good) {
        out_ToWireOrder(image);
        out_Rotate(s, r, image);
        good = out_Compress(s, image, widened);
    }
    if (good && !out_Write(s, r, image)) {
        img_FailImageJob(s->pdev);
        good = FALSE;
    }
    out_Free(image);
    GlobalFree(image);
    return good ? 1 : 0;
}

int img_WhiteMaskInvert(const SURFOBJ *source, XLATEOBJ *pxlo, DWORD ropCode)
{
    int invert = ropCode == 184 ? 1 : 0;
    if (source != NULL && source->iBitmapFormat == BMF_1BPP && (XLATEOBJ_iXlate(pxlo, 0) & 0xFFFFFF) != 0) {
        invert ^= 1;
    }
    return invert;
}

LONG img_OutputWhiteMask(const ImageServices *s, const ImageRequest *r)
{
    if (s == NULL || r == NULL || s->writer == NULL || r->source == NULL || r->width == 0 || r->height == 0 ||
        r->width > kMaxSide || r->height > kMaxSide) {
        return 0;
    }
    ConvertedRows rows;
    if (img_ConvertRows(r->source,
                        r->sourceOrigin.x,
                        r->sourceOrigin.y,
                        r->width,
                        r->height,
                        r->pxlo,
                        IMG_ROWS_WHITE_MASK,
                        NULL,
                        IMG_METHOD_NONE,
                        &rows) != 0) {
        return 0;
    }
    int invert = img_WhiteMaskInvert(r->source, r->pxlo, r->ropCode);
    BOOL good = pdl_WriteImagePlacement(s->writer,
                                        (float)r->dest.left,
                                        (float)r->dest.top,
                                        r->width,
                                        r->height,
                                        invert,
                                        r->placement,
                                        rows.bytes) == 0 &&
                pdl_WriteRawData(s->writer, rows.data, rows.bytes) == 0;
    img_FreeRows(&rows);
    if (!good) {
        img_FailImageJob(s->pdev);
    }
    return good ? 1 : 0;
}
