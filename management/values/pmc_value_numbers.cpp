/*
 * The number kinds: INTEGER, Gauge32 with Counter32 and TimeTicks, and Counter64.
 */
#include "management/values/pmc_value_private.h"

#include <cstdio>

#include "management/base/pmc_byte_string.h"
#include "management/base/pmc_status.h"

/* read_first_sub_identifier: the index form of a number kind is the OID's first arc. */
static int read_first_sub_identifier(IPmsOid *oid, uint32_t *out)
{
    if (!oid)
        return PMC_E_ARG;
    int code = PMC_OK;
    *out = oid->value()->read_element(0, &code);
    return code;
}

/* write_number_as_index: the OID becomes the number's decimal text (count 1). */
static int write_number_as_index(IPmsOid *oid, uint32_t number)
{
    return oid ? oid->value()->set_unsigned(number) : PMC_E_ARG;
}

/* ---- INTEGER ---- */

int CPmsInteger::assign(IPmsValue *other)
{
    CPmsValueBase *same = same_kind(other);
    if (!same)
        return PMC_E_ARG;
    m_value = static_cast<CPmsInteger *>(same)->m_value;
    return PMC_OK;
}

void CPmsInteger::clear()
{
    m_value = 0;
}

bool CPmsInteger::equals(IPmsValue *other)
{
    if (!other || other->tag() != m_kind->tag)
        return false;
    int code = PMC_OK;
    return other->read_signed(&code) == m_value && code == PMC_OK;
}

int32_t CPmsInteger::read_signed(int *code)
{
    pms_set_code(code, PMC_OK);
    return m_value;
}

int CPmsInteger::write_text(CPmcByteString *out)
{
    if (!out)
        return PMC_E_ARG;
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%ld", (long)m_value);
    return out->assign(buffer);
}

int CPmsInteger::set_signed(int32_t number)
{
    m_value = number;
    return PMC_OK;
}

int CPmsInteger::set_text(const char *text)
{
    if (!text)
        return PMC_E_ARG;
    m_value = (int32_t)pms_clamp_to_32(pms_scan_decimal(text));
    return PMC_OK;
}

int CPmsInteger::append_as_index(IPmsOid *oid, bool)
{
    return oid ? oid->append_number((uint32_t)m_value) : PMC_E_ARG;
}

int CPmsInteger::write_as_index(IPmsOid *oid, bool)
{
    return write_number_as_index(oid, (uint32_t)m_value);
}

int CPmsInteger::set_from_index(IPmsOid *oid, bool, int32_t)
{
    clear();
    uint32_t number = 0;
    int code = read_first_sub_identifier(oid, &number);
    if (code == PMC_OK)
        m_value = (int32_t)number;
    return code;
}

/* ---- Gauge32, Counter32, TimeTicks ---- */

int CPmsGauge32::assign(IPmsValue *other)
{
    CPmsValueBase *same = same_kind(other);
    if (!same)
        return PMC_E_ARG;
    m_value = static_cast<CPmsGauge32 *>(same)->m_value;
    return PMC_OK;
}

void CPmsGauge32::clear()
{
    m_value = 0;
}

bool CPmsGauge32::equals(IPmsValue *other)
{
    if (!other || other->tag() != m_kind->tag)
        return false;
    int code = PMC_OK;
    return other->read_unsigned(&code) == m_value && code == PMC_OK;
}

uint32_t CPmsGauge32::read_unsigned(int *code)
{
    pms_set_code(code, PMC_OK);
    return m_value;
}

int CPmsGauge32::write_text(CPmcByteString *out)
{
    if (!out)
        return PMC_E_ARG;
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%lu", (unsigned long)m_value);
    return out->assign(buffer);
}

int CPmsGauge32::set_unsigned(uint32_t number)
{
    m_value = number;
    return PMC_OK;
}

int CPmsGauge32::set_text(const char *text)
{
    if (!text)
        return PMC_E_ARG;
    m_value = pms_clamp_to_32(pms_scan_decimal(text));
    return PMC_OK;
}

int CPmsGauge32::append_as_index(IPmsOid *oid, bool)
{
    return oid ? oid->append_number(m_value) : PMC_E_ARG;
}

int CPmsGauge32::write_as_index(IPmsOid *oid, bool)
{
    return write_number_as_index(oid, m_value);
}

int CPmsGauge32::set_from_index(IPmsOid *oid, bool, int32_t)
{
    clear();
    uint32_t number = 0;
    int code = read_first_sub_identifier(oid, &number);
    if (code == PMC_OK)
        m_value = number;
    return code;
}

/* ---- Counter64 ---- */

int CPmsCounter64::assign(IPmsValue *other)
{
    CPmsValueBase *same = same_kind(other);
    if (!same)
        return PMC_E_ARG;
    m_high = static_cast<CPmsCounter64 *>(same)->m_high;
    m_low = static_cast<CPmsCounter64 *>(same)->m_low;
    return PMC_OK;
}

void CPmsCounter64::clear()
{
    m_high = 0;
    m_low = 0;
}

bool CPmsCounter64::equals(IPmsValue *other)
{
    if (!other || other->tag() != m_kind->tag)
        return false;
    return other->read_high(nullptr) == m_high && other->read_low(nullptr) == m_low;
}

uint32_t CPmsCounter64::read_unsigned(int *code)
{
    pms_set_code(code, PMC_OK);
    return m_low;
}

int CPmsCounter64::write_text(CPmcByteString *out)
{
    if (!out)
        return PMC_E_ARG;
    char buffer[24];
    pms_format_unsigned64(buffer, ((uint64_t)m_high << 32) | m_low);
    return out->assign(buffer);
}

uint32_t CPmsCounter64::read_high(int *code)
{
    pms_set_code(code, PMC_OK);
    return m_high;
}

uint32_t CPmsCounter64::read_low(int *code)
{
    pms_set_code(code, PMC_OK);
    return m_low;
}

int CPmsCounter64::set_unsigned(uint32_t number)
{
    m_high = 0;
    m_low = number;
    return PMC_OK;
}

/*
 * set_text: decimal digits only. A number that does not fit 64 bits answers -2 with both
 * halves left at the 0 they were cleared to (it is not wrapped).
 */
int CPmsCounter64::set_text(const char *text)
{
    clear();
    if (!text)
        return PMC_E_ARG;
    uint64_t number = 0;
    for (const char *p = text; *p; ++p) {
        if (*p < '0' || *p > '9')
            return PMC_E_ARG;
        uint64_t digit = (uint64_t)(*p - '0');
        if (number > (UINT64_MAX - digit) / 10)
            return PMC_E_ARG;
        number = number * 10 + digit;
    }
    m_high = (uint32_t)(number >> 32);
    m_low = (uint32_t)number;
    return PMC_OK;
}

int CPmsCounter64::set_high(uint32_t number)
{
    m_high = number;
    return PMC_OK;
}

int CPmsCounter64::set_low(uint32_t number)
{
    m_low = number;
    return PMC_OK;
}
