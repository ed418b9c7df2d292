/*
 * The public header seen from C++ and from C: the same record sizes.
 */
#include <gtest/gtest.h>

#include "management/include/psw.h"

extern "C" size_t psw_header_record_size(void);

TEST(PswHeader, RecordsHaveTheSameSizeInCAndCxx)
{
    EXPECT_EQ(sizeof(PSWJobInfo), psw_header_record_size());
    EXPECT_EQ(1336u, psw_header_record_size());
}
