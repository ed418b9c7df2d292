/*
 * Method-8 decoding. The image is decoded pixel by pixel in raster order; a run fills its
 * length from the current position on, across line ends, each pixel taken from its
 * reference at that pixel: the run's value (the pixel left of where it began), the
 * previous line one left, same, one right, and for 1-byte pixels the pixel 8 left on the
 * line (else the previous line two right). Outside the image a reference reads the fill
 * (0 for 1-byte pixels, 0xFF bytes otherwise).
 */
#include "tools/lumiq/run_decoder.h"

#include <string.h>

namespace lumiq {
namespace {

class BitReader
{
public:
    BitReader(const uint8_t *d, size_t n) : data_(d), size_(n) {}
    bool Bit(uint32_t *bit)
    {
        if (at_ >= size_ * 8)
            return false;
        *bit = (data_[at_ / 8] >> (7 - at_ % 8)) & 1;
        at_++;
        return true;
    }
    bool Bits(uint32_t count, uint32_t *value)
    {
        *value = 0;
        for (uint32_t i = 0; i < count; i++) {
            uint32_t b;
            if (!Bit(&b))
                return false;
            *value = (*value << 1) | b;
        }
        return true;
    }
    size_t Position() const
    {
        return at_;
    }
    size_t Size() const
    {
        return size_ * 8;
    }

private:
    const uint8_t *data_;
    size_t size_;
    size_t at_ = 0;
};

// Token codes of mode 0 and mode 1 (0 literal, 1-5 run by list index, 6 escape).
struct Code {
    uint32_t bits, count;
};
const Code kTokenCodes[2][7] = {
    {{2, 2}, {0, 1}, {6, 3}, {28, 5}, {29, 5}, {30, 5}, {31, 5}},
    {{0, 1}, {2, 2}, {6, 3}, {28, 5}, {29, 5}, {30, 5}, {31, 5}},
};

bool ReadToken(BitReader &r, int mode, uint32_t *token)
{
    uint32_t value = 0, count = 0;
    while (count < 5) {
        uint32_t b;
        if (!r.Bit(&b))
            return false;
        value = (value << 1) | b;
        count++;
        for (uint32_t t = 0; t < 7; t++)
            if (kTokenCodes[mode][t].count == count && kTokenCodes[mode][t].bits == value) {
                *token = t;
                return true;
            }
    }
    return false;
}

struct Range {
    uint32_t prefix, prefixBits, first, extra;
};
const Range kLengthCodes[] = {
    {0, 2, 1, 0},
    {2, 3, 2, 0},
    {3, 3, 3, 0},
    {4, 3, 4, 1},
    {5, 3, 6, 2},
    {6, 3, 10, 4},
    {56, 6, 26, 3},
    {57, 6, 34, 3},
    {58, 6, 42, 3},
    {59, 6, 50, 4},
    {60, 6, 66, 5},
    {61, 6, 98, 6},
    {62, 6, 162, 9},
    {63, 6, 674, 14},
};
const Range kMagnitudeCodes[] = {
    {3, 3, 2, 1},
    {4, 3, 4, 2},
    {5, 3, 8, 3},
    {6, 3, 16, 5},
    {14, 4, 48, 5},
    {15, 4, 80, 6},
};

bool ReadLength(BitReader &r, uint32_t *length)
{
    uint32_t value = 0, count = 0;
    while (count < 6) {
        uint32_t b;
        if (!r.Bit(&b))
            return false;
        value = (value << 1) | b;
        count++;
        for (const Range &c : kLengthCodes)
            if (c.prefixBits == count && c.prefix == value) {
                uint32_t extra;
                if (!r.Bits(c.extra, &extra))
                    return false;
                *length = c.first + extra;
                return true;
            }
    }
    return false;
}

bool ReadDifference(BitReader &r, int *d)
{
    uint32_t head;
    if (!r.Bits(3, &head))
        return false;
    if (head <= 2) {
        *d = head == 0 ? 0 : (head == 1 ? 1 : -1);
        return true;
    }
    uint32_t value = head, count = 3;
    for (;;) {
        for (const Range &c : kMagnitudeCodes)
            if (c.prefixBits == count && c.prefix == value) {
                uint32_t sign, extra;
                if (!r.Bit(&sign) || !r.Bits(c.extra, &extra))
                    return false;
                int m = (int)(c.first + extra);
                *d = sign ? -m : m;
                return true;
            }
        if (count == 4)
            return false;
        uint32_t b;
        if (!r.Bit(&b))
            return false;
        value = (value << 1) | b;
        count++;
    }
}

class Image
{
public:
    Image(uint32_t w, uint32_t h, uint32_t bpp, std::vector<uint8_t> *out)
        : width_(w), height_(h), bpp_(bpp), fill_(bpp == 1 ? 0 : 0xFF), out_(out)
    {
        out_->assign((size_t)w * h * bpp, 0);
    }
    // The pixel at column x of row y, the fill outside the image.
    void Get(int64_t x, int64_t y, uint8_t *p) const
    {
        if (x < 0 || y < 0 || x >= (int64_t)width_ || y >= (int64_t)height_) {
            memset(p, fill_, bpp_);
            return;
        }
        memcpy(p, out_->data() + ((size_t)y * width_ + (size_t)x) * bpp_, bpp_);
    }
    void Set(uint64_t index, const uint8_t *p)
    {
        memcpy(out_->data() + index * bpp_, p, bpp_);
    }
    void Reference(uint32_t ref, uint64_t index, const uint8_t *value, uint8_t *p) const
    {
        int64_t x = (int64_t)(index % width_), y = (int64_t)(index / width_);
        switch (ref) {
        case 0: memcpy(p, value, bpp_); break;
        case 1: Get(x - 1, y - 1, p); break;
        case 2: Get(x, y - 1, p); break;
        case 3: Get(x + 1, y - 1, p); break;
        default:
            if (bpp_ == 1)
                Get(x - 8, y, p);
            else
                Get(x + 2, y - 1, p);
        }
    }
    void Left(uint64_t index, uint8_t *p) const
    {
        Get((int64_t)(index % width_) - 1, (int64_t)(index / width_), p);
    }
    uint64_t Pixels() const
    {
        return (uint64_t)width_ * height_;
    }
    uint32_t Bpp() const
    {
        return bpp_;
    }

private:
    uint32_t width_, height_, bpp_;
    uint8_t fill_;
    std::vector<uint8_t> *out_;
};

} // namespace

bool DecodeRunCoded(const uint8_t *coded, size_t size, uint32_t width, uint32_t height, uint32_t bytesPerPixel,
                    std::vector<uint8_t> *pixels)
{
    if (width == 0 || height == 0 || bytesPerPixel == 0 || bytesPerPixel > 4)
        return false;
    Image image(width, height, bytesPerPixel, pixels);
    BitReader r(coded, size);
    uint8_t order[5] = {0, 2, 1, 3, 4};
    int mode = 0;
    bool afterEndedRun = false, lastPieceFull = false;
    uint64_t at = 0;
    uint8_t value[4], p[4];
    for (;;) {
        uint32_t token;
        if (!ReadToken(r, mode, &token))
            return false;
        if (token == 6) {
            uint32_t b;
            if (!r.Bit(&b))
                return false;
            if (b == 0) {
                mode ^= 1;
                continue;
            }
            uint32_t rest;
            if (!r.Bits(2, &rest) || rest != 3)
                return false;
            // Only 1 bits up to the end of the last byte, which is the stream's end.
            if (r.Size() - r.Position() >= 8)
                return false;
            while (r.Position() < r.Size()) {
                if (!r.Bit(&b) || b != 1)
                    return false;
            }
            return at == image.Pixels();
        }
        if (token == 0) {
            if (at >= image.Pixels())
                return false;
            image.Left(at, p);
            for (uint32_t c = 0; c < bytesPerPixel; c++) {
                int d;
                if (!ReadDifference(r, &d))
                    return false;
                p[c] = (uint8_t)(p[c] + d);
            }
            image.Set(at++, p);
            afterEndedRun = lastPieceFull = false;
            continue;
        }
        uint32_t index = token + (afterEndedRun ? 1 : 0);
        if (index > 5)
            return false;
        uint32_t ref = order[index - 1];
        uint32_t length;
        if (!ReadLength(r, &length) || at + length > image.Pixels())
            return false;
        // After a full piece, index 1 continues the same run with its value; any other run
        // compares with the pixel left of its start.
        if (!(lastPieceFull && index == 1))
            image.Left(at, value);
        for (uint32_t i = 0; i < length; i++, at++) {
            image.Reference(ref, at, value, p);
            image.Set(at, p);
        }
        memmove(order + 1, order, index - 1);
        order[0] = (uint8_t)ref;
        afterEndedRun = length != 17057;
        lastPieceFull = length == 17057;
    }
}

} // namespace lumiq
