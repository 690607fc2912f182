#pragma once
// CToolCmdUI: a tool-bar button as an update handler sees it.

#include "platform/framework/CCmdUI.h"

class CToolCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetText(LPCSTR lpszText) override;
};
