// SPDX-License-Identifier: MIT
#pragma once
// A PostgreSQL server of a test's own: initdb in a fresh folder, listening on
// loopback at a port of its own, run by an unprivileged user (nobody, when the
// test runs as root, as CI does), trusting local connections, so no password
// is involved anywhere. Stopped and removed when the object goes.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace vantro::testing {

class PostgresqlServer {
public:
    explicit PostgresqlServer(const std::string& name)
        : folder_(std::filesystem::temp_directory_path() /
                  ("vantro-pg-" + name + "-" + std::to_string(::getpid()))),
          port_(20000 + static_cast<int>(::getpid() % 20000)) {
        bin_ = find_bin();
        if (bin_.empty()) {
            problem_ = "no PostgreSQL server programs (initdb, pg_ctl) found";
            return;
        }
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        if (::geteuid() == 0) {
            as_user_ = "runuser -u nobody -- ";
            user_ = "nobody";
            shell("chown nobody '" + folder_.string() + "'");
        } else {
            const char* login = std::getenv("USER");
            user_ = login ? login : "postgres";
        }
        if (!shell(as_user_ + "'" + bin_ + "/initdb' -A trust -U " + user_ + " -D '" + data() +
                   "' >'" + folder_.string() + "/initdb.log' 2>&1")) {
            problem_ = "initdb failed: see " + folder_.string() + "/initdb.log";
            return;
        }
        if (!start()) {
            problem_ = "the server did not start: see " + folder_.string() + "/server.log";
        }
    }
    ~PostgresqlServer() {
        stop();
        std::filesystem::remove_all(folder_);
    }
    PostgresqlServer(const PostgresqlServer&) = delete;
    PostgresqlServer& operator=(const PostgresqlServer&) = delete;

    // Empty when the server runs.
    const std::string& problem() const { return problem_; }
    std::string url() const {
        return "postgresql://127.0.0.1:" + std::to_string(port_) + "/postgres?user=" + user_ +
               "&connect_timeout=5";
    }
    // Each waits at most 30 s.
    bool start() {
        return shell(as_user_ + "'" + bin_ + "/pg_ctl' -w -t 30 -D '" + data() + "' -l '" +
                     folder_.string() + "/server.log' -o \"-k '" + folder_.string() + "' -p " +
                     std::to_string(port_) + " -c listen_addresses=127.0.0.1\" start >/dev/null");
    }
    bool stop() {
        return shell(as_user_ + "'" + bin_ + "/pg_ctl' -w -t 30 -m fast -D '" + data() +
                     "' stop >/dev/null 2>&1");
    }
    // psql's answer to one query, unaligned, without headers.
    std::string query(const std::string& sql) const {
        const std::string out = folder_.string() + "/query.out";
        shell("'" + bin_ + "/psql' -X -A -t -q '" + url() + "' -c \"" + sql + "\" >'" + out +
              "' 2>&1");
        std::ifstream in(out);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    static std::string find_bin() {
        for (const char* version : {"17", "16", "15", "14", "13"}) {
            const std::string bin = std::string("/usr/lib/postgresql/") + version + "/bin";
            if (std::filesystem::exists(bin + "/pg_ctl")) {
                return bin;
            }
        }
        return {};
    }
    static bool shell(const std::string& command) { return std::system(command.c_str()) == 0; }
    std::string data() const { return folder_.string() + "/data"; }

    std::filesystem::path folder_;
    int port_;
    std::string bin_;
    std::string as_user_;
    std::string user_;
    std::string problem_;
};

}  // namespace vantro::testing
