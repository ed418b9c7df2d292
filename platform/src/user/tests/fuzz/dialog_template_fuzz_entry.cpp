/*
 * Fuzz entry of the dialog template reader: any bytes as a dialog template of that size,
 * read and, when they read, made into a dialog (controls of every class, fonts, creation
 * data) and destroyed again. Nothing may be read outside the bytes, and no window or font
 * may outlive its dialog.
 *
 * Seeds: the templates of the user-area tests (DIALOGEX and DIALOG forms).
 */
#include <stddef.h>
#include <stdint.h>

#include <vector>

#include "platform/src/user/dialog_template.h"
#include "platform/src/user/user_private.h"
#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_testing_icons.h"
#include "testing/fuzz/fuzz_support.h"

static INT_PTR CALLBACK fuzz_DialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz_EnsureRoot();
    if (size == 0)
        return 0;
    std::vector<BYTE> bytes(data, data + size);
    qmu::DialogTemplate t;
    if (!qmu::ParseDialogTemplate(bytes.data(), bytes.size(), &t))
        return 0;
    HWND dlg = qmu::CreateDialogFromTemplate(nullptr, bytes.data(), bytes.size(), nullptr, fuzz_DialogProc, 0);
    if (dlg)
        DestroyWindow(dlg);
    if (qmt_LiveWindows() != 0)
        fuzz_Fail("dialog_template", "a window outlived its dialog");
    if (qmt_LiveGdiObjects(QMT_GDI_FONT) != 0)
        fuzz_Fail("dialog_template", "a font outlived its dialog");
    return 0;
}
