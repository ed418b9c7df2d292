/*
 * Object identifiers: relation, validity, prefixes, appending, taking indexes off the
 * front, removing runs and the cached count.
 */
#include "management/values/pmc_value.h"

#include <gtest/gtest.h>

#include <string>

#include "management/base/pmc_byte_string.h"
#include "management/base/pmc_status.h"
#include "management/tests/pmc_test_support.h"

namespace {

/* Owns an identifier for the length of a test. */
struct Oid {
    explicit Oid(const char *text = "") : o(pms_create_oid_from_text(text, nullptr)) {}
    ~Oid()
    {
        if (o)
            o->value()->release();
    }
    Oid(const Oid &) = delete;
    Oid &operator=(const Oid &) = delete;
    IPmsOid *operator->() const
    {
        return o;
    }
    std::string text() const
    {
        uint32_t length = 0;
        const uint8_t *bytes = o->value()->raw_bytes(&length, nullptr);
        return std::string((const char *)bytes, length);
    }
    IPmsOid *o;
};

} // namespace

TEST(PmsOid, Relation)
{
    struct Case {
        const char *self, *other;
        int relation;
    } const cases[] = {
        {"1.3.6.1.2.1.1", "1.3.6.1.2.1.1.5.0", PMS_REL_ANCESTOR},
        {"1.3.6.1.2.1.1.5.0", "1.3.6.1.2.1.1", PMS_REL_INSIDE},
        {"1.10", "1.9", PMS_REL_BEFORE}, /* text order, not numeric order */
        {"1.2", "1.2", PMS_REL_EQUAL},
        {"1.2", "1.23", PMS_REL_BEFORE},
        {"1.23", "1.2", PMS_REL_AFTER},
        {"1.3", "1.2.5", PMS_REL_AFTER},
        {"", "1", PMS_REL_BEFORE},
        {"", "", PMS_REL_EQUAL},
    };
    for (const Case &c : cases) {
        Oid self(c.self), other(c.other);
        int code = 1;
        EXPECT_EQ(c.relation, self->relation(c.other, &code)) << c.self << " " << c.other;
        EXPECT_EQ(PMC_OK, code);
        EXPECT_EQ(c.relation, self->relation(other.o, &code)) << c.self << " " << c.other;
    }
    Oid self("1");
    int code = 0;
    EXPECT_EQ(-1, self->relation((const char *)nullptr, &code));
    EXPECT_EQ(PMC_E_ARG, code);
    EXPECT_EQ(-1, self->relation((IPmsOid *)nullptr, &code));
    EXPECT_EQ(PMC_E_ARG, code);
}

TEST(PmsOid, Validity)
{
    struct Case {
        const char *text;
        bool valid;
    } const cases[] = {{"1.3.6.1", true},
                       {"", true},
                       {"0", true},
                       {"1.0.2", true},
                       {"1..3", false},
                       {".1", false},
                       {"1.", false},
                       {"1.03", false},
                       {"1.a", false},
                       {"00", false},
                       {" 1", false}};
    for (const Case &c : cases) {
        IPmsValue *value = pms_create_value(PMS_TAG_OID, nullptr);
        EXPECT_EQ(PMC_OK, value->set_text(c.text));
        EXPECT_EQ(c.valid, value->is_valid()) << c.text;
        value->release();
        int code = 1;
        IPmsOid *oid = pms_create_oid_from_text(c.text, &code);
        EXPECT_EQ(c.valid, oid != nullptr) << c.text;
        EXPECT_EQ(c.valid ? PMC_OK : PMC_E_ARG, code);
        if (oid)
            oid->value()->release();
    }
}

TEST(PmsOid, StripPrefix)
{
    Oid oid("1.3.6.1.2.1.43.8.2.1.2.1.3");
    EXPECT_EQ(PMC_E_ARG, oid->strip_prefix("1.3.6.2"));
    EXPECT_EQ("1.3.6.1.2.1.43.8.2.1.2.1.3", oid.text());
    EXPECT_EQ(PMC_E_ARG, oid->strip_prefix("1.3.6.1.2.1.43.8.2.1.2.1.30"));
    EXPECT_EQ(PMC_E_ARG, oid->strip_prefix((const char *)nullptr));
    EXPECT_EQ(PMC_OK, oid->strip_prefix("1.3.6.1.2.1.43.8.2.1.2"));
    EXPECT_EQ("1.3", oid.text());
    EXPECT_EQ(2u, oid->value()->length());
    Oid prefix("1.3");
    EXPECT_EQ(PMC_OK, oid->strip_prefix(prefix.o));
    EXPECT_EQ("", oid.text());
    EXPECT_EQ(0u, oid->value()->length());
}

TEST(PmsOid, TakeFirst)
{
    Oid oid("43.1");
    int code = 1;
    EXPECT_EQ(43u, oid->take_first(&code));
    EXPECT_EQ(PMC_OK, code);
    EXPECT_EQ("1", oid.text());
    EXPECT_EQ(1u, oid->take_first(&code));
    EXPECT_EQ("", oid.text());
    EXPECT_EQ(0xFFFFFFFFu, oid->take_first(&code));
    EXPECT_EQ(PMC_E_EMPTY, code);
}

TEST(PmsOid, AppendingAndTheCachedCount)
{
    Oid oid;
    EXPECT_EQ(PMC_OK, oid->append_number(5));
    EXPECT_EQ("5", oid.text());
    EXPECT_EQ(1u, oid->value()->length());
    EXPECT_EQ(PMC_OK, oid->append_text("1.2"));
    EXPECT_EQ("5.1.2", oid.text());
    EXPECT_EQ(3u, oid->value()->length());
    EXPECT_EQ(PMC_OK, oid->append_text(""));
    EXPECT_EQ(PMC_OK, oid->append_text(nullptr));
    Oid other("7.8");
    EXPECT_EQ(PMC_OK, oid->append_oid(other.o));
    EXPECT_EQ("5.1.2.7.8", oid.text());
    EXPECT_EQ(5u, oid->value()->length());
    EXPECT_EQ(PMC_OK, oid->append_oid(oid.o));
    EXPECT_EQ("5.1.2.7.8.5.1.2.7.8", oid.text());
    EXPECT_EQ(10u, oid->value()->length());
    Oid empty;
    EXPECT_EQ(PMC_OK, oid->append_oid(empty.o));
    EXPECT_EQ(PMC_E_ARG, oid->append_oid(nullptr));
    EXPECT_EQ(PMC_OK, oid->append_number(4294967295u));
    EXPECT_EQ(11u, oid->value()->length());
    int code = 1;
    EXPECT_EQ(4294967295u, oid->value()->read_element(10, &code));
    EXPECT_EQ(0xFFFFFFFFu, oid->value()->read_element(11, &code));
    EXPECT_EQ(PMC_E_RANGE, code);
    EXPECT_EQ(5u, oid->value()->read_unsigned(&code));

    oid->value()->set_unsigned(12);
    EXPECT_EQ("12", oid.text());
    EXPECT_EQ(1u, oid->value()->length());
    oid->value()->clear();
    EXPECT_EQ(0u, oid->value()->length());
}

TEST(PmsOid, Remove)
{
    struct Case {
        const char *text;
        uint32_t start, count;
        int code;
        const char *left;
    } const cases[] = {
        {"1.2.3.4", 1, 2, PMC_OK, "1.4"},
        {"1.2.3.4", 0, PMS_NPOS, PMC_OK, ""},
        {"1.2.3.4", 2, PMS_NPOS, PMC_OK, "1.2"},
        {"1.2.3.4", 2, 9, PMC_OK, "1.2"},
        {"1.2.3.4", 0, 1, PMC_OK, "2.3.4"},
        {"10.20.30", 1, 1, PMC_OK, "10.30"},
        {"1.2.3.4", 4, 1, PMC_E_ARG, "1.2.3.4"},
        {"", 0, 1, PMC_E_ARG, ""},
    };
    for (const Case &c : cases) {
        Oid oid(c.text);
        EXPECT_EQ(c.code, oid->remove(c.start, c.count)) << c.text;
        EXPECT_EQ(c.left, oid.text()) << c.text << " " << c.start;
        Oid fresh(c.left);
        EXPECT_EQ(fresh->value()->length(), oid->value()->length()) << c.text;
    }
}

TEST(PmsOid, TakingPrefixes)
{
    Oid oid("1.3.6.1.4");
    int code = 1;
    IPmsOid *prefix = oid->take_prefix(2, &code);
    ASSERT_NE(nullptr, prefix);
    EXPECT_EQ(PMC_OK, code);
    EXPECT_EQ("6.1.4", oid.text());
    EXPECT_EQ(2u, prefix->value()->length());
    prefix->value()->release();

    CPmcByteString *text = oid->take_prefix_text(1, &code);
    ASSERT_NE(nullptr, text);
    EXPECT_TRUE(text->equals("6"));
    text->release();
    EXPECT_EQ("1.4", oid.text());

    /* A value that refuses the text leaves the identifier as it was, and says so. */
    IPmsValue *ip = pms_create_value(PMS_TAG_IP_ADDRESS, nullptr);
    EXPECT_EQ(PMC_E_ARG, oid->take_prefix_into(ip, 2));
    EXPECT_EQ("1.4", oid.text());
    ip->release();

    IPmsValue *number = pms_create_value(PMS_TAG_INTEGER, nullptr);
    EXPECT_EQ(PMC_OK, oid->take_prefix_into(number, 1));
    EXPECT_EQ(1, number->read_signed(nullptr));
    EXPECT_EQ("4", oid.text());
    EXPECT_EQ(PMC_E_ARG, oid->take_prefix_into(nullptr, 1));
    number->release();

    text = oid->take_prefix_text(9, &code); /* more than there are: all of them */
    ASSERT_NE(nullptr, text);
    EXPECT_TRUE(text->equals("4"));
    EXPECT_EQ("", oid.text());
    text->release();
}

TEST(PmsOid, TakingIndexesOffTheFront)
{
    /* A job table row: column, then the job id as a length-prefixed octet string. */
    Oid row("3.2.97.98.7");
    int code = 1;
    EXPECT_EQ(3u, row->take_first(&code));
    IPmsValue *job = row->take_index_of_tag(PMS_TAG_OCTET_STRING, &code, false, -1);
    ASSERT_NE(nullptr, job);
    uint32_t length = 0;
    const char *bytes = (const char *)job->raw_bytes(&length, nullptr);
    EXPECT_EQ(std::string("ab"), std::string(bytes, length));
    EXPECT_EQ("7", row.text());
    job->release();

    Oid implied("97.98.99.5");
    IPmsValue *octets = pms_create_value(PMS_TAG_OCTET_STRING, nullptr);
    EXPECT_EQ(PMC_OK, implied->take_index(octets, true, 2));
    EXPECT_EQ("99.5", implied.text());
    octets->release();

    Oid address("1.6.10.0.0.1.0.161.9");
    IPmsValue *transport = address->take_index_of_tag(PMS_TAG_IPV4_TRANSPORT, &code, false, -1);
    ASSERT_NE(nullptr, transport);
    EXPECT_EQ(161, transport->read_u16(nullptr));
    EXPECT_EQ("9", address.text());
    transport->release();

    Oid broken("4.97.98");
    EXPECT_EQ(nullptr, broken->take_index_of_tag(PMS_TAG_OCTET_STRING, &code, false, -1));
    EXPECT_EQ(PMC_E_INDEX, code);
    EXPECT_EQ("4.97.98", broken.text());
    EXPECT_EQ(PMC_E_ARG, broken->take_index(nullptr, false, -1));
    EXPECT_EQ(PMC_E_ARG, broken->read_index(nullptr, false));
    EXPECT_EQ(PMC_E_ARG, broken->set_to_index(nullptr, false));
}

TEST(PmsOid, AppendIndexText)
{
    /* The instance of a job-cancel SET: column, then the job id as an index. */
    Oid oid("1.3.6.1.4.1.9.5");
    EXPECT_EQ(PMC_OK, oid->append_index_text("ab", PMS_TAG_OCTET_STRING, false));
    EXPECT_EQ("1.3.6.1.4.1.9.5.2.97.98", oid.text());
    EXPECT_EQ(11u, oid->value()->length());
    EXPECT_EQ(PMC_E_ARG, oid->append_index_text(nullptr, PMS_TAG_OCTET_STRING, false));
    EXPECT_EQ(PMC_E_ARG, oid->append_index_text("1", 3, false));
    EXPECT_EQ(PMC_E_ARG, oid->append_index_text("1.2.3.999", PMS_TAG_IP_ADDRESS, false));
    EXPECT_EQ(PMC_E_UNSUPPORTED, oid->append_index_text("1", PMS_TAG_COUNTER64, false));
    EXPECT_EQ("1.3.6.1.4.1.9.5.2.97.98", oid.text());
    IPmsValue *ip = pms_create_value_from_text("10.0.0.1/161", PMS_TAG_IPV4_TRANSPORT, nullptr);
    EXPECT_EQ(PMC_OK, oid->set_to_index(ip, true));
    EXPECT_EQ("1.10.0.0.1.0.161", oid.text());
    ip->release();
}

TEST(PmsOid, RefusedAllocationsKeepTheIdentifier)
{
    DWORD before = live_blocks();
    {
        Oid oid("1.3.6");
        Oid other(std::string(70, '1').c_str());
        RefuseAllocations refuse;
        int code = 0;
        EXPECT_EQ(nullptr, pms_create_oid(&code));
        EXPECT_EQ(PMC_E_MEMORY, code);
        EXPECT_EQ(nullptr, pms_create_oid_from_text("1.2", &code));
        EXPECT_EQ(PMC_E_MEMORY, code);
        EXPECT_EQ(nullptr, oid->clone_oid(&code));
        EXPECT_EQ(PMC_E_MEMORY, code);
        EXPECT_EQ(nullptr, oid->take_prefix(1, &code));
        EXPECT_EQ(PMC_E_MEMORY, code);
        EXPECT_EQ(PMC_E_MEMORY, oid->append_oid(other.o));
        EXPECT_EQ(PMC_E_MEMORY, oid->append_text(std::string(70, '2').c_str()));
        EXPECT_EQ(PMC_E_MEMORY, oid->append_index_text("1", PMS_TAG_INTEGER, false));
        EXPECT_EQ("1.3.6", oid.text());
        EXPECT_EQ(3u, oid->value()->length());
    }
    {
        /* A long index form runs out of room part-way: nothing of it stays. */
        Oid oid("1");
        IPmsValue *octets = pms_create_value(PMS_TAG_OCTET_STRING, nullptr);
        std::string bytes(40, '\xff');
        octets->set_bytes(bytes.data(), 40);
        RefuseAllocations refuse;
        EXPECT_EQ(PMC_E_MEMORY, oid->append_index(octets, false));
        EXPECT_EQ("1", oid.text());
        EXPECT_EQ(1u, oid->value()->length());
        octets->release();
    }
    EXPECT_EQ(before, live_blocks());
}
