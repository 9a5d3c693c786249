#include "tests/support/MainWindowHarness.h"

#include "platform/window/Timers.h"

#include <stdexcept>
#include <unistd.h>

void MainWindowHarness::start(const char* port, int baudIndex) {
    if (::chdir(dir.path().c_str()) != 0)
        throw std::runtime_error("cannot enter the test directory");
    session.driver().onDialog(IDD_PORT_SETUP, {sim::type(IDC_SETUP_PORT, port),
                                               sim::pick(IDC_SETUP_BAUD, baudIndex), sim::ok()});
    dlg = std::make_unique<CDownloadDlg>();
    dlg->Create();
    device.reset();
}

bool MainWindowHarness::timerArmed(UINT id) {
    return platform::timers().isArmed(&window(), id);
}

std::vector<std::string> MainWindowHarness::messages() {
    std::vector<std::string> texts;
    for (const sim::MessageBoxShown& box : session.driver().messageBoxes())
        texts.push_back(box.text.str());
    return texts;
}
