/*
 * Corrupt description files: truncations at every offset, byte changes, and damaged
 * lists, records, texts and value lists. Every lookup answers a status (1 or 2, 0 where the
 * damage does not touch it), reads nothing outside the file (the sanitizer build checks)
 * and leaves no block allocated.
 */
#include "core/ddd/ddd_access.h"
#include "core/ddd/ddd_private.h"
#include "core/ddd/tests/ddd_test_support.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/testing/qm_testing.h"

namespace {

using ddd_test::Compile;
using ddd_test::Pair;
using ddd_test::Source;

/* One record of each type, with texts, references, arrays, a value list and a bitmap. */
static const char kRecords[] =
    "  - {type: 12, key: 1, kind: 1, skipped: \"01\", bmp: \"42 4d 3a 00 00 00 00 00 00 00 36 00 00 00 28 00 00 00 01 "
    "00 00 00 01 00 00 00 01 00 18 00 00 00 00 00 04 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 ff ff ff "
    "00\"}\n"
    "  - {type: 17, key: 1, first: [2100, 2970], second: [2100, 2970]}\n"
    "  - {type: 17, key: 2, first: [42, 50], second: [43, 51]}\n"
    "  - {type: 10, key: 9, name: {text: A4, module: 1, string: 9}, paper_size: 1, image_size: 1, margins: 2, "
    "extra_size: 1, extra_word: 3}\n"
    "  - {type: 4, key: 7, caption: Orientation, control: 2, default: 2, options: [1, 2], keys2: [3], data: 1, text2: "
    "T}\n"
    "  - {type: 14, key: 1, caption: Portrait, target_type: 10, target: 9, icon: 1, keys1: [1], value: {type: 2, "
    "value: 1}, data: 1}\n"
    "  - {type: 14, key: 2, caption: Landscape, value: {type: 128, value: 1}}\n"
    "  - {type: 3, key: 4097, caption: Unit, default: 1, options: [1]}\n"
    "  - {type: 13, key: 1, caption: Installed, value: {type: 1, value: 1}}\n"
    "  - {type: 5, key: 1, text: R, sizes: 1, items: [9, 10], sub_words: [1], byte1: 1, text2: U}\n"
    "  - {type: 7, key: 1, value: {function: 16, type: 6, value: Text}, text: B, flagged: [{function: 16, type: 2, "
    "value: 2, flag: 1}], values: [{function: 8, type: 4, value: 9}]}\n"
    "  - {type: 9, key: 1, flagged: [{function: 7, type: 2, value: 1}], ref_word1: 1, bitmap: 1}\n"
    "  - {type: 11, key: 1, name: F, text2: G, texts: [a, b], texts2: [c], data: \"01 02\", extra_word: 7, rows: "
    "[{function: 274, type: 3, value: 1}]}\n"
    "  - {type: 15, key: 1, word1: 1, flagged: [{function: 13, type: 2, value: 257}], text1: T1, text2: T2, "
    "extra_word: 3}\n"
    "  - {type: 16, key: 1, flagged: [], byte1: 1, data: \"aa\"}\n"
    "  - {type: 18, key: 1, data: \"10 20\"}\n"
    "  - {type: 19, key: 1, text: J, flag: 1, text2: K}\n"
    "  - {type: 20, key: 1, element_type: 3, element_size: 2, elements: [300, 600]}\n"
    "  - {type: 21, key: 1, text: P, rows: [{function: 16, type: 2, value: 2}]}\n"
    "  - {type: 22, key: 1, flags: 3, texts: [x], values: [{type: 10, value: 4097}]}\n"
    "  - {type: 23, key: 1, flagged: [{function: 16, type: 2, value: 2}], triples: [[16, 8, 1]]}\n"
    "  - {type: 24, key: 1, text: \"*NOTE\", rows: [{function: 7, type: 2, value: 2}]}\n"
    "  - {type: 25, key: 1, text1: S, text2: H}\n";

static const char kEntries[] =
    "  1: 1\n  3: [1, 2]\n  12: 1\n  14: [1, 2, 3]\n  17: {text: Info, module: 1, string: 1}\n"
    "  26: 0x400000\n  28: [a, b]\n  30: Path\n  35: [\"x.xrs\"]\n  36: [s0, s1]\n  39: [0x80]\n  41: 4\n";

static bool IsStatus(DddStatus status)
{
    return status == DDD_OK || status == DDD_ERROR || status == DDD_NOT_FOUND || status == DDD_NO_MEMORY;
}

/* Reads everything the lookups can reach; every answer must be a status. */
static int WalkEverything(DddFile *model, DddFile *base, const std::string &what)
{
    int parsed = 0;
    static const WORD kSlotTypes[] = {3,  4,  5,  6,  17, 7,  8,  9,  10, 11, 12, 13,
                                      14, 15, 16, 18, 19, 20, 21, 22, 23, 24, 25};
    for (WORD key = 0; key <= DDD_ENTRY_COUNT; ++key) {
        WORD count = ddd_GetEntryCount(model, key);
        for (WORD i = 0; i < count && i < 4; ++i) {
            WCHAR *text = ddd_GetEntryString(model, key, i);
            GlobalFree(text);
            ddd_GetEntryNumber(model, key, 1, i);
        }
    }
    ModelCapabilities caps;
    ddd_GetModelCapabilities(model, &caps);
    DddHeader *header = nullptr;
    if (ddd_ReadHeaderRecord(model, &header) == DDD_OK) {
        void *block = header;
        ddd_FreeRecord(&block, DDD_FREE_OWN_TYPE);
    }
    BYTE *dib = nullptr;
    DWORD dibLength = 0;
    if (ddd_GetEntryBitmap(model, base, 1, nullptr, nullptr, &dib, &dibLength) == DDD_OK) {
        GlobalFree(dib);
    }
    for (WORD selector : {DDD_LEVEL_MODEL, DDD_LEVEL_BASE}) {
        for (WORD type : kSlotTypes) {
            DddRecordCountRequest countRequest = {selector == DDD_LEVEL_MODEL ? model : base, type};
            WORD count = ddd_GetRecordCount(&countRequest);
            for (WORD index = 0; index <= count && index < 40; ++index) {
                DddFetchRequest request = {selector, model, base, type, index, nullptr};
                DddStatus status = ddd_FetchRecordByIndex(&request);
                EXPECT_TRUE(IsStatus(status)) << what;
                if (status != DDD_OK) {
                    EXPECT_EQ(nullptr, request.record) << what;
                    continue;
                }
                ++parsed;
                DddRecordHead *head = (DddRecordHead *)request.record;
                if (type == 3 || type == 4) {
                    void *option = nullptr;
                    if (ddd_FetchOptionRecord(selector, 1, model, base, head, 0, nullptr, &option) == DDD_OK) {
                        DddOption *opt = (DddOption *)option;
                        if (opt->value.valueType == DDD_VT_VALUE_LIST) {
                            EXPECT_TRUE(IsStatus(ddd_LoadValueList(model, base, &opt->head, &opt->value))) << what;
                        }
                        ddd_FreeRecord(&option, DDD_FREE_OWN_TYPE);
                    }
                    void *value = nullptr;
                    BYTE valueType = 0;
                    if (ddd_ReadDefaultValue(head->key, model, base, &value, &valueType, nullptr) == DDD_OK) {
                        GlobalFree(value);
                    }
                    DddItemListRequest items = {model, base, head->key, 1, nullptr};
                    if (ddd_BuildItemList(&items) == DDD_OK) {
                        void *list = items.record;
                        ddd_FreeRecord(&list, DDD_FREE_OWN_TYPE);
                    }
                    WCHAR *text = nullptr;
                    if (ddd_DupRecordString(model, base, head->key, nullptr, &text) == DDD_OK) {
                        GlobalFree(text);
                    }
                }
                if (type == 14) {
                    DddOption *opt = (DddOption *)head;
                    if (opt->value.valueType == DDD_VT_VALUE_LIST) {
                        EXPECT_TRUE(IsStatus(ddd_LoadValueList(model, base, head, &opt->value))) << what;
                    }
                }
                if (type == 9) {
                    if (ddd_GetItemBitmap(model, base, head, nullptr, nullptr, &dib, &dibLength) == DDD_OK) {
                        GlobalFree(dib);
                    }
                }
                DddRecordTextRequest text = {model, base, type, head->key, 0, nullptr};
                if (ddd_GetRecordText(&text) == DDD_OK) {
                    GlobalFree(text.text);
                }
                ddd_FreeRecord(&request.record, DDD_FREE_OWN_TYPE);
            }
        }
    }
    return parsed;
}

struct CorruptTest : testing::Test {
    static void SetUpTestSuite()
    {
        base = new dddc::Bytes(Compile(Source(8192, "  1: 0\n", "  - {type: 18, key: 2, data: \"99\"}\n", "", 1)));
        model = new dddc::Bytes(Compile(Source(8192, kEntries, kRecords, "B.DDD"), base));
    }
    static void TearDownTestSuite()
    {
        delete base;
        delete model;
    }
    /* Opens the damaged pair, walks it and checks that nothing stays allocated. */
    void Check(const dddc::Bytes &modelBytes, const dddc::Bytes &baseBytes, const std::string &what)
    {
        DWORD before = qmt_LiveGlobalBlocks();
        {
            DddFile m{}, b{};
            DddStatus status = ddd_OpenMemoryPair(
                modelBytes.data(), (DWORD)modelBytes.size(), baseBytes.data(), (DWORD)baseBytes.size(), &m, &b);
            ASSERT_TRUE(IsStatus(status) || status == DDD_BAD_VERSION) << what;
            if (status == DDD_OK) {
                WalkEverything(&m, &b, what);
                ddd_CloseFilePair(&m, &b);
            } else {
                ASSERT_EQ(nullptr, m.bytes) << what;
                ASSERT_EQ(nullptr, b.bytes) << what;
            }
        }
        ASSERT_EQ(before, qmt_LiveGlobalBlocks()) << what;
    }
    /* Applies change to a copy of the model and checks it. */
    void Damage(const std::string &what, const std::function<void(dddc::Bytes &)> &change)
    {
        dddc::Bytes copy = *model;
        change(copy);
        Check(copy, *base, what);
    }
    static dddc::Bytes *base;
    static dddc::Bytes *model;
};
dddc::Bytes *CorruptTest::base = nullptr;
dddc::Bytes *CorruptTest::model = nullptr;

static DWORD Dword(const dddc::Bytes &b, size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | ((DWORD)b[at + 3] << 24);
}
static void PutWord(dddc::Bytes &b, size_t at, WORD v)
{
    b[at] = (BYTE)v;
    b[at + 1] = (BYTE)(v >> 8);
}
static void PutDword(dddc::Bytes &b, size_t at, DWORD v)
{
    PutWord(b, at, (WORD)v);
    PutWord(b, at + 2, (WORD)(v >> 16));
}

/* Offsets of every type's list, read from the directory. */
static std::vector<size_t> Lists(const dddc::Bytes &file)
{
    std::vector<size_t> lists;
    size_t directory = DDD_ENTRIES_OFFSET + 4 + Dword(file, DDD_ENTRIES_OFFSET);
    for (size_t slot = 0; slot < 23; ++slot) {
        lists.push_back(4 + Dword(file, directory + 6 + slot * 7 + 3));
    }
    return lists;
}

TEST_F(CorruptTest, TheUndamagedFileWalksCleanly)
{
    Pair pair(*model, base);
    ASSERT_EQ(DDD_OK, pair.status);
    /* 23 records of the model, the base record through its list, and through the base's. */
    EXPECT_EQ(25, WalkEverything(&pair.model, &pair.base, "undamaged"));

    /* The option's type-18 data block comes with its item list. */
    DddItemListRequest items = {&pair.model, &pair.base, 7, 1, nullptr};
    ASSERT_EQ(DDD_OK, ddd_BuildItemList(&items));
    ASSERT_NE(nullptr, items.record->data);
    EXPECT_EQ(DDD_KIND_DATA_COPY, items.record->data->head.type);
    ASSERT_EQ(2u, items.record->data->length);
    EXPECT_EQ(0x20, items.record->data->data[1]);
    void *list = items.record;
    ddd_FreeRecord(&list, DDD_FREE_OWN_TYPE);
}

TEST_F(CorruptTest, TruncationAtEveryOffset)
{
    for (size_t size = 1; size < model->size(); ++size) {
        dddc::Bytes cut(model->begin(), model->begin() + size);
        Check(cut, *base, "model cut to " + std::to_string(size));
        if (HasFatalFailure()) {
            return;
        }
    }
    for (size_t size = 1; size < base->size(); ++size) {
        dddc::Bytes cut(base->begin(), base->begin() + size);
        Check(*model, cut, "base cut to " + std::to_string(size));
        if (HasFatalFailure()) {
            return;
        }
    }
}

TEST_F(CorruptTest, EveryByteChanged)
{
    for (size_t at = 0; at < model->size(); ++at) {
        for (BYTE value : {(BYTE)0xFF, (BYTE)((*model)[at] ^ 0x80)}) {
            Damage("byte " + std::to_string(at) + " = " + std::to_string(value),
                   [&](dddc::Bytes &b) { b[at] = value; });
            if (HasFatalFailure()) {
                return;
            }
        }
    }
}

TEST_F(CorruptTest, DamagedListsRecordsTextsAndValueLists)
{
    const dddc::Bytes &file = *model;
    for (size_t list : Lists(file)) {
        WORD count = (WORD)(file[list] | (file[list + 1] << 8));
        Damage("list count 0xFFFF at " + std::to_string(list), [&](dddc::Bytes &b) { PutWord(b, list, 0xFFFF); });
        for (WORD i = 0; i < count; ++i) {
            size_t entry = list + 2 + i * 7;
            size_t record = Dword(file, entry + 3);
            for (DWORD offset : {(DWORD)file.size(), (DWORD)file.size() - 3, (DWORD)0xFFFFFFF0u, (DWORD)0u}) {
                Damage("record offset " + std::to_string(offset),
                       [&](dddc::Bytes &b) { PutDword(b, entry + 3, offset); });
            }
            Damage("level 2 in place of 1", [&](dddc::Bytes &b) { b[entry] ^= 3; });
            DWORD length = Dword(file, record);
            for (DWORD bad : {(DWORD)0u, (DWORD)5u, length - 1, length + 1, (DWORD)0xFFFFFFFFu}) {
                Damage("record length " + std::to_string(bad) + " at " + std::to_string(record),
                       [&](dddc::Bytes &b) { PutDword(b, record, bad); });
            }
            /* The first field after the key: for most types a text or a counted block. */
            WORD first = (WORD)(file[record + 6] | (file[record + 7] << 8));
            Damage("first length 0xFFFF at " + std::to_string(record),
                   [&](dddc::Bytes &b) { PutWord(b, record + 6, 0xFFFF); });
            Damage("first length + 1 at " + std::to_string(record),
                   [&](dddc::Bytes &b) { PutWord(b, record + 6, (WORD)(first + 1)); });
            if (first > 0 && record + 8 + first <= file.size()) {
                Damage("unterminated text at " + std::to_string(record),
                       [&](dddc::Bytes &b) { b[record + 8 + first - 1] = 0xBE; });
                Damage("reference to module 0 at " + std::to_string(record), [&](dddc::Bytes &b) {
                    if (first > 5) {
                        PutWord(b, record + 8 + first - 5, 0);
                    }
                });
            }
            if (HasFatalFailure()) {
                return;
            }
        }
    }
    /* The type-20 list: element count 0xFFFF and element size 0xFFFF. */
    size_t list20 = Lists(file)[17];
    size_t record20 = Dword(file, list20 + 2 + 3);
    Damage("value list count 0xFFFF", [&](dddc::Bytes &b) { PutWord(b, record20 + 6 + 2 + 1 + 2 + 4, 0xFFFF); });
    Damage("value list size 0xFFFF", [&](dddc::Bytes &b) { PutWord(b, record20 + 6 + 2 + 1, 0xFFFF); });
    Damage("value list length 0xFFFFFFFF", [&](dddc::Bytes &b) { PutDword(b, record20 + 6 + 2 + 1 + 2, 0xFFFFFFFF); });
    Damage("entries length past the end", [&](dddc::Bytes &b) { PutDword(b, DDD_ENTRIES_OFFSET, 0xFFFFFFF0); });
    Damage("directory slot past the end", [&](dddc::Bytes &b) {
        size_t directory = DDD_ENTRIES_OFFSET + 4 + Dword(b, DDD_ENTRIES_OFFSET);
        PutDword(b, directory + 6 + 3, 0xFFFFFFFF);
    });
}

TEST_F(CorruptTest, OutOfMemoryAtEveryAllocationOfTheWalk)
{
    for (DWORD after = 0; after < 400; after += 3) {
        DWORD before = qmt_LiveGlobalBlocks();
        {
            DddFile m{}, b{};
            qmt_FailAllocations(after, 1);
            DddStatus status =
                ddd_OpenMemoryPair(model->data(), (DWORD)model->size(), base->data(), (DWORD)base->size(), &m, &b);
            if (status == DDD_OK) {
                WalkEverything(&m, &b, "allocation " + std::to_string(after));
                qmt_FailAllocations(0, 0);
                ddd_CloseFilePair(&m, &b);
            }
            qmt_FailAllocations(0, 0);
        }
        ASSERT_EQ(before, qmt_LiveGlobalBlocks()) << after;
    }
}

} // namespace
