/*
 * printhost print run in-process over the sample model: golden streams and listings
 * (fixed environment, fresh root) compared byte for byte, with the values that matter
 * checked apart from them (the sample page's transform derived from its paper, the header
 * lines from their sources, the page counts); the order of what a job writes, the jobs
 * the driver refuses or fails, and nothing left behind. scripts/regen-goldens rewrites the
 * goldens from the same jobs.
 */
#include <gtest/gtest.h>
#include <windows.h>

#include <math.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/include/qmhost.h"
#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_testing_spooler.h"
#include "testing/standins/standin_controls.h"
#include "tools/printhost/print_host.h"
#include "tools/printhost/print_job.h"

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("printhost_print_tests.log");
}

namespace {

std::string ReadHostFile(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Whether a file exists: an output never written must not pass as an empty one.
bool HostFileExists(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    return file.good();
}

class PrintJobTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        start_ = ph_CountLive();
    }
    void TearDown() override
    {
        qmt_SpoolerReset();
        LiveCounts end = ph_CountLive();
        const char *leaked = ph_LeakedKind(&start_, &end);
        EXPECT_EQ(leaked, nullptr) << leaked;
        WIN32_FIND_DATAW found;
        WCHAR temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        lstrcatW(temp, TEXT("*.*"));
        HANDLE find = FindFirstFileW(temp, &found);
        int files = 0;
        if (find != INVALID_HANDLE_VALUE) {
            do {
                files += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
            } while (FindNextFileW(find, &found));
            FindClose(find);
        }
        EXPECT_EQ(files, 0) << "temporary files left behind";
    }
    // Runs "printhost print" with the sample model, the stream and listing going to
    // <name>.prn and <name>.txt of the test's directory.
    int Print(const std::string &name, std::vector<std::string> args)
    {
        prn_ = std::string(QM_PRINT_OUT_DIR) + "/" + name + ".prn";
        txt_ = std::string(QM_PRINT_OUT_DIR) + "/" + name + ".txt";
        remove(prn_.c_str()); // an earlier run's output must not stand in for this one's
        remove(txt_.c_str());
        std::vector<std::string> all = {"--model", QM_SAMPLE_MODEL, "--out", prn_, "--list", txt_, "--fixed-env"};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char *> argv;
        for (std::string &arg : all)
            argv.push_back(arg.data());
        return ph_Print((int)argv.size(), argv.data());
    }
    LiveCounts start_ = {};
    std::string prn_, txt_;
};

// A listing split into its text, each 'Aa' transform's six values taken out, and those
// values in order.
struct SplitListing {
    std::string text;
    std::vector<double> transforms;
};

SplitListing SplitTransforms(const std::string &listing)
{
    SplitListing split;
    size_t start = 0;
    while (start < listing.size()) {
        size_t end = listing.find('\n', start);
        if (end == std::string::npos)
            end = listing.size();
        std::string line = listing.substr(start, end - start);
        size_t aa = line.find(" Aa ");
        if (aa != std::string::npos) {
            const char *values = line.c_str() + aa + 4;
            for (int i = 0; i < 6; ++i) {
                char *after = nullptr;
                split.transforms.push_back(strtod(values, &after));
                values = after;
            }
            line = line.substr(0, aa + 3);
        }
        split.text += line + "\n";
        start = end + 1;
    }
    return split;
}

// Two transforms agree to a hundredth of a device dot in their translations and to 1e-5 in
// their scale and turn: what the float rounding of different builds leaves.
void ExpectTransformsNear(const std::vector<double> &got, const std::vector<double> &expected, const char *what)
{
    ASSERT_EQ(got.size(), expected.size()) << what;
    for (size_t i = 0; i < got.size(); ++i)
        EXPECT_NEAR(got[i], expected[i], i % 6 < 4 ? 1e-5 : 0.01) << what << ": value " << i;
}

// The entries of one part ("header", "body", "trailer") of a listing: each line's text after
// its part name and offset.
std::vector<std::string> PartLines(const std::string &listing, const std::string &part)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < listing.size()) {
        size_t end = listing.find('\n', start);
        if (end == std::string::npos)
            end = listing.size();
        std::string line = listing.substr(start, end - start);
        start = end + 1;
        size_t first = line.find(' '), second = line.find(' ', first + 1);
        if (first != std::string::npos && second != std::string::npos && line.substr(0, first) == part)
            lines.push_back(line.substr(second + 1));
    }
    return lines;
}

// How many entries of a listing contain text.
int CountOf(const std::string &listing, const std::string &text)
{
    int count = 0;
    for (size_t at = listing.find(text); at != std::string::npos; at = listing.find(text, at + 1))
        ++count;
    return count;
}

// The listing's entries without their offsets, 'EP' records reduced to their event text.
std::vector<std::string> Order(const std::string &listing)
{
    std::vector<std::string> items;
    size_t start = 0;
    while (start < listing.size()) {
        size_t end = listing.find('\n', start);
        std::string line = listing.substr(start, end - start);
        start = end == std::string::npos ? listing.size() : end + 1;
        size_t first = line.find(' ');
        size_t second = line.find(' ', first + 1);
        if (second == std::string::npos)
            continue;
        std::string part = line.substr(0, first), rest = line.substr(second + 1);
        if (part == "header" && rest.rfind("version ", 0) == 0) {
            items.push_back(rest.substr(9, 7)); // "%QMNQT-" or "%WINNT-"
        } else if (part == "body") {
            std::string op = rest.substr(0, 2);
            size_t ms = rest.find("ms]");
            if (op == "EP" && ms != std::string::npos)
                op += " " + rest.substr(ms + 3, rest.size() - ms - 6);
            items.push_back(op);
        } else if (rest == "UEL") {
            items.push_back(part + " UEL");
        }
    }
    return items;
}

// The spool job of a run, from printhost's report line "job <id> ...".
bool SpoolJob(const std::string &report, QMH_JOB_INFO *info)
{
    unsigned long id = 0;
    return sscanf(report.c_str(), "job %lu ", &id) == 1 && qmh_GetJob((DWORD)id, info);
}

TEST_F(PrintJobTest, GoldenStreamsOfTheSampleJobs)
{
    struct Case {
        const char *name;
        std::vector<std::string> args;
        DWORD status; // the spool job's state
        int pages;    // logical pages the listing starts
    };
    const Case cases[] = {
        {"one_page", {"--pages", "1"}, QMH_JOB_COMPLETED, 1},
        {"empty", {"--pages", "0"}, QMH_JOB_COMPLETED, 0},
        {"nup_left", {"--set", "295=2", "--pages", "3"}, QMH_JOB_COMPLETED, 3},
        {"duplex_back", {"--set", "16=2", "--pages", "3"}, QMH_JOB_COMPLETED, 3},
        {"abort", {"--pages", "2", "--abort-after", "1"}, QMH_JOB_ABORTED, 0}, // the spooler keeps nothing
        {"reset", {"--pages", "2", "--reset-after", "1"}, QMH_JOB_COMPLETED, 2},
        {"sample_draw", {"--draw", QM_DRAW_SAMPLE}, QMH_JOB_COMPLETED, 4},
        {"reverse_order", {"--set", "1312=1", "--draw", QM_DRAW_NUMBERED}, QMH_JOB_COMPLETED, 3},
    };
    for (const Case &c : cases) {
        testing::internal::CaptureStdout();
        EXPECT_EQ(Print(c.name, c.args), PH_EXIT_DONE) << c.name;
        std::string report = testing::internal::GetCapturedStdout();
        QMH_JOB_INFO job = {};
        ASSERT_TRUE(SpoolJob(report, &job)) << c.name << ": " << report;
        EXPECT_EQ(job.Status, c.status) << c.name << ": " << report;
        ASSERT_TRUE(HostFileExists(prn_)) << c.name << ": no stream written";
        ASSERT_TRUE(HostFileExists(txt_)) << c.name << ": no listing written";
        std::string listing = ReadHostFile(txt_);
        EXPECT_EQ(CountOf(listing, "]StartPage"), c.pages) << c.name;
        EXPECT_EQ(ReadHostFile(prn_).size(), (size_t)job.Bytes) << c.name << ": the stream is what the spooler kept";
        std::string golden = std::string(QM_GOLDEN_DIR) + "/" + c.name;
#if defined(__SANITIZE_ADDRESS__)
        // The sanitizer build keeps x87 intermediates differently, so the page transform's
        // floats differ in their last bits: the rest must match, the transforms to a stated
        // precision.
        SplitListing got = SplitTransforms(listing), expected = SplitTransforms(ReadHostFile(golden + ".txt"));
        EXPECT_EQ(got.text, expected.text) << c.name;
        ExpectTransformsNear(got.transforms, expected.transforms, c.name);
#else
        EXPECT_EQ(ReadHostFile(prn_), ReadHostFile(golden + ".prn")) << c.name;
        EXPECT_EQ(listing, ReadHostFile(golden + ".txt")) << c.name;
#endif
    }
}

// The sample page checked apart from the goldens: its transform derived from the paper,
// the header lines from their sources, one page.
TEST_F(PrintJobTest, TheSamplePageFromItsPaperAndItsHeaderFromItsSources)
{
    testing::internal::CaptureStdout();
    ASSERT_EQ(Print("sample_page", {"--pages", "1"}), PH_EXIT_DONE);
    std::string report = testing::internal::GetCapturedStdout();
    QMH_JOB_INFO job = {};
    ASSERT_TRUE(SpoolJob(report, &job)) << report;
    EXPECT_EQ(job.Status, (DWORD)QMH_JOB_COMPLETED);
    std::string listing = ReadHostFile(txt_);
    EXPECT_EQ(CountOf(listing, "]StartPage"), 1);
    EXPECT_EQ(CountOf(listing, "]EndPage of Physical"), 1);

    // The header: the job name of the model's job-name record; the user name the fixed
    // environment gives; one copy and the A4 job paper, the defaults of the two settings;
    // the delayed-print time 00:00, already past on the fixed day 2024-01-02 at 03:04, so
    // the next day; the job's PDL version line; Windows 5.1 of the fixed environment with
    // the driver's version.
    std::vector<std::string> header = PartLines(listing, "header");
    const std::vector<std::string> expected = {"UEL",
                                               "line \"@PJL JOB NAME=\\\"Model 50 job\\\"\"",
                                               "line \"@PJL SET JOBATTR=tester\"",
                                               "line \"@PJL SET JOBATTR=1\"",
                                               "line \"@PJL SET JOBATTR=A4\"",
                                               "line \"@PJL SET JOBATTR=2024:01:03:00:00\"",
                                               "version \"%QMNQT-",
                                               "version \"%WINNT-5.1,NQTDRV-2704.1%\""};
    ASSERT_EQ(header.size(), expected.size()) << listing;
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(header[i].substr(0, expected[i].size()), expected[i]) << i;

    // The transform. The page is Letter, W x L = 2159 x 2794 tenths of a millimetre, with the
    // model's margins 42 left, 50 top, 43 right, 51 bottom, at 600 dots per inch.
    // - The PDEV holds the paper in 1/18432 inch, each edge truncated; the page records take
    //   it back to tenths, rounded: printable width (2116 - 42) -> 153546 - 3047 units ->
    //   2074 (2073.97); printable length (2743 - 50) -> 199052 - 3628 -> 2693 (2693.00).
    // - The page record centres that area, the odd tenth left and top: offsets
    //   ox = (2159 - 2074 + 1) / 2 = 43, oy = (2794 - 2693 + 1) / 2 = 51; its margins
    //   43 left, 42 right, 51 top, 50 bottom.
    // - The sheet (output record) takes the offsets on both sides: printable
    //   2159 - 86 = 2073 by 2794 - 102 = 2692.
    // - One page a sheet, no fixed scale: the factor is the smaller ratio, by width:
    //   f = min(2073 / 2074, 2692 / 2693) = 2073 / 2074.
    // - Placement (1/72 inch, y up): the page's printable corner (43, 50) moves to the
    //   sheet's (43, 51) and the page keeps to the top of the cell, so the page point (x, y)
    //   goes to (f x + 43 (1 - f), f y + (2794 - 51)(1 - f)) in tenths.
    // - The device transform takes 1/72 inch to dots, y down from the paper's top:
    //   a = 600/72 f, b = c = 0, d = -a; the offsets in tenths become dots (600/254 each):
    //   e = 600/254 x 43 (1 - f), and f' = 600/254 x (2794 - 2743 (1 - f)).
    const double f = 2073.0 / 2074.0, dots = 600.0 / 254.0;
    const std::vector<double> transform = {
        600.0 / 72 * f, 0, 0, -600.0 / 72 * f, dots * 43 * (1 - f), dots * (2794 - 2743 * (1 - f))};
    ExpectTransformsNear(SplitTransforms(listing).transforms, transform, "the sample page");
}

TEST_F(PrintJobTest, AJobWritesHeaderPagesAndTrailerInOrder)
{
    ASSERT_EQ(Print("order", {"--pages", "1"}), PH_EXIT_DONE);
    const std::vector<std::string> expected = {"header UEL",
                                               "%QMNQT-",
                                               "%WINNT-",
                                               "EA",
                                               "FA",
                                               "EP",
                                               "EP [QM50C1.DDD:2010131:100000c][5:1:a28:2:Service Pack 2][0]",
                                               "EP [PF02070301][DRV-WIN2000]",
                                               "Ec",
                                               "EP StartPage",
                                               "Aa",
                                               "EP EndPage of Logical",
                                               "FB",
                                               "ED",
                                               "EP EndPage of Physical",
                                               "EP EndJob",
                                               "EB",
                                               "trailer UEL"};
    EXPECT_EQ(Order(ReadHostFile(txt_)), expected);
    std::string stream = ReadHostFile(prn_);
    EXPECT_EQ(stream.substr(stream.size() - 15), "\x1b%-12345X@EOJO\n");
}

// Jobs asking for what the driver does not print, and a spooler that stops taking bytes:
// the job fails, the spool job is aborted and the stream saved is what it received.
TEST_F(PrintJobTest, RefusedAndFailedJobsExitThree)
{
    const std::vector<std::vector<std::string>> refused = {
        {"--set", "336=1"}, {"--set", "321=1", "--set", "296=514"}, {"--set", "321=2"}};
    for (const auto &sets : refused) {
        std::vector<std::string> args = sets;
        args.insert(args.end(), {"--pages", "2"});
        testing::internal::CaptureStdout();
        EXPECT_EQ(Print("refused", args), PH_EXIT_JOB_FAILED) << sets[1];
        std::string line = testing::internal::GetCapturedStdout();
        EXPECT_NE(line.find("aborted 0 bytes"), std::string::npos) << line;
        EXPECT_TRUE(ReadHostFile(prn_).empty()) << sets[1];
    }
    qmt_SpoolerFailWrite(100, ERROR_DISK_FULL);
    testing::internal::CaptureStdout();
    EXPECT_EQ(Print("failed", {"--pages", "3"}), PH_EXIT_JOB_FAILED);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("aborted"), std::string::npos);
}

// A fax send list of count destinations, each with its own number, as a file.
std::string WriteFaxList(const std::string &name, int count)
{
    const size_t head = 1442, destination = 742;
    std::string bytes(head + destination * count, '\0');
    const char16_t tag[] = u"DFAX001";
    memcpy(&bytes[0], tag, sizeof tag);
    bytes[16] = (char)count;
    for (int i = 0; i < count; ++i) {
        std::u16string number = u"0123-45678" + std::u16string(1, (char16_t)(u'0' + i));
        memcpy(&bytes[head + destination * i + 2], number.data(), number.size() * 2);
    }
    // Tests run side by side: each writes its lists under its own name.
    std::string path = std::string(QM_PRINT_OUT_DIR) + "/" +
                       testing::UnitTest::GetInstance()->current_test_info()->name() + "_" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// The document events of a plain job and of a fax job with three destinations: every
// escape with its sizes and answer as the expected tables list them, and the stream's
// header is the job-attribute set the events delivered.
TEST_F(PrintJobTest, EscapeLogsOfThePlainAndTheFaxJob)
{
    struct Case {
        const char *name;
        std::vector<std::string> args;
        int exitCode;
    };
    const std::string fax3 = WriteFaxList("fax3.bin", 3), fax1 = WriteFaxList("fax1.bin", 1);
    // The fax jobs: the list escape answers 1 with the whole list, the job-attribute sets
    // carry a destination each. A ResetDC sends the settings again.
    const Case cases[] = {
        {"plain", {"--set", "1333=1", "--set", "1296=1", "--set", "1298=1"}, PH_EXIT_DONE},
        {"fax3", {"--model", QM_FAX_MODEL, "--set", "1333=1", "--set", "380=3", "--fax-list", fax3}, PH_EXIT_DONE},
        {"fax1", {"--model", QM_FAX_MODEL, "--set", "1333=1", "--set", "379=1", "--fax-list", fax1}, PH_EXIT_DONE},
        {"reset_escapes", {"--reset-after", "1", "--pages", "2"}, PH_EXIT_DONE},
    };
    for (const Case &c : cases) {
        std::string log = std::string(QM_PRINT_OUT_DIR) + "/" + c.name + ".escapes";
        std::vector<std::string> args = {"--pages", "1", "--escape-log", log}; // a case's own --pages wins
        args.insert(args.end(), c.args.begin(), c.args.end());
        testing::internal::CaptureStdout();
        int exitCode = Print(c.name, args);
        std::string printed = testing::internal::GetCapturedStdout();
        EXPECT_EQ(exitCode, c.exitCode) << c.name << "\n" << printed;
        EXPECT_EQ(ReadHostFile(log), ReadHostFile(std::string(QM_GOLDEN_DIR) + "/" + c.name + ".escapes")) << c.name;
    }
}

// Fax jobs of three destinations (one of them for the cover-only job): the golden stream
// and listing of each spool job the run leaves ("<name>.prn", "<name>.prn.2", ...), the
// header's destination line, the cover sheet ahead of the document pages and the pages
// each spool job holds.
TEST_F(PrintJobTest, FaxJobsPerDestinationAndCoverSheets)
{
    const std::string fax3 = WriteFaxList("fax3.bin", 3), fax1 = WriteFaxList("fax1.bin", 1);
    struct Case {
        const char *name;
        std::vector<std::string> args;
        int jobs;        // spool jobs of the run
        int pagesPerJob; // logical pages each lists, the cover sheet among them
        bool coverLine;  // the cover's text block: its destination's number in the body
    };
    const std::vector<std::string> base = {"--model", QM_FAX_MODEL, "--set", "1333=1", "--pages", "2"};
    const Case cases[] = {
        // Cover sheet on, one job for all destinations off: a spool job per destination.
        {"fax_per_destination", {"--set", "376=1", "--set", "380=3", "--fax-list", fax3}, 3, 3, true},
        // One job for all destinations: the cover of destination 0 only.
        {"fax_one_job", {"--set", "376=1", "--set", "379=1", "--set", "380=3", "--fax-list", fax3}, 1, 3, true},
        // Cover only: the header and the cover sheet, no document page.
        {"fax_cover_only", {"--set", "376=1", "--set", "381=1", "--set", "380=1", "--fax-list", fax1}, 1, 1, true},
        // Cover kind 2: the document's name on the cover.
        {"fax_doc_name",
         {"--set",
          "376=1",
          "--set",
          "377=1",
          "--set",
          "380=1",
          "--fax-list",
          fax1,
          "--document",
          "C:\\docs\\Report.final.doc"},
         1,
         3,
         true},
    };
    for (const Case &c : cases) {
        std::vector<std::string> args = base;
        args.insert(args.end(), c.args.begin(), c.args.end());
        testing::internal::CaptureStdout();
        int exitCode = Print(c.name, args);
        std::string report = testing::internal::GetCapturedStdout();
        EXPECT_EQ(exitCode, PH_EXIT_DONE) << c.name << "\n" << report;
        EXPECT_EQ(CountOf(report, " completed "), c.jobs) << c.name << "\n" << report;
        for (int job = 0; job < c.jobs; ++job) {
            std::string suffix = job == 0 ? "" : "." + std::to_string(job + 1);
            std::string listing = ReadHostFile(txt_ + suffix);
            std::string number = "0123-45678" + std::to_string(c.jobs == 1 ? 0 : job);
            EXPECT_EQ(CountOf(listing, "]StartPage"), c.pagesPerJob) << c.name << suffix;
            EXPECT_NE(listing.find(number), std::string::npos) << c.name << suffix << ": destination " << number;
            EXPECT_EQ(CountOf(listing, "EndJob"), 1) << c.name << suffix;
            std::string golden = std::string(QM_GOLDEN_DIR) + "/" + c.name;
            EXPECT_EQ(ReadHostFile(prn_ + suffix), ReadHostFile(golden + ".prn" + suffix)) << c.name << suffix;
            EXPECT_EQ(listing, ReadHostFile(golden + ".txt" + suffix)) << c.name << suffix;
        }
        EXPECT_FALSE(HostFileExists(prn_ + "." + std::to_string(c.jobs + 1))) << c.name;
    }
    // The document's base name, without folder and extension.
    EXPECT_NE(ReadHostFile(txt_).find("Eg 12 \"Report.final\""), std::string::npos);
}

// A write fault in the third destination's spool job aborts that job; the other two
// complete, and the run fails.
TEST_F(PrintJobTest, FaxDestinationWithAWriteFault)
{
    const std::string fax3 = WriteFaxList("fax3.bin", 3);
    // The third destination's cover carries a longer name: its job is the longest.
    std::string list = ReadHostFile(fax3);
    std::u16string name(40, u'N');
    memcpy(&list[1442 + 742 * 2 + 262], name.data(), name.size() * 2);
    std::ofstream(fax3, std::ios::binary) << list;
    const std::vector<std::string> args = {"--model",
                                           QM_FAX_MODEL,
                                           "--set",
                                           "1333=1",
                                           "--set",
                                           "376=1",
                                           "--set",
                                           "380=3",
                                           "--fax-list",
                                           fax3,
                                           "--pages",
                                           "1"};
    testing::internal::CaptureStdout();
    ASSERT_EQ(Print("fax_fault", args), PH_EXIT_DONE);
    testing::internal::GetCapturedStdout();
    size_t second = ReadHostFile(prn_ + ".2").size(), third = ReadHostFile(prn_ + ".3").size();
    ASSERT_LT(second + 100, third);
    qmt_SpoolerFailWrite((DWORD)(second + 50), ERROR_DISK_FULL);
    testing::internal::CaptureStdout();
    EXPECT_EQ(Print("fax_fault", args), PH_EXIT_JOB_FAILED);
    std::string report = testing::internal::GetCapturedStdout();
    std::vector<std::string> lines;
    for (size_t start = 0, end; start < report.size(); start = end + 1) {
        end = report.find('\n', start);
        lines.push_back(report.substr(start, end - start));
    }
    ASSERT_EQ(lines.size(), 3u) << report;
    EXPECT_NE(lines[0].find(" completed "), std::string::npos) << report;
    EXPECT_NE(lines[1].find(" completed "), std::string::npos) << report;
    EXPECT_NE(lines[2].find(" aborted "), std::string::npos) << report;
}

// The page script: each script's page body as listed, and how a script ends the command.
TEST_F(PrintJobTest, PageScriptsDrawThroughThePathEntries)
{
    struct Case {
        const char *name;
        const char *script;
        std::vector<std::string> sets;
        int exit;
        std::vector<std::string> lines; // in this order in the listing's body
    };
    const char *kDotted = "page\nbrush solid 000000\npen cosmetic style 1,1\nstroke M 0 0 L 100 0\n";
    const Case cases[] = {
        {"filled_rect",
         "page\nbrush solid ff0000\nfill rect 10 20 110 70\n",
         {},
         PH_EXIT_DONE,
         {"AM 2 4 #ff0000", "CG 10 20 110 70"}},
        // Style units of 1/600 inch from setting 467 (0 and above 24 mean 24) at the job resolution.
        {"dotted_line", kDotted, {}, PH_EXIT_DONE, {"AH 6 0 2 24 24", "BA", "BD"}},
        {"dotted_1200", kDotted, {"20=1200"}, PH_EXIT_DONE, {"AH 6 0 2 48 48"}},
        {"dotted_unit30", kDotted, {"467=30"}, PH_EXIT_DONE, {"AH 6 0 2 24 24"}},
        {"dotted_unit12", kDotted, {"467=12"}, PH_EXIT_DONE, {"AH 6 0 2 12 12"}},
        {"miter",
         "page\npen geometric 2.5 miter 0.5\nbrush solid 000000\nstroke M 0 0 L 100 0\n",
         {},
         PH_EXIT_DONE,
         {"AG 1", "Ad 2.5", "BD"}},
        {"fill_mode", "page\nbrush solid 000000\nfillmode 3\nfill rect 0 0 10 10\n", {}, PH_EXIT_DRAW_FAILED, {}},
        {"clip_twice",
         "page\nclip rect 0 0 50 50\nbrush solid 000000\nfill M 0 0 L 90 5 5 90 Z\n"
         "fill M 0 0 L 90 5 5 90 Z\npage\nclip rect 0 0 50 50\nbrush solid 000000\n"
         "fill M 0 0 L 90 5 5 90 Z\n",
         {},
         PH_EXIT_DONE,
         {"AB 0 0 50 50", "BD", "BD", "AB 0 0 50 50", "BD"}},
        {"stamp",
         "stamp\nbrush solid 102030\nfill M 0 0 L 100 0 50 80 Z\nend\npage\nclip rect 10 10 500 500\n"
         "brush solid 00ff00\nfill M 0 0 L 300 0 150 280 Z\n",
         {"297=Conf", "299=Secret"},
         PH_EXIT_DONE,
         {"AB 10 10 500 500", "AM 2 4 #00ff00", "BD", "AR", "AM 2 4 #102030", "BD"}},
    };
    for (const Case &c : cases) {
        std::string script = std::string(QM_PRINT_OUT_DIR) + "/" + c.name + ".draw";
        std::ofstream(script, std::ios::binary) << c.script;
        std::vector<std::string> args = {"--draw", script};
        for (const std::string &set : c.sets) {
            args.push_back("--set");
            args.push_back(set);
        }
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        EXPECT_EQ(Print(c.name, args), c.exit) << c.name;
        testing::internal::GetCapturedStdout();
        std::string errors = testing::internal::GetCapturedStderr();
        if (c.exit == PH_EXIT_DRAW_FAILED) {
            EXPECT_NE(errors.find("line 4: fill answered FALSE"), std::string::npos) << errors;
        }
        std::vector<std::string> body;
        std::string listing = ReadHostFile(txt_);
        for (size_t start = 0; start < listing.size();) {
            size_t end = listing.find('\n', start);
            std::string line = listing.substr(start, end - start);
            start = end == std::string::npos ? listing.size() : end + 1;
            if (line.rfind("body ", 0) == 0)
                body.push_back(line.substr(line.find(' ', 5) + 1));
        }
        size_t at = 0;
        for (const std::string &line : c.lines) {
            while (at < body.size() && body[at] != line)
                ++at;
            EXPECT_LT(at, body.size()) << c.name << ": missing " << line;
            ++at;
        }
    }
}

TEST_F(PrintJobTest, BadCommandLinesAndSetUpFailures)
{
    std::string bad = std::string(QM_PRINT_OUT_DIR) + "/bad.draw";
    std::ofstream(bad, std::ios::binary) << "page\nbrush solid ff0000\nfill rect 1 2 3\n";
    testing::internal::CaptureStderr();
    EXPECT_EQ(Print("usage", {"--draw", bad}), PH_EXIT_USAGE);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("bad.draw:3: rect needs L T R B"), std::string::npos);
    EXPECT_EQ(Print("usage", {"--pages", "1", "--draw", QM_DRAW_SAMPLE}), PH_EXIT_USAGE);
    EXPECT_EQ(Print("usage", {"--pages", "x"}), PH_EXIT_USAGE);
    EXPECT_EQ(Print("usage", {"--pages", "1", "--set", "295"}), PH_EXIT_USAGE);
    std::vector<std::string> all = {"--model", "/nonexistent/NONE.DDD", "--out", "/dev/null", "--pages", "1"};
    std::vector<char *> argv;
    for (std::string &arg : all)
        argv.push_back(arg.data());
    EXPECT_EQ(ph_Print((int)argv.size(), argv.data()), PH_EXIT_SETUP);
}

// The document monitor: with settings 8201 and 1321 on and the stand-in monitor
// installed, a job whose header the render driver builds carries the monitor's job id and
// the monitor runs once after the completed job; after a write fault it is ended, not run.
// A header taken from the document events' sets registers nothing.
TEST_F(PrintJobTest, DocumentMonitorSession)
{
    const char kKey[] = "SOFTWARE\\Ornet\\Brenmoor\\Client\\Jobtrace";
    const char kModule[] = "C:\\ext\\qmjtr50.dll";
    const char kMarker[] = "C:\\ext\\jobtrace.ini";
    CreateDirectoryW(TEXT("C:\\ext"), nullptr);
    std::u16string from = u"Z:";
    for (const char *p = QM_STANDIN_DIR "/qmjtr50.dll"; *p != 0; ++p)
        from.push_back(*p == '/' ? u'\\' : (char16_t)(unsigned char)*p);
    ASSERT_TRUE(CopyFileW((LPCWSTR)from.c_str(), TEXT("C:\\ext\\qmjtr50.dll"), FALSE));
    HANDLE marker = CreateFileW(TEXT("C:\\ext\\jobtrace.ini"), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, marker);
    CloseHandle(marker);
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    RegSetValueExA(key, nullptr, 0, REG_SZ, (const BYTE *)kMarker, sizeof(kMarker));
    RegSetValueExA(key, "JtrApi", 0, REG_SZ, (const BYTE *)kModule, sizeof(kModule));
    RegCloseKey(key);
    // The test's own load keeps the stand-in's record across the driver's loads.
    HMODULE standin = LoadLibraryA(kModule);
    ASSERT_NE(nullptr, standin);
    MonitorStandinControl *control =
        ((MonitorStandinControlProc)(void *)GetProcAddress(standin, "QmMonitorStandinControl"))(1);

    const std::vector<std::string> monitor = {
        "--model", QM_MONITOR_MODEL, "--set", "8201=1", "--set", "1321=1", "--set", "1333=1", "--pages", "1"};
    std::vector<std::string> args = monitor;
    args.push_back("--no-escapes");
    testing::internal::CaptureStdout();
    int exitCode = Print("monitor", args);
    std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(exitCode, PH_EXIT_DONE) << printed;
    EXPECT_NE(ReadHostFile(txt_).find("line \"@PJL SET JOBATTR=C1.J1\""), std::string::npos) << ReadHostFile(txt_);
    EXPECT_EQ(1u, control->executed);
    EXPECT_EQ(control->started, control->ended);

    qmt_SpoolerFailWrite(100, ERROR_DISK_FULL);
    testing::internal::CaptureStdout();
    exitCode = Print("monitor_fault", args);
    printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(exitCode, PH_EXIT_JOB_FAILED) << printed;
    EXPECT_EQ(1u, control->executed); // ended, not run
    EXPECT_EQ(control->started, control->ended);
    qmt_SpoolerFailWrite(QMT_SPOOLER_NEVER, 0);

    DWORD started = control->started;
    testing::internal::CaptureStdout();
    exitCode = Print("monitor_sets", monitor);
    printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(exitCode, PH_EXIT_DONE) << printed;
    EXPECT_EQ(started, control->started);
    EXPECT_EQ(ReadHostFile(txt_).find("C1.J1"), std::string::npos);

    FreeLibrary(standin);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKey);
}

} // namespace
