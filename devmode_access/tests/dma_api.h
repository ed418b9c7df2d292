/*
 * The DEVMODE access library as outside programs reach it: loaded by file name from the
 * test program's directory, every export found with GetProcAddress.
 */
#ifndef QM_DEVMODE_ACCESS_TESTS_DMA_API_H
#define QM_DEVMODE_ACCESS_TESTS_DMA_API_H

#include <windows.h>

#include "core/settings/settings.h"
#include "devmode_access/include/qmkelvdm.h"

#include <gtest/gtest.h>

#include <string.h>

#include <vector>

struct DmaApi {
    HMODULE module = nullptr;
    decltype(&DMA_GetValue) GetValue = nullptr;
    decltype(&DMA_SetValue) SetValue = nullptr;
    decltype(&DMA_GetStringData) GetStringData = nullptr;
    decltype(&DMA_SetStringData) SetStringData = nullptr;
    decltype(&DMA_GetStringData_StrLength) GetStringDataStrLength = nullptr;
    decltype(&DMA_SetStringData_StrLength) SetStringDataStrLength = nullptr;
    decltype(&DMA_GetLogFontData) GetLogFontData = nullptr;
    decltype(&DMA_SetLogFontData) SetLogFontData = nullptr;
    decltype(&DMA_GetUserSettingInfo) GetUserSettingInfo = nullptr;
    decltype(&DMA_SetUserSettingInfo) SetUserSettingInfo = nullptr;
    decltype(&DMA_QueryStructSize) QueryStructSize = nullptr;
    decltype(&DMA_SetFaxAddressNum) SetFaxAddressNum = nullptr;
    decltype(&DMA_GetFaxAddressNum) GetFaxAddressNum = nullptr;
    decltype(&DMA_EnumDMAID_ByTargetInfo) EnumIds = nullptr;
    decltype(&DMA_GetNameFromInfo) GetNameFromInfo = nullptr;
    decltype(&DMA_AccessibleData) AccessibleData = nullptr;
    decltype(&DMA_DeleteData) DeleteData = nullptr;
    decltype(&DMA_ApplyData) ApplyData = nullptr;
    decltype(&DMA_ExtractDocPropEx) ExtractDocPropEx = nullptr;
    decltype(&DMA_ExtractDocProp) ExtractDocProp = nullptr;
    decltype(&DMA_ExtractOneTimeEx) ExtractOneTimeEx = nullptr;
    decltype(&DMA_ExtractOneTime) ExtractOneTime = nullptr;
    decltype(&DMA_ReplaceDocProp) ReplaceDocProp = nullptr;
    decltype(&dma_GetValue) GetFunctionValue = nullptr;
    decltype(&dma_SetValue) SetFunctionValue = nullptr;

    /* Loads the library and finds every export; fails the test when one is missing. */
    void load()
    {
        module = LoadLibraryW(TEXT("qmkelvdm.dll"));
        ASSERT_NE(nullptr, module);
        find(&GetValue, "DMA_GetValue");
        find(&SetValue, "DMA_SetValue");
        find(&GetStringData, "DMA_GetStringData");
        find(&SetStringData, "DMA_SetStringData");
        find(&GetStringDataStrLength, "DMA_GetStringData_StrLength");
        find(&SetStringDataStrLength, "DMA_SetStringData_StrLength");
        find(&GetLogFontData, "DMA_GetLogFontData");
        find(&SetLogFontData, "DMA_SetLogFontData");
        find(&GetUserSettingInfo, "DMA_GetUserSettingInfo");
        find(&SetUserSettingInfo, "DMA_SetUserSettingInfo");
        find(&QueryStructSize, "DMA_QueryStructSize");
        find(&SetFaxAddressNum, "DMA_SetFaxAddressNum");
        find(&GetFaxAddressNum, "DMA_GetFaxAddressNum");
        find(&EnumIds, "DMA_EnumDMAID_ByTargetInfo");
        find(&GetNameFromInfo, "DMA_GetNameFromInfo");
        find(&AccessibleData, "DMA_AccessibleData");
        find(&DeleteData, "DMA_DeleteData");
        find(&ApplyData, "DMA_ApplyData");
        find(&ExtractDocPropEx, "DMA_ExtractDocPropEx");
        find(&ExtractDocProp, "DMA_ExtractDocProp");
        find(&ExtractOneTimeEx, "DMA_ExtractOneTimeEx");
        find(&ExtractOneTime, "DMA_ExtractOneTime");
        find(&ReplaceDocProp, "DMA_ReplaceDocProp");
        find(&GetFunctionValue, "dma_GetValue");
        find(&SetFunctionValue, "dma_SetValue");
    }

    template <typename T> void find(T *entry, const char *name)
    {
        *entry = (T)(void *)GetProcAddress(module, name);
        EXPECT_NE(nullptr, (void *)*entry) << name;
    }
};

/* A handle over the caller's areas: DEVMODE, printer-data block and a fax list with three
 * destinations, all zeroed; on the heap, as it is over 13 KB. */
struct DmaAreas {
    DmaSettingsSet handle;
    DriverDevmode devmode;
    PrinterDataBlock block;
    static constexpr size_t kFaxListBytes = 1442 + 3 * 742;
    BYTE faxList[kFaxListBytes];

    DmaAreas()
    {
        memset(this, 0, sizeof(*this));
        handle.devmode = &devmode;
        handle.printerData = &block;
        handle.faxList = faxList;
        static const WCHAR kTag[8] = {'D', 'F', 'A', 'X', '0', '0', '1', 0};
        memcpy(faxList, kTag, sizeof(kTag));
    }

    /* Copies of the three areas, to show that a refused call changed nothing. */
    struct Snapshot {
        DriverDevmode devmode;
        PrinterDataBlock block;
        BYTE faxList[kFaxListBytes];
    };
    void save(Snapshot *s) const
    {
        memcpy(&s->devmode, &devmode, sizeof(devmode));
        memcpy(&s->block, &block, sizeof(block));
        memcpy(s->faxList, faxList, sizeof(faxList));
    }
    bool same(const Snapshot &s) const
    {
        return memcmp(&s.devmode, &devmode, sizeof(devmode)) == 0 && memcmp(&s.block, &block, sizeof(block)) == 0 &&
               memcmp(s.faxList, faxList, sizeof(faxList)) == 0;
    }
};

/* A program's entry list of one kind: entries of entrySize bytes and their state bytes. */
struct DmaEntries {
    std::vector<BYTE> bytes;
    std::vector<BYTE> states;
    DWORD entrySize;

    DmaEntries(DWORD count, DWORD size, BYTE state = 0) : bytes(count * size), states(count, state), entrySize(size) {}

    BYTE *at(DWORD i)
    {
        return bytes.data() + i * entrySize;
    }
    void attach(DmaEntryList *list)
    {
        list->count = (DWORD)states.size();
        list->entrySize = entrySize;
        list->states = states.empty() ? nullptr : states.data();
        list->entries = bytes.empty() ? nullptr : bytes.data();
    }
};

#endif /* QM_DEVMODE_ACCESS_TESTS_DMA_API_H */
