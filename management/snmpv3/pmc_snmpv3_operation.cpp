/*
 * The scope of one SNMPv3 operation. Net-SNMP keeps its state in globals and, within one
 * initialisation, caches USM keys per user and engine (a later request with a changed pass
 * phrase would still succeed). So operations are serialised by one process-wide lock and
 * each runs between its own init_snmp and snmp_shutdown: every operation starts from fresh
 * Net-SNMP state and concurrent callers don't disturb each other. The operation lock is
 * taken outside the Net-SNMP lock of the cryptography.
 */
#include "management/snmpv3/pmc_snmpv3.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <clocale>
#include <cstring>

#include "management/snmpv3/pmc_snmpv3_locks.h"

namespace {

/*
 * Settings made before every init_snmp (snmp_shutdown forgets them): read no
 * configuration file, load and save no persistent state, search no MIB directory, send
 * every log message to a handler that drops it. Persistent data is pointed at a path that
 * can hold no directory, so that nothing is created on disk.
 */
void quiet_settings()
{
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_PERSIST_STATE, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
    netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_MIBDIRS, "");
    netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_PERSISTENT_DIR, "/dev/null");
    netsnmp_register_loghandler(NETSNMP_LOGHANDLER_NONE, LOG_DEBUG);
}

} // namespace

int pmc_snmpv3_begin()
{
    EnterCriticalSection(pmc_snmpv3_operation_lock());
    if (pmc_crypto_bind() != 0) {
        LeaveCriticalSection(pmc_snmpv3_operation_lock());
        return -10;
    }
    /* Net-SNMP's initialisation sets the character-type locale from the environment;
     * the caller's is put back. */
    char locale[256] = "C";
    if (const char *current = std::setlocale(LC_CTYPE, nullptr)) {
        std::strncpy(locale, current, sizeof locale - 1);
        locale[sizeof locale - 1] = '\0';
    }
    quiet_settings();
    init_snmp("");
    std::setlocale(LC_CTYPE, locale);
    return 0;
}

void pmc_snmpv3_end()
{
    snmp_shutdown("");
    LeaveCriticalSection(pmc_snmpv3_operation_lock());
}
