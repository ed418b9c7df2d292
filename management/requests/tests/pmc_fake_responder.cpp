/*
 * The scripted SNMP responder of the session tests, over POSIX sockets (the host's own,
 * not the library's Winsock binding), and its BER writer and request reader.
 */
#include "management/requests/tests/pmc_fake_responder.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <sstream>

namespace fake {

std::string tlv(uint8_t tag, const std::string &content)
{
    std::string out(1, (char)tag);
    size_t n = content.size();
    if (n < 0x80) {
        out += (char)n;
    } else {
        std::string length;
        for (size_t v = n; v; v >>= 8)
            length.insert(length.begin(), (char)(v & 0xFF));
        out += (char)(0x80 | length.size());
        out += length;
    }
    return out + content;
}

std::string integer(int64_t value)
{
    std::string bytes;
    for (;;) {
        bytes.insert(bytes.begin(), (char)(value & 0xFF));
        int64_t rest = value >> 8;
        bool sign = (bytes[0] & 0x80) != 0;
        if ((rest == 0 && !sign) || (rest == -1 && sign))
            break;
        value = rest;
    }
    return tlv(0x02, bytes);
}

std::string octets(const std::string &bytes)
{
    return tlv(0x04, bytes);
}

std::string null_value()
{
    return tlv(0x05, "");
}

std::string oid(const std::string &dotted)
{
    std::vector<uint32_t> parts;
    std::stringstream in(dotted[0] == '.' ? dotted.substr(1) : dotted);
    std::string part;
    while (std::getline(in, part, '.'))
        parts.push_back((uint32_t)std::stoul(part));
    std::string bytes(1, (char)(parts[0] * 40 + parts[1]));
    for (size_t i = 2; i < parts.size(); ++i) {
        std::string sub;
        uint32_t v = parts[i];
        sub.insert(sub.begin(), (char)(v & 0x7F));
        for (v >>= 7; v; v >>= 7)
            sub.insert(sub.begin(), (char)(0x80 | (v & 0x7F)));
        bytes += sub;
    }
    return tlv(0x06, bytes);
}

std::string binding(const std::string &dotted, const std::string &value)
{
    return tlv(0x30, oid(dotted) + value);
}

std::string message(int32_t request_id, int32_t error_status, int32_t error_index,
                    const std::vector<std::string> &bindings, uint8_t pdu_tag, const std::string &community)
{
    std::string list;
    for (const std::string &b : bindings)
        list += b;
    std::string pdu = integer(request_id) + integer(error_status) + integer(error_index) + tlv(0x30, list);
    return tlv(0x30, integer(0) + octets(community) + tlv(pdu_tag, pdu));
}

std::string echo(const Request &request, int32_t error_status, int32_t error_index)
{
    std::vector<std::string> bindings;
    for (const std::string &name : request.names)
        bindings.push_back(binding(name, octets("v" + name)));
    return message(request.request_id, error_status, error_index, bindings);
}

namespace {

/* A bounded reader of the request's elements. */
struct Reader {
    const uint8_t *at;
    const uint8_t *end;
    bool ok = true;

    /* next: the tag and content of the next element; false at the end or when broken. */
    bool next(uint8_t *tag, const uint8_t **content, size_t *length)
    {
        if (!ok || end - at < 2)
            return ok = false;
        *tag = *at++;
        size_t n = *at++;
        if (n & 0x80) {
            size_t count = n & 0x7F;
            if (count > 4 || (size_t)(end - at) < count)
                return ok = false;
            n = 0;
            while (count--)
                n = (n << 8) | *at++;
        }
        if ((size_t)(end - at) < n)
            return ok = false;
        *content = at;
        *length = n;
        at += n;
        return true;
    }
};

int64_t read_integer(const uint8_t *content, size_t length)
{
    int64_t v = length && (content[0] & 0x80) ? -1 : 0;
    for (size_t i = 0; i < length; ++i)
        v = (v << 8) | content[i];
    return v;
}

std::string read_oid(const uint8_t *content, size_t length)
{
    if (length == 0)
        return "";
    std::string text = std::to_string(content[0] / 40) + "." + std::to_string(content[0] % 40);
    uint32_t v = 0;
    for (size_t i = 1; i < length; ++i) {
        v = (v << 7) | (content[i] & 0x7F);
        if (!(content[i] & 0x80)) {
            text += "." + std::to_string(v);
            v = 0;
        }
    }
    return text;
}

/* parse: the request id, PDU tag and names of a version-1 or 2c message. */
bool parse(const std::string &bytes, Request *out)
{
    Reader top{(const uint8_t *)bytes.data(), (const uint8_t *)bytes.data() + bytes.size()};
    uint8_t tag;
    const uint8_t *content;
    size_t length;
    if (!top.next(&tag, &content, &length) || tag != 0x30)
        return false;
    Reader message{content, content + length};
    if (!message.next(&tag, &content, &length) || !message.next(&tag, &content, &length))
        return false;
    if (!message.next(&tag, &content, &length))
        return false;
    out->pdu_tag = tag;
    Reader pdu{content, content + length};
    if (!pdu.next(&tag, &content, &length))
        return false;
    out->request_id = (int32_t)read_integer(content, length);
    if (!pdu.next(&tag, &content, &length) || !pdu.next(&tag, &content, &length))
        return false;
    if (!pdu.next(&tag, &content, &length))
        return false;
    Reader list{content, content + length};
    while (list.at < list.end) {
        if (!list.next(&tag, &content, &length))
            return false;
        Reader one{content, content + length};
        if (!one.next(&tag, &content, &length) || tag != 0x06)
            return false;
        out->names.push_back(read_oid(content, length));
    }
    return true;
}

} // namespace

bool Responder::start(Script script)
{
    m_script = std::move(script);
    m_socket = socket(AF_INET, SOCK_DGRAM, 0);
    if (m_socket < 0)
        return false;
    int on = 1;
    setsockopt(m_socket, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    setsockopt(m_socket, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(161);
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    if (bind(m_socket, (sockaddr *)&address, sizeof address) != 0) {
        close(m_socket);
        m_socket = -1;
        return false;
    }
    m_stop = false;
    m_thread = std::thread([this] { run(); });
    return true;
}

void Responder::stop()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    if (m_socket >= 0)
        close(m_socket);
    m_socket = -1;
}

std::vector<Request> Responder::requests()
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_requests;
}

/* sender_socket: the socket bound to 127.0.0.<sender>:161, made on first use; requests
 * that reach it are answered like those of the main socket (a session sends on to the
 * address that answered it). */
int Responder::sender_socket(int sender)
{
    auto it = m_senders.find(sender);
    if (it != m_senders.end())
        return it->second;
    int s = socket(AF_INET, SOCK_DGRAM, 0);
    int on = 1;
    setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in from{};
    from.sin_family = AF_INET;
    from.sin_port = htons(161);
    inet_pton(AF_INET, ("127.0.0." + std::to_string(sender)).c_str(), &from.sin_addr);
    if (bind(s, (sockaddr *)&from, sizeof from) != 0) {
        close(s);
        return -1;
    }
    m_senders[sender] = s;
    return s;
}

void Responder::send_reply(const Reply &reply, const std::string &to_address, uint16_t to_port)
{
    if (reply.delay_ms)
        std::this_thread::sleep_for(std::chrono::milliseconds(reply.delay_ms));
    int s = sender_socket(reply.sender);
    if (s < 0)
        return;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(to_port);
    inet_pton(AF_INET, to_address.c_str(), &to.sin_addr);
    sendto(s, reply.bytes.data(), reply.bytes.size(), 0, (sockaddr *)&to, sizeof to);
}

/* serve: reads one datagram from `s` and answers it by the script. */
void Responder::serve(int s, std::vector<char> &buffer)
{
    sockaddr_in from{};
    socklen_t size = sizeof from;
    ssize_t n = recvfrom(s, buffer.data(), buffer.size(), 0, (sockaddr *)&from, &size);
    if (n <= 0)
        return;
    Request request;
    char text[INET_ADDRSTRLEN] = "";
    inet_ntop(AF_INET, &from.sin_addr, text, sizeof text);
    request.from = text;
    if (!parse(std::string(buffer.data(), (size_t)n), &request))
        return;
    int index;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        index = (int)m_requests.size();
        m_requests.push_back(request);
    }
    if (!m_script)
        return;
    for (const Reply &reply : m_script(request, index))
        send_reply(reply, text, ntohs(from.sin_port));
}

void Responder::run()
{
    std::vector<char> buffer(65536);
    while (!m_stop) {
        std::vector<pollfd> waits{{m_socket, POLLIN, 0}};
        for (const auto &sender : m_senders)
            waits.push_back({sender.second, POLLIN, 0});
        if (poll(waits.data(), waits.size(), 20) <= 0)
            continue;
        for (const pollfd &wait : waits) {
            if (wait.revents & POLLIN)
                serve(wait.fd, buffer);
        }
    }
    for (const auto &sender : m_senders)
        close(sender.second);
    m_senders.clear();
}

} // namespace fake
