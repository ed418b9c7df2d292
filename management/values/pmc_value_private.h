/*
 * Private to the value objects: the table of kinds, the class tree behind IPmsValue and
 * IPmsOid, and the text helpers they share.
 */
#ifndef MANAGEMENT_VALUES_PMC_VALUE_PRIVATE_H
#define MANAGEMENT_VALUES_PMC_VALUE_PRIVATE_H

#include <cstdint>

#include "management/base/pmc_memory.h"
#include "management/base/pmc_string.h"
#include "management/values/pmc_value.h"

/* Visitor slots of the kinds (the order of IPmsValueVisitor). */
enum PmsVisitSlot : uint8_t {
    PMS_VISIT_OID = 1,
    PMS_VISIT_OCTETS,
    PMS_VISIT_INTEGER,
    PMS_VISIT_NULL,
    PMS_VISIT_COUNTER32,
    PMS_VISIT_GAUGE32,
    PMS_VISIT_TIMETICKS,
    PMS_VISIT_COUNTER64,
    PMS_VISIT_IP_ADDRESS,
    PMS_VISIT_IPV6_ADDRESS,
    PMS_VISIT_IPV4_TRANSPORT,
    PMS_VISIT_IPX_TRANSPORT,
    PMS_VISIT_EXCEPTION
};

/* How a kind stores its data. */
enum PmsStorage : uint8_t {
    PMS_STORE_SIGNED,
    PMS_STORE_UNSIGNED,
    PMS_STORE_COUNTER64,
    PMS_STORE_NOTHING,
    PMS_STORE_OCTETS,
    PMS_STORE_OID
};

/* One row of the kind table. */
struct PmsValueKind {
    uint32_t tag;
    PmsStorage storage;
    PmsVisitSlot visit_slot;
    uint32_t base_tag;   /* tag of the class it derives from, 0 for the common base */
    uint32_t fixed_size; /* octets of a fixed-size kind, 0 otherwise */
    uint32_t index_type; /* sub-identifier leading its index form, 0 for none */
};

/* pms_find_kind: the row of `tag`, or null for a tag that is no kind. */
const PmsValueKind *pms_find_kind(uint32_t tag);

/*
 * CPmsValueBase: the common base of every kind. Implements the operations that do not
 * fit a kind (-5), the kind-table driven ones (tag, accept, clone, query, length and
 * index length of the fixed kinds) and those built from other operations.
 */
class CPmsValueBase : public CPmcHeapObject, public IPmsValue
{
public:
    explicit CPmsValueBase(const PmsValueKind *kind) : m_kind(kind) {}
    CPmsValueBase(const CPmsValueBase &) = delete;
    CPmsValueBase &operator=(const CPmsValueBase &) = delete;

    int accept(IPmsValueVisitor *visitor) override;
    void release() override;
    IPmsValue *clone(int *code) override;
    int assign(IPmsValue *other) override;
    void clear() override;
    uint32_t tag() override;
    bool equals(IPmsValue *other) override;
    IPmsOid *as_oid() override;
    void query(uint32_t id, void **out) override;
    bool is_valid() override;
    int32_t read_signed(int *code) override;
    uint32_t read_unsigned(int *code) override;
    CPmcByteString *text(int *code) override;
    int write_text(CPmcByteString *out) override;
    const uint8_t *raw_bytes(uint32_t *length, int *code) override;
    CPmcByteString *raw_text(int *code) override;
    int write_raw(CPmcByteString *out) override;
    uint16_t read_u16(int *code) override;
    uint32_t read_high(int *code) override;
    uint32_t read_low(int *code) override;
    int set_signed(int32_t number) override;
    int set_unsigned(uint32_t number) override;
    int set_text(const char *text) override;
    int set_text_from(CPmcByteString *text) override;
    int set_bytes(const void *data, uint32_t count) override;
    int set_bytes_from(CPmcByteString *bytes) override;
    int set_u16(uint32_t number) override;
    int set_high(uint32_t number) override;
    int set_low(uint32_t number) override;
    uint32_t length() override;
    uint32_t index_length(bool implied) override;
    uint32_t read_element(uint32_t position, int *code) override;
    int append_as_index(IPmsOid *oid, bool implied) override;
    int write_as_index(IPmsOid *oid, bool implied) override;
    int set_from_index(IPmsOid *oid, bool implied, int32_t count) override;

protected:
    virtual ~CPmsValueBase() = default;
    /* same_kind: `other` as the concrete object of this kind, or null. */
    CPmsValueBase *same_kind(IPmsValue *other);

    const PmsValueKind *m_kind;
};

/* INTEGER. */
class CPmsInteger : public CPmsValueBase
{
public:
    using CPmsValueBase::CPmsValueBase;
    int assign(IPmsValue *other) override;
    void clear() override;
    bool equals(IPmsValue *other) override;
    int32_t read_signed(int *code) override;
    int write_text(CPmcByteString *out) override;
    int set_signed(int32_t number) override;
    int set_text(const char *text) override;
    int append_as_index(IPmsOid *oid, bool implied) override;
    int write_as_index(IPmsOid *oid, bool implied) override;
    int set_from_index(IPmsOid *oid, bool implied, int32_t count) override;

private:
    int32_t m_value = 0;
};

/* Gauge32, and through it Counter32 and TimeTicks. */
class CPmsGauge32 : public CPmsValueBase
{
public:
    using CPmsValueBase::CPmsValueBase;
    int assign(IPmsValue *other) override;
    void clear() override;
    bool equals(IPmsValue *other) override;
    uint32_t read_unsigned(int *code) override;
    int write_text(CPmcByteString *out) override;
    int set_unsigned(uint32_t number) override;
    int set_text(const char *text) override;
    int append_as_index(IPmsOid *oid, bool implied) override;
    int write_as_index(IPmsOid *oid, bool implied) override;
    int set_from_index(IPmsOid *oid, bool implied, int32_t count) override;

private:
    uint32_t m_value = 0;
};

class CPmsCounter32 : public CPmsGauge32
{
public:
    using CPmsGauge32::CPmsGauge32;
};

class CPmsTimeTicks : public CPmsGauge32
{
public:
    using CPmsGauge32::CPmsGauge32;
};

/* Counter64: high and low halves. */
class CPmsCounter64 : public CPmsValueBase
{
public:
    using CPmsValueBase::CPmsValueBase;
    int assign(IPmsValue *other) override;
    void clear() override;
    bool equals(IPmsValue *other) override;
    uint32_t read_unsigned(int *code) override;
    int write_text(CPmcByteString *out) override;
    uint32_t read_high(int *code) override;
    uint32_t read_low(int *code) override;
    int set_unsigned(uint32_t number) override;
    int set_text(const char *text) override;
    int set_high(uint32_t number) override;
    int set_low(uint32_t number) override;

private:
    uint32_t m_high = 0;
    uint32_t m_low = 0;
};

/* NULL and the exception kinds hold nothing; their kind row carries the tag. */
class CPmsNull : public CPmsValueBase
{
public:
    using CPmsValueBase::CPmsValueBase;
};

class CPmsException : public CPmsValueBase
{
public:
    using CPmsValueBase::CPmsValueBase;
};

/*
 * OCTET STRING, and through it Opaque, IpAddress, IPv6 address and the two transport
 * addresses, which share its byte array; the fixed-size kinds keep their size.
 */
class CPmsOctets : public CPmsValueBase
{
public:
    /* init: gives a fixed-size kind its zero bytes. 0 or -3. */
    int init();
    using CPmsValueBase::CPmsValueBase;
    int assign(IPmsValue *other) override;
    void clear() override;
    bool equals(IPmsValue *other) override;
    uint32_t read_unsigned(int *code) override;
    int write_text(CPmcByteString *out) override;
    const uint8_t *raw_bytes(uint32_t *length, int *code) override;
    uint16_t read_u16(int *code) override;
    int set_unsigned(uint32_t number) override;
    int set_text(const char *text) override;
    int set_bytes(const void *data, uint32_t count) override;
    int set_u16(uint32_t number) override;
    uint32_t length() override;
    uint32_t index_length(bool implied) override;
    uint32_t read_element(uint32_t position, int *code) override;
    int append_as_index(IPmsOid *oid, bool implied) override;
    int write_as_index(IPmsOid *oid, bool implied) override;
    int set_from_index(IPmsOid *oid, bool implied, int32_t count) override;

protected:
    ~CPmsOctets() override;

private:
    int reserve(uint32_t count);
    int set_text_address(const char *text);
    bool has_address() const;
    bool has_port() const;

    uint8_t *m_bytes = nullptr;
    uint32_t m_count = 0;
    uint32_t m_capacity = 0;
};

/* OBJECT IDENTIFIER: dotted text and a cached sub-identifier count (-1 = unknown). */
class CPmsOid : public CPmsValueBase, public IPmsOid
{
public:
    using CPmsValueBase::CPmsValueBase;

    /* IPmsValue */
    int assign(IPmsValue *other) override;
    void clear() override;
    bool equals(IPmsValue *other) override;
    IPmsOid *as_oid() override;
    bool is_valid() override;
    uint32_t read_unsigned(int *code) override;
    int write_text(CPmcByteString *out) override;
    const uint8_t *raw_bytes(uint32_t *length, int *code) override;
    int set_unsigned(uint32_t number) override;
    int set_text(const char *text) override;
    int set_bytes(const void *data, uint32_t count) override;
    uint32_t length() override;
    uint32_t index_length(bool implied) override;
    uint32_t read_element(uint32_t position, int *code) override;
    int append_as_index(IPmsOid *oid, bool implied) override;
    int write_as_index(IPmsOid *oid, bool implied) override;
    int set_from_index(IPmsOid *oid, bool implied, int32_t count) override;

    /* IPmsOid */
    IPmsOid *clone_oid(int *code) override;
    int relation(const char *text, int *code) override;
    int relation(IPmsOid *other, int *code) override;
    int strip_prefix(const char *text) override;
    int strip_prefix(IPmsOid *prefix) override;
    int append_text(const char *text) override;
    int append_number(uint32_t number) override;
    int append_oid(IPmsOid *other) override;
    int append_index_text(const char *text, uint32_t tag, bool implied) override;
    int append_index(IPmsValue *value, bool implied) override;
    IPmsOid *take_prefix(uint32_t count, int *code) override;
    int take_prefix_into(IPmsValue *value, uint32_t count) override;
    uint32_t take_first(int *code) override;
    CPmcByteString *take_prefix_text(uint32_t count, int *code) override;
    int take_prefix_into_bytes(CPmcByteString *out, uint32_t count) override;
    IPmsValue *take_index_of_tag(uint32_t tag, int *code, bool implied, int32_t count) override;
    int take_index(IPmsValue *value, bool implied, int32_t count) override;
    int remove(uint32_t start, uint32_t count) override;
    IPmsValue *read_index_of_tag(uint32_t tag, int *code, bool implied) override;
    int read_index(IPmsValue *value, bool implied) override;
    int set_to_index(IPmsValue *value, bool implied) override;
    IPmsValue *value() override;

    /* The dotted text, for the library's own code. */
    const CPmcString &dotted() const
    {
        return m_text;
    }

private:
    /* prefix_length: characters of the first `count` sub-identifiers (all when more). */
    uint32_t prefix_length(uint32_t count);

    CPmcString m_text;
    int32_t m_count = 0;
};

/* Text helpers of the dotted identifier form (pmc_oid_text.cpp). */
uint32_t pms_oid_text_count(const char *text);
uint32_t pms_oid_text_offset(const char *text, uint32_t position);
uint32_t pms_oid_text_number(const char *text);
bool pms_oid_text_valid(const char *text);
int pms_oid_text_relation(const char *self, const char *other);

/*
 * pms_read_index_length: how many sub-identifiers a variable-length index form takes from
 * `source` at *at: with the implied flag `count` (-1 or more than there are: all of
 * them), otherwise the length prefix at *at (moved past it), which must not exceed the
 * identifier's count (-401). 0 or the code of the failing read.
 */
int pms_read_index_length(IPmsValue *source, bool implied, int32_t count, uint32_t *at, uint32_t *n);

/* Number text helpers (pmc_value_text.cpp). */
int pms_scan_fields(const char *text, const char *pattern, int64_t *fields, int max_fields);
int64_t pms_scan_decimal(const char *text);
uint32_t pms_clamp_to_32(int64_t number);
int pms_format_unsigned64(char *buffer, uint64_t number);

#endif /* MANAGEMENT_VALUES_PMC_VALUE_PRIVATE_H */
