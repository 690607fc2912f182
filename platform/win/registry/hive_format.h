#pragma once
// The text form of a hive file. The first line is "pmreg 1"; then each key, parents before their
// subkeys, as "K :<path>" (names joined with '\'), followed by its values as
// "V <type> :<name> :<data>". Names and data are stored with bytes up to the space, DEL and '%'
// written as %XX, so every record is one line of text.

#include "platform/win/registry/registry_key.h"

#include <string>

namespace pm {

std::string writeHive(const RegistryKey& root);

// Reads a hive file into root (which starts empty). Malformed lines are skipped; the text's size
// bounds everything that is built.
void readHive(const std::string& text, RegistryKey& root);

} // namespace pm
