/*
 * Logical fonts and the text cell of display and memory DCs. Display text is measured by
 * one fixed rule, not by a real font, so that tests and pictures come out the same on
 * every machine; the display's dpi is pinned by tests (qmt_PinDpi).
 */
#include "platform/src/gdi/gdi_private.h"

#include <atomic>

#include "platform/testing/qm_testing_gdi.h"

namespace {

const int kDefaultDpi = 96;
const int kDefaultPoints = 8;

std::atomic<int> g_dpi{0};

} // namespace

namespace qmg {

/* Dpi: see gdi_private.h. */
int Dpi()
{
    int dpi = g_dpi.load();
    return dpi > 0 ? dpi : kDefaultDpi;
}

/* CellOfHeight: see gdi_private.h. */
TextCell CellOfHeight(LONG lfHeight)
{
    int h = lfHeight < 0 ? -lfHeight : lfHeight;
    if (h == 0) {
        h = MulDiv(kDefaultPoints, Dpi(), 72);
    }
    TextCell cell;
    cell.pixelHeight = h;
    cell.height = h + h / 5;
    cell.halfWidth = (h + 1) / 2;
    return cell;
}

/* FindFont: see gdi_private.h. */
const Font *FindFont(HGDIOBJ handle)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    return static_cast<const Font *>(Find(handle, kFont));
}

} // namespace qmg

/* A font record holding the LOGFONTW; NULL with ERROR_INVALID_PARAMETER for NULL. */
extern "C" HFONT WINAPI CreateFontIndirectW(const LOGFONTW *lplf)
{
    qmg::CountCall();
    if (!lplf) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    qmg::Font *font = new qmg::Font();
    font->kind = qmg::kFont;
    font->stock = false;
    font->log = *lplf;
    if (!qmg::Register(font)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return reinterpret_cast<HFONT>(font);
}

extern "C" void qmt_PinDpi(int dpi)
{
    g_dpi.store(dpi > 0 ? dpi : 0);
}
