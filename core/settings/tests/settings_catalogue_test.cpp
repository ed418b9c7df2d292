/*
 * The settings catalogue as generated from settings.csv: counts, types, places inside
 * their areas, no shared place but the intended ones, and every fixed row as it stands
 * in the table below (transcribed here, never read back from the catalogue's source).
 */
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "core/settings/settings.h"
#include "core/settings/settings_tables.h"

namespace {

struct RangeFact {
    WORD kind, first, last, rows, descriptors, group;
};

/* Range table in lookup order with its location rows and descriptors per group. */
const RangeFact kRanges[13] = {
    {0, 257, 303, 45, 45, 5},
    {0, 304, 351, 46, 34, 6},
    {0, 352, 399, 47, 36, 7},
    {0, 400, 447, 28, 27, 8},
    {0, 448, 483, 36, 36, 9},
    {0, 1281, 1376, 96, 95, 10},
    {1, 1793, 1879, 87, 86, 11},
    {1, 2305, 2560, 255, 256, 12},
    {2, 4097, 4371, 83, 83, 0},
    {2, 4609, 4640, 32, 32, 1},
    {2, 5121, 5207, 77, 77, 2},
    {2, 5633, 8215, 297, 215, 3},
    {0, 1, 25, 25, 23, 4},
};

/* A fixed row; -1 where only part of it is fixed. */
struct Pin {
    int fid, kind, stored, presented, offset, capacity;
};

const Pin kPins[] = {
    /* public DEVMODEW fields */
    {1, 0, 6, 0, 0, 64},
    {2, 0, 3, 0, 64, 0},
    {3, 0, 3, 0, 66, 0},
    {4, 0, 3, 0, 68, 0},
    {5, 0, 3, 0, 70, 0},
    {6, 0, 5, 0, 72, 0},
    {7, 0, 2, 0, 76, 0},
    {8, 0, 2, 0, 78, 0},
    {9, 0, 2, 0, 80, 0},
    {10, 0, 2, 0, 82, 0},
    {11, 0, 2, 0, 84, 0},
    {12, 0, 2, 0, 86, 0},
    {13, 0, 2, 0, 88, 0},
    {14, 0, 5, 0, 90, 0},
    {15, 0, 2, 0, 92, 0},
    {16, 0, 2, 0, 94, 0},
    {17, 0, 2, 0, 98, 0},
    {18, 0, 2, 0, 100, 0},
    {19, 0, 6, 0, 102, 64},
    {20, 0, 2, 0, 90, 0},
    {21, 0, 2, 0, 96, 0},
    {22, 0, 5, 0, 188, 0},
    {23, 0, 5, 0, 192, 0},
    {24, 0, 5, 0, 196, 0},
    {25, 0, 5, 0, 200, 0},
    /* rows other components rely on */
    {257, 0, 3, 0, 220, 0},
    {258, 0, 3, 0, 222, 0},
    {259, 0, 6, 0, 224, 64},
    {297, 0, 6, 0, 382, 66},
    {298, 0, 6, 0, 382, 66},
    {299, 0, 6, 0, 448, 130},
    {374, 0, 6, 0, 930, 258},
    {375, 0, 6, 0, 1188, 258},
    {1793, 1, 3, 0, 0, 0},
    {1795, 1, 6, 0, 4, 258},
    {1863, 1, 2, 0, 3816, 0},
    {1864, 1, 2, 0, 3818, 0},
    {5121, 2, 6, 0, 18, 66},
    {5130, 2, 6, 0, 1098, 10},
    {5159, 2, 6, 0, 3052, 34},
    {8215, 2, 3, 0, 5444, 0},
    /* bytes of the four words */
    {392, 0, 5, 0, 356, 0},
    {393, 0, 5, 0, 356, 0},
    {394, 0, 5, 0, 356, 0},
    {395, 0, 5, 0, 360, 0},
    {396, 0, 5, 0, 360, 0},
    {397, 0, 5, 0, 360, 0},
    {398, 0, 5, 0, 364, 0},
    {399, 0, 5, 0, 364, 0},
    {400, 0, 5, 0, 364, 0},
    {401, 0, 5, 0, 368, 0},
    {402, 0, 5, 0, 368, 0},
    {403, 0, 5, 0, 368, 0},
    /* the two font records and their members */
    {304, 0, 9, 0, 588, 92},
    {306, 0, 10, 0, 588, 0},
    {319, 0, 10, 0, 592, 0},
    {309, 0, 10, 0, 596, 0},
    {311, 0, 10, 0, 596, 0},
    {310, 0, 10, 0, 600, 0},
    {307, 0, 10, 0, 604, 0},
    {308, 0, 8, 0, 608, 0},
    {312, 0, 8, 0, 609, 0},
    {313, 0, 8, 0, 610, 0},
    {314, 0, 8, 0, 611, 0},
    {315, 0, 8, 0, 612, 0},
    {316, 0, 8, 0, 613, 0},
    {317, 0, 8, 0, 614, 0},
    {318, 0, 8, 0, 615, 0},
    {305, 0, 6, 0, 616, 64},
    {357, 0, 9, 0, 816, 92},
    {359, 0, 10, 0, 816, 0},
    {372, 0, 10, 0, 820, 0},
    {362, 0, 10, 0, 824, 0},
    {364, 0, 10, 0, 824, 0},
    {363, 0, 10, 0, 828, 0},
    {360, 0, 10, 0, 832, 0},
    {361, 0, 8, 0, 836, 0},
    {365, 0, 8, 0, 837, 0},
    {366, 0, 8, 0, 838, 0},
    {367, 0, 8, 0, 839, 0},
    {368, 0, 8, 0, 840, 0},
    {369, 0, 8, 0, 841, 0},
    {370, 0, 8, 0, 842, 0},
    {371, 0, 8, 0, 843, 0},
    {358, 0, 6, 0, 844, 64},
    {335, 0, 8, 3, 749, 0},
    {483, 0, 8, 3, 749, 0},
    /* user setting record fields */
    {8203, 2, 3, 0, 0, 0},
    {8204, 2, 3, 0, 2, 0},
    {8202, 2, 3, 0, 4, 0},
    {5137, 2, 3, 0, 6, 0},
    {5146, 2, 3, 0, -1, 0},
    {5178, 2, 3, 0, -1, 0},
    {5165, 2, 8, 0, -1, 0},
    {5183, 2, 8, 0, -1, 0},
    {5169, 2, 1, 0, -1, 0},
    {5171, 2, 1, 0, -1, 0},
    {5173, 2, 1, 0, -1, 0},
    {5129, 2, 6, 0, -1, 50},
    {5147, 2, 6, 0, -1, 258},
    {5150, 2, 6, 0, -1, 66},
    {5148, 2, 6, 0, -1, 26},
    {5161, 2, 6, 0, -1, 34},
    {5167, 2, 6, 0, -1, 66},
    {5180, 2, 6, 0, -1, 50},
    {5182, 2, 6, 0, -1, 34},
    {5174, 2, 6, 0, -1, 66},
    {5175, 2, 6, 0, -1, 34},
    {5176, 2, 6, 0, -1, 66},
    {5184, 2, 6, 0, -1, 50},
    {5185, 2, 6, 0, -1, 34},
    /* stamp, named text, paper margin and fax destination records */
    {301, 0, 5, 0, -1, 0},
    {303, 0, 3, 0, -1, 0},
    {1819, 1, 6, 0, -1, 82},
    {1820, 1, 6, 0, -1, 82},
    {1821, 1, 6, 0, -1, 418},
    {1822, 1, 6, 0, -1, 62},
    {1823, 1, 6, 0, -1, 62},
    {1824, 1, 3, 0, -1, 0},
    {1825, 1, 4, 0, -1, 0},
    {1826, 1, 4, 0, -1, 0},
    {1827, 1, 4, 0, -1, 0},
    {1828, 1, 4, 0, -1, 0},
    {1794, 1, 3, 0, 2, 0},
    {1796, 1, 3, 0, 262, 0},
    {1797, 1, 6, 0, 264, 82},
    {1798, 1, 6, 0, 346, 166},
    {1810, 1, 3, 0, 512, 0},
    {1811, 1, 3, 0, 514, 0},
    {1812, 1, 3, 0, 516, 0},
    {1813, 1, 6, 0, 518, 18},
    {1814, 1, 3, 0, 536, 0},
    {1815, 1, 3, 0, 538, 0},
    {1816, 1, 6, 0, 540, 120},
    {1817, 1, 6, 0, 660, 42},
    {1818, 1, 6, 0, 702, 42},
    {1805, 1, 6, 0, -1, 12},
    {1806, 1, 6, 0, -1, 58},
    {5141, 2, 6, 0, -1, 12},
    {5143, 2, 6, 0, -1, 12},
    {5142, 2, 3, 0, -1, 0},
    {5144, 2, 3, 0, -1, 0},
    {5145, 2, 3, 0, -1, 0},
    /* single facts */
    {329, 0, 6, 0, -1, -1},
    {380, 0, 3, 0, -1, 0},
    {8205, 2, 5, 0, -1, 0},
    {13, 0, 2, 0, 88, 0},
    {262, 0, 2, 0, -1, 0},
    {265, 0, 3, 0, -1, 0},
    {388, 0, 3, 0, -1, 0},
    {453, 0, 3, 0, -1, 0},
    {273, 0, 5, 0, -1, 0},
    {266, 0, 3, 0, -1, 0},
    {296, 0, 3, 0, -1, 0},
    {351, 0, 3, 0, -1, 0},
    {352, 0, 3, 0, -1, 0},
    {353, 0, 3, 0, -1, 0},
    {354, 0, 3, 0, -1, 0},
    {355, 0, 3, 0, -1, 0},
    {356, 0, 3, 0, -1, 0},
    {407, 0, 3, 0, -1, 0},
    {408, 0, 3, 0, -1, 0},
    {409, 0, 3, 0, -1, 0},
    {469, 0, 3, 0, -1, 0},
    {8201, 2, 1, 0, -1, 0},
    {5199, 2, 1, 0, -1, 0},
    {8208, 2, 3, 0, -1, 0},
    {8212, 2, 6, 0, -1, -1},
    {8213, 2, 6, 0, -1, -1},
    {8214, 2, 8, 0, -1, 0},
    {1832, 1, 6, 0, -1, 258},
    {1833, 1, 6, 0, -1, 258},
    {1855, 1, 5, 0, -1, 0},
    /* protected texts and the short stored-job texts */
    {5160, 2, 6, 0, -1, 42},
    {5181, 2, 6, 0, -1, 42},
    {1858, 1, 6, 0, -1, 58},
    {338, 0, 6, 0, -1, 20},
    {340, 0, 6, 0, -1, 20},
};

/* Bytes presented as type 3. */
const int kBytesAsWord[] = {264, 267, 270, 272, 286, 287, 288, 291, 292, 293, 294, 295, 300, 302, 320, 321,
                            322, 323, 325, 328, 330, 331, 332, 334, 335, 336, 339, 341, 342, 343, 345, 376,
                            377, 379, 381, 382, 383, 386, 387, 390, 391, 404, 405, 406, 412, 413, 456, 483};

/* One byte, type 8, no presented type. */
const int kPlainBytes[] = {346, 437, 438, 439, 441, 442, 445, 446,  448,  451,  452, 454,
                           455, 457, 459, 463, 466, 467, 473, 4367, 5164, 5202, 5204};

/* Runs of on/off settings: first, last, word offset. */
struct FlagRun {
    int first, last, kind, offset;
};
const FlagRun kFlagRuns[] = {
    {1281, 1312, 0, 288},
    {1313, 1344, 0, 292},
    {1345, 1376, 0, 1516},
    {2305, 2336, 1, 3960},
    {2337, 2368, 1, 3964},
    {2369, 2400, 1, 3968},
    {2401, 2432, 1, 3972},
    {2433, 2464, 1, 3976},
    {2465, 2496, 1, 3980},
    {2497, 2528, 1, 3984},
    {2529, 2560, 1, 4260},
    {4097, 4128, 2, 8},
    {4129, 4160, 2, 4444},
    {4609, 4640, 2, 2988},
};

/* Numbers of the ranges that are no settings. */
bool IsGap(int fid)
{
    static const int kGaps[] = {
        289, 290, 337, 347, 378, 2490, 5122, 5124, 5125, 5128, 5133, 5139, 5140, 5151, 5154, 5158};
    for (int g : kGaps)
        if (g == fid)
            return true;
    return (fid >= 415 && fid <= 434) || (fid >= 4161 && fid <= 4352);
}

/* FunctionIDs of the groups 0-12 that must have a row (group 3: all but its reserved rows). */
bool MustExist(int fid)
{
    for (const RangeFact &r : kRanges) {
        if (fid < r.first || fid > r.last)
            continue;
        if (r.group == 3)
            return (fid >= 5889 && fid <= 5948) || (fid >= 6145 && fid <= 6324) || (fid >= 6401 && fid <= 6420) ||
                   (fid >= 8201 && fid <= 8215);
        return !IsGap(fid);
    }
    return false;
}

struct Row {
    const SettingLocation *loc;
    WORD kind;
    int range;
};

std::vector<Row> AllRows()
{
    std::vector<Row> rows;
    for (int i = 0; g_SettingLocationRanges[i].locations != nullptr; ++i)
        for (const SettingLocation *l = g_SettingLocationRanges[i].locations; l->functionId != 0; ++l)
            rows.push_back({l, g_SettingLocationRanges[i].storageKind, i});
    return rows;
}

const SettingLocation *Find(int fid, WORD *kind = nullptr)
{
    return dma_FindSettingRow((WORD)fid, kind);
}

/* The bytes a row touches, as one or two extents [begin, end). */
struct Extent {
    int fid, kind, begin, end;
};

void AddExtents(const Row &r, std::vector<Extent> &out)
{
    const SettingLocation *l = r.loc;
    int fid = l->functionId, off = (int)l->offset;
    if (fid == 14) { /* dmPrintQuality and dmYResolution */
        out.push_back({fid, r.kind, 90, 92});
        out.push_back({fid, r.kind, 96, 98});
        return;
    }
    int size = (l->storedType == 6 || l->storedType == 9) ? (int)l->capacity : (int)dma_GetTypeWidth(l->storedType);
    if (fid == 311 || fid == 364) /* escapement and orientation together */
        size = 8;
    out.push_back({fid, r.kind, off, off + size});
}

bool InRecord(int fid, int record)
{
    return record == 304 ? fid >= 305 && fid <= 319 : fid >= 358 && fid <= 372;
}

bool IsFlag(int fid)
{
    for (const FlagRun &run : kFlagRuns)
        if (fid >= run.first && fid <= run.last)
            return true;
    return false;
}

/* The places the layout shares on purpose. */
bool SharingAllowed(int a, int b)
{
    if (a > b)
        std::swap(a, b);
    if (IsFlag(a) && IsFlag(b))
        return true; /* bits of one word; different words never overlap */
    if (a >= 392 && b <= 403)
        return true;
    if (a == 14 && (b == 20 || b == 21))
        return true;
    if (a == 297 && b == 298)
        return true;
    if (a == 335 && b == 483)
        return true;
    if (a >= 309 && b <= 311)
        return true;
    if (a >= 362 && b <= 364)
        return true;
    if ((a == 304 && InRecord(b, 304)) || (a == 357 && InRecord(b, 357)))
        return true;
    return false;
}

TEST(SettingsCatalogue, RangesRowsAndDescriptorsPerGroup)
{
    int total = 0;
    for (int i = 0; i < 13; ++i) {
        const SettingLocationRange &range = g_SettingLocationRanges[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(range.storageKind, kRanges[i].kind);
        EXPECT_EQ(range.firstId, kRanges[i].first);
        EXPECT_EQ(range.lastId, kRanges[i].last);
        int n = 0, previous = 0;
        for (const SettingLocation *l = range.locations; l->functionId != 0; ++l, ++n) {
            EXPECT_GT(l->functionId, previous) << "rows in FunctionID order";
            EXPECT_GE(l->functionId, range.firstId);
            EXPECT_LE(l->functionId, range.lastId);
            EXPECT_EQ(l->reserved, 0);
            previous = l->functionId;
        }
        EXPECT_EQ(n, kRanges[i].rows);
        total += n;

        const FunctionIdRange &group = g_FunctionIdRanges[i];
        EXPECT_EQ(group.group, kRanges[i].group);
        EXPECT_EQ(group.firstId, kRanges[i].first);
        EXPECT_EQ(group.lastId, kRanges[i].last);
        const SettingGroup &descriptors = g_SettingGroups[i];
        EXPECT_EQ(descriptors.group, kRanges[i].group);
        EXPECT_EQ(descriptors.storageKind, kRanges[i].kind);
        EXPECT_EQ(descriptors.count, kRanges[i].descriptors);
        for (DWORD d = 0; d < descriptors.count; ++d) {
            DWORD fid = descriptors.descriptors[d].functionId;
            EXPECT_GE(fid, kRanges[i].first);
            EXPECT_LE(fid, kRanges[i].last);
            if (fid != 2490) {
                EXPECT_NE(Find((int)fid), nullptr) << fid << " has a descriptor but no row";
            }
        }
        EXPECT_EQ(descriptors.descriptors[descriptors.count].functionId, 0u);
    }
    EXPECT_EQ(total, 1154);
    EXPECT_EQ(g_SettingLocationRanges[13].locations, nullptr);
    EXPECT_EQ(g_FunctionIdRanges[13].group, SETTING_GROUP_END);
    EXPECT_EQ(g_SettingGroups[13].group, SETTING_GROUP_END);

    /* 2490 is a descriptor without a row; group 4 has no descriptor for 20 and 21. */
    EXPECT_EQ(Find(2490), nullptr);
    std::set<DWORD> group4;
    for (DWORD d = 0; d < g_SettingGroups[12].count; ++d)
        group4.insert(g_SettingGroups[12].descriptors[d].functionId);
    EXPECT_EQ(group4.count(20), 0u);
    EXPECT_EQ(group4.count(21), 0u);
    EXPECT_EQ(group4.size(), 23u);
}

TEST(SettingsCatalogue, WhichFunctionIdsAreSettings)
{
    for (const RangeFact &r : kRanges)
        for (int fid = r.first; fid <= r.last; ++fid) {
            if (MustExist(fid)) {
                EXPECT_NE(Find(fid), nullptr) << fid;
            } else if (r.group != 3) {
                EXPECT_EQ(Find(fid), nullptr) << fid;
            }
        }
    EXPECT_EQ(Find(0), nullptr);
    EXPECT_EQ(Find(600), nullptr);
    EXPECT_EQ(Find(FID_CONSTANT_ZERO), nullptr);
}

TEST(SettingsCatalogue, TypesCapacitiesAndPlacesInsideTheirAreas)
{
    for (const Row &r : AllRows()) {
        const SettingLocation *l = r.loc;
        SCOPED_TRACE(l->functionId);
        EXPECT_TRUE(l->storedType >= 1 && l->storedType <= 10 && l->storedType != 7);
        EXPECT_TRUE(l->presentedType == 0 || (l->presentedType <= 10 && l->presentedType != 7));
        if (l->storedType == 6) {
            EXPECT_TRUE(l->capacity >= 4 && l->capacity % 2 == 0);
        } else if (l->storedType == 9) {
            EXPECT_EQ(l->capacity, 92u);
        } else {
            EXPECT_EQ(l->capacity, 0u);
        }
        DWORD size = l->capacity != 0 ? l->capacity : dma_GetTypeWidth(l->storedType);
        DWORD end = l->offset + size;
        if (l->functionId == 311 || l->functionId == 364)
            end += 4;
        switch (r.kind) {
        case 0:
            EXPECT_LE(end, 1604u);
            if (l->functionId > 25) {
                EXPECT_GE(l->offset, 220u) << "private rows start after the public fields";
            }
            break;
        case 1: EXPECT_LE(end, 4268u); break;
        default:
            if (l->functionId == 8215) {
                EXPECT_LE(end, 5452u);
            } else {
                EXPECT_LE(end, 5444u) << "8215 holds the block's last place";
            }
            break;
        }
        if (IsFlag(l->functionId) || l->storedType == VT_LOGFONT) {
            EXPECT_EQ(l->offset % 4, 0u);
        }
    }
}

TEST(SettingsCatalogue, NoSharedPlaceButTheIntendedOnes)
{
    std::vector<Extent> extents;
    for (const Row &r : AllRows())
        AddExtents(r, extents);
    for (size_t i = 0; i < extents.size(); ++i)
        for (size_t j = i + 1; j < extents.size(); ++j) {
            const Extent &a = extents[i], &b = extents[j];
            if (a.kind != b.kind || a.fid == b.fid || a.end <= b.begin || b.end <= a.begin)
                continue;
            EXPECT_TRUE(SharingAllowed(a.fid, b.fid)) << a.fid << " and " << b.fid << " overlap";
        }
}

TEST(SettingsCatalogue, FixedRowsAsTranscribed)
{
    for (const Pin &p : kPins) {
        SCOPED_TRACE(p.fid);
        WORD kind = 99;
        const SettingLocation *l = Find(p.fid, &kind);
        ASSERT_NE(l, nullptr);
        EXPECT_EQ(kind, p.kind);
        EXPECT_EQ(l->storedType, p.stored);
        EXPECT_EQ(l->presentedType, p.presented);
        if (p.offset >= 0) {
            EXPECT_EQ((int)l->offset, p.offset);
        }
        if (p.capacity >= 0) {
            EXPECT_EQ((int)l->capacity, p.capacity);
        }
    }
    for (int fid : kBytesAsWord) {
        const SettingLocation *l = Find(fid);
        ASSERT_NE(l, nullptr) << fid;
        EXPECT_EQ(l->storedType, VT_BYTE) << fid;
        EXPECT_EQ(l->presentedType, VT_WORD) << fid;
    }
    for (int fid : kPlainBytes) {
        const SettingLocation *l = Find(fid);
        ASSERT_NE(l, nullptr) << fid;
        EXPECT_EQ(l->storedType, VT_BYTE) << fid;
        EXPECT_EQ(l->presentedType, 0) << fid;
    }
    for (const FlagRun &run : kFlagRuns)
        for (int fid = run.first; fid <= run.last; ++fid) {
            WORD kind;
            const SettingLocation *l = Find(fid, &kind);
            if (fid == 2490) {
                EXPECT_EQ(l, nullptr);
                continue;
            }
            ASSERT_NE(l, nullptr) << fid;
            EXPECT_EQ(kind, run.kind) << fid;
            EXPECT_EQ((int)l->offset, run.offset) << fid;
            EXPECT_EQ(l->storedType, VT_LONG) << fid;
            DWORD mask = 0;
            EXPECT_TRUE(dma_GetFlagMask((WORD)fid, &mask));
            EXPECT_EQ(mask, 1ul << (fid - run.first)) << fid;
            int presented = fid == 1284 ? 5 : (fid >= 1296 && fid <= 1302) ? 8 : (fid == 1322 || fid == 1332) ? 3 : 0;
            EXPECT_EQ(l->presentedType, presented) << fid;
        }
    for (int i = 0; i < 20; ++i) { /* user paper slots */
        int base = i < 10 ? 1758 + 68 * i : 3156 + 68 * (i - 10);
        const SettingLocation *w = Find(5889 + i), *h = Find(5909 + i), *n = Find(5929 + i);
        ASSERT_TRUE(w && h && n) << i;
        EXPECT_EQ((int)w->offset, base);
        EXPECT_EQ(w->storedType, VT_WORD);
        EXPECT_EQ((int)h->offset, base + 2);
        EXPECT_EQ(h->storedType, VT_WORD);
        EXPECT_EQ((int)n->offset, base + 4);
        EXPECT_EQ(n->storedType, VT_STRING);
        EXPECT_EQ(n->capacity, 64u);
    }
    /* One unnamed installable option holds the 16-bit "stapling available" at block byte 1120. */
    int stapling = 0;
    for (int fid = 4353; fid <= 4371; ++fid) {
        WORD kind;
        const SettingLocation *l = Find(fid, &kind);
        if (l != nullptr && kind == 2 && l->offset == 1120 && dma_GetTypeWidth(l->storedType) == 2)
            ++stapling;
    }
    EXPECT_EQ(stapling, 1);
}

/* The on/off ranges named in function_ids.h are the ranges settings access searches: every
 * bound has a mask, the FunctionIDs just outside a range have none. */
TEST(SettingsCatalogue, OnOffRangesNamedAsSearched)
{
    const struct {
        int first, last;
    } named[FLAG_RANGE_COUNT] = {
        {FID_DEVMODE_FLAGS_FIRST, FID_DEVMODE_FLAGS_LAST},
        {FID_SECOND_PART_FLAGS_FIRST, FID_SECOND_PART_FLAGS_LAST},
        {FID_OPTION_FLAGS_FIRST, FID_OPTION_FLAGS_LAST},
        {FID_BLOCK_FLAGS_FIRST, FID_BLOCK_FLAGS_LAST},
    };
    for (int i = 0; i < FLAG_RANGE_COUNT; ++i) {
        EXPECT_EQ(g_FlagRanges[i].firstId, named[i].first) << i;
        EXPECT_EQ(g_FlagRanges[i].lastId, named[i].last) << i;
        DWORD mask = 0;
        EXPECT_TRUE(dma_GetFlagMask((WORD)named[i].first, &mask)) << named[i].first;
        EXPECT_EQ(mask, 1ul);
        EXPECT_TRUE(dma_GetFlagMask((WORD)named[i].last, &mask)) << named[i].last;
        EXPECT_FALSE(dma_GetFlagMask((WORD)(named[i].first - 1), &mask)) << named[i].first - 1;
        EXPECT_FALSE(dma_GetFlagMask((WORD)(named[i].last + 1), &mask)) << named[i].last + 1;
    }
}

} // namespace
