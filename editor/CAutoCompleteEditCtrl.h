#pragma once
// CAutoCompleteEditCtrl: the edit control of the editor's document views. Its member lists and
// quick information come from word files in the program folder: one file per object, found
// through the main file's alias table or through the nearest "name = new Type" line above the
// caret when the object has none of its own.

#include "editor/CHHAssistEditCtrl.h"
#include "editor/HHWordFiles.h"

#include <memory>

// On the first call loads the main word file at path (the program folder +
// "AutoComplete/AutoComplete.ini"; the object files are looked for beside it) and answers whether
// it could; every later call loads nothing again and answers TRUE.
BOOL LoadAutoCompleteIni(LPCSTR path);
// The object's word file; null when there is none.
std::shared_ptr<const hh::WordFile> LoadNamedAutoCompleteIni(LPCSTR name);

// Process-wide options: assistance on or off (on at start), only the object's own file listed
// (off at start), and how many lines above the caret are searched for a variable's type (40).
void SetAutoCompleteAuto(BOOL on);
BOOL GetAutoCompleteAuto();
void SetAutoCompleteListUnique(BOOL on);
BOOL GetAutoCompleteListUnique();
void SetAutoCompleteScanLines(WORD lines);

class CAutoCompleteEditCtrl : public CHHAssistEditCtrl {
    DECLARE_DYNAMIC(CAutoCompleteEditCtrl)
public:
    void FillMemberList(CHHExpressionInfo& info, CHHMemberItemArray& items, int kind) override;
    CString GetQuickInfoText(CHHExpressionInfo& info) override;

    // The object that describes name: its alias, else the type of the nearest "name = new Type"
    // line above the caret; "" when neither.
    CString ResolveAlias(LPCSTR name);
    // The type T of "name = new T" on the line; "" otherwise.
    CString FindNewType(int line, LPCSTR name);

private:
    hh::AliasResolver resolver();
};
