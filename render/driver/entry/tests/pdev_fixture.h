/*
 * The PDEV tests' fixture: a printer installed with a model, a full DEVMODE with its
 * trailer made from the model's defaults, and the counters a PDEV must give back.
 */
#ifndef QM_RENDER_DRIVER_ENTRY_TESTS_PDEV_FIXTURE_H
#define QM_RENDER_DRIVER_ENTRY_TESTS_PDEV_FIXTURE_H

#include <gtest/gtest.h>
#include <windows.h>
#include <winddi.h>

#include <vector>

#include "render/driver/pdev/pdev.h"

namespace pdev_test {

// Every counter a disabled or failed PDEV must leave where it was.
struct Counts {
    DWORD heaps, globals, modules, palettes, surfaces, printers;
    bool operator==(const Counts &o) const;
};

Counts Now();

class PdevFixture : public ::testing::Test
{
protected:
    // printer: the printer's name; model: host path of its description data file.
    PdevFixture(const WCHAR *printer, const char *model) : printerName_(printer), model_(model) {}
    void SetUp() override;
    void TearDown() override;

    DriverDevmode *Full()
    {
        return (DriverDevmode *)devmode_.data();
    }
    DEVMODEW *Dm()
    {
        return (DEVMODEW *)devmode_.data();
    }
    void SetTrailerWord(WORD word);
    void SetTrailerPaperList(DWORD value);
    // Writes a setting of the DEVMODE (ValueType type, size bytes).
    void SetSetting(WORD functionId, WORD type, DWORD size, DWORD value);
    PDEV *Enable(DEVMODEW *dm);

    const WCHAR *printerName_;
    const char *model_;
    HMODULE module_ = nullptr;
    HANDLE printer_ = nullptr;
    std::vector<BYTE> devmode_;
    GDIINFO gdi_;
    DEVINFO info_;
};

} // namespace pdev_test

#endif /* QM_RENDER_DRIVER_ENTRY_TESTS_PDEV_FIXTURE_H */
