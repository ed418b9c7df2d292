/*
 * What the two fuzz entries of the stored settings share: the sample printer, installed
 * once per process with its context, and the trace log name of their programs.
 */
#ifndef QM_CORE_STORED_TESTS_FUZZ_STORED_FUZZ_FIXTURE_H
#define QM_CORE_STORED_TESTS_FUZZ_STORED_FUZZ_FIXTURE_H

#include <windows.h>

#include "core/context/driver_context.h"
#include "core/stored/stored.h"
#include "core/util/module.h"
#include "testing/fuzz/fuzz_support.h"

/* The trace log of these programs, should a configuration turn the trace on. */
extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("\\stored_fuzz.log");
}

namespace stored_fuzz {

struct Fixture {
    HANDLE printer; /* opened with PRINTER_ALL_ACCESS */
    DriverContext *context;
};

/* The sample printer and its context, made on the first call (target: the caller's name
 * for failures). */
inline const Fixture *TheFixture(const char *target)
{
    static Fixture fixture = {};
    if (fixture.context)
        return &fixture;
    HMODULE module = fuzz_LoadModuleCopy(QM_SAMPLE_RESOURCE_MODULE, TEXT("qm50c1.xrs"));
    if (!module)
        fuzz_Fail(target, "the resource module could not be loaded");
    util_SetModuleHandle((HINSTANCE)module);
    CreateDirectoryW(TEXT("C:\\fuzz"), NULL);
    fixture.printer = fuzz_InstallPrinter(TEXT("QM Stored"), QM_SAMPLE_MODEL);
    fixture.context = fixture.printer ? ddd_OpenContext(fixture.printer) : NULL;
    if (!fixture.context)
        fuzz_Fail(target, "the sample printer could not be installed");
    /* The context keeps what its first reads make (text scratch, resource module): made
     * here, before any input is counted. */
    PrinterDataBlock block;
    pd_LoadPrinterData(fixture.printer, &block, fixture.context);
    return &fixture;
}

} // namespace stored_fuzz

#endif
