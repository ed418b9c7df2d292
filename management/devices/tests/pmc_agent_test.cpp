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

#include "management/base/pmc_object_list.h"
#include "management/devices/psw_device_finder.h"
#include "management/devices/psw_device_status.h"
#include "management/devices/psw_plugin_usm.h"
#include "management/devices/tests/pmc_agent_fixture.h"
#include "management/packets/pmc_packet.h"
#include "management/requests/pmc_request.h"
#include "management/values/pmc_value.h"

namespace {

const char kPrinter[] = ".1.3.6.1.2.1.1.2.0 objectid .1.3.6.1.4.1.99953.1.11.93.1.33.5.1\n"
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
    if (who.community)
        request->set_community(who.community);
    EXPECT_EQ(PMC_OK, request->init(address, PMC_PROTOCOL_IPV4, 161, who.selector, &who.usm, 1000, 1, 0));
    EXPECT_EQ(PMC_OK, request->add_oid_string(name, instance));
    return request;
}

/* Every test starts with the printer above. */
class AgentTest : public AgentFixture
{
protected:
    void SetUp() override
    {
        AgentFixture::SetUp();
        if (!m_dir.empty())
            write_fixture(kPrinter);
    }
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
    if (who.community)
        request->set_community(who.community);
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
    EXPECT_EQ(PMC_E_RANGE, set_integer(kV1Private, "1.3.6.1.4.1.99941.8.1", "0", 1)); /* noSuchName */
    EXPECT_EQ(PMC_E_RANGE, set_integer(kV1Private, "1.3.6.1.4.1.99941.8.2", "0", 1)); /* badValue */
    EXPECT_EQ(PMC_E_RANGE, set_integer(kVdrivers, "1.3.6.1.4.1.99941.8.1", "0", 1));  /* notWritable */
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
    EXPECT_EQ(PMC_E_RANGE, request->get_integers(values, 3)); /* only two bindings */
    EXPECT_EQ(500, values[0]);
    EXPECT_EQ(250, values[1]);
    request->release();
}

/* A discovery GET of sysObjectID.0 to `address`; the answering addresses (out). */
int discover(const Credentials &who, const char *address, int protocol, std::vector<std::string> *senders)
{
    IPmcFindDeviceRequest *request = pmc_create_find_device_snmp(nullptr);
    if (who.community)
        request->set_community(who.community);
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
        for (const std::string &sender : senders)
            all += sender + " ";
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
    PSWUSMParams params = shaaes_params();
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

/* A printer's status tables, read over version 1 and SNMPv3. */
const char kStatusPrinter[] = ".1.3.6.1.2.1.1.5.0 string fixture-printer\n"
                              ".1.3.6.1.2.1.25.2.3.1.2.1 objectid .1.3.6.1.2.1.25.2.1.4\n"
                              ".1.3.6.1.2.1.25.2.3.1.2.2 objectid .1.3.6.1.2.1.25.2.1.99\n"
                              ".1.3.6.1.2.1.25.2.3.1.3.1 string Fixed Disk\n"
                              ".1.3.6.1.2.1.25.2.3.1.3.2 string Other\n"
                              ".1.3.6.1.2.1.25.2.3.1.4.1 integer 1024\n"
                              ".1.3.6.1.2.1.25.2.3.1.4.2 integer 1\n"
                              ".1.3.6.1.2.1.25.2.3.1.5.1 integer 4000\n"
                              ".1.3.6.1.2.1.25.2.3.1.5.2 integer 7\n"
                              ".1.3.6.1.2.1.25.3.5.1.1.1 integer 3\n"
                              ".1.3.6.1.2.1.25.3.5.1.2.1 octet 00 80\n"
                              ".1.3.6.1.2.1.43.11.1.1.5.1.1 integer 3\n"
                              ".1.3.6.1.2.1.43.11.1.1.5.1.2 integer 4\n"
                              ".1.3.6.1.2.1.43.11.1.1.6.1.1 string Black Toner\n"
                              ".1.3.6.1.2.1.43.11.1.1.6.1.2 string Waste Toner Box\n"
                              ".1.3.6.1.2.1.43.11.1.1.7.1.1 integer 13\n"
                              ".1.3.6.1.2.1.43.11.1.1.7.1.2 integer 13\n"
                              ".1.3.6.1.2.1.43.11.1.1.8.1.1 integer 100\n"
                              ".1.3.6.1.2.1.43.11.1.1.8.1.2 integer 100\n"
                              ".1.3.6.1.2.1.43.11.1.1.9.1.1 integer 42\n"
                              ".1.3.6.1.2.1.43.11.1.1.9.1.2 integer 5\n";

TEST_F(AgentTest, StatusRecordsEqualTheirGoldenRecords)
{
    write_fixture(kStatusPrinter);
    PSWStorageInfo storage[2] = {{4, 1024, 4000, "Fixed Disk"}, {0, 1, 7, "Other"}};
    PSWTonerInfo toner = {13, 100, 42, "Black Toner"};
    PSWPrinterInfo printer = {3, {0x00, 0x80, 0x00, 0x00}};
    IPSWPluginUSM *usm = pmc_create_plugin_usm(nullptr);
    PSWUSMParams params = shaaes_params();
    for (int32_t version : {-1, 2}) {
        usm->load(version, params);
        CPSWDeviceStatus *status = new CPSWDeviceStatus();
        ASSERT_EQ(PMC_OK, status->setup(PMC_PROTOCOL_IPV4, "127.0.0.1", usm, 1000, 1, 0));
        int32_t count = -1;
        ASSERT_EQ(PMC_OK, status->read_table(PSW_TABLE_STORAGE, &count)) << version;
        ASSERT_EQ(2, count);
        for (int32_t i = 0; i < 2; ++i) {
            PSWStorageInfo record;
            std::memset(&record, 0xCC, sizeof record);
            ASSERT_EQ(PMC_OK, status->get_record(PSW_TABLE_STORAGE, i, &record));
            EXPECT_EQ(0, std::memcmp(&storage[i], &record, sizeof record)) << version << " row " << i;
        }
        PSWStorageInfo unused;
        EXPECT_EQ(-11, status->get_record(PSW_TABLE_STORAGE, 2, &unused));
        EXPECT_EQ(-11, status->get_record(PSW_TABLE_STORAGE, -1, &unused));
        EXPECT_EQ(-11, status->get_record(PSW_TABLE_ALERT, 0, &unused)); /* never read */
        ASSERT_EQ(PMC_OK, status->read_table(PSW_TABLE_TONER, &count));
        ASSERT_EQ(1, count); /* the waste toner box is no toner */
        PSWTonerInfo toner_record;
        ASSERT_EQ(PMC_OK, status->get_record(PSW_TABLE_TONER, 0, &toner_record));
        EXPECT_EQ(0, std::memcmp(&toner, &toner_record, sizeof toner));
        PSWPrinterInfo printer_record;
        ASSERT_EQ(PMC_OK, status->read_printer_status(&printer_record));
        EXPECT_EQ(0, std::memcmp(&printer, &printer_record, sizeof printer));
        EXPECT_EQ(PMC_OK, status->read_table(PSW_TABLE_ALERT, &count));
        EXPECT_EQ(0, count);
        delete status;
    }
    usm->release();
}

TEST_F(AgentTest, CharacterSetsAndJobCancel)
{
    write_fixture(std::string(kPrinter) + ".1.3.6.1.2.1.43.5.1.1.2.1 integer 1\n"
                                          ".1.3.6.1.2.1.43.7.1.1.4.1.1 integer 106\n"
                                          ".1.3.6.1.4.1.99941.8.51.3.1.1.1.1 integer 2\n"
                                          ".1.3.6.1.4.1.99941.8.51.4.1.1.7.1.2 integer 17\n"
                                          ".1.3.6.1.4.1.99941.8.76.3.2.1.1.101.3.120.121.122 integer/not-writable 0\n");
    IPSWPluginUSM *usm = pmc_create_plugin_usm(nullptr);
    CPSWDeviceStatus *status = new CPSWDeviceStatus();
    ASSERT_EQ(PMC_OK, status->setup(PMC_PROTOCOL_IPV4, "127.0.0.1", usm, 1000, 1, 0));
    int32_t code = 0;
    EXPECT_EQ(PMC_OK, status->read_character_set(0, &code));
    EXPECT_EQ(106, code);
    EXPECT_EQ(PMC_OK, status->read_character_set(1, &code));
    EXPECT_EQ(17, code);
    EXPECT_EQ(PMC_E_ARG, status->read_character_set(2, &code));
    /* The read community "printer" may not write: the cancel always uses the write one. */
    status->set_read_community("printer");
    EXPECT_EQ(PMC_OK, status->cancel_job("abc"));
    EXPECT_NE(std::string::npos, recorded_sets().find(".1.3.6.1.4.1.99941.8.76.3.2.1.1.101.3.97.98.99 integer 1414"))
        << recorded_sets();
    EXPECT_EQ(PMC_E_RANGE, status->cancel_job("xyz"));
    delete status;
    usm->release();
}

/* Three jobs, the second of kind 2 (state 17), with their texts and dates. */
const char kJobs[] = ".1.3.6.1.4.1.99941.8.59.6.1.1.3.1.1 string job-1\n"
                     ".1.3.6.1.4.1.99941.8.59.6.1.1.4.1.1 objectid .1.3.6.1.4.1.99941.8.58.2.2\n"
                     ".1.3.6.1.4.1.99941.8.59.6.1.1.5.1.1 integer 4\n"
                     ".1.3.6.1.4.1.99941.8.59.6.1.1.6.1.1 integer 5\n"
                     ".1.3.6.1.4.1.99941.8.59.6.1.1.9.1.1 integer 3\n"
                     ".1.3.6.1.4.1.99941.8.59.6.1.1.10.1.1 integer 10\n"
                     ".1.3.6.1.4.1.99941.8.59.10.1.1.7.1.1.97.98.99.0.0.0.0.0 integer 6\n"
                     ".1.3.6.1.4.1.99941.8.59.10.1.1.10.1.1.97.98.99.0.0.0.0.0 octet 07 D9 0C 1F 17 3B 3A 00\n"
                     ".1.3.6.1.4.1.99941.8.59.16.1.1.4.1.1 octet 07 D9 0C\n"
                     ".1.3.6.1.4.1.99941.8.59.16.1.1.5.1.1 integer 100\n"
                     ".1.3.6.1.4.1.99941.8.59.16.1.1.6.1.1 integer 7\n"
                     ".1.3.6.1.4.1.99941.8.59.16.1.1.7.1.1 string x\n"
                     ".1.3.6.1.4.1.99941.8.59.6.1.1.3.1.2 string job-2\n"
                     ".1.3.6.1.4.1.99941.8.59.6.1.1.4.1.2 objectid .1.3.6.1.4.1.99941.8.58.2.3\n"
                     ".1.3.6.1.4.1.99941.8.59.6.1.1.5.1.2 integer 4\n"
                     ".1.3.6.1.4.1.99941.8.59.6.1.1.6.1.2 integer 5\n"
                     ".1.3.6.1.4.1.99941.8.59.6.1.1.9.1.2 integer 17\n"
                     ".1.3.6.1.4.1.99941.8.59.6.1.1.10.1.2 integer 20\n"
                     ".1.3.6.1.4.1.99941.8.59.10.1.1.7.1.2.98.98.99.0.0.0.0.0 integer 6\n"
                     ".1.3.6.1.4.1.99941.8.59.10.1.1.10.1.2.98.98.99.0.0.0.0.0 octet 07 D9 0C 1F 17 3B 3A 00\n"
                     ".1.3.6.1.4.1.99941.8.59.16.1.1.4.1.2 octet 07 D9 0C\n"
                     ".1.3.6.1.4.1.99941.8.59.16.1.1.5.1.2 integer 200\n"
                     ".1.3.6.1.4.1.99941.8.59.16.1.1.6.1.2 integer 7\n"
                     ".1.3.6.1.4.1.99941.8.59.16.1.1.7.1.2 string x\n"
                     ".1.3.6.1.4.1.99941.8.59.6.1.1.3.1.3 string job-3\n"
                     ".1.3.6.1.4.1.99941.8.59.6.1.1.4.1.3 objectid .1.3.6.1.4.1.99941.8.58.2.4\n"
                     ".1.3.6.1.4.1.99941.8.59.6.1.1.5.1.3 integer 4\n"
                     ".1.3.6.1.4.1.99941.8.59.6.1.1.6.1.3 integer 5\n"
                     ".1.3.6.1.4.1.99941.8.59.6.1.1.9.1.3 integer 3\n"
                     ".1.3.6.1.4.1.99941.8.59.6.1.1.10.1.3 integer 30\n"
                     ".1.3.6.1.4.1.99941.8.59.10.1.1.7.1.3.99.98.99.0.0.0.0.0 integer 6\n"
                     ".1.3.6.1.4.1.99941.8.59.10.1.1.10.1.3.99.98.99.0.0.0.0.0 octet 07 D9 0C 1F 17 3B 3A 00\n"
                     ".1.3.6.1.4.1.99941.8.59.16.1.1.4.1.3 octet 07 D9 0C\n"
                     ".1.3.6.1.4.1.99941.8.59.16.1.1.5.1.3 integer 300\n"
                     ".1.3.6.1.4.1.99941.8.59.16.1.1.6.1.3 integer 7\n"
                     ".1.3.6.1.4.1.99941.8.59.16.1.1.7.1.3 string x\n"
                     ".1.3.6.1.4.1.99941.8.51.3.1.1.1.1 integer 2\n"
                     ".1.3.6.1.4.1.99941.8.51.4.1.1.7.1.2 integer 17\n"
                     ".1.3.6.1.4.1.99941.8.51.5.1.1.4.1.4.17 string Print\n"
                     ".1.3.6.1.4.1.99941.8.51.5.1.1.4.1.5.17 string Copy\n"
                     ".1.3.6.1.4.1.99941.8.51.5.1.1.4.1.6.17 string User\n";

TEST_F(AgentTest, JobsOfEachKind)
{
    write_fixture(std::string(kPrinter) + kJobs);
    IPSWPluginUSM *usm = pmc_create_plugin_usm(nullptr);
    CPSWDeviceStatus *status = new CPSWDeviceStatus();
    ASSERT_EQ(PMC_OK, status->setup(PMC_PROTOCOL_IPV4, "127.0.0.1", usm, 1000, 1, 0));
    int32_t counts[3] = {-1, -1, -1};
    for (int32_t kind = 0; kind < 3; ++kind)
        EXPECT_EQ(PMC_OK, status->read_jobs(kind, &counts[kind])) << kind;
    EXPECT_EQ(3, counts[0]);
    EXPECT_EQ(2, counts[1]);
    EXPECT_EQ(1, counts[2]);
    ASSERT_EQ(PMC_OK, status->read_jobs(0, &counts[0]));
    PSWJobInfo expected;
    std::memset(&expected, 0, sizeof expected);
    expected.type = 2;
    expected.state = 3;
    expected.state_2 = 10;
    expected.value_1 = 100;
    expected.value_2 = 7;
    std::strcpy(expected.text_1, "Print");
    std::strcpy(expected.text_2, "Copy");
    std::strcpy(expected.text_3, "User");
    std::strcpy(expected.job_id, "abc");
    std::strcpy(expected.name, "job-1");
    expected.time_1 = {2009, 12, 31, 23, 59, 58};
    PSWJobInfo job;
    std::memset(&job, 0xCC, sizeof job);
    ASSERT_EQ(PMC_OK, status->get_record(PSW_TABLE_JOB, 0, &job));
    EXPECT_EQ(0, std::memcmp(&expected, &job, sizeof job)) << job.job_id << " " << job.text_1 << " " << job.type;
    EXPECT_EQ(-11, status->get_record(PSW_TABLE_JOB, 3, &job));
    delete status;
    usm->release();
}

TEST_F(AgentTest, TwoThreadsRunSnmpV3RequestsAtOnce)
{
    int results[2][5] = {};
    std::string texts[2][5];
    auto run = [&](int which) {
        const Credentials &who = which ? kVdrivers : kShaAes;
        for (int i = 0; i < 5; ++i)
            texts[which][i] = get_text(who, "1.3.6.1.2.1.1.5.0", &results[which][i]);
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

} // namespace
