/*
 * The printer printhost prints to, installed as an installer would with the driver files
 * beside the program and the model named on the command line.
 */
#include "tools/printhost/print_host.h"

#include <limits.h>
#include <stdlib.h>

#include <winspool.h>

#include "platform/include/qmhost.h"

// Files of the driver installed with the printer, beside the program.
static const char16_t kConfigFileName[] = u"qmkelviu.dll";
static const WCHAR kPortName[] = TEXT("IP_10.0.0.1");
static const WCHAR kDriverName[] = TEXT("QM Kelvin");

// WindowsPath: the Windows path of a host file ("Z:" and the absolute path with
// backslashes); empty when it does not exist.
static std::u16string WindowsPath(const char *hostPath)
{
    char absolute[PATH_MAX];
    if (realpath(hostPath, absolute) == NULL) {
        return std::u16string();
    }
    std::u16string out = u"Z:";
    for (const char *p = absolute; *p != 0; ++p) {
        out.push_back(*p == '/' ? u'\\' : (char16_t)(unsigned char)*p);
    }
    return out;
}

// ProgramDirectory: the Windows path of the program's directory, with the separator.
static std::u16string ProgramDirectory()
{
    WCHAR self[MAX_PATH] = {};
    GetModuleFileNameW(NULL, self, MAX_PATH);
    std::u16string path(self);
    return path.substr(0, path.find_last_of(u'\\') + 1);
}

BOOL ph_InstallPrinter(LPCWSTR printerName, const char *modelPath, std::string *error)
{
    std::u16string dataFile = WindowsPath(modelPath);
    if (dataFile.empty()) {
        *error = std::string("no model file ") + modelPath;
        return FALSE;
    }
    std::u16string directory = ProgramDirectory();
    std::u16string driverPath = directory + PH_DRIVER_NAME;
    std::u16string configPath = directory + kConfigFileName;
    QMH_PRINTER_SETUP setup = {printerName,
                               kPortName,
                               kDriverName,
                               (LPCWSTR)driverPath.c_str(),
                               (LPCWSTR)dataFile.c_str(),
                               (LPCWSTR)configPath.c_str(),
                               NULL,
                               NULL,
                               0};
    if (qmh_InstallPrinter(&setup)) {
        return TRUE;
    }
    // An existing printer is installed anew, so that it takes this model.
    if (GetLastError() == ERROR_PRINTER_ALREADY_EXISTS && qmh_DeletePrinter(printerName) &&
        qmh_InstallPrinter(&setup)) {
        return TRUE;
    }
    *error = "the printer cannot be installed";
    return FALSE;
}
