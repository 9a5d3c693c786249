#include "bench/Memory.h"

#include <fstream>
#include <unistd.h>

namespace bench {

MeasuredRun runUnderTime(const std::string& program, const std::vector<std::string>& args,
                         const std::string& directory,
                         const std::map<std::string, std::string>& environment,
                         const std::string& scratchFile, int timeoutMs) {
    const std::string time = "/usr/bin/time";
    MeasuredRun run;
    if (access(time.c_str(), X_OK) != 0) {
        run.end = Child(program, args, directory, environment).finish(timeoutMs);
        return run;
    }
    std::vector<std::string> all{"-f", "%M", "-o", scratchFile, program};
    all.insert(all.end(), args.begin(), args.end());
    run.end = Child(time, all, directory, environment).finish(timeoutMs);
    // The figure is the last line; a line before it may say how the program ended.
    std::ifstream file(scratchFile);
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.find_first_not_of("0123456789") == std::string::npos)
            run.peakRssKiB = std::stol(line);
    }
    return run;
}

long peakRssSoFarKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

} // namespace bench
