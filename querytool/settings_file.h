#pragma once
// "tessmark.ini": the last connection's host, user and port, the database selected at exit, the five
// most recent SQL files and the two splitters of the query window. Every access resolves the file
// through the same search (folder by folder), so creating, reading and writing all name one file.

#include <string>
#include <vector>

struct RecentFileEntry {
    int number; // 1 to 5; the menu item's identifier is 39100 + number
    std::string path;
};

struct ConnectionKeys {
    std::string host;
    std::string user;
    std::string port;
};

// A splitter's rectangle in the query window's client coordinates and its share in per cent.
struct SplitterLayout {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int percent = 0;
};

class TessmarkSettings {
public:
    // searchFolders: where the file is looked for, in order (the program folder, then the current
    // folder); creationFolder: where a missing file is created (the current folder).
    TessmarkSettings(std::vector<std::string> searchFolders, std::string creationFolder);

    // The file's full path, or "" when no search folder holds it (reads then give defaults and
    // writes are skipped).
    std::string ResolvePath() const;

    // Creates the file with its three default sections when the search finds none. True when the
    // file exists afterwards with every section written.
    bool CreateDefaultIni() const;

    // Host, User and Port (whole values, the port at most 8 characters; a missing key reads "root"). False,
    // with empty fields, when there is no file.
    bool ReadConnectionKeys(ConnectionKeys& keys) const;
    // Writes Host, User and Port (its first 8 characters); the password is never stored.
    bool WriteConnectionKeys(const ConnectionKeys& keys) const;

    // Database ("0" when missing; "" without a file).
    std::string ReadDatabase() const;
    bool WriteDatabase(const std::string& name) const;

    // The recent files shown at start-up: File1..File<Number> whose value is not empty and does not
    // begin with "0".
    std::vector<RecentFileEntry> StartupRecentFiles() const;
    // The recent files listed after an addition: File1..File<Number> up to the first empty value.
    std::vector<RecentFileEntry> RecentFiles() const;
    // Puts the path first (the fifth falls off) unless it is listed already (any case); Number
    // grows to 5.
    void AddRecentFile(const std::string& path) const;

    SplitterLayout LoadSplitter(const std::string& section) const;
    // Writes Left (x), Right (width), Top (y), Bottom (height), ULeftOrTopPercent; stops at the first
    // failed write.
    bool SaveSplitter(const std::string& section, const SplitterLayout& layout) const;

private:
    std::string read(const std::string& path, const char* section, const char* key,
                     const char* fallback) const;

    std::vector<std::string> m_searchFolders;
    std::string m_creationFolder;
};

// The File menu's text of a recent file: "&%d %s".
std::string RecentFileMenuText(const RecentFileEntry& entry);
