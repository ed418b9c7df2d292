/*
 * Settings access by FunctionID over zeroed DEVMODEs and a zeroed printer-data block.
 */
#include <gtest/gtest.h>

#include <string.h>
#include <vector>

#include "core/settings/settings.h"
#include "platform/testing/qm_testing.h"

namespace {

/* A full DEVMODE and a block, zeroed. */
struct Areas {
    DriverDevmode *dm = dm_AllocDevmode(0);
    PrinterDataBlock *block = (PrinterDataBlock *)GlobalAlloc(GPTR, sizeof(PrinterDataBlock));
    ~Areas()
    {
        GlobalFree(dm);
        GlobalFree(block);
    }
    BYTE *Bytes(int at)
    {
        return (BYTE *)dm + at;
    }
    DWORD DwordAt(int at) const
    {
        DWORD v;
        memcpy(&v, (const BYTE *)dm + at, 4);
        return v;
    }
    WORD WordAt(int at) const
    {
        WORD v;
        memcpy(&v, (const BYTE *)dm + at, 2);
        return v;
    }
    void PutDword(int at, DWORD v)
    {
        memcpy(Bytes(at), &v, 4);
    }
    std::vector<BYTE> Snapshot() const
    {
        std::vector<BYTE> s((const BYTE *)dm, (const BYTE *)dm + DM_FULL_SIZE);
        s.insert(s.end(), block->bytes, block->bytes + PRINTER_DATA_SIZE);
        return s;
    }
};

WORD Set(Areas &a, WORD fid, WORD type, DWORD size, DWORD value)
{
    return dma_SetValue(fid, a.dm, a.block, type, size, &value);
}

WORD SetText(Areas &a, WORD fid, const WCHAR *text, DWORD size)
{
    return dma_SetValue(fid, a.dm, a.block, VT_STRING, size, &text);
}

struct Read {
    WORD status, type;
    DWORD size, value;
};

Read Get(Areas &a, WORD fid)
{
    Read r = {0, 0, 0, 0xCCCCCCCC};
    r.status = dma_GetValue(fid, a.dm, a.block, &r.type, &r.size, &r.value, nullptr);
    if (r.status == SST_OK && r.size < 4) /* only the value's width is written */
        r.value &= (1ul << (8 * r.size)) - 1;
    return r;
}

/* One case: optional preparation, one write (or none), then the read or check. */
struct AccessCase {
    const char *why;
    void (*prepare)(Areas &);
    WORD fid;
    bool write;
    WORD type;
    DWORD size;
    DWORD value;
    WORD status; /* of the write, else of the read */
    bool (*check)(Areas &);
};

const AccessCase kCases[] = {
    {"0 lies in no range", nullptr, 0, false, 0, 0, 0, SST_NO_RANGE, nullptr},
    {"600 lies in no range", nullptr, 600, false, 0, 0, 0, SST_NO_RANGE, nullptr},
    {"36905 is no row for the primitive", nullptr, FID_CONSTANT_ZERO, false, 0, 0, 0, SST_NO_RANGE, nullptr},
    {"2490 is inside a range but has no row", nullptr, 2490, false, 0, 0, 0, SST_BAD, nullptr},
    {"1284 reads 1 with its bit clear, as type 5",
     nullptr,
     1284,
     false,
     0,
     0,
     0,
     SST_OK,
     [](Areas &a) {
         Read r = Get(a, 1284);
         return r.value == 1 && r.type == VT_DWORD && r.size == 4;
     }},
    {"writing 0 to 1284 sets its bit",
     nullptr,
     1284,
     true,
     VT_DWORD,
     4,
     0,
     SST_OK,
     [](Areas &a) { return a.DwordAt(288) == 0x8 && Get(a, 1284).value == 0; }},
    {"393 reads its byte in place",
     [](Areas &a) { a.PutDword(356, 0x123456); },
     393,
     false,
     0,
     0,
     0,
     SST_OK,
     [](Areas &a) { return Get(a, 393).value == 0x3400; }},
    {"writing 393 changes bits 8-15 only",
     [](Areas &a) { a.PutDword(356, 0x123456); },
     393,
     true,
     VT_DWORD,
     4,
     0xFFAB00,
     SST_OK,
     [](Areas &a) { return a.DwordAt(356) == 0x12AB56; }},
    {"14 writes dmPrintQuality and dmYResolution",
     nullptr,
     14,
     true,
     VT_DWORD,
     4,
     600 * 65536 + 400,
     SST_OK,
     [](Areas &a) {
         return a.dm->dm.dmPrintQuality == 600 && a.dm->dm.dmYResolution == 400 &&
                Get(a, 14).value == 600u * 65536 + 400;
     }},
    {"14 reads each half sign-extended",
     [](Areas &a) {
         a.dm->dm.dmPrintQuality = -1;
         a.dm->dm.dmYResolution = -2;
     },
     14,
     false,
     0,
     0,
     0,
     SST_OK,
     [](Areas &a) { return Get(a, 14).value == (DWORD)(-65536 - 2); }},
    {"311 is read after writing it",
     nullptr,
     311,
     true,
     VT_FONTFIELD,
     4,
     450,
     SST_OK,
     [](Areas &a) {
         Read r = Get(a, 311);
         return r.status == 0 && r.value == 450 && a.DwordAt(600) == 450;
     }},
    {"311 refuses a read once 310 differs",
     [](Areas &a) { Set(a, 311, VT_FONTFIELD, 4, 450); },
     310,
     true,
     VT_FONTFIELD,
     4,
     900,
     SST_OK,
     [](Areas &a) { return Get(a, 311).status == SST_BAD && Get(a, 309).value == 450; }},
    {"364 writes the second record's orientation too",
     nullptr,
     364,
     true,
     VT_FONTFIELD,
     4,
     300,
     SST_OK,
     [](Areas &a) { return a.DwordAt(824) == 300 && a.DwordAt(828) == 300; }},
    {"a byte shown as type 3 stores its low byte",
     nullptr,
     321,
     true,
     VT_WORD,
     2,
     0x1234,
     SST_OK,
     [](Areas &a) {
         Read r = Get(a, 321);
         return r.value == 0x34 && r.type == VT_WORD && r.size == 2;
     }},
    {"a byte shown as type 3 refuses size 4", nullptr, 321, true, VT_WORD, 4, 1, SST_SIZE, nullptr},
    {"a byte shown as type 3 refuses type 5", nullptr, 321, true, VT_DWORD, 4, 1, SST_TYPE, nullptr},
    {"267 stores 9 and reports the unknown code",
     nullptr,
     267,
     true,
     VT_WORD,
     2,
     9,
     SST_BAD,
     [](Areas &a) { return Get(a, 267).value == 9 && Get(a, 325).value == 0; }},
    {"267 with 7 sets 325 to 4",
     nullptr,
     267,
     true,
     VT_WORD,
     2,
     7,
     SST_OK,
     [](Areas &a) { return Get(a, 325).value == 4; }},
    {"a block setting without a block",
     [](Areas &a) {
         GlobalFree(a.block);
         a.block = nullptr;
     },
     5137,
     false,
     0,
     0,
     0,
     SST_BAD,
     nullptr},
    {"an on/off bit reads 0 or 1",
     [](Areas &a) { a.PutDword(1516, 0x80000000); },
     1376,
     false,
     0,
     0,
     0,
     SST_OK,
     [](Areas &a) { return Get(a, 1376).value == 1 && Get(a, 1375).value == 0; }},
    {"an on/off bit is cleared by a zero first byte",
     [](Areas &a) { a.PutDword(1604 + 4260, 0x80000001); },
     2560,
     true,
     VT_LONG,
     4,
     0x100,
     SST_OK,
     [](Areas &a) { return a.DwordAt(1604 + 4260) == 1; }},
    {"an on/off bit is set by a non-zero first byte",
     nullptr,
     4640,
     true,
     VT_LONG,
     4,
     2,
     SST_OK,
     [](Areas &a) { return a.block->bytes[2991] == 0x80; }},
    {"a bit shown as type 8 takes one byte",
     nullptr,
     1296,
     true,
     VT_BYTE,
     1,
     1,
     SST_OK,
     [](Areas &a) {
         Read r = Get(a, 1296);
         return r.value == 1 && r.type == VT_BYTE && r.size == 1;
     }},
    {"a number of the wrong width", nullptr, 8, true, VT_SHORT, 4, 9, SST_SIZE, nullptr},
    {"a type that is not the row's", nullptr, 8, true, VT_WORD, 2, 9, SST_TYPE, nullptr},
    {"type 9 with a NULL record", nullptr, 304, true, VT_LOGFONT, 92, 0, SST_BAD, nullptr},
    {"type 9 too large", nullptr, 304, true, VT_LOGFONT, 93, 1, SST_TOO_LONG, nullptr},
};

TEST(SettingsAccess, EdgeCases)
{
    for (const AccessCase &c : kCases) {
        SCOPED_TRACE(c.why);
        Areas a;
        if (c.prepare != nullptr)
            c.prepare(a);
        std::vector<BYTE> before = a.block != nullptr ? a.Snapshot() : std::vector<BYTE>();
        if (c.write) {
            LOGFONTW font = {};
            const void *record = c.value != 0 ? &font : nullptr;
            WORD status = c.type == VT_LOGFONT ? dma_SetValue(c.fid, a.dm, a.block, c.type, c.size, &record)
                                               : Set(a, c.fid, c.type, c.size, c.value);
            EXPECT_EQ(status, c.status);
            if (status != SST_OK && c.fid != 267) {
                EXPECT_EQ(a.Snapshot(), before) << "a refused write changes nothing";
            }
        } else {
            EXPECT_EQ(Get(a, c.fid).status, c.status);
        }
        if (c.check != nullptr) {
            EXPECT_TRUE(c.check(a));
        }
    }
}

TEST(SettingsAccess, Strings)
{
    Areas a;
    /* 5130 holds 10 bytes: four characters and the terminator. */
    EXPECT_EQ(SetText(a, 5130, TEXT("1234"), 10), SST_OK);
    std::vector<BYTE> before = a.Snapshot();
    EXPECT_EQ(SetText(a, 5130, TEXT("12345"), 12), SST_TOO_LONG) << "no room for the terminator";
    EXPECT_EQ(SetText(a, 5130, TEXT("12345"), 10), SST_TOO_LONG);
    EXPECT_EQ(SetText(a, 5130, TEXT("12"), 4), SST_TOO_LONG) << "string longer than the given size";
    EXPECT_EQ(SetText(a, 5130, nullptr, 4), SST_BAD);
    EXPECT_EQ(a.Snapshot(), before);

    Read r = Get(a, 5130);
    EXPECT_EQ(r.status, SST_OK);
    EXPECT_EQ(r.type, VT_STRING);
    EXPECT_EQ(r.size, 10u);
    EXPECT_EQ(r.value, 1098u) << "the primitive gives the offset";

    /* A place filled without terminator still reports no more than its capacity. */
    memset(a.block->bytes + 1098, 'x', 10);
    EXPECT_EQ(Get(a, 5130).size, 10u);

    /* The wrapper gives a pointer into the area. */
    EXPECT_EQ(SetText(a, 259, TEXT("Model"), 12), SST_OK);
    WORD type;
    DWORD size;
    const WCHAR *text = nullptr;
    EXPECT_EQ(dma_GetFunctionValue(259, a.dm, a.block, &type, &size, &text), SST_OK);
    EXPECT_EQ((const BYTE *)text, a.Bytes(224));
    EXPECT_EQ(size, 12u);
    EXPECT_EQ(dma_GetFunctionValue(1795, a.dm, a.block, &type, &size, &text), SST_OK);
    EXPECT_EQ((const BYTE *)text, a.Bytes(1604 + 4));
    EXPECT_EQ(dma_GetFunctionValue(5121, a.dm, a.block, &type, &size, &text), SST_OK);
    EXPECT_EQ((const BYTE *)text, a.block->bytes + 18);
}

TEST(SettingsAccess, FontRecordWrittenWhole)
{
    Areas a;
    LOGFONTW font = {};
    font.lfHeight = 12;
    font.lfEscapement = 900;
    font.lfOrientation = 900;
    font.lfFaceName[0] = TEXT('A');
    const LOGFONTW *record = &font;
    EXPECT_EQ(dma_SetValue(357, a.dm, a.block, VT_LOGFONT, sizeof font, &record), SST_OK);
    EXPECT_EQ(memcmp(a.Bytes(816), &font, sizeof font), 0);
    EXPECT_EQ(Get(a, 359).value, 12u);
    EXPECT_EQ(Get(a, 364).value, 900u);
    WORD type;
    DWORD size;
    const LOGFONTW *back = nullptr;
    EXPECT_EQ(dma_GetFunctionValue(357, a.dm, a.block, &type, &size, &back), SST_OK);
    EXPECT_EQ((const BYTE *)back, a.Bytes(816));
    EXPECT_EQ(size, 92u);
}

TEST(SettingsAccess, BindingPositionFollowsTheDeviceValue)
{
    Areas a;
    ASSERT_EQ(Set(a, 7, VT_SHORT, 2, 1), SST_OK);  /* portrait */
    ASSERT_EQ(Set(a, 295, VT_WORD, 2, 1), SST_OK); /* one page per sheet: class 1 */
    EXPECT_EQ(Set(a, 320, VT_WORD, 2, 5), SST_OK);
    EXPECT_EQ(Get(a, 326).value, 259u);
    EXPECT_EQ(Set(a, 341, VT_WORD, 2, 5), SST_OK);
    EXPECT_EQ(Get(a, 344).value, 1542u);
    ASSERT_EQ(Set(a, 295, VT_WORD, 2, 2), SST_OK); /* rotation B */
    EXPECT_EQ(Set(a, 320, VT_WORD, 2, 2), SST_OK);
    EXPECT_EQ(Get(a, 326).value, 257u);

    /* No row for three pages per sheet: 326 stays, and the write of 320 stands. */
    ASSERT_EQ(Set(a, 295, VT_WORD, 2, 3), SST_OK);
    EXPECT_EQ(Set(a, 320, VT_WORD, 2, 7), SST_OK);
    EXPECT_EQ(Get(a, 320).value, 7u);
    EXPECT_EQ(Get(a, 326).value, 257u);
}

TEST(SettingsAccess, Wrappers)
{
    Areas a;
    WORD type = 0;
    DWORD size = 0, value = 0xFFFFFFFF;
    EXPECT_EQ(dma_GetFunctionValue(FID_CONSTANT_ZERO, nullptr, nullptr, &type, &size, &value), SST_OK);
    EXPECT_EQ(type, VT_LONG);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(value, 0u);
    EXPECT_EQ(dma_GetFunctionValue(FID_CONSTANT_ZERO, nullptr, nullptr, &type, nullptr, &value), SST_BAD);
    EXPECT_EQ(dma_GetValue(8, a.dm, a.block, &type, &size, nullptr, nullptr), SST_BAD);

    EXPECT_EQ(dma_SetTypedValue(nullptr, a.block, 8, VT_SHORT, 2, 9), -1);
    EXPECT_EQ(dma_SetTypedValue(a.dm, a.block, 8, VT_SHORT, 2, 9), 0);
    EXPECT_EQ(dma_SetTypedValue(a.dm, a.block, 8, VT_SHORT, 4, 9), SST_SIZE) << "a refused write is reported";
    EXPECT_EQ(dma_GetTypedValue(a.dm, a.block, 8, VT_SHORT), 9u);
    EXPECT_EQ(dma_GetTypedValue(a.dm, a.block, 8, VT_LONG), 0u) << "size 2 is not 4";
    EXPECT_EQ(dma_GetTypedValue(nullptr, a.block, 8, VT_SHORT), 0u);
    EXPECT_EQ(dma_GetTypedValue(a.dm, a.block, 304, VT_LOGFONT), 0u);
    EXPECT_EQ(dma_SetTypedValue(a.dm, a.block, 5121, VT_STRING, 8, (DWORD_PTR)TEXT("abc")), 0);
    EXPECT_EQ(dma_GetTypedValue(a.dm, a.block, 5121, VT_STRING), (DWORD_PTR)(a.block->bytes + 18));
    EXPECT_EQ(dma_SetTypedValue(a.dm, a.block, 1300, VT_BYTE, 1, 1), 0);
    EXPECT_EQ(dma_GetTypedValue(a.dm, a.block, 1300, VT_BYTE), 1u);

    EXPECT_TRUE(dma_IsStampSetting(297));
    EXPECT_TRUE(dma_IsStampSetting(319));
    EXPECT_TRUE(dma_IsStampSetting(1288));
    EXPECT_FALSE(dma_IsStampSetting(320));
    EXPECT_FALSE(dma_IsStampSetting(1285));
}

TEST(SettingsAccess, RangeRowsAreWalkedSafely)
{
    WORD kind = 9;
    EXPECT_TRUE(dma_GetRangeStorageKind(6, &kind));
    EXPECT_EQ(kind, SK_SECOND_PART);
    EXPECT_FALSE(dma_GetRangeStorageKind(13, &kind));
    EXPECT_EQ(dma_GetRangeFunctionId(0, 0), 257);
    EXPECT_EQ(dma_GetRangeFunctionId(12, 24), 25);
    EXPECT_EQ(dma_GetRangeFunctionId(12, 25), 0);
    EXPECT_EQ(dma_GetRangeFunctionId(12, 1000), 0) << "past the end of the list";
    EXPECT_EQ(dma_GetRangeFunctionId(13, 0), 0);
}

TEST(SettingsAccess, ShortDevmodeBuffers)
{
    DWORD blocks = qmt_LiveGlobalBlocks();
    DriverDevmode *shortForm = dm_AllocDevmode(DM_FORM_SHORT);
    DriverDevmode *full = dm_AllocDevmode(2);
    ASSERT_TRUE(shortForm && full);
    EXPECT_EQ(GlobalSize(shortForm), 1604u);
    EXPECT_EQ(GlobalSize(full), 5872u);
    EXPECT_EQ(dm_GetShortDriverExtra(), 1384u);
    EXPECT_EQ((BYTE *)dm_GetPrivatePart(full), (BYTE *)full + 220);
    EXPECT_EQ(dm_GetPrivatePart(nullptr), nullptr);
    memset(full, 0x5A, 5872);
    EXPECT_TRUE(dm_CopyDevmode(shortForm, full, DM_FORM_SHORT));
    EXPECT_EQ(((BYTE *)shortForm)[1603], 0x5A);
    EXPECT_EQ(dm_ClearDevmode(full, 0), 0);
    EXPECT_EQ(((BYTE *)full)[5871], 0);
    GlobalFree(shortForm);
    GlobalFree(full);
    EXPECT_EQ(qmt_LiveGlobalBlocks(), blocks);

    qmt_FailAllocations(0, 1);
    EXPECT_EQ(dm_AllocDevmode(1), nullptr);
    qmt_FailAllocations(0, 0);
}

} // namespace
