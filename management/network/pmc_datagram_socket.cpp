/*
 * DataGramSocket: opening, send, receive and broadcast, shared by the three variants.
 */
#include "management/network/pmc_datagram_socket.h"

#include <cstring>

#include "management/base/pmc_status.h"
#include "management/logging/pmc_log.h"
#include "management/network/pmc_socket_api.h"

static IPmcLogger *socket_log()
{
    return pmc_static_logger(PMC_LOGGER_SOCKET);
}

DataGramSocket::~DataGramSocket()
{
    if (m_local)
        m_local->release();
}

void DataGramSocket::release()
{
    if (m_handle != INVALID_SOCKET)
        NPmcSocketAPI::closesocket(m_handle);
    m_handle = INVALID_SOCKET;
    if (m_started)
        pmc_stop_winsock();
    m_started = false;
    delete this;
}

SOCKET DataGramSocket::handle()
{
    return m_handle;
}

/* The port of an address object (0 for null). */
static uint16_t port_of(IPmcNetworkAddress *address)
{
    const char *text = nullptr;
    uint16_t port = 0;
    if (address)
        address->get(&text, nullptr, &port);
    return port;
}

int DataGramSocket::open(uint16_t port)
{
    int status = startup();
    if (status != PMC_OK)
        return status;
    m_started = true;
    m_handle = create_handle();
    if (m_handle == INVALID_SOCKET) {
        socket_log()->write(PMC_LOG_ERROR, "fail socket(). WSAGetLastError()=%d", NPmcSocketAPI::WSAGetLastError());
        return PMC_E_SOCKET;
    }
    SOCKADDR_STORAGE local;
    if (set_any_local(port) != PMC_OK || to_sockaddr(m_local, &local) != PMC_OK)
        return PMC_E_BIND;
    if (NPmcSocketAPI::bind(m_handle, (const sockaddr *)&local, PMC_SOCKADDR_SIZE) != 0) {
        socket_log()->write(PMC_LOG_ERROR, "fail bind(). WSAGetLastError()=%d", NPmcSocketAPI::WSAGetLastError());
        return PMC_E_BIND;
    }
    SOCKADDR_STORAGE bound;
    int length = PMC_SOCKADDR_SIZE;
    IPmcNetworkAddress *address = nullptr;
    if (NPmcSocketAPI::getsockname(m_handle, (sockaddr *)&bound, &length) != 0)
        return PMC_E_FAIL;
    // A refused allocation of the address keeps its own code (-3).
    int code = to_address((const sockaddr *)&bound, &address);
    if (code != PMC_OK)
        return code;
    m_local->release();
    m_local = address;
    uint16_t bound_port = port_of(m_local);
    socket_log()->write(
        PMC_LOG_DEBUG, "create socket. id:0x%x port:%d(0x%x)", (unsigned)m_handle, bound_port, bound_port);
    return PMC_OK;
}

int DataGramSocket::send(const void *bytes, uint32_t length, IPmcNetworkAddress *destination)
{
    if (!bytes || !destination)
        return PMC_E_ARG;
    const char *text = nullptr;
    uint16_t port = 0;
    destination->get(&text, nullptr, &port);
    uint16_t local_port = port_of(m_local);
    socket_log()->write(PMC_LOG_DEBUG,
                        "[DataGramSocket::send] send packet. port:%d(0x%x) -> %s:%d(0x%x).",
                        local_port,
                        local_port,
                        text,
                        port,
                        port);
    SOCKADDR_STORAGE to;
    if (to_sockaddr(destination, &to) != PMC_OK)
        return PMC_E_ARG;
    int sent =
        NPmcSocketAPI::sendto(m_handle, (const char *)bytes, (int)length, 0, (const sockaddr *)&to, PMC_SOCKADDR_SIZE);
    if (sent == SOCKET_ERROR) {
        socket_log()->write(PMC_LOG_ERROR, "fail send(). WSAGetLastError()=%d", NPmcSocketAPI::WSAGetLastError());
        return PMC_E_SEND;
    }
    if ((uint32_t)sent != length)
        socket_log()->write(PMC_LOG_WARN, "send(). size of sended bytes is not same that of buffer.");
    return PMC_OK;
}

int DataGramSocket::receive(void *buffer, uint32_t capacity, int32_t timeout_ms, uint32_t *received,
                            IPmcNetworkAddress **sender)
{
    if (!buffer || !received || !sender)
        return PMC_E_ARG;
    *received = 0;
    *sender = nullptr;
    fd_set readable;
    readable.fd_count = 1;
    readable.fd_array[0] = m_handle;
    timeval limit;
    limit.tv_sec = timeout_ms / 1000;
    limit.tv_usec = (timeout_ms % 1000) * 1000;
    int ready = NPmcSocketAPI::select(0, &readable, nullptr, nullptr, timeout_ms == -1 ? nullptr : &limit);
    if (ready == SOCKET_ERROR) {
        socket_log()->write(PMC_LOG_ERROR, "fail select(). WSAGetLastError()=%d", NPmcSocketAPI::WSAGetLastError());
        return PMC_E_RECEIVE;
    }
    if (ready == 0) {
        socket_log()->write(PMC_LOG_TRACE, "select API timeout.");
        return PMC_E_TIMEOUT;
    }
    SOCKADDR_STORAGE from;
    std::memset(&from, 0, sizeof from);
    int from_length = PMC_SOCKADDR_SIZE;
    int count = NPmcSocketAPI::recvfrom(m_handle, (char *)buffer, (int)capacity, 0, (sockaddr *)&from, &from_length);
    if (count < 0) {
        socket_log()->write(PMC_LOG_ERROR, "fail recvfrom(). WSAGetLastError()=%d", NPmcSocketAPI::WSAGetLastError());
        return PMC_E_RECEIVE;
    }
    IPmcNetworkAddress *address = nullptr;
    int code = to_address((const sockaddr *)&from, &address);
    if (code != PMC_OK) {
        socket_log()->write(PMC_LOG_ERROR,
                            "[DataGramSocket::receive] fail create CPmcNetworkAddress ( success recvfrom() ).");
        return code;
    }
    const char *text = nullptr;
    uint16_t port = 0;
    address->get(&text, nullptr, &port);
    uint16_t local_port = port_of(m_local);
    socket_log()->write(PMC_LOG_DEBUG,
                        "[DataGramSocket::receive] receive packet port:%d(0x%x) <- %s:%d(0x%x).",
                        local_port,
                        local_port,
                        text,
                        port,
                        port);
    *received = (uint32_t)count;
    *sender = address;
    return PMC_OK;
}

int DataGramSocket::set_broadcast(bool on)
{
    int value = on ? 1 : 0;
    if (NPmcSocketAPI::setsockopt(m_handle, SOL_SOCKET, SO_BROADCAST, (const char *)&value, 4) != 0) {
        socket_log()->write(PMC_LOG_ERROR,
                            "fail setsockopt(). can't set broadcast flag. WSAGetLastError()=%d",
                            NPmcSocketAPI::WSAGetLastError());
        return PMC_E_FAIL;
    }
    return PMC_OK;
}
