/* Private declarations shared by the files of the kernel area. */
#ifndef QM_KERNEL_PRIVATE_H
#define QM_KERNEL_PRIVATE_H

#include <windows.h>

#include <string>

namespace qmk {

/* Allocation gate for fault injection: false when the next allocation must be refused. */
bool AllocationAllowed();

/* The platform root directory (QM_ROOT or the per-user default), without a trailing slash;
 * created on first use. */
std::string RootDir();

}  // namespace qmk

#endif
