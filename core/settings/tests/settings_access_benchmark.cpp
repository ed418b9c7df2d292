/*
 * Settings access on the hot path: reads and writes through the wrappers for a row of
 * the first range, the last row of the longest list, an on/off bit and a string. The
 * global heap's live blocks are counted around each run: these paths never allocate.
 */
#include <benchmark/benchmark.h>

#include "core/settings/settings.h"
#include "platform/testing/qm_testing.h"

namespace {

struct Target {
    WORD fid;
    WORD type;
    DWORD size;
};

/* 257 first range, 8215 last of the 297-row list, 4640 a bit, 5121 a string. */
const Target kTargets[] = {{257, VT_WORD, 2}, {8215, VT_WORD, 2}, {4640, VT_LONG, 4}, {5121, VT_STRING, 12}};

void CheckNoAllocation(benchmark::State &state, DWORD before)
{
    DWORD after = qmt_LiveGlobalBlocks();
    state.counters["heap_blocks_added"] = (double)(after - before);
    if (after != before)
        state.SkipWithError("settings access allocated memory");
}

void BM_GetFunctionValue(benchmark::State &state)
{
    const Target &t = kTargets[state.range(0)];
    DriverDevmode *dm = dm_AllocDevmode(0);
    PrinterDataBlock *block = (PrinterDataBlock *)GlobalAlloc(GPTR, sizeof(PrinterDataBlock));
    DWORD before = qmt_LiveGlobalBlocks();
    for (auto _ : state) {
        WORD type;
        DWORD size;
        DWORD_PTR value;
        benchmark::DoNotOptimize(dma_GetFunctionValue(t.fid, dm, block, &type, &size, &value));
        benchmark::DoNotOptimize(value);
    }
    CheckNoAllocation(state, before);
    GlobalFree(block);
    GlobalFree(dm);
}

void BM_SetFunctionValue(benchmark::State &state)
{
    const Target &t = kTargets[state.range(0)];
    DriverDevmode *dm = dm_AllocDevmode(0);
    PrinterDataBlock *block = (PrinterDataBlock *)GlobalAlloc(GPTR, sizeof(PrinterDataBlock));
    const WCHAR *text = TEXT("Queue");
    DWORD number = 1;
    const void *value = t.type == VT_STRING ? (const void *)&text : (const void *)&number;
    DWORD before = qmt_LiveGlobalBlocks();
    for (auto _ : state)
        benchmark::DoNotOptimize(dma_SetFunctionValue(t.fid, dm, block, t.type, t.size, value));
    CheckNoAllocation(state, before);
    GlobalFree(block);
    GlobalFree(dm);
}

BENCHMARK(BM_GetFunctionValue)->DenseRange(0, 3);
BENCHMARK(BM_SetFunctionValue)->DenseRange(0, 3);

}  // namespace

BENCHMARK_MAIN();
