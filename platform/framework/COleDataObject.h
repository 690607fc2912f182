#pragma once
// COleDataObject: what a drag carries, as a drop target reads it: text (CF_TEXT) and lists of files
// (CF_HDROP).

#include "platform/framework/CString.h"
#include "platform/win/windows.h"

#include <vector>

typedef DWORD DROPEFFECT;
#define DROPEFFECT_NONE 0
#define DROPEFFECT_COPY 1
#define DROPEFFECT_MOVE 2
#define DROPEFFECT_LINK 4
#define DROPEFFECT_SCROLL 0x80000000

class COleDataObject {
public:
    COleDataObject() = default;

    BOOL IsDataAvailable(UINT cfFormat) const;
    // A new global block of the data (CF_TEXT: the text with its terminator), for the caller to free;
    // nullptr when the format is not there.
    HGLOBAL GetGlobalData(UINT cfFormat) const;
    CString GetText() const { return m_strText; }
    // The dropped files' paths (CF_HDROP).
    const std::vector<CString>& GetFiles() const { return m_files; }

    void SetText(const CString& text);
    void SetFiles(std::vector<CString> files);
    void Release();

private:
    BOOL m_bHasText = FALSE;
    CString m_strText;
    std::vector<CString> m_files;
};
