#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

TEST(Sync, CriticalSectionIsRecursiveAndExcludesOtherThreads)
{
    CRITICAL_SECTION cs;
    InitializeCriticalSection(&cs);
    EnterCriticalSection(&cs);
    EXPECT_TRUE(TryEnterCriticalSection(&cs));
    BOOL other = TRUE;
    std::thread t([&] { other = TryEnterCriticalSection(&cs); });
    t.join();
    EXPECT_FALSE(other);
    LeaveCriticalSection(&cs);
    LeaveCriticalSection(&cs);
    DeleteCriticalSection(&cs);
}

TEST(Sync, LastErrorAndTlsAreThreadLocal)
{
    DWORD index = TlsAlloc();
    ASSERT_NE(index, TLS_OUT_OF_INDEXES);
    int here = 1, there = 2;
    SetLastError(1234);
    EXPECT_TRUE(TlsSetValue(index, &here));
    std::thread t([&] {
        EXPECT_EQ(GetLastError(), 0u);
        EXPECT_EQ(TlsGetValue(index), nullptr);
        TlsSetValue(index, &there);
        SetLastError(5);
    });
    t.join();
    EXPECT_EQ(TlsGetValue(index), &here);
    EXPECT_EQ(GetLastError(), 0u); /* a successful TlsGetValue clears the last error */
    EXPECT_TRUE(TlsFree(index));
    /* Windows refuses an index out of range; a freed index in range it does not check. */
    EXPECT_FALSE(TlsSetValue(0x7FFFFFFF, &here));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
}

TEST(Sync, InterlockedOperationsReturnWindowsResults)
{
    LONG v = 5;
    EXPECT_EQ(InterlockedIncrement(&v), 6);
    EXPECT_EQ(InterlockedDecrement(&v), 5);
    EXPECT_EQ(InterlockedExchange(&v, 9), 5);
    EXPECT_EQ(InterlockedExchangeAdd(&v, 3), 9);
    EXPECT_EQ(InterlockedCompareExchange(&v, 1, 12), 12);
    EXPECT_EQ(v, 1);
    EXPECT_EQ(InterlockedCompareExchange(&v, 7, 3), 1);
    EXPECT_EQ(v, 1);
}
