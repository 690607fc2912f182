#pragma once
// The Clipboard object: text on the desktop's clipboard.

#include <string>

namespace vb {

struct ClipboardObject {
    // Empties the clipboard.
    void Clear();
    // Puts `text` on the clipboard (replacing what was there).
    void SetText(const std::string& text);
    // The clipboard's text, or "" when it holds none.
    std::string GetText() const;
};

ClipboardObject& Clipboard();

} // namespace vb
