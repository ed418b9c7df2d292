/*
 * The SNMPv3 adapter over Net-SNMP: the error map, peer names, session parameters and
 * keys, requests, answers read back, the failure line on "snmp", and the operation scope
 * (fresh, quiet Net-SNMP state for every operation). No agent is needed: sessions are
 * given an engine id with probing off, answers are Net-SNMP PDUs made here.
 */
#include "management/snmpv3/pmc_snmpv3.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "management/logging/pmc_log.h"
#include "platform/testing/qm_testing.h"

namespace {

const unsigned char kEngineId[] = {0x80, 0x00, 0x1f, 0x88, 0x80, 0x01, 0x02, 0x03, 0x04};

/* A spec that opens without an agent: loopback, an engine id, no probing. */
PmcSnmpV3SessionSpec base_spec()
{
    PmcSnmpV3SessionSpec spec = {};
    spec.version = 2;
    spec.retries = 3;
    spec.timeout_ms = 1500;
    spec.user_name = "Vdrivers";
    spec.security_level = 2;
    spec.auth_protocol = 1;
    spec.priv_protocol = 1;
    spec.auth_pass_phrase = "maplesyrup";
    spec.priv_pass_phrase = "maplesyrup";
    spec.engine_id = kEngineId;
    spec.engine_id_length = sizeof kEngineId;
    spec.address_protocol = PMC_V3_IPV4;
    spec.address_text = "127.0.0.1";
    spec.target_port = 16161;
    spec.no_probe = true;
    return spec;
}

std::string read_file(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

/* Every test runs inside one SNMPv3 operation with CryptoAPI offered. */
class SnmpV3Test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        qmt_CryptHideExports(FALSE);
        pmc_crypto_unload();
        ASSERT_EQ(0, pmc_snmpv3_begin());
    }
    void TearDown() override
    {
        pmc_snmpv3_end();
        qmt_CryptHideExports(FALSE);
        pmc_crypto_unload();
    }
};

TEST(SnmpV3Map, ErrorsBySymbol)
{
    struct Case {
        int snmp_error;
        int code;
    } cases[] = {
        {SNMPERR_SUCCESS, 0},
        {SNMPERR_TIMEOUT, -203},
        {SNMPERR_UNKNOWN_ENG_ID, -204},
        {SNMPERR_BAD_RECVFROM, -204},
        {SNMPERR_BAD_SENDTO, -205},
        {SNMPERR_MALLOC, -3},
        {SNMPERR_JUST_A_CONTEXT_PROBE, -200}, /* -66 is no cryptography code in this Net-SNMP */
        {SNMPERR_PROTOCOL, -250},
        {SNMPERR_USM_DECRYPTIONERROR, -250},
        {SNMPERR_USM_PARSEERROR, -250},
        {SNMPERR_UNKNOWN_REPORT, -250},
        {SNMPERR_SC_GENERAL_FAILURE, -250},
        {SNMPERR_BAD_ASN1_BUILD, -250},
        {SNMPERR_USM_AUTHENTICATIONFAILURE, -214},
        {SNMPERR_USM_GENERICERROR, -214},
        {SNMPERR_AUTHENTICATION_FAILURE, -214},
        {SNMPERR_UNKNOWN_USER_NAME, -214},
        {SNMPERR_UNKNOWN_SEC_MODEL, -214},
        {SNMPERR_VAR_TYPE, -2},
        {SNMPERR_BAD_NAME, -2},
        {SNMPERR_USM_ENCRYPTIONERROR, -2},
        {SNMPERR_BAD_SEC_LEVEL, -2},
        {SNMPERR_UNKNOWN_PDU, -2},
        {SNMPERR_NOAUTH_DESPRIV, -2},
        {SNMPERR_BAD_CONTEXT, -2},
        {SNMPERR_BAD_VERSION, -2},
        {SNMPERR_BAD_ADDRESS, -2},
        {SNMPERR_GENERR, -200},
        {SNMPERR_BAD_LOCPORT, -200},
        {SNMPERR_SC_NOT_CONFIGURED, -200},
        {SNMPERR_USM_UNKNOWNENGINEID, -250},
        {-1000, -200},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.code, pmc_snmpv3_map_error(c.snmp_error)) << c.snmp_error;
}

TEST(SnmpV3Map, PeerNames)
{
    struct Case {
        int32_t protocol;
        const char *text;
        uint16_t address_port, target_port;
        const char *peer;
    } cases[] = {
        {PMC_V3_IPV4, "192.168.1.20", 0, 161, "192.168.1.20:161"},
        {PMC_V3_IPV4, "192.168.1.20", 1161, 161, "192.168.1.20:1161"},
        {PMC_V3_IPV4, "192.168.1.20", 0, 0, "192.168.1.20"},
        {PMC_V3_IPV6, "fe80::1", 161, 0, "udp6:[fe80::1]:161"},
        {PMC_V3_IPV6, "fe80::1", 0, 0, "udp6:[fe80::1]"},
        {PMC_V3_IPX, "00000001:0000c0a80114", 0, 36879, "ipx:00000001:0000c0a80114/36879"},
    };
    for (const Case &c : cases) {
        char peer[128];
        ASSERT_EQ(0, pmc_snmpv3_peer_name(c.protocol, c.text, c.address_port, c.target_port, peer, sizeof peer));
        EXPECT_STREQ(c.peer, peer);
    }
    char peer[8];
    EXPECT_EQ(-2, pmc_snmpv3_peer_name(3, "x", 0, 161, peer, sizeof peer));
    EXPECT_EQ(-2, pmc_snmpv3_peer_name(PMC_V3_IPV4, "192.168.100.200", 0, 161, peer, sizeof peer));
}

TEST_F(SnmpV3Test, SessionParametersFromTheTarget)
{
    CPmcSnmpV3Request request;
    PmcSnmpV3SessionSpec spec = base_spec();
    spec.context_name = "printer";
    snmp_session s;
    ASSERT_EQ(0, request.fill_session(spec, &s));
    EXPECT_EQ(SNMP_VERSION_3, s.version);
    EXPECT_EQ(3, s.retries);
    EXPECT_EQ(1500000, s.timeout);
    EXPECT_EQ(std::string("Vdrivers"), std::string(s.securityName, s.securityNameLen));
    EXPECT_EQ(SNMP_SEC_LEVEL_AUTHPRIV, s.securityLevel);
    EXPECT_EQ(0, snmp_oid_compare(s.securityAuthProto, s.securityAuthProtoLen, usmHMACMD5AuthProtocol, 10));
    EXPECT_EQ(0, snmp_oid_compare(s.securityPrivProto, s.securityPrivProtoLen, usmDESPrivProtocol, 10));
    /* Ku of RFC 3414 A.3.1, the privacy key with the authentication hash. */
    const unsigned char ku[] = {
        0x9f, 0xaf, 0x32, 0x83, 0x88, 0x4e, 0x92, 0x83, 0x4e, 0xbc, 0x98, 0x47, 0xd8, 0xed, 0xd9, 0x63};
    ASSERT_EQ(16u, s.securityAuthKeyLen);
    EXPECT_EQ(0, std::memcmp(ku, s.securityAuthKey, 16));
    ASSERT_EQ(16u, s.securityPrivKeyLen);
    EXPECT_EQ(0, std::memcmp(ku, s.securityPrivKey, 16));
    EXPECT_EQ(std::string("printer"), std::string(s.contextName, s.contextNameLen));
    EXPECT_EQ(std::string((const char *)kEngineId, sizeof kEngineId),
              std::string((const char *)s.securityEngineID, s.securityEngineIDLen));
    EXPECT_STREQ("127.0.0.1:16161", s.peername);
    EXPECT_TRUE(s.flags & SNMP_FLAGS_DONT_PROBE);

    spec.auth_protocol = 2;
    spec.priv_protocol = 2;
    spec.security_level = 1;
    ASSERT_EQ(0, request.fill_session(spec, &s));
    EXPECT_EQ(SNMP_SEC_LEVEL_AUTHNOPRIV, s.securityLevel);
    EXPECT_EQ(0, snmp_oid_compare(s.securityAuthProto, s.securityAuthProtoLen, usmHMACSHA1AuthProtocol, 10));
    EXPECT_EQ(20u, s.securityAuthKeyLen);
    EXPECT_EQ(nullptr, s.securityPrivProto); /* privacy only for authPriv */

    spec.security_level = 0;
    ASSERT_EQ(0, request.fill_session(spec, &s));
    EXPECT_EQ(SNMP_SEC_LEVEL_NOAUTH, s.securityLevel);
    EXPECT_EQ(nullptr, s.securityAuthProto);
    EXPECT_EQ(0u, s.securityAuthKeyLen);

    spec.security_level = 2;
    spec.auth_pass_phrase = "";
    spec.priv_pass_phrase = nullptr;
    ASSERT_EQ(0, request.fill_session(spec, &s));
    EXPECT_EQ(0u, s.securityAuthKeyLen);
    EXPECT_EQ(0u, s.securityPrivKeyLen);
}

TEST_F(SnmpV3Test, RefusedSessionParameters)
{
    struct Case {
        const char *why;
        void (*change)(PmcSnmpV3SessionSpec *);
    } cases[] = {
        {"version 0", [](PmcSnmpV3SessionSpec *s) { s->version = 0; }},
        {"version 1", [](PmcSnmpV3SessionSpec *s) { s->version = 1; }},
        {"33-character user", [](PmcSnmpV3SessionSpec *s) { s->user_name = "abcdefghijklmnopqrstuvwxyz0123456"; }},
        {"level 3", [](PmcSnmpV3SessionSpec *s) { s->security_level = 3; }},
        {"level -1", [](PmcSnmpV3SessionSpec *s) { s->security_level = -1; }},
        {"auth 0", [](PmcSnmpV3SessionSpec *s) { s->auth_protocol = 0; }},
        {"auth 3", [](PmcSnmpV3SessionSpec *s) { s->auth_protocol = 3; }},
        {"priv 3", [](PmcSnmpV3SessionSpec *s) { s->priv_protocol = 3; }},
        {"protocol 3", [](PmcSnmpV3SessionSpec *s) { s->address_protocol = 3; }},
    };
    for (const Case &c : cases) {
        PmcSnmpV3SessionSpec spec = base_spec();
        c.change(&spec);
        CPmcSnmpV3Request request;
        EXPECT_EQ(-2, request.open(spec)) << c.why;
        EXPECT_EQ(nullptr, request.session());
    }
    /* A 32-character user, and priv out of range without privacy, are fine. */
    PmcSnmpV3SessionSpec spec = base_spec();
    spec.user_name = "abcdefghijklmnopqrstuvwxyz012345";
    spec.security_level = 1;
    spec.priv_protocol = 9;
    CPmcSnmpV3Request request;
    EXPECT_EQ(0, request.open(spec));
}

/* Without CryptoAPI, levels 1 and 2 fail with -10 before anything is sent; level 0 opens. */
TEST_F(SnmpV3Test, WithoutCryptographyOnlyNoAuthOpens)
{
    pmc_crypto_unload();
    qmt_CryptHideExports(TRUE);
    for (int level : {1, 2}) {
        PmcSnmpV3SessionSpec spec = base_spec();
        spec.security_level = level;
        CPmcSnmpV3Request request;
        EXPECT_EQ(-10, request.open(spec)) << level;
        EXPECT_EQ(nullptr, request.session());
    }
    PmcSnmpV3SessionSpec spec = base_spec();
    spec.security_level = 0;
    CPmcSnmpV3Request request;
    EXPECT_EQ(0, request.open(spec));
}

TEST_F(SnmpV3Test, RequestTypesAndBindings)
{
    struct TypeCase {
        int32_t type;
        int command;
    } types[] = {{0, SNMP_MSG_GET}, {1, SNMP_MSG_GETNEXT}, {3, SNMP_MSG_SET}, {4, SNMP_MSG_TRAP2}};
    for (const TypeCase &t : types) {
        CPmcSnmpV3Request request;
        ASSERT_EQ(0, request.build(t.type, 77, false));
        EXPECT_EQ(t.command, request.request()->command);
        EXPECT_EQ(77, request.request()->reqid);
    }
    CPmcSnmpV3Request other;
    EXPECT_EQ(-2, other.build(2, 1, false));

    CPmcSnmpV3Request request;
    ASSERT_EQ(0, request.build(3, 5, false));
    struct BindCase {
        int kind;
        const char *value;
        u_char type;
    } binds[] = {
        {PMC_V3_OID, "1.3.6.1.2.1.1.2.0", ASN_OBJECT_ID},
        {PMC_V3_OCTETS, "text", ASN_OCTET_STR},
        {PMC_V3_OCTETS, nullptr, ASN_OCTET_STR},
        {PMC_V3_INTEGER, "-7", ASN_INTEGER},
        {PMC_V3_NULL, nullptr, ASN_NULL},
        {PMC_V3_COUNTER32, "9", ASN_COUNTER},
        {PMC_V3_GAUGE32, "10", ASN_GAUGE},
        {PMC_V3_TIMETICKS, "11", ASN_TIMETICKS},
        {PMC_V3_COUNTER64, "12", ASN_COUNTER64},
        {PMC_V3_IPADDRESS, "10.0.0.1", ASN_IPADDRESS},
    };
    for (const BindCase &b : binds)
        ASSERT_EQ(0, request.add_binding("1.3.6.1.2.1.1.5.0", b.kind, b.value)) << b.kind;
    size_t i = 0;
    for (netsnmp_variable_list *v = request.request()->variables; v; v = v->next_variable, ++i) {
        ASSERT_LT(i, sizeof binds / sizeof binds[0]);
        EXPECT_EQ(binds[i].type, v->type) << i;
        EXPECT_EQ(9u, v->name_length);
    }
    EXPECT_EQ(sizeof binds / sizeof binds[0], i);
    EXPECT_EQ(-7, *request.request()->variables->next_variable->next_variable->next_variable->val.integer);

    EXPECT_EQ(-5, request.add_binding("1.3.6.1.2.1.1.5.0", 68, "x"));
    EXPECT_EQ(-2, request.add_binding("no.such..oid", PMC_V3_OCTETS, "x"));
    /* Net-SNMP answers a number text it can't read with its range error, which the map
     * leaves to the general code. */
    EXPECT_EQ(-200, request.add_binding("1.3.6.1.2.1.1.5.0", PMC_V3_INTEGER, "not a number"));
}

/* An unparsable OID fails before anything is sent, with the failure line on "snmp". */
TEST_F(SnmpV3Test, FailureLineOnTheSnmpLogger)
{
    std::string path = std::string(getenv("QM_ROOT")) + "/snmp.log";
    IPmcLogManager *manager = pmc_get_log_manager(nullptr);
    ASSERT_NE(nullptr, manager);
    IPmcLogOutput *output = manager->get_output("file", path.c_str());
    IPmcLogger *logger = pmc_static_logger(PMC_LOGGER_SNMP);
    ASSERT_EQ(0, logger->add_output(output));
    logger->set_level_mask(PMC_LOG_ALL);

    CPmcSnmpV3Request request;
    ASSERT_EQ(0, request.build(0, 1, false));
    EXPECT_EQ(-2, request.add_binding("1.3.6.1.bad", PMC_V3_NULL, nullptr));
    pmc_snmpv3_log_failure("snmp_open", 0, -24, "Timeout");
    pmc_snmpv3_log_failure("snmp_open", 11, -24, nullptr);
    pmc_snmpv3_log_failure("snmp_open", 11, -24, "Timeout");
    std::string text = read_file(path);
    EXPECT_NE(std::string::npos, text.find("Error, snmp_parse_oid(): ErrNo = ")) << text;
    size_t unknown = text.find("Error, snmp_open(): unknown\r\n");
    ASSERT_NE(std::string::npos, unknown) << text;
    EXPECT_NE(std::string::npos, text.find("Error, snmp_open(): unknown\r\n", unknown + 1)) << text;
    EXPECT_NE(std::string::npos, text.find("Error, snmp_open(): ErrNo = 11, SnmpErrNo = -24, Timeout\r\n")) << text;
    pmc_log_shutdown();
}

TEST_F(SnmpV3Test, ProbeRequest)
{
    CPmcSnmpV3Request request;
    ASSERT_EQ(0, request.build(0, 1, true));
    snmp_pdu *pdu = request.request();
    EXPECT_EQ(SNMP_MSG_GET, pdu->command);
    EXPECT_EQ(SNMP_VERSION_3, pdu->version);
    EXPECT_EQ(0u, pdu->securityNameLen);
    EXPECT_EQ(SNMP_SEC_LEVEL_NOAUTH, pdu->securityLevel);
    EXPECT_EQ(SNMP_SEC_MODEL_USM, pdu->securityModel);
    EXPECT_EQ(nullptr, pdu->variables);
}

TEST_F(SnmpV3Test, AnswerIsReadBack)
{
    snmp_pdu *pdu = snmp_pdu_create(SNMP_MSG_RESPONSE);
    pdu->version = SNMP_VERSION_3;
    pdu->reqid = 42;
    pdu->errstat = 19;
    pdu->errindex = 2;
    pdu->securityLevel = SNMP_SEC_LEVEL_AUTHPRIV;
    pdu->securityName = strdup("Vdrivers");
    pdu->securityNameLen = 8;
    oid name[] = {1, 3, 6, 1, 2, 1, 1, 5, 0};
    snmp_pdu_add_variable(pdu, name, 9, 196, "abc", 3);
    long gauge = 5;
    snmp_pdu_add_variable(pdu, name, 9, 71, &gauge, sizeof gauge);
    snmp_pdu_add_variable(pdu, name, 9, ASN_OCTET_STR, "x", 1)->type = 0x99;
    long integer = -4;
    snmp_pdu_add_variable(pdu, name, 9, ASN_INTEGER, &integer, sizeof integer);

    CPmcSnmpV3Answer answer;
    answer.reset(pdu, true);
    EXPECT_TRUE(answer.is_v3());
    EXPECT_EQ(2, answer.pdu_type());
    EXPECT_EQ(42, answer.request_id());
    EXPECT_EQ(100, answer.error_status());
    EXPECT_EQ(2, answer.error_index());
    EXPECT_EQ(2, answer.security_level());
    char user[40];
    answer.security_name(user, sizeof user);
    EXPECT_STREQ("Vdrivers", user);
    EXPECT_STREQ("", answer.responder());
    ASSERT_EQ(4u, answer.variable_count());
    PmcSnmpV3Variable v;
    ASSERT_EQ(0, answer.variable(0, &v));
    EXPECT_EQ(4, v.tag);
    EXPECT_EQ(std::string("abc"), std::string((const char *)v.bytes, v.byte_length));
    EXPECT_EQ(9u, v.name_length);
    ASSERT_EQ(0, answer.variable(1, &v));
    EXPECT_EQ(66, v.tag);
    EXPECT_EQ(5u, v.number);
    ASSERT_EQ(0, answer.variable(2, &v));
    EXPECT_EQ(-10, v.tag);
    ASSERT_EQ(0, answer.variable(3, &v));
    EXPECT_EQ(2, v.tag);
    EXPECT_EQ(-4, v.integer);
    EXPECT_EQ(-2, answer.variable(4, &v));

    struct TypeCase {
        int command;
        int32_t type;
    } types[] = {{SNMP_MSG_GET, 0},
                 {SNMP_MSG_GETNEXT, 1},
                 {SNMP_MSG_SET, 3},
                 {SNMP_MSG_GETBULK, 5},
                 {SNMP_MSG_INFORM, 6},
                 {SNMP_MSG_TRAP2, 4},
                 {SNMP_MSG_REPORT, 8},
                 {SNMP_MSG_TRAP, -1}};
    for (const TypeCase &t : types) {
        pdu->command = t.command;
        EXPECT_EQ(t.type, answer.pdu_type()) << t.command;
    }
    for (int level : {0, 4}) {
        pdu->securityLevel = level;
        EXPECT_EQ(-2, answer.security_level());
    }
    pdu->errstat = 18;
    EXPECT_EQ(18, answer.error_status());
}

/* The responder's address is read from the answer's transport data, printed numerically. */
TEST_F(SnmpV3Test, ResponderAddress)
{
    struct sockaddr_in6 v6 = {};
    v6.sin6_family = AF_INET6;
    v6.sin6_addr.s6_addr[0] = 0xfe;
    v6.sin6_addr.s6_addr[1] = 0x80;
    v6.sin6_addr.s6_addr[15] = 1;
    v6.sin6_scope_id = 4;
    struct sockaddr_in v4 = {};
    v4.sin_family = AF_INET;
    v4.sin_addr.s_addr = htonl(0xc0a80114);
    struct Case {
        const void *address;
        size_t length;
        const char *text;
    } cases[] = {
        {&v4, sizeof v4, "192.168.1.20"},
        {&v6, sizeof v6, "fe80:0000:0000:0000:0000:0000:0000:0001%4"},
        {&v6, sizeof v4, ""},
    };
    for (const Case &c : cases) {
        snmp_pdu *pdu = snmp_pdu_create(SNMP_MSG_RESPONSE);
        pdu->transport_data = malloc(c.length);
        std::memcpy(pdu->transport_data, c.address, c.length);
        pdu->transport_data_length = (int)c.length;
        CPmcSnmpV3Answer answer;
        answer.reset(pdu, true);
        EXPECT_STREQ(c.text, answer.responder());
    }
}

} // namespace

/* Operations print nothing, write no file, and each starts from fresh Net-SNMP state. */
TEST(SnmpV3Operation, QuietAndFreshEveryTime)
{
    std::string home = std::string(getenv("QM_ROOT")) + "/home";
    ASSERT_EQ(0, mkdir(home.c_str(), 0700));
    std::string saved_home = getenv("HOME") ? getenv("HOME") : "";
    setenv("HOME", home.c_str(), 1);
    std::string err_path = std::string(getenv("QM_ROOT")) + "/stderr.txt";
    int err = open(err_path.c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0600);
    int saved_err = dup(2);
    dup2(err, 2);
    for (int round = 0; round < 2; ++round) {
        CPmcSnmpV3Operation operation;
        ASSERT_EQ(0, operation.status());
        EXPECT_EQ(nullptr, usm_get_userList()) << round;
        CPmcSnmpV3Request request;
        ASSERT_EQ(0, request.open(base_spec()));
        EXPECT_NE(nullptr, usm_get_userList()); /* the session's user is known until the end */
        CPmcSnmpV3Request bad;
        ASSERT_EQ(0, bad.build(0, 1, false));
        EXPECT_EQ(-2, bad.add_binding("not-an-oid", PMC_V3_NULL, nullptr));
    }
    fflush(stderr);
    dup2(saved_err, 2);
    close(saved_err);
    close(err);
    setenv("HOME", saved_home.c_str(), 1);
    EXPECT_EQ("", read_file(err_path));
    struct stat st;
    EXPECT_NE(0, stat((home + "/.snmp").c_str(), &st));
}

/* Concurrent callers are serialised: each operation sees only its own session's user. */
TEST(SnmpV3Operation, ConcurrentCallersDoNotMeet)
{
    std::atomic<int> failures{0};
    auto work = [&failures](const char *user) {
        for (int round = 0; round < 3; ++round) {
            CPmcSnmpV3Operation operation;
            if (operation.status() != 0 || usm_get_userList() != nullptr)
                ++failures;
            PmcSnmpV3SessionSpec spec = base_spec();
            spec.user_name = user;
            spec.security_level = 0;
            CPmcSnmpV3Request request;
            if (request.open(spec) != 0)
                ++failures;
            struct usmUser *users = usm_get_userList();
            if (!users || users->next || std::strcmp(users->name, user) != 0)
                ++failures;
        }
    };
    std::thread first(work, "first");
    std::thread second(work, "second");
    first.join();
    second.join();
    EXPECT_EQ(0, failures.load());
}

/* Without advapi32 an operation does not start (and holds no lock); it starts again later. */
TEST(SnmpV3Operation, MissingAdvapiStopsTheStart)
{
    pmc_crypto_unload();
    qmt_FailModuleLoad(TEXT("advapi32.dll"));
    {
        CPmcSnmpV3Operation operation;
        EXPECT_EQ(-10, operation.status());
    }
    qmt_FailModuleLoad(nullptr);
    CPmcSnmpV3Operation operation;
    EXPECT_EQ(0, operation.status());
}
