#pragma once
// Declares the query tool's menus, accelerators, dialogs and strings (once; later calls do nothing).

void DeclareTessmarkResources();
