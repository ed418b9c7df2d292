/*
 * Test support of the favorites and paper margins: the sample model with the stored
 * settings' records and the preset favorites of setting 36888 (an empty first option,
 * then "Office" and "Draft", each naming a record of rows; optionally a third preset
 * whose record holds a row that cannot be written), installed as printer "Stored".
 */
#ifndef QM_CORE_USER_REGISTRY_TESTS_FAVORITES_FIXTURE_H
#define QM_CORE_USER_REGISTRY_TESTS_FAVORITES_FIXTURE_H

#include "core/stored/tests/stored_fixture.h"
#include "core/user_registry/favorites.h"
#include "core/user_registry/margin_store.h"
#include "core/user_registry/user_registry.h"
#include "platform/testing/qm_testing_registry.h"

#include <string>
#include <vector>

namespace favorites_test {

using stored_test::Bytes;

/* The model's per-user base path, also the machine-wide path of its margins. */
static const WCHAR kBase[] = TEXT("Software\\Qm\\Model 50");

/* Setting 36888 and the records of its presets; with broken, a third preset whose second
 * row names no setting. */
inline std::string PresetRecords(bool broken)
{
    std::string out = "  - {type: 4, key: 36888, caption: \"Favorites\", control: 2, default: 1, options: [60001, "
                      "60002, 60003";
    out += broken ? ", 60004]}\n" : "]}\n";
    out += "  - {type: 14, key: 60001, caption: \"Current\", value: {type: 3, value: 0}}\n"
           "  - {type: 14, key: 60002, caption: \"Office\\rFor the office\", value: {type: 3, value: 2}}\n"
           "  - {type: 14, key: 60003, caption: \"Draft\", value: {type: 3, value: 3}}\n"
           "  - {type: 21, key: 2, text: \"Office\", rows: [{function: 16, type: 2, value: 2}]}\n"
           "  - {type: 21, key: 3, text: \"Draft\", rows: [{function: 15, type: 2, value: 1}, {function: 16, "
           "type: 2, value: 3}]}\n";
    if (broken)
        out += "  - {type: 14, key: 60004, caption: \"Broken\\rNever made\", value: {type: 3, value: 4}}\n"
               "  - {type: 21, key: 4, text: \"Broken\", rows: [{function: 16, type: 2, value: 2}, {function: 9999, "
               "type: 2, value: 1}]}\n";
    return out;
}

class StoreTest : public testing::Test
{
protected:
    /* With a preset whose row cannot be written. */
    virtual bool Broken()
    {
        return false;
    }
    void SetUp() override
    {
        module_ = driver_files::PinModuleDirectory();
        driver_files::CopyIn(driver_files::HostFile(QM_MODELS_DIR "/QM50BASE.DDD"), u"QM50BASE.DDD");
        std::ifstream in(QM_SAMPLE_SOURCE);
        std::stringstream source;
        source << in.rdbuf();
        dddc::Bytes base = ddd_test::ReadBytes(QM_MODELS_DIR "/QM50BASE.DDD");
        dddc::Bytes model =
            ddd_test::Compile(source.str() + stored_test::ExtraRecords() + PresetRecords(Broken()), &base);
        driver_files::WriteFileBytes(u"C:\\drv\\QM50ST.DDD", std::string(model.begin(), model.end()));
        HANDLE installed = driver_files::InstallPrinter(TEXT("Stored"), u"C:\\drv\\QM50ST.DDD");
        ASSERT_NE(nullptr, installed);
        ClosePrinter(installed);
        PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
        ASSERT_TRUE(OpenPrinterW((LPWSTR)TEXT("Stored"), &printer_, &defaults));
        context_ = ddd_OpenContext(printer_);
        ASSERT_NE(nullptr, context_);
        devmode_ = dm_AllocDevmode(0);
        ASSERT_TRUE(opt_SetAllDefaults(context_, devmode_, &block_, TEXT("Stored")));
    }
    void TearDown() override
    {
        GlobalFree(devmode_);
        qmt_SpoolerReset();
        if (context_)
            ddd_CloseContext(context_);
        if (printer_)
            ClosePrinter(printer_);
        util_SetModuleHandle(nullptr);
        FreeLibrary(module_);
        EXPECT_EQ(0u, qmt_LiveRegistryKeys());
    }
    /* A sub key of the printer's per-user key (NULL when it cannot be opened). */
    HKEY OpenUserKey(const WCHAR *subKey)
    {
        WCHAR path[300];
        BYTE id[PRINTER_ID_SIZE];
        WCHAR text[33];
        if (!ureg_ReadPrinterId(printer_, id))
            return nullptr;
        ureg_PrinterIdToText(id, text, 33);
        wsprintfW(path, TEXT("%s\\%s\\%s"), kBase, text, subKey);
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
            return nullptr;
        return key;
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
    /* The names of a key's values, in enumeration order. */
    static std::vector<std::u16string> ValueNames(HKEY key)
    {
        std::vector<std::u16string> names;
        for (DWORD i = 0;; ++i) {
            WCHAR name[400];
            DWORD chars = 400;
            if (RegEnumValueW(key, i, name, &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            names.push_back(std::u16string((const char16_t *)name));
        }
        return names;
    }
    /* Sets a value of the model's machine-wide key tree. */
    static void SetMachineValue(const WCHAR *subKey, const WCHAR *name, DWORD type, const void *data, DWORD size)
    {
        WCHAR path[300];
        wsprintfW(path, TEXT("%s\\%s"), kBase, subKey);
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS,
                  RegCreateKeyExW(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, name, 0, type, (const BYTE *)data, size));
        RegCloseKey(key);
    }
    HMODULE module_ = nullptr;
    HANDLE printer_ = nullptr;
    DriverContext *context_ = nullptr;
    DriverDevmode *devmode_ = nullptr;
    PrinterDataBlock block_{};
};

/* Margins from four numbers. */
inline PaperMargins Margins(LONG a, LONG b, LONG c, LONG d)
{
    PaperMargins margins = {{a, b, c, d}};
    return margins;
}

} // namespace favorites_test

/* Margins compare and print by their four numbers (found by argument lookup). */
inline bool operator==(const PaperMargins &a, const PaperMargins &b)
{
    return memcmp(&a, &b, sizeof(a)) == 0;
}

inline std::ostream &operator<<(std::ostream &out, const PaperMargins &m)
{
    return out << "{" << m.margin[0] << ", " << m.margin[1] << ", " << m.margin[2] << ", " << m.margin[3] << "}";
}

#endif /* QM_CORE_USER_REGISTRY_TESTS_FAVORITES_FIXTURE_H */
