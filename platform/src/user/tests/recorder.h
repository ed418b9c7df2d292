/* A recording dialog procedure for the user-area tests: each message it sees becomes a
 * line, and a test can set the answer for one message. */
#ifndef QM_PLATFORM_SRC_USER_TESTS_RECORDER_H
#define QM_PLATFORM_SRC_USER_TESTS_RECORDER_H

#include <windows.h>

#include <string>
#include <vector>

#include "platform/testing/qm_testing.h"

namespace recorder {

/* Lines of the messages seen, e.g. "WM_COMMAND 1001 EN_CHANGE". */
std::vector<std::string> &Lines();

/* Answers the dialog procedure gives: for `message`, return `answer` after writing
 * `msgResult` to DWLP_MSGRESULT. */
struct Answer {
    UINT message;
    INT_PTR answer;
    LONG_PTR msgResult;
};
void SetAnswer(const Answer &answer);

/* Which WM_COMMAND ids end the dialog (EndDialog with the id); IDOK and IDCANCEL by default. */
void SetEndOnCommand(bool end);

/* Only notifications and the creation messages are recorded; WM_GETFONT and the like are not. */
INT_PTR CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

void Reset();

/* The test program's own module, holding the test resources. */
HINSTANCE Instance();

} // namespace recorder

#endif /* QM_PLATFORM_SRC_USER_TESTS_RECORDER_H */
