/*
 * CPmcMessageDecoder: the bytes of one community message (version 1 or 2c) into a
 * packet. Every length is compared with the bytes left before anything is read, so
 * nothing past the received bytes is ever touched.
 */
#include "management/codec/pmc_codec.h"

#include "management/base/pmc_status.h"
#include "management/logging/pmc_log.h"
#include "management/values/pmc_value.h"

static const uint8_t s_tag_sequence = 0x30;

/* The trap OID of generic trap g is this text followed by g + 1. */
static const char s_generic_trap_oid[] = "1.3.6.1.6.3.1.1.5.0";
static const int32_t s_enterprise_specific = 6;

/* The highest error-status of the protocol (inconsistentName). */
static const uint32_t s_max_error_status = 18;

/* Value tags a binding may carry in a received message. */
static const uint8_t s_accepted_tags[] = {(uint8_t)PMS_TAG_INTEGER,
                                          (uint8_t)PMS_TAG_OCTET_STRING,
                                          (uint8_t)PMS_TAG_NULL,
                                          (uint8_t)PMS_TAG_OID,
                                          (uint8_t)PMS_TAG_IP_ADDRESS,
                                          (uint8_t)PMS_TAG_COUNTER32,
                                          (uint8_t)PMS_TAG_GAUGE32,
                                          (uint8_t)PMS_TAG_TIMETICKS,
                                          (uint8_t)PMS_TAG_OPAQUE,
                                          (uint8_t)PMS_TAG_COUNTER64,
                                          (uint8_t)PMS_TAG_NO_SUCH_OBJECT,
                                          (uint8_t)PMS_TAG_NO_SUCH_INSTANCE,
                                          (uint8_t)PMS_TAG_END_OF_MIB_VIEW};

/* PDU type of each tag 0xA0 to 0xA8; 0xA7 is the version-2c trap. */
static const int32_t s_pdu_types[] = {PMS_PDU_GET,
                                      PMS_PDU_GET_NEXT,
                                      PMS_PDU_RESPONSE,
                                      PMS_PDU_SET,
                                      PMS_PDU_TRAP,
                                      PMS_PDU_GET_BULK,
                                      PMS_PDU_INFORM,
                                      PMS_PDU_TRAP,
                                      PMS_PDU_REPORT};

/* Content bytes of the numbers: five for a 32-bit value behind a leading zero; nine for
 * Counter64 behind a leading zero. A longer number is refused, never cut to its low bytes. */
static const uint32_t s_max_number_bytes = 5;
static const uint32_t s_max_counter64_bytes = 9;

/* fail: logs `line` at level Error on "snmp" and answers -250. */
static int fail(const char *line)
{
    pmc_static_logger(PMC_LOGGER_SNMP)->write(PMC_LOG_ERROR, "%s", line);
    return PMC_E_MALFORMED;
}

static bool accepted_tag(uint8_t tag)
{
    for (uint8_t accepted : s_accepted_tags) {
        if (accepted == tag)
            return true;
    }
    return false;
}

CPmcMessageDecoder *pmc_create_message_decoder(int *code)
{
    CPmcMessageDecoder *decoder = new CPmcMessageDecoder();
    pms_set_code(code, decoder ? PMC_OK : PMC_E_MEMORY);
    return decoder;
}

CPmcMessageDecoder::~CPmcMessageDecoder()
{
    delete m_reader;
}

int CPmcMessageDecoder::reserved()
{
    return PMC_E_UNSUPPORTED;
}

void CPmcMessageDecoder::destroy()
{
    delete this;
}

void CPmcMessageDecoder::release()
{
    delete this;
}

int CPmcMessageDecoder::decode_bytes(IPmsSnmpPacket *packet, const uint8_t *bytes, uint32_t size)
{
    m_bytes = bytes;
    m_size = bytes ? size : 0;
    return code_message(packet);
}

/*
 * read_number: an integer element of `tag` into 32 bits, sign-extended from the first
 * byte. Length 0 gives 0; more than five bytes, or five without a leading zero, -250.
 */
int CPmcMessageDecoder::read_number(uint8_t tag, uint32_t *bits)
{
    uint32_t length = 0;
    const uint8_t *bytes = nullptr;
    if (m_reader->get_tag_length(tag, &length) != PMC_OK || length > s_max_number_bytes ||
        m_reader->take(length, &bytes) != PMC_OK)
        return PMC_E_MALFORMED;
    if (length == s_max_number_bytes && bytes[0] != 0)
        return PMC_E_MALFORMED;
    uint32_t value = length && (bytes[0] & 0x80) ? 0xFFFFFFFFu : 0;
    for (uint32_t i = 0; i < length; ++i)
        value = (value << 8) | bytes[i];
    *bits = value;
    return PMC_OK;
}

int CPmcMessageDecoder::code_message(IPmsSnmpPacket *packet)
{
    if (!packet)
        return PMC_E_ARG;
    delete m_reader;
    m_reader = new CPmcBerReader(m_bytes, m_size);
    if (!m_reader)
        return PMC_E_MEMORY;
    uint32_t length = 0;
    int code = m_reader->get_tag_length(s_tag_sequence, &length);
    if (code == PMC_OK) {
        uint32_t left = m_reader->remaining();
        if (length < left) {
            pmc_static_logger(PMC_LOGGER_SNMP)->write(PMC_LOG_INFO, "received packet is redundancy. be cut down.");
            m_reader->cut(length);
        } else if (length > left) {
            code = fail("decode error: lack of received packet. can't go on decoding any more.");
        }
    }
    if (code == PMC_OK && !packet->get_target()) {
        if (m_kind == PMC_MESSAGE_UNSET) {
            pmc_static_logger(PMC_LOGGER_SNMP)->write(PMC_LOG_ERROR, "decode error: unknown translate type.");
            code = PMC_E_ARG;
        } else if (m_kind != PMC_MESSAGE_COMMUNITY) {
            code = PMC_E_ARG;
        } else {
            IPmsCommunityTarget *target = pms_create_community_target(nullptr, &code);
            if (target)
                packet->set_target(target);
        }
    }
    if (code == PMC_OK && !packet->get_pdu()) {
        IPmsPdu *pdu = pms_create_pdu(&code);
        if (pdu)
            packet->set_pdu(pdu);
    }
    if (code == PMC_OK)
        code = code_header(packet->get_target());
    if (code == PMC_OK)
        code = code_pdu(packet->get_pdu());
    delete m_reader;
    m_reader = nullptr;
    return code;
}

/* code_header: version 0 or 1, then the community text into the community target. */
int CPmcMessageDecoder::code_header(IPmsSnmpTarget *target)
{
    IPmsCommunityTarget *community = nullptr;
    if (target)
        target->query(PMS_QUERY_COMMUNITY, (void **)&community);
    if (!community)
        return PMC_E_ARG;
    uint32_t version = 0;
    if (read_number((uint8_t)PMS_TAG_INTEGER, &version) != PMC_OK)
        return PMC_E_MALFORMED;
    if (version != PMS_VERSION_1 && version != PMS_VERSION_2C)
        return fail("decode error: unsupported snmp version.");
    m_version = (int32_t)version;
    community->set_version(m_version);
    uint32_t length = 0;
    const uint8_t *bytes = nullptr;
    if (m_reader->get_tag_length((uint8_t)PMS_TAG_OCTET_STRING, &length) != PMC_OK ||
        m_reader->take(length, &bytes) != PMC_OK)
        return PMC_E_MALFORMED;
    return community->set_community_bytes(bytes, length);
}

int CPmcMessageDecoder::code_pdu(IPmsPdu *pdu)
{
    uint8_t tag = 0;
    if (m_reader->peek_tag(&tag) != PMC_OK)
        return PMC_E_MALFORMED;
    m_reader->get_byte();
    uint32_t index = (uint32_t)tag - 0xA0u;
    int32_t type = index < sizeof s_pdu_types / sizeof s_pdu_types[0] ? s_pdu_types[index] : -1;
    if (type < 0)
        return fail("decode error: unknown pdu type.");
    uint32_t length = 0;
    if (m_reader->get_length(&length) != PMC_OK || length != m_reader->remaining())
        return fail("decode error: pdu length is wrong.");
    pdu->set_type(type);
    int code;
    if (type == PMS_PDU_TRAP)
        code = m_version == PMS_VERSION_1 ? code_v1_trap_header(pdu) : code_v2_trap_header(pdu);
    else
        code = code_standard_header(pdu);
    if (code != PMC_OK || m_header_only)
        return code;
    IPmsVarBindList *list = pdu->get_list();
    if (!list) {
        list = pms_create_var_bind_list(&code);
        if (!list)
            return code;
        pdu->set_list(list);
    }
    code = code_list(list);
    if (code != PMC_OK)
        return code;
    if (type != PMS_PDU_TRAP && pdu->get_error_status() != 0)
        list->set_error_marks(pdu->get_error_status(), pdu->get_error_index());
    else
        list->set_all_error_marks(0);
    return PMC_OK;
}

/* code_list: existing bindings are reused in order, missing ones appended, surplus ones
 * removed. */
int CPmcMessageDecoder::code_list(IPmsVarBindList *list)
{
    uint32_t length = 0;
    if (m_reader->get_tag_length(s_tag_sequence, &length) != PMC_OK || length != m_reader->remaining())
        return fail("decode error: length of var bind list is wrong.");
    uint32_t decoded = 0;
    while (m_reader->remaining() > 0) {
        IPmsVarBind *binding = list->get(decoded);
        int code = PMC_OK;
        if (!binding) {
            binding = pms_create_var_bind(&code);
            if (!binding)
                return code;
            code = list->append(binding);
            if (code != PMC_OK) {
                binding->release();
                return code;
            }
        }
        code = code_binding(binding);
        if (code != PMC_OK)
            return code;
        ++decoded;
    }
    while (list->count() > decoded)
        list->remove(decoded, nullptr);
    return PMC_OK;
}

int CPmcMessageDecoder::code_binding(IPmsVarBind *binding)
{
    uint32_t length = 0;
    if (m_reader->get_tag_length(s_tag_sequence, &length) != PMC_OK)
        return PMC_E_MALFORMED;
    if (length > m_reader->remaining())
        return fail("decode error: length of var bind is wrong.");
    uint32_t start = m_reader->consumed();
    int code = PMC_OK;
    IPmsOid *name = binding->get_name();
    if (!name) {
        name = pms_create_oid(&code);
        if (!name)
            return code;
        binding->set_name(name);
    }
    code = visit_oid(name->value());
    if (code != PMC_OK)
        return code;
    uint8_t tag = 0;
    if (m_reader->peek_tag(&tag) != PMC_OK)
        return PMC_E_MALFORMED;
    if (!accepted_tag(tag))
        return fail("decode error: unknown asn type.");
    IPmsValue *value = binding->get_value();
    if (!value || value->tag() != tag) {
        value = pms_create_value(tag, &code);
        if (!value)
            return code;
        binding->set_value(value);
    }
    code = value->accept(this);
    if (code != PMC_OK)
        return code;
    if (m_reader->consumed() - start != length)
        return fail("decode error: length of var bind is wrong.");
    return PMC_OK;
}

int CPmcMessageDecoder::code_standard_header(IPmsPdu *pdu)
{
    uint32_t request_id = 0, error_status = 0, error_index = 0;
    if (read_number((uint8_t)PMS_TAG_INTEGER, &request_id) != PMC_OK)
        return PMC_E_MALFORMED;
    pdu->set_request_id((int32_t)request_id);
    if (read_number((uint8_t)PMS_TAG_INTEGER, &error_status) != PMC_OK)
        return PMC_E_MALFORMED;
    if (error_status > s_max_error_status)
        return fail("decode error: error_status's value is wrong.");
    pdu->set_error_status((int32_t)error_status);
    if (read_number((uint8_t)PMS_TAG_INTEGER, &error_index) != PMC_OK)
        return PMC_E_MALFORMED;
    pdu->set_error_index((int32_t)error_index);
    return PMC_OK;
}

/*
 * code_v1_trap_header: enterprise, agent address (not kept), generic and specific trap
 * and time-stamp, turned into the version-2 trap OID: enterprise.0.specific for
 * enterprise-specific traps, 1.3.6.1.6.3.1.1.5.0.(g+1) for the generic ones.
 */
int CPmcMessageDecoder::code_v1_trap_header(IPmsPdu *pdu)
{
    int code = PMC_OK;
    IPmsOid *trap = pms_create_oid(&code);
    if (!trap)
        return code;
    uint32_t length = 0, generic = 0, specific = 0;
    const uint8_t *address = nullptr;
    code = visit_oid(trap->value());
    if (code == PMC_OK &&
        (m_reader->get_tag_length((uint8_t)PMS_TAG_IP_ADDRESS, &length) != PMC_OK ||
         m_reader->take(length, &address) != PMC_OK || read_number((uint8_t)PMS_TAG_INTEGER, &generic) != PMC_OK ||
         read_number((uint8_t)PMS_TAG_INTEGER, &specific) != PMC_OK))
        code = PMC_E_MALFORMED;
    if (code == PMC_OK) {
        if ((int32_t)generic == s_enterprise_specific) {
            code = trap->append_number(0);
            if (code == PMC_OK)
                code = trap->append_number(specific);
        } else if ((int32_t)generic >= 0 && (int32_t)generic < s_enterprise_specific) {
            code = trap->value()->set_text(s_generic_trap_oid);
            if (code == PMC_OK)
                code = trap->append_number(generic + 1);
        } else {
            code = fail("decode error: generic trap No. > 6. ");
        }
    }
    if (code == PMC_OK)
        code = pdu->set_trap_oid(trap->value());
    trap->value()->release();
    if (code != PMC_OK)
        return code;
    IPmsValue *time_stamp = pdu->get_time_stamp();
    if (!time_stamp) {
        time_stamp = pms_create_value(PMS_TAG_TIMETICKS, &code);
        if (!time_stamp)
            return code;
        pdu->set_time_stamp(time_stamp);
    }
    return time_stamp->accept(this);
}

int CPmcMessageDecoder::code_v2_trap_header(IPmsPdu *)
{
    return PMC_E_UNSUPPORTED;
}

/*
 * visit_oid: sub-identifiers base-128 within the element; the first splits into two.
 * A sub-identifier beyond 32 bits is refused, never wrapped.
 */
int CPmcMessageDecoder::visit_oid(IPmsValue *value)
{
    IPmsOid *oid = value->as_oid();
    uint32_t length = 0;
    const uint8_t *bytes = nullptr;
    if (!oid || m_reader->get_tag_length((uint8_t)PMS_TAG_OID, &length) != PMC_OK ||
        m_reader->take(length, &bytes) != PMC_OK)
        return PMC_E_MALFORMED;
    value->clear();
    uint64_t number = 0;
    bool first = true;
    for (uint32_t i = 0; i < length; ++i) {
        number = (number << 7) | (bytes[i] & 0x7F);
        if (number > 0xFFFFFFFFu)
            return fail("decode error. oid format is wrong.");
        if (bytes[i] & 0x80)
            continue;
        int code;
        if (first) {
            uint32_t top = number < 40 ? 0 : number < 80 ? 1 : 2;
            code = oid->append_number(top);
            if (code == PMC_OK)
                code = oid->append_number((uint32_t)number - 40 * top);
            first = false;
        } else {
            code = oid->append_number((uint32_t)number);
        }
        if (code != PMC_OK)
            return code;
        number = 0;
    }
    if (length && (bytes[length - 1] & 0x80))
        return fail("decode error. oid format is wrong.");
    return PMC_OK;
}

int CPmcMessageDecoder::visit_octets(IPmsValue *value)
{
    uint32_t length = 0;
    const uint8_t *bytes = nullptr;
    if (m_reader->get_tag_length((uint8_t)value->tag(), &length) != PMC_OK || m_reader->take(length, &bytes) != PMC_OK)
        return PMC_E_MALFORMED;
    int code = value->set_bytes(bytes, length);
    /* A fixed-size kind refuses another length: the message is malformed. */
    return code == PMC_E_ARG ? PMC_E_MALFORMED : code;
}

int CPmcMessageDecoder::visit_integer(IPmsValue *value)
{
    uint32_t bits = 0;
    if (read_number((uint8_t)PMS_TAG_INTEGER, &bits) != PMC_OK)
        return PMC_E_MALFORMED;
    return value->set_signed((int32_t)bits);
}

int CPmcMessageDecoder::visit_null(IPmsValue *value)
{
    uint32_t length = 0;
    if (m_reader->get_tag_length((uint8_t)value->tag(), &length) != PMC_OK || length != 0)
        return PMC_E_MALFORMED;
    return PMC_OK;
}

int CPmcMessageDecoder::visit_counter32(IPmsValue *value)
{
    return visit_gauge32(value);
}

int CPmcMessageDecoder::visit_gauge32(IPmsValue *value)
{
    uint32_t bits = 0;
    if (read_number((uint8_t)value->tag(), &bits) != PMC_OK)
        return PMC_E_MALFORMED;
    return value->set_unsigned(bits);
}

int CPmcMessageDecoder::visit_timeticks(IPmsValue *value)
{
    return visit_gauge32(value);
}

/* visit_counter64: the last four bytes are the low word, those before the high word; at
 * most nine bytes, nine only behind a leading zero (a longer value is refused). */
int CPmcMessageDecoder::visit_counter64(IPmsValue *value)
{
    uint32_t length = 0;
    const uint8_t *bytes = nullptr;
    if (m_reader->get_tag_length((uint8_t)PMS_TAG_COUNTER64, &length) != PMC_OK)
        return PMC_E_MALFORMED;
    if (length > s_max_counter64_bytes || m_reader->take(length, &bytes) != PMC_OK ||
        (length == s_max_counter64_bytes && bytes[0] != 0))
        return fail("decode error: counter64 format is wrong.");
    uint32_t high = 0, low = 0;
    uint32_t split = length > 4 ? length - 4 : 0;
    for (uint32_t i = 0; i < split; ++i)
        high = (high << 8) | bytes[i];
    for (uint32_t i = split; i < length; ++i)
        low = (low << 8) | bytes[i];
    int code = value->set_high(high);
    return code == PMC_OK ? value->set_low(low) : code;
}

int CPmcMessageDecoder::visit_ip_address(IPmsValue *value)
{
    return visit_octets(value);
}

int CPmcMessageDecoder::visit_ipv6_address(IPmsValue *value)
{
    return visit_octets(value);
}

int CPmcMessageDecoder::visit_ipv4_transport(IPmsValue *)
{
    return PMC_E_UNSUPPORTED;
}

int CPmcMessageDecoder::visit_ipx_transport(IPmsValue *)
{
    return PMC_E_UNSUPPORTED;
}

int CPmcMessageDecoder::visit_exception(IPmsValue *value)
{
    return visit_null(value);
}
