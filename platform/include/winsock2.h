/*
 * Windows Sockets 2 of the host build: Windows values and layouts. The platform library
 * translates them to the host's sockets. A SOCKET is the host's descriptor.
 *
 * Functions whose names the host C library also has are kept under "qmsys_" + name in
 * the platform library (GetProcAddress of ws2_32 and wsock32 finds them by the Windows
 * name); the declarations below bind to those symbols. The host's own fd_set, select,
 * timeval, u_long and gethostname come with every C++ program, so `fd_set`, `timeval` and
 * `u_long` name the Windows types (a Windows long is 32 bits, the host's 64), and select
 * and gethostname are not declared here (callers reach them through GetProcAddress).
 */
#ifndef QM_WINSOCK2_H
#define QM_WINSOCK2_H

#include <windows.h>

#include <sys/select.h>
#include <sys/types.h>
#include <sys/time.h>
#include <unistd.h>

#undef FD_SETSIZE
#undef FD_SET
#undef FD_CLR
#undef FD_ZERO
#undef FD_ISSET
#define fd_set qm_win_fd_set
#define timeval qm_win_timeval
#define u_long qm_win_u_long

#define WSAAPI WINAPI
/* The symbol of a Winsock function in the platform library. */
#define QM_WSNAME(name) __asm__("qmsys_" #name)

typedef unsigned char u_char;
typedef unsigned short u_short;
typedef unsigned int u_int;
typedef ULONG u_long;
typedef UINT_PTR SOCKET;

#define INVALID_SOCKET ((SOCKET)~0u)
#define SOCKET_ERROR (-1)

#define AF_UNSPEC 0
#define AF_INET 2
#define AF_IPX 6
#define AF_INET6 23
#define PF_UNSPEC AF_UNSPEC
#define PF_INET AF_INET
#define PF_INET6 AF_INET6

#define SOCK_STREAM 1
#define SOCK_DGRAM 2

#define IPPROTO_IP 0
#define IPPROTO_TCP 6
#define IPPROTO_UDP 17
#define IPPROTO_IPV6 41

#define SOL_SOCKET 0xffff
#define SO_BROADCAST 0x0020
#define SO_RCVBUF 0x1002
#define SO_SNDBUF 0x1001
#define SO_ERROR 0x1007

#define INADDR_ANY ((u_long)0x00000000)
#define INADDR_NONE 0xffffffffu
#define INADDR_BROADCAST ((u_long)0xffffffff)

#define FIONBIO ((LONG)0x8004667Eu)
#define MSG_PEEK 0x2

#define FD_SETSIZE 64
#define WSADESCRIPTION_LEN 256
#define WSASYS_STATUS_LEN 128

#define WSABASEERR 10000
#define WSAEINTR 10004
#define WSAEBADF 10009
#define WSAEACCES 10013
#define WSAEFAULT 10014
#define WSAEINVAL 10022
#define WSAEMFILE 10024
#define WSAEWOULDBLOCK 10035
#define WSAEINPROGRESS 10036
#define WSAENOTSOCK 10038
#define WSAEDESTADDRREQ 10039
#define WSAEMSGSIZE 10040
#define WSAEPROTOTYPE 10041
#define WSAENOPROTOOPT 10042
#define WSAEPROTONOSUPPORT 10043
#define WSAESOCKTNOSUPPORT 10044
#define WSAEOPNOTSUPP 10045
#define WSAEPFNOSUPPORT 10046
#define WSAEAFNOSUPPORT 10047
#define WSAEADDRINUSE 10048
#define WSAEADDRNOTAVAIL 10049
#define WSAENETDOWN 10050
#define WSAENETUNREACH 10051
#define WSAECONNRESET 10054
#define WSAENOBUFS 10055
#define WSAEISCONN 10056
#define WSAENOTCONN 10057
#define WSAETIMEDOUT 10060
#define WSAECONNREFUSED 10061
#define WSAEHOSTUNREACH 10065
#define WSASYSNOTREADY 10091
#define WSAVERNOTSUPPORTED 10092
#define WSANOTINITIALISED 10093
#define WSATYPE_NOT_FOUND 10109
#define WSAHOST_NOT_FOUND 11001
#define WSATRY_AGAIN 11002
#define WSANO_RECOVERY 11003
#define WSANO_DATA 11004

typedef struct WSAData {
    WORD wVersion;
    WORD wHighVersion;
    char szDescription[WSADESCRIPTION_LEN + 1];
    char szSystemStatus[WSASYS_STATUS_LEN + 1];
    unsigned short iMaxSockets;
    unsigned short iMaxUdpDg;
    char *lpVendorInfo;
} WSADATA, *LPWSADATA;

typedef struct in_addr {
    union {
        struct {
            u_char s_b1, s_b2, s_b3, s_b4;
        } S_un_b;
        struct {
            u_short s_w1, s_w2;
        } S_un_w;
        u_long S_addr;
    } S_un;
} IN_ADDR, *PIN_ADDR;
#define s_addr S_un.S_addr

typedef struct sockaddr {
    u_short sa_family;
    char sa_data[14];
} SOCKADDR, *PSOCKADDR, *LPSOCKADDR;

typedef struct sockaddr_in {
    short sin_family;
    u_short sin_port;
    struct in_addr sin_addr;
    char sin_zero[8];
} SOCKADDR_IN, *PSOCKADDR_IN;

typedef struct in6_addr {
    union {
        u_char Byte[16];
        u_short Word[8];
    } u;
} IN6_ADDR, *PIN6_ADDR;
#define s6_addr u.Byte

typedef struct sockaddr_in6 {
    short sin6_family;
    u_short sin6_port;
    u_long sin6_flowinfo;
    struct in6_addr sin6_addr;
    u_long sin6_scope_id;
} SOCKADDR_IN6, *PSOCKADDR_IN6;

typedef struct sockaddr_storage {
    short ss_family;
    char ss_pad[126];
} SOCKADDR_STORAGE;

typedef struct fd_set {
    u_int fd_count;
    SOCKET fd_array[FD_SETSIZE];
} fd_set;

struct timeval {
    LONG tv_sec;
    LONG tv_usec;
};

struct hostent {
    char *h_name;
    char **h_aliases;
    short h_addrtype;
    short h_length;
    char **h_addr_list;
};
#define h_addr h_addr_list[0]

/* 64-bit Windows places the protocol before the port. */
struct servent {
    char *s_name;
    char **s_aliases;
    char *s_proto;
    short s_port;
};

#ifdef __cplusplus
extern "C" {
#endif

int WSAAPI __WSAFDIsSet(SOCKET fd, fd_set *set);

#define FD_ZERO(set) ((set)->fd_count = 0)
#define FD_ISSET(fd, set) __WSAFDIsSet((SOCKET)(fd), (fd_set *)(set))
#define FD_SET(fd, set)                                \
    do {                                               \
        if ((set)->fd_count < FD_SETSIZE)              \
            (set)->fd_array[(set)->fd_count++] = (fd); \
    } while (0)

int WSAAPI WSAStartup(WORD wVersionRequested, LPWSADATA lpWSAData);
int WSAAPI WSACleanup(void);
int WSAAPI WSAGetLastError(void);
SOCKET WSAAPI socket(int af, int type, int protocol) QM_WSNAME(socket);
int WSAAPI bind(SOCKET s, const struct sockaddr *name, int namelen) QM_WSNAME(bind);
u_short WSAAPI htons(u_short hostshort) QM_WSNAME(htons);
u_short WSAAPI ntohs(u_short netshort) QM_WSNAME(ntohs);
u_long WSAAPI htonl(u_long hostlong) QM_WSNAME(htonl);
u_long WSAAPI ntohl(u_long netlong) QM_WSNAME(ntohl);
int WSAAPI getsockname(SOCKET s, struct sockaddr *name, int *namelen) QM_WSNAME(getsockname);
struct hostent *WSAAPI gethostbyname(const char *name) QM_WSNAME(gethostbyname);
struct hostent *WSAAPI gethostbyaddr(const char *addr, int len, int type) QM_WSNAME(gethostbyaddr);
struct servent *WSAAPI getservbyname(const char *name, const char *proto) QM_WSNAME(getservbyname);
int WSAAPI getsockopt(SOCKET s, int level, int optname, char *optval, int *optlen) QM_WSNAME(getsockopt);
int WSAAPI setsockopt(SOCKET s, int level, int optname, const char *optval, int optlen) QM_WSNAME(setsockopt);
ULONG WSAAPI inet_addr(const char *cp) QM_WSNAME(inet_addr);
char *WSAAPI inet_ntoa(struct in_addr in) QM_WSNAME(inet_ntoa);
int WSAAPI sendto(SOCKET s, const char *buf, int len, int flags, const struct sockaddr *to, int tolen)
    QM_WSNAME(sendto);
int WSAAPI recvfrom(SOCKET s, char *buf, int len, int flags, struct sockaddr *from, int *fromlen) QM_WSNAME(recvfrom);
int WSAAPI closesocket(SOCKET s) QM_WSNAME(closesocket);
int WSAAPI connect(SOCKET s, const struct sockaddr *name, int namelen) QM_WSNAME(connect);
int WSAAPI listen(SOCKET s, int backlog) QM_WSNAME(listen);
int WSAAPI ioctlsocket(SOCKET s, LONG cmd, u_long *argp) QM_WSNAME(ioctlsocket);
int WSAAPI recv(SOCKET s, char *buf, int len, int flags) QM_WSNAME(recv);
int WSAAPI send(SOCKET s, const char *buf, int len, int flags) QM_WSNAME(send);
SOCKET WSAAPI accept(SOCKET s, struct sockaddr *addr, int *addrlen) QM_WSNAME(accept);

#ifdef __cplusplus
}
#endif

#endif /* QM_WINSOCK2_H */
