/*
 * The run coder: tiny images against streams worked out by hand from the code tables,
 * round trips of synthetic images through the independent decoder, in memory and through
 * the spill file, the size threshold and the capacity bound.
 */
#include <gtest/gtest.h>
#include <windows.h>

#include <string.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/testing/qm_testing.h"
#include "render/pdl/compression/run_coder.h"
#include "render/stream/temp_file.h"
#include "tools/lumiq/run_decoder.h"

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("render_compression_tests.log");
}

namespace {

typedef std::vector<BYTE> Bytes;

// The whole stream of an image coded line by line (bits 8 or 24), with a roomy output.
Bytes Code(const Bytes &pixels, DWORD width, DWORD height, DWORD bits)
{
    RunCoder *c = rc_Create(width, height, bits);
    EXPECT_NE(c, nullptr);
    Bytes out(pixels.size() * 2 + 64);
    DWORD used = 0, row = width * bits / 8;
    for (DWORD y = 0; y < height; y++) {
        LONG n = rc_CompressLine(c, pixels.data() + (size_t)y * row, out.data() + used, (DWORD)out.size() - used);
        EXPECT_GE(n, 0);
        used += (DWORD)n;
    }
    LONG n = rc_Finish(c, out.data() + used, (DWORD)out.size() - used);
    EXPECT_GE(n, 0);
    out.resize(used + (DWORD)n);
    return out;
}

Bytes Decode(const Bytes &coded, DWORD width, DWORD height, DWORD bpp)
{
    Bytes pixels;
    EXPECT_TRUE(lumiq::DecodeRunCoded(coded.data(), coded.size(), width, height, bpp, &pixels));
    return pixels;
}

std::string Hex(const Bytes &b)
{
    std::string s;
    char t[4];
    for (BYTE v : b) {
        snprintf(t, sizeof t, "%02X", v);
        s += t;
    }
    return s;
}

struct Synthetic {
    const char *name;
    DWORD width, height;
    std::function<BYTE(DWORD x, DWORD y, DWORD c)> value;
};

std::vector<Synthetic> Synthetics()
{
    return {
        {"all white", 300, 200, [](DWORD, DWORD, DWORD) { return (BYTE)0xFF; }},
        {"all zero", 300, 200, [](DWORD, DWORD, DWORD) { return (BYTE)0; }},
        {"gradient", 257, 40, [](DWORD x, DWORD y, DWORD c) { return (BYTE)(x + y * 3 + c * 40); }},
        {"noise",
         97,
         61,
         [](DWORD x, DWORD y, DWORD c) { return (BYTE)((x * 2654435761u + y * 40503u + c * 977u) >> 13); }},
        {"width 1", 1, 500, [](DWORD, DWORD y, DWORD) { return (BYTE)(y / 7); }},
        {"vertical stripes", 120, 50, [](DWORD x, DWORD, DWORD c) { return (BYTE)((x / 3) % 2 ? 0x20 + c : 0xE0); }},
        {"runs across line ends",
         13,
         400,
         [](DWORD x, DWORD y, DWORD) { return (BYTE)(((y * 13 + x) / 31) % 3 * 60); }},
        {"one colour", 64, 64, [](DWORD x, DWORD y, DWORD c) { return (BYTE)(x == 10 && y == 20 ? 0x40 + c : 0xFF); }},
        {"17057 pixels", 17057, 2, [](DWORD x, DWORD y, DWORD) { return (BYTE)(y == 1 && x == 17056 ? 9 : 0x80); }},
        {"17058 pixels", 17058, 2, [](DWORD x, DWORD y, DWORD) { return (BYTE)(y == 1 && x > 17055 ? 9 : 0x80); }},
    };
}

Bytes Make(const Synthetic &s, DWORD channels)
{
    Bytes b;
    for (DWORD y = 0; y < s.height; y++)
        for (DWORD x = 0; x < s.width; x++)
            for (DWORD c = 0; c < channels; c++)
                b.push_back(s.value(x, y, c));
    return b;
}

} // namespace

TEST(RunCoder, HandWorkedStreams)
{
    // One white RGB pixel: a run of 1 by reference 0 (token 1 "0", length "00"), then
    // escape "11111", "111" and five 1 bits.
    EXPECT_EQ(Hex(Code({0xFF, 0xFF, 0xFF}, 1, 1, 24)), "1FFF");
    // 3 x 2 grey: row 0 (0 0 7): run of 2 by reference 0 "0" "010", literal "10" +7 "100 0 11";
    // row 1 (0 7 7): run of 2 by reference 3 (index 4) "11101" "010", then a run of 1 by
    // reference 0 (index 2 - 1) carried to the end "0" "00"; escape, "111", one 1 bit.
    EXPECT_EQ(Hex(Code({0, 0, 7, 0, 7, 7}, 3, 2, 8)), "2A3EA1FF");
    // 17058 equal grey pixels: 17057 "0" "111111" + 14 ones, then 1 with token 1 "0" "00".
    EXPECT_EQ(Hex(Code(Bytes(17058, 0), 17058, 1, 8)), "7FFFF8FF");
    EXPECT_EQ(Decode(Code({0, 0, 7, 0, 7, 7}, 3, 2, 8), 3, 2, 1), (Bytes{0, 0, 7, 0, 7, 7}));
    EXPECT_EQ(Decode(Code(Bytes(17058, 0), 17058, 1, 8), 17058, 1, 1), Bytes(17058, 0));
}

TEST(RunCoder, SyntheticImagesRoundTrip)
{
    for (const Synthetic &s : Synthetics())
        for (DWORD bits : {8u, 24u}) {
            if (s.width * (bits == 8 ? 1 : 4) + 20 > 0xFFFF)
                continue; // no coder for such a line
            Bytes pixels = Make(s, bits / 8);
            Bytes coded = Code(pixels, s.width, s.height, bits);
            Bytes back;
            ASSERT_TRUE(lumiq::DecodeRunCoded(coded.data(), coded.size(), s.width, s.height, bits / 8, &back))
                << s.name << " " << bits;
            EXPECT_TRUE(back == pixels) << s.name << " " << bits;
        }
}

// The all-white RGB image is one reference-0 run carried over every line: its stream is
// the run's pieces (each further piece token 1) and the closing code.
TEST(RunCoder, AllWhiteIsOneCarriedRun)
{
    const DWORD w = 300, h = 200; // 60000 pixels: 17057 x 3 + 8829
    Bytes coded = Code(Bytes(w * h * 3, 0xFF), w, h, 24);
    // Four pieces: token "0", "111111" + 14 bits each; the closing "11111" "111".
    size_t bits = 4 * (1 + 6 + 14) + 8;
    EXPECT_EQ(coded.size(), (bits + 7) / 8);
}

TEST(RunCoder, ImagesInMemoryAndThroughTheSpillFile)
{
    TempJobFile spill = {};
    spl_InitTempFile(&spill, FALSE, NULL);
    for (const Synthetic &s : Synthetics())
        for (DWORD type : {3u, 4u})
            for (bool memoryShort : {false, true}) {
                Bytes pixels = Make(s, type == 4 ? 3 : 1);
                if (s.width * (type == 4 ? 4 : 1) + 20 > 0xFFFF) {
                    DWORD length = (DWORD)pixels.size();
                    BYTE method = 1;
                    EXPECT_EQ(rc_CompressImage(s.width, &length, &spill, type, s.height, &method, pixels.data()),
                              RC_NO_CODER);
                    continue;
                }
                Bytes data = pixels;
                DWORD length = (DWORD)data.size();
                BYTE method = 1;
                if (memoryShort)
                    qmt_FailAllocations(1, 1); // the coder, then no scratch copy
                LONG result = rc_CompressImage(s.width, &length, &spill, type, s.height, &method, data.data());
                qmt_FailAllocations(0, 0);
                if (result == RC_NOT_SMALLER) {
                    EXPECT_EQ(method, 1);
                    EXPECT_EQ(length, pixels.size());
                    EXPECT_TRUE(data == pixels) << s.name;
                    continue;
                }
                ASSERT_EQ(result, RC_DONE) << s.name << " type " << type << " short " << memoryShort;
                EXPECT_EQ(method, 8);
                EXPECT_LT(length, pixels.size());
                Bytes back;
                ASSERT_TRUE(lumiq::DecodeRunCoded(data.data(), length, s.width, s.height, type == 4 ? 3 : 1, &back))
                    << s.name;
                EXPECT_TRUE(back == pixels) << s.name << " type " << type << " short " << memoryShort;
            }
    EXPECT_EQ(spl_IsTempFileOpen(&spill), 1); // the memory-short runs went through it
    spl_DeleteTempFile(&spill);
}

TEST(RunCoder, OutputNeverPassesItsCapacity)
{
    Synthetic noise = Synthetics()[3]; // noise
    Bytes pixels = Make(noise, 3);
    Bytes data = pixels;
    DWORD length = (DWORD)data.size();
    BYTE method = 1;
    EXPECT_EQ(rc_CompressImage(noise.width, &length, nullptr, 4, noise.height, &method, data.data()), RC_NOT_SMALLER);
    EXPECT_TRUE(data == pixels);
    EXPECT_EQ(method, 1);
    // A line into a tiny buffer fails and the coder stays failed.
    RunCoder *c = rc_Create(noise.width, 0, 24);
    BYTE small[4];
    EXPECT_LT(rc_CompressLine(c, pixels.data(), small, sizeof small), 0);
    EXPECT_LT(rc_CompressLine(c, pixels.data(), small, sizeof small), 0);
    EXPECT_EQ(rc_Finish(c, small, sizeof small), -1);
    // More lines than announced.
    c = rc_Create(4, 1, 8);
    BYTE out[64];
    EXPECT_GE(rc_CompressLine(c, pixels.data(), out, sizeof out), 0);
    EXPECT_LT(rc_CompressLine(c, pixels.data(), out, sizeof out), 0);
    rc_Finish(c, nullptr, 0);
    EXPECT_EQ(rc_Create(65535 - 19, 0, 8), nullptr);
    EXPECT_EQ(rc_Create(10, 0, 16), nullptr);
}
