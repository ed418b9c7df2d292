/*
 * Writer throughput into a discarding sink: a 1,000-point relative path, attribute
 * changes missing and hitting the cache, 64-character text runs and a colour image
 * with 1 MB of raw data. The cache-hit case also counts its bytes: a hit writes none.
 */
#include "render/driver/pdev/pdev.h"
#include "render/pdl/writer/pdl_writer.h"
#include "render/pdl/writer/tests/test_images.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("render_writer_benchmark.log");
}

namespace {

// Discarding sink shaped like the output stream: small writes are gathered in a
// 2048-byte buffer (emptied when full), larger ones pass unbuffered.
struct DiscardSink {
    BYTE buffer[2048];
    DWORD fill = 0;
    unsigned long long bytes = 0;
    unsigned long long writes = 0;
};

DiscardSink g_sink;

// A writer over a PDEV with zeroed settings whose stream is the discarding sink.
struct BenchWriter {
    PDEV *pdev;
    PrinterDataBlock *block;
    PdlWriter *writer;

    BenchWriter()
    {
        pdev = (PDEV *)calloc(1, sizeof(PDEV));
        block = (PrinterDataBlock *)calloc(1, sizeof(PrinterDataBlock));
        pdev->printerData = block;
        pdev->job.stream = reinterpret_cast<OutputStream *>(&g_sink);
        writer = pdl_CreateWriter(pdev->job.stream, &pdev->devmode, pdev->printerData, 0);
    }
    ~BenchWriter()
    {
        pdl_DestroyWriter(writer);
        free(block);
        free(pdev);
    }
};

void Report(benchmark::State &state, unsigned long long before, int64_t commands)
{
    state.SetBytesProcessed((int64_t)(g_sink.bytes - before));
    state.SetItemsProcessed((int64_t)state.iterations() * commands);
}

void BM_RelativePath1000Points(benchmark::State &state)
{
    BenchWriter w;
    std::vector<POINTFIX> points(1000);
    LONG x = 100;
    LONG y = 200;
    for (size_t i = 0; i < points.size(); ++i) {
        x += (LONG)((i * 37) % 300) - 150;
        y += (LONG)((i * 53) % 200) - 100;
        points[i] = POINTFIX{x * 16, y * 16};
    }
    POINTFIX start = {100 * 16, 200 * 16};
    unsigned long long before = g_sink.bytes;
    for (auto _ : state) {
        pdl_BeginPath(w.writer);
        pdl_MoveTo(w.writer, &start);
        pdl_LineTo(w.writer, (DWORD)points.size(), points.data());
        pdl_PaintPath(w.writer);
    }
    Report(state, before, 4);
}
BENCHMARK(BM_RelativePath1000Points);

// Every call changes its attribute, so every call writes.
void BM_AttributesMissingTheCache(benchmark::State &state)
{
    BenchWriter w;
    const BYTE colors[2][3] = {{0x10, 0x20, 0x30}, {0x40, 0x50, 0x60}};
    int turn = 0;
    unsigned long long before = g_sink.bytes;
    for (auto _ : state) {
        turn ^= 1;
        pdl_SetLineWidth(w.writer, turn ? 3.0f : 0.5f);
        pdl_SetLineCap(w.writer, turn ? 2 : 1);
        pdl_SetLineJoin(w.writer, turn ? 1 : 3);
        pdl_SetFillRule(w.writer, turn ? 2 : 1);
        pdl_SetPaintMode(w.writer, turn ? 3 : 2);
        pdl_SetRop(w.writer, 1, turn ? 0xCC : 0xF0);
        pdl_SetColor(w.writer, 2, 4, colors[turn]);
    }
    Report(state, before, 7);
}
BENCHMARK(BM_AttributesMissingTheCache);

// Every call repeats the cached value: nothing is written.
void BM_AttributesHittingTheCache(benchmark::State &state)
{
    BenchWriter w;
    const BYTE color[3] = {0x10, 0x20, 0x30};
    pdl_SetLineWidth(w.writer, 3.0f);
    pdl_SetLineCap(w.writer, 2);
    pdl_SetRop(w.writer, 1, 0xCC);
    pdl_SetColor(w.writer, 2, 4, color);
    unsigned long long writes = g_sink.writes;
    for (auto _ : state) {
        pdl_SetLineWidth(w.writer, 3.0f);
        pdl_SetLineCap(w.writer, 2);
        pdl_SetRop(w.writer, 1, 0xCC);
        pdl_SetColor(w.writer, 2, 4, color);
    }
    state.counters["writes"] = (double)(g_sink.writes - writes);
    state.SetItemsProcessed((int64_t)state.iterations() * 4);
    if (g_sink.writes != writes) {
        state.SkipWithError("a cache hit wrote to the stream");
    }
}
BENCHMARK(BM_AttributesHittingTheCache);

void BM_Text64Characters(benchmark::State &state)
{
    BenchWriter w;
    WORD codes[64];
    float advances[63];
    for (int i = 0; i < 64; ++i) {
        codes[i] = (WORD)(0x41 + i % 26);
    }
    for (int i = 0; i < 63; ++i) {
        advances[i] = (float)(20 + i % 3);
    }
    const float one = 21.0f;
    unsigned long long before = g_sink.bytes;
    for (auto _ : state) {
        pdl_WriteText(w.writer, 100.0f, 200.0f, 64, 0, codes, &one);
        pdl_WriteText(w.writer, 100.0f, 240.0f, 64, 1, codes, advances);
    }
    Report(state, before, 2);
}
BENCHMARK(BM_Text64Characters);

void BM_ImageOneMegabyte(benchmark::State &state)
{
    BenchWriter w;
    std::vector<BYTE> data(1 << 20, 0x5A);
    ImageHeader h = writer_test::RgbImageHeader(0.0f, 0.0f, 512, 683);
    h.dataBytes = (DWORD)data.size();
    unsigned long long before = g_sink.bytes;
    for (auto _ : state) {
        pdl_WriteImage(w.writer, &h);
        pdl_WriteRawData(w.writer, data.data(), h.dataBytes);
    }
    Report(state, before, 1);
}
BENCHMARK(BM_ImageOneMegabyte);

} // namespace

LONG spl_WriteStream(OutputStream *stream, DWORD length, const BYTE *bytes)
{
    DiscardSink *sink = reinterpret_cast<DiscardSink *>(stream);
    if (sink == nullptr || (bytes == nullptr && length > 0)) {
        return -1;
    }
    sink->bytes += length;
    sink->writes += 1;
    if (sink->fill + length <= sizeof sink->buffer) {
        std::memcpy(sink->buffer + sink->fill, bytes, length);
        sink->fill += length;
        return (LONG)length;
    }
    sink->fill = 0;
    benchmark::DoNotOptimize(bytes[length - 1]);
    return (LONG)length;
}

BENCHMARK_MAIN();
