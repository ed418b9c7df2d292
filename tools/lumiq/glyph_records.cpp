/*
 * Glyph records read field by field (layout: the header, then a bitmap's origin, size,
 * row bytes, depth and bits, or an outline's counts, points and packed operations; then
 * padding up to the header's size).
 */
#include "tools/lumiq/glyph_records.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace {

const uint32_t kBitmapFlag = 0x400000u;
const uint32_t kBitmapCompressed = 0x2000000u;
const uint32_t kOutlineFloat = 0x200000u;
const uint32_t kOutlineHint = 0x1000000u;
const uint32_t kOutlineBold = 0x38000000u;
const size_t kBitmapFixed = 18;
const size_t kOutlineFixed = 8;
const uint8_t kBitmapPad = 0x11;
const uint8_t kOutlinePad = 0x22;
const unsigned kEndOperation = 6;

uint32_t Big(const uint8_t *p, size_t n)
{
    uint32_t v = 0;
    for (size_t i = 0; i < n; ++i)
        v = (v << 8) | p[i];
    return v;
}

// Padding from `from` to size: every byte pad.
bool Padding(const uint8_t *record, size_t from, size_t size, uint8_t pad, std::string &reason)
{
    if (from > size) {
        reason = "fields run " + std::to_string(from - size) + " bytes past the record size " + std::to_string(size);
        return false;
    }
    for (size_t i = from; i < size; ++i) {
        if (record[i] != pad) {
            char text[8];
            std::snprintf(text, sizeof text, "0x%02x", record[i]);
            reason = std::string("padding byte ") + text + " at " + std::to_string(i) + " of " + std::to_string(size);
            return false;
        }
    }
    return true;
}

bool Bitmap(const uint8_t *record, size_t size, uint32_t header, std::string &line, std::string &reason)
{
    if (size < kBitmapFixed) {
        reason = "bitmap record of " + std::to_string(size) + " bytes";
        return false;
    }
    unsigned width = Big(record + 12, 2);
    unsigned height = Big(record + 14, 2);
    unsigned rowBytes = record[16];
    bool compressed = (header & kBitmapCompressed) != 0;
    std::ostringstream text;
    char head[32];
    std::snprintf(head, sizeof head, "0x%08x", header);
    text << "bitmap header " << head << " size " << size << " " << width << "x" << height << " rowbytes " << rowBytes;
    if (compressed)
        text << " compressed";
    line = text.str();
    if (rowBytes != (width + 7) / 8) {
        reason = "row bytes " + std::to_string(rowBytes) + " for width " + std::to_string(width);
        return false;
    }
    if (compressed)
        return true; // the compressed bits carry no length of their own

    size_t data = (size_t)rowBytes * height;
    if (((data + 21) & ~(size_t)3) != size) {
        reason = std::to_string(data) + " bytes of bits need a record of " + std::to_string((data + 21) & ~(size_t)3);
        return false;
    }
    return Padding(record, kBitmapFixed + data, size, kBitmapPad, reason);
}

bool Outline(const uint8_t *record, size_t size, uint32_t header, std::string &line, std::string &reason)
{
    if (size < kOutlineFixed) {
        reason = "outline record of " + std::to_string(size) + " bytes";
        return false;
    }
    size_t points = Big(record + 4, 2);
    size_t ops = Big(record + 6, 2);
    bool isFloat = (header & kOutlineFloat) != 0;
    std::ostringstream text;
    char head[32];
    std::snprintf(head, sizeof head, "0x%08x", header);
    text << "outline header " << head << " size " << size << " points " << points << " ops " << ops
         << (isFloat ? " float" : " short");
    if (header & kOutlineHint)
        text << " hint";
    if ((header & kOutlineBold) == kOutlineBold)
        text << " bold";
    line = text.str();
    size_t opsAt = kOutlineFixed + points * (isFloat ? 8 : 4);
    size_t end = opsAt + (ops + 1) / 2;
    if (end > size)
        return Padding(record, end, size, kOutlinePad, reason);
    if (ops == 0) {
        reason = "no operations";
        return false;
    }
    uint8_t last = record[opsAt + (ops - 1) / 2];
    unsigned lastOp = (ops % 2) ? (unsigned)(last >> 4) : (unsigned)(last & 0x0F);
    if (lastOp != kEndOperation) {
        reason = "the last operation is " + std::to_string(lastOp) + ", not the end of the glyph";
        return false;
    }
    if (((end + 3) & ~(size_t)3) != size) {
        reason = std::to_string(points) + " points and " + std::to_string(ops) + " operations need a record of " +
                 std::to_string((end + 3) & ~(size_t)3);
        return false;
    }
    return Padding(record, end, size, kOutlinePad, reason);
}

} // namespace

bool lqd_DescribeGlyph(const uint8_t *record, size_t size, std::string &line, std::string &reason)
{
    line.clear();
    if (record == nullptr || size < 4) {
        reason = "glyph record below its header";
        return false;
    }
    uint32_t header = Big(record, 4);
    return (header & kBitmapFlag) ? Bitmap(record, size, header, line, reason)
                                  : Outline(record, size, header, line, reason);
}

bool lqd_ListGlyphs(const uint8_t *data, size_t size, const std::string &dump, std::string &out, LqdError &error)
{
    std::istringstream lines(dump);
    std::string text;
    while (std::getline(lines, text)) {
        size_t glyph = text.find(" glyph 0x");
        if (text.rfind("body ", 0) != 0 || glyph == std::string::npos)
            continue;
        size_t offset = std::strtoul(text.c_str() + 5, nullptr, 10);
        size_t recordSize = std::strtoul(text.c_str() + glyph + 18, nullptr, 10);
        std::string decoded;
        size_t next = 0;
        if (!lqd_DecodeCommand(data, size, offset, decoded, next, error) || next < recordSize) {
            error.offset = offset;
            error.reason = "glyph command does not decode";
            return false;
        }
        std::string line;
        std::string reason;
        size_t at = next - recordSize;
        bool ok = lqd_DescribeGlyph(data + at, recordSize, line, reason);
        out += "glyph " + std::to_string(offset) + " " + decoded.substr(0, 2) + " " + line + "\n";
        if (!ok) {
            error.offset = at;
            error.reason = reason;
            return false;
        }
    }
    return true;
}
