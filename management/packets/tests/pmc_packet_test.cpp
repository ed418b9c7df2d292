/*
 * Packets, PDUs, bindings and targets: ownership, deep copies, equality rules, error
 * marks, the target kinds and refused allocations.
 */
#include "management/packets/pmc_packet.h"

#include <gtest/gtest.h>

#include "management/base/pmc_byte_string.h"
#include "management/base/pmc_object_list.h"
#include "management/base/pmc_status.h"
#include "management/base/pmc_string.h"
#include "management/network/pmc_network_address.h"
#include "management/tests/pmc_test_support.h"
#include "management/values/pmc_value.h"

namespace {

IPmsOid *oid(const char *text)
{
    return pms_create_oid_from_text(text, nullptr);
}

IPmsValue *integer(int32_t number)
{
    return pms_create_value_from_number(number, PMS_TAG_INTEGER, nullptr);
}

/* A PDU of `type` with `count` bindings 1.3.6.1.<i> = INTEGER i. */
IPmsPdu *make_pdu(int32_t type, uint32_t count)
{
    IPmsPdu *pdu = pms_create_pdu(nullptr);
    pdu->set_type(type);
    pdu->set_request_id(7);
    for (uint32_t i = 0; i < count; ++i) {
        IPmsOid *name = oid("1.3.6.1");
        name->append_number(i);
        EXPECT_EQ(PMC_OK, pdu->append_new(name, integer((int32_t)i)));
    }
    return pdu;
}

TEST(PmsVarBind, NullValueBecomesNullAndDetachEmpties)
{
    IPmsVarBind *binding = pms_create_var_bind(nullptr);
    EXPECT_EQ(nullptr, binding->get_name());
    EXPECT_EQ(0, binding->get_error_mark());
    EXPECT_EQ(PMC_OK, binding->set(oid("1.3.6"), nullptr));
    ASSERT_NE(nullptr, binding->get_value());
    EXPECT_EQ(PMS_TAG_NULL, binding->get_value()->tag());

    IPmsVarBind *copy = binding->copy(nullptr);
    EXPECT_TRUE(copy->equals(binding));
    copy->set_error_mark(2);
    EXPECT_FALSE(copy->equals(binding));
    EXPECT_FALSE(copy->equals(nullptr));

    IPmsOid *name = nullptr;
    binding->detach(&name, nullptr);
    EXPECT_EQ(nullptr, binding->get_name());
    EXPECT_EQ(nullptr, binding->get_value());
    ASSERT_NE(nullptr, name);
    name->value()->release();
    copy->release();
    binding->release();
}

TEST(PmsVarBindList, RemoveSplitCopyRangeAndErrorMarks)
{
    IPmsPdu *pdu = make_pdu(PMS_PDU_GET, 4);
    IPmsVarBindList *list = pdu->get_list();

    list->set_error_marks(2, 3);
    int32_t marks[4];
    for (uint32_t i = 0; i < 4; ++i)
        marks[i] = list->get(i)->get_error_mark();
    EXPECT_EQ(100, marks[0]);
    EXPECT_EQ(100, marks[1]);
    EXPECT_EQ(2, marks[2]);
    EXPECT_EQ(100, marks[3]);

    int code = 0;
    EXPECT_EQ(nullptr, list->copy_range(4, 1, &code));
    EXPECT_EQ(PMC_E_ARG, code);
    IPmsVarBindList *tail = list->copy_range(2, 10, &code);
    ASSERT_NE(nullptr, tail);
    EXPECT_EQ(2u, tail->count());
    EXPECT_TRUE(tail->get(0)->equals(list->get(2)));

    IPmsVarBindList *front = list->split_off(3);
    EXPECT_EQ(3u, front->count());
    EXPECT_EQ(1u, list->count());
    EXPECT_TRUE(list->get(0)->equals(tail->get(1)));

    EXPECT_EQ(PMC_E_ARG, list->remove(1, nullptr));
    EXPECT_EQ(PMC_OK, list->remove(0, nullptr));
    EXPECT_EQ(0u, list->count());
    EXPECT_EQ(PMC_E_ARG, list->detach_first(nullptr, nullptr));
    EXPECT_EQ(PMC_E_ARG, list->append_new(nullptr, nullptr));
    EXPECT_EQ(PMC_E_ARG, list->append(nullptr));

    IPmsVarBindList *empty = list->copy(&code);
    ASSERT_NE(nullptr, empty);
    EXPECT_EQ(0u, empty->count());
    empty->release();
    front->release();
    tail->release();
    pdu->release();
}

TEST(PmsPdu, EqualityTimeStampAndTrapOid)
{
    IPmsPdu *a = pms_create_pdu(nullptr);
    IPmsPdu *b = pms_create_pdu(nullptr);
    EXPECT_EQ(PMS_PDU_NONE, a->get_type());
    EXPECT_FALSE(a->equals(b)); /* two PDUs of type -1 */

    IPmsValue *ticks = pms_create_value(PMS_TAG_TIMETICKS, nullptr);
    ticks->set_unsigned(5);
    EXPECT_EQ(PMC_OK, a->set_time_stamp(ticks));
    IPmsValue *number = integer(1);
    EXPECT_EQ(PMC_E_ARG, a->set_time_stamp(number));
    EXPECT_EQ(ticks, a->get_time_stamp());
    EXPECT_EQ(PMC_E_ARG, a->set_trap_oid(number));
    number->release();

    IPmsOid *trap = oid("1.3.6.1.6.3.1.1.5.1");
    EXPECT_EQ(PMC_OK, a->set_trap_oid(trap->value()));
    EXPECT_NE(trap, a->get_trap_oid()); /* a copy is kept */
    trap->value()->release();

    a->set_type(PMS_PDU_TRAP);
    a->set_request_id(1);
    EXPECT_EQ(PMC_OK, b->copy_header_from(a));
    b->set_request_id(2); /* traps compare time-stamp and trap OID, not ids */
    EXPECT_TRUE(a->equals(b));
    b->get_time_stamp()->set_unsigned(6);
    EXPECT_FALSE(a->equals(b));

    EXPECT_EQ(PMC_E_FAIL, b->reset());
    EXPECT_EQ(-1, b->get_error_status());
    EXPECT_EQ(nullptr, b->get_time_stamp());
    EXPECT_EQ(nullptr, b->take_first());
    EXPECT_EQ(PMC_E_ARG, b->detach_first(nullptr, nullptr));

    IPmsPdu *get = make_pdu(PMS_PDU_GET, 2);
    IPmsPdu *copy = get->copy(nullptr);
    EXPECT_TRUE(get->equals(copy));
    copy->set_error_index(1);
    EXPECT_FALSE(get->equals(copy));
    EXPECT_EQ(PMC_OK, b->copy_list_from(get));
    EXPECT_TRUE(b->equals(get));
    copy->release();
    get->release();
    a->release();
    b->release();
}

TEST(PmsSnmpTarget, CommunityEqualityAssignAndQuery)
{
    IPmsCommunityTarget *a = pms_create_community_target(nullptr);
    IPmsCommunityTarget *b = pms_create_community_target(nullptr);
    EXPECT_EQ(-1, a->get_version());
    EXPECT_EQ(-1, a->get_timeout());
    EXPECT_EQ(nullptr, a->get_community());
    EXPECT_TRUE(a->equals(b)); /* both without text */
    a->set_community("public");
    b->set_community("public");
    b->set_timeout(900);
    b->set_version(PMS_VERSION_2C);
    EXPECT_TRUE(a->equals(b)); /* common settings are not compared */

    int code = 0;
    int dummy = 0;
    EXPECT_EQ(nullptr, pms_create_community_target(&dummy, &code));
    EXPECT_EQ(PMC_E_ARG, code);

    IPmsUsmTarget *usm = pms_create_usm_target(nullptr);
    usm->set_timeout(1234);
    usm->set_max_message_size(1472);
    EXPECT_EQ(PMC_E_ARG, a->assign(usm));
    EXPECT_EQ(1234, a->get_timeout());
    EXPECT_EQ(1472u, a->get_max_message_size());
    EXPECT_STREQ("public", a->get_community());
    EXPECT_FALSE(a->equals(usm));

    void *out = nullptr;
    a->query(PMS_QUERY_COMMUNITY, &out);
    EXPECT_EQ(static_cast<IPmsCommunityTarget *>(a), out);
    a->query(PMS_QUERY_USM, &out);
    EXPECT_EQ(nullptr, out);
    usm->query(PMS_QUERY_USM_2, &out);
    EXPECT_EQ(static_cast<IPmsUsmTarget *>(usm), out);
    EXPECT_EQ(PMS_TARGET_USM, usm->kind());

    IPmcNetworkAddress *address = nullptr;
    ASSERT_EQ(PMC_OK, pmc_make_address("10.0.0.1", 1, 161, &address));
    EXPECT_EQ(PMC_OK, b->set_address(address));
    EXPECT_NE(address, b->get_address()); /* the target keeps its own copy */
    EXPECT_TRUE(address->equals(b->get_address()));
    EXPECT_TRUE(a->equals(b)); /* addresses are not compared */

    IPmsSnmpTarget *clone = b->clone(&code);
    ASSERT_NE(nullptr, clone);
    EXPECT_EQ(PMS_TARGET_COMMUNITY, clone->kind());
    EXPECT_EQ(900, clone->get_timeout());
    ASSERT_NE(nullptr, clone->get_address());
    EXPECT_TRUE(address->equals(clone->get_address()));
    EXPECT_EQ(PMC_OK, b->set_address(nullptr));
    EXPECT_EQ(nullptr, b->get_address());
    address->release();
    EXPECT_TRUE(clone->equals(a));
    clone->clear();
    EXPECT_FALSE(clone->equals(a));
    clone->release();
    usm->release();
    a->release();
    b->release();
}

TEST(PmsSnmpTarget, UsmFieldsCloneAndLimits)
{
    IPmsUsmTarget *t = pms_create_usm_target(nullptr);
    const char user32[] = "abcdefghijklmnopqrstuvwxyz012345";
    EXPECT_EQ(PMC_OK, t->set_user_name(user32));
    EXPECT_EQ(PMC_E_ARG, t->set_user_name("abcdefghijklmnopqrstuvwxyz0123456"));
    EXPECT_STREQ(user32, t->get_user_name().data());
    t->set_security_level(3);
    t->set_auth_protocol(1);
    t->set_priv_protocol(2);
    t->set_auth_passphrase("auth phrase");
    t->set_priv_passphrase(nullptr);
    t->set_context_name("ctx");
    EXPECT_EQ(PMC_OK, t->set_engine_id("\x80\x00\x1f", 3));

    int code = 0;
    IPmsSnmpTarget *clone = t->clone(&code);
    ASSERT_NE(nullptr, clone);
    EXPECT_TRUE(clone->equals(t));
    IPmsUsmTarget *copy = nullptr;
    clone->query(PMS_QUERY_USM, (void **)&copy);
    ASSERT_NE(nullptr, copy);
    EXPECT_STREQ("ctx", copy->get_context_name().data());
    EXPECT_TRUE(copy->get_engine_id().equals("\x80\x00\x1f", 3));
    copy->set_context_name("");
    EXPECT_FALSE(clone->equals(t));
    EXPECT_EQ(PMC_OK, t->set_engine_id(nullptr, 5));
    EXPECT_EQ(0u, t->get_engine_id().length());
    clone->release();
    t->release();
}

TEST(PmsSnmpPacket, CopyEqualsAndLists)
{
    IPmsSnmpPacket *packet = pms_create_packet(nullptr);
    IPmsSnmpPacket *other = pms_create_packet(nullptr);
    EXPECT_TRUE(packet->equals(other));
    packet->set_pdu(make_pdu(PMS_PDU_GET, 2));
    IPmsCommunityTarget *target = pms_create_community_target(nullptr);
    target->set_community("private");
    packet->set_target(target);
    EXPECT_FALSE(packet->equals(other));
    IPmsSnmpPacket *copy = packet->copy(nullptr);
    EXPECT_TRUE(packet->equals(copy));
    EXPECT_NE(packet->get_pdu(), copy->get_pdu());

    CPmcObjectList *packets = pms_create_packet_list(nullptr);
    CPmcObjectList *table = pms_create_result_table(nullptr);
    EXPECT_EQ(PMC_OK, packets->append(copy));
    EXPECT_EQ(PMC_OK, packets->append(other));
    EXPECT_EQ(PMC_OK, table->append(packet->take_pdu()));
    /* remove_at hands the element out without releasing it. */
    IPmcObjectListIterator *it = packets->create_iterator(nullptr);
    EXPECT_EQ(copy, packets->element_at(it));
    packets->remove_at(it);
    packets->release_iterator(it);
    EXPECT_TRUE(copy->get_target()->equals(target));
    copy->release();
    packets->release(); /* releases `other` */
    table->release();   /* releases the PDU */
    packet->release();
}

/* Every copy and factory answers -3 with allocations refused, leaving nothing behind. */
TEST(PmsPacketObjects, RefusedAllocationsLeaveNothing)
{
    IPmsSnmpPacket *packet = pms_create_packet(nullptr);
    IPmsPdu *pdu = make_pdu(PMS_PDU_TRAP, 3);
    IPmsValue *ticks = pms_create_value(PMS_TAG_TIMETICKS, nullptr);
    pdu->set_time_stamp(ticks);
    IPmsOid *trap = oid("1.3.6.1.4.1.9.0.17");
    pdu->set_trap_oid(trap->value());
    trap->value()->release();
    packet->set_pdu(pdu);
    IPmsUsmTarget *usm = pms_create_usm_target(nullptr);
    usm->set_user_name("user");
    usm->set_auth_passphrase("phrase");
    usm->set_engine_id("\x01\x02", 2);
    packet->set_target(usm);

    for (DWORD after = 0; after < 40; ++after) {
        DWORD before = live_blocks();
        int code = 0;
        IPmsSnmpPacket *copy;
        {
            RefuseAllocations refuse(after);
            copy = packet->copy(&code);
        }
        if (copy) {
            EXPECT_TRUE(copy->equals(packet));
            copy->release();
            EXPECT_EQ(before, live_blocks());
            break;
        }
        EXPECT_EQ(PMC_E_MEMORY, code) << after;
        EXPECT_EQ(before, live_blocks()) << after;
    }
    IPmsOid *name = oid("1.3.6.1.2");
    DWORD before = live_blocks();
    {
        RefuseAllocations refuse;
        int code = 0;
        EXPECT_EQ(nullptr, pms_create_pdu(&code));
        EXPECT_EQ(PMC_E_MEMORY, code);
        EXPECT_EQ(nullptr, pms_create_packet_list(&code));
        EXPECT_EQ(PMC_E_MEMORY, code);
        EXPECT_EQ(nullptr, pms_create_usm_target(&code));
        EXPECT_EQ(PMC_E_MEMORY, code);
        /* The list has room for 8: the ninth binding needs a larger array. */
        for (int i = 0; i < 5; ++i)
            pdu->append(pms_create_var_bind(nullptr));
        EXPECT_EQ(PMC_E_MEMORY, pdu->append_new(name, nullptr));
    }
    EXPECT_EQ(before, live_blocks());
    name->value()->release();
    packet->release();
}

} // namespace
