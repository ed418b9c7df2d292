/*
 * Fuzz entry of the drawing input the engine takes from applications: the bytes as a DIB
 * (header, masks or colour table, pixels) read through the header's checks and, when they
 * read and the described image fits the bytes, made into a source surface and colour
 * translation whose every row is read; then the rest as polygon points (two bytes each,
 * the first byte of the rest the fill mode) made into a region, combined with a rectangle
 * and made into a clip. Nothing may be read past the bytes and nothing built may outlive
 * the input.
 *
 * Seeds: an 8-bit bottom-up image with a star after it, a 16-bit top-down bit-field image.
 */
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <vector>

#include "platform/src/engine/drawing_objects.h"
#include "platform/testing/qm_testing.h"
#include "testing/fuzz/fuzz_support.h"

static void ReadImage(const std::vector<BYTE> &bytes)
{
    qme::DibLayout layout;
    const BITMAPINFO *bmi = reinterpret_cast<const BITMAPINFO *>(bytes.data());
    /* The header is read with room for its three masks, as a caller hands it. */
    if (bytes.size() < sizeof(BITMAPINFOHEADER) + 12 || !qme::ReadDibHeader(bmi, DIB_RGB_COLORS, &layout))
        return;
    size_t table = layout.bitfields && bmi->bmiHeader.biCompression == BI_BITFIELDS ? 12 : layout.colors * 4;
    unsigned long long need = static_cast<unsigned long long>(bmi->bmiHeader.biSize) + table + layout.imageBytes;
    if (need > bytes.size())
        return;
    const BYTE *bits = bytes.data() + bmi->bmiHeader.biSize + table;
    SURFOBJ *pso = qme::NewDibSurface(layout, bits);
    XLATEOBJ *xo = qme::NewDibXlate(bmi, layout, PAL_BGR);
    ULONG sum = 0;
    if (pso) {
        const BYTE *row = static_cast<const BYTE *>(pso->pvScan0);
        for (LONG y = 0; y < pso->sizlBitmap.cy; ++y, row += pso->lDelta)
            for (ULONG x = 0; x < layout.stride; ++x)
                sum += row[x];
    }
    if (xo && layout.colors)
        sum += XLATEOBJ_iXlate(xo, sum % layout.colors);
    qme::DeleteEngineXlate(xo);
    qme::DeleteEngineSurface(pso);
    (void)sum;
}

static void ReadRegion(const uint8_t *data, size_t size)
{
    if (size < 7)
        return;
    int mode = data[0] & 1 ? WINDING : ALTERNATE;
    std::vector<POINTL> points;
    for (size_t i = 1; i + 1 < size; i += 2)
        points.push_back(POINTL{static_cast<LONG>(data[i]) * 4 - 256, static_cast<LONG>(data[i + 1]) * 4 - 256});
    qme::Region polygon, box, out;
    if (!qme::PolygonRegion(points.data(), static_cast<ULONG>(points.size()), mode, &polygon))
        return;
    qme::RectRegion(RECTL{-64, -64, 200, 300}, &box);
    qme::CombineRegions(polygon, box, 1 + data[0] % 5, &out);
    CLIPOBJ *pco = qme::NewEngineClip(&out, SIZEL{512, 512}, RECTL{0, 0, 512, 512});
    qme::DeleteEngineClip(pco);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz_EnsureRoot();
    DWORD surfaces = qmt_LiveSurfaces();
    std::vector<BYTE> bytes(data, data + size);
    ReadImage(bytes);
    size_t split = size > 64 ? size - size / 4 : size;
    ReadRegion(data + split, size - split);
    if (qmt_LiveSurfaces() != surfaces)
        fuzz_Fail("drawing_input", "a surface outlived its input");
    return 0;
}
