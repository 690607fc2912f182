#pragma once
// The mnemonic of a menu item's text: the character after the first single "&" ("&&" shows a
// literal ampersand and marks nothing).

#include "platform/framework/CString.h"

namespace docking {

// The mnemonic character as written; 0 when the text has none.
char MnemonicOf(const CString& text);

} // namespace docking
