#include "platform/win/text_codec.h"

namespace pm {

QString decodeText(const char* bytes, std::size_t length, std::vector<int>* byteOffsets) {
    QString out;
    out.reserve(static_cast<qsizetype>(length));
    if (byteOffsets) {
        byteOffsets->clear();
        byteOffsets->reserve(length + 1);
    }
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    std::size_t i = 0;
    while (i < length) {
        char32_t cp;
        std::size_t n = decodeChar(b + i, length - i, &cp);
        if (cp > 0xFFFF) {
            out.append(QChar::highSurrogate(cp));
            out.append(QChar::lowSurrogate(cp));
            if (byteOffsets) byteOffsets->insert(byteOffsets->end(), 2, static_cast<int>(i));
        } else {
            out.append(QChar(static_cast<char16_t>(cp)));
            if (byteOffsets) byteOffsets->push_back(static_cast<int>(i));
        }
        i += n;
    }
    if (byteOffsets) byteOffsets->push_back(static_cast<int>(length));
    return out;
}

QString decodeText(const std::string& bytes) {
    return decodeText(bytes.data(), bytes.size());
}

std::string encodeText(const QString& text) {
    QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

} // namespace pm
