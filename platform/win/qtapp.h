#pragma once
// The one Qt application object of the process, created on first use by any part of the layer that
// needs Qt (windows, fonts, the clipboard). Private to platform/.

namespace pm {
void ensureQtApplication();
}
