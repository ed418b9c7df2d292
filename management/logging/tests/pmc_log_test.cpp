/*
 * Logging: the line layout, levels and settings of a logger, the group "All", the
 * manager's registries and interfaces, the file output with its rotation, and threads.
 */
#include "management/logging/pmc_log.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "management/base/pmc_status.h"
#include "management/tests/pmc_test_support.h"

namespace {

/* The header with every flag off: blank time and ids. */
std::string blank_header(const char *name)
{
    char field[32];
    std::snprintf(field, sizeof field, "%-16.16s", name);
    return std::string(23, ' ') + ", " + std::string(8, ' ') + ", " + std::string(8, ' ') + ", " + field + ", ";
}

std::string root_path(const char *name)
{
    return std::string(getenv("QM_ROOT")) + "/" + name;
}

std::string read_file(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool file_exists(const std::string &path)
{
    std::ifstream in(path);
    return in.good();
}

/* Each test starts with no manager and leaves none behind. */
class Log : public ::testing::Test
{
protected:
    void SetUp() override
    {
        pmc_log_shutdown();
        before = live_blocks();
        manager = pmc_get_log_manager(nullptr);
        ASSERT_NE(nullptr, manager);
    }
    void TearDown() override
    {
        pmc_log_shutdown();
        EXPECT_EQ(before, live_blocks());
    }
    /* A logger writing everything with no header fields into `out`. */
    IPmcLogger *plain_logger(const char *name, RecordingOutput *out)
    {
        IPmcLogger *logger = manager->create_logger(name, out, nullptr);
        logger->set_level_mask(PMC_LOG_ALL);
        logger->set_header_flags(0);
        return logger;
    }
    DWORD before = 0;
    IPmcLogManager *manager = nullptr;
    RecordingOutput out; /* outlives the manager's references to it */
};

} // namespace

TEST_F(Log, BlankHeaderAndLevelWords)
{
    IPmcLogger *logger = plain_logger("PSW", &out);
    struct Case {
        uint32_t level;
        const char *word;
    } const cases[] = {{PMC_LOG_ERROR, "Error, "},
                       {PMC_LOG_WARN, "Warn , "},
                       {PMC_LOG_INFO, "Info , "},
                       {PMC_LOG_DEBUG, "Debug, "},
                       {PMC_LOG_TRACE, "Trace, "},
                       {PMC_LOG_ALL, "All  , "},
                       {3, ""}};
    for (const Case &c : cases) {
        out.lines.clear();
        EXPECT_EQ(PMC_OK, logger->write(c.level, "code %d", -3));
        ASSERT_EQ(1u, out.lines.size());
        EXPECT_EQ(blank_header("PSW") + c.word + "code -3", out.lines[0]);
    }
}

TEST_F(Log, NameIndentNullFormatAndCut)
{
    IPmcLogger *logger = plain_logger("abcdefghijklmnopq", &out);
    logger->write(PMC_LOG_INFO, "x");
    EXPECT_EQ(blank_header("abcdefghijklmnop") + "Info , x", out.lines.back());

    logger->set_indent(2);
    logger->write(PMC_LOG_INFO, "x");
    EXPECT_EQ(blank_header("abcdefghijklmnop") + "Info , " + std::string(8, ' ') + "x", out.lines.back());
    logger->set_indent(0);

    logger->write(PMC_LOG_WARN, nullptr);
    EXPECT_EQ(blank_header("abcdefghijklmnop") + "Warn , (client was about to output null message...)",
              out.lines.back());

    std::string long_text(2000, 'm');
    logger->write(PMC_LOG_DEBUG, "%s", long_text.c_str());
    EXPECT_EQ(1024u, out.lines.back().size());
    EXPECT_EQ('m', out.lines.back().back());

    logger->set_indent(1000); /* the indent alone fills the line */
    logger->write(PMC_LOG_DEBUG, "never");
    EXPECT_EQ(1024u, out.lines.back().size());
    EXPECT_EQ(' ', out.lines.back().back());
}

TEST_F(Log, FullHeaderInBothRadixes)
{
    IPmcLogger *logger = manager->create_logger("ids", &out, nullptr);
    logger->set_level_mask(PMC_LOG_ALL);
    EXPECT_EQ(7u, logger->get_header_flags());
    EXPECT_EQ(10u, logger->get_radix());
    SYSTEMTIME pinned = {2026, 3, 2, 9, 7, 8, 9, 45};
    qmt_PinClock(&pinned);
    logger->write(PMC_LOG_ERROR, "m");
    qmt_PinClock(nullptr);
    char ids[64];
    std::snprintf(ids, sizeof ids, ", %8ld, %8ld, ", (long)GetCurrentProcessId(), (long)GetCurrentThreadId());
    EXPECT_EQ(std::string("2026/03/09 07:08:09:045") + ids + "ids             , Error, m", out.lines.back());

    EXPECT_EQ(PMC_E_ARG, logger->set_radix(8));
    EXPECT_EQ(PMC_OK, logger->set_radix(16));
    logger->set_header_flags(PMC_LOG_HEADER_PROCESS);
    logger->write(PMC_LOG_ERROR, "m");
    std::snprintf(ids, sizeof ids, ", %08lX, %8s, ", (unsigned long)GetCurrentProcessId(), "");
    EXPECT_EQ(std::string(23, ' ') + ids, out.lines.back().substr(0, 23 + strlen(ids)));
}

TEST_F(Log, LevelMask)
{
    IPmcLogger *logger = manager->create_logger("mask", &out, nullptr);
    EXPECT_EQ(0u, logger->get_level_mask());
    for (uint32_t level : {1u, 2u, 4u, 8u, 16u})
        EXPECT_EQ(PMC_OK, logger->write(level, "x"));
    EXPECT_TRUE(out.lines.empty());
    logger->set_level_mask(PMC_LOG_WARN | PMC_LOG_TRACE);
    for (uint32_t level : {1u, 2u, 4u, 8u, 16u})
        logger->write(level, "%u", level);
    ASSERT_EQ(2u, out.lines.size());
    out.result = -42;
    EXPECT_EQ(-42, logger->write(PMC_LOG_WARN, "x"));
}

TEST_F(Log, GroupSettingsAndOutputsReachEveryMember)
{
    RecordingOutput shared("shared"), same_parameter("shared"), own("own");
    IPmcLogger *all = manager->group();
    IPmcLogger *early = manager->create_logger("early", nullptr);
    EXPECT_EQ(PMC_OK, all->set_level_mask(PMC_LOG_ERROR));
    EXPECT_EQ(PMC_OK, all->set_header_flags(0));
    EXPECT_EQ(PMC_OK, all->set_radix(16));
    EXPECT_EQ(PMC_OK, all->set_indent(1));
    EXPECT_EQ(PMC_OK, all->add_output(&shared));
    EXPECT_EQ(PMC_OK, all->add_output(&same_parameter)); /* same parameter: not added */
    IPmcLogger *late = manager->create_logger("late", &own, nullptr);
    for (IPmcLogger *logger : {early, late}) {
        EXPECT_EQ(PMC_LOG_ERROR, logger->get_level_mask());
        EXPECT_EQ(0u, logger->get_header_flags());
        EXPECT_EQ(16u, logger->get_radix());
        EXPECT_EQ(1u, logger->get_indent());
        logger->write(PMC_LOG_ERROR, "%s", logger->name());
    }
    EXPECT_EQ((std::vector<std::string>{blank_header("early") + "Error,     early",
                                        blank_header("late") + "Error,     late"}),
              shared.lines);
    EXPECT_TRUE(same_parameter.lines.empty());
    EXPECT_EQ(1u, own.lines.size());
    EXPECT_EQ(3, shared.references); /* the group and two members */

    /* A member's own change holds until the next change through "All". */
    late->set_level_mask(0);
    late->write(PMC_LOG_ERROR, "quiet");
    EXPECT_EQ(1u, own.lines.size());
    all->set_level_mask(PMC_LOG_ALL);
    EXPECT_EQ(PMC_LOG_ALL, late->get_level_mask());
    EXPECT_EQ(PMC_LOG_ALL, all->get_level_mask());

    pmc_log_shutdown();
    EXPECT_EQ(0, shared.references);
    EXPECT_EQ(0, own.references);
}

TEST_F(Log, ManagerEdgeCases)
{
    int status = 1;
    IPmcLogger *psw = manager->create_logger("PSW", &status);
    EXPECT_EQ(PMC_OK, status);
    EXPECT_EQ(psw, manager->create_logger("PSW", &status));
    EXPECT_EQ(PMC_OK, status);
    EXPECT_EQ(psw, pmc_static_logger(PMC_LOGGER_PSW));
    EXPECT_STREQ("snmp", pmc_static_logger(PMC_LOGGER_SNMP)->name());
    IPmcLogger *socket = pmc_static_logger(PMC_LOGGER_SOCKET);
    EXPECT_EQ(socket, manager->find_logger("socket", &status));

    IPmcLogger *null_logger = manager->create_logger(nullptr, &status);
    EXPECT_EQ(PMC_E_ARG, status);
    EXPECT_STREQ("null_session", null_logger->name());
    EXPECT_EQ(PMC_OK, null_logger->write(PMC_LOG_ERROR, "nothing"));
    EXPECT_EQ(10u, null_logger->get_radix());
    EXPECT_EQ(PMC_E_UNSUPPORTED, null_logger->add_output(pmc_null_file_output()));
    EXPECT_EQ(PMC_E_NOT_FOUND, null_logger->reserved_6());

    EXPECT_EQ(nullptr, manager->find_logger("unknown", &status));
    EXPECT_EQ(PMC_E_NOT_FOUND, status);
    EXPECT_EQ(psw, manager->find_logger_2("PSW", &status));
    EXPECT_EQ(PMC_OK, status);
    EXPECT_EQ(manager->group(), manager->find_logger("All", &status));
    EXPECT_EQ(null_logger, manager->find_logger(nullptr, &status));
    EXPECT_EQ(PMC_E_ARG, status);
}

TEST_F(Log, Outputs)
{
    IPmcLogOutput *console = manager->get_output("stdout", "console");
    ASSERT_NE(nullptr, console);
    EXPECT_STREQ("stdout", console->type_name());
    EXPECT_STREQ("console", console->parameter());
    IPmcLogOutput *again = manager->get_output("stdout", "console");
    EXPECT_EQ(console, again);
    int status = 1;
    IPmcLogOutput *found = manager->find_output("console", &status);
    EXPECT_EQ(console, found);
    EXPECT_EQ(PMC_OK, status);

    /* Another type for a registered parameter: a new output without parameter. */
    IPmcLogOutput *other = manager->get_output("file", "console");
    EXPECT_EQ(pmc_null_file_output(), other);
    EXPECT_STREQ("null_file", other->type_name());
    EXPECT_EQ(pmc_null_standard_output(), manager->get_output(nullptr, nullptr));
    EXPECT_EQ(pmc_null_standard_output(), manager->get_output("stdout", nullptr));
    EXPECT_EQ(nullptr, manager->get_output("unknown", "p"));
    IPmcLogOutput *fresh = manager->find_output("not registered", &status);
    EXPECT_STREQ("stdout", fresh->type_name());
    IPmcLogOutput *second = manager->find_output("not registered", &status);
    EXPECT_NE(fresh, second); /* not registered */
    second->release();
    manager->find_output(nullptr, &status);
    EXPECT_EQ(PMC_E_ARG, status);

    EXPECT_EQ(PMC_OK, console->write_line("a line on standard output"));
    for (IPmcLogOutput *output : {console, again, found, other, fresh})
        output->release();
}

TEST_F(Log, InterfaceIdentifiers)
{
    IPmcLogger *logger = manager->create_logger("ids", nullptr);
    IPmcLogOutput *file = manager->get_output("file", root_path("ids.log").c_str());
    IPmcLogOutput *console = manager->get_output("stdout", "c");
    struct Case {
        void *object;
        int (*query)(void *, const char *, void **);
        const char *id;
        bool accepted;
    };
    auto logger_query = [](void *o, const char *id, void **out) { return ((IPmcLogger *)o)->query_interface(id, out); };
    auto output_query = [](void *o, const char *id, void **out) {
        return ((IPmcLogOutput *)o)->query_interface(id, out);
    };
    const Case cases[] = {
        {logger, logger_query, PMC_IID_LOGGER, true},
        {logger, logger_query, PMC_IID_CHANNEL, true},
        {logger, logger_query, PMC_IID_BASE, true},
        {logger, logger_query, PMC_IID_NULL_LOGGER, false},
        {logger, logger_query, PMC_IID_GROUP, false},
        {pmc_null_logger(), logger_query, PMC_IID_NULL_LOGGER, true},
        {pmc_null_logger(), logger_query, PMC_IID_LOGGER, true},
        {pmc_null_logger(), logger_query, PMC_IID_CHANNEL, false},
        {manager->group(), logger_query, PMC_IID_GROUP, true},
        {manager->group(), logger_query, PMC_IID_LOGGER, true},
        {file, output_query, PMC_IID_OUTPUT, true},
        {file, output_query, PMC_IID_FILE_OUTPUT, true},
        {console, output_query, PMC_IID_OUTPUT, true},
        {console, output_query, PMC_IID_FILE_OUTPUT, false},
        {console, output_query, "00000000-0000-0000-0000-000000000000", false},
    };
    for (const Case &c : cases) {
        void *out = (void *)1;
        EXPECT_EQ(c.accepted ? PMC_OK : PMC_E_NO_INTERFACE, c.query(c.object, c.id, &out)) << c.id;
        EXPECT_EQ(c.accepted ? c.object : nullptr, out) << c.id;
    }
    void *out = nullptr;
    EXPECT_EQ(PMC_E_ARG, logger->query_interface(nullptr, &out));
    EXPECT_EQ(PMC_E_ARG, logger->query_interface(PMC_IID_BASE, nullptr));
    file->release();
    console->release();
}

TEST_F(Log, FileOutputLinesAndRotation)
{
    std::string path = root_path("rotate.log");
    IPmcLogOutput *output = manager->get_output("file", path.c_str());
    void *found = nullptr;
    ASSERT_EQ(PMC_OK, output->query_interface(PMC_IID_FILE_OUTPUT, &found));
    IPmcLogFileOutput *file = (IPmcLogFileOutput *)found;
    EXPECT_EQ(PMC_OK, file->set_max_size(30));

    std::ofstream(path + ".bak") << "older backup";
    EXPECT_EQ(PMC_OK, file->write_line("first line"));  /* 12 bytes */
    EXPECT_EQ(PMC_OK, file->write_line("second line")); /* 13: 25 */
    EXPECT_EQ("first line\r\nsecond line\r\n", read_file(path));
    EXPECT_EQ(PMC_OK, file->write_line("third line")); /* would be 37: rotate */
    EXPECT_EQ("third line\r\n", read_file(path));
    EXPECT_EQ("first line\r\nsecond line\r\n", read_file(path + ".bak"));

    EXPECT_EQ(PMC_E_RANGE, file->write_line(std::string(29, 'x').c_str())); /* 31 > 30 */
    EXPECT_EQ("third line\r\n", read_file(path));
    EXPECT_EQ(PMC_OK, file->write_line(std::string(28, 'y').c_str())); /* exactly 30 */
    EXPECT_EQ(std::string(28, 'y') + "\r\n", read_file(path));

    /* A file that already exists is continued, its size counted. */
    file->set_max_size(0x400000);
    file->set_file_path(path.c_str());
    EXPECT_EQ(PMC_OK, file->write_line("more"));
    EXPECT_EQ(std::string(28, 'y') + "\r\nmore\r\n", read_file(path));
    output->release();
}

TEST_F(Log, FileThatCannotBeOpened)
{
    std::string path = root_path("missing/dir/x.log");
    IPmcLogOutput *output = manager->get_output("file", path.c_str());
    IPmcLogger *logger = manager->create_logger("nofile", output, nullptr);
    logger->set_level_mask(PMC_LOG_ALL);
    EXPECT_EQ(PMC_E_SYSTEM, logger->write(PMC_LOG_ERROR, "x"));
    EXPECT_EQ(PMC_E_SYSTEM, logger->write(PMC_LOG_ERROR, "x"));
    EXPECT_FALSE(file_exists(path));
    output->release();
}

TEST_F(Log, FileOutputOptions)
{
    const PmcLogOption with_path[] = {{"Other", "x"}, {"ExtentionName", nullptr}};
    PmcLogOptions options = {with_path, 2};
    EXPECT_EQ(pmc_null_file_output(), pmc_create_file_output("file", "p", &options));
    std::string path = root_path("option.log");
    const PmcLogOption good[] = {{"ExtentionName", path.c_str()}};
    options = {good, 1};
    IPmcLogOutput *output = pmc_create_file_output("file", "param", &options);
    ASSERT_NE(pmc_null_file_output(), output);
    EXPECT_STREQ("param", output->parameter());
    output->write_line("via option");
    EXPECT_EQ("via option\r\n", read_file(path));
    output->release();
    EXPECT_EQ(pmc_null_file_output(), pmc_create_file_output("file", nullptr, nullptr));
    EXPECT_EQ(PMC_OK, pmc_null_file_output()->write_line("nothing"));
}

TEST_F(Log, TwoThreadsShareOneFile)
{
    std::string path = root_path("threads.log");
    IPmcLogOutput *output = manager->get_output("file", path.c_str());
    const int kLines = 300;
    auto run = [&](const char *name) {
        IPmcLogger *logger = manager->create_logger(name, output, nullptr);
        logger->set_level_mask(PMC_LOG_ALL);
        for (int i = 0; i < kLines; ++i)
            logger->write(PMC_LOG_INFO, "%s line %d end", name, i);
    };
    std::thread a(run, "first"), b(run, "second");
    a.join();
    b.join();
    std::string text = read_file(path);
    std::istringstream lines(text);
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        ASSERT_FALSE(line.empty());
        EXPECT_EQ('\r', line.back());
        EXPECT_NE(std::string::npos, line.find(" end\r")) << line;
        EXPECT_EQ(line.find(" line "), line.rfind(" line ")) << line;
    }
    EXPECT_EQ(2 * kLines, count);
    output->release();
}

TEST_F(Log, RefusedAllocations)
{
    manager->group()->add_output(&out);
    int status = 0;
    {
        RefuseAllocations refuse;
        IPmcLogger *logger = manager->create_logger("refused", &status);
        EXPECT_EQ(PMC_E_MEMORY, status);
        EXPECT_EQ(pmc_null_logger(), logger);
        EXPECT_EQ(nullptr, manager->get_output("file", root_path("r.log").c_str()));
    }
    for (DWORD after = 1; after < 4; ++after) {
        RefuseAllocations refuse(after);
        IPmcLogger *logger = manager->create_logger("refused", &status);
        EXPECT_EQ(PMC_E_MEMORY, status) << after;
        EXPECT_EQ(pmc_null_logger(), logger);
    }
    EXPECT_EQ(1, out.references); /* only the group holds it */
    EXPECT_EQ(nullptr, manager->find_logger("refused", &status));
    pmc_log_shutdown();
    {
        RefuseAllocations refuse;
        EXPECT_EQ(nullptr, pmc_get_log_manager(&status));
        EXPECT_EQ(PMC_E_MEMORY, status);
        EXPECT_EQ(pmc_null_logger(), pmc_static_logger(PMC_LOGGER_SNMP));
    }
    EXPECT_STREQ("snmp", pmc_static_logger(PMC_LOGGER_SNMP)->name());
}
