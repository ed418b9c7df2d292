/*
 * The library's own codec of community SNMP messages (version 1 and version 2c): an
 * encoder and a decoder, each one message-codec operation table and one value visitor
 * over the value objects. The encoder writes backwards with CPmcBerWriter; the decoder
 * reads with CPmcBerReader and never reads past the received bytes. Failures log one
 * line on the logger "snmp".
 */
#ifndef MANAGEMENT_CODEC_PMC_CODEC_H
#define MANAGEMENT_CODEC_PMC_CODEC_H

#include <cstdint>

#include "management/base/pmc_memory.h"
#include "management/codec/pmc_ber.h"
#include "management/codec/pmc_translator.h"
#include "management/packets/pmc_packet.h"
#include "management/values/pmc_value.h"

/* The status of a message that does not fit its buffer. */
constexpr int PMC_E_TOO_BIG = -211;

/* Message kinds of the decoder. */
enum { PMC_MESSAGE_UNSET = -1, PMC_MESSAGE_COMMUNITY = 0 };

/* The message-codec operations in slot order (encoder and decoder alike). */
class IPmcMessageCodec
{
public:
    virtual int code_header(IPmsSnmpTarget *target) = 0;  /* 1 */
    virtual int reserved() = 0;                           /* 2: -5 */
    virtual void destroy() = 0;                           /* 3 */
    virtual void release() = 0;                           /* 4 */
    virtual int code_message(IPmsSnmpPacket *packet) = 0; /* 5 */
    virtual int code_pdu(IPmsPdu *pdu) = 0;               /* 6 */
    virtual int code_list(IPmsVarBindList *list) = 0;     /* 7 */
    virtual int code_binding(IPmsVarBind *binding) = 0;   /* 8 */
    virtual int code_standard_header(IPmsPdu *pdu) = 0;   /* 9 */
    virtual int code_v1_trap_header(IPmsPdu *pdu) = 0;    /* 10 */
    virtual int code_v2_trap_header(IPmsPdu *pdu) = 0;    /* 11: -5 */

protected:
    ~IPmcMessageCodec() = default;
};

class CPmcMessageEncoder : public CPmcHeapObject,
                           public IPmcMessageEncoder,
                           public IPmcMessageCodec,
                           public IPmsValueVisitor
{
public:
    /* pmc_create_message_encoder: a new encoder; null and -3 without memory. */
    friend CPmcMessageEncoder *pmc_create_message_encoder(int *code);
    CPmcMessageEncoder(const CPmcMessageEncoder &) = delete;
    CPmcMessageEncoder &operator=(const CPmcMessageEncoder &) = delete;

    /*
     * encode_bytes: writes the message of `packet` into the end of `storage` (`size`
     * bytes, the target's maximum message size at most as the caller sized it).
     * start (out): where the message begins; it runs to the end of the storage.
     * Returns 0, -2 (no target or PDU, a target without community, a bad PDU type or
     * trap identity, an OID of one sub-identifier), -3, -5 (a trap in a version-2c
     * message, a transport address value) or -211 (does not fit; nothing was written
     * outside the storage and binding_count() tells how many bindings fitted).
     */
    int encode_bytes(IPmsSnmpPacket *packet, uint8_t *storage, uint32_t size, uint32_t *start);
    /* IPmcMessageEncoder: encode_message sizes `buffer` to the target's maximum message
     * size and leaves its position at the message's first byte (remaining() = length).
     * binding_count: the bindings of the last list that were written whole. */
    int encode_message(CPmcRawBuffer *buffer, IPmsSnmpPacket *packet) override;
    uint32_t binding_count() override
    {
        return m_bindings;
    }

    /* IPmcMessageCodec */
    int code_header(IPmsSnmpTarget *target) override;
    int reserved() override;
    void destroy() override;
    void release() override;
    int code_message(IPmsSnmpPacket *packet) override;
    int code_pdu(IPmsPdu *pdu) override;
    int code_list(IPmsVarBindList *list) override;
    int code_binding(IPmsVarBind *binding) override;
    int code_standard_header(IPmsPdu *pdu) override;
    int code_v1_trap_header(IPmsPdu *pdu) override;
    int code_v2_trap_header(IPmsPdu *pdu) override;

    /* IPmsValueVisitor */
    int visit_oid(IPmsValue *value) override;
    int visit_octets(IPmsValue *value) override;
    int visit_integer(IPmsValue *value) override;
    int visit_null(IPmsValue *value) override;
    int visit_counter32(IPmsValue *value) override;
    int visit_gauge32(IPmsValue *value) override;
    int visit_timeticks(IPmsValue *value) override;
    int visit_counter64(IPmsValue *value) override;
    int visit_ip_address(IPmsValue *value) override;
    int visit_ipv6_address(IPmsValue *value) override;
    int visit_ipv4_transport(IPmsValue *value) override;
    int visit_ipx_transport(IPmsValue *value) override;
    int visit_exception(IPmsValue *value) override;

protected:
    CPmcMessageEncoder() = default;
    virtual ~CPmcMessageEncoder();

private:
    int put_oid(IPmsOid *oid, uint32_t count);
    void put_number(uint8_t tag, uint32_t bits, uint32_t size);
    void put_integer(int32_t value);
    void close_element(uint8_t tag, uint32_t start);

    uint8_t *m_storage = nullptr;
    uint32_t m_size = 0;
    int32_t m_version = -1;
    uint32_t m_bindings = 0;
    CPmcBerWriter *m_writer = nullptr;
    uint32_t m_last_length = 0;
};

CPmcMessageEncoder *pmc_create_message_encoder(int *code);

class CPmcMessageDecoder : public CPmcHeapObject,
                           public IPmcMessageDecoder,
                           public IPmcMessageCodec,
                           public IPmsValueVisitor
{
public:
    /* pmc_create_message_decoder: a new decoder; null and -3 without memory. */
    friend CPmcMessageDecoder *pmc_create_message_decoder(int *code);
    CPmcMessageDecoder(const CPmcMessageDecoder &) = delete;
    CPmcMessageDecoder &operator=(const CPmcMessageDecoder &) = delete;

    /* IPmcMessageDecoder: decode_message reads from the buffer's position to its end. */
    void set_message_kind(int kind) override
    {
        m_kind = kind;
    }
    void set_header_only(bool on) override
    {
        m_header_only = on;
    }
    int decode_message(CPmcRawBuffer *buffer, IPmsSnmpPacket *packet) override;

    /*
     * decode_bytes: decodes the message in `bytes` (`size` received bytes) into `packet`,
     * making its target (message kind 0 only) and PDU when missing. What was decoded
     * before a failure stays in the packet objects.
     * Returns 0, -2 (null, message kind not 0, a target of another kind), -3, -5 (a trap
     * in a version-2c message) or -250 (malformed or truncated).
     */
    int decode_bytes(IPmsSnmpPacket *packet, const uint8_t *bytes, uint32_t size);

    /* IPmcMessageCodec */
    int code_header(IPmsSnmpTarget *target) override;
    int reserved() override;
    void destroy() override;
    void release() override;
    int code_message(IPmsSnmpPacket *packet) override;
    int code_pdu(IPmsPdu *pdu) override;
    int code_list(IPmsVarBindList *list) override;
    int code_binding(IPmsVarBind *binding) override;
    int code_standard_header(IPmsPdu *pdu) override;
    int code_v1_trap_header(IPmsPdu *pdu) override;
    int code_v2_trap_header(IPmsPdu *pdu) override;

    /* IPmsValueVisitor */
    int visit_oid(IPmsValue *value) override;
    int visit_octets(IPmsValue *value) override;
    int visit_integer(IPmsValue *value) override;
    int visit_null(IPmsValue *value) override;
    int visit_counter32(IPmsValue *value) override;
    int visit_gauge32(IPmsValue *value) override;
    int visit_timeticks(IPmsValue *value) override;
    int visit_counter64(IPmsValue *value) override;
    int visit_ip_address(IPmsValue *value) override;
    int visit_ipv6_address(IPmsValue *value) override;
    int visit_ipv4_transport(IPmsValue *value) override;
    int visit_ipx_transport(IPmsValue *value) override;
    int visit_exception(IPmsValue *value) override;

protected:
    CPmcMessageDecoder() = default;
    virtual ~CPmcMessageDecoder();

private:
    int read_number(uint8_t tag, uint32_t *bits);

    const uint8_t *m_bytes = nullptr;
    uint32_t m_size = 0;
    int32_t m_version = -1;
    int m_kind = PMC_MESSAGE_UNSET;
    bool m_header_only = false;
    CPmcBerReader *m_reader = nullptr;
};

CPmcMessageDecoder *pmc_create_message_decoder(int *code);

#endif /* MANAGEMENT_CODEC_PMC_CODEC_H */
