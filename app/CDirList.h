#pragma once
// Directory listings. Listing a folder makes it the current directory, so that a file name without
// a folder opened afterwards is found in the folder listed last. Patterns follow the Windows rules
// ('*', '?', "*.*" for every name, a trailing "." for names without an extension), comparing names
// without regard to case. Names come in the order the system gives them.

#include "platform/framework/CList.h"
#include "platform/framework/CObject.h"
#include "platform/framework/CString.h"

class CDirList : public CObject {
public:
    // Empties list, changes to lpszDir when one is given (FALSE when that fails) and adds the names
    // of the files matching lpszPattern.
    BOOL ListFiles(CStringList& list, LPCTSTR lpszPattern, LPCTSTR lpszDir = nullptr);

    // As ListFiles for the sub-folders whose names hold no dot ("*.").
    BOOL ListDirs(CStringList& list, LPCTSTR lpszDir = nullptr);

    // Appends lpszDir + "/" + name for every file of lpszDir matching lpszPattern, then does the
    // same for each sub-folder, depth first.
    void ListRecursive(CStringList& list, LPCTSTR lpszPattern, LPCTSTR lpszDir);

    // Whether a file name matches a pattern under the Windows rules.
    static BOOL MatchesPattern(LPCTSTR lpszName, LPCTSTR lpszPattern);

private:
    void AddRecursive(CStringList& list, LPCTSTR lpszPattern, const CString& strShown, LPCTSTR lpszAbsolute);
};
