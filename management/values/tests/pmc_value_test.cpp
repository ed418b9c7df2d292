/*
 * SNMP value objects: the kind table, text forms, index forms, wrong-kind operations,
 * factories and refused allocations.
 */
#include "management/values/pmc_value.h"

#include <gtest/gtest.h>

#include <string>

#include "management/base/pmc_byte_string.h"
#include "management/base/pmc_status.h"
#include "management/tests/pmc_test_support.h"

namespace {

/* Answers the number of the slot it was called through. */
class SlotVisitor : public IPmsValueVisitor
{
public:
    int visit_oid(IPmsValue *) override
    {
        return 1;
    }
    int visit_octets(IPmsValue *) override
    {
        return 2;
    }
    int visit_integer(IPmsValue *) override
    {
        return 3;
    }
    int visit_null(IPmsValue *) override
    {
        return 4;
    }
    int visit_counter32(IPmsValue *) override
    {
        return 5;
    }
    int visit_gauge32(IPmsValue *) override
    {
        return 6;
    }
    int visit_timeticks(IPmsValue *) override
    {
        return 7;
    }
    int visit_counter64(IPmsValue *) override
    {
        return 8;
    }
    int visit_ip_address(IPmsValue *) override
    {
        return 9;
    }
    int visit_ipv6_address(IPmsValue *) override
    {
        return 10;
    }
    int visit_ipv4_transport(IPmsValue *) override
    {
        return 11;
    }
    int visit_ipx_transport(IPmsValue *) override
    {
        return 12;
    }
    int visit_exception(IPmsValue *) override
    {
        return 13;
    }
};

/* Owns a value for the length of a test. */
struct Value {
    explicit Value(uint32_t tag) : v(pms_create_value(tag, &code)) {}
    Value(const char *text, uint32_t tag) : v(pms_create_value_from_text(text, tag, &code)) {}
    ~Value()
    {
        if (v)
            v->release();
    }
    Value(const Value &) = delete;
    Value &operator=(const Value &) = delete;
    IPmsValue *operator->() const
    {
        return v;
    }
    int code = 1;
    IPmsValue *v;
};

std::string text_of(IPmsValue *value, int *code = nullptr)
{
    int status = 1;
    CPmcByteString *text = value->text(&status);
    std::string out = text && text->data() ? std::string(text->data(), text->length()) : "";
    if (text)
        text->release();
    if (code)
        *code = status;
    return out;
}

std::string oid_text(IPmsOid *oid)
{
    return text_of(oid->value());
}

} // namespace

TEST(PmsValue, KindTable)
{
    struct Case {
        uint32_t tag, length, slot, index_length, implied_index_length;
    } const cases[] = {
        {PMS_TAG_INTEGER, 1, 3, 1, 1},
        {PMS_TAG_OCTET_STRING, 0, 2, 1, 0},
        {PMS_TAG_NULL, 0, 4, 0, 0},
        {PMS_TAG_OID, 0, 1, 1, 0},
        {PMS_TAG_IP_ADDRESS, 4, 9, 5, 4},
        {PMS_TAG_COUNTER32, 1, 5, 1, 1},
        {PMS_TAG_GAUGE32, 1, 6, 1, 1},
        {PMS_TAG_TIMETICKS, 1, 7, 1, 1},
        {PMS_TAG_OPAQUE, 0, 2, 1, 0},
        {PMS_TAG_COUNTER64, 1, 8, 1, 1},
        {PMS_TAG_IPV6_ADDRESS, 16, 10, 17, 16},
        {PMS_TAG_NO_SUCH_OBJECT, 0, 13, 0, 0},
        {PMS_TAG_NO_SUCH_INSTANCE, 0, 13, 0, 0},
        {PMS_TAG_END_OF_MIB_VIEW, 0, 13, 0, 0},
        {PMS_TAG_IPV4_TRANSPORT, 6, 11, 8, 7},
        {PMS_TAG_IPX_TRANSPORT, 12, 12, 14, 13},
    };
    DWORD before = live_blocks();
    SlotVisitor visitor;
    for (const Case &c : cases) {
        Value value(c.tag);
        ASSERT_EQ(PMC_OK, value.code) << c.tag;
        EXPECT_EQ(c.tag, value->tag());
        EXPECT_EQ(c.length, value->length()) << c.tag;
        EXPECT_EQ((int)c.slot, value->accept(&visitor)) << c.tag;
        EXPECT_EQ(c.index_length, value->index_length(false)) << c.tag;
        EXPECT_EQ(c.implied_index_length, value->index_length(true)) << c.tag;
        EXPECT_EQ(c.tag == PMS_TAG_OID, value->as_oid() != nullptr);
        EXPECT_TRUE(value->is_valid());

        /* A clone is of the same kind, equal, and a value of its own. */
        int code = 1;
        IPmsValue *copy = value->clone(&code);
        ASSERT_NE(nullptr, copy);
        EXPECT_EQ(PMC_OK, code);
        EXPECT_EQ(c.tag, copy->tag());
        EXPECT_TRUE(copy->equals(value.v));
        EXPECT_NE(copy, value.v);
        copy->release();
    }
    EXPECT_EQ(before, live_blocks());
}

TEST(PmsValue, PrivateQueryIdentifiers)
{
    Value counter(PMS_TAG_COUNTER32);
    Value exception(PMS_TAG_END_OF_MIB_VIEW);
    void *out = (void *)1;
    counter->query(PMS_QUERY_KIND + PMS_TAG_COUNTER32, &out);
    EXPECT_NE(nullptr, out);
    counter->query(PMS_QUERY_VALUE, &out);
    EXPECT_EQ((void *)counter.v, out);
    counter->query(PMS_QUERY_KIND + PMS_TAG_INTEGER, &out);
    EXPECT_EQ(nullptr, out);
    exception->query(PMS_QUERY_EXCEPTION, &out);
    EXPECT_NE(nullptr, out);
    exception->query(PMS_QUERY_KIND + PMS_TAG_END_OF_MIB_VIEW, &out);
    EXPECT_EQ(nullptr, out);
    counter->query(PMS_QUERY_BASE, nullptr); /* no out pointer: nothing happens */
}

TEST(PmsValue, TextRoundTrips)
{
    struct Case {
        uint32_t tag;
        const char *text, *printed;
    } const cases[] = {
        {PMS_TAG_INTEGER, "-5", "-5"},
        {PMS_TAG_INTEGER, "  +12abc", "12"},
        {PMS_TAG_INTEGER, "x", "0"},
        {PMS_TAG_INTEGER, "-2147483648", "-2147483648"},
        {PMS_TAG_COUNTER32, "4294967295", "4294967295"},
        {PMS_TAG_GAUGE32, "-1", "4294967295"},
        {PMS_TAG_GAUGE32, "99999999999999999999999", "4294967295"},
        {PMS_TAG_TIMETICKS, "100", "100"},
        {PMS_TAG_COUNTER64, "4294967296", "4294967296"},
        {PMS_TAG_COUNTER64, "18446744073709551615", "18446744073709551615"},
        {PMS_TAG_COUNTER64, "", "0"},
        {PMS_TAG_OCTET_STRING, "ab", "ab"},
        {PMS_TAG_OPAQUE, "xyz", "xyz"},
        {PMS_TAG_OID, "1.3.6.1", "1.3.6.1"},
        {PMS_TAG_IP_ADDRESS, "10.1.2.3", "10.1.2.3"},
        {PMS_TAG_IPV6_ADDRESS, "FE80:0000:0:0:0001:02:a:ffff", "fe80:0:0:0:1:2:a:ffff"},
        {PMS_TAG_IPV4_TRANSPORT, "10.0.0.1/161", "10.0.0.1/161"},
        {PMS_TAG_IPX_TRANSPORT, "0a0b0c0d:0102030405ff/8f0f", "0a0b0c0d:0102030405ff/8f0f"},
    };
    for (const Case &c : cases) {
        Value value(c.text, c.tag);
        ASSERT_NE(nullptr, value.v) << c.text;
        int code = 1;
        std::string printed = text_of(value.v, &code);
        EXPECT_EQ(PMC_OK, code);
        if (c.tag == PMS_TAG_IPX_TRANSPORT) {
            /* This form's byte string counts its NUL. */
            ASSERT_EQ(strlen(c.printed) + 1, printed.size());
            printed.pop_back();
        }
        EXPECT_EQ(c.printed, printed) << c.text;
        Value again(printed.c_str(), c.tag);
        ASSERT_NE(nullptr, again.v) << printed;
        EXPECT_TRUE(again->equals(value.v)) << printed;
    }
}

TEST(PmsValue, NumbersOfTheAddressAndCounterKinds)
{
    Value ip("10.1.2.3", PMS_TAG_IP_ADDRESS);
    int code = 1;
    EXPECT_EQ(0x0A010203u, ip->read_unsigned(&code));
    EXPECT_EQ(PMC_OK, code);
    EXPECT_EQ(PMC_OK, ip->set_unsigned(0xC0A80001u));
    EXPECT_EQ("192.168.0.1", text_of(ip.v));

    Value transport("10.0.0.1/161", PMS_TAG_IPV4_TRANSPORT);
    EXPECT_EQ(161, transport->read_u16(&code));
    EXPECT_EQ(PMC_OK, transport->set_u16(0x10000 + 162));
    EXPECT_EQ("10.0.0.1/162", text_of(transport.v));
    EXPECT_EQ(0x0A000001u, transport->read_unsigned(&code));

    Value ipx("00000001:000000000002/8f0f", PMS_TAG_IPX_TRANSPORT);
    EXPECT_EQ(0x8f0f, ipx->read_u16(&code));

    Value c64("4294967296", PMS_TAG_COUNTER64);
    EXPECT_EQ(1u, c64->read_high(&code));
    EXPECT_EQ(0u, c64->read_low(&code));
    EXPECT_EQ(0u, c64->read_unsigned(&code));
    EXPECT_EQ(PMC_OK, c64->set_unsigned(5));
    EXPECT_EQ("5", text_of(c64.v));
    c64->set_high(2);
    c64->set_low(3);
    EXPECT_EQ("8589934595", text_of(c64.v));
}

TEST(PmsValue, RefusedTexts)
{
    struct Case {
        uint32_t tag;
        const char *text, *kept; /* what the value holds after the refusal */
    } const cases[] = {
        {PMS_TAG_IP_ADDRESS, "192.168.0.256", "192.168.0.0"},
        {PMS_TAG_IP_ADDRESS, "1.2.3", "1.2.3.0"},
        {PMS_TAG_IP_ADDRESS, "-1.2.3.4", "0.0.0.0"},
        {PMS_TAG_IPV4_TRANSPORT, "10.0.0.1/65536", "10.0.0.1/0"},
        {PMS_TAG_IPV6_ADDRESS, "fe80::1", "fe80:0:0:0:0:0:0:0"},
        {PMS_TAG_IPX_TRANSPORT, "0a0b0c0d:0102030405ff/10000", nullptr},
        {PMS_TAG_IPX_TRANSPORT, "0a0b0c0d-0102030405ff/1", nullptr},
        {PMS_TAG_COUNTER64, "12a", "0"},
        {PMS_TAG_COUNTER64, "18446744073709551616", "0"},
        {PMS_TAG_COUNTER64, " 1", "0"},
    };
    for (const Case &c : cases) {
        Value value(c.tag);
        EXPECT_EQ(PMC_E_ARG, value->set_text(c.text)) << c.text;
        if (c.kept) {
            EXPECT_EQ(c.kept, text_of(value.v)) << c.text;
        }
        int code = 0;
        EXPECT_EQ(nullptr, pms_create_value_from_text(c.text, c.tag, &code));
        EXPECT_EQ(PMC_E_ARG, code);
    }
    Value number(PMS_TAG_INTEGER);
    EXPECT_EQ(PMC_E_ARG, number->set_text(nullptr));
    Value octets(PMS_TAG_OCTET_STRING);
    octets->set_text("abc");
    EXPECT_EQ(PMC_OK, octets->set_text(nullptr));
    EXPECT_EQ(0u, octets->length());
}

TEST(PmsValue, IndexRoundTrips)
{
    struct Case {
        uint32_t tag;
        const char *text, *index, *implied_index;
    } const cases[] = {
        {PMS_TAG_INTEGER, "7", "7", "7"},
        {PMS_TAG_GAUGE32, "4000000000", "4000000000", "4000000000"},
        {PMS_TAG_TIMETICKS, "3", "3", "3"},
        {PMS_TAG_OCTET_STRING, "ab", "2.97.98", "97.98"},
        {PMS_TAG_OPAQUE, "", "0", ""},
        {PMS_TAG_IP_ADDRESS, "10.1.2.3", "4.10.1.2.3", "10.1.2.3"},
        {PMS_TAG_IPV6_ADDRESS,
         "fe80:0:0:0:0:0:0:1",
         "16.254.128.0.0.0.0.0.0.0.0.0.0.0.0.0.1",
         "254.128.0.0.0.0.0.0.0.0.0.0.0.0.0.1"},
        {PMS_TAG_IPV4_TRANSPORT, "10.0.0.1/161", "1.6.10.0.0.1.0.161", "1.10.0.0.1.0.161"},
        {PMS_TAG_IPX_TRANSPORT,
         "0000000a:000000000001/8f0f",
         "5.12.0.0.0.10.0.0.0.0.0.1.143.15",
         "5.0.0.0.10.0.0.0.0.0.1.143.15"},
        {PMS_TAG_OID, "1.3.6", "3.1.3.6", "1.3.6"},
    };
    DWORD before = live_blocks();
    for (const Case &c : cases) {
        for (bool implied : {false, true}) {
            Value value(c.text, c.tag);
            ASSERT_NE(nullptr, value.v) << c.text;
            IPmsOid *oid = pms_create_oid_from_text("9.9", nullptr);
            ASSERT_EQ(PMC_OK, value->write_as_index(oid, implied)) << c.text;
            EXPECT_EQ(implied ? c.implied_index : c.index, oid_text(oid)) << c.text;
            EXPECT_EQ(value->index_length(implied), oid->value()->length()) << c.text;

            Value back(c.tag);
            back->set_text(c.tag == PMS_TAG_OID ? "7" : nullptr);
            EXPECT_EQ(PMC_OK, back->set_from_index(oid, implied, -1)) << c.text;
            EXPECT_TRUE(back->equals(value.v)) << c.text << " " << implied;

            /* Appending leaves what was there before the index form. */
            oid->value()->set_text("9");
            EXPECT_EQ(PMC_OK, oid->append_index(value.v, implied));
            std::string expected = std::string("9") + ((implied ? c.implied_index : c.index)[0] ? "." : "") +
                                   (implied ? c.implied_index : c.index);
            EXPECT_EQ(expected, oid_text(oid));
            oid->value()->release();
        }
    }
    EXPECT_EQ(before, live_blocks());
}

TEST(PmsValue, RefusedIndexes)
{
    struct Case {
        uint32_t tag;
        const char *index;
        bool implied;
        int code;
    } const cases[] = {
        {PMS_TAG_OCTET_STRING, "4.97.98", false, PMC_E_INDEX},  /* length above the count */
        {PMS_TAG_OCTET_STRING, "3.97.98", false, PMC_E_RANGE},  /* third octet cannot be read */
        {PMS_TAG_OCTET_STRING, "2.97.256", false, PMC_E_INDEX}, /* sub-identifier above 255 */
        {PMS_TAG_OCTET_STRING, "", false, PMC_E_EMPTY},
        {PMS_TAG_IP_ADDRESS, "5.1.2.3.4", false, PMC_E_INDEX}, /* length not the size */
        {PMS_TAG_IP_ADDRESS, "1.2.3.256", true, PMC_E_INDEX},
        {PMS_TAG_IP_ADDRESS, "1.2.3", true, PMC_E_RANGE},
        {PMS_TAG_IPV4_TRANSPORT, "2.6.10.0.0.1.0.161", false, PMC_E_INDEX}, /* type */
        {PMS_TAG_IPV4_TRANSPORT, "1.7.10.0.0.1.0.161", false, PMC_E_INDEX}, /* length */
        {PMS_TAG_IPX_TRANSPORT, "1.0.0.0.10.0.0.0.0.0.1.143.15", true, PMC_E_INDEX},
        {PMS_TAG_OID, "5.1.2", false, PMC_E_INDEX},
        {PMS_TAG_INTEGER, "", false, PMC_E_EMPTY},
        {PMS_TAG_NULL, "1", false, PMC_E_UNSUPPORTED},
        {PMS_TAG_COUNTER64, "1", false, PMC_E_UNSUPPORTED},
        {PMS_TAG_NO_SUCH_OBJECT, "1", false, PMC_E_UNSUPPORTED},
    };
    for (const Case &c : cases) {
        IPmsOid *oid = pms_create_oid_from_text(c.index, nullptr);
        ASSERT_NE(nullptr, oid);
        Value value(c.tag);
        EXPECT_EQ(c.code, value->set_from_index(oid, c.implied, -1)) << c.index;
        int code = 0;
        EXPECT_EQ(nullptr, oid->read_index_of_tag(c.tag, &code, c.implied)) << c.index;
        EXPECT_EQ(c.code, code) << c.index;
        EXPECT_EQ(c.index, oid_text(oid)); /* reading removes nothing */
        oid->value()->release();
    }
    Value octets(PMS_TAG_OCTET_STRING);
    EXPECT_EQ(PMC_E_ARG, octets->set_from_index(nullptr, false, -1));
    EXPECT_EQ(PMC_E_ARG, octets->write_as_index(nullptr, false));
    EXPECT_EQ(PMC_E_ARG, octets->append_as_index(nullptr, false));
}

TEST(PmsValue, ImpliedOctetsTakeCount)
{
    IPmsOid *oid = pms_create_oid_from_text("97.98.99.100", nullptr);
    Value octets(PMS_TAG_OCTET_STRING);
    EXPECT_EQ(PMC_OK, octets->set_from_index(oid, true, 2));
    EXPECT_EQ("ab", text_of(octets.v));
    EXPECT_EQ(PMC_OK, octets->set_from_index(oid, true, 9));
    EXPECT_EQ("abcd", text_of(octets.v));
    oid->value()->release();
}

TEST(PmsValue, WrongKindOperations)
{
    Value null(PMS_TAG_NULL), gauge(PMS_TAG_GAUGE32), integer(PMS_TAG_INTEGER), octets(PMS_TAG_OCTET_STRING),
        c64(PMS_TAG_COUNTER64), exception(PMS_TAG_NO_SUCH_INSTANCE);
    int code = 0;
    EXPECT_EQ(-1, null->read_signed(&code));
    EXPECT_EQ(PMC_E_UNSUPPORTED, code);
    EXPECT_EQ(-1, gauge->read_signed(&code));
    EXPECT_EQ(PMC_E_UNSUPPORTED, code);
    EXPECT_EQ(0xFFFFFFFFu, integer->read_unsigned(&code));
    EXPECT_EQ(PMC_E_UNSUPPORTED, code);
    EXPECT_EQ(0xFFFF, integer->read_u16(&code));
    EXPECT_EQ(PMC_E_UNSUPPORTED, code);
    EXPECT_EQ(0xFFFF, octets->read_u16(&code));
    EXPECT_EQ(0xFFFFFFFFu, octets->read_high(&code));
    EXPECT_EQ(PMC_E_UNSUPPORTED, code);
    EXPECT_EQ(0xFFFFFFFFu, gauge->read_low(&code));
    EXPECT_EQ(PMC_E_UNSUPPORTED, code);
    EXPECT_EQ(0xFFFFFFFFu, null->read_element(0, &code));
    EXPECT_EQ(PMC_E_UNSUPPORTED, code);
    uint32_t length = 0;
    EXPECT_EQ(nullptr, gauge->raw_bytes(&length, &code));
    EXPECT_EQ(PMC_E_UNSUPPORTED, code);
    EXPECT_EQ(nullptr, octets->raw_bytes(nullptr, &code));
    EXPECT_EQ(PMC_E_ARG, code);

    EXPECT_EQ(PMC_E_UNSUPPORTED, gauge->set_signed(1));
    EXPECT_EQ(PMC_E_UNSUPPORTED, integer->set_unsigned(1));
    EXPECT_EQ(PMC_E_UNSUPPORTED, octets->set_unsigned(1));
    EXPECT_EQ(PMC_E_UNSUPPORTED, octets->set_u16(1));
    EXPECT_EQ(PMC_E_UNSUPPORTED, integer->set_high(1));
    EXPECT_EQ(PMC_E_UNSUPPORTED, gauge->set_low(1));
    EXPECT_EQ(PMC_E_UNSUPPORTED, null->set_text("1"));
    EXPECT_EQ(PMC_E_UNSUPPORTED, exception->set_bytes("1", 1));
    int status = 0;
    EXPECT_EQ("", text_of(null.v, &status));
    EXPECT_EQ(PMC_E_UNSUPPORTED, status);
    IPmsOid *oid = pms_create_oid(nullptr);
    EXPECT_EQ(PMC_E_UNSUPPORTED, c64->append_as_index(oid, false));
    EXPECT_EQ(PMC_E_UNSUPPORTED, null->write_as_index(oid, false));
    oid->value()->release();
}

TEST(PmsValue, AssignAndEqualsAcrossKinds)
{
    Value gauge("7", PMS_TAG_GAUGE32), counter("7", PMS_TAG_COUNTER32), other("7", PMS_TAG_COUNTER32);
    EXPECT_EQ(PMC_E_ARG, counter->assign(gauge.v));
    EXPECT_FALSE(counter->equals(gauge.v));
    EXPECT_FALSE(gauge->equals(counter.v));
    EXPECT_TRUE(counter->equals(other.v));
    EXPECT_EQ(PMC_E_ARG, counter->assign(nullptr));
    EXPECT_FALSE(counter->equals(nullptr));

    Value a("ab", PMS_TAG_OCTET_STRING), b("abc", PMS_TAG_OCTET_STRING), opaque("ab", PMS_TAG_OPAQUE);
    EXPECT_FALSE(a->equals(b.v));
    EXPECT_FALSE(a->equals(opaque.v));
    EXPECT_EQ(PMC_OK, a->assign(b.v));
    EXPECT_TRUE(a->equals(b.v));

    Value n1(PMS_TAG_NO_SUCH_OBJECT), n2(PMS_TAG_NO_SUCH_OBJECT), n3(PMS_TAG_END_OF_MIB_VIEW);
    EXPECT_TRUE(n1->equals(n2.v));
    EXPECT_FALSE(n1->equals(n3.v));
    EXPECT_EQ(PMC_E_ARG, n1->assign(n3.v));
}

TEST(PmsValue, ClearAndBytes)
{
    Value ip("10.1.2.3", PMS_TAG_IP_ADDRESS);
    ip->clear();
    EXPECT_EQ("0.0.0.0", text_of(ip.v));
    EXPECT_EQ(4u, ip->length());
    EXPECT_EQ(PMC_E_ARG, ip->set_bytes("\1\2\3", 3));
    EXPECT_EQ(PMC_OK, ip->set_bytes("\1\2\3\4", 4));
    EXPECT_EQ("1.2.3.4", text_of(ip.v));
    int code = 1;
    EXPECT_EQ(4u, ip->read_element(3, &code));
    EXPECT_EQ(0xFFFFFFFFu, ip->read_element(4, &code));
    EXPECT_EQ(PMC_E_ARG, code);

    Value octets(PMS_TAG_OCTET_STRING);
    EXPECT_EQ(PMC_OK, octets->set_bytes("a\0b", 3));
    EXPECT_EQ(3u, octets->length());
    CPmcByteString *raw = octets->raw_text(&code);
    ASSERT_NE(nullptr, raw);
    EXPECT_TRUE(raw->equals("a\0b", 3));
    raw->release();
    EXPECT_EQ(PMC_OK, octets->set_bytes(nullptr, 5));
    EXPECT_EQ(0u, octets->length());
    EXPECT_EQ(PMC_E_ARG, octets->set_bytes_from(nullptr));
    EXPECT_EQ(PMC_E_ARG, octets->write_raw(nullptr));

    Value number("-3", PMS_TAG_INTEGER);
    number->clear();
    EXPECT_EQ(0, number->read_signed(&code));

    /* An empty byte string is the empty text and no bytes. */
    CPmcByteString *empty = pmc_create_byte_string(nullptr);
    EXPECT_EQ(PMC_OK, number->set_text_from(empty));
    Value oid("1.3", PMS_TAG_OID);
    EXPECT_EQ(PMC_OK, oid->set_bytes_from(empty));
    EXPECT_EQ(0u, oid->length());
    empty->assign("42");
    EXPECT_EQ(PMC_OK, number->set_text_from(empty));
    EXPECT_EQ(42, number->read_signed(&code));
    empty->release();
}

TEST(PmsValue, OctetArrayGrowsInStepsOf128)
{
    struct Case {
        uint32_t count, capacity;
    } const cases[] = {{1, 128}, {127, 128}, {128, 256}, {300, 384}};
    for (const Case &c : cases) {
        Value octets(PMS_TAG_OCTET_STRING);
        std::string bytes(c.count, 'z');
        ASSERT_EQ(PMC_OK, octets->set_bytes(bytes.data(), c.count));
        uint32_t length = 0;
        const uint8_t *data = octets->raw_bytes(&length, nullptr);
        EXPECT_EQ(c.capacity, HeapSize(GetProcessHeap(), 0, data)) << c.count;
        /* It never shrinks. */
        octets->set_bytes("a", 1);
        EXPECT_EQ(data, octets->raw_bytes(&length, nullptr));
        EXPECT_EQ(c.capacity, HeapSize(GetProcessHeap(), 0, data));
    }
}

TEST(PmsValue, Factories)
{
    int code = 0;
    EXPECT_EQ(nullptr, pms_create_value(3, &code));
    EXPECT_EQ(PMC_E_ARG, code);
    IPmsValue *number = pms_create_value_from_number(-9, PMS_TAG_INTEGER, &code);
    ASSERT_NE(nullptr, number);
    EXPECT_EQ(-9, number->read_signed(&code));
    number->release();
    EXPECT_EQ(nullptr, pms_create_value_from_number(1, PMS_TAG_GAUGE32, &code));
    EXPECT_EQ(PMC_E_UNSUPPORTED, code);
    EXPECT_EQ(nullptr, pms_create_value_from_text(nullptr, PMS_TAG_INTEGER, &code));
    EXPECT_EQ(PMC_E_ARG, code);
    EXPECT_EQ(nullptr, pms_create_value_from_text("1..3", PMS_TAG_OID, &code));
    EXPECT_EQ(PMC_E_ARG, code);
    EXPECT_EQ(nullptr, pms_create_value_from_text("1", PMS_TAG_NULL, &code));
    EXPECT_EQ(PMC_E_UNSUPPORTED, code);
}

TEST(PmsValue, RefusedAllocations)
{
    DWORD before = live_blocks();
    const uint32_t tags[] = {PMS_TAG_INTEGER,
                             PMS_TAG_OCTET_STRING,
                             PMS_TAG_OID,
                             PMS_TAG_IP_ADDRESS,
                             PMS_TAG_IPV6_ADDRESS,
                             PMS_TAG_IPV4_TRANSPORT,
                             PMS_TAG_IPX_TRANSPORT};
    for (uint32_t tag : tags) {
        int code = 0;
        {
            RefuseAllocations refuse;
            EXPECT_EQ(nullptr, pms_create_value(tag, &code));
            EXPECT_EQ(PMC_E_MEMORY, code);
        }
        IPmsValue *value = pms_create_value(tag, &code);
        ASSERT_NE(nullptr, value);
        value->set_text(tag == PMS_TAG_OID ? "1.3.6" : tag == PMS_TAG_OCTET_STRING ? "abc" : "7");
        if (tag != PMS_TAG_INTEGER) {
            /* The object is made, its bytes or its text are refused. */
            RefuseAllocations refuse(1);
            EXPECT_EQ(nullptr, value->clone(&code)) << tag;
            EXPECT_EQ(PMC_E_MEMORY, code) << tag;
        }
        value->release();
    }
    {
        RefuseAllocations refuse(1);
        int code = 0;
        EXPECT_EQ(nullptr, pms_create_value(PMS_TAG_IP_ADDRESS, &code));
        EXPECT_EQ(PMC_E_MEMORY, code);
    }
    Value a("abc", PMS_TAG_OCTET_STRING), b(std::string(200, 'q').c_str(), PMS_TAG_OCTET_STRING);
    {
        RefuseAllocations refuse;
        EXPECT_EQ(PMC_E_MEMORY, a->assign(b.v));
    }
    EXPECT_EQ("abc", text_of(a.v));
    EXPECT_EQ(before + 4, live_blocks());
}
