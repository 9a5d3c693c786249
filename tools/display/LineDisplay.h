#pragma once
// The display at the end of the line: its rate, its erase and flash timing, and
// the image of what it has stored. It sees only bytes and their arrival times, as
// the real one does, and says what it made of them as events.
//
// Each byte is judged on arrival, in this order: while an erase runs it is lost;
// at a line rate other than the display's it is rejected (the display would read
// garbage); otherwise it goes to the parser.

#include "tools/display/Event.h"
#include "tools/display/FlashImage.h"
#include "tools/display/StreamParser.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace display {

struct DisplaySettings {
    int baudIndex = 2;            // 9600
    Micros eraseTime = 2'000'000; // both erase modes
    Micros flashTime = 5'000;     // writing one record
};

class LineDisplay {
public:
    explicit LineDisplay(DisplaySettings settings);

    // Bytes of one read, all arrived at time t. lineRate is the rate the sender set
    // on its end of the line, when the endpoint can see it (a pty); without it no
    // byte is rejected, since a real line garbles them on its own.
    void receive(Micros t, std::span<const std::uint8_t> bytes, std::optional<unsigned> lineRate,
                 std::vector<Event>& out);
    // The end of the run: a partial line or sequence is reported as garbage.
    void finish(std::vector<Event>& out);

    int baudIndex() const { return baudIndex_; }
    unsigned rate() const;
    const FlashImage& image() const { return image_; }

private:
    enum class Gate { Accept, Lost, Rejected };

    void judge(std::vector<Event>& units, std::vector<Event>& out);
    void judgeErase(Event& event);
    void judgeSetBaud(Event& event);
    void judgeRecord(Event& event);
    void flushRun(std::vector<Event>& out);

    DisplaySettings settings_;
    int baudIndex_;
    StreamParser parser_;
    FlashImage image_;
    Micros erasingUntil_ = 0;
    std::optional<Micros> writtenAt_; // when the last record will have been written
    int records_ = 0;

    // Consecutive lost or rejected bytes of one read become one event.
    Gate runGate_ = Gate::Accept;
    Event run_;
};

} // namespace display
