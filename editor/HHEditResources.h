#pragma once
// The edit control's resources: its context menu and the texts of its commands and status pane.

namespace hh {

// Declares them once; later calls do nothing.
void DeclareEditResources();

} // namespace hh
