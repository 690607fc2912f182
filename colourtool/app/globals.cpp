#include "colourtool/app/globals.h"

namespace tintara {

bool DropToClipboard = false;

} // namespace tintara
