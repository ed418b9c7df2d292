/*
 * Windows Sockets 2 TCP/IP additions of the host build: multicast requests and the
 * protocol-independent name functions, with Windows values and layouts.
 */
#ifndef QM_WS2TCPIP_H
#define QM_WS2TCPIP_H

#include <winsock2.h>

#define IP_ADD_MEMBERSHIP 12
#define IPV6_ADD_MEMBERSHIP 12

#define AI_PASSIVE 0x1
#define AI_CANONNAME 0x2
#define AI_NUMERICHOST 0x4

#define NI_NOFQDN 0x1
#define NI_NUMERICHOST 0x2
#define NI_NAMEREQD 0x4
#define NI_NUMERICSERV 0x8
#define NI_DGRAM 0x10
#define NI_MAXHOST 1025
#define NI_MAXSERV 32

#define EAI_AGAIN WSATRY_AGAIN
#define EAI_BADFLAGS WSAEINVAL
#define EAI_FAIL WSANO_RECOVERY
#define EAI_FAMILY WSAEAFNOSUPPORT
#define EAI_MEMORY 8
#define EAI_NONAME WSAHOST_NOT_FOUND
#define EAI_SERVICE WSATYPE_NOT_FOUND
#define EAI_SOCKTYPE WSAESOCKTNOSUPPORT

typedef struct ip_mreq {
    struct in_addr imr_multiaddr;
    struct in_addr imr_interface;
} IP_MREQ;

typedef struct ipv6_mreq {
    struct in6_addr ipv6mr_multiaddr;
    unsigned int ipv6mr_interface;
} IPV6_MREQ;

typedef struct addrinfo {
    int ai_flags;
    int ai_family;
    int ai_socktype;
    int ai_protocol;
    size_t ai_addrlen;
    char *ai_canonname;
    struct sockaddr *ai_addr;
    struct addrinfo *ai_next;
} ADDRINFOA, *PADDRINFOA;

#ifdef __cplusplus
extern "C" {
#endif

int WSAAPI getaddrinfo(const char *node, const char *service, const struct addrinfo *hints, struct addrinfo **res)
    QM_WSNAME(getaddrinfo);
void WSAAPI freeaddrinfo(struct addrinfo *ai) QM_WSNAME(freeaddrinfo);
int WSAAPI getnameinfo(const struct sockaddr *sa, int salen, char *host, DWORD hostlen, char *serv, DWORD servlen,
                       int flags) QM_WSNAME(getnameinfo);

#ifdef __cplusplus
}
#endif

#endif /* QM_WS2TCPIP_H */
