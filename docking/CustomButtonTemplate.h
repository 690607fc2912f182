#pragma once
// CustomButtonTemplate: what a cool tool bar needs of a control it places on itself in the room of a
// separator (a custom button): the control's window, making it, serving it on another bar, letting
// it go, telling it of customisation mode, and keeping its own settings in the profile.
// CustomButtonDescriptor: one custom button as a bar and the process-wide registry keep it.

#include "platform/win/windows.h"

class CArchive;
class CWnd;
class CDKCoolToolBar;

class CustomButtonTemplate {
public:
    virtual ~CustomButtonTemplate() = default;

    // The control, or nullptr while it has none.
    virtual CWnd* GetWindow() = 0;
    // Makes the control, with dialog id nID, as a child of pBar.
    virtual BOOL Create(UINT nID, CDKCoolToolBar* pBar, DWORD dwStyle, DWORD dwExStyle, LPCSTR lpszClass,
                        LPCSTR lpszName) = 0;
    // The object that serves the control on pBar (the control exists already); nullptr on failure.
    virtual CustomButtonTemplate* Attach(CDKCoolToolBar* pBar) = 0;
    // The button that holds the control is leaving its bar.
    virtual void Detach() = 0;
    // Customisation mode: on with an owner, off with nullptr.
    virtual void SetMode(CWnd* pOwner) = 0;
    virtual void Save(CArchive& ar) = 0;
    virtual void Load(CArchive& ar) = 0;
};

struct CustomButtonDescriptor {
    // Where the control is shown: docked at the left or right, at the top or bottom, floating.
    enum { showSideDocked = 1, showTopBottomDocked = 2, showFloating = 4, showAlways = 7 };

    CustomButtonTemplate* pTemplate = nullptr;
    int nControlID = 0;
    int nWidth = -1;  // of the separator that holds the control
    int nHeight = -1; // of the control; 0 or less: the button's height
    int nShowFlags = showAlways;
    int nImage = -1; // of the plain button shown while the control is hidden
};
