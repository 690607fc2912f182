#pragma once
// Turns a file into its "QZ10" compressed form or back (see lzhuf_coder.h).

#include "platform/framework/CObject.h"
#include "platform/win/wintypes.h"

class CFileCompressor : public CObject {
public:
    CFileCompressor() = default;

    // Compresses (bCompress) or expands lpszSource into lpszDest, which is made or replaced safely
    // (an old file stays whole unless the run succeeds). The source must be a regular file; it is
    // read to its end first, whatever size the system reports for it. FALSE when either file cannot
    // be opened or the source cannot be read whole (or holds 4 GiB or more), when a write fails
    // (after OnError(1)), or when a compressed source is damaged. A source without the compressed
    // form's magic expands to an empty file.
    BOOL Run(LPCTSTR lpszSource, LPCTSTR lpszDest, BOOL bCompress);

    // Reports an error: code 1 is a failed write. Shows "Error: %d".
    virtual void OnError(int nCode);
    // Called as the run goes on with the bytes done and the bytes in all; does nothing here.
    virtual void OnProgress(DWORD* pdwDone, DWORD* pdwTotal);

protected:
    int m_nState = 0; // 0 idle, 1 compressing, 2 expanding
};
