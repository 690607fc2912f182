#include "platform/win/registry/config_folder.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>

namespace pm {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

bool isFolder(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

std::string configFolder() {
    std::string own = environment("PM_CONFIG_HOME");
    if (!own.empty()) return own;
    std::string xdg = environment("XDG_CONFIG_HOME");
    if (!xdg.empty()) return xdg + "/pmwin";
    std::string home = environment("HOME");
    return (home.empty() ? std::string(".") : home) + "/.config/pmwin";
}

bool makeFolders(const std::string& folder) {
    if (folder.empty() || isFolder(folder)) return true;
    std::string::size_type slash = folder.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !makeFolders(folder.substr(0, slash))) return false;
    if (::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST) return isFolder(folder);
    return false;
}

} // namespace pm
