#include "platform/win/wm/beeps.h"

#include "platform/win/winuser.h"

#include <QApplication>

namespace pm {
namespace {

std::vector<UINT>& record() {
    static std::vector<UINT> r;
    return r;
}

} // namespace

std::vector<UINT> takeRecordedBeeps() {
    std::vector<UINT> out;
    out.swap(record());
    return out;
}

} // namespace pm

BOOL MessageBeep(UINT type) {
    pm::record().push_back(type);
    if (qApp) QApplication::beep();
    return TRUE;
}
