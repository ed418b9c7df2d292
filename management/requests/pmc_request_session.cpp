/*
 * RequestSession: community requests (SNMP version 1 and 2c) through the library's own
 * codec over a datagram socket: retries and time-outs, answers matched by request id,
 * requests split when too big and their answers merged, and broadcasts collecting one
 * answer per device. The socket is opened afresh for every send operation.
 */
#include "management/network/pmc_datagram_socket.h"

#include "management/base/pmc_object_list.h"
#include "management/base/pmc_status.h"
#include "management/codec/pmc_ber.h"
#include "management/codec/pmc_codec.h"
#include "management/codec/pmc_raw_buffer.h"
#include "management/codec/pmc_translator.h"
#include "management/logging/pmc_log.h"
#include "management/packets/pmc_packet.h"
#include "management/requests/pmc_session.h"
#include "management/requests/pmc_session_base.h"

#include <cstring>

namespace {

/* The bytes of one received datagram, owned by the library's allocator. */
struct Received {
    uint8_t *bytes = nullptr;
    uint32_t length = 0;
    IPmcNetworkAddress *sender = nullptr;

    ~Received()
    {
        clear();
    }
    void clear()
    {
        if (sender)
            sender->release();
        sender = nullptr;
        length = 0;
    }
};

IPmcLogger *snmp_log()
{
    return pmc_static_logger(PMC_LOGGER_SNMP);
}

/* ceiling: ⌈a ÷ b⌉ for b > 0. */
uint32_t ceiling(uint32_t a, uint32_t b)
{
    return (a + b - 1) / b;
}

/* The registry of the codec; -8 without a selected translator is the registry's own. */
TranslatorRegistry *registry(int *code)
{
    return TranslatorRegistry::instance(code);
}

/* A raw buffer lent the received bytes (given back before it is destroyed). */
struct LentBuffer {
    CPmcRawBuffer buffer;
    explicit LentBuffer(const Received &message)
    {
        buffer.attach(message.bytes, message.length, PMC_RAW_FREE_LIBRARY);
    }
    ~LentBuffer()
    {
        uint8_t *data = nullptr;
        uint32_t length = 0;
        buffer.detach(&data, &length);
    }
    LentBuffer(const LentBuffer &) = delete;
    LentBuffer &operator=(const LentBuffer &) = delete;
};

class RequestSession final : public CPmsSessionBase
{
public:
    RequestSession() = default;
    RequestSession(const RequestSession &) = delete;
    RequestSession &operator=(const RequestSession &) = delete;

    void release() override
    {
        delete this;
    }
    int send_sync(IPmsPdu *pdu, IPmsSnmpTarget *target) override;
    int send_broad_cast_sync(IPmsPdu *pdu, IPmsSnmpTarget *target, CPmcObjectList **list) override;
    using CPmsSessionBase::send_broad_cast_sync;
    using CPmsSessionBase::send_sync;

private:
    ~RequestSession() override
    {
        close_socket();
        pmc_free(m_receive);
    }
    void close_socket()
    {
        if (m_socket)
            m_socket->release();
        m_socket = nullptr;
    }
    int open_socket(IPmsSnmpTarget *target);
    int encode(IPmsPdu *pdu, IPmsSnmpTarget *target, CPmcRawBuffer *message, uint32_t *bindings);
    int receive(int32_t timeout, Received *message);
    int send_and_receive(IPmsPdu *pdu, IPmsSnmpTarget *target, uint32_t *fragments);
    int check_received_raw_packet(IPmsPdu *pdu, const Received &message);
    int fragment_process(IPmsPdu *pdu, IPmsSnmpTarget *target, uint32_t count);
    int collect_answer(IPmsSnmpTarget *target, const Received &message, CPmcObjectList *list);

    DataGramSocket *m_socket = nullptr;
    uint8_t *m_receive = nullptr;
};

/* open_socket: a new socket of the target's address protocol, bound to the target's port. */
int RequestSession::open_socket(IPmsSnmpTarget *target)
{
    close_socket();
    IPmcNetworkAddress *address = target->get_address();
    const char *text = nullptr;
    int protocol = 0;
    if (!address || address->get(&text, &protocol, nullptr) != PMC_OK)
        return PMC_E_ARG;
    if (!m_receive) {
        m_receive = (uint8_t *)pmc_alloc(PMC_RECEIVE_CAPACITY);
        if (!m_receive)
            return PMC_E_MEMORY;
    }
    return pmc_create_datagram_socket(protocol, target->get_port(), &m_socket);
}

/* encode: the next request id into the PDU, then the message through the registry.
 * bindings (out): the bindings the encoder counted. */
int RequestSession::encode(IPmsPdu *pdu, IPmsSnmpTarget *target, CPmcRawBuffer *message, uint32_t *bindings)
{
    pdu->set_request_id(pmc_next_request_id());
    int code = PMC_OK;
    TranslatorRegistry *codec = registry(&code);
    if (!codec)
        return code;
    IPmsSnmpPacket *packet = pms_create_packet(&code);
    if (!packet)
        return code;
    packet->set_pdu(pdu);
    packet->set_target(target);
    code = codec->encode(message, packet, bindings);
    packet->take_pdu();
    packet->take_target();
    packet->release();
    return code;
}

/* receive: one datagram into the session's buffer. */
int RequestSession::receive(int32_t timeout, Received *message)
{
    message->clear();
    message->bytes = m_receive;
    return m_socket->receive(m_receive, PMC_RECEIVE_CAPACITY, timeout, &message->length, &message->sender);
}

int RequestSession::check_received_raw_packet(IPmsPdu *pdu, const Received &message)
{
    int code = PMC_OK;
    TranslatorRegistry *codec = registry(&code);
    if (!codec)
        return code;
    LentBuffer lent(message);
    int32_t request_id = -1, error_status = -1;
    code = codec->peek(&lent.buffer, PMC_MESSAGE_COMMUNITY, &request_id, &error_status);
    if (code != PMC_OK)
        return code;
    if (request_id == pdu->get_request_id())
        return error_status == 1 ? (int)PMC_E_ANSWER_TOO_BIG : (int)PMC_OK;
    snmp_log()->write(PMC_LOG_DEBUG,
                      "[RequestSession::check_received_raw_packet] request id not match. "
                      "sended packet[%ud]:received packet[%ud].",
                      pdu->get_request_id(),
                      request_id);
    return PMC_E_OTHER_REQUEST;
}

/*
 * send_and_receive: one request with its tries. fragments (out): the number of fragments
 * to split into when the result is -211 or -210, else 0.
 */
int RequestSession::send_and_receive(IPmsPdu *pdu, IPmsSnmpTarget *target, uint32_t *fragments)
{
    *fragments = 0;
    CPmcRawBuffer message;
    uint32_t bindings = 0;
    int code = encode(pdu, target, &message, &bindings);
    IPmsVarBindList *list = pdu->get_list();
    uint32_t count = list ? list->count() : 0;
    if (code == PMC_E_TOO_BIG) {
        /* No binding fitted at all: the request can't be split into anything that fits. */
        if (bindings == 0)
            return PMC_E_UNSPLITTABLE;
        *fragments = bindings == count ? 2 : ceiling(count, bindings);
        return code;
    }
    if (code != PMC_OK)
        return code;
    uint32_t length = message.remaining();
    uint32_t maximum = target->get_max_message_size();
    if (maximum > 0 && length > maximum) {
        *fragments = ceiling(length, maximum);
        return PMC_E_TOO_BIG;
    }
    snmp_log()->write(
        PMC_LOG_INFO, "_send_and_receive(): timeout= %d, retries=%d", target->get_timeout(), target->get_retry_count());
    IPmcNetworkAddress *destination = target->get_address();
    const char *destination_text = "";
    destination->get(&destination_text, nullptr, nullptr);
    Received answer;
    code = PMC_E_TIMEOUT;
    bool stop = false;
    for (int32_t attempt = 0; attempt <= target->get_retry_count() && !stop; ++attempt) {
        snmp_log()->write(PMC_LOG_DEBUG, "_send_and_receive(): try %d, destination=%s", attempt, destination_text);
        code = m_socket->send(message.position(), length, destination);
        if (code != PMC_OK)
            return code;
        int32_t remaining = target->get_timeout();
        DWORD noted = GetTickCount();
        while (remaining > 0) {
            code = receive(remaining, &answer);
            if (code == PMC_E_TIMEOUT) {
                snmp_log()->write(PMC_LOG_ERROR, "_send_and_receive(): receive timeout.");
                break;
            }
            if (code != PMC_OK) {
                snmp_log()->write(PMC_LOG_ERROR, "_send_and_receive(): error=%d.", code);
                stop = true;
                break;
            }
            snmp_log()->write(PMC_LOG_DEBUG, "_send_and_receive(): receive from %s", destination_text);
            code = check_received_raw_packet(pdu, answer);
            if (code == PMC_E_ANSWER_TOO_BIG) {
                snmp_log()->write(PMC_LOG_DEBUG, "_send_and_receive(): receive packet is too big.");
                stop = true;
                break;
            }
            if (code == PMC_OK) {
                int registry_code = PMC_OK;
                TranslatorRegistry *codec = registry(&registry_code);
                LentBuffer lent(answer);
                code = codec ? codec->decode(PMC_MESSAGE_COMMUNITY, pdu, target, &lent.buffer) : registry_code;
                if (code != PMC_E_MALFORMED) {
                    stop = true;
                    break;
                }
            }
            /* A dropped message: wait on with what is left of this try's time. */
            DWORD now = GetTickCount();
            remaining -= (int32_t)(now - noted);
            noted = now;
            code = PMC_E_TIMEOUT;
        }
    }
    if (code == PMC_OK && answer.sender)
        code = target->set_address(answer.sender);
    if (code == PMC_E_ANSWER_TOO_BIG)
        *fragments = 2;
    return code;
}

int RequestSession::send_sync(IPmsPdu *pdu, IPmsSnmpTarget *target)
{
    if (!pdu || !target)
        return PMC_E_ARG;
    int code = open_socket(target);
    if (code != PMC_OK)
        return code;
    uint32_t fragments = 0;
    code = send_and_receive(pdu, target, &fragments);
    if (fragments > 0)
        return fragment_process(pdu, target, fragments);
    return code;
}

/* fragment_process: the fragments are sent in order (each may be split again) and their
 * answers merged into the request PDU. */
int RequestSession::fragment_process(IPmsPdu *pdu, IPmsSnmpTarget *target, uint32_t count)
{
    IPmsPdu **fragments = (IPmsPdu **)pmc_alloc(count * sizeof(IPmsPdu *));
    if (!fragments)
        return PMC_E_MEMORY;
    int code = pmc_fragment_pdu(pdu, count, fragments);
    if (code == PMC_OK) {
        snmp_log()->write(PMC_LOG_INFO,
                          "[RequestSession::fragment_process] packet[%d] is fragmented to %d.",
                          pdu->get_request_id(),
                          (int)count);
        for (uint32_t i = 0; i < count && code == PMC_OK; ++i)
            code = send_sync(fragments[i], target);
        if (code == PMC_OK)
            code = pmc_merge_fragments(pdu, fragments, count);
        for (uint32_t i = 0; i < count; ++i)
            fragments[i]->release();
    }
    pmc_free(fragments);
    return code;
}

/* is_new_sender: whether no packet of the list has an answer from `sender`. */
bool is_new_sender(CPmcObjectList *list, IPmcNetworkAddress *sender, int *code)
{
    *code = PMC_OK;
    IPmcObjectListIterator *iterator = list->create_iterator(code);
    if (!iterator) {
        snmp_log()->write(PMC_LOG_ERROR, "[RequestSession::send_broad_cast_sync] fail search_new_packet().");
        return false;
    }
    bool found = false;
    for (void *element; !found && (element = list->element_at(iterator)) != nullptr; list->advance(iterator)) {
        IPmcNetworkAddress *address = ((IPmsSnmpPacket *)element)->get_target()->get_address();
        found = address && address->equals(sender);
    }
    list->release_iterator(iterator);
    return !found;
}

/* collect_answer: a new packet {decoded PDU, copy of the target with the sender's address}
 * appended to the list. A message that does not decode is dropped (0). */
int RequestSession::collect_answer(IPmsSnmpTarget *target, const Received &message, CPmcObjectList *list)
{
    int code = PMC_OK;
    TranslatorRegistry *codec = registry(&code);
    if (!codec)
        return code;
    IPmsPdu *pdu = pms_create_pdu(&code);
    IPmsSnmpTarget *copy = pdu ? target->clone(&code) : nullptr;
    IPmsSnmpPacket *packet = copy ? pms_create_packet(&code) : nullptr;
    if (!packet) {
        if (copy)
            copy->release();
        if (pdu)
            pdu->release();
        return code;
    }
    packet->set_pdu(pdu);
    packet->set_target(copy);
    LentBuffer lent(message);
    code = codec->decode(&lent.buffer, packet, PMC_MESSAGE_COMMUNITY);
    if (code == PMC_OK)
        code = copy->set_address(message.sender);
    if (code == PMC_OK)
        code = list->append(packet);
    if (code != PMC_OK)
        packet->release();
    /* Only a lack of memory stops the broadcast; an answer that doesn't decode is dropped. */
    return code == PMC_E_MEMORY ? code : PMC_OK;
}

/* Whether a sender fits an IPX destination: any network for "00000000", else the same. */
bool sender_fits(IPmcNetworkAddress *destination, IPmcNetworkAddress *sender)
{
    const char *to = nullptr, *from = nullptr;
    int protocol = 0;
    if (destination->get(&to, &protocol, nullptr) != PMC_OK || protocol != PMC_PROTOCOL_IPX)
        return true;
    if (std::strncmp(to, "00000000", 8) == 0)
        return true;
    return sender->get(&from, nullptr, nullptr) == PMC_OK && std::strncmp(to, from, 8) == 0;
}

int RequestSession::send_broad_cast_sync(IPmsPdu *pdu, IPmsSnmpTarget *target, CPmcObjectList **out)
{
    if (!pdu || !target || !out)
        return PMC_E_ARG;
    int code = open_socket(target);
    if (code == PMC_OK)
        code = m_socket->set_broadcast(true);
    if (code != PMC_OK)
        return code;
    snmp_log()->write(PMC_LOG_TRACE, "[%s] enter.", "RequestSession::send_broad_cast_sync");
    CPmcRawBuffer message;
    code = encode(pdu, target, &message, nullptr);
    CPmcObjectList *list = code == PMC_OK ? pms_create_packet_list(&code) : nullptr;
    if (!list) {
        snmp_log()->write(PMC_LOG_TRACE, "[%s] exit.", "RequestSession::send_broad_cast_sync");
        return code;
    }
    IPmcNetworkAddress *destination = target->get_address();
    const char *destination_text = "";
    destination->get(&destination_text, nullptr, nullptr);
    snmp_log()->write(PMC_LOG_INFO,
                      "broad cast: timeout= %d, retries=%d, destination=%s",
                      target->get_timeout(),
                      target->get_retry_count(),
                      destination_text);
    Received answer;
    bool stop = false;
    for (int32_t attempt = 0; attempt <= target->get_retry_count() && !stop; ++attempt) {
        snmp_log()->write(PMC_LOG_DEBUG, "broad cast: try %d.", attempt);
        code = m_socket->send(message.position(), message.remaining(), destination);
        if (code != PMC_OK)
            break;
        int32_t remaining = target->get_timeout();
        DWORD noted = GetTickCount();
        while (remaining > 0) {
            code = receive(remaining, &answer);
            if (code == PMC_E_TIMEOUT)
                break;
            if (code != PMC_OK) {
                stop = true;
                break;
            }
            if (sender_fits(destination, answer.sender)) {
                bool fresh = is_new_sender(list, answer.sender, &code);
                if (code != PMC_OK) {
                    stop = true;
                    break;
                }
                if (fresh) {
                    const char *from = "";
                    answer.sender->get(&from, nullptr, nullptr);
                    snmp_log()->write(PMC_LOG_DEBUG, "broad cast: receive from new address:%s", from);
                    code = collect_answer(target, answer, list);
                    if (code != PMC_OK) {
                        stop = true;
                        break;
                    }
                }
            }
            DWORD now = GetTickCount();
            remaining -= (int32_t)(now - noted);
            noted = now;
        }
    }
    if (code == PMC_OK || code == PMC_E_TIMEOUT) {
        *out = list;
        code = PMC_OK;
    } else {
        snmp_log()->write(PMC_LOG_ERROR, "broad cast: error=%d.", code);
        list->release();
    }
    snmp_log()->write(PMC_LOG_TRACE, "[%s] exit.", "RequestSession::send_broad_cast_sync");
    return code;
}

} // namespace

IPmsSession *pmc_create_request_session(int *code)
{
    IPmsSession *session = new RequestSession();
    if (code)
        *code = session ? PMC_OK : PMC_E_MEMORY;
    return session;
}
