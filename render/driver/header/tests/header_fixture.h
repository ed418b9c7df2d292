/*
 * Shared set-up of the job header tests: a PDEV on its own heap with chosen settings, the
 * sample model (or its variant with capability 0x40000) opened as its description files,
 * an installed printer on port "IP_10.0.0.1", an output stream writing to a file, the PDL
 * writer over both, and the machine pinned (clock, tick, Windows version, user, code page).
 */
#ifndef QM_RENDER_DRIVER_HEADER_TESTS_HEADER_FIXTURE_H
#define QM_RENDER_DRIVER_HEADER_TESTS_HEADER_FIXTURE_H

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/ddd/ddd.h"
#include "render/driver/pdev/pdev.h"
#include "render/pdl/writer/pdl_writer.h"
#include "testing/settings_areas.h"

namespace header_test {

// The pinned machine.
extern const DWORD kTick;
extern const WCHAR kDocument[];

// Bytes as a string, to compare and print streams.
std::string Text(const std::vector<BYTE> &bytes);

class HeaderTest : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the model: the sample, or its variant with capability 0x40000 (jobInfo).
    void OpenModel(bool jobInfo);
    // Fresh settings areas with the job's basic settings: one copy, simplex, A4, PDL
    // version 1.5.1.
    void ResetSettings();
    // Stores a numeric or text setting in the PDEV's DEVMODE and printer data.
    void Set(WORD functionId, LONG value);
    void SetText(WORD functionId, LPCWSTR text);
    // The stream's bytes since the last Mark (flushing first).
    std::vector<BYTE> Bytes();
    // The decoder's listing of the commands since the last Mark, from skip bytes on.
    std::vector<std::string> Commands(size_t skip = 0);
    void Mark();
    // Makes every stream write fail (on) or work again.
    void FailWrites(bool on);
    // Live blocks of the PDEV's heap.
    DWORD HeapBlocks();

    std::unique_ptr<TestSettingsAreas> areas_;
    PDEV *pdev_ = nullptr;
    DddFile *files_ = nullptr; // model, base
    HANDLE printer_ = NULL;
    DWORD globalsAtStart_ = 0;
    size_t mark_ = 0;
};

} // namespace header_test

#endif /* QM_RENDER_DRIVER_HEADER_TESTS_HEADER_FIXTURE_H */
