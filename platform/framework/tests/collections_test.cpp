#include "platform/framework/framework.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

template <class E> void expectRaises(const std::function<void()>& f) {
    try {
        f();
        ADD_FAILURE() << "nothing raised";
    } catch (E* e) {
        e->Delete();
    }
}

std::vector<DWORD> contents(const CDWordArray& a) {
    return std::vector<DWORD>(a.GetData(), a.GetData() + a.GetSize());
}

TEST(CArray, SetSizeZeroesNewElementsAndKeepsOld) {
    CDWordArray a;
    a.SetSize(3, 16);
    EXPECT_EQ(contents(a), (std::vector<DWORD>{0, 0, 0}));
    a[1] = 7;
    a.SetSize(5);
    EXPECT_EQ(contents(a), (std::vector<DWORD>{0, 7, 0, 0, 0}));
    a.SetSize(2);
    a.SetSize(4);
    EXPECT_EQ(contents(a), (std::vector<DWORD>{0, 7, 0, 0})); // shrunk elements come back as 0
    a.SetSize(0);
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(a.GetUpperBound(), -1);
    expectRaises<CInvalidArgException>([&] { a.SetSize(-1); });
}

// Counts relocations: each element moved to a new allocation is one move construction.
struct Counted {
    static int moves;
    Counted() = default;
    Counted(const Counted&) = default;
    Counted(Counted&&) noexcept { ++moves; }
    Counted& operator=(const Counted&) = default;
    Counted& operator=(Counted&&) noexcept = default;
};
int Counted::moves = 0;

// Adds elements until the array holds n; answers the elements moved meanwhile.
int movesWhileGrowingTo(CArray<Counted, const Counted&>& a, INT_PTR n) {
    Counted::moves = 0;
    while (a.GetSize() < n)
        a.Add(Counted());
    return Counted::moves;
}

TEST(CArray, GrowthFollowsTheGrowByOrAnEighthBetween4And1024) {
    CArray<Counted, const Counted&> byStep;
    byStep.SetSize(0, 16);
    EXPECT_EQ(movesWhileGrowingTo(byStep, 16), 0); // the first allocation takes a whole step
    EXPECT_EQ(movesWhileGrowingTo(byStep, 17), 16);
    EXPECT_EQ(movesWhileGrowingTo(byStep, 32), 0);
    EXPECT_EQ(movesWhileGrowingTo(byStep, 33), 32);

    CArray<Counted, const Counted&> small;
    EXPECT_EQ(movesWhileGrowingTo(small, 1), 0);
    EXPECT_EQ(movesWhileGrowingTo(small, 5), 1); // 1 -> room for 5 (at least 4 more)
    EXPECT_EQ(movesWhileGrowingTo(small, 9), 5);

    CArray<Counted, const Counted&> middle;
    middle.SetSize(4096);
    EXPECT_EQ(movesWhileGrowingTo(middle, 4096 + 512), 4096); // an eighth more
    EXPECT_EQ(movesWhileGrowingTo(middle, 4096 + 513), 4608);

    CArray<Counted, const Counted&> large;
    large.SetSize(16384);
    EXPECT_EQ(movesWhileGrowingTo(large, 16384 + 1024), 16384); // never more than 1024 at once
    EXPECT_EQ(movesWhileGrowingTo(large, 16384 + 1025), 17408);
}

TEST(CArray, EditsAndBounds) {
    CDWordArray a;
    for (DWORD i = 1; i <= 3; ++i)
        a.Add(i);
    a.InsertAt(1, 9, 2);
    EXPECT_EQ(contents(a), (std::vector<DWORD>{1, 9, 9, 2, 3}));
    a.RemoveAt(0, 2);
    EXPECT_EQ(contents(a), (std::vector<DWORD>{9, 2, 3}));
    a.InsertAt(5, 4);
    EXPECT_EQ(contents(a), (std::vector<DWORD>{9, 2, 3, 0, 0, 4}));
    a.SetAtGrow(7, 8);
    EXPECT_EQ(a.GetSize(), 8);
    EXPECT_EQ(a.Append(a), 8);
    EXPECT_EQ(a.GetSize(), 16);
    a.InsertAt(1, &a);
    EXPECT_EQ(a.GetSize(), 32);
    EXPECT_EQ(a[1], 9u);
    CDWordArray b;
    b.Copy(a);
    EXPECT_EQ(contents(b), contents(a));
    expectRaises<CInvalidArgException>([&] { a.GetAt(32); });
    expectRaises<CInvalidArgException>([&] { a[-1]; });
    expectRaises<CInvalidArgException>([&] { a.RemoveAt(30, 3); });
}

TEST(CArray, AddingAnElementOfTheSameArray) {
    CStringArray a;
    a.Add("first");
    for (int i = 0; i < 100; ++i)
        a.Add(a[0]);
    EXPECT_EQ(a.GetSize(), 101);
    EXPECT_STREQ(a[100], "first");
    a.InsertAt(0, a[50], 3);
    EXPECT_STREQ(a[2], "first");
}

TEST(CArray, GenericArrayOfStructs) {
    struct Item {
        int id;
        CString name;
    };
    CArray<Item, const Item&> items;
    items.Add(Item{1, "a"});
    items.SetSize(3);
    EXPECT_EQ(items[2].id, 0);
    EXPECT_TRUE(items[2].name.IsEmpty());
    items.RemoveAll();
    EXPECT_EQ(items.GetSize(), 0);
}

TEST(CList, PositionsAndEdits) {
    CStringList list;
    const POSITION b = list.AddTail("b");
    list.AddHead("a");
    list.AddTail("d");
    const POSITION c = list.InsertAfter(b, "c");
    list.InsertBefore(list.GetHeadPosition(), "0");
    std::string walk;
    for (POSITION p = list.GetHeadPosition(); p;)
        walk += list.GetNext(p);
    EXPECT_EQ(walk, "0abcd");
    walk.clear();
    for (POSITION p = list.GetTailPosition(); p;)
        walk += list.GetPrev(p);
    EXPECT_EQ(walk, "dcba0");
    EXPECT_EQ(list.Find("c"), c);
    EXPECT_EQ(list.Find("c", c), nullptr);
    EXPECT_EQ(list.Find("zz"), nullptr);
    EXPECT_EQ(list.FindIndex(2), b);
    EXPECT_EQ(list.FindIndex(5), nullptr);
    list.RemoveAt(b);
    EXPECT_STREQ(list.RemoveHead(), "0");
    EXPECT_STREQ(list.RemoveTail(), "d");
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_STREQ(list.GetHead(), "a");
    EXPECT_STREQ(list.GetTail(), "c");
    list.AddTail(&list);
    EXPECT_EQ(list.GetCount(), 4);
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    expectRaises<CInvalidArgException>([&] { list.GetHead(); });
}

TEST(CList, PointerLists) {
    int x = 0, y = 0;
    CPtrList list;
    list.AddTail(&x);
    list.AddTail(&y);
    EXPECT_EQ(list.GetAt(list.Find(&y)), &y);
    CObList obs;
    obs.AddTail(static_cast<CObject*>(nullptr));
    EXPECT_EQ(obs.GetCount(), 1);
}

TEST(CMap, HashKeys) {
    EXPECT_EQ(HashKey<LPCTSTR>("ab"), 97u * 33 + 98);
    EXPECT_EQ(HashKey<LPCTSTR>(""), 0u);
    EXPECT_EQ(HashKey<LPCTSTR>("\xE9"), static_cast<UINT>(-23)); // characters count as signed
    EXPECT_EQ(HashKey<const CString&>(CString("ab")), 97u * 33 + 98);
    EXPECT_EQ(HashKey<WORD>(0x35), 3u);
}

// Iteration walks buckets in order and each chain from its newest entry.
TEST(CMap, IterationOrderFollowsBucketsAndChains) {
    CMap<int, int, int, int> map;
    for (int key : {16, 1, 2, 34, 3})
        map[key] = key * 10; // 1, 2, 3 share bucket 0; 16 is 1; 34 is 2
    std::vector<int> order;
    POSITION pos = map.GetStartPosition();
    while (pos) {
        int key = 0, value = 0;
        map.GetNextAssoc(pos, key, value);
        EXPECT_EQ(value, key * 10);
        order.push_back(key);
    }
    EXPECT_EQ(order, (std::vector<int>{3, 2, 1, 16, 34}));
    EXPECT_EQ(map.GetHashTableSize(), 17u);

    CMapStringToString strings;
    strings.SetAt("b", "2"); // bucket 98 % 17 = 13
    strings.SetAt("a", "1"); // bucket 97 % 17 = 12
    POSITION p = strings.GetStartPosition();
    CString key, value;
    strings.GetNextAssoc(p, key, value);
    EXPECT_STREQ(key, "a");
    strings.GetNextAssoc(p, key, value);
    EXPECT_STREQ(key, "b");
    EXPECT_EQ(p, nullptr);
}

TEST(CMap, LookupRemoveAndRehash) {
    CMapStringToPtr map;
    map.InitHashTable(3);
    int values[50];
    for (int i = 0; i < 50; ++i)
        map.SetAt(CString('k', i + 1), &values[i]);
    EXPECT_EQ(map.GetCount(), 50);
    void* found = nullptr;
    EXPECT_TRUE(map.Lookup(CString('k', 7), found));
    EXPECT_EQ(found, &values[6]);
    EXPECT_FALSE(map.Lookup("x", found));
    EXPECT_TRUE(map.RemoveKey(CString('k', 7)));
    EXPECT_FALSE(map.RemoveKey(CString('k', 7)));
    map.InitHashTable(101);
    EXPECT_EQ(map.GetCount(), 49);
    EXPECT_TRUE(map.Lookup(CString('k', 50), found));
    EXPECT_EQ(found, &values[49]);
    int walked = 0;
    for (POSITION pos = map.GetStartPosition(); pos; ++walked) {
        CString key;
        map.GetNextAssoc(pos, key, found);
    }
    EXPECT_EQ(walked, 49);
    map.RemoveAll();
    EXPECT_EQ(map.GetStartPosition(), nullptr);

    CMapStringToString names;
    names["Key"] = "v";
    LPCTSTR stored = nullptr;
    EXPECT_TRUE(names.LookupKey("Key", stored));
    EXPECT_STREQ(stored, "Key");
    EXPECT_FALSE(names.LookupKey("key", stored)); // keys compare exactly

    CMapWordToPtr words;
    words[7] = &values[0];
    EXPECT_TRUE(words.Lookup(7, found));
    CMapPtrToPtr ptrs;
    ptrs[&values[1]] = &values[2];
    EXPECT_TRUE(ptrs.Lookup(&values[1], found));
    EXPECT_EQ(found, &values[2]);
}

} // namespace
