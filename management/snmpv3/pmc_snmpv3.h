/*
 * SNMPv3 through Net-SNMP: the operation scope that gives every SNMPv3 operation fresh
 * Net-SNMP state, and the adapter objects of one request (a Net-SNMP session and request
 * PDU) and of its answer, filled from and read into plain values. Net-SNMP's own types
 * stay out of this header. Every Net-SNMP failure is logged on "snmp" and mapped to the
 * library's codes.
 */
#ifndef MANAGEMENT_SNMPV3_PMC_SNMPV3_H
#define MANAGEMENT_SNMPV3_PMC_SNMPV3_H

#include <cstddef>
#include <cstdint>

#include "management/base/pmc_memory.h"
#include "management/snmpv3/pmc_crypto.h"

struct snmp_session;
struct snmp_pdu;

/*
 * pmc_snmpv3_begin: starts an SNMPv3 operation on the calling thread: takes the operation
 * lock, binds advapi32 and initialises Net-SNMP quietly (no configuration files, no
 * persistent state, no MIBs, its log off, the caller's locale kept). 0, or -10 (the lock
 * is then not held). Every 0 must be followed by pmc_snmpv3_end on the same thread.
 */
int pmc_snmpv3_begin();

/* pmc_snmpv3_end: shuts Net-SNMP down and drops the operation lock. */
void pmc_snmpv3_end();

/* Holds an SNMPv3 operation for a scope; status() tells whether it started. */
class CPmcSnmpV3Operation
{
public:
    CPmcSnmpV3Operation() : m_status(pmc_snmpv3_begin()) {}
    ~CPmcSnmpV3Operation()
    {
        if (m_status == 0)
            pmc_snmpv3_end();
    }
    CPmcSnmpV3Operation(const CPmcSnmpV3Operation &) = delete;
    CPmcSnmpV3Operation &operator=(const CPmcSnmpV3Operation &) = delete;
    int status() const
    {
        return m_status;
    }

private:
    int m_status;
};

/* pmc_snmpv3_map_error: the library's code of a Net-SNMP error number. */
int pmc_snmpv3_map_error(int snmp_error);

/*
 * pmc_snmpv3_log_failure: writes "%s(): ErrNo = %d, SnmpErrNo = %d, %s" at level Error to
 * the "snmp" logger, or "%s(): unknown" when either number is 0 or message is null.
 */
void pmc_snmpv3_log_failure(const char *call, int sys_errno, int snmp_errno, const char *message);

/* Address protocols of a target's address. */
enum { PMC_V3_IPV4 = 1, PMC_V3_IPX = 2, PMC_V3_IPV6 = 4 };

/*
 * pmc_snmpv3_peer_name: Net-SNMP's peer name of an address: IPv4 the text, IPv6
 * "udp6:[text]", IPX "ipx:text"; the address's port, else the target's, appended as ":%u"
 * (IPv4, IPv6) or "/%u" (IPX) when not 0. out (out) of `size` bytes. 0, or -2 (another
 * protocol, a null text, or a name that does not fit).
 */
int pmc_snmpv3_peer_name(int32_t protocol, const char *text, uint16_t address_port, uint16_t target_port, char *out,
                         size_t size);

/* The callback Net-SNMP calls with every received message of a session. */
typedef int (*PmcSnmpV3Callback)(int operation, snmp_session *session, int request_id, snmp_pdu *pdu, void *magic);

/* What a session is opened with: the values of an SNMPv3 target. Texts may be null. */
struct PmcSnmpV3SessionSpec {
    int32_t version; /* 2 only (SNMPv3) */
    int32_t retries;
    int32_t timeout_ms;
    const char *user_name;  /* at most 32 characters */
    int32_t security_level; /* 0, 1, 2 */
    int32_t auth_protocol;  /* 1 MD5, 2 SHA-1 */
    int32_t priv_protocol;  /* 1 DES, 2 AES */
    const char *auth_pass_phrase;
    const char *priv_pass_phrase;
    const char *context_name; /* empty or null: none */
    const unsigned char *engine_id;
    uint32_t engine_id_length; /* 0: none */
    int32_t address_protocol;
    const char *address_text;
    uint16_t address_port;
    uint16_t target_port;
    bool no_probe;              /* engine-id discovery: Net-SNMP probes nothing itself */
    PmcSnmpV3Callback callback; /* null: none */
    void *callback_magic;
};

/* Value kinds of a binding to send, by tag. */
enum {
    PMC_V3_INTEGER = 2,
    PMC_V3_OCTETS = 4,
    PMC_V3_NULL = 5,
    PMC_V3_OID = 6,
    PMC_V3_IPADDRESS = 64,
    PMC_V3_COUNTER32 = 65,
    PMC_V3_GAUGE32 = 66,
    PMC_V3_TIMETICKS = 67,
    PMC_V3_COUNTER64 = 70
};

class CPmcSnmpV3Answer;

/* The request side: a Net-SNMP session and the request PDU being built. */
class CPmcSnmpV3Request final : public CPmcHeapObject
{
public:
    CPmcSnmpV3Request();
    ~CPmcSnmpV3Request();
    CPmcSnmpV3Request(const CPmcSnmpV3Request &) = delete;
    CPmcSnmpV3Request &operator=(const CPmcSnmpV3Request &) = delete;

    /*
     * open: fills the session from spec (Ku keys from the pass phrases) and opens it.
     * -2 for a version other than 2, a user of more than 32 characters, a level or
     * protocol out of range or a bad peer; -10 when the keys need cryptography that is
     * missing; Net-SNMP's failure logged "snmp_open" and mapped (-200 becomes -2).
     */
    int open(const PmcSnmpV3SessionSpec &spec);
    /*
     * build: starts the request: PDU type 0 GET, 1 GETNEXT, 3 SET, 4 SNMPv2 trap (others
     * -2), with the request id; with probe the engine-id probe PDU instead. -3 when the
     * PDU cannot be made (logged).
     */
    int build(int32_t pdu_type, int32_t request_id, bool probe);
    /*
     * add_binding: parses the OID text (-2, logged "snmp_parse_oid") and adds the value
     * of that kind from its text (null: empty text); another kind -5; Net-SNMP's failure
     * logged "snmp_add_var" and mapped.
     */
    int add_binding(const char *oid_text, int kind, const char *value_text);
    /*
     * send: sends the request and waits for the answer, which `answer` takes. 0, -203 on
     * the time-out, else the session's error (logged "snmp_synch_response") mapped. The
     * request PDU is gone afterwards either way.
     */
    int send(CPmcSnmpV3Answer *answer);
    /*
     * collect: sends the built request once with broadcasting switched on for the
     * session's socket, and hands every received message to the session's callback until
     * `wait_ms` milliseconds have passed or Net-SNMP gives the request up. The callback
     * keeps the request waiting by answering 0. 0, or Net-SNMP's failure logged with the
     * name "snmp_sess_synch_response_cb" and mapped. The request PDU is gone afterwards.
     */
    int collect(int32_t wait_ms);

    snmp_session *session()
    {
        return m_session;
    }
    snmp_pdu *request()
    {
        return m_pdu;
    }

    /* fill_session: the session parameters of spec into *session (initialised first);
     * keys and names point into this object. 0 or the codes of open. */
    int fill_session(const PmcSnmpV3SessionSpec &spec, snmp_session *session);

private:
    int fail_session(const char *call, snmp_session *session);

    snmp_session *m_session;
    snmp_pdu *m_pdu;
    PmcSnmpOid m_oid[128];
    size_t m_oid_length;
    bool m_probe;
    char m_peer[160];
};

/* One variable of an answer, read out. */
struct PmcSnmpV3Variable {
    const PmcSnmpOid *name;
    size_t name_length;
    int tag;                    /* mapped: 4 also for 196, 66 also for 71; -10 unknown */
    const unsigned char *bytes; /* octets, an OID's sub-identifiers as raw data */
    size_t byte_length;
    int64_t integer; /* INTEGER */
    uint64_t number; /* unsigned kinds */
};

/* The answer side: a Net-SNMP answer PDU, owned when received here. */
class CPmcSnmpV3Answer final : public CPmcHeapObject
{
public:
    CPmcSnmpV3Answer() : m_pdu(nullptr), m_owned(false), m_responder_protocol(0), m_responder_port(0)
    {
        m_responder[0] = '\0';
    }
    ~CPmcSnmpV3Answer()
    {
        reset(nullptr, false);
    }
    CPmcSnmpV3Answer(const CPmcSnmpV3Answer &) = delete;
    CPmcSnmpV3Answer &operator=(const CPmcSnmpV3Answer &) = delete;

    /* reset: takes pdu (owned or not), releasing an owned earlier one; the responder's
     * address text is read from the PDU's transport data. */
    void reset(snmp_pdu *pdu, bool owned);
    snmp_pdu *pdu()
    {
        return m_pdu;
    }

    /* is_v3: whether the answer is an SNMPv3 message (the conversion needs it). */
    bool is_v3();
    /* pdu_type: 0xA0 0, 0xA1 1, 0xA2 2, 0xA3 3, 0xA5 5, 0xA6 6, 0xA7 4, 0xA8 8; -1 others. */
    int32_t pdu_type();
    int32_t request_id();
    /* error_status: 0 to 18 as they are, any other value 100. */
    int32_t error_status();
    int32_t error_index();
    /* security_level: 1 0, 2 1, 3 2; -2 others. */
    int32_t security_level();
    /* Texts copied out NUL-terminated into out of `size` bytes (cut to fit). */
    void security_name(char *out, size_t size);
    void context_name(char *out, size_t size);
    const unsigned char *engine_id(size_t *length);
    /* responder: the responder's numeric address text, empty when the answer has none. */
    const char *responder()
    {
        return m_responder;
    }
    /* The responder's address protocol (1 IPv4, 4 IPv6; 0 without one) and port. */
    int32_t responder_protocol()
    {
        return m_responder_protocol;
    }
    uint16_t responder_port()
    {
        return m_responder_port;
    }
    uint32_t variable_count();
    /* variable: the index-th variable; -2 beyond the end. */
    int variable(uint32_t index, PmcSnmpV3Variable *out);

private:
    snmp_pdu *m_pdu;
    bool m_owned;
    char m_responder[52]; /* the longest: a scoped IPv6 text */
    int32_t m_responder_protocol;
    uint16_t m_responder_port;
};

#endif /* MANAGEMENT_SNMPV3_PMC_SNMPV3_H */
