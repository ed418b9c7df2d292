/*
 * The codec through the translator registry: encode into a raw buffer sized by the
 * target, decode into a packet and into a caller's PDU and target, and the peek.
 */
#include "management/codec/pmc_trans_stream.h"

#include <gtest/gtest.h>

#include <vector>

#include "management/base/pmc_status.h"
#include "management/codec/pmc_codec.h"
#include "management/codec/pmc_raw_buffer.h"
#include "management/codec/tests/pmc_codec_messages.h"
#include "management/tests/pmc_test_support.h"

namespace {

using Bytes = std::vector<uint8_t>;

class TransStream : public ::testing::Test
{
protected:
    void SetUp() override
    {
        registry = TranslatorRegistry::instance(nullptr);
        ASSERT_NE(nullptr, registry);
        ASSERT_EQ(PMC_OK, registry->register_translator(pmc_trans_stream()));
        pmc_translator_set_packet_hooks(pms_packet_hooks());
    }
    void TearDown() override
    {
        pmc_translator_set_packet_hooks(nullptr);
        TranslatorRegistry::destroy_instance();
    }
    /* received: a buffer holding a copy of `bytes`, as a socket hands it over. */
    static void received(CPmcRawBuffer &buffer, const uint8_t *bytes, uint32_t size)
    {
        ASSERT_EQ(PMC_OK, buffer.allocate(size));
        std::copy(bytes, bytes + size, buffer.data());
    }
    TranslatorRegistry *registry = nullptr;
};

IPmsSnmpPacket *get_request(uint32_t max_size)
{
    IPmsSnmpPacket *packet = pms_create_packet(nullptr);
    IPmsCommunityTarget *target = pms_create_community_target(nullptr);
    target->set_community("public");
    target->set_version(PMS_VERSION_1);
    target->set_max_message_size(max_size);
    packet->set_target(target);
    IPmsPdu *pdu = pms_create_pdu(nullptr);
    pdu->set_type(PMS_PDU_GET);
    pdu->set_request_id(1);
    pdu->append_new(pms_create_oid_from_text("1.3.6.1.2.1.1.5.0", nullptr), nullptr);
    packet->set_pdu(pdu);
    return packet;
}

TEST_F(TransStream, EncodeDecodeAndPeekThroughTheRegistry)
{
    EXPECT_STREQ("TransStream", registry->selected()->name());
    IPmsSnmpPacket *request = get_request(484);
    CPmcRawBuffer buffer;
    uint32_t bindings = 0;
    ASSERT_EQ(PMC_OK, registry->encode(&buffer, request, &bindings));
    EXPECT_EQ(1u, bindings);
    EXPECT_EQ(Bytes(kGetSysName, kGetSysName + sizeof kGetSysName),
              Bytes(buffer.position(), buffer.position() + buffer.remaining()));

    /* The PDU-and-target form writes the same message. */
    CPmcRawBuffer second;
    EXPECT_EQ(PMC_OK, registry->encode(request->get_pdu(), request->get_target(), &second));
    EXPECT_EQ(buffer.remaining(), second.remaining());

    IPmsSnmpPacket *answer = pms_create_packet(nullptr);
    EXPECT_EQ(PMC_OK, registry->decode(&buffer, answer, PMC_MESSAGE_COMMUNITY));
    EXPECT_TRUE(answer->equals(request));

    /* Decoding into the caller's PDU and target. */
    IPmsPdu *pdu = pms_create_pdu(nullptr);
    IPmsCommunityTarget *target = pms_create_community_target(nullptr);
    CPmcRawBuffer response;
    received(response, kV1ResponseError, sizeof kV1ResponseError);
    EXPECT_EQ(PMC_OK, registry->decode(PMC_MESSAGE_COMMUNITY, pdu, target, &response));
    EXPECT_EQ(4u, pdu->get_list()->count());
    EXPECT_STREQ("pub", target->get_community());

    int32_t id = 0, status = 0;
    EXPECT_EQ(PMC_OK, registry->peek(&response, PMC_MESSAGE_COMMUNITY, &id, &status));
    EXPECT_EQ(0x1234, id);
    EXPECT_EQ(2, status);
    EXPECT_EQ(PMC_E_ARG, registry->peek(&response, 3, &id, &status));

    pdu->release();
    target->release();
    answer->release();
    request->release();
}

TEST_F(TransStream, RequestLargerThanTheTargetsMessageSize)
{
    IPmsSnmpPacket *request = get_request(sizeof kGetSysName - 1);
    request->get_pdu()->append_new(pms_create_oid_from_text("1.3.6.1.2.1.1.6.0", nullptr), nullptr);
    CPmcRawBuffer buffer;
    uint32_t bindings = 0;
    EXPECT_EQ(PMC_E_TOO_BIG, registry->encode(&buffer, request, &bindings));
    EXPECT_EQ(2u, bindings); /* both bindings fit; the headers do not */
    request->get_target()->set_max_message_size(20);
    EXPECT_EQ(PMC_E_TOO_BIG, registry->encode(&buffer, request, &bindings));
    EXPECT_EQ(1u, bindings);
    request->release();
}

} // namespace
