#pragma once
// CHHExpressionInfo: the identifier at a position of a line and the dotted chain of names before
// it, as a formater's ParseExpressionAt finds them for the code-assistance controls.

#include "platform/framework/CString.h"

struct CHHExpressionInfo {
    CString m_strQualifier;     // the names before the last '.', such as "document.forms"
    CString m_strWord;          // the identifier at the position
    int m_nReserved = -1;       // always -1
    int m_nQualifierStart = -1; // index of the qualifier's first character, -1 when none
    int m_nWordStart = -1;      // index of the word's first character, -1 when none
};
