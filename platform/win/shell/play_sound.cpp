// PlaySound: a wave file handed to the desktop's sound player, a program started for each sound.

#include "platform/win/mmsystem.h"
#include "platform/win/shell/shell.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <mutex>
#include <sstream>
#include <thread>

extern char** environ;

namespace pm {
namespace {

std::mutex& recordLock() {
    static std::mutex lock;
    return lock;
}

std::vector<PlayedSound>& record() {
    static std::vector<PlayedSound> r;
    return r;
}

bool isFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool isProgram(const std::string& path) {
    return isFile(path) && ::access(path.c_str(), X_OK) == 0;
}

// The first of the desktop's wave players found on the search path, or "".
std::string findPlayer() {
    const char* path = std::getenv("PATH");
    for (const char* name : {"pw-play", "paplay", "aplay"}) {
        std::istringstream folders(path ? path : "");
        for (std::string folder; std::getline(folders, folder, ':');) {
            if (folder.empty()) continue;
            std::string candidate = folder + "/" + name;
            if (isProgram(candidate)) return candidate;
        }
    }
    return {};
}

// Starts the player on the file; the process id, or 0 when it could not start.
pid_t startPlayer(const std::string& player, const std::string& file) {
    std::string program = player;
    std::string argument = file;
    char* argv[] = {program.data(), argument.data(), nullptr};
    pid_t pid = 0;
    return ::posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ) == 0 ? pid : 0;
}

bool waitFor(pid_t pid) {
    int status = 0;
    return ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

std::vector<PlayedSound> takePlayedSounds() {
    std::lock_guard<std::mutex> hold(recordLock());
    std::vector<PlayedSound> out;
    out.swap(record());
    return out;
}

} // namespace pm

BOOL PlaySoundA(LPCSTR sound, HMODULE, DWORD flags) {
    if (!sound || !(flags & SND_FILENAME)) return FALSE;
    {
        std::lock_guard<std::mutex> hold(pm::recordLock());
        pm::record().push_back(pm::PlayedSound{sound, flags});
    }
    if (!pm::isFile(sound)) return FALSE;
    const std::string player = pm::findPlayer();
    if (player.empty()) return FALSE;
    const pid_t pid = pm::startPlayer(player, sound);
    if (!pid) return FALSE;
    if (!(flags & SND_ASYNC)) return pm::waitFor(pid) ? TRUE : FALSE;
    // The player ends by itself; a waiting thread collects it.
    std::thread([pid] { pm::waitFor(pid); }).detach();
    return TRUE;
}
