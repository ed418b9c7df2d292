/*
 * Support of the description reader's tests: files compiled in memory with dddc, a pair
 * of open files that closes itself, and conversions for comparing texts.
 */
#ifndef QM_CORE_DDD_TESTS_DDD_TEST_SUPPORT_H
#define QM_CORE_DDD_TESTS_DDD_TEST_SUPPORT_H

#include "core/ddd/ddd_access.h"
#include "tools/dddc/dddc.h"

#include <string>

namespace ddd_test {

/* Compiles yaml (with a compiled base file or nullptr); fails the test on a refusal. */
dddc::Bytes Compile(const std::string &yaml, const dddc::Bytes *base = nullptr);

/* A model source: the header with this format and base name, the given entries and
 * records (YAML text, already indented as list items / map items). */
std::string Source(unsigned format, const std::string &entries, const std::string &records,
                   const std::string &base = "", int level = 2);

/* The wide text as UTF-8 (Latin-1 range), or "<null>". */
std::string Narrow(const WCHAR *text);

/* Reads a whole file. */
dddc::Bytes ReadBytes(const std::string &path);

/* A model and base opened from memory; closed on destruction. */
struct Pair {
    DddFile model{};
    DddFile base{};
    DddStatus status = DDD_ERROR;
    Pair(const dddc::Bytes &modelBytes, const dddc::Bytes *baseBytes = nullptr);
    ~Pair();
};

} // namespace ddd_test

#endif
