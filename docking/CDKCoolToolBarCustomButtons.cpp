// CDKCoolToolBar's custom buttons: controls placed on the bar in the room of a separator, made from
// the process-wide templates, shown or replaced by a plain button as the bar docks and floats, and
// kept in step as buttons come, go and move.

#include "docking/CDKCoolToolBar.h"

#include "platform/framework/CArchive.h"
#include "platform/framework/Exceptions.h"

#include <algorithm>

namespace {

struct TemplateRegistry {
    std::vector<int> ids; // a template's index is its place here
    std::map<int, CustomButtonDescriptor> descriptors;
};

TemplateRegistry& registry() {
    static TemplateRegistry templates;
    return templates;
}

// More templates than any program registers: a count above this is damage.
const int kMaxTemplates = 4096;

// Where the bar is, as the custom buttons' show flags name it.
int showStateOf(DWORD dwStyle) {
    if (dwStyle & CBRS_FLOATING) return CustomButtonDescriptor::showFloating;
    if (dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) return CustomButtonDescriptor::showTopBottomDocked;
    return CustomButtonDescriptor::showSideDocked;
}

// The same for the layout of a mode.
int showStateOfMode(DWORD dwMode) {
    if (dwMode & LM_HORZDOCK) return CustomButtonDescriptor::showTopBottomDocked;
    if (dwMode & LM_VERTDOCK) return CustomButtonDescriptor::showSideDocked;
    return CustomButtonDescriptor::showFloating;
}

} // namespace

// ---- The templates ----

int CDKCoolToolBar::RegisterCustomButtonTemplate(const CustomButtonDescriptor& descriptor) {
    TemplateRegistry& r = registry();
    r.descriptors[descriptor.nControlID] = descriptor;
    int index = FindTemplateIndex(descriptor.nControlID);
    if (index != -1) return index;
    r.ids.push_back(descriptor.nControlID);
    return static_cast<int>(r.ids.size()) - 1;
}

void CDKCoolToolBar::UnregisterCustomButtonTemplate(int nControlID) {
    TemplateRegistry& r = registry();
    r.ids.erase(std::remove(r.ids.begin(), r.ids.end(), nControlID), r.ids.end());
    r.descriptors.erase(nControlID);
}

CustomButtonDescriptor CDKCoolToolBar::TemplateDescriptor(int nControlID) {
    auto found = registry().descriptors.find(nControlID);
    CustomButtonDescriptor d =
        found == registry().descriptors.end() ? CustomButtonDescriptor{} : found->second;
    d.nControlID = nControlID;
    return d;
}

int CDKCoolToolBar::FindTemplateIndex(int nControlID) {
    const std::vector<int>& ids = registry().ids;
    auto it = std::find(ids.begin(), ids.end(), nControlID);
    return it == ids.end() ? -1 : static_cast<int>(it - ids.begin());
}

void CDKCoolToolBar::SaveTemplateSettings(CArchive& ar) {
    const TemplateRegistry& r = registry();
    ar << static_cast<int>(r.ids.size());
    for (int id : r.ids) {
        CustomButtonDescriptor d = TemplateDescriptor(id);
        ar << id << d.nWidth << d.nHeight << d.nShowFlags << d.nImage;
        if (d.pTemplate) d.pTemplate->Save(ar);
    }
}

BOOL CDKCoolToolBar::LoadTemplateSettings(CArchive& ar) {
    try {
        int count = 0;
        ar >> count;
        if (count < 0 || count > kMaxTemplates) return FALSE;
        for (int i = 0; i < count; ++i) {
            CustomButtonDescriptor read;
            ar >> read.nControlID >> read.nWidth >> read.nHeight >> read.nShowFlags >> read.nImage;
            auto found = registry().descriptors.find(read.nControlID);
            // A template's own data has no length of its own: past an unknown one nothing can be read.
            if (found == registry().descriptors.end() || !found->second.pTemplate) return FALSE;
            CustomButtonDescriptor& d = found->second;
            d.nWidth = read.nWidth;
            d.nHeight = read.nHeight;
            d.nShowFlags = read.nShowFlags;
            d.nImage = read.nImage;
            d.pTemplate->Load(ar);
        }
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

// ---- Custom buttons on the bar ----

BOOL CDKCoolToolBar::InsertCustomButton(int nIndex, int nTemplate, DWORD dwStyle, DWORD dwExStyle,
                                        LPCSTR lpszClass, LPCSTR lpszName) {
    int count = static_cast<int>(SendMessage(TB_BUTTONCOUNT));
    if (nIndex < 0 || nIndex > count || nTemplate < 0 || nTemplate >= static_cast<int>(registry().ids.size()))
        return FALSE;
    TBBUTTON separator = SeparatorButton();
    BOOL wasInternal = m_bInternalChange;
    m_bInternalChange = TRUE;
    BOOL inserted =
        SendMessage(TB_INSERTBUTTONA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&separator)) != 0;
    m_bInternalChange = wasInternal;
    if (!inserted) return FALSE;
    CustomButtonDescriptor descriptor;
    if (!CreateCustomButton(nTemplate, descriptor, dwStyle, dwExStyle, lpszClass, lpszName)) {
        m_bInternalChange = TRUE;
        SendMessage(TB_DELETEBUTTON, static_cast<WPARAM>(nIndex));
        m_bInternalChange = wasInternal;
        return FALSE;
    }
    m_customButtons[nIndex] = descriptor;
    UpdateSizes(TRUE, TRUE);
    return TRUE;
}

BOOL CDKCoolToolBar::CreateCustomButton(int nTemplate, CustomButtonDescriptor& descriptor, DWORD dwStyle,
                                        DWORD dwExStyle, LPCSTR lpszClass, LPCSTR lpszName) {
    TemplateRegistry& r = registry();
    if (nTemplate < 0 || nTemplate >= static_cast<int>(r.ids.size())) return FALSE;
    int id = r.ids[static_cast<size_t>(nTemplate)];
    descriptor = TemplateDescriptor(id);
    CustomButtonTemplate* served = descriptor.pTemplate;
    if (!served) return FALSE;
    CWnd* control = served->GetWindow();
    if (control && ::IsWindow(control->GetSafeHwnd())) {
        // The control is on another bar: the template serves it here too.
        descriptor.pTemplate = served->Attach(this);
        return descriptor.pTemplate != nullptr;
    }
    if (!served->Create(static_cast<UINT>(id), this, dwStyle, dwExStyle, lpszClass, lpszName)) return FALSE;
    r.descriptors[id] = descriptor;
    return TRUE;
}

const CustomButtonDescriptor* CDKCoolToolBar::GetCustomButton(int nIndex) const {
    auto it = m_customButtons.find(nIndex);
    return it == m_customButtons.end() ? nullptr : &it->second;
}

int CDKCoolToolBar::FindCustomButton(int nControlID) const {
    for (const auto& entry : m_customButtons)
        if (entry.second.nControlID == nControlID) return entry.first;
    return -1;
}

BOOL CDKCoolToolBar::IsCustomButtonShown(const CustomButtonDescriptor& descriptor, int nState) const {
    return (descriptor.nShowFlags & CustomButtonDescriptor::showAlways) ==
               CustomButtonDescriptor::showAlways ||
           (descriptor.nShowFlags & nState) != 0;
}

BOOL CDKCoolToolBar::UpdateCustomButton(int nIndex) {
    const CustomButtonDescriptor* d = GetCustomButton(nIndex);
    if (!d) return FALSE;
    CWnd* control = d->pTemplate ? d->pTemplate->GetWindow() : nullptr;
    BOOL visible = (GetStyle() & WS_VISIBLE) != 0;
    TBBUTTON b = Button(nIndex);
    if (IsCustomButtonShown(*d, showStateOf(m_dwStyle))) {
        if (!(b.fsStyle & TBSTYLE_SEP) || b.iBitmap != d->nWidth)
            SetButtonInfo(nIndex, static_cast<UINT>(d->nControlID), TBBS_SEPARATOR, d->nWidth);
        CRect rect;
        GetItemRect(nIndex, &rect);
        rect.DeflateRect(2, 0);
        if (d->nHeight > 0 && d->nHeight < rect.Height()) {
            rect.top += (rect.Height() - d->nHeight) / 2;
            rect.bottom = rect.top + d->nHeight;
        }
        if (control) {
            control->MoveWindow(&rect, visible);
            control->ShowWindow(SW_SHOWNA);
        }
    } else {
        if ((b.fsStyle & TBSTYLE_SEP) || b.iBitmap != d->nImage) {
            SetButtonInfo(nIndex, static_cast<UINT>(d->nControlID), TBBS_BUTTON, d->nImage);
            TBBUTTONINFOA info{};
            info.cbSize = sizeof(info);
            info.dwMask = TBIF_BYINDEX | TBIF_STYLE;
            SendMessage(TB_GETBUTTONINFOA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&info));
            info.fsStyle |= TBSTYLE_AUTOSIZE;
            SendMessage(TB_SETBUTTONINFOA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&info));
        }
        if (control) control->ShowWindow(SW_HIDE);
    }
    if (((GetStyle() & WS_VISIBLE) != 0) != visible)
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW |
                         (visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    return TRUE;
}

void CDKCoolToolBar::UpdateCustomButtons(int nFirst, int nLast) {
    if (nLast == -1) nLast = static_cast<int>(SendMessage(TB_BUTTONCOUNT)) - 1;
    std::vector<int> indexes;
    for (const auto& entry : m_customButtons)
        if (entry.first >= nFirst && entry.first <= nLast) indexes.push_back(entry.first);
    for (int index : indexes)
        UpdateCustomButton(index);
}

// ---- The layout: a control hidden where the bar is laid out takes a plain button's room ----

void CDKCoolToolBar::GetLayoutButton(int nIndex, DWORD dwMode, TBBUTTON* pButton) const {
    CToolBar::GetLayoutButton(nIndex, dwMode, pButton);
    const CustomButtonDescriptor* d = GetCustomButton(nIndex);
    if (!d || (d->nShowFlags & showStateOfMode(dwMode))) return;
    pButton->fsStyle &= static_cast<BYTE>(~TBSTYLE_SEP);
    pButton->iBitmap = d->nImage;
}

void CDKCoolToolBar::CommitLayoutButton(int nIndex, TBBUTTON* pButton) {
    if (!GetCustomButton(nIndex)) {
        CToolBar::CommitLayoutButton(nIndex, pButton);
        return;
    }
    // The button keeps what it is; only the row break of its stand-in is taken.
    TBBUTTON own{};
    _GetButton(nIndex, &own);
    own.fsState = static_cast<BYTE>((own.fsState & ~TBSTATE_WRAP) | (pButton->fsState & TBSTATE_WRAP));
    CToolBar::CommitLayoutButton(nIndex, &own);
}

// ---- Keeping step as buttons come, go and move ----

void CDKCoolToolBar::ShiftCustomButtons(int nFrom, int nBy) {
    std::map<int, CustomButtonDescriptor> shifted;
    for (const auto& entry : m_customButtons)
        shifted[entry.first >= nFrom ? entry.first + nBy : entry.first] = entry.second;
    m_customButtons.swap(shifted);
}

void CDKCoolToolBar::OnButtonMoved(int nFrom, int nTo) {
    if (nFrom == nTo) return;
    std::map<int, CustomButtonDescriptor> moved;
    for (const auto& entry : m_customButtons) {
        int i = entry.first;
        if (i == nFrom)
            i = nTo;
        else if (nFrom < nTo && i > nFrom && i <= nTo)
            --i;
        else if (nFrom > nTo && i >= nTo && i < nFrom)
            ++i;
        moved[i] = entry.second;
    }
    m_customButtons.swap(moved);
    UpdateCustomButtons(std::min(nFrom, nTo), std::max(nFrom, nTo));
}
