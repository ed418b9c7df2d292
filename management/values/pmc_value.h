/*
 * SNMP value objects: the value interface IPmsValue that every kind implements, the
 * second interface IPmsOid of OBJECT IDENTIFIER values, the value visitor through which
 * the message codec reads and fills values, and the factories. Values are heap objects
 * owned by whoever holds the pointer and freed through release; they are never copied
 * except by clone.
 */
#ifndef MANAGEMENT_VALUES_PMC_VALUE_H
#define MANAGEMENT_VALUES_PMC_VALUE_H

#include <cstdint>

class CPmcByteString;
class IPmsOid;
class IPmsValue;

/* ASN.1 tags of the value kinds. */
constexpr uint32_t PMS_TAG_INTEGER = 2;
constexpr uint32_t PMS_TAG_OCTET_STRING = 4;
constexpr uint32_t PMS_TAG_NULL = 5;
constexpr uint32_t PMS_TAG_OID = 6;
constexpr uint32_t PMS_TAG_IP_ADDRESS = 0x40;
constexpr uint32_t PMS_TAG_COUNTER32 = 0x41;
constexpr uint32_t PMS_TAG_GAUGE32 = 0x42;
constexpr uint32_t PMS_TAG_TIMETICKS = 0x43;
constexpr uint32_t PMS_TAG_OPAQUE = 0x44;
constexpr uint32_t PMS_TAG_COUNTER64 = 0x46;
constexpr uint32_t PMS_TAG_IPV6_ADDRESS = 0x48;
constexpr uint32_t PMS_TAG_NO_SUCH_OBJECT = 0x80;
constexpr uint32_t PMS_TAG_NO_SUCH_INSTANCE = 0x81;
constexpr uint32_t PMS_TAG_END_OF_MIB_VIEW = 0x82;
constexpr uint32_t PMS_TAG_IPV4_TRANSPORT = 0xFF02;
constexpr uint32_t PMS_TAG_IPX_TRANSPORT = 0xFF03;

/* Private query identifiers: PMS_QUERY_KIND + tag gives a kind's concrete object. */
constexpr uint32_t PMS_QUERY_KIND = 0xF0000000u;
constexpr uint32_t PMS_QUERY_EXCEPTION = 0xF000FF01u;
constexpr uint32_t PMS_QUERY_BASE = 0xF000FF00u;
constexpr uint32_t PMS_QUERY_VALUE = 0xFF00u;

/*
 * IPmsValueVisitor: the codec's view of the values, one slot per group of kinds. Each
 * value's accept calls the slot of its kind and answers that slot's status.
 */
class IPmsValueVisitor
{
public:
    virtual int visit_oid(IPmsValue *value) = 0;            /* 1: OBJECT IDENTIFIER */
    virtual int visit_octets(IPmsValue *value) = 0;         /* 2: OCTET STRING, Opaque */
    virtual int visit_integer(IPmsValue *value) = 0;        /* 3: INTEGER */
    virtual int visit_null(IPmsValue *value) = 0;           /* 4: NULL */
    virtual int visit_counter32(IPmsValue *value) = 0;      /* 5 */
    virtual int visit_gauge32(IPmsValue *value) = 0;        /* 6 */
    virtual int visit_timeticks(IPmsValue *value) = 0;      /* 7 */
    virtual int visit_counter64(IPmsValue *value) = 0;      /* 8 */
    virtual int visit_ip_address(IPmsValue *value) = 0;     /* 9 */
    virtual int visit_ipv6_address(IPmsValue *value) = 0;   /* 10 */
    virtual int visit_ipv4_transport(IPmsValue *value) = 0; /* 11 */
    virtual int visit_ipx_transport(IPmsValue *value) = 0;  /* 12 */
    virtual int visit_exception(IPmsValue *value) = 0;      /* 13: noSuch..., endOfMibView */

protected:
    ~IPmsValueVisitor() = default;
};

/*
 * IPmsValue: the operations of every value kind, in slot order. An operation that does
 * not fit the kind answers -5 (through the out code where it has one); reads then give
 * -1 and 16-bit reads 0xFFFF. Out codes may be null.
 */
class IPmsValue
{
public:
    virtual int accept(IPmsValueVisitor *visitor) = 0;                         /* 1 */
    virtual void release() = 0;                                                /* 2 */
    virtual IPmsValue *clone(int *code) = 0;                                   /* 3 */
    virtual int assign(IPmsValue *other) = 0;                                  /* 4 */
    virtual void clear() = 0;                                                  /* 5 */
    virtual uint32_t tag() = 0;                                                /* 6 */
    virtual bool equals(IPmsValue *other) = 0;                                 /* 7 */
    virtual IPmsOid *as_oid() = 0;                                             /* 8 */
    virtual void query(uint32_t id, void **out) = 0;                           /* 9 */
    virtual bool is_valid() = 0;                                               /* 10 */
    virtual int32_t read_signed(int *code) = 0;                                /* 11 */
    virtual uint32_t read_unsigned(int *code) = 0;                             /* 12 */
    virtual CPmcByteString *text(int *code) = 0;                               /* 13 */
    virtual int write_text(CPmcByteString *out) = 0;                           /* 14 */
    virtual const uint8_t *raw_bytes(uint32_t *length, int *code) = 0;         /* 15 */
    virtual CPmcByteString *raw_text(int *code) = 0;                           /* 16 */
    virtual int write_raw(CPmcByteString *out) = 0;                            /* 17 */
    virtual uint16_t read_u16(int *code) = 0;                                  /* 18 */
    virtual uint32_t read_high(int *code) = 0;                                 /* 19 */
    virtual uint32_t read_low(int *code) = 0;                                  /* 20 */
    virtual int set_signed(int32_t number) = 0;                                /* 21 */
    virtual int set_unsigned(uint32_t number) = 0;                             /* 22 */
    virtual int set_text(const char *text) = 0;                                /* 23 */
    virtual int set_text_from(CPmcByteString *text) = 0;                       /* 24 */
    virtual int set_bytes(const void *data, uint32_t count) = 0;               /* 25 */
    virtual int set_bytes_from(CPmcByteString *bytes) = 0;                     /* 26 */
    virtual int set_u16(uint32_t number) = 0;                                  /* 27 */
    virtual int set_high(uint32_t number) = 0;                                 /* 28 */
    virtual int set_low(uint32_t number) = 0;                                  /* 29 */
    virtual uint32_t length() = 0;                                             /* 30 */
    virtual uint32_t index_length(bool implied) = 0;                           /* 31 */
    virtual uint32_t read_element(uint32_t position, int *code) = 0;           /* 32 */
    virtual int append_as_index(IPmsOid *oid, bool implied) = 0;               /* 33 */
    virtual int write_as_index(IPmsOid *oid, bool implied) = 0;                /* 34 */
    virtual int set_from_index(IPmsOid *oid, bool implied, int32_t count) = 0; /* 35 */

protected:
    ~IPmsValue() = default;
};

/*
 * IPmsOid: the identifier operations of an OBJECT IDENTIFIER value, in slot order, and
 * the way back to its value interface.
 */
class IPmsOid
{
public:
    virtual IPmsOid *clone_oid(int *code) = 0;                                                      /* 1 */
    virtual int relation(const char *text, int *code) = 0;                                          /* 2 */
    virtual int relation(IPmsOid *other, int *code) = 0;                                            /* 3 */
    virtual int strip_prefix(const char *text) = 0;                                                 /* 4 */
    virtual int strip_prefix(IPmsOid *prefix) = 0;                                                  /* 5 */
    virtual int append_text(const char *text) = 0;                                                  /* 6 */
    virtual int append_number(uint32_t number) = 0;                                                 /* 7 */
    virtual int append_oid(IPmsOid *other) = 0;                                                     /* 8 */
    virtual int append_index_text(const char *text, uint32_t tag, bool implied) = 0;                /* 9 */
    virtual int append_index(IPmsValue *value, bool implied) = 0;                                   /* 10 */
    virtual IPmsOid *take_prefix(uint32_t count, int *code) = 0;                                    /* 11 */
    virtual int take_prefix_into(IPmsValue *value, uint32_t count) = 0;                             /* 12 */
    virtual uint32_t take_first(int *code) = 0;                                                     /* 13 */
    virtual CPmcByteString *take_prefix_text(uint32_t count, int *code) = 0;                        /* 14 */
    virtual int take_prefix_into_bytes(CPmcByteString *out, uint32_t count) = 0;                    /* 15 */
    virtual IPmsValue *take_index_of_tag(uint32_t tag, int *code, bool implied, int32_t count) = 0; /* 16 */
    virtual int take_index(IPmsValue *value, bool implied, int32_t count) = 0;                      /* 17 */
    virtual int remove(uint32_t start, uint32_t count) = 0;                                         /* 18 */
    virtual IPmsValue *read_index_of_tag(uint32_t tag, int *code, bool implied) = 0;                /* 19 */
    virtual int read_index(IPmsValue *value, bool implied) = 0;                                     /* 20 */
    virtual int set_to_index(IPmsValue *value, bool implied) = 0;                                   /* 21 */
    /* The value interface of the same object. */
    virtual IPmsValue *value() = 0;

protected:
    ~IPmsOid() = default;
};

/* The not-found value of counts and positions ("up to the end", "all"). */
constexpr uint32_t PMS_NPOS = 0xFFFFFFFFu;

/* Relation numbers of IPmsOid::relation: this identifier T against an argument A. */
enum {
    PMS_REL_EQUAL = 0,    /* T and A are the same */
    PMS_REL_ANCESTOR = 1, /* A lies inside T's subtree */
    PMS_REL_INSIDE = 2,   /* T lies inside A's subtree */
    PMS_REL_BEFORE = 3,   /* T sorts before A */
    PMS_REL_AFTER = 4     /* T sorts after A */
};

/*
 * pms_create_value: a new value of `tag` in its creation state (numbers 0, fixed-size
 * kinds zero bytes, OID empty). code (out, may be null): 0, -2 for an unknown tag, -3 no
 * memory. Returns the value or null.
 */
IPmsValue *pms_create_value(uint32_t tag, int *code);

/*
 * pms_create_value_from_number: a value of `tag` set by set_signed (only INTEGER accepts
 * it; other tags end with -5). Returns the value, or null with the code.
 */
IPmsValue *pms_create_value_from_number(int32_t number, uint32_t tag, int *code);

/*
 * pms_create_value_from_text: a value of `tag` set from `text` that must then be valid.
 * A null text, a text the kind refuses or an invalid result give -2 and null.
 */
IPmsValue *pms_create_value_from_text(const char *text, uint32_t tag, int *code);

/* pms_create_oid: an empty OBJECT IDENTIFIER; null and -3 without memory. */
IPmsOid *pms_create_oid(int *code);

/*
 * pms_create_oid_from_text: an OBJECT IDENTIFIER holding `text`; a failing set gives its
 * code, a text that is no valid identifier -2, both with null.
 */
IPmsOid *pms_create_oid_from_text(const char *text, int *code);

/* pms_set_code: stores `code` when `out` is given; returns `code`. */
inline int pms_set_code(int *out, int code)
{
    if (out)
        *out = code;
    return code;
}

#endif /* MANAGEMENT_VALUES_PMC_VALUE_H */
