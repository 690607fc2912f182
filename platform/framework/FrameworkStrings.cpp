// The framework's standard texts and the %n substitution.

#include "platform/framework/FrameworkStrings.h"

#include "platform/framework/afxres.h"

#include <map>

namespace {

const std::map<UINT, const char*>& defaults() {
    static const std::map<UINT, const char*> table = {
        {AFX_IDS_IDLEMESSAGE, "Ready"},
        {AFX_IDS_UNTITLED, "Untitled"},
        {AFX_IDS_HIDE, "&Hide"},
        {AFX_IDS_PREVIEWPAGEDESC, "Page %u\nPages %u-%u\n"},
        {AFX_IDS_PRINTDEFAULTEXT, "pdf"},
        {AFX_IDS_PRINTDEFAULT, "Output.pdf"},
        {AFX_IDS_PRINTFILTER, "PDF Files (*.pdf)|*.pdf|All Files (*.*)|*.*||"},
        {AFX_IDS_PRINTCAPTION, "Print to File"},
        {AFX_IDS_ONEPAGE, "&One Page"},
        {AFX_IDS_TWOPAGE, "&Two Page"},
        {AFX_ID_PREVIEW_PRINT, "Print the document\nPrint"},
        {AFX_ID_PREVIEW_NEXT, "Go to the next page\nNext Page"},
        {AFX_ID_PREVIEW_PREV, "Go to the previous page\nPrevious Page"},
        {AFX_ID_PREVIEW_NUMPAGE, "Show one or two pages\nOne/Two Page"},
        {AFX_ID_PREVIEW_ZOOMIN, "Increase magnification of preview page\nZoom In"},
        {AFX_ID_PREVIEW_ZOOMOUT, "Decrease magnification of preview page\nZoom Out"},
        {AFX_ID_PREVIEW_CLOSE, "Close the preview\nClose Preview"},
        {AFX_IDS_ALLFILTER, "All Files (*.*)"},
        {AFX_IDS_OPENFILE, "Open"},
        {AFX_IDS_SAVEFILE, "Save As"},
        {AFX_IDS_SAVEFILECOPY, "Save As"},
        {AFX_IDP_ASK_TO_SAVE, "Save changes to %1?"},
        {AFX_IDP_FAILED_TO_OPEN_DOC, "Failed to open document."},
        {AFX_IDP_FAILED_TO_SAVE_DOC, "Failed to save document."},
        {AFX_IDP_FAILED_TO_CREATE_DOC, "Failed to create empty document."},
        {AFX_IDP_INVALID_FILENAME, "Invalid filename."},
        {AFX_IDP_COMMAND_FAILURE, "Command failed."},
        {AFX_IDP_FAILED_TO_START_PRINT, "Failed to start the print job."},
        {AFX_IDP_PARSE_INT, "Please enter an integer."},
        {AFX_IDP_PARSE_REAL, "Please enter a number."},
        {AFX_IDP_PARSE_INT_RANGE, "Please enter an integer between %1 and %2."},
        {AFX_IDP_PARSE_REAL_RANGE, "Please enter a number between %1 and %2."},
        {AFX_IDP_PARSE_STRING_SIZE, "Please enter no more than %1 characters."},
        {AFX_IDP_PARSE_RADIO_BUTTON, "Please select a button."},
        {AFX_IDP_PARSE_BYTE, "Please enter an integer between 0 and 255."},
        {AFX_IDP_PARSE_UINT, "Please enter a positive integer."},
        {AFX_IDS_SCSIZE, "Changes the window size"},
        {AFX_IDS_SCMOVE, "Changes the window position"},
        {AFX_IDS_SCMINIMIZE, "Reduces the window to an icon"},
        {AFX_IDS_SCMAXIMIZE, "Enlarges the window to full size"},
        {AFX_IDS_SCNEXTWINDOW, "Switches to the next document window"},
        {AFX_IDS_SCPREVWINDOW, "Switches to the previous document window"},
        {AFX_IDS_SCCLOSE, "Closes the active window and prompts to save the documents"},
        {AFX_IDS_SCRESTORE, "Restores the window to normal size"},
        {AFX_IDS_SCTASKLIST, "Activates Task List"},
        {AFX_IDS_MDICHILD, "Activate this window"},
    };
    return table;
}

} // namespace

CString AfxLoadString(UINT nID) {
    CString text;
    if (text.LoadString(nID)) return text;
    auto it = defaults().find(nID);
    return it == defaults().end() ? CString() : CString(it->second);
}

void AfxFormatStrings(CString& rString, LPCSTR lpszFormat, LPCSTR const* rglpsz, int nString) {
    rString.Empty();
    for (const char* p = lpszFormat; *p; ++p) {
        if (p[0] == '%' && p[1] >= '1' && p[1] <= '9') {
            int i = p[1] - '1';
            if (i < nString && rglpsz[i]) rString += rglpsz[i];
            ++p;
            continue;
        }
        rString += *p;
    }
}

void AfxFormatString1(CString& rString, UINT nIDS, LPCSTR lpsz1) {
    CString format = AfxLoadString(nIDS);
    LPCSTR args[] = {lpsz1};
    AfxFormatStrings(rString, format, args, 1);
}

void AfxFormatString2(CString& rString, UINT nIDS, LPCSTR lpsz1, LPCSTR lpsz2) {
    CString format = AfxLoadString(nIDS);
    LPCSTR args[] = {lpsz1, lpsz2};
    AfxFormatStrings(rString, format, args, 2);
}
