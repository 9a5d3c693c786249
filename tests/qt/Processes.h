#pragma once
// Child processes for the end-to-end test: a program started with its own
// environment and directory, waited for with a deadline, killed if it outlives
// the test.

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <map>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace e2e {

using namespace std::chrono_literals;

// The test's own environment with some variables replaced.
inline std::vector<std::string>
environmentWith(const std::map<std::string, std::string>& overrides) {
    std::vector<std::string> result;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        if (!overrides.contains(entry.substr(0, entry.find('='))))
            result.push_back(entry);
    }
    for (const auto& [name, value] : overrides)
        result.push_back(name + "=" + value);
    return result;
}

class Child {
public:
    // Output goes to the file given, or to a pipe that output() reads.
    Child(std::vector<std::string> argv, const std::vector<std::string>& environment,
          const std::string& directory, const std::string& outputFile = {}, int passFd = -1) {
        int pipeFds[2] = {-1, -1};
        if (outputFile.empty() && ::pipe2(pipeFds, O_CLOEXEC) != 0)
            return;
        std::vector<char*> args, env;
        for (auto& a : argv)
            args.push_back(a.data());
        args.push_back(nullptr);
        std::vector<std::string> envCopy = environment;
        for (auto& e : envCopy)
            env.push_back(e.data());
        env.push_back(nullptr);
        const int out =
            outputFile.empty()
                ? pipeFds[1]
                : ::open(outputFile.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);

        m_pid = ::fork();
        if (m_pid == 0) {
            ::setpgid(0, 0);
            if (::chdir(directory.c_str()) != 0)
                ::_exit(126);
            ::dup2(out, 1);
            ::dup2(out, 2);
            if (passFd == 3)
                ::fcntl(3, F_SETFD, 0);
            else if (passFd >= 0)
                ::dup2(passFd, 3);
            ::execve(args[0], args.data(), env.data());
            ::_exit(127);
        }
        if (outputFile.empty()) {
            ::close(pipeFds[1]);
            m_output = pipeFds[0];
        } else {
            ::close(out);
        }
    }
    ~Child() {
        if (m_pid > 0 && !m_status) {
            ::kill(-m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        if (m_output >= 0)
            ::close(m_output);
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    // The exit code once it has ended within the time given; nothing otherwise.
    std::optional<int> wait(std::chrono::milliseconds limit) {
        const auto until = std::chrono::steady_clock::now() + limit;
        while (!m_status && m_pid > 0) {
            int status = 0;
            if (::waitpid(m_pid, &status, WNOHANG) == m_pid)
                m_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            else if (std::chrono::steady_clock::now() >= until)
                break;
            else
                std::this_thread::sleep_for(20ms);
        }
        return m_status;
    }

    std::string output() {
        std::string text;
        char buffer[256];
        ssize_t n;
        while (m_output >= 0 && (n = ::read(m_output, buffer, sizeof buffer)) > 0)
            text.append(buffer, static_cast<std::size_t>(n));
        return text;
    }

    void terminate() {
        if (m_pid > 0 && !m_status)
            ::kill(-m_pid, SIGTERM);
    }

private:
    pid_t m_pid = -1;
    int m_output = -1;
    std::optional<int> m_status;
};

} // namespace e2e
