/*
 * Every escape code with a good payload, a wrong size, missing buffers and the settings
 * lock; QUERYESCSUPPORT for every code.
 */
#include "render/driver/escape/tests/escape_fixture.h"
#include "render/driver/escape/tests/raster_record.h"

#include "core/protocol/escapes.h"

namespace escape_test {
namespace {

// A private code between the known ones that no escape has: the driver answers it with 0.
const WORD kUnknownCode = ESC_JOB_CONTROL_SECOND + 1;

struct Row {
    ULONG code;
    Blob in;     // the good payload
    ULONG cjOut; // the good reply size
    LONG good;
    ULONG wrongIn; // the sizes of the wrong-size call
    ULONG wrongOut;
    LONG wrong;
    LONG missing; // both buffers NULL, sizes as the good call
    LONG locked;  // the good call with the settings locked
};

Blob U16(WORD v)
{
    return Payload().u16(v).bytes;
}
Blob U32(DWORD v)
{
    return Payload().u32(v).bytes;
}
Blob Zeros(size_t n)
{
    return Blob(n, 0);
}

Blob JobInfo()
{
    Blob info(768, 0);
    info[16] = 'J';
    return info;
}

Blob RasterChunk()
{
    std::vector<BYTE> record = raster_test::RasterRecord(raster_test::RasterFields());
    return Blob(record.begin(), record.end());
}

class EscapeTableTest : public EscapeTest
{
protected:
    void SetUp() override
    {
        EscapeTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(OpenDrawing());
        Set(16, 1);
        ExtendedEscapeState &ext = Pdev()->job.control.ext;
        ext.jobValues[0] = 0x01010701; // every extended feature offered
        ext.jobValues[2] = 1;
        ext.jobModeFlag = 1;
    }
};

TEST_F(EscapeTableTest, EveryCodeWithGoodWrongAndMissingBuffersAndTheLock)
{
    const DWORD devmodeSize = sizeof(DriverDevmode);
    Blob devmode((const BYTE *)&Pdev()->devmode, (const BYTE *)&Pdev()->devmode + devmodeSize);
    Blob printerData((const BYTE *)Pdev()->printerData, (const BYTE *)Pdev()->printerData + sizeof(PrinterDataBlock));
    const Row rows[] = {
        {ESC_SETCOPYCOUNT, U32(3), 4, 1, 2, 4, -1, -1, 1},
        {ESC_PASSTHROUGH, U32(0), 0, 0, 2, 0, 0, 0, 0},
        {ESC_GETTECHNOLOGY, U32(0), 4, 1, 4, 3, 0, 0, 1},
        {ESC_EXT_CONTROL, Payload().u32(8).u16(1).u16(0).bytes, 0, 1, 4, 0, -4, -1, 1},
        {ESC_EXT_RASTER, RasterChunk(), 0, 1, 16, 0, -1, -1, 2},
        {ESC_EXT_FINISHING, U16(0x1203), 0, 1, 1, 0, -1, -1, 1},
        {ESC_EXT_DUPLEX, Payload().u32(8).u16(0x1301).u16(0).bytes, 2, 1, 8, 1, -4, -1, 1},
        {ESC_EXT_DATA, Payload().u32(4).u32(7).bytes, 0, 1, 6, 0, -1, -1, 1},
        {ESC_PAGE_END, U32(0), 44, 1, 4, 40, -1, -1, 1},
        {ESC_GET_DEVMODE, {}, devmodeSize, 1, 0, devmodeSize - 1, -1, -1, 1},
        {ESC_STAMP_MODE, U32(0), 4, 1, 2, 4, 1, 1, 1},
        {ESC_PLACE_ANNOTATION, Payload().u32(0).u32(0).bytes, 0, 1, 4, 0, 1, 1, 1},
        {ESC_SET_DEVMODE, devmode, 0, 1, devmodeSize - 1, 0, -1, -1, 1},
        {ESC_SET_JOB_INFO, JobInfo(), 0, 1, 767, 0, -1, -1, 1},
        {ESC_GET_JOB_INFO, {}, 768, 1, 0, 767, -1, -1, 1},
        {ESC_STAMP_RESTORE, U32(0), 4, 1, 2, 4, 1, 1, 1},
        {ESC_GET_FAX_MODEL, {}, 4, 1, 0, 3, 0, 0, 1},
        {ESC_GET_SHEET, {}, 4, 1, 0, 3, -1, -1, 1},
        {ESC_SET_PRINTER_DATA, printerData, 0, 1, sizeof(PrinterDataBlock) - 1, 0, -1, -1, 1},
        {ESC_GET_PRINTER_DATA, {}, sizeof(PrinterDataBlock), 1, 0, sizeof(PrinterDataBlock) - 1, -1, -1, 1},
        {ESC_GET_PAGE_WORD, {}, 4, 1, 0, 3, -1, -1, 1},
        {ESC_SET_MARGINS, Payload().u16(9).u16(1).u16(2).u16(3).u16(4).bytes, 0, 1, 8, 0, -1, -1, 1},
        {ESC_JOB_IN_PROGRESS, {}, 0, 1, 0, 0, 1, 1, 1},
        {ESC_SETTINGS_LOCK, U16(1), 0, 1, 1, 0, -1, -1, 1},
        {ESC_OUTPUT_PATH, Zeros(522), 0, 1, 0, 0, -1, -1, 1},
        {ESC_FAX_LIST, FaxList(1, 1), 0, 1, 0, 0, 0, 0, 1},
        {ESC_ATTR_SETS, AttrSetList(2, 12, 3), 0, 1, 15, 0, -1, -1, 1},
        {ESC_GET_EXT_WORDS, {}, 12, 1, 0, 11, -1, -1, 1},
        {ESC_SET_EXT_WORDS, Payload().u32(1).u32(1).u16(0).u16(0).bytes, 0, 1, 11, 0, -1, -1, 1},
        {ESC_SHARED_WARNING, {}, 4, 1, 0, 3, -1, -1, 1},
        {ESC_PAGE_SETUP_WORD, U32(5), 0, 1, 3, 0, -1, -1, 1},
        {ESC_JOB_START_EXTRA, Zeros(2112), 0, 1, 2111, 0, -1, -1, 1},
        {ESC_BLOCK_A_DATA, U32(1), 0, 1, 0, 0, 1, -1, -1},
        {ESC_QUERY_BLOCK_B, U16(0), 4, 1, 2, 3, -1, -1, 1},
        {ESC_BLOCK_C_DATA, U32(1), 0, 1, 0, 0, 1, -1, -1},
        {ESC_JOB_VALUES, Payload().u32(1).u32(2).bytes, 0, 1, 7, 0, -1, -1, 1},
        {ESC_BLOCK_B_DATA, U32(1), 0, 1, 0, 0, 1, -1, -1},
        {ESC_BLOCK_D_DATA, U32(1), 0, 1, 0, 0, 1, -1, -1},
        {ESC_JOB_CONTROL_FIRST, U32(1), 4, 1, 2, 4, 1, 1, 1},
        {ESC_PAGE_DATA, U32(1), 0, 1, 0, 0, 1, -1, -1},
        {ESC_QUERY_PAGE_DATA, U16(0), 4, 1, 2, 3, -1, -1, 1},
        {ESC_GET_JOB_ID, {}, 4, 1, 0, 3, -1, -1, 1},
        {ESC_JOB_CONTROL_SECOND, U32(0), 4, 1, 2, 4, 1, 1, 1},
        {ESC_LOCALE_PAPER, U16(0), 0, 1, 1, 0, -1, -1, 1},
    };
    ASSERT_EQ(sizeof rows / sizeof rows[0], 44u);
    ASSERT_EQ(Esc(ESC_EXT_CONTROL, Payload().u32(8).u16(1).u16(0).bytes), 1); // extended mode on
    for (const Row &row : rows) {
        SCOPED_TRACE(testing::Message() << std::hex << "escape 0x" << row.code);
        Blob out(row.cjOut + 4, 0);
        const void *in = row.in.empty() ? nullptr : row.in.data();
        ULONG cjIn = (ULONG)row.in.size();
        EXPECT_EQ(Esc(row.code, cjIn, in, row.cjOut, row.cjOut ? out.data() : nullptr), row.good) << "good";
        EXPECT_EQ(Esc(row.code, row.wrongIn, in, row.wrongOut, out.data()), row.wrong) << "wrong size";
        EXPECT_EQ(Esc(row.code, cjIn, nullptr, row.cjOut, nullptr), row.missing) << "missing buffers";
        Lock(true);
        EXPECT_EQ(Esc(row.code, cjIn, in, row.cjOut, row.cjOut ? out.data() : nullptr), row.locked) << "locked";
        Lock(false);
    }
    EXPECT_EQ(Esc(kUnknownCode, {}), 0);
}

TEST_F(EscapeTableTest, QueryEscSupportAnswersEveryCode)
{
    struct Case {
        WORD code;
        LONG answer;
    };
    // Extended mode off.
    const Case cases[] = {
        {ESC_SETCOPYCOUNT, 999},
        {ESC_PASSTHROUGH, 0},
        {ESC_GETTECHNOLOGY, 0x1071},
        {ESC_EXT_CONTROL, 1},
        {ESC_EXT_RASTER, 0},
        {ESC_EXT_DATA, 0},
        {ESC_PAGE_END, 1},
        {ESC_LOCALE_PAPER, 1},
        {kUnknownCode, 0},
        {0x1075, 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Query(c.code), c.answer) << std::hex << c.code;
    ASSERT_EQ(Esc(ESC_EXT_CONTROL, Payload().u32(8).u16(1).u16(0).bytes), 1);
    for (WORD code : {ESC_EXT_RASTER, ESC_EXT_FINISHING, ESC_EXT_DUPLEX, ESC_EXT_DATA})
        EXPECT_EQ(Query(code), 1);
    Set(1333, 1);
    EXPECT_EQ(Query(ESC_SETCOPYCOUNT), 0);
    EXPECT_EQ(Esc(ESC_SETCOPYCOUNT, U32(2)), -1);
    Set(1358, 1);
    EXPECT_EQ(Query(ESC_PASSTHROUGH), 1);
    EXPECT_EQ(Esc(ESC_PASSTHROUGH, U32(2)), 0);
    // Broken requests: no surface, no code, an invalid PDEV.
    WORD code = ESC_PAGE_END;
    EXPECT_EQ((LONG)DrvEscape(nullptr, ESC_PAGE_END, 0, nullptr, 0, nullptr), -1);
    EXPECT_EQ((LONG)DrvEscape(surface_, QUERYESCSUPPORT, 1, &code, 0, nullptr), -1);
    Pdev()->signature = 0;
    SetLastError(0);
    EXPECT_EQ((LONG)DrvEscape(surface_, ESC_PAGE_END, 0, nullptr, 0, nullptr), 0);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
    EXPECT_EQ(Query(ESC_PAGE_END), 1);
    Pdev()->signature = PDEV_SIGNATURE;
}

} // namespace
} // namespace escape_test
