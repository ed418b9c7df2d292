/*
 * Display DCs: the screen DCs GetDC hands out. They carry no drawing state; font
 * enumeration is all that is asked of them.
 */
#include "platform/src/gdi/gdi_private.h"

#include <mutex>
#include <set>

#include "platform/testing/qm_testing_gdi.h"

namespace {

struct DisplayDC {
    DWORD tag;
};

const DWORD kDisplayTag = 0x44534944; /* "DISD" */

std::mutex &dcLock()
{
    static std::mutex lock;
    return lock;
}

std::set<HDC> &liveDCs()
{
    static std::set<HDC> dcs;
    return dcs;
}

} // namespace

namespace qmg {

/* CreateDisplayDC: see gdi_private.h. */
HDC CreateDisplayDC()
{
    DisplayDC *dc = new (std::nothrow) DisplayDC{kDisplayTag};
    if (dc == nullptr)
        return nullptr;
    std::lock_guard<std::mutex> guard(dcLock());
    liveDCs().insert((HDC)dc);
    return (HDC)dc;
}

/* DeleteDisplayDC: see gdi_private.h. */
bool DeleteDisplayDC(HDC hdc)
{
    std::lock_guard<std::mutex> guard(dcLock());
    if (liveDCs().erase(hdc) == 0)
        return false;
    delete (DisplayDC *)hdc;
    return true;
}

/* IsDisplayDC: see gdi_private.h. */
bool IsDisplayDC(HDC hdc)
{
    std::lock_guard<std::mutex> guard(dcLock());
    return liveDCs().count(hdc) != 0;
}

} // namespace qmg

extern "C" DWORD qmt_LiveDisplayDCs(void)
{
    std::lock_guard<std::mutex> guard(dcLock());
    return (DWORD)liveDCs().size();
}
