#pragma once
// The child-window ids a tab container gives the pages it creates. Fresh ids run 1, 2, 3 ...; the
// id of a deleted page is handed out again, once. Ids the container did not hand out (pages the
// caller created) never enter the pool, so two live pages never share an id.

#include "platform/framework/afxwin.h"

#include <vector>

class CDKTabPageIds {
public:
    UINT Take();
    // A page with this id is gone; its id returns to the pool when it was handed out here.
    void Give(UINT nID);

private:
    std::vector<UINT> m_pool{1};
    std::vector<UINT> m_handedOut;
};
