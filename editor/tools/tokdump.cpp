// tokdump: prints the token runs a formater gives a file, for looking at colouring without a
// window.   tokdump --lang=js|vbs|c|generic FILE

#include "editor/CCFormater.h"
#include "editor/CHHJScriptFormater.h"
#include "editor/CHHVBScriptFormater.h"
#include "editor/TokenRuns.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace {

std::unique_ptr<CHHFormater> formaterFor(const std::string& language) {
    if (language == "js") return std::make_unique<CHHJScriptFormater>();
    if (language == "vbs") return std::make_unique<CHHVBScriptFormater>();
    if (language == "c") return std::make_unique<CCFormater>();
    if (language == "generic") return std::make_unique<CHHGenericFormater>();
    return nullptr;
}

int usage() {
    std::fprintf(stderr, "usage: tokdump --lang=js|vbs|c|generic FILE\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::string language = "js";
    const char* path = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--lang=", 7) == 0)
            language = argv[i] + 7;
        else if (!path)
            path = argv[i];
        else
            return usage();
    }
    std::unique_ptr<CHHFormater> formater = formaterFor(language);
    if (!formater || !path) return usage();
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "tokdump: cannot read %s\n", path);
        return 1;
    }
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const std::vector<WORD> tokens = hh::Tokenize(*formater, text.data(), text.size());
    const std::string runs = hh::DescribeTokenRuns(text.data(), text.size(), tokens);
    std::fwrite(runs.data(), 1, runs.size(), stdout);
    return 0;
}
