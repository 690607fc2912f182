#pragma once
// CDKCoolToolBar: a flat tool bar with button texts from several sources, drop-down arrows, a
// gripper drawn in its non-client area, an optional icon at its start, its own text colours for
// normal and hot buttons, and its appearance kept in the application profile.

#include "docking/CDKDropSourceHelper.h"
#include "docking/CDKDropTargetHelper.h"
#include "docking/CustomButtonTemplate.h"
#include "platform/framework/CToolBar.h"

#include <map>
#include <vector>

// Customisation: the context menu's commands, and the notifications the owner gets first.
#define TBN_COOLCOMMAND 32919
#define ID_COOLBAR_DELETE 32989
#define ID_COOLBAR_APPEARANCE 32990
#define ID_COOLBAR_IMAGEONLY 32991
#define ID_COOLBAR_IMAGEANDTEXT 32992
#define ID_COOLBAR_SEPARATORBEFORE 32993
#define ID_COOLBAR_SEPARATORAFTER 32994
#define ID_COOLBAR_CUSTOMIZEDBUTTON 32968
#define ID_MENUBAR_DROPDOWN 32978

struct CoolCommandNotify {
    NMHDR hdr;
    int nCommand;
    void* pData;
};

// Custom draw offered to the frame before the bar does its own (wParam: the control id).
#define TBN_COOLCUSTOMDRAW 32918

struct CoolCustomDrawNotify {
    NMHDR hdr;
    LPNMCUSTOMDRAW pCustomDraw;
    LRESULT lResult;
    BOOL bDoDefault;
};

namespace docking {
struct StoredButton;
}

class CDKCoolToolBar : public CToolBar {
    DECLARE_DYNAMIC(CDKCoolToolBar)
public:
    // Sources of the button texts (SetTextType).
    enum TextType {
        textBeforeNewline = 0,
        textAfterNewline = 1,
        textFromMenu = 2,
        textByHand = 3,
        textNone = 4
    };

    CDKCoolToolBar();
    ~CDKCoolToolBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = AFX_IDW_TOOLBAR);
    using CToolBar::Create;

    // ---- Appearance ----
    void SetDropDownArrow(BOOL bOn);
    BOOL GetDropDownArrow() const;
    // Sets the texts of the buttons whose ids lie in [nFirst, nLast] from the source nType.
    void SetTextType(UINT nFirst, UINT nLast, int nType);
    int GetTextType() const { return m_nTextType; }
    void SetIndent(int nIndent);
    void SetButtonWidths(int nMin, int nMax);
    void SetIcon(HICON hIcon) { m_hIcon = hIcon; }
    HICON GetIcon() const { return m_hIcon; }
    // Relays the frame out (recalc) and redraws the bar; bFrameChanged recomputes its borders.
    void UpdateSizes(BOOL bRecalc, BOOL bFrameChanged);
    void RedrawButton(int nIndex);
    // The width a drop-down arrow adds to a button.
    static int GetArrowWidth();

    // ---- Customisation ----
    // The commands the Customize dialog offers; customisation needs them.
    void SetCustomizeTable(const UINT* pIDs, int nCount) { m_customizeTable.assign(pIDs, pIDs + nCount); }
    void SetCustomizable(BOOL bCustomizable, BOOL bAdvanced);
    // An owner turns the mode on, null turns it off; notifications go to hWndNotify (else the parent).
    void SetCustomizationMode(CWnd* pOwner, HWND hWndNotify);
    BOOL InCustomizationMode() const { return m_pCustomizationOwner && IsCustomizable(TRUE); }
    int SetCustomizedButton(int nIndex);
    int GetCustomizedButton() const { return m_nCustomizedButton; }
    LRESULT NotifyOwner(int nCommand, void* pData = nullptr);
    virtual BOOL ShowButtonContextMenu(int nIndex, int x, int y);
    CString GetRememberedText(UINT nID) const;

    // ---- Custom buttons ----
    // The process-wide templates, by control id; a template's index is its place among them.
    static int RegisterCustomButtonTemplate(const CustomButtonDescriptor& descriptor);
    static void UnregisterCustomButtonTemplate(int nControlID);
    static int FindTemplateIndex(int nControlID);
    // Puts the control of template nTemplate on the bar in a separator at nIndex.
    BOOL InsertCustomButton(int nIndex, int nTemplate, DWORD dwStyle, DWORD dwExStyle, LPCSTR lpszClass,
                            LPCSTR lpszName);
    // The control of template nTemplate for this bar: made, or taken over from the bar it is on.
    BOOL CreateCustomButton(int nTemplate, CustomButtonDescriptor& descriptor, DWORD dwStyle, DWORD dwExStyle,
                            LPCSTR lpszClass, LPCSTR lpszName);
    // Shows the control at nIndex where the bar now is, or the plain button in its place; FALSE
    // when nIndex holds no custom button.
    BOOL UpdateCustomButton(int nIndex);
    // Every custom button from nFirst to nLast (-1: the last button).
    void UpdateCustomButtons(int nFirst, int nLast);
    int FindCustomButton(int nControlID) const;
    BOOL HasCustomButton(int nControlID) const { return FindCustomButton(nControlID) != -1; }
    const CustomButtonDescriptor* GetCustomButton(int nIndex) const;
    // The templates' settings as the profile keeps them for all bars: their count, then per
    // template its control id, width, height, show flags and image, and its own data. Loading
    // stops at damaged data or at a template that is not registered (FALSE).
    static void SaveTemplateSettings(CArchive& ar);
    static BOOL LoadTemplateSettings(CArchive& ar);

    // ---- Drag and drop ----
    virtual CDKDropSourceHelper* GetDropSource();
    virtual CDKDropTargetHelper* GetDropTarget() { return &m_dropTarget; }
    // The drop target's messages; nothing can be dropped on a bar.
    virtual BOOL OnDragEnter(DKDROPTARGETPARAMS* pParams);
    virtual BOOL OnDragOver(DKDROPTARGETPARAMS* pParams);
    virtual BOOL OnDragLeave();
    virtual BOOL OnDrop(DKDROPTARGETPARAMS* pParams);
    BOOL IsDragInside() const { return m_bDragInside; }

    // ---- Profile ----
    virtual BOOL IsCustomizable(BOOL bAdvanced) const;
    virtual BOOL SaveBarState(LPCSTR lpszSection, LPCSTR lpszName, BOOL bProperties);
    virtual BOOL LoadBarState(LPCSTR lpszSection, LPCSTR lpszName, BOOL bProperties);

    // ---- Layout ----
    CSize CalcSize(TBBUTTON* pData, int nCount) override;
    CSize CalcLayout(DWORD nMode, int nLength = -1) override;
    void CalcInsideRect(CRect& rect, BOOL bHorz) const override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    // ---- Drawing ----
    virtual void DrawGripper(CDC* pDC, CRect& rect);
    virtual void DrawIcon(CDC* pDC, CRect& rect);
    // The hatched frame round the button chosen in customisation mode.
    virtual void DrawCustomizedButton(CDC* pDC, const CRect& rect);
    // Extra non-client margins (derived bars put their own buttons there); none here.
    virtual void CalcExtraExtent(RECT& margins, int nHorz) const;
    virtual void CalcExtraOffset(CDC* pDC, CRect& rect);
    virtual void OnFloatingStateChanged(BOOL bFloating);
    virtual void OnDockSideChanged(DWORD dwSide);
    virtual BOOL DeleteButton(int nIndex);

    // Settings kept in the profile.
    int m_nTextType = textByHand;
    BOOL m_bCool = FALSE;
    BOOL m_bGripper = TRUE;
    BOOL m_bSeparator = TRUE;
    BOOL m_bDropDownArrow = FALSE;
    int m_nIndent = 0;
    int m_nMinButtonWidth = -1, m_nMaxButtonWidth = -1;
    COLORREF m_clrDefaultText;
    COLORREF m_clrHotText;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    int ButtonWidth(const TBBUTTON& button) const override;
    void GetLayoutButton(int nIndex, DWORD dwMode, TBBUTTON* pButton) const override;
    void CommitLayoutButton(int nIndex, TBBUTTON* pButton) override;

    virtual LRESULT OnCustomDraw(NMTBCUSTOMDRAW* pDraw);
    virtual BOOL OnButtonDropDown(NMTOOLBARA* pNotify, LRESULT* pResult);
    BOOL IsHorizontalDocked() const { return (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0; }
    BOOL IsFlat() const;
    void OnNcCalcSize(NCCALCSIZE_PARAMS* pParams);
    void OnNcPaint();
    void OnWindowPosChanged();
    static CString TextForCommand(UINT nID, int nType);
    BOOL OnCustomizeMouse(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL OnCustomizeCommand(UINT nID);
    // The common control's Customize dialog and button moves: the answers to its notifications.
    BOOL OnCustomizeNotify(NMHDR* pHdr, LRESULT* pResult);
    BOOL GetCustomizeButtonInfo(NMTOOLBARA* pInfo) const;
    void OnButtonInserted(int nIndex);
    void OnButtonDeleted(int nIndex);
    void OnButtonMoved(int nFrom, int nTo);
    void OnIdleUpdate();
    // Whether the custom button's control shows in a state of its show flags.
    BOOL IsCustomButtonShown(const CustomButtonDescriptor& descriptor, int nState) const;
    // Moves the custom buttons at nFrom and after by nBy places.
    void ShiftCustomButtons(int nFrom, int nBy);
    static TBBUTTON SeparatorButton();
    // A separator that holds no control.
    BOOL IsPlainSeparator(int nIndex) const;
    TBBUTTON Button(int nIndex) const;
    // The profile: the integers in "<S>_<N>", and a customisable bar's buttons in <S>.
    void SaveProperties(LPCSTR lpszSection, LPCSTR lpszName);
    BOOL LoadProperties(LPCSTR lpszSection, LPCSTR lpszName);
    void SaveButtons(HKEY hKey, LPCSTR lpszSection, LPCSTR lpszName);
    void LoadButtons(HKEY hKey, LPCSTR lpszSection, LPCSTR lpszName);
    void ApplyStoredButtons(const std::vector<docking::StoredButton>& buttons);
    // Takes out separators that hold a control id but no custom button.
    void RemoveControlSeparators();
    // Puts custom buttons at the stored places: a control taken off goes back, others are made.
    void RestoreCustomButtons(const std::vector<std::pair<int, int>>& positions,
                              const std::map<int, CustomButtonDescriptor>& setAside);
    // The registry's descriptor of a control id (the defaults when it has none).
    static CustomButtonDescriptor TemplateDescriptor(int nControlID);

    int m_nLastFloating = 3;
    DWORD m_dwLastDockSide = 0xFFFFFFFF;
    HICON m_hIcon = nullptr;
    CRect m_rcIcon;
    BOOL m_bInternalChange = FALSE;
    BOOL m_bInLayout = FALSE;
    std::map<UINT, CString> m_rememberedTexts;
    BOOL m_bCustomizable = FALSE;
    CWnd* m_pCustomizationOwner = nullptr;
    HWND m_hWndNotify = nullptr;
    int m_nCustomizedButton = -1;
    int m_nDraggedButton = -1;
    std::vector<UINT> m_customizeTable;
    std::map<int, CustomButtonDescriptor> m_customButtons; // by button index
    CDKDropSourceHelper m_dropSource;
    CDKDropTargetHelper m_dropTarget;
    BOOL m_bDragInside = FALSE;
    // Work left for the next idle update.
    enum { pendingSizes = 1, pendingCustomButtons = 2 };
    UINT m_nPendingIdle = 0;
};
