/*
 * The extended escapes: feature query, raster transfer order, finishing mode, duplex and
 * pages-per-sheet overrides, and the overrides undone at every end of a job.
 */
#include "render/driver/escape/tests/escape_fixture.h"

#include "core/protocol/escapes.h"
#include "render/driver/escape/tests/raster_record.h"
#include "render/driver/escape/tests/raster_standin.h"

namespace escape_test {
namespace {

Blob Request(WORD op, WORD argument)
{
    return Payload().u32(8).u16(op).u16(argument).bytes;
}

Blob Chunk(DWORD total, DWORD offset, DWORD length, DWORD id, DWORD rop = 0xCC0020)
{
    raster_test::RasterFields fields;
    fields.total = total;
    fields.offset = offset;
    fields.id = id;
    fields.rop = rop;
    fields.data.assign(length, 0);
    std::vector<BYTE> record = raster_test::RasterRecord(fields);
    return Blob(record.begin(), record.end());
}

class ExtendedTest : public EscapeTest
{
protected:
    void SetUp() override
    {
        EscapeTest::SetUp();
        g_ChunkAnswer = 0;
        g_ChunksDrawn = 0;
    }
    void ModeOn(DWORD version = 0x01010701)
    {
        Pdev()->job.control.ext.jobValues[0] = version;
        ASSERT_EQ(Esc(ESC_EXT_CONTROL, Request(1, 0)), 1);
    }
};

TEST_F(ExtendedTest, FeatureQueryFollowsTheTableAndChecksTheReply)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    struct Case {
        DWORD version;
        DWORD setting4103;
        WORD feature;
        LONG answer;
        WORD escape;
        DWORD first;
    };
    const Case cases[] = {
        {0x01010701, 1, 0x1102, 1, 0x1072, 48},
        {0x01010601, 1, 0x1102, 1, 0x1072, 16},
        {0x01010501, 1, 0x1102, 1, 0x1072, 0},
        {0x01010501, 1, 0x1104, 1, 0x1074, 799},
        {0x01010501, 0, 0x1104, 1, 0x1074, 787},
        {0x01010501, 1, 0x1103, -3, 0, 0}, // from 0x01010601 on
        {0x01020010, 1, 0x1101, -3, 0, 0}, // a version beyond the table
        {0x01010701, 1, 0x1109, -3, 0, 0},
    };
    for (const Case &c : cases) {
        ExtendedEscapeState &ext = Pdev()->job.control.ext;
        ext.jobValues[0] = c.version;
        ext.jobValues[1] = c.setting4103;
        Payload reply;
        reply.u32(18).zeros(14);
        EXPECT_EQ(Esc(ESC_EXT_CONTROL, Request(3, c.feature), 18, reply.bytes.data()), c.answer)
            << std::hex << c.feature;
        if (c.answer != 1)
            continue;
        WORD escape;
        DWORD first;
        memcpy(&escape, reply.bytes.data() + 4, 2);
        memcpy(&first, reply.bytes.data() + 6, 4);
        EXPECT_EQ(escape, c.escape);
        EXPECT_EQ(first, c.first);
    }
    BYTE small[17] = {};
    EXPECT_EQ(Esc(ESC_EXT_CONTROL, Request(3, 0x1101), sizeof small, small), -4);
    EXPECT_EQ(Esc(ESC_EXT_CONTROL, Request(3, 0x1101), 0, nullptr), -1);
    BYTE signature[4] = {};
    EXPECT_EQ(Esc(ESC_EXT_CONTROL, Request(0x6585, 0), 4, signature), 1);
    EXPECT_EQ(memcmp(signature, "EPMQ", 4), 0);
    EXPECT_EQ(Esc(ESC_EXT_CONTROL, Request(0x6585, 0), 3, signature), -1);
    EXPECT_EQ(Esc(ESC_EXT_CONTROL, Request(9, 0)), -2);
    EXPECT_EQ(Esc(ESC_EXT_CONTROL, Payload().u32(12).u16(1).u16(0).bytes), -4);
    Set(1333, 1);
    EXPECT_EQ(esc_LookupFeature(Pdev(), 0x1102, nullptr), -1);
}

TEST_F(ExtendedTest, RasterTransferRunsInOrder)
{
    ASSERT_NO_FATAL_FAILURE(OpenDrawing());
    EXPECT_EQ(Esc(ESC_EXT_RASTER, Chunk(12, 0, 4, 0)), 0) << "mode off";
    ASSERT_NO_FATAL_FAILURE(ModeOn());
    // Three chunks: one id three times, then the transfer is over.
    EXPECT_EQ(Esc(ESC_EXT_RASTER, Chunk(12, 0, 4, 0)), 1);
    EXPECT_EQ(Esc(ESC_EXT_RASTER, Chunk(12, 4, 4, 1)), 1);
    EXPECT_EQ(Esc(ESC_EXT_RASTER, Chunk(12, 4, 4, 1)), -4) << "a chunk sent twice";
    EXPECT_EQ(Ext().transferId, 1);
    EXPECT_EQ(Esc(ESC_EXT_RASTER, Chunk(12, 8, 4, 1)), 1);
    EXPECT_EQ(Ext().transferId, 0);
    EXPECT_EQ(Ext().receivedBytes, 0u);
    EXPECT_EQ(g_ChunksDrawn, 3);
    // Out of order while none runs; another id cancels; more than the total cancels.
    EXPECT_EQ(Esc(ESC_EXT_RASTER, Chunk(12, 4, 4, 0)), -4);
    EXPECT_EQ(Esc(ESC_EXT_RASTER, Chunk(12, 0, 4, 0)), 2);
    EXPECT_EQ(Esc(ESC_EXT_RASTER, Chunk(12, 4, 4, 7)), -4);
    EXPECT_EQ(Ext().transferId, 0);
    EXPECT_EQ(Esc(ESC_EXT_RASTER, Chunk(4, 0, 8, 0)), -4);
    EXPECT_EQ(Ext().transferId, 0);
    // Refused before counting: a chunk beyond its record or above 0xFF00 bytes.
    Blob cut = Chunk(12, 0, 4, 0);
    cut.resize(cut.size() - 1);
    EXPECT_EQ(Esc(ESC_EXT_RASTER, cut), -4);
    Blob huge = Payload().u32(0x20000).u32(0).u32(0xFF01).u32(0).u32(0xCC0020).zeros(0xFF01).bytes;
    EXPECT_EQ(Esc(ESC_EXT_RASTER, huge), -4);
    EXPECT_EQ(Ext().transferId, 0);
    EXPECT_EQ(Esc(ESC_EXT_RASTER, Chunk(12, 0, 4, 0, 0x660046)), 0) << "not a plain copy";
    // The drawing's error is answered; the counter wraps from 0x3FFF to 1.
    g_ChunkAnswer = -5;
    EXPECT_EQ(Esc(ESC_EXT_RASTER, Chunk(4, 0, 4, 0)), -5);
    g_ChunkAnswer = 0;
    Pdev()->job.control.ext.transferCounter = 0x3FFF;
    EXPECT_EQ(Esc(ESC_EXT_RASTER, Chunk(4, 0, 4, 0)), 1);
}

// A record whose parts do not fit is refused before it is counted (-4), as is one that
// cannot be drawn (-5, -1): the running transfer stays as it was.
TEST_F(ExtendedTest, RasterRecordsAreCheckedBeforeTheyAreCounted)
{
    using namespace raster_test;
    ASSERT_NO_FATAL_FAILURE(OpenDrawing());
    ASSERT_NO_FATAL_FAILURE(ModeOn());
    ASSERT_EQ(Esc(ESC_EXT_RASTER, Chunk(8, 0, 4, 0)), 1);
    struct Case {
        const char *what;
        size_t at;
        DWORD value;
        bool wide; // a 32-bit field, else 16-bit
        LONG answer;
    };
    const Case cases[] = {
        {"image header beyond the record", 20, 0xFFF0, true, -4},
        {"image header offset wrapping", 20, 0xFFFFFFF0, true, -4},
        {"bitmap header beyond", kHeaderAt + 20, 0xFFF0, true, -4},
        {"image data beyond", kHeaderAt + 16, 0xFFF0, true, -4},
        {"clip beyond", 36, 0xFFF0, true, -4},
        {"bitmap header below 40 bytes", kInfoAt, 39, true, -4},
        {"bitmap header beyond", kInfoAt, 0x1000, true, -4},
        {"byte count not the chunk length", 28, 3, true, -4},
        {"palette of 8 bits beyond", kInfoAt + 14, 8, false, -4},
        {"reserved word", kHeaderAt + 2, 1, false, -5},
        {"width not the bitmap header's", kHeaderAt + 12, 17, false, -5},
        {"rotation 45", 26, 45, false, -5},
        {"neither JPEG nor PNG", kInfoAt + 16, 0, true, -1},
    };
    for (const Case &c : cases) {
        RasterFields fields;
        fields.total = 8;
        fields.offset = 4;
        fields.id = 1;
        std::vector<BYTE> record = RasterRecord(fields);
        if (c.wide)
            Put32(record, c.at, c.value);
        else
            Put16(record, c.at, c.value);
        EXPECT_EQ(Esc(ESC_EXT_RASTER, Blob(record.begin(), record.end())), c.answer) << c.what;
        EXPECT_EQ(Ext().transferId, 1) << c.what;
        EXPECT_EQ(Ext().receivedBytes, 4u) << c.what;
    }
    EXPECT_EQ(g_ChunksDrawn, 1);
    EXPECT_EQ(Esc(ESC_EXT_RASTER, Chunk(8, 4, 4, 1)), 1);
    EXPECT_EQ(Ext().transferId, 0);
}

TEST_F(ExtendedTest, FinishingModeAndDuplexOverrides)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    ASSERT_NO_FATAL_FAILURE(ModeOn());
    ExtendedEscapeState &ext = Pdev()->job.control.ext;
    ext.jobValues[2] = 1;
    EXPECT_EQ(Esc(ESC_EXT_FINISHING, Payload().u16(0x1203).bytes), -6) << "job mode off";
    EXPECT_EQ(Esc(ESC_EXT_FINISHING, Payload().u16(0x1201).bytes), 1);
    EXPECT_EQ(Esc(ESC_EXT_FINISHING, Payload().u16(0x1204).bytes), 1);
    EXPECT_EQ(ext.finishingSubMode, 2);
    EXPECT_EQ(Esc(ESC_EXT_FINISHING, Payload().u16(0x1206).bytes), -3);
    ext.jobValues[2] = 0;
    EXPECT_EQ(Esc(ESC_EXT_FINISHING, Payload().u16(0x1203).bytes), 0) << "feature absent";

    Pdev()->devmode.dm.dmFields &= ~DM_DUPLEX;
    EXPECT_EQ(Esc(ESC_EXT_DUPLEX, Request(0x1302, 0x1312)), -6);
    EXPECT_EQ(Esc(ESC_EXT_DUPLEX, Request(0x1302, 0x1311)), 1);
    EXPECT_EQ(ext.duplexOverride, 1);
    Pdev()->devmode.dm.dmFields |= DM_DUPLEX;
    EXPECT_EQ(Esc(ESC_EXT_DUPLEX, Request(0x1302, 0x1313)), 1);
    EXPECT_EQ(ext.duplexOverride, 3);
    EXPECT_EQ(Esc(ESC_EXT_DUPLEX, Request(0x1302, 0x1315)), -5);
    EXPECT_EQ(Esc(ESC_EXT_DUPLEX, Request(0x1304, 4)), 1);
    EXPECT_EQ(ext.overrides[0], 4);
    EXPECT_EQ(ext.overrides[1], 3);
    EXPECT_EQ(Esc(ESC_EXT_DUPLEX, Request(0x1304, 3)), -5);
    EXPECT_EQ(Esc(ESC_EXT_DUPLEX, Request(0x1399, 0)), -3);
    Set(321, 0);
    Set(295, 2);
    WORD answer = 0;
    EXPECT_EQ(Esc(ESC_EXT_DUPLEX, Request(0x1303, 0), 2, &answer), 1);
    EXPECT_EQ(answer, 2);
    EXPECT_EQ(Esc(ESC_EXT_DUPLEX, Request(0x1303, 0), 0, nullptr), -4);
    Set(16, 2);
    EXPECT_EQ(Esc(ESC_EXT_DUPLEX, Request(0x1301, 0), 2, &answer), 1);
    EXPECT_EQ(answer, 0x1312);
}

// However the job ends, the settings the escapes overrode read as before.
TEST_F(ExtendedTest, OverridesDoNotOutliveTheirJob)
{
    for (int ending = 0; ending < 2; ++ending) {
        SCOPED_TRACE(ending == 0 ? "ended" : "aborted");
        ASSERT_NO_FATAL_FAILURE(Open());
        Set(16, 1);
        Set(295, 1);
        ASSERT_NO_FATAL_FAILURE(ModeOn());
        ASSERT_EQ(Esc(ESC_EXT_DUPLEX, Request(0x1304, 4)), 1);
        ASSERT_EQ(Esc(ESC_EXT_DUPLEX, Request(0x1302, 0x1312)), 1);
        ASSERT_TRUE(StartDoc());
        ASSERT_TRUE(Pages(1));
        EXPECT_EQ(Get(295), 4u) << "overridden while the job runs";
        EndDoc(ending == 0 ? 0 : ED_ABORTDOC);
        EXPECT_EQ(Get(295), 1u);
        EXPECT_EQ(Get(16), 1u);
        Close();
        endDone_ = FALSE;
    }
}

} // namespace
} // namespace escape_test
