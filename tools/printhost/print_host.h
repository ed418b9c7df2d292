/*
 * printhost's library: what the spooler and GDI do with a printer of the driver on the
 * host. A printer installed with a model; the render driver loaded by name; the DEVMODE an
 * application's DC gets (the printer's defaults with the 24-byte trailer behind them); the
 * DC sequence of GDI (enable, complete, surface; teardown in reverse); and the counts of
 * everything a run must give back.
 */
#ifndef QM_TOOLS_PRINTHOST_PRINT_HOST_H
#define QM_TOOLS_PRINTHOST_PRINT_HOST_H

#include <windows.h>
#include <winddi.h>

#include <string>
#include <vector>

/* The printer printhost installs and prints to. */
#define PH_PRINTER_NAME TEXT("QM Sample")
/* The render driver, loaded by its file name. */
#define PH_DRIVER_NAME TEXT("qmkelvim.dll")

/* The render driver as GDI holds it: its module and the table DrvEnableDriver filled. */
typedef struct DriverHost {
    HMODULE module;
    DRVENABLEDATA data;
} DriverHost;

/* One printer DC: the printer, the DEVMODE it was made with, the device and its PDEV and
 * surface, and what the PDEV answered. */
typedef struct DeviceContext {
    HANDLE printer;
    std::vector<BYTE> devmode;
    HDEV hdev;
    DHPDEV pdev;
    HSURF surface;
    GDIINFO gdiInfo;
    DEVINFO devInfo;
} DeviceContext;

/* Live objects a run must give back, by kind. */
typedef struct LiveCounts {
    DWORD heaps;
    DWORD globalBlocks;
    DWORD surfaces;
    DWORD palettes;
    DWORD modules;
    DWORD printerHandles;
} LiveCounts;

/*
 * ph_InstallPrinter: installs the printer of that name with the model (a host path), or
 * refreshes it when it exists; the driver files are those beside the program. Returns
 * TRUE, or FALSE with an explanation in error.
 */
BOOL ph_InstallPrinter(LPCWSTR printerName, const char *modelPath, std::string *error);

/*
 * ph_BuildJobDevmode: the DEVMODE a DC of the printer is created with when the
 * application gives none: the printer's defaults in full form and the trailer (size word
 * 24; the paper record when setting 387 is on and the paper has a driver number; the
 * device-paper-list and enforced flags). devmode: out, DEVMODE_WITH_TRAILER_SIZE bytes.
 * Returns FALSE when the printer's description or data cannot be read.
 */
BOOL ph_BuildJobDevmode(HANDLE printer, LPCWSTR printerName, std::vector<BYTE> *devmode);

/* ph_ParseNumber: decimal or 0x-hex, the whole text, not negative. FALSE otherwise. */
BOOL ph_ParseNumber(const char *text, unsigned long *value);

/*
 * ph_ApplySetting: "<FunctionID>=<value>" into a DEVMODE of ph_BuildJobDevmode: a string
 * setting takes the text, any other the number, with the type the setting is stored as.
 * FALSE with an explanation in error for a bad assignment or a refused value.
 */
BOOL ph_ApplySetting(const char *assignment, std::vector<BYTE> *devmode, std::string *error);

/*
 * ph_StorePrinterSetting: "<FunctionID>=<number>" of a printer-data setting (one the DEVMODE
 * does not hold) into the printer's stored "PrinterData", as the property pages store
 * printer settings. FALSE with an explanation in error when the printer, its data or the
 * setting is refused.
 */
BOOL ph_StorePrinterSetting(LPCWSTR printerName, const char *assignment, std::string *error);

/* ph_LoadDriver: loads the render driver by name and enables it. Returns FALSE (nothing
 * kept) when it cannot be loaded or DrvEnableDriver fails. */
BOOL ph_LoadDriver(LPCWSTR name, DriverHost *host);

/* ph_DriverFunction: the driver's function of a DRVFN index, or NULL. */
PFN ph_DriverFunction(const DriverHost *host, ULONG index);

/* ph_UnloadDriver: DrvDisableDriver, then the module is freed. */
void ph_UnloadDriver(DriverHost *host);

/*
 * ph_CreateDc: opens the printer, builds its DEVMODE unless dc->devmode holds the
 * application's one, then DrvEnablePDEV, DrvCompletePDEV and DrvEnableSurface as GDI
 * calls them. Returns FALSE when a step fails; what was made
 * is given back (ph_DeleteDc is not needed then).
 */
BOOL ph_CreateDc(const DriverHost *host, LPCWSTR printerName, DeviceContext *dc);

/* ph_DeleteDc: DrvDisableSurface, DrvDisablePDEV, the device and the printer handle, in
 * GDI's order. */
void ph_DeleteDc(const DriverHost *host, DeviceContext *dc);

/* ph_ListFonts: lists the device fonts of the DC as the engine gets them, with the
 * identifier of each style variant (from the font tables of the printer's model).
 * Returns FALSE when a query or the tables fail. */
BOOL ph_ListFonts(const DriverHost *host, const DeviceContext *dc);

/* ph_CountLive: the live objects now. */
LiveCounts ph_CountLive(void);

/* ph_LeakedKind: the name of the first kind more objects of which live now than at the
 * start ("heap", "global block", "surface", "palette", "module load", "spooler handle"),
 * or NULL when none. */
const char *ph_LeakedKind(const LiveCounts *start, const LiveCounts *now);

#endif /* QM_TOOLS_PRINTHOST_PRINT_HOST_H */
