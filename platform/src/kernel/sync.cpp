/* Critical sections, atomics, thread-local storage, process and thread identity. */
#include <windows.h>

#include <pthread.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include <mutex>

static_assert(sizeof(pthread_mutex_t) <= sizeof(((CRITICAL_SECTION *)0)->qmMutex),
              "the mutex fits the critical section");

static pthread_mutex_t *mutex_of(LPCRITICAL_SECTION cs)
{
    return (pthread_mutex_t *)(void *)cs->qmMutex;
}

extern "C" {

void WINAPI InitializeCriticalSection(LPCRITICAL_SECTION lpCriticalSection)
{
    pthread_mutexattr_t attr;
    pthread_mutexattr_init(&attr);
    pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE);
    pthread_mutex_init(mutex_of(lpCriticalSection), &attr);
    pthread_mutexattr_destroy(&attr);
}

BOOL WINAPI InitializeCriticalSectionAndSpinCount(LPCRITICAL_SECTION lpCriticalSection, DWORD)
{
    InitializeCriticalSection(lpCriticalSection);
    return TRUE;
}

void WINAPI DeleteCriticalSection(LPCRITICAL_SECTION lpCriticalSection)
{
    pthread_mutex_destroy(mutex_of(lpCriticalSection));
}

void WINAPI EnterCriticalSection(LPCRITICAL_SECTION lpCriticalSection)
{
    pthread_mutex_lock(mutex_of(lpCriticalSection));
}

BOOL WINAPI TryEnterCriticalSection(LPCRITICAL_SECTION lpCriticalSection)
{
    return pthread_mutex_trylock(mutex_of(lpCriticalSection)) == 0;
}

void WINAPI LeaveCriticalSection(LPCRITICAL_SECTION lpCriticalSection)
{
    pthread_mutex_unlock(mutex_of(lpCriticalSection));
}

LONG WINAPI InterlockedIncrement(LONG volatile *Addend)
{
    return __atomic_add_fetch(Addend, 1, __ATOMIC_SEQ_CST);
}

LONG WINAPI InterlockedDecrement(LONG volatile *Addend)
{
    return __atomic_sub_fetch(Addend, 1, __ATOMIC_SEQ_CST);
}

LONG WINAPI InterlockedExchange(LONG volatile *Target, LONG Value)
{
    return __atomic_exchange_n(Target, Value, __ATOMIC_SEQ_CST);
}

LONG WINAPI InterlockedExchangeAdd(LONG volatile *Addend, LONG Value)
{
    return __atomic_fetch_add(Addend, Value, __ATOMIC_SEQ_CST);
}

LONG WINAPI InterlockedCompareExchange(LONG volatile *Destination, LONG Exchange, LONG Comperand)
{
    LONG expected = Comperand;
    __atomic_compare_exchange_n(Destination, &expected, Exchange, false, __ATOMIC_SEQ_CST, __ATOMIC_SEQ_CST);
    return expected;
}

} // extern "C"

/* TLS indexes are small numbers, as on Windows; each maps to a pthread key. */
namespace {
const DWORD kTlsSlots = 1088;
std::mutex g_tls_lock;
pthread_key_t g_tls_keys[kTlsSlots];
bool g_tls_used[kTlsSlots];
} // namespace

extern "C" {

DWORD WINAPI TlsAlloc(void)
{
    std::lock_guard<std::mutex> guard(g_tls_lock);
    for (DWORD i = 0; i < kTlsSlots; ++i) {
        if (g_tls_used[i])
            continue;
        if (pthread_key_create(&g_tls_keys[i], nullptr) != 0)
            break;
        g_tls_used[i] = true;
        return i;
    }
    SetLastError(ERROR_NO_MORE_ITEMS);
    return TLS_OUT_OF_INDEXES;
}

BOOL WINAPI TlsFree(DWORD dwTlsIndex)
{
    std::lock_guard<std::mutex> guard(g_tls_lock);
    if (dwTlsIndex >= kTlsSlots || !g_tls_used[dwTlsIndex]) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    pthread_key_delete(g_tls_keys[dwTlsIndex]);
    g_tls_used[dwTlsIndex] = false;
    return TRUE;
}

LPVOID WINAPI TlsGetValue(DWORD dwTlsIndex)
{
    if (dwTlsIndex >= kTlsSlots || !g_tls_used[dwTlsIndex]) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    SetLastError(ERROR_SUCCESS);
    return pthread_getspecific(g_tls_keys[dwTlsIndex]);
}

BOOL WINAPI TlsSetValue(DWORD dwTlsIndex, LPVOID lpTlsValue)
{
    if (dwTlsIndex >= kTlsSlots || !g_tls_used[dwTlsIndex]) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return pthread_setspecific(g_tls_keys[dwTlsIndex], lpTlsValue) == 0;
}

DWORD WINAPI GetCurrentProcessId(void)
{
    return (DWORD)getpid();
}

DWORD WINAPI GetCurrentThreadId(void)
{
    return (DWORD)syscall(SYS_gettid);
}

HANDLE WINAPI GetCurrentProcess(void)
{
    return (HANDLE)(LONG_PTR)-1;
}

HANDLE WINAPI GetCurrentThread(void)
{
    return (HANDLE)(LONG_PTR)-2;
}

void WINAPI Sleep(DWORD dwMilliseconds)
{
    struct timespec ts;
    ts.tv_sec = dwMilliseconds / 1000;
    ts.tv_nsec = (long)(dwMilliseconds % 1000) * 1000000L;
    nanosleep(&ts, nullptr);
}

} // extern "C"
