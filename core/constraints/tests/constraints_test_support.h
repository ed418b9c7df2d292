/*
 * Support of the constraint engine's tests: a model compiled in memory with settings
 * areas and the engine's context over them, calls in the forms the user interface uses,
 * and the per-user stamp store of a printer installed for the engine's tests.
 */
#ifndef QM_CORE_CONSTRAINTS_TESTS_CONSTRAINTS_TEST_SUPPORT_H
#define QM_CORE_CONSTRAINTS_TESTS_CONSTRAINTS_TEST_SUPPORT_H

#include "core/constraints/constraints.h"
#include "core/ddd/tests/ddd_test_support.h"
#include "core/stamps/stamp_store.h"
#include "testing/settings_areas.h"

#include <memory>
#include <string>
#include <vector>

/* Any non-NULL printer handle: the engine hands it on only. */
#define TEST_PRINTER ((HANDLE)0x1234)

/* A compiled model (no base file), its settings areas and the engine's context. */
struct Engine {
    std::unique_ptr<ddd_test::Pair> pair;
    DriverContext driver{};
    std::unique_ptr<TestSettingsAreas> areas;
    ConstraintContext context{};
    HANDLE printer = TEST_PRINTER; /* the handle the engine hands to the stamp store */

    explicit Engine(const std::string &records, const std::string &entries = "  26: 0\n");

    /* cst_CheckConflicts in the user interface's query form (mode 1 unless given); value:
     * the proposed value (read in the width of valueType) or NULL. */
    WORD Query(WORD functionId, const LONG *value, ConflictState *state, WORD mode = CST_MODE_CHECK,
               WORD **outList = nullptr, WORD valueType = VT_SHORT);
    LONG Number(WORD functionId);
};

/* An installed printer (its per-user keys under the model's entry 30), opened; closed on
 * destruction. */
struct StampPrinter {
    HANDLE handle = nullptr;
    StampPrinter();
    ~StampPrinter();
    /* Its "Stamps" key holds exactly these stored stamps (without "Others"). */
    void Store(const std::vector<std::u16string> &names, DriverContext *context);
    /* Its "Stamps" key is removed, to be made again on first use. */
    void Remove(DriverContext *context);
};

/* The entries of list 1, 2 or 3 of a state. */
std::vector<WORD> List(const ConflictState &state, WORD which);

/* The zero-ended out list as a vector (without the 0); empty for NULL. */
std::vector<WORD> OutList(const WORD *list);

#endif
