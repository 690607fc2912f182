#pragma once
// Where the layer keeps per-user state (registry hives, profile files named without a folder).

#include <string>

namespace pm {

// $PM_CONFIG_HOME when set, else $XDG_CONFIG_HOME/pmwin, else ~/.config/pmwin. Not created here.
std::string configFolder();

// Creates folder and its missing parents (mode 0700 for new ones). True when it exists afterwards.
bool makeFolders(const std::string& folder);

} // namespace pm
