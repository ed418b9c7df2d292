/*
 * Trace records: the quoted text, its parts by flag, the 255-byte pieces, the event
 * table, the names limit and the job-start records.
 */
#include <string>
#include <vector>

#include <winspool.h>

#include <qmhost.h>

#include "platform/testing/qm_testing.h"
#include "render/driver/header/job_header.h"
#include "render/driver/header/tests/header_fixture.h"

namespace header_test {
namespace {

// The comment texts of the 'EP' commands in bytes (the 3-byte command head and the length
// byte are skipped).
std::vector<std::string> Comments(const std::vector<BYTE> &bytes)
{
    std::vector<std::string> texts;
    size_t pos = 0;
    while (pos + 3 <= bytes.size() && bytes[pos] == 'E' && bytes[pos + 1] == 'P') {
        size_t length = bytes[pos + 2];
        texts.push_back(
            std::string(bytes.begin() + (std::ptrdiff_t)pos + 3, bytes.begin() + (std::ptrdiff_t)(pos + 3 + length)));
        pos += 3 + length;
    }
    EXPECT_EQ(pos, bytes.size()) << "only 'EP' commands expected";
    return texts;
}

using TraceTest = HeaderTest;

// A record of 300 bytes (time, names, elapsed time and a 247-byte event text in quotes)
// goes out as two commands of 255 and 45 bytes.
TEST_F(TraceTest, LongRecordIsCutIntoPiecesOf255Bytes)
{
    pdev_->job.traceStartTick = kTick;
    std::u16string text(247, u'x');
    Mark();
    ASSERT_EQ(jc_WriteTraceRecord(pdev_, (LPCWSTR)text.c_str(), TRACE_TIME_AND_NAMES | TRACE_ELAPSED), 0);
    std::vector<std::string> pieces = Comments(Bytes());
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].size(), 255u);
    EXPECT_EQ(pieces[1].size(), 45u);
    EXPECT_EQ(pieces[0] + pieces[1],
              "\"[2024,01/02,03:04:05][Sample job][IP_10.0.0.1][0ms]" + std::string(247, 'x') + "\"");
}

// The event text is cut at 261 bytes.
TEST_F(TraceTest, EventTextIsCutAt261Bytes)
{
    std::u16string text(300, u'z');
    Mark();
    ASSERT_EQ(jc_WriteTraceRecord(pdev_, (LPCWSTR)text.c_str(), 0), 0);
    std::vector<std::string> pieces = Comments(Bytes());
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0] + pieces[1], "\"" + std::string(261, 'z') + "\"");
}

// The parts each flag adds; the elapsed time runs from the job start tick.
TEST_F(TraceTest, FlagsChooseTheParts)
{
    pdev_->job.traceStartTick = kTick - 25;
    struct Case {
        LPCWSTR text;
        DWORD flags;
        const char *expected; // NULL: nothing written
    } cases[] = {
        {TEXT("event"), 0, "\"event\""},
        {TEXT("event"), TRACE_ELAPSED, "\"[25ms]event\""},
        {TEXT(""), TRACE_TIME_AND_NAMES, "\"[2024,01/02,03:04:05][Sample job][IP_10.0.0.1]\""},
        {TEXT("e"), TRACE_TIME_AND_NAMES | TRACE_ELAPSED, "\"[2024,01/02,03:04:05][Sample job][IP_10.0.0.1][25ms]e\""},
        {NULL, TRACE_TIME_AND_NAMES | TRACE_ELAPSED, NULL},
    };
    for (const Case &c : cases) {
        Mark();
        EXPECT_EQ(jc_WriteTraceRecord(pdev_, c.text, c.flags), 0) << c.flags;
        std::vector<std::string> pieces = Comments(Bytes());
        if (c.expected == NULL) {
            EXPECT_TRUE(pieces.empty());
        } else {
            ASSERT_EQ(pieces.size(), 1u) << c.expected;
            EXPECT_EQ(pieces[0], c.expected);
        }
    }
}

// The clock starts at job open: a page event right after it shows 0 ms, later ones count
// from the open, not from the previous record.
TEST_F(TraceTest, ElapsedTimeCountsFromTheJobOpen)
{
    ASSERT_EQ(jc_StartTraceClock(pdev_), 0);
    Mark();
    EXPECT_EQ(jc_TracePageEvent(pdev_, TRACE_START_PAGE), 0);
    DWORD later = kTick + 40;
    qmt_PinTickCount(&later);
    EXPECT_EQ(jc_TracePageEvent(pdev_, TRACE_END_LOGICAL), 0);
    EXPECT_EQ(jc_TracePageEvent(pdev_, TRACE_END_PHYSICAL), 0);
    std::vector<std::string> expected = {
        "\"[0ms]StartPage\"", "\"[40ms]EndPage of Logical\"", "\"[40ms]EndPage of Physical\""};
    EXPECT_EQ(Comments(Bytes()), expected);
}

TEST_F(TraceTest, PageEventTable)
{
    pdev_->job.traceStartTick = kTick;
    struct Case {
        DWORD code;
        const char *text; // NULL: -1 and nothing written
    } cases[] = {
        {0, NULL},
        {TRACE_START_PAGE, "StartPage"},
        {TRACE_END_PHYSICAL, "EndPage of Physical"},
        {TRACE_END_LOGICAL, "EndPage of Logical"},
        {TRACE_END_JOB, "EndJob"},
        {5, NULL},
        {TRACE_END_JOB_OPEN_PAGE, "EndJob without EndPage"},
        {TRACE_END_JOB_LEFT_NUP, "EndJob with left Nup"},
        {TRACE_SKIP_BACK_FACE, "skip backface of duplex"},
        {9, NULL},
    };
    for (const Case &c : cases) {
        Mark();
        LONG result = jc_TracePageEvent(pdev_, c.code);
        std::vector<std::string> pieces = Comments(Bytes());
        if (c.text == NULL) {
            EXPECT_EQ(result, -1) << c.code;
            EXPECT_TRUE(pieces.empty()) << c.code;
        } else {
            EXPECT_EQ(result, 0) << c.code;
            ASSERT_EQ(pieces.size(), 1u) << c.code;
            EXPECT_EQ(pieces[0], std::string("\"[0ms]") + c.text + "\"");
        }
    }
}

TEST_F(TraceTest, MissingPdevOrWriterAndFailedWrites)
{
    EXPECT_EQ(jc_WriteTraceRecord(NULL, TEXT("x"), 0), -1);
    EXPECT_EQ(jc_StartTraceClock(NULL), -1);
    EXPECT_EQ(jc_WriteJobStartRecords(NULL), -1);
    PdlWriter *writer = pdev_->job.writer;
    pdev_->job.writer = NULL;
    EXPECT_EQ(jc_TracePageEvent(pdev_, TRACE_START_PAGE), -1);
    pdev_->job.writer = writer;
    // A failed piece does not stop the others; the result is the OR.
    std::u16string text(400, u'y');
    FailWrites(true);
    EXPECT_EQ(jc_WriteTraceRecord(pdev_, (LPCWSTR)text.c_str(), 0), -1);
    EXPECT_EQ(jc_WriteJobStartRecords(pdev_), -1);
    FailWrites(false);
}

// The names part stays within 261 bytes: the document name gives way, cut at a whole
// character; in code page 932 a double-byte character is never split.
TEST_F(TraceTest, LongDocumentNameIsCutOnACharacterBoundary)
{
    const std::string prefix = "\"[2024,01/02,03:04:05]";
    const std::string port = "[IP_10.0.0.1]";
    const size_t room = 261 - 4 - 11; // brackets and the port name

    std::u16string latin(259, u'd');
    lstrcpyW(pdev_->job.documentName, (LPCWSTR)latin.c_str());
    Mark();
    ASSERT_EQ(jc_WriteTraceRecord(pdev_, TEXT(""), TRACE_TIME_AND_NAMES), 0);
    std::vector<std::string> pieces = Comments(Bytes());
    std::string record;
    for (const std::string &piece : pieces) {
        record += piece;
    }
    EXPECT_EQ(record, prefix + "[" + std::string(room, 'd') + "]" + port + "\"");

    qmt_PinAnsiCodePage(932);
    std::u16string kana(200, (char16_t)0x3042); // two bytes each in code page 932
    std::u16string odd = u"a" + kana;           // one single byte first: the cut falls mid-character
    lstrcpyW(pdev_->job.documentName, (LPCWSTR)odd.c_str());
    Mark();
    ASSERT_EQ(jc_WriteTraceRecord(pdev_, TEXT(""), TRACE_TIME_AND_NAMES), 0);
    record.clear();
    for (const std::string &piece : Comments(Bytes())) {
        record += piece;
    }
    size_t open = prefix.size() + 1;
    size_t close = record.find(']', open);
    ASSERT_NE(close, std::string::npos);
    std::string name = record.substr(open, close - open);
    EXPECT_EQ(name.size(), room - 1) << "one byte short of the room: the next character needs two";
    EXPECT_EQ(name[0], 'a');
    for (size_t i = 1; i + 1 < name.size(); i += 2) {
        EXPECT_EQ((BYTE)name[i], 0x82) << i;
        EXPECT_EQ((BYTE)name[i + 1], 0xA0) << i;
    }
    EXPECT_EQ(record.substr(close + 1), port + "\"");
}

// Without level-5 information the port brackets stay empty; without a printer the two
// description records are skipped too.
TEST_F(TraceTest, NoPrinterInformation)
{
    pdev_->printer = NULL;
    Mark();
    EXPECT_EQ(jc_WriteJobStartRecords(pdev_), 0);
    std::vector<std::string> expected = {"\"[2024,01/02,03:04:05][Sample job][]\""};
    EXPECT_EQ(Comments(Bytes()), expected);
}

// A failed Windows version query, or a description file path without a backslash, skips
// the environment and driver records; the time and names record stays.
TEST_F(TraceTest, DescriptionRecordsNeedThePathAndTheWindowsVersion)
{
    std::vector<std::string> first = {"\"[2024,01/02,03:04:05][Sample job][IP_10.0.0.1]\""};
    qmt_FailVersionQuery(TRUE);
    Mark();
    EXPECT_EQ(jc_WriteJobStartRecords(pdev_), 0);
    qmt_FailVersionQuery(FALSE);
    EXPECT_EQ(Comments(Bytes()), first);

    QMH_PRINTER_SETUP setup = {};
    setup.pPrinterName = TEXT("QM Header Bare Path");
    setup.pPortName = TEXT("IP_10.0.0.1");
    setup.pDriverName = TEXT("QM Header Bare Driver");
    setup.pDriverPath = TEXT("qmkelvim.dll");
    setup.pDataFile = TEXT("QM50C1.DDD");
    setup.pConfigFile = TEXT("qmkelviu.dll");
    ASSERT_TRUE(qmh_InstallPrinter(&setup) || GetLastError() == ERROR_PRINTER_ALREADY_EXISTS);
    HANDLE bare = NULL;
    ASSERT_TRUE(OpenPrinterW((LPWSTR)TEXT("QM Header Bare Path"), &bare, nullptr));
    pdev_->printer = bare;
    Mark();
    EXPECT_EQ(jc_WriteJobStartRecords(pdev_), 0);
    EXPECT_EQ(Comments(Bytes()), first);
    pdev_->printer = printer_;
    ClosePrinter(bare);
}

} // namespace
} // namespace header_test
