/*
 * Request sessions: one SNMP request from a PDU and its target to a device and the answer
 * back into the same PDU, or one broadcast whose distinct answers come back as a packet
 * list. The session dispatcher picks the session from the target: the library's own codec
 * over a datagram socket for community targets (version 1 and 2c), Net-SNMP for SNMPv3.
 * Every call blocks the calling thread until its answer, its time-out or an error.
 */
#ifndef MANAGEMENT_REQUESTS_PMC_SESSION_H
#define MANAGEMENT_REQUESTS_PMC_SESSION_H

#include <cstdint>

#include "management/base/pmc_memory.h"

class CPmcObjectList;
class IPmsPdu;
class IPmsSnmpPacket;
class IPmsSnmpTarget;

/* Status codes of the sessions beyond pmc_status.h. */
enum {
    PMC_E_ANSWER_TOO_BIG = -210, /* the agent answered tooBig */
    PMC_E_UNSPLITTABLE = -212,   /* a request that cannot be split any further */
    PMC_E_OTHER_REQUEST = -251   /* an answer to another request (-250 malformed: pmc_ber.h) */
};

/* The largest datagram a session receives: the largest UDP payload. */
constexpr uint32_t PMC_RECEIVE_CAPACITY = 65536;

/* The session operations in slot order; all answer 0 or a status, null arguments -2. */
class IPmsSession
{
public:
    virtual void release() = 0; /* 1 */
    /* send_sync: one request and its answer, written into the PDU. */
    virtual int send_sync(IPmsPdu *pdu, IPmsSnmpTarget *target) = 0; /* 2 */
    /* send_sync (packet): the packet's PDU and target through operation 2. */
    virtual int send_sync(IPmsSnmpPacket *packet) = 0; /* 3 */
    /* send_broad_cast_sync (packet): the packet's PDU and target through operation 5. */
    virtual int send_broad_cast_sync(IPmsSnmpPacket *packet, CPmcObjectList **list) = 0; /* 4 */
    /* send_broad_cast_sync: one broadcast; on success *list is a new packet list (maybe
     * empty) that the caller owns; on failure *list is untouched. */
    virtual int send_broad_cast_sync(IPmsPdu *pdu, IPmsSnmpTarget *target, CPmcObjectList **list) = 0; /* 5 */
    /* reserved: -5. */
    virtual int reserved() = 0; /* 6 */

protected:
    ~IPmsSession() = default;
};

/*
 * pmc_create_session_dispatcher: a new dispatcher, which makes its two sessions on first
 * use and releases them with itself. code (out, may be null): 0, or -3 with null.
 */
IPmsSession *pmc_create_session_dispatcher(int *code);

/* The two sessions (made by the dispatcher; also usable alone). Null and -3 without memory. */
IPmsSession *pmc_create_request_session(int *code);
IPmsSession *pmc_create_v3_request_session(int *code);

/* pmc_next_request_id: the next process-wide request identifier (the first is 0). */
int32_t pmc_next_request_id();

/*
 * pmc_fragment_pdu: splits the bindings of `pdu` into `count` new PDUs (each a copy of the
 * PDU's header; the first c mod n get one binding more), stored in fragments[0..count).
 * The request keeps its bindings. 0, -212 (fewer bindings than fragments), -3 (nothing
 * left allocated).
 */
int pmc_fragment_pdu(IPmsPdu *pdu, uint32_t count, IPmsPdu **fragments);

/*
 * pmc_merge_fragments: the answers of the fragments, in order, become the answer in
 * `pdu`: the first answer's type, the answers' bindings in order, the first non-zero
 * error-status with its index counted over all bindings before it. The answers lose their
 * bindings. 0 or -3.
 */
int pmc_merge_fragments(IPmsPdu *pdu, IPmsPdu **answers, uint32_t count);

#endif /* MANAGEMENT_REQUESTS_PMC_SESSION_H */
