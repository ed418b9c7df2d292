/*
 * Reading the job's layout settings into the page block: duplex, binding, scaling, N-up,
 * orientation, poster and booklet values, each checked against the values it may take.
 */
#ifndef QM_RENDER_DRIVER_PAGE_LAYOUT_SETTINGS_H
#define QM_RENDER_DRIVER_PAGE_LAYOUT_SETTINGS_H

#include <windows.h>

#include "core/ddd/ddd.h"
#include "core/ddd/ddd_access.h"
#include "core/settings/settings_types.h"
#include "render/driver/pdev/job_blocks.h"

// Capability the binding edge is cleared by when the print mode is 3 (bit 42).
#define LAYOUT_CAPABILITY_NO_BINDING 0xFFFF002AUL

// Where the ranges of the checked values come from.
struct LayoutRangeSource {
    DddFile *model;
    DddFile *base;
};

// jc_ReadLayoutSettings: reads the layout settings in their fixed order into the layout
// values of the page block, mapped as job control uses them.
//   block     out  the layout values (the paper records are left alone)
//   snapshot  in   posterOn with posterColumns/posterRows, bookletOn and printMode
//   devmode, printerData  in  the job's settings
//   caps      in   the model's capabilities (NULL: none)
//   ranges    in   the description data giving the ranges of the booklet values (NULL or a
//                  setting without a range: not checked)
// Returns 0; -1 on a missing argument, an unreadable setting or a value outside its set.
LONG jc_ReadLayoutSettings(PageBlock *block, const PageSetupSnapshot *snapshot, DriverDevmode *devmode,
                           PrinterDataBlock *printerData, const ModelCapabilities *caps,
                           const LayoutRangeSource *ranges);

#endif /* QM_RENDER_DRIVER_PAGE_LAYOUT_SETTINGS_H */
