/*
 * Settings access on the hot path: reads and writes through the wrappers for a row of
 * the first range, the last row of the longest list, an on/off bit and a string. The
 * global heap's live blocks are counted around each run: these paths never allocate.
 *
 * Each has a peer ("_Peer", paired by scripts/bench): a plain read or write of the same
 * bytes at the same place, found once before the loop. It is the floor: what an access
 * costs without the lookup by FunctionID and the checks.
 */
#include <benchmark/benchmark.h>

#include <cstring>

#include "core/settings/settings.h"
#include "platform/testing/qm_testing.h"

namespace {

struct Target {
    WORD fid;
    WORD type;
    DWORD size;
    const char *label;
};

/* 257 first range, 8215 last of the 297-row list, 4640 a bit, 5121 a string. */
const Target kTargets[] = {
    {257, VT_WORD, 2, "257 first range"},
    {8215, VT_WORD, 2, "8215 last of 297 rows"},
    {4640, VT_LONG, 4, "4640 on/off bit"},
    {5121, VT_STRING, 12, "5121 string"},
};

void CheckNoAllocation(benchmark::State &state, DWORD before)
{
    DWORD after = qmt_LiveGlobalBlocks();
    state.counters["heap_blocks_added"] = (double)(after - before);
    if (after != before)
        state.SkipWithError("settings access allocated memory");
}

/* The bytes the peers read and write: the setting's place, its width (the string: its
 * bytes with terminator) and, for an on/off setting, its bit in the holding word. */
struct PlainPlace {
    BYTE *at;
    DWORD width;
    DWORD mask;
};

PlainPlace FindPlace(const Target &t, DriverDevmode *dm, PrinterDataBlock *block)
{
    WORD kind = 0;
    const SettingLocation *row = dma_FindSettingRow(t.fid, &kind);
    PlainPlace place = {nullptr, t.size, 0};
    if (row == nullptr)
        return place;
    BYTE *area = kind == SK_PRINTER_DATA ? block->bytes : kind == SK_SECOND_PART ? dm->second.bytes : (BYTE *)dm;
    place.at = area + row->offset;
    if (dma_GetFlagMask(t.fid, &place.mask))
        place.width = 4;
    return place;
}

/* A copy of width bytes as the compiler writes a plain load or store of that width. */
inline void PlainCopy(void *to, const void *from, DWORD width)
{
    switch (width) {
    case 2: std::memcpy(to, from, 2); break;
    case 4: std::memcpy(to, from, 4); break;
    default: std::memcpy(to, from, width); break;
    }
}

void BM_GetFunctionValue(benchmark::State &state)
{
    const Target &t = kTargets[state.range(0)];
    state.SetLabel(t.label);
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
    state.SetItemsProcessed((int64_t)state.iterations());
    CheckNoAllocation(state, before);
    GlobalFree(block);
    GlobalFree(dm);
}

void BM_GetFunctionValue_Peer(benchmark::State &state)
{
    const Target &t = kTargets[state.range(0)];
    state.SetLabel(t.label);
    DriverDevmode *dm = dm_AllocDevmode(0);
    PrinterDataBlock *block = (PrinterDataBlock *)GlobalAlloc(GPTR, sizeof(PrinterDataBlock));
    PlainPlace place = FindPlace(t, dm, block);
    if (place.at == nullptr)
        state.SkipWithError("no location row");
    for (auto _ : state) {
        BYTE value[16];
        benchmark::DoNotOptimize(place.at);
        PlainCopy(value, place.at, place.width);
        if (place.mask != 0) {
            DWORD word;
            std::memcpy(&word, value, 4);
            word = (word & place.mask) != 0;
            std::memcpy(value, &word, 4);
        }
        benchmark::DoNotOptimize(value);
    }
    state.SetItemsProcessed((int64_t)state.iterations());
    GlobalFree(block);
    GlobalFree(dm);
}

void BM_SetFunctionValue(benchmark::State &state)
{
    const Target &t = kTargets[state.range(0)];
    state.SetLabel(t.label);
    DriverDevmode *dm = dm_AllocDevmode(0);
    PrinterDataBlock *block = (PrinterDataBlock *)GlobalAlloc(GPTR, sizeof(PrinterDataBlock));
    const WCHAR *text = TEXT("Queue");
    DWORD number = 1;
    const void *value = t.type == VT_STRING ? (const void *)&text : (const void *)&number;
    DWORD before = qmt_LiveGlobalBlocks();
    for (auto _ : state)
        benchmark::DoNotOptimize(dma_SetFunctionValue(t.fid, dm, block, t.type, t.size, value));
    state.SetItemsProcessed((int64_t)state.iterations());
    CheckNoAllocation(state, before);
    GlobalFree(block);
    GlobalFree(dm);
}

void BM_SetFunctionValue_Peer(benchmark::State &state)
{
    const Target &t = kTargets[state.range(0)];
    state.SetLabel(t.label);
    DriverDevmode *dm = dm_AllocDevmode(0);
    PrinterDataBlock *block = (PrinterDataBlock *)GlobalAlloc(GPTR, sizeof(PrinterDataBlock));
    PlainPlace place = FindPlace(t, dm, block);
    if (place.at == nullptr)
        state.SkipWithError("no location row");
    const WCHAR text[] = TEXT("Queue");
    DWORD number = 1;
    const void *value = t.type == VT_STRING ? (const void *)text : (const void *)&number;
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        if (place.mask != 0) {
            DWORD word;
            std::memcpy(&word, place.at, 4);
            word = number != 0 ? (word | place.mask) : (word & ~place.mask);
            std::memcpy(place.at, &word, 4);
        } else {
            PlainCopy(place.at, value, place.width);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed((int64_t)state.iterations());
    GlobalFree(block);
    GlobalFree(dm);
}

BENCHMARK(BM_GetFunctionValue)->DenseRange(0, 3);
BENCHMARK(BM_GetFunctionValue_Peer)->DenseRange(0, 3);
BENCHMARK(BM_SetFunctionValue)->DenseRange(0, 3);
BENCHMARK(BM_SetFunctionValue_Peer)->DenseRange(0, 3);

} // namespace

BENCHMARK_MAIN();
