#pragma once
// CBmpBtn: an owner-drawn button whose look and behaviour its own window text sets, in the
// configuration language of bmp_btn_config.h, so that a dialog template alone decides how it
// looks: a 3-D frame in chosen colours, an image from the resources or a file, a caption with an
// optional shadow. It acts as a push, check, radio or auto-repeat button, with an optional hover
// image, hover cursor and click sound.

#include "app/program/bmp_btn_config.h"

#include "platform/framework/afxwin.h"

class CBmpBtn : public CButton {
    DECLARE_DYNCREATE(CBmpBtn)
public:
    CBmpBtn();

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    // 'U' up, 'C' while a check or radio button is checked.
    char GetButtonState() const { return m_cState; }
    void SetButtonState(char cState);
    // The kind the configuration last gave: 'P' push, 'C' check, 'R' radio, 'S' auto-repeat,
    // 'I' image-coloured.
    char GetKind() const { return m_cKind; }

protected:
    afx_msg BOOL OnClicked();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // Reads the window text anew and takes its kind, cursor, sound and hover image.
    BmpBtnConfig configure();
    void clearRadioGroup();
    void repeatWhilePressed(const BmpBtnConfig& config);
    void notifyParent(UINT nID, UINT nCode);
    void stopHovering();

    char m_cState = 'U';
    char m_cKind = 'P';
    HCURSOR m_hCursor = nullptr;
    bool m_bCursorLoaded = false;
    CString m_strSound;
    CString m_strHoverImage;
    bool m_bHovering = false;
};
