/*
 * The public header compiled as C: its layout checks hold for C callers too.
 */
#include "management/include/psw.h"

/* psw_header_record_size: the job record's size as a C caller sees it. */
size_t psw_header_record_size(void);

size_t psw_header_record_size(void)
{
    return sizeof(PSWJobInfo);
}
