/*
 * OBJECT IDENTIFIER values: the identifier operations of IPmsOid (relation, prefixes,
 * appending, table indexes taken off the front, removing runs). An operation that fails
 * leaves the identifier as it was.
 */
#include "management/values/pmc_value_private.h"

#include <cstdio>

#include "management/base/pmc_byte_string.h"
#include "management/base/pmc_status.h"

/* oid_text: the dotted text of another identifier. */
static const char *oid_text(IPmsOid *oid)
{
    uint32_t length = 0;
    return (const char *)oid->value()->raw_bytes(&length, nullptr);
}

IPmsOid *CPmsOid::clone_oid(int *code)
{
    IPmsValue *copy = clone(code);
    return copy ? copy->as_oid() : nullptr;
}

int CPmsOid::relation(const char *text, int *code)
{
    if (!text) {
        pms_set_code(code, PMC_E_ARG);
        return -1;
    }
    pms_set_code(code, PMC_OK);
    return pms_oid_text_relation(m_text.data(), text);
}

int CPmsOid::relation(IPmsOid *other, int *code)
{
    if (!other) {
        pms_set_code(code, PMC_E_ARG);
        return -1;
    }
    return relation(oid_text(other), code);
}

/* strip_prefix: the prefix's sub-identifiers come off when this lies in its subtree. */
int CPmsOid::strip_prefix(const char *text)
{
    if (!text)
        return PMC_E_ARG;
    int rel = pms_oid_text_relation(m_text.data(), text);
    if (rel != PMS_REL_EQUAL && rel != PMS_REL_INSIDE)
        return PMC_E_ARG;
    if (rel == PMS_REL_EQUAL) {
        clear();
        return PMC_OK;
    }
    return remove(0, pms_oid_text_count(text));
}

int CPmsOid::strip_prefix(IPmsOid *prefix)
{
    if (!prefix)
        return PMC_E_ARG;
    if (prefix == this) {
        clear();
        return PMC_OK;
    }
    return strip_prefix(oid_text(prefix));
}

/* append_text: a '.' unless empty, then the text; the count becomes unknown. */
int CPmsOid::append_text(const char *text)
{
    if (!text || !*text)
        return PMC_OK;
    uint32_t old = m_text.length();
    int code = old ? m_text.append('.') : PMC_OK;
    if (code == PMC_OK)
        code = m_text.append(text);
    if (code != PMC_OK) {
        m_text.erase(old, CPmcString::npos);
        return code;
    }
    m_count = -1;
    return PMC_OK;
}

int CPmsOid::append_number(uint32_t number)
{
    char digits[16];
    int n = std::snprintf(digits + 1, sizeof digits - 1, "%lu", (unsigned long)number);
    digits[0] = '.';
    const char *text = m_text.is_empty() ? digits + 1 : digits;
    int code = m_text.append(text, (uint32_t)(m_text.is_empty() ? n : n + 1));
    if (code != PMC_OK)
        return code;
    if (m_count >= 0)
        ++m_count;
    return PMC_OK;
}

int CPmsOid::append_oid(IPmsOid *other)
{
    if (!other)
        return PMC_E_ARG;
    IPmsValue *source = other->value();
    uint32_t added = source->length();
    if (added == 0)
        return PMC_OK;
    int32_t count = m_count;
    int code;
    if (other == this) {
        CPmcString copy;
        code = copy.assign(m_text);
        if (code == PMC_OK)
            code = append_text(copy.data());
    } else {
        code = append_text(oid_text(other));
    }
    if (code != PMC_OK)
        return code;
    m_count = count >= 0 ? count + (int32_t)added : -1;
    return PMC_OK;
}

int CPmsOid::append_index_text(const char *text, uint32_t tag, bool implied)
{
    if (!text)
        return PMC_E_ARG;
    int code;
    IPmsValue *value = pms_create_value(tag, &code);
    if (!value)
        return code;
    code = value->set_text(text);
    if (code == PMC_OK)
        code = append_index(value, implied);
    value->release();
    return code;
}

/* append_index: the value's index form; a failure part-way takes the part back off. */
int CPmsOid::append_index(IPmsValue *value, bool implied)
{
    if (!value)
        return PMC_E_ARG;
    uint32_t old_length = m_text.length();
    int32_t old_count = m_count;
    int code = value->append_as_index(this, implied);
    if (code != PMC_OK) {
        m_text.erase(old_length, CPmcString::npos);
        m_count = old_count;
    }
    return code;
}

IPmsOid *CPmsOid::take_prefix(uint32_t count, int *code)
{
    IPmsOid *prefix = pms_create_oid(code);
    if (!prefix)
        return nullptr;
    int status = take_prefix_into(prefix->value(), count);
    if (status != PMC_OK) {
        prefix->value()->release();
        pms_set_code(code, status);
        return nullptr;
    }
    return prefix;
}

/* prefix_length: characters of the first `count` sub-identifiers (all when more). */
uint32_t CPmsOid::prefix_length(uint32_t count)
{
    if (count >= length())
        return m_text.length();
    if (count == 0)
        return 0;
    return pms_oid_text_offset(m_text.data(), count) - 1;
}

/*
 * take_prefix_into: the value is set from the text of the first `count` sub-identifiers;
 * only when it accepts them are they removed. The value's refusal is the result.
 */
int CPmsOid::take_prefix_into(IPmsValue *value, uint32_t count)
{
    if (!value || value == static_cast<IPmsValue *>(this))
        return PMC_E_ARG;
    CPmcString prefix;
    int code = prefix.assign(m_text.data(), prefix_length(count));
    if (code != PMC_OK)
        return code;
    code = value->set_text(prefix.data());
    if (code != PMC_OK)
        return code;
    if (count && !m_text.is_empty())
        remove(0, count);
    return PMC_OK;
}

uint32_t CPmsOid::take_first(int *code)
{
    int status = PMC_OK;
    uint32_t number = read_element(0, &status);
    pms_set_code(code, status);
    if (status != PMC_OK)
        return PMS_NPOS;
    remove(0, 1);
    return number;
}

CPmcByteString *CPmsOid::take_prefix_text(uint32_t count, int *code)
{
    CPmcByteString *text = pmc_create_byte_string(code);
    if (!text)
        return nullptr;
    int status = take_prefix_into_bytes(text, count);
    if (status != PMC_OK) {
        text->release();
        pms_set_code(code, status);
        return nullptr;
    }
    return text;
}

int CPmsOid::take_prefix_into_bytes(CPmcByteString *out, uint32_t count)
{
    if (!out)
        return PMC_E_ARG;
    int code = out->assign(m_text.data(), prefix_length(count));
    if (code != PMC_OK)
        return code;
    if (count && !m_text.is_empty())
        remove(0, count);
    return PMC_OK;
}

IPmsValue *CPmsOid::take_index_of_tag(uint32_t tag, int *code, bool implied, int32_t count)
{
    IPmsValue *value = pms_create_value(tag, code);
    if (!value)
        return nullptr;
    int status = take_index(value, implied, count);
    if (status != PMC_OK) {
        value->release();
        pms_set_code(code, status);
        return nullptr;
    }
    return value;
}

/* take_index: reads the value from the front, then removes what it consumed. */
int CPmsOid::take_index(IPmsValue *value, bool implied, int32_t count)
{
    if (!value)
        return PMC_E_ARG;
    int code = value->set_from_index(this, implied, count);
    if (code != PMC_OK)
        return code;
    uint32_t consumed = (implied && count != -1) ? (uint32_t)count : value->index_length(implied);
    if (consumed && !m_text.is_empty())
        remove(0, consumed);
    return PMC_OK;
}

/*
 * remove: the run start .. start + count - 1 goes together with one separating dot
 * (the one after it, or before it when the run reaches the end).
 */
int CPmsOid::remove(uint32_t start, uint32_t count)
{
    uint32_t total = length();
    if (start >= total)
        return PMC_E_ARG;
    uint32_t end = (count == PMS_NPOS || count >= total - start) ? total : start + count;
    const char *text = m_text.data();
    uint32_t from = pms_oid_text_offset(text, start);
    if (end == total) {
        if (start == 0)
            m_text.free_text();
        else
            m_text.erase(from - 1, CPmcString::npos);
    } else {
        m_text.erase(from, pms_oid_text_offset(text, end) - from);
    }
    m_count = (int32_t)(total - (end - start));
    return PMC_OK;
}

IPmsValue *CPmsOid::read_index_of_tag(uint32_t tag, int *code, bool implied)
{
    IPmsValue *value = pms_create_value(tag, code);
    if (!value)
        return nullptr;
    int status = read_index(value, implied);
    if (status != PMC_OK) {
        value->release();
        pms_set_code(code, status);
        return nullptr;
    }
    return value;
}

int CPmsOid::read_index(IPmsValue *value, bool implied)
{
    return value ? value->set_from_index(this, implied, -1) : PMC_E_ARG;
}

int CPmsOid::set_to_index(IPmsValue *value, bool implied)
{
    return value ? value->write_as_index(this, implied) : PMC_E_ARG;
}

IPmsValue *CPmsOid::value()
{
    return this;
}
