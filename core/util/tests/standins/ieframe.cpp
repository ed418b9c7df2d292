/*
 * Test stand-in of the browser frame library: answers IEIsProtectedModeProcess as the test
 * scripts it through the environment variable QM_TEST_IE_PROTECTED: "1" protected, "fail"
 * a failed call, anything else (or unset) not protected.
 */
#include <windows.h>

#include <stdlib.h>
#include <string.h>

extern "C" HRESULT WINAPI IEIsProtectedModeProcess(BOOL *pbResult)
{
    if (pbResult == nullptr)
        return E_POINTER;
    const char *answer = getenv("QM_TEST_IE_PROTECTED");
    if (answer != nullptr && strcmp(answer, "fail") == 0)
        return E_FAIL;
    *pbResult = (answer != nullptr && strcmp(answer, "1") == 0) ? TRUE : FALSE;
    return S_OK;
}
