/*
 * Encoding throughput into a discarding sink: a 1,000-point relative path, attribute
 * commands, 64-character text runs and an image header with 1 MB of raw data.
 * The image has a peer ("_Peer", paired by scripts/bench): one memcpy of the same
 * megabyte into the same kind of destination, the floor of any path that hands bulk
 * data on.
 */
#include "render/encoder/lmq_encoder.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

// Discarding sink shaped like the output stream: small writes are gathered in a
// 2048-byte buffer (emptied when full), larger ones pass unbuffered and are copied once
// into the spool area, as the spooler takes them.
struct DiscardSink {
    BYTE buffer[2048];
    DWORD fill = 0;
    unsigned long long bytes = 0;
    std::vector<BYTE> spool;
};

DiscardSink g_sink;

OutputStream *SinkStream()
{
    return reinterpret_cast<OutputStream *>(&g_sink);
}

void BM_RelativePath1000Points(benchmark::State &state)
{
    std::vector<LONG> deltas(2000);
    for (size_t i = 0; i < deltas.size(); ++i)
        deltas[i] = (LONG)((i * 37) % 300) - 150;
    unsigned long long before = g_sink.bytes;
    for (auto _ : state) {
        lmq_CmdBA(SinkStream());
        lmq_CmdBB(SinkStream(), 100, 200);
        lmq_CmdB0(SinkStream(), 1000, deltas.data());
        lmq_CmdBD(SinkStream());
    }
    state.SetBytesProcessed((int64_t)(g_sink.bytes - before));
    state.SetItemsProcessed((int64_t)state.iterations() * 4);
}
BENCHMARK(BM_RelativePath1000Points);

void BM_AttributeCommands(benchmark::State &state)
{
    unsigned long long before = g_sink.bytes;
    for (auto _ : state) {
        lmq_CmdAD(SinkStream(), 3);
        lmq_CmdAE(SinkStream(), 2);
        lmq_CmdAF(SinkStream(), 1);
        lmq_CmdAJ(SinkStream(), 2);
        lmq_CmdAK(SinkStream(), 3);
        lmq_CmdAL(SinkStream(), 1, 0xCC);
        lmq_CmdAM(SinkStream(), 2, 4, 0x102030);
        lmq_CmdAd(SinkStream(), 0.5f);
    }
    state.SetBytesProcessed((int64_t)(g_sink.bytes - before));
    state.SetItemsProcessed((int64_t)state.iterations() * 8);
}
BENCHMARK(BM_AttributeCommands);

void BM_Text64Characters(benchmark::State &state)
{
    WORD codes[64];
    short advances[63];
    for (int i = 0; i < 64; ++i)
        codes[i] = (WORD)(0x41 + i % 26);
    for (int i = 0; i < 63; ++i)
        advances[i] = (short)(20 + i % 3);
    unsigned long long before = g_sink.bytes;
    for (auto _ : state) {
        lmq_CmdDC(SinkStream(), 100, 200, 21, 64, codes);
        lmq_CmdDD(SinkStream(), 100, 240, advances, 64, codes);
    }
    state.SetBytesProcessed((int64_t)(g_sink.bytes - before));
    state.SetItemsProcessed((int64_t)state.iterations() * 2);
}
BENCHMARK(BM_Text64Characters);

void BM_ImageOneMegabyte(benchmark::State &state)
{
    static const float placement[6] = {1, 0, 0, 1, 0, 0};
    std::vector<BYTE> data(1 << 20, 0x5A);
    unsigned long long before = g_sink.bytes;
    for (auto _ : state) {
        lmq_CmdCq(SinkStream(), 0, 0, placement, 512, 683, 1, 0, 2);
        lmq_CmdCqColorBlock(SinkStream(), 4, 0, 0, 0, nullptr, 0, 8, 1, (DWORD)data.size());
        lmq_WriteBytes(SinkStream(), data.data(), (DWORD)data.size());
    }
    state.SetBytesProcessed((int64_t)(g_sink.bytes - before));
    state.SetItemsProcessed((int64_t)state.iterations());
}
BENCHMARK(BM_ImageOneMegabyte);

void BM_ImageOneMegabyte_Peer(benchmark::State &state)
{
    std::vector<BYTE> data(1 << 20, 0x5A);
    std::vector<BYTE> spool(data.size());
    for (auto _ : state) {
        std::memcpy(spool.data(), data.data(), data.size());
        benchmark::DoNotOptimize(spool.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed((int64_t)(state.iterations() * data.size()));
    state.SetItemsProcessed((int64_t)state.iterations());
}
BENCHMARK(BM_ImageOneMegabyte_Peer);

} // namespace

LONG spl_WriteStream(OutputStream *stream, DWORD length, const BYTE *bytes)
{
    DiscardSink *sink = reinterpret_cast<DiscardSink *>(stream);
    if (sink == nullptr || (bytes == nullptr && length > 0))
        return -1;
    sink->bytes += length;
    if (sink->fill + length <= sizeof sink->buffer) {
        std::memcpy(sink->buffer + sink->fill, bytes, length);
        sink->fill += length;
        return (LONG)length;
    }
    sink->fill = 0;
    if (sink->spool.size() < length)
        sink->spool.resize(length);
    std::memcpy(sink->spool.data(), bytes, length);
    benchmark::DoNotOptimize(sink->spool.data());
    return (LONG)length;
}

BENCHMARK_MAIN();
