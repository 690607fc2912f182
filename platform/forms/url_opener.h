#pragma once
// Opening a web page in the desktop's browser, behind a small interface: the system's (ShellExecute
// "open") or a fake for tests. Use: `vb::urlOpener().OpenUrl("https://...")`. The page always opens
// in a visible, normal browser window, whatever state the calling window is in.

#include <string>
#include <vector>

namespace vb {

class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    // Opens `url`; false when no program could be started for it.
    virtual bool OpenUrl(const std::string& url) = 0;
};

// Over the window layer's ShellExecute.
class SystemUrlOpener : public UrlOpener {
public:
    bool OpenUrl(const std::string& url) override;
};

// Records the addresses asked for and answers `succeed`.
class FakeUrlOpener : public UrlOpener {
public:
    explicit FakeUrlOpener(bool succeed = true) : m_succeed(succeed) {}
    bool OpenUrl(const std::string& url) override {
        opened.push_back(url);
        return m_succeed;
    }
    std::vector<std::string> opened;

private:
    bool m_succeed;
};

// The opener in use (the system's unless replaced); nullptr restores the system's.
UrlOpener& urlOpener();
void setUrlOpener(UrlOpener* opener);

} // namespace vb
