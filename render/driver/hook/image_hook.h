/*
 * The image hook component a model may name: an outside library that takes a page
 * rendered into a file and gives back a page image, which replaces the page in the
 * stream. The hook is opened at job open and is active for the whole job when that
 * succeeded; its state lives in the PDEV's output stream.
 */
#ifndef QM_RENDER_DRIVER_HOOK_IMAGE_HOOK_H
#define QM_RENDER_DRIVER_HOOK_IMAGE_HOOK_H

#include <windows.h>

#include "render/driver/pdev/pdev.h"

/* The component's entry: stdcall, seven 32-bit arguments on the target build. */
#define HOOK_ENTRY_NAME "_callHB@28"
/* Descriptive strings naming the component and its data file. */
#define HOOK_COMPONENT_STRING 14
#define HOOK_DATA_STRING 15

/* The entry: input path, output path (ANSI), blocks A, B, C, the work area, the data
 * file path (ANSI). Non-zero: the output file was written. */
typedef int(WINAPI *HookEntryProc)(const char *input, const char *output, void *blockA, void *blockB, void *blockC,
                                   void *workArea, const char *data);

#ifdef __cplusplus
extern "C" {
#endif

/* hook_IsActive: 1 while the image hook component of the PDEV's model is in use. */
BOOL WINAPI hook_IsActive(const PDEV *pdev);

#ifdef __cplusplus
}
#endif

/* hook_ModelNamesComponent: 1 when the PDEV's model names an image hook component. */
BOOL hook_ModelNamesComponent(PDEV *pdev);

/*
 * hook_Open: clears the hook state and opens the hook of the PDEV's model: the printer
 * context is opened for the blocks (A, B, C, the work area) and strings 14 and 15 (plain
 * file names), the component is loaded (hook_Load), the two path buffers made and the
 * context closed. 0 ready; -1 (everything released) when there is no hook to use, also
 * when the printer context cannot be opened.
 */
LONG hook_Open(PDEV *pdev);

/* hook_Load: the component from the render module's directory (LoadLibraryExW with an
 * altered search path) and its entry. 0, or -1 when either is missing. */
LONG hook_Load(PDEV *pdev);

/*
 * hook_Run: the component on the page captured in the input path: the paths are made
 * ANSI (the output path a new temporary file), the entry called, and on success its
 * output placed on the page (hook_PlaceOutput) with the drawing marker cleared and the
 * sheet bit set for the duration. Both files are deleted and the paths cleared in every
 * case. 0, or -1 when the page is not replaced.
 */
LONG hook_Run(PDEV *pdev);

/* hook_Close: releases the blocks, the component, the strings and the path buffers; the
 * hook is no longer active. Nothing for a PDEV without a hook. */
void hook_Close(PDEV *pdev);

/*
 * hook_InsertOutput: the component's output file (its whole size read) as one image of
 * the page: identity placement at 0, 0, the page's size in dots at setting 20's
 * resolution, 8 bits a component, RGB when the stored colour code is 2 (else grey). The
 * file's size must be width x height x (3 or 1), else -1 and nothing is written.
 */
LONG hook_InsertOutput(PDEV *pdev, LPCWSTR path);

/* hook_StorePageSize: keeps the five page values of a page size (colour, tray and paper
 * code, extents in mm, kept in 0.1 mm) for the hook and gives the size written instead,
 * with the custom paper code: the output paper in dots (hook_PageDots). */
void hook_StorePageSize(PDEV *pdev, BYTE colorCode, BYTE trayCode, BYTE paperCode, const float size[2], float dots[2]);

/* hook_PageDots: the output paper's width and length in dots at setting 20's resolution
 * (resolution x tenths / 254, whole dots). */
void hook_PageDots(PDEV *pdev, DWORD *width, DWORD *height);

/* The page routines of the hook, 0 / -1. hook_BeginCapture: a new temporary file (its
 * name kept as the input path) becomes the stream's only sink, the sink kind and output
 * file before it kept. hook_EndCapture: the file closed, the kept sink back.
 * hook_SetPageTransform: device dots to 1/72 inch with the y axis turned at the paper
 * length, at setting 20's resolution. */
LONG hook_BeginCapture(PDEV *pdev);
LONG hook_EndCapture(PDEV *pdev);
LONG hook_SetPageTransform(PDEV *pdev);

/* hook_DropCapturedPage: deletes the captured page's file, if any, and clears its path. */
void hook_DropCapturedPage(PDEV *pdev);

#endif /* QM_RENDER_DRIVER_HOOK_IMAGE_HOOK_H */
