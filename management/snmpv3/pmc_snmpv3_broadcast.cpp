/*
 * The SNMPv3 broadcast of the Net-SNMP adapter: one request sent with broadcasting on,
 * every answer handed to the session's callback until the wait is over. Net-SNMP's
 * synchronous call stops at the first answer, so the request goes out asynchronously and
 * the session's socket is served here until the time is up.
 */
#include "management/snmpv3/pmc_snmpv3.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>

static const char kCallName[] = "snmp_sess_synch_response_cb";

/* fail: logs the session's Net-SNMP failure under the broadcast's call name and maps it. */
static int fail(snmp_session *session)
{
    int sys_errno = errno, error = snmp_errno;
    char *message = nullptr;
    snmp_error(session, &sys_errno, &error, &message);
    pmc_snmpv3_log_failure(kCallName, sys_errno, error, message);
    std::free(message);
    return pmc_snmpv3_map_error(error);
}

int CPmcSnmpV3Request::collect(int32_t wait_ms)
{
    if (!m_session || !m_pdu)
        return -2;
    snmp_pdu *request = m_pdu;
    m_pdu = nullptr;
    void *sp = snmp_sess_pointer(m_session);
    netsnmp_transport *transport = sp ? snmp_sess_transport(sp) : nullptr;
    if (!transport) {
        snmp_free_pdu(request);
        return fail(m_session);
    }
    /* IPv6 sockets have no broadcast switch: multicast needs none. */
    int on = 1;
    setsockopt(transport->sock, SOL_SOCKET, SO_BROADCAST, (const char *)&on, sizeof on);
    if (!snmp_sess_async_send(sp, request, m_session->callback, m_session->callback_magic)) {
        snmp_free_pdu(request);
        return fail(m_session);
    }
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(wait_ms);
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        int fds = 0, block = 0;
        fd_set set;
        FD_ZERO(&set);
        struct timeval wait;
        wait.tv_sec = (long)(left.count() / 1000000);
        wait.tv_usec = (long)(left.count() % 1000000);
        snmp_sess_select_info(sp, &fds, &set, &wait, &block);
        int ready = select(fds, &set, nullptr, nullptr, &wait);
        if (ready > 0)
            snmp_sess_read(sp, &set);
        else if (ready == 0)
            snmp_sess_timeout(sp);
        else if (errno != EINTR)
            return fail(m_session);
    }
    return 0;
}
