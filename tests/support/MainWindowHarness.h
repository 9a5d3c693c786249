#pragma once
// A main window started on the sim driver, in a temporary directory of command
// sets, with the recording device as its port. The real start-up sequence runs,
// the Port Setup dialog answered by the script; the device log is then cleared so
// a test sees only what it does itself.

#include "platform/comm/RecordingDevice.h"
#include "platform/drivers/sim/Session.h"
#include "platform/window/ComboBox.h"
#include "platform/window/DialogWindow.h"
#include "platform/window/ProgressBar.h"
#include "resources/ResourceIds.h"
#include "resources/VeltranResources.h"
#include "tests/support/TempDir.h"
#include "ui/DownloadDlg.h"

#include <memory>
#include <string>
#include <vector>

class MainWindowHarness {
public:
    sim::Session session{&veltranResources()};
    platform::RecordingDevice device;
    TempDir dir;
    CurrentDirectoryGuard cwd;
    std::unique_ptr<CDownloadDlg> dlg;

    void write(const std::string& name, const std::string& bytes) { dir.write(name, bytes); }

    // Creates the window in the directory: OK in Port Setup with this port and baud index.
    void start(const char* port = "COM1", int baudIndex = 2);

    platform::DialogWindow& window() { return *dlg->dialogWindow(); }
    platform::Window& control(int id) { return *window().control(id); }
    platform::ComboBox& commandSetList() {
        return static_cast<platform::ComboBox&>(control(IDC_COMMAND_SET_LIST));
    }
    platform::ProgressBar& bar() {
        return static_cast<platform::ProgressBar&>(control(IDC_PROGRESS));
    }
    bool timerArmed(UINT id);
    std::vector<std::string> messages();
};
