/*
 * CPmcByteString: exact-size storage, assignment, appending, cloning and comparison.
 */
#include "management/base/pmc_byte_string.h"

#include <cstring>

#include "management/base/pmc_status.h"
#include "platform/include/qm_layout.h"

static_assert(sizeof(CPmcByteString) == QM_LAYOUT(12, 24), "operation table, length and data");

CPmcByteString *pmc_create_byte_string(int *code)
{
    CPmcByteString *object = new CPmcByteString();
    if (code)
        *code = object ? PMC_OK : PMC_E_MEMORY;
    return object;
}

CPmcByteString::~CPmcByteString()
{
    pmc_free(m_data);
}

int CPmcByteString::append(const CPmcByteString *other)
{
    return other ? append(other->m_data, other->m_length) : PMC_OK;
}

int CPmcByteString::append(const char *text)
{
    return text ? append(text, (uint32_t)std::strlen(text)) : PMC_OK;
}

/*
 * append: a buffer of exactly length + count + 1 bytes receives the old bytes, the new
 * ones and a NUL; `bytes` may point into this string.
 */
int CPmcByteString::append(const void *bytes, uint32_t count)
{
    if (count == 0 || !bytes)
        return PMC_OK;
    char *buffer = (char *)pmc_alloc((std::size_t)m_length + count + 1);
    if (!buffer)
        return PMC_E_MEMORY;
    if (m_length)
        std::memcpy(buffer, m_data, m_length);
    std::memcpy(buffer + m_length, bytes, count);
    buffer[m_length + count] = 0;
    pmc_free(m_data);
    m_data = buffer;
    m_length += count;
    return PMC_OK;
}

int CPmcByteString::assign(const char *text)
{
    return assign(text, text ? (uint32_t)std::strlen(text) : 0);
}

int CPmcByteString::assign(const void *bytes, uint32_t count)
{
    if (count == 0 || !bytes) {
        pmc_free(m_data);
        m_data = nullptr;
        m_length = 0;
        return PMC_OK;
    }
    char *buffer = (char *)pmc_alloc((std::size_t)count + 1);
    if (!buffer)
        return PMC_E_MEMORY;
    std::memcpy(buffer, bytes, count);
    buffer[count] = 0;
    pmc_free(m_data);
    m_data = buffer;
    m_length = count;
    return PMC_OK;
}

/* clone: a failed assignment releases the new object and answers -3 (not 0). */
int CPmcByteString::clone(CPmcByteString **out) const
{
    if (!out)
        return PMC_E_ARG;
    *out = nullptr;
    int code;
    CPmcByteString *copy = pmc_create_byte_string(&code);
    if (!copy)
        return code;
    code = copy->assign(m_data, m_length);
    if (code != PMC_OK) {
        copy->release();
        return code;
    }
    *out = copy;
    return PMC_OK;
}

const char *CPmcByteString::data() const
{
    return m_length ? m_data : nullptr;
}

bool CPmcByteString::equals(const CPmcByteString *other) const
{
    return other && equals(other->m_data, other->m_length);
}

bool CPmcByteString::equals(const char *text) const
{
    return text && equals(text, (uint32_t)std::strlen(text));
}

bool CPmcByteString::equals(const void *bytes, uint32_t count) const
{
    if (count == 0)
        return m_length == 0;
    if (count != m_length || !bytes)
        return false;
    return std::memcmp(m_data, bytes, count) == 0;
}

uint32_t CPmcByteString::length() const
{
    return m_length;
}

void CPmcByteString::release()
{
    delete this;
}
