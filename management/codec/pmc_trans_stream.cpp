/*
 * "TransStream": the translator entry that makes one encoder or decoder of the library's
 * own codec per exchange, the raw-buffer side of both, and the packet hooks.
 */
#include "management/codec/pmc_trans_stream.h"

#include "management/base/pmc_status.h"
#include "management/codec/pmc_codec.h"
#include "management/codec/pmc_raw_buffer.h"
#include "management/packets/pmc_packet.h"

const char PMC_TRANS_STREAM_NAME[] = "TransStream";

/* encode_message: the buffer gets the target's maximum message size, the message is
 * written into its end and the position is moved to where the message starts, so the
 * remaining bytes are exactly the message. */
int CPmcMessageEncoder::encode_message(CPmcRawBuffer *buffer, IPmsSnmpPacket *packet)
{
    m_bindings = 0;
    if (!buffer || !packet || !packet->get_target() || !packet->get_pdu())
        return PMC_E_ARG;
    int code = buffer->allocate(packet->get_target()->get_max_message_size());
    if (code != PMC_OK)
        return code;
    uint32_t start = 0;
    code = encode_bytes(packet, buffer->data(), buffer->length(), &start);
    return code == PMC_OK ? buffer->set_position(start) : code;
}

/* decode_message: the bytes from the buffer's position to its end. */
int CPmcMessageDecoder::decode_message(CPmcRawBuffer *buffer, IPmsSnmpPacket *packet)
{
    if (!buffer || !packet)
        return PMC_E_ARG;
    return decode_bytes(packet, buffer->position(), buffer->remaining());
}

/* The translator: no data, so the static object needs no constructor at load. */
class CPmcTransStream : public IPmcTranslator
{
public:
    const char *name() override
    {
        return PMC_TRANS_STREAM_NAME;
    }
    IPmcMessageEncoder *create_encoder(int *code) override
    {
        return pmc_create_message_encoder(code);
    }
    IPmcMessageDecoder *create_decoder(int *code) override
    {
        return pmc_create_message_decoder(code);
    }
};

static constinit CPmcTransStream s_trans_stream;

IPmcTranslator *pmc_trans_stream()
{
    return &s_trans_stream;
}

/* ---- packet hooks ---- */

static IPmsSnmpPacket *wrap_packet(IPmsPdu *pdu, IPmsSnmpTarget *target, int *code)
{
    IPmsSnmpPacket *packet = pms_create_packet(code);
    if (packet) {
        packet->set_pdu(pdu);
        packet->set_target(target);
    }
    return packet;
}

static void unwrap_packet(IPmsSnmpPacket *packet)
{
    packet->take_pdu();
    packet->take_target();
    packet->release();
}

static void release_packet(IPmsSnmpPacket *packet)
{
    packet->release();
}

static int read_packet_header(IPmsSnmpPacket *packet, int32_t *request_id, int32_t *error_status)
{
    IPmsPdu *pdu = packet->get_pdu();
    if (!pdu)
        return PMC_E_ARG;
    *request_id = pdu->get_request_id();
    *error_status = pdu->get_error_status();
    return PMC_OK;
}

static const PmcPacketHooks s_packet_hooks = {wrap_packet, unwrap_packet, release_packet, read_packet_header};

const PmcPacketHooks *pms_packet_hooks()
{
    return &s_packet_hooks;
}
