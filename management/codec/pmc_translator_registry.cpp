/*
 * TranslatorRegistry: the list of translators, the selection and the exchange operations,
 * each of which makes a fresh encoder or decoder for its one call.
 */
#include "management/codec/pmc_translator.h"

#include <cstring>

#include "management/base/pmc_object_list.h"
#include "management/base/pmc_status.h"

/* Translators are static entries of their modules: the list keeps and drops pointers. */
static void *keep_translator(void *translator)
{
    return translator;
}

static void drop_translator(void *) {}

static const CPmcListPolicy s_translator_policy = {keep_translator, drop_translator};

constinit static TranslatorRegistry *s_registry = nullptr;
constinit static const PmcPacketHooks *s_packet_hooks = nullptr;

void pmc_translator_set_packet_hooks(const PmcPacketHooks *hooks)
{
    s_packet_hooks = hooks;
}

TranslatorRegistry *TranslatorRegistry::instance(int *code)
{
    if (!s_registry) {
        TranslatorRegistry *registry = new TranslatorRegistry();
        int status = PMC_E_MEMORY;
        if (registry)
            registry->m_list = pmc_create_object_list(&s_translator_policy, &status);
        if (status != PMC_OK) {
            delete registry;
            if (code)
                *code = status;
            return nullptr;
        }
        s_registry = registry;
    }
    if (code)
        *code = PMC_OK;
    return s_registry;
}

void TranslatorRegistry::destroy_instance()
{
    delete s_registry;
    s_registry = nullptr;
}

TranslatorRegistry::~TranslatorRegistry()
{
    if (m_list)
        m_list->release();
}

int TranslatorRegistry::register_translator(IPmcTranslator *translator)
{
    if (!translator)
        return PMC_E_ARG;
    int status = m_list->append(translator);
    if (status == PMC_OK)
        m_selected = translator;
    return status;
}

int TranslatorRegistry::select(const char *name)
{
    if (!name)
        return PMC_E_ARG;
    IPmcObjectListIterator *it = m_list->create_iterator(nullptr);
    if (!it)
        return PMC_E_MEMORY;
    IPmcTranslator *found = nullptr;
    for (void *e; !found && (e = m_list->element_at(it)) != nullptr; m_list->advance(it)) {
        IPmcTranslator *translator = (IPmcTranslator *)e;
        const char *own = translator->name();
        if (own && std::strcmp(own, name) == 0)
            found = translator;
    }
    m_list->release_iterator(it);
    if (!found)
        return PMC_E_ARG;
    m_selected = found;
    return PMC_OK;
}

void TranslatorRegistry::release_selected()
{
    m_selected = nullptr;
}

int TranslatorRegistry::encode(CPmcRawBuffer *buffer, IPmsSnmpPacket *packet, uint32_t *bindings)
{
    if (!m_selected)
        return PMC_E_EMPTY;
    if (!buffer || !packet)
        return PMC_E_ARG;
    int status = PMC_E_MEMORY;
    IPmcMessageEncoder *encoder = m_selected->create_encoder(&status);
    if (!encoder)
        return status != PMC_OK ? status : PMC_E_MEMORY;
    status = encoder->encode_message(buffer, packet);
    if (bindings)
        *bindings = encoder->binding_count();
    encoder->release();
    return status;
}

int TranslatorRegistry::encode(IPmsPdu *pdu, IPmsSnmpTarget *target, CPmcRawBuffer *buffer)
{
    return through_temporary_packet(pdu, target, buffer, true, 0);
}

/* through_temporary_packet: encodes or decodes (with `kind`) through a packet that holds
 * the caller's PDU and target for the one call. */
int TranslatorRegistry::through_temporary_packet(IPmsPdu *pdu, IPmsSnmpTarget *target, CPmcRawBuffer *buffer,
                                                 bool encoding, int kind)
{
    if (!m_selected)
        return PMC_E_EMPTY;
    if (!pdu || !target || !buffer)
        return PMC_E_ARG;
    if (!s_packet_hooks)
        return PMC_E_UNSUPPORTED;
    int status = PMC_E_MEMORY;
    IPmsSnmpPacket *packet = s_packet_hooks->wrap(pdu, target, &status);
    if (!packet)
        return status != PMC_OK ? status : PMC_E_MEMORY;
    status = encoding ? encode(buffer, packet, nullptr) : run_decoder(buffer, packet, kind, false);
    s_packet_hooks->unwrap(packet);
    return status;
}

/* run_decoder: one decoder with the kind and header switch over the whole message. */
int TranslatorRegistry::run_decoder(CPmcRawBuffer *buffer, IPmsSnmpPacket *packet, int kind, bool header_only)
{
    int status = PMC_E_MEMORY;
    IPmcMessageDecoder *decoder = m_selected->create_decoder(&status);
    if (!decoder)
        return status != PMC_OK ? status : PMC_E_MEMORY;
    decoder->set_message_kind(kind);
    decoder->set_header_only(header_only);
    status = decoder->decode_message(buffer, packet);
    decoder->release();
    return status;
}

int TranslatorRegistry::decode(CPmcRawBuffer *buffer, IPmsSnmpPacket *packet, int kind)
{
    if (!m_selected)
        return PMC_E_EMPTY;
    if (!buffer || !packet)
        return PMC_E_ARG;
    return run_decoder(buffer, packet, kind, false);
}

int TranslatorRegistry::decode(int kind, IPmsPdu *pdu, IPmsSnmpTarget *target, CPmcRawBuffer *buffer)
{
    return through_temporary_packet(pdu, target, buffer, false, kind);
}

int TranslatorRegistry::peek(CPmcRawBuffer *buffer, int kind, int32_t *request_id, int32_t *error_status)
{
    if (!m_selected)
        return PMC_E_EMPTY;
    if (!buffer || !request_id || !error_status)
        return PMC_E_ARG;
    if (!s_packet_hooks)
        return PMC_E_UNSUPPORTED;
    int status = PMC_E_MEMORY;
    IPmsSnmpPacket *packet = s_packet_hooks->wrap(nullptr, nullptr, &status);
    if (!packet)
        return status != PMC_OK ? status : PMC_E_MEMORY;
    status = run_decoder(buffer, packet, kind, true);
    int32_t id = 0;
    int32_t error = 0;
    if (status == PMC_OK)
        status = s_packet_hooks->read_header(packet, &id, &error);
    if (status == PMC_OK) {
        *request_id = id;
        *error_status = error;
    }
    s_packet_hooks->release(packet);
    return status;
}
