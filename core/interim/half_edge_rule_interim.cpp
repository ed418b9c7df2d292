/*
 * INTERIM: the paper-centre rule of the dependent-setting rules is not built yet. Until it
 * is, it finds no paper and answers 0. Delete this file when the rule is built.
 */
#include "core/rules/dependent_rules.h"

extern "C" BOOL WINAPI opt_CalcHalfLongEdgeRemainder(HalfEdgeRequest *request)
{
    (void)request;
    return FALSE;
}
