/*
 * Printer DCs: ExtEscape hands the escape to the driver's entry with the device's surface
 * and gives its answer back; display DCs and stale handles answer 0.
 */
#include <gtest/gtest.h>
#include <windows.h>
#include <qmhost_engine.h>

#include <chrono>
#include <climits>
#include <future>
#include <thread>

#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_testing_icons.h"

namespace {

// What the stand-in driver entry received, and what it answers.
struct EscapeCall {
    int calls;
    SURFOBJ *pso;
    ULONG iEsc;
    ULONG cjIn;
    PVOID pvIn;
    ULONG cjOut;
    PVOID pvOut;
};

EscapeCall g_call;
ULONG g_answer;

ULONG WINAPI RecordEscape(SURFOBJ *pso, ULONG iEsc, ULONG cjIn, PVOID pvIn, ULONG cjOut, PVOID pvOut)
{
    g_call = {g_call.calls + 1, pso, iEsc, cjIn, pvIn, cjOut, pvOut};
    return g_answer;
}

class PrinterDc : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_call = {};
        g_answer = 0;
        dcs_ = qmt_LiveGdiObjects(QMT_GDI_PRINTER_DC);
    }

    SURFOBJ surface_{};
    SURFOBJ reset_{};
    DWORD dcs_ = 0;
};

TEST_F(PrinterDc, EscapesReachTheDriverUnchangedAndItsAnswerComesBack)
{
    DWORD displays = qmt_LiveGdiObjects(QMT_GDI_DC);
    HDC dc = qmh_CreatePrinterDC(RecordEscape, &surface_);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(qmt_LiveGdiObjects(QMT_GDI_PRINTER_DC), dcs_ + 1);
    EXPECT_EQ(qmt_LiveGdiObjects(QMT_GDI_DC), displays); // not a display DC

    char in[8] = "payload";
    char out[16] = {};
    const struct {
        int iEscape;
        int cjInput;
        const char *lpInData;
        int cjOutput;
        char *lpOutData;
        ULONG answer;
        int expected;
    } cases[] = {
        {QUERYESCSUPPORT, 4, in, 0, nullptr, 1, 1},
        {0x5021, (int)sizeof in, in, (int)sizeof out, out, 0xFFFFFFFF, -1},
        {0x5002, 0, nullptr, (int)sizeof out, out, 0x80000000, INT_MIN},
        {0x5001, 0, nullptr, 0, nullptr, 0, 0},
        {-1, 3, in + 1, 5, out + 2, 0x7FFFFFFF, INT_MAX}, // no copies: the very pointers
    };
    int n = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.iEscape);
        g_answer = c.answer;
        EXPECT_EQ(ExtEscape(dc, c.iEscape, c.cjInput, c.lpInData, c.cjOutput, c.lpOutData), c.expected);
        EXPECT_EQ(g_call.calls, ++n);
        EXPECT_EQ(g_call.pso, &surface_);
        EXPECT_EQ(g_call.iEsc, (ULONG)c.iEscape);
        EXPECT_EQ(g_call.cjIn, (ULONG)c.cjInput);
        EXPECT_EQ(g_call.pvIn, (PVOID)c.lpInData);
        EXPECT_EQ(g_call.cjOut, (ULONG)c.cjOutput);
        EXPECT_EQ(g_call.pvOut, (PVOID)c.lpOutData);
    }

    // After a reset the escapes go with the new surface; before any, with none.
    ASSERT_TRUE(qmh_SetPrinterDCSurface(dc, &reset_));
    ExtEscape(dc, QUERYESCSUPPORT, 0, nullptr, 0, nullptr);
    EXPECT_EQ(g_call.pso, &reset_);
    ASSERT_TRUE(qmh_SetPrinterDCSurface(dc, nullptr));
    ExtEscape(dc, QUERYESCSUPPORT, 0, nullptr, 0, nullptr);
    EXPECT_EQ(g_call.pso, nullptr);

    // Deleted: freed, and the stale handle reaches nobody.
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_EQ(qmt_LiveGdiObjects(QMT_GDI_PRINTER_DC), dcs_);
    EXPECT_FALSE(DeleteDC(dc));
    n = g_call.calls;
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(ExtEscape(dc, QUERYESCSUPPORT, 0, nullptr, 0, nullptr), 0);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_HANDLE);
    EXPECT_FALSE(qmh_SetPrinterDCSurface(dc, &surface_));
    EXPECT_EQ(g_call.calls, n);
}

TEST_F(PrinterDc, RefusalsReachNoDriver)
{
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(qmh_CreatePrinterDC(nullptr, &surface_), nullptr);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);

    qmt_FailAllocations(0, 1);
    EXPECT_EQ(qmh_CreatePrinterDC(RecordEscape, &surface_), nullptr);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_NOT_ENOUGH_MEMORY);
    qmt_FailAllocations(0, 0);
    EXPECT_EQ(qmt_LiveGdiObjects(QMT_GDI_PRINTER_DC), dcs_);

    HDC dc = qmh_CreatePrinterDC(RecordEscape, nullptr);
    ASSERT_NE(dc, nullptr);
    char buffer[4] = {};
    const struct {
        int cjInput;
        int cjOutput;
    } sizes[] = {{-1, 0}, {0, -1}, {INT_MIN, 4}, {-4, -4}};
    for (const auto &s : sizes) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(ExtEscape(dc, QUERYESCSUPPORT, s.cjInput, buffer, s.cjOutput, buffer), -1);
        EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
    }
    EXPECT_EQ(g_call.calls, 0);

    // Display DCs have no driver escapes; they are no printer DCs either.
    HDC created = CreateDCW(TEXT("DISPLAY"), nullptr, nullptr, nullptr);
    HDC desktop = GetDC(nullptr);
    ASSERT_NE(created, nullptr);
    ASSERT_NE(desktop, nullptr);
    for (HDC display : {created, desktop}) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(ExtEscape(display, QUERYESCSUPPORT, 4, buffer, 0, nullptr), 0);
        EXPECT_EQ(GetLastError(), (DWORD)ERROR_SUCCESS);
        EXPECT_FALSE(qmh_SetPrinterDCSurface(display, &surface_));
    }
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(ExtEscape(nullptr, QUERYESCSUPPORT, 0, nullptr, 0, nullptr), 0);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_HANDLE);
    EXPECT_EQ(g_call.calls, 0);

    EXPECT_EQ(ReleaseDC(nullptr, desktop), 1);
    EXPECT_TRUE(DeleteDC(created));
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_EQ(qmt_LiveGdiObjects(QMT_GDI_PRINTER_DC), dcs_);
}

// The driver runs without the GDI lock: another thread may use GDI meanwhile.
HDC g_dc;
SURFOBJ g_other;

ULONG WINAPI EscapeWhileAnotherThreadUsesGdi(SURFOBJ *, ULONG, ULONG, PVOID, ULONG, PVOID)
{
    std::promise<BOOL> done;
    std::future<BOOL> result = done.get_future();
    std::thread([p = std::move(done)]() mutable { p.set_value(qmh_SetPrinterDCSurface(g_dc, &g_other)); }).detach();
    return result.wait_for(std::chrono::seconds(20)) == std::future_status::ready && result.get() ? 1 : 0;
}

TEST_F(PrinterDc, TheDriverRunsWithoutTheGdiLock)
{
    g_dc = qmh_CreatePrinterDC(EscapeWhileAnotherThreadUsesGdi, &surface_);
    ASSERT_NE(g_dc, nullptr);
    EXPECT_EQ(ExtEscape(g_dc, QUERYESCSUPPORT, 0, nullptr, 0, nullptr), 1);
    EXPECT_TRUE(DeleteDC(g_dc));
}

} // namespace
