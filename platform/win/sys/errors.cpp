// The thread's last error and the texts of errors (FormatMessage).

#include "platform/win/winbase.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

thread_local DWORD lastError = 0;

struct ErrorText {
    DWORD code;
    const char* text;
};

constexpr ErrorText kTexts[] = {
    {ERROR_SUCCESS, "The operation completed successfully."},
    {ERROR_INVALID_FUNCTION, "Incorrect function."},
    {ERROR_FILE_NOT_FOUND, "The system cannot find the file specified."},
    {ERROR_PATH_NOT_FOUND, "The system cannot find the path specified."},
    {ERROR_TOO_MANY_OPEN_FILES, "The system cannot open the file."},
    {ERROR_ACCESS_DENIED, "Access is denied."},
    {ERROR_INVALID_HANDLE, "The handle is invalid."},
    {ERROR_NOT_ENOUGH_MEMORY, "Not enough storage is available to process this command."},
    {ERROR_BAD_FORMAT, "An attempt was made to load a program with an incorrect format."},
    {ERROR_INVALID_DATA, "The data is invalid."},
    {ERROR_OUTOFMEMORY, "Not enough storage is available to complete this operation."},
    {ERROR_NO_MORE_FILES, "There are no more files."},
    {ERROR_WRITE_PROTECT, "The media is write protected."},
    {ERROR_WRITE_FAULT, "The system cannot write to the specified device."},
    {ERROR_READ_FAULT, "The system cannot read from the specified device."},
    {ERROR_GEN_FAILURE, "A device attached to the system is not functioning."},
    {ERROR_SHARING_VIOLATION,
     "The process cannot access the file because it is being used by another process."},
    {ERROR_LOCK_VIOLATION,
     "The process cannot access the file because another process has locked a portion of the file."},
    {ERROR_HANDLE_EOF, "Reached the end of the file."},
    {ERROR_NOT_SUPPORTED, "The request is not supported."},
    {ERROR_FILE_EXISTS, "The file exists."},
    {ERROR_INVALID_PARAMETER, "The parameter is incorrect."},
    {ERROR_BROKEN_PIPE, "The pipe has been ended."},
    {ERROR_DISK_FULL, "There is not enough space on the disk."},
    {ERROR_CALL_NOT_IMPLEMENTED, "This function is not supported on this system."},
    {ERROR_INSUFFICIENT_BUFFER, "The data area passed to a system call is too small."},
    {ERROR_INVALID_NAME, "The filename, directory name, or volume label syntax is incorrect."},
    {ERROR_MOD_NOT_FOUND, "The specified module could not be found."},
    {ERROR_PROC_NOT_FOUND, "The specified procedure could not be found."},
    {ERROR_DIR_NOT_EMPTY, "The directory is not empty."},
    {ERROR_BAD_PATHNAME, "The specified path is invalid."},
    {ERROR_ALREADY_EXISTS, "Cannot create a file when that file already exists."},
    {ERROR_FILENAME_EXCED_RANGE, "The filename or extension is too long."},
    {ERROR_MORE_DATA, "More data is available."},
    {ERROR_NO_MORE_ITEMS, "No more data is available."},
    {ERROR_NOACCESS, "Invalid access to memory location."},
    {ERROR_CANTOPEN, "The configuration registry key could not be opened."},
    {ERROR_CANTREAD, "The configuration registry key could not be read."},
    {ERROR_CANTWRITE, "The configuration registry key could not be written."},
    {ERROR_KEY_DELETED, "Illegal operation attempted on a registry key that has been marked for deletion."},
    {ERROR_INVALID_FLAGS, "Invalid flags."},
    {ERROR_CANCELLED, "The operation was canceled by the user."},
    {ERROR_INVALID_WINDOW_HANDLE, "Invalid window handle."},
    {ERROR_INVALID_MENU_HANDLE, "Invalid menu handle."},
    {ERROR_INVALID_CURSOR_HANDLE, "Invalid cursor handle."},
    {ERROR_INVALID_ACCEL_HANDLE, "Invalid accelerator table handle."},
    {ERROR_INVALID_HOOK_HANDLE, "Invalid hook handle."},
    {ERROR_TLW_WITH_WSCHILD, "Cannot create a top-level child window."},
    {ERROR_CANNOT_FIND_WND_CLASS, "Cannot find window class."},
    {ERROR_WINDOW_OF_OTHER_THREAD, "Invalid window; it belongs to other thread."},
    {ERROR_CLASS_ALREADY_EXISTS, "Class already exists."},
    {ERROR_CLASS_DOES_NOT_EXIST, "Class does not exist."},
    {ERROR_CLASS_HAS_WINDOWS, "Class still has open windows."},
    {ERROR_INVALID_INDEX, "Invalid index."},
    {ERROR_CLIPBOARD_NOT_OPEN, "Thread does not have a clipboard open."},
    {ERROR_TIMEOUT, "This operation returned because the timeout period expired."},
    {ERROR_RESOURCE_DATA_NOT_FOUND, "The specified image file did not contain a resource section."},
    {ERROR_RESOURCE_TYPE_NOT_FOUND, "The specified resource type cannot be found in the image file."},
    {ERROR_RESOURCE_NAME_NOT_FOUND, "The specified resource name cannot be found in the image file."},
};

const char* systemText(DWORD code) {
    for (const ErrorText& t : kTexts)
        if (t.code == code) return t.text;
    return nullptr;
}

// One insert: its conversion (default "s") applied to the argument.
std::string formatInsert(const std::string& conversion, DWORD_PTR arg) {
    char buf[64];
    if (conversion.empty() || conversion == "s") return arg ? reinterpret_cast<const char*>(arg) : "";
    std::string format = "%" + conversion;
    char last = conversion.back();
    if (last == 'd' || last == 'i')
        std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(static_cast<LONG_PTR>(arg)));
    else if (last == 'u')
        std::snprintf(buf, sizeof buf, "%llu", static_cast<unsigned long long>(arg));
    else if (last == 'x')
        std::snprintf(buf, sizeof buf, "%llx", static_cast<unsigned long long>(arg));
    else if (last == 'X')
        std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(arg));
    else if (last == 'c')
        std::snprintf(buf, sizeof buf, "%c", static_cast<int>(arg));
    else
        return arg ? reinterpret_cast<const char*>(arg) : "";
    return buf;
}

// Expands %1..%99, %n, %%, %0 and the escapes FormatMessage knows.
std::string expand(const char* source, DWORD flags, va_list* args) {
    std::string out;
    bool ignore = (flags & FORMAT_MESSAGE_IGNORE_INSERTS) != 0;
    bool array = (flags & FORMAT_MESSAGE_ARGUMENT_ARRAY) != 0;
    std::vector<DWORD_PTR> taken; // va_list arguments read so far, by insert number
    for (const char* p = source; *p; ++p) {
        if (*p != '%') {
            out += *p;
            continue;
        }
        const char* percent = p;
        char c = *++p;
        if (!c) break;
        if (c == '0') break;
        if (c == 'n') {
            out += "\r\n";
            continue;
        }
        if (c == '%' || c == '.' || c == '!' || c == ' ') {
            out += c == ' ' ? ' ' : c;
            continue;
        }
        if (c == 't') {
            out += '\t';
            continue;
        }
        if (c == 'r') {
            out += '\r';
            continue;
        }
        if (c < '1' || c > '9') {
            out += '%';
            out += c;
            continue;
        }
        int n = c - '0';
        if (p[1] >= '0' && p[1] <= '9') n = n * 10 + (*++p - '0');
        std::string conversion;
        if (p[1] == '!') {
            const char* end = std::strchr(p + 2, '!');
            if (end) {
                conversion.assign(p + 2, end);
                p = end;
            }
        }
        if (ignore || !args) {
            out.append(percent, p + 1);
            continue;
        }
        DWORD_PTR arg = 0;
        if (array) {
            arg = reinterpret_cast<const DWORD_PTR*>(args)[n - 1];
        } else {
            while (static_cast<int>(taken.size()) < n)
                taken.push_back(va_arg(*args, DWORD_PTR));
            arg = taken[static_cast<std::size_t>(n - 1)];
        }
        out += formatInsert(conversion, arg);
    }
    return out;
}

} // namespace

DWORD GetLastError() {
    return lastError;
}
void SetLastError(DWORD error) {
    lastError = error;
}

DWORD FormatMessage(DWORD flags, LPCVOID source, DWORD messageId, DWORD, LPSTR buffer, DWORD size,
                    va_list* args) {
    std::string text;
    if (flags & FORMAT_MESSAGE_FROM_STRING) {
        if (!source) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        text = expand(static_cast<const char*>(source), flags, args);
    } else if (flags & FORMAT_MESSAGE_FROM_SYSTEM) {
        const char* t = systemText(messageId);
        if (!t) {
            SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
            return 0;
        }
        text = expand((std::string(t) + "%n").c_str(), flags, args);
    } else {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if ((flags & FORMAT_MESSAGE_MAX_WIDTH_MASK) == FORMAT_MESSAGE_MAX_WIDTH_MASK) {
        std::string flat;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
                flat += ' ';
            } else {
                flat += text[i];
            }
        }
        while (!flat.empty() && flat.back() == ' ')
            flat.pop_back();
        text = flat;
    }
    if (flags & FORMAT_MESSAGE_ALLOCATE_BUFFER) {
        if (!buffer) return 0;
        auto* mem = static_cast<char*>(LocalAlloc(LMEM_FIXED, std::max<SIZE_T>(text.size() + 1, size)));
        if (!mem) return 0;
        std::memcpy(mem, text.c_str(), text.size() + 1);
        *reinterpret_cast<char**>(buffer) = mem;
        return static_cast<DWORD>(text.size());
    }
    if (!buffer || text.size() + 1 > size) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<DWORD>(text.size());
}
