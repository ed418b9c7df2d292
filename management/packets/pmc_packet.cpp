/*
 * IPmsSnmpPacket: a PDU and a target; and the packet list and result table, object lists
 * that take the packets and PDUs added to them.
 */
#include "management/packets/pmc_packet_private.h"

#include "management/base/pmc_object_list.h"
#include "management/base/pmc_status.h"
#include "management/values/pmc_value.h"

class CPmsSnmpPacket : public CPmcHeapObject, public IPmsSnmpPacket
{
public:
    CPmsSnmpPacket() = default;
    CPmsSnmpPacket(const CPmsSnmpPacket &) = delete;
    CPmsSnmpPacket &operator=(const CPmsSnmpPacket &) = delete;

    void release() override
    {
        delete this;
    }
    IPmsSnmpPacket *copy(int *code) override;
    bool equals(IPmsSnmpPacket *other) override;
    void set_target(IPmsSnmpTarget *target) override;
    void set_pdu(IPmsPdu *pdu) override;
    IPmsSnmpTarget *take_target() override;
    IPmsPdu *take_pdu() override;
    IPmsSnmpTarget *get_target() override
    {
        return m_target;
    }
    IPmsPdu *get_pdu() override
    {
        return m_pdu;
    }

private:
    virtual ~CPmsSnmpPacket();

    IPmsPdu *m_pdu = nullptr;
    IPmsSnmpTarget *m_target = nullptr;
};

CPmsSnmpPacket::~CPmsSnmpPacket()
{
    set_pdu(nullptr);
    set_target(nullptr);
}

IPmsSnmpPacket *pms_create_packet(int *code)
{
    CPmsSnmpPacket *packet = new CPmsSnmpPacket();
    pms_set_code(code, packet ? PMC_OK : PMC_E_MEMORY);
    return packet;
}

IPmsSnmpPacket *CPmsSnmpPacket::copy(int *code)
{
    CPmsSnmpPacket *copy = new CPmsSnmpPacket();
    int status = copy ? PMC_OK : PMC_E_MEMORY;
    if (copy && m_pdu)
        copy->m_pdu = m_pdu->copy(&status);
    if (status == PMC_OK && m_target)
        copy->m_target = m_target->clone(&status);
    return pms_finish<IPmsSnmpPacket>(copy, status, code);
}

bool CPmsSnmpPacket::equals(IPmsSnmpPacket *other)
{
    if (!other)
        return false;
    IPmsPdu *pdu = other->get_pdu();
    IPmsSnmpTarget *target = other->get_target();
    bool pdus = m_pdu && pdu ? m_pdu->equals(pdu) : !m_pdu && !pdu;
    bool targets = m_target && target ? m_target->equals(target) : !m_target && !target;
    return pdus && targets;
}

void CPmsSnmpPacket::set_target(IPmsSnmpTarget *target)
{
    if (m_target && m_target != target)
        m_target->release();
    m_target = target;
}

void CPmsSnmpPacket::set_pdu(IPmsPdu *pdu)
{
    if (m_pdu && m_pdu != pdu)
        m_pdu->release();
    m_pdu = pdu;
}

IPmsSnmpTarget *CPmsSnmpPacket::take_target()
{
    IPmsSnmpTarget *target = m_target;
    m_target = nullptr;
    return target;
}

IPmsPdu *CPmsSnmpPacket::take_pdu()
{
    IPmsPdu *pdu = m_pdu;
    m_pdu = nullptr;
    return pdu;
}

/* Both lists keep the pointer given and release it when they drop it. */
static void *take_element(void *element)
{
    return element;
}

static void release_packet(void *element)
{
    static_cast<IPmsSnmpPacket *>(element)->release();
}

static void release_pdu(void *element)
{
    static_cast<IPmsPdu *>(element)->release();
}

static const CPmcListPolicy s_packet_policy = {take_element, release_packet};
static const CPmcListPolicy s_pdu_policy = {take_element, release_pdu};

CPmcObjectList *pms_create_packet_list(int *code)
{
    return pmc_create_object_list(&s_packet_policy, code);
}

CPmcObjectList *pms_create_result_table(int *code)
{
    return pmc_create_object_list(&s_pdu_policy, code);
}
