/*
 * The port of a protocol, the rows of a walk and the Error line of a failing call.
 */
#include "management/devices/psw_request_support.h"

#include <cstring>

#include "management/base/pmc_byte_string.h"
#include "management/base/pmc_object_list.h"
#include "management/base/pmc_status.h"
#include "management/logging/pmc_log.h"
#include "management/network/pmc_address_text.h"
#include "management/packets/pmc_packet.h"
#include "management/values/pmc_value.h"

IPmsValue *psw_row_value(IPmsVarBindList *row, uint32_t column)
{
    IPmsVarBind *binding = row ? row->get(column) : nullptr;
    return binding ? binding->get_value() : nullptr;
}

int32_t psw_row_number(IPmsVarBindList *row, uint32_t column)
{
    IPmsValue *value = psw_row_value(row, column);
    int code = PMC_OK;
    int32_t number = value ? value->read_signed(&code) : 0;
    return code == PMC_OK ? number : 0;
}

void psw_row_text(IPmsVarBindList *row, uint32_t column, char *field, size_t size)
{
    std::memset(field, 0, size);
    IPmsValue *value = psw_row_value(row, column);
    uint32_t tag = value ? value->tag() : 0;
    if (!value || tag == PMS_TAG_NULL || tag >= PMS_TAG_NO_SUCH_OBJECT)
        return;
    CPmcByteString *text = value->text(nullptr);
    if (!text)
        return;
    size_t length = text->length() < size - 1 ? text->length() : size - 1;
    std::memcpy(field, text->data(), length);
    text->release();
}

PSWRowCursor::PSWRowCursor(CPmcObjectList *rows)
    : m_rows(rows), m_iterator(rows ? rows->create_iterator(nullptr) : nullptr), m_started(false)
{}

PSWRowCursor::~PSWRowCursor()
{
    if (m_iterator)
        m_rows->release_iterator(m_iterator);
    if (m_rows)
        m_rows->release();
}

IPmsVarBindList *PSWRowCursor::next()
{
    if (!m_iterator)
        return nullptr;
    if (m_started)
        m_rows->advance(m_iterator);
    m_started = true;
    void *element = m_rows->element_at(m_iterator);
    return element ? ((IPmsPdu *)element)->get_list() : nullptr;
}

int psw_log_failure(const char *call, int code)
{
    pmc_log_write("PSW", PMC_LOG_ERROR, "%s", call);
    return code;
}

int psw_port_of_protocol(int protocol, uint16_t *port)
{
    if (protocol == PMC_PROTOCOL_IPV4 || protocol == PMC_PROTOCOL_IPV6)
        *port = 161;
    else if (protocol == PMC_PROTOCOL_IPX)
        *port = 36879;
    else
        return PMC_E_ARG;
    return PMC_OK;
}
