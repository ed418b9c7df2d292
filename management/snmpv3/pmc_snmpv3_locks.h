/*
 * The two process-wide locks of SNMPv3 work, made at load (pmc_library_setup.cpp). The
 * operation lock is always taken outside the Net-SNMP lock, never inside it.
 */
#ifndef MANAGEMENT_SNMPV3_PMC_SNMPV3_LOCKS_H
#define MANAGEMENT_SNMPV3_PMC_SNMPV3_LOCKS_H

#include <windows.h>

/* The Net-SNMP lock: guards the advapi32 binding and every cryptographic call. */
CRITICAL_SECTION *pmc_netsnmp_lock();

/* The operation lock: held from Net-SNMP's initialisation to its shutdown around one
 * SNMPv3 operation, so that every operation starts from fresh Net-SNMP state. */
CRITICAL_SECTION *pmc_snmpv3_operation_lock();

/* Holds a critical section for a scope. */
class CPmcLockHolder
{
public:
    explicit CPmcLockHolder(CRITICAL_SECTION *lock) : m_lock(lock)
    {
        EnterCriticalSection(m_lock);
    }
    ~CPmcLockHolder()
    {
        LeaveCriticalSection(m_lock);
    }
    CPmcLockHolder(const CPmcLockHolder &) = delete;
    CPmcLockHolder &operator=(const CPmcLockHolder &) = delete;

private:
    CRITICAL_SECTION *m_lock;
};

#endif /* MANAGEMENT_SNMPV3_PMC_SNMPV3_LOCKS_H */
