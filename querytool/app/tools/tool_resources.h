#pragma once
// Declares the dialog templates of the query tool's tools (dump, import, diagnostics, flush).
void DeclareToolResources();
