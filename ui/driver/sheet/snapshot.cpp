/*
 * Settings snapshots and their sets (snapshot.h). All buffers come from the global heap.
 */
#include "ui/driver/sheet/snapshot.h"

#include <string.h>

#include "core/settings/settings.h"
#include "ui/driver/sheet/control_state.h"

#define SNAPSHOT_FULL_FORM 0 /* any form but 1 is the full DEVMODE */

static void snapshot_FreeInfoBlocks(SettingsSnapshot *snapshot);
static BYTE *snapshot_CopyBlock(const BYTE *source, DWORD size, int *ok);
static int snapshot_Fill(SettingsSnapshot *destination, const SettingsSnapshot *source);
static void snapshot_FreeLists(SettingsSnapshotSet *set);
static int snapshot_CreateLists(SettingsSnapshotSet *set);

/* Frees both information blocks and clears their pointers and sizes. */
static void snapshot_FreeInfoBlocks(SettingsSnapshot *snapshot)
{
    if (snapshot->markingInfo)
        GlobalFree(snapshot->markingInfo);
    if (snapshot->secondInfo)
        GlobalFree(snapshot->secondInfo);
    snapshot->markingInfo = NULL;
    snapshot->markingSize = 0;
    snapshot->secondInfo = NULL;
    snapshot->secondSize = 0;
}

/* A copy of one information block. A missing or empty block copies as none (*ok stays 1);
 * a block of UI_INFO_BLOCK_LIMIT bytes or more, or a failed allocation, sets *ok to 0. */
static BYTE *snapshot_CopyBlock(const BYTE *source, DWORD size, int *ok)
{
    if (!source || size == 0)
        return NULL;
    if (size >= UI_INFO_BLOCK_LIMIT) {
        *ok = 0;
        return NULL;
    }
    BYTE *copy = (BYTE *)GlobalAlloc(GMEM_FIXED, size);
    if (!copy) {
        *ok = 0;
        return NULL;
    }
    memcpy(copy, source, size);
    return copy;
}

int ui_InitSnapshot(SettingsSnapshot *snapshot)
{
    if (!snapshot)
        return 0;
    memset(snapshot, 0, sizeof(*snapshot));
    snapshot->devmode = dm_AllocDevmode(SNAPSHOT_FULL_FORM);
    if (!snapshot->devmode)
        return 0;
    snapshot->block = (PrinterDataBlock *)GlobalAlloc(GPTR, UI_PRINTER_BLOCK_SIZE);
    if (!snapshot->block) {
        GlobalFree(snapshot->devmode);
        snapshot->devmode = NULL;
        return 0;
    }
    return 1;
}

int ui_CopySnapshot(SettingsSnapshot *destination, const SettingsSnapshot *source)
{
    if (!ui_IsSnapshotValid(destination) || !ui_IsSnapshotValid(source))
        return 0;
    if (destination == source)
        return 1;
    dm_CopyDevmode(destination->devmode, source->devmode, SNAPSHOT_FULL_FORM);
    memcpy(destination->block, source->block, UI_PRINTER_BLOCK_SIZE);
    snapshot_FreeInfoBlocks(destination);

    // A block too large or not copied leaves both empty: a truncated or half copy would be
    // stored by the next Apply.
    int ok = 1;
    BYTE *marking = snapshot_CopyBlock(source->markingInfo, source->markingSize, &ok);
    BYTE *second = ok ? snapshot_CopyBlock(source->secondInfo, source->secondSize, &ok) : NULL;
    if (!ok) {
        if (marking)
            GlobalFree(marking);
        return 0;
    }
    destination->markingInfo = marking;
    destination->markingSize = marking ? source->markingSize : 0;
    destination->secondInfo = second;
    destination->secondSize = second ? source->secondSize : 0;
    return 1;
}

int ui_FreeSnapshot(SettingsSnapshot *snapshot)
{
    if (!snapshot)
        return 0;
    if (snapshot->devmode)
        GlobalFree(snapshot->devmode);
    if (snapshot->block)
        GlobalFree(snapshot->block);
    snapshot->devmode = NULL;
    snapshot->block = NULL;
    snapshot_FreeInfoBlocks(snapshot);
    return 1;
}

int ui_IsSnapshotValid(const SettingsSnapshot *snapshot)
{
    return snapshot && snapshot->devmode && snapshot->block ? 1 : 0;
}

/* Gives destination its own buffers and copies source into them; on failure nothing of
 * destination stays allocated. */
static int snapshot_Fill(SettingsSnapshot *destination, const SettingsSnapshot *source)
{
    if (!ui_InitSnapshot(destination))
        return 0;
    if (!ui_CopySnapshot(destination, source)) {
        ui_FreeSnapshot(destination);
        return 0;
    }
    return 1;
}

/* Destroys the auxiliary lists, and the state lists with the states left in them. */
static void snapshot_FreeLists(SettingsSnapshotSet *set)
{
    ui_FreeStates(set);
    for (int i = 0; i < UI_AUX_LISTS; ++i)
        ui_DestroyNodeList(&set->aux[i]);
    if (set->states) {
        ui_DestroyNodeList(&set->states->controls);
        ui_DestroyNodeList(&set->states->settings);
        GlobalFree(set->states);
        set->states = NULL;
    }
}

/* Creates the three auxiliary lists and the pair of state lists. */
static int snapshot_CreateLists(SettingsSnapshotSet *set)
{
    for (int i = 0; i < UI_AUX_LISTS; ++i) {
        set->aux[i] = ui_CreateNodeList();
        if (!set->aux[i])
            return 0;
    }
    set->states = (ControlStateLists *)GlobalAlloc(GPTR, sizeof(ControlStateLists));
    if (!set->states)
        return 0;
    set->states->controls = ui_CreateNodeList();
    set->states->settings = ui_CreateNodeList();
    return set->states->controls && set->states->settings ? 1 : 0;
}

SettingsSnapshotSet *ui_CreateSnapshotSet(HWND owner, SheetContext *sheet, const SettingsSnapshot *source,
                                          const SettingsSnapshot *second)
{
    if (!ui_IsSnapshotValid(source))
        return NULL;
    SettingsSnapshotSet *set = (SettingsSnapshotSet *)GlobalAlloc(GPTR, sizeof(SettingsSnapshotSet));
    if (!set)
        return NULL;
    set->sheet = sheet;
    set->owner = owner;
    int ok = snapshot_Fill(&set->working, source) && snapshot_Fill(&set->opening, source);
    if (ok && ui_IsSnapshotValid(second))
        ok = snapshot_Fill(&set->lastApply, second);
    if (ok)
        ok = snapshot_CreateLists(set);
    if (!ok)
        ui_FreeSnapshotSet(&set);
    return set;
}

int ui_FreeSnapshots(SettingsSnapshotSet *set)
{
    if (!set)
        return 0;
    ui_FreeSnapshot(&set->working);
    ui_FreeSnapshot(&set->opening);
    ui_FreeSnapshot(&set->lastApply);
    return 1;
}

int ui_FreeSnapshotSet(SettingsSnapshotSet **set)
{
    if (!set)
        return 0;
    if (!*set)
        return 1;
    ui_FreeSnapshots(*set);
    snapshot_FreeLists(*set);
    GlobalFree(*set);
    *set = NULL;
    return 1;
}

int ui_RestoreSnapshot(SettingsSnapshotSet *set, int forceOpening)
{
    if (!set)
        return 0;
    const SettingsSnapshot *from = (!forceOpening && set->lastApply.devmode) ? &set->lastApply : &set->opening;
    return ui_CopySnapshot(&set->working, from);
}

int ui_SaveApplySnapshot(SettingsSnapshotSet *set)
{
    if (!set || !ui_IsSnapshotValid(&set->working))
        return 0;
    if (!ui_IsSnapshotValid(&set->lastApply)) {
        ui_FreeSnapshot(&set->lastApply);
        if (!ui_InitSnapshot(&set->lastApply))
            return 0;
    }
    return ui_CopySnapshot(&set->lastApply, &set->working);
}
