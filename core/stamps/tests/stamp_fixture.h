/*
 * Test support of the stamps: the favorites' printer fixture (sample model, printer
 * "Stored") with the stamp test resource module in the driver directory.
 */
#ifndef QM_CORE_STAMPS_TESTS_STAMP_FIXTURE_H
#define QM_CORE_STAMPS_TESTS_STAMP_FIXTURE_H

#include "core/stamps/stamp_store.h"
#include "core/stamps/stamps.h"
#include "core/user_registry/tests/favorites_fixture.h"

#include <string>
#include <vector>

namespace stamp_test {

class StampTest : public favorites_test::StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        driver_files::CopyIn(driver_files::HostFile(QM_STAMP_MODULE), u"qmstamptest.xrs");
    }
};

/* A list of consecutive zero-terminated strings ended by an empty one. */
inline std::vector<std::u16string> Names(const WCHAR *list)
{
    std::vector<std::u16string> names;
    while (*list) {
        names.push_back(std::u16string((const char16_t *)list));
        list += names.back().size() + 1;
    }
    return names;
}

} // namespace stamp_test

#endif /* QM_CORE_STAMPS_TESTS_STAMP_FIXTURE_H */
