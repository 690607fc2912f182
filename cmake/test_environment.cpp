// Linked into every test program: before anything else runs, the test process gets a settings and
// registry folder of its own in the build tree (so tests running in parallel never see each
// other's keys), removed when the process ends, and Qt runs offscreen at one device pixel per pixel
// unless the caller asked for another platform.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <unistd.h>

namespace {

std::string privateConfigFolder;
pid_t owner = 0;

// Only by the process that made it: a forked child that exits leaves it to its parent.
void removePrivateConfigFolder() {
    if (getpid() != owner) return;
    std::error_code ignored;
    std::filesystem::remove_all(privateConfigFolder, ignored);
}

// A new, empty folder under the build tree's test-config folder, unique to this process.
std::string makePrivateConfigFolder() {
    std::error_code ignored;
    std::filesystem::create_directories(PM_TEST_CONFIG_DIR, ignored);
    std::string pattern = std::string(PM_TEST_CONFIG_DIR) + "/process-XXXXXX";
    if (!mkdtemp(pattern.data())) {
        std::perror("test environment: cannot make a private config folder");
        std::abort();
    }
    return pattern;
}

struct TestEnvironment {
    TestEnvironment() {
        privateConfigFolder = makePrivateConfigFolder();
        owner = getpid();
        std::atexit(removePrivateConfigFolder);
        setenv("PM_CONFIG_HOME", privateConfigFolder.c_str(), 1);
        setenv("XDG_CONFIG_HOME", privateConfigFolder.c_str(), 1);
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        setenv("QT_SCALE_FACTOR", "1", 1);
        setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
    }
};

const TestEnvironment environment;

} // namespace
