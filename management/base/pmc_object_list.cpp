/*
 * CPmcObjectList: a circular doubly linked chain with one sentinel node, and its
 * iterators. Elements pass through the list's policy on the way in and out.
 */
#include "management/base/pmc_object_list.h"

#include "management/base/pmc_status.h"

/* The iterator: the node it stands on; the sentinel means "at the end". */
class CPmcObjectListIterator : public CPmcHeapObject, public IPmcObjectListIterator
{
public:
    explicit CPmcObjectListIterator(CPmcListNode *node) : current(node) {}
    CPmcObjectListIterator(const CPmcObjectListIterator &) = delete;
    CPmcObjectListIterator &operator=(const CPmcObjectListIterator &) = delete;
    void release() override
    {
        delete this;
    }

    CPmcListNode *current;

private:
    virtual ~CPmcObjectListIterator() = default;
};

static CPmcObjectListIterator *concrete(IPmcObjectListIterator *iterator)
{
    return static_cast<CPmcObjectListIterator *>(iterator);
}

CPmcObjectList *pmc_create_object_list(const CPmcListPolicy *policy, int *code)
{
    if (!policy || !policy->make_element || !policy->release_element) {
        if (code)
            *code = PMC_E_ARG;
        return nullptr;
    }
    CPmcObjectList *list = new CPmcObjectList(policy);
    CPmcListNode *sentinel = list ? new CPmcListNode() : nullptr;
    if (!sentinel) {
        delete list;
        if (code)
            *code = PMC_E_MEMORY;
        return nullptr;
    }
    list->m_sentinel = sentinel;
    if (code)
        *code = PMC_OK;
    return list;
}

/* Destroying releases every element through the policy, then frees the sentinel. */
CPmcObjectList::~CPmcObjectList()
{
    if (!m_sentinel)
        return;
    clear();
    delete m_sentinel;
}

/* link_before: a node for the policy's element of `element`, linked in before `next`. */
int CPmcObjectList::link_before(CPmcListNode *next, void *element)
{
    if (!element)
        return PMC_E_ARG;
    CPmcListNode *node = new CPmcListNode();
    if (!node)
        return PMC_E_MEMORY;
    void *stored = m_policy->make_element(element);
    if (!stored) {
        delete node;
        return PMC_E_MEMORY;
    }
    node->element = stored;
    node->next = next;
    node->previous = next->previous;
    next->previous->next = node;
    next->previous = node;
    ++m_count;
    return PMC_OK;
}

void CPmcObjectList::unlink(CPmcListNode *node, bool release_element)
{
    node->previous->next = node->next;
    node->next->previous = node->previous;
    --m_count;
    if (release_element)
        m_policy->release_element(node->element);
    delete node;
}

int CPmcObjectList::insert_front(void *element)
{
    return link_before(m_sentinel->next, element);
}

int CPmcObjectList::append(void *element)
{
    return link_before(m_sentinel, element);
}

int CPmcObjectList::remove_first()
{
    if (m_count)
        unlink(m_sentinel->next, true);
    return PMC_OK;
}

int CPmcObjectList::remove_last()
{
    if (m_count)
        unlink(m_sentinel->previous, true);
    return PMC_OK;
}

int CPmcObjectList::clear()
{
    while (m_count)
        unlink(m_sentinel->next, true);
    return PMC_OK;
}

uint32_t CPmcObjectList::count()
{
    return m_count;
}

IPmcObjectListIterator *CPmcObjectList::create_iterator(int *code)
{
    CPmcObjectListIterator *iterator = new CPmcObjectListIterator(m_sentinel->next);
    if (code)
        *code = iterator ? PMC_OK : PMC_E_MEMORY;
    return iterator;
}

void CPmcObjectList::reset_iterator(IPmcObjectListIterator *iterator)
{
    if (iterator)
        concrete(iterator)->current = m_sentinel->next;
}

void CPmcObjectList::release_iterator(IPmcObjectListIterator *iterator)
{
    if (iterator)
        iterator->release();
}

void *CPmcObjectList::element_at(IPmcObjectListIterator *iterator)
{
    if (!iterator || concrete(iterator)->current == m_sentinel)
        return nullptr;
    return concrete(iterator)->current->element;
}

IPmcObjectListIterator *CPmcObjectList::advance(IPmcObjectListIterator *iterator)
{
    if (iterator && concrete(iterator)->current != m_sentinel)
        concrete(iterator)->current = concrete(iterator)->current->next;
    return iterator;
}

/* remove_at: the iterator moves on; the element goes back to the caller unreleased. */
void CPmcObjectList::remove_at(IPmcObjectListIterator *iterator)
{
    if (!iterator || !m_count || concrete(iterator)->current == m_sentinel)
        return;
    CPmcListNode *node = concrete(iterator)->current;
    concrete(iterator)->current = node->next;
    unlink(node, false);
}

CPmcObjectList *CPmcObjectList::list()
{
    return this;
}

void CPmcObjectList::release()
{
    delete this;
}
