// Reads arbitrary bytes as the registry layer's two text formats: a private-profile file (lookups
// and edits, then read again) and a registry hive file (read, written, read again to the same text).
#include "platform/win/registry/hive_format.h"
#include "platform/win/registry/ini_document.h"

#include <cstdlib>
#include <string>

namespace {

void Profile(const std::string& text) {
    pm::IniDocument doc(text);
    std::string value;
    for (const std::string& section : doc.sectionNames()) {
        for (const std::string& key : doc.keyNames(section))
            doc.value(section, key, value);
        doc.sectionLines(section);
    }
    doc.setValue("S", "k", "v");
    doc.removeKey("S", "k");
    doc.replaceSection("T", {"a=1", "b"});
    doc.removeSection("T");
    pm::IniDocument again(doc.text());
    if (again.sectionNames() != doc.sectionNames()) std::abort();
}

void Hive(const std::string& text) {
    pm::RegistryKey first;
    pm::readHive(text, first);
    std::string written = pm::writeHive(first);
    pm::RegistryKey second;
    pm::readHive(written, second);
    if (pm::writeHive(second) != written) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    Profile(text);
    Hive(text);
    return 0;
}
