#pragma once
// Shown text as Qt strings. Text is kept as bytes; what is shown decodes each valid UTF-8
// sequence as one character and every other byte as its Windows-1252 character, so files in either
// encoding show and round-trip unchanged. Private to platform/.

#include "platform/win/utf8.h"

#include <QString>

#include <cstddef>
#include <string>
#include <vector>

namespace pm {

// The shown text of `length` bytes. When byteOffsets is given, it receives for each UTF-16 unit of
// the result the offset of the byte sequence it came from, plus one last entry equal to length.
QString decodeText(const char* bytes, std::size_t length, std::vector<int>* byteOffsets = nullptr);
QString decodeText(const std::string& bytes);

// The UTF-8 bytes of a shown text (the form typed and pasted text takes in memory).
std::string encodeText(const QString& text);

} // namespace pm
