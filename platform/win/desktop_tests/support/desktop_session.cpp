#include "platform/win/desktop_tests/support/desktop_session.h"

#include "platform/win/wm/desktop_widgets.h"

#include "platform/win/tests/support/test_windows.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QGuiApplication>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace pm::test::desktop {
namespace {

// Before anything else runs: Qt goes to the fixture's display through xcb.
struct DesktopEnvironment {
    bool found = false;
    DesktopEnvironment() {
        const char* state = std::getenv("PM_DESKTOP_STATE");
        std::ifstream in(state ? state : "");
        std::string line;
        while (std::getline(in, line))
            if (line.rfind("DISPLAY=", 0) == 0) {
                setenv("DISPLAY", line.substr(8).c_str(), 1);
                setenv("QT_QPA_PLATFORM", "xcb", 1);
                found = true;
            }
    }
};

const DesktopEnvironment environment;

using Clock = std::chrono::steady_clock;

bool pumpOnce() {
    MSG msg;
    bool any = false;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
        any = true;
    }
    return any;
}

pid_t spawn(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return 0;
    return pid;
}

std::vector<std::string> withProgram(const char* program, const std::vector<std::string>& args) {
    std::vector<std::string> all{program};
    all.insert(all.end(), args.begin(), args.end());
    return all;
}

std::string output(const std::string& command) {
    std::string text;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return text;
    char buffer[4096];
    while (std::size_t n = fread(buffer, 1, sizeof buffer, pipe))
        text.append(buffer, n);
    pclose(pipe);
    return text;
}

std::string hex(unsigned long id) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", id);
    return text;
}

// The value xprop prints after " = " or ": window id # ", without the line end.
std::string valueOf(const std::string& line) {
    for (const char* mark : {" = ", "window id # "}) {
        std::size_t at = line.find(mark);
        if (at == std::string::npos) continue;
        std::string value = line.substr(at + std::string(mark).size());
        while (!value.empty() && (value.back() == '\n' || value.back() == ' '))
            value.pop_back();
        return value;
    }
    return std::string();
}

std::vector<unsigned long> idList(const std::string& value) {
    std::vector<unsigned long> ids;
    std::stringstream in(value);
    std::string item;
    while (std::getline(in, item, ','))
        ids.push_back(std::strtoul(item.c_str(), nullptr, 16));
    return ids;
}

} // namespace

bool available() {
    return environment.found;
}

bool pumpUntil(const std::function<bool()>& done, int milliseconds) {
    auto end = Clock::now() + std::chrono::milliseconds(milliseconds);
    while (!done()) {
        if (Clock::now() > end) return done();
        if (!pumpOnce()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

void pumpFor(int milliseconds) {
    pumpUntil([] { return false; }, milliseconds);
}

void xdotool(const std::vector<std::string>& args) {
    pid_t pid = spawn(withProgram("xdotool", args));
    if (!pid) return;
    int status = 0;
    pumpUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }, 20000);
    pumpFor(50);
}

void xdotoolWhileBusy(const std::vector<std::string>& args) {
    if (pid_t pid = spawn(withProgram("xdotool", args))) waitpid(pid, nullptr, 0);
}

void xdotoolInBackground(const std::vector<std::string>& args) {
    pid_t pid = spawn(withProgram("xdotool", args));
    if (pid) std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();
}

void shellInBackground(const std::string& command) {
    pid_t pid = spawn({"sh", "-c", command});
    if (pid) std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();
}

namespace {

// The desktop's file dialog over `owner` that has the keyboard: the window manager activated it, Qt
// has its focus-in, and the focus is in its name box. Keys typed now go into that box.
QFileDialog* fileDialogWithTheKeys(HWND owner) {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible() || !dialog->isActiveWindow()) return nullptr;
    if (!dialog->parentWidget() || dialog->parentWidget() != wm::desktopWidgetOf(owner)) return nullptr;
    auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (!box || box->window() != dialog) return nullptr;
    return activeXWindow() == static_cast<unsigned long>(dialog->winId()) ? dialog : nullptr;
}

// Counts the key presses that reach the program's windows, so that a key is pressed again only
// once the one before it has come in.
class KeysReceived : public QObject {
public:
    KeysReceived() { QCoreApplication::instance()->installEventFilter(this); }
    int count(int key) const { return m_counts.count(key) ? m_counts.at(key) : 0; }

protected:
    bool eventFilter(QObject* target, QEvent* event) override {
        // Each key press reaches a window first and then its widgets: counted once, at the window.
        if (event->type() == QEvent::KeyPress && qobject_cast<QWindow*>(target))
            ++m_counts[static_cast<QKeyEvent*>(event)->key()];
        return false;
    }

private:
    std::map<int, int> m_counts;
};

// Answers the next file dialog from a Qt timer: the dialog runs Qt's own loop, where Qt's timers
// run but the layer's do not. A key goes in only once the dialog has the keyboard and the key
// before it has come in; the name is checked in the box before Return; a dialog still open at the
// end is closed, failing the test instead of hanging it.
class FileDialogTyping {
public:
    void start(HWND owner, const std::string& name, bool escapeTheNext) {
        stop();
        m_owner = owner;
        m_name = name;
        m_escapeTheNext = escapeTheNext;
        m_test = ::testing::UnitTest::GetInstance()->current_test_info();
        next(Step::Type);
        m_timer.setInterval(30);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
        m_timer.start();
    }

private:
    enum class Step { Type, Check, Return, Escape, Escaped };

    // Each step has twenty seconds, a busy machine's worst by far.
    void next(Step step) {
        m_step = step;
        m_giveUp = Clock::now() + std::chrono::seconds(20);
    }

    void stop() {
        m_timer.stop();
        QObject::disconnect(&m_timer, nullptr, nullptr, nullptr);
        if (m_input) {
            const pid_t pid = m_input;
            std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();
            m_input = 0;
        }
    }

    void type(const std::vector<std::string>& args) {
        m_input = spawn(withProgram("xdotool", args));
        m_since = Clock::now();
    }

    // Presses `key` (Qt's `code` when it comes in) into the dialog.
    void press(const char* key, int code) {
        m_pressed = code;
        m_receivedBefore = m_keys.count(code);
        type({"key", key});
    }

    bool waited(int milliseconds) const {
        return Clock::now() - m_since > std::chrono::milliseconds(milliseconds);
    }

    bool dialogOpen() const { return m_dialog && m_dialog->isVisible(); }

    // The key pressed last came in and the dialog is still open, or it never came in: pressed again.
    bool pressAgain() const {
        return m_keys.count(m_pressed) > m_receivedBefore ? dialogOpen() : waited(5000);
    }

    void tick() {
        // A dialog left by an earlier test is not this test's to answer.
        if (::testing::UnitTest::GetInstance()->current_test_info() != m_test) return stop();
        if (m_input && waitpid(m_input, nullptr, WNOHANG) != m_input) return;
        m_input = 0;
        if (Clock::now() > m_giveUp) return giveUp();
        switch (m_step) {
        case Step::Type:
            if (!(m_dialog = fileDialogWithTheKeys(m_owner))) return;
            m_box = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            type({"key", "ctrl+a", "type", "--delay", "20", m_name});
            m_step = Step::Check; // in the time the name has to arrive
            return;
        case Step::Check:
            if (m_box && m_box->text() == QString::fromStdString(m_name)) {
                press("Return", Qt::Key_Return);
                next(Step::Return);
            } else if (waited(3000)) {
                m_step = Step::Type; // keys lost on the way: typed again
            }
            return;
        case Step::Return:
            // The first Return may only close the completion list that a typed name opens.
            if (!dialogOpen())
                next(m_escapeTheNext ? Step::Escape : Step::Escaped);
            else if (pressAgain())
                press("Return", Qt::Key_Return);
            return;
        case Step::Escape:
            if (!(m_dialog = fileDialogWithTheKeys(m_owner))) return;
            press("Escape", Qt::Key_Escape);
            next(Step::Escaped);
            return;
        case Step::Escaped:
            if (!dialogOpen()) return stop();
            if (pressAgain()) press("Escape", Qt::Key_Escape);
            return;
        }
    }

    void giveUp() {
        static const char* const steps[] = {"to type the name", "the name in the box", "the dialog to close",
                                            "the dialog shown again", "the dialog to close at Escape"};
        ADD_FAILURE() << "the file dialog was not answered: waited in vain for "
                      << steps[static_cast<int>(m_step)];
        saveScreenPng("file_dialog_not_answered");
        stop();
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QFileDialog*>(widget); dialog && dialog->isVisible())
                dialog->reject();
    }

    HWND m_owner = nullptr;
    std::string m_name;
    bool m_escapeTheNext = false;
    Step m_step = Step::Type;
    const ::testing::TestInfo* m_test = nullptr;
    Clock::time_point m_giveUp;
    Clock::time_point m_since;
    pid_t m_input = 0;
    int m_pressed = 0;
    int m_receivedBefore = 0;
    KeysReceived m_keys;
    QPointer<QFileDialog> m_dialog;
    QPointer<QLineEdit> m_box;
    QTimer m_timer;
};

} // namespace

void typeIntoNextFileDialog(HWND owner, const std::string& name, bool escapeTheNext) {
    static FileDialogTyping typing;
    typing.start(owner, name, escapeTheNext);
}

void click(POINT screen) {
    // The pointer rests a moment before the press, as a hand's does, so the window under it has
    // seen it arrive.
    xdotool({"mousemove", std::to_string(screen.x), std::to_string(screen.y), "sleep", "0.05", "click", "1"});
}

bool clickUntil(POINT screen, const std::function<bool()>& done) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        click(screen);
        if (pumpUntil(done, 2000)) return true;
    }
    return false;
}

void drag(POINT from, POINT to) {
    POINT middle{(from.x + to.x) / 2, (from.y + to.y) / 2};
    xdotool({"mousemove", std::to_string(from.x), std::to_string(from.y), "mousedown", "1", "sleep", "0.1",
             "mousemove", std::to_string(middle.x), std::to_string(middle.y), "sleep", "0.1", "mousemove",
             std::to_string(to.x), std::to_string(to.y), "sleep", "0.1", "mouseup", "1"});
}

void keys(const std::vector<std::string>& names) {
    std::vector<std::string> args{"key", "--delay", "20"};
    args.insert(args.end(), names.begin(), names.end());
    xdotool(args);
}

void saveScreenPng(const std::string& name) {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    QDir().mkpath(QString::fromStdString(outputFolder()));
    screen->grabWindow(0).save(QString::fromStdString(outputFolder() + "/" + name + ".png"));
}

COLORREF screenPixel(POINT screen) {
    QScreen* shown = QGuiApplication::primaryScreen();
    if (!shown) return CLR_INVALID;
    const QRgb pixel = shown->grabWindow(0, screen.x, screen.y, 1, 1).toImage().pixel(0, 0);
    return RGB(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

bool screenShowsOnly(const RECT& area, COLORREF colour) {
    QScreen* shown = QGuiApplication::primaryScreen();
    if (!shown) return false;
    const QImage picture =
        shown->grabWindow(0, area.left, area.top, area.right - area.left, area.bottom - area.top)
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    const QRgb wanted = qRgb(GetRValue(colour), GetGValue(colour), GetBValue(colour));
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) != wanted) return false;
    return true;
}

unsigned long xWindow(HWND hwnd) {
    QWidget* widget = wm::desktopWidgetOf(hwnd);
    return widget ? static_cast<unsigned long>(widget->winId()) : 0;
}

std::string property(HWND hwnd, const std::string& name, const std::string& format) {
    unsigned long id = xWindow(hwnd);
    if (!id) return std::string();
    std::string formatted = format.empty() ? std::string() : " -f " + name + " " + format;
    return valueOf(output("xprop -id " + hex(id) + formatted + " " + name + " 2>/dev/null"));
}

unsigned long activeXWindow() {
    return std::strtoul(valueOf(output("xprop -root _NET_ACTIVE_WINDOW 2>/dev/null")).c_str(), nullptr, 16);
}

bool active(HWND hwnd) {
    QWidget* widget = wm::desktopWidgetOf(hwnd);
    return widget && activeXWindow() == xWindow(hwnd) &&
           QGuiApplication::focusWindow() == widget->windowHandle();
}

bool stackedAbove(HWND a, HWND b) {
    std::vector<unsigned long> order =
        idList(valueOf(output("xprop -root _NET_CLIENT_LIST_STACKING 2>/dev/null")));
    unsigned long ia = xWindow(a), ib = xWindow(b);
    int pa = -1, pb = -1;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (order[i] == ia) pa = static_cast<int>(i);
        if (order[i] == ib) pb = static_cast<int>(i);
    }
    return pa >= 0 && pb >= 0 && pa > pb; // the list runs from the bottom up
}

bool iconic(HWND hwnd) {
    return property(hwnd, "_NET_WM_STATE").find("_NET_WM_STATE_HIDDEN") != std::string::npos;
}

namespace {

struct ModalAnswer {
    HWND owner = nullptr;
    std::vector<std::string> input;
    std::string picture;
    ModalSighting seen;
    Clock::time_point giveUp;
};

ModalAnswer& modal() {
    static ModalAnswer m;
    return m;
}

void CALLBACK watchModal(HWND, UINT, UINT_PTR id, DWORD) {
    ModalAnswer& m = modal();
    HWND active = GetActiveWindow();
    if (Clock::now() > m.giveUp) {
        // Never activated: the loop is ended anyway, so that the test fails instead of hanging.
        KillTimer(nullptr, id);
        xdotoolInBackground({"key", "Escape"});
        return;
    }
    if (!active || active == m.owner || !IsWindowVisible(active) || !desktop::active(active)) return;
    KillTimer(nullptr, id);
    m.seen.window = active;
    m.seen.aboveOwner = stackedAbove(active, m.owner);
    m.seen.title = property(active, "_NET_WM_NAME");
    if (!m.picture.empty()) saveScreenPng(m.picture);
    xdotoolInBackground(m.input);
}

} // namespace

void answerNextModal(HWND owner, const std::vector<std::string>& input, const std::string& picture) {
    modal() = ModalAnswer{};
    modal().owner = owner;
    modal().input = input;
    modal().picture = picture;
    modal().giveUp = Clock::now() + std::chrono::seconds(5);
    SetTimer(nullptr, 0, 30, watchModal);
}

const ModalSighting& modalSighting() {
    return modal().seen;
}

namespace {

struct InputInTurn {
    std::vector<InputStep> steps;
    std::size_t next = 0;
    std::vector<std::size_t> givenUp;
    Clock::time_point giveUp;
    int escapesLeft = 0; // once a step is given up: Escapes that end the loops still open
    const ::testing::TestInfo* test = nullptr;
    UINT_PTR timer = 0;
};

InputInTurn& inTurn() {
    static InputInTurn t;
    return t;
}

// What the layer, the desktop and Qt have active when a step is given up, for the test's output.
void describeGivenUp(std::size_t step) {
    const HWND a = GetActiveWindow();
    const QWindow* focus = QGuiApplication::focusWindow();
    std::fprintf(
        stderr,
        "input step %zu given up: the active window %p (owner %p, X window 0x%lx), the desktop's active "
        "window 0x%lx, Qt's focus window 0x%lx\n",
        step, static_cast<void*>(a), a ? static_cast<void*>(GetWindow(a, GW_OWNER)) : nullptr,
        a ? xWindow(a) : 0ul, activeXWindow(), focus ? static_cast<unsigned long>(focus->winId()) : 0ul);
}

void stopInputInTurn(InputInTurn& t) {
    if (t.timer) KillTimer(nullptr, t.timer);
    t.timer = 0;
}

// After a step was given up, Escape every two seconds while a window owned by another is active:
// the prompt over a dialog goes, then the dialog, and the test's own call returns.
void endLoopsLeftOpen(InputInTurn& t) {
    const HWND a = GetActiveWindow();
    if (!a || !GetWindow(a, GW_OWNER) || !IsWindowVisible(a) || t.escapesLeft == 0) return stopInputInTurn(t);
    if (Clock::now() < t.giveUp) return;
    --t.escapesLeft;
    xdotoolInBackground({"key", "Escape"});
    t.giveUp = Clock::now() + std::chrono::seconds(2);
}

void CALLBACK runInputStep(HWND, UINT, UINT_PTR, DWORD) {
    InputInTurn& t = inTurn();
    // Steps left by an earlier test are not this test's to give.
    if (::testing::UnitTest::GetInstance()->current_test_info() != t.test) return stopInputInTurn(t);
    if (t.escapesLeft > 0) return endLoopsLeftOpen(t);
    if (t.next >= t.steps.size()) return stopInputInTurn(t);
    if (Clock::now() > t.giveUp) {
        describeGivenUp(t.next);
        t.givenUp.push_back(t.next);
        t.next = t.steps.size();
        xdotoolInBackground({"key", "Escape"});
        t.escapesLeft = 5;
        t.giveUp = Clock::now() + std::chrono::seconds(2);
        return;
    }
    if (!t.steps[t.next].ready()) return;
    xdotoolInBackground(t.steps[t.next].input());
    ++t.next;
    t.giveUp = Clock::now() + std::chrono::seconds(10);
    if (t.next >= t.steps.size()) stopInputInTurn(t);
}

} // namespace

void giveInputInTurn(std::vector<InputStep> steps) {
    InputInTurn& t = inTurn();
    stopInputInTurn(t);
    t = InputInTurn{};
    t.steps = std::move(steps);
    t.giveUp = Clock::now() + std::chrono::seconds(10);
    t.test = ::testing::UnitTest::GetInstance()->current_test_info();
    t.timer = SetTimer(nullptr, 0, 30, runInputStep);
}

const std::vector<std::size_t>& stepsGivenUp() {
    // A step still waiting (or the Escapes after one given up) ends within its time.
    pumpUntil([] { return inTurn().timer == 0; }, 30000);
    return inTurn().givenUp;
}

HWND activeOwnedBy(HWND owner) {
    HWND a = GetActiveWindow();
    if (!a || GetWindow(a, GW_OWNER) != owner || !IsWindowVisible(a) || !active(a)) return nullptr;
    // Placed: the window manager moved it where the layer has it, so a click aimed at it lands there.
    const RECT ours = screenRect(a), shown = desktopRect(a);
    return EqualRect(&ours, &shown) ? a : nullptr;
}

std::vector<std::string> clickAt(POINT screen) {
    return {"mousemove", std::to_string(screen.x), std::to_string(screen.y), "sleep", "0.05", "click", "1"};
}

RECT desktopRect(HWND hwnd) {
    std::stringstream info(output("xwininfo -id " + hex(xWindow(hwnd)) + " 2>/dev/null"));
    std::string line;
    int x = 0, y = 0, width = 0, height = 0;
    auto number = [&](const char* label, int* value) {
        if (line.find(label) != std::string::npos)
            *value = std::atoi(line.substr(line.find(':') + 1).c_str());
    };
    while (std::getline(info, line)) {
        number("Absolute upper-left X:", &x);
        number("Absolute upper-left Y:", &y);
        number("Width:", &width);
        number("Height:", &height);
    }
    return RECT{x, y, x + width, y + height};
}

RECT screenRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

POINT centre(const RECT& r) {
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

} // namespace pm::test::desktop
