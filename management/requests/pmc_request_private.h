/*
 * The fields and shared operations of both request objects: the PDU, the two targets, the
 * peer address, the community text and the version selector, set up by init, and one
 * exchange through a new session dispatcher.
 */
#ifndef MANAGEMENT_REQUESTS_PMC_REQUEST_PRIVATE_H
#define MANAGEMENT_REQUESTS_PMC_REQUEST_PRIVATE_H

#include "management/base/pmc_memory.h"
#include "management/requests/pmc_request.h"

class IPmcNetworkAddress;
class IPmsCommunityTarget;
class IPmsPdu;
class IPmsSnmpTarget;
class IPmsUsmTarget;

/* The longest community text, without its terminator. */
constexpr uint32_t PMC_COMMUNITY_MAX = 255;

/* pmc_request_max_message: the message size init sets for a protocol and the size asked
 * for: 0 or above the protocol's largest (1400 for IPv4 and IPv6, 546 otherwise) gives
 * the largest. */
uint32_t pmc_request_max_message(int protocol, uint32_t asked);

class CPmcRequestBase : public CPmcHeapObject, public virtual IPmcRequest
{
public:
    CPmcRequestBase(const CPmcRequestBase &) = delete;
    CPmcRequestBase &operator=(const CPmcRequestBase &) = delete;

    void release() override;
    int set_community(const char *text) override;
    int init(const char *address, int protocol, uint16_t port, int32_t selector, const PmcRequestUsm *usm,
             int32_t timeout, int32_t retries, uint32_t max_message_size) override;
    int add_oid_string(const char *oid_text, bool instance) override;

protected:
    CPmcRequestBase();
    virtual ~CPmcRequestBase();

    /* target: the SNMPv3 target for selector 2, else the community target. */
    IPmsSnmpTarget *target();
    /* exchange: the PDU sent as `type` to the target; the answer is in the PDU. -2 before
     * init, the dispatcher's creation status, or the session's status. */
    int exchange(int32_t type);
    /* broadcast: the PDU sent as a GET to the target's broadcast address. */
    int broadcast(CPmcObjectList **packets);

    IPmsPdu *m_pdu = nullptr;
    IPmsCommunityTarget *m_community_target = nullptr;
    IPmsUsmTarget *m_usm_target = nullptr;
    IPmcNetworkAddress *m_peer = nullptr;
    char m_community[PMC_COMMUNITY_MAX + 1];
    int32_t m_selector = 0;

private:
    void drop();
};

#endif /* MANAGEMENT_REQUESTS_PMC_REQUEST_PRIVATE_H */
