/*
 * The layout of a raster-transfer record (0x1072): the drawing item behind the data
 * header, the image header, the optional clip rectangle, the bitmap header with its
 * palette and the chunk's image bytes, all found by offsets from the record's start.
 *
 * Drawing item (at RASTER_HEADER_SIZE): u32 raster operation, u32 image-header offset,
 * u16 continuation (0: first chunk), u16 rotation in degrees, u32 chunk byte count, u32
 * image value, u32 clip offset (0: none). Image header: u16 0, u16 0, i16 x, i16 y, u16
 * destination width and height, u16 image width and height, u32 data offset, u32 bitmap
 * header offset, u16 raster-operation value, u16 0. Clip: i16 left, top, right, bottom.
 */
#include "render/driver/escape/escape_private.h"

#include "core/protocol/escapes.h"

static const DWORD kItemSize = 24;
static const DWORD kImageHeaderSize = 28;
static const DWORD kClipSize = 8;
static const DWORD kBitmapHeaderMin = 40;
static const DWORD kPaletteEntrySize = 4;
static const WORD kRotations[] = {0, 90, 180, 270};

// record_Fits: offset + size lies within length (no overflow).
static BOOL record_Fits(DWORD length, DWORD offset, unsigned long long size)
{
    return (unsigned long long)offset + size <= length;
}

DWORD esc_RasterPaletteEntries(DWORD used)
{
    return used >= 1 && used <= 255 ? used : 256;
}

LONG esc_ReadRasterChunk(const BYTE *record, DWORD length, RasterChunk *chunk)
{
    if (record == NULL || chunk == NULL) {
        return ESC_FAIL;
    }
    if (!record_Fits(length, RASTER_HEADER_SIZE, kItemSize)) {
        return ESC_BAD_SIZE;
    }
    const BYTE *item = record + RASTER_HEADER_SIZE;
    RasterChunk c = {};
    c.headerOffset = esc_ReadLong(item, 4);
    c.continuation = esc_ReadWord(item, 8);
    c.rotation = esc_ReadWord(item, 10);
    c.count = esc_ReadLong(item, 12);
    c.value = esc_ReadLong(item, 16);
    c.clipOffset = esc_ReadLong(item, 20);
    if (c.count != esc_ReadLong(record, 8) || !record_Fits(length, c.headerOffset, kImageHeaderSize)) {
        return ESC_BAD_SIZE;
    }
    const BYTE *header = record + c.headerOffset;
    c.reserved = esc_ReadWord(header, 0) | esc_ReadWord(header, 2) | esc_ReadWord(header, 26);
    c.x = (SHORT)esc_ReadWord(header, 4);
    c.y = (SHORT)esc_ReadWord(header, 6);
    c.destWidth = esc_ReadWord(header, 8);
    c.destHeight = esc_ReadWord(header, 10);
    c.width = esc_ReadWord(header, 12);
    c.height = esc_ReadWord(header, 14);
    c.dataOffset = esc_ReadLong(header, 16);
    c.infoOffset = esc_ReadLong(header, 20);
    c.ropValue = esc_ReadWord(header, 24);
    if (!record_Fits(length, c.dataOffset, c.count) || !record_Fits(length, c.infoOffset, kBitmapHeaderMin) ||
        (c.clipOffset != 0 && !record_Fits(length, c.clipOffset, kClipSize))) {
        return ESC_BAD_SIZE;
    }
    const BYTE *info = record + c.infoOffset;
    DWORD infoSize = esc_ReadLong(info, 0);
    c.infoWidth = (LONG)esc_ReadLong(info, 4);
    c.infoHeight = (LONG)esc_ReadLong(info, 8);
    c.bitCount = esc_ReadWord(info, 14);
    c.compression = esc_ReadLong(info, 16);
    c.paletteEntries = esc_RasterPaletteEntries(esc_ReadLong(info, 32));
    c.paletteOffset = c.infoOffset + infoSize;
    if (infoSize < kBitmapHeaderMin || !record_Fits(length, c.infoOffset, infoSize)) {
        return ESC_BAD_SIZE;
    }
    // An 8-bit image's palette follows the bitmap header.
    if (c.bitCount == 8 &&
        !record_Fits(length, c.paletteOffset, (unsigned long long)c.paletteEntries * kPaletteEntrySize)) {
        return ESC_BAD_SIZE;
    }
    if (c.clipOffset != 0) {
        const BYTE *clip = record + c.clipOffset;
        c.clip.left = (SHORT)esc_ReadWord(clip, 0);
        c.clip.top = (SHORT)esc_ReadWord(clip, 2);
        c.clip.right = (SHORT)esc_ReadWord(clip, 4);
        c.clip.bottom = (SHORT)esc_ReadWord(clip, 6);
    }
    *chunk = c;
    BOOL rotation = FALSE;
    for (WORD r : kRotations) {
        rotation = rotation || c.rotation == r;
    }
    if (c.reserved != 0 || (LONG)c.width != c.infoWidth || (LONG)c.height != c.infoHeight || !rotation) {
        return ESC_BAD_VALUE;
    }
    if (c.compression != RASTER_COMPRESSION_JPEG && c.compression != RASTER_COMPRESSION_PNG) {
        return ESC_FAIL;
    }
    return 0;
}
