/*
 * Dependent-setting rules: values that follow from other settings.
 */
#ifndef QM_CORE_RULES_DEPENDENT_RULES_H
#define QM_CORE_RULES_DEPENDENT_RULES_H

#include "core/context/driver_context.h"
#include "core/ddd/ddd.h"
#include "core/devmode_helpers/devmode_helpers.h"
#include "core/settings/setting_rules.h"
#include "core/settings/settings_types.h"

#define CUSTOM_SLOT_COUNT 20
#define CUSTOM_SLOT_NAME_CHARS 15 /* name buffer with its terminator */

/* A user-defined paper slot's paper as read from its settings. */
typedef struct CustomPaperRecord {
    WORD paper;     /* the slot's paper number */
    WORD width;     /* 0.1 mm (setting 5889 + n) */
    WORD length;    /* 0.1 mm (setting 5909 + n) */
    WCHAR *name;    /* the caller's name buffer (setting 5929 + n) */
    WORD widthType; /* ValueTypes of the three settings */
    WORD lengthType;
    WORD nameType;
} CustomPaperRecord;

/* Request of opt_GetCustomPaperSize. */
typedef struct CustomSlotRequest {
    DriverDevmode *devmode;
    PrinterDataBlock *block;
    const void *value; /* in: the paper value in the width of its type */
    WORD valueType;
    CustomPaperRecord *paper; /* out */
    WCHAR *name;              /* in/out: CUSTOM_SLOT_NAME_CHARS characters */
} CustomSlotRequest;

/* opt_CalcHalfLongEdgeRemainder: the areas, the description files, the value (in) and the
 * result (out). */
typedef struct HalfEdgeRequest {
    DriverDevmode *devmode;
    PrinterDataBlock *block;
    DddFile *model;
    DddFile *base;
    LONG value;
    LONG result;
} HalfEdgeRequest;

/* Paper names the paper rules carry (31 characters and a terminator). */
#define RULE_PAPER_NAME_CHARS PAPER_NAME_CHARS

/* The dmFields bits of the paper fields. */
#define RULE_PAPER_FIELDS (DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH | DM_FORMNAME)

/* Results of opt_MatchPaperToForm and the form searches. */
#define PAPER_FORM_FOUND 1
#define PAPER_FORM_NONE 0
#define PAPER_FORM_FAILED (-1)

/* opt_RuleSyncTrueTypeOption: the areas and the setting that changed (17 or 292). */
typedef struct TrueTypeRuleRequest {
    DriverDevmode *devmode;
    PrinterDataBlock *block;
    WORD changed;
} TrueTypeRuleRequest;

/* opt_RuleMatchPaper: target NULL means the source is also the target. */
typedef struct PaperRuleRequest {
    DriverContext *context;
    DriverDevmode *target;
    DriverDevmode *source;
    PrinterDataBlock *block;
    HANDLE printer;
    DWORD mask; /* dmFields bits that ask for the paper fields */
} PaperRuleRequest;

/* opt_MatchPaperToForm. The out record's name must point to RULE_PAPER_NAME_CHARS
 * characters; an empty name is no name. */
typedef struct PaperFormRequest {
    DriverContext *context;
    DriverDevmode *source;
    PrinterDataBlock *block;
    HANDLE printer;
    PaperMatch paper; /* in */
    PaperMatch match; /* out */
    DWORD mask;
    BOOL dimensions; /* the dimension flag */
} PaperFormRequest;

/* Search kinds of the form searches (the dmFields bit that asks for each). */
#define PAPER_SEARCH_NAME 1
#define PAPER_SEARCH_SIZE 2
#define PAPER_SEARCH_NUMBER 4

/* The rule driver's arguments. */
typedef struct DependentRulesRequest {
    DriverContext *context;
    DriverDevmode *output;
    DriverDevmode *input;
    PrinterDataBlock *block;
    HANDLE printer;
    DWORD supportedFields;
    DWORD inputFields;
    WORD command;       /* HC_VALIDATE (2) or HC_VALIDATE2 (16) */
    BOOL fieldMapInUse; /* the merge uses the public-field map */
} DependentRulesRequest;

#ifdef __cplusplus
extern "C" {
#endif

/*
 * opt_ComputeColorField: dmColor from colour settings 345 and 270, each given with its
 * type: 1 (monochrome) when both are 1, else 2 (colour). result: out. Returns 1, or 0 for
 * a NULL pointer.
 */
BOOL WINAPI opt_ComputeColorField(WORD type345, WORD type270, const void *value345, const void *value270, WORD *result);

/*
 * opt_FindCustomPaperSlot: the first slot (0-19) whose paper number equals the value. The
 * outputs (each may be NULL) receive its width, length and name FunctionIDs and its default
 * name (CUSTOM_SLOT_NAME_CHARS characters). Returns 1, or 0 when no slot matches.
 */
BOOL WINAPI opt_FindCustomPaperSlot(const void *value, WORD valueType, WORD *widthId, WORD *lengthId, WORD *nameId,
                                    WCHAR *defaultName);

/*
 * opt_GetCustomPaperSize: the width, length and name settings of the slot holding the
 * paper value, into request->paper (its name pointing to request->name). Returns 1, or 0
 * when no slot holds the value, a read fails or an argument is NULL.
 */
BOOL WINAPI opt_GetCustomPaperSize(const CustomSlotRequest *request);

/*
 * opt_CalcHalfLongEdgeRemainder: the longer edge of the current paper (setting 262; 267
 * counts as 9), halved, minus request->value, in request->result. A user-defined slot's
 * paper takes its slot size, 256 the custom size (1863, 1864), any other paper the minimum
 * size of its paper record. Returns 1, or 0 when the paper's size cannot be found or an
 * argument is NULL.
 */
BOOL WINAPI opt_CalcHalfLongEdgeRemainder(HalfEdgeRequest *request);

/* opt_CalcSetting478Remainder: the same with the value of setting 478, read first. */
BOOL WINAPI opt_CalcSetting478Remainder(HalfEdgeRequest *request);

/* ---- the rule driver (rule_driver.cpp) ---- */

/*
 * opt_RunDependentRules: the eleven rules in their order, stopping at the first that
 * fails: the default source, the paper match (when the supported and input fields ask for
 * a paper field), the resolution (for 0x2400), the TrueType option, the colour mode from
 * dmColor (map in use), the colour mode, the scale, collate, source-back and colour-matching
 * fields, the media type (map in use and DM_MEDIATYPE asked for). Steps 2 and 3 read the
 * input and write the output; the others work on the output. Returns 1, or 0 at the first
 * failing rule (what earlier rules wrote stays) or a NULL argument.
 */
BOOL WINAPI opt_RunDependentRules(const DependentRulesRequest *request);

/* ---- single rules (simple_rules.cpp); each returns 1, or 0 on a failed read or write ---- */

/* opt_RuleFixDefaultSource: dmDefaultSource 0 or below becomes 7 when 265 is 258, else 15. */
BOOL WINAPI opt_RuleFixDefaultSource(DriverDevmode *devmode, PrinterDataBlock *block);

/* opt_RuleSyncTrueTypeOption: changed 17: 292 := 1 when dmTTOption is 1, else 2 when 292
 * was non-zero, else 0. Changed 292: dmTTOption := 1 when 292 is 1, else 3. */
BOOL WINAPI opt_RuleSyncTrueTypeOption(const TrueTypeRuleRequest *request);

/* opt_RuleUpdateColorMode: 270 := 1 when 5202 is 1; then dmColor from 345 and 270, and
 * DM_COLOR in dmFields. */
BOOL WINAPI opt_RuleUpdateColorMode(const SettingsAreas *areas);

/* opt_RuleSyncScaleField: DM_SCALE in dmFields exactly when 1324 is 1. */
BOOL WINAPI opt_RuleSyncScaleField(DriverDevmode *devmode);

/* opt_RuleSyncPaperDimFields: DM_PAPERLENGTH | DM_PAPERWIDTH exactly when 1331 is 1. */
BOOL WINAPI opt_RuleSyncPaperDimFields(DriverDevmode *devmode);

/*
 * opt_RuleCopyIfDifferent: when byte setting 457 is neither 0 nor 2 and setting source
 * differs from value, target := source (in target's own type and size).
 */
BOOL WINAPI opt_RuleCopyIfDifferent(DriverDevmode *devmode, PrinterDataBlock *block, LONG value, WORD source,
                                    WORD target);

/* opt_RuleCopySourceBack: 265 := dmDefaultSource unless that is 15 (under 457). */
BOOL WINAPI opt_RuleCopySourceBack(DriverDevmode *devmode, PrinterDataBlock *block);

/* opt_RuleSyncDefaultSource: dmDefaultSource := 265 unless that is 258 (under 457). */
BOOL WINAPI opt_RuleSyncDefaultSource(DriverDevmode *devmode, PrinterDataBlock *block);

/* opt_RuleSetIcmMethod: dmICMMethod := 2 when byte setting 293 is 3, else 1; DM_ICMMETHOD
 * in dmFields. */
BOOL WINAPI opt_RuleSetIcmMethod(const SettingsAreas *areas);

/* opt_RuleSetUsedComponentMask: 273 := the mask of the components holding a non-zero value
 * in their three settings (components 2-4 when 1314 is 1, else component 1). */
BOOL WINAPI opt_RuleSetUsedComponentMask(DriverDevmode *devmode, PrinterDataBlock *block);

/*
 * opt_RuleSyncResolution: command 2 (or 16 when the map's "resolution" has merge 1 and
 * mode 1): command 2 copies the quality pair (14) when the description data has it as an
 * option; command 16 copies a dmPrintQuality above 0 to dmPrintQuality and dmYResolution.
 * After a write DM_PRINTQUALITY | DM_YRESOLUTION join the output's dmFields.
 */
BOOL WINAPI opt_RuleSyncResolution(DriverContext *context, DriverDevmode *output, DriverDevmode *input,
                                   PrinterDataBlock *block, WORD command);

/* ---- paper rules (paper_rules.cpp, paper_forms.cpp) ---- */

/*
 * opt_RuleMatchPaper: the source's paper fields matched to a printer form and written to
 * the target with their dmFields bits. A mask without paper bits changes nothing. No match
 * on one DEVMODE resets its paper from the printer's default; on two it changes nothing.
 * Returns 1, or 0 on a failed read, write or search.
 */
BOOL WINAPI opt_RuleMatchPaper(const PaperRuleRequest *request);

/*
 * opt_MatchPaperToForm: the paper matched by size, paper number and form name as the mask
 * asks (number, name, size with the dimension flag and a paper other than 256). Returns
 * PAPER_FORM_FOUND with request->match, PAPER_FORM_NONE, or PAPER_FORM_FAILED.
 */
int WINAPI opt_MatchPaperToForm(PaperFormRequest *request);

/*
 * opt_FindFormBySize: the printer form of the paper's size within 10 units, either way
 * round, preferring the one whose number (kinds PAPER_SEARCH_NUMBER) or name
 * (PAPER_SEARCH_NAME) the paper has and which the description data knows; else the first
 * the data knows; else 256 when the size lies in the custom range of paper 262. Returns
 * PAPER_FORM_FOUND, PAPER_FORM_NONE or PAPER_FORM_FAILED.
 */
int WINAPI opt_FindFormBySize(PaperFormRequest *request, WORD kinds);

/*
 * opt_FindFormByNameOrNumber: the first printer form with the paper's name (kind
 * PAPER_SEARCH_NAME) or number (PAPER_SEARCH_NUMBER), accepted when the device paper list
 * is in use or the description data knows it; else 256 when its size lies in the custom
 * range. Returns PAPER_FORM_FOUND, PAPER_FORM_NONE or PAPER_FORM_FAILED.
 */
int WINAPI opt_FindFormByNameOrNumber(PaperFormRequest *request, WORD kind);

/* opt_GetCustomPaperRange: the smallest and largest full size of paper record paper
 * (imageable sizes plus both margin blocks). Returns 1, or 0 without the record. */
BOOL WINAPI opt_GetCustomPaperRange(DriverContext *context, WORD paper, DddSize *minimum, DddSize *maximum);

/*
 * opt_ResetPaperFromPrinterDefault: dmPaperSize, dmPaperLength, dmPaperWidth and dmFormName
 * from the printer's stored DEVMODE when it reaches dmFormName, else from the model's
 * defaults. Returns 1, or 0 when nothing can be read or a write fails.
 */
BOOL WINAPI opt_ResetPaperFromPrinterDefault(DriverContext *context, HANDLE printer, DriverDevmode *devmode,
                                             PrinterDataBlock *block);

/*
 * opt_RuleSetFormNameFromPaper: dmFormName from dmPaperSize (a user-defined slot's name, the
 * device paper list's entry, or the paper record's name), then the paper matched with
 * DM_FORMNAME; paper 256 is matched with the DEVMODE's dmFields.
 */
BOOL WINAPI opt_RuleSetFormNameFromPaper(DriverContext *context, HANDLE printer, DriverDevmode *devmode,
                                         PrinterDataBlock *block);

/* ---- public fields (public_fields.cpp) ---- */

/*
 * opt_ValidatePublicField: 22-25 are refused when the input's dmSize is under 212; 7, 11,
 * 12, 13, 15, 16, 17, 18, 22 and 23 are validated with the command; others pass.
 */
BOOL WINAPI opt_ValidatePublicField(WORD functionId, DriverContext *context, DriverDevmode *input,
                                    PrinterDataBlock *block, WORD command);

/*
 * opt_IsDriverDevmodeHeader: 1 when 2, 4, 5, 257 and 259 pass validation (command 2), in
 * that order, stopping at the first failure: a full DEVMODE of this model. One that passes
 * 5 has its whole private part, so nothing is read past dmSize + dmDriverExtra. 0 for NULL.
 */
BOOL WINAPI opt_IsDriverDevmodeHeader(DriverContext *context, DriverDevmode *devmode, PrinterDataBlock *block);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_RULES_DEPENDENT_RULES_H */
