/*
 * Printer discovery: the search set-up, the collection of the answers into the result
 * list and the reading of the results.
 */
#include "management/devices/psw_device_finder.h"

#include <cstring>

#include "management/base/pmc_byte_string.h"
#include "management/base/pmc_object_list.h"
#include "management/base/pmc_status.h"
#include "management/devices/psw_plugin_usm.h"
#include "management/devices/psw_request_support.h"
#include "management/network/pmc_network_address.h"
#include "management/packets/pmc_packet.h"
#include "management/requests/pmc_request.h"
#include "management/values/pmc_value.h"

const PSWModelEntry PSW_MODEL_TABLE[] = {
    {"1.3.6.1.4.1.99953.1.11.93.1.33.5.1", "Tessaly Ornet 7701"},
    {"1.3.6.1.4.1.99953.1.11.93.1.33.5.1.1", "Tessaly Ornet 7701"},
    {"1.3.6.1.4.1.99953.1.11.93.1.33.7.1", "Tessaly Ornet 7702"},
    {"1.3.6.1.4.1.99953.1.11.93.1.33.7.1.1", "Tessaly Ornet 7702"},
    {nullptr, nullptr},
};

/* The object every discovery asks for: sysObjectID. */
static const char kSysObjectId[] = "1.3.6.1.2.1.1.2";

static bool copy_field(char *field, const char *text);

/* copy_field: a text into a 64-byte field; false (nothing copied) when it does not fit,
 * since a cut identifier or address would name something else. */
static bool copy_field(char *field, const char *text)
{
    size_t length = std::strlen(text);
    if (length >= PSW_TEXT_FIELD)
        return false;
    std::memcpy(field, text, length + 1);
    return true;
}

const char *psw_match_model(const PSWModelEntry *models, const char *sys_object_id)
{
    if (!models || !sys_object_id)
        return nullptr;
    for (const PSWModelEntry *row = models; row->prefix; ++row) {
        size_t length = std::strlen(row->prefix);
        if (std::strncmp(sys_object_id, row->prefix, length) != 0)
            continue;
        if (sys_object_id[length] == '\0' || sys_object_id[length] == '.')
            return row->model_name;
    }
    return nullptr;
}

CPSWDeviceFinder::CPSWDeviceFinder()
    : m_request(nullptr), m_results(nullptr), m_filters(), m_models(nullptr), m_community()
{}

CPSWDeviceFinder::~CPSWDeviceFinder()
{
    drop_search();
}

/* drop_search: releases the request, every result and the list. */
void CPSWDeviceFinder::drop_search()
{
    if (m_request)
        m_request->release();
    m_request = nullptr;
    if (!m_results)
        return;
    while (m_results->first) {
        PSWFoundDevice *next = m_results->first->next;
        delete m_results->first;
        m_results->first = next;
    }
    delete m_results;
    m_results = nullptr;
}

void CPSWDeviceFinder::set_community(const char *text)
{
    if (!text)
        return;
    size_t length = std::strlen(text);
    if (length > sizeof m_community - 1)
        length = sizeof m_community - 1;
    std::memcpy(m_community, text, length);
    m_community[length] = '\0';
}

void CPSWDeviceFinder::add_filter(const char *text)
{
    if (!text)
        return;
    for (char *slot : m_filters) {
        if (slot[0] != '\0')
            continue;
        size_t length = std::strlen(text);
        if (length > PSW_TEXT_FIELD - 1)
            length = PSW_TEXT_FIELD - 1;
        std::memcpy(slot, text, length);
        slot[length] = '\0';
        return;
    }
}

void CPSWDeviceFinder::clear_filters()
{
    std::memset(m_filters, 0, sizeof m_filters);
}

/* passes_filters: every text passes an empty first slot; else a non-empty slot must be a
 * prefix of the text. */
bool CPSWDeviceFinder::passes_filters(const char *text) const
{
    if (m_filters[0][0] == '\0')
        return true;
    for (const char *slot : m_filters) {
        if (slot[0] != '\0' && std::strncmp(text, slot, std::strlen(slot)) == 0)
            return true;
    }
    return false;
}

int CPSWDeviceFinder::setup(int protocol, const char *address, IPSWPluginUSM *usm, int32_t timeout, int32_t retries,
                            uint32_t max_message_size)
{
    if (!address || !usm)
        return PMC_E_ARG;
    drop_search();
    int code = PMC_OK;
    m_request = pmc_create_find_device_snmp(&code);
    if (!m_request)
        return psw_log_failure("pmc_create_find_device_snmp()", code);
    int found = 0;
    code = m_request->classify(address, &found);
    if (code != PMC_OK)
        return code;
    if (found != protocol)
        return PMC_E_ARG;
    PmcRequestUsm settings = {usm->user_name(),
                              usm->security_level(),
                              usm->auth_protocol(),
                              usm->priv_protocol(),
                              usm->auth_pass_phrase(),
                              usm->priv_pass_phrase(),
                              usm->extension_text()};
    uint16_t port = 0;
    if (psw_port_of_protocol(protocol, &port) != PMC_OK)
        return PMC_E_ARG;
    if (m_community[0] != '\0')
        m_request->set_community(m_community);
    code = m_request->init(address, protocol, port, usm->version(), &settings, timeout, retries, max_message_size);
    if (code != PMC_OK)
        return psw_log_failure("m_pFindDeviceSnmp->init()", code);
    m_results = new PSWFoundList();
    if (!m_results)
        return PMC_E_MEMORY;
    m_results->count = 0;
    m_results->position = 0;
    m_results->first = nullptr;
    return PMC_OK;
}

/* answer_texts: the sender's address text and the sysObjectID text of one answer packet
 * into 64-byte fields; false when either is missing or does not fit. */
static bool answer_texts(IPmsSnmpPacket *packet, PSWFoundDevice *device)
{
    IPmsSnmpTarget *target = packet->get_target();
    IPmcNetworkAddress *sender = target ? target->get_address() : nullptr;
    const char *address = nullptr;
    if (!sender || sender->get(&address, nullptr, nullptr) != PMC_OK || !copy_field(device->address, address))
        return false;
    IPmsPdu *pdu = packet->get_pdu();
    IPmsVarBindList *list = pdu ? pdu->get_list() : nullptr;
    IPmsVarBind *binding = list ? list->get(0) : nullptr;
    IPmsValue *value = binding ? binding->get_value() : nullptr;
    CPmcByteString *text = value ? value->text(nullptr) : nullptr;
    bool fits = text && copy_field(device->sys_object_id, text->data());
    if (text)
        text->release();
    return fits;
}

int CPSWDeviceFinder::collect(const PSWModelEntry *models, int32_t *count)
{
    if (!count)
        return PMC_E_ARG;
    *count = 0;
    m_models = models;
    if (!m_request || !m_results)
        return PMC_E_ARG;
    int code = m_request->add_oid_string(kSysObjectId, true);
    if (code != PMC_OK)
        return psw_log_failure("m_pFindDeviceSnmp->add_oid_string()", code);
    CPmcObjectList *packets = nullptr;
    code = m_request->send_broad_cast(&packets);
    if (code != PMC_OK)
        return psw_log_failure("m_pFindDeviceSnmp->send_broad_cast()", code);
    IPmcObjectListIterator *iterator = packets->create_iterator(&code);
    for (void *element; iterator && (element = packets->element_at(iterator)) != nullptr; packets->advance(iterator)) {
        PSWFoundDevice found = {};
        if (!answer_texts((IPmsSnmpPacket *)element, &found))
            continue;
        const char *model = psw_match_model(models, found.sys_object_id);
        if (!model || !passes_filters(found.sys_object_id))
            continue;
        PSWFoundDevice *device = new PSWFoundDevice();
        if (!device) {
            code = PMC_E_MEMORY;
            break;
        }
        *device = found;
        copy_field(device->model_name, model);
        device->next = m_results->first;
        m_results->first = device;
        ++m_results->count;
    }
    if (iterator)
        packets->release_iterator(iterator);
    packets->release();
    if (code != PMC_OK)
        return code;
    *count = m_results->count;
    return PMC_OK;
}

void CPSWDeviceFinder::reset_position()
{
    if (m_results)
        m_results->position = 0;
}

bool CPSWDeviceFinder::next(char *address, char *model_name, char *reserved, char *sys_object_id)
{
    if (!m_results || m_results->position < 0 || m_results->position >= m_results->count)
        return false;
    PSWFoundDevice *device = m_results->first;
    for (int32_t i = 0; device && i < m_results->position; ++i)
        device = device->next;
    if (!device)
        return false;
    if (address)
        std::memcpy(address, device->address, PSW_TEXT_FIELD);
    if (model_name)
        std::memcpy(model_name, device->model_name, PSW_TEXT_FIELD);
    if (reserved)
        reserved[0] = '\0';
    if (sys_object_id)
        std::memcpy(sys_object_id, device->sys_object_id, PSW_TEXT_FIELD);
    ++m_results->position;
    return true;
}
