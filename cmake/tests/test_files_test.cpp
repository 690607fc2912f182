// The test programs' file helpers: bytes read and written whole, and the golden-file check that
// reports a difference, keeps the output in the build tree and rewrites the golden on request.

#include "cmake/test_files.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The messages of the failures that run reports, kept from the running test.
std::vector<std::string> failuresOf(const std::function<void()>& run) {
    testing::TestPartResultArray results;
    {
        testing::ScopedFakeTestPartResultReporter reporter(
            testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
        run();
    }
    std::vector<std::string> messages;
    for (int i = 0; i < results.size(); ++i)
        messages.push_back(results.GetTestPartResult(i).message());
    return messages;
}

// Each test has folders of its own, since the tests of one program may run at once.
class TestFiles : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        output = std::string(PM_TEST_OUTPUT_DIR) + "/test_files/" + name;
        golden = output + "/goldens_" + name + "/sample.txt";
        actualFolder = std::string(PM_TEST_OUTPUT_DIR) + "/golden/goldens_" + name;
        actual = actualFolder + "/sample.txt.actual";
        removeFolders();
    }
    void TearDown() override {
        unsetenv("PM_UPDATE_GOLDEN");
        removeFolders();
    }
    void removeFolders() const {
        fs::remove_all(output);
        fs::remove_all(actualFolder);
    }

    std::string output, golden, actualFolder, actual;
};

TEST_F(TestFiles, WriteMakesTheFolderAndReadGivesEveryByteBack) {
    const std::string bytes("a\0b\r\nc", 6);
    const std::string path = output + "/new/folder/file.bin";
    pm::test::writeFile(path, bytes);
    EXPECT_EQ(pm::test::readFile(path), bytes);
    pm::test::writeFile(path, "x");
    EXPECT_EQ(pm::test::readFile(path), "x") << "a second write replaces the file";
    EXPECT_EQ(pm::test::readFile(output + "/missing"), "");
}

TEST_F(TestFiles, WriteThatCannotBeDoneFailsTheTest) {
    pm::test::writeFile(output + "/plain", "x");
    const auto failures = failuresOf([&] { pm::test::writeFile(output + "/plain/below", "y"); });
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("plain/below"), std::string::npos) << failures[0];
}

TEST_F(TestFiles, SameOutputPassesAndTakesAwayAnEarlierDifference) {
    pm::test::writeFile(golden, "same\n");
    pm::test::writeFile(actual, "left by an earlier run");
    bool same = false;
    EXPECT_TRUE(failuresOf([&] { same = pm::test::expectGolden(golden, "same\n"); }).empty());
    EXPECT_TRUE(same);
    EXPECT_FALSE(fs::exists(actual));
}

TEST_F(TestFiles, DifferenceFailsAndKeepsTheOutputBesideNeitherGoldenNorSource) {
    pm::test::writeFile(golden, "expected\n");
    bool same = true;
    const auto failures = failuresOf([&] { same = pm::test::expectGolden(golden, "actual\n"); });
    EXPECT_FALSE(same);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find(actual), std::string::npos) << failures[0];
    EXPECT_EQ(pm::test::readFile(actual), "actual\n");
    EXPECT_EQ(pm::test::readFile(golden), "expected\n");
    EXPECT_FALSE(fs::exists(golden + ".actual"));
}

TEST_F(TestFiles, GoldenOfTheSourceTreeHasItsOutputUnderItsFolderNameInTheBuildTree) {
    const std::string kept = std::string(PM_TEST_DATA_DIR) + "/kept.txt";
    const std::string keptActual = std::string(PM_TEST_OUTPUT_DIR) + "/golden/data/kept.txt.actual";
    fs::remove(keptActual);
    EXPECT_EQ(failuresOf([&] { pm::test::expectGolden(kept, "changed\n"); }).size(), 1u);
    EXPECT_EQ(pm::test::readFile(keptActual), "changed\n");
    EXPECT_FALSE(fs::exists(kept + ".actual"));
    EXPECT_EQ(pm::test::readFile(kept), "kept as it is\n");
    fs::remove(keptActual);
}

TEST_F(TestFiles, MissingGoldenFailsAndSaysHowToMakeIt) {
    const auto failures = failuresOf([&] { pm::test::expectGolden(golden, "new\n"); });
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("PM_UPDATE_GOLDEN=1"), std::string::npos) << failures[0];
    EXPECT_EQ(pm::test::readFile(actual), "new\n");
    EXPECT_FALSE(fs::exists(golden));
}

TEST_F(TestFiles, UpdateSwitchRewritesTheGolden) {
    pm::test::writeFile(golden, "old\n");
    setenv("PM_UPDATE_GOLDEN", "1", 1);
    EXPECT_TRUE(failuresOf([&] { EXPECT_TRUE(pm::test::expectGolden(golden, "new\n")); }).empty());
    EXPECT_EQ(pm::test::readFile(golden), "new\n");
    EXPECT_FALSE(fs::exists(actual));
}

} // namespace
