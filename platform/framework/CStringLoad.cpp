// CString::LoadString, apart from the rest of CString so that only its callers need the
// resource functions of the window system.

#include "platform/framework/CString.h"

#include "platform/win/winbase.h"
#include "platform/win/winuser.h"

BOOL CString::LoadString(UINT nID) {
    // Grows the buffer until the string fits (a full buffer may mean a cut string).
    for (int room = 256; room <= (1 << 24); room *= 2) {
        char* buffer = GetBufferSetLength(room);
        const int n = ::LoadString(::GetModuleHandle(nullptr), nID, buffer, room + 1);
        if (n < room) {
            ReleaseBuffer(n > 0 ? n : 0);
            return n > 0 ? TRUE : FALSE;
        }
    }
    Empty();
    return FALSE;
}
