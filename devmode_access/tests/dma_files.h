/*
 * Settings files for the tests of the DEVMODE access library: the blocks built byte by
 * byte, files written and read through the Windows file calls, and a fixture whose handle
 * names a settings file and a one-time file in the temporary directory.
 */
#ifndef QM_DEVMODE_ACCESS_TESTS_DMA_FILES_H
#define QM_DEVMODE_ACCESS_TESTS_DMA_FILES_H

#include "devmode_access/tests/dma_api.h"

#include "platform/testing/qm_wide.h"

#include <memory>
#include <string>
#include <vector>

namespace dma_files {

typedef std::vector<BYTE> Bytes;

inline void PutDword(Bytes &bytes, DWORD value)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back((BYTE)(value >> (8 * i)));
}

/* A block name: UTF-16, zero-padded to 8 characters. */
inline void PutName(Bytes &bytes, const char *name)
{
    for (size_t i = 0; i < 8; ++i) {
        bytes.push_back(i < strlen(name) ? (BYTE)name[i] : 0);
        bytes.push_back(0);
    }
}

/* "NDEV001": header, then 4268 bytes of a pattern (the header's length may differ). */
inline Bytes Ndev(DWORD version = 21024, DWORD length = 4268)
{
    Bytes bytes;
    PutName(bytes, "NDEV001");
    PutDword(bytes, version);
    PutDword(bytes, length);
    for (DWORD i = 0; i < 4268; ++i)
        bytes.push_back((BYTE)(i % 251 + 1));
    bytes[24] = 0x20; // the second part opens with its version word, 21024
    bytes[25] = 0x52;
    return bytes;
}

/* An info block ("VQBINFO", "SPINFO") with size bytes of data. */
inline Bytes Info(const char *name, DWORD size)
{
    Bytes bytes;
    PutName(bytes, name);
    PutDword(bytes, size);
    for (DWORD i = 0; i < size; ++i)
        bytes.push_back((BYTE)(0xC0 + i));
    return bytes;
}

/* A "DFAX001" block with count destinations. */
inline Bytes Fax(WORD count)
{
    Bytes bytes;
    PutName(bytes, "DFAX001");
    bytes.push_back((BYTE)count);
    bytes.push_back((BYTE)(count >> 8));
    bytes.resize(1442 + 742 * (size_t)count, 0x5A);
    return bytes;
}

inline Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes &part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

/* The file's bytes; empty when it cannot be opened. */
inline Bytes ReadBytes(const qm_wstring &path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return Bytes();
    Bytes bytes(GetFileSize(file, nullptr));
    DWORD read = 0;
    if (!bytes.empty()) {
        EXPECT_TRUE(ReadFile(file, bytes.data(), (DWORD)bytes.size(), &read, nullptr));
    }
    CloseHandle(file);
    return bytes;
}

inline void WriteBytes(const qm_wstring &path, const Bytes &bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    if (!bytes.empty()) {
        EXPECT_TRUE(WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr));
    }
    CloseHandle(file);
}

inline bool Exists(const qm_wstring &path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

/* The program's blocks: each an owned buffer and the record pointing at them. */
struct Blocks {
    Bytes ndev, vqb, fax, sp;
    DmaDocPropBlocks record = {};

    /* Points the record at the buffers (an empty one: NULL and size 0). */
    DmaDocPropBlocks *Point()
    {
        auto at = [](Bytes &b) { return b.empty() ? nullptr : (void *)b.data(); };
        record = {at(ndev),
                  (DWORD)ndev.size(),
                  at(vqb),
                  (DWORD)vqb.size(),
                  at(fax),
                  (DWORD)fax.size(),
                  at(sp),
                  (DWORD)sp.size()};
        return &record;
    }
};

/* A handle whose settings-file path (374) and one-time path (375) name files in the
 * temporary directory, removed after the test. */
class DmaFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        api_.load();
        WCHAR temp[MAX_PATH];
        ASSERT_NE(0u, GetTempPathW(MAX_PATH, temp));
        std::string unique = std::to_string(GetCurrentProcessId());
        settingsFile_ = temp + Widen("qmdma_settings_" + unique + ".bin");
        oneTimeFile_ = temp + Widen("qmdma_onetime_" + unique + ".bin");
        SetPath(374, settingsFile_);
        SetPath(375, oneTimeFile_);
    }

    void TearDown() override
    {
        DeleteFileW(settingsFile_.c_str());
        DeleteFileW(oneTimeFile_.c_str());
    }

    static qm_wstring Widen(const std::string &text)
    {
        return qm_wstring(text.begin(), text.end());
    }

    void SetPath(WORD functionId, const qm_wstring &path)
    {
        DWORD size = (DWORD)(path.size() + 1) * sizeof(WCHAR);
        const WCHAR *text = path.c_str();
        ASSERT_EQ(SST_OK, dma_SetValue(functionId, &a_->devmode, &a_->block, VT_STRING, size, &text));
    }

    DmaApi api_;
    std::unique_ptr<DmaAreas> a_ = std::make_unique<DmaAreas>();
    qm_wstring settingsFile_;
    qm_wstring oneTimeFile_;
};

} // namespace dma_files

#endif /* QM_DEVMODE_ACCESS_TESTS_DMA_FILES_H */
