#include "platform/drivers/sim/SimDriver.h"

#include "platform/window/Timers.h"

#include <algorithm>

namespace sim {

bool SimDriver::Frame::done() const {
    if (pump)
        return false;
    if (target.box)
        return target.closed;
    if (target.dialog)
        return target.dialog->modalEnded();
    return false;
}

std::optional<platform::Microseconds> SimDriver::Frame::nextDue() {
    // Waits fold into the anchor, so each step counts from the one before it.
    while (!steps.empty() && !steps.front().act) {
        anchor += steps.front().delay;
        steps.pop_front();
    }
    if (steps.empty())
        return std::nullopt;
    return anchor + steps.front().delay;
}

void SimDriver::run(Frame& frame) {
    m_frames.push_back(&frame);
    struct Pop {
        std::vector<Frame*>& frames;
        ~Pop() { frames.pop_back(); }
    } pop{m_frames};

    while (!frame.done()) {
        const std::optional<platform::Microseconds> stepDue = frame.nextDue();
        const std::optional<platform::Microseconds> timerDue = platform::timers().nextDue();
        if (!stepDue && !timerDue) {
            if (frame.pump)
                return;
            throw Stalled(describe(frame));
        }
        const platform::Microseconds now = m_clock.now();
        // Input that is due goes before a due timer, as WM_TIMER comes last in a queue.
        const bool stepFirst =
            stepDue && (!timerDue || std::max(*stepDue, now) <= std::max(*timerDue, now));
        if (stepFirst) {
            m_clock.advanceTo(*stepDue);
            frame.anchor = m_clock.now();
            Step step = std::move(frame.steps.front());
            frame.steps.pop_front();
            step.act(frame.target);
        } else {
            m_clock.advanceTo(*timerDue);
            platform::dispatchDueTimer();
        }
    }
}

std::string SimDriver::describe(const Frame& frame) const {
    return "nothing more happens while " + frame.name + " is open at " +
           std::to_string(m_clock.now() / 1000) +
           " ms: the operator's script has no step left and no timer is armed";
}

void SimDriver::runUntilIdle(platform::DialogWindow* dialog, Script script) {
    Frame frame;
    frame.pump = true;
    frame.name = "the test";
    frame.target.dialog = dialog;
    frame.steps.assign(script.begin(), script.end());
    frame.anchor = m_clock.now();
    run(frame);
}

void SimDriver::runModalLoop(platform::DialogWindow& dialog) {
    const UINT id = dialog.dialogTemplate().id;
    m_shown.push_back({m_clock.now(), id});
    Frame frame;
    frame.target.dialog = &dialog;
    frame.name = "dialog " + std::to_string(id);
    frame.anchor = m_clock.now();
    auto scripts = m_dialogScripts.find(id);
    if (scripts != m_dialogScripts.end() && !scripts->second.empty()) {
        const Script& script = scripts->second.front();
        frame.steps.assign(script.begin(), script.end());
        scripts->second.pop_front();
    }
    run(frame);
}

int SimDriver::messageBox(platform::Window*, const CString& text, const CString& caption,
                          UINT type) {
    m_boxes.push_back({m_clock.now(), text, caption, type});
    MessageBoxShown shown = m_boxes.back();
    Frame frame;
    frame.target.box = &shown;
    frame.name = "the message box \"" + text.str() + "\"";
    frame.anchor = m_clock.now();
    if (!m_boxScripts.empty()) {
        frame.steps.assign(m_boxScripts.front().begin(), m_boxScripts.front().end());
        m_boxScripts.pop_front();
    } else {
        frame.steps.push_back(ok());
    }
    run(frame);
    return IDOK;
}

void SimDriver::exitProcess(UINT code) {
    throw ProcessExit{code};
}

} // namespace sim
