#pragma once
// The test driver: virtual time and a scripted operator. Each modal loop runs the
// operator's steps for its dialog or message box and the armed timers, in time
// order, input first when both are due. The immediate exit unwinds to the test.

#include "platform/drivers/sim/Script.h"
#include "platform/drivers/sim/VirtualClock.h"
#include "platform/window/Driver.h"

#include <deque>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace sim {

// Thrown by the immediate exit; carries the exit code to the harness.
struct ProcessExit {
    UINT code;
};

// Nothing more can happen: no step left, no timer armed, yet a loop waits.
struct Stalled : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct DialogShown {
    platform::Microseconds time;
    UINT templateId;
};

class SimDriver final : public platform::Driver {
public:
    explicit SimDriver(VirtualClock& clock) : m_clock(clock) {}

    // The operator's script for the next time this dialog opens (scripts for the
    // same dialog are used in the order given).
    void onDialog(UINT templateId, Script script) {
        m_dialogScripts[templateId].push_back(std::move(script));
    }
    // The script for the next message box; without one the operator presses OK at once.
    void onMessageBox(Script script) { m_boxScripts.push_back(std::move(script)); }

    const std::vector<MessageBoxShown>& messageBoxes() const { return m_boxes; }
    const std::vector<DialogShown>& dialogsShown() const { return m_shown; }

    // Runs timers, and the script's steps on the given (modeless) dialog, until
    // nothing is left to do; outside any modal loop.
    void runUntilIdle(platform::DialogWindow* dialog = nullptr, Script script = {});

    void runModalLoop(platform::DialogWindow& dialog) override;
    int messageBox(platform::Window* owner, const CString& text, const CString& caption,
                   UINT type) override;
    [[noreturn]] void exitProcess(UINT code) override;

private:
    struct Frame {
        Target target;
        std::deque<Step> steps;
        platform::Microseconds anchor = 0;
        bool pump = false;
        std::string name;
        bool done() const;
        std::optional<platform::Microseconds> nextDue();
    };
    void run(Frame& frame);
    std::string describe(const Frame& frame) const;

    VirtualClock& m_clock;
    std::map<UINT, std::deque<Script>> m_dialogScripts;
    std::deque<Script> m_boxScripts;
    std::vector<MessageBoxShown> m_boxes;
    std::vector<DialogShown> m_shown;
    std::vector<Frame*> m_frames;
};

} // namespace sim
