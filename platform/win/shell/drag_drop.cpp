// Dropped files: WM_DROPFILES carries an HDROP kept in a handle table until DragFinish.

#include "platform/win/shellapi.h"
#include "platform/win/shell/drop.h"
#include "platform/win/winuser.h"
#include "platform/win/handle_table.h"
#include "platform/win/wm/window.h"
#include "platform/win/wm/window_widget.h"
#include "platform/win/wm/wm.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace pm {
namespace {

struct DropData {
    std::vector<std::string> files;
    POINT point{};
    bool inClient = false;
};

HandleTable<DropData>& drops() {
    static HandleTable<DropData> table;
    return table;
}

DropData* dropOf(HDROP h) {
    return drops().get(reinterpret_cast<std::uintptr_t>(h));
}

std::vector<std::string> localFiles(const QDropEvent* e) {
    std::vector<std::string> files;
    const QMimeData* data = e->mimeData();
    if (!data || !data->hasUrls()) return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) files.push_back(url.toLocalFile().toStdString());
    return files;
}

bool acceptsFiles(HWND hwnd) {
    return (GetWindowLong(hwnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0;
}

POINT screenPoint(HWND hwnd, const QDropEvent* e) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    QPoint p = e->position().toPoint();
    return POINT{r.left + p.x(), r.top + p.y()};
}

} // namespace

HWND fileDropTarget(HWND hwnd, const QDropEvent* e) {
    if (!IsWindow(hwnd) || localFiles(e).empty()) return nullptr;
    HWND hit = WindowFromPoint(screenPoint(hwnd, e));
    if (hit != hwnd && !IsChild(hwnd, hit)) hit = hwnd;
    for (HWND w = hit; w; w = w == hwnd ? nullptr : GetParent(w))
        if (acceptsFiles(w)) return w;
    return nullptr;
}

bool postFileDrop(HWND hwnd, const QDropEvent* e) {
    HWND target = fileDropTarget(hwnd, e);
    if (!target) return false;
    auto data = std::make_unique<DropData>();
    data->files = localFiles(e);
    data->point = screenPoint(hwnd, e);
    ScreenToClient(target, &data->point);
    RECT client{};
    GetClientRect(target, &client);
    data->inClient = PtInRect(&client, data->point) != FALSE;
    HDROP drop = reinterpret_cast<HDROP>(drops().add(std::move(data)));
    PostMessage(target, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    return true;
}

} // namespace pm

void DragAcceptFiles(HWND hwnd, BOOL accept) {
    pm::wm::Window* w = pm::wm::window(hwnd);
    if (!w) return;
    if (accept)
        w->exStyle |= WS_EX_ACCEPTFILES;
    else
        w->exStyle &= ~static_cast<DWORD>(WS_EX_ACCEPTFILES);
    if (accept) {
        pm::wm::Window* root = pm::wm::window(GetAncestor(hwnd, GA_ROOT));
        if (root && root->widget) root->widget->setAcceptDrops(true);
    }
}

UINT DragQueryFile(HDROP drop, UINT index, LPSTR buffer, UINT size) {
    pm::DropData* d = pm::dropOf(drop);
    if (!d) return 0;
    if (index == 0xFFFFFFFF) return static_cast<UINT>(d->files.size());
    if (index >= d->files.size()) return 0;
    const std::string& name = d->files[index];
    if (!buffer) return static_cast<UINT>(name.size());
    if (size == 0) return 0;
    std::size_t n = std::min<std::size_t>(name.size(), size - 1);
    std::memcpy(buffer, name.data(), n);
    buffer[n] = '\0';
    return static_cast<UINT>(n);
}

BOOL DragQueryPoint(HDROP drop, LPPOINT point) {
    pm::DropData* d = pm::dropOf(drop);
    if (!d || !point) return FALSE;
    *point = d->point;
    return d->inClient ? TRUE : FALSE;
}

void DragFinish(HDROP drop) {
    pm::drops().remove(reinterpret_cast<std::uintptr_t>(drop));
}
