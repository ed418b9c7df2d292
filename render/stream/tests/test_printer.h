/*
 * The printer the output tests and the benchmark print to.
 */
#ifndef QM_RENDER_STREAM_TESTS_TEST_PRINTER_H
#define QM_RENDER_STREAM_TESTS_TEST_PRINTER_H

#include <windows.h>

namespace output_test {

extern const WCHAR kPrinterName[];

// Installs the test printer (an existing one is kept). FALSE when it cannot.
BOOL InstallPrinter();

} // namespace output_test

#endif /* QM_RENDER_STREAM_TESTS_TEST_PRINTER_H */
