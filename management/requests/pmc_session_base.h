/*
 * The part every session shares: the packet forms of the session operations, which take
 * the packet's PDU and target out, run the PDU-and-target form and put them back, and the
 * reserved sixth operation.
 */
#ifndef MANAGEMENT_REQUESTS_PMC_SESSION_BASE_H
#define MANAGEMENT_REQUESTS_PMC_SESSION_BASE_H

#include "management/base/pmc_memory.h"
#include "management/requests/pmc_session.h"

class CPmsSessionBase : public CPmcHeapObject, public IPmsSession
{
public:
    /* send_sync (packet): -2 for a null packet. */
    int send_sync(IPmsSnmpPacket *packet) override;
    /* send_broad_cast_sync (packet): -2 for a null packet or list pointer. */
    int send_broad_cast_sync(IPmsSnmpPacket *packet, CPmcObjectList **list) override;
    int reserved() override;

    int send_sync(IPmsPdu *pdu, IPmsSnmpTarget *target) override = 0;
    int send_broad_cast_sync(IPmsPdu *pdu, IPmsSnmpTarget *target, CPmcObjectList **list) override = 0;

protected:
    CPmsSessionBase() = default;
    virtual ~CPmsSessionBase() = default;
};

#endif /* MANAGEMENT_REQUESTS_PMC_SESSION_BASE_H */
