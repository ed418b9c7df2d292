/*
 * IPX socket addresses of the host build (Windows layout). The host has no IPX sockets:
 * creating one fails with WSAEAFNOSUPPORT.
 */
#ifndef QM_WSIPX_H
#define QM_WSIPX_H

#include <winsock2.h>

#define NSPROTO_IPX 1000

typedef struct sockaddr_ipx {
    short sa_family;
    char sa_netnum[4];
    char sa_nodenum[6];
    unsigned short sa_socket;
} SOCKADDR_IPX, *PSOCKADDR_IPX;

#endif /* QM_WSIPX_H */
