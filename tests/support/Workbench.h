#pragma once
// A run's surroundings: a folder of command sets to run in, and a private devices
// folder (XDG_CONFIG_HOME) whose links say where COM1 and the others lead.

#include "tests/support/Child.h"
#include "tests/support/TempDir.h"

#include <memory>
#include <string>
#include <vector>

class Workbench {
public:
    Workbench();

    std::string sets() const { return m_dir.path("sets"); }
    std::string devices() const { return m_dir.path("config/veltran/devices"); }
    std::string file(const std::string& name) const { return m_dir.path(name); }

    void writeSet(const std::string& name, const std::string& content) const;
    // Makes the device name (com1, lpt1, ...) lead to the target.
    void mapPort(const std::string& name, const std::string& target) const;

    // veltran-cli in the sets folder with this devices folder.
    std::unique_ptr<Child> startCli(const std::vector<std::string>& args) const;
    ChildEnd runCli(const std::vector<std::string>& args) const;

private:
    TempDir m_dir;
};
