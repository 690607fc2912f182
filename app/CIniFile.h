#pragma once
// The program's settings store: one INI-format file held in memory as sections of key/value
// strings, looked up exactly (names are case-sensitive) and written back whole. Lines are trimmed;
// ';' starts a comment; a line without '=' is stored under its lower-case text; an empty value
// removes a key. Lists are kept as the keys "0", "1", ... up to the first missing one.

#include "app/bucket_ordered_map.h"
#include "platform/framework/CObject.h"
#include "platform/framework/CString.h"

#include <string>

class CIniFile : public CObject {
public:
    CIniFile() = default;
    ~CIniFile() override;

    // Reads a file into the store, adding to what it holds. bCompressed reads the compressed
    // form; bReadOnly keeps Save from writing. FALSE when the file cannot be read (a missing
    // compressed file reads as empty).
    BOOL Load(LPCTSTR lpszPath, BOOL bCompressed = FALSE, BOOL bReadOnly = FALSE);

    // Writes the whole store to the loaded path when saving is enabled and something was set;
    // TRUE also when nothing had to be written, FALSE when the file could not be written.
    BOOL Save();

    // Stores a value (every newline turned into '`' with bEscapeNewlines); an empty value removes
    // the key. The section is created in any case. Always TRUE.
    BOOL SetString(LPCTSTR lpszSection, LPCTSTR lpszKey, LPCTSTR lpszValue, BOOL bEscapeNewlines = FALSE);
    // The value of a key (every '`' turned into a newline with bUnescape); FALSE when missing.
    BOOL GetString(LPCTSTR lpszSection, LPCTSTR lpszKey, CString& strValue, BOOL bUnescape = FALSE) const;

    // Integers are stored as the decimal text of a 16-bit signed value.
    void SetInt(LPCTSTR lpszSection, LPCTSTR lpszKey, int nValue);
    BOOL GetInt(LPCTSTR lpszSection, LPCTSTR lpszKey, short& nValue) const;

    // Entries of a list: the key is the decimal text of the 16-bit index.
    void SetIndexedString(LPCTSTR lpszSection, int nIndex, LPCTSTR lpszValue);
    BOOL GetIndexedString(LPCTSTR lpszSection, int nIndex, CString& strValue) const;

    void RemoveAll();

private:
    using Section = BucketOrderedMap<std::string>;

    void ReadText(const std::string& text);
    // The file's text: sections and keys in the store's order, CR LF lines.
    std::string GetText() const;

    CString m_strFileName;
    BucketOrderedMap<Section> m_sections;
    int m_bSaveEnabled = 1;
    int m_bModified = 0;
    int m_bCompressed = 0;
};

// A new, empty file in the temporary folder, named from the prefix "~MS"; its path.
CString MakeTempFileName();
