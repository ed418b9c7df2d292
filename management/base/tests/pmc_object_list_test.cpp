/*
 * CPmcObjectList: order of insertion, iteration, removal, destruction through the
 * policy and refused allocations.
 */
#include "management/base/pmc_object_list.h"

#include <gtest/gtest.h>

#include <vector>

#include "management/base/pmc_status.h"
#include "management/tests/pmc_test_support.h"

namespace {

/* Elements are small integers; the policy counts what it releases. */
std::vector<int> g_released;

void *keep_element(void *element)
{
    return element;
}

void release_element(void *element)
{
    g_released.push_back(*(int *)element);
}

const CPmcListPolicy kPolicy = {keep_element, release_element};

void *refuse_element(void *)
{
    return nullptr;
}

const CPmcListPolicy kRefusingPolicy = {refuse_element, release_element};

std::vector<int> walk(IPmcObjectList *list)
{
    std::vector<int> out;
    IPmcObjectListIterator *it = list->create_iterator(nullptr);
    for (void *e; (e = list->element_at(it)) != nullptr; list->advance(it))
        out.push_back(*(int *)e);
    list->release_iterator(it);
    return out;
}

class ObjectList : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_released.clear();
        before = live_blocks();
        list = pmc_create_object_list(&kPolicy, nullptr);
        ASSERT_NE(nullptr, list);
    }
    void TearDown() override
    {
        if (list)
            list->release();
        EXPECT_EQ(before, live_blocks());
    }
    DWORD before = 0;
    IPmcObjectList *list = nullptr;
    int e[4] = {0, 1, 2, 3};
};

} // namespace

TEST_F(ObjectList, OrderOfAppendingAndInserting)
{
    EXPECT_EQ(PMC_OK, list->append(&e[1]));
    EXPECT_EQ(PMC_OK, list->append(&e[2]));
    EXPECT_EQ(PMC_OK, list->insert_front(&e[0]));
    EXPECT_EQ(PMC_OK, list->append(&e[3]));
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), walk(list));
    EXPECT_EQ(4u, list->count());
    EXPECT_EQ(list, list->list());

    EXPECT_EQ(PMC_OK, list->remove_first());
    EXPECT_EQ(PMC_OK, list->remove_last());
    EXPECT_EQ((std::vector<int>{1, 2}), walk(list));
    EXPECT_EQ((std::vector<int>{0, 3}), g_released);
    EXPECT_EQ(PMC_OK, list->clear());
    EXPECT_EQ(0u, list->count());
    EXPECT_EQ(PMC_OK, list->remove_first());
    EXPECT_EQ(PMC_OK, list->remove_last());
}

TEST_F(ObjectList, NullElementsAndRefusals)
{
    EXPECT_EQ(PMC_E_ARG, list->append(nullptr));
    EXPECT_EQ(PMC_E_ARG, list->insert_front(nullptr));
    EXPECT_EQ(0u, list->count());
    {
        RefuseAllocations refuse;
        EXPECT_EQ(PMC_E_MEMORY, list->append(&e[1]));
        int code = 0;
        EXPECT_EQ(nullptr, list->create_iterator(&code));
        EXPECT_EQ(PMC_E_MEMORY, code);
        EXPECT_EQ(nullptr, pmc_create_object_list(&kPolicy, &code));
        EXPECT_EQ(PMC_E_MEMORY, code);
    }
    {
        /* The list object is made, its sentinel is refused. */
        RefuseAllocations refuse(1);
        int code = 0;
        EXPECT_EQ(nullptr, pmc_create_object_list(&kPolicy, &code));
        EXPECT_EQ(PMC_E_MEMORY, code);
    }
    EXPECT_EQ(0u, list->count());
    IPmcObjectList *refusing = pmc_create_object_list(&kRefusingPolicy, nullptr);
    EXPECT_EQ(PMC_E_MEMORY, refusing->append(&e[1]));
    EXPECT_EQ(0u, refusing->count());
    refusing->release();
    int code = 0;
    EXPECT_EQ(nullptr, pmc_create_object_list(nullptr, &code));
    EXPECT_EQ(PMC_E_ARG, code);
}

TEST_F(ObjectList, DestroyingReleasesEachElementOnce)
{
    list->append(&e[1]);
    list->append(&e[2]);
    list->append(&e[3]);
    list->release();
    list = nullptr;
    EXPECT_EQ((std::vector<int>{1, 2, 3}), g_released);
}

TEST_F(ObjectList, IteratorOnAnEmptyListIsAtTheEnd)
{
    IPmcObjectListIterator *it = list->create_iterator(nullptr);
    ASSERT_NE(nullptr, it);
    EXPECT_EQ(nullptr, list->element_at(it));
    EXPECT_EQ(it, list->advance(it));
    EXPECT_EQ(nullptr, list->element_at(it));
    list->remove_at(it);
    list->append(&e[1]);
    list->reset_iterator(it);
    EXPECT_EQ(&e[1], list->element_at(it));
    list->release_iterator(it);
    EXPECT_EQ(nullptr, list->element_at(nullptr));
    EXPECT_EQ(nullptr, list->advance(nullptr));
    list->reset_iterator(nullptr);
    list->remove_at(nullptr);
    list->release_iterator(nullptr);
}

TEST_F(ObjectList, RemoveAtHandsTheElementBack)
{
    list->append(&e[1]);
    list->append(&e[2]);
    list->append(&e[3]);
    IPmcObjectListIterator *it = list->create_iterator(nullptr);
    list->advance(it);
    EXPECT_EQ(&e[2], list->element_at(it));
    list->remove_at(it);
    EXPECT_TRUE(g_released.empty());
    EXPECT_EQ(&e[3], list->element_at(it));
    EXPECT_EQ(2u, list->count());
    list->remove_at(it);
    EXPECT_EQ(nullptr, list->element_at(it));
    list->release_iterator(it);
    EXPECT_EQ((std::vector<int>{1}), walk(list));
}
