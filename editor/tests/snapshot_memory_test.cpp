// An undo history of whole-text snapshots of a 10 MB text: the snapshots share storage, so
// forty of them, with the redo states of undoing them all, cost less than three texts. Memory is
// counted by this test's own allocation functions.

#include "editor/CHHUndoManager.h"
#include "editor/TextSnapshot.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

namespace {

std::atomic<long long> g_liveBytes{0};
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* allocateOrNull(std::size_t size) {
    void* block = std::malloc(size + kHeader);
    if (!block) return nullptr;
    *static_cast<std::size_t*>(block) = size;
    g_liveBytes += static_cast<long long>(size);
    return static_cast<char*>(block) + kHeader;
}

void* allocate(std::size_t size) {
    void* p = allocateOrNull(size);
    if (!p) throw std::bad_alloc();
    return p;
}

void release(void* p) {
    if (!p) return;
    void* block = static_cast<char*>(p) - kHeader;
    g_liveBytes -= static_cast<long long>(*static_cast<std::size_t*>(block));
    std::free(block);
}

} // namespace

void* operator new(std::size_t size) {
    return allocate(size);
}
void* operator new[](std::size_t size) {
    return allocate(size);
}
// The no-throw forms too, so that every block freed here was allocated here.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return allocateOrNull(size);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    release(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    release(p);
}
void operator delete(void* p) noexcept {
    release(p);
}
void operator delete[](void* p) noexcept {
    release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    release(p);
}

namespace {

using hh::TextSnapshot;

// What the edit control records: the text before a change, and the text before the undo.
class SnapshotAction : public CHHUndoAction {
public:
    SnapshotAction(std::string& text, TextSnapshot& last) : m_text(text), m_last(last) {
        m_before = TextSnapshot::Take(text.data(), text.size(), &last);
        m_last = m_before;
    }
    BOOL Do() override { return TRUE; }
    BOOL Undo() override {
        m_redo = TextSnapshot::Take(m_text.data(), m_text.size(), &m_last);
        m_last = m_redo;
        m_text = m_before.ToStdString();
        return TRUE;
    }
    BOOL Redo() override {
        m_text = m_redo.ToStdString();
        return TRUE;
    }

private:
    std::string& m_text;
    TextSnapshot& m_last;
    TextSnapshot m_before;
    TextSnapshot m_redo;
};

TEST(SnapshotMemory, FortySnapshotsOfTenMegabytesCostUnderThreeTexts) {
    const std::string line = "    var total = compute(items[index], 0x1F) + \"label\"; // note\n";
    std::string text;
    text.reserve(10u * 1024 * 1024 + 64 * 1024);
    while (text.size() + line.size() <= 10u * 1024 * 1024)
        text += line;
    const std::string original = text;
    const long long textBytes = static_cast<long long>(text.size());

    const long long baseline = g_liveBytes.load();
    long long peak = 0;
    {
        TextSnapshot last;
        CHHUndoManager manager(40);
        for (int i = 0; i < 45; ++i) {
            manager.AddAction(new SnapshotAction(text, last));
            const std::size_t pos = (static_cast<std::size_t>(i) * 104729u * 97u) % text.size();
            text.insert(pos, "edit" + std::to_string(i) + " ");
            peak = std::max(peak, g_liveBytes.load() - baseline);
        }
        EXPECT_EQ(manager.GetCount(), 40);
        while (manager.Undo())
            peak = std::max(peak, g_liveBytes.load() - baseline);
        EXPECT_NE(text, original); // the five oldest edits are beyond the limit
        while (manager.Redo())
            peak = std::max(peak, g_liveBytes.load() - baseline);
    }
    RecordProperty("PeakBytes", std::to_string(peak));
    EXPECT_LT(peak, 3 * textBytes) << "peak " << peak << " bytes for a text of " << textBytes;
}

} // namespace
