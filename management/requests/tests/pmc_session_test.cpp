/*
 * Community request sessions and request objects against the scripted responder: tries
 * and time-outs, answers to other requests, fragmentation and merging, broadcasts, the
 * request identifiers and the walk's stopping rules. Runs in a network namespace of its
 * own, where nothing else listens on port 161.
 */
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "management/base/pmc_object_list.h"
#include "management/devices/psw_device_finder.h"
#include "management/devices/psw_plugin_usm.h"
#include "management/packets/pmc_packet.h"
#include "management/requests/pmc_request.h"
#include "management/requests/pmc_request_private.h"
#include "management/requests/pmc_session.h"
#include "management/requests/tests/pmc_fake_responder.h"
#include "management/tests/pmc_net_fixture.h"
#include "management/values/pmc_value.h"

namespace {

/* A community target for 127.0.0.1:161 (or `address`). */
IPmsSnmpTarget *make_target(int32_t timeout, int32_t retries, uint32_t max_size = 1400,
                            const char *address = "127.0.0.1")
{
    IPmsCommunityTarget *target = pms_create_community_target(nullptr);
    target->set_community("public");
    target->set_timeout(timeout);
    target->set_retry_count(retries);
    target->set_max_message_size(max_size);
    target->set_version(PMS_VERSION_1);
    IPmcNetworkAddress *peer = nullptr;
    pmc_make_address(address, PMC_PROTOCOL_IPV4, 161, &peer);
    target->set_address(peer);
    peer->release();
    return target;
}

IPmsPdu *make_pdu(const std::vector<std::string> &names)
{
    IPmsPdu *pdu = pms_create_pdu(nullptr);
    pdu->set_type(PMS_PDU_GET);
    for (const std::string &name : names)
        pdu->append_new(pms_create_oid_from_text(name.c_str(), nullptr), nullptr);
    return pdu;
}

std::string name_of(IPmsPdu *pdu, uint32_t index)
{
    CPmcByteString *text = pdu->get_list()->get(index)->get_name()->value()->text(nullptr);
    std::string out = text->data();
    text->release();
    return out;
}

std::string address_of(IPmsSnmpTarget *target)
{
    const char *text = nullptr;
    target->get_address()->get(&text, nullptr, nullptr);
    return text;
}

/* A name of `count` two-octet sub-identifiers below the private subtree. */
std::string long_name(int row, int count)
{
    std::string name = "1.3.6.1.4.1.99941." + std::to_string(row);
    for (int i = 0; i < count; ++i)
        name += ".1000";
    return name;
}

class SessionTest : public NetTest
{
protected:
    void TearDown() override
    {
        responder.stop();
        NetTest::TearDown();
    }
    void start(fake::Responder::Script script)
    {
        ASSERT_TRUE(responder.start(std::move(script))) << "port 161 is taken or not allowed (run as root)";
    }
    /* One exchange through a new dispatcher. */
    static int exchange(IPmsPdu *pdu, IPmsSnmpTarget *target)
    {
        IPmsSession *dispatcher = pmc_create_session_dispatcher(nullptr);
        int code = dispatcher->send_sync(pdu, target);
        dispatcher->release();
        return code;
    }
    fake::Responder responder;
};

/* Runs first in this program: no request id has been taken before it. */
TEST_F(SessionTest, RequestIdsStartAtZeroAndEveryMessageTakesTheNext)
{
    start([](const fake::Request &request, int) { return std::vector<fake::Reply>{{2, fake::echo(request)}}; });
    IPmsSnmpTarget *target = make_target(300, 0);
    IPmsPdu *pdu = make_pdu({"1.3.6.1.2.1.1.5.0"});
    EXPECT_EQ(0, exchange(pdu, target));
    EXPECT_EQ(0, exchange(pdu, target));
    std::vector<fake::Request> seen = responder.requests();
    ASSERT_EQ(2u, seen.size());
    static bool first_run = true; /* identifiers are never reset: only the first run starts at 0 */
    if (first_run) {
        EXPECT_EQ(0, seen[0].request_id);
    }
    first_run = false;
    EXPECT_EQ(seen[0].request_id + 1, seen[1].request_id);
    EXPECT_EQ(seen[1].request_id + 1, pmc_next_request_id());
    pdu->release();
    target->release();
}

TEST_F(SessionTest, SilentDeviceIsAskedRetryCountPlusOneTimes)
{
    start(nullptr);
    for (int32_t retries : {0, 2}) {
        IPmsSnmpTarget *target = make_target(150, retries);
        IPmsPdu *pdu = make_pdu({"1.3.6.1.2.1.1.5.0"});
        size_t before = responder.requests().size();
        DWORD start_ticks = GetTickCount();
        EXPECT_EQ(PMC_E_TIMEOUT, exchange(pdu, target));
        EXPECT_GE(GetTickCount() - start_ticks, (DWORD)(150 * (retries + 1) - 20));
        EXPECT_EQ((size_t)retries + 1, responder.requests().size() - before);
        pdu->release();
        target->release();
    }
}

/* A late answer to an earlier request and a malformed message are dropped; the answer then
 * comes from another address, which the target takes. */
TEST_F(SessionTest, DroppedMessagesAndTheAnsweringAddress)
{
    start([](const fake::Request &request, int) {
        fake::Request earlier = request;
        earlier.request_id -= 1;
        return std::vector<fake::Reply>{
            {2, fake::echo(earlier)}, {2, std::string("\x30\x03\x02\x01", 4)}, {3, fake::echo(request), 30}};
    });
    IPmsSnmpTarget *target = make_target(500, 0);
    IPmsPdu *pdu = make_pdu({"1.3.6.1.2.1.1.5.0"});
    ASSERT_EQ(PMC_OK, exchange(pdu, target));
    EXPECT_EQ(PMS_PDU_RESPONSE, pdu->get_type());
    EXPECT_EQ("127.0.0.3", address_of(target));
    EXPECT_EQ(1u, responder.requests().size());
    pdu->release();
    target->release();
}

/* Ten bindings 1.3 times too big for 1400 bytes go as two fragments of five; the merged
 * answer keeps the request order and counts the error index over both fragments. */
TEST_F(SessionTest, TooBigRequestIsSplitAndTheAnswersMerged)
{
    start([](const fake::Request &request, int index) {
        return std::vector<fake::Reply>{{2, index == 1 ? fake::echo(request, 5, 3) : fake::echo(request)}};
    });
    std::vector<std::string> names;
    for (int i = 0; i < 10; ++i)
        names.push_back(long_name(i, 85));
    IPmsSnmpTarget *target = make_target(300, 0);
    IPmsPdu *pdu = make_pdu(names);
    ASSERT_EQ(PMC_OK, exchange(pdu, target));
    std::vector<fake::Request> seen = responder.requests();
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ(5u, seen[0].names.size());
    EXPECT_EQ(5u, seen[1].names.size());
    EXPECT_EQ(seen[0].request_id + 1, seen[1].request_id);
    ASSERT_EQ(10u, pdu->get_list()->count());
    for (uint32_t i = 0; i < 10; ++i)
        EXPECT_EQ(names[i], name_of(pdu, i));
    EXPECT_EQ(5, pdu->get_error_status());
    EXPECT_EQ(8, pdu->get_error_index());
    pdu->release();
    target->release();
}

TEST_F(SessionTest, TooBigAnswersSplitUntilOneBindingIsLeft)
{
    start([](const fake::Request &request, int) {
        bool big = request.names.size() > 1 || request.names[0] == "1.3.6.1.2.1.1.6.0";
        return std::vector<fake::Reply>{{2, big ? fake::echo(request, 1, 0) : fake::echo(request)}};
    });
    IPmsSnmpTarget *target = make_target(300, 0);
    IPmsPdu *pair = make_pdu({"1.3.6.1.2.1.1.5.0", "1.3.6.1.2.1.1.4.0"});
    EXPECT_EQ(PMC_OK, exchange(pair, target));
    EXPECT_EQ(2u, pair->get_list()->count());
    IPmsPdu *single = make_pdu({"1.3.6.1.2.1.1.6.0"});
    EXPECT_EQ(PMC_E_UNSPLITTABLE, exchange(single, target));
    /* A binding that does not fit the message at all can't be split either. */
    IPmsSnmpTarget *small = make_target(300, 0, 100);
    IPmsPdu *huge = make_pdu({long_name(1, 60)});
    EXPECT_EQ(PMC_E_UNSPLITTABLE, exchange(huge, small));
    pair->release();
    single->release();
    huge->release();
    small->release();
    target->release();
}

TEST_F(SessionTest, AnswerLargerThan2048BytesIsDecoded)
{
    start([](const fake::Request &request, int) {
        std::string big(3000, 'x');
        return std::vector<fake::Reply>{
            {2, fake::message(request.request_id, 0, 0, {fake::binding(request.names[0], fake::octets(big))})}};
    });
    IPmsSnmpTarget *target = make_target(300, 0);
    IPmsPdu *pdu = make_pdu({"1.3.6.1.2.1.1.5.0"});
    ASSERT_EQ(PMC_OK, exchange(pdu, target));
    EXPECT_EQ(3000u, pdu->get_list()->get(0)->get_value()->length());
    pdu->release();
    target->release();
}

TEST(SessionFragments, SevenBindingsInThreeFragments)
{
    IPmsPdu *pdu = make_pdu({"1.3.1", "1.3.2", "1.3.3", "1.3.4", "1.3.5", "1.3.6", "1.3.7"});
    IPmsPdu *parts[3];
    ASSERT_EQ(PMC_OK, pmc_fragment_pdu(pdu, 3, parts));
    EXPECT_EQ(3u, parts[0]->get_list()->count());
    EXPECT_EQ(2u, parts[1]->get_list()->count());
    EXPECT_EQ(2u, parts[2]->get_list()->count());
    EXPECT_EQ("1.3.4", name_of(parts[1], 0));
    for (IPmsPdu *part : parts)
        part->release();
    EXPECT_EQ(PMC_E_UNSPLITTABLE, pmc_fragment_pdu(pdu, 8, parts));
    pdu->release();
}

TEST(SessionDispatch, UnsupportedTargetsAndArguments)
{
    IPmsSession *dispatcher = pmc_create_session_dispatcher(nullptr);
    IPmsSnmpTarget *target = make_target(100, 0);
    IPmsPdu *pdu = make_pdu({"1.3.6.1.2.1.1.5.0"});
    target->set_version(PMS_VERSION_3);
    EXPECT_EQ(PMC_E_ARG, dispatcher->send_sync(pdu, target));
    IPmsUsmTarget *usm = pms_create_usm_target(nullptr);
    usm->set_version(PMS_VERSION_1);
    EXPECT_EQ(PMC_E_ARG, dispatcher->send_sync(pdu, usm));
    EXPECT_EQ(PMC_E_ARG, dispatcher->send_sync(pdu, nullptr));
    EXPECT_EQ(PMC_E_ARG, dispatcher->send_sync(nullptr));
    EXPECT_EQ(PMC_E_UNSUPPORTED, dispatcher->reserved());
    IPmsSession *session = pmc_create_request_session(nullptr);
    EXPECT_EQ(PMC_E_ARG, session->send_sync(nullptr, target));
    EXPECT_EQ(PMC_E_UNSUPPORTED, session->reserved());
    session->release();
    usm->release();
    pdu->release();
    target->release();
    dispatcher->release();
}

/* Several senders, one of them twice, and a malformed answer: one packet per sender. */
TEST_F(SessionTest, BroadcastCollectsOnePacketPerSender)
{
    start([](const fake::Request &request, int) {
        return std::vector<fake::Reply>{{2, fake::echo(request)},
                                        {3, fake::echo(request)},
                                        {2, fake::echo(request)},
                                        {4, std::string("\x30\x81", 2)}};
    });
    IPmsSnmpTarget *target = make_target(200, 0, 1400, "255.255.255.255");
    IPmsPdu *pdu = make_pdu({"1.3.6.1.2.1.1.2.0"});
    IPmsSession *dispatcher = pmc_create_session_dispatcher(nullptr);
    CPmcObjectList *list = nullptr;
    ASSERT_EQ(PMC_OK, dispatcher->send_broad_cast_sync(pdu, target, &list));
    ASSERT_NE(nullptr, list);
    std::vector<std::string> senders;
    IPmcObjectListIterator *it = list->create_iterator(nullptr);
    for (void *element; (element = list->element_at(it)) != nullptr; list->advance(it))
        senders.push_back(address_of(((IPmsSnmpPacket *)element)->get_target()));
    list->release_iterator(it);
    EXPECT_EQ((std::vector<std::string>{"127.0.0.2", "127.0.0.3"}), senders);
    list->release();
    dispatcher->release();
    pdu->release();
    target->release();
}

TEST_F(SessionTest, BroadcastNobodyAnswersGivesAnEmptyList)
{
    start(nullptr);
    IPmsSnmpTarget *target = make_target(100, 1, 1400, "255.255.255.255");
    IPmsPdu *pdu = make_pdu({"1.3.6.1.2.1.1.2.0"});
    IPmsSession *dispatcher = pmc_create_session_dispatcher(nullptr);
    CPmcObjectList *list = nullptr;
    DWORD start_ticks = GetTickCount();
    ASSERT_EQ(PMC_OK, dispatcher->send_broad_cast_sync(pdu, target, &list));
    EXPECT_GE(GetTickCount() - start_ticks, 180u);
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(0u, list->count());
    EXPECT_EQ(2u, responder.requests().size());
    list->release();
    dispatcher->release();
    pdu->release();
    target->release();
}

/* Nothing listens: version 1 and SNMPv3 both end with -203. */
TEST_F(SessionTest, NoAgentTimesOut)
{
    for (int32_t selector : {0, PMC_SELECT_V3}) {
        PmcRequestUsm usm = {"noauth", 0, 0, 0, "", "", ""};
        IPmcGetDataRequest *request = pmc_create_get_data(nullptr);
        ASSERT_EQ(PMC_OK, request->init("127.0.0.1", PMC_PROTOCOL_IPV4, 161, selector, &usm, 150, 0, 0));
        ASSERT_EQ(PMC_OK, request->add_oid_string("1.3.6.1.2.1.1.5", true));
        int32_t value = 0;
        EXPECT_EQ(PMC_E_TIMEOUT, request->get_integer(&value)) << selector;
        request->release();
    }
}

TEST(RequestInit, MaximumMessageSizes)
{
    EXPECT_EQ(546u, pmc_request_max_message(PMC_PROTOCOL_IPX, 0));
    EXPECT_EQ(546u, pmc_request_max_message(PMC_PROTOCOL_IPX, 1000));
    EXPECT_EQ(1400u, pmc_request_max_message(PMC_PROTOCOL_IPV4, 2000));
    EXPECT_EQ(1400u, pmc_request_max_message(PMC_PROTOCOL_IPV6, 0));
    EXPECT_EQ(1000u, pmc_request_max_message(PMC_PROTOCOL_IPV4, 1000));
}

/* A get-data request for 127.0.0.1 with one name. */
IPmcGetDataRequest *make_request(const char *name, bool instance)
{
    IPmcGetDataRequest *request = pmc_create_get_data(nullptr);
    EXPECT_EQ(PMC_OK, request->init("127.0.0.1", PMC_PROTOCOL_IPV4, 161, 0, nullptr, 300, 0, 0));
    EXPECT_EQ(PMC_OK, request->add_oid_string(name, instance));
    return request;
}

TEST_F(SessionTest, InstanceFlagAndRefusedSet)
{
    start([](const fake::Request &request, int) {
        return std::vector<fake::Reply>{{2, fake::echo(request, request.pdu_tag == 0xA3 ? 17 : 0, 1)}};
    });
    IPmcGetDataRequest *request = make_request("1.3.6.1.2.1.1.5", true);
    char text[8];
    ASSERT_EQ(PMC_OK, request->get_string(text, sizeof text));
    EXPECT_EQ("1.3.6.1.2.1.1.5.0", responder.requests()[0].names[0]);
    EXPECT_STREQ("v1.3.6.", text); /* cut to the capacity */
    request->release();
    /* notWritable (17) is a refusal like any other error-status. */
    IPmcGetDataRequest *set = pmc_create_get_data(nullptr);
    ASSERT_EQ(PMC_OK, set->init("127.0.0.1", PMC_PROTOCOL_IPV4, 161, 0, nullptr, 300, 0, 0));
    ASSERT_EQ(PMC_OK, set->add_set_binding("1.3.6.1.4.1.99941.8.76.3", "1.5", 1414));
    EXPECT_EQ(PMC_E_RANGE, set->set_data());
    EXPECT_EQ("1.3.6.1.4.1.99941.8.76.3.1.5", responder.requests()[1].names[0]);
    set->release();
}

/* The walk ends with 0 when an answer does not go forward (the rows so far kept), and
 * with 0 and no rows when the first answer lies outside the subtree. */
TEST_F(SessionTest, WalkStopsOnAnswersThatDoNotGoForward)
{
    const char *answers[] = {"1.3.6.1.4.1.99941.1.5", "1.3.6.1.4.1.99941.1.2", "1.3.6.1.4.1.99942.1"};
    start([&answers](const fake::Request &request, int index) {
        const char *name = answers[index < 2 ? index : 2];
        if (request.names[0] == "1.3.6.1.4.1.99943")
            name = "1.3.6.1.4.1.99944";
        return std::vector<fake::Reply>{
            {2, fake::message(request.request_id, 0, 0, {fake::binding(name, fake::integer(index))})}};
    });
    CPmcObjectList *rows = pms_create_result_table(nullptr);
    IPmcGetDataRequest *request = make_request("1.3.6.1.4.1.99941", false);
    EXPECT_EQ(PMC_OK, request->get_data(rows, "1.3.6.1.4.1.99941"));
    EXPECT_EQ(1u, rows->count());
    EXPECT_EQ(2u, responder.requests().size());
    request->release();
    IPmcGetDataRequest *outside = make_request("1.3.6.1.4.1.99943", false);
    CPmcObjectList *none = pms_create_result_table(nullptr);
    EXPECT_EQ(PMC_OK, outside->get_data(none, "1.3.6.1.4.1.99943"));
    EXPECT_EQ(0u, none->count());
    outside->release();
    none->release();
    rows->release();
}

/* Forward is the order of the sub-identifiers as numbers: a walk goes on from index 9 to
 * 10 and from 11 to 105. */
TEST_F(SessionTest, WalkGoesOnAcrossLongerIndexes)
{
    const char *answers[] = {"1.3.6.1.4.1.99941.1.9",
                             "1.3.6.1.4.1.99941.1.10",
                             "1.3.6.1.4.1.99941.1.11",
                             "1.3.6.1.4.1.99941.1.105",
                             "1.3.6.1.4.1.99941.2.1",
                             "1.3.6.1.4.1.99942.1"};
    start([&answers](const fake::Request &request, int index) {
        const char *name = answers[index < 5 ? index : 5];
        return std::vector<fake::Reply>{
            {2, fake::message(request.request_id, 0, 0, {fake::binding(name, fake::integer(index))})}};
    });
    CPmcObjectList *rows = pms_create_result_table(nullptr);
    IPmcGetDataRequest *request = make_request("1.3.6.1.4.1.99941", false);
    EXPECT_EQ(PMC_OK, request->get_data(rows, "1.3.6.1.4.1.99941"));
    EXPECT_EQ(5u, rows->count());
    request->release();
    rows->release();
}

} // namespace

namespace {

/* Discovery answers: sysObjectID values by sender, in the order they are sent. */
std::vector<fake::Reply> discovery_answers(const fake::Request &request)
{
    std::string long_id = "1.3.6.1.4.1.99953.1.11.93.1.33.5.1";
    while (long_id.size() < 70)
        long_id += ".1";
    const std::pair<int, std::string> answers[] = {
        {2, "1.3.6.1.4.1.99953.1.11.93.1.33.5.1"},   /* 7701 */
        {4, "1.3.6.1.4.1.99953.1.11.93.1.33.5.12"},  /* continues the prefix with a digit */
        {3, "1.3.6.1.4.1.99953.1.11.93.1.33.7.1.1"}, /* 7702 */
        {5, "1.3.6.1.4.1.99953.1.11.93.1.34"},       /* unsupported */
        {2, "1.3.6.1.4.1.99953.1.11.93.1.33.5.1"},   /* the same sender again */
        {6, long_id},                                /* does not fit 63 characters */
        {7, "1.3.6.1.4.1.99953.1.11.93.1.33.7.1"},   /* 7702 */
    };
    std::vector<fake::Reply> replies;
    for (const auto &answer : answers) {
        replies.push_back(
            {answer.first,
             fake::message(request.request_id, 0, 0, {fake::binding(request.names[0], fake::oid(answer.second))})});
    }
    return replies;
}

/* All results of the finder as "address model" texts, in the order handed out. */
std::vector<std::string> results_of(CPSWDeviceFinder &finder)
{
    std::vector<std::string> out;
    char address[64], model[64], reserved[64] = "x", id[64];
    while (finder.next(address, model, reserved, id)) {
        out.push_back(std::string(address) + " " + model);
        EXPECT_STREQ("", reserved);
    }
    return out;
}

TEST_F(SessionTest, DiscoveryKeepsSupportedModelsNewestFirst)
{
    start([](const fake::Request &request, int) { return discovery_answers(request); });
    IPSWPluginUSM *usm = pmc_create_plugin_usm(nullptr);
    CPSWDeviceFinder *finder = new CPSWDeviceFinder();
    int32_t count = -1;
    ASSERT_EQ(PMC_OK, finder->setup(PMC_PROTOCOL_IPV4, "255.255.255.255", usm, 300, 0, 0));
    ASSERT_EQ(PMC_OK, finder->collect(PSW_MODEL_TABLE, &count));
    EXPECT_EQ(3, count);
    std::vector<std::string> expected = {
        "127.0.0.7 Tessaly Ornet 7702", "127.0.0.3 Tessaly Ornet 7702", "127.0.0.2 Tessaly Ornet 7701"};
    EXPECT_EQ(expected, results_of(*finder));
    EXPECT_TRUE(results_of(*finder).empty()); /* nothing more until the position is reset */
    finder->reset_position();
    EXPECT_EQ(expected, results_of(*finder));

    /* One filter of row 3's prefix keeps only the 7702 answers. */
    finder->add_filter("1.3.6.1.4.1.99953.1.11.93.1.33.7.1");
    ASSERT_EQ(PMC_OK, finder->setup(PMC_PROTOCOL_IPV4, "255.255.255.255", usm, 300, 0, 0));
    ASSERT_EQ(PMC_OK, finder->collect(PSW_MODEL_TABLE, &count));
    EXPECT_EQ(2, count);
    EXPECT_EQ((std::vector<std::string>{expected[0], expected[1]}), results_of(*finder));
    EXPECT_EQ(PMC_E_ARG, finder->setup(PMC_PROTOCOL_IPV6, "255.255.255.255", usm, 300, 0, 0));
    delete finder;
    usm->release();
}

TEST(DeviceFinder, ModelMatchAndFilterSlots)
{
    EXPECT_STREQ("Tessaly Ornet 7701", psw_match_model(PSW_MODEL_TABLE, "1.3.6.1.4.1.99953.1.11.93.1.33.5.1"));
    EXPECT_STREQ("Tessaly Ornet 7701", psw_match_model(PSW_MODEL_TABLE, "1.3.6.1.4.1.99953.1.11.93.1.33.5.1.9"));
    EXPECT_EQ(nullptr, psw_match_model(PSW_MODEL_TABLE, "1.3.6.1.4.1.99953.1.11.93.1.33.5.10"));
    EXPECT_EQ(nullptr, psw_match_model(PSW_MODEL_TABLE, "1.3.6.1.4.1.99953.1.11.93.1.33"));
    CPSWDeviceFinder finder;
    char address[64];
    EXPECT_FALSE(finder.next(address, nullptr, nullptr, nullptr)); /* no search set up */
    int32_t count = 5;
    EXPECT_EQ(PMC_E_ARG, finder.collect(PSW_MODEL_TABLE, &count));
    EXPECT_EQ(0, count);
}

} // namespace
