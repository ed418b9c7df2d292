/*
 * Request objects: the get-data request, which reads and writes values of one printer,
 * and the find-device request, which sends one GET to a broadcast or multicast address
 * and hands out the answers. Both hold a PDU, a target and the peer address, and give the
 * PDU to a new session dispatcher for every exchange; the answer comes back into the same
 * PDU.
 */
#ifndef MANAGEMENT_REQUESTS_PMC_REQUEST_H
#define MANAGEMENT_REQUESTS_PMC_REQUEST_H

#include <cstdint>

class CPmcObjectList;

/* The version selector of init: SNMPv3; any other value means a community request. */
constexpr int32_t PMC_SELECT_V3 = 2;

/* The largest message size of IPv4 and IPv6 requests, and of the other protocols. */
constexpr uint32_t PMC_MAX_MESSAGE_IP = 1400;
constexpr uint32_t PMC_MAX_MESSAGE_OTHER = 546;

/* The SNMPv3 settings of init, in the order the caller passes them (texts may be null). */
struct PmcRequestUsm {
    const char *user_name;
    int32_t security_level;
    int32_t auth_protocol;
    int32_t priv_protocol;
    const char *auth_pass_phrase;
    const char *priv_pass_phrase;
    const char *extension; /* the target's context name */
};

/* The operations both requests share, in their slot order. */
class IPmcRequest
{
public:
    virtual void release() = 0;
    /* set_community: the text (at most 255 characters: longer texts are cut) replaces the
     * community; the length copied + 1. A null text gives an empty community. */
    virtual int set_community(const char *text) = 0;
    /*
     * init: the peer address from (address, protocol, port); the maximum message size (0
     * or above the protocol's largest gives the largest); for selector 2 an SNMPv3 target
     * with the usm settings (usm may be null then: empty settings), otherwise a version-1
     * community target; then a new PDU. 0, -2, -3 or the address's status.
     */
    virtual int init(const char *address, int protocol, uint16_t port, int32_t selector, const PmcRequestUsm *usm,
                     int32_t timeout, int32_t retries, uint32_t max_message_size) = 0;
    /* add_oid_string: a binding of the OID text (sub-identifier 0 appended when
     * `instance`) with no value. 0, -2 (no PDU or a bad text), -3. */
    virtual int add_oid_string(const char *oid_text, bool instance) = 0;

protected:
    ~IPmcRequest() = default;
};

/* The get-data request. */
class IPmcGetDataRequest : public virtual IPmcRequest
{
public:
    /* add_set_binding: a binding of the OID text with the instance text appended and an
     * INTEGER value. 0, -2, -3. */
    virtual int add_set_binding(const char *oid_text, const char *instance_text, int32_t value) = 0;
    /* set_data: sends the PDU as a SET; an answer with any error-status gives -7. */
    virtual int set_data() = 0;
    /*
     * get_data: walks the subtree of `oid_text` with GET-NEXT; every answer inside it is
     * appended to `results` (a result table of PDUs). Ends with 0 past the subtree, on
     * noSuchName, on an exception value or an answer that does not go forward; -7 for
     * another error-status or an answer without binding; -1 after 10,000 steps; the
     * exchange's status when one fails. The rows gathered so far stay in the list.
     */
    virtual int get_data(CPmcObjectList *results, const char *oid_text) = 0;
    /* get_string: GET; the first value's text into `text` of `capacity` bytes (cut to it,
     * always terminated). -7 for an error-status or no value. */
    virtual int get_string(char *text, uint32_t capacity) = 0;
    /* get_integers: GET; the values of the first `count` bindings in order. -7 when they
     * run out (the values so far stay), for an error-status or a binding without value. */
    virtual int get_integers(int32_t *values, uint32_t count) = 0;
    /* get_integer: GET; the first value as a 32-bit integer. -7 as get_string. */
    virtual int get_integer(int32_t *value) = 0;
    /* classify: the protocol of an address text (the address factory's). */
    virtual int classify(const char *text, int *protocol) = 0;

protected:
    ~IPmcGetDataRequest() = default;
};

/* The find-device request. */
class IPmcFindDeviceRequest : public virtual IPmcRequest
{
public:
    /* send_broad_cast: a GET to the peer; on success *packets is the list of answer
     * packets (one per answering address), which the caller releases. */
    virtual int send_broad_cast(CPmcObjectList **packets) = 0;
    virtual int classify(const char *text, int *protocol) = 0;

protected:
    ~IPmcFindDeviceRequest() = default;
};

/* The factories: null and -3 in *code (may be null) without memory. */
IPmcGetDataRequest *pmc_create_get_data(int *code);
IPmcFindDeviceRequest *pmc_create_find_device_snmp(int *code);

/* The most GET-NEXT steps of one walk. */
constexpr uint32_t PMC_WALK_STEPS_MAX = 10000;

#endif /* MANAGEMENT_REQUESTS_PMC_REQUEST_H */
