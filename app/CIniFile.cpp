#include "app/CIniFile.h"

#include "app/CFileCompressor.h"
#include "app/file_helpers.h"
#include "platform/win/file_contents.h"
#include "platform/win/registry/ini_lines.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

namespace {

std::string Str(LPCTSTR psz) {
    return psz ? std::string(psz) : std::string();
}

std::string IndexKey(int nIndex) {
    return std::to_string(static_cast<short>(nIndex));
}

bool ReadWholeFile(const std::string& path, std::string& text) {
    pm::sys::FileRead file = pm::sys::readFileContents(path);
    text = std::move(file.bytes);
    return static_cast<bool>(file);
}

// Expands a compressed file into text; a missing file reads as empty.
bool ExpandFile(const std::string& path, std::string& text) {
    text.clear();
    if (!FileExists(path.c_str())) return true;
    CString temp = MakeTempFileName();
    if (temp.IsEmpty()) return false;
    CFileCompressor compressor;
    bool ok = compressor.Run(path.c_str(), temp, FALSE) && ReadWholeFile(static_cast<LPCTSTR>(temp), text);
    DeleteFileSafe(temp);
    return ok;
}

// Writes text in compressed form to path, safely.
bool CompressToFile(const std::string& text, const std::string& path) {
    CString plain = MakeTempFileName();
    bool ok = !plain.IsEmpty();
    if (ok) {
        std::ofstream out(static_cast<LPCTSTR>(plain), std::ios::binary | std::ios::trunc);
        out << text;
        out.close();
        ok = static_cast<bool>(out);
    }
    CFileCompressor compressor;
    ok = ok && compressor.Run(plain, path.c_str(), TRUE);
    DeleteFileSafe(plain);
    return ok;
}

} // namespace

CIniFile::~CIniFile() {
    RemoveAll();
}

void CIniFile::RemoveAll() {
    m_sections.Clear();
}

BOOL CIniFile::Load(LPCTSTR lpszPath, BOOL bCompressed, BOOL bReadOnly) {
    m_strFileName = lpszPath ? lpszPath : "";
    m_bCompressed = bCompressed ? 1 : 0;
    m_bSaveEnabled = bReadOnly ? 0 : 1;
    std::string path = static_cast<LPCTSTR>(NativePath(m_strFileName));
    std::string text;
    bool ok = m_bCompressed ? ExpandFile(path, text) : ReadWholeFile(path, text);
    if (!ok) return FALSE;
    ReadText(text);
    m_bModified = 0;
    return TRUE;
}

void CIniFile::ReadText(const std::string& text) {
    std::string section;
    pm::readIniLines(text, pm::kSettingsIniRules, [&](const pm::IniLine& line) {
        if (line.kind == pm::IniLine::Kind::Header)
            section = line.name;
        else if (line.kind == pm::IniLine::Kind::Entry && !section.empty())
            SetString(section.c_str(), line.name.c_str(), std::string(line.value).c_str());
        return true;
    });
}

std::string CIniFile::GetText() const {
    std::string out;
    for (const auto& section : m_sections.Ordered()) {
        out += "[" + *section.first + "]\r\n";
        for (const auto& entry : section.second->Ordered())
            out += *entry.first + "=" + *entry.second + "\r\n";
    }
    return out;
}

BOOL CIniFile::Save() {
    if (!m_bSaveEnabled || !m_bModified) return TRUE;
    std::string text = GetText();
    std::string path = static_cast<LPCTSTR>(NativePath(m_strFileName));
    if (m_bCompressed) return CompressToFile(text, path) ? TRUE : FALSE;
    return pm::sys::replaceFileContents(path, text) ? TRUE : FALSE;
}

BOOL CIniFile::SetString(LPCTSTR lpszSection, LPCTSTR lpszKey, LPCTSTR lpszValue, BOOL bEscapeNewlines) {
    Section& section = m_sections.FindOrAdd(Str(lpszSection));
    std::string value = Str(lpszValue);
    m_bModified = 1;
    if (value.empty()) {
        section.Remove(Str(lpszKey));
        return TRUE;
    }
    if (bEscapeNewlines)
        for (char& c : value)
            if (c == '\n') c = '`';
    section.FindOrAdd(Str(lpszKey)) = value;
    return TRUE;
}

BOOL CIniFile::GetString(LPCTSTR lpszSection, LPCTSTR lpszKey, CString& strValue, BOOL bUnescape) const {
    strValue.Empty();
    const Section* section = m_sections.Find(Str(lpszSection));
    const std::string* value = section ? section->Find(Str(lpszKey)) : nullptr;
    if (!value) return FALSE;
    strValue = CString(value->data(), static_cast<int>(value->size()));
    if (bUnescape) strValue.Replace('`', '\n');
    return TRUE;
}

void CIniFile::SetInt(LPCTSTR lpszSection, LPCTSTR lpszKey, int nValue) {
    SetString(lpszSection, lpszKey, std::to_string(static_cast<short>(nValue)).c_str());
}

BOOL CIniFile::GetInt(LPCTSTR lpszSection, LPCTSTR lpszKey, short& nValue) const {
    CString text;
    if (!GetString(lpszSection, lpszKey, text)) return FALSE;
    // Leading decimal digits with an optional sign, kept to 16 bits.
    const char* p = text;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    unsigned value = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        value = value * 10u + static_cast<unsigned>(*p - '0');
    nValue = static_cast<short>(negative ? 0u - value : value);
    return TRUE;
}

void CIniFile::SetIndexedString(LPCTSTR lpszSection, int nIndex, LPCTSTR lpszValue) {
    SetString(lpszSection, IndexKey(nIndex).c_str(), lpszValue);
}

BOOL CIniFile::GetIndexedString(LPCTSTR lpszSection, int nIndex, CString& strValue) const {
    return GetString(lpszSection, IndexKey(nIndex).c_str(), strValue);
}

CString MakeTempFileName() {
    std::error_code error;
    std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    if (error) return CString();
    std::random_device seed;
    std::mt19937 rng(seed());
    for (int attempt = 0; attempt < 100; attempt++) {
        std::string path = (folder / ("~MS" + std::to_string(rng() % 0x10000u) + ".tmp")).string();
        // "x": create the file only if it does not exist yet.
        if (std::FILE* f = std::fopen(path.c_str(), "wbx")) {
            std::fclose(f);
            return CString(path.c_str());
        }
    }
    return CString();
}
