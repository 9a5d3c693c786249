// veltran-cli: the program in a terminal. The system runs unchanged on the console
// driver; this is the one place where the two meet.

#include "cli/OperatorAnswers.h"
#include "cli/Options.h"
#include "platform/drivers/console/ConsoleDriver.h"
#include "platform/window/ComboBox.h"
#include "platform/window/DialogWindow.h"
#include "platform/window/WinApp.h"
#include "resources/ResourceIds.h"
#include "resources/VeltranResources.h"
#include "ui/DownloadApp.h"
#include "ui/DownloadDlg.h"

#include <cstdio>
#include <unistd.h>

namespace {

constexpr int kUsageStatus = 2;

// The main window's file table, which stands in the very order of its list.
std::vector<std::string> fileTable(platform::DialogWindow& mainWindow) {
    std::vector<std::string> files;
    const auto* dlg = dynamic_cast<const CDownloadDlg*>(mainWindow.owner());
    const platform::Window* list = mainWindow.control(IDC_COMMAND_SET_LIST);
    if (!dlg || !list || list->kind() != platform::WindowKind::ComboBox)
        return files;
    const auto count = static_cast<const platform::ComboBox*>(list)->items().size();
    for (std::size_t i = 0; i < count && i < CDownloadDlg::kFileTableSize; ++i)
        files.push_back(dlg->m_fileNames[i].str());
    return files;
}

int run(const cli::Options& options, const char* argv0) {
    platform::setResources(&veltranResources());
    cli::OperatorAnswers answers(options, fileTable, stdout, stderr);
    console::ConsoleDriver driver(
        answers, {IDD_DOWNLOAD_DIALOG, IDC_TOPIC, IDC_PROGRESS, IDC_PERCENT, "records"},
        {stdout, stderr, isatty(fileno(stdout)) == 1});
    platform::installDriver(&driver);
    CDownloadApp app;
    runApplication(app, argv0);
    platform::installDriver(nullptr);
    driver.finish();

    if (driver.endingSignal() != 0)
        return console::kSignalStatusBase + driver.endingSignal();
    return answers.succeeded() ? 0 : console::kFailedStatus;
}

} // namespace

int main(int argc, char** argv) {
    const cli::Arguments arguments = cli::parseArguments(argc, argv);
    if (arguments.problem) {
        std::fprintf(stderr, "veltran-cli: %s\nTry 'veltran-cli --help'.\n",
                     cli::describe(*arguments.problem).c_str());
        return kUsageStatus;
    }
    switch (arguments.command) {
    case cli::Command::Help:
        std::fputs(cli::helpText().c_str(), stdout);
        return 0;
    case cli::Command::Version:
        std::fputs(cli::versionText().c_str(), stdout);
        return 0;
    case cli::Command::Run:
        break;
    }
    return run(arguments.options, argv[0]);
}
