// Linked into every test program: before anything else runs, the test process gets a settings and
// registry folder of its own in the build tree (so tests running in parallel never see each
// other's keys), removed when the process ends, and Qt runs offscreen at one device pixel per pixel
// unless the caller asked for another platform. A listener fails every test that ends with more
// live windows, GDI objects, menus, image lists, timers or hooks than it started with, unless the
// test said why it keeps them (keepsHandles).
#include "cmake/test_environment.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <system_error>

#include <unistd.h>

namespace pm {
// The window system's handle counts (platform/win/handle_accounting.h), when the program links it.
[[gnu::weak]] void forEachLiveHandleKind(void (*visit)(const char* kind, std::size_t live, void* context),
                                         void* context);
} // namespace pm

namespace {

std::string keptReason;

std::map<std::string, std::size_t> liveHandles() {
    std::map<std::string, std::size_t> counts;
    if (!pm::forEachLiveHandleKind) return counts;
    pm::forEachLiveHandleKind(
        [](const char* kind, std::size_t live, void* context) {
            (*static_cast<std::map<std::string, std::size_t>*>(context))[kind] = live;
        },
        &counts);
    return counts;
}

class HandleListener : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override {
        keptReason.clear();
        m_before = liveHandles();
    }
    void OnTestEnd(const testing::TestInfo&) override {
        if (!keptReason.empty()) return;
        for (const auto& [kind, live] : liveHandles()) {
            const std::size_t before = m_before.count(kind) ? m_before[kind] : 0;
            EXPECT_LE(live, before) << "the test leaves " << live - before << " more live " << kind
                                    << " than it found";
        }
    }

    std::map<std::string, std::size_t> m_before;
};

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
        testing::UnitTest::GetInstance()->listeners().Append(new HandleListener);
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

void pm::test::keepsHandles(const char* reason) {
    keptReason = reason && *reason ? reason : "(no reason given)";
}
