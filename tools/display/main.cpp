// veltran-display: a line display at the far end of a pty or a serial line.

#include "tools/display/Baud.h"
#include "tools/display/Endpoint.h"
#include "tools/display/Error.h"
#include "tools/display/EventText.h"
#include "tools/display/Options.h"
#include "tools/display/PortWatch.h"
#include "tools/display/Session.h"
#include "tools/display/Trace.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <optional>
#include <sys/signalfd.h>
#include <unistd.h>

using namespace display;

namespace {

int fail(const Problem& problem) {
    std::fprintf(stderr, "veltran-display: %s\n", describe(problem).c_str());
    return isUsageError(problem.error) ? 2 : 1;
}

std::optional<Problem> writeImage(const std::string& path, const FlashImage& image) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (!file)
        return Problem{Error::WriteImage, path, errno};
    std::string text = image.toIntelHex();
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    int error = errno;
    if (std::fclose(file) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written)
        return Problem{Error::WriteImage, path, error != 0 ? error : EIO};
    return std::nullopt;
}

// SIGINT, SIGTERM and SIGHUP end the run through a descriptor poll() watches, so
// no signal handler and no global flag are needed.
int takeOverSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    if (sigprocmask(SIG_BLOCK, &set, nullptr) != 0)
        return -1;
    // A reader of our output that goes away must not kill the run before its summary.
    std::signal(SIGPIPE, SIG_IGN);
    return signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
}

int run(const Options& options) {
    int signals = takeOverSignals();
    if (signals < 0)
        return fail(Problem{Error::BlockSignals, "", errno});

    Endpoint endpoint;
    auto problem = options.device.empty() ? endpoint.openPty(options.link)
                                          : endpoint.openDevice(options.device, options.baudRate);
    if (problem)
        return fail(*problem);
    std::optional<PortWatch> watch;
    if (endpoint.isPty()) {
        watch.emplace();
        if (auto watchProblem = watch->start(endpoint.path(), endpoint.slaveFd()))
            return fail(*watchProblem);
    }
    Trace trace;
    if (!options.trace.empty()) {
        if (auto traceProblem = trace.open(options.trace))
            return fail(*traceProblem);
    }

    std::printf("veltran-display: listening on %s\n", endpoint.path().c_str());
    std::printf("veltran-display: display at %u baud, erase %.1f ms, flash %.1f ms per record\n",
                options.baudRate, toMillis(options.eraseTime), toMillis(options.flashTime));
    std::fflush(stdout);

    Session session(options, endpoint, watch ? &*watch : nullptr, trace, stdout);
    Session::Result result = session.run(signals);
    close(signals);

    std::fputs(summaryText(session.summary(), result.outcome).c_str(), stdout);
    std::fflush(stdout);
    trace.write(summaryJson(session.summary(), result.outcome));

    int status = 0;
    if (result.problem)
        status = fail(*result.problem);
    if (!options.image.empty()) {
        if (auto imageProblem = writeImage(options.image, session.lineDisplay().image()))
            status = fail(*imageProblem);
    }
    if (auto traceProblem = trace.close())
        status = fail(*traceProblem);
    return status;
}

} // namespace

int main(int argc, char** argv) {
    Arguments arguments = parseArguments(argc, argv);
    if (arguments.problem) {
        fail(*arguments.problem);
        std::fputs("Try 'veltran-display --help'.\n", stderr);
        return 2;
    }
    if (arguments.command == Command::Help) {
        std::fputs(helpText().c_str(), stdout);
        return 0;
    }
    if (arguments.command == Command::Version) {
        std::fputs(versionText().c_str(), stdout);
        return 0;
    }
    setvbuf(stdout, nullptr, _IOLBF, 0);
    return run(arguments.options);
}
