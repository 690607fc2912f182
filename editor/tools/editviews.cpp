// editviews [FILE]: a small MDI program over the edit views, for trying them by hand. .js files
// open in the JavaScript view, .vbs files in the VBScript view, anything else in the plain view.
// Settings are kept in the profile of "Edit Views".

#include "editor/CHHEditView.h"
#include "platform/framework/CArchive.h"
#include "platform/framework/CCommandLineInfo.h"
#include "platform/framework/CDocTemplate.h"
#include "platform/framework/CDocument.h"
#include "platform/framework/CMDIChildWnd.h"
#include "platform/framework/CMDIFrameWnd.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/afxres.h"
#include "platform/win/res/resources.h"

namespace {

const UINT IDR_MAINFRAME = 128;
const UINT IDR_JSCRIPT = 129;
const UINT IDR_VBSCRIPT = 130;
const UINT IDR_TEXT = 131;

// The document hands its file to its edit view.
class CScriptDoc : public CDocument {
    DECLARE_DYNCREATE(CScriptDoc)
public:
    void Serialize(CArchive& ar) override {
        POSITION pos = GetFirstViewPosition();
        if (CView* view = pos ? GetNextView(pos) : nullptr) view->Serialize(ar);
    }
};
IMPLEMENT_DYNCREATE(CScriptDoc, CDocument)

void declareResources() {
    using pm::res::MenuItem;
    const MenuItem file{"&File",
                        0,
                        MF_POPUP,
                        {{"&New", ID_FILE_NEW, 0, {}},
                         {"&Open...", ID_FILE_OPEN, 0, {}},
                         {"&Save", ID_FILE_SAVE, 0, {}},
                         {"Save &As...", ID_FILE_SAVE_AS, 0, {}},
                         {"", 0, MF_SEPARATOR, {}},
                         {"&Print...", ID_FILE_PRINT, 0, {}},
                         {"Print Pre&view", ID_FILE_PRINT_PREVIEW, 0, {}},
                         {"Page Set&up...", ID_FILE_PAGE_SETUP, 0, {}},
                         {"", 0, MF_SEPARATOR, {}},
                         {"E&xit", ID_APP_EXIT, 0, {}}}};
    const MenuItem edit{"&Edit",
                        0,
                        MF_POPUP,
                        {{"&Undo", ID_EDIT_UNDO, 0, {}},
                         {"&Redo", ID_EDIT_REDO, 0, {}},
                         {"", 0, MF_SEPARATOR, {}},
                         {"Cu&t", ID_EDIT_CUT, 0, {}},
                         {"&Copy", ID_EDIT_COPY, 0, {}},
                         {"&Paste", ID_EDIT_PASTE, 0, {}},
                         {"", 0, MF_SEPARATOR, {}},
                         {"&Find...", ID_EDIT_FIND, 0, {}},
                         {"Find &Next", ID_EDIT_REPEAT, 0, {}},
                         {"R&eplace...", ID_EDIT_REPLACE, 0, {}},
                         {"", 0, MF_SEPARATOR, {}},
                         {"&Options...", ID_HHEDIT_OPTIONS, 0, {}}}};
    const MenuItem window{"&Window",
                          0,
                          MF_POPUP,
                          {{"&Cascade", ID_WINDOW_CASCADE, 0, {}}, {"&Tile", ID_WINDOW_TILE_HORZ, 0, {}}}};
    pm::res::addMenu(IDR_MAINFRAME, {{file, window}});
    for (UINT id : {IDR_JSCRIPT, IDR_VBSCRIPT, IDR_TEXT})
        pm::res::addMenu(id, {{file, edit, window}});
    pm::res::addStrings({
        {IDR_MAINFRAME, "Edit Views"},
        {IDR_JSCRIPT, "\nScript\nJavaScript\nJavaScript Files (*.js)\n.js\nEditViews.JScript\nJavaScript"},
        {IDR_VBSCRIPT, "\nScript\nVBScript\nVBScript Files (*.vbs)\n.vbs\nEditViews.VBScript\nVBScript"},
        {IDR_TEXT, "\nText\nText\nAll Files (*.*)\n\nEditViews.Text\nText"},
    });
}

class CEditViewsApp : public CWinApp {
public:
    CEditViewsApp() : CWinApp("Edit Views") {}
    BOOL InitInstance() override {
        declareResources();
        SetRegistryKey("Edit Views");
        LoadStdProfileSettings();
        AddDocTemplate(new CMultiDocTemplate(IDR_JSCRIPT, RUNTIME_CLASS(CScriptDoc),
                                             RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CHHJScriptEditView)));
        AddDocTemplate(new CMultiDocTemplate(IDR_VBSCRIPT, RUNTIME_CLASS(CScriptDoc),
                                             RUNTIME_CLASS(CMDIChildWnd),
                                             RUNTIME_CLASS(CHHVBScriptEditView)));
        AddDocTemplate(new CMultiDocTemplate(IDR_TEXT, RUNTIME_CLASS(CScriptDoc), RUNTIME_CLASS(CMDIChildWnd),
                                             RUNTIME_CLASS(CHHEditView)));
        auto* main = new CMDIFrameWnd;
        if (!main->LoadFrame(IDR_MAINFRAME)) return FALSE;
        m_pMainWnd = main;
        main->ShowWindow(SW_SHOW);
        CCommandLineInfo command;
        ParseCommandLine(command);
        if (command.m_nShellCommand == CCommandLineInfo::FileNew)
            command.m_nShellCommand = CCommandLineInfo::FileNothing;
        if (!ProcessShellCommand(command)) return FALSE;
        main->UpdateWindow();
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CEditViewsApp, CWinApp)
    ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
END_MESSAGE_MAP()

CEditViewsApp theApp;

} // namespace

int main(int argc, char** argv) {
    return AfxWinMain(argc, argv);
}
