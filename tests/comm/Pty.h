#pragma once
// A pseudo-terminal for port tests: the code under test opens the slave as its
// port; the test holds the master, the display's end of the cable.

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <string>
#include <termios.h>
#include <unistd.h>

struct Pty {
    int master = -1;
    int slave = -1;
    std::string path;

    Pty() {
        char name[128] = {};
        if (::openpty(&master, &slave, name, nullptr, nullptr) == 0)
            path = name;
    }
    ~Pty() {
        closeMaster();
        if (slave >= 0)
            ::close(slave);
    }
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    // The far side hangs up.
    void closeMaster() {
        if (master >= 0)
            ::close(master);
        master = -1;
    }

    // The line settings as the far side sees them.
    termios line() const {
        termios tio{};
        ::tcgetattr(master, &tio);
        return tio;
    }

    // Puts the line at a rate and stop bits of the test's choosing, as a port left
    // by some earlier program would be.
    void setLine(speed_t speed, bool twoStopBits) {
        termios tio{};
        ::tcgetattr(slave, &tio);
        cfsetospeed(&tio, speed);
        cfsetispeed(&tio, speed);
        if (twoStopBits)
            tio.c_cflag |= CSTOPB;
        else
            tio.c_cflag &= ~CSTOPB;
        ::tcsetattr(slave, TCSANOW, &tio);
    }

    // Reads what the display has received, until count bytes or a second passes.
    std::string receive(std::size_t count) const {
        std::string bytes;
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(1);
        while (bytes.size() < count && std::chrono::steady_clock::now() < until) {
            pollfd p{master, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0)
                continue;
            char buffer[512];
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n > 0)
                bytes.append(buffer, static_cast<std::size_t>(n));
        }
        return bytes;
    }

    // A display that stopped reading: the line takes no more bytes. The kernel
    // moves buffered bytes on behind the scenes, so it is filled until it stays full.
    void stall() const {
        const int flags = ::fcntl(slave, F_GETFL);
        ::fcntl(slave, F_SETFL, flags | O_NONBLOCK);
        const char block[1024] = {};
        for (int round = 0; round < 3; ++round) {
            while (::write(slave, block, sizeof block) > 0) {
            }
            ::usleep(20'000);
        }
        ::fcntl(slave, F_SETFL, flags);
    }
};
