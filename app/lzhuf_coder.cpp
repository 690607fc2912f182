#include "app/lzhuf_coder.h"

#include "app/lzhuf_tree.h"

#include <algorithm>
#include <memory>
#include <vector>

const std::uint8_t LzhufCoder::kMagic[4] = {'Q', 'Z', '1', '0'};

namespace {

const int N = 4096;              // ring size
const int F = 60;                // longest match
const int THRESHOLD = 2;         // longest match sent as literals
const int NIL = N;               // no tree node
const int T = LzhufTree::kNodes; // a decoding node at or above T is a leaf
const std::size_t kBufferSize = 65536;

// Counts bytes done and reports progress every 10240 bytes, in steps of 1024.
class ProgressMarks {
public:
    ProgressMarks(const LzhufCoder::Progress& progress, std::uint32_t total)
        : m_progress(progress), m_total(total) {}
    void Update(std::uint32_t done) {
        m_done = done;
        if (!m_progress || done <= m_step) return;
        m_step += 1024;
        if (m_step <= m_report) return;
        m_progress(m_done, m_total);
        m_report += 10240;
    }
    void Finish() {
        if (m_progress) m_progress(m_done, m_total);
    }

private:
    const LzhufCoder::Progress& m_progress;
    std::uint32_t m_total;
    std::uint32_t m_done = 0;
    std::uint32_t m_step = 0;
    std::uint32_t m_report = 0;
};

class BitWriter {
public:
    explicit BitWriter(ByteSink& sink) : m_sink(sink) { m_buffer.reserve(kBufferSize); }

    // Appends the low count bits of bits, most significant first.
    void Put(std::uint64_t bits, int count) {
        while (count > 0) {
            int take = std::min(count, 32);
            count -= take;
            m_acc = (m_acc << take) | ((bits >> count) & ((std::uint64_t(1) << take) - 1));
            m_fill += take;
            while (m_fill >= 8) {
                m_fill -= 8;
                PutByte(static_cast<std::uint8_t>(m_acc >> m_fill));
            }
        }
    }
    void PutByte(std::uint8_t b) {
        m_buffer.push_back(b);
        if (m_buffer.size() >= kBufferSize) Flush();
    }
    // Writes the last partial byte, zero-padded, and everything buffered.
    bool Finish() {
        if (m_fill > 0) PutByte(static_cast<std::uint8_t>(m_acc << (8 - m_fill)));
        m_fill = 0;
        Flush();
        return m_ok;
    }
    bool Ok() const { return m_ok; }

private:
    void Flush() {
        if (m_ok && !m_buffer.empty()) m_ok = m_sink.Write(m_buffer.data(), m_buffer.size());
        m_buffer.clear();
    }

    ByteSink& m_sink;
    std::vector<std::uint8_t> m_buffer;
    std::uint64_t m_acc = 0;
    int m_fill = 0;
    bool m_ok = true;
};

// Reads bytes through a buffer; past the end of the source it supplies zero bytes.
class ByteReader {
public:
    explicit ByteReader(ByteSource& source) : m_source(source), m_buffer(kBufferSize) {}
    int Get() {
        if (m_pos == m_end && !Fill()) return -1;
        return m_buffer[m_pos++];
    }

private:
    bool Fill() {
        if (m_atEnd) return false;
        m_pos = 0;
        m_end = m_source.Read(m_buffer.data(), m_buffer.size());
        m_atEnd = m_end == 0;
        return !m_atEnd;
    }

    ByteSource& m_source;
    std::vector<std::uint8_t> m_buffer;
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    bool m_atEnd = false;
};

// The decoder's bit input: a 16-bit buffer refilled a byte at a time. It notes when a bit from
// beyond the end of the source is used, which a whole stream never needs.
class BitReader {
public:
    explicit BitReader(ByteReader& bytes) : m_bytes(bytes) {}
    int GetBit() { return static_cast<int>(Get(1)); }
    unsigned GetByte() { return Get(8); }
    bool Overrun() const { return m_overrun; }

private:
    unsigned Get(int count) {
        while (m_len <= 8) {
            int b = m_bytes.Get();
            if (b < 0) {
                b = 0;
                m_padding += 8;
            }
            m_buf |= static_cast<unsigned>(b) << (8 - m_len);
            m_len += 8;
        }
        unsigned value = (m_buf & 0xFFFF) >> (16 - count);
        m_buf = (m_buf << count) & 0xFFFF;
        m_len -= count;
        if (m_padding > m_len) m_overrun = true;
        return value;
    }

    ByteReader& m_bytes;
    unsigned m_buf = 0;
    int m_len = 0;
    int m_padding = 0; // zero bits supplied past the end, all at the end of the buffer
    bool m_overrun = false;
};

// The LZSS ring with its binary search trees, one per first byte.
class MatchFinder {
public:
    MatchFinder() {
        std::fill(std::begin(text), std::end(text), 0);
        std::fill(std::begin(lson), std::end(lson), 0);
        std::fill(std::begin(rson), std::end(rson), 0);
        std::fill(std::begin(dad), std::end(dad), 0);
        for (int i = N + 1; i <= N + 256; i++)
            rson[i] = NIL;
        for (int i = 0; i < N; i++)
            dad[i] = NIL;
    }

    void Insert(int r) {
        int cmp = 1;
        const std::uint8_t* key = &text[r];
        int p = N + 1 + key[0];
        rson[r] = lson[r] = NIL;
        matchLength = 0;
        for (;;) {
            if (cmp >= 0) {
                if (rson[p] == NIL) {
                    rson[p] = r;
                    dad[r] = p;
                    return;
                }
                p = rson[p];
            } else {
                if (lson[p] == NIL) {
                    lson[p] = r;
                    dad[r] = p;
                    return;
                }
                p = lson[p];
            }
            int i = 1;
            for (; i < F; i++)
                if ((cmp = key[i] - text[p + i]) != 0) break;
            if (i > THRESHOLD) {
                int distance = ((r - p) & (N - 1)) - 1;
                if (i > matchLength) {
                    matchPosition = distance;
                    if ((matchLength = i) >= F) break;
                }
                if (i == matchLength && distance < matchPosition) matchPosition = distance;
            }
        }
        // A full-length match: the new position takes the old one's place in the tree.
        dad[r] = dad[p];
        lson[r] = lson[p];
        rson[r] = rson[p];
        dad[lson[p]] = r;
        dad[rson[p]] = r;
        if (rson[dad[p]] == p)
            rson[dad[p]] = r;
        else
            lson[dad[p]] = r;
        dad[p] = NIL;
    }

    void Delete(int p) {
        if (dad[p] == NIL) return;
        int q;
        if (rson[p] == NIL)
            q = lson[p];
        else if (lson[p] == NIL)
            q = rson[p];
        else {
            q = lson[p];
            if (rson[q] != NIL) {
                do {
                    q = rson[q];
                } while (rson[q] != NIL);
                rson[dad[q]] = lson[q];
                dad[lson[q]] = dad[q];
                lson[q] = lson[p];
                dad[lson[p]] = q;
            }
            rson[q] = rson[p];
            dad[rson[p]] = q;
        }
        dad[q] = dad[p];
        if (rson[dad[p]] == p)
            rson[dad[p]] = q;
        else
            lson[dad[p]] = q;
        dad[p] = NIL;
    }

    std::uint8_t text[N + F - 1];
    int matchLength = 0;
    int matchPosition = 0;

private:
    int lson[N + 1];
    int rson[N + 257];
    int dad[N + 1];
};

void PutSymbol(BitWriter& out, LzhufTree& tree, int c) {
    std::uint64_t bits;
    int length;
    tree.Code(c, bits, length);
    out.Put(bits, length);
    tree.Update(c);
}

void PutPosition(BitWriter& out, int c) {
    const LzhufCoder::PositionTables& t = LzhufCoder::Positions();
    int upper = c >> 6;
    out.Put(t.code[upper] >> (8 - t.length[upper]), t.length[upper]);
    out.Put(static_cast<unsigned>(c & 0x3F), 6);
}

int GetSymbol(BitReader& in, LzhufTree& tree) {
    int c = tree.Root();
    while (c < T)
        c = tree.Child(c, in.GetBit());
    c -= T;
    tree.Update(c);
    return c;
}

int GetPosition(BitReader& in) {
    const LzhufCoder::PositionTables& t = LzhufCoder::Positions();
    unsigned i = in.GetByte();
    unsigned c = static_cast<unsigned>(t.decodeIndex[i]) << 6;
    for (int j = t.decodeLength[i] - 2; j > 0; j--)
        i = (i << 1) + static_cast<unsigned>(in.GetBit());
    return static_cast<int>(c | (i & 0x3F));
}

struct CompressState {
    MatchFinder finder;
    LzhufTree tree;
};

struct ExpandState {
    std::uint8_t ring[N] = {};
    LzhufTree tree;
};

class BufferedOutput {
public:
    explicit BufferedOutput(ByteSink& sink) : m_sink(sink) { m_buffer.reserve(kBufferSize); }
    void Put(std::uint8_t b) {
        m_buffer.push_back(b);
        if (m_buffer.size() >= kBufferSize) Flush();
    }
    bool Flush() {
        if (m_ok && !m_buffer.empty()) m_ok = m_sink.Write(m_buffer.data(), m_buffer.size());
        m_buffer.clear();
        return m_ok;
    }
    bool Ok() const { return m_ok; }

private:
    ByteSink& m_sink;
    std::vector<std::uint8_t> m_buffer;
    bool m_ok = true;
};

} // namespace

const LzhufCoder::PositionTables& LzhufCoder::Positions() {
    static const PositionTables tables = [] {
        // Code lengths of the 64 upper-bit values: 1 of 3 bits, 3 of 4, 8 of 5, 12 of 6, 24 of 7, 16 of 8;
        // the codes are assigned canonically in that order.
        const int counts[] = {1, 3, 8, 12, 24, 16};
        PositionTables t{};
        int index = 0;
        unsigned code = 0;
        for (int n = 0; n < 6; n++) {
            for (int k = 0; k < counts[n]; k++, index++) {
                int length = n + 3;
                t.length[index] = static_cast<std::uint8_t>(length);
                t.code[index] = static_cast<std::uint8_t>(code);
                for (unsigned b = code; b < code + (256u >> length); b++) {
                    t.decodeIndex[b] = static_cast<std::uint8_t>(index);
                    t.decodeLength[b] = static_cast<std::uint8_t>(length);
                }
                code += 256u >> length;
            }
        }
        return t;
    }();
    return tables;
}

LzhufCoder::Result LzhufCoder::Compress(ByteSource& source, std::uint32_t size, ByteSink& sink) {
    BitWriter out(sink);
    for (std::uint8_t b : kMagic)
        out.PutByte(b);
    for (int i = 0; i < 4; i++)
        out.PutByte(static_cast<std::uint8_t>(size >> (8 * i)));
    ProgressMarks marks(m_progress, size);
    if (size == 0) {
        marks.Finish();
        return out.Finish() ? Result::Ok : Result::WriteFailed;
    }
    auto state = std::make_unique<CompressState>();
    MatchFinder& m = state->finder;
    ByteReader in(source);
    std::uint32_t read = 0;
    auto next = [&]() -> int {
        if (read >= size) return -1;
        int c = in.Get();
        if (c >= 0) read++;
        return c;
    };
    int s = 0, r = N - F;
    std::fill(m.text, m.text + r, ' ');
    int len = 0;
    for (int c; len < F && (c = next()) >= 0; len++)
        m.text[r + len] = static_cast<std::uint8_t>(c);
    for (int i = 1; i <= F; i++)
        m.Insert(r - i);
    m.Insert(r);
    do {
        if (m.matchLength > len) m.matchLength = len;
        if (m.matchLength <= THRESHOLD) {
            m.matchLength = 1;
            PutSymbol(out, state->tree, m.text[r]);
        } else {
            PutSymbol(out, state->tree, 255 - THRESHOLD + m.matchLength);
            PutPosition(out, m.matchPosition);
        }
        int last = m.matchLength;
        int i = 0;
        for (int c; i < last && (c = next()) >= 0; i++) {
            m.Delete(s);
            m.text[s] = static_cast<std::uint8_t>(c);
            if (s < F - 1) m.text[s + N] = static_cast<std::uint8_t>(c);
            s = (s + 1) & (N - 1);
            r = (r + 1) & (N - 1);
            m.Insert(r);
        }
        marks.Update(read);
        while (i++ < last) {
            m.Delete(s);
            s = (s + 1) & (N - 1);
            r = (r + 1) & (N - 1);
            if (--len) m.Insert(r);
        }
    } while (len > 0 && out.Ok());
    marks.Finish();
    if (!out.Finish()) return Result::WriteFailed;
    return read == size ? Result::Ok : Result::ShortInput;
}

LzhufCoder::Result LzhufCoder::Expand(ByteSource& source, std::uint64_t sourceSize, ByteSink& sink) {
    ByteReader in(source);
    for (std::uint8_t b : kMagic)
        if (in.Get() != b) return Result::Ok;
    std::uint32_t size = 0;
    for (int i = 0; i < 4; i++) {
        int b = in.Get();
        if (b < 0) return Result::Corrupt;
        size |= static_cast<std::uint32_t>(b) << (8 * i);
    }
    ProgressMarks marks(m_progress, size);
    if (size == 0) {
        marks.Finish();
        return Result::Ok;
    }
    // Every symbol takes at least one bit, and a match of at most 60 bytes at least ten.
    std::uint64_t payload = sourceSize > kHeaderSize ? sourceSize - kHeaderSize : 0;
    if (size > payload * 8 * 6) return Result::Corrupt;
    auto state = std::make_unique<ExpandState>();
    std::uint8_t* ring = state->ring;
    std::fill(ring, ring + N - F, ' ');
    BitReader bits(in);
    BufferedOutput out(sink);
    int r = N - F;
    std::uint32_t count = 0;
    while (count < size && !bits.Overrun() && out.Ok()) {
        int c = GetSymbol(bits, state->tree);
        if (c < 256) {
            out.Put(static_cast<std::uint8_t>(c));
            ring[r++] = static_cast<std::uint8_t>(c);
            r &= N - 1;
            count++;
        } else {
            int i = (r - GetPosition(bits) - 1) & (N - 1);
            std::uint32_t j = static_cast<std::uint32_t>(c - 255 + THRESHOLD);
            j = std::min(j, size - count);
            for (std::uint32_t k = 0; k < j; k++) {
                std::uint8_t b = ring[(i + static_cast<int>(k)) & (N - 1)];
                out.Put(b);
                ring[r++] = b;
                r &= N - 1;
            }
            count += j;
        }
        marks.Update(count);
    }
    marks.Finish();
    if (!out.Flush()) return Result::WriteFailed;
    return bits.Overrun() || count < size ? Result::Corrupt : Result::Ok;
}
