/*
 * CPmcString: storage, assignment, appending, comparison, search and erasing.
 */
#include "management/base/pmc_string.h"

#include <cstring>

#include "management/base/pmc_memory.h"
#include "management/base/pmc_status.h"
#include "management/base/pmc_system.h"

const char CPmcString::s_empty[1] = {0};

/* The buffer sizes a text grows through before it is sized exactly. */
static const uint32_t kGrowthSteps[] = {64, 128, 256, 512, 1024};

/*
 * capacity_for: the buffer size for a text of `length` characters: the smallest growth
 * step above the length, else exactly length + 1.
 */
uint32_t CPmcString::capacity_for(uint32_t length)
{
    for (uint32_t step : kGrowthSteps)
        if (length < step)
            return step;
    return length + 1;
}

CPmcString::CPmcString(const char *text)
{
    assign(text);
}

CPmcString::~CPmcString()
{
    free_text();
}

int CPmcString::append(char character)
{
    return append(&character, 1);
}

int CPmcString::append(const char *text)
{
    return append(text, text ? (uint32_t)std::strlen(text) : 0);
}

/*
 * append: in place while the result stays below the capacity; otherwise the old text and
 * the new bytes go into a new buffer before the old one is freed, so `bytes` may point
 * into this string.
 */
int CPmcString::append(const char *bytes, uint32_t count)
{
    if (count == 0 || !bytes)
        return PMC_OK;
    uint32_t total = m_length + count;
    if (total < m_capacity) {
        std::memmove(m_data + m_length, bytes, count);
        m_data[total] = 0;
        m_length = total;
        return PMC_OK;
    }
    return regrow(m_length, bytes, count);
}

int CPmcString::assign(const CPmcString &other)
{
    return assign(other.m_data, other.m_length);
}

int CPmcString::assign(const char *text)
{
    return assign(text, text ? (uint32_t)std::strlen(text) : 0);
}

/*
 * assign: in place when the text fits below the capacity (the source may overlap this
 * buffer); otherwise a new buffer is allocated before the old one is freed.
 */
int CPmcString::assign(const char *bytes, uint32_t count)
{
    if (bytes == m_data && count == m_length)
        return PMC_OK;
    if (count == 0 || !bytes) {
        free_text();
        return PMC_OK;
    }
    if (count < m_capacity) {
        std::memmove(m_data, bytes, count);
        m_data[count] = 0;
        m_length = count;
        return PMC_OK;
    }
    return regrow(0, bytes, count);
}

int CPmcString::compare(const char *text) const
{
    const unsigned char *a = (const unsigned char *)m_data;
    const unsigned char *b = (const unsigned char *)(text ? text : s_empty);
    while (*a && *a == *b) {
        ++a;
        ++b;
    }
    if (*a == *b)
        return 0;
    return *a < *b ? -1 : 1;
}

bool CPmcString::equals(const CPmcString &other) const
{
    return m_length == other.m_length && std::memcmp(m_data, other.m_data, m_length) == 0;
}

void CPmcString::erase(uint32_t position, uint32_t count)
{
    if (m_length == 0 || position >= m_length)
        return;
    if (count == npos || count >= m_length - position) {
        if (position == 0) {
            free_text();
            return;
        }
        m_data[position] = 0;
        m_length = position;
        return;
    }
    /* The tail moves down together with its NUL. */
    std::memmove(m_data + position, m_data + position + count, m_length - position - count + 1);
    m_length -= count;
}

uint32_t CPmcString::find(char character, uint32_t start) const
{
    if (start >= m_length || character == 0)
        return npos;
    uint32_t i = start;
    while (i < m_length) {
        if (m_data[i] == character)
            return i;
        if (pmc_is_lead_byte((unsigned char)m_data[i]) && i + 1 < m_length)
            i += 2;
        else
            i += 1;
    }
    return npos;
}

/*
 * regrow: a new buffer sized for keep + count characters receives the first `keep`
 * characters of the text and then `count` bytes (which may lie in the old buffer); only
 * then is the old buffer freed. 0, or -3 with the text unchanged.
 */
int CPmcString::regrow(uint32_t keep, const char *bytes, uint32_t count)
{
    uint32_t total = keep + count;
    uint32_t capacity = capacity_for(total);
    char *buffer = (char *)pmc_alloc(capacity);
    if (!buffer)
        return PMC_E_MEMORY;
    std::memcpy(buffer, m_data, keep);
    std::memcpy(buffer + keep, bytes, count);
    buffer[total] = 0;
    free_text();
    m_data = buffer;
    m_length = total;
    m_capacity = capacity;
    return PMC_OK;
}

void CPmcString::free_text()
{
    if (m_capacity)
        pmc_free(m_data);
    m_data = const_cast<char *>(s_empty);
    m_length = 0;
    m_capacity = 0;
}
