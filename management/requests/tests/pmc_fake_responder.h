/*
 * A scripted SNMP responder for the session tests, run inside the test process in a
 * network namespace without an agent: a thread receives on 0.0.0.0:161 and answers each
 * request with the replies its script gives, sent from 127.0.0.<n>:161 (requests sent to
 * those addresses are answered too). Its messages are
 * built by the small BER writer below, independent of the codec under test.
 */
#ifndef MANAGEMENT_REQUESTS_TESTS_PMC_FAKE_RESPONDER_H
#define MANAGEMENT_REQUESTS_TESTS_PMC_FAKE_RESPONDER_H

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace fake {

/* BER pieces: each returns the whole element (tag, length, content). */
std::string tlv(uint8_t tag, const std::string &content);
std::string integer(int64_t value);
std::string octets(const std::string &bytes);
std::string oid(const std::string &dotted);
std::string null_value();
std::string binding(const std::string &dotted, const std::string &value);
/* A version-1 message with a PDU of `pdu_tag` (0xA2 GetResponse). */
std::string message(int32_t request_id, int32_t error_status, int32_t error_index,
                    const std::vector<std::string> &bindings, uint8_t pdu_tag = 0xA2,
                    const std::string &community = "public");

/* What the responder read of one request. */
struct Request {
    int32_t request_id = -1;
    uint8_t pdu_tag = 0;
    std::vector<std::string> names; /* dotted, without a leading dot */
    std::string from;               /* sender address text */
};

/* One reply: the bytes, sent from 127.0.0.<sender>:161 after `delay_ms`. */
struct Reply {
    int sender = 2;
    std::string bytes;
    int delay_ms = 0;
};

/* An answer echoing the request's names with OCTET STRING values "v<name>". */
std::string echo(const Request &request, int32_t error_status = 0, int32_t error_index = 0);

class Responder
{
public:
    /* The script: the replies to the index-th request (0-based). */
    typedef std::function<std::vector<Reply>(const Request &request, int index)> Script;

    Responder() = default;
    ~Responder()
    {
        stop();
    }
    Responder(const Responder &) = delete;
    Responder &operator=(const Responder &) = delete;

    /* start: binds 0.0.0.0:161 and starts answering. false when the port can't be had. */
    bool start(Script script);
    void stop();
    /* The requests received so far. */
    std::vector<Request> requests();

private:
    void run();
    void send_reply(const Reply &reply, const std::string &to_address, uint16_t to_port);
    int sender_socket(int sender);
    void serve(int s, std::vector<char> &buffer);

    Script m_script;
    int m_socket = -1;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::mutex m_lock;
    std::vector<Request> m_requests;
    std::map<int, int> m_senders; /* sender number -> socket (the thread's own) */
};

} // namespace fake

#endif /* MANAGEMENT_REQUESTS_TESTS_PMC_FAKE_RESPONDER_H */
