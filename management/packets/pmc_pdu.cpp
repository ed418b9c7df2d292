/*
 * IPmsPdu: the header of one SNMP PDU, its binding list and, for traps, the time-stamp
 * and trap identifier.
 */
#include "management/packets/pmc_packet_private.h"

#include "management/base/pmc_status.h"
#include "management/values/pmc_value.h"

class CPmsPdu : public CPmcHeapObject, public IPmsPdu
{
public:
    CPmsPdu() = default;
    CPmsPdu(const CPmsPdu &) = delete;
    CPmsPdu &operator=(const CPmsPdu &) = delete;

    void release() override
    {
        delete this;
    }
    int reset() override;
    IPmsPdu *copy(int *code) override;
    int copy_list_from(IPmsPdu *other) override;
    int copy_header_from(IPmsPdu *other) override;
    bool equals(IPmsPdu *other) override;
    int32_t get_type() override
    {
        return m_type;
    }
    void set_type(int32_t type) override
    {
        m_type = type;
    }
    IPmsVarBindList *get_list() override
    {
        return m_list;
    }
    void set_list(IPmsVarBindList *list) override;
    IPmsVarBindList *take_list() override;
    int append_new(IPmsOid *name, IPmsValue *value) override;
    int append(IPmsVarBind *binding) override;
    int insert_new_front(IPmsOid *name, IPmsValue *value) override;
    int insert_front(IPmsVarBind *binding) override;
    int detach_first(IPmsOid **name, IPmsValue **value) override;
    IPmsVarBind *take_first() override
    {
        return m_list ? m_list->take_first() : nullptr;
    }
    int32_t get_request_id() override
    {
        return m_request_id;
    }
    int32_t get_error_status() override
    {
        return m_error_status;
    }
    int32_t get_error_index() override
    {
        return m_error_index;
    }
    void set_request_id(int32_t id) override
    {
        m_request_id = id;
    }
    void set_error_status(int32_t status) override
    {
        m_error_status = status;
    }
    void set_error_index(int32_t index) override
    {
        m_error_index = index;
    }
    IPmsValue *get_time_stamp() override
    {
        return m_time_stamp;
    }
    IPmsOid *get_trap_oid() override
    {
        return m_trap_oid;
    }
    IPmsValue *take_time_stamp() override;
    IPmsOid *take_trap_oid() override;
    int set_time_stamp(IPmsValue *value) override;
    int set_trap_oid(IPmsValue *oid) override;

private:
    virtual ~CPmsPdu();
    void drop_trap_fields();
    int ensure_list();

    int32_t m_type = PMS_PDU_NONE;
    IPmsVarBindList *m_list = nullptr;
    int32_t m_request_id = 0;
    int32_t m_error_status = 0;
    int32_t m_error_index = 0;
    IPmsValue *m_time_stamp = nullptr;
    IPmsOid *m_trap_oid = nullptr;
};

CPmsPdu::~CPmsPdu()
{
    set_list(nullptr);
    drop_trap_fields();
}

IPmsPdu *pms_create_pdu(int *code)
{
    CPmsPdu *pdu = new CPmsPdu();
    pms_set_code(code, pdu ? PMC_OK : PMC_E_MEMORY);
    return pdu;
}

void CPmsPdu::drop_trap_fields()
{
    if (m_time_stamp)
        m_time_stamp->release();
    pms_release_oid(m_trap_oid);
    m_time_stamp = nullptr;
    m_trap_oid = nullptr;
}

/* reset: answers -1 by design; the error-status -1 marks a PDU that holds nothing. */
int CPmsPdu::reset()
{
    set_list(nullptr);
    drop_trap_fields();
    m_type = PMS_PDU_NONE;
    m_error_status = -1;
    m_error_index = 0;
    return PMC_E_FAIL;
}

IPmsPdu *CPmsPdu::copy(int *code)
{
    CPmsPdu *copy = new CPmsPdu();
    int status = copy ? copy->copy_list_from(this) : PMC_E_MEMORY;
    return pms_finish<IPmsPdu>(copy, status, code);
}

/* copy_list_from: the header, then a copy of the other's list; the list copy is made
 * before anything changes, so a failure leaves this PDU as it was. */
int CPmsPdu::copy_list_from(IPmsPdu *other)
{
    if (!other)
        return PMC_E_ARG;
    IPmsVarBindList *list = nullptr;
    int code = PMC_OK;
    if (other->get_list() && !(list = other->get_list()->copy(&code)))
        return code;
    code = copy_header_from(other);
    if (code != PMC_OK) {
        if (list)
            list->release();
        return code;
    }
    set_list(list);
    return PMC_OK;
}

/* copy_header_from: copies of time-stamp and trap OID are made first (all or nothing). */
int CPmsPdu::copy_header_from(IPmsPdu *other)
{
    if (!other)
        return PMC_E_ARG;
    IPmsValue *time_stamp = nullptr;
    IPmsOid *trap_oid = nullptr;
    int code = pms_copy_value(other->get_time_stamp(), &time_stamp);
    if (code == PMC_OK)
        code = pms_copy_oid(other->get_trap_oid(), &trap_oid);
    if (code != PMC_OK) {
        if (time_stamp)
            time_stamp->release();
        return code;
    }
    drop_trap_fields();
    m_time_stamp = time_stamp;
    m_trap_oid = trap_oid;
    m_type = other->get_type();
    m_request_id = other->get_request_id();
    m_error_status = other->get_error_status();
    m_error_index = other->get_error_index();
    return PMC_OK;
}

bool CPmsPdu::equals(IPmsPdu *other)
{
    if (!other || m_type == PMS_PDU_NONE || m_type != other->get_type())
        return false;
    if (m_type == PMS_PDU_TRAP) {
        IPmsOid *trap_oid = other->get_trap_oid();
        if (!pms_values_equal(m_time_stamp, other->get_time_stamp()) ||
            !pms_values_equal(m_trap_oid ? m_trap_oid->value() : nullptr, trap_oid ? trap_oid->value() : nullptr))
            return false;
    } else if (m_request_id != other->get_request_id() || m_error_index != other->get_error_index() ||
               m_error_status != other->get_error_status()) {
        return false;
    }
    IPmsVarBindList *list = other->get_list();
    if (!m_list || !list)
        return !m_list && !list;
    return m_list->equals(list);
}

void CPmsPdu::set_list(IPmsVarBindList *list)
{
    if (m_list && m_list != list)
        m_list->release();
    m_list = list;
}

IPmsVarBindList *CPmsPdu::take_list()
{
    IPmsVarBindList *list = m_list;
    m_list = nullptr;
    return list;
}

int CPmsPdu::ensure_list()
{
    int code = PMC_OK;
    if (!m_list)
        m_list = pms_create_var_bind_list(&code);
    return m_list ? PMC_OK : code;
}

int CPmsPdu::append_new(IPmsOid *name, IPmsValue *value)
{
    int code = ensure_list();
    return code == PMC_OK ? m_list->append_new(name, value) : code;
}

int CPmsPdu::append(IPmsVarBind *binding)
{
    int code = ensure_list();
    return code == PMC_OK ? m_list->append(binding) : code;
}

int CPmsPdu::insert_new_front(IPmsOid *name, IPmsValue *value)
{
    int code = ensure_list();
    return code == PMC_OK ? m_list->insert_new_front(name, value) : code;
}

int CPmsPdu::insert_front(IPmsVarBind *binding)
{
    int code = ensure_list();
    return code == PMC_OK ? m_list->insert_front(binding) : code;
}

int CPmsPdu::detach_first(IPmsOid **name, IPmsValue **value)
{
    return m_list ? m_list->detach_first(name, value) : PMC_E_ARG;
}

IPmsValue *CPmsPdu::take_time_stamp()
{
    IPmsValue *value = m_time_stamp;
    m_time_stamp = nullptr;
    return value;
}

IPmsOid *CPmsPdu::take_trap_oid()
{
    IPmsOid *oid = m_trap_oid;
    m_trap_oid = nullptr;
    return oid;
}

int CPmsPdu::set_time_stamp(IPmsValue *value)
{
    if (!value || value->tag() != PMS_TAG_TIMETICKS)
        return PMC_E_ARG;
    if (m_time_stamp && m_time_stamp != value)
        m_time_stamp->release();
    m_time_stamp = value;
    return PMC_OK;
}

int CPmsPdu::set_trap_oid(IPmsValue *oid)
{
    if (!oid || oid->tag() != PMS_TAG_OID || !oid->as_oid())
        return PMC_E_ARG;
    IPmsOid *copy = nullptr;
    int code = pms_copy_oid(oid->as_oid(), &copy);
    if (code != PMC_OK)
        return code;
    pms_release_oid(m_trap_oid);
    m_trap_oid = copy;
    return PMC_OK;
}
