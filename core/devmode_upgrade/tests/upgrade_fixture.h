/*
 * Test support of the upgrades: variants of the sample model (model code, capability
 * bits 45 and 25) with non-zero defaults for the settings the fix-ups reset, installed
 * as printers with their contexts; DEVMODE inputs of exactly the size they claim.
 */
#ifndef QM_CORE_DEVMODE_UPGRADE_TESTS_UPGRADE_FIXTURE_H
#define QM_CORE_DEVMODE_UPGRADE_TESTS_UPGRADE_FIXTURE_H

#include "core/context/driver_context.h"
#include "core/context/tests/driver_files.h"
#include "core/ddd/tests/ddd_test_support.h"
#include "core/handlers/setting_handlers.h"
#include "core/settings/settings.h"
#include "platform/testing/qm_testing.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace upgrade_test {

typedef std::vector<BYTE> Bytes;

/* A model variant: its code (the default of 5137) and two capabilities. */
struct Model {
    WORD code;
    bool bookletCount; /* capability bit 45 */
    bool monitor;      /* capability mask 0x2000000 */
    bool operator<(const Model &other) const
    {
        return code != other.code                   ? code < other.code
               : bookletCount != other.bookletCount ? bookletCount < other.bookletCount
                                                    : monitor < other.monitor;
    }
};

static const Model kPlainModel = {0x101, false, false};

/* The default of a setting added to the sample: {FunctionID, value type, value}. */
struct AddedDefault {
    int id;
    int type;
    int value;
};

/* Non-zero defaults of the settings the fix-ups reset (the sample has none of them). */
static const AddedDefault kAddedDefaults[] = {
    {271, 3, 71},
    {350, 3, 35},
    {448, 8, 4},
    {465, 3, 1},
    {4365, 3, 65},
    {5153, 3, 53},
    {4129, 1, 1},
    {6222, 3, 22},
    {6223, 3, 23},
    {6237, 3, 37},
    {6238, 3, 38},
    {6252, 3, 52},
    {6253, 3, 53},
    {6312, 3, 12},
    {6313, 3, 13},
};

inline std::string DefaultRecord(int id, int type, int value)
{
    std::ostringstream out;
    out << "  - {type: 4, key: " << id << ", caption: N" << id << ", control: 2, default: 1, options: [" << id * 10 + 1
        << "]}\n";
    out << "  - {type: 14, key: " << id * 10 + 1 << ", caption: V, value: {type: " << type << ", value: " << value
        << "}}\n";
    return out.str();
}

/* The sample's source with the variant's entries and the added defaults. */
inline std::string VariantSource(const Model &model)
{
    std::ifstream in(QM_SAMPLE_SOURCE);
    std::stringstream whole;
    whole << in.rdbuf();
    std::string source = whole.str();
    auto replace = [&source](const std::string &from, const std::string &to) {
        size_t at = source.find(from);
        EXPECT_NE(std::string::npos, at) << from;
        if (at != std::string::npos)
            source.replace(at, from.size(), to);
    };
    replace("  26: 0x00400001", model.monitor ? "  26: 0x02400001" : "  26: 0x00400001");
    replace("  39: [0x00000080]", model.bookletCount ? "  39: [0x00002080]" : "  39: [0x00000080]");
    for (const AddedDefault &added : kAddedDefaults)
        source += DefaultRecord(added.id, added.type, added.value);
    source += DefaultRecord(5137, 3, model.code);
    return source;
}

class UpgradeTest : public testing::Test
{
protected:
    void SetUp() override
    {
        module_ = driver_files::PinModuleDirectory();
        driver_files::CopyIn(driver_files::HostFile(QM_MODELS_DIR "/QM50BASE.DDD"), u"QM50BASE.DDD");
        qmt_PinLocale(0x0407);
    }
    void TearDown() override
    {
        qmt_FailAllocations(0, 0);
        for (auto &entry : printers_) {
            ddd_CloseContext(entry.second.context);
            ClosePrinter(entry.second.printer);
        }
        util_SetModuleHandle(nullptr);
        FreeLibrary(module_);
        qmt_PinLocale(0);
    }
    struct Installed {
        HANDLE printer;
        DriverContext *context;
        std::u16string name;
    };
    /* The variant installed as a printer of its own (once per test). */
    Installed &Install(const Model &model)
    {
        auto found = printers_.find(model);
        if (found != printers_.end())
            return found->second;
        dddc::Bytes base = ddd_test::ReadBytes(QM_MODELS_DIR "/QM50BASE.DDD");
        dddc::Bytes bytes = ddd_test::Compile(VariantSource(model), &base);
        std::string number = std::to_string(printers_.size());
        std::u16string file = u"C:\\drv\\QM50U" + std::u16string(number.begin(), number.end()) + u".DDD";
        driver_files::WriteFileBytes(file, std::string(bytes.begin(), bytes.end()));
        std::u16string name = u"Upgrade " + std::u16string(number.begin(), number.end());
        HANDLE printer = driver_files::InstallPrinter((const WCHAR *)name.c_str(), file);
        DriverContext *context = ddd_OpenContext(printer);
        EXPECT_NE(nullptr, context);
        return printers_[model] = Installed{printer, context, name};
    }
    DriverContext *Context(const Model &model = kPlainModel)
    {
        return Install(model).context;
    }
    /* The model's default full DEVMODE. */
    std::unique_ptr<DriverDevmode> Defaults(const Model &model = kPlainModel)
    {
        std::unique_ptr<DriverDevmode> devmode(new DriverDevmode());
        EXPECT_TRUE(opt_SetAllDefaults(Context(model), devmode.get(), nullptr, TEXT("P")));
        return devmode;
    }
    std::unique_ptr<PrinterDataBlock> DefaultBlock(const Model &model = kPlainModel)
    {
        std::unique_ptr<PrinterDataBlock> block(new PrinterDataBlock());
        EXPECT_TRUE(opt_SetAllDefaults(Context(model), nullptr, block.get(), TEXT("DummyName")));
        return block;
    }
    HMODULE module_ = nullptr;
    std::map<Model, Installed> printers_;
};

/* A number setting of the areas. */
inline DWORD Number(DriverDevmode *devmode, PrinterDataBlock *block, WORD functionId)
{
    WORD type = 0;
    DWORD size = 0;
    DWORD_PTR value = 0;
    EXPECT_EQ(0, dma_GetFunctionValue(functionId, devmode, block, &type, &size, &value)) << functionId;
    return dma_ValueToDword(type, &value);
}

/* Writes a number setting in its stored type. */
inline void SetNumber(DriverDevmode *devmode, PrinterDataBlock *block, WORD functionId, DWORD value)
{
    const SettingLocation *row = dma_FindSettingRow(functionId, nullptr);
    ASSERT_NE(nullptr, row) << functionId;
    DWORD width = dma_GetTypeWidth(row->storedType);
    BYTE byteValue = (BYTE)value;
    WORD wordValue = (WORD)value;
    const void *data = width == 1 ? (const void *)&byteValue : width == 2 ? (const void *)&wordValue : &value;
    ASSERT_EQ(0, dma_SetFunctionValue(functionId, devmode, block, row->storedType, width, data)) << functionId;
}

/* A DEVMODE input: bytes that end exactly at dmSize + dmDriverExtra (so that a read past
 * them is caught by the sanitizer), built from a full DEVMODE's public and private parts. */
struct Input {
    std::unique_ptr<BYTE[]> bytes; /* exactly size bytes */
    size_t size = 0;
    const DEVMODEW *get() const
    {
        return (const DEVMODEW *)bytes.get();
    }
    Bytes Copy() const
    {
        return Bytes(bytes.get(), bytes.get() + size);
    }
};

/* The header of an input. */
struct Header {
    WORD version;
    WORD layout;
    const WCHAR *model; /* NULL: keep the default's */
    WORD size;
    WORD specVersion;
    WORD driverExtra;
};

inline Input MakeInput(const DriverDevmode &source, const Header &header)
{
    DriverDevmode full = source;
    full.dm.dmDriverVersion = header.version;
    memcpy(full.priv.bytes, &header.version, 2);
    memcpy(full.priv.bytes + 2, &header.layout, 2);
    if (header.model) {
        memset(full.priv.bytes + 4, 0, 64);
        memcpy(full.priv.bytes + 4, header.model, dma_CountWideChars(header.model, 32) * sizeof(WCHAR));
    }
    full.dm.dmSize = header.size;
    full.dm.dmSpecVersion = header.specVersion;
    full.dm.dmDriverExtra = header.driverExtra;
    const BYTE *bytes = (const BYTE *)&full;
    Bytes built;
    DWORD publicBytes = header.size < sizeof(DEVMODEW) ? header.size : sizeof(DEVMODEW);
    built.assign(bytes, bytes + publicBytes);
    built.resize(header.size, 0);
    DWORD privateBytes = header.driverExtra < sizeof(DriverDevmode) - sizeof(DEVMODEW)
                             ? header.driverExtra
                             : sizeof(DriverDevmode) - sizeof(DEVMODEW);
    built.insert(built.end(), bytes + sizeof(DEVMODEW), bytes + sizeof(DEVMODEW) + privateBytes);
    built.resize((size_t)header.size + header.driverExtra, 0x5A);
    Input input;
    input.size = built.size();
    input.bytes.reset(new BYTE[input.size ? input.size : 1]);
    memcpy(input.bytes.get(), built.data(), built.size());
    return input;
}

inline Bytes FirstPart(const void *devmode)
{
    return Bytes((const BYTE *)devmode, (const BYTE *)devmode + DM_SHORT_SIZE);
}

} // namespace upgrade_test

#endif /* QM_CORE_DEVMODE_UPGRADE_TESTS_UPGRADE_FIXTURE_H */
