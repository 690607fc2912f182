#include "platform/framework/framework.h"

#include <gtest/gtest.h>

namespace {

class CShape : public CObject {
    DECLARE_DYNAMIC(CShape)
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CCircle : public CShape {
    DECLARE_DYNCREATE(CCircle)
};
IMPLEMENT_DYNCREATE(CCircle, CShape)

class CFailing : public CObject {
    DECLARE_DYNCREATE(CFailing)
public:
    CFailing() { AfxThrowResourceException(); }
};
IMPLEMENT_DYNCREATE(CFailing, CObject)

TEST(RuntimeClass, KindsAndNames) {
    CCircle circle;
    EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CCircle)));
    EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(circle.IsKindOf(RUNTIME_CLASS(CFile)));
    EXPECT_STREQ(circle.GetRuntimeClass()->m_lpszClassName, "CCircle");
    EXPECT_EQ(circle.GetRuntimeClass()->m_pBaseClass, RUNTIME_CLASS(CShape));
    EXPECT_FALSE(circle.IsSerializable());
    EXPECT_EQ(CRuntimeClass::FromName("CCircle"), RUNTIME_CLASS(CCircle));
    EXPECT_EQ(CRuntimeClass::FromName("CStringArray"), RUNTIME_CLASS(CStringArray));
    EXPECT_EQ(CRuntimeClass::FromName("NoSuchClass"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(nullptr), nullptr);
}

TEST(RuntimeClass, DynamicCreation) {
    CObject* created = CRuntimeClass::CreateObject("CCircle");
    ASSERT_NE(created, nullptr);
    EXPECT_TRUE(created->IsKindOf(RUNTIME_CLASS(CCircle)));
    delete created;
    EXPECT_EQ(RUNTIME_CLASS(CShape)->CreateObject(), nullptr);   // not creatable
    EXPECT_EQ(RUNTIME_CLASS(CFailing)->CreateObject(), nullptr); // its constructor raised
    EXPECT_EQ(CRuntimeClass::CreateObject("NoSuchClass"), nullptr);
}

TEST(Exceptions, KindsCausesAndMessages) {
    try {
        AfxThrowFileException(CFileException::fileNotFound, 2, "a.txt");
    } catch (CException* e) {
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CFileException)));
        auto* fe = static_cast<CFileException*>(e);
        EXPECT_EQ(fe->m_cause, CFileException::fileNotFound);
        EXPECT_EQ(fe->m_lOsError, 2);
        char text[100];
        EXPECT_TRUE(e->GetErrorMessage(text, sizeof text));
        EXPECT_STREQ(text, "\"a.txt\" was not found.");
        EXPECT_TRUE(e->GetErrorMessage(text, 4));
        EXPECT_STREQ(text, "\"a.");
        e->Delete();
    }
    struct Case {
        void (*raise)();
        const CRuntimeClass* kind;
    };
    const Case cases[] = {
        {[] { AfxThrowMemoryException(); }, RUNTIME_CLASS(CMemoryException)},
        {[] { AfxThrowNotSupportedException(); }, RUNTIME_CLASS(CNotSupportedException)},
        {[] { AfxThrowResourceException(); }, RUNTIME_CLASS(CResourceException)},
        {[] { AfxThrowInvalidArgException(); }, RUNTIME_CLASS(CInvalidArgException)},
        {[] { AfxThrowArchiveException(CArchiveException::badSchema); }, RUNTIME_CLASS(CArchiveException)},
    };
    for (const auto& c : cases) {
        try {
            c.raise();
            ADD_FAILURE() << "nothing raised";
        } catch (CException* e) {
            EXPECT_EQ(e->GetRuntimeClass(), c.kind);
            EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CException)));
            e->Delete();
        }
    }
}

int catchWithMacros(bool rethrow) {
    int seen = 0;
    TRY{TRY{AfxThrowArchiveException(CArchiveException::badClass);
}
CATCH(CFileException, e) {
    seen = -1;
}
AND_CATCH(CArchiveException, e) {
    seen = e->m_cause;
    if (rethrow) THROW_LAST();
}
END_CATCH
} // namespace
CATCH_ALL(e) {
    seen += 100;
}
END_CATCH_ALL
return seen;
}

TEST(Exceptions, MacrosDeleteWhatTheyCatchUnlessThrownOn) {
    EXPECT_EQ(catchWithMacros(false), CArchiveException::badClass);
    EXPECT_EQ(catchWithMacros(true), CArchiveException::badClass + 100);
}

} // namespace
