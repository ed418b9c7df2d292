/*
 * DataGramSocket: the library's one transport, an unconnected datagram socket for IPv4,
 * IPX or IPv6 bound to a local address, with send, receive with a time-out, broadcast and
 * multicast. Winsock is reached through the run-time binding; each socket does its own
 * Winsock start-up and clean-up.
 */
#ifndef MANAGEMENT_NETWORK_PMC_DATAGRAM_SOCKET_H
#define MANAGEMENT_NETWORK_PMC_DATAGRAM_SOCKET_H

#include <winsock2.h>
#include <ws2tcpip.h>
#include <wsipx.h>
#include <windows.h>

#include <cstdint>

#include "management/base/pmc_memory.h"
#include "management/network/pmc_network_address.h"

/* The socket-address buffer size passed to bind, sendto and recvfrom. */
constexpr int PMC_SOCKADDR_SIZE = 128;

class DataGramSocket : public CPmcHeapObject
{
public:
    DataGramSocket(const DataGramSocket &) = delete;
    DataGramSocket &operator=(const DataGramSocket &) = delete;

    /* 1. release: closes the handle and ends this socket's Winsock start-up. */
    virtual void release();
    /* 2. send: one datagram to `destination`. 0, -2 (unconvertible destination), -205. A
     * short send is logged and answers 0. */
    virtual int send(const void *bytes, uint32_t length, IPmcNetworkAddress *destination);
    /* 3. receive: waits up to `timeout_ms` (-1: no limit) for one datagram of at most
     * `capacity` bytes. received (out) its length; sender (out) a new address the caller
     * releases. 0, -203 time-out, -204 select/recvfrom failed (also a datagram longer than
     * the capacity), -1 the sender's address object could not be made, -2 null arguments. */
    virtual int receive(void *buffer, uint32_t capacity, int32_t timeout_ms, uint32_t *received,
                        IPmcNetworkAddress **sender);
    /* 4. handle: the socket handle (INVALID_SOCKET before creation). */
    virtual SOCKET handle();
    /* 5. set_broadcast: IPv4 and IPX set SO_BROADCAST (0, -1); IPv6 does nothing (0). */
    virtual int set_broadcast(bool on);
    /* 6. join_multicast_group: IPv4 or IPv6 group text; 0, -1, -2 (IPX or bad text). */
    virtual int join_multicast_group(const char *group) = 0;

protected:
    DataGramSocket() = default;
    /* 7. destructor. */
    virtual ~DataGramSocket();
    /* 8. start-up: Winsock 1.1 or 2.2. */
    virtual int startup() = 0;
    /* 9. set_any_local: the local address becomes the any-address with `port`. */
    virtual int set_any_local(uint16_t port) = 0;
    /* 10. to_address: a new address object of a socket address. 0, -1, -3. */
    virtual int to_address(const sockaddr *address, IPmcNetworkAddress **out) = 0;
    /* 11. to_sockaddr: the socket address of an address object (128 bytes). 0 or -2. */
    virtual int to_sockaddr(IPmcNetworkAddress *address, SOCKADDR_STORAGE *out) = 0;
    /* 12. create_handle: the socket() call of the variant. */
    virtual SOCKET create_handle() = 0;

    /* open: start-up, handle, bind to the any-address with `port`, read the bound address. */
    int open(uint16_t port);

    SOCKET m_handle = INVALID_SOCKET;
    IPmcNetworkAddress *m_local = nullptr;
    bool m_started = false;

    friend int pmc_create_datagram_socket(int protocol, uint16_t port, DataGramSocket **out);
};

/*
 * pmc_create_datagram_socket: a socket of protocol 1 (IPv4), 2 (IPX) or 4 (IPv6) bound to
 * `port` (0 = any). 0, -2 other protocols or null out, -3 no memory, the start-up's
 * status, -201 socket creation, -202 local address or bind, -1 bound address unreadable.
 */
int pmc_create_datagram_socket(int protocol, uint16_t port, DataGramSocket **out);

/* The IPX socket-address conversions (pure): text and port to SOCKADDR_IPX and back.
 * 0, or -2 for a text not of the IPX form. The text needs 22 bytes. */
int pmc_ipx_to_sockaddr(const char *text, uint16_t port, SOCKADDR_IPX *out);
void pmc_ipx_from_sockaddr(const SOCKADDR_IPX *address, char text[22], uint16_t *port);

#endif /* MANAGEMENT_NETWORK_PMC_DATAGRAM_SOCKET_H */
