#pragma once
// What a fault scenario acts on: the line-display emulator at the far end of COM1,
// and another process that holds the port.

#include "tests/support/Child.h"
#include "tests/support/TraceEvents.h"

#include <memory>
#include <string>
#include <vector>

#include <sys/types.h>

// The emulator on a pty of its own, tracing what it receives. The test links com1
// to the pty itself, so the devices folder changes only by the test's hand.
class Emulator {
public:
    explicit Emulator(const std::string& trace);

    bool ready() const { return !m_line.empty(); }
    const std::string& line() const { return m_line; }

    // Stops the process and returns once it has stopped: it reads nothing more.
    void pause();
    void resume();
    // Gone without a word: the pty hangs up under the program.
    void vanish();
    // Writes into the line until it takes no more, as a display that stopped
    // reading long ago leaves it. Only while paused.
    bool fill() const;
    // Waits until the trace holds this many records.
    bool waitForRecords(std::size_t count, int timeoutMs) const;
    // Ends the emulator if it still runs; what it received, as traced.
    std::vector<TraceEvent> stop();

private:
    std::string m_trace;
    std::unique_ptr<Child> m_child;
    std::string m_line;
};

// A process of its own with the port open and locked for itself.
class PortHolder {
public:
    explicit PortHolder(const std::string& path);
    ~PortHolder();
    PortHolder(const PortHolder&) = delete;
    PortHolder& operator=(const PortHolder&) = delete;

    bool holding() const { return m_holding; }

private:
    pid_t m_pid = -1;
    bool m_holding = false;
};
