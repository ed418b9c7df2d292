/*
 * v3RequestSession: SNMPv3 requests through Net-SNMP. Every operation runs in its own
 * SNMPv3 operation scope (fresh Net-SNMP state on the calling thread). A broadcast first
 * collects the responders of an engine-id probe, then sends the request to each of them
 * with its engine id.
 */
#include "management/requests/pmc_session_base.h"

#include <cstring>

#include "management/base/pmc_object_list.h"
#include "management/base/pmc_status.h"
#include "management/codec/pmc_ber.h"
#include "management/logging/pmc_log.h"
#include "management/network/pmc_network_address.h"
#include "management/packets/pmc_packet.h"
#include "management/snmpv3/pmc_snmpv3.h"
#include "management/snmpv3/pmc_snmpv3_packet.h"

namespace {

/* Net-SNMP's callback operations that the broadcast looks at. */
constexpr int kReceivedMessage = 1;

/* The longest engine identifier (RFC 3411). */
constexpr size_t kEngineIdMax = 32;

/* One responder of the engine-id probe. */
struct Responder : CPmcHeapObject {
    char address[52];
    int32_t protocol;
    uint16_t port;
    unsigned char engine_id[kEngineIdMax];
    uint32_t engine_id_length;
    Responder *next;
};

/* What the broadcast callback collects. */
struct Collection {
    int32_t request_id = 0;
    Responder *first = nullptr;
    Responder **tail = &first;
    int status = PMC_OK; /* -3 when a responder could not be kept */

    ~Collection()
    {
        while (first) {
            Responder *next = first->next;
            delete first;
            first = next;
        }
    }
};

IPmcLogger *snmp_log()
{
    return pmc_static_logger(PMC_LOGGER_SNMP);
}

/*
 * broadcast_callback: keeps every new sender of an accepted message (its request id
 * matches, it has no PDU, or it is a Report) with the security engine id of the message.
 * Always 0, so the request keeps waiting for further answers until the time is up.
 */
int broadcast_callback(int operation, snmp_session *, int request_id, snmp_pdu *pdu, void *magic)
{
    Collection *collection = (Collection *)magic;
    if (operation != kReceivedMessage || !pdu)
        return 0;
    CPmcSnmpV3Answer answer;
    answer.reset(pdu, false);
    if (request_id != collection->request_id && answer.pdu_type() != PMS_PDU_REPORT)
        return 0;
    const char *sender = answer.responder();
    size_t length = std::strlen(sender);
    if (length == 0)
        return 0;
    for (Responder *known = collection->first; known; known = known->next) {
        if (std::strlen(known->address) == length && std::memcmp(known->address, sender, length) == 0)
            return 0;
    }
    Responder *fresh = new Responder();
    if (!fresh) {
        collection->status = PMC_E_MEMORY;
        return 0;
    }
    std::memcpy(fresh->address, sender, length + 1);
    fresh->protocol = answer.responder_protocol();
    fresh->port = answer.responder_port();
    size_t engine_length = 0;
    const unsigned char *engine = answer.engine_id(&engine_length);
    fresh->engine_id_length = (uint32_t)(engine_length < kEngineIdMax ? engine_length : kEngineIdMax);
    if (engine && fresh->engine_id_length)
        std::memcpy(fresh->engine_id, engine, fresh->engine_id_length);
    fresh->next = nullptr;
    *collection->tail = fresh;
    collection->tail = &fresh->next;
    return 0;
}

/* Results that leave one device out of a broadcast's walk. */
bool skips_device(int code)
{
    return code == PMC_E_MALFORMED || code == PMC_E_SECURITY || code == PMC_E_RECEIVE || code == PMC_E_TIMEOUT;
}

class V3RequestSession final : public CPmsSessionBase
{
public:
    V3RequestSession() = default;
    V3RequestSession(const V3RequestSession &) = delete;
    V3RequestSession &operator=(const V3RequestSession &) = delete;

    void release() override
    {
        delete this;
    }
    int send_sync(IPmsPdu *pdu, IPmsSnmpTarget *target) override;
    int send_broad_cast_sync(IPmsPdu *pdu, IPmsSnmpTarget *target, CPmcObjectList **list) override;
    using CPmsSessionBase::send_broad_cast_sync;
    using CPmsSessionBase::send_sync;

private:
    ~V3RequestSession() override = default;
    static int send_sync_internal(IPmsPdu *pdu, IPmsSnmpTarget *target);
    static int get_engine_id_broad_cast(IPmsSnmpTarget *target, Collection *collection);
    static int ask_responder(IPmsPdu *pdu, IPmsSnmpTarget *target, const Responder &responder, CPmcObjectList *list);
};

/* send_sync_internal: one request in an open operation scope; the answer (also after a
 * failure) is written into the PDU and the target. */
int V3RequestSession::send_sync_internal(IPmsPdu *pdu, IPmsSnmpTarget *target)
{
    pdu->set_request_id(pmc_next_request_id());
    CPmcSnmpV3Request *request = new CPmcSnmpV3Request();
    CPmcSnmpV3Answer *answer = request ? new CPmcSnmpV3Answer() : nullptr;
    int code = answer ? PMC_OK : PMC_E_MEMORY;
    if (code == PMC_OK)
        code = pmc_snmpv3_open_target(request, target, false, nullptr, nullptr);
    if (code == PMC_OK)
        code = pmc_snmpv3_build_from_pdu(request, pdu, false);
    if (code == PMC_OK) {
        code = request->send(answer);
        if (answer->pdu()) {
            int converted = pmc_snmpv3_convert_answer(answer, pdu, target);
            if (code == PMC_OK)
                code = converted;
        } else if (code == PMC_OK) {
            code = PMC_E_RECEIVE;
        }
    }
    delete answer;
    delete request;
    return code;
}

int V3RequestSession::send_sync(IPmsPdu *pdu, IPmsSnmpTarget *target)
{
    if (!pdu || !target)
        return PMC_E_ARG;
    snmp_log()->write(PMC_LOG_TRACE, "[%s] enter.", "v3RequestSession::send_sync");
    CPmcSnmpV3Operation operation;
    int code = operation.status();
    if (code == PMC_OK)
        code = send_sync_internal(pdu, target);
    snmp_log()->write(PMC_LOG_TRACE, "[%s] exit.", "v3RequestSession::send_sync");
    return code;
}

/* get_engine_id_broad_cast: the responders of one engine-id probe, collected for the
 * target's time-out on each of its tries. No responder is a success with none. */
int V3RequestSession::get_engine_id_broad_cast(IPmsSnmpTarget *target, Collection *collection)
{
    collection->request_id = pmc_next_request_id();
    CPmcSnmpV3Request *request = new CPmcSnmpV3Request();
    if (!request)
        return PMC_E_MEMORY;
    int code = pmc_snmpv3_open_target(request, target, true, broadcast_callback, collection);
    if (code == PMC_OK)
        code = request->build(PMS_PDU_GET, collection->request_id, true);
    if (code == PMC_OK) {
        int32_t tries = target->get_retry_count() + 1;
        code = request->collect(target->get_timeout() * (tries > 0 ? tries : 1));
    }
    delete request;
    if (code == PMC_E_TIMEOUT)
        code = PMC_OK;
    return code == PMC_OK ? collection->status : code;
}

/* ask_responder: the request sent to one responder through copies of the PDU and the
 * target carrying its address and engine id; an answer becomes a packet of the list. */
int V3RequestSession::ask_responder(IPmsPdu *pdu, IPmsSnmpTarget *target, const Responder &responder,
                                    CPmcObjectList *list)
{
    int code = PMC_OK;
    IPmsSnmpTarget *copy = target->clone(&code);
    IPmsPdu *request = copy ? pdu->copy(&code) : nullptr;
    IPmcNetworkAddress *address = nullptr;
    if (request)
        code = pmc_make_address(responder.address, responder.protocol, responder.port, &address);
    if (address) {
        code = copy->set_address(address);
        address->release();
    }
    void *usm = nullptr;
    if (code == PMC_OK && copy) {
        copy->query(PMS_QUERY_USM, &usm);
        code = usm ? ((IPmsUsmTarget *)usm)->set_engine_id(responder.engine_id, responder.engine_id_length) : PMC_E_ARG;
    }
    if (code == PMC_OK)
        code = send_sync_internal(request, copy);
    IPmsSnmpPacket *packet = code == PMC_OK ? pms_create_packet(&code) : nullptr;
    if (packet) {
        packet->set_pdu(request);
        packet->set_target(copy);
        code = list->append(packet);
        if (code == PMC_OK)
            return PMC_OK;
        packet->release();
        return code;
    }
    if (request)
        request->release();
    if (copy)
        copy->release();
    return code;
}

int V3RequestSession::send_broad_cast_sync(IPmsPdu *pdu, IPmsSnmpTarget *target, CPmcObjectList **out)
{
    if (!pdu || !target || !out)
        return PMC_E_ARG;
    snmp_log()->write(PMC_LOG_TRACE, "[%s] enter.", "v3RequestSession::send_broad_cast_sync");
    CPmcSnmpV3Operation operation;
    int code = operation.status();
    Collection collection;
    if (code == PMC_OK)
        code = get_engine_id_broad_cast(target, &collection);
    CPmcObjectList *list = code == PMC_OK ? pms_create_packet_list(&code) : nullptr;
    for (Responder *responder = collection.first; list && responder && code == PMC_OK; responder = responder->next) {
        code = ask_responder(pdu, target, *responder, list);
        if (skips_device(code))
            code = PMC_OK;
    }
    if (list && code == PMC_OK)
        *out = list;
    else if (list)
        list->release();
    snmp_log()->write(PMC_LOG_TRACE, "[%s] exit.", "v3RequestSession::send_broad_cast_sync");
    return code;
}

} // namespace

IPmsSession *pmc_create_v3_request_session(int *code)
{
    IPmsSession *session = new V3RequestSession();
    if (code)
        *code = session ? PMC_OK : PMC_E_MEMORY;
    return session;
}
