/*
 * Shared helpers of the management tests: the live block count of the process heap that
 * the library allocates from, and a guard that refuses allocations for one call.
 */
#ifndef MANAGEMENT_TESTS_PMC_TEST_SUPPORT_H
#define MANAGEMENT_TESTS_PMC_TEST_SUPPORT_H

#include <windows.h>

#include "platform/testing/qm_testing.h"

/* Live blocks of the process heap. */
inline DWORD live_blocks()
{
    return qmt_LiveHeapBlocks(GetProcessHeap());
}

/* Refuses allocations after `after` more succeed, until the guard goes out of scope. */
struct RefuseAllocations {
    explicit RefuseAllocations(DWORD after = 0) { qmt_FailAllocations(after, 1000000); }
    ~RefuseAllocations() { qmt_FailAllocations(0, 0); }
    RefuseAllocations(const RefuseAllocations &) = delete;
    RefuseAllocations &operator=(const RefuseAllocations &) = delete;
};

#endif /* MANAGEMENT_TESTS_PMC_TEST_SUPPORT_H */
