#pragma once
// The common dialogs' wrappers: file open and save, colour, font, print, page setup, and the
// modeless find and replace dialog with its registered message.

#include "platform/framework/CDialog.h"

#include <vector>

class CDC;

// A common dialog run by a platform function rather than from a template.
class CCommonDialog : public CDialog {
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd) : CDialog(static_cast<LPCSTR>(nullptr), pParentWnd) {}

    // The platform's dialog ends itself: OK and Cancel go on to its own handling.
    void OnOK() override;
    void OnCancel() override;

protected:
    HWND OwnerWindow() { return PreModal(); }
};

class CFileDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFileDialog)
public:
    // lpszFilter: "Text files (*.txt)|*.txt|All files (*.*)|*.*||".
    explicit CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr, LPCSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr);

    INT_PTR DoModal() override;
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;

    OPENFILENAME m_ofn{};
    BOOL m_bOpenFileDialog;

protected:
    std::vector<char> m_filter;
    std::vector<char> m_fileBuffer;
    CString m_strDefExt;
    CString m_strTitle;
};

class CColorDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CColorDialog)
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);
    INT_PTR DoModal() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }
    void SetCurrentColor(COLORREF clr) { m_cc.rgbResult = clr; }
    static COLORREF* GetSavedCustomColors();

    CHOOSECOLOR m_cc{};
};

class CFontDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFontDialog)
public:
    explicit CFontDialog(LPLOGFONT lplfInitial = nullptr, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
                         CDC* pdcPrinter = nullptr, CWnd* pParentWnd = nullptr);
    INT_PTR DoModal() override;
    void GetCurrentFont(LPLOGFONT lplf) { *lplf = m_lf; }
    CString GetFaceName() const { return CString(m_lf.lfFaceName); }
    int GetSize() const { return m_cf.iPointSize; }
    COLORREF GetColor() const { return m_cf.rgbColors; }
    int GetWeight() const { return m_lf.lfWeight; }
    BOOL IsBold() const { return m_lf.lfWeight >= FW_SEMIBOLD; }
    BOOL IsItalic() const { return m_lf.lfItalic; }
    BOOL IsUnderline() const { return m_lf.lfUnderline; }
    BOOL IsStrikeOut() const { return m_lf.lfStrikeOut; }

    CHOOSEFONT m_cf{};
    LOGFONT m_lf{};
};

class CPrintDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CPrintDialog)
public:
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS |
                                          PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                          CWnd* pParentWnd = nullptr);
    INT_PTR DoModal() override;
    // The application's printer without asking.
    BOOL GetDefaults();
    HDC CreatePrinterDC();
    HDC GetPrinterDC() const { return m_pd.hDC; }
    int GetCopies() const { return m_pd.nCopies; }
    int GetFromPage() const { return m_pd.nFromPage; }
    int GetToPage() const { return m_pd.nToPage; }
    BOOL PrintAll() const { return !PrintRange() && !PrintSelection(); }
    BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
    BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
    CString GetDeviceName() const;
    // The file the printer writes to, where the print dialog chose one.
    CString GetPortName() const;

    PRINTDLG m_pd{};

private:
    CString DevNamesText(WORD DEVNAMES::*offset) const;
};

class CPageSetupDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CPageSetupDialog)
public:
    explicit CPageSetupDialog(DWORD dwFlags = PSD_MARGINS | PSD_INWININIINTLMEASURE,
                              CWnd* pParentWnd = nullptr);
    INT_PTR DoModal() override;
    CSize GetPaperSize() const { return CSize(m_psd.ptPaperSize.x, m_psd.ptPaperSize.y); }
    void GetMargins(LPRECT lpRectMargins, LPRECT lpRectMinMargins) const;

    PAGESETUPDLG m_psd{};
};

// The modeless find (or replace) dialog. Create it with new: it deletes itself when it closes. Its
// owner receives the registered message (FINDMSGSTRING) and reads it with GetNotifier(lParam).
class CFindReplaceDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFindReplaceDialog)
public:
    CFindReplaceDialog();

    BOOL Create(BOOL bFindDialogOnly, LPCSTR lpszFindWhat, LPCSTR lpszReplaceWith = nullptr,
                DWORD dwFlags = FR_DOWN, CWnd* pParentWnd = nullptr);
    static CFindReplaceDialog* GetNotifier(LPARAM lParam);
    // The number of the registered message.
    static UINT GetFindReplaceMsg();

    CString GetFindString() const { return CString(m_fr.lpstrFindWhat); }
    CString GetReplaceString() const { return CString(m_fr.lpstrReplaceWith); }
    BOOL SearchDown() const { return (m_fr.Flags & FR_DOWN) != 0; }
    BOOL FindNext() const { return (m_fr.Flags & FR_FINDNEXT) != 0; }
    BOOL MatchCase() const { return (m_fr.Flags & FR_MATCHCASE) != 0; }
    BOOL MatchWholeWord() const { return (m_fr.Flags & FR_WHOLEWORD) != 0; }
    BOOL ReplaceCurrent() const { return (m_fr.Flags & FR_REPLACE) != 0; }
    BOOL ReplaceAll() const { return (m_fr.Flags & FR_REPLACEALL) != 0; }
    BOOL IsTerminating() const { return (m_fr.Flags & FR_DIALOGTERM) != 0; }

    FINDREPLACE m_fr{};

protected:
    void PostNcDestroy() override;

    char m_szFindWhat[128] = {};
    char m_szReplaceWith[128] = {};
};
