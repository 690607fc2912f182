#include "platform/framework/ProfileArchive.h"

#include "platform/framework/CArchive.h"
#include "platform/framework/CFile.h"
#include "platform/framework/CWinApp.h"

#include <cstdlib>
#include <memory>

BOOL SaveArchiveToProfile(CWinApp& app, LPCSTR lpszSection, LPCSTR lpszBinaryEntry, LPCSTR lpszSizeEntry,
                          const std::function<void(CArchive&)>& store) {
    CMemFile file(1024);
    {
        CArchive ar(&file, CArchive::store, 4096);
        store(ar);
        ar.Close();
    }
    auto size = static_cast<UINT>(file.GetLength());
    BYTE* data = file.Detach();
    const BOOL written = app.WriteProfileBinary(lpszSection, lpszBinaryEntry, data, size);
    std::free(data);
    const BOOL counted = app.WriteProfileInt(lpszSection, lpszSizeEntry, static_cast<int>(size));
    return written && counted;
}

BOOL LoadArchiveFromProfile(CWinApp& app, LPCSTR lpszSection, LPCSTR lpszBinaryEntry, LPCSTR lpszSizeEntry,
                            const std::function<void(CArchive&)>& load) {
    if (static_cast<int>(app.GetProfileInt(lpszSection, lpszSizeEntry, -1)) == -1) return FALSE;
    BYTE* data = nullptr;
    UINT size = 0;
    if (!app.GetProfileBinary(lpszSection, lpszBinaryEntry, &data, &size)) return FALSE;
    std::unique_ptr<BYTE[]> owned(data);
    CMemFile file(data, size);
    CArchive ar(&file, CArchive::load, 4096);
    load(ar);
    return TRUE;
}
