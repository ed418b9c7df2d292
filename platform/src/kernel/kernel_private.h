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

/* Converts `length` bytes of text in a code page (CP_ACP, CP_OEMCP, CP_UTF8 or a number) to
 * UTF-16, undefined bytes becoming the code page's default character; false for an unknown
 * code page or a NULL text. */
bool MultiToWide(UINT code_page, const char *text, size_t length, std::u16string *out);

/* Converts `length` UTF-16 units to a code page, characters it lacks becoming '?' (U+FFFD in
 * UTF-8 for unpaired surrogates); false for an unknown code page or a NULL text. */
bool WideToMulti(UINT code_page, const char16_t *text, size_t length, std::string *out);

}  // namespace qmk

#endif
