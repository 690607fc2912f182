#pragma once
// The editor's menus, accelerator tables, tool-bar layouts and images, dialog templates and strings.

// Declares them all (once); the application calls it before anything loads a resource.
void DeclareEditorResources();
