/*
 * The outside components: the attribute component's lines with the arguments it is
 * called with, its absence and failures, and the job ticket of the ticket maker. The
 * stand-ins are copied beside the driver module; each test holds its own load of them to
 * script answers and read the recorded arguments.
 */
#include "core/jobtext/tests/jobtext_test_support.h"

#include "core/context/tests/driver_files.h"
#include "platform/testing/qm_testing.h"
#include "testing/standins/standin_controls.h"

#include <gtest/gtest.h>

#include <string.h>

namespace {

using namespace jobtext_test;
using driver_files::HostFile;

const char kFlags[] = "26: 0x00400001";

class JobComponents : public ::testing::Test
{
protected:
    void SetUp() override
    {
        module_ = driver_files::PinModuleDirectory();
        driver_files::CopyIn(HostFile(QM_STANDIN_DIR "/qmvjcl50.dll"), u"qmvjcl50.dll");
        driver_files::CopyIn(HostFile(QM_STANDIN_DIR "/qmvpif50.dll"), u"qmvpif50.dll");
        attrDll_ = LoadLibraryW(TEXT("C:\\drv\\qmvjcl50.dll"));
        ticketDll_ = LoadLibraryW(TEXT("C:\\drv\\qmvpif50.dll"));
        ASSERT_NE(nullptr, attrDll_);
        ASSERT_NE(nullptr, ticketDll_);
        attr_ = ((AttrStandinControlProc)(void *)GetProcAddress(attrDll_, "QmAttrStandinControl"))(1);
        ticket_ = ((TicketStandinControlProc)(void *)GetProcAddress(ticketDll_, "QmTicketStandinControl"))(1);
        ResetAreas();
    }
    /* Fresh settings: paper A4, owner line on, one page per sheet, owner source 1 ("Bob"). */
    void ResetAreas()
    {
        areas_ = std::make_unique<TestSettingsAreas>();
        areas_->set(410, 9);
        areas_->set(5203, 1);
        areas_->set(295, 1);
        areas_->set_text(5121, TEXT("Bob"));
        areas_->set(5127, 1);
    }
    void TearDown() override
    {
        qmt_FailModuleLoad(nullptr);
        qmt_HideExport(nullptr);
        FreeLibrary(attrDll_);
        FreeLibrary(ticketDll_);
        FreeLibrary(module_);
    }
    /* The sample with its first capability word (and optionally its second) replaced. */
    std::unique_ptr<Model> Sample(const char *flags, const char *second = nullptr)
    {
        std::vector<std::pair<std::string, std::string>> patches = {{kFlags, std::string("26: ") + flags}};
        if (second)
            patches.push_back({"39: [0x00000080]", std::string("39: [") + second + "]"});
        return OpenSample(patches);
    }
    Built BuildWithComponent(Model &model, DWORD capacity = 4096)
    {
        JobAttrContext context = Context(*areas_, capacity);
        context.attrComponent = 1;
        return Build(model, *areas_, &context);
    }

    HMODULE module_ = nullptr, attrDll_ = nullptr, ticketDll_ = nullptr;
    AttrStandinControl *attr_ = nullptr;
    TicketStandinControl *ticket_ = nullptr;
    std::unique_ptr<TestSettingsAreas> areas_;
};

TEST_F(JobComponents, GroupLinesInPjlFormAndTheModuleIsFreed)
{
    DWORD before = qmt_LiveModules();
    auto model = Sample("0x0064000D"); /* N-up, host address, host name, PJL */
    areas_->set(295, 4);
    areas_->set(265, 3);
    Built built = BuildWithComponent(*model);
    ASSERT_GE(built.status, 0);
    EXPECT_NE(std::string::npos,
              built.text.find("@PJL SET JOBATTR=\"@PSIZ=A4\"\n"
                              "@PJL SET JOBATTR=\"@NUP=2\"\n"
                              "@PJL SET JOBATTR=\"@HOSTADDR=192.0.2.7\"\n"
                              "@PJL SET JOBATTR=\"@OWNER=Bob:5:4:2\"\n"
                              "@PJL SET JOBATTR=\"@HOSTNAME=printhost\"\n"))
        << built.text;
    EXPECT_EQ(32u, attr_->hostNameKind);
    EXPECT_EQ(before, qmt_LiveModules()) << "the component is freed when the block is built";
}

TEST_F(JobComponents, RecordedCodesFollowTheTables)
{
    struct Case {
        const char *why;
        const char *flags;
        std::vector<std::pair<WORD, LONG>> settings;
        DWORD nupCode, ownerKind, nupValue, trayCode;
        const char *owner; /* "" = built by the component from user and host name */
        bool nupLine;
    };
    const Case cases[] = {
        {"booklet: N-up code 1, value 2", "0x00400005", {{321, 2}, {265, 7}}, 1, 1, 2, 0, "Bob", true},
        {"poster 771: code 10, value 100",
         "0x00400005",
         {{321, 1}, {296, 771}, {295, 2}, {265, 1}},
         10,
         1,
         100,
         1,
         "Bob",
         true},
        {"32 per sheet", "0x00600005", {{295, 32}, {265, 267}}, 12, 5, 32, 5, "Bob", true},
        {"unlisted pages per sheet: no N-up line", "0x00400005", {{295, 3}, {265, 2}}, 0, 1, 3, 6, "Bob", false},
        {"source 3 without N-up flags: kind 4, user and host",
         "0x00400001",
         {{5127, 3}, {265, 257}},
         0,
         4,
         1,
         7,
         "",
         false},
        {"source 6: text of 5150, kind 4", "0x00400001", {{5127, 6}, {265, 99}}, 0, 4, 1, 11, "Carol", false},
        {"tray 258 reads 13; manual feed by 388",
         "0x00400001",
         {{265, 258}, {13, 4}, {388, 3}},
         0,
         3,
         1,
         9,
         "Bob",
         false},
        {"flag 0x10 reads 13 first", "0x00400011", {{13, 260}, {388, 2}}, 0, 3, 1, 10, "Bob", false},
        {"monitor 5204 forces UnknownUser", "0x00400001", {{5204, 1}}, 0, 3, 1, 11, "UnknownUser", false},
        {"owner from 5174 with flag 0x2000000", "0x02400001", {{5164, 1}}, 0, 3, 1, 11, "Dave", false},
    };
    for (const Case &c : cases) {
        ResetAreas();
        memset(attr_, 0, sizeof(*attr_));
        areas_->set_text(5150, TEXT("Carol"));
        areas_->set_text(5174, TEXT("Dave"));
        for (const auto &s : c.settings)
            areas_->set(s.first, s.second);
        auto model = Sample(c.flags);
        Built built = BuildWithComponent(*model);
        EXPECT_GE(built.status, 0) << c.why;
        EXPECT_EQ(c.nupLine, (attr_->calledMask & ATTR_FN_NUP) != 0) << c.why;
        if (c.nupLine) {
            EXPECT_EQ(c.nupCode, attr_->nupCode) << c.why;
        }
        EXPECT_EQ(c.ownerKind, attr_->ownerKind) << c.why;
        EXPECT_EQ(c.nupValue, attr_->nupValue) << c.why;
        EXPECT_EQ(c.trayCode, attr_->trayCode) << c.why;
        EXPECT_STREQ(c.owner, attr_->ownerText) << c.why;
    }
}

TEST_F(JobComponents, MissingOrFailingComponent)
{
    qmt_FailModuleLoad(TEXT("qmvjcl50.dll"));
    areas_->set(5203, 0);
    auto hostOnly = Sample("0x00400009");
    Built built = BuildWithComponent(*hostOnly);
    ASSERT_GE(built.status, 0) << "the host-address line is left out";
    EXPECT_EQ(std::string::npos, built.text.find("HOSTADDR"));
    auto nup = Sample("0x00400005");
    EXPECT_EQ(JOB_E_COMPONENT, BuildWithComponent(*nup).status);
    areas_->set(5203, 1);
    EXPECT_EQ(JOB_E_COMPONENT, BuildWithComponent(*hostOnly).status) << "the owner line stops the build";
    qmt_FailModuleLoad(nullptr);

    attr_->failMask = ATTR_FN_HOST_ADDRESS;
    built = BuildWithComponent(*hostOnly);
    ASSERT_GE(built.status, 0);
    EXPECT_EQ(std::string::npos, built.text.find("HOSTADDR"));
    EXPECT_NE(std::string::npos, built.text.find("@OWNER=Bob"));
    attr_->failMask = ATTR_FN_OWNER_INPUT;
    EXPECT_EQ(JOB_E_COMPONENT, BuildWithComponent(*hostOnly).status);
    attr_->failMask = 0;
    qmt_HideExport("DHGetVJCLStringOfJobOwnerFromInputA");
    EXPECT_EQ(JOB_E_COMPONENT, BuildWithComponent(*hostOnly).status) << "function missing";
}

TEST_F(JobComponents, JobTicket)
{
    auto model = Sample("0x00400001", "0x20000080"); /* capability bit 61 */
    HANDLE printer = (HANDLE)1;
    auto build = [&](DWORD capacity, std::vector<char> *guarded = nullptr) {
        std::vector<char> out(capacity + 16, '\x7f');
        JobAttrContext context = Context(*areas_, capacity);
        context.printer = printer;
        LONG status = job_BuildJobAttrBlock(model->model(), model->base(), &context, "DATA", 4, out.data());
        if (guarded)
            *guarded = out;
        return Built{status, status >= 0 ? std::string(out.data(), (size_t)status) : std::string(), 0};
    };
    areas_->set(321, 2);
    Built built = build(4096);
    EXPECT_EQ(0, built.text.find("VPIF[DATA]" + kUel)) << built.text;
    EXPECT_EQ(1u, ticket_->pair[0]);
    EXPECT_EQ(1u, ticket_->pair[1]) << "321 is 2";
    EXPECT_EQ(1u, ticket_->finalized);
    EXPECT_EQ(10, job_WriteJobTicket(printer, &areas_->devmode, model->model(), "DATA", 4, nullptr, 0)) << "size query";

    struct Case {
        DWORD script;
        LONG status; /* of the build; 0: built without ticket */
    };
    const Case cases[] = {
        {TICKET_SIZE_FAILS, JOB_E_TICKET},
        {TICKET_FILL_FAILS, JOB_E_TICKET_FILL},
        {TICKET_EMPTY, 0},
        {TICKET_NO_HANDLE, 0},
    };
    for (const Case &c : cases) {
        ticket_->script = c.script;
        built = build(4096);
        if (c.status < 0) {
            EXPECT_EQ(c.status, built.status) << c.script;
        } else {
            EXPECT_EQ(0, built.text.find(kUel)) << c.script;
        }
    }

    ticket_->script = TICKET_LARGE;
    std::vector<char> out;
    built = build(700, &out);
    EXPECT_EQ(JOB_E_COPY, built.status) << "a ticket larger than the capacity";
    for (size_t i = 700; i < out.size(); ++i)
        ASSERT_EQ('\x7f', out[i]) << i;

    ticket_->script = TICKET_NORMAL;
    qmt_HideExport("VPIFMaker_finalize");
    built = build(4096);
    EXPECT_EQ(0, built.text.find(kUel)) << "a maker lacking an export: no ticket, no error";
    qmt_HideExport(nullptr);
    qmt_FailModuleLoad(TEXT("qmvpif50.dll"));
    EXPECT_EQ(JOB_E_OUTSIDE, build(4096).status);
}

} // namespace
