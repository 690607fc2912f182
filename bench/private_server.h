#pragma once
// A private MariaDB server for a benchmark: started with the query tool's test scripts, stopped when
// the object goes.

#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

class PrivateServer {
public:
    PrivateServer() = default;
    PrivateServer(const PrivateServer&) = delete;
    PrivateServer& operator=(const PrivateServer&) = delete;
    ~PrivateServer() {
        if (!m_state.empty()) std::system((scripts() + "stop_server.sh " + m_state).c_str());
    }

    // Starts the server (name tells its state file apart; options go to the server) and reads its
    // port; false when it did not start.
    bool start(const std::string& name, const std::string& options = "") {
        m_state = "/tmp/bench-" + name + "-" + std::to_string(getpid()) + ".state";
        if (std::system((scripts() + "start_server.sh " + m_state + " " + options).c_str()) != 0)
            return false;
        std::string line;
        std::ifstream(m_state) >> line;
        const std::string key = "PORT=";
        if (line.compare(0, key.size(), key) != 0 || line.size() == key.size()) return false;
        m_port = line.substr(key.size());
        return true;
    }
    const std::string& port() const { return m_port; }
    int portNumber() const { return std::stoi(m_port); }

private:
    static std::string scripts() { return std::string(PM_SOURCE_DIR) + "/querytool/tests/server/"; }

    std::string m_state;
    std::string m_port;
};
