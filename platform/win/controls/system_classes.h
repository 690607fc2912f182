#pragma once
// Registration of each standard control class.

namespace pm::ctl {

void registerScrollBarClass();

} // namespace pm::ctl
