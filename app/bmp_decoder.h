#pragma once
// Reading BMP files into a decoded picture.

#include "app/decoded_bitmap.h"

#include <cstddef>

// Reads the bytes of a whole BMP file: the "BM" file header, a 40-byte information header, the
// colour table (the colours-used field, else one entry per value of a depth up to 8 bits) and the
// uncompressed pixel rows that follow it. False for any other layout or for a file cut short.
bool DecodeBmpFile(const unsigned char* data, std::size_t size, DecodedBitmap& picture);
