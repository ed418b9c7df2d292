// The printer the output tests and the benchmark print to.
#pragma once

#include <windows.h>

namespace output_test {

extern const WCHAR kPrinterName[];

// Installs the test printer (an existing one is kept). FALSE when it cannot.
BOOL InstallPrinter();

} // namespace output_test
