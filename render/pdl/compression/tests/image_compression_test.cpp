/*
 * The choice of method, JPEG through libjpeg (read back with libjpeg), and the outside
 * component through a table of test entries.
 */
#include <gtest/gtest.h>
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include <vector>

#define XMD_H
#include <jpeglib.h>

#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_testing_text.h"
#include "render/pdl/compression/compress_component.h"
#include "render/pdl/compression/image_compression.h"
#include "render/pdl/compression/jpeg_output.h"
#include "render/pdl/compression/run_coder.h"
#include "render/stream/temp_file.h"

namespace {

typedef std::vector<BYTE> Bytes;

// A request over data with a spill file of its own.
struct Image {
    Bytes data;
    BYTE method = 1;
    BYTE colourType;
    DWORD length;
    CompressionRequest request;

    Image(BYTE type, BYTE bits, WORD width, WORD height, Bytes pixels, WORD requested, TempJobFile *spill)
        : data(std::move(pixels)), colourType(type), length((DWORD)data.size())
    {
        memset(&request, 0, sizeof request);
        request.enabled = 1;
        request.bits = bits;
        request.width = width;
        request.height = height;
        request.method = &method;
        request.requestedMethod = requested;
        request.colourType = &colourType;
        request.length = &length;
        request.spill = spill;
        request.ropKind = 2;
        request.ropCode = 204;
    }
};

Bytes Gradient(DWORD width, DWORD height, DWORD channels)
{
    Bytes b;
    for (DWORD y = 0; y < height; y++)
        for (DWORD x = 0; x < width; x++)
            for (DWORD c = 0; c < channels; c++)
                b.push_back((BYTE)(x * 2 + y + c * 50));
    return b;
}

Bytes Noise(size_t n)
{
    Bytes b(n);
    DWORD s = 12345;
    for (BYTE &v : b) {
        s = s * 1103515245u + 12345u;
        v = (BYTE)(s >> 16);
    }
    return b;
}

// The JPEG read back: width, height, components, baseline (a SOF0 marker), pixels.
struct Decoded {
    DWORD width = 0, height = 0, components = 0;
    bool baseline = false;
    Bytes pixels;
};

Decoded ReadJpeg(const BYTE *jpeg, DWORD size)
{
    Decoded d;
    for (DWORD i = 0; i + 1 < size; i++)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0)
            d.baseline = true;
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, jpeg, size);
    jpeg_read_header(&cinfo, TRUE);
    jpeg_start_decompress(&cinfo);
    d.width = cinfo.output_width;
    d.height = cinfo.output_height;
    d.components = (DWORD)cinfo.output_components;
    d.pixels.resize((size_t)d.width * d.height * d.components);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = d.pixels.data() + (size_t)cinfo.output_scanline * d.width * d.components;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return d;
}

double MeanError(const Bytes &a, const Bytes &b)
{
    double sum = 0;
    for (size_t i = 0; i < a.size(); i++)
        sum += abs(a[i] - b[i]);
    return sum / (double)a.size();
}

class CompressionTest : public testing::Test
{
protected:
    void SetUp() override
    {
        spl_InitTempFile(&spill_, FALSE, NULL);
    }
    void TearDown() override
    {
        spl_DeleteTempFile(&spill_);
        qmt_FailWrites(0, 0);
        qmt_FailCreateFile(NULL, 0);
        qmt_ResetMessageBoxes();
    }
    TempJobFile spill_ = {};
};

} // namespace

TEST_F(CompressionTest, ChoiceTable)
{
    struct Case {
        const char *name;
        WORD requested;
        BYTE type, bits, ropKind, ropCode;
        DWORD length;
        DWORD method;
    } cases[] = {
        {"run coder on RGB", 8, 4, 24, 2, 204, 3072, 8},
        {"run coder on grey", 8, 3, 8, 2, 204, 1024, 8},
        {"1023 bytes stay", 8, 3, 8, 2, 204, 1023, 1},
        {"run coder on 8-bit palette", 8, 11, 8, 2, 204, 2048, 8},
        {"1-bit palette with 8 goes to 7", 8, 11, 1, 2, 204, 2048, 7},
        {"4-bit palette with 8: none", 8, 11, 4, 2, 204, 2048, 1},
        {"JPEG on RGB", 4, 4, 24, 2, 204, 3072, 4},
        {"JPEG on grey palette", 4, 10, 8, 2, 204, 2048, 4},
        {"JPEG with another operation: run coder", 4, 4, 24, 1, 204, 3072, 8},
        {"JPEG with another code: run coder", 4, 4, 24, 2, 240, 3072, 8},
        {"JPEG on 8-bit colour palette: run coder", 4, 11, 8, 2, 204, 2048, 8},
        {"JPEG on 1-bit: 7", 4, 10, 1, 2, 204, 2048, 7},
        {"component mode 1", 7, 11, 1, 2, 204, 2048, 7},
        {"component mode 1 on grey: none", 7, 3, 8, 2, 204, 2048, 1},
        {"component mode 2", 6, 10, 1, 2, 204, 2048, 6},
        {"component mode 2 on RGB: none", 6, 4, 24, 2, 204, 3072, 1},
        {"no method asked", 1, 4, 24, 2, 204, 3072, 1},
        {"an unknown method", 5, 4, 24, 2, 204, 3072, 1},
    };
    for (const Case &c : cases) {
        Image image(c.type, c.bits, 32, 32, Bytes(c.length, 0), c.requested, &spill_);
        image.request.ropKind = c.ropKind;
        image.request.ropCode = c.ropCode;
        DWORD method = 99;
        img_ChooseCompression(&image.request, image.data.data(), &method);
        EXPECT_EQ(method, c.method) << c.name;
    }
    Image off(4, 24, 32, 32, Bytes(3072, 0), 8, &spill_);
    off.request.enabled = 0;
    DWORD method = 99;
    EXPECT_EQ(img_ChooseCompression(&off.request, off.data.data(), &method), 1);
    EXPECT_EQ(method, 1u);
}

TEST_F(CompressionTest, ThresholdAndStreamsThatDoNotShrink)
{
    Image small(3, 8, 1023, 1, Bytes(1023, 0), 8, &spill_);
    EXPECT_EQ(img_CompressImage(&small.request, small.data.data()), 1);
    EXPECT_EQ(small.method, 1);
    EXPECT_EQ(small.length, 1023u);
    Image enough(3, 8, 1024, 1, Bytes(1024, 0), 8, &spill_);
    EXPECT_EQ(img_CompressImage(&enough.request, enough.data.data()), 0);
    EXPECT_EQ(enough.method, 8);
    EXPECT_LT(enough.length, 1024u);
    Bytes noise = Noise(4096);
    Image noisy(3, 8, 64, 64, noise, 8, &spill_);
    EXPECT_EQ(img_CompressImage(&noisy.request, noisy.data.data()), 1);
    EXPECT_EQ(noisy.method, 1);
    EXPECT_EQ(noisy.length, 4096u);
    EXPECT_TRUE(noisy.data == noise);
}

TEST_F(CompressionTest, JpegDecodesToTheImage)
{
    struct Case {
        const char *name;
        BYTE type;
        BYTE bits;
        DWORD components;
        bool inverted; // grey goes inverted into JPEG
    } cases[] = {{"RGB", 4, 24, 3, false}, {"grey", 3, 8, 1, true}};
    for (const Case &c : cases) {
        Bytes pixels = Gradient(120, 80, c.components);
        Image image(c.type, c.bits, 120, 80, pixels, 4, &spill_);
        ASSERT_EQ(img_CompressImage(&image.request, image.data.data()), 0) << c.name;
        EXPECT_EQ(image.method, 4);
        EXPECT_EQ(image.colourType, 5);
        ASSERT_LT(image.length, pixels.size());
        Decoded d = ReadJpeg(image.data.data(), image.length);
        EXPECT_EQ(d.width, 120u);
        EXPECT_EQ(d.height, 80u);
        EXPECT_EQ(d.components, c.components);
        EXPECT_TRUE(d.baseline) << c.name;
        if (c.inverted)
            for (BYTE &v : d.pixels)
                v = (BYTE)~v;
        EXPECT_LT(MeanError(d.pixels, pixels), 5.0) << c.name;
    }
    // A grey palette is mapped through its entries first and becomes grey.
    Bytes palette;
    for (int i = 0; i < 256; i++) {
        palette.push_back((BYTE)(255 - i));
        palette.push_back(0);
        palette.push_back(0);
    }
    Image mapped(10, 8, 120, 80, Gradient(120, 80, 1), 4, &spill_);
    mapped.request.palette = palette.data();
    mapped.request.paletteEntries = 256;
    mapped.request.paletteBytes = (DWORD)palette.size();
    ASSERT_EQ(img_CompressImage(&mapped.request, mapped.data.data()), 0);
    Decoded d = ReadJpeg(mapped.data.data(), mapped.length);
    Bytes expect = Gradient(120, 80, 1); // 255 - v, inverted for JPEG: v again
    EXPECT_LT(MeanError(d.pixels, expect), 3.0);
}

TEST_F(CompressionTest, JpegThatDoesNotReplaceTheDataLeavesItAsItWas)
{
    // One row of noise does not shrink (each block is padded to 8 rows): grey data come
    // back un-inverted.
    Bytes noise = Noise(1024);
    Image noisy(3, 8, 1024, 1, noise, 4, &spill_);
    EXPECT_EQ(img_CompressImage(&noisy.request, noisy.data.data()), 1);
    EXPECT_EQ(noisy.method, 1);
    EXPECT_EQ(noisy.colourType, 3);
    EXPECT_TRUE(noisy.data == noise);

    // A write failing during compression (the user cancels the retry): not compressed.
    Bytes pixels = Gradient(200, 200, 1);
    Image failing(3, 8, 200, 200, pixels, 4, &spill_);
    ASSERT_EQ(spl_CreateTempFile(&spill_), 0);
    int cancel = IDCANCEL;
    qmt_ScriptMessageBoxAnswers(&cancel, 1);
    qmt_FailWrites(1, 0);
    EXPECT_EQ(img_CompressImage(&failing.request, failing.data.data()), 1);
    qmt_FailWrites(0, 0);
    EXPECT_EQ(qmt_MessageBoxCount(), 1u);
    EXPECT_EQ(failing.method, 1);
    EXPECT_EQ(failing.length, pixels.size());
    EXPECT_TRUE(failing.data == pixels);

    // No spill file can be made: the image fails, its data as they were.
    spl_DeleteTempFile(&spill_);
    spl_InitTempFile(&spill_, FALSE, NULL);
    qmt_FailCreateFile(TEXT("\\TEMP\\"), 0);
    Image fatal(3, 8, 200, 200, pixels, 4, &spill_);
    EXPECT_EQ(img_CompressImage(&fatal.request, fatal.data.data()), IMG_COMPRESS_FATAL);
    EXPECT_TRUE(fatal.data == pixels);
    qmt_FailCreateFile(NULL, 0);

    // A libjpeg error (an image without rows): not compressed, nothing kept.
    DWORD globals = qmt_LiveGlobalBlocks();
    BYTE type = 4, method = 1;
    DWORD length = 3000;
    Bytes data(3000, 7);
    EXPECT_EQ(jpg_CompressImage(&type, &spill_, 1000, 0, &method, &length, data.data()), JPG_NOT_SMALLER);
    EXPECT_EQ(method, 1);
    EXPECT_EQ(qmt_LiveGlobalBlocks(), globals);
    EXPECT_EQ(jpg_CompressImage(nullptr, &spill_, 1, 1, &method, &length, data.data()), JPG_MISSING);
}

namespace {

// The outside component as a table of test entries; step `failing` (1 init, 2 compress,
// 3 get, 4 finish) answers 1; the result is `size` bytes of 0xC5.
int g_failing;
DWORD g_size;
DWORD g_mode;

HANDLE WINAPI TestLoad(void)
{
    return (HANDLE)1;
}
LONG WINAPI TestInit(HANDLE, DWORD mode, DWORD, DWORD, DWORD)
{
    g_mode = mode;
    return g_failing == 1;
}
LONG WINAPI TestCompress(HANDLE, const BYTE *, DWORD, DWORD *size)
{
    *size = g_size;
    return g_failing == 2;
}
LONG WINAPI TestGet(HANDLE, BYTE *destination)
{
    memset(destination, 0xC5, g_size);
    return g_failing == 3;
}
LONG WINAPI TestFinish(HANDLE)
{
    return g_failing == 4;
}
LONG WINAPI TestFree(HANDLE)
{
    return 0;
}

} // namespace

TEST_F(CompressionTest, OutsideComponent)
{
    CompressDllTable table = {NULL, (HANDLE)1, TestLoad, TestInit, TestCompress, TestGet, TestFinish, TestFree};
    Bytes bits(64 * 256 / 8, 0x0F);
    for (int failing = 1; failing <= 4; failing++) {
        g_failing = failing;
        g_size = 100;
        Image image(11, 1, 64, 256, bits, 7, &spill_);
        image.request.component = &table;
        EXPECT_EQ(cmp_CompressWithComponent(64, 256, &table, 7, &image.method, &image.length, image.data.data()),
                  CMP_CALL_FAILED)
            << failing;
        EXPECT_EQ(image.method, 1);
        EXPECT_EQ(image.length, bits.size());
        EXPECT_TRUE(image.data == bits) << failing;
        EXPECT_EQ(img_CompressImage(&image.request, image.data.data()), 1);
    }
    g_failing = 0;
    g_size = (DWORD)bits.size() + 1; // larger than the data
    Image larger(11, 1, 64, 256, bits, 7, &spill_);
    larger.request.component = &table;
    EXPECT_EQ(img_CompressImage(&larger.request, larger.data.data()), 1);
    EXPECT_EQ(larger.method, 1);
    EXPECT_TRUE(larger.data == bits);
    g_size = 100;
    for (WORD method : {6, 7}) {
        Image done(10, 1, 64, 256, bits, method, &spill_);
        done.request.component = &table;
        EXPECT_EQ(img_CompressImage(&done.request, done.data.data()), 0);
        EXPECT_EQ(done.method, method);
        EXPECT_EQ(g_mode, method == 7 ? 1u : 2u);
        EXPECT_EQ(done.length, 100u);
        EXPECT_EQ(done.data[0], 0xC5);
        EXPECT_EQ(done.data[100], 0x0F);
    }
    EXPECT_EQ(cmp_CompressWithComponent(64, 256, &table, 8, &larger.method, &larger.length, larger.data.data()),
              CMP_MISSING);
    EXPECT_EQ(cmp_ReleaseComponent(nullptr), 1);
}
