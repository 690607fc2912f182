#pragma once
// The RegExp object of the language (New RegExp, or "VBScript.RegExp") with its Matches, Match
// and SubMatches collections.

#include "platform/script/vbs_value.h"

namespace pm::vbs {

Value newRegExp();

} // namespace pm::vbs
