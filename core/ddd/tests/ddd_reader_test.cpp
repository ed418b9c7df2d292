/*
 * The low-level reader: version text, entries, lists, text fields, record framing,
 * format gates of record types, freeing.
 */
#include "core/ddd/ddd_access.h"
#include "core/ddd/ddd_private.h"
#include "core/ddd/tests/ddd_test_support.h"

#include <gtest/gtest.h>

#include "platform/testing/qm_testing.h"

namespace {

using ddd_test::Compile;
using ddd_test::Narrow;
using ddd_test::Pair;
using ddd_test::Source;

struct ReaderTest : testing::Test {
    void SetUp() override
    {
        blocksBefore = qmt_LiveGlobalBlocks();
    }
    void TearDown() override
    {
        EXPECT_EQ(blocksBefore, qmt_LiveGlobalBlocks());
    }
    DWORD blocksBefore = 0;
};

TEST(DddVersionText, ParsesThreeNumbersAfterTheFirstColon)
{
    struct Case {
        const char *text;
        DddStatus status;
        WORD major, minor, build;
    } cases[] = {
        {"V:1.2.3", DDD_OK, 1, 2, 3},
        {"Model 50-C/1:2.1.305", DDD_OK, 2, 1, 305},
        {"a:255-255-65535", DDD_OK, 255, 255, 65535},
        {"a:1.2.3 beta", DDD_OK, 1, 2, 3},
        {"a:b:1.2.3", DDD_ERROR, 0, 0, 0}, /* the first colon counts */
        {"1.2.3", DDD_ERROR, 0, 0, 0},     /* no colon */
        {"a:256.0.0", DDD_ERROR, 0, 0, 0}, /* major 256 fails parsing */
        {"a:1.256.0", DDD_ERROR, 0, 0, 0},
        {"a:1.2.65536", DDD_ERROR, 0, 0, 0},
        {"a:1.2", DDD_ERROR, 0, 0, 0}, /* a part missing */
        {"a:1..3", DDD_ERROR, 0, 0, 0},
    };
    for (const Case &c : cases) {
        WORD major = 0, minor = 0, build = 0;
        EXPECT_EQ(c.status, ddd_ParseVersionText(c.text, 24, &major, &minor, &build)) << c.text;
        if (c.status == DDD_OK) {
            EXPECT_EQ(ddd_PackVersion(c.major, c.minor, c.build), ddd_PackVersion(major, minor, build)) << c.text;
        }
    }
    /* A text filling the whole field without a terminator ends at the field's end. */
    WORD major = 0, minor = 0, build = 0;
    EXPECT_EQ(DDD_OK, ddd_ParseVersionText("V:1.2.34567", 9, &major, &minor, &build));
    EXPECT_EQ(345, build);
}

TEST_F(ReaderTest, EntriesEndWhereEntryZeroSaysAndStoredCountsOfZeroArePresent)
{
    dddc::Bytes file = Compile(Source(1024, "  1: 3\n  3: []\n  5: 9\n", ""));
    Pair pair(file);
    ASSERT_EQ(DDD_OK, pair.status);
    EXPECT_EQ(DDD_OK, ddd_FindEntry(&pair.model, 3));
    EXPECT_EQ(0, ddd_GetEntryCount(&pair.model, 3));
    EXPECT_EQ(9u, ddd_GetEntryNumber(&pair.model, 5, 1, 0));
    EXPECT_EQ(DDD_ERROR, ddd_FindEntry(&pair.model, 6)); /* after the last entry written */
    EXPECT_EQ(DDD_ERROR, ddd_FindEntry(&pair.model, 42));
    EXPECT_EQ(0u, ddd_GetEntryNumber(&pair.model, 6, 4, 0));
    BYTE buffer[4];
    DddEntryItemRequest past = {&pair.model, 1, 2, 1, buffer};
    EXPECT_EQ(DDD_ERROR, ddd_ReadEntryItem(&past));
    EXPECT_EQ(nullptr, ddd_GetEntryString(&pair.model, 35, 0));
}

TEST_F(ReaderTest, EntryArraysAndTextElements)
{
    dddc::Bytes file = Compile(Source(1024, "  3: [7, 8, 9]\n  28: [one, \"\", three]\n", ""));
    Pair pair(file);
    WORD count = 0;
    void *buffer = nullptr;
    ASSERT_EQ(DDD_OK, ddd_ReadEntryArray(&pair.model, 3, 2, &count, &buffer));
    ASSERT_EQ(3, count);
    EXPECT_EQ(9, ((const BYTE *)buffer)[4]);
    GlobalFree(buffer);
    EXPECT_EQ(DDD_ERROR, ddd_ReadEntryArray(&pair.model, 3, 4, &count, &buffer)); /* wider than stored */
    EXPECT_EQ(nullptr, buffer);
    EXPECT_EQ(3, ddd_GetEntryCount(&pair.model, 28));
    const char *expected[] = {"one", "<null>", "three", "<null>"};
    for (WORD i = 0; i < 4; ++i) {
        DddEntryStringRequest request = {&pair.model, 28, i, nullptr};
        EXPECT_EQ(i < 3 ? DDD_OK : DDD_ERROR, ddd_ReadEntryString(&request)) << i;
        EXPECT_EQ(expected[i], Narrow(request.text)) << i;
        GlobalFree(request.text);
    }
}

TEST_F(ReaderTest, ListIndexZeroOrPastTheCountAndUnknownKeysAreNotFound)
{
    dddc::Bytes file = Compile(Source(1024, "", "  - {type: 18, key: 4, data: \"01\"}\n  - {type: 18, key: 6}\n"));
    Pair pair(file);
    ASSERT_EQ(DDD_OK, pair.status);
    BYTE level = 0;
    WORD key = 0;
    DWORD offset = 0;
    for (WORD index : {0, 3}) {
        ASSERT_EQ(DDD_OK, ddd_SeekTypeList(&pair.model, 18));
        EXPECT_EQ(DDD_NOT_FOUND, ddd_FindListEntry(&pair.model, DDD_BY_INDEX, index, &level, &key, &offset));
    }
    ASSERT_EQ(DDD_OK, ddd_SeekTypeList(&pair.model, 18));
    EXPECT_EQ(DDD_OK, ddd_FindListEntry(&pair.model, DDD_BY_INDEX, 2, &level, &key, &offset));
    EXPECT_EQ(6, key);
    EXPECT_EQ(DDD_LEVEL_MODEL, level);
    ASSERT_EQ(DDD_OK, ddd_SeekTypeList(&pair.model, 18));
    EXPECT_EQ(DDD_NOT_FOUND, ddd_FindListEntry(&pair.model, DDD_BY_KEY, 5, &level, &key, &offset));
    EXPECT_EQ(DDD_NOT_FOUND, ddd_SeekTypeList(&pair.model, 2));
    DddRecordCountRequest count = {&pair.model, 18};
    EXPECT_EQ(2, ddd_GetRecordCount(&count));
}

TEST_F(ReaderTest, TextFieldsInlineReferencedAndEmpty)
{
    dddc::Bytes file = Compile(Source(1024,
                                      "",
                                      "  - {type: 10, key: 1, name: \"Caf\u00e9\"}\n"
                                      "  - {type: 10, key: 2, name: {text: \"Fallback\", module: 1, string: 7}}\n"
                                      "  - {type: 10, key: 3, name: \"\"}\n"));
    Pair pair(file);
    ASSERT_EQ(DDD_OK, pair.status);
    const char *expected[] = {"Caf\xe9", "Fallback", "<null>"};
    for (WORD key = 1; key <= 3; ++key) {
        void *record = nullptr;
        ASSERT_EQ(DDD_OK, ddd_FetchRecordByKey(DDD_LEVEL_MODEL, &pair.model, &pair.base, 10, key, 0, &record));
        EXPECT_EQ(expected[key - 1], Narrow(((DddPaper *)record)->name));
        ddd_FreeRecord(&record, DDD_FREE_OWN_TYPE);
    }
    /* Entry 35 is missing: the reference fell back to its text and switched references off. */
    EXPECT_EQ(0u, pair.model.resources->referencesAllowed);
    DddRecordTextRequest empty = {&pair.model, &pair.base, 10, 3, 0, nullptr};
    EXPECT_EQ(DDD_NOT_FOUND, ddd_GetRecordText(&empty));
}

TEST_F(ReaderTest, ModuleNamesWithAPathAreNotLoaded)
{
    dddc::Bytes file = Compile(
        Source(1024, "  35: [\"ab.xrs\"]\n", "  - {type: 10, key: 1, name: {text: Fallback, module: 1, string: 7}}\n"));
    /* Turn the module name "ab.xrs" into ".\\.xrs", a name with a separator. */
    for (size_t i = 0; i + 2 < file.size(); ++i) {
        if (file[i] == (BYTE) ~'a' && file[i + 1] == (BYTE) ~'b' && file[i + 2] == (BYTE) ~'.') {
            file[i] = (BYTE) ~'.';
            file[i + 1] = (BYTE) ~'\\';
            break;
        }
    }
    Pair pair(file);
    ASSERT_EQ(DDD_OK, pair.status);
    char *name = nullptr;
    ASSERT_EQ(DDD_OK, ddd_ReadEntryAnsi(&pair.model, 35, 0, &name));
    EXPECT_STREQ(".\\.xrs", name);
    GlobalFree(name);
    qmt_ResetModuleCounts();
    void *paper = nullptr;
    ASSERT_EQ(DDD_OK, ddd_FetchRecordByKey(DDD_LEVEL_MODEL, &pair.model, &pair.base, 10, 1, 0, &paper));
    EXPECT_EQ("Fallback", Narrow(((DddPaper *)paper)->name));
    EXPECT_EQ(0u, pair.model.resources->referencesAllowed);
    EXPECT_EQ(0u, qmt_LiveModules());
    ddd_FreeRecord(&paper, DDD_FREE_OWN_TYPE);
}

TEST_F(ReaderTest, InlineTextStopsAtItsLengthWithoutATerminator)
{
    DddFile file{};
    BYTE body[3] = {(BYTE) ~'a', (BYTE) ~'b', (BYTE) ~'c'};
    BYTE header[DDD_HEADER_BYTES + 8] = {};
    ASSERT_EQ(DDD_OK, ddd_OpenMemory(header, sizeof(header), &file, nullptr));
    WCHAR *text = nullptr;
    DWORD bytes = 0;
    ASSERT_EQ(DDD_OK, ddd_DecodeText(&file, body, 2, &text, &bytes));
    EXPECT_EQ("ab", Narrow(text));
    EXPECT_EQ(6u, bytes);
    GlobalFree(text);
    /* A reference to module 0 or string 0 is not a reference: the bytes are inline text. */
    BYTE zeroModule[8] = {(BYTE) ~'x', 0xFF, 0, 0, 5, 0, 0};
    ASSERT_EQ(DDD_OK, ddd_DecodeText(&file, zeroModule, 7, &text, nullptr));
    EXPECT_EQ("x", Narrow(text));
    GlobalFree(text);
    EXPECT_EQ(1u, file.resources->referencesAllowed);
    ddd_CloseFile(&file);
}

TEST_F(ReaderTest, InlineTextRespectsDoubleByteLeadBytesOfTheAnsiCodePage)
{
    DddFile file{};
    BYTE header[DDD_HEADER_BYTES + 8] = {};
    ASSERT_EQ(DDD_OK, ddd_OpenMemory(header, sizeof(header), &file, nullptr));
    /* "A", then U+3042 in code page 932 (0x82 0xA0), inverted, with the terminator. */
    BYTE body[4] = {(BYTE)~0x41, (BYTE)~0x82, (BYTE)~0xA0, 0xFF};
    qmt_PinAnsiCodePage(932);
    WCHAR *text = nullptr;
    ASSERT_EQ(DDD_OK, ddd_DecodeText(&file, body, 4, &text, nullptr));
    qmt_PinAnsiCodePage(0);
    ASSERT_NE(nullptr, text);
    EXPECT_EQ(0x41, text[0]);
    EXPECT_EQ(0x3042, text[1]);
    EXPECT_EQ(0, text[2]);
    GlobalFree(text);
    ddd_CloseFile(&file);
}

TEST_F(ReaderTest, RecordTypesOfLaterFormatsAreRefusedBelowThem)
{
    struct Case {
        unsigned format;
        const char *record;
        WORD type;
        unsigned patchedFormat;
    } cases[] = {
        {512, "  - {type: 19, key: 1, text: J, flag: 1}\n", 19, 511},
        {8192, "  - {type: 25, key: 1, text1: A, text2: B}\n", 25, 8191},
    };
    for (const Case &c : cases) {
        dddc::Bytes file = Compile(Source(c.format, "", c.record));
        for (unsigned format : {c.format, c.patchedFormat}) {
            file[94] = (BYTE)(format >> 8);
            file[95] = (BYTE)format;
            Pair pair(file);
            ASSERT_EQ(DDD_OK, pair.status);
            void *record = nullptr;
            EXPECT_EQ(format == c.format ? DDD_OK : DDD_ERROR,
                      ddd_FetchRecordByKey(DDD_LEVEL_MODEL, &pair.model, &pair.base, c.type, 1, 0, &record))
                << c.type << " at format " << format;
            ddd_FreeRecord(&record, DDD_FREE_OWN_TYPE);
        }
    }
}

TEST_F(ReaderTest, FreeRecordChecksTheTypeAndClearsThePointer)
{
    dddc::Bytes file = Compile(Source(1024,
                                      "",
                                      "  - {type: 17, key: 1, first: [1, 2], second: [3, 4]}\n"
                                      "  - {type: 10, key: 9, name: A4, margins: 1}\n"));
    Pair pair(file);
    void *paper = nullptr;
    ASSERT_EQ(DDD_OK, ddd_FetchRecordByKey(DDD_LEVEL_MODEL, &pair.model, &pair.base, 10, 9, 0, &paper));
    void *kept = paper;
    EXPECT_EQ(DDD_ERROR, ddd_FreeRecord(&paper, 3));
    EXPECT_EQ(kept, paper);
    EXPECT_EQ(DDD_OK, ddd_FreeRecord(&paper, 10));
    EXPECT_EQ(nullptr, paper);
    EXPECT_EQ(DDD_ERROR, ddd_FreeRecord(&paper, DDD_FREE_OWN_TYPE));
    EXPECT_EQ(DDD_ERROR, ddd_FreeRecord(nullptr, 0));
    void *block = GlobalAlloc(GPTR, 8);
    EXPECT_EQ(DDD_OK, ddd_FreeRecord(&block, 0));
    WORD status = 9;
    void *name = ddd_GetHeaderName(&pair.model, &status);
    EXPECT_EQ(0, status);
    EXPECT_EQ(DDD_OK, ddd_FreeRecord(&name, DDD_TYPE_HEADER_NAME));
}

TEST_F(ReaderTest, PaperMarginsAreLeftTopThenRightBottom)
{
    dddc::Bytes file =
        Compile(Source(1280,
                       "",
                       "  - {type: 17, key: 1, first: [2100, 2970], second: [2100, 2970]}\n"
                       "  - {type: 17, key: 2, first: [42, 50], second: [43, 51]}\n"
                       "  - {type: 10, key: 9, name: A4, paper_size: 1, image_size: 1, margins: 2, extra_word: 5}\n"));
    Pair pair(file);
    void *paper = nullptr;
    ASSERT_EQ(DDD_OK, ddd_FetchRecordByKey(DDD_LEVEL_MODEL, &pair.model, &pair.base, 10, 9, 0, &paper));
    DddSize leftTop{}, rightBottom{}, size{};
    ASSERT_EQ(DDD_OK, ddd_GetPaperMargins(paper, &leftTop, &rightBottom));
    EXPECT_EQ(42, leftTop.width);
    EXPECT_EQ(50, leftTop.height);
    EXPECT_EQ(43, rightBottom.width);
    EXPECT_EQ(51, rightBottom.height);
    ASSERT_EQ(DDD_OK, ddd_GetPaperMaxSize(paper, &size));
    EXPECT_EQ(2970, size.height);
    EXPECT_EQ(DDD_ERROR, ddd_GetRangeMinSize(paper, &size));
    ddd_FreeRecord(&paper, DDD_FREE_OWN_TYPE);
}

TEST_F(ReaderTest, ValueListsOfBooleansAreNormalisedCopies)
{
    dddc::Bytes file = Compile(Source(1024,
                                      "",
                                      "  - {type: 20, key: 3, element_type: 1, element_size: 1, elements: [0, 5, 1]}\n"
                                      "  - {type: 14, key: 1, caption: L, value: {type: 128, value: 3}}\n"));
    Pair pair(file);
    void *option = nullptr;
    ASSERT_EQ(DDD_OK, ddd_FetchRecordByKey(DDD_LEVEL_MODEL, &pair.model, &pair.base, 14, 1, 0, &option));
    DddOption *opt = (DddOption *)option;
    ASSERT_EQ(DDD_OK, ddd_LoadValueList(&pair.model, &pair.base, &opt->head, &opt->value));
    ASSERT_EQ(3u, opt->value.count);
    const DWORD *values = (const DWORD *)ddd_ValueData(&opt->value);
    EXPECT_EQ(0u, values[0]);
    EXPECT_EQ(1u, values[1]);
    EXPECT_EQ(1u, values[2]);
    ddd_FreeRecord(&option, DDD_FREE_OWN_TYPE);
}

TEST_F(ReaderTest, OutOfMemoryWhileParsingFreesThePartlyBuiltRecord)
{
    dddc::Bytes file = Compile(Source(1024,
                                      "",
                                      "  - {type: 11, key: 1, name: N, text2: T, texts: [a, b, c], texts2: [d], data: "
                                      "\"0102\", rows: [{function: 7, type: 6, value: x}]}\n"));
    Pair pair(file);
    ASSERT_EQ(DDD_OK, pair.status);
    /* A first read leaves the file's scratch buffer allocated for the later ones. */
    void *warm = nullptr;
    ASSERT_EQ(DDD_OK, ddd_FetchRecordByKey(DDD_LEVEL_MODEL, &pair.model, &pair.base, 11, 1, 0, &warm));
    ddd_FreeRecord(&warm, DDD_FREE_OWN_TYPE);
    DWORD live = qmt_LiveGlobalBlocks();
    bool succeeded = false;
    for (DWORD after = 0; !succeeded && after < 64; ++after) {
        void *record = nullptr;
        qmt_FailAllocations(after, 1);
        DddStatus status = ddd_FetchRecordByKey(DDD_LEVEL_MODEL, &pair.model, &pair.base, 11, 1, 0, &record);
        qmt_FailAllocations(0, 0);
        if (status == DDD_OK) {
            succeeded = true;
            ddd_FreeRecord(&record, DDD_FREE_OWN_TYPE);
        } else {
            EXPECT_EQ(DDD_NO_MEMORY, status) << after;
            EXPECT_EQ(nullptr, record);
        }
        EXPECT_EQ(live, qmt_LiveGlobalBlocks()) << after;
    }
    EXPECT_TRUE(succeeded);
}

} // namespace
