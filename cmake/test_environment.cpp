// Linked into every test program: before anything else runs, the tests get a private settings and
// registry folder in the build tree, and Qt runs offscreen at one device pixel per pixel unless the
// caller asked for another platform.
#include <cstdlib>

namespace {

struct TestEnvironment {
    TestEnvironment() {
        setenv("PM_CONFIG_HOME", PM_TEST_CONFIG_DIR, 1);
        setenv("XDG_CONFIG_HOME", PM_TEST_CONFIG_DIR, 1);
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        setenv("QT_SCALE_FACTOR", "1", 1);
        setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
    }
};

const TestEnvironment environment;

} // namespace
