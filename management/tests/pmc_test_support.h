/*
 * Shared helpers of the management tests: the live block count of the process heap that
 * the library allocates from, and a guard that refuses allocations for one call.
 */
#ifndef MANAGEMENT_TESTS_PMC_TEST_SUPPORT_H
#define MANAGEMENT_TESTS_PMC_TEST_SUPPORT_H

#include <windows.h>

#include <string>
#include <vector>

#include "management/base/pmc_status.h"
#include "management/logging/pmc_log.h"
#include "platform/testing/qm_testing.h"

/* Live blocks of the process heap. */
inline DWORD live_blocks()
{
    return qmt_LiveHeapBlocks(GetProcessHeap());
}

/* Refuses allocations after `after` more succeed, until the guard goes out of scope. */
struct RefuseAllocations {
    explicit RefuseAllocations(DWORD after = 0)
    {
        qmt_FailAllocations(after, 1000000);
    }
    ~RefuseAllocations()
    {
        qmt_FailAllocations(0, 0);
    }
    RefuseAllocations(const RefuseAllocations &) = delete;
    RefuseAllocations &operator=(const RefuseAllocations &) = delete;
};

/* An output that keeps the lines it is given. */
class RecordingOutput : public IPmcLogOutput
{
public:
    explicit RecordingOutput(const char *parameter = "recording") : m_parameter(parameter) {}
    int query_interface(const char *, void **out) override
    {
        *out = nullptr;
        return PMC_E_NO_INTERFACE;
    }
    void add_ref() override
    {
        ++references;
    }
    int reserved() override
    {
        return PMC_E_UNSUPPORTED;
    }
    void release() override
    {
        --references;
    }
    const char *type_name() override
    {
        return "recording";
    }
    const char *parameter() override
    {
        return m_parameter;
    }
    int write_line(const char *line) override
    {
        lines.push_back(line);
        return result;
    }
    /* has: whether a line kept contains `text`. */
    bool has(const std::string &text) const
    {
        for (const std::string &line : lines) {
            if (line.find(text) != std::string::npos)
                return true;
        }
        return false;
    }
    std::vector<std::string> lines;
    int references = 0;
    int result = PMC_OK;

private:
    const char *m_parameter;
};

#endif /* MANAGEMENT_TESTS_PMC_TEST_SUPPORT_H */
