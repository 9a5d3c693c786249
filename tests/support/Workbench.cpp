#include "tests/support/Workbench.h"

#include <filesystem>
#include <fstream>

Workbench::Workbench() {
    std::filesystem::create_directories(sets());
    std::filesystem::create_directories(devices());
}

void Workbench::writeSet(const std::string& name, const std::string& content) const {
    std::ofstream(sets() + "/" + name, std::ios::binary) << content;
}

void Workbench::mapPort(const std::string& name, const std::string& target) const {
    const std::string link = devices() + "/" + name;
    std::error_code ignored;
    std::filesystem::remove(link, ignored);
    std::filesystem::create_symlink(target, link);
}

std::unique_ptr<Child> Workbench::startCli(const std::vector<std::string>& args) const {
    return std::make_unique<Child>(
        VELTRAN_CLI_EXE, args, sets(),
        std::map<std::string, std::string>{{"XDG_CONFIG_HOME", m_dir.path("config")}});
}

ChildEnd Workbench::runCli(const std::vector<std::string>& args) const {
    return startCli(args)->finish();
}
