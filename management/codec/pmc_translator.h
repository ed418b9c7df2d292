/*
 * The process-wide registry of message translators. A translator names a message format
 * and makes one encoder or decoder per exchange; the sessions encode requests, decode
 * answers and peek at an answer's header through the registry, which always uses the
 * selected translator. The library's own codec registers itself (and is selected) at load.
 *
 * The registry works on the packet objects only through the encoder and decoder and
 * through the packet hooks below, which the packet layer supplies at load.
 */
#ifndef MANAGEMENT_CODEC_PMC_TRANSLATOR_H
#define MANAGEMENT_CODEC_PMC_TRANSLATOR_H

#include <cstdint>

#include "management/base/pmc_memory.h"

class CPmcRawBuffer;
class CPmcObjectList;
class IPmsSnmpPacket;
class IPmsPdu;
class IPmsSnmpTarget;

/* An encoder made for one exchange; the registry releases it after the call. */
class IPmcMessageEncoder
{
public:
    virtual void release() = 0;
    /* encode_message: writes the whole message of `packet` into `buffer`; 0 or a status
     * (-211 when it does not fit). */
    virtual int encode_message(CPmcRawBuffer *buffer, IPmsSnmpPacket *packet) = 0;
    /* binding_count: the variable bindings counted by the last encode_message. */
    virtual uint32_t binding_count() = 0;

protected:
    ~IPmcMessageEncoder() = default;
};

/* A decoder made for one exchange; the registry releases it after the call. */
class IPmcMessageDecoder
{
public:
    virtual void release() = 0;
    /* set_message_kind: 0 a community message; -1 unset. */
    virtual void set_message_kind(int kind) = 0;
    /* set_header_only: when on, decoding stops after the PDU header. */
    virtual void set_header_only(bool on) = 0;
    /* decode_message: decodes the message in `buffer` into `packet`; 0 or a status. */
    virtual int decode_message(CPmcRawBuffer *buffer, IPmsSnmpPacket *packet) = 0;

protected:
    ~IPmcMessageDecoder() = default;
};

/* A translator: a message format by name, making encoders and decoders. Registered
 * translators are static entries of their modules; the registry never frees them. */
class IPmcTranslator
{
public:
    virtual const char *name() = 0;
    /* create_encoder / create_decoder: a new object, or null with *code set (-3). */
    virtual IPmcMessageEncoder *create_encoder(int *code) = 0;
    virtual IPmcMessageDecoder *create_decoder(int *code) = 0;

protected:
    ~IPmcTranslator() = default;
};

/*
 * The packet hooks of the registry's PDU-and-target forms and of peek, supplied by the
 * packet layer through pmc_translator_set_packet_hooks.
 */
struct PmcPacketHooks {
    /* wrap: a temporary packet holding `pdu` and `target` (either may be null); null with
     * *code set on failure. */
    IPmsSnmpPacket *(*wrap)(IPmsPdu *pdu, IPmsSnmpTarget *target, int *code);
    /* unwrap: detaches the PDU and target that wrap was given and releases the packet. */
    void (*unwrap)(IPmsSnmpPacket *packet);
    /* release: releases a packet with everything it holds (peek's empty packet). */
    void (*release)(IPmsSnmpPacket *packet);
    /* read_header: the request-id and error-status of the packet's PDU; 0 or a status. */
    int (*read_header)(IPmsSnmpPacket *packet, int32_t *request_id, int32_t *error_status);
};

/* pmc_translator_set_packet_hooks: installs the hooks (kept by pointer; null removes). */
void pmc_translator_set_packet_hooks(const PmcPacketHooks *hooks);

class TranslatorRegistry : public CPmcHeapObject
{
public:
    /*
     * instance: the registry, created on first use. code (out, may be null): 0, or -3
     * with null when it cannot be created.
     */
    static TranslatorRegistry *instance(int *code);

    /* destroy_instance: frees the registry (at unload); the next use makes a new one. */
    static void destroy_instance();

    TranslatorRegistry(const TranslatorRegistry &) = delete;
    TranslatorRegistry &operator=(const TranslatorRegistry &) = delete;

    /* register_translator: appends `translator` and selects it. 0, -2 null, -3 memory. */
    int register_translator(IPmcTranslator *translator);

    /* select: the first registered translator whose name equals `name` exactly. 0, or -2
     * (null name or no such translator) with the selection unchanged. */
    int select(const char *name);

    /* release_selected: nothing is selected afterwards. */
    void release_selected();

    /* selected: the selected translator or null. */
    IPmcTranslator *selected() const
    {
        return m_selected;
    }

    /*
     * encode: writes `packet` into `buffer` through a fresh encoder. bindings (out, may be
     * null): the bindings the encoder counted, also on failure. Returns the encoder's
     * status, -8 nothing selected, -2 null buffer or packet, or the creation status.
     */
    int encode(CPmcRawBuffer *buffer, IPmsSnmpPacket *packet, uint32_t *bindings);

    /* encode (PDU, target): the same through a temporary packet; -2 for null pointers,
     * -5 when the packet layer has supplied no hooks. */
    int encode(IPmsPdu *pdu, IPmsSnmpTarget *target, CPmcRawBuffer *buffer);

    /* decode: decodes `buffer` into `packet` with message kind `kind`; -8, -2 as encode. */
    int decode(CPmcRawBuffer *buffer, IPmsSnmpPacket *packet, int kind);

    /* decode (kind, PDU, target): the same through a temporary packet; -5 without hooks. */
    int decode(int kind, IPmsPdu *pdu, IPmsSnmpTarget *target, CPmcRawBuffer *buffer);

    /*
     * peek: decodes only up to the PDU header and stores its request-id and error-status
     * (only on success). -8 nothing selected, -2 null pointers, -5 without hooks.
     */
    int peek(CPmcRawBuffer *buffer, int kind, int32_t *request_id, int32_t *error_status);

private:
    TranslatorRegistry() = default;
    ~TranslatorRegistry();
    int run_decoder(CPmcRawBuffer *buffer, IPmsSnmpPacket *packet, int kind, bool header_only);
    int through_temporary_packet(IPmsPdu *pdu, IPmsSnmpTarget *target, CPmcRawBuffer *buffer, bool encoding, int kind);

    CPmcObjectList *m_list = nullptr;
    IPmcTranslator *m_selected = nullptr;
};

#endif /* MANAGEMENT_CODEC_PMC_TRANSLATOR_H */
