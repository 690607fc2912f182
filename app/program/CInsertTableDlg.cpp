// The Insert Table dialog and the table's text.

#include "app/program/CInsertTableDlg.h"

#include "app/program/resource_ids.h"

#include <cctype>
#include <climits>
#include <cstdlib>

namespace {

std::string attribute(const char* name, int value, const char* suffix = "") {
    return std::string(" ") + name + "=\"" + std::to_string(value) + suffix + "\"";
}

} // namespace

std::string BuildHtmlTable(const HtmlTableLayout& layout, const std::string& indent) {
    std::string text = "\r\n" + indent + "<TABLE";
    if (layout.width > 0) text += attribute("WIDTH", layout.width, layout.percent ? "%" : "");
    text += attribute("BORDER", layout.border < 0 ? 0 : layout.border);
    if (layout.spacing > 0) text += attribute("CELLSPACING", layout.spacing);
    if (layout.padding > 0) text += attribute("CELLPADDING", layout.padding);
    text += ">\r\n";
    std::string row = indent + "  <TR>\r\n";
    for (int column = 0; column < layout.columns; ++column)
        row += indent + "    <TD> </TD>\r\n";
    row += indent + "  </TR>\r\n";
    for (int r = 0; r < layout.rows; ++r)
        text += row;
    return text + indent + "</TABLE>\r\n";
}

int ParseTableField(const std::string& text) {
    std::size_t start = 0;
    while (start < text.size() && std::isspace(static_cast<unsigned char>(text[start])))
        ++start;
    const long value = std::strtol(text.c_str() + start, nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

CInsertTableDlg::CInsertTableDlg(const std::string& indent, CWnd* pParent)
    : CDialog(IDD_INSERT_TABLE, pParent), m_indent(indent) {}

BOOL CInsertTableDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CheckRadioButton(IDC_TABLE_PIXELS, IDC_TABLE_PERCENT, IDC_TABLE_PERCENT);
    auto* spin = static_cast<CSpinButtonCtrl*>(GetDlgItem(IDC_TABLE_BORDER_SPIN));
    spin->SetBuddy(GetDlgItem(IDC_TABLE_BORDER));
    spin->SetRange(0, 20);
    SetDlgItemText(IDC_TABLE_BORDER, "1");
    return TRUE;
}

int CInsertTableDlg::field(int nID) const {
    if (!GetDlgItem(nID)) return -1;
    CString text;
    GetDlgItemText(nID, text);
    return ParseTableField(static_cast<LPCTSTR>(text));
}

BOOL CInsertTableDlg::withinLimit(int nID, int value, int limit, LPCSTR lpszName) {
    if (value >= 1 && value <= limit) return TRUE;
    CString message;
    message.Format("%s: enter a number from 1 to %d.", lpszName, limit);
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    if (CWnd* edit = GetDlgItem(nID)) {
        edit->SetFocus();
        edit->SendMessage(EM_SETSEL, 0, -1);
    }
    return FALSE;
}

void CInsertTableDlg::OnOK() {
    HtmlTableLayout layout;
    layout.rows = field(IDC_TABLE_ROWS);
    layout.columns = field(IDC_TABLE_COLUMNS);
    // No table without rows and columns, and none beyond what a page can use.
    if (!withinLimit(IDC_TABLE_ROWS, layout.rows, kMaxTableRows, "Rows") ||
        !withinLimit(IDC_TABLE_COLUMNS, layout.columns, kMaxTableColumns, "Columns"))
        return;
    layout.width = field(IDC_TABLE_WIDTH);
    layout.percent = IsDlgButtonChecked(IDC_TABLE_PERCENT) == BST_CHECKED;
    layout.spacing = field(IDC_TABLE_SPACING);
    layout.padding = field(IDC_TABLE_PADDING);
    layout.border = field(IDC_TABLE_BORDER);
    m_strTable = BuildHtmlTable(layout, m_indent);
    CDialog::OnOK();
}
