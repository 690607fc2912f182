#pragma once
// SQL files of a query window: open, save, save as and the "File not saved" question.

#include <string>

class CQueryWindow;

// The "File not saved" question when the window is modified: true to go on (saved or not), false
// when the user cancelled or the save failed.
bool AskToSave(CQueryWindow& window);

bool SaveSqlFile(CQueryWindow& window);
bool SaveSqlFileAs(CQueryWindow& window);
// File > Open: the question, the Open dialog, then the file.
void OpenSqlFile(CQueryWindow& window);
// Reads the file into the editor; the path joins the recent files also when reading failed.
void OpenSqlFilePath(CQueryWindow& window, const std::string& path);

// The text of an SQL or personal-folder file up to its first NUL.
std::string TextUpToNul(const std::string& bytes);
