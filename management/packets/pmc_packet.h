/*
 * One SNMP exchange as objects: a packet joins a target (where and how to send) and a
 * PDU (what to send) that carries an ordered list of variable bindings. Every object
 * comes from a factory that answers -3 when memory runs out, is freed through its
 * virtual release, owns the objects it points to and copies deeply (all or nothing).
 * Out codes may be null everywhere.
 */
#ifndef MANAGEMENT_PACKETS_PMC_PACKET_H
#define MANAGEMENT_PACKETS_PMC_PACKET_H

#include <cstdint>

class CPmcByteString;
class IPmcNetworkAddress;
class CPmcObjectList;
class CPmcString;
class IPmsOid;
class IPmsValue;

/* The error mark of a binding the agent did not blame. */
constexpr int32_t PMS_MARK_CARRIED = 100;

/* PDU types. */
enum {
    PMS_PDU_NONE = -1,
    PMS_PDU_GET = 0,
    PMS_PDU_GET_NEXT = 1,
    PMS_PDU_RESPONSE = 2,
    PMS_PDU_SET = 3,
    PMS_PDU_TRAP = 4,
    PMS_PDU_GET_BULK = 5,
    PMS_PDU_INFORM = 6,
    PMS_PDU_REPORT = 8
};

/* Target versions and kinds. */
enum { PMS_VERSION_1 = 0, PMS_VERSION_2C = 1, PMS_VERSION_3 = 2 };
enum { PMS_TARGET_COMMUNITY = 0, PMS_TARGET_USM = 1 };

/* Private identifiers of IPmsSnmpTarget::query. */
enum {
    PMS_QUERY_TARGET = 0,
    PMS_QUERY_TARGET_2 = 1,
    PMS_QUERY_COMMUNITY = 2,
    PMS_QUERY_COMMUNITY_2 = 3,
    PMS_QUERY_USM = 4,
    PMS_QUERY_USM_2 = 5
};

/* IPmsVarBind: one variable binding (name OID, value, error mark). */
class IPmsVarBind
{
public:
    virtual void release() = 0;               /* 1 */
    virtual IPmsVarBind *copy(int *code) = 0; /* 2 */
    /* equals: names and values both absent or equal, and equal marks; null is unequal. */
    virtual bool equals(IPmsVarBind *other) = 0; /* 3 */
    /* set: releases name and value, then takes both; a null value becomes NULL (tag 5).
     * 0, or -3 when that NULL cannot be made (the binding is then empty). */
    virtual int set(IPmsOid *name, IPmsValue *value) = 0;       /* 4 */
    virtual int set_again(IPmsOid *name, IPmsValue *value) = 0; /* 5 */
    /* detach: hands out name and value (a null out releases that one); leaves it empty. */
    virtual void detach(IPmsOid **name, IPmsValue **value) = 0; /* 6 */
    virtual void set_name(IPmsOid *name) = 0;                   /* 7 */
    virtual void set_value(IPmsValue *value) = 0;               /* 8 */
    virtual IPmsOid *get_name() = 0;                            /* 9 */
    virtual IPmsValue *get_value() = 0;                         /* 10 */
    virtual int32_t get_error_mark() = 0;                       /* 11 */
    virtual void set_error_mark(int32_t mark) = 0;              /* 12 */

protected:
    ~IPmsVarBind() = default;
};

/* IPmsVarBindList: an ordered list of owned bindings. */
class IPmsVarBindList
{
public:
    virtual void release() = 0;                      /* 1 */
    virtual IPmsVarBindList *copy(int *code) = 0;    /* 2 */
    virtual bool equals(IPmsVarBindList *other) = 0; /* 3 */
    virtual uint32_t count() = 0;                    /* 4 */
    /* append_new: a binding of (name, value) appended; -2 null name, -3 no memory (the
     * name and value then stay the caller's). */
    virtual int append_new(IPmsOid *name, IPmsValue *value) = 0;       /* 5 */
    virtual int append(IPmsVarBind *binding) = 0;                      /* 6 */
    virtual int insert_new_front(IPmsOid *name, IPmsValue *value) = 0; /* 7 */
    virtual int insert_front(IPmsVarBind *binding) = 0;                /* 8 */
    /* remove: -2 beyond the end; the binding goes to *out, or is released without one. */
    virtual int remove(uint32_t index, IPmsVarBind **out) = 0; /* 9 */
    /* detach_first: the first binding's name and value handed out, the binding released;
     * -2 when empty. */
    virtual int detach_first(IPmsOid **name, IPmsValue **value) = 0; /* 10 */
    virtual IPmsVarBind *take_first() = 0;                           /* 11 */
    virtual IPmsVarBind *get(uint32_t index) = 0;                    /* 12 */
    /* copy_range: copies from `start` while they exist; start >= count gives -2. */
    virtual IPmsVarBindList *copy_range(uint32_t start, uint32_t count, int *code) = 0; /* 13 */
    /* split_off: a new list into which the first min(count, size) bindings move; null
     * when no memory (nothing moved). */
    virtual IPmsVarBindList *split_off(uint32_t count) = 0; /* 14 */
    /* set_error_marks: 1-based `index` gets `status`, every other binding 100. */
    virtual void set_error_marks(int32_t status, int32_t index) = 0; /* 15 */
    virtual void set_all_error_marks(int32_t mark) = 0;              /* 16 */

protected:
    ~IPmsVarBindList() = default;
};

/* IPmsPdu: type, bindings, request-id, error-status and -index, trap time-stamp and OID. */
class IPmsPdu
{
public:
    virtual void release() = 0; /* 1 */
    /* reset: drops list, time-stamp and trap OID; type -1, error-status -1, index 0; -1. */
    virtual int reset() = 0;                                           /* 2 */
    virtual IPmsPdu *copy(int *code) = 0;                              /* 3 */
    virtual int copy_list_from(IPmsPdu *other) = 0;                    /* 4 */
    virtual int copy_header_from(IPmsPdu *other) = 0;                  /* 5 */
    virtual bool equals(IPmsPdu *other) = 0;                           /* 6 */
    virtual int32_t get_type() = 0;                                    /* 7 */
    virtual void set_type(int32_t type) = 0;                           /* 8 */
    virtual IPmsVarBindList *get_list() = 0;                           /* 9 */
    virtual void set_list(IPmsVarBindList *list) = 0;                  /* 10 */
    virtual IPmsVarBindList *take_list() = 0;                          /* 11 */
    virtual int append_new(IPmsOid *name, IPmsValue *value) = 0;       /* 12 */
    virtual int append(IPmsVarBind *binding) = 0;                      /* 13 */
    virtual int insert_new_front(IPmsOid *name, IPmsValue *value) = 0; /* 14 */
    virtual int insert_front(IPmsVarBind *binding) = 0;                /* 15 */
    virtual int detach_first(IPmsOid **name, IPmsValue **value) = 0;   /* 16 */
    virtual IPmsVarBind *take_first() = 0;                             /* 17 */
    virtual int32_t get_request_id() = 0;                              /* 18 */
    virtual int32_t get_error_status() = 0;                            /* 19 */
    virtual int32_t get_error_index() = 0;                             /* 20 */
    virtual void set_request_id(int32_t id) = 0;                       /* 21 */
    virtual void set_error_status(int32_t status) = 0;                 /* 22 */
    virtual void set_error_index(int32_t index) = 0;                   /* 23 */
    virtual IPmsValue *get_time_stamp() = 0;                           /* 24 */
    virtual IPmsOid *get_trap_oid() = 0;                               /* 25 */
    virtual IPmsValue *take_time_stamp() = 0;                          /* 26 */
    virtual IPmsOid *take_trap_oid() = 0;                              /* 27 */
    /* set_time_stamp: takes a TimeTicks value (else -2, old one kept). */
    virtual int set_time_stamp(IPmsValue *value) = 0; /* 28 */
    /* set_trap_oid: stores a copy of an OID (another kind -2; -3 no memory). */
    virtual int set_trap_oid(IPmsValue *oid) = 0; /* 29 */

protected:
    ~IPmsPdu() = default;
};

class IPmsSnmpTarget;
class IPmsCommunityTarget;
class IPmsUsmTarget;

/* The visitor of the two target kinds. */
class IPmsTargetVisitor
{
public:
    virtual int visit_community(IPmsCommunityTarget *target) = 0;
    virtual int visit_usm(IPmsUsmTarget *target) = 0;

protected:
    ~IPmsTargetVisitor() = default;
};

/* IPmsSnmpTarget: where and how to send; the settings common to both kinds. */
class IPmsSnmpTarget
{
public:
    virtual int accept(IPmsTargetVisitor *visitor) = 0; /* 1 */
    virtual void release() = 0;                         /* 2 */
    virtual void clear() = 0;                           /* 3 */
    virtual IPmsSnmpTarget *clone(int *code) = 0;       /* 4 */
    /* assign: common settings (the address first), then the kind's own; -2 null or other
     * kind (after the common settings). */
    virtual int assign(IPmsSnmpTarget *other) = 0;        /* 5 */
    virtual bool equals(IPmsSnmpTarget *other) = 0;       /* 6 */
    virtual int kind() = 0;                               /* 7 */
    virtual void query(uint32_t id, void **out) = 0;      /* 8 */
    virtual void set_version(int32_t version) = 0;        /* 9 */
    virtual void set_timeout(int32_t timeout) = 0;        /* 10 */
    virtual void set_retry_count(int32_t count) = 0;      /* 11 */
    virtual void set_max_message_size(uint32_t size) = 0; /* 12 */
    virtual void set_port(uint16_t port) = 0;             /* 13 */
    virtual int32_t get_version() = 0;                    /* 14 */
    virtual int32_t get_timeout() = 0;                    /* 15 */
    virtual int32_t get_retry_count() = 0;                /* 16 */
    virtual uint32_t get_max_message_size() = 0;          /* 17 */
    virtual uint16_t get_port() = 0;                      /* 18 */
    /* set_address: keeps a clone of `address` (null: none); the clone's status. */
    virtual int set_address(IPmcNetworkAddress *address) = 0; /* 19 */
    virtual IPmcNetworkAddress *get_address() = 0;            /* 20 */

protected:
    ~IPmsSnmpTarget() = default;
};

/* The community target: a NUL-terminated community text. Reached from IPmsSnmpTarget
 * through query (2) or the target visitor, never by a cast. */
class IPmsCommunityTarget : public virtual IPmsSnmpTarget
{
public:
    /* set_community: 0, or -3 with the old text kept; null clears. */
    virtual int set_community(const char *text) = 0;
    /* set_community_bytes: the text from `count` bytes (decoded messages). */
    virtual int set_community_bytes(const void *bytes, uint32_t count) = 0;
    /* get_community: the text, or null when it has none. */
    virtual const char *get_community() = 0;

protected:
    ~IPmsCommunityTarget() = default;
};

/* The longest user name of an SNMPv3 target, in characters. */
constexpr uint32_t PMS_USM_USER_MAX = 32;

/*
 * The SNMPv3 target: user name, security level, authentication and privacy protocols,
 * authentication and privacy pass phrases, the context name (empty: none) and the
 * engine identifier. Null texts set empty texts. Reached from IPmsSnmpTarget through
 * query (4) or the target visitor, never by a cast.
 */
class IPmsUsmTarget : public virtual IPmsSnmpTarget
{
public:
    /* set_user_name: -2 beyond 32 characters, -3 no memory (old text kept). */
    virtual int set_user_name(const char *text) = 0;
    virtual const CPmcString &get_user_name() = 0;
    virtual void set_security_level(int32_t level) = 0;
    virtual int32_t get_security_level() = 0;
    virtual void set_auth_protocol(int32_t protocol) = 0;
    virtual int32_t get_auth_protocol() = 0;
    virtual void set_priv_protocol(int32_t protocol) = 0;
    virtual int32_t get_priv_protocol() = 0;
    virtual int set_auth_passphrase(const char *text) = 0;
    virtual const CPmcString &get_auth_passphrase() = 0;
    virtual int set_priv_passphrase(const char *text) = 0;
    virtual const CPmcString &get_priv_passphrase() = 0;
    virtual int set_context_name(const char *text) = 0;
    virtual const CPmcString &get_context_name() = 0;
    /* set_engine_id: a null pointer or zero length clears it; 0 or -3. */
    virtual int set_engine_id(const void *data, uint32_t length) = 0;
    virtual const CPmcByteString &get_engine_id() = 0;

protected:
    ~IPmsUsmTarget() = default;
};

/* IPmsSnmpPacket: a PDU and a target, both owned. */
class IPmsSnmpPacket
{
public:
    virtual void release() = 0;                          /* 1 */
    virtual IPmsSnmpPacket *copy(int *code) = 0;         /* 2 */
    virtual bool equals(IPmsSnmpPacket *other) = 0;      /* 3 */
    virtual void set_target(IPmsSnmpTarget *target) = 0; /* 4 */
    virtual void set_pdu(IPmsPdu *pdu) = 0;              /* 5 */
    virtual IPmsSnmpTarget *take_target() = 0;           /* 6 */
    virtual IPmsPdu *take_pdu() = 0;                     /* 7 */
    virtual IPmsSnmpTarget *get_target() = 0;            /* 8 */
    virtual IPmsPdu *get_pdu() = 0;                      /* 9 */

protected:
    ~IPmsSnmpPacket() = default;
};

/* Factories: each answers null with -3 (or -2 as noted) in *code on failure. */
IPmsVarBind *pms_create_var_bind(int *code);
IPmsVarBindList *pms_create_var_bind_list(int *code);
IPmsPdu *pms_create_pdu(int *code);
IPmsSnmpPacket *pms_create_packet(int *code);
IPmsCommunityTarget *pms_create_community_target(int *code);
/* The factory of the targets of decoded answers: `reserved` must be null (else -2). */
IPmsCommunityTarget *pms_create_community_target(void *reserved, int *code);
IPmsUsmTarget *pms_create_usm_target(int *code);
/* Lists whose elements are packets (IPmsSnmpPacket *) and PDUs (IPmsPdu *): they take
 * the pointers added and release them when dropped. */
CPmcObjectList *pms_create_packet_list(int *code);
CPmcObjectList *pms_create_result_table(int *code);

#endif /* MANAGEMENT_PACKETS_PMC_PACKET_H */
