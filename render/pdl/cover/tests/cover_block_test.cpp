/*
 * The cover page's pieces: the item list of both layout variants, the text block's bytes,
 * the document-name command and the prepared file.
 */
#include "render/pdl/cover/cover_block.h"

#include <string.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_testing_files.h"
#include "platform/testing/qm_testing_text.h"

namespace {

void Put16(std::vector<BYTE> &b, size_t at, WORD v)
{
    b[at] = (BYTE)v;
    b[at + 1] = (BYTE)(v >> 8);
}

/* A device font record: codes 0x20-0x7E direct, each 600 units wide, and one sorted
 * sub-table holding the double-byte code 0x82A0 (glyph 5); identifier 0x2C. */
std::vector<BYTE> CoverFontRecord()
{
    std::vector<BYTE> b(FONT_RECORD_HEADER_SIZE, 0);
    Put16(b, 0, (WORD)b.size());
    for (const char *name : {"Cover", "C1"}) {
        b.insert(b.end(), name, name + strlen(name) + 1);
    }
    Put16(b, 2, (WORD)b.size());
    b.insert(b.end(), FONT_METRICS_SIZE, 0);
    Put16(b, 4, (WORD)b.size());
    for (int c = 0x20; c <= 0x7E; ++c) {
        b.push_back(600 & 0xFF);
        b.push_back(600 >> 8);
    }
    Put16(b, 8, (WORD)b.size());
    b.insert(b.end(), {'2', 'C', 0});
    Put16(b, 38, (WORD)b.size());
    b.insert(b.end(), {1, 0, 0xA0, 0x82, 5, 0});
    b[20] = 0;
    b[21] = 0x31;
    b[22] = 0x20;
    b[23] = 0x7E;
    Put16(b, 26, 600);
    Put16(b, 31, 400);
    return b;
}

class CoverTest : public testing::Test
{
protected:
    void SetUp() override
    {
        heap_ = HeapCreate(0, 0x10000, 0);
        record_ = CoverFontRecord();
        font_ = fnt_BuildFontInfoBlock(heap_, record_.data(), (DWORD)record_.size());
        ASSERT_NE(font_, nullptr);
        ASSERT_EQ(font_->codeTableResult, 0);
        resources_ = LoadLibraryW(u"qmcovertest.dll");
        ASSERT_NE(resources_, nullptr);
        job_.resources = resources_;
        job_.resolutionX = 600;
        job_.resolutionY = 600;
        job_.fonts[0] = font_;
        job_.fonts[1] = font_;
    }
    void TearDown() override
    {
        qmt_PinAnsiCodePage(0);
        FreeLibrary(resources_);
        HeapDestroy(heap_);
    }

    std::vector<std::u16string> ItemTexts(const CoverTexts &texts)
    {
        TextItemList *list = nullptr;
        DWORD count = 0;
        EXPECT_TRUE(pdl_BuildTextItemList(&job_, &texts, &list, &count));
        std::vector<std::u16string> out;
        for (DWORD i = 0; list != nullptr && i < count; ++i) {
            out.push_back((const char16_t *)list->items[i].text);
        }
        GlobalFree(list);
        return out;
    }

    std::vector<BYTE> Block(const CoverTexts &texts, LONG *measured)
    {
        *measured = pdl_MeasureTextBlock(&job_, &texts);
        std::vector<BYTE> bytes(*measured > 0 ? (size_t)*measured : 0);
        LONG written = pdl_WriteTextBlock(&job_, &texts, bytes.data(), (DWORD)bytes.size());
        EXPECT_EQ(written, *measured);
        return bytes;
    }

    HANDLE heap_ = nullptr;
    std::vector<BYTE> record_;
    FontInfoBlock *font_ = nullptr;
    HMODULE resources_ = nullptr;
    CoverJob job_{};
};

/* The commands of a block after its header, by name. */
std::vector<std::string> Commands(const std::vector<BYTE> &b)
{
    std::vector<std::string> out;
    size_t at = COVER_BLOCK_HEADER_BYTES;
    while (at + 2 <= b.size()) {
        std::string op((const char *)&b[at], 2);
        out.push_back(op);
        if (op == "DA") {
            at += 4;
        } else if (op == "Db") {
            at += 26;
        } else if (op == "Dd") {
            size_t n = (size_t)(b[at + 11] << 8 | b[at + 12]);
            size_t length = (size_t)(b[at + 13 + 4 * n] << 8 | b[at + 14 + 4 * n]);
            at += 15 + 4 * n + length;
        } else {
            break;
        }
    }
    EXPECT_EQ(at, b.size());
    return out;
}

void PutFloat(std::vector<BYTE> &b, float v)
{
    DWORD bits;
    memcpy(&bits, &v, 4);
    b.insert(b.end(), {(BYTE)(bits >> 24), (BYTE)(bits >> 16), (BYTE)(bits >> 8), (BYTE)bits});
}

TEST_F(CoverTest, ItemsOfBothVariantsFollowTheirRules)
{
    CoverTexts full{};
    full.senderName = u"ACME";
    full.recipientName = u"Bob";
    full.oneRecipientName = u"Only";
    full.recipientSecond = u"Sales";
    full.recipientFirst = u"555-1";
    full.recipientNamed = u"Bob's";
    full.prefixes[0] = u"P1 ";
    full.prefixes[1] = u"P2 ";
    full.senderTexts[0] = u"Ann";
    full.subject = u"Plans";
    full.firstChoice = 1;
    full.secondChoice = 2;
    struct Case {
        const char *what;
        void (*adjust)(CoverTexts *);
        std::vector<std::u16string> texts;
    } cases[] = {
        {"first variant",
         nullptr,
         {u"FAX",
          u"ACME",
          u"To",
          u"Bob",
          u"urgent",
          u"Sales",
          u"no reply",
          u"Fax",
          u"555-1",
          u"From",
          u"Ann",
          u"Tel",
          u"Fax",
          u"Subject",
          u"Plans",
          u"Note"}},
        {"second variant: no choices, captions of its own",
         [](CoverTexts *t) { t->senderFirstWord = 1; },
         {u"FACSIMILE",
          u"ACME",
          u"To:",
          u"Bob",
          u"Sales",
          u"Fax:",
          u"555-1",
          u"From:",
          u"Ann",
          u"Tel:",
          u"Fax:",
          u"Subject:",
          u"Plans",
          u"Note:"}},
        {"one recipient",
         [](CoverTexts *t) { t->oneRecipient = 1; },
         {u"FAX",
          u"ACME",
          u"To",
          u"Only",
          u"no reply",
          u"555-1",
          u"From",
          u"Ann",
          u"Tel",
          u"Fax",
          u"Subject",
          u"Plans",
          u"Note"}},
        {"no kind-7 caption",
         [](CoverTexts *t) { t->noRecipientFixed = 1; },
         {u"FAX",
          u"ACME",
          u"To",
          u"Bob",
          u"urgent",
          u"Sales",
          u"no reply",
          u"555-1",
          u"From",
          u"Ann",
          u"Tel",
          u"Fax",
          u"Subject",
          u"Plans",
          u"Note"}},
        {"prefix of choice 1",
         [](CoverTexts *t) { t->prefixWord = 1; },
         {u"FAX",
          u"ACME",
          u"To",
          u"Bob",
          u"urgent",
          u"Sales",
          u"no reply",
          u"Fax",
          u"P2 Bob's",
          u"From",
          u"Ann",
          u"Tel",
          u"Fax",
          u"Subject",
          u"Plans",
          u"Note"}},
        {"prefix of choice 2",
         [](CoverTexts *t) {
             t->prefixWord = 1;
             t->firstChoice = 2;
             t->secondChoice = 0;
         },
         {u"FAX",
          u"ACME",
          u"To",
          u"Bob",
          u"for review",
          u"Sales",
          u"Fax",
          u"P1 Bob's",
          u"From",
          u"Ann",
          u"Tel",
          u"Fax",
          u"Subject",
          u"Plans",
          u"Note"}},
    };
    for (const Case &c : cases) {
        CoverTexts texts = full;
        if (c.adjust)
            c.adjust(&texts);
        EXPECT_EQ(ItemTexts(texts), c.texts) << c.what;
    }
}

TEST_F(CoverTest, EmptyTextsGiveTheHeaderAlone)
{
    FreeLibrary(resources_);
    resources_ = nullptr;
    job_.resources = nullptr; /* no fixed texts either */
    CoverTexts none{};
    LONG measured = 0;
    std::vector<BYTE> block = Block(none, &measured);
    const std::vector<BYTE> header = {'A', 'R', 'A', 'K', 2, 'A', 'L', 1, 0, 0, 0, 0x0D, 'A', 'M', 2, 4, 0, 0, 0};
    EXPECT_EQ(block, header);
}

TEST_F(CoverTest, OneItemBlockIsExactAndSizesAndStylesAreSentOnChange)
{
    FreeLibrary(resources_);
    resources_ = nullptr;
    job_.resources = nullptr;
    CoverTexts one{};
    one.subject = u"AB";
    LONG measured = 0;
    std::vector<BYTE> block = Block(one, &measured);
    /* The subject row: 13 points at (68 mm, 164 mm). At 600 dpi: Db scale 130 x 600 / 720;
       x 680 x 600 / 254, y 1640 x 600 / 254; each advance 600 units x 130 x 600 / 720000
       = 65. Font id 0x2C with the cover flag 0x2. */
    std::vector<BYTE> expected = {'A', 'R', 'A', 'K', 2, 'A', 'L', 1, 0, 0, 0, 0x0D, 'A', 'M', 2, 4, 0, 0, 0};
    expected.insert(expected.end(), {'D', 'A', 0x00, 0x2E, 'D', 'b'});
    for (float v : {130.0f * 600 / 720, 0.0f, 0.0f, -(130.0f * 600 / 720), 0.0f, 0.0f})
        PutFloat(expected, v);
    expected.insert(expected.end(), {'D', 'd'});
    PutFloat(expected, 680.0f * 600 / 254);
    PutFloat(expected, 1640.0f * 600 / 254);
    expected.insert(expected.end(), {2, 0, 2});
    PutFloat(expected, 65.0f);
    PutFloat(expected, 65.0f);
    expected.insert(expected.end(), {0, 2, 'A', 'B'});
    EXPECT_EQ(block, expected);

    CoverTexts two{};
    two.senderTexts[2] = u"x"; /* two rows of 14 points */
    two.senderTexts[3] = u"y";
    EXPECT_EQ(Commands(Block(two, &measured)), (std::vector<std::string>{"DA", "Db", "Dd", "Dd"}));
    two.subject = u"z"; /* 13 points: a second Db, no second DA */
    EXPECT_EQ(Commands(Block(two, &measured)), (std::vector<std::string>{"DA", "Db", "Dd", "Dd", "Db", "Dd"}));
}

TEST_F(CoverTest, DoubleByteItemsMeasureWhatIsWrittenAndUnmappedCharactersFail)
{
    qmt_PinAnsiCodePage(932);
    job_.resources = nullptr; /* the subject alone */
    CoverTexts texts{};
    texts.subject = u"A\u3042B"; /* the middle one is 0x82A0 in code page 932 */
    LONG measured = 0;
    std::vector<BYTE> block = Block(texts, &measured);
    ASSERT_GT(measured, 0);
    /* three characters, four bytes: the last item's size is 15 + 4 x 3 + 4 */
    EXPECT_EQ(block[block.size() - 6], 0);
    EXPECT_EQ(block[block.size() - 5], 4);
    EXPECT_EQ(memcmp(&block[block.size() - 4],
                     "A\x82\xA0"
                     "B",
                     4),
              0);

    qmt_PinAnsiCodePage(1252);
    texts.subject = u"caf\u00E9"; /* 0xE9 is outside the font's codes */
    EXPECT_EQ(pdl_MeasureTextBlock(&job_, &texts), -1);
    BYTE buffer[512];
    EXPECT_EQ(pdl_WriteTextBlock(&job_, &texts, buffer, sizeof buffer), -1);
    job_.fonts[0] = nullptr;
    texts.subject = u"ok";
    EXPECT_EQ(pdl_MeasureTextBlock(&job_, &texts), -1) << "no font for the style";
}

TEST_F(CoverTest, DocumentNameIsTheBaseNameCutAtWholeCharacters)
{
    job_.documentPath = u"C:\\docs\\Report.final.doc";
    ASSERT_EQ(pdl_MeasureDocNameText(&job_), 12 + 29);
    BYTE buffer[400];
    ASSERT_EQ(pdl_WriteDocNameText(&job_, buffer, sizeof buffer), 41);
    EXPECT_EQ(memcmp(buffer, "Eg\x00\x0CReport.final", 16), 0);
    EXPECT_EQ(buffer[16], 0x3F); /* 1.0f */
    EXPECT_EQ(buffer[40], 0);
    EXPECT_EQ(pdl_WriteDocNameText(&job_, buffer, 40), -1) << "one byte short";

    job_.documentPath = u"";
    EXPECT_EQ(pdl_MeasureDocNameText(&job_), 0);
    EXPECT_EQ(pdl_WriteDocNameText(&job_, buffer, sizeof buffer), 0);

    /* 127 double-byte characters after one ASCII byte: 255 bytes fit, the next character
       would need 257, so the name stops at 255 and never after a lead byte. */
    qmt_PinAnsiCodePage(932);
    std::u16string name = u"a" + std::u16string(130, u'\u3042');
    job_.documentPath = name.c_str();
    EXPECT_EQ(pdl_MeasureDocNameText(&job_), 255 + 29);
}

TEST_F(CoverTest, PreparedFileIsCopiedWholeOrNotAtAll)
{
    ASSERT_TRUE(CreateDirectoryW(u"C:\\drv", nullptr));
    std::vector<BYTE> content(1300);
    for (size_t i = 0; i < content.size(); ++i)
        content[i] = (BYTE)(i * 7);
    HANDLE out = CreateFileW(u"C:\\drv\\cover.dat", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(out, content.data(), (DWORD)content.size(), &written, nullptr));
    CloseHandle(out);
    job_.driverDirectory = u"C:\\drv";
    job_.preparedFileName = u"cover.dat";

    HANDLE file = pdl_OpenPreparedFile(&job_);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    std::vector<BYTE> copy(COVER_PREPARED_CHUNK);
    ASSERT_EQ(pdl_ReadPreparedFile(file, (DWORD)copy.size(), copy.data()), 1300);
    copy.resize(1300);
    EXPECT_EQ(copy, content);
    copy.resize(COVER_PREPARED_CHUNK);
    EXPECT_EQ(pdl_ReadPreparedFile(file, (DWORD)copy.size(), copy.data()), 0) << "end; the file is closed";

    for (const char16_t *bad : {u"..\\x", u"..", u".", u"", u"C:cover.dat", u"missing.dat"}) {
        job_.preparedFileName = bad;
        EXPECT_EQ(pdl_OpenPreparedFile(&job_), INVALID_HANDLE_VALUE);
    }

    job_.preparedFileName = u"cover.dat";
    file = pdl_OpenPreparedFile(&job_);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    qmt_FailReadAfter(1, 0); /* the second 512-byte piece fails */
    EXPECT_EQ(pdl_ReadPreparedFile(file, (DWORD)copy.size(), copy.data()), -1);
    qmt_ClearReadFault();
    EXPECT_EQ(qmt_LiveHandles(QMT_HANDLE_ANY), 0u) << "closed after the error";
}

} // namespace
