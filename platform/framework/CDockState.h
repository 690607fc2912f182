#pragma once
// CDockState: the layout of a frame's bars (GetDockState/SetDockState), kept in the profile as one
// binary entry of our own format. Loading checks every count and length: a damaged or foreign
// entry loads as no state at all.

#include "platform/framework/CControlBarInfo.h"
#include "platform/framework/CObject.h"

#include <vector>

class CDockState : public CObject {
    DECLARE_DYNAMIC(CDockState)
public:
    CDockState() = default;
    ~CDockState() override;
    CDockState(const CDockState&) = delete;
    CDockState& operator=(const CDockState&) = delete;

    CArray<CControlBarInfo*, CControlBarInfo*> m_arrBarInfo;

    // FALSE (and an empty state) when the profile holds no layout or a damaged one.
    BOOL LoadState(LPCSTR lpszProfileName);
    BOOL SaveState(LPCSTR lpszProfileName) const;
    void Clear();

    // The state as bytes, and back; FromBytes leaves the state empty and answers FALSE for bytes
    // that are not a whole layout.
    std::vector<BYTE> ToBytes() const;
    BOOL FromBytes(const BYTE* data, size_t size);
};
