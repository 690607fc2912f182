#include "support/form1_fixture.h"
#include "support/temp_folder.h"

#include "colourtool/core/html_document.h"

#include "platform/win/tests/support/test_windows.h"

#include <filesystem>
#include <functional>

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
        {"colour_names.html", "#FFFFFF #FFFFFF #B25500 #000000 #FF0000"},
        {"two_spaces.html", "#FF0000 #00FF00 #0000FF #FFFF00 #00FFFF"},
        {"mixed_quotes.html", "#ABCDEF #123456 #0000FF #010203 #0A0B0C"},
        {"hidden_bodies.html", "#ABCDEF #123456 #0000EE #880088 #0000FF"},
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

TEST_F(FilesTest, OpeningAFileWithoutBodyIsRefused) {
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
    const char* files[] = {"bare.html",         "bare_attribute.html", "colour_names.html",
                           "duplicates.html",   "gt_in_value.html",    "lower_unquoted.html",
                           "mixed_quotes.html", "multiline.html",      "two_spaces.html",
                           "upper.html",        "utf8.html",           "hidden_bodies.html"};
    for (const char* file : files) {
        std::string path = folder.write(file, fixture(std::string("html/") + file));
        form().Reset(); // an untitled document's colours go into the file chosen
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
    EXPECT_TRUE(form().FileName.empty());
}

// The document's own file lost its BODY: the save is refused and the window keeps its document.
TEST_F(FilesTest, ARefusedSaveKeepsTheDocumentItWasSavedFrom) {
    const std::string page = folder.write("page.html", fixture("html/upper.html"));
    answerFiles(page);
    form().popup3b_Click(0);
    const std::string text = form().DocText;
    folder.write("page.html", fixture("html/no_body.html"));
    shown.clear();
    form().popup3b_Click(0);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, kInvalid);
    EXPECT_EQ(form().FileName, page);
    EXPECT_EQ(form().MeCaption.Caption(), "Tintara 2.5.0 - " + page);
    EXPECT_EQ(form().DocText, text);
    EXPECT_EQ(fileBytes(page), fixture("html/no_body.html"));
}

// Save As writes the page itself, with its new colours, under the new name; the dialog asks before
// it replaces a file that exists. A page whose file went away is saved from the page, too.
TEST_F(FilesTest, SaveAsWritesThePageWithItsNewColours) {
    const std::string page = folder.write("page.html", fixture("html/hidden_bodies.html"));
    const std::string original = fileBytes(page);
    answerFiles(page);
    dispatch("open");
    form().Label1_Click(1);
    setColour(0x12, 0xAB, 0x0F);
    // The BODY's colours are written out, the two it lacked added (the user agrees); nothing else changes.
    const std::string oldTag = "<body bgcolor=#abcdef text='#123456' link=\"#0000ee\">";
    std::string withNewLink = original;
    withNewLink.replace(
        withNewLink.find(oldTag), oldTag.size(),
        "<body bgcolor=#ABCDEF text='#123456' link=\"#12AB0F\" VLINK=\"#880088\" ALINK=\"#0000FF\">");
    const struct {
        std::string target;
    } cases[] = {{folder.file("copy.html")}, {folder.write("other.html", "<body>other</body>")}};
    for (const auto& c : cases) {
        answerFiles(c.target);
        dialogs.fileRequests.clear();
        form().popup3b_Click(1);
        ASSERT_EQ(dialogs.fileRequests.size(), 1u);
        EXPECT_TRUE(dialogs.fileRequests[0].second.flags & OFN_OVERWRITEPROMPT) << c.target;
        EXPECT_EQ(fileBytes(c.target), withNewLink) << c.target;
        EXPECT_EQ(form().FileName, c.target);
        EXPECT_EQ(form().MeCaption.Caption(), "Tintara 2.5.0 - " + c.target);
        EXPECT_EQ(form().DocText, withNewLink);
    }
    EXPECT_EQ(fileBytes(page), original);
    ASSERT_EQ(shown.size(), 1u) << "only the first copy lacked two colours";
    EXPECT_EQ(shown[0].text.rfind("The following options are not specified in BODY.", 0), 0u);
    std::filesystem::remove(cases[1].target);
    form().popup3b_Click(0);
    EXPECT_EQ(fileBytes(cases[1].target), withNewLink);
    // An untitled document's dialog does not ask: its colours go into the BODY of the file chosen.
    form().Reset();
    dialogs.fileRequests.clear();
    answerFiles(folder.write("target.html", fixture("html/upper.html")));
    form().popup3b_Click(1);
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_FALSE(dialogs.fileRequests[0].second.flags & OFN_OVERWRITEPROMPT);
}

TEST_F(FilesTest, AFailedSaveAsLeavesTheWindowOnItsOldFile) {
    const std::string page = folder.write("page.html", fixture("html/upper.html"));
    answerFiles(page);
    dispatch("open");
    setColour(1, 2, 3);
    for (const std::string& failing : {folder.file("no/such/folder/a.html"), folder.file("")}) {
        shown.clear();
        answerFiles(failing);
        form().popup3b_Click(1);
        ASSERT_EQ(shown.size(), 1u) << failing;
        EXPECT_EQ(form().FileName, page);
        EXPECT_EQ(form().MeCaption.Caption(), "Tintara 2.5.0 - " + page);
    }
    form().popup3b_Click(0);
    EXPECT_NE(fileBytes(page).find("TEXT=\"#010203\""), std::string::npos);
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
    EXPECT_EQ(form().FileName, path);
    EXPECT_EQ(form().Preview.Tag, "#FF0000");
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

// New, Open and a drop ask before unsaved colour changes are lost, and only then; Cancel keeps them.
TEST_F(FilesTest, UnsavedChangesAreAskedAboutAndKeptOnCancel) {
    const std::string page = folder.write("page.html", fixture("html/lower_unquoted.html"));
    answerFiles(page);
    dispatch("new");
    dispatch("open");
    EXPECT_TRUE(shown.empty()) << "nothing had changed";
    EXPECT_EQ(form().FileName, page);
    form().Label1_Click(2);
    setColour(1, 2, 3);
    const std::string edited = tags();
    answer = IDCANCEL;
    const struct {
        std::function<void()> command;
        const char* question;
    } commands[] = {
        {[&] { dispatch("new"); }, "Discard changes and create a new file?"},
        {[&] { dispatch("open"); }, "Discard changes and open another file?"},
        {[&] { form().dropFiles({folder.write("dropped.html", "<body bgcolor=red>")}); },
         "Discard changes and open another file?"},
    };
    for (const auto& c : commands) {
        shown.clear();
        dialogs.fileRequests.clear();
        c.command();
        ASSERT_EQ(shown.size(), 1u) << c.question;
        EXPECT_EQ(shown[0].text, c.question);
        EXPECT_EQ(shown[0].type, static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION));
        EXPECT_TRUE(dialogs.fileRequests.empty()) << c.question;
        EXPECT_EQ(tags(), edited) << c.question;
        EXPECT_EQ(form().FileName, page);
    }
    // Saved, the colours are no change any more; changed again, OK lets them go.
    answer = IDOK;
    form().popup3b_Click(0);
    shown.clear();
    dispatch("open");
    EXPECT_TRUE(shown.empty());
    setColour(9, 9, 9);
    dispatch("new");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(form().FileName.empty());
    EXPECT_EQ(form().Preview.Tag, "#FFFFFF");
}

// A file that cannot be opened is reported and leaves the document, its name and its unsaved
// colours as they were.
TEST_F(FilesTest, AFailedOpenKeepsTheDocumentAndItsEdits) {
    const std::string page = folder.write("page.html", fixture("html/upper.html"));
    answerFiles(page);
    dispatch("open");
    form().Label1_Click(1);
    setColour(0xFF, 0xFF, 0x77);
    const std::string edited = tags();
    const std::string text = form().DocText;
    const std::string failing[] = {
        folder.write("nobody.html", fixture("html/no_body.html")),
        folder.write("binary.html", std::string("\x7F"
                                                "ELF\x02\x01\x00\xFF\xFE<bod",
                                                13)),
        folder.write("utf16.html", std::string("\xFF\xFE<\0b\0o\0d\0y\0>\0", 14)),
        folder.file("missing.html"),
    };
    for (const std::string& path : failing) {
        shown.clear();
        answerFiles(path);
        dispatch("open");
        ASSERT_EQ(shown.size(), 2u) << path; // the question about the changes, then the refusal
        EXPECT_EQ(shown[1].text, kInvalid);
        EXPECT_EQ(tags(), edited) << path;
        EXPECT_EQ(form().FileName, page);
        EXPECT_EQ(form().MeCaption.Caption(), "Tintara 2.5.0 - " + page);
        EXPECT_EQ(form().DocText, text);
    }
    form().popup3b_Click(0);
    EXPECT_NE(fileBytes(page).find("LINK=\"#FFFF77\""), std::string::npos);
}

// Keys typed while a large page loads wait until it is in place: "5 N S" typed at once negates the
// page's own background and saves the page's other colours.
TEST_F(FilesTest, KeysTypedWhileAFileLoadsActOnTheLoadedDocument) {
    const std::string page = folder.write("page.html", fixture("html/mixed_quotes.html"));
    answerFiles(page);
    for (int vk : {'5', 'N', 'S'})
        pm::test::pressKey(form().hWnd(), vk);
    dispatch("open");
    pumpMessages();
    const tintara::OpenedHtml saved = tintara::openHtmlFile(page);
    ASSERT_TRUE(saved.found);
    EXPECT_EQ(saved.colours.found,
              (std::array<std::optional<tintara::Rgb>, 5>{
                  tintara::Rgb{0x54, 0x32, 0x10}, tintara::Rgb{0x12, 0x34, 0x56}, tintara::Rgb{0, 0, 255},
                  tintara::Rgb{1, 2, 3}, tintara::Rgb{10, 11, 12}}));
}

} // namespace
