#include "platform/drivers/console/StatusView.h"

#include "platform/window/DialogWindow.h"
#include "platform/window/ProgressBar.h"

#include <algorithm>
#include <sys/ioctl.h>
#include <unistd.h>

namespace console {

namespace {

constexpr int kWidestBar = 30;
constexpr int kNarrowestBar = 10;
constexpr int kDefaultColumns = 80;

// A file name with a control byte in it must not move the cursor about.
std::string printable(std::string text) {
    for (char& c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            c = '?';
    }
    return text;
}

std::string bar(const StatusState& s, int width) {
    const int span = s.upper - s.lower;
    const int filled = span > 0 ? std::clamp((s.position - s.lower) * width / span, 0, width) : 0;
    std::string text = "[";
    text.append(static_cast<std::size_t>(filled), '#');
    text.append(static_cast<std::size_t>(width - filled), '.');
    text += ']';
    return text;
}

} // namespace

std::string statusLine(const StatusState& s, const std::string& counted, int width) {
    std::string status = printable(s.status);
    if (!s.barShown)
        return width > 0 && status.size() > static_cast<std::size_t>(width)
                   ? status.substr(0, static_cast<std::size_t>(width))
                   : status;

    std::string tail;
    if (!s.percent.empty()) {
        tail = "  " + printable(s.percent) + "  " + std::to_string(s.position - s.lower) + "/" +
               std::to_string(s.upper - s.lower);
        if (!counted.empty())
            tail += " " + counted;
    }
    const auto tailWidth = static_cast<int>(tail.size());
    int barWidth = kWidestBar;
    if (width > 0) {
        // The bar gives way first, then the status text: the numbers matter most.
        const int statusWidth = status.empty() ? 0 : static_cast<int>(status.size()) + 2;
        barWidth = std::clamp(width - statusWidth - tailWidth - 2, kNarrowestBar, kWidestBar);
        const int room = width - barWidth - 2 - tailWidth - 2;
        if (statusWidth > 0 && static_cast<int>(status.size()) > room)
            status = room > 0 ? status.substr(0, static_cast<std::size_t>(room)) : std::string();
    }
    std::string line =
        status.empty() ? bar(s, barWidth) + tail : status + "  " + bar(s, barWidth) + tail;
    if (width > 0 && line.size() > static_cast<std::size_t>(width))
        line.resize(static_cast<std::size_t>(width));
    return line;
}

StatusView::StatusView(std::FILE* out, bool terminal, StatusControls controls)
    : m_out(out), m_terminal(terminal), m_controls(std::move(controls)) {}

StatusView::~StatusView() {
    if (m_dialog)
        detach(*m_dialog);
}

void StatusView::attach(platform::DialogWindow& dialog) {
    if (dialog.dialogTemplate().id != m_controls.dialog || m_dialog)
        return;
    platform::Window* progress = dialog.control(m_controls.progress);
    if (!progress || progress->kind() != platform::WindowKind::ProgressBar)
        return;
    m_dialog = &dialog;
    m_status = dialog.control(m_controls.status);
    m_bar = static_cast<platform::ProgressBar*>(progress);
    m_percent = dialog.control(m_controls.percent);
    for (platform::Window* w : {m_status, static_cast<platform::Window*>(m_bar), m_percent}) {
        if (w)
            w->setObserver(this);
    }
}

void StatusView::detach(platform::DialogWindow& dialog) {
    if (&dialog != m_dialog)
        return;
    for (platform::Window* w : {m_status, static_cast<platform::Window*>(m_bar), m_percent}) {
        if (w && w->observer() == this)
            w->setObserver(nullptr);
    }
    m_dialog = nullptr;
    m_status = m_percent = nullptr;
    m_bar = nullptr;
    breakLine();
}

void StatusView::breakLine() {
    if (!m_onScreen.empty()) {
        std::fputc('\n', m_out);
        m_onScreen.clear();
    }
    std::fflush(m_out);
}

StatusState StatusView::read() const {
    StatusState s;
    if (m_status)
        s.status = m_status->windowText().str();
    if (m_percent)
        s.percent = m_percent->windowText().str();
    s.barShown = m_bar->isVisible();
    s.lower = m_bar->lower();
    s.upper = m_bar->upper();
    s.position = m_bar->position();
    return s;
}

void StatusView::windowChanged(platform::Window& window, platform::Change) {
    // Start-up fills the controls before the window shows; only what is on screen counts.
    if (!m_dialog || !m_dialog->isVisible())
        return;
    const StatusState state = read();
    if (m_terminal)
        redrawInPlace(state);
    else
        printSteps(state, window);
}

void StatusView::redrawInPlace(const StatusState& state) {
    const std::string line = statusLine(state, m_controls.counted, columns() - 1);
    if (line == m_onScreen)
        return;
    std::string out = "\r" + line;
    if (line.size() < m_onScreen.size())
        out += std::string(m_onScreen.size() - line.size(), ' ') + "\r" + line;
    std::fputs(out.c_str(), m_out);
    std::fflush(m_out);
    m_onScreen = line;
}

// A log reads best with one line per status and per percentage step, not one per bar
// step; the count is taken once the bar has stepped, so it matches the percentage.
void StatusView::printSteps(const StatusState& state, const platform::Window& changed) {
    if (state.status != m_lastStatus) {
        m_lastStatus = state.status;
        if (!state.status.empty())
            std::fprintf(m_out, "%s\n", printable(state.status).c_str());
    }
    if (state.percent.empty()) {
        m_lastPercent.clear();
    } else if (&changed == m_bar && state.percent != m_lastPercent) {
        m_lastPercent = state.percent;
        std::fprintf(m_out, "%s\n", statusLine(state, m_controls.counted, 0).c_str());
    }
    std::fflush(m_out);
}

int StatusView::columns() const {
    winsize size{};
    if (ioctl(fileno(m_out), TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    return kDefaultColumns;
}

} // namespace console
