/*
 * Records of the entry lists through the exports: the field maps against the catalogue,
 * the identifiers of each target, record names, round trips between entries and settings,
 * deleted entries, and refusals that must leave every byte as it was.
 */
#include "devmode_access/tests/dma_api.h"

#include <functional>
#include <memory>
#include <string>

#include "core/faxlist/fax_list.h"
#include "core/settings/settings_tables.h"
#include "core/stamps/stamp_record.h"
#include "core/user_registry/paper_margins.h"
#include "devmode_access/dma_private.h"

namespace {

/* Copies an ASCII text into a wide field, which may lie at any address. */
void PutWide(void *field, const char *text)
{
    for (size_t i = 0;; ++i) {
        WCHAR c = (WCHAR)(BYTE)text[i];
        memcpy((BYTE *)field + i * sizeof(WCHAR), &c, sizeof(c));
        if (text[i] == 0)
            break;
    }
}

class DmaRecords : public ::testing::Test
{
protected:
    void SetUp() override
    {
        api_.load();
    }

    /* Writes a number setting in its own type and width. */
    void Set(WORD functionId, DWORD value)
    {
        WORD type;
        DWORD size;
        BYTE current[4];
        ASSERT_EQ(SST_OK, dma_GetValue(functionId, &a_->devmode, &a_->block, &type, &size, current, nullptr));
        BYTE slot[4] = {};
        ASSERT_TRUE(dma_StoreValueInSlot(type, slot, &value));
        ASSERT_EQ(SST_OK, dma_SetValue(functionId, &a_->devmode, &a_->block, type, size, slot)) << functionId;
    }

    DWORD Get(WORD functionId)
    {
        WORD type;
        DWORD size;
        DWORD value = 0;
        EXPECT_EQ(SST_OK, dma_GetValue(functionId, &a_->devmode, &a_->block, &type, &size, &value, nullptr));
        return value;
    }

    void SetText(WORD functionId, const char *text)
    {
        WCHAR wide[300];
        PutWide(wide, text);
        DWORD size = dma_GetValueSize(VT_STRING, wide, (DWORD)-1);
        ASSERT_EQ(0, dma_SetTypedValue(&a_->devmode, &a_->block, functionId, VT_STRING, size, (DWORD_PTR)wide));
    }

    /* Fills every setting of a kind's map with a value of its own. */
    void FillMap(const DmaKind *kind)
    {
        for (DWORD i = 0; i < kind->fields; ++i) {
            const DmaField &f = kind->map[i];
            if (f.type == VT_STRING) {
                SetText(f.functionId, ("F" + std::to_string(f.functionId)).c_str());
            } else if (f.type == VT_LOGFONT) {
                LOGFONTW font = {};
                font.lfHeight = -40;
                font.lfWeight = 700;
                PutWide(font.lfFaceName, "Face");
                const void *p = &font;
                ASSERT_EQ(SST_OK, dma_SetValue(f.functionId, &a_->devmode, &a_->block, VT_LOGFONT, 92, &p));
            } else {
                // On/off settings hold 0 or 1; the others a value of their own.
                Set(f.functionId, f.type == VT_LONG ? 1 : f.type == VT_BYTE ? 0x80 + i : 0x100 + f.functionId);
            }
        }
    }

    DmaApi api_;
    std::unique_ptr<DmaAreas> a_ = std::make_unique<DmaAreas>();
};

TEST(DmaKinds, FieldMapsMatchTheCatalogueAndFillTheirRecords)
{
    for (DWORD k = DMA_KIND_STAMP; k <= DMA_KIND_FAX_DESTINATION; ++k) {
        const DmaKind *kind = dma_FindKind(k);
        ASSERT_NE(nullptr, kind) << k;
        EXPECT_EQ((LONG)kind->recordSize, DMA_QueryStructSize(k));
        DWORD end = 0, covered = 0;
        for (DWORD i = 0; i < kind->fields; ++i) {
            const DmaField &f = kind->map[i];
            const SettingLocation *row = dma_FindSettingRow(f.functionId, nullptr);
            ASSERT_NE(nullptr, row) << f.functionId;
            EXPECT_EQ(row->storedType, f.type) << f.functionId;
            if (f.type == VT_STRING || f.type == VT_LOGFONT) {
                EXPECT_EQ(row->capacity, f.size) << f.functionId;
            } else {
                EXPECT_LE(dma_GetTypeWidth(f.type), f.size) << f.functionId;
            }
            EXPECT_LE(end, f.offset) << f.functionId; // in record order, no overlap
            end = f.offset + f.size;
            covered += f.size;
        }
        EXPECT_LE(end, kind->recordSize);
        // Every byte is a field's, but the paper margin entry's: its margins follow the map.
        EXPECT_EQ(k == DMA_KIND_PAPER_MARGIN ? sizeof(WORD) : kind->recordSize, covered) << k;
    }
    EXPECT_EQ(nullptr, dma_FindKind(1));
    EXPECT_EQ(nullptr, dma_FindKind(6));
}

TEST_F(DmaRecords, ListsTheIdentifiersOfEachTarget)
{
    struct Case {
        DWORD target;
        std::vector<DmaIdEntry> expected;
    };
    auto id = [](WORD functionId, DWORD flags) { return DmaIdEntry{dma_FunctionIdToPublicId(functionId), flags}; };
    std::vector<DmaIdEntry> all;
    for (const SettingLocationRange *range = g_SettingLocationRanges; range->locations != nullptr; ++range) {
        for (const SettingLocation *row = range->locations; row->functionId != 0; ++row) {
            if (dma_FunctionIdToPublicId(row->functionId) != 0)
                all.push_back(id(row->functionId,
                                 row->storedType == VT_STRING    ? DMA_ID_STRING
                                 : row->storedType == VT_LOGFONT ? DMA_ID_LOGFONT
                                                                 : 0));
        }
    }
    const Case cases[] = {
        {DMA_TARGET_ALL_SETTINGS, all},
        {DMA_KIND_STAMP,
         {id(297, 1),
          id(299, 1),
          id(301, 0),
          id(300, 0),
          id(1287, 0),
          id(302, 0),
          id(303, 0),
          id(1288, 0),
          id(304, 2)}},
        {DMA_KIND_NAMED_TEXT, {id(1819, 1), id(1820, 1), id(1821, 1), id(1822, 1), id(1823, 1)}},
        {DMA_KIND_PAPER_MARGIN, {id(1827, 0), id(1828, 0), id(1826, 0), id(1825, 0)}},
        {DMA_KIND_FAX_DESTINATION,
         {id(1794, 0),
          id(1795, 1),
          id(1796, 0),
          id(1797, 1),
          id(1798, 1),
          id(1810, 0),
          id(1811, 0),
          id(1812, 0),
          id(1813, 1),
          id(1814, 0),
          id(1815, 0),
          id(1816, 1),
          id(1817, 1),
          id(1818, 1)}},
    };
    for (const Case &c : cases) {
        WORD count = 0;
        ASSERT_EQ(DMA_MORE_DATA, api_.EnumIds(&a_->handle, c.target, &count, nullptr)) << c.target;
        ASSERT_EQ(c.expected.size(), count) << c.target;
        // Flags of the program's own in the other bits stay; the type bits are set.
        std::vector<DmaIdEntry> list(count + 1, DmaIdEntry{0xEEEE, 0xF0000003});
        ASSERT_EQ(DMA_SUCCESS, api_.EnumIds(&a_->handle, c.target, &count, list.data())) << c.target;
        EXPECT_EQ(c.expected.size(), count);
        for (size_t i = 0; i < c.expected.size(); ++i) {
            EXPECT_NE(0u, list[i].publicId) << c.target;
            EXPECT_EQ(c.expected[i].publicId, list[i].publicId) << c.target << " #" << i;
            EXPECT_EQ(0xF0000000 | c.expected[i].flags, list[i].flags) << c.target << " #" << i;
        }
        EXPECT_EQ(0xEEEEu, list[count].publicId) << "nothing past the list";
    }
    ASSERT_GT(all.size(), 1000u);

    // A short list: as many as fit, the total in the count, -5.
    std::vector<DmaIdEntry> list(4, DmaIdEntry{0xEEEE, 0});
    WORD count = 3;
    EXPECT_EQ(DMA_MORE_DATA, api_.EnumIds(&a_->handle, DMA_TARGET_ALL_SETTINGS, &count, list.data()));
    EXPECT_EQ(all.size(), count);
    EXPECT_EQ(all[2].publicId, list[2].publicId);
    EXPECT_EQ(0xEEEEu, list[3].publicId);

    for (DWORD target : {0u, 6u, 7u, 0xFFFFFFFFu})
        EXPECT_EQ(DMA_KIND_RANGE, api_.EnumIds(&a_->handle, target, &count, list.data())) << target;
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.EnumIds(nullptr, 2, &count, list.data()));
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.EnumIds(&a_->handle, 2, nullptr, list.data()));
}

TEST_F(DmaRecords, NamesOfRecords)
{
    StampRecord stamp = {};
    PutWide(stamp.name, "Mine");
    BYTE text[706] = {};
    PutWide(text, "Text record");
    PaperMarginEntry margin = {65535, 0, {}};
    PaperMarginEntry zero = {};
    struct Case {
        const void *record;
        DWORD kind;
        const char *name;
    };
    const Case cases[] = {
        {&stamp, DMA_KIND_STAMP, "Mine"},
        {text, DMA_KIND_NAMED_TEXT, "Text record"},
        {&margin, DMA_KIND_PAPER_MARGIN, "65535"},
        {&zero, DMA_KIND_PAPER_MARGIN, "0"},
    };
    for (const Case &c : cases) {
        DWORD size = 0;
        ASSERT_EQ(DMA_MORE_DATA, api_.GetNameFromInfo(c.record, c.kind, &size, nullptr)) << c.name;
        EXPECT_EQ(strlen(c.name) + 1, size);
        std::string name(size + 2, '#');
        DWORD small = size - 1;
        EXPECT_EQ(DMA_MORE_DATA, api_.GetNameFromInfo(c.record, c.kind, &small, name.data()));
        EXPECT_EQ(size, small);
        EXPECT_EQ('#', name[0]) << "nothing written into a short buffer";
        ASSERT_EQ(DMA_SUCCESS, api_.GetNameFromInfo(c.record, c.kind, &size, name.data()));
        EXPECT_STREQ(c.name, name.c_str());
        EXPECT_EQ("##", name.substr(strlen(c.name) + 1));
    }
    DWORD size = 100;
    char name[100];
    EXPECT_EQ(DMA_KIND_RANGE, api_.GetNameFromInfo(&stamp, DMA_KIND_FAX_DESTINATION, &size, name));
    EXPECT_EQ(DMA_KIND_RANGE, api_.GetNameFromInfo(&stamp, 1, &size, name));
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.GetNameFromInfo(nullptr, DMA_KIND_STAMP, &size, name));
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.GetNameFromInfo(&stamp, DMA_KIND_STAMP, nullptr, name));
    for (WCHAR &c : stamp.name)
        c = 'x'; // no end inside the field
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.GetNameFromInfo(&stamp, DMA_KIND_STAMP, &size, name));
}

/* Kinds 2, 3 and 5: the settings captured into the list's last entry hold every setting in
 * its field, and made accessible again over cleared areas they give back the same areas. */
TEST_F(DmaRecords, RecordsRoundTripThroughTheSettings)
{
    struct Case {
        DWORD kind;
        const char *name; // the name to give, or the position
    };
    const Case cases[] = {
        {DMA_KIND_STAMP, "Mine"},
        {DMA_KIND_NAMED_TEXT, "Texts"},
        {DMA_KIND_FAX_DESTINATION, DMA_POSITION(2)},
    };
    for (const Case &c : cases) {
        a_ = std::make_unique<DmaAreas>();
        const DmaKind *kind = dma_FindKind(c.kind);
        FillMap(kind);
        if (kind->nameForm == DMA_NAME_TEXT)
            SetText(kind->map[0].functionId, c.name); // the record's name is one of its settings
        DmaAreas::Snapshot filled;
        a_->save(&filled);
        DmaEntries entries(2, kind->recordSize + 6);
        memset(entries.bytes.data(), 0xA5, entries.bytes.size()); // wide fields must come out zero-extended
        std::vector<BYTE> first(entries.at(0), entries.at(1));
        entries.attach(dma_KindList(&a_->handle, kind));
        memset(a_->faxList, 0, 16);

        ASSERT_EQ(DMA_SUCCESS, api_.ApplyData(&a_->handle, c.kind, DMA_APPLY_LAST, c.name)) << c.kind;
        EXPECT_EQ(DMA_STATE_CAPTURED, entries.states[1]);
        EXPECT_EQ(0, entries.states[0]);
        EXPECT_EQ(first, std::vector<BYTE>(entries.at(0), entries.at(1))) << "the other entry stays";
        EXPECT_EQ(0xA5, entries.at(1)[kind->recordSize]) << "nothing written past the record";
        for (DWORD i = 0; i < kind->fields; ++i) {
            const DmaField &f = kind->map[i];
            BYTE expected[520] = {};
            DmaPlace place;
            ASSERT_EQ(DMA_SUCCESS, dma_LocateFunction(&a_->devmode, &a_->block, f.functionId, &place));
            if (f.type == VT_STRING || f.type == VT_LOGFONT) {
                memcpy(expected, place.storage, f.size);
            } else {
                DWORD value = Get(f.functionId);
                memcpy(expected, &value, f.size);
            }
            EXPECT_EQ(0, memcmp(expected, entries.at(1) + f.offset, f.size)) << c.kind << " field " << f.functionId;
        }
        EXPECT_EQ(c.kind == DMA_KIND_FAX_DESTINATION, memcmp(a_->faxList, FAX_LIST_TAG, 16) == 0);
        EXPECT_EQ(DMA_SUCCESS, api_.ApplyData(&a_->handle, c.kind, DMA_APPLY_NAMED, c.name)) << "found again";

        memset(&a_->devmode, 0, sizeof(a_->devmode));
        memset(&a_->block, 0, sizeof(a_->block));
        memset(a_->faxList, 0, 16);
        memcpy(a_->faxList, FAX_LIST_TAG, 16);
        ASSERT_EQ(DMA_SUCCESS, api_.AccessibleData(&a_->handle, c.kind, c.name)) << c.kind;
        EXPECT_TRUE(a_->same(filled)) << c.kind;
    }
}

TEST_F(DmaRecords, StampNumbersAreZeroExtendedInTheirFields)
{
    SetText(297, "S");
    Set(300, 0xFE);
    Set(302, 0x81);
    DmaEntries entries(1, sizeof(StampRecord));
    memset(entries.bytes.data(), 0xFF, entries.bytes.size());
    entries.attach(&a_->handle.stamps);
    ASSERT_EQ(DMA_SUCCESS, api_.ApplyData(&a_->handle, DMA_KIND_STAMP, DMA_APPLY_LAST, "S"));
    StampRecord record;
    memcpy(&record, entries.at(0), sizeof(record));
    EXPECT_EQ(0xFEu, record.style);
    EXPECT_EQ(0x81u, record.frame);
    // Made accessible, the fields give the one-byte settings back.
    Set(300, 0);
    Set(302, 0);
    ASSERT_EQ(DMA_SUCCESS, api_.AccessibleData(&a_->handle, DMA_KIND_STAMP, "S"));
    EXPECT_EQ(0xFEu, Get(300));
    EXPECT_EQ(0x81u, Get(302));
}

TEST_F(DmaRecords, MarginEntriesTurnBetweenShownAndStoredOrientation)
{
    struct Case {
        DWORD orientation;
        LONG stored[4]; // shown {10, 20, 30, 40}
    };
    const Case cases[] = {
        {DMORIENT_PORTRAIT, {10, 20, 40, 30}},
        {DMORIENT_LANDSCAPE, {30, 40, 10, 20}},
    };
    for (const Case &c : cases) {
        a_ = std::make_unique<DmaAreas>();
        Set(FID_ORIENTATION, c.orientation);
        for (const MarginSettingRow &row : g_MarginSettingRows)
            Set(row.functionId, 10 * (row.index + 1));
        Set(1824, 12);
        DmaAreas::Snapshot shown;
        a_->save(&shown);
        DmaEntries entries(1, sizeof(PaperMarginEntry));
        entries.at(0)[2] = 0x77; // the reserved bytes come out 0
        entries.attach(&a_->handle.paperMargins);

        ASSERT_EQ(DMA_SUCCESS, api_.ApplyData(&a_->handle, DMA_KIND_PAPER_MARGIN, DMA_APPLY_LAST, "12a"));
        PaperMarginEntry entry;
        memcpy(&entry, entries.at(0), sizeof(entry));
        EXPECT_EQ(12, entry.paper);
        EXPECT_EQ(0, entry.reserved);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(c.stored[i], entry.margins.margin[i]) << c.orientation << " m" << i + 1;

        for (const MarginSettingRow &row : g_MarginSettingRows)
            Set(row.functionId, 0);
        Set(1824, 0);
        ASSERT_EQ(DMA_SUCCESS, api_.AccessibleData(&a_->handle, DMA_KIND_PAPER_MARGIN, "12"));
        EXPECT_TRUE(a_->same(shown)) << c.orientation;
    }
}

TEST_F(DmaRecords, PaperNumbersFromNames)
{
    struct Case {
        const char *name;
        LONG result;
        WORD paper;
    };
    const Case cases[] = {
        {"12a", DMA_SUCCESS, 12},
        {"00012", DMA_SUCCESS, 12},
        {"65535", DMA_SUCCESS, 65535},
        {"7", DMA_SUCCESS, 7},
        {"65536", DMA_BAD_ARGUMENT, 0},
        {"0", DMA_BAD_ARGUMENT, 0},
        {"123456", DMA_BAD_ARGUMENT, 0},
        {"", DMA_BAD_ARGUMENT, 0},
        {"a12", DMA_BAD_ARGUMENT, 0},
    };
    Set(FID_ORIENTATION, DMORIENT_PORTRAIT);
    for (const Case &c : cases) {
        DmaEntries entries(1, sizeof(PaperMarginEntry));
        entries.attach(&a_->handle.paperMargins);
        EXPECT_EQ(c.result, api_.ApplyData(&a_->handle, DMA_KIND_PAPER_MARGIN, DMA_APPLY_LAST, c.name)) << c.name;
        WORD paper;
        memcpy(&paper, entries.at(0), sizeof(paper));
        EXPECT_EQ(c.paper, paper) << c.name;
        EXPECT_EQ(c.result == DMA_SUCCESS ? DMA_STATE_CAPTURED : 0, entries.states[0]) << c.name;
    }
}

TEST_F(DmaRecords, DeletedEntriesAreFoundOnlyToBeDeletedOrApplied)
{
    DmaEntries entries(3, sizeof(StampRecord));
    const char *names[] = {"Live", "Gone", "Fresh"};
    const BYTE states[] = {DMA_STATE_CAPTURED, DMA_STATE_DELETED, 0};
    for (DWORD i = 0; i < 3; ++i) {
        PutWide(entries.at(i), names[i]);
        entries.states[i] = states[i];
    }
    entries.attach(&a_->handle.stamps);
    EXPECT_EQ(DMA_NO_NAMED_ENTRY, api_.AccessibleData(&a_->handle, DMA_KIND_STAMP, "Gone"));
    EXPECT_EQ(DMA_NO_NAMED_ENTRY, api_.AccessibleData(&a_->handle, DMA_KIND_STAMP, "Fresh")) << "state 0";
    EXPECT_EQ(DMA_SUCCESS, api_.DeleteData(&a_->handle, DMA_KIND_STAMP, "Gone"));
    EXPECT_EQ(DMA_STATE_DELETED, entries.states[1]);
    EXPECT_EQ(DMA_SUCCESS, api_.AccessibleData(&a_->handle, DMA_KIND_STAMP, "Live"));
    EXPECT_EQ(DMA_SUCCESS, api_.DeleteData(&a_->handle, DMA_KIND_STAMP, "Live"));
    EXPECT_EQ(DMA_NO_NAMED_ENTRY, api_.AccessibleData(&a_->handle, DMA_KIND_STAMP, "Live"));
    // Applying into a deleted entry captures it again.
    EXPECT_EQ(DMA_SUCCESS, api_.ApplyData(&a_->handle, DMA_KIND_STAMP, DMA_APPLY_NAMED, "Gone"));
    EXPECT_EQ(DMA_STATE_CAPTURED, entries.states[1]);
    EXPECT_EQ(DMA_SUCCESS, api_.AccessibleData(&a_->handle, DMA_KIND_STAMP, "Gone"));
    // A program's own state value other than 2 counts as live.
    entries.states[2] = 0x40;
    EXPECT_EQ(DMA_SUCCESS, api_.AccessibleData(&a_->handle, DMA_KIND_STAMP, "Fresh"));

    EXPECT_EQ(DMA_NO_NAMED_ENTRY, api_.DeleteData(&a_->handle, DMA_KIND_STAMP, "None"));
    EXPECT_EQ(DMA_NO_NAMED_ENTRY, api_.DeleteData(&a_->handle, DMA_KIND_STAMP, "live")) << "names match exactly";
    EXPECT_EQ(DMA_NO_MARGIN_ENTRY, api_.DeleteData(&a_->handle, DMA_KIND_PAPER_MARGIN, "1"));
    EXPECT_EQ(DMA_KIND_RANGE, api_.DeleteData(&a_->handle, DMA_KIND_FAX_DESTINATION, "1"));
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.DeleteData(nullptr, DMA_KIND_STAMP, "Live"));

    // Fax destinations by position: 0 and past the count find nothing; deleted ones only
    // apply.
    DmaEntries fax(2, sizeof(FaxDestination), DMA_STATE_CAPTURED);
    fax.states[1] = DMA_STATE_DELETED;
    fax.attach(&a_->handle.faxDestinations);
    EXPECT_EQ(DMA_SUCCESS, api_.AccessibleData(&a_->handle, DMA_KIND_FAX_DESTINATION, DMA_POSITION(1)));
    for (ULONG_PTR position : {0, 2, 3})
        EXPECT_EQ(DMA_NO_FAX_ENTRY, api_.AccessibleData(&a_->handle, DMA_KIND_FAX_DESTINATION, DMA_POSITION(position)))
            << position;
    EXPECT_EQ(DMA_SUCCESS, api_.ApplyData(&a_->handle, DMA_KIND_FAX_DESTINATION, 0, DMA_POSITION(2)));
    EXPECT_EQ(DMA_NO_FAX_ENTRY, api_.ApplyData(&a_->handle, DMA_KIND_FAX_DESTINATION, 0, DMA_POSITION(3)));
}

/* Every refusal leaves the areas, the entries and their state bytes as they were. */
TEST_F(DmaRecords, RefusalsChangeNothing)
{
    struct Case {
        const char *why;
        DWORD kind;
        DWORD entries;
        DWORD entrySize; // 0: the kind's record size
        std::function<void(DmaAreas &, DmaEntries &)> setup;
        std::function<LONG(const DmaApi &, DmaSettingsSet *)> call;
        LONG result;
    };
    auto named = [](DmaAreas &, DmaEntries &e) {
        for (DWORD i = 0; i < e.states.size(); ++i) {
            PutWide(e.at(i), "Name");
            e.states[i] = DMA_STATE_CAPTURED;
        }
    };
    auto paper12 = [](DmaAreas &, DmaEntries &e) {
        WORD paper = 12;
        memcpy(e.at(0), &paper, 2);
        e.states[0] = DMA_STATE_CAPTURED;
    };
    auto apply = [](DWORD kind, DWORD mode, const char *name) {
        return [=](const DmaApi &api, DmaSettingsSet *h) { return api.ApplyData(h, kind, mode, name); };
    };
    auto access = [](DWORD kind, const char *name) {
        return [=](const DmaApi &api, DmaSettingsSet *h) { return api.AccessibleData(h, kind, name); };
    };
    auto remove = [](DWORD kind, const char *name) {
        return [=](const DmaApi &api, DmaSettingsSet *h) { return api.DeleteData(h, kind, name); };
    };
    const std::string tooLong(33, 'n'); // the stamp name field holds 32 characters
    const Case cases[] = {
        {"a name too long for its field", 2, 1, 0, named, apply(2, 1, tooLong.c_str()), DMA_BAD_ARGUMENT},
        {"paper number 65536", 4, 1, 0, paper12, apply(4, 1, "65536"), DMA_BAD_ARGUMENT},
        {"paper number 0", 4, 1, 0, paper12, apply(4, 1, "0"), DMA_BAD_ARGUMENT},
        {"no name", 3, 1, 0, named, apply(3, 1, nullptr), DMA_BAD_ARGUMENT},
        {"a text without its end, after the name was written",
         2,
         1,
         0,
         [&](DmaAreas &a, DmaEntries &e) {
             named(a, e);
             memset(e.at(0) + offsetof(StampRecord, text), 'x', sizeof(((StampRecord *)0)->text));
         },
         access(2, "Name"),
         DMA_BAD_ARGUMENT},
        {"margins of no orientation kind, after the paper number was written",
         4,
         1,
         0,
         paper12,
         access(4, "12"),
         DMA_BAD_ARGUMENT},
        {"capturing margins of no orientation kind", 4, 1, 0, paper12, apply(4, 0, "12"), DMA_BAD_ARGUMENT},
        {"mode 1 on an empty list of stamps", 2, 0, 0, nullptr, apply(2, 1, "Name"), DMA_NO_NAMED_ENTRY},
        {"mode 1 on an empty list of texts", 3, 0, 0, nullptr, apply(3, 1, "Name"), DMA_NO_NAMED_ENTRY},
        {"mode 1 on an empty list of margins", 4, 0, 0, nullptr, apply(4, 1, "12"), DMA_NO_MARGIN_ENTRY},
        {"mode 1 on an empty list of fax destinations", 5, 0, 0, nullptr, apply(5, 1, nullptr), DMA_NO_FAX_ENTRY},
        {"an entry size below the record", 2, 2, 307, named, access(2, "Name"), DMA_BAD_ARGUMENT},
        {"an entry size below the record (apply)", 4, 1, 19, paper12, apply(4, 1, "12"), DMA_BAD_ARGUMENT},
        {"an entry size below the record (delete)", 3, 1, 705, named, remove(3, "Name"), DMA_BAD_ARGUMENT},
        {"apply mode 2", 2, 1, 0, named, apply(2, 2, "Name"), DMA_MODE_RANGE},
        {"kind 6", 6, 0, 0, nullptr, apply(6, 0, "Name"), DMA_KIND_RANGE},
        {"kind 1", 1, 0, 0, nullptr, access(1, "Name"), DMA_KIND_RANGE},
        {"a fax destination applied without a fax list",
         5,
         1,
         0,
         [](DmaAreas &a, DmaEntries &e) {
             a.handle.faxList = nullptr;
             e.states[0] = DMA_STATE_CAPTURED;
         },
         apply(5, 0, DMA_POSITION(1)),
         DMA_BAD_ARGUMENT},
    };
    for (const Case &c : cases) {
        a_ = std::make_unique<DmaAreas>();
        memset(&a_->devmode, 0x11, sizeof(a_->devmode));
        WORD orientation = 3;
        memcpy(&a_->devmode.dm.dmOrientation, &orientation, 2);
        const DmaKind *kind = dma_FindKind(c.kind);
        DWORD size = c.entrySize != 0 ? c.entrySize : kind != nullptr ? kind->recordSize : 16;
        DmaEntries entries(c.entries, size, 0);
        if (kind != nullptr)
            entries.attach(dma_KindList(&a_->handle, kind));
        if (c.setup)
            c.setup(*a_, entries);
        DmaAreas::Snapshot before;
        a_->save(&before);
        const DmaEntries saved = entries;
        EXPECT_EQ(c.result, c.call(api_, &a_->handle)) << c.why;
        EXPECT_TRUE(a_->same(before)) << c.why;
        EXPECT_EQ(saved.bytes, entries.bytes) << c.why;
        EXPECT_EQ(saved.states, entries.states) << c.why;
    }
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.AccessibleData(nullptr, 2, "Name"));
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.ApplyData(nullptr, 2, 0, "Name"));
}

} // namespace
