/*
 * CPmcObjectList: an ordered list of objects with an element policy that makes the
 * stored element from the one given and releases it on removal, walked through iterator
 * objects the caller owns. The packet list, the result table, the address list and the
 * translator list are instances with their own policies.
 */
#ifndef MANAGEMENT_BASE_PMC_OBJECT_LIST_H
#define MANAGEMENT_BASE_PMC_OBJECT_LIST_H

#include <cstdint>

#include "management/base/pmc_memory.h"

class CPmcObjectList;

/* The element policy of a list instance. */
struct CPmcListPolicy {
    /* The element to store for `element`, or null when it cannot be made. */
    void *(*make_element)(void *element);
    /* Releases a stored element when the list drops it. */
    void (*release_element)(void *element);
};

/* An iterator over a list: released through release (or the list's release iterator). */
class IPmcObjectListIterator
{
public:
    virtual void release() = 0;

protected:
    ~IPmcObjectListIterator() = default;
};

/* The list operations in slot order. */
class IPmcObjectList
{
public:
    virtual int insert_front(void *element) = 0;                                   /* 1 */
    virtual int append(void *element) = 0;                                         /* 2 */
    virtual int remove_first() = 0;                                                /* 3 */
    virtual int remove_last() = 0;                                                 /* 4 */
    virtual int clear() = 0;                                                       /* 5 */
    virtual uint32_t count() = 0;                                                  /* 6 */
    virtual IPmcObjectListIterator *create_iterator(int *code) = 0;                /* 7 */
    virtual void reset_iterator(IPmcObjectListIterator *iterator) = 0;             /* 8 */
    virtual void release_iterator(IPmcObjectListIterator *iterator) = 0;           /* 9 */
    virtual void *element_at(IPmcObjectListIterator *iterator) = 0;                /* 10 */
    virtual IPmcObjectListIterator *advance(IPmcObjectListIterator *iterator) = 0; /* 11 */
    virtual void remove_at(IPmcObjectListIterator *iterator) = 0;                  /* 12 */
    virtual CPmcObjectList *list() = 0;                                            /* 13 */
    virtual void release() = 0;                                                    /* 14 */

protected:
    ~IPmcObjectList() = default;
};

/* One link of the circular chain; the sentinel has no element. */
struct CPmcListNode : CPmcHeapObject {
    CPmcListNode *next = this;
    CPmcListNode *previous = this;
    void *element = nullptr;
};

class CPmcObjectList : public CPmcHeapObject, public IPmcObjectList
{
public:
    CPmcObjectList(const CPmcObjectList &) = delete;
    CPmcObjectList &operator=(const CPmcObjectList &) = delete;

    /*
     * pmc_create_object_list: a new empty list with `policy` (kept by pointer: it must
     * outlive the list). code (out, may be null): 0, -2 for a null policy, -3 no memory.
     */
    friend CPmcObjectList *pmc_create_object_list(const CPmcListPolicy *policy, int *code);

    int insert_front(void *element) override;
    int append(void *element) override;
    int remove_first() override;
    int remove_last() override;
    int clear() override;
    uint32_t count() override;
    IPmcObjectListIterator *create_iterator(int *code) override;
    void reset_iterator(IPmcObjectListIterator *iterator) override;
    void release_iterator(IPmcObjectListIterator *iterator) override;
    void *element_at(IPmcObjectListIterator *iterator) override;
    IPmcObjectListIterator *advance(IPmcObjectListIterator *iterator) override;
    void remove_at(IPmcObjectListIterator *iterator) override;
    CPmcObjectList *list() override;
    void release() override;

private:
    explicit CPmcObjectList(const CPmcListPolicy *policy) : m_policy(policy) {}
    virtual ~CPmcObjectList();
    int link_before(CPmcListNode *next, void *element);
    void unlink(CPmcListNode *node, bool release_element);

    const CPmcListPolicy *m_policy;
    CPmcListNode *m_sentinel = nullptr;
    uint32_t m_count = 0;
};

CPmcObjectList *pmc_create_object_list(const CPmcListPolicy *policy, int *code);

#endif /* MANAGEMENT_BASE_PMC_OBJECT_LIST_H */
