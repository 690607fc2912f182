#pragma once
// The personal folder: named SQL snippets stored as "%s.mys" files in the current folder.

#include "platform/win/windows.h"

#include <string>
#include <vector>

class CQueryWindow;

// The key names of the folder's "*.mys" files in listing order (the file name up to its first
// full stop), at most 99.
std::vector<std::string> ListPersonalKeys(const std::string& folder);

// "Add Current SQL to Personal Folder...".
void AddToPersonalFolder(CQueryWindow& window);
// Inserts the key of the pop-up item with the identifier into the editor.
void InsertPersonalKey(CQueryWindow& window, int id);
// "Manage Personal Folder...".
void ManagePersonalFolder(CQueryWindow& window);
