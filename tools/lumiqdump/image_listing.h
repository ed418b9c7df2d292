/*
 * lumiqdump --images: one line per image command of a listed stream, with the sizes,
 * colour type, method and byte counts, and a CRC-32 of the pixel rows where the tool
 * can decode them.
 */
#ifndef QM_TOOLS_LUMIQDUMP_IMAGE_LISTING_H
#define QM_TOOLS_LUMIQDUMP_IMAGE_LISTING_H

#include <cstddef>
#include <cstdint>
#include <string>

// ListImages: the image lines of data whose listing (lqd_DumpStream's output) is dump.
//   image <o> Cq <W>x<H> type <t> method <m> palette <entries> <bytes> mask <n> data <n> <rows>
//   image <o> Cp <W>x<H> data <n> crc <hex>
// <rows>: "crc <hex>" of the decoded rows (methods 1 and 8), "jpeg <W>x<H> components <c>"
// (method 4), "opaque" (6 and 7), or "undecodable" when the data does not decode.
std::string ListImages(const uint8_t *data, size_t size, const std::string &dump);

// Crc32: the CRC-32 (IEEE, reflected) of n bytes.
uint32_t Crc32(const uint8_t *bytes, size_t n);

#endif /* QM_TOOLS_LUMIQDUMP_IMAGE_LISTING_H */
