// TextStream.

#include "platform/script/runtime/text_stream.h"

#include <cerrno>
#include <sys/stat.h>

namespace pm::vbs {

namespace {

enum : DISPID {
    kReadLine = 1,
    kReadAll,
    kRead,
    kWrite,
    kWriteLine,
    kAtEndOfStream,
    kClose,
    kLine,
    kSkipLine
};

[[noreturn]] void openFailed(int error) {
    throw ScriptError(error == ENOENT ? kFileNotFound : error == ENOTDIR ? kPathNotFound : kPermissionDenied);
}

} // namespace

TextStream::TextStream(const std::string& path, IoMode mode, bool create) : m_mode(mode) {
    struct stat st {};
    bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) throw ScriptError(kPermissionDenied);
    if (!exists && mode != IoMode::Writing && !create) {
        errno = ENOENT;
        openFailed(errno);
    }
    if (mode == IoMode::Reading) {
        std::FILE* f = std::fopen(path.c_str(), exists ? "rb" : "wb");
        if (!f) openFailed(errno);
        char buf[65536];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
            checkStringSize(m_text.size() + n);
            m_text.append(buf, n);
        }
        std::fclose(f);
        return;
    }
    m_file = std::fopen(path.c_str(), mode == IoMode::Appending ? "ab" : "wb");
    if (!m_file) openFailed(errno);
}

TextStream::~TextStream() {
    close();
}

void TextStream::close() {
    if (m_file) std::fclose(m_file);
    m_file = nullptr;
}

DISPID TextStream::memberId(const std::string& key) const {
    static const MemberName names[] = {
        {"readline", kReadLine}, {"readall", kReadAll},     {"read", kRead},
        {"write", kWrite},       {"writeline", kWriteLine}, {"atendofstream", kAtEndOfStream},
        {"close", kClose},       {"line", kLine},           {"skipline", kSkipLine}};
    return findMember(std::begin(names), std::end(names), key);
}

void TextStream::needMode(bool reading) const {
    if (reading != (m_mode == IoMode::Reading)) throw ScriptError(kBadFileMode);
    if (!reading && !m_file) throw ScriptError(kBadFileMode);
}

void TextStream::write(const std::string& text) {
    needMode(false);
    if (std::fwrite(text.data(), 1, text.size(), m_file) != text.size()) throw ScriptError(57);
    for (char c : text)
        m_line += c == '\n';
}

std::string TextStream::readLine() {
    needMode(true);
    if (m_at >= m_text.size()) throw ScriptError(kInputPastEnd);
    size_t end = m_text.find_first_of("\r\n", m_at);
    if (end == std::string::npos) end = m_text.size();
    std::string line = m_text.substr(m_at, end - m_at);
    m_at = end;
    if (m_at < m_text.size() && m_text[m_at] == '\r') ++m_at;
    if (m_at < m_text.size() && m_text[m_at] == '\n' && (m_at == end || m_text[m_at - 1] == '\r')) ++m_at;
    ++m_line;
    return line;
}

Value TextStream::call(DISPID id, WORD, Args& args, const Value* put) {
    if (put) throw ScriptError(kNoSuchMember);
    switch (id) {
    case kReadLine:
        return Value::string(readLine());
    case kSkipLine:
        readLine();
        return Value();
    case kReadAll: {
        needMode(true);
        if (m_at >= m_text.size()) throw ScriptError(kInputPastEnd);
        std::string rest = m_text.substr(m_at);
        m_at = m_text.size();
        return Value::string(rest);
    }
    case kRead: {
        checkArgCount(args, 1, 1);
        needMode(true);
        int32_t n = toLong(*args[0]);
        if (n < 0) throw ScriptError(kInvalidCall);
        if (m_at >= m_text.size() && n > 0) throw ScriptError(kInputPastEnd);
        size_t end = m_at + byteOffset(m_text.substr(m_at), static_cast<size_t>(n));
        std::string part = m_text.substr(m_at, end - m_at);
        m_at = end;
        return Value::string(part);
    }
    case kWrite:
        checkArgCount(args, 1, 1);
        write(toStr(*args[0]));
        return Value();
    case kWriteLine:
        checkArgCount(args, 0, 1);
        write((args.empty() ? std::string() : toStr(*args[0])) + "\r\n");
        return Value();
    case kAtEndOfStream:
        needMode(true);
        return Value::boolean(m_at >= m_text.size());
    case kClose:
        close();
        m_text.clear();
        m_at = 0;
        return Value();
    case kLine:
        return Value::longInt(m_line);
    default:
        throw ScriptError(kNoSuchMember);
    }
}

} // namespace pm::vbs
