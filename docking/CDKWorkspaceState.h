#pragma once
// CDKWorkspaceState: the state of the application's main window (placement, the docking layout of
// its bars, its MDI children with their documents, splitter sizes), captured and applied again,
// kept in a file, in bytes or in a binary registry value. Stored state is read with every count
// and length checked; a damaged or foreign state fails to load and changes nothing.

#include "platform/framework/CArray.h"
#include "platform/framework/CObject.h"
#include "platform/framework/afxwin.h"
#include "platform/win/winreg.h"

class CDockState;
class CFrameWnd;

class CDKWorkspaceState : public CObject {
    DECLARE_SERIAL(CDKWorkspaceState)
public:
    static constexpr DWORD kMagic = 0x1234FEDC;
    static constexpr int kVersion = 1;
    // ApplyState's mode that leaves the MDI children alone.
    static constexpr int kApplyWithoutChildren = 4;

    CDKWorkspaceState();
    ~CDKWorkspaceState() override;
    CDKWorkspaceState(const CDKWorkspaceState&) = delete;
    CDKWorkspaceState& operator=(const CDKWorkspaceState&) = delete;

    // Back to a fresh state: every part saved, nothing captured.
    void Reset();
    void Serialize(CArchive& ar) override;

    virtual BOOL CaptureState();
    virtual BOOL ApplyState(int nMode);
    virtual BOOL SaveToFile(LPCSTR lpszPath, BOOL bSaveModified = FALSE, BOOL bCapture = TRUE);
    virtual BOOL ReadFromFile(LPCSTR lpszPath, BOOL bApply = TRUE);
    virtual BOOL StoreToRegistry(LPCSTR lpszValueName = nullptr, LPCSTR lpszRegistryKey = nullptr,
                                 LPCSTR lpszProfileName = nullptr, HKEY hRootKey = HKEY_CURRENT_USER,
                                 BOOL bSaveModified = FALSE, BOOL bCapture = TRUE);
    virtual BOOL LoadFromRegistry(int nMode = 1, LPCSTR lpszValueName = nullptr,
                                  LPCSTR lpszRegistryKey = nullptr, LPCSTR lpszProfileName = nullptr,
                                  HKEY hRootKey = HKEY_CURRENT_USER, BOOL bApply = TRUE);
    virtual BOOL CaptureChildFrames();
    virtual BOOL ApplyChildFrames();
    virtual BOOL CaptureSplitters(CFrameWnd* pFrame);
    virtual BOOL ApplySplitters(CFrameWnd* pFrame);
    virtual void WriteProperties(CArchive& ar);
    virtual void ReadProperties(CArchive& ar);
    // Throws the file's or the archive's exception on failure.
    virtual void StreamFile(LPCSTR lpszPath, BOOL bStoring);
    virtual BOOL ReadFromBytes(const CByteArray& bytes);
    virtual BOOL WriteToBytes(CByteArray& bytes);
    virtual BOOL StreamRegistry(BOOL bStoring, LPCSTR lpszValueName, LPCSTR lpszRegistryKey,
                                LPCSTR lpszProfileName, HKEY hRootKey, CByteArray& bytes);

    int m_nScreenWidth = 0;
    int m_nScreenHeight = 0;
    int m_bSavePlacement = 1;
    WINDOWPLACEMENT m_placement{};
    int m_bSaveDockState = 1;
    CDockState* m_pDockState = nullptr;
    int m_bSaveChildFrames = 1;
    CObArray* m_pChildFrames = nullptr;
    int m_bSaveSplitters = 1;
    CObArray* m_pSplitters = nullptr;
    int m_nVersion = -1;

private:
    // The frame's bar layout, without the panes of document windows when the frame has such panes.
    void CaptureDockState(CFrameWnd* pFrame);
    void ApplyDockState(CFrameWnd* pFrame);
};
