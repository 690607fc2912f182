#include "editor/CHHFormater.h"

IMPLEMENT_DYNAMIC(CHHFormater, CObject)
