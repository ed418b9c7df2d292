/*
 * Image headers for the writer tests and the benchmark.
 */
#ifndef QM_RENDER_PDL_WRITER_TESTS_TEST_IMAGES_H
#define QM_RENDER_PDL_WRITER_TESTS_TEST_IMAGES_H

#include <cstring>

#include "render/pdl/writer/image_header.h"

namespace writer_test {

// An uncompressed RGB image of width x height pixels at (x, y) with pixel data and no
// mask, placed by the identity.
inline ImageHeader RgbImageHeader(float x, float y, WORD width, WORD height)
{
    ImageHeader h;
    memset(&h, 0, sizeof h);
    h.x = x;
    h.y = y;
    h.placement[0] = 1.0f;
    h.placement[3] = 1.0f;
    h.width = width;
    h.height = height;
    h.maskKind = IMAGE_MASK_NONE;
    h.sourceKind = IMAGE_SOURCE_DATA;
    h.colorType = IMAGE_COLOR_RGB;
    h.compression = 1;
    h.bitsPerComponent = 8;
    h.dataPresent = 1;
    h.dataBytes = 3u * width * height;
    return h;
}

} // namespace writer_test

#endif /* QM_RENDER_PDL_WRITER_TESTS_TEST_IMAGES_H */
