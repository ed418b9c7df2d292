/*
 * Settings areas for tests: a zeroed full driver DEVMODE and printer-data block, written
 * through the settings access in the type each setting holds. Allocate it on the heap
 * (std::make_unique): it is over 11 KB.
 */
#ifndef QM_TESTING_SETTINGS_AREAS_H
#define QM_TESTING_SETTINGS_AREAS_H

#include "core/settings/settings.h"

#include <gtest/gtest.h>

#include <string.h>

struct TestSettingsAreas {
    DriverDevmode devmode;
    PrinterDataBlock block;

    TestSettingsAreas()
    {
        memset(this, 0, sizeof(*this));
    }

    /* Writes a numeric setting in the type and size it holds; fails the test when refused. */
    void set(WORD functionId, LONG value)
    {
        WORD type = 0;
        DWORD size = 0;
        BYTE current[4] = {};
        ASSERT_EQ(SST_OK, dma_GetValue(functionId, &devmode, &block, &type, &size, current, nullptr)) << functionId;
        BYTE slot[4] = {};
        ASSERT_TRUE(dma_StoreValueInSlot(type, slot, &value));
        ASSERT_EQ(SST_OK, dma_SetValue(functionId, &devmode, &block, type, size, slot)) << functionId;
    }

    /* Writes a string setting; fails the test when refused. */
    void set_text(WORD functionId, const WCHAR *text)
    {
        DWORD size = dma_GetValueSize(VT_STRING, text, (DWORD)-1);
        ASSERT_EQ(0, dma_SetTypedValue(&devmode, &block, functionId, VT_STRING, size, (DWORD_PTR)text)) << functionId;
    }

    bool operator==(const TestSettingsAreas &other) const
    {
        return memcmp(this, &other, sizeof(*this)) == 0;
    }
};

#endif /* QM_TESTING_SETTINGS_AREAS_H */
