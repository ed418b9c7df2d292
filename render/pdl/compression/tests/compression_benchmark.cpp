/*
 * Image compression throughput on a 2400 x 1600 photograph-like image (smooth shading,
 * edges and fine noise), 24-bit and its 8-bit grey version: the run coder, and our JPEG
 * path with the image spill file. Each has a peer ("_Peer", paired by scripts/bench):
 * libjpeg-turbo compressing the same rows directly into memory with the same parameters
 * (quality 83, baseline, optimised Huffman). A memcpy of the same bytes is the floor.
 */
#include <benchmark/benchmark.h>
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include <vector>

#define XMD_H
#include <jpeglib.h>

#include "render/pdl/compression/jpeg_output.h"
#include "render/pdl/compression/run_coder.h"
#include "render/stream/temp_file.h"

namespace {

const DWORD kWidth = 2400, kHeight = 1600;

std::vector<BYTE> Photo(DWORD channels)
{
    std::vector<BYTE> b((size_t)kWidth * kHeight * channels);
    DWORD seed = 7;
    for (DWORD y = 0; y < kHeight; y++)
        for (DWORD x = 0; x < kWidth; x++) {
            seed = seed * 1664525u + 1013904223u;
            int noise = (int)(seed >> 29) - 4;
            int base = (int)((x * 3 + y * 2) / 25) % 200 + ((x / 300 + y / 200) % 2) * 40;
            for (DWORD c = 0; c < channels; c++) {
                int v = base + noise + (int)c * 17;
                b[((size_t)y * kWidth + x) * channels + c] = (BYTE)(v < 0 ? 0 : (v > 255 ? 255 : v));
            }
        }
    return b;
}

const std::vector<BYTE> &Image(DWORD channels)
{
    static const std::vector<BYTE> rgb = Photo(3), grey = Photo(1);
    return channels == 3 ? rgb : grey;
}

void RunCoder(benchmark::State &state, DWORD channels)
{
    const std::vector<BYTE> &source = Image(channels);
    std::vector<BYTE> data(source.size());
    TempJobFile spill = {};
    spl_InitTempFile(&spill, FALSE, NULL);
    for (auto _ : state) {
        state.PauseTiming();
        memcpy(data.data(), source.data(), source.size());
        state.ResumeTiming();
        DWORD length = (DWORD)data.size();
        BYTE method = 1;
        LONG r = rc_CompressImage(kWidth, &length, &spill, channels == 3 ? 4 : 3, kHeight, &method, data.data());
        benchmark::DoNotOptimize(r);
        state.counters["ratio"] = (double)length / (double)source.size();
    }
    spl_DeleteTempFile(&spill);
    state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)source.size());
}

void OurJpeg(benchmark::State &state, DWORD channels)
{
    const std::vector<BYTE> &source = Image(channels);
    std::vector<BYTE> data(source.size());
    TempJobFile spill = {};
    spl_InitTempFile(&spill, FALSE, NULL);
    for (auto _ : state) {
        state.PauseTiming();
        memcpy(data.data(), source.data(), source.size());
        state.ResumeTiming();
        DWORD length = (DWORD)data.size();
        BYTE method = 1, type = channels == 3 ? 4 : 3;
        LONG r = jpg_CompressImage(&type, &spill, kWidth, kHeight, &method, &length, data.data());
        benchmark::DoNotOptimize(r);
        state.counters["ratio"] = (double)length / (double)source.size();
    }
    spl_DeleteTempFile(&spill);
    state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)source.size());
}

// libjpeg-turbo alone: the same parameters into memory.
void LibjpegAlone(benchmark::State &state, DWORD channels)
{
    const std::vector<BYTE> &source = Image(channels);
    for (auto _ : state) {
        jpeg_compress_struct cinfo;
        jpeg_error_mgr err;
        cinfo.err = jpeg_std_error(&err);
        jpeg_create_compress(&cinfo);
        unsigned char *out = nullptr;
        unsigned long size = 0;
        jpeg_mem_dest(&cinfo, &out, &size);
        cinfo.image_width = kWidth;
        cinfo.image_height = kHeight;
        cinfo.input_components = (int)channels;
        cinfo.in_color_space = channels == 3 ? JCS_RGB : JCS_GRAYSCALE;
        jpeg_set_defaults(&cinfo);
        cinfo.optimize_coding = TRUE;
        jpeg_set_quality(&cinfo, 83, TRUE);
        jpeg_start_compress(&cinfo, TRUE);
        while (cinfo.next_scanline < cinfo.image_height) {
            JSAMPROW row = (JSAMPROW)source.data() + (size_t)cinfo.next_scanline * kWidth * channels;
            jpeg_write_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_compress(&cinfo);
        jpeg_destroy_compress(&cinfo);
        state.counters["ratio"] = (double)size / (double)source.size();
        free(out);
    }
    state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)source.size());
}

void Copy(benchmark::State &state, DWORD channels)
{
    const std::vector<BYTE> &source = Image(channels);
    std::vector<BYTE> data(source.size());
    for (auto _ : state) {
        memcpy(data.data(), source.data(), source.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)source.size());
}

void BM_RunCoderRgb(benchmark::State &s)
{
    RunCoder(s, 3);
}
void BM_RunCoderRgb_Peer(benchmark::State &s)
{
    LibjpegAlone(s, 3);
}
void BM_RunCoderGrey(benchmark::State &s)
{
    RunCoder(s, 1);
}
void BM_RunCoderGrey_Peer(benchmark::State &s)
{
    LibjpegAlone(s, 1);
}
void BM_JpegPathRgb(benchmark::State &s)
{
    OurJpeg(s, 3);
}
void BM_JpegPathRgb_Peer(benchmark::State &s)
{
    LibjpegAlone(s, 3);
}
void BM_JpegPathGrey(benchmark::State &s)
{
    OurJpeg(s, 1);
}
void BM_JpegPathGrey_Peer(benchmark::State &s)
{
    LibjpegAlone(s, 1);
}
void BM_MemcpyRgb(benchmark::State &s)
{
    Copy(s, 3);
}
void BM_MemcpyGrey(benchmark::State &s)
{
    Copy(s, 1);
}

BENCHMARK(BM_RunCoderRgb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunCoderRgb_Peer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunCoderGrey)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunCoderGrey_Peer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegPathRgb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegPathRgb_Peer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegPathGrey)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegPathGrey_Peer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemcpyRgb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemcpyGrey)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
