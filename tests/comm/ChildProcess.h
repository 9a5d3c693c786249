#pragma once
// Runs a check in a forked child, as another program on the machine would, and
// returns its exit code (-1 when it did not exit normally).

#include <sys/wait.h>
#include <unistd.h>

template <class Check> int exitCodeInChild(Check check) {
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(check());
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}
