/*
 * The SNMPv3 adapter with the packet objects: a PDU becomes a Net-SNMP request and an
 * answer is written back into the PDU and the SNMPv3 target.
 */
#include "management/snmpv3/pmc_snmpv3_packet.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <gtest/gtest.h>

#include "management/base/pmc_byte_string.h"
#include "management/base/pmc_string.h"
#include "management/network/pmc_network_address.h"
#include "management/packets/pmc_packet.h"
#include "management/values/pmc_value.h"
#include "platform/testing/qm_testing.h"

namespace {

class SnmpV3PacketTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(0, pmc_snmpv3_begin());
        pdu = pms_create_pdu(nullptr);
        target = pms_create_usm_target(nullptr);
        ASSERT_NE(nullptr, pdu);
        ASSERT_NE(nullptr, target);
    }
    void TearDown() override
    {
        pdu->release();
        target->release();
        pmc_snmpv3_end();
    }
    void add(const char *name, IPmsValue *value)
    {
        ASSERT_EQ(0, pdu->append_new(pms_create_oid_from_text(name, nullptr), value));
    }
    IPmsPdu *pdu = nullptr;
    IPmsUsmTarget *target = nullptr;
};

TEST_F(SnmpV3PacketTest, PduBecomesRequest)
{
    pdu->set_type(3);
    pdu->set_request_id(9);
    add("1.3.6.1.2.1.1.5.0", pms_create_value_from_text("printer", PMS_TAG_OCTET_STRING, nullptr));
    add("1.3.6.1.2.1.1.7.0", pms_create_value_from_number(72, PMS_TAG_INTEGER, nullptr));
    add("1.3.6.1.2.1.1.1.0", nullptr);
    CPmcSnmpV3Request request;
    ASSERT_EQ(0, pmc_snmpv3_build_from_pdu(&request, pdu, false));
    snmp_pdu *r = request.request();
    EXPECT_EQ(SNMP_MSG_SET, r->command);
    EXPECT_EQ(9, r->reqid);
    netsnmp_variable_list *v = r->variables;
    ASSERT_NE(nullptr, v);
    EXPECT_EQ(ASN_OCTET_STR, v->type);
    EXPECT_EQ(std::string("printer"), std::string((const char *)v->val.string, v->val_len));
    ASSERT_NE(nullptr, v = v->next_variable);
    EXPECT_EQ(ASN_INTEGER, v->type);
    EXPECT_EQ(72, *v->val.integer);
    ASSERT_NE(nullptr, v = v->next_variable);
    EXPECT_EQ(ASN_NULL, v->type);
    EXPECT_EQ(nullptr, v->next_variable);

    add("1.3.6.1.2.1.1.3.0", pms_create_value(PMS_TAG_OPAQUE, nullptr));
    CPmcSnmpV3Request other;
    EXPECT_EQ(-5, pmc_snmpv3_build_from_pdu(&other, pdu, false));
}

TEST_F(SnmpV3PacketTest, AnswerWrittenBack)
{
    add("1.3.6.1.2.1.1.1.0", pms_create_value(PMS_TAG_NULL, nullptr));
    add("1.3.6.1.2.1.1.2.0", pms_create_value(PMS_TAG_NULL, nullptr));
    add("1.3.6.1.2.1.1.3.0", pms_create_value(PMS_TAG_NULL, nullptr));

    snmp_pdu *answer_pdu = snmp_pdu_create(SNMP_MSG_RESPONSE);
    answer_pdu->version = SNMP_VERSION_3;
    answer_pdu->reqid = 9;
    answer_pdu->errstat = 19;
    answer_pdu->securityLevel = SNMP_SEC_LEVEL_AUTHNOPRIV;
    answer_pdu->securityName = strdup("Vdrivers");
    answer_pdu->securityNameLen = 8;
    oid name[] = {1, 3, 6, 1, 2, 1, 1, 5, 0};
    snmp_pdu_add_variable(answer_pdu, name, 9, 196, "abc", 3);
    long gauge = 5;
    snmp_pdu_add_variable(answer_pdu, name, 9, 71, &gauge, sizeof gauge);
    CPmcSnmpV3Answer answer;
    answer.reset(answer_pdu, true);
    ASSERT_EQ(0, pmc_snmpv3_convert_answer(&answer, pdu, target));
    EXPECT_EQ(2, pdu->get_type());
    EXPECT_EQ(9, pdu->get_request_id());
    EXPECT_EQ(100, pdu->get_error_status());
    ASSERT_EQ(2u, pdu->get_list()->count()); /* the surplus binding removed */
    IPmsValue *first = pdu->get_list()->get(0)->get_value();
    EXPECT_EQ(PMS_TAG_OCTET_STRING, first->tag());
    IPmsValue *second = pdu->get_list()->get(1)->get_value();
    EXPECT_EQ(PMS_TAG_GAUGE32, second->tag());
    EXPECT_EQ(5u, second->read_unsigned(nullptr));
    EXPECT_EQ(2, target->get_version());
    EXPECT_EQ(1, target->get_security_level());
    EXPECT_STREQ("Vdrivers", target->get_user_name().data());

    /* A binding is appended for a further variable; an unknown type gives -10. */
    snmp_pdu_add_variable(answer_pdu, name, 9, ASN_OCTET_STR, "x", 1)->type = 0x99;
    EXPECT_EQ(-10, pmc_snmpv3_convert_answer(&answer, pdu, target));
    EXPECT_EQ(3u, pdu->get_list()->count());
    answer_pdu->version = SNMP_VERSION_2c;
    EXPECT_EQ(-2, pmc_snmpv3_convert_answer(&answer, pdu, target));
}

/* A session opens from an SNMPv3 target with its address and engine id; without
 * CryptoAPI an authenticated one fails with -10 first. */
TEST_F(SnmpV3PacketTest, TargetOpensSession)
{
    static const unsigned char engine[] = {0x80, 0x00, 0x1f, 0x88, 0x80, 0x01, 0x02, 0x03, 0x04};
    IPmcNetworkAddress *address = nullptr;
    ASSERT_EQ(0, pmc_make_address("127.0.0.1", 1, 0, &address));
    ASSERT_EQ(0, target->set_address(address));
    address->release();
    target->set_version(2);
    target->set_port(16161);
    target->set_timeout(500);
    ASSERT_EQ(0, target->set_user_name("Vdrivers"));
    target->set_security_level(2);
    target->set_auth_protocol(2);
    target->set_priv_protocol(2);
    ASSERT_EQ(0, target->set_auth_passphrase("maplesyrup"));
    ASSERT_EQ(0, target->set_priv_passphrase("maplesyrup"));
    ASSERT_EQ(0, target->set_engine_id(engine, sizeof engine));
    CPmcSnmpV3Request request;
    ASSERT_EQ(0, pmc_snmpv3_open_target(&request, target, true, nullptr, nullptr));
    EXPECT_STREQ("127.0.0.1:16161", request.session()->peername);
    EXPECT_EQ(500000, request.session()->timeout);

    pmc_crypto_unload();
    qmt_CryptHideExports(TRUE);
    CPmcSnmpV3Request refused;
    EXPECT_EQ(-10, pmc_snmpv3_open_target(&refused, target, true, nullptr, nullptr));
    target->set_security_level(0);
    CPmcSnmpV3Request plain;
    EXPECT_EQ(0, pmc_snmpv3_open_target(&plain, target, true, nullptr, nullptr));
    qmt_CryptHideExports(FALSE);
    pmc_crypto_unload();
}

} // namespace
