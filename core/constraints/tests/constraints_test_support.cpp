/* Support of the constraint engine's tests. */
#include "core/constraints/tests/constraints_test_support.h"

#include "core/settings/settings.h"

#include <gtest/gtest.h>

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("\\CONSTRAINTS_TEST_LOG.txt");
}

Engine::Engine(const std::string &records, const std::string &entries)
{
    pair = std::make_unique<ddd_test::Pair>(ddd_test::Compile(ddd_test::Source(8192, entries, records)));
    EXPECT_EQ(DDD_OK, pair->status);
    driver.model = &pair->model;
    driver.base = &pair->base;
    areas = std::make_unique<TestSettingsAreas>();
    context = {&driver, &areas->devmode, &areas->block};
}

WORD Engine::Query(WORD functionId, const LONG *value, ConflictState *state, WORD mode, WORD **outList, WORD valueType)
{
    return cst_CheckConflicts(mode,
                              TEST_PRINTER,
                              &driver,
                              &areas->devmode,
                              &areas->block,
                              nullptr,
                              functionId,
                              valueType,
                              value,
                              state,
                              outList,
                              0);
}

LONG Engine::Number(WORD functionId)
{
    WORD type = 0;
    DWORD size = 0;
    DWORD_PTR value = 0;
    EXPECT_EQ(0, dma_GetFunctionValue(functionId, &areas->devmode, &areas->block, &type, &size, &value)) << functionId;
    return dma_ValueToLong(type, &value);
}

std::vector<WORD> List(const ConflictState &state, WORD which)
{
    WORD count = 0;
    const WORD *entries = cst_GetStateList(&state, which, &count);
    return std::vector<WORD>(entries, entries + count);
}

std::vector<WORD> OutList(const WORD *list)
{
    std::vector<WORD> out;
    for (; list && *list; ++list)
        out.push_back(*list);
    return out;
}
