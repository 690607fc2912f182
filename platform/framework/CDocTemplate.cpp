// CDocTemplate and CMultiDocTemplate: document strings, matching files, making documents and frames.

#include "platform/framework/CDocTemplate.h"

#include "platform/framework/CDocument.h"
#include "platform/framework/CFrameWnd.h"
#include "platform/framework/CMDIChildWnd.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/FrameworkStrings.h"

#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

BOOL AfxExtractSubString(CString& rString, LPCSTR lpszFullString, int iSubString, char chSep) {
    rString.Empty();
    if (!lpszFullString) return FALSE;
    const char* p = lpszFullString;
    for (int i = 0; i < iSubString; ++i) {
        const char* sep = std::strchr(p, chSep);
        if (!sep) return FALSE;
        p = sep + 1;
    }
    const char* end = std::strchr(p, chSep);
    rString = end ? CString(p, static_cast<int>(end - p)) : CString(p);
    return TRUE;
}

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass),
      m_pViewClass(pViewClass) {
    m_strDocStrings = AfxLoadString(nIDResource);
}

CDocTemplate::~CDocTemplate() = default;

void CDocTemplate::LoadTemplate() {
    if (m_strDocStrings.IsEmpty()) m_strDocStrings = AfxLoadString(m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, enum DocStringIndex index) const {
    return AfxExtractSubString(rString, m_strDocStrings, static_cast<int>(index));
}

void CDocTemplate::AddDocument(CDocument* pDoc) {
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc) {
    pDoc->m_pDocTemplate = nullptr;
}

namespace {

bool endsWithNoCase(const CString& text, const CString& suffix) {
    if (suffix.IsEmpty() || text.GetLength() < suffix.GetLength()) return false;
    return text.Right(suffix.GetLength()).CompareNoCase(suffix) == 0;
}

} // namespace

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCSTR lpszPathName, CDocument*& rpDocMatch) {
    rpDocMatch = nullptr;
    CString path(lpszPathName);
    char* full = ::realpath(lpszPathName, nullptr);
    if (full) {
        path = full;
        std::free(full);
    }
    for (POSITION pos = GetFirstDocPosition(); pos;) {
        CDocument* pDoc = GetNextDoc(pos);
        if (!pDoc->GetPathName().IsEmpty() && pDoc->GetPathName() == path) {
            rpDocMatch = pDoc;
            return yesAlreadyOpen;
        }
    }
    // The filter's extensions ("*.txt;*.text" or ".txt") decide.
    CString extensions;
    if (GetDocString(extensions, CDocTemplate::filterExt) && !extensions.IsEmpty()) {
        CString rest = extensions;
        while (!rest.IsEmpty()) {
            int semicolon = rest.Find(';');
            CString one = semicolon >= 0 ? rest.Left(semicolon) : rest;
            rest = semicolon >= 0 ? rest.Mid(semicolon + 1) : CString();
            one.Remove('*');
            if (endsWithNoCase(path, one)) return yesAttemptNative;
        }
    }
    return yesAttemptForeign;
}

CDocument* CDocTemplate::CreateNewDocument() {
    if (!m_pDocClass) return nullptr;
    CObject* pObject = m_pDocClass->CreateObject();
    auto* pDocument = dynamic_cast<CDocument*>(pObject);
    if (!pDocument) {
        delete pObject;
        return nullptr;
    }
    AddDocument(pDocument);
    return pDocument;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther) {
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    if (!m_pFrameClass) return nullptr;
    CObject* pObject = m_pFrameClass->CreateObject();
    auto* pFrame = dynamic_cast<CFrameWnd*>(pObject);
    if (!pFrame) {
        delete pObject;
        return nullptr;
    }
    // A frame that fails to load deletes itself.
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
        return nullptr;
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible) {
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified() {
    for (POSITION pos = GetFirstDocPosition(); pos;)
        if (!GetNextDoc(pos)->SaveModified()) return FALSE;
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL) {
    while (POSITION pos = GetFirstDocPosition()) {
        CDocument* pDoc = GetNextDoc(pos);
        pDoc->OnCloseDocument();
        // A document that does not delete itself leaves the list here.
        if (POSITION still = GetFirstDocPosition(); still && GetNextDoc(still) == pDoc) RemoveDocument(pDoc);
    }
}

BOOL CDocTemplate::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// ---- CMultiDocTemplate ----

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                     CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass) {
    LoadTemplate();
}

CMultiDocTemplate::~CMultiDocTemplate() {
    // Documents still open outlive nothing: they are closed with their frames by the application.
    for (POSITION pos = m_docList.GetHeadPosition(); pos;)
        static_cast<CDocument*>(m_docList.GetNext(pos))->m_pDocTemplate = nullptr;
    if (m_hMenuShared) ::DestroyMenu(m_hMenuShared);
    if (m_hAccelTable) ::DestroyAcceleratorTable(m_hAccelTable);
}

void CMultiDocTemplate::LoadTemplate() {
    CDocTemplate::LoadTemplate();
    if (!m_hMenuShared) m_hMenuShared = ::LoadMenuA(nullptr, MAKEINTRESOURCE(m_nIDResource));
    if (!m_hAccelTable) m_hAccelTable = ::LoadAccelerators(nullptr, MAKEINTRESOURCE(m_nIDResource));
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc) {
    CDocTemplate::AddDocument(pDoc);
    m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc) {
    CDocTemplate::RemoveDocument(pDoc);
    if (POSITION pos = m_docList.Find(pDoc)) m_docList.RemoveAt(pos);
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument) {
    CString title;
    if (!GetDocString(title, CDocTemplate::docName) || title.IsEmpty())
        title = AfxLoadString(AFX_IDS_UNTITLED);
    title.AppendFormat("%u", ++m_nUntitledCount);
    pDocument->SetTitle(title);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible) {
    CDocument* pDocument = CreateNewDocument();
    if (!pDocument) {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return nullptr;
    }
    BOOL autoDelete = pDocument->m_bAutoDelete;
    pDocument->m_bAutoDelete = FALSE; // the frame failing must not delete the document
    CFrameWnd* pFrame = CreateNewFrame(pDocument, nullptr);
    pDocument->m_bAutoDelete = autoDelete;
    if (!pFrame) {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        delete pDocument;
        return nullptr;
    }
    if (auto* pChild = dynamic_cast<CMDIChildWnd*>(pFrame)) {
        pChild->m_hMenuShared = m_hMenuShared;
        pChild->m_hAccelShared = m_hAccelTable;
    }
    if (!lpszPathName) {
        SetDefaultTitle(pDocument);
        if (!pDocument->OnNewDocument()) {
            pFrame->DestroyWindow();
            return nullptr;
        }
    } else {
        CWaitCursor wait;
        if (!pDocument->OnOpenDocument(lpszPathName)) {
            pFrame->DestroyWindow();
            return nullptr;
        }
        pDocument->SetPathName(lpszPathName);
    }
    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}
