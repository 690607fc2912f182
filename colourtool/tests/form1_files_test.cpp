#include "support/form1_fixture.h"
#include "support/temp_folder.h"

#include "platform/win/tests/support/test_windows.h"

#include <filesystem>

using pm::test::pumpMessages;

namespace {

constexpr char kInvalid[] = "Invalid HTML file. Could not find body.";

class FilesTest : public Form1Fixture {
protected:
    void SetUp() override {
        Form1Fixture::SetUp();
        start();
    }
    // The file dialogs answer `path` (nothing: cancelled).
    void answerFiles(std::optional<std::string> path) {
        dialogs.fileAnswer = [path](vb::FakeDialogs::Kind, const vb::FileDialogRequest&) { return path; };
    }
    std::string tags() {
        std::string all = form().Preview.Tag;
        for (int i = 0; i < 4; ++i)
            all += " " + form().Label1[i].Tag;
        return all;
    }
    // Gives the five samples the colours the fixtures' saved files hold.
    void colourSamples() {
        form().Preview_Click();
        setColour(0xA1, 0xA2, 0xA3);
        for (int i = 0; i < 4; ++i) {
            form().Label1_Click(i);
            int base = 0xB1 + 0x10 * i;
            setColour(base, base + 1, base + 2);
        }
    }
    void dispatch(std::string key) {
        bool dropDown = false;
        form().Form1_Tool_ButtonClick(key, dropDown);
    }

    TempFolder folder;
};

TEST_F(FilesTest, OpeningLoadsTheBodyColoursIntoTheSamples) {
    const struct {
        const char* file;
        const char* tags;
    } cases[] = {
        {"lower_unquoted.html", "#FF0000 #00FF00 #0000FF #880088 #0000FF"},
        {"colour_names.html", "#FFFFFF #FF0F00 #B25500 #000000 #FF0000"},
        {"two_spaces.html", "#FF0000 #00FF00 #0000FF #FFFF00 #00FFFF"},
        {"mixed_quotes.html", "#ABCDEF #123456 #000F00 #010203 #0A0B0C"},
    };
    for (const auto& c : cases) {
        std::string path = folder.write(c.file, fixture(std::string("html/") + c.file));
        answerFiles(path);
        dispatch("open");
        EXPECT_EQ(tags(), c.tags) << c.file;
        EXPECT_EQ(form().FileName, path);
        EXPECT_EQ(form().MeCaption.Caption(), "Tintara 2.5.0 - " + path);
        EXPECT_EQ(form().DocText, fileBytes(path));
        EXPECT_EQ(form().CON, &form().Label1[0]) << c.file;
        EXPECT_EQ(form().workingColour(), tintara::rgbOfNotation(form().Label1[0].Tag));
    }
    EXPECT_TRUE(shown.empty());
}

TEST_F(FilesTest, OpeningAFileWithoutBodyLeavesAnUntitledDocument) {
    for (const char* file : {"html/no_body.html", ""}) {
        std::string path = *file ? folder.write("nobody.html", fixture(file)) : folder.file("missing.html");
        answerFiles(path);
        dispatch("open");
        ASSERT_EQ(shown.size(), 1u) << file;
        EXPECT_EQ(shown[0].text, kInvalid);
        EXPECT_EQ(shown[0].type, static_cast<UINT>(MB_ICONEXCLAMATION));
        EXPECT_TRUE(form().FileName.empty());
        EXPECT_EQ(form().MeCaption.Caption(), "Tintara 2.5.0 - Untitled");
        shown.clear();
    }
    setColour(1, 2, 3);
    answerFiles(std::nullopt);
    dispatch("open");
    EXPECT_EQ(components(), "1,2,3");
}

TEST_F(FilesTest, SavingRewritesOnlyTheColourAttributes) {
    const char* files[] = {"bare.html",        "bare_attribute.html", "colour_names.html", "duplicates.html",
                           "gt_in_value.html", "lower_unquoted.html", "mixed_quotes.html", "multiline.html",
                           "two_spaces.html",  "upper.html",          "utf8.html"};
    for (const char* file : files) {
        std::string path = folder.write(file, fixture(std::string("html/") + file));
        colourSamples();
        answerFiles(path);
        form().popup3b_Click(1);
        std::string name(file);
        EXPECT_EQ(fileBytes(path), fixture("html/" + name.substr(0, name.size() - 5) + ".saved")) << file;
        EXPECT_EQ(form().DocText, fileBytes(path));
        EXPECT_EQ(form().FileName, path);
    }
}

TEST_F(FilesTest, MissingAttributesAreAddedOnlyWhenTheUserAgrees) {
    std::string path = folder.write("bare.html", fixture("html/bare.html"));
    answerFiles(path);
    answer = IDCANCEL;
    form().popup3b_Click(1);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text.rfind(
                  "The following options are not specified in BODY. Do you want to add them?\r\n\r\n"
                  "BGCOLOR\r\nTEXT\r\nLINK\r\nVLINK\r\nALINK\r\n",
                  0),
              0u);
    EXPECT_EQ(fileBytes(path), fixture("html/bare.html"));
}

TEST_F(FilesTest, SaveAsCancelledEndsTheCommand) {
    std::string path = folder.write("page.html", fixture("html/upper.html"));
    answerFiles(path);
    form().popup3b_Click(0);
    std::string saved = fileBytes(path);
    setColour(9, 9, 9);
    answerFiles(std::nullopt);
    form().popup3b_Click(1);
    EXPECT_EQ(fileBytes(path), saved);
    form().popup3b_Click(0);
    EXPECT_NE(fileBytes(path), saved);
    EXPECT_EQ(dialogs.fileRequests.size(), 2u);
}

TEST_F(FilesTest, ANewFileIsTheDefaultDocumentWithTheColoursAndNoBackup) {
    std::string path = folder.file("new.html");
    colourSamples();
    answerFiles(path);
    dispatch("save");
    EXPECT_EQ(fileBytes(path),
              "<HTML>\r\n <HEAD>\r\n  <TITLE>Insert Title Here</TITLE>\r\n </HEAD>\r\n <BODY "
              "BGCOLOR=\"#A1A2A3\" TEXT=\"#B1B2B3\" LINK=\"#C1C2C3\" VLINK=\"#D1D2D3\" "
              "ALINK=\"#E1E2E3\">\r\n\r\n </BODY>\r\n</HTML>");
    EXPECT_TRUE(shown.empty());
    EXPECT_FALSE(std::filesystem::exists(path + ".bu0"));
}

TEST_F(FilesTest, FailuresAreReportedAndNothingIsOverwritten) {
    std::string noBody = folder.write("nobody.html", fixture("html/no_body.html"));
    std::filesystem::create_directory(folder.file("folder.html"));
    const struct {
        std::string path;
        std::string message;
    } cases[] = {
        {noBody, kInvalid},
        {folder.file("folder.html"), ""},
        {folder.file("no/such/folder/a.html"), ""},
    };
    for (const auto& c : cases) {
        colourSamples();
        std::string before = tags();
        answerFiles(c.path);
        form().popup3b_Click(1);
        ASSERT_EQ(shown.size(), 1u) << c.path;
        if (!c.message.empty()) {
            EXPECT_EQ(shown[0].text, c.message);
        }
        EXPECT_EQ(tags(), before) << c.path;
        shown.clear();
    }
    EXPECT_EQ(fileBytes(noBody), fixture("html/no_body.html"));
    EXPECT_EQ(form().FileName, cases[2].path);
}

TEST_F(FilesTest, ARefusedSaveKeepsTheDocumentItWasSavedFrom) {
    const std::string page = folder.write("page.html", fixture("html/upper.html"));
    const std::string noBody = folder.write("nobody.html", fixture("html/no_body.html"));
    answerFiles(page);
    form().popup3b_Click(0);
    const std::string text = form().DocText;
    const struct {
        int item;
        std::string answered, rewritten;
    } cases[] = {
        {1, noBody, ""},                         // Save As into a file without BODY
        {0, page, fixture("html/no_body.html")}, // the document's own file lost its BODY
    };
    for (const auto& c : cases) {
        if (!c.rewritten.empty()) folder.write("page.html", c.rewritten);
        shown.clear();
        answerFiles(c.answered);
        form().popup3b_Click(c.item);
        ASSERT_EQ(shown.size(), 1u) << c.item;
        EXPECT_EQ(shown[0].text, kInvalid);
        EXPECT_EQ(form().FileName, page) << c.item;
        EXPECT_EQ(form().MeCaption.Caption(), "Tintara 2.5.0 - " + page) << c.item;
        EXPECT_EQ(form().DocText, text) << c.item;
    }
    EXPECT_EQ(fileBytes(noBody), fixture("html/no_body.html"));
}

TEST_F(FilesTest, DroppedFilesOpenAsIfChosen) {
    std::string path = folder.write("dropped.html", fixture("html/lower_unquoted.html"));
    form().dropFiles({path, path});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "You cannot open multiple files.");
    EXPECT_TRUE(form().FileName.empty());
    form().dropFiles({path});
    EXPECT_EQ(form().FileName, path);
    EXPECT_EQ(form().MeCaption.Caption(), "Tintara 2.5.0 - " + path);
    EXPECT_EQ(form().Preview.Tag, "#FF0000");
    std::string text = folder.write("notes.txt", "no markup here");
    form().dropFiles({text});
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].text, kInvalid);
    EXPECT_TRUE(form().FileName.empty());
    EXPECT_EQ(form().Preview.Tag, "#FFFFFF");
}

// A file dropped from another program while this window is not active: the box that refuses it
// still belongs to (and is centred on) the main window, as every other box does.
TEST_F(FilesTest, TheInvalidFileBoxBelongsToTheMainWindowEvenWhenNoneIsActive) {
    HWND other = CreateWindowEx(0, "STATIC", "other program", WS_POPUP | WS_VISIBLE, 500, 500, 50, 50,
                                nullptr, nullptr, nullptr, nullptr);
    SetActiveWindow(other);
    DestroyWindow(other);
    pumpMessages();
    ASSERT_NE(GetActiveWindow(), form().hWnd());
    form().dropFiles({folder.write("plain.txt", "no body here")});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, kInvalid);
    EXPECT_EQ(shown[0].owner, form().hWnd());
}

TEST_F(FilesTest, NewAsksBeforeDiscarding) {
    std::string path = folder.write("page.html", fixture("html/lower_unquoted.html"));
    form().dropFiles({path});
    answer = IDCANCEL;
    dispatch("new");
    EXPECT_EQ(form().FileName, path);
    answer = IDOK;
    dispatch("new");
    EXPECT_TRUE(form().FileName.empty());
    EXPECT_EQ(form().Preview.Tag, "#FFFFFF");
    EXPECT_EQ(shown.size(), 2u);
}

} // namespace
