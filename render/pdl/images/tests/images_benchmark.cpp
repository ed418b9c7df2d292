/*
 * Image output throughput on a 24-bit 2400 x 1600 image: the row conversion with an
 * identity translation (rows copied) and with a swapping one (each pixel's bytes
 * reversed), and the quarter turn of a sideways page. Each has a peer ("_Peer", paired by
 * scripts/bench): memcpy of the same bytes in the same run.
 */
#include <benchmark/benchmark.h>
#include <windows.h>
#include <winddi.h>

#include <string.h>

#include <vector>

#include "platform/testing/qm_testing_engine.h"
#include "render/pdl/images/raster_image.h"
#include "render/pdl/images/row_convert.h"

namespace {

const LONG kWidth = 2400, kHeight = 1600;

SURFOBJ *Source()
{
    static SURFOBJ *pso = [] {
        SURFOBJ *made = qmt_EngineBitmap(kWidth, kHeight, BMF_24BPP, TRUE);
        DWORD seed = 7;
        for (LONG y = 0; y < kHeight; ++y) {
            BYTE *row = (BYTE *)made->pvScan0 + (LONG_PTR)y * made->lDelta;
            for (LONG x = 0; x < kWidth * 3; ++x) {
                seed = seed * 1664525u + 1013904223u;
                row[x] = (BYTE)((x + y) / 7 + (seed >> 30));
            }
        }
        return made;
    }();
    return pso;
}

void Convert(benchmark::State &state, XLATEOBJ *pxlo)
{
    SURFOBJ *pso = Source();
    for (auto _ : state) {
        ConvertedRows rows;
        if (img_ConvertRows(pso, 0, 0, kWidth, kHeight, pxlo, IMG_ROWS_COLOUR, nullptr, 1, &rows) != 0) {
            state.SkipWithError("conversion failed");
            break;
        }
        benchmark::DoNotOptimize(rows.data);
        img_FreeRows(&rows);
    }
    state.SetBytesProcessed((int64_t)state.iterations() * kWidth * kHeight * 3);
}

void Copy(benchmark::State &state)
{
    SURFOBJ *pso = Source();
    std::vector<BYTE> out((size_t)kWidth * kHeight * 3);
    for (auto _ : state) {
        for (LONG y = 0; y < kHeight; ++y)
            memcpy(out.data() + (size_t)y * kWidth * 3,
                   (BYTE *)pso->pvScan0 + (LONG_PTR)y * pso->lDelta,
                   (size_t)kWidth * 3);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed((int64_t)state.iterations() * kWidth * kHeight * 3);
}

void BM_ConvertRowsIdentity(benchmark::State &state)
{
    XLATEOBJ *pxlo = qmt_EngineXlateTrivial();
    Convert(state, pxlo);
    qmt_EngineFreeXlate(pxlo);
}
BENCHMARK(BM_ConvertRowsIdentity)->Unit(benchmark::kMillisecond);

void BM_ConvertRowsIdentity_Peer(benchmark::State &state)
{
    Copy(state);
}
BENCHMARK(BM_ConvertRowsIdentity_Peer)->Unit(benchmark::kMillisecond);

void BM_ConvertRowsSwap(benchmark::State &state)
{
    XLATEOBJ *pxlo = qmt_EngineXlateColors(PAL_BGR, 0, 0, 0, PAL_RGB);
    Convert(state, pxlo);
    qmt_EngineFreeXlate(pxlo);
}
BENCHMARK(BM_ConvertRowsSwap)->Unit(benchmark::kMillisecond);

void BM_ConvertRowsSwap_Peer(benchmark::State &state)
{
    Copy(state);
}
BENCHMARK(BM_ConvertRowsSwap_Peer)->Unit(benchmark::kMillisecond);

void BM_Rotate90(benchmark::State &state)
{
    SURFOBJ *pso = Source();
    RotateBuffer *holder = img_CreateRotateBuffer();
    for (auto _ : state) {
        BYTE *rotated = nullptr;
        if (img_Rotate90(holder, kWidth, kHeight, (DWORD)pso->lDelta, 24, (const BYTE *)pso->pvScan0, 1, &rotated) !=
            0) {
            state.SkipWithError("not rotated");
            break;
        }
        benchmark::DoNotOptimize(rotated);
    }
    img_FreeRotateBuffer(holder);
    state.SetBytesProcessed((int64_t)state.iterations() * kWidth * kHeight * 3);
}
BENCHMARK(BM_Rotate90)->Unit(benchmark::kMillisecond);

void BM_Rotate90_Peer(benchmark::State &state)
{
    Copy(state);
}
BENCHMARK(BM_Rotate90_Peer)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
