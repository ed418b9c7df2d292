/*
 * A raster-transfer record (0x1072) built for tests: the data header, the drawing item,
 * the image header, the bitmap header (with a palette for 8 bits), an optional clip
 * rectangle and the chunk's bytes, which are opaque (passed through, never decoded).
 */
#ifndef QM_RENDER_DRIVER_ESCAPE_TESTS_RASTER_RECORD_H
#define QM_RENDER_DRIVER_ESCAPE_TESTS_RASTER_RECORD_H

#include <windows.h>

#include <string.h>
#include <vector>

namespace raster_test {

struct RasterFields {
    DWORD total = 0; // bytes of the whole transfer
    DWORD offset = 0;
    DWORD id = 0;
    DWORD rop = 0xCC0020;
    WORD rotation = 0;
    DWORD value = 0;
    DWORD compression = 4; // 4 JPEG, 5 PNG
    WORD bits = 24;
    DWORD clrUsed = 0;
    WORD width = 16, height = 8; // image size (also the bitmap header's)
    WORD destWidth = 32, destHeight = 16;
    short x = 100, y = 200;
    bool clip = false;
    short clipRect[4] = {10, 20, 300, 400};
    std::vector<BYTE> data = std::vector<BYTE>(4, 0xD8); // the chunk's bytes
};

// Offsets of the record's parts: the palette follows the bitmap header, then come the clip
// rectangle and the image bytes.
const DWORD kHeaderAt = 40, kInfoAt = 68, kPaletteAt = 108;

inline void Put16(std::vector<BYTE> &b, size_t at, DWORD v)
{
    b[at] = (BYTE)v;
    b[at + 1] = (BYTE)(v >> 8);
}

inline void Put32(std::vector<BYTE> &b, size_t at, DWORD v)
{
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

inline std::vector<BYTE> RasterRecord(const RasterFields &s)
{
    DWORD palette = s.bits == 8 ? 4 * (s.clrUsed >= 1 && s.clrUsed <= 255 ? s.clrUsed : 256) : 0;
    DWORD clipAt = kPaletteAt + palette;
    DWORD dataAt = clipAt + 8;
    std::vector<BYTE> b(dataAt + s.data.size(), 0);
    DWORD count = (DWORD)s.data.size();
    Put32(b, 0, s.total ? s.total : count);
    Put32(b, 4, s.offset);
    Put32(b, 8, count);
    Put32(b, 12, s.id);
    Put32(b, 16, s.rop);
    Put32(b, 20, kHeaderAt);
    Put16(b, 24, s.offset == 0 ? 0 : 1);
    Put16(b, 26, s.rotation);
    Put32(b, 28, count);
    Put32(b, 32, s.value);
    Put32(b, 36, s.clip ? clipAt : 0);
    Put16(b, kHeaderAt + 4, (WORD)s.x);
    Put16(b, kHeaderAt + 6, (WORD)s.y);
    Put16(b, kHeaderAt + 8, s.destWidth);
    Put16(b, kHeaderAt + 10, s.destHeight);
    Put16(b, kHeaderAt + 12, s.width);
    Put16(b, kHeaderAt + 14, s.height);
    Put32(b, kHeaderAt + 16, dataAt);
    Put32(b, kHeaderAt + 20, kInfoAt);
    Put16(b, kHeaderAt + 24, 0xCC);
    Put32(b, kInfoAt, 40);
    Put32(b, kInfoAt + 4, s.width);
    Put32(b, kInfoAt + 8, s.height);
    Put16(b, kInfoAt + 12, 1);
    Put16(b, kInfoAt + 14, s.bits);
    Put32(b, kInfoAt + 16, s.compression);
    Put32(b, kInfoAt + 32, s.clrUsed);
    for (int i = 0; i < 4; ++i)
        Put16(b, clipAt + 2 * i, (WORD)s.clipRect[i]);
    for (DWORD i = 0; i < palette / 4; ++i) {
        b[kPaletteAt + 4 * i] = (BYTE)i;
        b[kPaletteAt + 4 * i + 1] = (BYTE)(255 - i);
        b[kPaletteAt + 4 * i + 2] = 0x40;
    }
    if (count)
        memcpy(b.data() + dataAt, s.data.data(), count);
    return b;
}

} // namespace raster_test

#endif /* QM_RENDER_DRIVER_ESCAPE_TESTS_RASTER_RECORD_H */
