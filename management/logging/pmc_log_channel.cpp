/*
 * CPmcLogChannel: a logger's settings, its outputs and the writing of one line, all
 * under the logger's own lock.
 */
#include "management/logging/pmc_log_private.h"

#include <cstring>

#include "management/base/pmc_status.h"

int CPmcPointerArray::append(void *item)
{
    if (m_count == m_capacity) {
        uint32_t capacity = m_capacity ? m_capacity * 2 : 8;
        void **items = (void **)pmc_alloc(capacity * sizeof(void *));
        if (!items)
            return PMC_E_MEMORY;
        if (m_count)
            std::memcpy(items, m_items, m_count * sizeof(void *));
        pmc_free(m_items);
        m_items = items;
        m_capacity = capacity;
    }
    m_items[m_count++] = item;
    return PMC_OK;
}

bool pmc_output_attached(const CPmcPointerArray &outputs, IPmcLogOutput *output)
{
    for (uint32_t i = 0; i < outputs.count(); ++i)
        if (outputs.at(i) == output)
            return true;
    return pmc_find_output_by_parameter(outputs, output->parameter()) != nullptr;
}

void CPmcPointerArray::remove(void *item)
{
    uint32_t kept = 0;
    for (uint32_t i = 0; i < m_count; ++i)
        if (m_items[i] != item)
            m_items[kept++] = m_items[i];
    m_count = kept;
}

/* Two parameter texts are the same when both exist and are equal. */
IPmcLogOutput *pmc_find_output_by_parameter(const CPmcPointerArray &outputs, const char *parameter)
{
    if (!parameter)
        return nullptr;
    for (uint32_t i = 0; i < outputs.count(); ++i) {
        IPmcLogOutput *output = (IPmcLogOutput *)outputs.at(i);
        const char *other = output->parameter();
        if (other && std::strcmp(other, parameter) == 0)
            return output;
    }
    return nullptr;
}

CPmcLogChannel *pmc_create_log_channel(const char *name, int *status)
{
    CPmcLogChannel *channel = new CPmcLogChannel();
    int code = channel ? channel->m_name.assign(name) : PMC_E_MEMORY;
    if (code != PMC_OK && channel) {
        channel->release();
        channel = nullptr;
    }
    if (status)
        *status = code;
    return channel;
}

CPmcLogChannel::CPmcLogChannel()
{
    InitializeCriticalSection(&m_lock);
}

CPmcLogChannel::~CPmcLogChannel()
{
    release_outputs();
    DeleteCriticalSection(&m_lock);
}

void CPmcLogChannel::release_outputs()
{
    EnterCriticalSection(&m_lock);
    for (uint32_t i = 0; i < m_outputs.count(); ++i)
        ((IPmcLogOutput *)m_outputs.at(i))->release();
    m_outputs.clear();
    LeaveCriticalSection(&m_lock);
}

int CPmcLogChannel::query_interface(const char *id, void **out)
{
    return pmc_log_query(m_kind, static_cast<IPmcLogger *>(this), id, out);
}

void CPmcLogChannel::add_ref()
{
    InterlockedIncrement(&m_references);
}

int CPmcLogChannel::reserved()
{
    return PMC_E_UNSUPPORTED;
}

void CPmcLogChannel::release()
{
    if (InterlockedDecrement(&m_references) == 0)
        delete this;
}

const char *CPmcLogChannel::name()
{
    return m_name.data();
}

int CPmcLogChannel::add_output(IPmcLogOutput *output)
{
    if (!output)
        return PMC_E_ARG;
    int code = PMC_OK;
    EnterCriticalSection(&m_lock);
    if (!pmc_output_attached(m_outputs, output)) {
        code = m_outputs.append(output);
        if (code == PMC_OK)
            output->add_ref();
    }
    LeaveCriticalSection(&m_lock);
    return code;
}

int CPmcLogChannel::set_level_mask(uint32_t mask)
{
    EnterCriticalSection(&m_lock);
    m_level_mask = mask;
    LeaveCriticalSection(&m_lock);
    return PMC_OK;
}

uint32_t CPmcLogChannel::get_level_mask()
{
    EnterCriticalSection(&m_lock);
    uint32_t mask = m_level_mask;
    LeaveCriticalSection(&m_lock);
    return mask;
}

int CPmcLogChannel::set_indent(uint32_t count)
{
    EnterCriticalSection(&m_lock);
    m_indent = count;
    LeaveCriticalSection(&m_lock);
    return PMC_OK;
}

uint32_t CPmcLogChannel::get_indent()
{
    return m_indent;
}

int CPmcLogChannel::set_header_flags(uint32_t flags)
{
    EnterCriticalSection(&m_lock);
    m_header_flags = flags;
    LeaveCriticalSection(&m_lock);
    return PMC_OK;
}

uint32_t CPmcLogChannel::get_header_flags()
{
    return m_header_flags;
}

int CPmcLogChannel::set_radix(uint32_t radix)
{
    if (radix != 10 && radix != 16)
        return PMC_E_ARG;
    EnterCriticalSection(&m_lock);
    m_radix = radix;
    LeaveCriticalSection(&m_lock);
    return PMC_OK;
}

uint32_t CPmcLogChannel::get_radix()
{
    return m_radix;
}

int CPmcLogChannel::reserved_6()
{
    return PMC_E_NOT_FOUND;
}

int CPmcLogChannel::write(uint32_t level, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    int code = write_v(level, format, args);
    va_end(args);
    return code;
}

/* write_v: builds the line and hands it to every output in order. */
int CPmcLogChannel::write_v(uint32_t level, const char *format, va_list args)
{
    char line[PMC_LOG_LINE_MAX + 1];
    int code = PMC_OK;
    EnterCriticalSection(&m_lock);
    if (!(level & m_level_mask)) {
        LeaveCriticalSection(&m_lock);
        return PMC_OK;
    }
    pmc_log_format_line(line, m_name.data(), m_header_flags, m_radix, level, m_indent, format, args);
    for (uint32_t i = 0; i < m_outputs.count(); ++i) {
        int result = ((IPmcLogOutput *)m_outputs.at(i))->write_line(line);
        if (result != PMC_OK)
            code = result;
    }
    LeaveCriticalSection(&m_lock);
    return code;
}
