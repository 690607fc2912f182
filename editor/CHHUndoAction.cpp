#include "editor/CHHUndoAction.h"

IMPLEMENT_DYNAMIC(CHHUndoAction, CObject)
