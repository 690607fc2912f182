// The abstract text parser's runtime class.

#include "scripting/CHHTextParser.h"

IMPLEMENT_DYNAMIC(CHHTextParser, CObject)
