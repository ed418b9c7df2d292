/*
 * Test support of the stored settings: the sample model with user-setting defaults and a
 * second font record (compiled from the sample's source with records added), installed
 * as printer "Stored" with its context; byte helpers for golden blocks.
 */
#ifndef QM_CORE_STORED_TESTS_STORED_FIXTURE_H
#define QM_CORE_STORED_TESTS_STORED_FIXTURE_H

#include "core/context/driver_context.h"
#include "core/context/tests/driver_files.h"
#include "core/ddd/tests/ddd_test_support.h"
#include "core/handlers/setting_handlers.h"
#include "core/settings/settings.h"
#include "platform/testing/qm_testing.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace stored_test {

typedef std::vector<BYTE> Bytes;

/* Records added to the sample: distinct non-zero defaults of the user settings but 8203
 * and 8204 (their handlers give them; type 1 settings only take 0 or 1), and a second
 * font record. */
inline std::string ExtraRecords()
{
    struct Text {
        int id;
        const char *value;
    };
    static const Text texts[] = {
        {5129, "U5129"},
        {5130, "P130"},
        {5147, "U5147"},
        {5159, "U5159"},
        {5150, "U5150"},
        {5148, "U5148"},
        {5161, "U5161"},
        {5167, "U5167"},
        {5180, "U5180"},
        {5182, "U5182"},
        {5174, "U5174"},
        {5175, "U5175"},
        {5176, "U5176"},
        {5184, "U5184"},
        {5185, "U5185"},
    };
    struct Number {
        int id;
        int type;
        int value;
    };
    static const Number numbers[] = {
        {5137, 3, 37},
        {5146, 3, 46},
        {5178, 3, 78},
        {5165, 8, 65},
        {5183, 8, 83},
        {5169, 1, 1},
        {5171, 1, 1},
        {5173, 1, 1},
    };
    std::ostringstream out;
    for (const Text &t : texts) {
        out << "  - {type: 4, key: " << t.id << ", caption: S" << t.id << ", control: 2, default: 1, options: ["
            << t.id * 10 + 1 << "]}\n";
        out << "  - {type: 14, key: " << t.id * 10 + 1 << ", caption: V, value: {type: 6, value: \"" << t.value
            << "\"}}\n";
    }
    for (const Number &n : numbers) {
        out << "  - {type: 4, key: " << n.id << ", caption: N" << n.id << ", control: 2, default: 1, options: ["
            << n.id * 10 + 1 << "]}\n";
        out << "  - {type: 14, key: " << n.id * 10 + 1 << ", caption: V, value: {type: " << n.type
            << ", value: " << n.value << "}}\n";
    }
    out << "  - {type: 11, key: 2, name: \"Courier Device\", text2: \"\", texts: [\"Courier New\", \"Lucida Console\"],"
           " texts2: [\"x\"], data: \"00\", extra_word: 0, rows: [{function: 274, type: 3, value: 0}]}\n";
    return out.str();
}

/* The variant model compiled with the sample's base. */
inline dddc::Bytes CompileModel()
{
    std::ifstream in(QM_SAMPLE_SOURCE);
    std::stringstream source;
    source << in.rdbuf();
    dddc::Bytes base = ddd_test::ReadBytes(QM_MODELS_DIR "/QM50BASE.DDD");
    return ddd_test::Compile(source.str() + ExtraRecords(), &base);
}

/* The sample printer with its model files in the module directory, its context, and a
 * full DEVMODE and a printer-data block of all defaults. */
class StoredTest : public testing::Test
{
protected:
    void SetUp() override
    {
        module_ = driver_files::PinModuleDirectory();
        driver_files::CopyIn(driver_files::HostFile(QM_MODELS_DIR "/QM50BASE.DDD"), u"QM50BASE.DDD");
        dddc::Bytes model = CompileModel();
        driver_files::WriteFileBytes(u"C:\\drv\\QM50ST.DDD", std::string(model.begin(), model.end()));
        qmt_PinLocale(0x0407);
        HANDLE installed = driver_files::InstallPrinter(TEXT("Stored"), u"C:\\drv\\QM50ST.DDD");
        ASSERT_NE(nullptr, installed);
        ClosePrinter(installed);
        /* Changing printer data needs administration rights. */
        PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
        ASSERT_TRUE(OpenPrinterW((LPWSTR)TEXT("Stored"), &printer_, &defaults));
        context_ = ddd_OpenContext(printer_);
        ASSERT_NE(nullptr, context_);
        devmode_ = dm_AllocDevmode(0);
        ASSERT_TRUE(opt_SetAllDefaults(context_, devmode_, &defaults_, TEXT("DummyName")));
    }
    void TearDown() override
    {
        GlobalFree(devmode_);
        qmt_SpoolerReset();
        qmt_ClearWriteFault();
        if (context_)
            ddd_CloseContext(context_);
        if (printer_)
            ClosePrinter(printer_);
        util_SetModuleHandle(nullptr);
        FreeLibrary(module_);
        qmt_PinLocale(0);
    }
    /* A printer-data value as stored, or empty when it cannot be read. */
    Bytes Value(const WCHAR *name)
    {
        DWORD type = 0;
        DWORD needed = 0;
        if (GetPrinterDataW(printer_, (LPWSTR)name, &type, nullptr, 0, &needed) != ERROR_MORE_DATA)
            return Bytes();
        Bytes bytes(needed);
        GetPrinterDataW(printer_, (LPWSTR)name, &type, bytes.data(), needed, &needed);
        return bytes;
    }
    bool HasValue(const WCHAR *name)
    {
        DWORD type = 0;
        DWORD needed = 0;
        DWORD rc = GetPrinterDataW(printer_, (LPWSTR)name, &type, nullptr, 0, &needed);
        return rc == ERROR_MORE_DATA || rc == ERROR_SUCCESS;
    }
    HMODULE module_ = nullptr;
    HANDLE printer_ = nullptr;
    DriverContext *context_ = nullptr;
    DriverDevmode *devmode_ = nullptr;
    PrinterDataBlock defaults_{};
};

/* Little-endian pieces of golden blocks. */
inline void PutWord(Bytes &out, WORD value)
{
    out.push_back((BYTE)value);
    out.push_back((BYTE)(value >> 8));
}

inline void PutDword(Bytes &out, DWORD value)
{
    PutWord(out, (WORD)value);
    PutWord(out, (WORD)(value >> 16));
}

/* A name field: the ASCII name as UTF-16, zero-padded to 8 characters. */
inline void PutName(Bytes &out, const char *name)
{
    for (int i = 0; i < 8; ++i)
        PutWord(out, (WORD)(i < (int)strlen(name) ? name[i] : 0));
}

inline void PutBytes(Bytes &out, const void *data, size_t size)
{
    out.insert(out.end(), (const BYTE *)data, (const BYTE *)data + size);
}

} // namespace stored_test

#endif
