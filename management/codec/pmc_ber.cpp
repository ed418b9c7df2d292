/*
 * The BER writer and reader. Positions are offsets into the storage, so every bound is
 * a comparison of counts and no pointer is ever formed outside the bytes.
 */
#include "management/codec/pmc_ber.h"

#include <cstring>

#include "management/base/pmc_status.h"

/* The longest length field accepted: four bytes after the 0x8n byte. */
static const uint32_t s_max_length_bytes = 4;

void CPmcBerWriter::put_byte(uint8_t byte)
{
    if (m_position == 0) {
        m_overflow = true;
        return;
    }
    m_storage[--m_position] = byte;
}

void CPmcBerWriter::put_block(const void *bytes, uint32_t count)
{
    if (count > m_position) {
        m_overflow = true;
        return;
    }
    m_position -= count;
    if (count)
        std::memcpy(m_storage + m_position, bytes, count);
}

uint32_t CPmcBerWriter::put_length(uint32_t length)
{
    if (length < 0x80) {
        put_byte((uint8_t)length);
        return 1;
    }
    uint32_t count = 0;
    while (length) {
        put_byte((uint8_t)length);
        length >>= 8;
        ++count;
    }
    put_byte((uint8_t)(0x80 + count));
    return count + 1;
}

uint32_t CPmcBerWriter::put_sub_identifier(uint32_t value)
{
    put_byte((uint8_t)(value & 0x7F));
    uint32_t count = 1;
    for (value >>= 7; value; value >>= 7) {
        put_byte((uint8_t)(0x80 | (value & 0x7F)));
        ++count;
    }
    return count;
}

uint8_t CPmcBerReader::get_byte()
{
    if (m_position >= m_end) {
        m_exhausted = true;
        return 0;
    }
    return m_start[m_position++];
}

int CPmcBerReader::get_tag_length(uint8_t tag, uint32_t *length)
{
    if (m_position >= m_end || get_byte() != tag)
        return PMC_E_MALFORMED;
    return get_length(length);
}

/* get_length: more than four length bytes cannot be held in 32 bits: such a length is
 * refused as malformed, never wrapped into a smaller one. */
int CPmcBerReader::get_length(uint32_t *length)
{
    if (m_position >= m_end)
        return PMC_E_MALFORMED;
    uint8_t first = get_byte();
    if (first < 0x80) {
        *length = first;
        return PMC_OK;
    }
    uint32_t count = first - 0x80u;
    if (count == 0 || count > s_max_length_bytes || count > remaining())
        return PMC_E_MALFORMED;
    uint32_t value = 0;
    for (uint32_t i = 0; i < count; ++i)
        value = (value << 8) | get_byte();
    *length = value;
    return PMC_OK;
}

int CPmcBerReader::peek_tag(uint8_t *tag)
{
    if (m_position >= m_end)
        return PMC_E_MALFORMED;
    *tag = m_start[m_position];
    return PMC_OK;
}

int CPmcBerReader::take(uint32_t count, const uint8_t **bytes)
{
    if (count > remaining())
        return PMC_E_MALFORMED;
    *bytes = m_start + m_position;
    m_position += count;
    return PMC_OK;
}

uint32_t pmc_ber_unsigned_size(uint32_t value)
{
    if (value < 0x80u)
        return 1;
    if (value < 0x8000u)
        return 2;
    if (value < 0x800000u)
        return 3;
    if (value < 0x80000000u)
        return 4;
    return 5;
}

uint32_t pmc_ber_signed_size(int32_t value)
{
    return pmc_ber_unsigned_size(value < 0 ? ~(uint32_t)value : (uint32_t)value);
}
