/*
 * The byte level of the message codec: a writer that fills a buffer backwards, from its
 * last byte towards its first, and never writes outside it; and a reader that never
 * reads past the end of the received bytes.
 */
#ifndef MANAGEMENT_CODEC_PMC_BER_H
#define MANAGEMENT_CODEC_PMC_BER_H

#include <cstdint>

#include "management/base/pmc_memory.h"

/* The status of malformed or truncated input. */
constexpr int PMC_E_MALFORMED = -250;

class CPmcBerWriter : public CPmcHeapObject
{
public:
    /* The writer starts one past the last byte of `storage` (`size` bytes). */
    CPmcBerWriter(uint8_t *storage, uint32_t size) : m_storage(storage), m_position(size), m_size(size) {}
    CPmcBerWriter(const CPmcBerWriter &) = delete;
    CPmcBerWriter &operator=(const CPmcBerWriter &) = delete;

    /* put_byte: one byte before the position; at the start of the storage the overflow
     * flag is set and nothing is written. */
    void put_byte(uint8_t byte);
    /* put_block: `count` bytes before the position, reading in the order given; when
     * fewer remain the overflow flag is set and nothing is written. */
    void put_block(const void *bytes, uint32_t count);
    /* put_length: the short form below 128, else the long form; returns 1 to 5. */
    uint32_t put_length(uint32_t length);
    /* put_sub_identifier: base-128, the last group without continuation bit; returns the
     * number of bytes. */
    uint32_t put_sub_identifier(uint32_t value);

    /* written: bytes from the position to the end of the storage. */
    uint32_t written() const
    {
        return m_size - m_position;
    }
    /* offset: the position as an offset into the storage. */
    uint32_t offset() const
    {
        return m_position;
    }
    bool overflow() const
    {
        return m_overflow;
    }

private:
    uint8_t *m_storage;
    uint32_t m_position;
    uint32_t m_size;
    bool m_overflow = false;
};

class CPmcBerReader : public CPmcHeapObject
{
public:
    CPmcBerReader(const uint8_t *start, uint32_t size) : m_start(start), m_end(size) {}
    CPmcBerReader(const CPmcBerReader &) = delete;
    CPmcBerReader &operator=(const CPmcBerReader &) = delete;

    /* get_byte: the next byte; at the end the exhausted flag is set and 0 given. */
    uint8_t get_byte();
    /*
     * get_tag_length: reads the tag byte, which must be `tag`, and a length: short form,
     * or 0x81 to 0x84 followed by that many bytes. The indefinite form 0x80, more than
     * four length bytes and running out of bytes are refused. The length is not checked
     * against the bytes left: callers compare it with remaining().
     * Returns 0 or -250 (*length then unspecified).
     */
    int get_tag_length(uint8_t tag, uint32_t *length);
    /* get_length: the length part alone, as above. */
    int get_length(uint32_t *length);
    /* peek_tag: the next byte without consuming it; -250 at the end. */
    int peek_tag(uint8_t *tag);
    /* take: `count` bytes at the position, which moves past them; -250 when fewer remain. */
    int take(uint32_t count, const uint8_t **bytes);

    /* remaining: bytes between the position and the end. */
    uint32_t remaining() const
    {
        return m_end - m_position;
    }
    /* consumed: bytes between the start and the position. */
    uint32_t consumed() const
    {
        return m_position;
    }
    /* cut: the end moves to the position + `count` (count <= remaining()). */
    void cut(uint32_t count)
    {
        m_end = m_position + count;
    }
    bool exhausted() const
    {
        return m_exhausted;
    }

private:
    const uint8_t *m_start;
    uint32_t m_position = 0;
    uint32_t m_end;
    bool m_exhausted = false;
};

/* Integer sizes in bytes of the integer size rule (1 to 5). */
uint32_t pmc_ber_unsigned_size(uint32_t value);
uint32_t pmc_ber_signed_size(int32_t value);

#endif /* MANAGEMENT_CODEC_PMC_BER_H */
