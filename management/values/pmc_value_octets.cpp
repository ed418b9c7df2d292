/*
 * The octet kinds: OCTET STRING and Opaque of any length, and the fixed-size IpAddress,
 * IPv6 address, IPv4 transport address and IPX transport address over the same array.
 */
#include "management/values/pmc_value_private.h"

#include <cstdio>
#include <cstring>

#include "management/base/pmc_byte_string.h"
#include "management/base/pmc_status.h"

/* The byte array grows to multiples of this and never shrinks. */
static const uint32_t kOctetStep = 128;

/*
 * Text forms of the address kinds. The fields fill the bytes in order: fields before
 * `wide_from` take one byte each and must be 0..narrow_max; later fields take two bytes
 * (most significant first) and must be 0..wide_max, or are cut to 16 bits when
 * wide_max is 0.
 */
struct PmsAddressForm {
    uint32_t tag;
    const char *scan;
    int fields;
    int wide_from;
    int64_t narrow_max;
    int64_t wide_max;
};

static const PmsAddressForm kAddressForms[] = {
    {PMS_TAG_IP_ADDRESS, "%d.%d.%d.%d", 4, 4, 255, 0},
    {PMS_TAG_IPV4_TRANSPORT, "%d.%d.%d.%d/%d", 5, 4, 255, 65535},
    {PMS_TAG_IPV6_ADDRESS, "%x:%x:%x:%x:%x:%x:%x:%x", 8, 0, 0, 0},
    {PMS_TAG_IPX_TRANSPORT, "%2x%2x%2x%2x:%2x%2x%2x%2x%2x%2x/%x", 11, 10, 255, 65535},
};

static const PmsAddressForm *find_address_form(uint32_t tag)
{
    for (const PmsAddressForm &form : kAddressForms)
        if (form.tag == tag)
            return &form;
    return nullptr;
}

CPmsOctets::~CPmsOctets()
{
    pmc_free(m_bytes);
}

/* init: a fixed-size kind starts with its size in zero bytes. */
int CPmsOctets::init()
{
    if (!m_kind->fixed_size)
        return PMC_OK;
    int code = reserve(m_kind->fixed_size);
    if (code != PMC_OK)
        return code;
    std::memset(m_bytes, 0, m_kind->fixed_size);
    m_count = m_kind->fixed_size;
    return PMC_OK;
}

/* reserve: room for `count` bytes, in steps of 128; 0 or -3 (the bytes stay then). */
int CPmsOctets::reserve(uint32_t count)
{
    if (count <= m_capacity)
        return PMC_OK;
    uint32_t capacity = (count / kOctetStep + 1) * kOctetStep;
    uint8_t *bytes = (uint8_t *)pmc_alloc(capacity);
    if (!bytes)
        return PMC_E_MEMORY;
    if (m_count)
        std::memcpy(bytes, m_bytes, m_count);
    pmc_free(m_bytes);
    m_bytes = bytes;
    m_capacity = capacity;
    return PMC_OK;
}

bool CPmsOctets::has_address() const
{
    return m_kind->tag == PMS_TAG_IP_ADDRESS || m_kind->tag == PMS_TAG_IPV4_TRANSPORT;
}

bool CPmsOctets::has_port() const
{
    return m_kind->tag == PMS_TAG_IPV4_TRANSPORT || m_kind->tag == PMS_TAG_IPX_TRANSPORT;
}

int CPmsOctets::assign(IPmsValue *other)
{
    CPmsValueBase *same = same_kind(other);
    if (!same)
        return PMC_E_ARG;
    CPmsOctets *source = static_cast<CPmsOctets *>(same);
    if (source == this)
        return PMC_OK;
    int code = reserve(source->m_count);
    if (code != PMC_OK)
        return code;
    if (source->m_count)
        std::memcpy(m_bytes, source->m_bytes, source->m_count);
    m_count = source->m_count;
    return PMC_OK;
}

void CPmsOctets::clear()
{
    if (m_kind->fixed_size)
        std::memset(m_bytes, 0, m_count);
    else
        m_count = 0;
}

bool CPmsOctets::equals(IPmsValue *other)
{
    if (!other || other->tag() != m_kind->tag)
        return false;
    uint32_t count = 0;
    const uint8_t *bytes = other->raw_bytes(&count, nullptr);
    if (count != m_count)
        return false;
    return count == 0 || std::memcmp(bytes, m_bytes, count) == 0;
}

uint32_t CPmsOctets::read_unsigned(int *code)
{
    if (!has_address())
        return CPmsValueBase::read_unsigned(code);
    pms_set_code(code, PMC_OK);
    return ((uint32_t)m_bytes[0] << 24) | ((uint32_t)m_bytes[1] << 16) | ((uint32_t)m_bytes[2] << 8) | m_bytes[3];
}

/* write_text: the raw octets, or the address kind's printed form. */
int CPmsOctets::write_text(CPmcByteString *out)
{
    if (!out)
        return PMC_E_ARG;
    const uint8_t *b = m_bytes;
    char buffer[64];
    switch (m_kind->tag) {
    case PMS_TAG_IP_ADDRESS:
        std::snprintf(buffer, sizeof buffer, "%d.%d.%d.%d", b[0], b[1], b[2], b[3]);
        return out->assign(buffer);
    case PMS_TAG_IPV4_TRANSPORT:
        std::snprintf(buffer, sizeof buffer, "%d.%d.%d.%d/%d", b[0], b[1], b[2], b[3], (b[4] << 8) | b[5]);
        return out->assign(buffer);
    case PMS_TAG_IPV6_ADDRESS:
        std::snprintf(buffer,
                      sizeof buffer,
                      "%x:%x:%x:%x:%x:%x:%x:%x",
                      (b[0] << 8) | b[1],
                      (b[2] << 8) | b[3],
                      (b[4] << 8) | b[5],
                      (b[6] << 8) | b[7],
                      (b[8] << 8) | b[9],
                      (b[10] << 8) | b[11],
                      (b[12] << 8) | b[13],
                      (b[14] << 8) | b[15]);
        return out->assign(buffer);
    case PMS_TAG_IPX_TRANSPORT: {
        int n = std::snprintf(buffer,
                              sizeof buffer,
                              "%02x%02x%02x%02x:%02x%02x%02x%02x%02x%02x/%x",
                              b[0],
                              b[1],
                              b[2],
                              b[3],
                              b[4],
                              b[5],
                              b[6],
                              b[7],
                              b[8],
                              b[9],
                              (b[10] << 8) | b[11]);
        /* This form's byte string counts its terminating NUL as well. */
        return out->assign(buffer, (uint32_t)n + 1);
    }
    default: return out->assign(m_bytes, m_count);
    }
}

const uint8_t *CPmsOctets::raw_bytes(uint32_t *length, int *code)
{
    if (!length) {
        pms_set_code(code, PMC_E_ARG);
        return nullptr;
    }
    *length = m_count;
    pms_set_code(code, PMC_OK);
    return m_bytes;
}

uint16_t CPmsOctets::read_u16(int *code)
{
    if (!has_port())
        return CPmsValueBase::read_u16(code);
    pms_set_code(code, PMC_OK);
    return (uint16_t)((m_bytes[m_count - 2] << 8) | m_bytes[m_count - 1]);
}

int CPmsOctets::set_unsigned(uint32_t number)
{
    if (!has_address())
        return PMC_E_UNSUPPORTED;
    m_bytes[0] = (uint8_t)(number >> 24);
    m_bytes[1] = (uint8_t)(number >> 16);
    m_bytes[2] = (uint8_t)(number >> 8);
    m_bytes[3] = (uint8_t)number;
    return PMC_OK;
}

int CPmsOctets::set_text(const char *text)
{
    if (m_kind->fixed_size)
        return set_text_address(text);
    return set_bytes(text, text ? (uint32_t)std::strlen(text) : 0);
}

/*
 * set_text_address: clears the value, scans the kind's form and stores field by field;
 * the first missing or out-of-range field ends with -2, keeping the fields before it.
 */
int CPmsOctets::set_text_address(const char *text)
{
    clear();
    const PmsAddressForm *form = find_address_form(m_kind->tag);
    if (!form || !text)
        return PMC_E_ARG;
    int64_t fields[12];
    int found = pms_scan_fields(text, form->scan, fields, 12);
    uint32_t at = 0;
    for (int i = 0; i < form->fields; ++i) {
        if (i >= found)
            return PMC_E_ARG;
        bool wide = i >= form->wide_from;
        int64_t max = wide ? form->wide_max : form->narrow_max;
        if (max && (fields[i] < 0 || fields[i] > max))
            return PMC_E_ARG;
        if (wide)
            m_bytes[at++] = (uint8_t)(fields[i] >> 8);
        m_bytes[at++] = (uint8_t)fields[i];
    }
    return PMC_OK;
}

int CPmsOctets::set_bytes(const void *data, uint32_t count)
{
    if (m_kind->fixed_size) {
        if (count != m_kind->fixed_size || !data)
            return PMC_E_ARG;
        std::memmove(m_bytes, data, count);
        return PMC_OK;
    }
    if (!data) {
        m_count = 0;
        return PMC_OK;
    }
    /* Bytes of this value itself fit the capacity they came from: no reallocation. */
    int code = reserve(count);
    if (code != PMC_OK)
        return code;
    if (count)
        std::memmove(m_bytes, data, count);
    m_count = count;
    return PMC_OK;
}

int CPmsOctets::set_u16(uint32_t number)
{
    if (!has_port())
        return PMC_E_UNSUPPORTED;
    m_bytes[m_count - 2] = (uint8_t)(number >> 8);
    m_bytes[m_count - 1] = (uint8_t)number;
    return PMC_OK;
}

uint32_t CPmsOctets::length()
{
    return m_count;
}

/* index_length: the octets, the length prefix unless implied, the type sub-identifier. */
uint32_t CPmsOctets::index_length(bool implied)
{
    return m_count + (implied ? 0 : 1) + (m_kind->index_type ? 1 : 0);
}

uint32_t CPmsOctets::read_element(uint32_t position, int *code)
{
    if (position >= m_count) {
        pms_set_code(code, PMC_E_ARG);
        return PMS_NPOS;
    }
    pms_set_code(code, PMC_OK);
    return m_bytes[position];
}

int CPmsOctets::append_as_index(IPmsOid *oid, bool implied)
{
    if (!oid)
        return PMC_E_ARG;
    int code = PMC_OK;
    if (m_kind->index_type)
        code = oid->append_number(m_kind->index_type);
    if (code == PMC_OK && !implied)
        code = oid->append_number(m_count);
    for (uint32_t i = 0; code == PMC_OK && i < m_count; ++i)
        code = oid->append_number(m_bytes[i]);
    return code;
}

int CPmsOctets::write_as_index(IPmsOid *oid, bool implied)
{
    if (!oid)
        return PMC_E_ARG;
    oid->value()->clear();
    return append_as_index(oid, implied);
}

/*
 * set_from_index: the type sub-identifier of the transport kinds, the length (which must
 * be the fixed size, or not above the identifier's count), then one octet per
 * sub-identifier, each at most 255. Fixed-size kinds are filled only when all is read.
 */
int CPmsOctets::set_from_index(IPmsOid *oid, bool implied, int32_t count)
{
    clear();
    if (!oid)
        return PMC_E_ARG;
    IPmsValue *source = oid->value();
    uint32_t at = 0;
    int code = PMC_OK;
    if (m_kind->index_type) {
        uint32_t type = source->read_element(at++, &code);
        if (code != PMC_OK)
            return code;
        if (type != m_kind->index_type)
            return PMC_E_INDEX;
    }
    uint32_t n = 0;
    if (m_kind->fixed_size) {
        n = m_kind->fixed_size;
        if (!implied) {
            uint32_t size = source->read_element(at++, &code);
            if (code != PMC_OK)
                return code;
            if (size != n)
                return PMC_E_INDEX;
        }
    } else {
        code = pms_read_index_length(source, implied, count, &at, &n);
        if (code != PMC_OK)
            return code;
    }
    uint8_t fixed[16];
    uint8_t *target = fixed;
    if (!m_kind->fixed_size) {
        code = reserve(n);
        if (code != PMC_OK)
            return code;
        target = m_bytes;
    }
    for (uint32_t i = 0; i < n; ++i) {
        uint32_t octet = source->read_element(at + i, &code);
        if (code != PMC_OK)
            return code;
        if (octet > 255)
            return PMC_E_INDEX;
        target[i] = (uint8_t)octet;
    }
    if (m_kind->fixed_size)
        std::memcpy(m_bytes, fixed, n);
    m_count = n;
    return PMC_OK;
}
