/*
 * The table of SNMP value kinds and the factories that read it.
 */
#include "management/values/pmc_value_private.h"

#include "management/base/pmc_status.h"

/* tag, storage, visitor slot, base class tag, fixed size, index type sub-identifier */
static const PmsValueKind kKinds[] = {
    {PMS_TAG_INTEGER, PMS_STORE_SIGNED, PMS_VISIT_INTEGER, 0, 0, 0},
    {PMS_TAG_OCTET_STRING, PMS_STORE_OCTETS, PMS_VISIT_OCTETS, 0, 0, 0},
    {PMS_TAG_NULL, PMS_STORE_NOTHING, PMS_VISIT_NULL, 0, 0, 0},
    {PMS_TAG_OID, PMS_STORE_OID, PMS_VISIT_OID, 0, 0, 0},
    {PMS_TAG_IP_ADDRESS, PMS_STORE_OCTETS, PMS_VISIT_IP_ADDRESS, PMS_TAG_OCTET_STRING, 4, 0},
    {PMS_TAG_COUNTER32, PMS_STORE_UNSIGNED, PMS_VISIT_COUNTER32, PMS_TAG_GAUGE32, 0, 0},
    {PMS_TAG_GAUGE32, PMS_STORE_UNSIGNED, PMS_VISIT_GAUGE32, 0, 0, 0},
    {PMS_TAG_TIMETICKS, PMS_STORE_UNSIGNED, PMS_VISIT_TIMETICKS, PMS_TAG_GAUGE32, 0, 0},
    {PMS_TAG_OPAQUE, PMS_STORE_OCTETS, PMS_VISIT_OCTETS, PMS_TAG_OCTET_STRING, 0, 0},
    {PMS_TAG_COUNTER64, PMS_STORE_COUNTER64, PMS_VISIT_COUNTER64, 0, 0, 0},
    {PMS_TAG_IPV6_ADDRESS, PMS_STORE_OCTETS, PMS_VISIT_IPV6_ADDRESS, PMS_TAG_OCTET_STRING, 16, 0},
    {PMS_TAG_NO_SUCH_OBJECT, PMS_STORE_NOTHING, PMS_VISIT_EXCEPTION, 0, 0, 0},
    {PMS_TAG_NO_SUCH_INSTANCE, PMS_STORE_NOTHING, PMS_VISIT_EXCEPTION, 0, 0, 0},
    {PMS_TAG_END_OF_MIB_VIEW, PMS_STORE_NOTHING, PMS_VISIT_EXCEPTION, 0, 0, 0},
    {PMS_TAG_IPV4_TRANSPORT, PMS_STORE_OCTETS, PMS_VISIT_IPV4_TRANSPORT, PMS_TAG_OCTET_STRING, 6, 1},
    {PMS_TAG_IPX_TRANSPORT, PMS_STORE_OCTETS, PMS_VISIT_IPX_TRANSPORT, PMS_TAG_OCTET_STRING, 12, 5},
};

const PmsValueKind *pms_find_kind(uint32_t tag)
{
    for (const PmsValueKind &kind : kKinds)
        if (kind.tag == tag)
            return &kind;
    return nullptr;
}

/*
 * pms_create_value: allocates the class of the kind's storage; an octet kind then gets
 * its fixed bytes, and a failure there releases the object and gives its code.
 */
IPmsValue *pms_create_value(uint32_t tag, int *code)
{
    const PmsValueKind *kind = pms_find_kind(tag);
    if (!kind) {
        pms_set_code(code, PMC_E_ARG);
        return nullptr;
    }
    CPmsValueBase *value = nullptr;
    CPmsOctets *octets = nullptr;
    switch (kind->storage) {
    case PMS_STORE_SIGNED: value = new CPmsInteger(kind); break;
    case PMS_STORE_UNSIGNED:
        if (tag == PMS_TAG_COUNTER32)
            value = new CPmsCounter32(kind);
        else if (tag == PMS_TAG_TIMETICKS)
            value = new CPmsTimeTicks(kind);
        else
            value = new CPmsGauge32(kind);
        break;
    case PMS_STORE_COUNTER64: value = new CPmsCounter64(kind); break;
    case PMS_STORE_NOTHING:
        if (tag == PMS_TAG_NULL)
            value = new CPmsNull(kind);
        else
            value = new CPmsException(kind);
        break;
    case PMS_STORE_OCTETS: value = octets = new CPmsOctets(kind); break;
    case PMS_STORE_OID: value = new CPmsOid(kind); break;
    }
    if (!value) {
        pms_set_code(code, PMC_E_MEMORY);
        return nullptr;
    }
    if (octets) {
        int status = octets->init();
        if (status != PMC_OK) {
            value->release();
            pms_set_code(code, status);
            return nullptr;
        }
    }
    pms_set_code(code, PMC_OK);
    return value;
}

IPmsValue *pms_create_value_from_number(int32_t number, uint32_t tag, int *code)
{
    IPmsValue *value = pms_create_value(tag, code);
    if (!value)
        return nullptr;
    int status = value->set_signed(number);
    if (status != PMC_OK) {
        value->release();
        pms_set_code(code, status);
        return nullptr;
    }
    return value;
}

/*
 * keep_if_valid_text: sets `value` from `text` and keeps it when it then holds a valid
 * value; otherwise releases it and answers null with the set's code (-2 when invalid).
 */
static IPmsValue *keep_if_valid_text(IPmsValue *value, const char *text, int *code)
{
    int status = value->set_text(text);
    if (status == PMC_OK && !value->is_valid())
        status = PMC_E_ARG;
    if (status != PMC_OK) {
        value->release();
        pms_set_code(code, status);
        return nullptr;
    }
    return value;
}

IPmsValue *pms_create_value_from_text(const char *text, uint32_t tag, int *code)
{
    if (!text) {
        pms_set_code(code, PMC_E_ARG);
        return nullptr;
    }
    IPmsValue *value = pms_create_value(tag, code);
    return value ? keep_if_valid_text(value, text, code) : nullptr;
}

IPmsOid *pms_create_oid(int *code)
{
    IPmsValue *value = pms_create_value(PMS_TAG_OID, code);
    return value ? value->as_oid() : nullptr;
}

IPmsOid *pms_create_oid_from_text(const char *text, int *code)
{
    IPmsValue *value = pms_create_value(PMS_TAG_OID, code);
    if (value)
        value = keep_if_valid_text(value, text, code);
    return value ? value->as_oid() : nullptr;
}
