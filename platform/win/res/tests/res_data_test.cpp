// Raw resources: data of a program's own resource types, and the device-independent bitmaps of
// bitmaps declared as BMP files, found with FindResource.

#include "platform/win/res/resources.h"
#include "platform/win/windows.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

const unsigned char kPcxBytes[] = {10, 5, 1, 8};

// A 1 x 1 BMP file of 24 bits: file header, information header, one padded row.
const unsigned char kBmpFile[] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0,  0, 54, 0, 0, 0, 40,   0,    0,    0, 1, 0,
                                  0,   0,   1,  0, 0, 0, 1, 0, 24, 0, 0,  0, 0, 0, 4,    0,    0,    0, 0, 0,
                                  0,   0,   0,  0, 0, 0, 0, 0, 0,  0, 0,  0, 0, 0, 0x11, 0x22, 0x33, 0};

const unsigned char kPngStart[] = {0x89, 'P', 'N', 'G', 13, 10, 26, 10};

} // namespace

TEST(RawResources, OwnTypesAndBitmapsAreFoundByNameWithoutRegardToCase) {
    pm::res::addData("pcx", "Logo.P", kPcxBytes, sizeof kPcxBytes);
    pm::res::addImage(pm::res::ImageKind::Bitmap, "Picture.B8", kBmpFile, sizeof kBmpFile);

    HRSRC pcx = FindResource(nullptr, "LOGO.p", "PCX");
    ASSERT_NE(pcx, nullptr);
    EXPECT_EQ(pcx, FindResource(nullptr, "logo.p", "pcx")) << "the same resource, the same handle";
    EXPECT_EQ(SizeofResource(nullptr, pcx), sizeof kPcxBytes);
    const void* bytes = LockResource(LoadResource(nullptr, pcx));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(std::memcmp(bytes, kPcxBytes, sizeof kPcxBytes), 0);

    HRSRC dib = FindResource(nullptr, "picture.b8", RT_BITMAP);
    ASSERT_NE(dib, nullptr);
    EXPECT_EQ(SizeofResource(nullptr, dib), sizeof kBmpFile - 14) << "without the file header";
    // Resource bytes need not be aligned for the header: it is copied out.
    BITMAPINFOHEADER header{};
    std::memcpy(&header, LockResource(LoadResource(nullptr, dib)), sizeof header);
    EXPECT_EQ(header.biSize, 40u);
    EXPECT_EQ(header.biBitCount, 24);
}

TEST(RawResources, MissingOnesAndPicturesThatAreNoBmpAreNotFound) {
    pm::res::addImage(pm::res::ImageKind::Bitmap, "Drawn", kPngStart, sizeof kPngStart);
    pm::res::addData("pcx", "Logo.P", kPcxBytes, sizeof kPcxBytes);
    EXPECT_EQ(FindResource(nullptr, "drawn", RT_BITMAP), nullptr)
        << "a PNG holds no device-independent bitmap";
    EXPECT_EQ(FindResource(nullptr, "nothing", "pcx"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(FindResource(nullptr, "logo.p", "other"), nullptr) << "the type is part of the name";
    EXPECT_EQ(LoadResource(nullptr, nullptr), nullptr);
    EXPECT_EQ(SizeofResource(nullptr, nullptr), 0u);
}
