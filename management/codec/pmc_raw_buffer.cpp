/*
 * CPmcRawBuffer: ownership of one message's bytes and the position inside them.
 */
#include "management/codec/pmc_raw_buffer.h"

#include <cstdlib>
#include <cstring>

#include "management/base/pmc_status.h"

void CPmcRawBuffer::attach(uint8_t *data, uint32_t length, PmcRawFreeKind free_kind)
{
    if (data != m_data)
        release();
    m_data = data;
    m_length = data ? length : 0;
    m_position = data;
    m_free_kind = free_kind;
}

void CPmcRawBuffer::detach(uint8_t **data, uint32_t *length)
{
    if (data)
        *data = m_data;
    if (length)
        *length = m_length;
    m_data = nullptr;
    m_position = nullptr;
    m_length = 0;
    m_free_kind = PMC_RAW_FREE_LIBRARY;
}

int CPmcRawBuffer::allocate(uint32_t length)
{
    release();
    uint8_t *data = (uint8_t *)pmc_alloc(length);
    if (!data)
        return PMC_E_MEMORY;
    std::memset(data, 0, length);
    attach(data, length, PMC_RAW_FREE_LIBRARY);
    return PMC_OK;
}

int CPmcRawBuffer::set_position(uint32_t offset)
{
    if (offset > m_length)
        return PMC_E_ARG;
    m_position = m_data + offset;
    return PMC_OK;
}

uint32_t CPmcRawBuffer::remaining() const
{
    return m_length - (uint32_t)(m_position - m_data);
}

void CPmcRawBuffer::release()
{
    if (m_data) {
        if (m_free_kind == PMC_RAW_FREE_CRT)
            std::free(m_data);
        else
            pmc_free(m_data);
    }
    m_data = nullptr;
    m_position = nullptr;
    m_length = 0;
    m_free_kind = PMC_RAW_FREE_LIBRARY;
}
