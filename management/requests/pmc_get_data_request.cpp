/*
 * The get-data request: reads one printer's values with GET, walks tables with GET-NEXT
 * and writes INTEGER values with SET. The find-device request shares its set-up and sends
 * one GET to a broadcast address.
 */
#include "management/requests/pmc_request_private.h"

#include <cstdlib>
#include <cstring>

#include "management/base/pmc_byte_string.h"
#include "management/base/pmc_object_list.h"
#include "management/base/pmc_status.h"
#include "management/network/pmc_address_factory.h"
#include "management/packets/pmc_packet.h"
#include "management/values/pmc_value.h"

namespace {

/* The error-status of an answer that names no object (SNMP version 1). */
constexpr int32_t kNoSuchName = 2;

/* is_exception: noSuchObject, noSuchInstance or endOfMibView. */
bool is_exception(IPmsValue *value)
{
    uint32_t tag = value ? value->tag() : 0;
    return tag == PMS_TAG_NO_SUCH_OBJECT || tag == PMS_TAG_NO_SUCH_INSTANCE || tag == PMS_TAG_END_OF_MIB_VIEW;
}

/* sorts_after: whether identifier `name` comes after `asked` in the order of their
 * sub-identifiers as numbers (1.11 before 1.105; an identifier inside another's subtree
 * after it). */
bool sorts_after(IPmsOid *name, IPmsOid *asked)
{
    CPmcByteString *name_text = name->value()->text(nullptr);
    CPmcByteString *asked_text = asked->value()->text(nullptr);
    bool after = false;
    const char *t = name_text ? name_text->data() : nullptr;
    const char *a = asked_text ? asked_text->data() : nullptr;
    while (t && a) {
        if (!*a || !*t) {
            after = *t != '\0' && !*a;
            break;
        }
        char *t_end = nullptr;
        char *a_end = nullptr;
        unsigned long long t_number = std::strtoull(t, &t_end, 10);
        unsigned long long a_number = std::strtoull(a, &a_end, 10);
        if (t_end == t || a_end == a)
            break;
        if (t_number != a_number) {
            after = t_number > a_number;
            break;
        }
        t = *t_end == '.' ? t_end + 1 : t_end;
        a = *a_end == '.' ? a_end + 1 : a_end;
    }
    if (name_text)
        name_text->release();
    if (asked_text)
        asked_text->release();
    return after;
}

/* answer_value: the value of the answer's binding `index`, or null when the answer has an
 * error-status, no such binding, or a NULL or exception value there. */
IPmsValue *answer_value(IPmsPdu *pdu, uint32_t index)
{
    if (pdu->get_error_status() != 0)
        return nullptr;
    IPmsVarBindList *list = pdu->get_list();
    IPmsVarBind *binding = list ? list->get(index) : nullptr;
    IPmsValue *value = binding ? binding->get_value() : nullptr;
    if (!value || value->tag() == PMS_TAG_NULL || is_exception(value))
        return nullptr;
    return value;
}

/* clear_values: every binding's value becomes NULL, as a request carries them. */
int clear_values(IPmsPdu *pdu)
{
    IPmsVarBindList *list = pdu->get_list();
    uint32_t count = list ? list->count() : 0;
    for (uint32_t i = 0; i < count; ++i) {
        int code = PMC_OK;
        IPmsValue *null_value = pms_create_value(PMS_TAG_NULL, &code);
        if (!null_value)
            return code;
        list->get(i)->set_value(null_value);
    }
    return PMC_OK;
}

class CPmcGetDataRequest final : public CPmcRequestBase, public IPmcGetDataRequest
{
public:
    CPmcGetDataRequest() = default;

    int add_set_binding(const char *oid_text, const char *instance_text, int32_t value) override;
    int set_data() override;
    int get_data(CPmcObjectList *results, const char *oid_text) override;
    int get_string(char *text, uint32_t capacity) override;
    int get_integers(int32_t *values, uint32_t count) override;
    int get_integer(int32_t *value) override;
    int classify(const char *text, int *protocol) override
    {
        return pmc_classify_address(text, protocol);
    }

private:
    ~CPmcGetDataRequest() override = default;
    int walk_step(IPmsOid *root, CPmcObjectList *results, bool *done);
};

int CPmcGetDataRequest::add_set_binding(const char *oid_text, const char *instance_text, int32_t value)
{
    if (!m_pdu || !oid_text || !instance_text)
        return PMC_E_ARG;
    int code = PMC_OK;
    IPmsOid *name = pms_create_oid_from_text(oid_text, &code);
    if (!name)
        return code;
    if (*instance_text)
        code = name->append_text(instance_text);
    IPmsValue *number = code == PMC_OK ? pms_create_value_from_number(value, PMS_TAG_INTEGER, &code) : nullptr;
    if (number)
        code = m_pdu->append_new(name, number);
    if (code != PMC_OK) {
        name->value()->release();
        if (number)
            number->release();
    }
    return code;
}

/* set_data: any error-status of the answer is a refusal (readOnly, badValue, genErr,
 * notWritable... as well as noSuchName and noAccess), so a refused write never reports
 * success. */
int CPmcGetDataRequest::set_data()
{
    int code = exchange(PMS_PDU_SET);
    if (code != PMC_OK)
        return code;
    return m_pdu->get_error_status() != 0 ? PMC_E_RANGE : PMC_OK;
}

int CPmcGetDataRequest::get_integer(int32_t *value)
{
    if (!value)
        return PMC_E_ARG;
    int code = exchange(PMS_PDU_GET);
    if (code != PMC_OK)
        return code;
    IPmsValue *answer = answer_value(m_pdu, 0);
    if (!answer)
        return PMC_E_RANGE;
    *value = answer->read_signed(&code);
    return code == PMC_OK ? PMC_OK : PMC_E_RANGE;
}

/* get_string: the value's text, cut to the caller's capacity. */
int CPmcGetDataRequest::get_string(char *text, uint32_t capacity)
{
    if (!text || capacity == 0)
        return PMC_E_ARG;
    text[0] = '\0';
    int code = exchange(PMS_PDU_GET);
    if (code != PMC_OK)
        return code;
    IPmsValue *answer = answer_value(m_pdu, 0);
    if (!answer)
        return PMC_E_RANGE;
    CPmcByteString *value_text = answer->text(&code);
    if (!value_text)
        return code == PMC_E_MEMORY ? code : PMC_E_RANGE;
    uint32_t length = value_text->length();
    if (length > capacity - 1)
        length = capacity - 1;
    std::memcpy(text, value_text->data(), length);
    text[length] = '\0';
    value_text->release();
    return PMC_OK;
}

int CPmcGetDataRequest::get_integers(int32_t *values, uint32_t count)
{
    if (!values)
        return PMC_E_ARG;
    int code = exchange(PMS_PDU_GET);
    if (code != PMC_OK)
        return code;
    for (uint32_t i = 0; i < count; ++i) {
        IPmsValue *answer = answer_value(m_pdu, i);
        if (!answer)
            return PMC_E_RANGE;
        values[i] = answer->read_signed(&code);
        if (code != PMC_OK)
            return PMC_E_RANGE;
    }
    return PMC_OK;
}

/*
 * walk_step: one GET-NEXT from the names the PDU holds. done (out): the walk is over. An
 * answer inside the root's subtree (or holding it) that goes forward is added to results.
 */
int CPmcGetDataRequest::walk_step(IPmsOid *root, CPmcObjectList *results, bool *done)
{
    *done = true;
    IPmsVarBindList *list = m_pdu->get_list();
    IPmsVarBind *asked = list ? list->get(0) : nullptr;
    int code = PMC_OK;
    IPmsOid *asked_name = asked && asked->get_name() ? asked->get_name()->clone_oid(&code) : nullptr;
    if (!asked_name)
        return code != PMC_OK ? code : PMC_E_ARG;
    code = clear_values(m_pdu);
    if (code == PMC_OK)
        code = exchange(PMS_PDU_GET_NEXT);
    if (code != PMC_OK) {
        asked_name->value()->release();
        return code;
    }
    int32_t status = m_pdu->get_error_status();
    list = m_pdu->get_list();
    IPmsVarBind *first = list ? list->get(0) : nullptr;
    IPmsOid *name = first ? first->get_name() : nullptr;
    if (status == kNoSuchName || (status == 0 && first && is_exception(first->get_value()))) {
        code = PMC_OK; /* past the end of what the agent shows */
    } else if (status != 0 || !name) {
        code = PMC_E_RANGE;
    } else {
        int relation = name->relation(root, &code);
        bool inside = code == PMC_OK && (relation == PMS_REL_INSIDE || relation == PMS_REL_ANCESTOR);
        /* An agent that answers a name that does not go forward would be asked the same
         * again for ever. */
        bool forward = sorts_after(name, asked_name);
        code = PMC_OK;
        if (inside && forward) {
            IPmsPdu *row = m_pdu->copy(&code);
            if (row) {
                code = results->append(row);
                if (code != PMC_OK)
                    row->release();
            }
            *done = code != PMC_OK;
        }
    }
    asked_name->value()->release();
    return code;
}

int CPmcGetDataRequest::get_data(CPmcObjectList *results, const char *oid_text)
{
    if (!results || !oid_text || !m_pdu)
        return PMC_E_ARG;
    int code = PMC_OK;
    IPmsOid *root = pms_create_oid_from_text(oid_text, &code);
    if (!root)
        return code;
    bool done = false;
    uint32_t steps = 0;
    while (code == PMC_OK && !done) {
        if (++steps > PMC_WALK_STEPS_MAX) {
            code = PMC_E_FAIL;
            break;
        }
        code = walk_step(root, results, &done);
    }
    root->value()->release();
    return code;
}

class CPmcFindDeviceRequest final : public CPmcRequestBase, public IPmcFindDeviceRequest
{
public:
    CPmcFindDeviceRequest() = default;

    /* add_oid_string: the instance 0 is always appended. */
    int add_oid_string(const char *oid_text, bool) override
    {
        return CPmcRequestBase::add_oid_string(oid_text, true);
    }
    int send_broad_cast(CPmcObjectList **packets) override
    {
        return broadcast(packets);
    }
    int classify(const char *text, int *protocol) override
    {
        return pmc_classify_address(text, protocol);
    }

private:
    ~CPmcFindDeviceRequest() override = default;
};

} // namespace

IPmcGetDataRequest *pmc_create_get_data(int *code)
{
    IPmcGetDataRequest *request = new CPmcGetDataRequest();
    if (code)
        *code = request ? PMC_OK : PMC_E_MEMORY;
    return request;
}

IPmcFindDeviceRequest *pmc_create_find_device_snmp(int *code)
{
    IPmcFindDeviceRequest *request = new CPmcFindDeviceRequest();
    if (code)
        *code = request ? PMC_OK : PMC_E_MEMORY;
    return request;
}
