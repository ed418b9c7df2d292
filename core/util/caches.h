/*
 * The process-wide answers the utilities cache: the locale paper family, the two
 * per-country bytes and the two Windows version answers. They are written without a lock:
 * every writer stores the same answer.
 */
#ifndef QM_CORE_UTIL_CACHES_H
#define QM_CORE_UTIL_CACHES_H

#include <windows.h>

#define UTIL_CACHE_UNREAD (-1)
#define UTIL_COUNTRY_UNREAD 255 /* per-country byte not yet read */
#define UTIL_COUNTRY_NONE 254   /* the locale could not be read */

typedef struct UtilCaches {
    volatile LONG paperKind;   /* UTIL_CACHE_UNREAD, 1 letter, 2 metric */
    volatile LONG country4356; /* UTIL_COUNTRY_UNREAD or the byte */
    volatile LONG country4358;
    volatile LONG xpOrLater; /* UTIL_CACHE_UNREAD, 0 or 1 */
    volatile LONG vistaOrLater;
} UtilCaches;

extern UtilCaches g_UtilCaches;

#ifdef __cplusplus
extern "C" {
#endif

/* util_ResetCaches: forgets every cached answer, so that the next query reads the machine
 * again. For tests, which pin the locale and version per case; never called by the driver. */
void WINAPI util_ResetCaches(void);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_UTIL_CACHES_H */
