#pragma once
// The status line of a terminal run: the status text, the progress bar drawn from
// its model, and once a percentage shows, the percentage and how many of how many
// the bar counts. It observes the window models and redraws when they change: on
// a terminal in place with \r, otherwise as plain lines when a step is worth one.

#include "platform/base/Win32Types.h"
#include "platform/window/Window.h"

#include <cstdio>
#include <string>

namespace platform {
class DialogWindow;
class ProgressBar;
} // namespace platform

namespace console {

// Which controls of which dialog make up the status display.
struct StatusControls {
    UINT dialog = 0;
    int status = 0;
    int progress = 0;
    int percent = 0;
    std::string counted; // what the bar's positions count while the percentage shows
};

// What the controls hold, as the line shows it.
struct StatusState {
    std::string status;
    bool barShown = false;
    int lower = 0;
    int upper = 0;
    int position = 0;
    std::string percent;
};

// The line for this state in at most `width` columns (0: no limit).
std::string statusLine(const StatusState& state, const std::string& counted, int width);

class StatusView final : public platform::WindowObserver {
public:
    StatusView(std::FILE* out, bool terminal, StatusControls controls);
    ~StatusView() override;
    StatusView(const StatusView&) = delete;
    StatusView& operator=(const StatusView&) = delete;

    // Starts observing the dialog when it is the one with the status controls.
    void attach(platform::DialogWindow& dialog);
    void detach(platform::DialogWindow& dialog);
    // Ends a line being redrawn in place, so other output starts on a line of its own.
    void breakLine();

    void windowChanged(platform::Window& window, platform::Change change) override;

private:
    StatusState read() const;
    void redrawInPlace(const StatusState& state);
    void printSteps(const StatusState& state, const platform::Window& changed);
    int columns() const;

    std::FILE* m_out;
    bool m_terminal;
    StatusControls m_controls;
    platform::DialogWindow* m_dialog = nullptr;
    platform::Window* m_status = nullptr;
    platform::ProgressBar* m_bar = nullptr;
    platform::Window* m_percent = nullptr;
    std::string m_onScreen;   // the line being redrawn in place
    std::string m_lastStatus; // plain lines: what the last ones said
    std::string m_lastPercent;
};

} // namespace console
