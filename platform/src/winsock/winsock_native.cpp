/*
 * Host side of the winsock area: the host's socket calls with Windows numbers translated.
 * This file alone includes the host socket headers.
 */
#include "platform/src/winsock/winsock_native.h"

#include <arpa/inet.h>
#include <errno.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

/* Windows numbers of what the host numbers differently. */
const int kWinAfInet6 = 23;
const int kWinAfIpx = 6;
const int kWinSolSocket = 0xffff;
const int kWsaEafnosupport = 10047;
const int kWsaEfault = 10014;
const int kWsaEinval = 10022;
const int kWsaEmsgsize = 10040;
const int kWsaEnoprotoopt = 10042;

struct Pair {
    int windows;
    int host;
};

const Pair kErrnoCodes[] = {
    {10004, EINTR},        {10009, EBADF},           {10013, EACCES},          {10014, EFAULT},
    {10022, EINVAL},       {10024, EMFILE},          {10035, EAGAIN},          {10036, EINPROGRESS},
    {10038, ENOTSOCK},     {10039, EDESTADDRREQ},    {10040, EMSGSIZE},        {10041, EPROTOTYPE},
    {10042, ENOPROTOOPT},  {10043, EPROTONOSUPPORT}, {10044, ESOCKTNOSUPPORT}, {10045, EOPNOTSUPP},
    {10046, EPFNOSUPPORT}, {10047, EAFNOSUPPORT},    {10048, EADDRINUSE},      {10049, EADDRNOTAVAIL},
    {10050, ENETDOWN},     {10051, ENETUNREACH},     {10054, ECONNRESET},      {10055, ENOBUFS},
    {10056, EISCONN},      {10057, ENOTCONN},        {10060, ETIMEDOUT},       {10061, ECONNREFUSED},
    {10065, EHOSTUNREACH}, {10055, ENOMEM},
};

const Pair kEaiCodes[] = {
    {11002, EAI_AGAIN},
    {10022, EAI_BADFLAGS},
    {11003, EAI_FAIL},
    {10047, EAI_FAMILY},
    {8, EAI_MEMORY},
    {11001, EAI_NONAME},
    {10109, EAI_SERVICE},
    {10044, EAI_SOCKTYPE},
    {11004, EAI_NODATA},
    {10014, EAI_OVERFLOW},
    {11001, EAI_ADDRFAMILY},
};

/* Options by Windows (level, option): the host's level and option. */
struct OptionMap {
    int win_level, win_option, level, option;
};

const OptionMap kOptions[] = {
    {kWinSolSocket, 0x0004, SOL_SOCKET, SO_REUSEADDR},
    {kWinSolSocket, 0x0020, SOL_SOCKET, SO_BROADCAST},
    {kWinSolSocket, 0x1001, SOL_SOCKET, SO_SNDBUF},
    {kWinSolSocket, 0x1002, SOL_SOCKET, SO_RCVBUF},
    {kWinSolSocket, 0x1007, SOL_SOCKET, SO_ERROR},
    {IPPROTO_IP, 12, IPPROTO_IP, IP_ADD_MEMBERSHIP},
    {IPPROTO_IP, 13, IPPROTO_IP, IP_DROP_MEMBERSHIP},
    {IPPROTO_IPV6, 12, IPPROTO_IPV6, IPV6_ADD_MEMBERSHIP},
    {IPPROTO_IPV6, 13, IPPROTO_IPV6, IPV6_DROP_MEMBERSHIP},
};

/* getnameinfo flags: Windows bit, host bit. */
const Pair kNameFlags[] = {
    {0x1, NI_NOFQDN},
    {0x2, NI_NUMERICHOST},
    {0x4, NI_NAMEREQD},
    {0x8, NI_NUMERICSERV},
    {0x10, NI_DGRAM},
};

int windows_error(int host_errno)
{
    for (const Pair &p : kErrnoCodes) {
        if (p.host == host_errno)
            return -p.windows;
    }
    return -kWsaEinval;
}

int eai_error(int code)
{
    if (code == EAI_SYSTEM)
        return windows_error(errno);
    for (const Pair &p : kEaiCodes) {
        if (p.host == code)
            return -p.windows;
    }
    return -11003;
}

int host_family(int family)
{
    if (family == kWinAfInet6)
        return AF_INET6;
    if (family == kWinAfIpx)
        return AF_IPX;
    return family;
}

int windows_family(int family)
{
    if (family == AF_INET6)
        return kWinAfInet6;
    if (family == AF_IPX)
        return kWinAfIpx;
    return family;
}

/* A Windows-layout address as the host's. Only IPv4 and IPv6 exist on the host. */
int to_host(const void *addr, int len, sockaddr_storage *out, socklen_t *out_len)
{
    if (!addr || len < 2)
        return -kWsaEfault;
    unsigned short family;
    memcpy(&family, addr, 2);
    int host = host_family(family);
    socklen_t need = host == AF_INET ? sizeof(sockaddr_in) : host == AF_INET6 ? sizeof(sockaddr_in6) : 0;
    if (!need)
        return -kWsaEafnosupport;
    if ((socklen_t)len < need)
        return -kWsaEfault;
    memset(out, 0, sizeof *out);
    memcpy(out, addr, need);
    out->ss_family = (sa_family_t)host;
    *out_len = need;
    return 0;
}

/* A host address into a Windows-layout buffer of *len bytes; *len gets the size. */
int to_windows(const sockaddr_storage &in, socklen_t in_len, void *addr, int *len)
{
    if (!addr || !len)
        return 0;
    if (*len < (int)in_len)
        return -kWsaEfault;
    memcpy(addr, &in, in_len);
    unsigned short family = (unsigned short)windows_family(in.ss_family);
    memcpy(addr, &family, 2);
    *len = (int)in_len;
    return 0;
}

int result(int r)
{
    return r < 0 ? windows_error(errno) : r;
}

} // namespace

int qmws::Socket(int family, int type, int protocol)
{
    int host = host_family(family);
    if (host != AF_INET && host != AF_INET6 && host != AF_UNSPEC)
        return -kWsaEafnosupport;
    return result(::socket(host, type, protocol));
}

int qmws::Close(int fd)
{
    return result(::close(fd));
}

int qmws::Bind(int fd, const void *addr, int len)
{
    sockaddr_storage ss;
    socklen_t ss_len;
    if (int r = to_host(addr, len, &ss, &ss_len))
        return r;
    return result(::bind(fd, (sockaddr *)&ss, ss_len));
}

int qmws::Connect(int fd, const void *addr, int len)
{
    sockaddr_storage ss;
    socklen_t ss_len;
    if (int r = to_host(addr, len, &ss, &ss_len))
        return r;
    return result(::connect(fd, (sockaddr *)&ss, ss_len));
}

int qmws::Listen(int fd, int backlog)
{
    return result(::listen(fd, backlog));
}

int qmws::Accept(int fd, void *addr, int *len)
{
    sockaddr_storage ss;
    socklen_t ss_len = sizeof ss;
    int r = ::accept(fd, (sockaddr *)&ss, &ss_len);
    if (r < 0)
        return windows_error(errno);
    if (int e = to_windows(ss, ss_len, addr, len)) {
        ::close(r);
        return e;
    }
    return r;
}

int qmws::GetSockName(int fd, void *addr, int *len)
{
    sockaddr_storage ss;
    socklen_t ss_len = sizeof ss;
    if (::getsockname(fd, (sockaddr *)&ss, &ss_len) < 0)
        return windows_error(errno);
    if (!addr || !len)
        return -kWsaEfault;
    return to_windows(ss, ss_len, addr, len);
}

static const OptionMap *find_option(int level, int option)
{
    for (const OptionMap &o : kOptions) {
        if (o.win_level == level && o.win_option == option)
            return &o;
    }
    return nullptr;
}

int qmws::SetSockOpt(int fd, int level, int option, const void *value, int len)
{
    const OptionMap *o = find_option(level, option);
    if (!o)
        return -kWsaEnoprotoopt;
    if (!value || len < 0)
        return -kWsaEfault;
    return result(::setsockopt(fd, o->level, o->option, value, (socklen_t)len));
}

int qmws::GetSockOpt(int fd, int level, int option, void *value, int *len)
{
    const OptionMap *o = find_option(level, option);
    if (!o)
        return -kWsaEnoprotoopt;
    if (!value || !len || *len < 0)
        return -kWsaEfault;
    socklen_t n = (socklen_t)*len;
    if (::getsockopt(fd, o->level, o->option, value, &n) < 0)
        return windows_error(errno);
    *len = (int)n;
    return 0;
}

int qmws::SetNonBlocking(int fd, bool on)
{
    int flags = fcntl(fd, F_GETFL);
    if (flags < 0)
        return windows_error(errno);
    flags = on ? flags | O_NONBLOCK : flags & ~O_NONBLOCK;
    return result(fcntl(fd, F_SETFL, flags));
}

int qmws::SendTo(int fd, const void *data, int len, int flags, const void *addr, int addrlen)
{
    if (!addr)
        return result((int)::send(fd, data, (size_t)len, flags | MSG_NOSIGNAL));
    sockaddr_storage ss;
    socklen_t ss_len;
    if (int r = to_host(addr, addrlen, &ss, &ss_len))
        return r;
    return result((int)::sendto(fd, data, (size_t)len, flags | MSG_NOSIGNAL, (sockaddr *)&ss, ss_len));
}

int qmws::RecvFrom(int fd, void *data, int len, int flags, void *addr, int *addrlen)
{
    sockaddr_storage ss;
    socklen_t ss_len = sizeof ss;
    int host_flags = (flags & 0x2) ? MSG_PEEK : 0;
    ssize_t n = ::recvfrom(fd, data, (size_t)len, host_flags | MSG_TRUNC, (sockaddr *)&ss, &ss_len);
    if (n < 0)
        return windows_error(errno);
    if (addr && addrlen && ss_len > 0) {
        if (int e = to_windows(ss, ss_len, addr, addrlen))
            return e;
    }
    /* The host truncates silently; Windows reports the datagram as too long. */
    if (n > len)
        return -kWsaEmsgsize;
    return (int)n;
}

int qmws::Poll(const int *fds, const int *events, int *ready, int count, long timeout_ms)
{
    pollfd list[3 * 64];
    if (count > (int)(sizeof list / sizeof list[0]))
        return -kWsaEinval;
    for (int i = 0; i < count; ++i) {
        list[i].fd = fds[i];
        list[i].events =
            (short)(((events[i] & 1) ? POLLIN : 0) | ((events[i] & 2) ? POLLOUT : 0) | ((events[i] & 4) ? POLLPRI : 0));
        list[i].revents = 0;
    }
    int r = ::poll(list, (nfds_t)count, timeout_ms < 0 ? -1 : (int)timeout_ms);
    if (r < 0)
        return windows_error(errno);
    int total = 0;
    for (int i = 0; i < count; ++i) {
        short re = list[i].revents;
        ready[i] = ((re & (POLLIN | POLLHUP | POLLERR)) ? 1 : 0) | ((re & POLLOUT) ? 2 : 0) | ((re & POLLPRI) ? 4 : 0);
        ready[i] &= events[i];
        if (re & POLLNVAL)
            return -10038;
        if (ready[i])
            ++total;
    }
    return total;
}

int qmws::HostName(char *name, int len)
{
    if (!name || len <= 0)
        return -kWsaEfault;
    char buffer[1025];
    if (::gethostname(buffer, sizeof buffer) < 0)
        return windows_error(errno);
    buffer[sizeof buffer - 1] = '\0';
    if ((int)strlen(buffer) >= len)
        return -kWsaEfault;
    strcpy(name, buffer);
    return 0;
}

int qmws::GetAddrInfo(const char *node, const char *service, int flags, int family, int socktype, int protocol,
                      AddrEntry **out, int *count)
{
    addrinfo hints;
    memset(&hints, 0, sizeof hints);
    hints.ai_flags = flags & (AI_PASSIVE | AI_CANONNAME | AI_NUMERICHOST);
    hints.ai_family = host_family(family);
    hints.ai_socktype = socktype;
    hints.ai_protocol = protocol;
    if (hints.ai_family != AF_UNSPEC && hints.ai_family != AF_INET && hints.ai_family != AF_INET6)
        return -kWsaEafnosupport;
    addrinfo *list = nullptr;
    int r = ::getaddrinfo(node, service, &hints, &list);
    if (r != 0)
        return eai_error(r);
    int n = 0;
    for (addrinfo *a = list; a; a = a->ai_next)
        ++n;
    AddrEntry *entries = (AddrEntry *)calloc(n ? n : 1, sizeof(AddrEntry));
    if (!entries) {
        ::freeaddrinfo(list);
        return -8;
    }
    int i = 0;
    for (addrinfo *a = list; a; a = a->ai_next, ++i) {
        AddrEntry &e = entries[i];
        e.flags = a->ai_flags;
        e.family = windows_family(a->ai_family);
        e.socktype = a->ai_socktype;
        e.protocol = a->ai_protocol;
        int len = (int)sizeof e.addr;
        sockaddr_storage ss;
        memset(&ss, 0, sizeof ss);
        memcpy(&ss, a->ai_addr, a->ai_addrlen < sizeof ss ? a->ai_addrlen : sizeof ss);
        if (to_windows(ss, a->ai_addrlen, e.addr, &len) == 0)
            e.addrlen = len;
        if (a->ai_canonname)
            snprintf(e.canonname, sizeof e.canonname, "%s", a->ai_canonname);
    }
    ::freeaddrinfo(list);
    *out = entries;
    *count = n;
    return 0;
}

int qmws::GetNameInfo(const void *addr, int len, char *host, size_t hostlen, char *serv, size_t servlen, int flags)
{
    sockaddr_storage ss;
    socklen_t ss_len;
    if (int r = to_host(addr, len, &ss, &ss_len))
        return r;
    int host_flags = 0;
    for (const Pair &p : kNameFlags) {
        if (flags & p.windows)
            host_flags |= p.host;
    }
    /* Windows prints a scope as its number; the host prints the interface name. */
    unsigned scope = 0;
    if (ss.ss_family == AF_INET6) {
        scope = ((sockaddr_in6 *)&ss)->sin6_scope_id;
        if (host_flags & NI_NUMERICHOST)
            ((sockaddr_in6 *)&ss)->sin6_scope_id = 0;
    }
    char text[1025];
    int r = ::getnameinfo((sockaddr *)&ss,
                          ss_len,
                          host ? text : nullptr,
                          host ? sizeof text : 0,
                          serv,
                          serv ? (socklen_t)servlen : 0,
                          host_flags);
    if (r != 0)
        return eai_error(r);
    if (!host)
        return 0;
    if (scope && (host_flags & NI_NUMERICHOST)) {
        size_t used = strlen(text);
        snprintf(text + used, sizeof text - used, "%%%u", scope);
    }
    if (strlen(text) >= hostlen)
        return -kWsaEfault;
    strcpy(host, text);
    return 0;
}

int qmws::HostByName(const char *name, HostEntry *entry)
{
    addrinfo hints;
    memset(&hints, 0, sizeof hints);
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    hints.ai_flags = AI_CANONNAME;
    addrinfo *list = nullptr;
    int r = ::getaddrinfo(name, nullptr, &hints, &list);
    if (r != 0)
        return eai_error(r);
    snprintf(entry->name, sizeof entry->name, "%s", list->ai_canonname ? list->ai_canonname : name);
    entry->count = 0;
    for (addrinfo *a = list; a && entry->count < 16; a = a->ai_next) {
        memcpy(entry->addresses[entry->count++], &((sockaddr_in *)a->ai_addr)->sin_addr, 4);
    }
    ::freeaddrinfo(list);
    return 0;
}

int qmws::HostByAddr(const void *addr4, HostEntry *entry)
{
    sockaddr_in sin;
    memset(&sin, 0, sizeof sin);
    sin.sin_family = AF_INET;
    memcpy(&sin.sin_addr, addr4, 4);
    int r = ::getnameinfo((sockaddr *)&sin, sizeof sin, entry->name, sizeof entry->name, nullptr, 0, NI_NAMEREQD);
    if (r != 0)
        return eai_error(r);
    entry->count = 1;
    memcpy(entry->addresses[0], addr4, 4);
    return 0;
}

int qmws::ServByName(const char *name, const char *proto, char *official, size_t len, int *port)
{
    servent se;
    servent *found = nullptr;
    char buffer[1024];
    if (getservbyname_r(name, proto, &se, buffer, sizeof buffer, &found) != 0 || !found)
        return -11004;
    snprintf(official, len, "%s", found->s_name);
    *port = found->s_port;
    return 0;
}

uint32_t qmws::InetAddr(const char *text)
{
    return (uint32_t)::inet_addr(text);
}

unsigned short qmws::Swap16(unsigned short v)
{
    return ntohs(v);
}

uint32_t qmws::Swap32(uint32_t v)
{
    return ntohl(v);
}
