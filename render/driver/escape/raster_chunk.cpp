/*
 * Drawing one chunk of a raster transfer (0x1072): at the transfer's first chunk the
 * clip, the raster operation and the image command with its placement; then the chunk's
 * compressed image bytes as they are.
 */
#include "render/driver/escape/escape_private.h"

#include <string.h>

#include "core/protocol/escapes.h"
#include "render/driver/page/page_setup.h"
#include "render/driver/pdev/job_blocks.h"
#include "render/driver/job/job_control.h"
#include "render/pdl/drawing/draw_target.h"
#include "render/pdl/images/image_queue.h"
#include "render/pdl/paths/path_workers.h"
#include "render/pdl/writer/image_header.h"
#include "render/pdl/writer/pdl_writer.h"

// The most image bytes written at once.
static const DWORD kChunkMax = 0xFF00;
// Raster-operation kind of the image's raster operation.
static const int kRopKind = 2;
// Image command values of the transferred image: compression and colour type.
static const BYTE kCompressionJpeg = 4;
static const BYTE kCompressionPng = 8;
static const WORD kPngRgbBits = 24;
static const WORD kPngPaletteBits = 8;

/* The placement by rotation (a, b, c, d as factors of kx, ky; e, f as factors of the
 * image width W and height H). */
struct RotationRow {
    WORD degrees;
    float a, b, c, d; // a and c of kx, b and d of ky
    float e, f;       // of W and H
};
static const RotationRow kRotationRows[] = {
    {0, 1, 0, 0, 1, 0, 0},
    {90, 0, -1, 1, 0, 0, 1},
    {180, -1, 0, 0, -1, 1, 1},
    {270, 0, 1, -1, 0, 1, 0},
};

void esc_RasterPlacement(WORD rotation, WORD width, WORD height, WORD destWidth, WORD destHeight, float out[6])
{
    float kx = destWidth != 0 && destHeight != 0 ? (float)width / (float)destWidth : 1.0f;
    float ky = destWidth != 0 && destHeight != 0 ? (float)height / (float)destHeight : 1.0f;
    for (const RotationRow &row : kRotationRows) {
        if (row.degrees == rotation) {
            out[0] = row.a * kx;
            out[1] = row.b * ky;
            out[2] = row.c * kx;
            out[3] = row.d * ky;
            out[4] = row.e * (float)width;
            out[5] = row.f * (float)height;
            return;
        }
    }
}

// chunk_SetClip: the chunk's clip rectangle, or the page's printable area after a reset.
static LONG chunk_SetClip(PDEV *pdev, const RasterChunk &chunk)
{
    DrawTarget target;
    drw_TargetOfPdev(pdev, &target);
    CLIPOBJ clip = {};
    clip.iDComplexity = DC_RECT;
    if (chunk.clipOffset != 0) {
        clip.rclBounds = chunk.clip;
    } else {
        const PageSetupState &setup = pdev->job.setup;
        const PaperRecord &paper = setup.page.page;
        BOOL turned = setup.page.turned != 0;
        LONG width = turned ? paper.printableLength : paper.printableWidth;
        LONG length = turned ? paper.printableWidth : paper.printableLength;
        clip.rclBounds.right = geo_TenthMmToDotsInt(width, setup.resolutionX > 0 ? setup.resolutionX : 600);
        clip.rclBounds.bottom = geo_TenthMmToDotsInt(length, setup.resolutionY > 0 ? setup.resolutionY : 600);
        pdev->job.clip.kind = CLIP_KIND_RESET;
    }
    return vec_SetClip(&target, &clip, NULL) < 0 ? -1 : 0;
}

// chunk_WriteImage: the image command of the transfer's first chunk.
static LONG chunk_WriteImage(PDEV *pdev, const BYTE *record, const RasterChunk &chunk)
{
    ImageHeader header;
    memset(&header, 0, sizeof header);
    BYTE palette[256 * 3];
    header.x = (float)chunk.x;
    header.y = (float)chunk.y;
    esc_RasterPlacement(chunk.rotation, chunk.width, chunk.height, chunk.destWidth, chunk.destHeight, header.placement);
    header.width = chunk.width;
    header.height = chunk.height;
    header.maskKind = IMAGE_MASK_NONE;
    header.sourceKind = IMAGE_SOURCE_DATA;
    header.dataPresent = 1;
    header.bitsPerComponent = 8;
    header.dataBytes = chunk.value;
    if (chunk.compression == RASTER_COMPRESSION_JPEG) {
        header.compression = kCompressionJpeg;
        header.colorType = IMAGE_COLOR_JPEG;
    } else if (chunk.bitCount == kPngRgbBits) {
        header.compression = kCompressionPng;
        header.colorType = IMAGE_COLOR_RGB;
    } else if (chunk.bitCount == kPngPaletteBits) {
        header.compression = kCompressionPng;
        header.colorType = IMAGE_COLOR_RGB_PALETTE;
        // Each palette entry's first three bytes.
        const BYTE *entries = record + chunk.paletteOffset;
        for (DWORD i = 0; i < chunk.paletteEntries; i++) {
            memcpy(palette + 3 * i, entries + 4 * i, 3);
        }
        header.paletteEntryBits = 8;
        header.paletteEntries = (WORD)chunk.paletteEntries;
        header.paletteBytes = (WORD)(3 * chunk.paletteEntries);
        header.palette = palette;
    } else {
        return -1;
    }
    return pdl_WriteImage(pdev->job.writer, &header) < 0 ? -1 : 0;
}

LONG WINAPI esc_DrawRasterChunk(PDEV *pdev, const BYTE *record, const BYTE *item, DWORD length)
{
    if (pdev == NULL || record == NULL || item != record + RASTER_HEADER_SIZE || pdev->job.writer == NULL) {
        return -1;
    }
    RasterChunk chunk;
    LONG checked = esc_ReadRasterChunk(record, length, &chunk);
    if (checked != 0) {
        return checked;
    }
    if (chunk.continuation == 0) {
        LONG result = chunk_SetClip(pdev, chunk);
        result |= pdl_SetRop(pdev->job.writer, kRopKind, chunk.ropValue) < 0 ? -1 : 0;
        if (result != 0 || chunk_WriteImage(pdev, record, chunk) != 0) {
            return -1;
        }
    }
    if (chunk.count > kChunkMax) {
        return 0;
    }
    return pdl_WriteRawData(pdev->job.writer, record + chunk.dataOffset, chunk.count) < 0 ? -1 : 0;
}

LONG WINAPI esc_FlushImagesAnswerOne(PDEV *pdev)
{
    return img_FlushImageQueue(pdev, 0) == 0 ? 1 : -1;
}
