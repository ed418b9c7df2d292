/*
 * The common base of the value kinds: operations that do not fit a kind answer -5, the
 * table-driven ones read the kind row, and the conversions to byte strings are built
 * from the kind's own write operations.
 */
#include "management/values/pmc_value_private.h"

#include "management/base/pmc_byte_string.h"
#include "management/base/pmc_status.h"

/* accept: the visitor slot of the kind's row. */
int CPmsValueBase::accept(IPmsValueVisitor *visitor)
{
    if (!visitor)
        return PMC_E_ARG;
    switch (m_kind->visit_slot) {
    case PMS_VISIT_OID: return visitor->visit_oid(this);
    case PMS_VISIT_OCTETS: return visitor->visit_octets(this);
    case PMS_VISIT_INTEGER: return visitor->visit_integer(this);
    case PMS_VISIT_NULL: return visitor->visit_null(this);
    case PMS_VISIT_COUNTER32: return visitor->visit_counter32(this);
    case PMS_VISIT_GAUGE32: return visitor->visit_gauge32(this);
    case PMS_VISIT_TIMETICKS: return visitor->visit_timeticks(this);
    case PMS_VISIT_COUNTER64: return visitor->visit_counter64(this);
    case PMS_VISIT_IP_ADDRESS: return visitor->visit_ip_address(this);
    case PMS_VISIT_IPV6_ADDRESS: return visitor->visit_ipv6_address(this);
    case PMS_VISIT_IPV4_TRANSPORT: return visitor->visit_ipv4_transport(this);
    case PMS_VISIT_IPX_TRANSPORT: return visitor->visit_ipx_transport(this);
    case PMS_VISIT_EXCEPTION: return visitor->visit_exception(this);
    }
    return PMC_E_UNSUPPORTED;
}

void CPmsValueBase::release()
{
    delete this;
}

/* clone: a new value of the same kind assigned from this one. */
IPmsValue *CPmsValueBase::clone(int *code)
{
    IPmsValue *copy = pms_create_value(m_kind->tag, code);
    if (!copy)
        return nullptr;
    int status = copy->assign(this);
    if (status != PMC_OK) {
        copy->release();
        pms_set_code(code, status);
        return nullptr;
    }
    return copy;
}

/* assign: the kinds without data accept another value of their own tag. */
int CPmsValueBase::assign(IPmsValue *other)
{
    return same_kind(other) ? PMC_OK : PMC_E_ARG;
}

void CPmsValueBase::clear() {}

uint32_t CPmsValueBase::tag()
{
    return m_kind->tag;
}

bool CPmsValueBase::equals(IPmsValue *other)
{
    return same_kind(other) != nullptr;
}

IPmsOid *CPmsValueBase::as_oid()
{
    return nullptr;
}

/*
 * query: the kind's own identifier (the exception kinds share one) and that of the class
 * it derives from give the concrete object; then the common base's identifiers.
 */
void CPmsValueBase::query(uint32_t id, void **out)
{
    if (!out)
        return;
    *out = nullptr;
    uint32_t own = m_kind->visit_slot == PMS_VISIT_EXCEPTION ? PMS_QUERY_EXCEPTION : PMS_QUERY_KIND + m_kind->tag;
    if (id == own || id == PMS_QUERY_BASE || (m_kind->base_tag && id == PMS_QUERY_KIND + m_kind->base_tag))
        *out = static_cast<CPmsValueBase *>(this);
    else if (id == PMS_QUERY_VALUE)
        *out = static_cast<IPmsValue *>(this);
}

bool CPmsValueBase::is_valid()
{
    return true;
}

int32_t CPmsValueBase::read_signed(int *code)
{
    pms_set_code(code, PMC_E_UNSUPPORTED);
    return -1;
}

uint32_t CPmsValueBase::read_unsigned(int *code)
{
    pms_set_code(code, PMC_E_UNSUPPORTED);
    return PMS_NPOS;
}

/* text: the byte string is handed back even when the kind has no text form. */
CPmcByteString *CPmsValueBase::text(int *code)
{
    CPmcByteString *out = pmc_create_byte_string(code);
    if (out)
        pms_set_code(code, write_text(out));
    return out;
}

int CPmsValueBase::write_text(CPmcByteString *out)
{
    return out ? PMC_E_UNSUPPORTED : PMC_E_ARG;
}

const uint8_t *CPmsValueBase::raw_bytes(uint32_t *length, int *code)
{
    pms_set_code(code, length ? PMC_E_UNSUPPORTED : PMC_E_ARG);
    return nullptr;
}

CPmcByteString *CPmsValueBase::raw_text(int *code)
{
    CPmcByteString *out = pmc_create_byte_string(code);
    if (out)
        pms_set_code(code, write_raw(out));
    return out;
}

int CPmsValueBase::write_raw(CPmcByteString *out)
{
    if (!out)
        return PMC_E_ARG;
    uint32_t count = 0;
    int code = PMC_OK;
    const uint8_t *bytes = raw_bytes(&count, &code);
    if (code != PMC_OK)
        return code;
    return out->assign(bytes, count);
}

uint16_t CPmsValueBase::read_u16(int *code)
{
    pms_set_code(code, PMC_E_UNSUPPORTED);
    return 0xFFFF;
}

uint32_t CPmsValueBase::read_high(int *code)
{
    pms_set_code(code, PMC_E_UNSUPPORTED);
    return PMS_NPOS;
}

uint32_t CPmsValueBase::read_low(int *code)
{
    pms_set_code(code, PMC_E_UNSUPPORTED);
    return PMS_NPOS;
}

int CPmsValueBase::set_signed(int32_t)
{
    return PMC_E_UNSUPPORTED;
}

int CPmsValueBase::set_unsigned(uint32_t)
{
    return PMC_E_UNSUPPORTED;
}

int CPmsValueBase::set_text(const char *)
{
    return PMC_E_UNSUPPORTED;
}

/* set_text_from: an empty byte string (whose data is null) is the empty text. */
int CPmsValueBase::set_text_from(CPmcByteString *text)
{
    if (!text)
        return PMC_E_ARG;
    return set_text(text->length() ? text->data() : "");
}

int CPmsValueBase::set_bytes(const void *, uint32_t)
{
    return PMC_E_UNSUPPORTED;
}

/* set_bytes_from: an empty byte string gives no bytes, not a null pointer. */
int CPmsValueBase::set_bytes_from(CPmcByteString *bytes)
{
    if (!bytes)
        return PMC_E_ARG;
    return set_bytes(bytes->length() ? bytes->data() : "", bytes->length());
}

int CPmsValueBase::set_u16(uint32_t)
{
    return PMC_E_UNSUPPORTED;
}

int CPmsValueBase::set_high(uint32_t)
{
    return PMC_E_UNSUPPORTED;
}

int CPmsValueBase::set_low(uint32_t)
{
    return PMC_E_UNSUPPORTED;
}

/* length and index length of the kinds without octets: numbers 1, NULL and exceptions 0. */
uint32_t CPmsValueBase::length()
{
    return m_kind->storage == PMS_STORE_NOTHING ? 0 : 1;
}

uint32_t CPmsValueBase::index_length(bool)
{
    return m_kind->storage == PMS_STORE_NOTHING ? 0 : 1;
}

uint32_t CPmsValueBase::read_element(uint32_t, int *code)
{
    pms_set_code(code, PMC_E_UNSUPPORTED);
    return PMS_NPOS;
}

int CPmsValueBase::append_as_index(IPmsOid *oid, bool)
{
    return oid ? PMC_E_UNSUPPORTED : PMC_E_ARG;
}

int CPmsValueBase::write_as_index(IPmsOid *oid, bool)
{
    return oid ? PMC_E_UNSUPPORTED : PMC_E_ARG;
}

int CPmsValueBase::set_from_index(IPmsOid *oid, bool, int32_t)
{
    return oid ? PMC_E_UNSUPPORTED : PMC_E_ARG;
}

/* same_kind: `other` read through the private identifier of this kind's tag. */
CPmsValueBase *CPmsValueBase::same_kind(IPmsValue *other)
{
    if (!other || other->tag() != m_kind->tag)
        return nullptr;
    void *concrete = nullptr;
    other->query(m_kind->visit_slot == PMS_VISIT_EXCEPTION ? PMS_QUERY_EXCEPTION : PMS_QUERY_KIND + m_kind->tag,
                 &concrete);
    return (CPmsValueBase *)concrete;
}
