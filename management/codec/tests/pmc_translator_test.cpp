/*
 * TranslatorRegistry with stub translators: registration selects, selection by exact name,
 * the exchange operations' -8 and -2, one fresh encoder or decoder per call, and the
 * temporary-packet forms through stub packet hooks.
 */
#include "management/codec/pmc_translator.h"

#include <gtest/gtest.h>

#include "management/base/pmc_status.h"
#include "management/codec/pmc_raw_buffer.h"

namespace {

/* What the stubs saw. */
struct StubLog {
    int encoders_made = 0;
    int decoders_made = 0;
    int released = 0;
    int kind = -100;
    bool header_only = false;
    IPmsSnmpPacket *packet = nullptr;
    const char *last = nullptr;
} g_log;

/* A stand-in packet: the hooks below make and read it. */
struct StubPacket {
    IPmsPdu *pdu;
    IPmsSnmpTarget *target;
    int32_t request_id;
};

class StubEncoder : public IPmcMessageEncoder
{
public:
    explicit StubEncoder(const char *name) : m_name(name) {}
    void release() override
    {
        ++g_log.released;
        delete this;
    }
    int encode_message(CPmcRawBuffer *, IPmsSnmpPacket *packet) override
    {
        g_log.packet = packet;
        g_log.last = m_name;
        return -211;
    }
    uint32_t binding_count() override
    {
        return 3;
    }

private:
    virtual ~StubEncoder() = default;
    const char *m_name;
};

class StubDecoder : public IPmcMessageDecoder
{
public:
    void release() override
    {
        ++g_log.released;
        delete this;
    }
    void set_message_kind(int kind) override
    {
        g_log.kind = kind;
    }
    void set_header_only(bool on) override
    {
        g_log.header_only = on;
    }
    int decode_message(CPmcRawBuffer *, IPmsSnmpPacket *packet) override
    {
        g_log.packet = packet;
        ((StubPacket *)packet)->request_id = 77;
        return PMC_OK;
    }

private:
    virtual ~StubDecoder() = default;
};

class StubTranslator : public IPmcTranslator
{
public:
    explicit StubTranslator(const char *name) : m_name(name) {}
    const char *name() override
    {
        return m_name;
    }
    IPmcMessageEncoder *create_encoder(int *code) override
    {
        ++g_log.encoders_made;
        *code = PMC_OK;
        return new StubEncoder(m_name);
    }
    IPmcMessageDecoder *create_decoder(int *code) override
    {
        ++g_log.decoders_made;
        *code = PMC_OK;
        return new StubDecoder();
    }

private:
    const char *m_name;
};

IPmsSnmpPacket *wrap(IPmsPdu *pdu, IPmsSnmpTarget *target, int *code)
{
    *code = PMC_OK;
    return (IPmsSnmpPacket *)new StubPacket{pdu, target, 0};
}

void release_packet(IPmsSnmpPacket *packet)
{
    delete (StubPacket *)packet;
}

int read_header(IPmsSnmpPacket *packet, int32_t *request_id, int32_t *error_status)
{
    *request_id = ((StubPacket *)packet)->request_id;
    *error_status = 2;
    return PMC_OK;
}

const PmcPacketHooks kHooks = {wrap, release_packet, release_packet, read_header};

class Registry : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_log = StubLog();
        /* Start from an empty registry, not the one the library filled at load. */
        TranslatorRegistry::destroy_instance();
        registry = TranslatorRegistry::instance(nullptr);
        ASSERT_NE(nullptr, registry);
        pmc_translator_set_packet_hooks(&kHooks);
    }
    void TearDown() override
    {
        pmc_translator_set_packet_hooks(nullptr);
        TranslatorRegistry::destroy_instance();
    }
    TranslatorRegistry *registry = nullptr;
    StubTranslator first{"TransStream"};
    StubTranslator second{"Other"};
    CPmcRawBuffer buffer;
};

} // namespace

TEST_F(Registry, RegisterSelectsAndSelectMatchesExactly)
{
    EXPECT_EQ(nullptr, registry->selected());
    EXPECT_EQ(PMC_E_ARG, registry->register_translator(nullptr));
    ASSERT_EQ(PMC_OK, registry->register_translator(&first));
    EXPECT_EQ(&first, registry->selected());
    ASSERT_EQ(PMC_OK, registry->register_translator(&second));
    EXPECT_EQ(&second, registry->selected());
    EXPECT_EQ(PMC_OK, registry->select("TransStream"));
    EXPECT_EQ(&first, registry->selected());
    /* Unknown, differently cased and null names keep the selection. */
    EXPECT_EQ(PMC_E_ARG, registry->select("transstream"));
    EXPECT_EQ(PMC_E_ARG, registry->select("None"));
    EXPECT_EQ(PMC_E_ARG, registry->select(nullptr));
    EXPECT_EQ(&first, registry->selected());
    registry->release_selected();
    EXPECT_EQ(nullptr, registry->selected());
}

TEST_F(Registry, ExchangesNeedASelectionAndPointers)
{
    int code = 0;
    IPmsSnmpPacket *packet = wrap(nullptr, nullptr, &code);
    int32_t id = 0, error = 0;
    IPmsPdu *pdu = (IPmsPdu *)&id;
    IPmsSnmpTarget *target = (IPmsSnmpTarget *)&error;
    EXPECT_EQ(PMC_E_EMPTY, registry->encode(&buffer, packet, nullptr));
    EXPECT_EQ(PMC_E_EMPTY, registry->encode(pdu, target, &buffer));
    EXPECT_EQ(PMC_E_EMPTY, registry->decode(&buffer, packet, 0));
    EXPECT_EQ(PMC_E_EMPTY, registry->decode(0, pdu, target, &buffer));
    EXPECT_EQ(PMC_E_EMPTY, registry->peek(&buffer, 0, &id, &error));
    ASSERT_EQ(PMC_OK, registry->register_translator(&first));
    EXPECT_EQ(PMC_E_ARG, registry->encode(nullptr, packet, nullptr));
    EXPECT_EQ(PMC_E_ARG, registry->encode(&buffer, nullptr, nullptr));
    EXPECT_EQ(PMC_E_ARG, registry->encode(nullptr, target, &buffer));
    EXPECT_EQ(PMC_E_ARG, registry->encode(pdu, nullptr, &buffer));
    EXPECT_EQ(PMC_E_ARG, registry->decode(&buffer, nullptr, 0));
    EXPECT_EQ(PMC_E_ARG, registry->decode(0, pdu, target, nullptr));
    EXPECT_EQ(PMC_E_ARG, registry->peek(&buffer, 0, nullptr, &error));
    EXPECT_EQ(0, g_log.encoders_made + g_log.decoders_made);
    release_packet(packet);
}

TEST_F(Registry, EachExchangeUsesAFreshCoderOfTheSelection)
{
    ASSERT_EQ(PMC_OK, registry->register_translator(&second));
    ASSERT_EQ(PMC_OK, registry->register_translator(&first));
    ASSERT_EQ(PMC_OK, registry->select("Other"));
    int code = 0;
    IPmsSnmpPacket *packet = wrap(nullptr, nullptr, &code);
    uint32_t bindings = 0;
    EXPECT_EQ(-211, registry->encode(&buffer, packet, &bindings));
    EXPECT_EQ(3u, bindings);
    EXPECT_STREQ("Other", g_log.last);
    EXPECT_EQ(packet, g_log.packet);
    EXPECT_EQ(PMC_OK, registry->decode(&buffer, packet, 0));
    EXPECT_EQ(0, g_log.kind);
    EXPECT_FALSE(g_log.header_only);
    EXPECT_EQ(1, g_log.encoders_made);
    EXPECT_EQ(1, g_log.decoders_made);
    EXPECT_EQ(2, g_log.released);
    release_packet(packet);
}

TEST_F(Registry, TemporaryPacketFormsAndPeek)
{
    ASSERT_EQ(PMC_OK, registry->register_translator(&first));
    int32_t id = 0, error = 0;
    IPmsPdu *pdu = (IPmsPdu *)&id;
    IPmsSnmpTarget *target = (IPmsSnmpTarget *)&error;
    EXPECT_EQ(-211, registry->encode(pdu, target, &buffer));
    EXPECT_EQ(PMC_OK, registry->decode(5, pdu, target, &buffer));
    EXPECT_EQ(5, g_log.kind);
    EXPECT_EQ(PMC_OK, registry->peek(&buffer, 0, &id, &error));
    EXPECT_TRUE(g_log.header_only);
    EXPECT_EQ(77, id);
    EXPECT_EQ(2, error);
    /* Without the packet layer's hooks the packet forms are unsupported. */
    pmc_translator_set_packet_hooks(nullptr);
    EXPECT_EQ(PMC_E_UNSUPPORTED, registry->peek(&buffer, 0, &id, &error));
    EXPECT_EQ(3, g_log.released);
}
