/*
 * SessionDispatcher: hands each call to the session that fits its target (community
 * targets of version 1 or 2c to RequestSession, SNMPv3 targets to v3RequestSession),
 * making that session on first use; and the shared parts of all sessions: the packet
 * forms and the process-wide request identifiers.
 */
#include "management/requests/pmc_session_base.h"

#include <windows.h>

#include "management/base/pmc_status.h"
#include "management/logging/pmc_log.h"
#include "management/packets/pmc_packet.h"

/* The last request identifier handed out: the first increment gives 0. */
constinit static LONG volatile s_request_id = -1;

int32_t pmc_next_request_id()
{
    return (int32_t)InterlockedIncrement(&s_request_id);
}

int CPmsSessionBase::send_sync(IPmsSnmpPacket *packet)
{
    if (!packet)
        return PMC_E_ARG;
    IPmsPdu *pdu = packet->take_pdu();
    IPmsSnmpTarget *target = packet->take_target();
    int code = send_sync(pdu, target);
    packet->set_pdu(pdu);
    packet->set_target(target);
    return code;
}

int CPmsSessionBase::send_broad_cast_sync(IPmsSnmpPacket *packet, CPmcObjectList **list)
{
    if (!packet)
        return PMC_E_ARG;
    IPmsPdu *pdu = packet->take_pdu();
    IPmsSnmpTarget *target = packet->take_target();
    int code = send_broad_cast_sync(pdu, target, list);
    packet->set_pdu(pdu);
    packet->set_target(target);
    return code;
}

int CPmsSessionBase::reserved()
{
    return PMC_E_UNSUPPORTED;
}

namespace {

class SessionDispatcher final : public CPmsSessionBase
{
public:
    SessionDispatcher()
    {
        InitializeCriticalSection(&m_lock);
    }
    SessionDispatcher(const SessionDispatcher &) = delete;
    SessionDispatcher &operator=(const SessionDispatcher &) = delete;

    void release() override
    {
        delete this;
    }
    int send_sync(IPmsPdu *pdu, IPmsSnmpTarget *target) override
    {
        IPmsSession *session = nullptr;
        int code = choose(target, &session);
        return code == PMC_OK ? session->send_sync(pdu, target) : code;
    }
    int send_broad_cast_sync(IPmsPdu *pdu, IPmsSnmpTarget *target, CPmcObjectList **list) override
    {
        IPmcLogger *log = pmc_static_logger(PMC_LOGGER_SNMP);
        log->write(PMC_LOG_TRACE, "[%s] enter.", "SessionDispatcher::send_broad_cast_sync");
        IPmsSession *session = nullptr;
        int code = choose(target, &session);
        if (code == PMC_OK)
            code = session->send_broad_cast_sync(pdu, target, list);
        log->write(PMC_LOG_TRACE, "[%s] exit.", "SessionDispatcher::send_broad_cast_sync");
        return code;
    }
    using CPmsSessionBase::send_broad_cast_sync;
    using CPmsSessionBase::send_sync;

private:
    ~SessionDispatcher() override
    {
        if (m_community)
            m_community->release();
        if (m_v3)
            m_v3->release();
        DeleteCriticalSection(&m_lock);
    }

    /* choose: the session of the target, made on first use (double-checked). -2 for a
     * null target or an unsupported kind and version, -3 when it cannot be made. */
    int choose(IPmsSnmpTarget *target, IPmsSession **out)
    {
        if (!target)
            return PMC_E_ARG;
        int kind = target->kind();
        int32_t version = target->get_version();
        IPmsSession *volatile *slot = nullptr;
        IPmsSession *(*create)(int *) = nullptr;
        if (kind == PMS_TARGET_COMMUNITY && (version == PMS_VERSION_1 || version == PMS_VERSION_2C)) {
            slot = &m_community;
            create = pmc_create_request_session;
        } else if (kind == PMS_TARGET_USM && version == PMS_VERSION_3) {
            slot = &m_v3;
            create = pmc_create_v3_request_session;
        } else {
            return PMC_E_ARG;
        }
        if (!*slot) {
            EnterCriticalSection(&m_lock);
            if (!*slot)
                *slot = create(nullptr);
            LeaveCriticalSection(&m_lock);
        }
        *out = *slot;
        return *out ? PMC_OK : PMC_E_MEMORY;
    }

    CRITICAL_SECTION m_lock;
    IPmsSession *volatile m_community = nullptr;
    IPmsSession *volatile m_v3 = nullptr;
};

} // namespace

IPmsSession *pmc_create_session_dispatcher(int *code)
{
    IPmsSession *session = new SessionDispatcher();
    if (code)
        *code = session ? PMC_OK : PMC_E_MEMORY;
    return session;
}
