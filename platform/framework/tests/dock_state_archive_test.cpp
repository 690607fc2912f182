// A dock state written into an archive and read back; damaged bytes are refused with badSchema.

#include "platform/framework/CArchive.h"
#include "platform/framework/CControlBarInfo.h"
#include "platform/framework/CDockState.h"
#include "platform/framework/CFile.h"
#include "platform/framework/Exceptions.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

std::vector<BYTE> Store(const CDockState& state) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar.WriteObject(&state);
        ar.Close();
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

CObject* Load(std::vector<BYTE> bytes) {
    CMemFile file;
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    return ar.ReadObject(RUNTIME_CLASS(CDockState));
}

} // namespace

TEST(DockStateArchive, RoundTripAndDamage) {
    CDockState state;
    auto* info = new CControlBarInfo;
    info->m_nBarID = 0xE840;
    info->m_bVisible = TRUE;
    info->m_rectMRUDockPos = CRect(1, 2, 30, 40);
    state.m_arrBarInfo.Add(info);
    const std::vector<BYTE> bytes = Store(state);

    std::unique_ptr<CObject> loaded(Load(bytes));
    auto* back = dynamic_cast<CDockState*>(loaded.get());
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->m_arrBarInfo.GetSize(), 1);
    EXPECT_EQ(back->m_arrBarInfo[0]->m_nBarID, 0xE840u);
    EXPECT_EQ(back->m_arrBarInfo[0]->m_rectMRUDockPos, CRect(1, 2, 30, 40));

    // The layout's own tag damaged: refused as a foreign schema; cut short: end of file.
    std::vector<BYTE> damaged = bytes;
    damaged[damaged.size() - static_cast<size_t>(back->ToBytes().size())] ^= 0xFF;
    try {
        delete Load(damaged);
        ADD_FAILURE() << "damaged layout accepted";
    } catch (CArchiveException* e) {
        EXPECT_EQ(e->m_cause, CArchiveException::badSchema);
        e->Delete();
    }
    try {
        delete Load(std::vector<BYTE>(bytes.begin(), bytes.end() - 3));
        ADD_FAILURE() << "short layout accepted";
    } catch (CArchiveException* e) {
        e->Delete();
    }
}

TEST(DockStateArchive, FloatingSizesAreKeptAndOlderLayoutsStillRead) {
    CDockState state;
    auto* info = new CControlBarInfo;
    info->m_nBarID = 0xE841;
    info->m_bFloating = TRUE;
    info->m_sizeFloat = CSize(321, 123);
    info->m_arrBarID.Add(7);
    state.m_arrBarInfo.Add(info);
    const std::vector<BYTE> bytes = state.ToBytes();

    CDockState back;
    ASSERT_TRUE(back.FromBytes(bytes.data(), bytes.size()));
    ASSERT_EQ(back.m_arrBarInfo.GetSize(), 1);
    EXPECT_EQ(back.m_arrBarInfo[0]->m_sizeFloat, CSize(321, 123));
    EXPECT_EQ(back.m_arrBarInfo[0]->m_arrBarID.GetSize(), 1);

    // A layout of the earlier kind has no floating sizes: its bars read with none.
    const size_t sizeAt = 8 + 68; // tag, count, the fields before the floating size
    std::vector<BYTE> older(bytes.begin(), bytes.begin() + sizeAt);
    older.insert(older.end(), bytes.begin() + sizeAt + 8, bytes.end());
    older[3] = '1';
    ASSERT_TRUE(back.FromBytes(older.data(), older.size()));
    ASSERT_EQ(back.m_arrBarInfo.GetSize(), 1);
    EXPECT_EQ(back.m_arrBarInfo[0]->m_sizeFloat, CSize(0, 0));
    EXPECT_EQ(back.m_arrBarInfo[0]->m_arrBarID[0], 7u);

    // A negative floating size is damage.
    std::vector<BYTE> negative = bytes;
    negative[sizeAt + 3] = 0xFF;
    EXPECT_FALSE(back.FromBytes(negative.data(), negative.size()));
}
