/*
 * The request objects against a real agent: snmpd in the test's own network namespace,
 * its printer objects served by the fixture program from a file each test writes (see
 * testing/netns/run-in-netns.sh --agent). GETs over version 1 and every SNMPv3 user, walks
 * up to and past the end of a view, SETs accepted and refused, broadcasts and concurrent
 * SNMPv3 callers.
 */
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "management/pmc_object_list.h"
#include "management/pmc_packet.h"
#include "management/pmc_request.h"
#include "management/pmc_value.h"
#include "management/psw_device_finder.h"
#include "management/psw_plugin_usm.h"
#include "management/tests/pmc_net_fixture.h"

namespace {

const char kPrinter[] =
    ".1.3.6.1.2.1.1.2.0 objectid .1.3.6.1.4.1.99953.1.11.93.1.33.5.1\n"
    ".1.3.6.1.2.1.1.5.0 string fixture-printer\n"
    ".1.3.6.1.2.1.43.8.2.1.9.1.1 integer 500\n"
    ".1.3.6.1.2.1.43.8.2.1.9.1.2 integer 250\n"
    ".1.3.6.1.2.1.43.8.2.1.9.1.3 integer 100\n"
    ".1.3.6.1.4.1.99941.8.1.0 integer/not-writable 7\n"
    ".1.3.6.1.4.1.99941.8.2.0 integer/wrong-type 7\n"
    ".1.3.6.1.4.1.99941.8.76.3.2.1.1.101.3.97.98.99 integer 0\n";

/* One way of asking: version 1 with a community, or SNMPv3 with a user. */
struct Credentials {
    const char *label;
    int32_t selector;
    const char *community;
    PmcRequestUsm usm;
};

const Credentials kV1 = {"v1", 0, "public", {}};
const Credentials kV1Private = {"v1 private", 0, "private", {}};
const Credentials kV1Printer = {"v1 printer view", 0, "printer", {}};
const Credentials kVdrivers = {
    "Vdrivers", 2, nullptr, {"Vdrivers", 2, 1, 1, "Wq8rNz2kLp5vBt7yHd3m", "Fs6jKc1xQe9uGa4oPb0n", ""}};
const Credentials kShaAes = {"shaaes", 2, nullptr, {"shaaes", 2, 2, 2, "authpass123", "privpass123", ""}};
const Credentials kAuthOnly = {"authonly", 2, nullptr, {"authonly", 1, 1, 0, "authonly123", "", ""}};
const Credentials kNoAuth = {"noauth", 2, nullptr, {"noauth", 0, 0, 0, "", "", ""}};
const Credentials kPview = {"pview", 2, nullptr, {"pview", 2, 1, 1, "pviewpass12", "pviewpass12", ""}};

/* A request for `address` with the credentials and one name (instance 0 when asked). */
IPmcGetDataRequest *make_request(const Credentials &who, const char *name, bool instance,
                                 const char *address = "127.0.0.1")
{
    IPmcGetDataRequest *request = pmc_create_get_data(nullptr);
    if (who.community) request->set_community(who.community);
    EXPECT_EQ(PMC_OK, request->init(address, PMC_PROTOCOL_IPV4, 161, who.selector, &who.usm, 1000, 1, 0));
    EXPECT_EQ(PMC_OK, request->add_oid_string(name, instance));
    return request;
}

class AgentTest : public NetTest {
protected:
    void SetUp() override
    {
        NetTest::SetUp();
        const char *dir = std::getenv("QM_SNMP_AGENT_DIR");
        if (!dir) {
            if (std::getenv("CI")) FAIL() << "no SNMP agent: testing/netns/run-in-netns.sh --agent did not start snmpd";
            GTEST_SKIP() << "no SNMP agent (needs root, snmpd and snmpget; run through "
                            "testing/netns/run-in-netns.sh --agent)";
        }
        m_dir = dir;
        write_fixture(kPrinter);
    }
    /* write_fixture: replaces the served objects (a new file, so the program re-reads it). */
    void write_fixture(const std::string &text)
    {
        std::string temporary = m_dir + "/fixture.new";
        std::ofstream(temporary) << text;
        std::rename(temporary.c_str(), (m_dir + "/fixture.txt").c_str());
        std::ofstream(m_dir + "/sets.txt", std::ios::trunc);
    }
    std::string recorded_sets()
    {
        std::ifstream in(m_dir + "/sets.txt");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::string m_dir;
};

std::string get_text(const Credentials &who, const char *name, int *code)
{
    IPmcGetDataRequest *request = make_request(who, name, false);
    char text[256] = "";
    *code = request->get_string(text, sizeof text);
    request->release();
    return text;
}

TEST_F(AgentTest, SysNameOverVersion1AndEverySnmpV3User)
{
    for (const Credentials *who : {&kV1, &kVdrivers, &kShaAes, &kAuthOnly, &kNoAuth}) {
        int code = 0;
        EXPECT_EQ("fixture-printer", get_text(*who, "1.3.6.1.2.1.1.5.0", &code)) << who->label;
        EXPECT_EQ(PMC_OK, code) << who->label;
    }
}

TEST_F(AgentTest, WrongPassPhraseAndUnknownUserAreSecurityFailures)
{
    int code = 0;
    get_text(kShaAes, "1.3.6.1.2.1.1.5.0", &code);
    ASSERT_EQ(PMC_OK, code);
    Credentials wrong = kShaAes;
    wrong.usm.auth_pass_phrase = "wrongpass123";
    get_text(wrong, "1.3.6.1.2.1.1.5.0", &code);
    EXPECT_EQ(PMC_E_SECURITY, code);
    Credentials unknown = kShaAes;
    unknown.usm.user_name = "nobody";
    get_text(unknown, "1.3.6.1.2.1.1.5.0", &code);
    EXPECT_EQ(PMC_E_SECURITY, code);
}

/* Walks a subtree and returns the status; rows (out) the number of answers kept. */
int walk(const Credentials &who, const char *root, uint32_t *rows)
{
    IPmcGetDataRequest *request = make_request(who, root, false);
    CPmcObjectList *table = pms_create_result_table(nullptr);
    int code = request->get_data(table, root);
    *rows = table->count();
    table->release();
    request->release();
    return code;
}

TEST_F(AgentTest, WalksReturnEveryRowAndEndPastTheView)
{
    struct Case {
        const Credentials *who;
        const char *root;
        uint32_t rows;
    } cases[] = {
        {&kV1, "1.3.6.1.2.1.43.8.2.1.9", 3},
        {&kShaAes, "1.3.6.1.2.1.43.8.2.1.9", 3},
        /* the last objects of the "printer" view and of pview's: the next GET-NEXT is past
         * the end (noSuchName over version 1, endOfMibView over SNMPv3) */
        {&kV1Printer, "1.3.6.1.4.1.99941", 3},
        {&kPview, "1.3.6.1.4.1.99941", 3},
        /* the first answer lies outside the subtree */
        {&kV1, "1.3.6.1.2.1.43.9", 0},
        {&kShaAes, "1.3.6.1.2.1.43.9", 0},
    };
    for (const Case &c : cases) {
        uint32_t rows = 99;
        EXPECT_EQ(PMC_OK, walk(*c.who, c.root, &rows)) << c.who->label << " " << c.root;
        EXPECT_EQ(c.rows, rows) << c.who->label << " " << c.root;
    }
}

int set_integer(const Credentials &who, const char *name, const char *instance, int32_t value)
{
    IPmcGetDataRequest *request = pmc_create_get_data(nullptr);
    if (who.community) request->set_community(who.community);
    EXPECT_EQ(PMC_OK, request->init("127.0.0.1", PMC_PROTOCOL_IPV4, 161, who.selector, &who.usm, 1000, 1, 0));
    EXPECT_EQ(PMC_OK, request->add_set_binding(name, instance, value));
    int code = request->set_data();
    request->release();
    return code;
}

TEST_F(AgentTest, SetsAcceptedAreRecordedAndRefusalsGiveMinus7)
{
    EXPECT_EQ(PMC_OK, set_integer(kV1Private, "1.3.6.1.4.1.99941.8.76.3.2.1.1.101", "3.97.98.99", 1414));
    EXPECT_NE(std::string::npos, recorded_sets().find(".1.3.6.1.4.1.99941.8.76.3.2.1.1.101.3.97.98.99 integer 1414"))
        << recorded_sets();
    EXPECT_EQ(PMC_E_RANGE, set_integer(kV1Private, "1.3.6.1.4.1.99941.8.1", "0", 1));  /* noSuchName */
    EXPECT_EQ(PMC_E_RANGE, set_integer(kV1Private, "1.3.6.1.4.1.99941.8.2", "0", 1));  /* badValue */
    EXPECT_EQ(PMC_E_RANGE, set_integer(kVdrivers, "1.3.6.1.4.1.99941.8.1", "0", 1));   /* notWritable */
}

TEST_F(AgentTest, MissingObjectsGiveMinus7)
{
    for (const Credentials *who : {&kV1, &kShaAes}) {
        IPmcGetDataRequest *request = make_request(*who, "1.3.6.1.4.1.99941.8.9", true);
        int32_t value = 0;
        EXPECT_EQ(PMC_E_RANGE, request->get_integer(&value)) << who->label;
        request->release();
    }
    IPmcGetDataRequest *request = make_request(kV1, "1.3.6.1.2.1.43.8.2.1.9.1.1", false);
    EXPECT_EQ(PMC_OK, request->add_oid_string("1.3.6.1.2.1.43.8.2.1.9.1.2", false));
    int32_t values[3] = {};
    EXPECT_EQ(PMC_E_RANGE, request->get_integers(values, 3));  /* only two bindings */
    EXPECT_EQ(500, values[0]);
    EXPECT_EQ(250, values[1]);
    request->release();
}

/* A discovery GET of sysObjectID.0 to `address`; the answering addresses (out). */
int discover(const Credentials &who, const char *address, int protocol, std::vector<std::string> *senders)
{
    IPmcFindDeviceRequest *request = pmc_create_find_device_snmp(nullptr);
    if (who.community) request->set_community(who.community);
    EXPECT_EQ(PMC_OK, request->init(address, protocol, 161, who.selector, &who.usm, 2000, 1, 0));
    EXPECT_EQ(PMC_OK, request->add_oid_string("1.3.6.1.2.1.1.2", true));
    CPmcObjectList *packets = nullptr;
    int code = request->send_broad_cast(&packets);
    if (code == PMC_OK) {
        IPmcObjectListIterator *it = packets->create_iterator(nullptr);
        for (void *element; (element = packets->element_at(it)) != nullptr; packets->advance(it)) {
            IPmsSnmpPacket *packet = (IPmsSnmpPacket *)element;
            const char *text = nullptr;
            packet->get_target()->get_address()->get(&text, nullptr, nullptr);
            IPmsValue *value = packet->get_pdu()->get_list()->get(0)->get_value();
            CPmcByteString *oid = value->text(nullptr);
            EXPECT_STREQ("1.3.6.1.4.1.99953.1.11.93.1.33.5.1", oid->data());
            oid->release();
            senders->push_back(text);
        }
        packets->release_iterator(it);
        packets->release();
    }
    request->release();
    return code;
}

TEST_F(AgentTest, BroadcastAndMulticastFindTheAgent)
{
    struct Case {
        const Credentials *who;
        const char *address;
        int protocol;
    } cases[] = {
        {&kV1, "255.255.255.255", PMC_PROTOCOL_IPV4},
        {&kV1, "ff02::1", PMC_PROTOCOL_IPV6},
        {&kShaAes, "255.255.255.255", PMC_PROTOCOL_IPV4},
    };
    for (const Case &c : cases) {
        std::vector<std::string> senders;
        EXPECT_EQ(PMC_OK, discover(*c.who, c.address, c.protocol, &senders)) << c.address << " " << c.who->label;
        std::string all;
        for (const std::string &sender : senders) all += sender + " ";
        /* Over IPv6 the agent answers from the link address of each end of the veth pair. */
        if (c.protocol == PMC_PROTOCOL_IPV6)
            EXPECT_LE(1u, senders.size()) << c.address << " " << c.who->label << ": " << all;
        else
            EXPECT_EQ(1u, senders.size()) << c.address << " " << c.who->label << ": " << all;
    }
}

/* Discovery finds the agent by unicast, broadcast, multicast and over SNMPv3. */
TEST_F(AgentTest, DiscoveryFindsTheAgent)
{
    struct Case {
        const char *address;
        int protocol;
        int32_t version;
    } cases[] = {
        {"127.0.0.1", PMC_PROTOCOL_IPV4, -1},
        {"255.255.255.255", PMC_PROTOCOL_IPV4, -1},
        {"ff02::1", PMC_PROTOCOL_IPV6, -1},
        {"255.255.255.255", PMC_PROTOCOL_IPV4, 2},
    };
    PSWUSMParams params = {};
    std::strcpy(params.user_name, "shaaes");
    params.security_level = 2;
    params.auth_protocol = 2;
    params.priv_protocol = 2;
    std::strcpy(params.auth_pass_phrase, "authpass123");
    std::strcpy(params.priv_pass_phrase, "privpass123");
    IPSWPluginUSM *usm = pmc_create_plugin_usm(nullptr);
    for (const Case &c : cases) {
        usm->load(c.version, params);
        CPSWDeviceFinder *finder = new CPSWDeviceFinder();
        int32_t count = 0;
        ASSERT_EQ(PMC_OK, finder->setup(c.protocol, c.address, usm, 2000, 0, 0)) << c.address;
        EXPECT_EQ(PMC_OK, finder->collect(PSW_MODEL_TABLE, &count)) << c.address;
        EXPECT_LE(1, count) << c.address << " version " << c.version;
        char model[64] = "";
        EXPECT_TRUE(finder->next(nullptr, model, nullptr, nullptr));
        EXPECT_STREQ("Tessaly Ornet 7701", model);
        delete finder;
    }
    usm->release();
}

TEST_F(AgentTest, TwoThreadsRunSnmpV3RequestsAtOnce)
{
    int results[2][5] = {};
    std::string texts[2][5];
    auto run = [&](int which) {
        const Credentials &who = which ? kVdrivers : kShaAes;
        for (int i = 0; i < 5; ++i) texts[which][i] = get_text(who, "1.3.6.1.2.1.1.5.0", &results[which][i]);
    };
    std::thread first(run, 0), second(run, 1);
    first.join();
    second.join();
    for (int t = 0; t < 2; ++t) {
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(PMC_OK, results[t][i]);
            EXPECT_EQ("fixture-printer", texts[t][i]);
        }
    }
}

}  // namespace
