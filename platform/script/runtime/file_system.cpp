// Scripting.FileSystemObject with its File, Folder and collection objects. Paths take '/' or '\'
// as separators; BuildPath joins with '/'.

#include "platform/script/runtime/scripting_runtime.h"
#include "platform/script/runtime/text_stream.h"
#include "platform/script/runtime/vector_collection.h"

#include <filesystem>
#include <fnmatch.h>

namespace pm::vbs {

namespace fs = std::filesystem;

namespace {

bool isSeparator(char c) {
    return c == '/' || c == '\\';
}

std::string withoutTrailingSeparators(std::string p) {
    while (p.size() > 1 && isSeparator(p.back()))
        p.pop_back();
    return p;
}

std::string fileNameOf(const std::string& path) {
    std::string p = withoutTrailingSeparators(path);
    size_t slash = p.find_last_of("/\\");
    if (slash == std::string::npos) return p;
    return p.size() == 1 ? std::string() : p.substr(slash + 1);
}

std::string parentOf(const std::string& path) {
    std::string p = withoutTrailingSeparators(path);
    size_t slash = p.find_last_of("/\\");
    if (slash == std::string::npos) return std::string();
    return slash == 0 ? p.substr(0, 1) : withoutTrailingSeparators(p.substr(0, slash));
}

std::string extensionOf(const std::string& path) {
    std::string name = fileNameOf(path);
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string baseNameOf(const std::string& path) {
    std::string name = fileNameOf(path);
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string buildPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || isSeparator(folder.back())) return folder + name;
    return folder + "/" + name;
}

fs::path native(const std::string& path) {
    std::string p = path;
    for (char& c : p)
        if (c == '\\') c = '/';
    return fs::path(p);
}

std::string pathText(const fs::path& p) {
    return withoutTrailingSeparators(p.string());
}

bool isFile(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(native(path), ec);
}

bool isFolder(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(native(path), ec);
}

[[noreturn]] void fail(const std::error_code& ec) {
    if (ec == std::errc::no_such_file_or_directory) throw ScriptError(kPathNotFound);
    if (ec == std::errc::file_exists) throw ScriptError(kFileExists);
    throw ScriptError(kPermissionDenied);
}

Value folderObject(const std::string& path);

// A collection of files or folders: Item takes a name.
class ItemList final : public VectorCollection {
public:
    ItemList(std::vector<Value> items, std::vector<std::string> names, const char* typeName)
        : VectorCollection(std::move(items), typeName), m_names(std::move(names)) {}

private:
    const Value& item(const Value& key) const override {
        std::string name = toStr(key);
        for (size_t i = 0; i < m_names.size(); ++i)
            if (m_names[i] == name) return items()[i];
        throw ScriptError(kPathNotFound);
    }

    std::vector<std::string> m_names;
};

// A File or a Folder: Name, Path, ParentFolder, Size (files), Files and SubFolders (folders).
class Entry final : public AutoObject {
public:
    enum : DISPID { kName = 1, kPath, kParentFolder, kSize, kFiles, kSubFolders };
    Entry(std::string path, bool folder) : m_path(std::move(path)), m_folder(folder) {}

    DISPID memberId(const std::string& key) const override {
        static const MemberName names[] = {
            {"path", DISPID_VALUE},          {"name", kName}, {"path", kPath},
            {"parentfolder", kParentFolder}, {"size", kSize}, {"files", kFiles},
            {"subfolders", kSubFolders}};
        DISPID id = findMember(std::begin(names) + 1, std::end(names), key);
        if (!m_folder && (id == kFiles || id == kSubFolders)) return DISPID_UNKNOWN;
        return id;
    }
    Value call(DISPID id, WORD, Args& args, const Value* put) override {
        if (put) throw ScriptError(kNoSuchMember);
        checkArgCount(args, 0, 0);
        switch (id) {
        case DISPID_VALUE:
        case kPath:
            return Value::string(m_path);
        case kName:
            return Value::string(fileNameOf(m_path));
        case kParentFolder:
            return folderObject(parentOf(m_path));
        case kSize:
            return size();
        case kFiles:
        case kSubFolders:
            return list(id == kSubFolders);
        default:
            throw ScriptError(kNoSuchMember);
        }
    }
    std::string typeName() const override { return m_folder ? "Folder" : "File"; }
    const void* shape() const override { return &kShape; }

private:
    static constexpr char kShape = 0;

    Value size() const {
        std::error_code ec;
        if (!m_folder) {
            auto n = fs::file_size(native(m_path), ec);
            if (ec) fail(ec);
            return Value::fromInt64(static_cast<int64_t>(n), VT_I4);
        }
        uint64_t total = 0;
        for (auto it = fs::recursive_directory_iterator(native(m_path), ec); !ec && it != fs::end(it);
             it.increment(ec))
            if (it->is_regular_file(ec)) total += it->file_size(ec);
        return Value::fromInt64(static_cast<int64_t>(total), VT_I4);
    }

    Value list(bool folders) const {
        std::vector<std::pair<std::string, std::string>> found; // name, path
        std::error_code ec;
        for (auto it = fs::directory_iterator(native(m_path), ec); !ec && it != fs::end(it);
             it.increment(ec)) {
            std::error_code kindError;
            bool dir = it->is_directory(kindError);
            if (dir == folders && (dir || it->is_regular_file(kindError)))
                found.emplace_back(it->path().filename().string(), pathText(it->path()));
        }
        if (ec) fail(ec);
        std::sort(found.begin(), found.end());
        std::vector<Value> items;
        std::vector<std::string> names;
        for (auto& f : found) {
            items.push_back(objectValue(new Entry(f.second, folders)));
            names.push_back(f.first);
        }
        return objectValue(new ItemList(std::move(items), std::move(names), folders ? "Folders" : "Files"));
    }

    std::string m_path;
    bool m_folder;
};

Value folderObject(const std::string& path) {
    if (!isFolder(path)) throw ScriptError(kPathNotFound);
    return objectValue(new Entry(path, true));
}

// The files a name stands for: itself, or the matches of wildcards in its last part.
std::vector<fs::path> matchingFiles(const std::string& pathPattern, bool folders) {
    std::string pattern = fileNameOf(pathPattern);
    if (pattern.find_first_of("*?") == std::string::npos) {
        if (folders ? !isFolder(pathPattern) : !isFile(pathPattern))
            throw ScriptError(folders ? kPathNotFound : kFileNotFound);
        return {native(pathPattern)};
    }
    std::string folder = parentOf(pathPattern);
    std::vector<fs::path> out;
    std::error_code ec;
    for (auto it = fs::directory_iterator(native(folder.empty() ? "." : folder), ec);
         !ec && it != fs::end(it); it.increment(ec)) {
        std::error_code kindError;
        if (it->is_directory(kindError) != folders) continue;
        if (fnmatch(pattern.c_str(), it->path().filename().c_str(), 0) == 0) out.push_back(it->path());
    }
    if (out.empty()) throw ScriptError(folders ? kPathNotFound : kFileNotFound);
    return out;
}

// Where a file copied or moved to dest goes: into dest when it names a folder.
fs::path destinationOf(const fs::path& source, const std::string& dest, bool many) {
    if (isFolder(dest) || (!dest.empty() && isSeparator(dest.back())) || many)
        return native(dest) / source.filename();
    return native(dest);
}

class FileSystemObject final : public AutoObject {
public:
    enum : DISPID {
        kHasFile = 1,
        kHasFolder,
        kGetFile,
        kGetFolder,
        kGetFileName,
        kGetBaseName,
        kGetExtensionName,
        kGetParentFolderName,
        kBuildPath,
        kCreateFolder,
        kDeleteFile,
        kDeleteFolder,
        kCopyFile,
        kMoveFile,
        kOpenTextFile,
        kCreateTextFile
    };

    DISPID memberId(const std::string& key) const override {
        static const MemberName names[] = {{"fileexists", kHasFile},
                                           {"folderexists", kHasFolder},
                                           {"getfile", kGetFile},
                                           {"getfolder", kGetFolder},
                                           {"getfilename", kGetFileName},
                                           {"getbasename", kGetBaseName},
                                           {"getextensionname", kGetExtensionName},
                                           {"getparentfoldername", kGetParentFolderName},
                                           {"buildpath", kBuildPath},
                                           {"createfolder", kCreateFolder},
                                           {"deletefile", kDeleteFile},
                                           {"deletefolder", kDeleteFolder},
                                           {"copyfile", kCopyFile},
                                           {"movefile", kMoveFile},
                                           {"opentextfile", kOpenTextFile},
                                           {"createtextfile", kCreateTextFile}};
        return findMember(std::begin(names), std::end(names), key);
    }

    Value call(DISPID id, WORD, Args& args, const Value* put) override {
        if (put) throw ScriptError(kNoSuchMember);
        switch (id) {
        case kHasFile:
            return Value::boolean(isFile(text(args, 1, 1)));
        case kHasFolder:
            return Value::boolean(isFolder(text(args, 1, 1)));
        case kGetFile: {
            std::string p = text(args, 1, 1);
            if (!isFile(p)) throw ScriptError(kFileNotFound);
            return objectValue(new Entry(p, false));
        }
        case kGetFolder:
            return folderObject(text(args, 1, 1));
        case kGetFileName:
            return Value::string(fileNameOf(text(args, 1, 1)));
        case kGetBaseName:
            return Value::string(baseNameOf(text(args, 1, 1)));
        case kGetExtensionName:
            return Value::string(extensionOf(text(args, 1, 1)));
        case kGetParentFolderName:
            return Value::string(parentOf(text(args, 1, 1)));
        case kBuildPath:
            return Value::string(buildPath(text(args, 2, 2), toStr(*args[1])));
        case kCreateFolder:
            return createFolder(text(args, 1, 1));
        case kDeleteFile:
        case kDeleteFolder:
            remove(text(args, 1, 2), id == kDeleteFolder);
            return Value();
        case kCopyFile:
        case kMoveFile:
            transfer(args, id == kMoveFile);
            return Value();
        case kOpenTextFile:
            return openTextFile(args);
        case kCreateTextFile:
            return createTextFile(args);
        default:
            throw ScriptError(kNoSuchMember);
        }
    }

    std::string typeName() const override { return "FileSystemObject"; }
    const void* shape() const override { return &kShape; }

private:
    static constexpr char kShape = 0;

    static std::string text(Args& args, size_t min, size_t max) {
        checkArgCount(args, min, max);
        return toStr(*args[0]);
    }

    static Value createFolder(const std::string& path) {
        if (isFolder(path) || isFile(path)) throw ScriptError(kFileExists);
        std::error_code ec;
        fs::create_directory(native(path), ec);
        if (ec) fail(ec);
        return folderObject(path);
    }

    static void remove(const std::string& pathPattern, bool folders) {
        for (const fs::path& p : matchingFiles(pathPattern, folders)) {
            std::error_code ec;
            if (folders)
                fs::remove_all(p, ec);
            else
                fs::remove(p, ec);
            if (ec) fail(ec);
        }
    }

    static void transfer(Args& args, bool move) {
        checkArgCount(args, 2, move ? 2 : 3);
        std::string source = toStr(*args[0]), dest = toStr(*args[1]);
        const Value* overwriteArg = optionalArg(args, 2);
        bool overwrite = !move && (!overwriteArg || toBool(*overwriteArg));
        std::vector<fs::path> sources = matchingFiles(source, false);
        for (const fs::path& from : sources) {
            fs::path to = destinationOf(from, dest, sources.size() > 1);
            std::error_code ec;
            if (fs::exists(to, ec) && !overwrite) throw ScriptError(kFileExists);
            if (move)
                fs::rename(from, to, ec);
            else
                fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
            if (ec) fail(ec);
        }
    }

    static Value openTextFile(Args& args) {
        checkArgCount(args, 1, 4);
        const Value* modeArg = optionalArg(args, 1);
        const Value* createArg = optionalArg(args, 2);
        int32_t mode = modeArg ? toLong(*modeArg) : 1;
        if (mode != 1 && mode != 2 && mode != 8) throw ScriptError(kInvalidCall);
        bool create = createArg && toBool(*createArg);
        std::string path = toStr(*args[0]);
        if (!create && !isFile(path)) throw ScriptError(kFileNotFound);
        return objectValue(new TextStream(path, static_cast<IoMode>(mode), create));
    }

    static Value createTextFile(Args& args) {
        checkArgCount(args, 1, 3);
        const Value* overwriteArg = optionalArg(args, 1);
        std::string path = toStr(*args[0]);
        if ((!overwriteArg || toBool(*overwriteArg)) == false && isFile(path)) throw ScriptError(kFileExists);
        if (!isFolder(parentOf(path).empty() ? "." : parentOf(path))) throw ScriptError(kPathNotFound);
        return objectValue(new TextStream(path, IoMode::Writing, true));
    }
};

} // namespace

Value newFileSystemObject() {
    return objectValue(new FileSystemObject);
}

} // namespace pm::vbs
