#include "platform/forms/msgbox.h"

#include "platform/forms/app.h"
#include "platform/forms/form.h"

#include "platform/win/windows.h"

namespace vb {

int MsgBox(const std::string& prompt, int buttons, const std::string& title) {
    std::string caption = title.empty() ? App().Title : title;
    // Where no window is active (a file dropped from another program, a dialog just closed), the
    // box still belongs to the program's window, and is centred on it.
    HWND owner = GetActiveWindow();
    if (!owner) owner = Form::lastActiveWindow();
    return MessageBox(owner, prompt.c_str(), caption.c_str(), static_cast<UINT>(buttons));
}

} // namespace vb
