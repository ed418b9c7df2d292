#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/testing/qm_testing.h"

namespace {

class Message : public ::testing::Test
{
protected:
    void SetUp() override
    {
        qmt_ResetMessageBoxes();
        qmt_ClearDebugOutput();
    }
    void TearDown() override
    {
        qmt_ResetMessageBoxes();
    }
};

} // namespace

TEST_F(Message, UnscriptedBoxesReturnTheirDefaultButton)
{
    struct {
        UINT type;
        int answer;
    } rows[] = {
        {MB_OK | MB_ICONWARNING, IDOK},
        {MB_OKCANCEL | MB_ICONINFORMATION | MB_SETFOREGROUND, IDOK},
        {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
        {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
        {MB_YESNO | MB_DEFBUTTON3, IDYES}, /* no third button: the first */
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, IDRETRY},
        {MB_RETRYCANCEL, IDRETRY},
        {MB_CANCELTRYCONTINUE | MB_DEFBUTTON3, IDCONTINUE},
    };
    for (const auto &row : rows)
        EXPECT_EQ(MessageBoxW(nullptr, u"t", u"c", row.type), row.answer) << row.type;
    EXPECT_EQ(qmt_MessageBoxCount(), sizeof(rows) / sizeof(rows[0]));
    SetLastError(0);
    EXPECT_EQ(MessageBoxW(nullptr, u"t", u"c", 7), 0);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
}

TEST_F(Message, ScriptedAnswersAreTakenInTurnAndEveryCallIsLogged)
{
    const int answers[] = {IDCANCEL, IDOK};
    qmt_ScriptMessageBoxAnswers(answers, 2);
    HWND owner = (HWND)0x1234;
    EXPECT_EQ(
        MessageBoxW(
            owner, u"\u5370\u5237\u3067\u304D\u307E\u305B\u3093", u"\u8B66\u544A", MB_OKCANCEL | MB_ICONINFORMATION),
        IDCANCEL);
    EXPECT_EQ(MessageBoxW(nullptr, u"second", nullptr, MB_OKCANCEL), IDOK);
    EXPECT_EQ(MessageBoxW(nullptr, u"third", u"c", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);

    ASSERT_EQ(qmt_MessageBoxCount(), 3u);
    QmtMessageBoxCall call;
    ASSERT_TRUE(qmt_MessageBoxLog(0, &call));
    EXPECT_EQ(call.hWnd, owner);
    EXPECT_EQ(std::u16string(call.text), u"\u5370\u5237\u3067\u304D\u307E\u305B\u3093");
    EXPECT_EQ(std::u16string(call.caption), u"\u8B66\u544A");
    EXPECT_EQ(call.type, (UINT)(MB_OKCANCEL | MB_ICONINFORMATION));
    EXPECT_EQ(call.answer, IDCANCEL);
    EXPECT_TRUE(call.scripted);
    ASSERT_TRUE(qmt_MessageBoxLog(1, &call));
    EXPECT_EQ(std::u16string(call.caption), u"Error");
    ASSERT_TRUE(qmt_MessageBoxLog(2, &call));
    EXPECT_FALSE(call.scripted);
    EXPECT_FALSE(qmt_MessageBoxLog(3, &call));
}

TEST_F(Message, DebugOutputIsCaptured)
{
    OutputDebugStringW(u"line \u65E5\n");
    qmt_PinAnsiCodePage(932);
    OutputDebugStringA("\x93\xFA!");
    qmt_PinAnsiCodePage(0);
    OutputDebugStringW(nullptr);
    WCHAR text[32];
    EXPECT_EQ(qmt_DebugOutput(text, 32), 9u);
    EXPECT_EQ(std::u16string(text), u"line \u65E5\n\u65E5!");
    EXPECT_EQ(qmt_DebugOutput(text, 3), 9u);
    EXPECT_EQ(std::u16string(text), u"li");
    qmt_ClearDebugOutput();
    EXPECT_EQ(qmt_DebugOutput(nullptr, 0), 0u);
}
