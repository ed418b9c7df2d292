/*
 * The parts of the SNMPv3 adapter that both builds share: the failure line on "snmp" and
 * Net-SNMP's peer name of an address.
 */
#include "management/snmpv3/pmc_snmpv3.h"

#include <cstdio>

#include "management/base/pmc_status.h"
#include "management/logging/pmc_log.h"

void pmc_snmpv3_log_failure(const char *call, int sys_errno, int snmp_errno, const char *message)
{
    IPmcLogger *logger = pmc_static_logger(PMC_LOGGER_SNMP);
    if (sys_errno == 0 || snmp_errno == 0 || !message)
        logger->write(PMC_LOG_ERROR, "%s(): unknown", call);
    else
        logger->write(PMC_LOG_ERROR, "%s(): ErrNo = %d, SnmpErrNo = %d, %s", call, sys_errno, snmp_errno, message);
}

int pmc_snmpv3_peer_name(int32_t protocol, const char *text, uint16_t address_port, uint16_t target_port, char *out,
                         size_t size)
{
    if (!text || !out || size == 0)
        return PMC_E_ARG;
    unsigned port = address_port ? address_port : target_port;
    int n;
    switch (protocol) {
    case PMC_V3_IPV4:
        n = port ? std::snprintf(out, size, "%s:%u", text, port) : std::snprintf(out, size, "%s", text);
        break;
    case PMC_V3_IPV6:
        n = port ? std::snprintf(out, size, "udp6:[%s]:%u", text, port) : std::snprintf(out, size, "udp6:[%s]", text);
        break;
    case PMC_V3_IPX:
        n = port ? std::snprintf(out, size, "ipx:%s/%u", text, port) : std::snprintf(out, size, "ipx:%s", text);
        break;
    default: return PMC_E_ARG;
    }
    return n >= 0 && (size_t)n < size ? PMC_OK : PMC_E_ARG;
}
