/*
 * Load-time set-up of the printer-management library, in one ordered place: the lock of
 * the log manager's creation, the SNMPv3 operation lock, the Net-SNMP lock, the static
 * logger references with their first-fetch locks and the locks of the network layer
 * (Winsock and IP Helper bindings, address factory, local route lookup), and the codec
 * "TransStream" registered with the packet hooks of the translator registry. Torn down in
 * reverse order at unload, after the network layer and the SNMPv3 cryptography have freed
 * their objects and modules. Nothing else of the library runs at load.
 */
#include <windows.h>

#include <atomic>

#include "management/base/pmc_status.h"
#include "management/codec/pmc_trans_stream.h"
#include "management/codec/pmc_translator.h"
#include "management/logging/pmc_log.h"
#include "management/logging/pmc_log_setup.h"
#include "management/network/pmc_address_factory.h"
#include "management/network/pmc_local_network_info.h"
#include "management/network/pmc_locks.h"
#include "management/network/pmc_socket_api.h"
#include "management/snmpv3/pmc_crypto.h"
#include "management/snmpv3/pmc_snmpv3_locks.h"

/* A static logger reference: a name and the logger fetched on first use. */
struct PmcLoggerReference {
    const char *name;
    std::atomic<IPmcLogger *> logger;
    CRITICAL_SECTION lock;
};

constinit static CRITICAL_SECTION s_manager_creation_lock{};
constinit static CRITICAL_SECTION s_snmpv3_operation_lock{};
constinit static CRITICAL_SECTION s_netsnmp_lock{};

/* The network layer's locks, by index. */
enum { WINSOCK_LOCK, IPHELP_LOCK, ADDRESS_FACTORY_LOCK, ROUTE_LOCK, NETWORK_LOCK_COUNT };

constinit static CRITICAL_SECTION s_network_locks[NETWORK_LOCK_COUNT]{};

constinit static PmcLoggerReference s_loggers[] = {
    {"PSW", {nullptr}, {}},    /* PMC_LOGGER_PSW: the option, status and discovery objects */
    {"snmp", {nullptr}, {}},   /* PMC_LOGGER_SNMP: the codec and the sessions */
    {"socket", {nullptr}, {}}, /* PMC_LOGGER_SOCKET: the bindings and the sockets */
};

/* The set-up object: its constructor and destructor are the library's load and unload. */
class CPmcLibrarySetup
{
public:
    CPmcLibrarySetup()
    {
        InitializeCriticalSection(&s_manager_creation_lock);
        InitializeCriticalSection(&s_snmpv3_operation_lock);
        InitializeCriticalSection(&s_netsnmp_lock);
        for (PmcLoggerReference &reference : s_loggers)
            InitializeCriticalSection(&reference.lock);
        for (CRITICAL_SECTION &lock : s_network_locks)
            InitializeCriticalSection(&lock);
        /* The library's own codec, selected for every community exchange. */
        pmc_translator_set_packet_hooks(pms_packet_hooks());
        if (TranslatorRegistry *registry = TranslatorRegistry::instance(nullptr))
            registry->register_translator(pmc_trans_stream());
    }
    ~CPmcLibrarySetup()
    {
        pmc_local_network_info_destroy();
        pmc_address_factory_destroy();
        pmc_socket_api_unload();
        for (CRITICAL_SECTION &lock : s_network_locks)
            DeleteCriticalSection(&lock);
        pmc_translator_set_packet_hooks(nullptr);
        TranslatorRegistry::destroy_instance();
        pmc_log_shutdown();
        for (PmcLoggerReference &reference : s_loggers)
            DeleteCriticalSection(&reference.lock);
        pmc_crypto_unload();
        DeleteCriticalSection(&s_netsnmp_lock);
        DeleteCriticalSection(&s_snmpv3_operation_lock);
        DeleteCriticalSection(&s_manager_creation_lock);
    }
    CPmcLibrarySetup(const CPmcLibrarySetup &) = delete;
    CPmcLibrarySetup &operator=(const CPmcLibrarySetup &) = delete;
};

static CPmcLibrarySetup s_setup;

CRITICAL_SECTION *pmc_netsnmp_lock()
{
    return &s_netsnmp_lock;
}

CRITICAL_SECTION *pmc_snmpv3_operation_lock()
{
    return &s_snmpv3_operation_lock;
}

CRITICAL_SECTION *pmc_log_manager_creation_lock()
{
    return &s_manager_creation_lock;
}

CRITICAL_SECTION *pmc_winsock_lock()
{
    return &s_network_locks[WINSOCK_LOCK];
}

CRITICAL_SECTION *pmc_iphelp_lock()
{
    return &s_network_locks[IPHELP_LOCK];
}

CRITICAL_SECTION *pmc_address_factory_lock()
{
    return &s_network_locks[ADDRESS_FACTORY_LOCK];
}

CRITICAL_SECTION *pmc_route_lock()
{
    return &s_network_locks[ROUTE_LOCK];
}

/*
 * pmc_static_logger: double-checked first fetch under the reference's own lock. Only a
 * logger the manager made is kept; the null logger is handed out without being kept, so
 * a later call tries again.
 */
IPmcLogger *pmc_static_logger(PmcStaticLogger which)
{
    PmcLoggerReference &reference = s_loggers[which];
    IPmcLogger *logger = reference.logger.load(std::memory_order_acquire);
    if (logger)
        return logger;
    EnterCriticalSection(&reference.lock);
    logger = reference.logger.load(std::memory_order_acquire);
    if (!logger) {
        int status = PMC_E_MEMORY;
        IPmcLogManager *manager = pmc_get_log_manager(&status);
        logger = manager ? manager->create_logger(reference.name, &status) : pmc_null_logger();
        if (status == PMC_OK)
            reference.logger.store(logger, std::memory_order_release);
    }
    LeaveCriticalSection(&reference.lock);
    return logger;
}

void pmc_log_shutdown()
{
    for (PmcLoggerReference &reference : s_loggers) {
        EnterCriticalSection(&reference.lock);
        reference.logger.store(nullptr, std::memory_order_release);
        LeaveCriticalSection(&reference.lock);
    }
    pmc_log_manager_destroy();
}
