#pragma once
// CInsertTableDlg: "Insert Table" asks for the rows, columns, width (in pixels or per cent),
// border, cell spacing and cell padding of an HTML table and builds its text, indented as the
// caret's line is, for the view to insert.

#include "platform/framework/afxwin.h"

#include <string>

struct HtmlTableLayout {
    int width = 0;
    bool percent = true;
    int rows = 0;
    int columns = 0;
    int spacing = 0;
    int padding = 0;
    int border = 1;
};

// The bounds a table must keep to be built; others are refused with a message naming the bound,
// and the dialog stays open.
constexpr int kMaxTableRows = 1000;
constexpr int kMaxTableColumns = 100;

// The table's text: a line break, the TABLE tag with WIDTH (when positive, "%" in per cent),
// BORDER (a negative one as 0), CELLSPACING and CELLPADDING (when positive), then each row of
// cells, every line indented by `indent` and ended by CR LF.
std::string BuildHtmlTable(const HtmlTableLayout& layout, const std::string& indent);

// A field's whole number once the blanks around it are trimmed; text that is no number gives 0.
int ParseTableField(const std::string& text);

class CInsertTableDlg : public CDialog {
public:
    CInsertTableDlg(const std::string& indent, CWnd* pParent = nullptr);

    // The table's text once OK closed the dialog.
    std::string m_strTable;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    // The field's number; -1 for a control the dialog lacks.
    int field(int nID) const;
    // Whether the field's value is from 1 to the limit; else says so and puts the focus on it.
    BOOL withinLimit(int nID, int value, int limit, LPCSTR lpszName);

    std::string m_indent;
};
