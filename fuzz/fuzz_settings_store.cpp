// Loads arbitrary bytes as a settings store file and saves it again.
#include "app/CIniFile.h"

#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/fuzz_settings_store." + std::to_string(getpid()) + ".ini";
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    CIniFile ini;
    ini.Load(path.c_str());
    CString value;
    ini.GetString("General", "LineNo", value, TRUE);
    ini.SetString("General", "LineNo", "1");
    ini.Save();
    std::remove(path.c_str());
    return 0;
}
