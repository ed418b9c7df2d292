/*
 * printhost print run in-process over the sample model: golden streams and listings
 * (fixed environment, fresh root) compared byte for byte, the order of what a job
 * writes, the jobs the driver refuses or fails, and nothing left behind.
 */
#include <gtest/gtest.h>
#include <windows.h>

#include <string.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/include/qmhost.h"
#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_testing_spooler.h"
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

#if defined(__SANITIZE_ADDRESS__)
// A listing with the values of its 'Aa' transforms dropped.
std::string WithoutTransforms(const std::string &listing)
{
    std::string out;
    size_t start = 0;
    while (start < listing.size()) {
        size_t end = listing.find('\n', start);
        if (end == std::string::npos)
            end = listing.size();
        std::string line = listing.substr(start, end - start);
        size_t aa = line.find(" Aa ");
        out += (aa != std::string::npos ? line.substr(0, aa + 3) : line) + "\n";
        start = end + 1;
    }
    return out;
}
#endif

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

TEST_F(PrintJobTest, GoldenStreamsOfTheSampleJobs)
{
    struct Case {
        const char *name;
        std::vector<std::string> args;
        const char *state;
    };
    const Case cases[] = {
        {"one_page", {"--pages", "1"}, "completed"},
        {"empty", {"--pages", "0"}, "completed"},
        {"nup_left", {"--set", "295=2", "--pages", "3"}, "completed"},
        {"duplex_back", {"--set", "16=2", "--pages", "3"}, "completed"},
        {"abort", {"--pages", "2", "--abort-after", "1"}, "aborted"},
        {"reset", {"--pages", "2", "--reset-after", "1"}, "completed"},
        {"sample_draw", {"--draw", QM_DRAW_SAMPLE}, "completed"},
    };
    for (const Case &c : cases) {
        testing::internal::CaptureStdout();
        EXPECT_EQ(Print(c.name, c.args), PH_EXIT_DONE) << c.name;
        std::string line = testing::internal::GetCapturedStdout();
        EXPECT_NE(line.find(c.state), std::string::npos) << c.name << ": " << line;
        std::string golden = std::string(QM_GOLDEN_DIR) + "/" + c.name;
#if defined(__SANITIZE_ADDRESS__)
        // The sanitizer build keeps x87 intermediates differently, so the page transform's
        // floats differ in their last bits: everything else must match.
        EXPECT_EQ(WithoutTransforms(ReadHostFile(txt_)), WithoutTransforms(ReadHostFile(golden + ".txt"))) << c.name;
#else
        EXPECT_EQ(ReadHostFile(prn_), ReadHostFile(golden + ".prn")) << c.name;
        EXPECT_EQ(ReadHostFile(txt_), ReadHostFile(golden + ".txt")) << c.name;
#endif
    }
    EXPECT_TRUE(ReadHostFile(std::string(QM_GOLDEN_DIR) + "/empty.prn").empty());
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
        {"--set", "336=1"}, {"--set", "321=1", "--set", "296=514"}, {"--set", "321=2"}, {"--set", "1312=1"}};
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
    std::string path = std::string(QM_PRINT_OUT_DIR) + "/" + name;
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
    // The fax jobs: their destinations are not sent yet, so the driver refuses them after
    // the settings transfer. A ResetDC sends the settings again.
    const Case cases[] = {
        {"plain", {"--set", "1333=1", "--set", "1296=1", "--set", "1298=1"}, PH_EXIT_DONE},
        {"fax3",
         {"--model", QM_FAX_MODEL, "--set", "1333=1", "--set", "380=3", "--fax-list", fax3},
         PH_EXIT_JOB_FAILED},
        {"fax1",
         {"--model", QM_FAX_MODEL, "--set", "1333=1", "--set", "379=1", "--fax-list", fax1},
         PH_EXIT_JOB_FAILED},
        {"reset_escapes", {"--reset-after", "1", "--pages", "2"}, PH_EXIT_DONE},
    };
    for (const Case &c : cases) {
        std::string log = std::string(QM_PRINT_OUT_DIR) + "/" + c.name + ".escapes";
        std::vector<std::string> args = {"--pages", "1", "--escape-log", log}; // a case's own --pages wins
        args.insert(args.end(), c.args.begin(), c.args.end());
        testing::internal::CaptureStdout();
        EXPECT_EQ(Print(c.name, args), c.exitCode) << c.name;
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(ReadHostFile(log), ReadHostFile(std::string(QM_GOLDEN_DIR) + "/" + c.name + ".escapes")) << c.name;
    }
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

} // namespace
