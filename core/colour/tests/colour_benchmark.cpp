/*
 * Colour table throughput on one megapixel (3-byte pixels): the profile transform in
 * table and in matrix mode, the adjust matrix and the grey pair. Each has a peer
 * ("_Peer", paired by scripts/bench): Little CMS transforming the same pixels from the
 * same profile to sRGB in the same run.
 */
#include <benchmark/benchmark.h>
#include <windows.h>

#include <vector>

#include "core/colour/colour_tables.h"
#include "core/colour/tests/lcms_profiles.h"

namespace {

const DWORD kPixels = 1024 * 1024;

std::vector<BYTE> Pixels()
{
    std::vector<BYTE> b((size_t)kPixels * 3);
    DWORD s = 3;
    for (BYTE &v : b) {
        s = s * 1664525u + 1013904223u;
        v = (BYTE)(s >> 24);
    }
    return b;
}

const std::vector<BYTE> &Source()
{
    static const std::vector<BYTE> source = Pixels();
    return source;
}

// Our transform of a Little CMS profile, loaded through a file of the platform root.
ProfileTransform *Loaded(bool table)
{
    static ProfileTransform transforms[2];
    static bool loaded[2];
    ProfileTransform *t = &transforms[table ? 1 : 0];
    if (!loaded[table ? 1 : 0]) {
        std::vector<unsigned char> bytes =
            lcms_fixture::Save(table ? lcms_fixture::TableProfile() : lcms_fixture::MatrixProfile());
        HANDLE h = CreateFileW(
            TEXT("C:\\bench.icc"), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD done = 0;
        WriteFile(h, bytes.data(), (DWORD)bytes.size(), &done, nullptr);
        CloseHandle(h);
        clr_LoadProfile(t, "C:\\bench.icc");
        loaded[table ? 1 : 0] = true;
    }
    return t;
}

void Ours(benchmark::State &state, bool table)
{
    ProfileTransform *t = Loaded(table);
    std::vector<BYTE> out(Source().size());
    for (auto _ : state)
        clr_ApplyProfile(t, Source().data(), out.data(), kPixels);
    state.SetItemsProcessed((int64_t)state.iterations() * kPixels);
}

void Theirs(benchmark::State &state, bool table)
{
    cmsHPROFILE in = table ? lcms_fixture::TableProfile() : lcms_fixture::MatrixProfile();
    cmsHPROFILE out = cmsCreate_sRGBProfile();
    cmsHTRANSFORM t = cmsCreateTransform(in, TYPE_BGR_8, out, TYPE_BGR_8, INTENT_RELATIVE_COLORIMETRIC, 0);
    std::vector<BYTE> result(Source().size());
    for (auto _ : state)
        cmsDoTransform(t, Source().data(), result.data(), kPixels);
    cmsDeleteTransform(t);
    cmsCloseProfile(in);
    cmsCloseProfile(out);
    state.SetItemsProcessed((int64_t)state.iterations() * kPixels);
}

void BM_ProfileTable(benchmark::State &s)
{
    Ours(s, true);
}
void BM_ProfileTable_Peer(benchmark::State &s)
{
    Theirs(s, true);
}
void BM_ProfileMatrix(benchmark::State &s)
{
    Ours(s, false);
}
void BM_ProfileMatrix_Peer(benchmark::State &s)
{
    Theirs(s, false);
}
void BM_AdjustMatrix(benchmark::State &state)
{
    ColorAdjustMatrix m;
    clr_BuildAdjustMatrix(&m, 10, 20, 30);
    std::vector<BYTE> out(Source().size());
    for (auto _ : state)
        clr_ApplyAdjustMatrix(&m, Source().data(), out.data(), kPixels);
    state.SetItemsProcessed((int64_t)state.iterations() * kPixels);
}
void BM_AdjustMatrix_Peer(benchmark::State &s)
{
    Theirs(s, false);
}
void BM_GreyPair(benchmark::State &state)
{
    GreyAdjustPair p;
    clr_BuildGreyPair(&p, 10, 30);
    std::vector<BYTE> out(Source().size());
    for (auto _ : state)
        clr_ApplyGreyPair(&p, Source().data(), out.data(), kPixels * 3);
    state.SetItemsProcessed((int64_t)state.iterations() * kPixels * 3);
}
void BM_GreyPair_Peer(benchmark::State &s)
{
    Theirs(s, false);
}

BENCHMARK(BM_ProfileTable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProfileTable_Peer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProfileMatrix)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProfileMatrix_Peer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AdjustMatrix)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AdjustMatrix_Peer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GreyPair)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GreyPair_Peer)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
