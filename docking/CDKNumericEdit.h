#pragma once
// A masked edit for numbers: an optional leading minus, digits and one decimal point. Negative
// values are shown in a colour of their own.

#include "docking/CDKEdit.h"

class CDKNumericEdit : public CDKEdit {
    DECLARE_DYNAMIC(CDKNumericEdit)
public:
    void SetNegativeColor(COLORREF crNegative) { m_crNegative = crNegative; }
    BOOL IsNegative() const { return m_bNegative; }

protected:
    BOOL IsValidInput(const std::string& input) const override;
    void OnInputChanged() override;
    // The most digits allowed after the decimal point; -1 for any number.
    virtual int GetMaxDecimals() const { return -1; }

    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    int m_bNegative = 0;
    COLORREF m_crNegative = RGB(255, 0, 0);
};
