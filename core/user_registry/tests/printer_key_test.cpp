/*
 * The per-user store's keys: MD5 and the printer id, the key path and its limits, value
 * reads and writes, key trees, the removal of stale keys, and a second process seeing
 * what the first wrote.
 */
#include "core/user_registry/user_registry.h"

#include "core/stored/tests/stored_fixture.h"

#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>

#include <map>
#include <string>

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("\\USER_REGISTRY_TEST_LOG.txt");
}

namespace {

using stored_test::Bytes;

static const WCHAR kBase[] = TEXT("Software\\Qm\\Model 50");

std::string Hex(const BYTE *bytes, size_t size)
{
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (size_t i = 0; i < size; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0xF];
    }
    return text;
}

TEST(Md5, TheSuiteOfItsDefinition)
{
    struct Case {
        const char *message;
        const char *digest;
    };
    static const Case cases[] = {
        {"", "D41D8CD98F00B204E9800998ECF8427E"},
        {"a", "0CC175B9C0F1B6A831C399E269772661"},
        {"abc", "900150983CD24FB0D6963F7D28E17F72"},
        {"message digest", "F96B697D7CB7938D525A2F31AAF161D0"},
        {"abcdefghijklmnopqrstuvwxyz", "C3FCD3D76192E4007DFB496CCA67E13B"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "D174AB98D277D9F5A5611C2C9F419D9F"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57EDF4A22BE3C955AC49DA2E2107B67A"},
    };
    for (const Case &c : cases) {
        BYTE digest[16];
        ureg_Md5(c.message, (DWORD)strlen(c.message), digest);
        EXPECT_EQ(c.digest, Hex(digest, 16)) << c.message;
    }
}

class PrinterKeyTest : public stored_test::StoredTest
{
protected:
    void TearDown() override
    {
        qmt_PinClock(nullptr);
        StoredTest::TearDown();
    }
    /* The text of the printer's stored id, or empty. */
    std::u16string IdText(HANDLE printer)
    {
        BYTE id[PRINTER_ID_SIZE];
        if (!ureg_ReadPrinterId(printer, id))
            return std::u16string();
        WCHAR text[33];
        ureg_PrinterIdToText(id, text, 33);
        return std::u16string((const char16_t *)text);
    }
    /* Installs a printer and opens it with the rights to change its printer data. */
    HANDLE InstallAdmin(const WCHAR *name)
    {
        HANDLE installed = driver_files::InstallPrinter(name, u"C:\\drv\\QM50ST.DDD");
        ClosePrinter(installed);
        PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
        HANDLE printer = nullptr;
        EXPECT_TRUE(OpenPrinterW((LPWSTR)name, &printer, &defaults));
        return printer;
    }
    bool KeyExists(const std::u16string &path)
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, (LPCWSTR)path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }
    std::u16string Base()
    {
        return std::u16string((const char16_t *)kBase);
    }
    /* A key under the base path with a default value of the given attributes. */
    void MakeKey(const std::u16string &name, DWORD attributes)
    {
        HKEY key = nullptr;
        std::u16string path = Base() + u"\\" + name;
        ASSERT_EQ(ERROR_SUCCESS,
                  RegCreateKeyExW(
                      HKEY_CURRENT_USER, (LPCWSTR)path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, nullptr, 0, REG_BINARY, (const BYTE *)&attributes, 4));
        HKEY sub = nullptr;
        ASSERT_EQ(ERROR_SUCCESS,
                  RegCreateKeyExW(key, TEXT("Stamps"), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr));
        RegCloseKey(sub);
        RegCloseKey(key);
    }
    BOOL Write(DWORD value, const WCHAR *subKey = nullptr, const WCHAR *name = TEXT("Value"))
    {
        return ureg_WriteValue(printer_, context_, &value, sizeof(value), REG_DWORD, subKey, name);
    }
};

TEST_F(PrinterKeyTest, TheIdOfAPrinterUnderThePinnedClock)
{
    SYSTEMTIME pinned = {2024, 1, 2, 2, 3, 4, 5, 0};
    qmt_PinClock(&pinned);
    HANDLE sample = InstallAdmin(TEXT("QM Sample"));
    BYTE id[PRINTER_ID_SIZE];
    ASSERT_TRUE(ureg_MakePrinterId(sample, id));
    EXPECT_EQ("F9C70C2FF8C0E624F0C3F7698A71641B", Hex(id, 16));
    EXPECT_FALSE(ureg_MakePrinterId(nullptr, id));

    /* Stored once: a second id does not replace it. */
    EXPECT_FALSE(ureg_ReadPrinterId(sample, id));
    ASSERT_TRUE(ureg_StorePrinterId(sample, id));
    BYTE other[PRINTER_ID_SIZE] = {1, 2, 3};
    EXPECT_TRUE(ureg_StorePrinterId(sample, other));
    BYTE read[PRINTER_ID_SIZE];
    ASSERT_TRUE(ureg_ReadPrinterId(sample, read));
    EXPECT_EQ(0, memcmp(id, read, sizeof(id)));
    ClosePrinter(sample);
}

TEST(PrinterIdText, DigitsAndCapacity)
{
    BYTE id[PRINTER_ID_SIZE] = {0x00, 0xAB, 0x12, 0xF0};
    WCHAR text[40];
    for (WCHAR &c : text)
        c = 'x';
    ASSERT_TRUE(ureg_PrinterIdToText(id, text, 33));
    EXPECT_EQ(u"00AB12F0000000000000000000000000", std::u16string((const char16_t *)text));
    EXPECT_EQ('x', text[33]);
    ASSERT_TRUE(ureg_PrinterIdToText(id, text, 5));
    EXPECT_EQ(u"00AB", std::u16string((const char16_t *)text));
    ASSERT_TRUE(ureg_PrinterIdToText(id, text, 1));
    EXPECT_EQ(0, text[0]);
    EXPECT_FALSE(ureg_PrinterIdToText(id, text, 0));
    EXPECT_FALSE(ureg_PrinterIdToText(nullptr, text, 33));
}

TEST(KeyPath, OneBackslashBetweenParts)
{
    struct Case {
        const char16_t *first;
        const char16_t *second;
        const char16_t *joined;
    };
    static const Case cases[] = {
        {u"A\\B", u"C", u"A\\B\\C"},
        {u"A\\B\\", u"C", u"A\\B\\C"},
        {u"A\\B", u"\\C", u"A\\B\\C"},
        {u"A\\B\\\\", u"\\\\C\\D", u"A\\B\\C\\D"},
    };
    for (const Case &c : cases) {
        WCHAR path[16];
        ASSERT_TRUE(ureg_JoinKeyPath(path, 16, (const WCHAR *)c.first, (const WCHAR *)c.second));
        EXPECT_EQ(std::u16string(c.joined), std::u16string((const char16_t *)path));
    }
    WCHAR path[6];
    EXPECT_TRUE(ureg_JoinKeyPath(path, 6, TEXT("AB"), TEXT("CD")));
    EXPECT_FALSE(ureg_JoinKeyPath(path, 5, TEXT("AB"), TEXT("CD")));
}

TEST_F(PrinterKeyTest, AFirstWriteMakesTheIdAndTheKeyWithItsDefaultValue)
{
    DWORD keys = qmt_LiveRegistryKeys();
    DWORD handles = qmt_LivePrinterHandles();
    /* Reads make nothing. */
    DWORD value = 0;
    EXPECT_EQ(UREG_NOT_PRESENT, ureg_ReadValue(printer_, context_, &value, nullptr, nullptr, TEXT("Value"), 4));
    EXPECT_EQ(u"", IdText(printer_));
    EXPECT_FALSE(KeyExists(Base()));

    ASSERT_TRUE(Write(0x12345678, TEXT("Stamps")));
    std::u16string name = IdText(printer_);
    ASSERT_EQ(32u, name.size());
    std::u16string path = Base() + u"\\" + name;
    EXPECT_TRUE(KeyExists(path + u"\\Stamps"));
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, (LPCWSTR)path.c_str(), 0, KEY_READ, &key));
    DWORD type = 0;
    DWORD attributes = 0;
    DWORD size = sizeof(attributes);
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, nullptr, nullptr, &type, (BYTE *)&attributes, &size));
    RegCloseKey(key);
    EXPECT_EQ((DWORD)REG_BINARY, type);
    EXPECT_EQ(4u, size);
    EXPECT_EQ((DWORD)PRINTER_ATTRIBUTE_LOCAL, attributes & PRINTER_ATTRIBUTE_LOCAL);

    EXPECT_EQ(UREG_READ_OK, ureg_ReadValue(printer_, context_, &value, &type, TEXT("Stamps"), TEXT("Value"), 4));
    EXPECT_EQ(0x12345678u, value);
    EXPECT_EQ((DWORD)REG_DWORD, type);
    EXPECT_EQ(UREG_NOT_PRESENT, ureg_ReadValue(printer_, context_, &value, nullptr, nullptr, TEXT("Other"), 4));
    EXPECT_EQ(UREG_NOT_PRESENT, ureg_ReadValue(printer_, context_, &value, nullptr, TEXT("None"), TEXT("Value"), 4));
    EXPECT_EQ(-1, ureg_ReadValue(printer_, context_, nullptr, nullptr, TEXT("Stamps"), TEXT("Value"), 4));

    /* The sub key goes; the printer's key stays. */
    EXPECT_TRUE(ureg_DeleteValueKey(printer_, context_, TEXT("Stamps")));
    EXPECT_FALSE(KeyExists(path + u"\\Stamps"));
    EXPECT_TRUE(KeyExists(path));
    EXPECT_FALSE(ureg_DeleteValueKey(printer_, context_, TEXT("Stamps")));
    EXPECT_EQ(keys, qmt_LiveRegistryKeys());
    EXPECT_EQ(handles, qmt_LivePrinterHandles());
}

TEST_F(PrinterKeyTest, PathsOfUpTo259Characters)
{
    /* Base (20) + "\" + id (32) + "\" + sub key: 205 characters give 259. */
    std::u16string fits(205, u'S');
    std::u16string over(206, u'S');
    EXPECT_FALSE(Write(1, (const WCHAR *)over.c_str()));
    EXPECT_EQ(u"", IdText(printer_));
    EXPECT_FALSE(KeyExists(Base()));
    ASSERT_TRUE(Write(1, (const WCHAR *)fits.c_str()));
    EXPECT_TRUE(KeyExists(Base() + u"\\" + IdText(printer_) + u"\\" + fits));
    HKEY key = nullptr;
    EXPECT_FALSE(ureg_OpenPrinterKey(printer_, context_, (const WCHAR *)over.c_str(), &key));
    EXPECT_EQ(nullptr, key);
}

/* The sample model with entry 30 (the per-user base path) replaced, or dropped for an
 * empty line; installed as its own printer, opened with administration rights. */
struct BasePathModel {
    HANDLE printer = nullptr;
    DriverContext *context = nullptr;
    ~BasePathModel()
    {
        if (context)
            ddd_CloseContext(context);
        if (printer)
            ClosePrinter(printer);
    }
};

void InstallWithBasePath(const std::string &line, const WCHAR *name, BasePathModel &out)
{
    std::ifstream in(QM_SAMPLE_SOURCE);
    std::stringstream whole;
    whole << in.rdbuf();
    std::string source = whole.str();
    size_t at = source.find("  30: ");
    ASSERT_NE(std::string::npos, at);
    source.replace(at, source.find('\n', at) + 1 - at, line);
    dddc::Bytes base = ddd_test::ReadBytes(QM_MODELS_DIR "/QM50BASE.DDD");
    dddc::Bytes model = ddd_test::Compile(source, &base);
    std::u16string file = u"C:\\drv\\" + std::u16string((const char16_t *)name) + u".DDD";
    driver_files::WriteFileBytes(file, std::string(model.begin(), model.end()));
    HANDLE installed = driver_files::InstallPrinter(name, file);
    ClosePrinter(installed);
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    ASSERT_TRUE(OpenPrinterW((LPWSTR)name, &out.printer, &defaults));
    out.context = ddd_OpenContext(out.printer);
    ASSERT_NE(nullptr, out.context);
}

TEST_F(PrinterKeyTest, WithoutBasePathReadsFindNothingAndWritesFail)
{
    BasePathModel none;
    InstallWithBasePath("", TEXT("NoBase"), none);
    DWORD value = 7;
    EXPECT_FALSE(ureg_WriteValue(none.printer, none.context, &value, 4, REG_DWORD, nullptr, TEXT("Value")));
    EXPECT_EQ(UREG_NOT_PRESENT, ureg_ReadValue(none.printer, none.context, &value, nullptr, nullptr, TEXT("Value"), 4));
    EXPECT_EQ(u"", IdText(none.printer));
}

TEST_F(PrinterKeyTest, BasePathsGivingKeyPathsOf259And260Characters)
{
    /* The base path Software\ and 217 characters (226), then \ and the id: 259 characters.
     * The model source doubles the backslash. */
    std::string fits = "Software\\\\" + std::string(217, 'L');
    BasePathModel longest;
    InstallWithBasePath("  30: \"" + fits + "\"\n", TEXT("Longest"), longest);
    BasePathModel over;
    InstallWithBasePath("  30: \"" + fits + "X\"\n", TEXT("Over"), over);
    DWORD value = 7;
    EXPECT_FALSE(ureg_WriteValue(over.printer, over.context, &value, 4, REG_DWORD, nullptr, TEXT("Value")));
    EXPECT_FALSE(KeyExists(u"Software\\" + std::u16string(217, u'L') + u"X"));
    EXPECT_EQ(u"", IdText(over.printer));
    ASSERT_TRUE(ureg_WriteValue(longest.printer, longest.context, &value, 4, REG_DWORD, nullptr, TEXT("Value")));
    std::u16string path = u"Software\\" + std::u16string(217, u'L') + u"\\" + IdText(longest.printer);
    EXPECT_EQ(259u, path.size());
    EXPECT_TRUE(KeyExists(path));
}

TEST_F(PrinterKeyTest, AReadNeverGoesPastTheCallersBuffer)
{
    struct Case {
        const char *why;
        Bytes stored;
        DWORD capacity;
        Bytes expected; /* the whole buffer */
    };
    const Case cases[] = {
        {"4 bytes into 2", {1, 2, 3, 4}, 2, {1, 2}},
        {"1 byte into 2", {9}, 2, {9, 0}},
        {"exactly", {5, 6}, 2, {5, 6}},
        {"empty value", {}, 2, {0, 0}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        ASSERT_TRUE(ureg_WriteValue(
            printer_, context_, c.stored.data(), (DWORD)c.stored.size(), REG_BINARY, nullptr, TEXT("SelPosition")));
        Bytes buffer(c.capacity + 4, 0xEE);
        ASSERT_EQ(UREG_READ_OK,
                  ureg_ReadValue(printer_, context_, buffer.data(), nullptr, nullptr, TEXT("SelPosition"), c.capacity));
        EXPECT_EQ(c.expected, Bytes(buffer.begin(), buffer.begin() + c.capacity));
        EXPECT_EQ(Bytes(4, 0xEE), Bytes(buffer.begin() + c.capacity, buffer.end()));
    }
}

/* Every value of a tree, by key path and value name. */
typedef std::map<std::u16string, std::pair<DWORD, Bytes>> TreeDump;

void DumpTree(HKEY key, const std::u16string &path, TreeDump &out)
{
    for (DWORD i = 0;; ++i) {
        WCHAR name[300];
        DWORD chars = 300;
        BYTE data[512];
        DWORD size = sizeof(data);
        DWORD type = 0;
        if (RegEnumValueW(key, i, name, &chars, nullptr, &type, data, &size) != ERROR_SUCCESS)
            break;
        out[path + u"|" + std::u16string((const char16_t *)name)] = {type, Bytes(data, data + size)};
    }
    for (DWORD i = 0;; ++i) {
        WCHAR name[300];
        DWORD chars = 300;
        if (RegEnumKeyExW(key, i, name, &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        out[path + u"\\" + std::u16string((const char16_t *)name)] = {0, Bytes()};
        HKEY sub = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(key, name, 0, KEY_READ, &sub));
        DumpTree(sub, path + u"\\" + std::u16string((const char16_t *)name), out);
        RegCloseKey(sub);
    }
}

TEST(KeyTree, CopyAndDeleteRoundTrip)
{
    DWORD keys = qmt_LiveRegistryKeys();
    HKEY source = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExW(HKEY_CURRENT_USER,
                              TEXT("Software\\Tree\\Source"),
                              0,
                              nullptr,
                              0,
                              KEY_ALL_ACCESS,
                              nullptr,
                              &source,
                              nullptr));
    struct Value {
        const WCHAR *subKey;
        const WCHAR *name;
        DWORD type;
        Bytes data;
    };
    const Value values[] = {
        {nullptr, nullptr, REG_BINARY, {0x40, 0, 0, 0}},
        {nullptr, TEXT("Text"), REG_SZ, {'a', 0, 'b', 0, 0, 0}},
        {nullptr, TEXT("Expand"), REG_EXPAND_SZ, {'%', 0, 0, 0}},
        {nullptr, TEXT("Multi"), REG_MULTI_SZ, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}},
        {nullptr, TEXT("Number"), REG_DWORD, {1, 2, 3, 4}},
        {nullptr, TEXT("Wide"), REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8}},
        {nullptr, TEXT("Empty"), REG_BINARY, {}},
        {nullptr, TEXT("None"), REG_NONE, {7}},
        {TEXT("Favorite"), TEXT("UserIndex"), REG_BINARY, {1, 2, 3}},
        {TEXT("Favorite\\UserSel01"), TEXT("Name"), REG_SZ, {'x', 0, 0, 0}},
        {TEXT("Favorite\\UserSel01\\PaperMargin"), TEXT("Top"), REG_DWORD, {5, 0, 0, 0}},
        {TEXT("Stamps\\Others"), nullptr, REG_SZ, {0, 0}},
    };
    for (const Value &v : values) {
        HKEY key = source;
        if (v.subKey) {
            ASSERT_EQ(ERROR_SUCCESS,
                      RegCreateKeyExW(source, v.subKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
        }
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, v.name, 0, v.type, v.data.data(), (DWORD)v.data.size()));
        if (key != source)
            RegCloseKey(key);
    }
    HKEY copy = nullptr;
    ASSERT_EQ(
        ERROR_SUCCESS,
        RegCreateKeyExW(
            HKEY_CURRENT_USER, TEXT("Software\\Tree\\Copy"), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &copy, nullptr));
    ASSERT_TRUE(ureg_CopyKeyTree(copy, source));
    TreeDump original;
    TreeDump copied;
    DumpTree(source, u"", original);
    DumpTree(copy, u"", copied);
    EXPECT_EQ(17u, original.size()); /* 12 values and 5 keys */
    EXPECT_EQ(original, copied);
    RegCloseKey(copy);
    RegCloseKey(source);

    HKEY tree = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, TEXT("Software\\Tree"), 0, KEY_ALL_ACCESS, &tree));
    ASSERT_TRUE(ureg_DeleteKeyTree(tree, TEXT("Copy")));
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExW(tree, TEXT("Copy"), 0, KEY_READ, &copy));
    EXPECT_FALSE(ureg_DeleteKeyTree(tree, TEXT("Copy")));
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(tree, TEXT("Source"), 0, KEY_READ, &source));
    TreeDump after;
    DumpTree(source, u"", after);
    EXPECT_EQ(original, after);
    RegCloseKey(source);
    RegCloseKey(tree);
    EXPECT_EQ(keys, qmt_LiveRegistryKeys());
}

TEST_F(PrinterKeyTest, StaleKeysOfDeletedLocalPrintersGo)
{
    /* A printer that once wrote its key, then was deleted. */
    HANDLE gone = InstallAdmin(TEXT("Gone"));
    DWORD value = 1;
    ASSERT_TRUE(ureg_WriteValue(gone, context_, &value, 4, REG_DWORD, TEXT("Stamps\\Others"), TEXT("V")));
    std::u16string goneName = IdText(gone);
    ClosePrinter(gone);
    ASSERT_TRUE(qmh_DeletePrinter(TEXT("Gone")));
    /* A live printer without id, the key of a network printer and a name that is no id
     * (registry names are compared without case). */
    HANDLE fresh = driver_files::InstallPrinter(TEXT("Fresh"), u"C:\\drv\\QM50ST.DDD");
    ClosePrinter(fresh);
    const std::u16string network = u"0123456789ABCDEF0123456789ABCDEF";
    MakeKey(network, PRINTER_ATTRIBUTE_NETWORK);
    MakeKey(u"Settings", PRINTER_ATTRIBUTE_LOCAL);
    MakeKey(u"0123456789ABCDEF0123456789ABCDEG", PRINTER_ATTRIBUTE_LOCAL);

    /* While one printer cannot be opened or read, every key stays. */
    qmt_SpoolerFailOpen(2, ERROR_ACCESS_DENIED);
    ASSERT_TRUE(Write(1));
    EXPECT_TRUE(KeyExists(Base() + u"\\" + goneName));
    qmt_SpoolerReset();
    qmt_SpoolerFailGetPrinterData(1, ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(0u, ureg_DeleteStalePrinterKeys(nullptr, context_));
    qmt_SpoolerReset();
    EXPECT_TRUE(KeyExists(Base() + u"\\" + goneName));

    DWORD keys = qmt_LiveRegistryKeys();
    DWORD handles = qmt_LivePrinterHandles();
    ASSERT_TRUE(Write(2));
    EXPECT_FALSE(KeyExists(Base() + u"\\" + goneName));
    EXPECT_TRUE(KeyExists(Base() + u"\\" + IdText(printer_)));
    EXPECT_TRUE(KeyExists(Base() + u"\\" + network));
    EXPECT_TRUE(KeyExists(Base() + u"\\Settings"));
    EXPECT_TRUE(KeyExists(Base() + u"\\0123456789ABCDEF0123456789ABCDEG"));
    EXPECT_EQ(keys, qmt_LiveRegistryKeys());
    EXPECT_EQ(handles, qmt_LivePrinterHandles());

    /* With a printer: its own key, when it was a local printer's. */
    EXPECT_EQ(1u, ureg_DeleteStalePrinterKeys(printer_, context_));
    EXPECT_FALSE(KeyExists(Base() + u"\\" + IdText(printer_)));
    EXPECT_EQ(0u, ureg_DeleteStalePrinterKeys(printer_, context_));
}

TEST_F(PrinterKeyTest, ASecondProcessSeesTheKeys)
{
    ASSERT_TRUE(Write(0xCAFE));
    std::string self = testing::internal::GetArgvs()[0];
    std::string command = "QM_PERSIST_ROOT='" + std::string(getenv("QM_ROOT")) + "' '" + self +
                          "' --gtest_filter=PrinterKeyTest.ReadBackInASecondProcess 2>&1";
    FILE *child = popen(command.c_str(), "r");
    ASSERT_NE(nullptr, child);
    std::string output;
    char line[512];
    while (fgets(line, sizeof(line), child))
        output += line;
    int status = pclose(child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
    EXPECT_NE(std::string::npos, output.find("[  PASSED  ] 1 test")) << output;
    EXPECT_EQ(std::string::npos, output.find("SKIPPED")) << output;
}

TEST_F(PrinterKeyTest, ReadBackInASecondProcess)
{
    const char *root = getenv("QM_PERSIST_ROOT");
    if (!root)
        GTEST_SKIP() << "run by ASecondProcessSeesTheKeys";
    ddd_CloseContext(context_);
    ClosePrinter(printer_);
    context_ = nullptr;
    setenv("QM_ROOT", root, 1);
    qmt_ResetRoot();
    ASSERT_TRUE(OpenPrinterW((LPWSTR)TEXT("Stored"), &printer_, nullptr));
    context_ = ddd_OpenContext(printer_);
    ASSERT_NE(nullptr, context_);
    DWORD value = 0;
    EXPECT_EQ(UREG_READ_OK, ureg_ReadValue(printer_, context_, &value, nullptr, nullptr, TEXT("Value"), 4));
    EXPECT_EQ(0xCAFEu, value);
}

} // namespace
