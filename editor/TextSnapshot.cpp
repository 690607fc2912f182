#include "editor/TextSnapshot.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

namespace hh {

namespace {
// Neighbouring pieces that together stay below this are merged into one buffer, so the piece
// count stays bounded however many small edits a chain of snapshots has seen.
constexpr std::size_t kMergeLimit = 16 * 1024;
} // namespace

void TextSnapshot::append(const Piece& piece) {
    if (piece.length == 0) return;
    m_pieces.push_back(piece);
    m_length += piece.length;
}

void TextSnapshot::appendCopy(const char* text, std::size_t length) {
    if (length == 0) return;
    append(Piece{std::make_shared<const std::string>(text, length), 0, length});
}

// Appends base's characters [from, to), sharing its buffers.
void TextSnapshot::appendRange(const TextSnapshot& base, std::size_t from, std::size_t to) {
    std::size_t at = 0;
    for (const Piece& piece : base.m_pieces) {
        const std::size_t start = std::max(from, at);
        const std::size_t end = std::min(to, at + piece.length);
        if (start < end) append(Piece{piece.buffer, piece.offset + (start - at), end - start});
        at += piece.length;
        if (at >= to) break;
    }
}

std::size_t TextSnapshot::commonPrefix(const char* text, std::size_t length) const {
    std::size_t done = 0;
    for (const Piece& piece : m_pieces) {
        const char* p = piece.buffer->data() + piece.offset;
        const std::size_t n = std::min(piece.length, length - done);
        if (std::memcmp(p, text + done, n) != 0)
            return done + static_cast<std::size_t>(std::mismatch(p, p + n, text + done).first - p);
        done += n;
        if (done == length) break;
    }
    return done;
}

// The length of the common end of this snapshot and text, at most limit.
std::size_t TextSnapshot::commonSuffix(const char* text, std::size_t length, std::size_t limit) const {
    std::size_t done = 0;
    for (auto it = m_pieces.rbegin(); it != m_pieces.rend() && done < limit; ++it) {
        const std::size_t n = std::min(it->length, limit - done);
        const char* mine = it->buffer->data() + it->offset + it->length - n;
        const char* theirs = text + length - done - n;
        if (std::memcmp(mine, theirs, n) != 0) {
            std::size_t same = 0;
            while (same < n && mine[n - 1 - same] == theirs[n - 1 - same])
                ++same;
            return done + same;
        }
        done += n;
    }
    return done;
}

void TextSnapshot::mergeSmallPieces() {
    std::vector<Piece> merged;
    merged.reserve(m_pieces.size());
    std::size_t i = 0;
    while (i < m_pieces.size()) {
        std::size_t j = i;
        std::size_t total = 0;
        while (j < m_pieces.size() && total + m_pieces[j].length <= kMergeLimit)
            total += m_pieces[j++].length;
        if (j - i < 2) {
            merged.push_back(m_pieces[i++]);
            continue;
        }
        auto buffer = std::make_shared<std::string>();
        buffer->reserve(total);
        for (; i < j; ++i)
            buffer->append(m_pieces[i].buffer->data() + m_pieces[i].offset, m_pieces[i].length);
        merged.push_back(Piece{std::move(buffer), 0, total});
    }
    m_pieces.swap(merged);
}

TextSnapshot TextSnapshot::Take(const char* text, std::size_t length, const TextSnapshot* base) {
    TextSnapshot snapshot;
    if (!text || length == 0) return snapshot;
    if (!base || base->m_length == 0) {
        snapshot.appendCopy(text, length);
        return snapshot;
    }
    const std::size_t limit = std::min(length, base->m_length);
    const std::size_t prefix = base->commonPrefix(text, limit);
    const std::size_t suffix = base->commonSuffix(text, length, limit - prefix);
    return Splice(*base, prefix, text + prefix, length - prefix - suffix, suffix);
}

TextSnapshot TextSnapshot::Splice(const TextSnapshot& base, std::size_t prefix, const char* middle,
                                  std::size_t middleLength, std::size_t suffix) {
    return Splice(base, prefix, middleLength ? std::string(middle, middleLength) : std::string(), suffix);
}

TextSnapshot TextSnapshot::Splice(const TextSnapshot& base, std::size_t prefix, std::string middle,
                                  std::size_t suffix) {
    TextSnapshot snapshot;
    prefix = std::min(prefix, base.m_length);
    suffix = std::min(suffix, base.m_length - prefix);
    snapshot.appendRange(base, 0, prefix);
    const std::size_t length = middle.size();
    if (length > 0) snapshot.append(Piece{std::make_shared<const std::string>(std::move(middle)), 0, length});
    snapshot.appendRange(base, base.m_length - suffix, base.m_length);
    snapshot.mergeSmallPieces();
    return snapshot;
}

TextSnapshot TextSnapshot::Take(const CString& text, const TextSnapshot* base) {
    return Take(static_cast<LPCTSTR>(text), static_cast<std::size_t>(text.GetLength()), base);
}

std::string TextSnapshot::ToStdString() const {
    std::string out;
    out.reserve(m_length);
    for (const Piece& piece : m_pieces)
        out.append(piece.buffer->data() + piece.offset, piece.length);
    return out;
}

CString TextSnapshot::ToString() const {
    CString out;
    char* p = out.GetBufferSetLength(static_cast<int>(m_length));
    for (const Piece& piece : m_pieces) {
        std::memcpy(p, piece.buffer->data() + piece.offset, piece.length);
        p += piece.length;
    }
    out.ReleaseBuffer(static_cast<int>(m_length));
    return out;
}

std::string TextSnapshot::Slice(std::size_t from, std::size_t to) const {
    std::string out;
    to = std::min(to, m_length);
    if (from >= to) return out;
    out.reserve(to - from);
    std::size_t at = 0;
    for (const Piece& piece : m_pieces) {
        const std::size_t start = std::max(from, at);
        const std::size_t end = std::min(to, at + piece.length);
        if (start < end) out.append(piece.buffer->data() + piece.offset + (start - at), end - start);
        at += piece.length;
        if (at >= to) break;
    }
    return out;
}

std::size_t TextSnapshot::CommonStart(const TextSnapshot& a, const TextSnapshot& b) {
    const std::size_t limit = std::min(a.m_length, b.m_length);
    std::size_t done = 0, i = 0, j = 0, inA = 0, inB = 0;
    while (done < limit) {
        const Piece& pa = a.m_pieces[i];
        const Piece& pb = b.m_pieces[j];
        const std::size_t n = std::min({pa.length - inA, pb.length - inB, limit - done});
        const char* x = pa.buffer->data() + pa.offset + inA;
        const char* y = pb.buffer->data() + pb.offset + inB;
        if (x != y && std::memcmp(x, y, n) != 0)
            return done + static_cast<std::size_t>(std::mismatch(x, x + n, y).first - x);
        done += n;
        inA += n;
        inB += n;
        if (inA == pa.length) ++i, inA = 0;
        if (inB == pb.length) ++j, inB = 0;
    }
    return done;
}

// Counted from the ends, at most limit.
std::size_t TextSnapshot::CommonEnd(const TextSnapshot& a, const TextSnapshot& b, std::size_t limit) {
    limit = std::min({limit, a.m_length, b.m_length});
    std::size_t done = 0, i = a.m_pieces.size(), j = b.m_pieces.size(), inA = 0, inB = 0;
    while (done < limit) {
        const Piece& pa = a.m_pieces[i - 1];
        const Piece& pb = b.m_pieces[j - 1];
        const std::size_t n = std::min({pa.length - inA, pb.length - inB, limit - done});
        const char* x = pa.buffer->data() + pa.offset + pa.length - inA - n;
        const char* y = pb.buffer->data() + pb.offset + pb.length - inB - n;
        if (x != y && std::memcmp(x, y, n) != 0) {
            std::size_t same = 0;
            while (x[n - 1 - same] == y[n - 1 - same])
                ++same;
            return done + same;
        }
        done += n;
        inA += n;
        inB += n;
        if (inA == pa.length) --i, inA = 0;
        if (inB == pb.length) --j, inB = 0;
    }
    return done;
}

std::size_t TextSnapshot::SharedBytes(const std::vector<const TextSnapshot*>& snapshots) {
    std::unordered_set<const std::string*> seen;
    std::size_t bytes = 0;
    for (const TextSnapshot* snapshot : snapshots) {
        for (const Piece& piece : snapshot->m_pieces) {
            if (seen.insert(piece.buffer.get()).second) bytes += piece.buffer->size();
        }
    }
    return bytes;
}

} // namespace hh
