/*
 * The few facts about the running system the library's text and log code read: the
 * lead-byte test of the ANSI code page and the local time. Kept in one place.
 */
#ifndef MANAGEMENT_BASE_PMC_SYSTEM_H
#define MANAGEMENT_BASE_PMC_SYSTEM_H

#include <cstdint>

/* Broken-down local time as the log lines show it. */
struct PmcLocalTime {
    int year, month, day, hour, minute, second, millisecond;
};

/*
 * pmc_is_lead_byte: whether `byte` starts a double-byte character of the ANSI code page.
 * Returns true or false; with a single-byte code page always false.
 */
bool pmc_is_lead_byte(unsigned char byte);

/*
 * pmc_local_time: the current local time to the millisecond.
 * out (out): receives the time; must not be null.
 */
void pmc_local_time(PmcLocalTime *out);

#endif /* MANAGEMENT_BASE_PMC_SYSTEM_H */
