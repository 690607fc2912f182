#include "colourtool/core/html_document.h"
#include "colourtool/core/notations.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using namespace tintara;

namespace {

DocumentColours saveColours() {
    DocumentColours c;
    c.setTag(Sample::Background, "#A1A2A3");
    c.setTag(Sample::NormalText, "#B1B2B3");
    c.setTag(Sample::Link, "#C1C2C3");
    c.setTag(Sample::VisitedLink, "#D1D2D3");
    c.setTag(Sample::ActiveLink, "#E1E2E3");
    return c;
}

std::string html(const std::string& name) {
    return fixture("html/" + name + ".html");
}

// Copies a fixture into the folder and returns the copy's path.
std::string copyOf(const TempFolder& folder, const std::string& name) {
    return folder.write(name + ".html", html(name));
}

std::size_t filesIn(const std::string& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

} // namespace

TEST(HtmlTexts, AreTheProgramsOwn) {
    EXPECT_STREQ(kCaptionPrefix, "Tintara 2.5.0 - ");
    EXPECT_STREQ(kUntitled, "Untitled");
    EXPECT_STREQ(kInvalidHtmlFile, "Invalid HTML file. Could not find body.");
    EXPECT_STREQ(kDiscardChanges, "Discard changes and create a new file?");
    EXPECT_STREQ(kHtmlFilterName, "Internet files");
    EXPECT_STREQ(kHtmlFilterPattern, "*.HTM;*.HTML;*.SHTML;*.ASP");
    EXPECT_STREQ(kOpenHtmlTitle, "Open HTML file");
    EXPECT_STREQ(kSaveHtmlTitle, "Save HTML file");
    EXPECT_EQ(missingAttributesQuestion({Sample::Background, Sample::VisitedLink}),
              "The following options are not specified in BODY. Do you want to add "
              "them?\r\n\r\nBGCOLOR\r\nVLINK\r\n");
}

TEST(HtmlOpen, ReadsTheColoursOfTheFile) {
    const OpenedHtml opened = openHtmlFile(std::string(PM_TEST_DATA_DIR) + "/html/lower_unquoted.html");
    ASSERT_TRUE(opened.found);
    EXPECT_EQ(opened.text, html("lower_unquoted"));
    EXPECT_EQ(opened.colours.of(Sample::Background), (Rgb{255, 0, 0}));
    EXPECT_EQ(opened.colours.of(Sample::NormalText), (Rgb{0, 255, 0}));
    EXPECT_FALSE(opened.colours.of(Sample::Link).has_value());
}

TEST(HtmlOpen, FilesWithoutABodyOrThatCannotBeReadAreRefused) {
    TempFolder folder;
    fs::create_directory(folder.file("dir.html"));
    const std::string cases[] = {
        std::string(PM_TEST_DATA_DIR) + "/html/no_body.html",
        folder.file("missing.html"),
        folder.file("dir.html"),
        folder.write("empty.html", ""),
        folder.write("utf16.html", std::string("<\0B\0O\0D\0Y\0>\0", 12)),
    };
    for (const std::string& path : cases) {
        SCOPED_TRACE(path);
        const OpenedHtml opened = openHtmlFile(path);
        EXPECT_FALSE(opened.found);
        EXPECT_TRUE(opened.text.empty());
    }
    const std::string big = folder.write("big.html", "<BODY>" + std::string(100, ' '));
    EXPECT_FALSE(openHtmlFile(big, 50).found);
    EXPECT_TRUE(openHtmlFile(big, 106).found);
}

TEST(HtmlSave, RewritesTheFileOnDiskAndLeavesNoBackup) {
    for (const char* name : {"upper", "lower_unquoted", "mixed_quotes", "multiline", "gt_in_value", "bare",
                             "utf8", "bare_attribute", "two_spaces"}) {
        SCOPED_TRACE(name);
        TempFolder folder;
        const std::string path = copyOf(folder, name);
        const HtmlSavePlan plan = prepareHtmlSave(path, defaultDocument());
        ASSERT_EQ(plan.status, SaveStatus::Ready);
        EXPECT_EQ(plan.text, html(name));
        const HtmlSaveResult result = finishHtmlSave(plan, saveColours(), true);
        ASSERT_TRUE(result.written) << result.error;
        EXPECT_EQ(fileBytes(path), fixture(std::string("html/") + name + ".saved"));
        EXPECT_EQ(result.text, fileBytes(path));
        EXPECT_FALSE(fs::exists(path + ".bu0"));
        EXPECT_EQ(filesIn(folder.path()), 1u); // no temporary file left behind
    }
}

TEST(HtmlSave, TheDefaultDocumentAsksNothingAndSavingTwiceAddsNoLineBreak) {
    TempFolder folder;
    const std::string path = folder.write("default.html", defaultDocument());
    for (int round = 0; round < 2; ++round) {
        const HtmlSavePlan plan = prepareHtmlSave(path, defaultDocument());
        ASSERT_EQ(plan.status, SaveStatus::Ready);
        EXPECT_TRUE(plan.missing.empty());
        ASSERT_TRUE(finishHtmlSave(plan, saveColours(), true).written);
        EXPECT_EQ(fileBytes(path), htmlCode(saveColours()));
    }
}

TEST(HtmlSave, ANewFileStartsFromTheDefaultDocument) {
    TempFolder folder;
    const std::string path = folder.file("new.html");
    const HtmlSavePlan plan = prepareHtmlSave(path, defaultDocument());
    ASSERT_EQ(plan.status, SaveStatus::Ready);
    EXPECT_EQ(plan.text, defaultDocument());
    EXPECT_TRUE(plan.missing.empty());
    ASSERT_TRUE(finishHtmlSave(plan, saveColours(), false).written);
    EXPECT_EQ(fileBytes(path), htmlCode(saveColours()));
    EXPECT_FALSE(fs::exists(path + ".bu0"));
}

TEST(HtmlSave, AFileWithoutBodyIsNotWritten) {
    TempFolder folder;
    const std::string path = copyOf(folder, "no_body");
    const HtmlSavePlan plan = prepareHtmlSave(path, defaultDocument());
    EXPECT_EQ(plan.status, SaveStatus::NoBody);
    const HtmlSaveResult result = finishHtmlSave(plan, saveColours(), true);
    EXPECT_FALSE(result.written);
    EXPECT_EQ(result.error, kInvalidHtmlFile);
    EXPECT_EQ(fileBytes(path), html("no_body"));
    EXPECT_FALSE(fs::exists(path + ".bu0"));
}

TEST(HtmlSave, AnUnclosedTagAsksForAllFiveAndKeepsTheText) {
    TempFolder folder;
    const std::string path = copyOf(folder, "unclosed");
    const HtmlSavePlan plan = prepareHtmlSave(path, defaultDocument());
    ASSERT_EQ(plan.status, SaveStatus::Ready);
    EXPECT_EQ(plan.missing.size(), 5u);
    ASSERT_TRUE(finishHtmlSave(plan, saveColours(), true).written);
    EXPECT_EQ(fileBytes(path), html("unclosed"));
}

TEST(HtmlSave, AnUnreadableFileIsNeverOverwritten) {
    TempFolder folder;
    // A folder in place of the file: it can be neither read nor copied.
    const std::string dir = folder.file("dir.html");
    fs::create_directory(dir);
    const HtmlSavePlan plan = prepareHtmlSave(dir, defaultDocument());
    EXPECT_EQ(plan.status, SaveStatus::Unreadable);
    EXPECT_NE(plan.error.find(dir), std::string::npos);
    const HtmlSaveResult result = finishHtmlSave(plan, saveColours(), true);
    EXPECT_FALSE(result.written);
    EXPECT_EQ(result.error, plan.error);
    EXPECT_TRUE(fs::is_directory(dir));
    EXPECT_FALSE(fs::exists(dir + ".bu0"));
}

TEST(HtmlSave, AFileTooLargeToReadIsBackedUpAndNotOverwritten) {
    TempFolder folder;
    const std::string path = copyOf(folder, "upper");
    folder.write("upper.html.bu0", "an older backup");
    const HtmlSavePlan plan = prepareHtmlSave(path, defaultDocument(), 16);
    EXPECT_EQ(plan.status, SaveStatus::Unreadable);
    EXPECT_FALSE(finishHtmlSave(plan, saveColours(), true).written);
    EXPECT_EQ(fileBytes(path), html("upper"));
    EXPECT_EQ(fileBytes(path + ".bu0"), html("upper")); // the copy replaces an older one
}

TEST(HtmlSave, WriteFailuresAreReportedAndKeepTheOldFile) {
    TempFolder folder;
    const std::string readOnly = copyOf(folder, "upper");
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const HtmlSavePlan plan = prepareHtmlSave(readOnly, defaultDocument());
    ASSERT_EQ(plan.status, SaveStatus::Ready);
    const HtmlSaveResult result = finishHtmlSave(plan, saveColours(), true);
    EXPECT_FALSE(result.written);
    EXPECT_NE(result.error.find("read-only"), std::string::npos) << result.error;
    EXPECT_EQ(fileBytes(readOnly), html("upper"));
    EXPECT_EQ(filesIn(folder.path()), 1u);

    const std::string badFolder = folder.file("no-such-folder/page.html");
    const HtmlSavePlan planInMissingFolder = prepareHtmlSave(badFolder, defaultDocument());
    ASSERT_EQ(planInMissingFolder.status, SaveStatus::Ready);
    const HtmlSaveResult failed = finishHtmlSave(planInMissingFolder, saveColours(), true);
    EXPECT_FALSE(failed.written);
    EXPECT_NE(failed.error.find(badFolder), std::string::npos) << failed.error;
}

TEST(HtmlSave, KeepsPermissionsAndSymbolicLinks) {
    TempFolder folder;
    const std::string target = copyOf(folder, "bare");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const std::string link = folder.file("link.html");
    fs::create_symlink(target, link);
    ASSERT_TRUE(finishHtmlSave(prepareHtmlSave(link, defaultDocument()), saveColours(), true).written);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fileBytes(target), fixture("html/bare.saved"));
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}
