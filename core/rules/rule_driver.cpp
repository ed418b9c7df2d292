/*
 * The rule driver: the dependent-setting rules in their fixed order at the end of a
 * DEVMODE merge, stopping at the first that fails.
 */
#include "core/rules/rules_private.h"

#include "core/devmode_helpers/devmode_helpers.h"
#include "core/settings/function_ids.h"

/* The dmFields bits that ask for the paper match and for the resolution. */
enum { PAPER_MATCH_FIELDS = RULE_PAPER_FIELDS, RESOLUTION_FIELDS = DM_PRINTQUALITY | DM_YRESOLUTION };

BOOL WINAPI opt_RunDependentRules(const DependentRulesRequest *request)
{
    if (!request || !request->context || !request->output || !request->input) {
        return FALSE;
    }
    DriverContext *context = request->context;
    DriverDevmode *output = request->output;
    PrinterDataBlock *block = request->block;
    DWORD asked = request->supportedFields & request->inputFields;
    SettingsAreas areas = {output, block};
    TrueTypeRuleRequest trueType = {output, block, FID_TT_OPTION};
    PaperRuleRequest paper = {context, output, request->input, block, request->printer, asked};

    if (!opt_RuleFixDefaultSource(output, block)) {
        return FALSE;
    }
    if ((asked & PAPER_MATCH_FIELDS) && !opt_RuleMatchPaper(&paper)) {
        return FALSE;
    }
    if ((asked & RESOLUTION_FIELDS) &&
        !opt_RuleSyncResolution(context, output, request->input, block, request->command)) {
        return FALSE;
    }
    if (!opt_RuleSyncTrueTypeOption(&trueType)) {
        return FALSE;
    }
    if (request->fieldMapInUse && !opt_RuleColorModeFromDmColor(output, block, context)) {
        return FALSE;
    }
    if (!opt_RuleUpdateColorMode(&areas) || !opt_RuleSyncScaleField(output) ||
        !opt_RuleSyncCollateField(output, block, context) || !opt_RuleCopySourceBack(output, block) ||
        !opt_RuleSetIcmMethod(&areas)) {
        return FALSE;
    }
    if (request->fieldMapInUse && (asked & DM_MEDIATYPE) && !opt_RuleMediaFromDmMediaType(context, output, block)) {
        return FALSE;
    }
    return TRUE;
}
