#pragma once
// Virtual-key codes from Qt keys, scan codes and key names. Private to platform/win.

#include "platform/win/winuser.h"

#include <QString>

namespace pm::wm {

int virtualKeyFromQt(int qtKey, bool keypad);
UINT scanCodeOf(int vk);
int virtualKeyOfScanCode(UINT scan);
bool isExtendedKey(int vk);
QString keyName(int vk);
// The character a key gives with the given shift and control states, or 0.
int charOfKey(int vk, bool shift, bool control, bool capsLock);

} // namespace pm::wm
