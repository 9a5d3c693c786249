#pragma once
// A built program run as a child process: its directory, extra environment, and
// its stdout and stderr captured through pipes; its end with status and CPU time.

#include <map>
#include <string>
#include <vector>

#include <sys/types.h>

struct ChildEnd {
    int status = -1;  // the exit status, or -1 when it did not exit by itself
    int signal = 0;   // the signal that killed it, if one did
    double cpuMs = 0; // user and system time it used
    double elapsedMs = 0;
    std::string out;
    std::string errors;
};

class Child {
public:
    Child(const std::string& program, const std::vector<std::string>& args,
          const std::string& directory = "",
          const std::map<std::string, std::string>& environment = {});
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool started() const { return m_pid > 0; }
    pid_t pid() const { return m_pid; }
    // Reads stdout until it holds the text; false when the time runs out or it ends.
    bool waitForOutput(const std::string& text, int timeoutMs);
    const std::string& outSoFar() const { return m_out; }
    void signal(int number) const;
    // Waits for the end, reading both pipes; kills the child after the time-out.
    ChildEnd finish(int timeoutMs = 60'000);

private:
    bool readSome(int timeoutMs);

    pid_t m_pid = -1;
    int m_outPipe = -1;
    int m_errPipe = -1;
    std::string m_out;
    std::string m_errors;
    double m_startMs = 0;
};
