/*
 * printhost: plays the spooler and GDI for the driver on the host.
 *
 * printhost enable --model <file.DDD> [--fonts]
 *
 * installs (or refreshes) the printer "QM Sample" with the model, loads the render driver
 * by name, creates a DC as GDI does, prints the GDIINFO and DEVINFO the driver answered
 * (with --fonts, also each device font as the engine gets it and its identifiers),
 * tears the DC and the driver down again and reports what was left behind: "no leaks", or
 * the kind of object still live and a non-zero exit.
 *
 * printhost print --model <file.DDD> (--pages <N> | --draw <script>) --out <stream-file> [options]
 *
 * runs a sample job through the driver and leaves its print stream (tools/printhost/
 * print_job.h).
 */
#include <stdio.h>
#include <string.h>

#include <string>

#include "tools/printhost/print_host.h"
#include "tools/printhost/print_job.h"

// The trace log of printhost's own use of the core.
extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("\\PRINTHOST_TRACE_LOG.txt");
}

namespace {

const int kExitUsage = 2;
const int kExitFailed = 1;
const int kExitLeak = 3;

void Usage()
{
    fprintf(stderr,
            "usage: printhost enable --model <file.DDD> [--fonts]\n"
            "       printhost print --model <file.DDD> (--pages <N> | --draw <script>) --out <stream-file> [options]\n");
}

// Narrow: a wide text of printable ASCII (others as '?').
std::string Narrow(const WCHAR *text, size_t max)
{
    std::string out;
    for (size_t i = 0; i < max && text[i] != 0; ++i) {
        out.push_back(text[i] >= 0x20 && text[i] < 0x7F ? (char)text[i] : '?');
    }
    return out;
}

void Field(const char *name, unsigned long value)
{
    printf("  %-18s %lu\n", name, value);
}

void HexField(const char *name, unsigned long value)
{
    printf("  %-18s 0x%lX\n", name, value);
}

void PrintGdiInfo(const GDIINFO &g)
{
    printf("GDIINFO\n");
    HexField("ulVersion", g.ulVersion);
    Field("ulTechnology", g.ulTechnology);
    Field("ulHorzSize", g.ulHorzSize);
    Field("ulVertSize", g.ulVertSize);
    Field("ulHorzRes", g.ulHorzRes);
    Field("ulVertRes", g.ulVertRes);
    Field("cBitsPixel", g.cBitsPixel);
    Field("cPlanes", g.cPlanes);
    HexField("ulNumColors", g.ulNumColors);
    Field("ulLogPixelsX", g.ulLogPixelsX);
    Field("ulLogPixelsY", g.ulLogPixelsY);
    HexField("flTextCaps", g.flTextCaps);
    Field("ulAspectX", g.ulAspectX);
    Field("ulAspectY", g.ulAspectY);
    Field("ulAspectXY", g.ulAspectXY);
    Field("denStyleStep", (unsigned long)g.denStyleStep);
    printf("  %-18s %ld, %ld\n", "ptlPhysOffset", (long)g.ptlPhysOffset.x, (long)g.ptlPhysOffset.y);
    printf("  %-18s %ld x %ld\n", "szlPhysSize", (long)g.szlPhysSize.cx, (long)g.szlPhysSize.cy);
    Field("ulHTPatternSize", g.ulHTPatternSize);
    Field("ulHTOutputFormat", g.ulHTOutputFormat);
    HexField("flHTFlags", g.flHTFlags);
}

void PrintFont(const char *name, const LOGFONTW &f)
{
    printf("  %-18s \"%s\" height %ld weight %ld charset %u pitch-and-family 0x%02X\n",
           name,
           Narrow(f.lfFaceName, LF_FACESIZE).c_str(),
           (long)f.lfHeight,
           (long)f.lfWeight,
           f.lfCharSet,
           f.lfPitchAndFamily);
}

void PrintDevInfo(const DEVINFO &d)
{
    printf("DEVINFO\n");
    HexField("flGraphicsCaps", d.flGraphicsCaps);
    PrintFont("lfDefaultFont", d.lfDefaultFont);
    PrintFont("lfAnsiVarFont", d.lfAnsiVarFont);
    PrintFont("lfAnsiFixFont", d.lfAnsiFixFont);
    Field("cFonts", d.cFonts);
    Field("iDitherFormat", d.iDitherFormat);
    printf("  %-18s %s\n", "hpalDefault", d.hpalDefault != NULL ? "palette" : "none");
}

// Enable: the first form of the command. Returns the exit code.
int Enable(const char *model, bool fonts)
{
    LiveCounts start = ph_CountLive();
    std::string error;
    if (!ph_InstallPrinter(PH_PRINTER_NAME, model, &error)) {
        fprintf(stderr, "printhost: %s\n", error.c_str());
        return kExitFailed;
    }
    DriverHost host;
    if (!ph_LoadDriver(PH_DRIVER_NAME, &host)) {
        fprintf(stderr,
                "printhost: qmkelvim.dll cannot be loaded and enabled (error %lu)\n",
                (unsigned long)GetLastError());
        return kExitFailed;
    }
    DeviceContext dc;
    int exitCode = 0;
    if (ph_CreateDc(&host, PH_PRINTER_NAME, &dc)) {
        PrintGdiInfo(dc.gdiInfo);
        PrintDevInfo(dc.devInfo);
        if (fonts && !ph_ListFonts(&host, &dc)) {
            exitCode = kExitFailed;
        }
        ph_DeleteDc(&host, &dc);
    } else {
        fprintf(stderr, "printhost: the driver refused the DC (error %lu)\n", (unsigned long)GetLastError());
        exitCode = kExitFailed;
    }
    ph_UnloadDriver(&host);
    LiveCounts end = ph_CountLive();
    const char *leaked = ph_LeakedKind(&start, &end);
    if (leaked != NULL) {
        printf("leak: %s\n", leaked);
        return kExitLeak;
    }
    printf("no leaks\n");
    return exitCode;
}

} // namespace

int main(int argc, char **argv)
{
    if ((argc == 4 || (argc == 5 && strcmp(argv[4], "--fonts") == 0)) && strcmp(argv[1], "enable") == 0 &&
        strcmp(argv[2], "--model") == 0) {
        return Enable(argv[3], argc == 5);
    }
    if (argc >= 2 && strcmp(argv[1], "print") == 0) {
        return ph_Print(argc - 2, argv + 2);
    }
    Usage();
    return kExitUsage;
}
