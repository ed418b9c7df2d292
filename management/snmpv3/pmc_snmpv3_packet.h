/*
 * The SNMPv3 adapter's seam with the library's packet objects: an SNMPv3 target becomes a
 * Net-SNMP session, a PDU a Net-SNMP request, and an answer is written back into the PDU
 * and the target.
 */
#ifndef MANAGEMENT_SNMPV3_PMC_SNMPV3_PACKET_H
#define MANAGEMENT_SNMPV3_PMC_SNMPV3_PACKET_H

#include "management/snmpv3/pmc_snmpv3.h"

class IPmsPdu;
class IPmsSnmpTarget;

/*
 * pmc_snmpv3_open_target: opens the request's session from an SNMPv3 target (kind 1; other
 * kinds -2). discovery: no automatic engine-id probing, with callback and magic attached.
 * 0 or the codes of CPmcSnmpV3Request::open.
 */
int pmc_snmpv3_open_target(CPmcSnmpV3Request *request, IPmsSnmpTarget *target, bool discovery,
                           PmcSnmpV3Callback callback, void *magic);

/*
 * pmc_snmpv3_build_from_pdu: the request of a PDU: its type and request id, each binding's
 * OID text and value by kind (values in their text form); with probe the engine-id probe.
 * 0 or the codes of CPmcSnmpV3Request::build and add_binding.
 */
int pmc_snmpv3_build_from_pdu(CPmcSnmpV3Request *request, IPmsPdu *pdu, bool probe);

/*
 * pmc_snmpv3_convert_answer: writes an SNMPv3 answer into the PDU and the target (-2 for
 * an answer that is not SNMPv3 or a target of another kind, or a security level out of
 * range); bindings are reused in order, missing ones appended, surplus ones removed. -10
 * for a variable of an unknown type, -3 without memory.
 */
int pmc_snmpv3_convert_answer(CPmcSnmpV3Answer *answer, IPmsPdu *pdu, IPmsSnmpTarget *target);

#endif /* MANAGEMENT_SNMPV3_PMC_SNMPV3_PACKET_H */
