/*
 * The printer the output tests and the benchmark print to.
 */
#include "render/stream/tests/test_printer.h"

#include <qmhost.h>

namespace output_test {

const WCHAR kPrinterName[] = TEXT("QM Output Printer");

BOOL InstallPrinter()
{
    QMH_PRINTER_SETUP setup = {};
    setup.pPrinterName = kPrinterName;
    setup.pPortName = TEXT("LPT1:");
    setup.pDriverName = TEXT("QM Output Driver");
    setup.pDriverPath = TEXT("C:\\drivers\\qmkelvim.dll");
    setup.pDataFile = TEXT("C:\\drivers\\SAMPLE.DDD");
    setup.pConfigFile = TEXT("C:\\drivers\\qmkelviu.dll");
    return qmh_InstallPrinter(&setup) || GetLastError() == ERROR_PRINTER_ALREADY_EXISTS;
}

} // namespace output_test
