/*
 * The three DataGramSocket variants (IPv4, IPX, IPv6): start-up version, socket call,
 * any-address, socket-address conversions and multicast membership; and the factory.
 */
#include "management/network/pmc_datagram_socket.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "management/base/pmc_status.h"
#include "management/logging/pmc_log.h"
#include "management/network/pmc_address_text.h"
#include "management/network/pmc_socket_api.h"

static const char kMulticastFailure[] = "fail setsockopt(). can't set multicast flag. WSAGetLastError()=%d";

static IPmcLogger *socket_log()
{
    return pmc_static_logger(PMC_LOGGER_SOCKET);
}

/* ipv4_value: inet_addr of the text; the all-ones answer counts only for the broadcast text. */
static bool ipv4_value(const char *text, u_long *value)
{
    *value = NPmcSocketAPI::inet_addr(text);
    return *value != INADDR_NONE || std::strcmp(text, PMC_BROADCAST_IPV4) == 0;
}

/* set_local: replaces the local address by (text, protocol, port). */
static int set_local(IPmcNetworkAddress **local, const char *text, int protocol, uint16_t port)
{
    IPmcNetworkAddress *address = nullptr;
    int status = pmc_make_address(text, protocol, port, &address);
    if (status != PMC_OK)
        return status;
    if (*local)
        (*local)->release();
    *local = address;
    return PMC_OK;
}

class DataGramSocketV4 : public DataGramSocket
{
public:
    int join_multicast_group(const char *group) override
    {
        if (!group)
            return PMC_E_ARG;
        u_long value;
        if (!ipv4_value(group, &value)) {
            socket_log()->write(
                PMC_LOG_ERROR, "fail inet_addr(). WSAGetLastError()=%d", NPmcSocketAPI::WSAGetLastError());
            return PMC_E_FAIL;
        }
        ip_mreq request = {};
        request.imr_multiaddr.s_addr = value;
        request.imr_interface.s_addr = INADDR_ANY;
        if (NPmcSocketAPI::setsockopt(m_handle, IPPROTO_IP, IP_ADD_MEMBERSHIP, (const char *)&request, 8) != 0) {
            socket_log()->write(PMC_LOG_ERROR, kMulticastFailure, NPmcSocketAPI::WSAGetLastError());
            return PMC_E_FAIL;
        }
        return PMC_OK;
    }

protected:
    int startup() override
    {
        return pmc_start_winsock_11();
    }
    int set_any_local(uint16_t port) override
    {
        return set_local(&m_local, "0.0.0.0", PMC_PROTOCOL_IPV4, port);
    }
    SOCKET create_handle() override
    {
        return NPmcSocketAPI::socket(AF_INET, SOCK_DGRAM, 0);
    }
    int to_sockaddr(IPmcNetworkAddress *address, SOCKADDR_STORAGE *out) override
    {
        const char *text = nullptr;
        uint16_t port = 0;
        u_long value;
        if (!address || address->get(&text, nullptr, &port) != PMC_OK || !ipv4_value(text, &value))
            return PMC_E_ARG;
        std::memset(out, 0, sizeof *out);
        SOCKADDR_IN *sin = (SOCKADDR_IN *)out;
        sin->sin_family = AF_INET;
        sin->sin_port = NPmcSocketAPI::htons(port);
        sin->sin_addr.s_addr = value;
        return PMC_OK;
    }
    int to_address(const sockaddr *address, IPmcNetworkAddress **out) override
    {
        const SOCKADDR_IN *sin = (const SOCKADDR_IN *)address;
        const char *text = NPmcSocketAPI::inet_ntoa(sin->sin_addr);
        if (!text)
            return PMC_E_FAIL;
        return pmc_make_address(text, PMC_PROTOCOL_IPV4, NPmcSocketAPI::ntohs(sin->sin_port), out);
    }
};

class DataGramSocketIpx : public DataGramSocket
{
public:
    int join_multicast_group(const char *) override
    {
        return PMC_E_ARG;
    }

protected:
    int startup() override
    {
        return pmc_start_winsock_11();
    }
    int set_any_local(uint16_t port) override
    {
        return set_local(&m_local, "00000000:000000000000", PMC_PROTOCOL_IPX, port);
    }
    SOCKET create_handle() override
    {
        return NPmcSocketAPI::socket(AF_IPX, SOCK_DGRAM, NSPROTO_IPX);
    }
    int to_sockaddr(IPmcNetworkAddress *address, SOCKADDR_STORAGE *out) override
    {
        const char *text = nullptr;
        uint16_t port = 0;
        if (!address || address->get(&text, nullptr, &port) != PMC_OK)
            return PMC_E_ARG;
        std::memset(out, 0, sizeof *out);
        return pmc_ipx_to_sockaddr(text, port, (SOCKADDR_IPX *)out);
    }
    int to_address(const sockaddr *address, IPmcNetworkAddress **out) override
    {
        char text[22];
        uint16_t port = 0;
        pmc_ipx_from_sockaddr((const SOCKADDR_IPX *)address, text, &port);
        return pmc_make_address(text, PMC_PROTOCOL_IPX, port, out);
    }
};

class DataGramSocketV6 : public DataGramSocket
{
public:
    int set_broadcast(bool) override
    {
        return PMC_OK;
    }
    int join_multicast_group(const char *group) override
    {
        ipv6_mreq request = {};
        if (pmc_parse_ipv6(group, request.ipv6mr_multiaddr.s6_addr) != PMC_OK)
            return PMC_E_ARG;
        request.ipv6mr_interface = 0;
        if (NPmcSocketAPI::setsockopt(m_handle, IPPROTO_IPV6, IPV6_ADD_MEMBERSHIP, (const char *)&request, 20) != 0) {
            socket_log()->write(PMC_LOG_ERROR, kMulticastFailure, NPmcSocketAPI::WSAGetLastError());
            return PMC_E_FAIL;
        }
        return PMC_OK;
    }

protected:
    int startup() override
    {
        return pmc_start_winsock_22();
    }
    int set_any_local(uint16_t port) override
    {
        return set_local(&m_local, "0000:0000:0000:0000:0000:0000:0000:0000", PMC_PROTOCOL_IPV6, port);
    }
    SOCKET create_handle() override
    {
        return NPmcSocketAPI::socket(pmc_family_of_protocol(PMC_PROTOCOL_IPV6), SOCK_DGRAM, 0);
    }
    /* to_sockaddr: getaddrinfo of the text and the port, which needs name resolution. */
    int to_sockaddr(IPmcNetworkAddress *address, SOCKADDR_STORAGE *out) override
    {
        const char *text = nullptr;
        uint16_t port = 0;
        if (!address || address->get(&text, nullptr, &port) != PMC_OK || !pmc_name_resolution_available())
            return PMC_E_ARG;
        char service[16];
        std::snprintf(service, sizeof service, "%d", port);
        addrinfo hints = {};
        hints.ai_flags = AI_PASSIVE;
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_DGRAM;
        addrinfo *list = nullptr;
        if (NPmcSocketAPI::getaddrinfo(text, service, &hints, &list) != 0)
            return PMC_E_ARG;
        std::memset(out, 0, sizeof *out);
        size_t length = list->ai_addrlen < sizeof *out ? list->ai_addrlen : sizeof *out;
        std::memcpy(out, list->ai_addr, length);
        NPmcSocketAPI::freeaddrinfo(list);
        return PMC_OK;
    }
    int to_address(const sockaddr *address, IPmcNetworkAddress **out) override
    {
        if (!pmc_name_resolution_available())
            return PMC_E_FAIL;
        char host[1025];
        char service[32];
        if (NPmcSocketAPI::getnameinfo(address,
                                       (int)sizeof(SOCKADDR_IN6),
                                       host,
                                       sizeof host,
                                       service,
                                       sizeof service,
                                       NI_NUMERICHOST | NI_NUMERICSERV) != 0)
            return PMC_E_FAIL;
        return pmc_make_address(
            host, pmc_protocol_of_family(address->sa_family), (uint16_t)std::strtoul(service, nullptr, 10), out);
    }
};

int pmc_create_datagram_socket(int protocol, uint16_t port, DataGramSocket **out)
{
    if (!out)
        return PMC_E_ARG;
    *out = nullptr;
    DataGramSocket *socket = nullptr;
    if (protocol == PMC_PROTOCOL_IPV4)
        socket = new DataGramSocketV4();
    else if (protocol == PMC_PROTOCOL_IPX)
        socket = new DataGramSocketIpx();
    else if (protocol == PMC_PROTOCOL_IPV6)
        socket = new DataGramSocketV6();
    else
        return PMC_E_ARG;
    if (!socket)
        return PMC_E_MEMORY;
    int status = socket->open(port);
    if (status != PMC_OK) {
        socket->release();
        return status;
    }
    *out = socket;
    return PMC_OK;
}

int pmc_ipx_to_sockaddr(const char *text, uint16_t port, SOCKADDR_IPX *out)
{
    uint8_t network[4];
    uint8_t node[6];
    if (!out || !pmc_parse_ipx(text, network, node))
        return PMC_E_ARG;
    out->sa_family = AF_IPX;
    std::memcpy(out->sa_netnum, network, 4);
    std::memcpy(out->sa_nodenum, node, 6);
    uint8_t socket_number[2] = {(uint8_t)(port >> 8), (uint8_t)port};
    std::memcpy(&out->sa_socket, socket_number, 2);
    return PMC_OK;
}

void pmc_ipx_from_sockaddr(const SOCKADDR_IPX *address, char text[22], uint16_t *port)
{
    const uint8_t *n = (const uint8_t *)address->sa_netnum;
    const uint8_t *d = (const uint8_t *)address->sa_nodenum;
    std::snprintf(text,
                  22,
                  "%02x%02x%02x%02x:%02x%02x%02x%02x%02x%02x",
                  n[0],
                  n[1],
                  n[2],
                  n[3],
                  d[0],
                  d[1],
                  d[2],
                  d[3],
                  d[4],
                  d[5]);
    uint8_t socket_number[2];
    std::memcpy(socket_number, &address->sa_socket, 2);
    *port = (uint16_t)(socket_number[0] << 8 | socket_number[1]);
}
