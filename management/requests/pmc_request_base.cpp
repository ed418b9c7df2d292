/*
 * The shared part of the request objects: set-up of the PDU, target and peer address by
 * init, community text, request bindings and one exchange through a new dispatcher.
 */
#include "management/requests/pmc_request_private.h"

#include <cstring>

#include "management/base/pmc_status.h"
#include "management/network/pmc_address_text.h"
#include "management/network/pmc_network_address.h"
#include "management/packets/pmc_packet.h"
#include "management/requests/pmc_session.h"
#include "management/values/pmc_value.h"

CPmcRequestBase::CPmcRequestBase()
{
    std::strcpy(m_community, "public");
}

CPmcRequestBase::~CPmcRequestBase()
{
    drop();
}

/* drop: releases the address, the PDU and both targets. */
void CPmcRequestBase::drop()
{
    if (m_peer)
        m_peer->release();
    if (m_pdu)
        m_pdu->release();
    if (m_community_target)
        m_community_target->release();
    if (m_usm_target)
        m_usm_target->release();
    m_peer = nullptr;
    m_pdu = nullptr;
    m_community_target = nullptr;
    m_usm_target = nullptr;
}

void CPmcRequestBase::release()
{
    delete this;
}

int CPmcRequestBase::set_community(const char *text)
{
    size_t length = text ? std::strlen(text) : 0;
    if (length > PMC_COMMUNITY_MAX)
        length = PMC_COMMUNITY_MAX;
    if (length)
        std::memcpy(m_community, text, length);
    m_community[length] = '\0';
    return (int)length + 1;
}

uint32_t pmc_request_max_message(int protocol, uint32_t asked)
{
    uint32_t largest =
        (protocol == PMC_PROTOCOL_IPV4 || protocol == PMC_PROTOCOL_IPV6) ? PMC_MAX_MESSAGE_IP : PMC_MAX_MESSAGE_OTHER;
    return (asked == 0 || asked > largest) ? largest : asked;
}

/* fill_usm: the SNMPv3 settings in the order passed. */
static int fill_usm(IPmsUsmTarget *target, const PmcRequestUsm *usm)
{
    static const PmcRequestUsm kNone = {nullptr, 0, 0, 0, nullptr, nullptr, nullptr};
    if (!usm)
        usm = &kNone;
    int code = target->set_user_name(usm->user_name);
    if (code != PMC_OK)
        return code;
    target->set_security_level(usm->security_level);
    target->set_auth_protocol(usm->auth_protocol);
    target->set_priv_protocol(usm->priv_protocol);
    code = target->set_auth_passphrase(usm->auth_pass_phrase);
    if (code == PMC_OK)
        code = target->set_priv_passphrase(usm->priv_pass_phrase);
    if (code == PMC_OK)
        code = target->set_context_name(usm->extension);
    return code;
}

int CPmcRequestBase::init(const char *address, int protocol, uint16_t port, int32_t selector, const PmcRequestUsm *usm,
                          int32_t timeout, int32_t retries, uint32_t max_message_size)
{
    if (!address)
        return PMC_E_ARG;
    drop();
    int code = pmc_make_address(address, protocol, port, &m_peer);
    if (code != PMC_OK)
        return code;
    uint32_t largest = pmc_request_max_message(protocol, max_message_size);
    m_selector = selector;
    IPmsSnmpTarget *target = nullptr;
    if (selector == PMC_SELECT_V3) {
        m_usm_target = pms_create_usm_target(&code);
        if (!m_usm_target)
            return code;
        target = m_usm_target;
        target->set_timeout(timeout);
        target->set_retry_count(retries);
        target->set_version(PMS_VERSION_3);
        code = target->set_address(m_peer);
        if (code == PMC_OK)
            code = fill_usm(m_usm_target, usm);
    } else {
        m_community_target = pms_create_community_target(&code);
        if (!m_community_target)
            return code;
        target = m_community_target;
        target->set_timeout(timeout);
        target->set_retry_count(retries);
        target->set_version(PMS_VERSION_1);
        code = m_community_target->set_community(m_community);
        if (code == PMC_OK)
            code = target->set_address(m_peer);
    }
    if (code != PMC_OK)
        return code;
    target->set_max_message_size(largest);
    m_pdu = pms_create_pdu(&code);
    return m_pdu ? PMC_OK : code;
}

int CPmcRequestBase::add_oid_string(const char *oid_text, bool instance)
{
    if (!m_pdu || !oid_text)
        return PMC_E_ARG;
    int code = PMC_OK;
    IPmsOid *name = pms_create_oid_from_text(oid_text, &code);
    if (!name)
        return code;
    if (instance)
        code = name->append_number(0);
    if (code == PMC_OK)
        code = m_pdu->append_new(name, nullptr);
    if (code != PMC_OK)
        name->value()->release();
    return code;
}

IPmsSnmpTarget *CPmcRequestBase::target()
{
    if (m_selector == PMC_SELECT_V3)
        return m_usm_target;
    return m_community_target;
}

int CPmcRequestBase::exchange(int32_t type)
{
    IPmsSnmpTarget *to = target();
    if (!m_pdu || !to)
        return PMC_E_ARG;
    m_pdu->set_type(type);
    int code = PMC_OK;
    IPmsSession *dispatcher = pmc_create_session_dispatcher(&code);
    if (!dispatcher)
        return code;
    code = dispatcher->send_sync(m_pdu, to);
    dispatcher->release();
    return code;
}

int CPmcRequestBase::broadcast(CPmcObjectList **packets)
{
    IPmsSnmpTarget *to = target();
    if (!m_pdu || !to || !packets)
        return PMC_E_ARG;
    m_pdu->set_type(PMS_PDU_GET);
    int code = PMC_OK;
    IPmsSession *dispatcher = pmc_create_session_dispatcher(&code);
    if (!dispatcher)
        return code;
    code = dispatcher->send_broad_cast_sync(m_pdu, to, packets);
    dispatcher->release();
    return code;
}
