#pragma once
// TextStream: a text file opened by the FileSystemObject for reading, writing or appending.
// Text is read and written as UTF-8; WriteLine ends lines with CR LF, ReadLine accepts CR LF, LF
// or CR.

#include "platform/script/vbs_auto_object.h"

#include <cstdio>

namespace pm::vbs {

enum class IoMode { Reading = 1, Writing = 2, Appending = 8 };

class TextStream final : public AutoObject {
public:
    // Opens the file; throws ScriptError (53, 70, 76) when it cannot.
    TextStream(const std::string& path, IoMode mode, bool create);
    ~TextStream() override;

    DISPID memberId(const std::string& key) const override;
    Value call(DISPID id, WORD flags, Args& args, const Value* put) override;
    std::string typeName() const override { return "TextStream"; }
    const void* shape() const override { return &kShape; }

private:
    static constexpr char kShape = 0;

    void needMode(bool reading) const;
    void write(const std::string& text);
    std::string readLine();
    void close();

    IoMode m_mode;
    std::FILE* m_file = nullptr;
    std::string m_text; // what is read, loaded whole when opened for reading
    size_t m_at = 0;
    int32_t m_line = 1;
};

} // namespace pm::vbs
