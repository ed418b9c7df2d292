/*
 * The message codec side by side with Net-SNMP's own BER code on the same messages: a
 * GET, a GETNEXT, two responses and two version-1 traps. Messages per second.
 *
 * Decode: a fresh packet per message, decoded and released; the peer ("_Peer", paired by
 * scripts/bench) takes a fresh PDU, reads the community header (snmp_comstr_parse, the
 * community copied into the PDU as Net-SNMP does on receipt), then snmp_pdu_parse, and
 * frees the PDU. Encode: the decoded packet written again into a 1472-byte buffer; the
 * peer writes its parsed PDU as Net-SNMP's forward builder does: snmp_comstr_build,
 * snmp_pdu_build, then the message's length put in place.
 */
#include "management/codec/pmc_codec.h"

#include <benchmark/benchmark.h>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "management/codec/tests/pmc_codec_messages.h"

namespace {

/* Version-2c GETNEXT, community "public", request-id 2: hrPrinterStatus and
 * prtMarkerSuppliesLevel, the start of a status walk. */
const uint8_t kGetNextStatus[] = {
    0x30, 0x38, 0x02, 0x01, 0x01, 0x04, 0x06, 0x70, 0x75, 0x62, 0x6c, 0x69, 0x63, 0xa1, 0x2b,
    0x02, 0x01, 0x02, 0x02, 0x01, 0x00, 0x02, 0x01, 0x00, 0x30, 0x20, 0x30, 0x0e, 0x06, 0x0a,
    0x2b, 0x06, 0x01, 0x02, 0x01, 0x19, 0x03, 0x05, 0x01, 0x01, 0x05, 0x00, 0x30, 0x0e, 0x06,
    0x0a, 0x2b, 0x06, 0x01, 0x02, 0x01, 0x2b, 0x0b, 0x01, 0x01, 0x09, 0x05, 0x00,
};

const SeedMessage kMessages[] = {
    {"GET v1", kGetSysName, sizeof kGetSysName},
    {"GETNEXT v2c, 2 bindings", kGetNextStatus, sizeof kGetNextStatus},
    {"RESPONSE v1, 4 bindings", kV1ResponseError, sizeof kV1ResponseError},
    {"RESPONSE v2c, exceptions", kV2cResponseExceptions, sizeof kV2cResponseExceptions},
    {"trap v1 generic", kV1TrapGeneric, sizeof kV1TrapGeneric},
    {"trap v1 specific", kV1TrapSpecific, sizeof kV1TrapSpecific},
};
constexpr int kMessageCount = (int)(sizeof kMessages / sizeof kMessages[0]);

/* Largest message of a request, as the sessions size their buffers. */
constexpr uint32_t kStorageBytes = 1472;

/* Net-SNMP's receipt of a community message into pdu; 0 on success. */
int PeerParse(netsnmp_pdu *pdu, u_char *bytes, size_t size)
{
    size_t length = size;
    u_char community[256];
    size_t communityLength = sizeof community;
    long version = 0;
    u_char *data = snmp_comstr_parse(bytes, &length, community, &communityLength, &version);
    if (data == nullptr)
        return -1;
    pdu->version = version;
    pdu->community = (u_char *)malloc(communityLength > 0 ? communityLength : 1);
    if (pdu->community == nullptr)
        return -1;
    std::memcpy(pdu->community, community, communityLength);
    pdu->community_len = communityLength;
    return snmp_pdu_parse(pdu, data, &length);
}

/* Net-SNMP's forward build of a community message; the bytes written, 0 on failure. */
size_t PeerBuild(netsnmp_pdu *pdu, u_char *storage, size_t size)
{
    size_t left = size;
    u_char *cp = snmp_comstr_build(storage, &left, pdu->community, &pdu->community_len, &pdu->version, 0);
    if (cp == nullptr)
        return 0;
    u_char *pduStart = cp;
    cp = snmp_pdu_build(pdu, cp, &left);
    if (cp == nullptr)
        return 0;
    size_t header = size;
    if (asn_build_sequence(storage, &header, (u_char)(ASN_SEQUENCE | ASN_CONSTRUCTOR), (size_t)(cp - pduStart)) ==
        nullptr)
        return 0;
    return (size_t)(cp - storage);
}

void BM_BerDecode(benchmark::State &state)
{
    const SeedMessage &m = kMessages[state.range(0)];
    state.SetLabel(m.name);
    CPmcMessageDecoder *decoder = pmc_create_message_decoder(nullptr);
    decoder->set_message_kind(PMC_MESSAGE_COMMUNITY);
    for (auto _ : state) {
        IPmsSnmpPacket *packet = pms_create_packet(nullptr);
        int code = decoder->decode_bytes(packet, m.bytes, (uint32_t)m.size);
        packet->release();
        if (code != 0) {
            state.SkipWithError("the message did not decode");
            break;
        }
    }
    decoder->release();
    state.SetItemsProcessed((int64_t)state.iterations());
}
BENCHMARK(BM_BerDecode)->DenseRange(0, kMessageCount - 1);

void BM_BerDecode_Peer(benchmark::State &state)
{
    const SeedMessage &m = kMessages[state.range(0)];
    state.SetLabel(m.name);
    std::vector<u_char> bytes(m.bytes, m.bytes + m.size);
    for (auto _ : state) {
        netsnmp_pdu *pdu = snmp_pdu_create(0);
        int code = PeerParse(pdu, bytes.data(), bytes.size());
        snmp_free_pdu(pdu);
        if (code != 0) {
            state.SkipWithError("the message did not parse");
            break;
        }
    }
    state.SetItemsProcessed((int64_t)state.iterations());
}
BENCHMARK(BM_BerDecode_Peer)->DenseRange(0, kMessageCount - 1);

void BM_BerEncode(benchmark::State &state)
{
    const SeedMessage &m = kMessages[state.range(0)];
    state.SetLabel(m.name);
    IPmsSnmpPacket *packet = pms_create_packet(nullptr);
    CPmcMessageDecoder *decoder = pmc_create_message_decoder(nullptr);
    decoder->set_message_kind(PMC_MESSAGE_COMMUNITY);
    int code = decoder->decode_bytes(packet, m.bytes, (uint32_t)m.size);
    decoder->release();
    CPmcMessageEncoder *encoder = pmc_create_message_encoder(nullptr);
    std::vector<uint8_t> storage(kStorageBytes);
    if (code != 0)
        state.SkipWithError("the message did not decode");
    for (auto _ : state) {
        uint32_t start = 0;
        if (encoder->encode_bytes(packet, storage.data(), kStorageBytes, &start) != 0) {
            state.SkipWithError("the message did not encode");
            break;
        }
        benchmark::DoNotOptimize(storage.data());
        benchmark::ClobberMemory();
    }
    encoder->release();
    packet->release();
    state.SetItemsProcessed((int64_t)state.iterations());
}
BENCHMARK(BM_BerEncode)->DenseRange(0, kMessageCount - 1);

void BM_BerEncode_Peer(benchmark::State &state)
{
    const SeedMessage &m = kMessages[state.range(0)];
    state.SetLabel(m.name);
    std::vector<u_char> bytes(m.bytes, m.bytes + m.size);
    netsnmp_pdu *pdu = snmp_pdu_create(0);
    if (PeerParse(pdu, bytes.data(), bytes.size()) != 0)
        state.SkipWithError("the message did not parse");
    std::vector<u_char> storage(kStorageBytes);
    for (auto _ : state) {
        if (PeerBuild(pdu, storage.data(), storage.size()) == 0) {
            state.SkipWithError("the message did not build");
            break;
        }
        benchmark::DoNotOptimize(storage.data());
        benchmark::ClobberMemory();
    }
    snmp_free_pdu(pdu);
    state.SetItemsProcessed((int64_t)state.iterations());
}
BENCHMARK(BM_BerEncode_Peer)->DenseRange(0, kMessageCount - 1);

} // namespace

BENCHMARK_MAIN();
