#pragma once
// The common dialogs behind their Win32 entry points: open and save file, folder, colour, font,
// print, page setup (the desktop's own dialogs), and Find and Replace (modeless dialogs of ours
// that report through the registered message FINDMSGSTRING). In tests a hook answers each.

#include "platform/win/wingdi.h"
#include "platform/win/winuser.h"

#include <functional>
#include <string>
#include <vector>

typedef UINT_PTR(CALLBACK* LPCDHOOKPROC)(HWND, UINT, WPARAM, LPARAM);
typedef LPCDHOOKPROC LPOFNHOOKPROC;
typedef LPCDHOOKPROC LPCCHOOKPROC;
typedef LPCDHOOKPROC LPCFHOOKPROC;
typedef LPCDHOOKPROC LPFRHOOKPROC;
typedef LPCDHOOKPROC LPPRINTHOOKPROC;
typedef LPCDHOOKPROC LPSETUPHOOKPROC;
typedef LPCDHOOKPROC LPPAGESETUPHOOK;
typedef LPCDHOOKPROC LPPAGEPAINTHOOK;

// ---- Open and save ----

#define OFN_READONLY 0x00000001
#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004
#define OFN_NOCHANGEDIR 0x00000008
#define OFN_SHOWHELP 0x00000010
#define OFN_ENABLEHOOK 0x00000020
#define OFN_ENABLETEMPLATE 0x00000040
#define OFN_ENABLETEMPLATEHANDLE 0x00000080
#define OFN_NOVALIDATE 0x00000100
#define OFN_ALLOWMULTISELECT 0x00000200
#define OFN_EXTENSIONDIFFERENT 0x00000400
#define OFN_PATHMUSTEXIST 0x00000800
#define OFN_FILEMUSTEXIST 0x00001000
#define OFN_CREATEPROMPT 0x00002000
#define OFN_SHAREAWARE 0x00004000
#define OFN_NOREADONLYRETURN 0x00008000
#define OFN_NOTESTFILECREATE 0x00010000
#define OFN_NONETWORKBUTTON 0x00020000
#define OFN_NOLONGNAMES 0x00040000
#define OFN_EXPLORER 0x00080000
#define OFN_NODEREFERENCELINKS 0x00100000
#define OFN_LONGNAMES 0x00200000
#define OFN_ENABLESIZING 0x00800000

struct OPENFILENAMEA {
    DWORD lStructSize;
    HWND hwndOwner;
    HINSTANCE hInstance;
    LPCSTR lpstrFilter;
    LPSTR lpstrCustomFilter;
    DWORD nMaxCustFilter;
    DWORD nFilterIndex;
    LPSTR lpstrFile;
    DWORD nMaxFile;
    LPSTR lpstrFileTitle;
    DWORD nMaxFileTitle;
    LPCSTR lpstrInitialDir;
    LPCSTR lpstrTitle;
    DWORD Flags;
    WORD nFileOffset;
    WORD nFileExtension;
    LPCSTR lpstrDefExt;
    LPARAM lCustData;
    LPOFNHOOKPROC lpfnHook;
    LPCSTR lpTemplateName;
    void* pvReserved;
    DWORD dwReserved;
    DWORD FlagsEx;
};
typedef OPENFILENAMEA OPENFILENAME;
typedef OPENFILENAMEA* LPOPENFILENAMEA;
typedef OPENFILENAMEA* LPOPENFILENAME;

// Shows the open (or save) dialog. The chosen path goes to lpstrFile; with OFN_ALLOWMULTISELECT
// several files come as the folder, then each name, each ending in NUL, with an extra NUL at the
// end. Unless OFN_NOCHANGEDIR the current directory becomes the chosen file's folder.
BOOL GetOpenFileNameA(LPOPENFILENAMEA ofn);
BOOL GetSaveFileNameA(LPOPENFILENAMEA ofn);

// ---- Colour ----

#define CC_RGBINIT 0x00000001
#define CC_FULLOPEN 0x00000002
#define CC_PREVENTFULLOPEN 0x00000004
#define CC_SHOWHELP 0x00000008
#define CC_ENABLEHOOK 0x00000010
#define CC_ENABLETEMPLATE 0x00000020
#define CC_ENABLETEMPLATEHANDLE 0x00000040
#define CC_SOLIDCOLOR 0x00000080
#define CC_ANYCOLOR 0x00000100

struct CHOOSECOLORA {
    DWORD lStructSize;
    HWND hwndOwner;
    HWND hInstance;
    COLORREF rgbResult;
    COLORREF* lpCustColors; // 16 entries, read and written back
    DWORD Flags;
    LPARAM lCustData;
    LPCCHOOKPROC lpfnHook;
    LPCSTR lpTemplateName;
};
typedef CHOOSECOLORA CHOOSECOLOR;
typedef CHOOSECOLORA* LPCHOOSECOLORA;
typedef CHOOSECOLORA* LPCHOOSECOLOR;
BOOL ChooseColorA(LPCHOOSECOLORA cc);

// ---- Font ----

#define CF_SCREENFONTS 0x00000001
#define CF_PRINTERFONTS 0x00000002
#define CF_BOTH (CF_SCREENFONTS | CF_PRINTERFONTS)
#define CF_SHOWHELP 0x00000004
#define CF_ENABLEHOOK 0x00000008
#define CF_ENABLETEMPLATE 0x00000010
#define CF_ENABLETEMPLATEHANDLE 0x00000020
#define CF_INITTOLOGFONTSTRUCT 0x00000040
#define CF_USESTYLE 0x00000080
#define CF_EFFECTS 0x00000100
#define CF_APPLY 0x00000200
#define CF_ANSIONLY 0x00000400
#define CF_SCRIPTSONLY CF_ANSIONLY
#define CF_NOVECTORFONTS 0x00000800
#define CF_NOOEMFONTS CF_NOVECTORFONTS
#define CF_NOSIMULATIONS 0x00001000
#define CF_LIMITSIZE 0x00002000
#define CF_FIXEDPITCHONLY 0x00004000
#define CF_WYSIWYG 0x00008000
#define CF_FORCEFONTEXIST 0x00010000
#define CF_SCALABLEONLY 0x00020000
#define CF_TTONLY 0x00040000
#define CF_NOFACESEL 0x00080000
#define CF_NOSTYLESEL 0x00100000
#define CF_NOSIZESEL 0x00200000
#define CF_SELECTSCRIPT 0x00400000
#define CF_NOSCRIPTSEL 0x00800000
#define CF_NOVERTFONTS 0x01000000

#define BOLD_FONTTYPE 0x0100
#define ITALIC_FONTTYPE 0x0200
#define REGULAR_FONTTYPE 0x0400
#define SCREEN_FONTTYPE 0x2000
#define PRINTER_FONTTYPE 0x4000
#define SIMULATED_FONTTYPE 0x8000

struct CHOOSEFONTA {
    DWORD lStructSize;
    HWND hwndOwner;
    HDC hDC;
    LPLOGFONTA lpLogFont;
    INT iPointSize; // tenths of a point
    DWORD Flags;
    COLORREF rgbColors;
    LPARAM lCustData;
    LPCFHOOKPROC lpfnHook;
    LPCSTR lpTemplateName;
    HINSTANCE hInstance;
    LPSTR lpszStyle;
    WORD nFontType;
    WORD ___MISSING_ALIGNMENT__;
    INT nSizeMin;
    INT nSizeMax;
};
typedef CHOOSEFONTA CHOOSEFONT;
typedef CHOOSEFONTA* LPCHOOSEFONTA;
typedef CHOOSEFONTA* LPCHOOSEFONT;
BOOL ChooseFontA(LPCHOOSEFONTA cf);

// ---- Print and page setup ----

#define PD_ALLPAGES 0x00000000
#define PD_SELECTION 0x00000001
#define PD_PAGENUMS 0x00000002
#define PD_NOSELECTION 0x00000004
#define PD_NOPAGENUMS 0x00000008
#define PD_COLLATE 0x00000010
#define PD_PRINTTOFILE 0x00000020
#define PD_PRINTSETUP 0x00000040
#define PD_NOWARNING 0x00000080
#define PD_RETURNDC 0x00000100
#define PD_RETURNIC 0x00000200
#define PD_RETURNDEFAULT 0x00000400
#define PD_SHOWHELP 0x00000800
#define PD_ENABLEPRINTHOOK 0x00001000
#define PD_ENABLESETUPHOOK 0x00002000
#define PD_ENABLEPRINTTEMPLATE 0x00004000
#define PD_ENABLESETUPTEMPLATE 0x00008000
#define PD_ENABLEPRINTTEMPLATEHANDLE 0x00010000
#define PD_ENABLESETUPTEMPLATEHANDLE 0x00020000
#define PD_USEDEVMODECOPIES 0x00040000
#define PD_USEDEVMODECOPIESANDCOLLATE 0x00040000
#define PD_DISABLEPRINTTOFILE 0x00080000
#define PD_HIDEPRINTTOFILE 0x00100000
#define PD_NONETWORKBUTTON 0x00200000

// A printer's names in one movable block: offsets (in characters) of NUL-ended texts after it.
struct DEVNAMES {
    WORD wDriverOffset;
    WORD wDeviceOffset;
    WORD wOutputOffset;
    WORD wDefault;
};
typedef DEVNAMES* LPDEVNAMES;
#define DN_DEFAULTPRN 0x0001

struct PRINTDLGA {
    DWORD lStructSize;
    HWND hwndOwner;
    HGLOBAL hDevMode;
    HGLOBAL hDevNames; // DEVNAMES, GlobalFree'd by the caller
    HDC hDC;           // with PD_RETURNDC
    DWORD Flags;
    WORD nFromPage;
    WORD nToPage;
    WORD nMinPage;
    WORD nMaxPage;
    WORD nCopies;
    HINSTANCE hInstance;
    LPARAM lCustData;
    LPPRINTHOOKPROC lpfnPrintHook;
    LPSETUPHOOKPROC lpfnSetupHook;
    LPCSTR lpPrintTemplateName;
    LPCSTR lpSetupTemplateName;
    HGLOBAL hPrintTemplate;
    HGLOBAL hSetupTemplate;
};
typedef PRINTDLGA PRINTDLG;
typedef PRINTDLGA* LPPRINTDLGA;
typedef PRINTDLGA* LPPRINTDLG;
BOOL PrintDlgA(LPPRINTDLGA pd);

#define PSD_DEFAULTMINMARGINS 0x00000000
#define PSD_INWININIINTLMEASURE 0x00000000
#define PSD_MINMARGINS 0x00000001
#define PSD_MARGINS 0x00000002
#define PSD_INTHOUSANDTHSOFINCHES 0x00000004
#define PSD_INHUNDREDTHSOFMILLIMETERS 0x00000008
#define PSD_DISABLEMARGINS 0x00000010
#define PSD_DISABLEPRINTER 0x00000020
#define PSD_NOWARNING 0x00000080
#define PSD_DISABLEORIENTATION 0x00000100
#define PSD_DISABLEPAPER 0x00000200
#define PSD_RETURNDEFAULT 0x00000400
#define PSD_SHOWHELP 0x00000800
#define PSD_ENABLEPAGESETUPHOOK 0x00002000
#define PSD_ENABLEPAGESETUPTEMPLATE 0x00008000
#define PSD_ENABLEPAGESETUPTEMPLATEHANDLE 0x00020000
#define PSD_ENABLEPAGEPAINTHOOK 0x00040000
#define PSD_DISABLEPAGEPAINTING 0x00080000
#define PSD_NONETWORKBUTTON 0x00200000

struct PAGESETUPDLGA {
    DWORD lStructSize;
    HWND hwndOwner;
    HGLOBAL hDevMode;
    HGLOBAL hDevNames;
    DWORD Flags;
    POINT ptPaperSize;
    RECT rtMinMargin;
    RECT rtMargin; // in the units of PSD_INTHOUSANDTHSOFINCHES or PSD_INHUNDREDTHSOFMILLIMETERS
    HINSTANCE hInstance;
    LPARAM lCustData;
    LPPAGESETUPHOOK lpfnPageSetupHook;
    LPPAGEPAINTHOOK lpfnPagePaintHook;
    LPCSTR lpPageSetupTemplateName;
    HGLOBAL hPageSetupTemplate;
};
typedef PAGESETUPDLGA PAGESETUPDLG;
typedef PAGESETUPDLGA* LPPAGESETUPDLGA;
typedef PAGESETUPDLGA* LPPAGESETUPDLG;
BOOL PageSetupDlgA(LPPAGESETUPDLGA psd);

// ---- Find and replace ----

#define FINDMSGSTRINGA "commdlg_FindReplace"
#define FINDMSGSTRING FINDMSGSTRINGA

#define FR_DOWN 0x00000001
#define FR_WHOLEWORD 0x00000002
#define FR_MATCHCASE 0x00000004
#define FR_FINDNEXT 0x00000008
#define FR_REPLACE 0x00000010
#define FR_REPLACEALL 0x00000020
#define FR_DIALOGTERM 0x00000040
#define FR_SHOWHELP 0x00000080
#define FR_ENABLEHOOK 0x00000100
#define FR_ENABLETEMPLATE 0x00000200
#define FR_NOUPDOWN 0x00000400
#define FR_NOMATCHCASE 0x00000800
#define FR_NOWHOLEWORD 0x00001000
#define FR_ENABLETEMPLATEHANDLE 0x00002000
#define FR_HIDEUPDOWN 0x00004000
#define FR_HIDEMATCHCASE 0x00008000
#define FR_HIDEWHOLEWORD 0x00010000

struct FINDREPLACEA {
    DWORD lStructSize;
    HWND hwndOwner;
    HINSTANCE hInstance;
    DWORD Flags;
    LPSTR lpstrFindWhat;
    LPSTR lpstrReplaceWith;
    WORD wFindWhatLen;
    WORD wReplaceWithLen;
    LPARAM lCustData;
    LPFRHOOKPROC lpfnHook;
    LPCSTR lpTemplateName;
};
typedef FINDREPLACEA FINDREPLACE;
typedef FINDREPLACEA* LPFINDREPLACEA;
typedef FINDREPLACEA* LPFINDREPLACE;

// Modeless: the dialog stays up and sends FINDMSGSTRING messages (lParam: the FINDREPLACE, which
// must outlive it) for each button; FR_DIALOGTERM when it closes. The owner's loop passes messages
// through IsDialogMessage.
HWND FindTextA(LPFINDREPLACEA fr);
HWND ReplaceTextA(LPFINDREPLACEA fr);

// ---- Errors ----

#define CDERR_DIALOGFAILURE 0xFFFF
#define CDERR_GENERALCODES 0x0000
#define CDERR_STRUCTSIZE 0x0001
#define CDERR_INITIALIZATION 0x0002
#define CDERR_NOTEMPLATE 0x0003
#define CDERR_NOHINSTANCE 0x0004
#define CDERR_LOADSTRFAILURE 0x0005
#define CDERR_FINDRESFAILURE 0x0006
#define CDERR_LOADRESFAILURE 0x0007
#define CDERR_LOCKRESFAILURE 0x0008
#define CDERR_MEMALLOCFAILURE 0x0009
#define CDERR_MEMLOCKFAILURE 0x000A
#define CDERR_NOHOOK 0x000B
#define CDERR_REGISTERMSGFAIL 0x000C
#define PDERR_NODEFAULTPRN 0x1008
#define CFERR_NOFONTS 0x2001
#define CFERR_MAXLESSTHANMIN 0x2002
#define FNERR_SUBCLASSFAILURE 0x3001
#define FNERR_INVALIDFILENAME 0x3002
#define FNERR_BUFFERTOOSMALL 0x3003
#define FRERR_BUFFERLENGTHZERO 0x4001

// The reason the last common dialog failed; 0 when it was cancelled.
DWORD CommDlgExtendedError();

#define GetOpenFileName GetOpenFileNameA
#define GetSaveFileName GetSaveFileNameA
#define ChooseColor ChooseColorA
#define ChooseFont ChooseFontA
#define PrintDlg PrintDlgA
#define PageSetupDlg PageSetupDlgA
#define FindText FindTextA
#define ReplaceText ReplaceTextA

namespace pm {

// Shows the desktop's folder chooser; true with the chosen folder in `folder` (which also gives
// the folder it opens in).
bool chooseFolder(HWND owner, const std::string& title, std::string& folder);

// Shows the desktop's folder chooser with its accepting button labelled `acceptLabel`; true with
// the folder the chooser shows when the user accepts in `folder` (which also gives the folder it
// opens in): a sub-folder merely highlighted in it is not taken. That folder becomes the current
// directory, as a file dialog leaves it at the folder it shows.
bool chooseShownFolder(HWND owner, const std::string& title, const std::string& acceptLabel,
                       std::string& folder);

// What a user answers in one of the desktop's common dialogs. The request fields describe the
// dialog as it opens; a hook (or the real dialog) fills in the answer.
enum class CommonDialog { Open, Save, Folder, Colour, Font, Print, PageSetup };

struct CommonDialogRequest {
    CommonDialog kind = CommonDialog::Open;
    HWND owner = nullptr;
    std::string title;
    std::string folder;               // initial folder
    std::string fileName;             // initial file name
    std::string acceptLabel;          // the accepting button's text; empty: the dialog's own
    std::vector<std::string> filters; // "Description (patterns)" per filter
    int filterIndex = 0;              // zero-based
    bool multiple = false;
    bool mustExist = false;
    bool overwritePrompt = false;
    COLORREF colour = 0;
    std::vector<COLORREF> customColours;
    LOGFONTA font{};
    bool fixedPitchOnly = false;
    int minPage = 1, maxPage = 0xFFFF;
    double marginMm[4] = {0, 0, 0, 0}; // PageSetup with PSD_MARGINS: left, top, right, bottom
    bool hasMargins = false;
};

struct CommonDialogAnswer {
    bool accepted = false;
    std::vector<std::string> paths;      // Open, Save: full paths; Folder: the folder chosen
    std::string shownFolder;             // Open, Save, Folder: the folder the dialog shows at the end
    int filterIndex = 0;                 // zero-based
    COLORREF colour = 0;                 // Colour, Font
    std::vector<COLORREF> customColours; // Colour: the custom colours as the user left them
    LOGFONTA font{};                     // Font
    int pointSize10 = 0;                 // Font: tenths of a point
    std::string printer;                 // Print
    std::string outputFile;              // Print: the file the pages go to instead of a printer
    DWORD printRange = PD_ALLPAGES;      // Print: PD_ALLPAGES, PD_SELECTION or PD_PAGENUMS
    int fromPage = 0, toPage = 0, copies = 1;
    bool collate = false;
    double paperWidthMm = 0, paperHeightMm = 0; // PageSetup
    double marginMm[4] = {0, 0, 0, 0};          // PageSetup: left, top, right, bottom
};

// Answers the common dialogs without showing them (tests): the hook returns the answer.
using CommonDialogHook = std::function<CommonDialogAnswer(const CommonDialogRequest& request)>;
void setCommonDialogHook(CommonDialogHook hook);

} // namespace pm
