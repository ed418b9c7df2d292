/*
 * The header block and the trailer: the universal exit line alone, the sample model's
 * header in both forms, the special writers' edge cases, the suppression rule, the
 * booklet placeholder, the capacity and the JobAttributeSet list.
 */
#include "core/jobtext/tests/jobtext_test_support.h"

#include "core/context/tests/driver_files.h"
#include "platform/testing/qm_testing.h"

#include <winspool.h>

#include <gtest/gtest.h>

#include <string.h>

namespace {

using namespace jobtext_test;

const std::pair<std::string, std::string> kPjlFlags = {"26: 0x00400001", "26: 0x00440001"};

void PinClock(WORD year, WORD month, WORD day, WORD hour, WORD minute)
{
    SYSTEMTIME t = {};
    t.wYear = year;
    t.wMonth = month;
    t.wDay = day;
    t.wHour = hour;
    t.wMinute = minute;
    qmt_PinClock(&t);
}

/* The settings the sample's records read. */
std::unique_ptr<TestSettingsAreas> SampleSettings()
{
    auto areas = std::make_unique<TestSettingsAreas>();
    areas->set(12, 3);
    areas->set(16, 2);
    areas->set(18, 1);
    areas->set(410, 9);
    areas->set(451, 23);
    areas->set(452, 59);
    areas->set(274, 1);
    return areas;
}

TEST(JobAttr, WithoutRecordsOnlyTheUniversalExit)
{
    auto bare = OpenModel("  26: 0\n", "");
    auto pjl = OpenModel("  26: 0x40000\n", "");
    auto areas = std::make_unique<TestSettingsAreas>();
    Built built = Build(*bare, *areas);
    EXPECT_EQ(9, built.status);
    EXPECT_EQ(kUel, built.text);
    EXPECT_EQ(14, job_GetUelSize());

    char out[64];
    memset(out, 0x7f, sizeof(out));
    ASSERT_EQ(20, job_EstimateTrailerSize(bare->model(), 0));
    EXPECT_EQ(15, job_WriteTrailer(bare->model(), 0, out));
    EXPECT_EQ(kUel + "@EOJO\n", std::string(out));
    EXPECT_EQ(18, job_WriteTrailer(pjl->model(), 0, out));
    EXPECT_EQ(kUel + "@PJL EOJ\n", std::string(out));
    EXPECT_EQ(14, job_EstimateEojSize(pjl->model(), 0));
    EXPECT_EQ(9, job_WriteEoj(pjl->model(), 0, out));
    EXPECT_EQ("@PJL EOJ\n", std::string(out));
    EXPECT_EQ(JOB_E_ARGUMENT, job_WriteTrailer(nullptr, 0, out));
}

TEST(JobAttr, SampleHeaderInBothForms)
{
    qmt_PinUserName(TEXT("alice"));
    PinClock(2026, 12, 31, 23, 58);
    auto areas = SampleSettings();
    auto bare = OpenSample();
    EXPECT_EQ(kUel + "@PJL JOB NAME=\"Model 50 job\"\n"
                     "@PJL SET JOBATTR=alice\n"
                     "@PJL SET JOBATTR=3\n"
                     "@PJL SET DUPLEX=2\n"
                     "@PJL SET JOBATTR=A4\n"
                     "@PJL SET JOBATTR=2026:12:31:23:59\n"
                     "@PJL SET STAPLE=1\n",
              Build(*bare, *areas).text);
    auto pjl = OpenSample({kPjlFlags});
    EXPECT_EQ(kUel + "@PJL JOB NAME=\"Model 50 job\"\n"
                     "@PJL SET JOBATTR=\"@JOAU=alice\"\n"
                     "@PJL SET JOBATTR=\"@CNUM=3\"\n"
                     "@PJL SET DUPLEX=2\n"
                     "@PJL SET JOBATTR=\"@PSIZ=A4\"\n"
                     "@PJL SET JOBATTR=\"@DLPT=2026:12:31:23:59\"\n"
                     "@PJL SET STAPLE=1\n",
              Build(*pjl, *areas).text);
    EXPECT_EQ(1024 + 9 + 84 + 47 + 183,
              job_EstimateHeaderSize(nullptr, &areas->devmode, bare->model(), bare->base(), nullptr, 0));
    EXPECT_EQ(1024 + 9 + 20 + 84 + 66 + 183,
              job_EstimateHeaderSize(nullptr, &areas->devmode, pjl->model(), pjl->base(), nullptr, 0));
    qmt_PinUserName(nullptr);
    qmt_PinClock(nullptr);
}

TEST(JobAttr, EstimateNeedsItsEntries)
{
    auto areas = std::make_unique<TestSettingsAreas>();
    auto noEntry2 = OpenModel("  26: 0\n", "");
    EXPECT_EQ(JOB_E_ENTRY, job_EstimateHeaderSize(nullptr, &areas->devmode, noEntry2->model(), nullptr, nullptr, 0));
    auto fax = OpenModel("  2: 100\n  23: 1\n  24: 10\n  25: 50\n  26: 0x40000\n", "");
    EXPECT_EQ(100 + 9 + 20 + 84 + 66 + 183 + 500 + 91,
              job_EstimateHeaderSize(nullptr, &areas->devmode, fax->model(), nullptr, nullptr, 0));
    auto faxWithout25 = OpenModel("  2: 100\n  23: 1\n  24: 10\n  26: 0\n", "");
    EXPECT_EQ(JOB_E_ENTRY,
              job_EstimateHeaderSize(nullptr, &areas->devmode, faxWithout25->model(), nullptr, nullptr, 0));
}

/* One record writing the value of a FunctionID after keyword "@V=". */
std::unique_ptr<Model> ValueModel(int functionId, const char *flags = "0")
{
    return OpenModel(std::string("  26: ") + flags + "\n",
                     "  - {type: 15, key: 1, word1: " + std::to_string(functionId) +
                         ", text1: \"@V=\", extra_word: 1}\n");
}

TEST(JobAttr, NumberListIsSortedDistinctAndBounded)
{
    auto model = ValueModel(1834);
    auto areas = std::make_unique<TestSettingsAreas>();
    const LONG values[] = {5, 0, 3, 1, 10000, 3};
    for (WORD i = 0; i < 6; ++i)
        areas->set((WORD)(1834 + i), values[i]);
    EXPECT_EQ(kUel + "@V=3:5\n", Build(*model, *areas).text);
    auto none = std::make_unique<TestSettingsAreas>();
    EXPECT_EQ(kUel, Build(*model, *none).text) << "nothing to write: no keyword, no line end";
}

TEST(JobAttr, UserNameRules)
{
    struct Case {
        UINT codePage;
        std::u16string name;
        std::string expected;
    };
    const Case cases[] = {
        {1252, u"alice", "alice"},
        {1252, u"   ", "UnknownUser"},
        {1252,
         u"al\x01"
         u"ce",
         "UnknownUser"}, // control character
        {1252,
         u"\x20AC"
         u"uro",
         "UnknownUser"},                            // 0x80 is no allowed byte
        {932, u"\x3000\x3000", "UnknownUser"},      // double-byte blanks only
        {932, u"\x5C71\x7530", "\x8E\x52\x93\x63"}, // double-byte name
        {932,
         u"\xFF71"
         u"b",
         "\xB1"
         "b"}, // half-width katakana
        {932, u"a\x01", "UnknownUser"},
    };
    auto model = ValueModel(8193);
    auto areas = std::make_unique<TestSettingsAreas>();
    for (const Case &c : cases) {
        qmt_PinAnsiCodePage(c.codePage);
        qmt_PinUserName((LPCWSTR)c.name.c_str());
        EXPECT_EQ(kUel + "@V=" + c.expected + "\n", Build(*model, *areas).text) << c.codePage << " " << c.expected;
    }
    qmt_PinUserName(nullptr);
    qmt_PinAnsiCodePage(0);
}

TEST(JobAttr, CustomPaperFromItsPrinterFormAndMissingKeyword)
{
    HMODULE module = driver_files::PinModuleDirectory();
    HANDLE printer = driver_files::InstallPrinter(TEXT("Job printer"), u"C:\\drv\\QM50C1.DDD");
    ASSERT_NE(nullptr, printer);
    FORM_INFO_1W form = {FORM_USER, (LPWSTR)TEXT("Slot form"), {100450, 148550}, {0, 0, 100450, 148550}};
    ASSERT_TRUE(AddFormW(printer, 1, (LPBYTE)&form));
    auto model = ValueModel(410);
    auto areas = std::make_unique<TestSettingsAreas>();
    areas->set(410, 262);
    areas->set_text(5929, TEXT("Slot form"));
    JobAttrContext context = Context(*areas, 4096);
    context.printer = printer;
    EXPECT_EQ(kUel + "@V=UNFIXED:149:100\n", Build(*model, *areas, &context).text) << "half up, height first";
    areas->set(438, 2);
    EXPECT_EQ(kUel + "@V=UNFIXED:100:149\n", Build(*model, *areas, &context).text) << "feed 2: width first";
    areas->set(410, 4);
    EXPECT_EQ(JOB_E_OUTSIDE, Build(*model, *areas, &context).status) << "paper without keyword";
    areas->set(410, 263);
    EXPECT_EQ(JOB_E_OUTSIDE, Build(*model, *areas, &context).status) << "slot without printer form";
    ClosePrinter(printer);
    FreeLibrary(module);
}

TEST(JobAttr, SuppressionBySetting336)
{
    /* Bare form: records without fixed value, compared by keyword. */
    auto bare = OpenModel("  26: 0\n",
                          "  - {type: 15, key: 1, word1: 12, text1: \"@A=\", extra_word: 0}\n"
                          "  - {type: 15, key: 2, word1: 12, text1: \"@B=\", extra_word: 1}\n"
                          "  - {type: 15, key: 3, word1: 12, text1: \"@A=\", extra_word: 1}\n");
    auto areas = std::make_unique<TestSettingsAreas>();
    areas->set(12, 2);
    EXPECT_EQ(kUel + "@A=2\n@B=2\n@A=2\n", Build(*bare, *areas).text);
    areas->set(336, 1);
    EXPECT_EQ(kUel + "@B=2\n", Build(*bare, *areas).text) << "the unflagged record and its later twin vanish";

    /* PJL form: fixed values compared, and a fixed "@PJL SET JOBATTR=" line by its key part. */
    auto pjl = OpenModel(
        "  26: 0x40000\n",
        "  - {type: 15, key: 1, word1: 12, text1: \"@PJL SET JOBATTR=\", text2: \"@CNUM=\", extra_word: 0}\n"
        "  - {type: 15, key: 2, word1: 0, text1: \"@PJL SET JOBATTR=\", text2: \"\\\"@CNUM=9\\\"\", extra_word: 1}\n"
        "  - {type: 15, key: 3, word1: 0, text1: \"@PJL SET JOBATTR=\", text2: \"\\\"@JOAU=x\\\"\", extra_word: 1}\n");
    EXPECT_EQ(kUel + "@PJL SET JOBATTR=\"@JOAU=x\"\n", Build(*pjl, *areas).text);
    areas->set(336, 0);
    EXPECT_EQ(kUel + "@PJL SET JOBATTR=\"@CNUM=2\"\n@PJL SET JOBATTR=\"@CNUM=9\"\n@PJL SET JOBATTR=\"@JOAU=x\"\n",
              Build(*pjl, *areas).text);
}

TEST(JobAttr, BookletPlaceholderAndItsOffset)
{
    const char *records = "  - {type: 15, key: 1, word1: 0, text1: \"@X=\", text2: \"1\", extra_word: 1}\n"
                          "  - {type: 15, key: 2, word1: 0, text1: \"%\", extra_word: 1}\n";
    auto bare = OpenModel("  26: 0x4000000\n", records);
    auto pjl = OpenModel("  26: 0x4040000\n", records);
    auto areas = std::make_unique<TestSettingsAreas>();
    areas->set(321, 2);
    areas->set(446, 1);
    areas->set(1328, 1);
    Built built = Build(*bare, *areas);
    EXPECT_EQ(kUel + "@X=1\n" + std::string(20, ' ') + "\n", built.text);
    EXPECT_EQ(14u, built.bookletOffset);
    built = Build(*pjl, *areas);
    EXPECT_EQ(kUel + "@X=1\n" + std::string(38, ' ') + "\n", built.text);
    EXPECT_EQ(14u, built.bookletOffset);

    JobAttrContext context = Context(*areas, 4096);
    context.bookletCount = 12;
    built = Build(*pjl, *areas, &context);
    EXPECT_EQ(kUel + "@X=1\n@PJL SET JOBATTR=\"@BKTP=12\"\n", built.text);
    EXPECT_EQ(0u, built.bookletOffset);
    areas->set(446, 0);
    EXPECT_EQ(kUel + "@X=1\n", Build(*pjl, *areas).text) << "446 off: no booklet line";
}

TEST(JobAttr, DelayedPrintDateAcrossDayMonthAndYearEnds)
{
    struct Case {
        WORD year, month, day, hour, minute; /* now */
        LONG wantHour, wantMinute;
        const char *expected;
    };
    const Case cases[] = {
        {2026, 12, 31, 23, 58, 23, 59, "2026:12:31:23:59"},
        {2026, 12, 31, 23, 58, 23, 58, "2026:12:31:23:58"}, // not earlier: today
        {2026, 12, 31, 0, 1, 0, 0, "2027:01:01:00:00"},
        {2026, 2, 28, 0, 1, 0, 0, "2026:03:01:00:00"},
        {2028, 2, 28, 12, 0, 11, 59, "2028:02:29:11:59"},
        {2026, 11, 30, 0, 1, 0, 0, "2026:12:01:00:00"},
    };
    auto model = ValueModel(32784);
    auto areas = std::make_unique<TestSettingsAreas>();
    for (const Case &c : cases) {
        PinClock(c.year, c.month, c.day, c.hour, c.minute);
        areas->set(451, c.wantHour);
        areas->set(452, c.wantMinute);
        EXPECT_EQ(kUel + "@V=" + c.expected + "\n", Build(*model, *areas).text) << c.expected;
    }
    qmt_PinClock(nullptr);
}

TEST(JobAttr, NarrowTextIsWrittenOnceInTheAnsiCodePage)
{
    auto model = ValueModel(329);
    auto areas = std::make_unique<TestSettingsAreas>();
    areas->set_text(329, TEXT("Memo \x00E9t\x00E9"));
    EXPECT_EQ(kUel + "@V=Memo \xE9t\xE9\n", Build(*model, *areas).text) << "all characters, not one";
    EXPECT_EQ(kUel, Build(*model, *areas).text) << "cleared after the first job";
}

TEST(JobAttr, CapacityStopsEveryWriterWithGuardsIntact)
{
    qmt_PinUserName(TEXT("alice"));
    PinClock(2026, 12, 31, 23, 58);
    auto areas = SampleSettings();
    auto model = OpenSample({kPjlFlags});
    const std::string full = Build(*model, *areas).text;
    ASSERT_FALSE(full.empty());
    for (DWORD capacity : std::vector<DWORD>{(DWORD)full.size(), (DWORD)full.size() - 5, 9u, 5u}) {
        std::vector<char> out(capacity + 32, '\x7f');
        JobAttrContext context = Context(*areas, capacity);
        EXPECT_EQ(JOB_E_COPY, job_BuildJobAttrBlock(model->model(), model->base(), &context, nullptr, 0, out.data()))
            << capacity;
        for (size_t i = capacity; i < out.size(); ++i)
            ASSERT_EQ('\x7f', out[i]) << capacity << " guard " << i;
    }

    /* Two sets whose texts fill the estimate E exactly with their zero. */
    const DWORD estimate = (DWORD)full.size() + 1;
    const DWORD size = job_GetJobAttrSetListSize(2, estimate);
    EXPECT_EQ((estimate + 8) * 2 + sizeof(JobAttrSetHead), size);
    std::vector<DWORD> words(size / 4 + 1);
    JobAttrSetHead *list = (JobAttrSetHead *)words.data();
    ASSERT_TRUE(job_InitJobAttrSetList(list, size, 2, estimate));
    for (DWORD i = 0; i < 2; ++i) {
        JobAttrContext context = Context(*areas, 0);
        EXPECT_EQ((LONG)full.size(), job_BuildJobAttrSet(list, i, model->model(), model->base(), &context, nullptr, 0));
    }
    std::vector<BYTE> sent((BYTE *)list, (BYTE *)list + size);
    const JobAttrSetHead *received = (const JobAttrSetHead *)sent.data();
    EXPECT_EQ(0u, received->entries);
    EXPECT_EQ(estimate + 4, received->entrySize);
    for (DWORD i = 0; i < 2; ++i) {
        const char *text = nullptr;
        DWORD length = 0, offset = 1;
        ASSERT_TRUE(job_ReadJobAttrSet(received, size, i, &text, &length, &offset));
        EXPECT_EQ(full, std::string(text, length));
        EXPECT_EQ('\0', text[length]);
        EXPECT_EQ(0u, offset);
    }
    EXPECT_FALSE(job_ReadJobAttrSet(received, size - 1, 0, nullptr, nullptr, nullptr)) << "short list";
    EXPECT_FALSE(job_ReadJobAttrSet(received, size, 2, nullptr, nullptr, nullptr)) << "index past the count";
    qmt_PinUserName(nullptr);
    qmt_PinClock(nullptr);
}

TEST(JobAttr, AppendHelpers)
{
    char out[8];
    memset(out, 0x7f, sizeof(out));
    EXPECT_EQ(3, job_AppendNarrow(TEXT("abc"), out, 4));
    EXPECT_STREQ("abc", out);
    EXPECT_EQ(JOB_E_COPY, job_AppendNarrow(TEXT("abcd"), out, 4));
    EXPECT_EQ(5, job_AppendTwoNarrow(TEXT("ab"), TEXT("cde"), out, 6));
    EXPECT_STREQ("abcde", out);
    EXPECT_EQ(JOB_E_COPY, job_AppendTwoNarrow(TEXT("ab"), TEXT("cdef"), out, 6));
    EXPECT_EQ('\x7f', out[7]);
}

} // namespace
