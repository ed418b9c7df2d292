/*
 * Decoder of method-8 image data (the run coder's bit stream), written from the format's
 * tables alone for tests and the dump tool; it shares nothing with the coder.
 */
#ifndef QM_TESTING_LUMIQ_RUN_DECODER_H
#define QM_TESTING_LUMIQ_RUN_DECODER_H

#include <stddef.h>
#include <stdint.h>

#include <vector>

namespace lumiq {

/*
 * DecodeRunCoded: the pixels of an image of width x height pixels, bytesPerPixel 1 or 3
 * (or 4), rows packed, from the coded bytes. FALSE when the stream ends early, holds a
 * code outside the tables, a run passing the image's end, or does not end with the
 * closing code followed only by 1 bits to its last byte.
 */
bool DecodeRunCoded(const uint8_t *coded, size_t size, uint32_t width, uint32_t height, uint32_t bytesPerPixel,
                    std::vector<uint8_t> *pixels);

} // namespace lumiq

#endif /* QM_TESTING_LUMIQ_RUN_DECODER_H */
