/*
 * IPmsVarBindList: an ordered, growable array of owned binding pointers.
 */
#include "management/packets/pmc_packet_private.h"

#include <cstring>

#include "management/base/pmc_status.h"
#include "management/values/pmc_value.h"

class CPmsVarBindList : public CPmcHeapObject, public IPmsVarBindList
{
public:
    CPmsVarBindList() = default;
    CPmsVarBindList(const CPmsVarBindList &) = delete;
    CPmsVarBindList &operator=(const CPmsVarBindList &) = delete;

    void release() override
    {
        delete this;
    }
    IPmsVarBindList *copy(int *code) override
    {
        return copy_range_of(0, m_count, code);
    }
    bool equals(IPmsVarBindList *other) override;
    uint32_t count() override
    {
        return m_count;
    }
    int append_new(IPmsOid *name, IPmsValue *value) override;
    int append(IPmsVarBind *binding) override;
    int insert_new_front(IPmsOid *name, IPmsValue *value) override;
    int insert_front(IPmsVarBind *binding) override;
    int remove(uint32_t index, IPmsVarBind **out) override;
    int detach_first(IPmsOid **name, IPmsValue **value) override;
    IPmsVarBind *take_first() override;
    IPmsVarBind *get(uint32_t index) override
    {
        return index < m_count ? m_items[index] : nullptr;
    }
    IPmsVarBindList *copy_range(uint32_t start, uint32_t count, int *code) override;
    IPmsVarBindList *split_off(uint32_t count) override;
    void set_error_marks(int32_t status, int32_t index) override;
    void set_all_error_marks(int32_t mark) override;

private:
    virtual ~CPmsVarBindList();
    int insert_at(uint32_t position, IPmsVarBind *binding);
    int insert_new_at(uint32_t position, IPmsOid *name, IPmsValue *value);
    int reserve(uint32_t wanted);
    IPmsVarBindList *copy_range_of(uint32_t start, uint32_t count, int *code);

    IPmsVarBind **m_items = nullptr;
    uint32_t m_count = 0;
    uint32_t m_capacity = 0;
};

CPmsVarBindList::~CPmsVarBindList()
{
    for (uint32_t i = 0; i < m_count; ++i)
        m_items[i]->release();
    pmc_free(m_items);
}

IPmsVarBindList *pms_create_var_bind_list(int *code)
{
    CPmsVarBindList *list = new CPmsVarBindList();
    pms_set_code(code, list ? PMC_OK : PMC_E_MEMORY);
    return list;
}

/* reserve: room for `wanted` pointers, doubling from 8. 0 or -3 (nothing changed). */
int CPmsVarBindList::reserve(uint32_t wanted)
{
    if (wanted <= m_capacity)
        return PMC_OK;
    uint32_t capacity = m_capacity ? m_capacity : 8;
    while (capacity < wanted)
        capacity *= 2;
    IPmsVarBind **items = (IPmsVarBind **)pmc_alloc(capacity * sizeof *items);
    if (!items)
        return PMC_E_MEMORY;
    if (m_count)
        std::memcpy(items, m_items, m_count * sizeof *items);
    pmc_free(m_items);
    m_items = items;
    m_capacity = capacity;
    return PMC_OK;
}

int CPmsVarBindList::insert_at(uint32_t position, IPmsVarBind *binding)
{
    if (!binding)
        return PMC_E_ARG;
    int code = reserve(m_count + 1);
    if (code != PMC_OK)
        return code;
    std::memmove(m_items + position + 1, m_items + position, (m_count - position) * sizeof *m_items);
    m_items[position] = binding;
    ++m_count;
    return PMC_OK;
}

/* insert_new_at: on failure the name and value stay with the caller. */
int CPmsVarBindList::insert_new_at(uint32_t position, IPmsOid *name, IPmsValue *value)
{
    if (!name)
        return PMC_E_ARG;
    int code = reserve(m_count + 1);
    IPmsVarBind *binding = code == PMC_OK ? pms_create_var_bind(&code) : nullptr;
    if (!binding)
        return code;
    IPmsValue *null_value = nullptr;
    if (!value && !(null_value = pms_create_value(PMS_TAG_NULL, &code))) {
        binding->release();
        return code;
    }
    binding->set(name, value ? value : null_value);
    return insert_at(position, binding);
}

bool CPmsVarBindList::equals(IPmsVarBindList *other)
{
    if (!other || other->count() != m_count)
        return false;
    for (uint32_t i = 0; i < m_count; ++i) {
        if (!m_items[i]->equals(other->get(i)))
            return false;
    }
    return true;
}

int CPmsVarBindList::append_new(IPmsOid *name, IPmsValue *value)
{
    return insert_new_at(m_count, name, value);
}

int CPmsVarBindList::append(IPmsVarBind *binding)
{
    return insert_at(m_count, binding);
}

int CPmsVarBindList::insert_new_front(IPmsOid *name, IPmsValue *value)
{
    return insert_new_at(0, name, value);
}

int CPmsVarBindList::insert_front(IPmsVarBind *binding)
{
    return insert_at(0, binding);
}

int CPmsVarBindList::remove(uint32_t index, IPmsVarBind **out)
{
    if (index >= m_count)
        return PMC_E_ARG;
    IPmsVarBind *binding = m_items[index];
    --m_count;
    std::memmove(m_items + index, m_items + index + 1, (m_count - index) * sizeof *m_items);
    if (out)
        *out = binding;
    else
        binding->release();
    return PMC_OK;
}

int CPmsVarBindList::detach_first(IPmsOid **name, IPmsValue **value)
{
    IPmsVarBind *binding = take_first();
    if (!binding)
        return PMC_E_ARG;
    binding->detach(name, value);
    binding->release();
    return PMC_OK;
}

IPmsVarBind *CPmsVarBindList::take_first()
{
    IPmsVarBind *binding = nullptr;
    remove(0, &binding);
    return binding;
}

IPmsVarBindList *CPmsVarBindList::copy_range(uint32_t start, uint32_t count, int *code)
{
    if (start >= m_count) {
        pms_set_code(code, PMC_E_ARG);
        return nullptr;
    }
    return copy_range_of(start, count, code);
}

/* copy_range_of: copies of up to `count` bindings from `start`; all or nothing. */
IPmsVarBindList *CPmsVarBindList::copy_range_of(uint32_t start, uint32_t count, int *code)
{
    uint32_t available = m_count - start;
    if (count > available)
        count = available;
    CPmsVarBindList *copy = new CPmsVarBindList();
    int status = copy ? copy->reserve(count) : PMC_E_MEMORY;
    for (uint32_t i = 0; status == PMC_OK && i < count; ++i) {
        IPmsVarBind *binding = m_items[start + i]->copy(&status);
        if (binding)
            copy->m_items[copy->m_count++] = binding;
    }
    return pms_finish<IPmsVarBindList>(copy, status, code);
}

IPmsVarBindList *CPmsVarBindList::split_off(uint32_t count)
{
    if (count > m_count)
        count = m_count;
    CPmsVarBindList *front = new CPmsVarBindList();
    if (!front || front->reserve(count) != PMC_OK) {
        if (front)
            front->release();
        return nullptr;
    }
    if (count)
        std::memcpy(front->m_items, m_items, count * sizeof *m_items);
    front->m_count = count;
    m_count -= count;
    if (m_count)
        std::memmove(m_items, m_items + count, m_count * sizeof *m_items);
    return front;
}

void CPmsVarBindList::set_error_marks(int32_t status, int32_t index)
{
    for (uint32_t i = 0; i < m_count; ++i)
        m_items[i]->set_error_mark((int64_t)i + 1 == index ? status : PMS_MARK_CARRIED);
}

void CPmsVarBindList::set_all_error_marks(int32_t mark)
{
    for (uint32_t i = 0; i < m_count; ++i)
        m_items[i]->set_error_mark(mark);
}
