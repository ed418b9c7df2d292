/*
 * INTERIM: the dependent-setting rules are not built yet. Until they are, the paper-centre
 * rule finds no paper and answers 0. Delete this file when the rules are built.
 */
#include "core/rules/dependent_rules.h"

extern "C" BOOL WINAPI opt_CalcHalfLongEdgeRemainder(HalfEdgeRequest *request)
{
    (void)request;
    return FALSE;
}
