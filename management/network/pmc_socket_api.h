/*
 * Run-time bindings of the system's socket and IP Helper libraries. The library links
 * neither: "ws2_32.dll" (else "wsock32.dll") and "iphlpapi.dll" are loaded on first use,
 * their functions resolved into the process-wide pointers below, and the modules freed at
 * unload. Pointers are written only under the binding's lock and only read afterwards.
 */
#ifndef MANAGEMENT_NETWORK_PMC_SOCKET_API_H
#define MANAGEMENT_NETWORK_PMC_SOCKET_API_H

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <iphlpapi.h>

namespace NPmcSocketAPI {

/* The 29 required functions. */
extern int(WSAAPI *WSAStartup)(WORD, LPWSADATA);
extern int(WSAAPI *WSACleanup)();
extern int(WSAAPI *WSAGetLastError)();
extern SOCKET(WSAAPI *socket)(int, int, int);
extern int(WSAAPI *bind)(SOCKET, const sockaddr *, int);
extern u_short(WSAAPI *htons)(u_short);
extern u_short(WSAAPI *ntohs)(u_short);
extern int(WSAAPI *getsockname)(SOCKET, sockaddr *, int *);
extern int(WSAAPI *gethostname)(char *, int);
extern hostent *(WSAAPI *gethostbyname)(const char *);
extern int(WSAAPI *getsockopt)(SOCKET, int, int, char *, int *);
extern int(WSAAPI *setsockopt)(SOCKET, int, int, const char *, int);
extern u_long(WSAAPI *inet_addr)(const char *);
extern char *(WSAAPI *inet_ntoa)(in_addr);
extern int(WSAAPI *sendto)(SOCKET, const char *, int, int, const sockaddr *, int);
extern int(WSAAPI *recvfrom)(SOCKET, char *, int, int, sockaddr *, int *);
extern int(WSAAPI *select)(int, fd_set *, fd_set *, fd_set *, const timeval *);
extern int(WSAAPI *closesocket)(SOCKET);
extern hostent *(WSAAPI *gethostbyaddr)(const char *, int, int);
extern servent *(WSAAPI *getservbyname)(const char *, const char *);
extern u_long(WSAAPI *htonl)(u_long);
extern u_long(WSAAPI *ntohl)(u_long);
extern int(WSAAPI *connect)(SOCKET, const sockaddr *, int);
extern int(WSAAPI *listen)(SOCKET, int);
extern int(WSAAPI *ioctlsocket)(SOCKET, LONG, u_long *);
extern int(WSAAPI *recv)(SOCKET, char *, int, int);
extern int(WSAAPI *send)(SOCKET, const char *, int, int);
extern SOCKET(WSAAPI *accept)(SOCKET, sockaddr *, int *);
extern int(WSAAPI *WSAFDIsSet)(SOCKET, fd_set *);

/* The 3 optional functions (name resolution). */
extern int(WSAAPI *getaddrinfo)(const char *, const char *, const addrinfo *, addrinfo **);
extern int(WSAAPI *getnameinfo)(const sockaddr *, int, char *, DWORD, char *, DWORD, int);
extern void(WSAAPI *freeaddrinfo)(addrinfo *);

/*
 * set_api: resolves both tables from `module`. A missing required name logs and gives -1;
 * an optional name missing with GetLastError 126 or 127 marks name resolution unavailable
 * (0); another error code on an optional name logs and gives -1. Returns 0 or -1.
 */
int set_api(HMODULE module);

} // namespace NPmcSocketAPI

namespace NPmcIpHelpAPI {

extern DWORD(WINAPI *GetBestInterfaceEx)(sockaddr *, PDWORD);
extern DWORD(WINAPI *GetAdaptersInfo)(PIP_ADAPTER_INFO, PULONG);
extern ULONG(WINAPI *GetAdaptersAddresses)(ULONG, ULONG, PVOID, PIP_ADAPTER_ADDRESSES, PULONG);

/* set_api: resolves the three names, logging and leaving null each one missing; 0. */
int set_api(HMODULE module);

} // namespace NPmcIpHelpAPI

/* pmc_bind_winsock: binds once per process. 0, -10 (no library) or set_api's status. */
int pmc_bind_winsock();
/* pmc_winsock_bound: whether the socket library is bound. */
bool pmc_winsock_bound();
/* pmc_name_resolution_available: bound, and all three optional functions present. */
bool pmc_name_resolution_available();
/* pmc_start_winsock_11 / _22: bind, then WSAStartup 1.1 or 2.2. 0, -1 or the bind status. */
int pmc_start_winsock_11();
int pmc_start_winsock_22();
/* pmc_stop_winsock: WSACleanup when the library is bound. */
void pmc_stop_winsock();

/* pmc_bind_iphelp: binds "iphlpapi.dll" once per process. 0 or -10. */
int pmc_bind_iphelp();

/* pmc_socket_api_unload: frees both modules (free mode 0) and forgets the bindings; the
 * next use binds again. Runs at unload. */
void pmc_socket_api_unload();

#endif /* MANAGEMENT_NETWORK_PMC_SOCKET_API_H */
