/*
 * IPmsVarBind: one variable binding owning its name OID and its value.
 */
#include "management/packets/pmc_packet_private.h"

#include "management/base/pmc_status.h"
#include "management/values/pmc_value.h"

class CPmsVarBind : public CPmcHeapObject, public IPmsVarBind
{
public:
    CPmsVarBind() = default;
    CPmsVarBind(const CPmsVarBind &) = delete;
    CPmsVarBind &operator=(const CPmsVarBind &) = delete;

    void release() override
    {
        delete this;
    }
    IPmsVarBind *copy(int *code) override;
    bool equals(IPmsVarBind *other) override;
    int set(IPmsOid *name, IPmsValue *value) override;
    int set_again(IPmsOid *name, IPmsValue *value) override
    {
        return set(name, value);
    }
    void detach(IPmsOid **name, IPmsValue **value) override;
    void set_name(IPmsOid *name) override;
    void set_value(IPmsValue *value) override;
    IPmsOid *get_name() override
    {
        return m_name;
    }
    IPmsValue *get_value() override
    {
        return m_value;
    }
    int32_t get_error_mark() override
    {
        return m_mark;
    }
    void set_error_mark(int32_t mark) override
    {
        m_mark = mark;
    }

private:
    virtual ~CPmsVarBind();

    IPmsOid *m_name = nullptr;
    IPmsValue *m_value = nullptr;
    int32_t m_mark = 0;
};

CPmsVarBind::~CPmsVarBind()
{
    pms_release_oid(m_name);
    if (m_value)
        m_value->release();
}

IPmsVarBind *pms_create_var_bind(int *code)
{
    CPmsVarBind *binding = new CPmsVarBind();
    pms_set_code(code, binding ? PMC_OK : PMC_E_MEMORY);
    return binding;
}

/* copy: name and value cloned; the first failure releases the half-made binding. */
IPmsVarBind *CPmsVarBind::copy(int *code)
{
    CPmsVarBind *copy = new CPmsVarBind();
    if (!copy) {
        pms_set_code(code, PMC_E_MEMORY);
        return nullptr;
    }
    int status = pms_copy_oid(m_name, &copy->m_name);
    if (status == PMC_OK)
        status = pms_copy_value(m_value, &copy->m_value);
    copy->m_mark = m_mark;
    return pms_finish<IPmsVarBind>(copy, status, code);
}

bool CPmsVarBind::equals(IPmsVarBind *other)
{
    if (!other)
        return false;
    IPmsOid *name = other->get_name();
    if (!pms_values_equal(m_name ? m_name->value() : nullptr, name ? name->value() : nullptr))
        return false;
    return pms_values_equal(m_value, other->get_value()) && m_mark == other->get_error_mark();
}

int CPmsVarBind::set(IPmsOid *name, IPmsValue *value)
{
    set_name(name);
    int code = PMC_OK;
    if (!value)
        value = pms_create_value(PMS_TAG_NULL, &code);
    set_value(value);
    return code;
}

void CPmsVarBind::detach(IPmsOid **name, IPmsValue **value)
{
    if (name)
        *name = m_name;
    else
        pms_release_oid(m_name);
    if (value)
        *value = m_value;
    else if (m_value)
        m_value->release();
    m_name = nullptr;
    m_value = nullptr;
}

void CPmsVarBind::set_name(IPmsOid *name)
{
    if (name != m_name)
        pms_release_oid(m_name);
    m_name = name;
}

void CPmsVarBind::set_value(IPmsValue *value)
{
    if (value != m_value && m_value)
        m_value->release();
    m_value = value;
}
