/*
 * The checked-in tiny file: dddc's output for its source equals the bytes verified by hand,
 * and the reader reads it back field by field.
 */
#include "core/ddd/ddd_access.h"
#include "core/ddd/tests/ddd_test_support.h"

#include <gtest/gtest.h>

#include "platform/testing/qm_testing.h"

namespace {

using ddd_test::Narrow;

struct TinyTest : testing::Test {
    void SetUp() override
    {
        bytes = ddd_test::ReadBytes(std::string(QM_DDD_TEST_DATA) + "/tiny.DDD");
        ASSERT_EQ(660u, bytes.size());
        blocksBefore = qmt_LiveGlobalBlocks();
    }
    void TearDown() override
    {
        EXPECT_EQ(blocksBefore, qmt_LiveGlobalBlocks());
    }
    dddc::Bytes bytes;
    DWORD blocksBefore = 0;
};

static unsigned Word(const dddc::Bytes &b, size_t at)
{
    return b[at] | (b[at + 1] << 8);
}
static unsigned Dword(const dddc::Bytes &b, size_t at)
{
    return Word(b, at) | (Word(b, at + 2) << 16);
}

TEST_F(TinyTest, CompilerOutputEqualsTheHandCheckedBytes)
{
    dddc::Bytes source = ddd_test::ReadBytes(std::string(QM_DDD_TEST_DATA) + "/tiny.yaml");
    EXPECT_EQ(bytes, ddd_test::Compile(std::string(source.begin(), source.end())));

    /* The offsets below were worked out by hand from the layout. */
    EXPECT_EQ(0x00u, bytes[92]); /* format 1024, big-endian */
    EXPECT_EQ(0x04u, bytes[94]);
    EXPECT_EQ(96u, Dword(bytes, 224)); /* entries 1-41 end at 228 + 96 = 324 */
    EXPECT_EQ(7u, Word(bytes, 228));   /* entry 1 */
    EXPECT_EQ(1u, Word(bytes, 234));   /* entry 3: stored count 1, element 513 */
    EXPECT_EQ(513u, Word(bytes, 236));
    EXPECT_EQ(0x8Bu, bytes[0x13B]);     /* entry 35: "tiny.xrs" inverted, 't' ^ 0xFF */
    EXPECT_EQ(167u, Dword(bytes, 324)); /* directory {length, 23} */
    EXPECT_EQ(23u, Word(bytes, 328));
    EXPECT_EQ(4u, bytes[330 + 7]); /* slot of type 4: one record, list at 4 + X */
    EXPECT_EQ(1u, Word(bytes, 331 + 7));
    EXPECT_EQ(0x1EDu, 4 + Dword(bytes, 333 + 7));
    EXPECT_EQ(2u, bytes[0x1EF]); /* list entry {level 2, key 274, offset 0x1F6} */
    EXPECT_EQ(274u, Word(bytes, 0x1F0));
    EXPECT_EQ(0x1F6u, Dword(bytes, 0x1F2));
    EXPECT_EQ(45u, Dword(bytes, 0x1F6)); /* record length is the whole record */
    EXPECT_EQ(8u, Word(bytes, 0x1FC));   /* caption: reference {"Or", module 1, string 9} */
    EXPECT_EQ(0xB0u, bytes[0x1FE]);
    EXPECT_EQ(1u, Word(bytes, 0x201));
    EXPECT_EQ(9u, Word(bytes, 0x203));
    EXPECT_EQ(4u, Dword(bytes, 0x20B)); /* option array: 4 bytes = count and one key */
    EXPECT_EQ(0x80u, bytes[0x25D]);     /* option value: type 128, n 2, list key 5 */
    EXPECT_EQ(5u, Word(bytes, 0x260));
    EXPECT_EQ(6u, Dword(bytes, 0x280)); /* type-20 list: 6 bytes = count and 2 x 2 */
}

TEST_F(TinyTest, ReaderReadsItBackFieldByField)
{
    {
        ddd_test::Pair pair(bytes);
        ASSERT_EQ(DDD_OK, pair.status);
        EXPECT_EQ(1024u, pair.model.format);
        EXPECT_EQ(ddd_PackVersion(1, 2, 3), pair.model.version);
        EXPECT_EQ(nullptr, pair.base.bytes);
        EXPECT_EQ(7u, ddd_GetEntryNumber(&pair.model, 1, 2, 0));
        EXPECT_EQ(1u, ddd_GetEntryCount(&pair.model, 3));
        EXPECT_EQ(513u, ddd_GetEntryNumber(&pair.model, 3, 2, 0));
        WCHAR *module = ddd_GetEntryString(&pair.model, 35, 0);
        EXPECT_EQ("tiny.xrs", Narrow(module));
        GlobalFree(module);

        void *record = nullptr;
        ASSERT_EQ(DDD_OK, ddd_FetchRecordByKey(DDD_LEVEL_MODEL, &pair.model, &pair.base, 4, 274, 0, &record));
        const DddDefinition *def = (const DddDefinition *)record;
        EXPECT_EQ(4, def->head.type);
        EXPECT_EQ(DDD_LEVEL_MODEL, def->head.level);
        /* The module cannot be loaded here: the reference falls back to its own text. */
        EXPECT_EQ("Or", Narrow(def->caption));
        EXPECT_EQ(2, def->controlKind);
        EXPECT_EQ(1, def->defaultOption);
        ASSERT_EQ(1, def->options.count);
        EXPECT_EQ(1, def->options.keys[0]);

        void *option = nullptr;
        ASSERT_EQ(DDD_OK, ddd_FetchOptionRecord(DDD_LEVEL_MODEL, 1, &pair.model, &pair.base, def, 0, nullptr, &option));
        DddOption *opt = (DddOption *)option;
        EXPECT_EQ("Up", Narrow(opt->caption));
        EXPECT_EQ(DDD_VT_VALUE_LIST, opt->value.valueType);
        ASSERT_EQ(DDD_OK, ddd_LoadValueList(&pair.model, &pair.base, &opt->head, &opt->value));
        EXPECT_EQ(DDD_VT_USHORT, opt->value.valueType);
        EXPECT_EQ(2u, opt->value.count);
        const BYTE *elements = (const BYTE *)ddd_ValueData(&opt->value);
        EXPECT_EQ(10, elements[0] | (elements[1] << 8));
        EXPECT_EQ(20, elements[2] | (elements[3] << 8));
        EXPECT_EQ(DDD_OK, ddd_FreeRecord(&option, DDD_FREE_OWN_TYPE));
        EXPECT_EQ(DDD_OK, ddd_FreeRecord(&record, DDD_FREE_OWN_TYPE));
        EXPECT_EQ(nullptr, record);
    }
}

} // namespace
