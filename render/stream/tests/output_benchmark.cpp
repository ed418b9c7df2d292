/*
 * Many command-sized writes through the stream into a spooler sink that drops the bytes:
 * the cost of the 2048-byte buffer on the hot path of the encoder.
 */
#include <windows.h>
#include <winspool.h>

#include <benchmark/benchmark.h>

#include <vector>

#include <qmhost.h>

#include "platform/testing/qm_testing.h"
#include "render/stream/output_stream.h"
#include "render/stream/tests/test_printer.h"

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("\\OUTPUT_BENCHMARK_LOG.txt");
}

static void BM_SmallWrites(benchmark::State &state)
{
    output_test::InstallPrinter();
    const WCHAR *name = output_test::kPrinterName;
    HANDLE printer = NULL;
    OpenPrinterW((LPWSTR)name, &printer, NULL);
    DOC_INFO_1W doc = {(LPWSTR)TEXT("bench"), NULL, (LPWSTR)TEXT("RAW")};
    StartDocPrinterW(printer, 1, (LPBYTE)&doc);
    qmt_SpoolerDiscardWrites(TRUE);
    OutputStream *stream = spl_CreateStream(NULL);
    spl_OpenSpoolerChannel(stream, printer);
    const DWORD size = (DWORD)state.range(0);
    std::vector<BYTE> command(size, 0x5A);
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i)
            benchmark::DoNotOptimize(spl_WriteStream(stream, size, command.data()));
    }
    state.SetBytesProcessed((int64_t)state.iterations() * 1000 * size);
    spl_DestroyStream(stream);
    qmt_SpoolerDiscardWrites(FALSE);
    EndDocPrinter(printer);
    ClosePrinter(printer);
    qmh_DeletePrinter(name);
}
BENCHMARK(BM_SmallWrites)->Arg(3)->Arg(9)->Arg(40);

BENCHMARK_MAIN();
