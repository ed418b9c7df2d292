/*
 * printhost print: a sample job through the render driver as GDI runs it, the bytes the
 * spooler received saved to a file of the host and, on request, their listing.
 */
#ifndef QM_TOOLS_PRINTHOST_PRINT_JOB_H
#define QM_TOOLS_PRINTHOST_PRINT_JOB_H

#include "tools/printhost/print_host.h"

/* Exit codes of the command. */
#define PH_EXIT_DONE 0        /* the job ended as asked */
#define PH_EXIT_USAGE 1       /* bad command line (usage on stderr) */
#define PH_EXIT_SETUP 2       /* set-up failure, the step named on stderr */
#define PH_EXIT_JOB_FAILED 3  /* the driver failed the job (the stream so far is saved) */
#define PH_EXIT_DRAW_FAILED 4 /* the job ended, but a drawing call of the page script answered FALSE */

/*
 * ph_Print: runs "printhost print" with the arguments behind the command word:
 *   --model <file.DDD> (--pages <N> | --draw <script>) --out <stream-file> [--list <listing-file>]
 *   [--set <FunctionID>=<value>]... [--document <name>] [--abort-after <n>]
 *   [--reset-after <n>] [--fixed-env]
 * Prints "job <id> <state> <n> bytes <n> pages". Returns the exit code.
 */
int ph_Print(int argc, char **argv);

#endif /* QM_TOOLS_PRINTHOST_PRINT_JOB_H */
