/*
 * What the library's load-time set-up (pmc_library_setup.cpp) shares with the logging
 * code: the lock of the log manager's creation, made at load and deleted at unload, and
 * the manager's teardown.
 */
#ifndef MANAGEMENT_LOGGING_PMC_LOG_SETUP_H
#define MANAGEMENT_LOGGING_PMC_LOG_SETUP_H

#include <windows.h>

/* pmc_log_manager_creation_lock: the lock of the log manager's creation. */
CRITICAL_SECTION *pmc_log_manager_creation_lock();

/* pmc_log_manager_destroy: shuts the manager down and frees it; the next use makes a new one. */
void pmc_log_manager_destroy();

#endif /* MANAGEMENT_LOGGING_PMC_LOG_SETUP_H */
