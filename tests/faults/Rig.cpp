#include "tests/faults/Rig.h"

#include "platform/comm/RawMode.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr int kStartMs = 10'000;
constexpr std::string_view kListening = "veltran-display: listening on ";

} // namespace

Emulator::Emulator(const std::string& trace) : m_trace(trace) {
    m_child = std::make_unique<Child>(VELTRAN_DISPLAY_EXE,
                                      std::vector<std::string>{"--quiet", "--trace", m_trace});
    // The path ends the first line.
    if (!m_child->waitForOutput("\n", kStartMs))
        return;
    const std::string& out = m_child->outSoFar();
    if (out.starts_with(kListening))
        m_line = out.substr(kListening.size(), out.find('\n') - kListening.size());
}

void Emulator::pause() {
    if (m_child->pid() <= 0)
        return;
    kill(m_child->pid(), SIGSTOP);
    int status = 0;
    while (waitpid(m_child->pid(), &status, WUNTRACED) < 0 && errno == EINTR) {
    }
}

void Emulator::resume() {
    m_child->signal(SIGCONT);
}

void Emulator::vanish() {
    m_child->signal(SIGKILL);
    m_child->finish();
}

bool Emulator::fill() const {
    const int fd = open(m_line.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    // Raw first, as the program sets the line: leaving cooked mode makes room again.
    termios tio{};
    if (tcgetattr(fd, &tio) == 0) {
        platform::makeRaw(tio);
        tcsetattr(fd, TCSANOW, &tio);
    }
    const std::string filler(1024, 'Z');
    // The pty moves bytes between its buffers a little later; full is when it
    // still takes nothing after a pause.
    for (int idle = 0; idle < 3;) {
        bool took = false;
        for (std::size_t size = filler.size(); size > 0; size /= 2) {
            while (write(fd, filler.data(), size) > 0)
                took = true;
        }
        idle = took ? 0 : idle + 1;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    close(fd);
    return true;
}

bool Emulator::waitForRecords(std::size_t count, int timeoutMs) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        std::size_t records = 0;
        for (const TraceEvent& e : readTrace(m_trace))
            records += e.kind() == "record";
        if (records >= count)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

std::vector<TraceEvent> Emulator::stop() {
    m_child->signal(SIGCONT);
    m_child->signal(SIGINT);
    m_child->finish();
    return readTrace(m_trace);
}

PortHolder::PortHolder(const std::string& path) {
    int ready[2];
    if (pipe2(ready, O_CLOEXEC) != 0)
        return;
    m_pid = fork();
    if (m_pid == 0) {
        close(ready[0]);
        const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        const char held = fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0 ? 'y' : 'n';
        [[maybe_unused]] const ssize_t sent = write(ready[1], &held, 1);
        for (;;)
            pause();
    }
    close(ready[1]);
    pollfd p{ready[0], POLLIN, 0};
    char held = 'n';
    if (m_pid > 0 && poll(&p, 1, kStartMs) == 1 && read(ready[0], &held, 1) == 1)
        m_holding = held == 'y';
    close(ready[0]);
}

PortHolder::~PortHolder() {
    if (m_pid <= 0)
        return;
    kill(m_pid, SIGKILL);
    while (waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}
