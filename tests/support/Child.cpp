#include "tests/support/Child.h"

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

double nowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1e6;
}

double msOf(const timeval& tv) {
    return static_cast<double>(tv.tv_sec) * 1000.0 + static_cast<double>(tv.tv_usec) / 1000.0;
}

} // namespace

Child::Child(const std::string& program, const std::vector<std::string>& args,
             const std::string& directory, const std::map<std::string, std::string>& environment) {
    int out[2];
    int err[2];
    if (pipe2(out, O_CLOEXEC) != 0)
        return;
    if (pipe2(err, O_CLOEXEC) != 0) {
        close(out[0]);
        close(out[1]);
        return;
    }

    std::vector<std::string> argvText{program};
    argvText.insert(argvText.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argvText)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    std::vector<std::string> envText;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        if (!environment.count(entry.substr(0, entry.find('='))))
            envText.push_back(entry);
    }
    for (const auto& [name, value] : environment)
        envText.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (std::string& e : envText)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    if (!directory.empty())
        posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
    m_startMs = nowMs();
    if (posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0)
        m_pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    m_outPipe = out[0];
    m_errPipe = err[0];
}

Child::~Child() {
    if (m_pid > 0) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
    if (m_outPipe >= 0)
        close(m_outPipe);
    if (m_errPipe >= 0)
        close(m_errPipe);
}

bool Child::readSome(int timeoutMs) {
    pollfd fds[2] = {{m_outPipe, POLLIN, 0}, {m_errPipe, POLLIN, 0}};
    if (poll(fds, 2, timeoutMs) <= 0)
        return false;
    bool any = false;
    char buffer[4096];
    for (int i = 0; i < 2; ++i) {
        if (!(fds[i].revents & (POLLIN | POLLHUP)))
            continue;
        const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
        if (n > 0) {
            (i == 0 ? m_out : m_errors).append(buffer, static_cast<std::size_t>(n));
            any = true;
        } else {
            // At its end a pipe is left out of every later poll.
            close(fds[i].fd);
            (i == 0 ? m_outPipe : m_errPipe) = -1;
        }
    }
    return any || m_outPipe >= 0 || m_errPipe >= 0;
}

bool Child::waitForOutput(const std::string& text, int timeoutMs) {
    const double deadline = nowMs() + timeoutMs;
    while (m_out.find(text) == std::string::npos) {
        const double left = deadline - nowMs();
        if (left <= 0 || (m_outPipe < 0 && m_errPipe < 0) || !readSome(static_cast<int>(left)))
            return m_out.find(text) != std::string::npos;
    }
    return true;
}

void Child::signal(int number) const {
    if (m_pid > 0)
        kill(m_pid, number);
}

ChildEnd Child::finish(int timeoutMs) {
    ChildEnd end;
    const double deadline = nowMs() + timeoutMs;
    while ((m_outPipe >= 0 || m_errPipe >= 0) && nowMs() < deadline)
        readSome(static_cast<int>(deadline - nowMs()) + 1);
    if (m_pid <= 0)
        return end;
    int status = 0;
    rusage usage{};
    // A child that outlived its time is killed, so a hang fails the test instead of the run.
    if (m_outPipe >= 0 || m_errPipe >= 0)
        kill(m_pid, SIGKILL);
    while (wait4(m_pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    end.elapsedMs = nowMs() - m_startMs;
    m_pid = -1;
    end.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    end.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    end.cpuMs = msOf(usage.ru_utime) + msOf(usage.ru_stime);
    end.out = m_out;
    end.errors = m_errors;
    return end;
}
