/* The identity of the machine's user, pinnable by tests. */
#include "platform/src/kernel/kernel_private.h"
#include "platform/testing/qm_testing.h"

#include <pwd.h>
#include <stdlib.h>
#include <unistd.h>

#include <mutex>

namespace {
std::mutex g_identity_lock;
std::u16string g_pinned_user;
}  // namespace

std::u16string qmk::CurrentUserName()
{
    {
        std::lock_guard<std::mutex> guard(g_identity_lock);
        if (!g_pinned_user.empty()) return g_pinned_user;
    }
    const char *name = getenv("USER");
    struct passwd *pw = getpwuid(getuid());
    if ((!name || !*name) && pw) name = pw->pw_name;
    if (!name || !*name) name = "User";
    std::u16string out;
    for (const char *p = name; *p; ++p) out.push_back((unsigned char)*p);
    return out;
}

extern "C" void qmt_PinUserName(LPCWSTR name)
{
    std::lock_guard<std::mutex> guard(g_identity_lock);
    g_pinned_user = name ? std::u16string(name) : std::u16string();
}
