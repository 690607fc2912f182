// Scroll-bar ranges, positions and thumb geometry.

#include "platform/win/controls/scroll_bar_model.h"

#include <algorithm>

namespace pm::ctl {

namespace {
constexpr int kMinThumb = 8;

long long span(const ScrollState& s) {
    return static_cast<long long>(s.max) - s.min;
}
} // namespace

int ScrollState::maxPos() const {
    long long top = static_cast<long long>(max) - std::max<long long>(static_cast<long long>(page) - 1, 0);
    return static_cast<int>(std::max<long long>(top, min));
}

bool ScrollState::needed() const {
    return max > min && static_cast<long long>(page) <= span(*this);
}

int ScrollState::set(const SCROLLINFO& info) {
    if (info.fMask & SIF_RANGE) {
        min = info.nMin;
        max = std::max(info.nMin, info.nMax);
    }
    if (info.fMask & SIF_PAGE) page = info.nPage;
    if (page > span(*this) + 1) page = static_cast<UINT>(span(*this) + 1);
    if (info.fMask & SIF_POS) pos = info.nPos;
    pos = std::clamp(pos, min, maxPos());
    if (!tracking) trackPos = pos;
    return pos;
}

void ScrollState::get(SCROLLINFO& info) const {
    if (info.fMask & SIF_RANGE) {
        info.nMin = min;
        info.nMax = max;
    }
    if (info.fMask & SIF_PAGE) info.nPage = page;
    if (info.fMask & SIF_POS) info.nPos = pos;
    if (info.fMask & SIF_TRACKPOS) info.nTrackPos = tracking ? trackPos : pos;
}

ScrollLayout ScrollLayout::compute(const ScrollState& s, int length, int arrowSize, bool enabled) {
    ScrollLayout l;
    l.length = std::max(length, 0);
    l.arrow = l.length < 2 * arrowSize ? l.length / 2 : arrowSize;
    int track = l.trackLength();
    if (!enabled || !s.needed() || track <= 0) return l;
    long long range = span(s) + 1;
    int thumb = s.page ? static_cast<int>(track * static_cast<long long>(s.page) / range) : arrowSize;
    thumb = std::max(thumb, std::min(kMinThumb, arrowSize));
    if (thumb >= track) return l;
    long long steps = static_cast<long long>(s.maxPos()) - s.min;
    long long offset =
        steps > 0 ? (track - thumb) * (static_cast<long long>(s.shownPos()) - s.min) / steps : 0;
    l.thumbStart = l.arrow + static_cast<int>(offset);
    l.thumbSize = thumb;
    return l;
}

ScrollPart ScrollLayout::hit(int at) const {
    if (at < 0 || at >= length) return ScrollPart::None;
    if (at < arrow) return ScrollPart::LineUp;
    if (at >= length - arrow) return ScrollPart::LineDown;
    if (!thumbSize) return ScrollPart::None;
    if (at < thumbStart) return ScrollPart::PageUp;
    if (at >= thumbStart + thumbSize) return ScrollPart::PageDown;
    return ScrollPart::Thumb;
}

int ScrollLayout::posForThumb(const ScrollState& s, int thumbAt) const {
    int room = trackLength() - thumbSize;
    if (room <= 0) return s.min;
    long long steps = static_cast<long long>(s.maxPos()) - s.min;
    long long offset = std::clamp(thumbAt - arrow, 0, room);
    return static_cast<int>(s.min + (offset * steps + room / 2) / room);
}

int scrollCode(ScrollPart part) {
    switch (part) {
    case ScrollPart::LineUp:
        return SB_LINEUP;
    case ScrollPart::PageUp:
        return SB_PAGEUP;
    case ScrollPart::PageDown:
        return SB_PAGEDOWN;
    case ScrollPart::LineDown:
        return SB_LINEDOWN;
    case ScrollPart::Thumb:
        return SB_THUMBTRACK;
    case ScrollPart::None:
        break;
    }
    return SB_ENDSCROLL;
}

} // namespace pm::ctl
