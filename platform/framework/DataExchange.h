#pragma once
// Dialog data exchange: DoDataExchange moves values between a dialog's controls and its members
// (bSaveAndValidate TRUE: controls to members). A value that fails its check shows an error box,
// puts the focus back on its control and stops the exchange with a CUserException; the members
// the exchange had already stored get their old values back, so a failed exchange stores nothing.

#include "platform/framework/CString.h"
#include "platform/framework/Exceptions.h"
#include "platform/win/windows.h"

#include <functional>
#include <vector>

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl = nullptr;
    BOOL m_bEditLastControl = FALSE;

    // The control nIDC of the dialog, remembered for a following DDV check.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Puts the focus on the last prepared control (selecting an edit's text) and throws.
    [[noreturn]] void Fail();

    // Stores a value into a member, remembering the old one for RollBack.
    template <class T> void Store(T& member, const T& value) {
        T old = member;
        m_undo.push_back([&member, old] { member = old; });
        member = value;
    }
    // Gives the members stored so far their old values back (after a failed exchange).
    void RollBack();

private:
    std::vector<std::function<void()>> m_undo;
};

class CComboBox;
class CListBox;

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// value is the index of the checked radio button in the group that starts at nIDC (-1: none).
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
// Subclasses the control nIDC to rControl the first time (when rControl has no window yet).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal);
void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal);
void DDV_MinMaxDouble(CDataExchange* pDX, double value, double minVal, double maxVal);
// Also limits the edit control to nChars when loading.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
