#pragma once
// CBmp: the images the bitmap button draws, loaded by a name whose extension says where the image
// is: BMP and PCX files on disk, PCX images and bitmaps among the program's resources. Each load
// makes a bitmap for the screen and, for images with a colour table, a logical palette; both
// belong to the caller.

#include "platform/framework/CObject.h"
#include "platform/win/windows.h"

class CBmp : public CObject {
public:
    // By the extension of lpszName (after its last dot, in any case of letters): "BMP" or "DIB" a
    // BMP file, "PCX" a PCX file, "P" a PCX resource of type "pcx", "B4" a bitmap resource without
    // a palette, "B8" a bitmap resource of 256 colours with its palette. The whole name is the file
    // or resource name. FALSE, with both handles null, for any other name or a failed load.
    BOOL Load(LPCTSTR lpszName, HBITMAP& hBitmap, HPALETTE& hPalette);

    // A bitmap resource whose colour table holds 256 entries, with a palette of those colours.
    BOOL LoadResource256(LPCTSTR lpszName, HBITMAP& hBitmap, HPALETTE& hPalette);
};
