/*
 * Image operations of the writer: the colour image header, palettes, the one-bit mask
 * image header and raw image data.
 */
#include "render/pdl/writer/pdl_private.h"

#include <cstring>

// Palette entries are bytes of this many bits in the only palette form the cache keeps.
static const int kCachedEntryBits = 8;
static const DWORD kBytesPerEntry = 3;

// 1 for the colour types whose header carries a palette.
static int IsPaletteType(int colorType)
{
    return colorType >= 8 && colorType <= 11;
}

// 1 for a palette the cache can hold: 8-bit entries of three bytes, within the copy.
// Only such palettes are compared; their bytes and entry count fix the whole command.
static int IsCacheablePalette(int entryBits, DWORD entryCount, DWORD byteCount)
{
    return entryBits == kCachedEntryBits && byteCount == entryCount * kBytesPerEntry && byteCount <= GSC_PALETTE_BYTES;
}

int pdl_WritePalette(PdlWriter *writer, int colorType, int entryBits, DWORD entryCount, DWORD byteCount,
                     const BYTE *palette)
{
    if (writer == NULL || (palette == NULL && byteCount > 0)) {
        return -1;
    }
    GraphicsStateCache *cache = writer->cache;
    int cacheable = IsCacheablePalette(entryBits, entryCount, byteCount);
    int equal = cacheable && cache->paletteColorType != 0 && cache->paletteColorType == (BYTE)colorType &&
                cache->paletteWord == entryCount && memcmp(cache->palette, palette, byteCount) == 0;
    if (pdl_IsCached(writer, equal)) {
        return 0;
    }
    if (lmq_CmdAV(writer->stream, colorType, entryBits, entryCount, byteCount, palette) != 0) {
        return -1;
    }
    if (!cacheable) {
        // Sent every time: the cache forgets what it held.
        cache->paletteWord = 0;
        cache->paletteColorType = 0;
        return 0;
    }
    cache->paletteWord = (WORD)entryCount;
    cache->paletteColorType = (BYTE)colorType;
    if (byteCount > 0) {
        memcpy(cache->palette, palette, byteCount);
    }
    return 0;
}

int pdl_WriteImage(PdlWriter *writer, const ImageHeader *header)
{
    if (writer == NULL || header == NULL) {
        return -1;
    }
    // The colour block follows exactly when pixel data does; without data the header
    // must say that no data is present.
    int colorBlock = header->sourceKind == IMAGE_SOURCE_DATA;
    if (!colorBlock && header->dataPresent != 1) {
        return -1;
    }
    int paletteType = IsPaletteType(header->colorType);
    if (colorBlock && paletteType && header->palette == NULL && header->paletteBytes > 0) {
        return -1;
    }
    int colorType = header->colorType;
    if (colorBlock && writer->pdlVersion > PDL_VERSION_SEPARATE_PALETTE &&
        (colorType == IMAGE_COLOR_GREY_PALETTE || colorType == IMAGE_COLOR_RGB_PALETTE)) {
        if (pdl_WritePalette(writer,
                             colorType,
                             header->paletteEntryBits,
                             header->paletteEntries,
                             header->paletteBytes,
                             header->palette) != 0) {
            return -1;
        }
        colorType = IMAGE_COLOR_SEPARATE_PALETTE;
    }
    if (lmq_CmdCq(writer->stream,
                  header->x,
                  header->y,
                  header->placement,
                  header->width,
                  header->height,
                  header->maskKind,
                  header->maskBytes,
                  header->sourceKind) != 0) {
        return -1;
    }
    if (!colorBlock) {
        return 0;
    }
    return lmq_CmdCqColorBlock(writer->stream,
                               colorType,
                               header->paletteEntryBits,
                               header->paletteEntries,
                               header->paletteBytes,
                               header->palette,
                               header->compression,
                               header->bitsPerComponent,
                               header->dataPresent,
                               header->dataBytes);
}

int pdl_WriteImagePlacement(PdlWriter *writer, float x, float y, DWORD width, DWORD height, int invert,
                            const float placement[6], DWORD dataBytes)
{
    if (writer == NULL || placement == NULL) {
        return -1;
    }
    return lmq_CmdCp(writer->stream, x, y, width, height, invert, placement, dataBytes);
}

int pdl_WriteRawData(PdlWriter *writer, const BYTE *data, DWORD length)
{
    if (writer == NULL || (data == NULL && length > 0)) {
        return -1;
    }
    return length == 0 ? 0 : lmq_WriteBytes(writer->stream, data, length);
}
