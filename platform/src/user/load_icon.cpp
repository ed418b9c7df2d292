/*
 * LoadIconW: an icon group resource (RT_GROUP_ICON) names its images (RT_ICON) by id; the
 * first image, a DIB of its XOR plane (1, 4, 8, 24 or 32 bits, bottom row first, rows
 * DWORD-aligned, the height doubled for the AND plane behind it), becomes a 32-bit icon
 * through CreateIcon, top row first. Everything read is checked against the resource's
 * size.
 */
#include <windows.h>

#include <string.h>

#include <vector>

namespace {

const size_t kGroupHeader = 6; /* reserved, type, count */
const size_t kGroupEntry = 14; /* width, height, colours, reserved, planes, bits, bytes, id */

const BYTE *ResourceBytes(HINSTANCE module, LPCWSTR name, LPCWSTR type, DWORD *size)
{
    HRSRC info = FindResourceW(module, name, type);
    if (!info)
        return nullptr;
    HGLOBAL data = LoadResource(module, info);
    *size = SizeofResource(module, info);
    return data ? (const BYTE *)LockResource(data) : nullptr;
}

WORD ReadWord(const BYTE *p)
{
    return (WORD)(p[0] | (p[1] << 8));
}

/* The colour of pixel x of a DIB row as 0xAARRGGBB, opaque below 32 bits. */
DWORD PixelOf(const BYTE *row, int x, int bits, const RGBQUAD *palette, DWORD colours)
{
    if (bits == 32)
        return (DWORD)row[x * 4] | ((DWORD)row[x * 4 + 1] << 8) | ((DWORD)row[x * 4 + 2] << 16) |
               ((DWORD)row[x * 4 + 3] << 24);
    if (bits == 24)
        return 0xFF000000u | (DWORD)row[x * 3] | ((DWORD)row[x * 3 + 1] << 8) | ((DWORD)row[x * 3 + 2] << 16);
    DWORD index = 0;
    if (bits == 8)
        index = row[x];
    else if (bits == 4)
        index = (row[x / 2] >> ((1 - x % 2) * 4)) & 15;
    else
        index = (row[x / 8] >> (7 - x % 8)) & 1;
    if (index >= colours)
        return 0xFF000000u;
    const RGBQUAD &c = palette[index];
    return 0xFF000000u | c.rgbBlue | ((DWORD)c.rgbGreen << 8) | ((DWORD)c.rgbRed << 16);
}

} // namespace

extern "C" HICON WINAPI LoadIconW(HINSTANCE hInstance, LPCWSTR lpIconName)
{
    DWORD groupSize = 0;
    const BYTE *group = ResourceBytes(hInstance, lpIconName, RT_GROUP_ICON, &groupSize);
    if (!group || groupSize < kGroupHeader + kGroupEntry || ReadWord(group + 4) == 0) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    WORD id = ReadWord(group + kGroupHeader + 12);
    DWORD size = 0;
    const BYTE *image = ResourceBytes(hInstance, MAKEINTRESOURCEW(id), RT_ICON, &size);
    BITMAPINFOHEADER header;
    if (!image || size < sizeof(header)) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    memcpy(&header, image, sizeof(header));
    int width = header.biWidth;
    int height = header.biHeight / 2;
    int bits = header.biBitCount;
    bool bitsOk = bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
    if (header.biSize < sizeof(header) || header.biSize > size || width <= 0 || width > 256 || height <= 0 ||
        height > 256 || !bitsOk || header.biCompression != BI_RGB) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    DWORD colours = bits <= 8 ? (header.biClrUsed ? header.biClrUsed : 1u << bits) : 0;
    if (colours > 256u)
        colours = 256u;
    size_t xorStride = (size_t)((width * bits + 31) / 32) * 4;
    size_t andStride = (size_t)((width + 31) / 32) * 4;
    size_t paletteAt = header.biSize;
    size_t xorAt = paletteAt + colours * sizeof(RGBQUAD);
    size_t andAt = xorAt + xorStride * height;
    if (andAt + andStride * height > size) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    std::vector<RGBQUAD> palette(colours ? colours : 1);
    memcpy(palette.data(), image + paletteAt, colours * sizeof(RGBQUAD));
    size_t andOut = (size_t)((width + 15) / 16) * 2;
    std::vector<BYTE> andBits(andOut * height, 0);
    std::vector<BYTE> xorBits((size_t)width * 4 * height, 0);
    for (int y = 0; y < height; ++y) {
        const BYTE *xorRow = image + xorAt + xorStride * (height - 1 - y);
        const BYTE *andRow = image + andAt + andStride * (height - 1 - y);
        memcpy(&andBits[andOut * y], andRow, andOut);
        for (int x = 0; x < width; ++x) {
            DWORD pixel = PixelOf(xorRow, x, bits, palette.data(), colours);
            memcpy(&xorBits[((size_t)y * width + x) * 4], &pixel, 4);
        }
    }
    return CreateIcon(hInstance, width, height, 1, 32, andBits.data(), xorBits.data());
}
