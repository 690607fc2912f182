#pragma once
// Tool tips of a form's controls: one tooltip window per form, holding a tool for each control. A
// tool asks for its text as the tip shows, so ToolTipText may change at any time; an empty text
// shows no tip. On a container, the tools of its windowless controls come first, topmost first, so
// that the tip over a label is the label's and elsewhere the container's own.

#include "platform/win/windows.h"

namespace vb {

class WindowedControl;
class WindowlessControl;

// The tooltip window of the form holding `hwnd`: created on first use, or nullptr when none is
// wanted (`create` false and none exists yet).
HWND toolTipWindow(HWND hwnd, bool create = true);
// Destroys the form's tooltip window.
void destroyToolTipWindow(HWND form);

// A tool over the whole window of a control inside a form (none for the form itself).
void addWindowedTool(WindowedControl& control);
void removeWindowedTool(WindowedControl& control);
// A tool over a windowless control's rectangle in its container's window.
void addWindowlessTool(HWND container, WindowlessControl& control);
void removeWindowlessTool(HWND container, WindowlessControl& control);

// Answers a tooltip's TTN_GETDISPINFO (a WM_NOTIFY's lParam) for the tools above with the control's
// ToolTipText. True when it was such a request.
bool answerToolTip(LPARAM lParam);

} // namespace vb
