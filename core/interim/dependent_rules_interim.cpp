/* Stands in for the paper-centre rule of the dependent-setting rules: it finds no paper and answers 0. */
#include "core/rules/dependent_rules.h"

extern "C" BOOL WINAPI opt_CalcHalfLongEdgeRemainder(HalfEdgeRequest *request)
{
    (void)request;
    return FALSE;
}
