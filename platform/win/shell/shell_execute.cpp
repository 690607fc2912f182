// ShellExecute: URLs and documents go to the desktop's handler (a handler that finds no program is a
// failure), executables start detached.

#include "platform/win/shellapi.h"
#include "platform/win/shell/shell.h"
#include "platform/win/winbase.h"

#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTimer>
#include <QUrl>

#include <cctype>
#include <utility>

namespace pm {
namespace {

// How long the desktop's opener is given to say that no program opens the target.
constexpr int kOpenerAnswerMs = 1500;

// xdg-open ends at once, with an error, when no program of the desktop opens the target; else it
// starts one, and may stay until that program ends. Its answer is awaited for a short while
// (windows keep their pictures meanwhile; input waits); still running, it found a program.
bool runOpener(const QString& opener, const QString& target) {
    auto* process = new QProcess;
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(opener, {target});
    if (!process->waitForStarted()) {
        delete process;
        return false;
    }
    QEventLoop loop;
    QObject::connect(process, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(kOpenerAnswerMs, &loop, &QEventLoop::quit);
    if (process->state() != QProcess::NotRunning) loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (process->state() == QProcess::NotRunning) {
        const bool opened = process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
        delete process;
        return opened;
    }
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    return true;
}

bool openWithDesktop(const ShellOpenRequest& request) {
    if (request.kind == ShellOpenRequest::Url) {
        const QString target = QString::fromUtf8(request.target.c_str());
        const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        if (!opener.isEmpty()) return runOpener(opener, target);
        return QDesktopServices::openUrl(QUrl(target));
    }
    QStringList args;
    for (const std::string& a : request.args)
        args << QString::fromStdString(a);
    return QProcess::startDetached(QString::fromStdString(request.target), args,
                                   QString::fromStdString(request.dir));
}

ShellOpenHook& currentHook() {
    static ShellOpenHook hook = openWithDesktop;
    return hook;
}

// "scheme:..." with a scheme of two or more letters (so "C:/x" stays a path).
bool looksLikeUrl(const std::string& s) {
    std::size_t colon = s.find(':');
    if (colon == std::string::npos || colon < 2) return false;
    if (!std::isalpha(static_cast<unsigned char>(s[0]))) return false;
    for (std::size_t i = 1; i < colon; ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
    }
    return true;
}

std::string slashes(std::string s) {
    for (char& c : s)
        if (c == '\\') c = '/';
    return s;
}

HINSTANCE result(int code) {
    return reinterpret_cast<HINSTANCE>(static_cast<std::intptr_t>(code));
}

} // namespace

ShellOpenHook setShellOpenHook(ShellOpenHook hook) {
    ShellOpenHook previous = std::move(currentHook());
    currentHook() = hook ? std::move(hook) : ShellOpenHook(openWithDesktop);
    return previous;
}

std::vector<std::string> splitCommandLine(const std::string& text) {
    std::vector<std::string> out;
    std::string cur;
    bool inQuotes = false, have = false;
    std::size_t backslashes = 0;
    for (char c : text) {
        if (c == '\\') {
            ++backslashes;
            have = true;
            continue;
        }
        // Backslashes count only before a quote: each pair is one backslash, and an odd one
        // makes the quote a character of the argument.
        const bool escapedQuote = c == '"' && backslashes % 2 == 1;
        cur.append(c == '"' ? backslashes / 2 : backslashes, '\\');
        backslashes = 0;
        if (c == '"' && !escapedQuote) {
            inQuotes = !inQuotes;
            have = true;
        } else if ((c == ' ' || c == '\t') && !inQuotes) {
            if (have) out.push_back(cur);
            cur.clear();
            have = false;
        } else {
            cur += c;
            have = true;
        }
    }
    cur.append(backslashes, '\\');
    if (have) out.push_back(cur);
    return out;
}

} // namespace pm

HINSTANCE ShellExecute(HWND, LPCSTR verb, LPCSTR file, LPCSTR params, LPCSTR dir, int) {
    using pm::result;
    if (verb && *verb && QString::fromUtf8(verb).compare(QLatin1String("open"), Qt::CaseInsensitive) != 0)
        return result(SE_ERR_NOASSOC);
    if (!file || !*file) return result(SE_ERR_FNF);
    std::string target = file;
    pm::ShellOpenRequest request;
    if (pm::looksLikeUrl(target)) {
        request.target = target;
        return pm::currentHook()(request) ? result(42) : result(SE_ERR_NOASSOC);
    }
    QString path = QString::fromStdString(pm::slashes(target));
    QString folder = dir && *dir ? QString::fromStdString(pm::slashes(dir)) : QString();
    if (QDir::isRelativePath(path) && !folder.isEmpty()) path = QDir(folder).filePath(path);
    QFileInfo info(path);
    if (!info.exists()) return result(info.absoluteDir().exists() ? SE_ERR_FNF : SE_ERR_PNF);
    if (info.isFile() && info.isExecutable()) {
        request.kind = pm::ShellOpenRequest::Program;
        request.target = info.absoluteFilePath().toStdString();
        request.args = pm::splitCommandLine(params ? params : "");
        request.dir = folder.toStdString();
        return pm::currentHook()(request) ? result(42) : result(ERROR_BAD_FORMAT);
    }
    request.target = QUrl::fromLocalFile(info.absoluteFilePath()).toString(QUrl::FullyEncoded).toStdString();
    return pm::currentHook()(request) ? result(42) : result(SE_ERR_NOASSOC);
}
