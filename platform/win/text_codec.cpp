#include "platform/win/text_codec.h"

namespace pm {

QString decodeText(const char* bytes, std::size_t length, std::vector<int>* byteOffsets) {
    QString out;
    out.reserve(static_cast<qsizetype>(length));
    if (byteOffsets) {
        byteOffsets->clear();
        byteOffsets->reserve(length + 1);
    }
    if (byteOffsets)
        decodeShownText(bytes, length, [&](char16_t unit, int at) {
            out.append(QChar(unit));
            byteOffsets->push_back(at);
        });
    else
        decodeShownText(bytes, length, [&](char16_t unit, int) { out.append(QChar(unit)); });
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
