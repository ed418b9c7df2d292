/*
 * What the dependent-setting rules share: numeric reads and writes of one setting and the
 * dmFields word.
 */
#ifndef QM_CORE_RULES_RULES_PRIVATE_H
#define QM_CORE_RULES_RULES_PRIVATE_H

#include "core/rules/dependent_rules.h"

/* A numeric setting as a LONG. value: out, written only on success. Returns 1, or 0. */
BOOL rule_Read(WORD functionId, DriverDevmode *devmode, PrinterDataBlock *block, LONG *value);

/* Writes a number into a numeric setting in the setting's own type and width. Returns 1,
 * or 0 when the write fails or the setting holds no number. */
BOOL rule_Write(WORD functionId, DriverDevmode *devmode, PrinterDataBlock *block, LONG value);

/* dmFields := (dmFields & ~clear) | set. Returns 1, or 0 on a failed read or write. */
BOOL rule_UpdateFields(DriverDevmode *devmode, DWORD set, DWORD clear);

/* Copies at most RULE_PAPER_NAME_CHARS - 1 characters of text (NULL: empty) into name. */
void rule_CopyPaperName(WCHAR *name, const WCHAR *text);

#endif /* QM_CORE_RULES_RULES_PRIVATE_H */
