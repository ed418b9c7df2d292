/*
 * The platform root: the directory under which the host keeps the Windows drives, the
 * registry and the spooler's store. QM_ROOT names it; without it a per-user directory is
 * used.
 */
#include "platform/src/kernel/kernel_private.h"

#include <stdlib.h>

#include <filesystem>
#include <mutex>

namespace {
std::mutex g_root_lock;
std::string g_root;
} // namespace

std::string qmk::RootDir()
{
    std::lock_guard<std::mutex> guard(g_root_lock);
    if (g_root.empty()) {
        const char *env = getenv("QM_ROOT");
        if (env && *env) {
            g_root = env;
        } else {
            const char *data = getenv("XDG_DATA_HOME");
            const char *home = getenv("HOME");
            if (data && *data)
                g_root = std::string(data) + "/qmdriver";
            else if (home && *home)
                g_root = std::string(home) + "/.local/share/qmdriver";
            else
                g_root = "/tmp/qmdriver-root";
        }
        while (g_root.size() > 1 && g_root.back() == '/')
            g_root.pop_back();
        std::error_code ec;
        std::filesystem::create_directories(g_root, ec);
    }
    return g_root;
}

extern "C" void qmt_ResetRoot(void)
{
    std::lock_guard<std::mutex> guard(g_root_lock);
    g_root.clear();
}
