#pragma once
// Reading PCX images (files or resources) into a decoded picture.

#include "app/decoded_bitmap.h"

#include <cstddef>

// Reads the bytes of a whole PCX image: the 128-byte header (maker 10, run-length encoding), then
// the encoded lines. The layouts offered are 1 bit in 1, 3 or 4 planes, 4 bits in 1 plane, 8 bits
// in 1 plane and 8 bits in 3 planes (red, green, blue). False for a short or unsupported header, a
// window whose lines cannot hold its width, or image data cut short.
bool DecodePcx(const unsigned char* data, std::size_t size, DecodedBitmap& picture);
