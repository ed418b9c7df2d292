/*
 * The codec's fuzz entry: arbitrary bytes decoded as a whole community message and
 * through the header-only peek, each into a fresh packet; a message that decodes is
 * encoded again. Built as a libFuzzer target by scripts/fuzz-codec and replayed over
 * the seed corpus and saved findings by a test of the normal build.
 */
#include <cstddef>
#include <cstdint>

#include "management/codec/pmc_codec.h"

/* decode_once: one decode of `bytes` into a new packet; a decoded one is encoded back. */
static void decode_once(const uint8_t *bytes, size_t size, bool header_only)
{
    IPmsSnmpPacket *packet = pms_create_packet(nullptr);
    CPmcMessageDecoder *decoder = pmc_create_message_decoder(nullptr);
    if (packet && decoder) {
        decoder->set_message_kind(PMC_MESSAGE_COMMUNITY);
        decoder->set_header_only(header_only);
        int code = decoder->decode_bytes(packet, bytes, (uint32_t)size);
        CPmcMessageEncoder *encoder = code == 0 ? pmc_create_message_encoder(nullptr) : nullptr;
        if (encoder) {
            uint8_t storage[1500];
            uint32_t start = 0;
            encoder->encode_bytes(packet, storage, sizeof storage, &start);
            encoder->release();
        }
    }
    if (decoder)
        decoder->release();
    if (packet)
        packet->release();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 0xFFFF)
        return 0;
    decode_once(data, size, false);
    decode_once(data, size, true);
    return 0;
}
