#include "cli/OperatorAnswers.h"

#include "platform/window/ComboBox.h"
#include "platform/window/DialogWindow.h"
#include "platform/window/WinApp.h"
#include "platform/window/Wnd.h"
#include "resources/ResourceIds.h"
#include "ui/Messages.h"

#include <algorithm>
#include <csignal>

namespace cli {

namespace {

platform::ComboBox* comboOf(platform::DialogWindow& dialog, int id) {
    platform::Window* control = dialog.control(id);
    if (!control || control->kind() != platform::WindowKind::ComboBox)
        return nullptr;
    return static_cast<platform::ComboBox*>(control);
}

bool usable(const platform::Window* control) {
    return control && control->isVisible() && control->isEnabled();
}

int indexOf(const std::vector<CString>& items, const std::string& text) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].CompareNoCase(CString(text.c_str())) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

// The hidden buttons cannot be clicked; their commands reach the window all the same.
void sendCommand(platform::DialogWindow& dialog, int id) {
    SendMessageA(&dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                 reinterpret_cast<LPARAM>(dialog.control(id)));
}

const char* signalName(int signal) {
    switch (signal) {
    case SIGINT:
        return "SIGINT";
    case SIGTERM:
        return "SIGTERM";
    case SIGHUP:
        return "SIGHUP";
    default:
        return "a signal";
    }
}

std::string portOf(platform::DialogWindow& mainWindow) {
    const platform::Window* field = mainWindow.control(IDC_PORT_NAME);
    return field ? field->windowText().str() : std::string();
}

} // namespace

OperatorAnswers::OperatorAnswers(const Options& options, FileTable files, std::FILE* out,
                                 std::FILE* errors)
    : m_options(options), m_files(std::move(files)), m_out(out), m_errors(errors) {}

void OperatorAnswers::report(const Problem& problem) {
    m_failed = true;
    std::fprintf(m_errors, "%s: %s\n", AfxGetAppName(), describe(problem).c_str());
    std::fflush(m_errors);
}

void OperatorAnswers::note(const std::string& text) {
    std::fprintf(m_out, "%s: %s\n", AfxGetAppName(), text.c_str());
    std::fflush(m_out);
}

void OperatorAnswers::dialogOpened(platform::DialogWindow& dialog) {
    switch (dialog.dialogTemplate().id) {
    case IDD_PORT_SETUP:
        answerPortSetup(dialog);
        break;
    case IDD_DOWNLOAD_DIALOG:
        act(dialog);
        break;
    default:
        // Nothing else is asked for; the driver closes whatever else opens.
        break;
    }
}

void OperatorAnswers::dialogIdle(platform::DialogWindow& dialog) {
    if (dialog.dialogTemplate().id == IDD_DOWNLOAD_DIALOG)
        judge(dialog);
}

void OperatorAnswers::messageShown(const CString& text) {
    if (text == messages::kNoCurrentDirectory)
        m_noDirectory = true;
    if (m_acting)
        m_messagesWhileActing.push_back(text.str());
}

void OperatorAnswers::interrupted(int signal) {
    report({Error::Interrupted, signalName(signal)});
}

// Typed and picked like an operator would, then OK: the dialog's own data exchange
// takes the answers, exactly as the desktop program's does.
void OperatorAnswers::answerPortSetup(platform::DialogWindow& dialog) {
    platform::ComboBox* port = comboOf(dialog, IDC_SETUP_PORT);
    platform::ComboBox* baud = comboOf(dialog, IDC_SETUP_BAUD);
    platform::Window* ok = dialog.control(IDOK);
    const int rate = baud ? indexOf(baud->items(), m_options.baud) : -1;
    if (!usable(port) || !usable(baud) || rate < 0 || !usable(ok)) {
        report({Error::DialogUnanswerable, "Port Setup"});
        return;
    }
    port->type(CString(m_options.port.c_str()));
    baud->pick(rate);
    platform::pushButton(*ok);
}

void OperatorAnswers::act(platform::DialogWindow& dialog) {
    m_acting = true;
    switch (m_options.action) {
    case Action::Download:
    case Action::FirstTimeDownload: {
        if (!pickCommandSet(dialog))
            return;
        if (m_options.action == Action::FirstTimeDownload) {
            sendCommand(dialog, IDC_FIRST_TIME_DOWNLOAD);
            return;
        }
        platform::Window* start = dialog.control(IDC_START_DOWNLOAD);
        if (!start || !platform::pushButton(*start))
            report({Error::DialogUnanswerable, "main"});
        return;
    }
    case Action::SetBaud: {
        if (!pickNewRate(dialog))
            return;
        platform::Window* save = dialog.control(IDC_SAVE_TO_DISPLAY);
        if (!save || !platform::pushButton(*save))
            report({Error::BaudNeedsSerialPort, portOf(dialog)});
        return;
    }
    case Action::Erase:
        sendCommand(dialog, IDC_ERASE_ROM);
        return;
    case Action::List:
        list(dialog);
        return;
    }
}

// By the name the list shows, or by the file behind an entry, ignoring case either way.
bool OperatorAnswers::pickCommandSet(platform::DialogWindow& dialog) {
    if (m_options.commandSet.empty())
        return true;
    platform::ComboBox* sets = comboOf(dialog, IDC_COMMAND_SET_LIST);
    if (!usable(sets)) {
        report({Error::DialogUnanswerable, "main"});
        return false;
    }
    int index = indexOf(sets->items(), m_options.commandSet);
    if (index < 0) {
        std::vector<CString> files;
        for (const std::string& file : m_files(dialog))
            files.emplace_back(file.c_str());
        index = indexOf(files, m_options.commandSet);
    }
    if (index < 0 || index >= static_cast<int>(sets->items().size())) {
        report({Error::NoSuchCommandSet, m_options.commandSet});
        return false;
    }
    sets->pick(index);
    return true;
}

bool OperatorAnswers::pickNewRate(platform::DialogWindow& dialog) {
    platform::ComboBox* rates = comboOf(dialog, IDC_BAUD_LIST);
    // The program offers the baud controls for serial ports only.
    if (!usable(rates)) {
        report({Error::BaudNeedsSerialPort, portOf(dialog)});
        return false;
    }
    const int index = indexOf(rates->items(), m_options.newBaud);
    if (index < 0) {
        report({Error::DialogUnanswerable, "main"});
        return false;
    }
    rates->pick(index);
    return true;
}

void OperatorAnswers::list(platform::DialogWindow& dialog) {
    platform::ComboBox* sets = comboOf(dialog, IDC_COMMAND_SET_LIST);
    if (!sets) {
        report({Error::DialogUnanswerable, "main"});
        return;
    }
    const std::vector<std::string> files = m_files(dialog);
    const std::size_t count = std::min(sets->items().size(), files.size());
    if (count == 0 && !m_noDirectory) {
        std::fprintf(m_errors, "%s: no command set files (*.CSF) in this directory\n",
                     AfxGetAppName());
        std::fflush(m_errors);
    }
    std::size_t width = 0;
    for (std::size_t i = 0; i < count; ++i)
        width = std::max(width, static_cast<std::size_t>(sets->items()[i].GetLength()));
    for (std::size_t i = 0; i < count; ++i) {
        // The entry a download without --command-set would send.
        const bool chosen = static_cast<int>(i) == sets->selection();
        std::fprintf(m_out, "%-*s  %s%s\n", static_cast<int>(width),
                     static_cast<const char*>(sets->items()[i]), files[i].c_str(),
                     chosen ? "  (default)" : "");
    }
    std::fflush(m_out);
}

// Once nothing is left to wait for, the action has ended one way or the other.
void OperatorAnswers::judge(platform::DialogWindow& dialog) {
    if (m_judged || !m_acting)
        return;
    m_judged = true;
    if (m_failed)
        return;
    const auto& shown = m_messagesWhileActing;
    switch (m_options.action) {
    case Action::Download:
    case Action::FirstTimeDownload:
        m_succeeded =
            std::find(shown.begin(), shown.end(), messages::kDownloadCompleted) != shown.end();
        if (!m_succeeded && shown.empty())
            report({Error::DownloadNotCompleted, ""});
        break;
    case Action::SetBaud: {
        // The program reports nothing on success; the rate it now shows is the proof.
        const platform::Window* rate = dialog.control(IDC_BAUD_TEXT);
        m_succeeded = shown.empty() && rate && rate->windowText().str() == m_options.newBaud;
        if (m_succeeded)
            note("the line display now runs at " + m_options.newBaud + " baud; give --baud " +
                 m_options.newBaud + " from now on");
        else if (shown.empty())
            report({Error::RateNotAdopted, m_options.newBaud});
        break;
    }
    case Action::Erase:
        m_succeeded = shown.empty();
        if (m_succeeded)
            note("the line display's flash is erased");
        break;
    case Action::List:
        m_succeeded = !m_noDirectory;
        break;
    }
    m_failed = !m_succeeded;
}

} // namespace cli
