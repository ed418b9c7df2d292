/*
 * Windows Sockets on the host: start-up counting, the last error, byte order, descriptor
 * sets and the socket calls, each a translation to the host (winsock_native.cpp).
 * Calls other than the start-up and byte-order ones fail with WSANOTINITIALISED while no
 * WSAStartup is in effect, as on Windows.
 */
#include "platform/src/winsock/winsock_private.h"

#include <ws2tcpip.h>

#include <atomic>
#include <string.h>

#include "platform/src/winsock/winsock_native.h"
#include "platform/testing/qm_testing.h"

namespace {

std::atomic<LONG> g_startups{0};
std::atomic<LONG> g_open_sockets{0};

/* The descriptor of a Windows SOCKET. */
int fd_of(SOCKET s)
{
    return (int)s;
}

} // namespace

bool qmws::Started()
{
    if (g_startups.load() > 0)
        return true;
    SetLastError(WSANOTINITIALISED);
    return false;
}

int qmws::Answer(int result)
{
    if (result >= 0)
        return result;
    SetLastError((DWORD)-result);
    return SOCKET_ERROR;
}

/*
 * WSAStartup: counts one start-up and describes the implementation (version 2.2 at most).
 * A version below 1.0 gives WSAVERNOTSUPPORTED; a null lpWSAData WSAEFAULT.
 */
extern "C" int WSAAPI WSAStartup(WORD wVersionRequested, LPWSADATA lpWSAData)
{
    if (!lpWSAData)
        return WSAEFAULT;
    BYTE major = LOBYTE(wVersionRequested);
    BYTE minor = HIBYTE(wVersionRequested);
    if (major < 1)
        return WSAVERNOTSUPPORTED;
    memset(lpWSAData, 0, sizeof *lpWSAData);
    lpWSAData->wVersion = (major > 2 || (major == 2 && minor >= 2)) ? MAKEWORD(2, 2) : wVersionRequested;
    lpWSAData->wHighVersion = MAKEWORD(2, 2);
    strcpy(lpWSAData->szDescription, "WinSock 2.0");
    strcpy(lpWSAData->szSystemStatus, "Running");
    ++g_startups;
    return 0;
}

/* WSACleanup: ends one start-up; SOCKET_ERROR with WSANOTINITIALISED when none is in effect. */
extern "C" int WSAAPI WSACleanup(void)
{
    LONG n = g_startups.load();
    while (n > 0 && !g_startups.compare_exchange_weak(n, n - 1)) {}
    if (n <= 0) {
        SetLastError(WSANOTINITIALISED);
        return SOCKET_ERROR;
    }
    return 0;
}

/* WSAGetLastError: the thread's last error, which Winsock shares with GetLastError. */
extern "C" int WSAAPI WSAGetLastError(void)
{
    return (int)GetLastError();
}

extern "C" u_short WSAAPI htons(u_short v)
{
    return qmws::Swap16(v);
}

extern "C" u_short WSAAPI ntohs(u_short v)
{
    return qmws::Swap16(v);
}

extern "C" u_long WSAAPI htonl(u_long v)
{
    return qmws::Swap32(v);
}

extern "C" u_long WSAAPI ntohl(u_long v)
{
    return qmws::Swap32(v);
}

/* __WSAFDIsSet: whether fd is among the set's entries. */
extern "C" int WSAAPI __WSAFDIsSet(SOCKET fd, fd_set *set)
{
    if (!set)
        return 0;
    for (u_int i = 0; i < set->fd_count && i < FD_SETSIZE; ++i) {
        if (set->fd_array[i] == fd)
            return 1;
    }
    return 0;
}

/* socket: a host socket; IPX and other families the host lacks fail with WSAEAFNOSUPPORT. */
extern "C" SOCKET WSAAPI socket(int af, int type, int protocol)
{
    if (!qmws::Started())
        return INVALID_SOCKET;
    int fd = qmws::Socket(af, type, af == AF_IPX ? 0 : protocol);
    if (fd < 0) {
        SetLastError((DWORD)-fd);
        return INVALID_SOCKET;
    }
    ++g_open_sockets;
    return (SOCKET)fd;
}

extern "C" int WSAAPI closesocket(SOCKET s)
{
    if (!qmws::Started())
        return SOCKET_ERROR;
    int r = qmws::Answer(qmws::Close(fd_of(s)));
    if (r == 0)
        --g_open_sockets;
    return r;
}

extern "C" int WSAAPI bind(SOCKET s, const struct sockaddr *name, int namelen)
{
    if (!qmws::Started())
        return SOCKET_ERROR;
    return qmws::Answer(qmws::Bind(fd_of(s), name, namelen));
}

extern "C" int WSAAPI connect(SOCKET s, const struct sockaddr *name, int namelen)
{
    if (!qmws::Started())
        return SOCKET_ERROR;
    return qmws::Answer(qmws::Connect(fd_of(s), name, namelen));
}

extern "C" int WSAAPI listen(SOCKET s, int backlog)
{
    if (!qmws::Started())
        return SOCKET_ERROR;
    return qmws::Answer(qmws::Listen(fd_of(s), backlog));
}

extern "C" SOCKET WSAAPI accept(SOCKET s, struct sockaddr *addr, int *addrlen)
{
    if (!qmws::Started())
        return INVALID_SOCKET;
    int fd = qmws::Accept(fd_of(s), addr, addrlen);
    if (fd < 0) {
        SetLastError((DWORD)-fd);
        return INVALID_SOCKET;
    }
    ++g_open_sockets;
    return (SOCKET)fd;
}

extern "C" int WSAAPI getsockname(SOCKET s, struct sockaddr *name, int *namelen)
{
    if (!qmws::Started())
        return SOCKET_ERROR;
    return qmws::Answer(qmws::GetSockName(fd_of(s), name, namelen));
}

/* setsockopt/getsockopt: SOL_SOCKET (SO_BROADCAST, SO_REUSEADDR, SO_SNDBUF, SO_RCVBUF,
 * SO_ERROR) and the multicast memberships; other options WSAENOPROTOOPT. */
extern "C" int WSAAPI setsockopt(SOCKET s, int level, int optname, const char *optval, int optlen)
{
    if (!qmws::Started())
        return SOCKET_ERROR;
    return qmws::Answer(qmws::SetSockOpt(fd_of(s), level, optname, optval, optlen));
}

extern "C" int WSAAPI getsockopt(SOCKET s, int level, int optname, char *optval, int *optlen)
{
    if (!qmws::Started())
        return SOCKET_ERROR;
    return qmws::Answer(qmws::GetSockOpt(fd_of(s), level, optname, optval, optlen));
}

/* ioctlsocket: FIONBIO only; other commands WSAEINVAL. */
extern "C" int WSAAPI ioctlsocket(SOCKET s, LONG cmd, u_long *argp)
{
    if (!qmws::Started())
        return SOCKET_ERROR;
    if (cmd != FIONBIO || !argp)
        return qmws::Answer(-WSAEINVAL);
    return qmws::Answer(qmws::SetNonBlocking(fd_of(s), *argp != 0));
}

extern "C" int WSAAPI sendto(SOCKET s, const char *buf, int len, int flags, const struct sockaddr *to, int tolen)
{
    if (!qmws::Started())
        return SOCKET_ERROR;
    if (!buf || len < 0)
        return qmws::Answer(-WSAEFAULT);
    return qmws::Answer(qmws::SendTo(fd_of(s), buf, len, flags, to, tolen));
}

extern "C" int WSAAPI send(SOCKET s, const char *buf, int len, int flags)
{
    return sendto(s, buf, len, flags, nullptr, 0);
}

/* recvfrom: a datagram longer than len fails with WSAEMSGSIZE after storing len bytes. */
extern "C" int WSAAPI recvfrom(SOCKET s, char *buf, int len, int flags, struct sockaddr *from, int *fromlen)
{
    if (!qmws::Started())
        return SOCKET_ERROR;
    if (!buf || len < 0)
        return qmws::Answer(-WSAEFAULT);
    return qmws::Answer(qmws::RecvFrom(fd_of(s), buf, len, flags, from, fromlen));
}

extern "C" int WSAAPI recv(SOCKET s, char *buf, int len, int flags)
{
    return recvfrom(s, buf, len, flags, nullptr, nullptr);
}

/*
 * select: waits until a socket of the sets is ready or the time-out passes (null = no
 * limit); each set keeps only its ready sockets. nfds is ignored. All sets empty gives
 * WSAEINVAL.
 */
extern "C" int WSAAPI qmsys_select(int nfds, fd_set *readfds, fd_set *writefds, fd_set *exceptfds,
                                   const struct timeval *timeout)
{
    (void)nfds;
    if (!qmws::Started())
        return SOCKET_ERROR;
    fd_set *sets[3] = {readfds, writefds, exceptfds};
    int fds[3 * FD_SETSIZE];
    int events[3 * FD_SETSIZE];
    int ready[3 * FD_SETSIZE];
    int count = 0;
    for (int k = 0; k < 3; ++k) {
        if (!sets[k])
            continue;
        for (u_int i = 0; i < sets[k]->fd_count && i < FD_SETSIZE; ++i) {
            fds[count] = fd_of(sets[k]->fd_array[i]);
            events[count++] = 1 << k;
        }
    }
    if (count == 0)
        return qmws::Answer(-WSAEINVAL);
    long ms = timeout ? timeout->tv_sec * 1000 + timeout->tv_usec / 1000 : -1;
    int r = qmws::Poll(fds, events, ready, count, ms);
    if (r < 0)
        return qmws::Answer(r);
    int at = 0;
    for (int k = 0; k < 3; ++k) {
        if (!sets[k])
            continue;
        u_int kept = 0;
        for (u_int i = 0; i < sets[k]->fd_count && i < FD_SETSIZE; ++i, ++at) {
            if (ready[at])
                sets[k]->fd_array[kept++] = sets[k]->fd_array[i];
        }
        sets[k]->fd_count = kept;
    }
    return r;
}

extern "C" LONG qmt_WinsockStartups(void)
{
    return g_startups.load();
}

extern "C" LONG qmt_OpenSockets(void)
{
    return g_open_sockets.load();
}
