/*
 * CPmcMessageEncoder: a packet into the bytes of one community message, written
 * backwards so that every length is known when its header is written.
 */
#include "management/codec/pmc_codec.h"

#include <cstring>

#include "management/base/pmc_status.h"
#include "management/logging/pmc_log.h"
#include "management/values/pmc_value.h"

/* BER tags of the message structure. */
static const uint8_t s_tag_sequence = 0x30;
static const uint8_t s_tag_pdu = 0xA0;
static const uint8_t s_tag_v2_trap = 0xA7;

/* The enterprise of the generic traps, as dotted text with its trailing dot. */
static const char s_generic_trap_prefix[] = "1.3.6.1.6.3.1.1.5.";
static const uint32_t s_generic_trap_count = 11; /* the prefix's 9, then 0 and g + 1 */

CPmcMessageEncoder *pmc_create_message_encoder(int *code)
{
    CPmcMessageEncoder *encoder = new CPmcMessageEncoder();
    pms_set_code(code, encoder ? PMC_OK : PMC_E_MEMORY);
    return encoder;
}

CPmcMessageEncoder::~CPmcMessageEncoder()
{
    delete m_writer;
}

int CPmcMessageEncoder::reserved()
{
    return PMC_E_UNSUPPORTED;
}

void CPmcMessageEncoder::destroy()
{
    delete this;
}

void CPmcMessageEncoder::release()
{
    delete this;
}

/* close_element: the length of everything written since `start` (a written() count),
 * then `tag`; records the element's whole length. */
void CPmcMessageEncoder::close_element(uint8_t tag, uint32_t start)
{
    m_writer->put_length(m_writer->written() - start);
    m_writer->put_byte(tag);
    m_last_length = m_writer->written() - start;
}

/* put_number: the low `size` bytes of `bits`, most significant first, as one element. */
void CPmcMessageEncoder::put_number(uint8_t tag, uint32_t bits, uint32_t size)
{
    uint32_t start = m_writer->written();
    for (uint32_t i = 0; i < size; ++i)
        m_writer->put_byte(i < 4 ? (uint8_t)(bits >> (8 * i)) : 0);
    close_element(tag, start);
}

void CPmcMessageEncoder::put_integer(int32_t value)
{
    put_number((uint8_t)PMS_TAG_INTEGER, (uint32_t)value, pmc_ber_signed_size(value));
}

int CPmcMessageEncoder::encode_bytes(IPmsSnmpPacket *packet, uint8_t *storage, uint32_t size, uint32_t *start)
{
    m_storage = storage;
    m_size = size;
    int code = code_message(packet);
    if (code == PMC_OK && start)
        *start = m_size;
    return code;
}

/* code_message: on success m_size becomes the offset where the message starts. */
int CPmcMessageEncoder::code_message(IPmsSnmpPacket *packet)
{
    if (!packet || !packet->get_target() || !packet->get_pdu())
        return PMC_E_ARG;
    IPmsSnmpTarget *target = packet->get_target();
    m_version = target->get_version();
    m_bindings = 0;
    delete m_writer;
    m_writer = new CPmcBerWriter(m_storage, m_storage ? m_size : 0);
    if (!m_writer)
        return PMC_E_MEMORY;
    int code = code_pdu(packet->get_pdu());
    if (code == PMC_OK)
        code = code_header(target);
    if (code == PMC_OK) {
        close_element(s_tag_sequence, 0);
        if (m_writer->overflow())
            code = PMC_E_TOO_BIG;
        else
            m_size = m_writer->offset();
    }
    delete m_writer;
    m_writer = nullptr;
    return code;
}

/* code_header: the community, then the version (backwards). */
int CPmcMessageEncoder::code_header(IPmsSnmpTarget *target)
{
    IPmsCommunityTarget *community = nullptr;
    if (target)
        target->query(PMS_QUERY_COMMUNITY, (void **)&community);
    if (!community)
        return PMC_E_ARG;
    const char *text = community->get_community();
    uint32_t start = m_writer->written();
    m_writer->put_block(text, text ? (uint32_t)std::strlen(text) : 0);
    close_element((uint8_t)PMS_TAG_OCTET_STRING, start);
    put_integer(m_version);
    return PMC_OK;
}

/*
 * code_pdu: PDU types outside the defined ones (-1 among them) are refused: they have no
 * tag of their own and would give a message no agent reads.
 */
int CPmcMessageEncoder::code_pdu(IPmsPdu *pdu)
{
    int32_t type = pdu->get_type();
    if (type < PMS_PDU_GET || type > PMS_PDU_REPORT || type == 7)
        return PMC_E_ARG;
    IPmsVarBindList *list = pdu->get_list();
    int code = PMC_OK;
    if (!list) {
        list = pms_create_var_bind_list(&code);
        if (!list)
            return code;
        pdu->set_list(list);
    }
    uint32_t start = m_writer->written();
    code = code_list(list);
    if (code != PMC_OK)
        return code;
    if (type == PMS_PDU_TRAP)
        code = m_version == PMS_VERSION_1 ? code_v1_trap_header(pdu) : code_v2_trap_header(pdu);
    else
        code = code_standard_header(pdu);
    if (code != PMC_OK)
        return code;
    bool v2_trap = type == PMS_PDU_TRAP && m_version != PMS_VERSION_1;
    close_element(v2_trap ? s_tag_v2_trap : (uint8_t)(s_tag_pdu + type), start);
    return m_writer->overflow() ? PMC_E_TOO_BIG : PMC_OK;
}

/* code_list: the bindings last to first; a binding counts when it was written whole. */
int CPmcMessageEncoder::code_list(IPmsVarBindList *list)
{
    uint32_t start = m_writer->written();
    for (uint32_t i = list->count(); i-- > 0;) {
        int code = code_binding(list->get(i));
        if (code != PMC_OK)
            return code;
        if (!m_writer->overflow())
            ++m_bindings;
    }
    close_element(s_tag_sequence, start);
    return m_writer->overflow() ? PMC_E_TOO_BIG : PMC_OK;
}

/* code_binding: the value, then the name; a binding without either is refused. */
int CPmcMessageEncoder::code_binding(IPmsVarBind *binding)
{
    IPmsOid *name = binding->get_name();
    IPmsValue *value = binding->get_value();
    if (!name || !value)
        return PMC_E_ARG;
    uint32_t start = m_writer->written();
    int code = value->accept(this);
    if (code == PMC_OK)
        code = put_oid(name, name->value()->length());
    if (code != PMC_OK)
        return code;
    close_element(s_tag_sequence, start);
    return PMC_OK;
}

int CPmcMessageEncoder::code_standard_header(IPmsPdu *pdu)
{
    put_integer(pdu->get_error_index());
    put_integer(pdu->get_error_status());
    put_integer(pdu->get_request_id());
    return PMC_OK;
}

/*
 * code_v1_trap_header: the trap OID enterprise.0.specific, or the generic form
 * 1.3.6.1.6.3.1.1.5.0.(g+1), back into enterprise, generic and specific trap. The agent
 * address is always 0.0.0.0.
 */
int CPmcMessageEncoder::code_v1_trap_header(IPmsPdu *pdu)
{
    IPmsOid *trap = pdu->get_trap_oid();
    IPmsValue *time_stamp = pdu->get_time_stamp();
    if (!trap || !time_stamp)
        return PMC_E_ARG;
    IPmsValue *trap_value = trap->value();
    uint32_t count = trap_value->length();
    if (count < 2 || trap_value->read_element(count - 2, nullptr) != 0)
        return PMC_E_ARG;
    uint32_t last = trap_value->read_element(count - 1, nullptr);
    uint32_t text_length = 0;
    const char *text = (const char *)trap_value->raw_bytes(&text_length, nullptr);
    bool generic = count == s_generic_trap_count &&
                   std::strncmp(text, s_generic_trap_prefix, sizeof s_generic_trap_prefix - 1) == 0;
    int code = time_stamp->accept(this);
    if (code != PMC_OK)
        return code;
    put_integer(generic ? 0 : (int32_t)last);
    put_integer(generic ? (int32_t)last - 1 : 6);
    static const uint8_t s_any_address[4] = {0, 0, 0, 0};
    uint32_t start = m_writer->written();
    m_writer->put_block(s_any_address, sizeof s_any_address);
    close_element((uint8_t)PMS_TAG_IP_ADDRESS, start);
    return put_oid(trap, count - 2);
}

int CPmcMessageEncoder::code_v2_trap_header(IPmsPdu *)
{
    return PMC_E_UNSUPPORTED;
}

/*
 * put_oid: the first `count` sub-identifiers of `oid`: the third and later ones last to
 * first, then the first two merged as first * 40 + second. One sub-identifier cannot be
 * written (-2 with its line); a merged pair beyond 32 bits is refused with -2.
 */
int CPmcMessageEncoder::put_oid(IPmsOid *oid, uint32_t count)
{
    IPmsValue *value = oid->value();
    uint32_t start = m_writer->written();
    if (count == 1) {
        pmc_static_logger(PMC_LOGGER_SNMP)->write(PMC_LOG_ERROR, "encode error:oid size is 1.");
        return PMC_E_ARG;
    }
    if (count >= 2) {
        for (uint32_t i = count; i-- > 2;)
            m_writer->put_sub_identifier(value->read_element(i, nullptr));
        uint64_t merged = (uint64_t)value->read_element(0, nullptr) * 40 + value->read_element(1, nullptr);
        if (merged > 0xFFFFFFFFu)
            return PMC_E_ARG;
        m_writer->put_sub_identifier((uint32_t)merged);
    }
    close_element((uint8_t)PMS_TAG_OID, start);
    return PMC_OK;
}

int CPmcMessageEncoder::visit_oid(IPmsValue *value)
{
    IPmsOid *oid = value->as_oid();
    return oid ? put_oid(oid, value->length()) : PMC_E_ARG;
}

int CPmcMessageEncoder::visit_octets(IPmsValue *value)
{
    uint32_t length = 0;
    const uint8_t *bytes = value->raw_bytes(&length, nullptr);
    uint32_t start = m_writer->written();
    m_writer->put_block(bytes, bytes ? length : 0);
    close_element((uint8_t)value->tag(), start);
    return PMC_OK;
}

int CPmcMessageEncoder::visit_integer(IPmsValue *value)
{
    put_integer(value->read_signed(nullptr));
    return PMC_OK;
}

int CPmcMessageEncoder::visit_null(IPmsValue *)
{
    put_number((uint8_t)PMS_TAG_NULL, 0, 0);
    return PMC_OK;
}

int CPmcMessageEncoder::visit_counter32(IPmsValue *value)
{
    return visit_gauge32(value);
}

int CPmcMessageEncoder::visit_gauge32(IPmsValue *value)
{
    uint32_t number = value->read_unsigned(nullptr);
    put_number((uint8_t)value->tag(), number, pmc_ber_unsigned_size(number));
    return PMC_OK;
}

int CPmcMessageEncoder::visit_timeticks(IPmsValue *value)
{
    return visit_gauge32(value);
}

/* visit_counter64: the low word gives the last min(size, 4) bytes, the high word those
 * before them. */
int CPmcMessageEncoder::visit_counter64(IPmsValue *value)
{
    uint32_t high = value->read_high(nullptr);
    uint32_t low = value->read_low(nullptr);
    uint32_t size = high ? pmc_ber_unsigned_size(high) + 4 : pmc_ber_unsigned_size(low);
    uint32_t start = m_writer->written();
    for (uint32_t i = 0; i < size; ++i) {
        uint32_t word = i < 4 ? low : high;
        uint32_t shift = 8 * (i % 4);
        m_writer->put_byte(i < 8 ? (uint8_t)(word >> shift) : 0);
    }
    close_element((uint8_t)PMS_TAG_COUNTER64, start);
    return PMC_OK;
}

int CPmcMessageEncoder::visit_ip_address(IPmsValue *value)
{
    return visit_octets(value);
}

int CPmcMessageEncoder::visit_ipv6_address(IPmsValue *value)
{
    return visit_octets(value);
}

int CPmcMessageEncoder::visit_ipv4_transport(IPmsValue *)
{
    return PMC_E_UNSUPPORTED;
}

int CPmcMessageEncoder::visit_ipx_transport(IPmsValue *)
{
    return PMC_E_UNSUPPORTED;
}

int CPmcMessageEncoder::visit_exception(IPmsValue *value)
{
    put_number((uint8_t)value->tag(), 0, 0);
    return PMC_OK;
}
