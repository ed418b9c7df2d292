/*
 * Windows Sockets name services on the host: getaddrinfo and its list in the Windows
 * layout (one process-heap block per entry, so a list never freed shows in the heap
 * counts), getnameinfo with Windows flags and numeric scopes, the per-thread host and
 * service entries, gethostname and the IPv4 text conversions.
 */
#include "platform/src/winsock/winsock_private.h"

#include <ws2tcpip.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "platform/src/winsock/winsock_native.h"

namespace {

/* The per-thread results of gethostbyname/gethostbyaddr, getservbyname and inet_ntoa. */
struct HostResult {
    qmws::HostEntry entry;
    char *aliases[1];
    char *addresses[17];
    hostent host;
};

struct ServiceResult {
    char name[256];
    char proto[16];
    char *aliases[1];
    servent service;
};

thread_local HostResult t_host;
thread_local ServiceResult t_service;
thread_local char t_ntoa[16];

hostent *host_of(const qmws::HostEntry &entry)
{
    HostResult &h = t_host;
    h.entry = entry;
    h.aliases[0] = nullptr;
    for (int i = 0; i < entry.count; ++i)
        h.addresses[i] = (char *)h.entry.addresses[i];
    h.addresses[entry.count] = nullptr;
    h.host.h_name = h.entry.name;
    h.host.h_aliases = h.aliases;
    h.host.h_addrtype = AF_INET;
    h.host.h_length = 4;
    h.host.h_addr_list = h.addresses;
    return &h.host;
}

/* One entry of a getaddrinfo list: the node, its address and its canonical name. */
addrinfo *new_entry(const qmws::AddrEntry &e)
{
    size_t name_len = e.canonname[0] ? strlen(e.canonname) + 1 : 0;
    size_t size = sizeof(addrinfo) + sizeof e.addr + name_len;
    addrinfo *a = (addrinfo *)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size);
    if (!a)
        return nullptr;
    a->ai_flags = e.flags;
    a->ai_family = e.family;
    a->ai_socktype = e.socktype;
    a->ai_protocol = e.protocol;
    a->ai_addrlen = (size_t)e.addrlen;
    a->ai_addr = (sockaddr *)(a + 1);
    memcpy(a->ai_addr, e.addr, sizeof e.addr);
    if (name_len) {
        a->ai_canonname = (char *)a->ai_addr + sizeof e.addr;
        memcpy(a->ai_canonname, e.canonname, name_len);
    }
    return a;
}

} // namespace

extern "C" void WSAAPI freeaddrinfo(struct addrinfo *ai)
{
    while (ai) {
        addrinfo *next = ai->ai_next;
        HeapFree(GetProcessHeap(), 0, ai);
        ai = next;
    }
}

/*
 * getaddrinfo: the addresses of node and service as a list freed with freeaddrinfo.
 * Returns 0, or the error (also the last error): WSAHOST_NOT_FOUND, WSAEAFNOSUPPORT,
 * WSATYPE_NOT_FOUND, WSA_NOT_ENOUGH_MEMORY (8), WSANOTINITIALISED ...
 */
extern "C" int WSAAPI getaddrinfo(const char *node, const char *service, const struct addrinfo *hints,
                                  struct addrinfo **res)
{
    if (!qmws::Started())
        return WSANOTINITIALISED;
    if (!res || (!node && !service)) {
        SetLastError(!res ? WSAEINVAL : WSAHOST_NOT_FOUND);
        return (int)GetLastError();
    }
    *res = nullptr;
    qmws::AddrEntry *entries = nullptr;
    int count = 0;
    int r = qmws::GetAddrInfo(node,
                              service,
                              hints ? hints->ai_flags : 0,
                              hints ? hints->ai_family : 0,
                              hints ? hints->ai_socktype : 0,
                              hints ? hints->ai_protocol : 0,
                              &entries,
                              &count);
    if (r < 0) {
        SetLastError((DWORD)-r);
        return -r;
    }
    addrinfo *head = nullptr;
    addrinfo **tail = &head;
    for (int i = 0; i < count; ++i) {
        addrinfo *a = new_entry(entries[i]);
        if (!a) {
            freeaddrinfo(head);
            free(entries);
            SetLastError(8);
            return 8;
        }
        *tail = a;
        tail = &a->ai_next;
    }
    free(entries);
    *res = head;
    return 0;
}

/*
 * getnameinfo: host and service texts of an address, with the Windows flags
 * (NI_NUMERICHOST 2, NI_NUMERICSERV 8, NI_NAMEREQD 4, NI_NOFQDN 1, NI_DGRAM 16). A numeric
 * IPv6 host with a scope ends in "%" and the scope number. Returns 0 or the error.
 */
extern "C" int WSAAPI getnameinfo(const struct sockaddr *sa, int salen, char *host, DWORD hostlen, char *serv,
                                  DWORD servlen, int flags)
{
    if (!qmws::Started())
        return WSANOTINITIALISED;
    int r = qmws::GetNameInfo(sa, salen, hostlen ? host : nullptr, hostlen, servlen ? serv : nullptr, servlen, flags);
    if (r < 0) {
        SetLastError((DWORD)-r);
        return -r;
    }
    return 0;
}

extern "C" int WSAAPI qmsys_gethostname(char *name, int namelen)
{
    if (!qmws::Started())
        return SOCKET_ERROR;
    return qmws::Answer(qmws::HostName(name, namelen));
}

/* gethostbyname: the IPv4 addresses of a name in the thread's host entry; null on failure. */
extern "C" struct hostent *WSAAPI gethostbyname(const char *name)
{
    if (!qmws::Started())
        return nullptr;
    qmws::HostEntry entry;
    char local[1025];
    if (!name || !*name) {
        if (qmws::HostName(local, sizeof local) < 0)
            return nullptr;
        name = local;
    }
    int r = qmws::HostByName(name, &entry);
    if (r < 0) {
        SetLastError((DWORD)-r);
        return nullptr;
    }
    return host_of(entry);
}

/* gethostbyaddr: the name of an IPv4 address (len 4, AF_INET); null on failure. */
extern "C" struct hostent *WSAAPI gethostbyaddr(const char *addr, int len, int type)
{
    if (!qmws::Started())
        return nullptr;
    if (!addr || len != 4 || type != AF_INET) {
        SetLastError(!addr ? WSAEFAULT : WSAEAFNOSUPPORT);
        return nullptr;
    }
    qmws::HostEntry entry;
    int r = qmws::HostByAddr(addr, &entry);
    if (r < 0) {
        SetLastError((DWORD)-r);
        return nullptr;
    }
    return host_of(entry);
}

/* getservbyname: the thread's service entry (port in network order); null when unknown. */
extern "C" struct servent *WSAAPI getservbyname(const char *name, const char *proto)
{
    if (!qmws::Started())
        return nullptr;
    if (!name) {
        SetLastError(WSAEFAULT);
        return nullptr;
    }
    ServiceResult &s = t_service;
    int port = 0;
    int r = qmws::ServByName(name, proto, s.name, sizeof s.name, &port);
    if (r < 0) {
        SetLastError((DWORD)-r);
        return nullptr;
    }
    snprintf(s.proto, sizeof s.proto, "%s", proto ? proto : "udp");
    s.aliases[0] = nullptr;
    s.service.s_name = s.name;
    s.service.s_aliases = s.aliases;
    s.service.s_port = (short)port;
    s.service.s_proto = s.proto;
    return &s.service;
}

/* inet_addr: the address of a dotted text in network order; INADDR_NONE when it is none. */
extern "C" ULONG WSAAPI inet_addr(const char *cp)
{
    if (!cp)
        return INADDR_NONE;
    return qmws::InetAddr(cp);
}

/* inet_ntoa: the dotted text of an address in the thread's buffer. */
extern "C" char *WSAAPI inet_ntoa(struct in_addr in)
{
    const u_char *b = (const u_char *)&in.s_addr;
    snprintf(t_ntoa, sizeof t_ntoa, "%u.%u.%u.%u", b[0], b[1], b[2], b[3]);
    return t_ntoa;
}
