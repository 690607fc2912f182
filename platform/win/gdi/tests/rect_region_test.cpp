// The rectangle-list region against a model of its pixels: random regions put together by every
// operation must hold exactly the model's pixels, in the one band form those pixels have.
#include "platform/win/gdi/rect_region.h"

#include <gtest/gtest.h>

#include <bitset>
#include <random>
#include <vector>

using pm::gdi::RectRegion;

namespace {

// Pixels -4 .. 39 in both directions, more than any rectangle of the tests reaches.
constexpr int kLow = -4, kSide = 44;

struct Model {
    std::bitset<kSide * kSide> bits;
    bool at(int x, int y) const {
        return x >= kLow && y >= kLow && x < kLow + kSide && y < kLow + kSide &&
               bits[static_cast<std::size_t>((y - kLow) * kSide + (x - kLow))];
    }
    void set(int x, int y, bool v) { bits[static_cast<std::size_t>((y - kLow) * kSide + (x - kLow))] = v; }
};

Model modelOf(const RECT& r) {
    Model m;
    for (int y = kLow; y < kLow + kSide; ++y)
        for (int x = kLow; x < kLow + kSide; ++x)
            m.set(x, y, x >= r.left && x < r.right && y >= r.top && y < r.bottom);
    return m;
}

template <class Op> Model combine(const Model& a, const Model& b, Op op) {
    Model m;
    for (int y = kLow; y < kLow + kSide; ++y)
        for (int x = kLow; x < kLow + kSide; ++x)
            m.set(x, y, op(a.at(x, y), b.at(x, y)));
    return m;
}

// The band form of the model's pixels: the spans of each row, rows with the same spans that follow
// each other making one band.
std::vector<RECT> bandsOf(const Model& m) {
    std::vector<RECT> out;
    std::vector<std::pair<int, int>> previous;
    std::size_t bandStart = 0;
    for (int y = kLow; y < kLow + kSide; ++y) {
        std::vector<std::pair<int, int>> spans;
        for (int x = kLow; x < kLow + kSide; ++x) {
            if (!m.at(x, y)) continue;
            int end = x;
            while (m.at(end, y))
                ++end;
            spans.emplace_back(x, end);
            x = end;
        }
        if (!spans.empty() && spans == previous && out.back().bottom == y) {
            for (std::size_t i = bandStart; i < out.size(); ++i)
                out[i].bottom = y + 1;
            continue;
        }
        bandStart = out.size();
        for (auto [l, r] : spans)
            out.push_back(RECT{l, y, r, y + 1});
        previous = spans;
    }
    return out;
}

void expectSame(const Model& model, const RectRegion& region, const char* what) {
    std::vector<RECT> expected = bandsOf(model);
    std::vector<RECT> got(region.begin(), region.end());
    ASSERT_EQ(expected.size(), got.size()) << what;
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(expected[i].left, got[i].left) << what << " rect " << i;
        EXPECT_EQ(expected[i].top, got[i].top) << what << " rect " << i;
        EXPECT_EQ(expected[i].right, got[i].right) << what << " rect " << i;
        EXPECT_EQ(expected[i].bottom, got[i].bottom) << what << " rect " << i;
    }
    RECT box{0, 0, 0, 0};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const RECT& r = expected[i];
        box = i == 0 ? r : RECT{std::min(box.left, r.left), box.top, std::max(box.right, r.right), r.bottom};
    }
    const RECT& b = region.bounds();
    EXPECT_TRUE(b.left == box.left && b.top == box.top && b.right == box.right && b.bottom == box.bottom)
        << what;
    EXPECT_EQ(expected.empty(), region.empty()) << what;
    for (int y = kLow; y < kLow + kSide; ++y)
        for (int x = kLow; x < kLow + kSide; ++x)
            ASSERT_EQ(model.at(x, y), region.contains(x, y)) << what << " at " << x << "," << y;
}

RECT randomRect(std::mt19937& rng) {
    std::uniform_int_distribution<int> at(-2, 24), size(-2, 12);
    int l = at(rng), t = at(rng);
    return RECT{l, t, l + size(rng), t + size(rng)};
}

TEST(RectRegion, OperationsHoldTheModelsPixelsInTheBandForm) {
    std::mt19937 rng(1234);
    for (int round = 0; round < 400; ++round) {
        RectRegion region;
        Model model;
        for (int step = 0; step < 8; ++step) {
            RECT r = randomRect(rng);
            RectRegion other(r);
            Model om = modelOf(r);
            switch (rng() % 5) {
            case 0:
                region = region | other;
                model = combine(model, om, [](bool a, bool b) { return a || b; });
                break;
            case 1:
                region = region & other;
                model = combine(model, om, [](bool a, bool b) { return a && b; });
                break;
            case 2:
                region = region - other;
                model = combine(model, om, [](bool a, bool b) { return a && !b; });
                break;
            case 3:
                region = region ^ other;
                model = combine(model, om, [](bool a, bool b) { return a != b; });
                break;
            default:
                // The other way round: a rectangle less, or and, the region.
                region = other - region;
                model = combine(om, model, [](bool a, bool b) { return a && !b; });
                break;
            }
            expectSame(model, region, "after an operation");
            if (HasFailure()) return;
        }
    }
}

TEST(RectRegion, ComplexRegionsCombineWithEachOther) {
    std::mt19937 rng(99);
    auto make = [&](Model* m) {
        RectRegion r;
        *m = Model();
        for (int i = 0; i < 5; ++i) {
            RECT rect = randomRect(rng);
            r = i % 2 ? r ^ RectRegion(rect) : r | RectRegion(rect);
            *m = combine(*m, modelOf(rect), [i](bool a, bool b) { return i % 2 ? a != b : a || b; });
        }
        return r;
    };
    for (int round = 0; round < 300; ++round) {
        Model ma, mb;
        RectRegion a = make(&ma), b = make(&mb);
        expectSame(combine(ma, mb, [](bool x, bool y) { return x || y; }), a | b, "union");
        expectSame(combine(ma, mb, [](bool x, bool y) { return x && y; }), a & b, "intersection");
        expectSame(combine(ma, mb, [](bool x, bool y) { return x && !y; }), a - b, "difference");
        expectSame(combine(ma, mb, [](bool x, bool y) { return x != y; }), a ^ b, "xor");
        EXPECT_EQ(ma.bits == mb.bits, a == b);
        EXPECT_TRUE((a | b) == (b | a));
        RECT probe = randomRect(rng);
        bool meets = false;
        for (int y = probe.top; y < probe.bottom; ++y)
            for (int x = probe.left; x < probe.right; ++x)
                meets = meets || ma.at(x, y);
        EXPECT_EQ(meets, a.intersects(probe));
        if (HasFailure()) return;
    }
}

TEST(RectRegion, TranslateAndBandsOfAnotherRegion) {
    RectRegion l = RectRegion(RECT{0, 0, 4, 4}) | RectRegion(RECT{0, 4, 8, 6});
    RectRegion moved = l.translated(3, -2);
    EXPECT_TRUE(moved.contains(3, -2));
    EXPECT_TRUE(moved.contains(10, 3));
    EXPECT_FALSE(moved.contains(10, 1));
    EXPECT_EQ(2u, moved.rectCount());
    EXPECT_EQ(11, moved.bounds().right);

    // Touching rectangles of a band merge; so do touching bands of the same spans.
    const RECT bands[] = {{0, 0, 2, 3}, {2, 0, 5, 3}, {7, 0, 9, 3}, {0, 3, 5, 6}, {7, 3, 9, 6}, {1, 8, 2, 9}};
    RectRegion r = RectRegion::fromBands(bands, 6);
    EXPECT_EQ(3u, r.rectCount());
    EXPECT_TRUE(r ==
                (RectRegion(RECT{0, 0, 5, 6}) | RectRegion(RECT{7, 0, 9, 6}) | RectRegion(RECT{1, 8, 2, 9})));
    EXPECT_TRUE(RectRegion::fromBands(nullptr, 0).empty());
    EXPECT_TRUE(RectRegion(RECT{5, 5, 5, 9}).empty());
    EXPECT_EQ(0u, RectRegion(RECT{5, 5, 2, 9}).rectCount());
}

} // namespace
