/*
 * OBJECT IDENTIFIER values: the value-interface operations over the dotted text and the
 * cached sub-identifier count.
 */
#include "management/values/pmc_value_private.h"

#include <cstdio>
#include <cstring>

#include "management/base/pmc_byte_string.h"
#include "management/base/pmc_status.h"

int CPmsOid::assign(IPmsValue *other)
{
    CPmsValueBase *same = same_kind(other);
    if (!same)
        return PMC_E_ARG;
    CPmsOid *source = static_cast<CPmsOid *>(same);
    int code = m_text.assign(source->m_text);
    if (code == PMC_OK)
        m_count = source->m_count;
    return code;
}

void CPmsOid::clear()
{
    m_text.free_text();
    m_count = 0;
}

bool CPmsOid::equals(IPmsValue *other)
{
    if (!other || other->tag() != m_kind->tag)
        return false;
    uint32_t length = 0;
    const uint8_t *text = other->raw_bytes(&length, nullptr);
    return length == m_text.length() && std::memcmp(text, m_text.data(), length) == 0;
}

IPmsOid *CPmsOid::as_oid()
{
    return this;
}

bool CPmsOid::is_valid()
{
    return pms_oid_text_valid(m_text.data());
}

/* read_unsigned: the first sub-identifier. */
uint32_t CPmsOid::read_unsigned(int *code)
{
    pms_set_code(code, PMC_OK);
    return pms_oid_text_number(m_text.data());
}

int CPmsOid::write_text(CPmcByteString *out)
{
    return out ? out->assign(m_text.data(), m_text.length()) : PMC_E_ARG;
}

const uint8_t *CPmsOid::raw_bytes(uint32_t *length, int *code)
{
    if (!length) {
        pms_set_code(code, PMC_E_ARG);
        return nullptr;
    }
    *length = m_text.length();
    pms_set_code(code, PMC_OK);
    return (const uint8_t *)m_text.data();
}

int CPmsOid::set_unsigned(uint32_t number)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%lu", (unsigned long)number);
    int code = m_text.assign(digits);
    if (code == PMC_OK)
        m_count = 1;
    return code;
}

int CPmsOid::set_text(const char *text)
{
    int code = m_text.assign(text);
    if (code == PMC_OK)
        m_count = -1;
    return code;
}

int CPmsOid::set_bytes(const void *data, uint32_t count)
{
    if (!data)
        return PMC_E_ARG;
    int code = m_text.assign((const char *)data, count);
    if (code == PMC_OK)
        m_count = -1;
    return code;
}

/* length: the sub-identifier count, computed and cached when unknown. */
uint32_t CPmsOid::length()
{
    if (m_count < 0)
        m_count = (int32_t)pms_oid_text_count(m_text.data());
    return (uint32_t)m_count;
}

uint32_t CPmsOid::index_length(bool implied)
{
    return length() + (implied ? 0 : 1);
}

uint32_t CPmsOid::read_element(uint32_t position, int *code)
{
    if (m_text.is_empty()) {
        pms_set_code(code, PMC_E_EMPTY);
        return PMS_NPOS;
    }
    if (position >= length()) {
        pms_set_code(code, PMC_E_RANGE);
        return PMS_NPOS;
    }
    pms_set_code(code, PMC_OK);
    return pms_oid_text_number(m_text.data() + pms_oid_text_offset(m_text.data(), position));
}

/* append_as_index: the count unless implied, then the sub-identifiers. */
int CPmsOid::append_as_index(IPmsOid *oid, bool implied)
{
    if (!oid)
        return PMC_E_ARG;
    int code = PMC_OK;
    if (!implied)
        code = oid->append_number(length());
    if (code == PMC_OK)
        code = oid->append_oid(this);
    return code;
}

int CPmsOid::write_as_index(IPmsOid *oid, bool implied)
{
    if (!oid)
        return PMC_E_ARG;
    if (oid == this)
        return PMC_E_ARG; /* clearing the target would lose the source */
    oid->value()->clear();
    return append_as_index(oid, implied);
}

/*
 * set_from_index: without the implied flag the first sub-identifier is the count of the
 * sub-identifiers after it; with it, `count` from the start (-1 or too many: all).
 */
int CPmsOid::set_from_index(IPmsOid *oid, bool implied, int32_t count)
{
    clear();
    if (!oid)
        return PMC_E_ARG;
    if (oid == this)
        return PMC_E_ARG;
    IPmsValue *source = oid->value();
    uint32_t at = 0;
    uint32_t n = 0;
    int code = pms_read_index_length(source, implied, count, &at, &n);
    if (code != PMC_OK)
        return code;
    for (uint32_t i = 0; i < n; ++i) {
        uint32_t number = source->read_element(at + i, &code);
        if (code == PMC_OK)
            code = append_number(number);
        if (code != PMC_OK) {
            clear();
            return code;
        }
    }
    return PMC_OK;
}
