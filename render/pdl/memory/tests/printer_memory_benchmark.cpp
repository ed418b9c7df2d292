/*
 * Lookups and allocations of glyph-sized downloads on a few megabytes of printer memory:
 * the linear walks over the block list.
 */
#include <benchmark/benchmark.h>

#include <random>

#include "render/pdl/memory/printer_memory.h"

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("\\MEMORY_BENCHMARK_LOG.txt");
}

static void BM_GlyphDownloads(benchmark::State &state)
{
    PrinterMemory *memory = nullptr;
    mem_CreatePrinterMemory(&memory, (DWORD)state.range(0) * 1024 * 1024);
    std::mt19937 random(1);
    WORD next = 1;
    for (auto _ : state) {
        WORD key = (WORD)(1 + random() % 2000);
        DWORD at = 0;
        if (mem_FindDownload(memory, key, 0, 1, &at) != 0) {
            DWORD size = 64 + random() % 1500;
            benchmark::DoNotOptimize(mem_AllocateDownload(memory, key, 0, 1, &at, nullptr, size, TRUE));
            ++next;
        }
    }
    mem_DestroyPrinterMemory(memory);
}
BENCHMARK(BM_GlyphDownloads)->Arg(1)->Arg(4);

BENCHMARK_MAIN();
