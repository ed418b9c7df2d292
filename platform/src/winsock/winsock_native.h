/*
 * The host side of the winsock area: host socket calls behind plain C types, so that the
 * Windows side never sees the host's socket headers. Addresses travel in the Windows
 * layout (sockaddr_in, sockaddr_in6 with the Windows family numbers); these functions
 * translate families, levels, options and flags. Results >= 0 are values; a negative
 * result is minus the Windows error code (WSAE..., or an EAI code mapped to one).
 */
#ifndef QM_WINSOCK_NATIVE_H
#define QM_WINSOCK_NATIVE_H

#include <stddef.h>
#include <stdint.h>

namespace qmws {

/* One entry of a name lookup, Windows numbering and layout. */
struct AddrEntry {
    int flags, family, socktype, protocol;
    int addrlen;
    unsigned char addr[28];
    char canonname[256]; /* empty when the lookup gave none */
};

/* A host entry for gethostbyname/gethostbyaddr: up to 16 IPv4 addresses. */
struct HostEntry {
    char name[1025];
    int count;
    unsigned char addresses[16][4];
};

int Socket(int family, int type, int protocol);
int Close(int fd);
int Bind(int fd, const void *addr, int len);
int Connect(int fd, const void *addr, int len);
int Listen(int fd, int backlog);
int Accept(int fd, void *addr, int *len);
int GetSockName(int fd, void *addr, int *len);
int SetSockOpt(int fd, int level, int option, const void *value, int len);
int GetSockOpt(int fd, int level, int option, void *value, int *len);
int SetNonBlocking(int fd, bool on);
int SendTo(int fd, const void *data, int len, int flags, const void *addr, int addrlen);
/* RecvFrom: a datagram longer than len fails with WSAEMSGSIZE (its first len bytes are
 * stored), as on Windows. */
int RecvFrom(int fd, void *data, int len, int flags, void *addr, int *addrlen);
/* Poll: waits on the descriptors (events: 1 read, 2 write, 4 error), timeout_ms < 0 for
 * no limit; ready[i] receives the events that are ready. Returns the ready count. */
int Poll(const int *fds, const int *events, int *ready, int count, long timeout_ms);
int HostName(char *name, int len);
/* GetAddrInfo: entries in a malloc'd array (*out, freed with free) and their count. */
int GetAddrInfo(const char *node, const char *service, int flags, int family, int socktype, int protocol,
                AddrEntry **out, int *count);
int GetNameInfo(const void *addr, int len, char *host, size_t hostlen, char *serv, size_t servlen, int flags);
int HostByName(const char *name, HostEntry *entry);
int HostByAddr(const void *addr4, HostEntry *entry);
/* ServByName: the port in network order. */
int ServByName(const char *name, const char *proto, char *official, size_t len, int *port);
uint32_t InetAddr(const char *text);
unsigned short Swap16(unsigned short v);
uint32_t Swap32(uint32_t v);

} // namespace qmws

#endif
