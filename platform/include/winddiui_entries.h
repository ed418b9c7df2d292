/*
 * The printer-interface DLL's entry points and records beyond the document and printer
 * events: the property sheets, capabilities, colour profiles, DEVMODE conversion, upgrade
 * and print queries. One text for both builds: the host's winddiui.h and the target
 * build's gap filler include it after their own prerequisites (windows.h, compstui.h).
 */
#ifndef QM_PLATFORM_INCLUDE_WINDDIUI_ENTRIES_H
#define QM_PLATFORM_INCLUDE_WINDDIUI_ENTRIES_H

#define DM_NOPERMISSION 0x0020
#define DM_USER_DEFAULT 0x0040

#define DPS_NOPERMISSION 0x0001

#define QCP_DEVICEPROFILE 0x0000
#define QCP_SYSTEMPROFILE 0x0001
#define QCP_PROFILEMEMORY 0x0001
#define QCP_PROFILEDISK 0x0002

#define CDM_CONVERT 0x01
#define CDM_CONVERT351 0x02
#define CDM_DRIVER_DEFAULT 0x04

#ifdef __cplusplus
extern "C" {
#endif

/* What DrvDocumentPropertySheets receives as its lParam. */
typedef struct _DOCUMENTPROPERTYHEADER {
    WORD cbSize;
    WORD Reserved;
    HANDLE hPrinter;
    LPWSTR pszPrinterName;
    PDEVMODEW pdmIn;
    PDEVMODEW pdmOut;
    DWORD cbOut;
    DWORD fMode;
} DOCUMENTPROPERTYHEADER, *PDOCUMENTPROPERTYHEADER;

/* What DrvDevicePropertySheets receives as its lParam. */
typedef struct _DEVICEPROPERTYHEADER {
    WORD cbSize;
    WORD Flags;
    HANDLE hPrinter;
    LPWSTR pszPrinterName;
} DEVICEPROPERTYHEADER, *PDEVICEPROPERTYHEADER;

typedef struct _DEVQUERYPRINT_INFO {
    WORD cbSize;
    WORD Level;
    HANDLE hPrinter;
    DEVMODEW *pDevMode;
    LPWSTR pszErrorStr;
    DWORD cchErrorStr;
    DWORD cchNeeded;
} DEVQUERYPRINT_INFO, *PDEVQUERYPRINT_INFO;

typedef struct _DRIVER_UPGRADE_INFO_1 {
    LPWSTR pPrinterName;
    LPWSTR pOldDriverDirectory;
} DRIVER_UPGRADE_INFO_1, *PDRIVER_UPGRADE_INFO_1;

LONG WINAPI DrvDocumentPropertySheets(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam);
LONG WINAPI DrvDevicePropertySheets(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam);
LONG WINAPI DrvDocumentProperties(HWND hWnd, HANDLE hPrinter, LPWSTR lpszDeviceName, PDEVMODEW pdmOutput,
                                  PDEVMODEW pdmInput, DWORD fMode);
LONG WINAPI DrvAdvancedDocumentProperties(HWND hWnd, HANDLE hPrinter, LPWSTR lpszDeviceName, PDEVMODEW pdmOutput,
                                          PDEVMODEW pdmInput);
DWORD WINAPI DrvDeviceCapabilities(HANDLE hPrinter, PWSTR pDeviceName, WORD iDevCap, VOID *pvOutput,
                                   DEVMODEW *pDevMode);
BOOL WINAPI DrvQueryColorProfile(HANDLE hPrinter, PDEVMODEW pdevmode, ULONG ulQueryMode, VOID *pvProfileData,
                                 ULONG *pcbProfileData, ULONG *pflProfileData);
BOOL WINAPI DrvConvertDevMode(LPWSTR pPrinterName, PDEVMODEW pdmIn, PDEVMODEW pdmOut, PLONG pcbNeeded, DWORD fMode);
BOOL WINAPI DrvUpgradePrinter(DWORD Level, LPBYTE pDriverUpgradeInfo);
BOOL WINAPI DevQueryPrintEx(PDEVQUERYPRINT_INFO pDQPInfo);

#ifdef __cplusplus
}
#endif

#endif /* QM_PLATFORM_INCLUDE_WINDDIUI_ENTRIES_H */
