/* Support of the constraint engine's tests. */
#include "core/constraints/tests/constraints_test_support.h"

#include "core/settings/settings.h"
#include "core/user_registry/user_registry.h"
#include "platform/include/qmhost.h"

#include <winspool.h>

#include <string.h>

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
                              printer,
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

StampPrinter::StampPrinter()
{
    QMH_PRINTER_SETUP setup = {TEXT("Stamps"),
                               TEXT("LPT1:"),
                               TEXT("QM Driver"),
                               TEXT("C:\\drv\\qmkelvim.dll"),
                               TEXT("C:\\drv\\QMCST.DDD"),
                               TEXT("C:\\drv\\qmkelviu.dll"),
                               nullptr,
                               nullptr,
                               0};
    EXPECT_TRUE(qmh_InstallPrinter(&setup));
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    EXPECT_TRUE(OpenPrinterW((LPWSTR)TEXT("Stamps"), &handle, &defaults));
}

StampPrinter::~StampPrinter()
{
    if (handle)
        ClosePrinter(handle);
}

void StampPrinter::Store(const std::vector<std::u16string> &names, DriverContext *context)
{
    Remove(context);
    HKEY key = nullptr;
    ASSERT_TRUE(ureg_OpenPrinterKey(handle, context, TEXT("Stamps"), &key));
    for (const std::u16string &name : names) {
        StampRecord record;
        memset(&record, 0, sizeof(record));
        lstrcpynW(record.name, (LPCWSTR)name.c_str(), STAMP_NAME_CHARS);
        lstrcpynW(record.text, (LPCWSTR)name.c_str(), STAMP_TEXT_CHARS);
        EXPECT_EQ(ERROR_SUCCESS,
                  RegSetValueExW(key, record.name, 0, REG_BINARY, (const BYTE *)&record, sizeof(record)));
    }
    RegCloseKey(key);
}

void StampPrinter::Remove(DriverContext *context)
{
    HKEY key = nullptr;
    ASSERT_TRUE(ureg_OpenPrinterKey(handle, context, nullptr, &key));
    ureg_DeleteKeyTree(key, TEXT("Stamps"));
    RegCloseKey(key);
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
