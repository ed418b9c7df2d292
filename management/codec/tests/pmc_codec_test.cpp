/*
 * The message codec: golden encodings, round trips, the trap conversions, received
 * messages of both versions, malformed input, buffers too small, error marks and the
 * header-only decode, and refused allocations.
 */
#include "management/codec/pmc_codec.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "management/base/pmc_status.h"
#include "management/codec/tests/pmc_codec_messages.h"
#include "management/logging/pmc_log.h"
#include "management/tests/pmc_test_support.h"

namespace {

using Bytes = std::vector<uint8_t>;

/* An output that keeps the lines it is given. */
class LineRecorder : public IPmcLogOutput
{
public:
    int query_interface(const char *, void **out) override
    {
        *out = nullptr;
        return PMC_E_NO_INTERFACE;
    }
    void add_ref() override {}
    int reserved() override
    {
        return PMC_E_UNSUPPORTED;
    }
    void release() override {}
    const char *type_name() override
    {
        return "recording";
    }
    const char *parameter() override
    {
        return "recording";
    }
    int write_line(const char *line) override
    {
        lines.push_back(line);
        return PMC_OK;
    }
    /* has: a line recorded that ends with `text`. */
    bool has(const std::string &text) const
    {
        for (const std::string &line : lines) {
            if (line.size() >= text.size() && line.compare(line.size() - text.size(), text.size(), text) == 0)
                return true;
        }
        return false;
    }
    std::vector<std::string> lines;
};

IPmsOid *oid(const char *text)
{
    return pms_create_oid_from_text(text, nullptr);
}

std::string oid_text(IPmsOid *oid)
{
    uint32_t length = 0;
    const uint8_t *text = oid->value()->raw_bytes(&length, nullptr);
    return std::string((const char *)text, length);
}

/* A packet of a community target ("public", `version`) and a PDU of `type`. */
IPmsSnmpPacket *make_packet(int32_t version, int32_t type, int32_t request_id)
{
    IPmsSnmpPacket *packet = pms_create_packet(nullptr);
    IPmsCommunityTarget *target = pms_create_community_target(nullptr);
    target->set_community("public");
    target->set_version(version);
    packet->set_target(target);
    IPmsPdu *pdu = pms_create_pdu(nullptr);
    pdu->set_type(type);
    pdu->set_request_id(request_id);
    packet->set_pdu(pdu);
    return packet;
}

class Codec : public ::testing::Test
{
protected:
    void SetUp() override
    {
        pmc_log_shutdown();
        IPmcLogger *snmp = pmc_static_logger(PMC_LOGGER_SNMP);
        snmp->add_output(&log);
        snmp->set_level_mask(PMC_LOG_ALL);
    }
    void TearDown() override
    {
        pmc_log_shutdown();
    }

    /* encode: the message of `packet` in a buffer of `size` bytes; status in *code. */
    Bytes encode(IPmsSnmpPacket *packet, uint32_t size = 1472, int *code = nullptr, uint32_t *bindings = nullptr)
    {
        int status = PMC_OK;
        CPmcMessageEncoder *encoder = pmc_create_message_encoder(&status);
        Bytes storage(size);
        uint32_t start = 0;
        if (encoder) {
            status = encoder->encode_bytes(packet, storage.data(), size, &start);
            if (bindings)
                *bindings = encoder->binding_count();
            encoder->release();
        }
        if (code)
            *code = status;
        else
            EXPECT_EQ(PMC_OK, status);
        return status == PMC_OK ? Bytes(storage.begin() + start, storage.end()) : Bytes();
    }

    /* decode: `bytes` into `packet` (kind 0). */
    int decode(const Bytes &bytes, IPmsSnmpPacket *packet, bool header_only = false)
    {
        int code = PMC_OK;
        CPmcMessageDecoder *decoder = pmc_create_message_decoder(&code);
        if (!decoder)
            return code;
        decoder->set_message_kind(PMC_MESSAGE_COMMUNITY);
        decoder->set_header_only(header_only);
        code = decoder->decode_bytes(packet, bytes.data(), (uint32_t)bytes.size());
        decoder->release();
        return code;
    }

    /* encode_value: the element that `value` encodes to (the message's last bytes). */
    Bytes encode_value(IPmsValue *value, int *code = nullptr)
    {
        IPmsSnmpPacket *packet = make_packet(PMS_VERSION_1, PMS_PDU_SET, 1);
        packet->get_pdu()->append_new(oid("1.3"), value);
        Bytes message = encode(packet, 1472, code);
        packet->release();
        IPmsSnmpPacket *bare = make_packet(PMS_VERSION_1, PMS_PDU_SET, 1);
        bare->get_pdu()->append_new(oid("1.3"), pms_create_value(PMS_TAG_NULL, nullptr));
        Bytes reference = encode(bare);
        bare->release();
        /* Both messages share everything before the value; NULL takes two bytes. */
        if (message.empty())
            return message;
        size_t value_length = message.size() - reference.size() + 2;
        return Bytes(message.end() - (long)value_length, message.end());
    }

    LineRecorder log;
};

TEST(BerWriter, LengthFormsAndOverflow)
{
    struct Case {
        uint32_t length;
        Bytes bytes;
    } const cases[] = {
        {127, {0x7F}},
        {128, {0x81, 0x80}},
        {256, {0x82, 0x01, 0x00}},
        {0x01000000, {0x84, 0x01, 0x00, 0x00, 0x00}},
    };
    for (const Case &c : cases) {
        uint8_t storage[8] = {};
        CPmcBerWriter writer(storage, sizeof storage);
        EXPECT_EQ(c.bytes.size(), writer.put_length(c.length));
        EXPECT_EQ(c.bytes, Bytes(storage + writer.offset(), storage + sizeof storage));
        CPmcBerReader reader(storage + writer.offset(), writer.written());
        uint32_t length = 0;
        EXPECT_EQ(PMC_OK, reader.get_length(&length));
        EXPECT_EQ(c.length, length);
    }
    uint8_t guarded[6] = {0xEE, 0, 0, 0, 0, 0xEE};
    CPmcBerWriter writer(guarded + 1, 4);
    writer.put_block("abc", 3);
    writer.put_block("xy", 2); /* one byte left: refused whole */
    EXPECT_TRUE(writer.overflow());
    writer.put_byte('z');
    writer.put_byte('!');
    EXPECT_EQ(0xEE, guarded[0]);
    EXPECT_EQ(0xEE, guarded[5]);
}

TEST_F(Codec, ValueGoldens)
{
    struct Case {
        uint32_t tag;
        int32_t number; /* INTEGER, unsigned kinds */
        uint32_t high;  /* Counter64 */
        Bytes bytes;
    } const cases[] = {
        {PMS_TAG_INTEGER, 128, 0, {0x02, 0x02, 0x00, 0x80}},
        {PMS_TAG_INTEGER, -129, 0, {0x02, 0x02, 0xFF, 0x7F}},
        {PMS_TAG_INTEGER, -1, 0, {0x02, 0x01, 0xFF}},
        {PMS_TAG_INTEGER, -128, 0, {0x02, 0x01, 0x80}},
        {PMS_TAG_INTEGER, 0, 0, {0x02, 0x01, 0x00}},
        {PMS_TAG_INTEGER, INT32_MIN, 0, {0x02, 0x04, 0x80, 0x00, 0x00, 0x00}},
        {PMS_TAG_COUNTER32, -1, 0, {0x41, 0x05, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}},
        {PMS_TAG_GAUGE32, 255, 0, {0x42, 0x02, 0x00, 0xFF}},
        {PMS_TAG_TIMETICKS, 0x7FFFFFFF, 0, {0x43, 0x04, 0x7F, 0xFF, 0xFF, 0xFF}},
        {PMS_TAG_COUNTER64, 0, 1, {0x46, 0x05, 0x01, 0x00, 0x00, 0x00, 0x00}},
        {PMS_TAG_COUNTER64, -1, 0, {0x46, 0x05, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}},
        {PMS_TAG_COUNTER64, -1, 0xFFFFFFFF, {0x46, 0x09, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        {PMS_TAG_NULL, 0, 0, {0x05, 0x00}},
        {PMS_TAG_NO_SUCH_INSTANCE, 0, 0, {0x81, 0x00}},
    };
    for (const Case &c : cases) {
        IPmsValue *value = pms_create_value(c.tag, nullptr);
        if (c.tag == PMS_TAG_INTEGER)
            value->set_signed(c.number);
        else if (c.tag == PMS_TAG_COUNTER64) {
            value->set_high(c.high);
            value->set_low((uint32_t)c.number);
        } else if (c.tag != PMS_TAG_NULL && c.tag != PMS_TAG_NO_SUCH_INSTANCE)
            value->set_unsigned((uint32_t)c.number);
        EXPECT_EQ(c.bytes, encode_value(value)) << "tag " << c.tag << " number " << c.number;
    }
    IPmsValue *text = pms_create_value_from_text("abc", PMS_TAG_OCTET_STRING, nullptr);
    EXPECT_EQ((Bytes{0x04, 0x03, 'a', 'b', 'c'}), encode_value(text));
    EXPECT_EQ((Bytes{0x06, 0x00}), encode_value(pms_create_oid(nullptr)->value()));
    IPmsValue *big = oid("2.999.16384")->value();
    EXPECT_EQ((Bytes{0x06, 0x05, 0x88, 0x37, 0x81, 0x80, 0x00}), encode_value(big));

    int code = 0;
    EXPECT_TRUE(encode_value(oid("1")->value(), &code).empty());
    EXPECT_EQ(PMC_E_ARG, code);
    EXPECT_TRUE(log.has("encode error:oid size is 1."));
    EXPECT_TRUE(encode_value(pms_create_value(PMS_TAG_IPV4_TRANSPORT, nullptr), &code).empty());
    EXPECT_EQ(PMC_E_UNSUPPORTED, code);
}

TEST_F(Codec, GetRequestGoldenAndRoundTrip)
{
    IPmsSnmpPacket *packet = make_packet(PMS_VERSION_1, PMS_PDU_GET, 1);
    packet->get_pdu()->append_new(oid("1.3.6.1.2.1.1.5.0"), nullptr);
    Bytes message = encode(packet);
    EXPECT_EQ(Bytes(kGetSysName, kGetSysName + sizeof kGetSysName), message);

    IPmsSnmpPacket *decoded = pms_create_packet(nullptr);
    EXPECT_EQ(PMC_OK, decode(message, decoded));
    EXPECT_TRUE(decoded->get_pdu()->equals(packet->get_pdu()));
    EXPECT_TRUE(decoded->get_target()->equals(packet->get_target()));
    EXPECT_EQ(PMS_VERSION_1, decoded->get_target()->get_version());

    /* A later decode reuses the bindings and trims the surplus. */
    IPmsPdu *pdu = decoded->get_pdu();
    pdu->append_new(oid("1.3.6.1.9"), nullptr);
    pdu->append_new(oid("1.3.6.1.10"), nullptr);
    IPmsVarBind *first = pdu->get_list()->get(0);
    EXPECT_EQ(PMC_OK, decode(message, decoded));
    EXPECT_EQ(1u, pdu->get_list()->count());
    EXPECT_EQ(first, pdu->get_list()->get(0));
    decoded->release();
    packet->release();
}

TEST_F(Codec, ReceivedResponsesOfBothVersions)
{
    IPmsSnmpPacket *packet = pms_create_packet(nullptr);
    Bytes v2c(kV2cResponseExceptions, kV2cResponseExceptions + sizeof kV2cResponseExceptions);
    ASSERT_EQ(PMC_OK, decode(v2c, packet));
    EXPECT_EQ(PMS_VERSION_2C, packet->get_target()->get_version());
    IPmsVarBindList *list = packet->get_pdu()->get_list();
    ASSERT_EQ(4u, list->count());
    const uint32_t tags[] = {
        PMS_TAG_NO_SUCH_OBJECT, PMS_TAG_NO_SUCH_INSTANCE, PMS_TAG_END_OF_MIB_VIEW, PMS_TAG_COUNTER64};
    for (uint32_t i = 0; i < 4; ++i)
        EXPECT_EQ(tags[i], list->get(i)->get_value()->tag());
    EXPECT_EQ(1u, list->get(3)->get_value()->read_high(nullptr));
    EXPECT_EQ(2u, list->get(3)->get_value()->read_low(nullptr));

    Bytes v1(kV1ResponseError, kV1ResponseError + sizeof kV1ResponseError);
    ASSERT_EQ(PMC_OK, decode(v1, packet));
    IPmsPdu *pdu = packet->get_pdu();
    EXPECT_EQ(PMS_PDU_RESPONSE, pdu->get_type());
    EXPECT_EQ(0x1234, pdu->get_request_id());
    list = pdu->get_list();
    ASSERT_EQ(4u, list->count());
    const int32_t marks[] = {100, 100, 2, 100};
    for (uint32_t i = 0; i < 4; ++i)
        EXPECT_EQ(marks[i], list->get(i)->get_error_mark()) << i;
    EXPECT_EQ("1.3.6.1.2.1.1.3.0", oid_text(list->get(2)->get_name()));
    EXPECT_EQ(-5, list->get(0)->get_value()->read_signed(nullptr));
    IPmsCommunityTarget *community = nullptr;
    packet->get_target()->query(PMS_QUERY_COMMUNITY, (void **)&community);
    ASSERT_NE(nullptr, community);
    EXPECT_STREQ("pub", community->get_community());
    EXPECT_EQ(PMS_VERSION_1, community->get_version());

    Bytes highest = v1;
    highest[18] = 18; /* error-status 18 is the highest accepted */
    EXPECT_EQ(PMC_OK, decode(highest, packet));
    EXPECT_EQ(18, pdu->get_error_status());

    /* The peek: request-id and error-status only, no bindings. */
    IPmsSnmpPacket *peeked = pms_create_packet(nullptr);
    EXPECT_EQ(PMC_OK, decode(v1, peeked, true));
    EXPECT_EQ(0x1234, peeked->get_pdu()->get_request_id());
    EXPECT_EQ(2, peeked->get_pdu()->get_error_status());
    EXPECT_EQ(nullptr, peeked->get_pdu()->get_list());
    peeked->release();
    packet->release();
}

TEST_F(Codec, TrapConversions)
{
    struct Case {
        const uint8_t *message;
        size_t size;
        const char *trap_oid;
    } const cases[] = {
        {kV1TrapGeneric, sizeof kV1TrapGeneric, "1.3.6.1.6.3.1.1.5.0.3"},
        {kV1TrapSpecific, sizeof kV1TrapSpecific, "1.3.6.1.4.1.9.0.17"},
    };
    for (const Case &c : cases) {
        Bytes message(c.message, c.message + c.size);
        IPmsSnmpPacket *packet = pms_create_packet(nullptr);
        ASSERT_EQ(PMC_OK, decode(message, packet));
        IPmsPdu *pdu = packet->get_pdu();
        EXPECT_EQ(PMS_PDU_TRAP, pdu->get_type());
        EXPECT_EQ(c.trap_oid, oid_text(pdu->get_trap_oid()));
        EXPECT_EQ(1000u, pdu->get_time_stamp()->read_unsigned(nullptr));
        /* Encoding inverts it: the same bytes (the agent address is 0.0.0.0 in both). */
        EXPECT_EQ(message, encode(packet));
        packet->release();
    }

    Bytes v2_trap(kV1TrapGeneric, kV1TrapGeneric + sizeof kV1TrapGeneric);
    v2_trap[4] = 1; /* version 2c */
    v2_trap[13] = 0xA7;
    IPmsSnmpPacket *packet = pms_create_packet(nullptr);
    EXPECT_EQ(PMC_E_UNSUPPORTED, decode(v2_trap, packet));
    packet->release();

    packet = make_packet(PMS_VERSION_2C, PMS_PDU_TRAP, 0);
    int code = 0;
    encode(packet, 1472, &code);
    EXPECT_EQ(PMC_E_UNSUPPORTED, code);
    packet->get_target()->set_version(PMS_VERSION_1);
    encode(packet, 1472, &code);
    EXPECT_EQ(PMC_E_ARG, code); /* no trap OID */
    packet->release();
}

TEST_F(Codec, DeclaredLengthShorterOrLonger)
{
    Bytes message(kGetSysName, kGetSysName + sizeof kGetSysName);
    message.push_back(0xFF);
    message.push_back(0x00);
    IPmsSnmpPacket *packet = pms_create_packet(nullptr);
    EXPECT_EQ(PMC_OK, decode(message, packet));
    EXPECT_TRUE(log.has("received packet is redundancy. be cut down."));

    message.resize(sizeof kGetSysName - 1);
    EXPECT_EQ(PMC_E_MALFORMED, decode(message, packet));
    EXPECT_TRUE(log.has("decode error: lack of received packet. can't go on decoding any more."));
    packet->release();
}

/* Every entry is -250 without a crash; the line is the one the decoder names. */
TEST_F(Codec, MalformedMessages)
{
    for (const MalformedMessage &m : kMalformed) {
        log.lines.clear();
        IPmsSnmpPacket *packet = pms_create_packet(nullptr);
        EXPECT_EQ(PMC_E_MALFORMED, decode(Bytes(m.bytes, m.bytes + m.size), packet)) << m.name;
        if (m.line) {
            EXPECT_TRUE(log.has(m.line)) << m.name;
        }
        packet->release();
    }
    for (const SeedMessage &seed : kSeedMessages) {
        for (size_t n = 0; n < seed.size; ++n) {
            IPmsSnmpPacket *packet = pms_create_packet(nullptr);
            EXPECT_EQ(PMC_E_MALFORMED, decode(Bytes(seed.bytes, seed.bytes + n), packet))
                << seed.name << " cut to " << n;
            packet->release();
        }
    }
    IPmsSnmpPacket *packet = pms_create_packet(nullptr);
    CPmcMessageDecoder *decoder = pmc_create_message_decoder(nullptr);
    EXPECT_EQ(PMC_E_ARG, decoder->decode_bytes(packet, kGetSysName, sizeof kGetSysName));
    EXPECT_TRUE(log.has("decode error: unknown translate type."));
    decoder->set_message_kind(1);
    EXPECT_EQ(PMC_E_ARG, decoder->decode_bytes(packet, kGetSysName, sizeof kGetSysName));
    decoder->release();
    packet->release();
}

TEST_F(Codec, MessageTooBigForTheBuffer)
{
    IPmsSnmpPacket *packet = make_packet(PMS_VERSION_1, PMS_PDU_GET, 1);
    for (int i = 0; i < 10; ++i)
        packet->get_pdu()->append_new(oid("1.3.6.1.2.1.43.11.1.1.6.1.1"), nullptr);
    uint32_t full = (uint32_t)encode(packet).size();
    /* Each binding takes 18 bytes and is written first, from the end: 40 bytes short of
     * the whole message leaves room for 9 of them. */
    const uint32_t size = full - 40;
    std::vector<uint8_t> guarded(full + 32, 0xEE);
    CPmcMessageEncoder *encoder = pmc_create_message_encoder(nullptr);
    uint32_t start = 0;
    EXPECT_EQ(PMC_E_TOO_BIG, encoder->encode_bytes(packet, guarded.data() + 16, size, &start));
    EXPECT_EQ(9u, encoder->binding_count());
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(0xEE, guarded[i]);
        EXPECT_EQ(0xEE, guarded[size + 16 + i]);
    }
    /* Bindings that all fit with a header that does not: the count equals the list. */
    EXPECT_EQ(PMC_E_TOO_BIG, encoder->encode_bytes(packet, guarded.data() + 16, full - 2, &start));
    EXPECT_EQ(10u, encoder->binding_count());
    encoder->release();
    packet->release();
}

TEST_F(Codec, RefusedAllocationsLeaveNothing)
{
    Bytes v2c(kV2cResponseExceptions, kV2cResponseExceptions + sizeof kV2cResponseExceptions);
    IPmsSnmpPacket *packet = make_packet(PMS_VERSION_1, PMS_PDU_GET, 1);
    packet->get_pdu()->append_new(oid("1.3.6.1.2.1.1.5.0"), nullptr);
    for (DWORD after = 0; after < 60; ++after) {
        DWORD before = live_blocks();
        int decoded, encoded;
        {
            RefuseAllocations refuse(after);
            IPmsSnmpPacket *target = pms_create_packet(nullptr);
            decoded = target ? decode(v2c, target) : PMC_E_MEMORY;
            if (target)
                target->release();
            encode(packet, 1472, &encoded);
        }
        EXPECT_TRUE(decoded == PMC_OK || decoded == PMC_E_MEMORY) << after << " " << decoded;
        EXPECT_TRUE(encoded == PMC_OK || encoded == PMC_E_MEMORY) << after << " " << encoded;
        EXPECT_EQ(before, live_blocks()) << after;
        if (decoded == PMC_OK && encoded == PMC_OK)
            break;
    }
    packet->release();
}

} // namespace
