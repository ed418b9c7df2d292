/*
 * SNMPv3 in a Windows build made without the cross-built Net-SNMP: every SNMPv3 operation
 * answers -10 (a system component missing) before anything is sent; nothing reaches
 * Net-SNMP, so no Net-SNMP error is ever mapped. Failure lines and peer names come from
 * the shared part of the adapter.
 */
#include "management/snmpv3/pmc_snmpv3.h"

#include "management/base/pmc_status.h"

int pmc_snmpv3_map_error(int snmp_error)
{
    if (snmp_error == 0)
        return PMC_OK;
    return PMC_E_NETSNMP;
}

int pmc_snmpv3_begin()
{
    return PMC_E_SYSTEM;
}

void pmc_snmpv3_end() {}

CPmcSnmpV3Request::CPmcSnmpV3Request()
    : m_session(nullptr), m_pdu(nullptr), m_oid(), m_oid_length(0), m_probe(false), m_peer()
{}

CPmcSnmpV3Request::~CPmcSnmpV3Request() = default;

int CPmcSnmpV3Request::fill_session(const PmcSnmpV3SessionSpec &, snmp_session *)
{
    return PMC_E_SYSTEM;
}

int CPmcSnmpV3Request::open(const PmcSnmpV3SessionSpec &)
{
    return PMC_E_SYSTEM;
}

int CPmcSnmpV3Request::build(int32_t, int32_t, bool)
{
    return PMC_E_SYSTEM;
}

int CPmcSnmpV3Request::add_binding(const char *, int, const char *)
{
    return PMC_E_SYSTEM;
}

int CPmcSnmpV3Request::send(CPmcSnmpV3Answer *)
{
    return PMC_E_SYSTEM;
}

void CPmcSnmpV3Answer::reset(snmp_pdu *, bool)
{
    m_pdu = nullptr;
    m_owned = false;
    m_responder[0] = '\0';
    m_responder_protocol = 0;
    m_responder_port = 0;
}

bool CPmcSnmpV3Answer::is_v3()
{
    return false;
}

int32_t CPmcSnmpV3Answer::pdu_type()
{
    return -1;
}

int32_t CPmcSnmpV3Answer::request_id()
{
    return 0;
}

int32_t CPmcSnmpV3Answer::error_status()
{
    return 0;
}

int32_t CPmcSnmpV3Answer::error_index()
{
    return 0;
}

int32_t CPmcSnmpV3Answer::security_level()
{
    return PMC_E_ARG;
}

void CPmcSnmpV3Answer::security_name(char *out, size_t size)
{
    if (out && size)
        out[0] = '\0';
}

void CPmcSnmpV3Answer::context_name(char *out, size_t size)
{
    if (out && size)
        out[0] = '\0';
}

const unsigned char *CPmcSnmpV3Answer::engine_id(size_t *length)
{
    *length = 0;
    return nullptr;
}

uint32_t CPmcSnmpV3Answer::variable_count()
{
    return 0;
}

int CPmcSnmpV3Answer::variable(uint32_t, PmcSnmpV3Variable *)
{
    return PMC_E_ARG;
}

int CPmcSnmpV3Request::collect(int32_t)
{
    return PMC_E_SYSTEM;
}
