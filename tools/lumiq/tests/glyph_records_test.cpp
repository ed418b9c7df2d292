/*
 * Glyph records read field by field: records of each kind as long as their headers say,
 * and records whose padding misses the header's size.
 */
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tools/lumiq/glyph_records.h"

namespace {

using Bytes = std::vector<uint8_t>;

void Put(Bytes &b, uint32_t v, int n)
{
    for (int i = n - 1; i >= 0; --i)
        b.push_back((uint8_t)(v >> (8 * i)));
}

// A bitmap record of an 8 x 2 glyph: 2 bytes of bits, size (2 + 21) & ~3 = 20.
Bytes Bitmap(size_t padding)
{
    Bytes b;
    Put(b, 0x400000 | (uint32_t)(18 + 2 + padding), 4);
    Put(b, 0, 4);
    Put(b, 0, 4);
    Put(b, 8, 2);
    Put(b, 2, 2);
    b.push_back(1);
    b.push_back(1);
    b.push_back(0xFF);
    b.push_back(0x81);
    b.insert(b.end(), padding, 0x11);
    return b;
}

// An outline record of two short points and the operations move, line, end: 8 + 8 + 2
// bytes, size 20.
Bytes Outline(size_t padding, uint8_t lastOps = 0x60)
{
    Bytes b;
    Put(b, (uint32_t)(18 + padding), 4);
    Put(b, 2, 2);
    Put(b, 3, 2);
    Put(b, 0, 4);
    Put(b, 0x00400040, 4);
    b.push_back(0x12);
    b.push_back(lastOps);
    b.insert(b.end(), padding, 0x22);
    return b;
}

TEST(GlyphRecords, RecordsEndExactlyAtTheirHeadersSize)
{
    struct Case {
        const char *name;
        Bytes record;
        bool ok;
        const char *line;
    } cases[] = {
        {"bitmap", Bitmap(0), true, "bitmap header 0x00400014 size 20 8x2 rowbytes 1"},
        {"bitmap padded past its bits", Bitmap(4), false, nullptr},
        {"outline", Outline(2), true, "outline header 0x00000014 size 20 points 2 ops 3 short"},
        {"outline without its padding", Outline(0), false, nullptr},
        {"outline padded a word too far", Outline(6), false, nullptr},
        {"outline not ended", Outline(2, 0x20), false, nullptr},
    };
    for (const Case &c : cases) {
        std::string line, reason;
        bool ok = lqd_DescribeGlyph(c.record.data(), c.record.size(), line, reason);
        EXPECT_EQ(ok, c.ok) << c.name << ": " << reason;
        if (c.line != nullptr) {
            EXPECT_EQ(line, c.line) << c.name;
        }
    }
}

} // namespace
