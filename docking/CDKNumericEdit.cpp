#include "docking/CDKNumericEdit.h"

#include <cctype>

IMPLEMENT_DYNAMIC(CDKNumericEdit, CDKEdit)

BEGIN_MESSAGE_MAP(CDKNumericEdit, CDKEdit)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

BOOL CDKNumericEdit::IsValidInput(const std::string& input) const {
    size_t i = input.empty() || input[0] != '-' ? 0 : 1;
    int nDecimals = -1; // digits after the point; -1 before any point
    for (; i < input.size(); ++i) {
        const char ch = input[i];
        if (ch == '.' && nDecimals < 0) {
            nDecimals = 0;
            continue;
        }
        if (!std::isdigit(static_cast<unsigned char>(ch))) return FALSE;
        if (nDecimals >= 0) ++nDecimals;
    }
    return GetMaxDecimals() < 0 || nDecimals <= GetMaxDecimals();
}

void CDKNumericEdit::OnInputChanged() {
    const std::string& input = m_text.Input();
    m_bNegative = !input.empty() && input[0] == '-';
}

HBRUSH CDKNumericEdit::CtlColor(CDC* pDC, UINT nCtlColor) {
    HBRUSH hBrush = CDKEdit::CtlColor(pDC, nCtlColor);
    if (m_bNegative) pDC->SetTextColor(m_crNegative);
    return hBrush;
}
