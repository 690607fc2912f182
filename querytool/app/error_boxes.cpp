#include "querytool/app/error_boxes.h"

#include "querytool/error_text.h"

#include "platform/win/shellapi.h"

#include <cerrno>

void ShowSystemError(int code, const std::string& text) {
    MessageBox(nullptr, SystemErrorText(text, code).c_str(), "Tessmark", MB_ICONERROR);
}

void ShowServerError(HWND owner, MYSQL* connection) {
    TessmarkBox(owner, ServerErrorText(connection), MB_ICONERROR);
}

void ShowQueryError(HWND owner, MYSQL* connection) {
    TessmarkBox(owner, QueryErrorText(connection), MB_ICONERROR);
}

int TessmarkBox(HWND owner, const std::string& text, UINT type) {
    return MessageBox(owner, text.c_str(), "Tessmark", type);
}

int ShellErrorCode(INT_PTR result) {
    switch (result) {
    case SE_ERR_FNF:
    case SE_ERR_PNF:
        return ENOENT;
    case SE_ERR_ACCESSDENIED:
        return EACCES;
    case SE_ERR_OOM:
        return ENOMEM;
    default:
        return EOPNOTSUPP; // no program opens this kind of file
    }
}
