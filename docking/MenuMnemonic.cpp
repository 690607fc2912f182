#include "docking/MenuMnemonic.h"

namespace docking {

char MnemonicOf(const CString& text) {
    for (int i = 0; i + 1 < text.GetLength(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] != '&') return text[i + 1];
        ++i;
    }
    return 0;
}

} // namespace docking
