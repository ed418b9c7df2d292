/*
 * The Winsock and IP Helper bindings: one module handle each, tables of {pointer, name}
 * resolved once under the binding's lock, and the Winsock start-up bracket.
 */
#include "management/network/pmc_socket_api.h"

#include <atomic>

#include "management/base/pmc_status.h"
#include "management/logging/pmc_log.h"
#include "management/network/pmc_library_loader.h"
#include "management/network/pmc_locks.h"

namespace NPmcSocketAPI {
int(WSAAPI *WSAStartup)(WORD, LPWSADATA);
int(WSAAPI *WSACleanup)();
int(WSAAPI *WSAGetLastError)();
SOCKET(WSAAPI *socket)(int, int, int);
int(WSAAPI *bind)(SOCKET, const sockaddr *, int);
u_short(WSAAPI *htons)(u_short);
u_short(WSAAPI *ntohs)(u_short);
int(WSAAPI *getsockname)(SOCKET, sockaddr *, int *);
int(WSAAPI *gethostname)(char *, int);
hostent *(WSAAPI *gethostbyname)(const char *);
int(WSAAPI *getsockopt)(SOCKET, int, int, char *, int *);
int(WSAAPI *setsockopt)(SOCKET, int, int, const char *, int);
u_long(WSAAPI *inet_addr)(const char *);
char *(WSAAPI *inet_ntoa)(in_addr);
int(WSAAPI *sendto)(SOCKET, const char *, int, int, const sockaddr *, int);
int(WSAAPI *recvfrom)(SOCKET, char *, int, int, sockaddr *, int *);
int(WSAAPI *select)(int, fd_set *, fd_set *, fd_set *, const timeval *);
int(WSAAPI *closesocket)(SOCKET);
hostent *(WSAAPI *gethostbyaddr)(const char *, int, int);
servent *(WSAAPI *getservbyname)(const char *, const char *);
u_long(WSAAPI *htonl)(u_long);
u_long(WSAAPI *ntohl)(u_long);
int(WSAAPI *connect)(SOCKET, const sockaddr *, int);
int(WSAAPI *listen)(SOCKET, int);
int(WSAAPI *ioctlsocket)(SOCKET, LONG, u_long *);
int(WSAAPI *recv)(SOCKET, char *, int, int);
int(WSAAPI *send)(SOCKET, const char *, int, int);
SOCKET(WSAAPI *accept)(SOCKET, sockaddr *, int *);
int(WSAAPI *WSAFDIsSet)(SOCKET, fd_set *);
int(WSAAPI *getaddrinfo)(const char *, const char *, const addrinfo *, addrinfo **);
int(WSAAPI *getnameinfo)(const sockaddr *, int, char *, DWORD, char *, DWORD, int);
void(WSAAPI *freeaddrinfo)(addrinfo *);
} // namespace NPmcSocketAPI

namespace NPmcIpHelpAPI {
DWORD(WINAPI *GetBestInterfaceEx)(sockaddr *, PDWORD);
DWORD(WINAPI *GetAdaptersInfo)(PIP_ADAPTER_INFO, PULONG);
ULONG(WINAPI *GetAdaptersAddresses)(ULONG, ULONG, PVOID, PIP_ADAPTER_ADDRESSES, PULONG);
} // namespace NPmcIpHelpAPI

/* One {function pointer, function name} pair; a table ends with a null pair. */
struct PmcProcEntry {
    void **pointer;
    const char *name;
};

#define PMC_PROC(space, name)        \
    {                                \
        (void **)&space::name, #name \
    }

static const PmcProcEntry s_required[] = {
    PMC_PROC(NPmcSocketAPI, WSAStartup),
    PMC_PROC(NPmcSocketAPI, WSACleanup),
    PMC_PROC(NPmcSocketAPI, WSAGetLastError),
    PMC_PROC(NPmcSocketAPI, socket),
    PMC_PROC(NPmcSocketAPI, bind),
    PMC_PROC(NPmcSocketAPI, htons),
    PMC_PROC(NPmcSocketAPI, ntohs),
    PMC_PROC(NPmcSocketAPI, getsockname),
    PMC_PROC(NPmcSocketAPI, gethostname),
    PMC_PROC(NPmcSocketAPI, gethostbyname),
    PMC_PROC(NPmcSocketAPI, getsockopt),
    PMC_PROC(NPmcSocketAPI, setsockopt),
    PMC_PROC(NPmcSocketAPI, inet_addr),
    PMC_PROC(NPmcSocketAPI, inet_ntoa),
    PMC_PROC(NPmcSocketAPI, sendto),
    PMC_PROC(NPmcSocketAPI, recvfrom),
    PMC_PROC(NPmcSocketAPI, select),
    PMC_PROC(NPmcSocketAPI, closesocket),
    PMC_PROC(NPmcSocketAPI, gethostbyaddr),
    PMC_PROC(NPmcSocketAPI, getservbyname),
    PMC_PROC(NPmcSocketAPI, htonl),
    PMC_PROC(NPmcSocketAPI, ntohl),
    PMC_PROC(NPmcSocketAPI, connect),
    PMC_PROC(NPmcSocketAPI, listen),
    PMC_PROC(NPmcSocketAPI, ioctlsocket),
    PMC_PROC(NPmcSocketAPI, recv),
    PMC_PROC(NPmcSocketAPI, send),
    PMC_PROC(NPmcSocketAPI, accept),
    {(void **)&NPmcSocketAPI::WSAFDIsSet, "__WSAFDIsSet"},
    {nullptr, nullptr},
};

static const PmcProcEntry s_optional[] = {
    PMC_PROC(NPmcSocketAPI, getaddrinfo),
    PMC_PROC(NPmcSocketAPI, getnameinfo),
    PMC_PROC(NPmcSocketAPI, freeaddrinfo),
    {nullptr, nullptr},
};

static const PmcProcEntry s_iphelp_table[] = {
    PMC_PROC(NPmcIpHelpAPI, GetBestInterfaceEx),
    PMC_PROC(NPmcIpHelpAPI, GetAdaptersInfo),
    PMC_PROC(NPmcIpHelpAPI, GetAdaptersAddresses),
    {nullptr, nullptr},
};

constinit static std::atomic<HMODULE> s_winsock{nullptr};
constinit static bool s_name_resolution = false;
constinit static std::atomic<HMODULE> s_iphelp{nullptr};

static IPmcLogger *socket_logger()
{
    return pmc_static_logger(PMC_LOGGER_SOCKET);
}

/* resolve: the address of `name` in `module` into *pointer (null when missing). */
static bool resolve(HMODULE module, const PmcProcEntry &entry)
{
    *entry.pointer = (void *)GetProcAddress(module, entry.name);
    return *entry.pointer != nullptr;
}

int NPmcSocketAPI::set_api(HMODULE module)
{
    static const char kWhere[] = "NPmcSocketAPI::set_api";
    static const char kFail[] = "[NPmcSocketAPI::set_api] fail GetProcAddress \"%s\": GetLastError()=%d";
    IPmcLogger *log = socket_logger();
    log->write(PMC_LOG_TRACE, "[%s] enter.", kWhere);
    int status = PMC_OK;
    for (const PmcProcEntry *entry = s_required; entry->name && status == PMC_OK; ++entry) {
        if (!resolve(module, *entry)) {
            log->write(PMC_LOG_ERROR, kFail, entry->name, (int)GetLastError());
            status = PMC_E_FAIL;
        }
    }
    bool all_optional = status == PMC_OK;
    for (const PmcProcEntry *entry = s_optional; entry->name && all_optional; ++entry) {
        if (resolve(module, *entry))
            continue;
        DWORD error = GetLastError();
        all_optional = false;
        if (error != ERROR_MOD_NOT_FOUND && error != ERROR_PROC_NOT_FOUND) {
            log->write(PMC_LOG_ERROR, kFail, entry->name, (int)error);
            status = PMC_E_FAIL;
        }
    }
    s_name_resolution = status == PMC_OK && all_optional;
    log->write(PMC_LOG_TRACE, "[%s] exit.", kWhere);
    return status;
}

int NPmcIpHelpAPI::set_api(HMODULE module)
{
    for (const PmcProcEntry *entry = s_iphelp_table; entry->name; ++entry) {
        if (!resolve(module, *entry))
            socket_logger()->write(PMC_LOG_ERROR,
                                   "[NPmcIpHelpAPI::set_api] fail GetProcAddress \"%s\": GetLastError()=%d",
                                   entry->name,
                                   (int)GetLastError());
    }
    return PMC_OK;
}

int pmc_bind_winsock()
{
    if (s_winsock.load(std::memory_order_acquire))
        return PMC_OK;
    EnterCriticalSection(pmc_winsock_lock());
    int status = PMC_OK;
    if (!s_winsock.load(std::memory_order_acquire)) {
        HMODULE module = pmc_load_library("ws2_32.dll", PMC_LOAD_EITHER);
        if (!module)
            module = pmc_load_library("wsock32.dll", PMC_LOAD_EITHER);
        if (!module) {
            status = PMC_E_SYSTEM;
        } else {
            status = NPmcSocketAPI::set_api(module);
            if (status == PMC_OK)
                s_winsock.store(module, std::memory_order_release);
            else
                pmc_free_library(module, PMC_FREE_ALWAYS);
        }
    }
    LeaveCriticalSection(pmc_winsock_lock());
    return status;
}

bool pmc_winsock_bound()
{
    return s_winsock.load(std::memory_order_acquire) != nullptr;
}

bool pmc_name_resolution_available()
{
    return pmc_winsock_bound() && s_name_resolution;
}

/* start_winsock: bind, then WSAStartup with `version`; `failure` is the log line. */
static int start_winsock(WORD version, const char *failure)
{
    int status = pmc_bind_winsock();
    if (status != PMC_OK)
        return status;
    WSADATA data;
    if (NPmcSocketAPI::WSAStartup(version, &data) != 0) {
        socket_logger()->write(PMC_LOG_ERROR, failure, NPmcSocketAPI::WSAGetLastError());
        return PMC_E_FAIL;
    }
    return PMC_OK;
}

int pmc_start_winsock_11()
{
    return start_winsock(0x0101, "fail WSAStartup(1.1). WSAGetLastError()=%d");
}

int pmc_start_winsock_22()
{
    return start_winsock(0x0202, "fail WSAStartup(2.2). WSAGetLastError()=%d");
}

void pmc_stop_winsock()
{
    if (pmc_winsock_bound())
        NPmcSocketAPI::WSACleanup();
}

int pmc_bind_iphelp()
{
    if (s_iphelp.load(std::memory_order_acquire))
        return PMC_OK;
    EnterCriticalSection(pmc_iphelp_lock());
    int status = PMC_OK;
    if (!s_iphelp.load(std::memory_order_acquire)) {
        HMODULE module = pmc_load_library("iphlpapi.dll", PMC_LOAD_EITHER);
        if (!module) {
            status = PMC_E_SYSTEM;
        } else {
            NPmcIpHelpAPI::set_api(module);
            s_iphelp.store(module, std::memory_order_release);
        }
    }
    LeaveCriticalSection(pmc_iphelp_lock());
    return status;
}

void pmc_socket_api_unload()
{
    EnterCriticalSection(pmc_winsock_lock());
    if (HMODULE module = s_winsock.exchange(nullptr))
        pmc_free_library(module, PMC_FREE_ALWAYS);
    s_name_resolution = false;
    LeaveCriticalSection(pmc_winsock_lock());
    EnterCriticalSection(pmc_iphelp_lock());
    if (HMODULE module = s_iphelp.exchange(nullptr))
        pmc_free_library(module, PMC_FREE_ALWAYS);
    for (const PmcProcEntry *entry = s_iphelp_table; entry->name; ++entry)
        *entry->pointer = nullptr;
    LeaveCriticalSection(pmc_iphelp_lock());
}
