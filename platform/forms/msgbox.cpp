#include "platform/forms/msgbox.h"

#include "platform/forms/app.h"

#include "platform/win/windows.h"

namespace vb {

int MsgBox(const std::string& prompt, int buttons, const std::string& title) {
    std::string caption = title.empty() ? App().Title : title;
    return MessageBox(GetActiveWindow(), prompt.c_str(), caption.c_str(), static_cast<UINT>(buttons));
}

} // namespace vb
