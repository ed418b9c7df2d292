/*
 * A seeded random sequence of writer calls (paths, text, attributes, images) read back
 * by the independent decoder: every operand comes back as it was given, in the form the
 * writer had to choose, and attributes appear only when they changed.
 */
#include <random>

#include "render/pdl/writer/tests/test_images.h"
#include "render/pdl/writer/tests/writer_fixture.h"

namespace writer_test {
namespace {

class WriterRoundTripTest : public WriterTest
{
};

// Bytes as the decoder lists them: hex, the first 64 only.
std::string Hex(const BYTE *bytes, size_t n)
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (size_t i = 0; i < n && i < 64; ++i) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 15];
    }
    return n > 64 ? text + "..." : text;
}

TEST_F(WriterRoundTripTest, SeededWriterCallsDecodeToTheirOperands)
{
    CreateWriter();
    std::mt19937 random(20261211);
    auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const float widths[] = {0.0f, 1.0f, 2.5f, 3.0f, 0.25f};
    int lastCap = -1;
    float lastWidth = -1.0f;
    std::string lastColor;
    DWORD lastRop = 0;
    std::vector<std::string> expected;

    for (int step = 0; step < 400; ++step) {
        switch (pick(0, 6)) {
        case 0: { // whole-pixel path: BB then relative steps
            int n = pick(1, 30);
            LONG x = pick(-30000, 30000);
            LONG y = pick(-30000, 30000);
            POINTFIX start = {x * 16, y * 16};
            std::vector<POINTFIX> points;
            std::string line = "B0 " + std::to_string(n);
            for (int i = 0; i < n; ++i) {
                LONG dx = pick(-3000, 3000);
                LONG dy = pick(-200, 200);
                if (x + dx < -32768 || x + dx > 32767) {
                    dx = -dx;
                }
                if (y + dy < -32768 || y + dy > 32767) {
                    dy = -dy;
                }
                x += dx;
                y += dy;
                points.push_back(POINTFIX{x * 16, y * 16});
                line += " " + std::to_string(dx) + " " + std::to_string(dy);
            }
            ASSERT_EQ(pdl_BeginPath(writer_), 0);
            ASSERT_EQ(pdl_MoveTo(writer_, &start), 0);
            ASSERT_EQ(pdl_LineTo(writer_, (DWORD)n, points.data()), 0);
            ASSERT_EQ(pdl_PaintPath(writer_), 0);
            expected.push_back("BA");
            expected.push_back("BB " + std::to_string(start.x / 16) + " " + std::to_string(start.y / 16));
            expected.push_back(line);
            expected.push_back("BD");
            break;
        }
        case 1: { // fractional path: float forms throughout
            int n = pick(1, 20);
            POINTFIX start = {pick(-100000, 100000) | 1, pick(-100000, 100000)};
            std::vector<POINTFIX> points;
            std::string line = "Bp " + std::to_string(n);
            for (int i = 0; i < n; ++i) {
                POINTFIX p = {pick(-2000000, 2000000), pick(-2000000, 2000000) | 8};
                points.push_back(p);
                line += " " + F((float)p.x * 0.0625f) + " " + F((float)p.y * 0.0625f);
            }
            ASSERT_EQ(pdl_MoveTo(writer_, &start), 0);
            ASSERT_EQ(pdl_LineTo(writer_, (DWORD)n, points.data()), 0);
            ASSERT_EQ(pdl_ClosePath(writer_), 0);
            expected.push_back("Bb " + F((float)start.x * 0.0625f) + " " + F((float)start.y * 0.0625f));
            expected.push_back(line);
            expected.push_back("BC");
            break;
        }
        case 2: { // line cap and width, sent on change only
            int cap = pick(1, 3);
            float width = widths[pick(0, 4)];
            ASSERT_EQ(pdl_SetLineCap(writer_, cap), 0);
            ASSERT_EQ(pdl_SetLineWidth(writer_, width), 0);
            if (cap != lastCap) {
                expected.push_back("AE " + std::to_string(cap));
            }
            if (width != lastWidth) {
                bool whole = width == (float)(int)width;
                expected.push_back(whole ? "AD " + std::to_string((int)width) : "Ad " + F(width));
            }
            lastCap = cap;
            lastWidth = width;
            break;
        }
        case 3: { // colour, sent on change only
            BYTE rgb[3] = {(BYTE)pick(0, 1), 0x80, (BYTE)pick(0, 255)};
            ASSERT_EQ(pdl_SetColor(writer_, 2, 4, rgb), 0);
            std::string line = "AM 2 4 #" + Hex(rgb, 3);
            if (line != lastColor) {
                expected.push_back(line);
            }
            lastColor = line;
            break;
        }
        case 4: { // raster operation: a change makes the next colour go again
            DWORD rop = pick(0, 1) ? 0xCC : 0xF0;
            ASSERT_EQ(pdl_SetRop(writer_, 1, rop), 0);
            if (rop != lastRop) {
                expected.push_back("AL 1 " + std::to_string(rop));
                lastColor.clear();
            }
            lastRop = rop;
            break;
        }
        case 5: { // a run of up to 64 characters with one advance
            int n = pick(1, 64);
            std::vector<WORD> codes;
            int x = pick(-32768, 32767);
            int y = pick(0, 32767);
            float advance = (float)pick(-100, 100);
            std::string tail;
            for (int i = 0; i < n; ++i) {
                codes.push_back((WORD)pick(32, 0xFFFF));
                tail += " " + std::to_string(codes.back());
            }
            ASSERT_EQ(pdl_WriteText(writer_, (float)x, (float)y, (DWORD)n, 0, codes.data(), &advance), 0);
            expected.push_back("DC " + std::to_string(x) + " " + std::to_string(y) + " 1 " +
                               std::to_string(n == 1 ? 0 : (int)advance) + " " + std::to_string(2 * n) + tail);
            break;
        }
        case 6: { // an RGB image and its data
            ImageHeader h =
                RgbImageHeader((float)pick(0, 5000), (float)pick(0, 5000) + 0.5f, (WORD)pick(1, 8), (WORD)pick(1, 4));
            std::vector<BYTE> data(h.dataBytes);
            for (BYTE &b : data) {
                b = (BYTE)pick(0, 255);
            }
            ASSERT_EQ(pdl_WriteImage(writer_, &h), 0);
            ASSERT_EQ(pdl_WriteRawData(writer_, data.data(), h.dataBytes), 0);
            expected.push_back("Cq " + F(h.x) + " " + F(h.y) + " 1 0 0 1 0 0 " + std::to_string(h.width) + " " +
                               std::to_string(h.height) + " 1 2 4 1 8 1 " + std::to_string(h.dataBytes) + " data " +
                               std::to_string(h.dataBytes) + ":" + Hex(data.data(), data.size()));
            break;
        }
        }
    }
    std::vector<std::string> lines = Commands();
    ASSERT_EQ(lines.size(), expected.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        ASSERT_EQ(lines[i], expected[i]) << "command " << i;
    }
}

} // namespace
} // namespace writer_test
