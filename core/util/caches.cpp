/* The cached machine answers of the utilities. */
#include "core/util/caches.h"

UtilCaches g_UtilCaches = {
    UTIL_CACHE_UNREAD, UTIL_COUNTRY_UNREAD, UTIL_COUNTRY_UNREAD, UTIL_CACHE_UNREAD, UTIL_CACHE_UNREAD};

void WINAPI util_ResetCaches(void)
{
    InterlockedExchange(&g_UtilCaches.paperKind, UTIL_CACHE_UNREAD);
    InterlockedExchange(&g_UtilCaches.country4356, UTIL_COUNTRY_UNREAD);
    InterlockedExchange(&g_UtilCaches.country4358, UTIL_COUNTRY_UNREAD);
    InterlockedExchange(&g_UtilCaches.xpOrLater, UTIL_CACHE_UNREAD);
    InterlockedExchange(&g_UtilCaches.vistaOrLater, UTIL_CACHE_UNREAD);
}
