#include "platform/framework/framework.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

Bytes hex(const char* text) {
    Bytes out;
    for (const char* p = text; *p;) {
        if (*p == ' ') {
            ++p;
            continue;
        }
        out.push_back(static_cast<BYTE>(std::stoi(std::string(p, 2), nullptr, 16)));
        p += 2;
    }
    return out;
}

Bytes ascii(const char* text) {
    return Bytes(text, text + std::strlen(text));
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes store(const std::function<void(CArchive&)>& write) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    write(ar);
    ar.Close();
    Bytes out(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(out.data(), static_cast<UINT>(out.size()));
    return out;
}

void load(const Bytes& bytes, const std::function<void(CArchive&)>& read) {
    CMemFile file;
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load, 128);
    read(ar);
}

// The archive exception cause raised while loading, or -1 when none.
int loadCause(const Bytes& bytes, const std::function<void(CArchive&)>& read) {
    try {
        load(bytes, read);
    } catch (CArchiveException* e) {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

// The archive exception cause f raises, or -1 when none.
int loadCauseOf(CArchive&, const std::function<void()>& f) {
    try {
        f();
    } catch (CArchiveException* e) {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

class CTestA : public CObject {
    DECLARE_SERIAL(CTestA)
public:
    int m_value = 0;
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring())
            ar << m_value;
        else
            ar >> m_value;
    }
};
IMPLEMENT_SERIAL(CTestA, CObject, 1)

class CTestB : public CObject {
    DECLARE_SERIAL(CTestB)
public:
    CString m_text;
    UINT m_schemaSeen = 0;
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring()) {
            ar << m_text;
        } else {
            m_schemaSeen = ar.GetObjectSchema();
            ar >> m_text;
        }
    }
};
IMPLEMENT_SERIAL(CTestB, CObject, VERSIONABLE_SCHEMA | 2)

class CTestNode : public CObject {
    DECLARE_SERIAL(CTestNode)
public:
    CObject* m_child = nullptr;
    ~CTestNode() override { delete m_child; }
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring())
            ar << m_child;
        else
            ar >> m_child;
    }
};
IMPLEMENT_SERIAL(CTestNode, CObject, 1)

// Counts its live instances, so a test can see objects a failed load leaves behind.
class CTestCounted : public CObject {
    DECLARE_SERIAL(CTestCounted)
public:
    static int s_live;
    int m_value = 0;
    CTestCounted() { ++s_live; }
    ~CTestCounted() override { --s_live; }
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring())
            ar << m_value;
        else
            ar >> m_value;
    }
};
IMPLEMENT_SERIAL(CTestCounted, CObject, 1)
int CTestCounted::s_live = 0;

class CNotSerial : public CObject {
    DECLARE_DYNCREATE(CNotSerial)
};
IMPLEMENT_DYNCREATE(CNotSerial, CObject)

TEST(CArchive, IntegersAreLittleEndianAtTheirSizes) {
    const Bytes bytes = store([](CArchive& ar) {
        ar << static_cast<BYTE>(0x12) << static_cast<WORD>(0x3456) << static_cast<DWORD>(0x789ABCDE) << -2
           << static_cast<LONG>(-3) << static_cast<ULONGLONG>(0x0102030405060708ULL) << 1.5;
    });
    EXPECT_EQ(bytes, hex("12 5634 DEBC9A78 FEFFFFFF FDFFFFFF 0807060504030201 000000000000F83F"));
    load(bytes, [](CArchive& ar) {
        BYTE b;
        WORD w;
        DWORD dw;
        int i;
        LONG l;
        ULONGLONG u;
        double d;
        ar >> b >> w >> dw >> i >> l >> u >> d;
        EXPECT_EQ(b, 0x12);
        EXPECT_EQ(w, 0x3456);
        EXPECT_EQ(dw, 0x789ABCDEu);
        EXPECT_EQ(i, -2);
        EXPECT_EQ(l, -3);
        EXPECT_EQ(u, 0x0102030405060708ULL);
        EXPECT_EQ(d, 1.5);
    });
}

TEST(CArchive, StringLengthPrefixes) {
    const std::pair<int, const char*> cases[] = {
        {0, "00"},
        {254, "FE"},
        {255, "FF FF00"},
        {65533, "FF FDFF"},
        {65534, "FF FFFF FEFF0000"},
        {65535, "FF FFFF FFFF0000"},
        {70000, "FF FFFF 70110100"},
    };
    for (const auto& [length, prefix] : cases) {
        SCOPED_TRACE(length);
        CString text;
        for (int i = 0; i < length; ++i)
            text += static_cast<char>(0x80 + i % 100);
        const Bytes bytes = store([&](CArchive& ar) { ar << text; });
        const Bytes expected =
            hex(prefix) + Bytes(static_cast<LPCTSTR>(text), static_cast<LPCTSTR>(text) + length);
        EXPECT_EQ(bytes, expected);
        load(bytes, [&](CArchive& ar) {
            CString back("old");
            ar >> back;
            EXPECT_TRUE(back == text);
        });
    }
}

TEST(CArchive, ObjectsWithClassTagsAndBackReferences) {
    CTestA a1, a2;
    a1.m_value = 1;
    a2.m_value = 2;
    CTestB b1;
    b1.m_text = "hi";
    const Bytes bytes =
        store([&](CArchive& ar) { ar << &a1 << &a2 << &b1 << &a1 << static_cast<CObject*>(nullptr); });
    const Bytes expected = hex("FFFF 0100 0600") + ascii("CTestA") + hex("01000000") // new class 1, object 2
                           + hex("0180 02000000")                                    // class 1, object 3
                           + hex("FFFF 0200 0600") + ascii("CTestB") + hex("02") +
                           ascii("hi")    // class 4, object 5
                           + hex("0200")  // object 2 again
                           + hex("0000"); // null
    EXPECT_EQ(bytes, expected);

    load(bytes, [](CArchive& ar) {
        CObject* read[5] = {};
        for (auto& p : read)
            ar >> p;
        ASSERT_TRUE(read[0] && read[1] && read[2]);
        EXPECT_TRUE(read[0]->IsKindOf(RUNTIME_CLASS(CTestA)));
        EXPECT_EQ(static_cast<CTestA*>(read[0])->m_value, 1);
        EXPECT_EQ(static_cast<CTestA*>(read[1])->m_value, 2);
        EXPECT_STREQ(static_cast<CTestB*>(read[2])->m_text, "hi");
        EXPECT_EQ(static_cast<CTestB*>(read[2])->m_schemaSeen, 2u);
        EXPECT_EQ(read[3], read[0]);
        EXPECT_EQ(read[4], nullptr);
        for (int i = 0; i < 3; ++i)
            delete read[i];
    });
}

TEST(CArchive, ObArrayWithANullElement) {
    CTestA a;
    a.m_value = 7;
    CObArray array;
    array.Add(&a);
    array.Add(nullptr);
    array.Add(&a);
    const Bytes bytes = store([&](CArchive& ar) { array.Serialize(ar); });
    EXPECT_EQ(bytes, hex("0300 FFFF 0100 0600") + ascii("CTestA") + hex("07000000 0000 0200"));
    load(bytes, [](CArchive& ar) {
        CObArray back;
        back.Serialize(ar);
        ASSERT_EQ(back.GetSize(), 3);
        EXPECT_EQ(back[1], nullptr);
        EXPECT_EQ(back[0], back[2]);
        EXPECT_EQ(static_cast<CTestA*>(back[0])->m_value, 7);
        delete back[0];
    });
}

TEST(CArchive, ACutObjectArrayFreesTheElementsItRead) {
    // Two objects made by the array, a back-reference to the first, an outside object the array
    // only refers to; the archive is cut inside the last element.
    auto* outside = new CTestCounted;
    CTestCounted first, second, last;
    CObArray array;
    array.Add(&first);
    array.Add(&second);
    array.Add(&first);
    array.Add(&last);
    const Bytes full = store([&](CArchive& ar) {
        ar << static_cast<CObject*>(outside);
        ar << static_cast<CObject*>(&array);
    });
    const Bytes cut(full.begin(), full.end() - 2);
    const int liveBefore = CTestCounted::s_live;

    load(cut, [&](CArchive& ar) {
        std::unique_ptr<CObject> readOutside(ar.ReadObject(RUNTIME_CLASS(CTestCounted)));
        EXPECT_EQ(CTestCounted::s_live, liveBefore + 1);
        CObArray* read = nullptr;
        EXPECT_THROW(
            {
                try {
                    read = static_cast<CObArray*>(ar.ReadObject(RUNTIME_CLASS(CObArray)));
                } catch (CArchiveException* e) {
                    e->Delete();
                    throw 1;
                }
            },
            int);
        EXPECT_EQ(read, nullptr);
        EXPECT_EQ(CTestCounted::s_live, liveBefore + 1); // only the outside object remains
    });
    EXPECT_EQ(CTestCounted::s_live, liveBefore);
    delete outside;
}

TEST(CArchive, ObjectsLoadedSinceAMarkAreTheOnesMadeAfterIt) {
    CTestCounted outside, first, second;
    CObArray array;
    array.Add(&first);
    array.Add(&outside);
    array.Add(&second);
    const Bytes bytes = store([&](CArchive& ar) {
        ar << static_cast<CObject*>(&outside);
        ar << static_cast<CObject*>(&array);
    });
    load(bytes, [&](CArchive& ar) {
        std::unique_ptr<CObject> readOutside(ar.ReadObject(nullptr));
        const size_t mark = ar.GetLoadMark();
        std::unique_ptr<CObArray> read(static_cast<CObArray*>(ar.ReadObject(RUNTIME_CLASS(CObArray))));
        ASSERT_EQ(read->GetSize(), 3);
        // The array and the two objects it made; the one it refers to was made before the mark.
        EXPECT_EQ(ar.GetObjectsLoadedSince(mark),
                  (std::vector<CObject*>{read.get(), read->GetAt(0), read->GetAt(2)}));
        EXPECT_EQ(read->GetAt(1), readOutside.get());
        EXPECT_TRUE(ar.GetObjectsLoadedSince(ar.GetLoadMark()).empty());
        delete read->GetAt(0);
        delete read->GetAt(2);
    });
}

TEST(CArchive, AnArrayOfAnAskedElementClassMakesNoOtherElement) {
    // Counted elements, then a node that would read (and make) a counted child of its own.
    CTestCounted first, second, inner;
    CTestNode node;
    node.m_child = &inner;
    CObArray mixed, nested;
    mixed.Add(&first);
    mixed.Add(&node);
    mixed.Add(&second);
    nested.Add(&mixed);
    const Bytes flat = store([&](CArchive& ar) { ar << static_cast<CObject*>(&mixed); });
    const Bytes deep = store([&](CArchive& ar) { ar << static_cast<CObject*>(&nested); });
    node.m_child = nullptr;
    const int liveBefore = CTestCounted::s_live;
    load(flat, [&](CArchive& ar) {
        ar.SetNextElementClass(RUNTIME_CLASS(CTestCounted));
        EXPECT_EQ(loadCauseOf(ar, [&] { delete ar.ReadObject(RUNTIME_CLASS(CObArray)); }),
                  CArchiveException::badClass);
        EXPECT_EQ(CTestCounted::s_live, liveBefore) << "the node's child was never made, the first one freed";
    });
    // The asked class holds for the outer array's elements, not for what they read in turn.
    load(deep, [&](CArchive& ar) {
        ar.SetNextElementClass(RUNTIME_CLASS(CObArray));
        std::unique_ptr<CObArray> outer(static_cast<CObArray*>(ar.ReadObject(RUNTIME_CLASS(CObArray))));
        ASSERT_EQ(outer->GetSize(), 1);
        std::unique_ptr<CObArray> read(static_cast<CObArray*>(outer->GetAt(0)));
        ASSERT_EQ(read->GetSize(), 3);
        EXPECT_EQ(CTestCounted::s_live, liveBefore + 3);
        for (INT_PTR i = 0; i < read->GetSize(); ++i)
            delete read->GetAt(i);
    });
    EXPECT_EQ(CTestCounted::s_live, liveBefore);
}

TEST(CArchive, AnArrayReadInPlaceKeepsNoFreedElements) {
    CTestCounted kept, made;
    CObArray array;
    array.Add(&kept);
    array.Add(&made);
    array.Add(&kept);
    const Bytes full = store([&](CArchive& ar) {
        ar << static_cast<CObject*>(&kept);
        array.Serialize(ar);
        ar << 5; // a field after the array, missing from the cut archive
    });
    const Bytes cut(full.begin(), full.end() - 4);
    const int liveBefore = CTestCounted::s_live;
    load(cut, [&](CArchive& ar) {
        std::unique_ptr<CObject> readKept(ar.ReadObject(nullptr));
        CObArray back;
        back.Serialize(ar);
        EXPECT_EQ(CTestCounted::s_live, liveBefore + 2);
        int after = 0;
        EXPECT_EQ(loadCauseOf(ar, [&] { ar >> after; }), CArchiveException::endOfFile);
        // The array is whole; its elements are the caller's, as before.
        EXPECT_EQ(back[0], readKept.get());
        delete back[1];
    });

    // Cut inside the array: the element it made is freed and its slot cleared, the back-references
    // to the object read before it are kept.
    const Bytes cutInside(full.begin(), full.end() - 6);
    load(cutInside, [&](CArchive& ar) {
        std::unique_ptr<CObject> readKept(ar.ReadObject(nullptr));
        CObArray back;
        EXPECT_EQ(loadCauseOf(ar, [&] { back.Serialize(ar); }), CArchiveException::endOfFile);
        EXPECT_EQ(CTestCounted::s_live, liveBefore + 1);
        EXPECT_EQ(back[0], readKept.get());
        EXPECT_EQ(back[1], nullptr);
    });
    EXPECT_EQ(CTestCounted::s_live, liveBefore);
}

TEST(CArchive, StringArrayAndCounts) {
    CStringArray strings;
    strings.Add("a");
    strings.Add("");
    strings.Add("\xE9t\xE9");
    const Bytes bytes = store([&](CArchive& ar) {
        strings.Serialize(ar);
        ar.WriteCount(0xFFFE);
        ar.WriteCount(0xFFFF);
        ar.WriteCount(0x12345678);
    });
    EXPECT_EQ(bytes, hex("0300 0161 00 03E974E9 FEFF FFFF FFFF0000 FFFF 78563412"));
    load(bytes, [](CArchive& ar) {
        CStringArray back;
        back.Add("old");
        back.Serialize(ar);
        ASSERT_EQ(back.GetSize(), 3);
        EXPECT_STREQ(back[2], "\xE9t\xE9");
        EXPECT_EQ(ar.ReadCount(), 0xFFFEu);
        EXPECT_EQ(ar.ReadCount(), 0xFFFFu);
        EXPECT_EQ(ar.ReadCount(), 0x12345678u);
    });
}

TEST(CArchive, VersionableAndFixedSchemas) {
    const Bytes oldB = hex("FFFF 0100 0600") + ascii("CTestB") + hex("0178");
    load(oldB, [](CArchive& ar) {
        CObject* p = ar.ReadObject(RUNTIME_CLASS(CTestB));
        EXPECT_EQ(static_cast<CTestB*>(p)->m_schemaSeen, 1u); // an older schema of a versionable class
        delete p;
    });
    const Bytes newA = hex("FFFF 0200 0600") + ascii("CTestA") + hex("01000000");
    EXPECT_EQ(loadCause(newA, [](CArchive& ar) { ar.ReadObject(nullptr); }), CArchiveException::badSchema);
}

struct CorruptCase {
    const char* name;
    Bytes bytes;
    std::function<void(CArchive&)> read;
    int cause;
};

void readString(CArchive& ar) {
    CString s;
    ar >> s;
}

void readObject(CArchive& ar) {
    delete ar.ReadObject(nullptr);
}

void readObArray(CArchive& ar) {
    CObArray array;
    array.Serialize(ar);
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
        delete array[i];
}

TEST(CArchive, TruncatedOrCorruptArchivesRaiseTheArchiveException) {
    const Bytes classA = hex("FFFF 0100 0600") + ascii("CTestA");
    const CorruptCase cases[] = {
        {"empty", {}, readString, CArchiveException::endOfFile},
        {"short prefix", hex("FF FF"), readString, CArchiveException::endOfFile},
        {"short 32-bit prefix", hex("FF FFFF 0100"), readString, CArchiveException::endOfFile},
        {"short text", hex("05") + ascii("abc"), readString, CArchiveException::endOfFile},
        {"huge length", hex("FF FFFF 00FFFF7F") + ascii("abc"), readString, CArchiveException::endOfFile},
        {"64-bit length", hex("FF FFFF FFFFFFFF FFFFFFFFFFFFFFFF"), readString, CArchiveException::badIndex},
        {"wide string marker", hex("FF FEFF 01 6100"), readString, CArchiveException::badIndex},
        {"unknown class", hex("FFFF 0100 0300") + ascii("CZz"), readObject, CArchiveException::badClass},
        {"class not serial", hex("FFFF FFFF 0A00") + ascii("CNotSerial"), readObject,
         CArchiveException::badClass},
        {"class name too long", hex("FFFF 0100 FFFF") + Bytes(300, 'C'), readObject,
         CArchiveException::badClass},
        {"truncated class name", hex("FFFF 0100 0600") + ascii("CTe"), readObject,
         CArchiveException::endOfFile},
        {"truncated object", classA + hex("0100"), readObject, CArchiveException::endOfFile},
        {"object before any", hex("0100"), readObject, CArchiveException::badIndex},
        {"class back-reference unknown", hex("0580"), readObject, CArchiveException::badIndex},
        {"class reference zero", hex("0080"), readObject, CArchiveException::badIndex},
        {"big object tag beyond", hex("FF7F 05000000"), readObject, CArchiveException::badIndex},
        {"object tag naming a class", classA + hex("01000000") + hex("0100"),
         [](CArchive& ar) {
             CObject* first = ar.ReadObject(nullptr);
             delete first;
             ar.ReadObject(nullptr);
         },
         CArchiveException::badIndex},
        {"wrong class requested", classA + hex("01000000"),
         [](CArchive& ar) { delete ar.ReadObject(RUNTIME_CLASS(CTestB)); }, CArchiveException::badClass},
        {"class where an object tag is", hex("0200"), [](CArchive& ar) { ar.ReadClass(); },
         CArchiveException::badIndex},
        {"count beyond the data", hex("FFFF FEFFFFFF") + hex("0000"), readObArray,
         CArchiveException::endOfFile},
        {"array cut short", hex("0300 0000 0000"), readObArray, CArchiveException::endOfFile},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(loadCause(c.bytes, c.read), c.cause);
    }
}

TEST(CArchive, DeepNestingIsRefused) {
    Bytes bytes = hex("FFFF 0100 0900") + ascii("CTestNode");
    for (int i = 0; i < 5000; ++i)
        bytes = bytes + hex("0180");
    bytes = bytes + hex("0000");
    EXPECT_EQ(loadCause(bytes, readObject), CArchiveException::badIndex);

    Bytes shallow = hex("FFFF 0100 0900") + ascii("CTestNode") + hex("0180 0180 0000");
    load(shallow, [](CArchive& ar) {
        CObject* root = ar.ReadObject(RUNTIME_CLASS(CTestNode));
        ASSERT_NE(root, nullptr);
        auto* child = static_cast<CTestNode*>(static_cast<CTestNode*>(root)->m_child);
        ASSERT_NE(child, nullptr);
        EXPECT_NE(child->m_child, nullptr);
        delete root;
    });
}

TEST(CArchive, ModesAreEnforced) {
    CMemFile file;
    CArchive storing(&file, CArchive::store);
    BYTE b = 0;
    try {
        storing >> b;
        ADD_FAILURE();
    } catch (CArchiveException* e) {
        EXPECT_EQ(e->m_cause, CArchiveException::writeOnly);
        e->Delete();
    }
    storing.Abort();
    CArchive loading(&file, CArchive::load);
    try {
        loading << b;
        ADD_FAILURE();
    } catch (CArchiveException* e) {
        EXPECT_EQ(e->m_cause, CArchiveException::readOnly);
        e->Delete();
    }
}

TEST(CArchive, LargeWritesAndReadsPassTheBuffer) {
    Bytes big(10000);
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<BYTE>(i * 7);
    const Bytes bytes = store([&](CArchive& ar) {
        ar << static_cast<BYTE>(1);
        ar.Write(big.data(), static_cast<UINT>(big.size()));
        ar << static_cast<BYTE>(2);
    });
    ASSERT_EQ(bytes.size(), big.size() + 2);
    load(bytes, [&](CArchive& ar) {
        BYTE first, last;
        Bytes back(big.size());
        ar >> first;
        EXPECT_EQ(ar.Read(back.data(), static_cast<UINT>(back.size())), back.size());
        ar >> last;
        EXPECT_EQ(back, big);
        EXPECT_EQ(last, 2);
        EXPECT_EQ(ar.Read(back.data(), 5), 0u);
    });
}

} // namespace
