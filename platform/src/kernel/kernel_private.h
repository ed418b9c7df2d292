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

/* The name of the user the process runs as (pinned by tests with qmt_PinUserName), in UTF-16. */
std::u16string CurrentUserName();

/* Maps a Windows path to the host file system (the kernel's file area implements it): drive
 * letters map into the root, Z: to the host's own "/"; false when the path cannot be mapped. */
bool HostPath(const char16_t *windows_path, std::string *host_path);

}  // namespace qmk

#endif
