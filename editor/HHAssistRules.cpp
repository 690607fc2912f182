#include "editor/HHAssistRules.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace hh {

namespace {

CHHLineMarkerArray::iterator findLine(CHHLineMarkerArray& markers, int line) {
    return std::find_if(markers.begin(), markers.end(),
                        [line](const CHHLineMarker& m) { return m.m_nLine == line; });
}

int lowerAscii(int ch) {
    return (ch >= 'A' && ch <= 'Z') ? ch + ('a' - 'A') : ch;
}

// Joins the flags of records on one line into the first of them.
void mergeSameLines(CHHLineMarkerArray& markers) {
    CHHLineMarkerArray merged;
    merged.reserve(markers.size());
    for (const CHHLineMarker& m : markers) {
        auto it = findLine(merged, m.m_nLine);
        if (it == merged.end())
            merged.push_back(m);
        else
            it->m_nFlags |= m.m_nFlags;
    }
    markers.swap(merged);
}

} // namespace

void ApplyLineMarker(CHHLineMarkerArray& markers, int line, int lineStart, BYTE bits, int operation) {
    auto it = findLine(markers, line);
    if (it == markers.end()) {
        if (operation != kMarkerClear && bits) markers.push_back({line, lineStart, bits});
        return;
    }
    if (operation == kMarkerClear)
        it->m_nFlags &= static_cast<BYTE>(~bits);
    else if (operation == kMarkerSet)
        it->m_nFlags |= bits;
    else
        it->m_nFlags ^= bits;
    if (!it->m_nFlags) markers.erase(it);
}

void ClearMarkerBits(CHHLineMarkerArray& markers, BYTE bits) {
    for (CHHLineMarker& m : markers)
        m.m_nFlags &= static_cast<BYTE>(~bits);
    markers.erase(
        std::remove_if(markers.begin(), markers.end(), [](const CHHLineMarker& m) { return !m.m_nFlags; }),
        markers.end());
}

BYTE MarkerFlagsOf(const CHHLineMarkerArray& markers, int line) {
    for (const CHHLineMarker& m : markers)
        if (m.m_nLine == line) return m.m_nFlags;
    return 0;
}

void MoveMarkerStarts(CHHLineMarkerArray& markers, bool deleted, int start, int end) {
    if (start >= end) return;
    const int length = end - start;
    std::size_t kept = 0;
    for (CHHLineMarker m : markers) {
        int& p = m.m_nLineStart;
        if (deleted) {
            if (start + 1 < p && p < end) continue; // its line start went with the block
            if (p > start) p = std::max(start, p - length);
        } else if (p >= start) {
            p += length;
        }
        markers[kept++] = m;
    }
    markers.resize(kept);
}

bool RelineMarkers(CHHLineMarkerArray& markers, const std::function<int(int)>& lineOf) {
    bool lineChanged = false;
    for (CHHLineMarker& m : markers) {
        const int line = lineOf(m.m_nLineStart);
        lineChanged |= line != m.m_nLine;
        m.m_nLine = line;
    }
    if (lineChanged) mergeSameLines(markers);
    return lineChanged;
}

bool ShiftLineMarkers(CHHLineMarkerArray& markers, bool deleted, int start, int end,
                      const std::function<int(int)>& lineOf) {
    if (start >= end) return false;
    MoveMarkerStarts(markers, deleted, start, end);
    return RelineMarkers(markers, lineOf);
}

ChangedSpan FindChangedSpan(std::string_view before, std::string_view after) {
    const size_t shorter = std::min(before.size(), after.size());
    size_t prefix = 0;
    while (prefix < shorter && before[prefix] == after[prefix])
        ++prefix;
    size_t suffix = 0;
    while (suffix < shorter - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    return {static_cast<int>(prefix), static_cast<int>(before.size() - suffix),
            static_cast<int>(after.size() - suffix)};
}

int NextMarkedLine(const CHHLineMarkerArray& markers, BYTE flag, int caretLine, bool forward) {
    int ahead = -1;   // nearest beyond the caret in the walking direction
    int wrapped = -1; // farthest the other way: where the walk resumes after wrapping
    for (const CHHLineMarker& m : markers) {
        if ((m.m_nFlags & flag) != flag || m.m_nLine == caretLine) continue;
        const bool isAhead = forward ? m.m_nLine > caretLine : m.m_nLine < caretLine;
        int& best = isAhead ? ahead : wrapped;
        const bool closer = forward ? m.m_nLine < best : m.m_nLine > best;
        if (best < 0 || closer) best = m.m_nLine;
    }
    return ahead >= 0 ? ahead : wrapped;
}

void ConstrainToRange(const EditableRange& range, int& selStart, int& selEnd) {
    if (range.start < 0 || selStart == selEnd) return;
    const int last = range.end - 2;
    if (selEnd < range.start || selStart > last) return;
    selStart = std::max(selStart, range.start);
    selEnd = std::min(selEnd, last);
}

int CaretForTyping(const EditableRange& last, int pos, int textLength) {
    if (last.start < 0 || pos != textLength || last.end != textLength) return pos;
    return last.end - 2 >= last.start ? last.end - 2 : pos;
}

bool IsChangeAllowed(const EditableRange& range, const ProtectedChange& c) {
    const int s = range.start, e = range.end;
    if (s < 0 || e < 0) return true;
    if (e == 0) return false;
    if (c.a < s || c.b > e - 2) return c.input == kInputEnter && c.a == c.b && (c.a == e || c.a == s - 2);
    if (c.input == kInputCut || c.input == kInputDelete)
        return c.b <= e && c.a >= s && e - s > 2 && (c.a < e - 2 || c.aStartsLine);
    // The control names the exact characters a Backspace removes, so one that stays inside the
    // editable part (checked above) may go wherever it is on its line.
    if (c.input == kInputBackspace) return e - s > 2;
    return true;
}

bool IsCommitChar(int ch) {
    return ch > 0 && ch < 256 && std::strchr("\r\t ().,;+-*/<>=!?'", ch) != nullptr;
}

bool IsWordChar(int ch) {
    return ch == '_' || (ch >= 0 && ch < 128 && std::isalnum(ch));
}

int TypedPrefixLength(std::string_view text) {
    int n = 0;
    while (n < static_cast<int>(text.size()) && IsWordChar(static_cast<unsigned char>(text[n])))
        ++n;
    return n;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (prefix.size() > text.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (lowerAscii(static_cast<unsigned char>(text[i])) !=
            lowerAscii(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

int CompareMemberItems(const CHHMemberItem& a, const CHHMemberItem& b, bool byGroup) {
    if (byGroup && a.GetGroup() != b.GetGroup()) return a.GetGroup() < b.GetGroup() ? -1 : 1;
    const int c = CString(a.m_strText).CompareNoCase(b.m_strText);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int MemberListHeight(int items, int itemHeight) {
    return std::min(items, 10) * itemHeight + 2;
}

ListPlacement PlaceMemberList(int pointY, int lineHeight, int listHeight, int screenHeight) {
    ListPlacement p;
    p.below = lineHeight + pointY + listHeight + 1 < screenHeight;
    if (p.below) {
        p.listY = pointY + lineHeight + 1;
        p.tipY = pointY;
        p.tipAbove = true;
    } else {
        p.listY = pointY - listHeight - 1;
        p.tipY = pointY + lineHeight + 1;
    }
    return p;
}

TipPlacement PlaceTip(int refX, int refY, bool above, int textWidth, int textHeight, int ownerRight,
                      int screenHeight) {
    TipPlacement t;
    t.width = textWidth + 7;
    t.height = textHeight + 4;
    t.left = refX;
    if (t.left + t.width > ownerRight) t.left = ownerRight - t.width;
    t.above = above || refY + textHeight + 1 >= screenHeight;
    t.top = t.above ? refY - textHeight - 4 : refY;
    return t;
}

int TipWrapWidth(int ownerWidth) {
    return std::max(ownerWidth - 30, 60);
}

} // namespace hh
