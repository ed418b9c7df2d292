/*
 * CPmcRawBuffer: the bytes of one encoded message, with a read/write position. The data is
 * freed by the kind it was attached with: 1 through the library's allocator, 2 through
 * the C runtime's free. A new buffer is empty with free kind 1. Not copyable.
 */
#ifndef MANAGEMENT_CODEC_PMC_RAW_BUFFER_H
#define MANAGEMENT_CODEC_PMC_RAW_BUFFER_H

#include <cstdint>

#include "management/base/pmc_memory.h"

/* How the data of a buffer is freed. */
enum PmcRawFreeKind : uint32_t {
    PMC_RAW_FREE_LIBRARY = 1, /* pmc_free */
    PMC_RAW_FREE_CRT = 2      /* the C runtime's free */
};

class CPmcRawBuffer : public CPmcHeapObject
{
public:
    CPmcRawBuffer() = default;
    ~CPmcRawBuffer()
    {
        release();
    }
    CPmcRawBuffer(const CPmcRawBuffer &) = delete;
    CPmcRawBuffer &operator=(const CPmcRawBuffer &) = delete;

    /*
     * attach: takes `data` of `length` bytes, to be freed by `free_kind`; the data held
     * before is freed first. The position goes to the start. Null data empties the buffer.
     */
    void attach(uint8_t *data, uint32_t length, PmcRawFreeKind free_kind);

    /*
     * detach: hands the data and its length out (either out-pointer may be null, but then
     * the caller owns data it cannot see: pass both) and leaves the buffer empty.
     */
    void detach(uint8_t **data, uint32_t *length);

    /*
     * allocate: replaces the contents with `length` new zeroed bytes from the library's
     * allocator (free kind 1). Returns 0, or -3 with the buffer left empty.
     */
    int allocate(uint32_t length);

    /* set_position: the position becomes start + offset. 0, or -2 past the length. */
    int set_position(uint32_t offset);

    /* remaining: length minus the position's distance from the start. */
    uint32_t remaining() const;

    /* release: frees the data by its free kind; the buffer is empty with free kind 1. */
    void release();

    uint8_t *data() const
    {
        return m_data;
    }
    uint8_t *position() const
    {
        return m_position;
    }
    uint32_t length() const
    {
        return m_length;
    }
    PmcRawFreeKind free_kind() const
    {
        return m_free_kind;
    }

private:
    uint8_t *m_data = nullptr;
    uint8_t *m_position = nullptr;
    uint32_t m_length = 0;
    PmcRawFreeKind m_free_kind = PMC_RAW_FREE_LIBRARY;
};

#endif /* MANAGEMENT_CODEC_PMC_RAW_BUFFER_H */
