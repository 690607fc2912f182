#pragma once
// Wrappers of the common controls; filled in with the members programs call.

#include "platform/framework/Controls.h"
