/*
 * Description database access over the sample model and variants of it: opening, header,
 * entries, records behind FunctionIDs, typed accessors with their format gates, defaults.
 */
#include "core/ddd/ddd_access.h"
#include "core/ddd/tests/ddd_test_support.h"
#include "core/settings/function_ids.h"
#include "core/util/caches.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <fstream>

#include "platform/testing/qm_testing.h"

namespace {

using ddd_test::Compile;
using ddd_test::Narrow;
using ddd_test::Pair;
using ddd_test::Source;

static std::string SampleSource(const char *name)
{
    dddc::Bytes text = ddd_test::ReadBytes(std::string(QM_SAMPLE_SOURCES) + "/" + name);
    return std::string(text.begin(), text.end());
}

struct SampleTest : testing::Test {
    static void SetUpTestSuite()
    {
        base = new dddc::Bytes(Compile(SampleSource("QM50BASE.yaml")));
        model = new dddc::Bytes(Compile(SampleSource("QM50C1.yaml"), base));
    }
    static void TearDownTestSuite()
    {
        delete base;
        delete model;
    }
    void SetUp() override
    {
        blocksBefore = qmt_LiveGlobalBlocks();
        modulesBefore = qmt_LiveModules();
        pair = new Pair(*model, base);
        ASSERT_EQ(DDD_OK, pair->status);
    }
    void TearDown() override
    {
        delete pair;
        EXPECT_EQ(blocksBefore, qmt_LiveGlobalBlocks());
        EXPECT_EQ(modulesBefore, qmt_LiveModules());
    }
    void *Fetch(WORD type, WORD key)
    {
        void *record = nullptr;
        EXPECT_EQ(DDD_OK, ddd_FetchRecordByKey(DDD_LEVEL_MODEL, &pair->model, &pair->base, type, key, 0, &record))
            << type << "/" << key;
        return record;
    }
    static dddc::Bytes *base;
    static dddc::Bytes *model;
    Pair *pair = nullptr;
    DWORD blocksBefore = 0;
    DWORD modulesBefore = 0;
};
dddc::Bytes *SampleTest::base = nullptr;
dddc::Bytes *SampleTest::model = nullptr;

TEST_F(SampleTest, HeaderOfTheModelAndItsBase)
{
    DddHeader *header = nullptr;
    ASSERT_EQ(DDD_OK, ddd_ReadHeaderRecord(&pair->model, &header));
    EXPECT_EQ("Model 50-C/1", Narrow(header->modelName));
    EXPECT_EQ("QM50BASE.DDD", Narrow(header->baseName));
    EXPECT_EQ(2, header->major);
    EXPECT_EQ(1, header->minor);
    EXPECT_EQ(305, header->build);
    EXPECT_EQ(8192u, header->format);
    EXPECT_EQ(DDD_TYPE_HEADER, header->head.type);
    void *block = header;
    EXPECT_EQ(DDD_OK, ddd_FreeRecord(&block, DDD_FREE_OWN_TYPE));
    EXPECT_EQ(DDD_LEVEL_BASE, pair->base.level);
    EXPECT_EQ(pair->model.resources, pair->base.resources);
    EXPECT_EQ(8192u, ddd_GetLastModelFormat());
}

TEST_F(SampleTest, InfoStringsRegistryPathsAndCapabilities)
{
    struct {
        WORD kind;
        const char *text;
        DddStatus status;
    } cases[] = {
        {0, "Model 50-C/1 colour page printer", DDD_OK}, /* a reference into the module */
        {5, "A4", DDD_OK},
        {6, "qmzadc50.dll", DDD_OK},
        {11, "site", DDD_OK},
        {14, "<null>", DDD_OK}, /* the sample names no image hook component */
        {15, "info 15", DDD_OK},
        {16, "info 16", DDD_OK},
        {25, "qmvpif50.dll", DDD_OK},
        {12, "<null>", DDD_ERROR},
        {13, "<null>", DDD_ERROR},
        {23, "<null>", DDD_ERROR},
    };
    for (const auto &c : cases) {
        WCHAR *text = nullptr;
        EXPECT_EQ(c.status, ddd_GetInfoString(&pair->model, c.kind, &text)) << c.kind;
        EXPECT_EQ(c.text, Narrow(text)) << c.kind;
        GlobalFree(text);
    }
    WCHAR *path = nullptr;
    EXPECT_EQ(DDD_OK, ddd_GetRegistryBasePath(&pair->model, 1, &path));
    EXPECT_EQ("Software\\Qm\\Model 50\\Options", Narrow(path));
    GlobalFree(path);
    EXPECT_EQ(DDD_ERROR, ddd_GetRegistryBasePath(&pair->model, 2, &path));

    ModelCapabilities caps{};
    ASSERT_EQ(1, ddd_GetModelCapabilities(&pair->model, &caps));
    EXPECT_EQ(0x00400001u, caps.bits[0]);
    EXPECT_EQ(0x80u, caps.bits[1]);
    EXPECT_EQ(1, ddd_TestCapability(&caps, 0xFFFF0027)); /* bit 7 of the second word */
    EXPECT_EQ(0, ddd_TestCapability(&caps, 0xFFFF0026));
    EXPECT_EQ(1, ddd_TestCapability(&caps, 0xFFFF0016));
    EXPECT_EQ(1, ddd_TestCapability(&caps, 0x00400000));
    EXPECT_EQ(0, ddd_TestCapability(&caps, 0x2));
    EXPECT_EQ(1, ddd_HasCapability(&pair->model, 0xFFFF0000));
    EXPECT_EQ(1, ddd_IsFlagSettingEnabled(&pair->model, 4097));
    EXPECT_EQ(1, ddd_GetEntryCount(&pair->model, 35));
}

TEST_F(SampleTest, BaseRecordsAreFoundThroughTheModelsListAndKeepTheirReferences)
{
    DddRecordCountRequest count = {&pair->model, 10};
    EXPECT_EQ(6, ddd_GetRecordCount(&count));
    DddPaper *legal = (DddPaper *)Fetch(10, 5);
    ASSERT_NE(nullptr, legal);
    EXPECT_EQ(DDD_LEVEL_BASE, legal->head.level);
    EXPECT_EQ("Legal", Narrow(legal->name));
    EXPECT_EQ(3556, legal->maxSize.height);
    EXPECT_EQ(51, legal->margins[1].height);
    void *block = legal;
    ddd_FreeRecord(&block, DDD_FREE_OWN_TYPE);

    DddFetchRequest sixth = {DDD_LEVEL_MODEL, &pair->model, &pair->base, 10, 6, nullptr};
    ASSERT_EQ(DDD_OK, ddd_FetchRecordByIndex(&sixth));
    EXPECT_EQ(5, ((DddRecordHead *)sixth.record)->key);
    ddd_FreeRecord(&sixth.record, DDD_FREE_OWN_TYPE);
}

TEST_F(SampleTest, RecordsBehindFunctionIds)
{
    DddFunctionRequest name = {DDD_LEVEL_MODEL, &pair->model, &pair->base, 259, nullptr, 0, 0, nullptr};
    ASSERT_EQ(DDD_OK, ddd_GetFunctionRecord(&name));
    EXPECT_EQ(DDD_TYPE_HEADER_NAME, name.type);
    EXPECT_EQ("Model 50-C/1", Narrow((WCHAR *)name.record));
    ddd_FreeRecord(&name.record, DDD_TYPE_HEADER_NAME);

    WORD a5 = 11;
    DddFunctionRequest paper = {DDD_LEVEL_MODEL, &pair->model, &pair->base, 8, &a5, 0, 0, nullptr};
    ASSERT_EQ(DDD_OK, ddd_GetFunctionRecord(&paper));
    EXPECT_EQ(14, paper.type);
    EXPECT_EQ(3, paper.optionNumber);
    EXPECT_EQ("A5", Narrow(ddd_GetRecordString(paper.record)));
    EXPECT_EQ(10, ((DddOption *)paper.record)->targetType);
    EXPECT_EQ(11, ((DddOption *)paper.record)->targetKey);
    ddd_FreeRecord(&paper.record, DDD_FREE_OWN_TYPE);

    WORD missing = 4;
    paper.filter = &missing;
    EXPECT_EQ(DDD_NOT_FOUND, ddd_GetFunctionRecord(&paper));

    DddFunctionRequest staple = {DDD_LEVEL_MODEL, &pair->model, &pair->base, 276, nullptr, 0, 0, nullptr};
    ASSERT_EQ(DDD_OK, ddd_GetFunctionRecord(&staple));
    EXPECT_EQ(274, ((DddRecordHead *)staple.record)->key);
    ddd_FreeRecord(&staple.record, DDD_FREE_OWN_TYPE);

    WCHAR *text = nullptr;
    EXPECT_EQ(DDD_OK, ddd_DupRecordString(&pair->model, &pair->base, 7, nullptr, &text));
    EXPECT_EQ("Orientation", Narrow(text));
    GlobalFree(text);
    short landscape = 2;
    EXPECT_EQ(DDD_OK, ddd_DupRecordString(&pair->model, &pair->base, 7, &landscape, &text));
    EXPECT_EQ("Landscape", Narrow(text));
    GlobalFree(text);
    EXPECT_EQ(DDD_ERROR, ddd_DupRecordString(&pair->model, &pair->base, 2490, nullptr, &text));

    DddRecordTextRequest option = {&pair->model, &pair->base, 4, 8, 4, nullptr};
    ASSERT_EQ(DDD_OK, ddd_GetRecordText(&option));
    EXPECT_EQ("Legal", Narrow(option.text));
    GlobalFree(option.text);
}

TEST_F(SampleTest, WalkingTheOptionsOfADefinition)
{
    const char *captions[] = {"Letter", "A4", "A5", "Legal", "User defined size", "Custom size"};
    WORD n = 1;
    for (;; ++n) {
        WORD subKey = 0;
        void *definition = nullptr;
        DddStatus status = ddd_GetFunctionSubRecord(0, &pair->model, &pair->base, 8, n, &subKey, &definition);
        if (status != DDD_OK) {
            EXPECT_EQ(DDD_NOT_FOUND, status);
            break;
        }
        void *option = nullptr;
        ASSERT_EQ(DDD_OK, ddd_FetchSubRecord(0, &pair->model, &pair->base, definition, subKey, &option));
        EXPECT_EQ(captions[n - 1], Narrow(ddd_GetRecordString(option)));
        ddd_FreeRecord(&option, DDD_FREE_OWN_TYPE);
        ddd_FreeRecord(&definition, DDD_FREE_OWN_TYPE);
    }
    EXPECT_EQ(7, n);
    WORD key = 0;
    void *paper = nullptr;
    ASSERT_EQ(DDD_OK, ddd_GetFunctionSubRecord(0, &pair->model, &pair->base, FID_PSEUDO_PAPER, 2, &key, &paper));
    EXPECT_EQ(9, key);
    ddd_FreeRecord(&paper, DDD_FREE_OWN_TYPE);
}

TEST_F(SampleTest, DefaultsAreTheDefaultOptionsValues)
{
    // A country of A4 paper: the paper defaults stay the model's.
    qmt_PinLocale(0x0407);
    util_ResetCaches();
    struct {
        WORD functionId;
        DddStatus status;
        BYTE type;
        DWORD size;
        DWORD value;
    } cases[] = {
        {7, DDD_OK, DDD_VT_SHORT, 2, 1},
        {8, DDD_OK, DDD_VT_SHORT, 2, 9},
        {12, DDD_OK, DDD_VT_SHORT, 2, 1}, /* a range: options minimum, maximum, default */
        {15, DDD_OK, DDD_VT_SHORT, 2, 2},
        {1804, DDD_OK, DDD_VT_BYTE, 1, 0},
        {4097, DDD_OK, DDD_VT_BOOL, 4, 1},
        {277, DDD_OK, DDD_VT_USHORT, 2, 0},
        {2490, DDD_NOT_FOUND, 0, 0, 0}, /* no definition */
        {1, DDD_ERROR, 0, 0, 0},        /* the header name has no options */
        {FID_PSEUDO_PAPER, DDD_ERROR, 0, 0, 0},
    };
    for (const auto &c : cases) {
        DddDefaultRequest request = {&pair->model, &pair->base, c.functionId, nullptr, 0, 0};
        EXPECT_EQ(c.status, ddd_GetDefaultWithOverrides(&request)) << c.functionId;
        EXPECT_EQ(c.type, request.valueType) << c.functionId;
        EXPECT_EQ(c.size, request.size) << c.functionId;
        if (request.value) {
            DWORD value = 0;
            memcpy(&value, request.value, c.size);
            EXPECT_EQ(c.value, value) << c.functionId;
            GlobalFree(request.value);
        }
    }
    // A letter-paper country: the model has capability bit 22, so the paper default is Letter.
    qmt_PinLocale(0x0409);
    util_ResetCaches();
    DddDefaultRequest letter = {&pair->model, &pair->base, 8, nullptr, 0, 0};
    ASSERT_EQ(DDD_OK, ddd_GetDefaultWithOverrides(&letter));
    ASSERT_EQ(2u, letter.size);
    EXPECT_EQ(1, *(const SHORT *)letter.value);
    GlobalFree(letter.value);
    qmt_PinLocale(0);
    util_ResetCaches();

    void *font = nullptr;
    BYTE type = 0;
    DWORD size = 0;
    ASSERT_EQ(DDD_OK, ddd_ReadDefaultValue(304, &pair->model, &pair->base, &font, &type, &size));
    EXPECT_EQ(DDD_VT_LOGFONT, type);
    ASSERT_EQ(92u, size);
    const BYTE *lf = (const BYTE *)font;
    EXPECT_EQ(-12, (int)(lf[0] | (lf[1] << 8) | (lf[2] << 16) | (lf[3] << 24)));
    EXPECT_EQ('S', lf[28]);
    EXPECT_EQ('a', lf[30]);
    GlobalFree(font);
}

TEST_F(SampleTest, TypedAccessorsOfTheFurtherRecordTypes)
{
    WORD word = 0, count = 0, functionId = 0;
    BYTE valueType = 0, flag = 0;
    const void *value = nullptr;
    const WCHAR *text = nullptr;

    void *named = Fetch(11, 1);
    EXPECT_EQ(DDD_OK, ddd_GetRecordExtraWord(named, &word));
    EXPECT_EQ(7, word);
    EXPECT_EQ(DDD_OK, ddd_GetValueListCount(named, &count));
    EXPECT_EQ(1, count);
    EXPECT_EQ(DDD_OK, ddd_GetValueListEntry(named, 1, &functionId, &valueType, &value));
    EXPECT_EQ(274, functionId);
    EXPECT_EQ(DDD_VT_USHORT, valueType);
    functionId = 99;
    EXPECT_EQ(DDD_NOT_FOUND, ddd_GetValueListEntry(named, 2, &functionId, &valueType, &value));
    EXPECT_EQ(99, functionId);
    EXPECT_EQ(DDD_OK, ddd_GetNamedDataText(named, 2, &text));
    EXPECT_EQ("Typewriter", Narrow(text));
    const BYTE *data = nullptr;
    DWORD length = 0;
    EXPECT_EQ(DDD_OK, ddd_GetNamedDataBlock(named, &data, &length));
    EXPECT_EQ(114u, length);
    EXPECT_EQ(0x3B, data[2]);
    ddd_FreeRecord(&named, DDD_FREE_OWN_TYPE);

    void *type22 = Fetch(22, 1);
    DWORD dword = 0;
    EXPECT_EQ(DDD_OK, ddd_GetValueListDword(type22, 2, &dword));
    EXPECT_EQ(4098u, dword);
    EXPECT_EQ(DDD_OK, ddd_GetRecordExtraWord(type22, &word));
    EXPECT_EQ(3, word);
    ddd_FreeRecord(&type22, DDD_FREE_OWN_TYPE);

    void *type15 = Fetch(15, 1);
    EXPECT_EQ(DDD_OK, ddd_GetType15Text2(type15, &text));
    EXPECT_EQ("\"Model 50 job\"", Narrow(text));
    ddd_FreeRecord(&type15, DDD_FREE_OWN_TYPE);

    void *type19 = Fetch(19, 1);
    EXPECT_EQ(DDD_OK, ddd_GetRecord19Flag(type19, &flag));
    EXPECT_EQ(1, flag);
    ddd_FreeRecord(&type19, DDD_FREE_OWN_TYPE);

    void *type21 = Fetch(21, 1);
    WORD size = 0, type = 0;
    EXPECT_EQ(DDD_OK, ddd_GetType21Count(type21, &count));
    EXPECT_EQ(2, count);
    EXPECT_EQ(DDD_OK, ddd_GetType21Entry(type21, 2, &functionId, &type, &size, &value));
    EXPECT_EQ(15, functionId);
    EXPECT_EQ(1, *(const short *)value);
    ddd_FreeRecord(&type21, DDD_FREE_OWN_TYPE);

    void *app = Fetch(24, 2);
    EXPECT_EQ("*NOTE", Narrow(((DddRowSet *)app)->text));
    EXPECT_EQ(DDD_OK, ddd_GetHostAppCount(app, &count));
    EXPECT_EQ(2, count);
    EXPECT_EQ(DDD_OK, ddd_GetHostAppEntry(app, 1, &functionId, &valueType, &size, &value));
    EXPECT_EQ(7, functionId);
    EXPECT_EQ(DDD_NOT_FOUND, ddd_GetHostAppEntry(app, 3, &functionId, &valueType, &size, &value));
    ddd_FreeRecord(&app, DDD_FREE_OWN_TYPE);

    void *range = Fetch(5, 1);
    DddSize minimum{}, maximum{};
    EXPECT_EQ(DDD_OK, ddd_GetRangeMinSize(range, &minimum));
    EXPECT_EQ(DDD_OK, ddd_GetRangeMaxSize(range, &maximum));
    EXPECT_EQ(900, minimum.width);
    EXPECT_EQ(3556, maximum.height);
    EXPECT_EQ(DDD_OK, ddd_GetRangeItem(range, 1, &functionId));
    EXPECT_EQ(10, functionId);
    EXPECT_EQ(DDD_OK, ddd_GetRangeSubWord(range, 2, &word));
    EXPECT_EQ(2, word);
    EXPECT_EQ(DDD_NOT_FOUND, ddd_GetRangeItem(range, 3, &functionId));
    ddd_FreeRecord(&range, DDD_FREE_OWN_TYPE);

    void *item = Fetch(9, 1);
    BYTE *dib = nullptr;
    WORD w1 = 0, w2 = 0;
    ASSERT_EQ(DDD_OK, ddd_GetItemBitmap(&pair->model, &pair->base, item, &w1, &w2, &dib, &length));
    EXPECT_EQ(44u, length);
    EXPECT_EQ(40, dib[0]);
    EXPECT_EQ(32, w1);
    GlobalFree(dib);
    ddd_FreeRecord(&item, DDD_FREE_OWN_TYPE);
    ASSERT_EQ(DDD_OK, ddd_GetEntryBitmap(&pair->model, &pair->base, 1, &w1, &w2, &dib, &length));
    EXPECT_EQ(44u, length);
    GlobalFree(dib);
}

/* Each format-gated accessor at its threshold and just below it. */
TEST(DddFormatGates, EachAccessorAtAndBelowItsThreshold)
{
    struct Case {
        unsigned threshold;
        WORD type;
        const char *record;
    } cases[] = {
        {1280, 10, "  - {type: 10, key: 1, name: P, extra_word: 4}\n"},
        {256, 11, "  - {type: 11, key: 1, name: N, extra_word: 4}\n"},
        {1280, 15, "  - {type: 15, key: 1, text1: A, extra_word: 4}\n"},
        {4096, 22, "  - {type: 22, key: 1, flags: 4}\n"},
        {768, 21, "  - {type: 21, key: 1, text: R, rows: [{function: 7, type: 2, value: 4}]}\n"},
        {7936, 24, "  - {type: 24, key: 1, text: A.EXE, rows: [{function: 7, type: 2, value: 4}]}\n"},
        {512, 19, "  - {type: 19, key: 1, text: J, flag: 4}\n"},
    };
    for (const Case &c : cases) {
        for (unsigned format : {c.threshold, c.threshold - 1}) {
            std::string record = c.record;
            if (format < c.threshold && record.find("extra_word") != std::string::npos) {
                record.replace(record.find(", extra_word: 4"), 15, "");
            }
            if (c.type == 19 && format < c.threshold) {
                continue; /* the record type itself does not exist below 512 */
            }
            dddc::Bytes file = Compile(Source(format, "", record));
            Pair pair(file);
            void *rec = nullptr;
            ASSERT_EQ(DDD_OK, ddd_FetchRecordByKey(DDD_LEVEL_MODEL, &pair.model, &pair.base, c.type, 1, 0, &rec));
            DWORD answer = 0;
            DddStatus status = DDD_ERROR;
            WORD word = 0, count = 0;
            BYTE flag = 0;
            switch (c.type) {
            case 19:
                status = ddd_GetRecord19Flag(rec, &flag);
                answer = flag;
                break;
            case 21:
                status = ddd_GetType21Count(rec, &count);
                answer = count == 1 ? 4 : 0;
                break;
            case 24:
                status = ddd_GetHostAppCount(rec, &count);
                answer = count == 1 ? 4 : 0;
                break;
            default:
                status = ddd_GetRecordExtraWord(rec, &word);
                answer = word;
                break;
            }
            if (format >= c.threshold) {
                EXPECT_EQ(DDD_OK, status) << c.type << " at " << format;
                EXPECT_EQ(4u, answer) << c.type << " at " << format;
            } else {
                EXPECT_EQ(DDD_ERROR, status) << c.type << " at " << format;
            }
            ddd_FreeRecord(&rec, DDD_FREE_OWN_TYPE);
        }
    }
}

TEST(DddFormatGates, TwoModelsOfDifferentFormatsEachReadTheirOwnFields)
{
    const char *paper = "  - {type: 10, key: 1, name: P}\n";
    dddc::Bytes newer = Compile(Source(1280, "", paper));
    dddc::Bytes older = Compile(Source(1024, "", paper));
    Pair a(newer);
    Pair b(older);
    EXPECT_EQ(1024u, ddd_GetLastModelFormat());
    void *ra = nullptr, *rb = nullptr;
    ASSERT_EQ(DDD_OK, ddd_FetchRecordByKey(DDD_LEVEL_MODEL, &a.model, &a.base, 10, 1, 0, &ra));
    ASSERT_EQ(DDD_OK, ddd_FetchRecordByKey(DDD_LEVEL_MODEL, &b.model, &b.base, 10, 1, 0, &rb));
    WORD word = 0;
    EXPECT_EQ(DDD_OK, ddd_GetRecordExtraWord(ra, &word));
    EXPECT_EQ(DDD_ERROR, ddd_GetRecordExtraWord(rb, &word));
    ddd_FreeRecord(&ra, DDD_FREE_OWN_TYPE);
    ddd_FreeRecord(&rb, DDD_FREE_OWN_TYPE);
}

TEST(DddEntries, SecondCapabilityWordAndFlagSettings)
{
    for (unsigned format : {5631u, 5632u}) {
        dddc::Bytes file = Compile(Source(format, "  12: 1\n  26: 0x10\n  39: [0x80]\n", ""));
        Pair pair(file);
        ModelCapabilities caps{};
        ASSERT_EQ(1, ddd_GetModelCapabilities(&pair.model, &caps));
        EXPECT_EQ(0x10u, caps.bits[0]);
        EXPECT_EQ(format > 5631 ? 0x80u : 0u, caps.bits[1]) << format;
        EXPECT_EQ(0, ddd_IsFlagSettingEnabled(&pair.model, 4097));
        EXPECT_EQ(0, ddd_IsFlagSettingEnabled(&pair.model, 4129)); /* shares 4097's bit */
        EXPECT_EQ(1, ddd_IsFlagSettingEnabled(&pair.model, 4098));
        EXPECT_EQ(1, ddd_IsFlagSettingEnabled(&pair.model, 4161));
    }
    dddc::Bytes none = Compile(Source(1024, "  1: 1\n", ""));
    Pair pair(none);
    ModelCapabilities caps{};
    EXPECT_EQ(0, ddd_GetModelCapabilities(&pair.model, &caps));
    EXPECT_EQ(0, ddd_HasCapability(&pair.model, 0xFFFF0000));
}

// "Item n" of a number entry is its one element read as n bytes: every value and every
// byte differs, so reading a byte of an element or an element past the first shows.
TEST(DddEntries, NumberItemsReadTheWholeElement)
{
    dddc::Bytes file = Compile(Source(1024, "  4: 0x0302\n  5: 2\n  6: 0x0A0B0C0D\n  10: 0x0807\n", ""));
    Pair pair(file);
    EXPECT_EQ(0x0302u, ddd_GetCopyLimit(&pair.model));
    EXPECT_EQ(2u, ddd_GetColorKindByte(&pair.model));
    EXPECT_EQ(0x0A0B0C0Du, ddd_GetWriterMemory(&pair.model));
    EXPECT_EQ(0x0807u, ddd_GetAlignmentUnit(&pair.model));
    struct Case {
        WORD entry, item;
        DWORD value;
    };
    static const Case kCases[] = {
        {4, 2, 0x0302},
        {5, 1, 2},
        {6, 4, 0x0A0B0C0D},
        {10, 2, 0x0807},
        {4, 1, 0}, // not a byte of the element
        {6, 1, 0},
        {6, 2, 0},
        {10, 4, 0},
        {3, 2, 0}, // an entry of several elements has no items
        {42, 2, 0},
    };
    for (const Case &c : kCases)
        EXPECT_EQ(c.value, ddd_GetNumberItem(&pair.model, c.entry, c.item)) << c.entry << " item " << c.item;
    dddc::Bytes none = Compile(Source(1024, "  1: 1\n", ""));
    Pair without(none);
    EXPECT_EQ(0u, ddd_GetWriterMemory(&without.model)) << "a missing entry";
    EXPECT_EQ(0u, ddd_GetCopyLimit(nullptr));
}

TEST(DddDefaults, DefaultOptionZeroIsRefused)
{
    dddc::Bytes file = Compile(Source(1024,
                                      "",
                                      "  - {type: 4, key: 7, caption: O, default: 1, options: [1]}\n"
                                      "  - {type: 14, key: 1, caption: P, value: {type: 2, value: 1}}\n"));
    /* Record of type 4 after its list: {u32, u16 key, caption {u16 1, 1 byte}, u8, u16 default}. */
    size_t at = 0;
    for (size_t i = 0; i + 10 < file.size(); ++i) {
        if (file[i] == 7 && file[i + 1] == 0 && file[i + 2] == 2 && file[i + 3] == 0 && file[i - 4] > 6) {
            at = i + 2 + 4 + 1;
            break;
        }
    }
    ASSERT_NE(0u, at);
    ASSERT_EQ(1, file[at]);
    file[at] = 0;
    Pair pair(file);
    void *value = nullptr;
    BYTE type = 0;
    EXPECT_EQ(DDD_ERROR, ddd_ReadDefaultValue(7, &pair.model, &pair.base, &value, &type, nullptr));
    EXPECT_EQ(nullptr, value);
}

/* Opening from memory: the header's checks and a missing base file. */
TEST(DddOpen, HeaderChecksAndMissingBaseCloseEverything)
{
    DWORD before = qmt_LiveGlobalBlocks();
    dddc::Bytes base = Compile(Source(1024, "", "", "", 1));
    dddc::Bytes model = Compile(Source(1024, "", "", "B.DDD"), &base);
    {
        Pair noBase(model);
        EXPECT_EQ(DDD_ERROR, noBase.status);
        EXPECT_EQ(nullptr, noBase.model.bytes);
    }
    {
        Pair both(model, &base);
        EXPECT_EQ(DDD_OK, both.status);
    }
    dddc::Bytes badVersion = model;
    memcpy(&badVersion[64], "V:256.0.0", 10);
    {
        Pair pair(badVersion, &base);
        EXPECT_EQ(DDD_ERROR, pair.status);
    }
    dddc::Bytes pathInName = model;
    memcpy(&pathInName[160], "..\\B.DDD", 9);
    {
        Pair pair(pathInName, &base);
        EXPECT_EQ(DDD_ERROR, pair.status);
    }
    EXPECT_EQ(before, qmt_LiveGlobalBlocks());
}

/* Opening files: the extension, the base file beside the model. */
TEST(DddOpen, FilesByExtensionWithTheirBaseBeside)
{
    std::string directory = std::string(getenv("QM_ROOT")) + "/c/models";
    CreateDirectoryW(TEXT("C:\\models"), nullptr);
    dddc::Bytes base = Compile(Source(1024, "", "", "", 1));
    dddc::Bytes model = Compile(Source(1024, "", "", "B.DDD"), &base);
    auto write = [&](const std::string &name, const dddc::Bytes &bytes) {
        std::ofstream out(directory + "/" + name, std::ios::binary);
        out.write((const char *)bytes.data(), (std::streamsize)bytes.size());
    };
    write("B.DDD", base);
    write("sample.ddd", model);
    write("model.DDDX", model);
    write("model", model);
    DWORD blocks = qmt_LiveGlobalBlocks();
    struct {
        LPCWSTR path;
        DddStatus status;
    } cases[] = {
        {TEXT("C:\\models\\sample.ddd"), DDD_OK},
        {TEXT("C:\\models\\model.DDDX"), DDD_ERROR},
        {TEXT("C:\\models\\model"), DDD_ERROR},
        {TEXT("C:\\models\\absent.DDD"), DDD_ERROR},
    };
    for (const auto &c : cases) {
        DddFile m{}, b{};
        EXPECT_EQ(c.status, ddd_OpenFilePair(c.path, &m, &b)) << Narrow(c.path);
        if (c.status == DDD_OK) {
            EXPECT_EQ(DDD_LEVEL_BASE, b.level);
            EXPECT_EQ(DDD_OK, ddd_CloseFilePair(&m, &b));
        }
        EXPECT_EQ(nullptr, m.bytes);
    }
    /* A base file that cannot be opened fails the open and closes the model. */
    DeleteFileW(TEXT("C:\\models\\B.DDD"));
    DddFile m{}, b{};
    EXPECT_EQ(DDD_ERROR, ddd_OpenFilePair(TEXT("C:\\models\\sample.ddd"), &m, &b));
    EXPECT_EQ(nullptr, m.bytes);
    EXPECT_EQ(DDD_ERROR, ddd_CloseFilePair(&m, &b));
    EXPECT_EQ(blocks, qmt_LiveGlobalBlocks());
    EXPECT_EQ(0u, qmt_LiveHandles(QMT_HANDLE_ANY));
    EXPECT_EQ(0u, qmt_LiveMappedViews());
}

/* References are strings of the resource module named by entry 35, in the driver's
 * directory; a module that cannot be loaded switches them off. */
TEST_F(SampleTest, ReferencesReadTheResourceModule)
{
    qmt_ResetModuleCounts();
    void *a4 = Fetch(10, 9);
    EXPECT_EQ("A4 (210 x 297 mm)", Narrow(((DddPaper *)a4)->name));
    ddd_FreeRecord(&a4, DDD_FREE_OWN_TYPE);
    void *letter = Fetch(10, 1);
    ddd_FreeRecord(&letter, DDD_FREE_OWN_TYPE);
    EXPECT_EQ(1u, pair->model.resources->referencesAllowed);
    /* Module 1 is loaded once per resource block and kept until the block is freed. */
    EXPECT_EQ(1u, qmt_ModuleLoadCount(TEXT("qm50c1.xrs")));
}

TEST_F(SampleTest, AModuleThatCannotBeLoadedSwitchesReferencesOff)
{
    qmt_FailModuleLoad(TEXT("qm50c1.xrs"));
    void *a4 = Fetch(10, 9);
    qmt_FailModuleLoad(nullptr);
    EXPECT_EQ("A4", Narrow(((DddPaper *)a4)->name));
    EXPECT_EQ(0u, pair->model.resources->referencesAllowed);
    ddd_FreeRecord(&a4, DDD_FREE_OWN_TYPE);
}

} // namespace

namespace {

TEST_F(SampleTest, ItemListsCopyValuesKeysAndTheDataBlock)
{
    DddItemListRequest definition = {&pair->model, &pair->base, 8, 0, nullptr};
    ASSERT_EQ(DDD_OK, ddd_BuildItemList(&definition));
    EXPECT_EQ(DDD_KIND_ITEM_LIST, definition.record->head.type);
    EXPECT_EQ(4, definition.record->sourceType);
    ASSERT_EQ(6, definition.record->keys.count);
    EXPECT_EQ(804, definition.record->keys.keys[3]);
    void *block = definition.record;
    EXPECT_EQ(DDD_OK, ddd_FreeRecord(&block, DDD_KIND_ITEM_LIST));

    DddItemListRequest option = {&pair->model, &pair->base, 7, 2, nullptr};
    ASSERT_EQ(DDD_OK, ddd_GetSubRecordItems(&option));
    ASSERT_EQ(1, option.record->count);
    EXPECT_EQ(2, *(const short *)ddd_ValueData(&option.record->values[0]));
    EXPECT_EQ(nullptr, option.record->data);
    block = option.record;
    ddd_FreeRecord(&block, DDD_FREE_OWN_TYPE);

    option.optionNumber = 0;
    EXPECT_EQ(DDD_ERROR, ddd_GetSubRecordItems(&option));
    option.optionNumber = 3;
    EXPECT_EQ(DDD_NOT_FOUND, ddd_GetSubRecordItems(&option));
}

} // namespace
