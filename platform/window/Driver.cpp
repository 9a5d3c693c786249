#include "platform/window/Driver.h"

#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {
// Without a driver there is nobody to show anything to; say so on stderr
// rather than pretending the operator answered.
class NoDriver final : public Driver {
public:
    void runModalLoop(DialogWindow&) override {
        std::fputs("veltran: no window driver installed\n", stderr);
    }
    int messageBox(Window*, const CString& text, const CString&, UINT) override {
        std::fprintf(stderr, "%s\n", static_cast<const char*>(text));
        return IDOK;
    }
    [[noreturn]] void exitProcess(UINT code) override { std::_Exit(static_cast<int>(code)); }
};

NoDriver noDriver;
Driver* current = &noDriver;
} // namespace

Driver& driver() {
    return *current;
}

Driver* installDriver(Driver* replacement) {
    Driver* previous = current;
    current = replacement ? replacement : &noDriver;
    return previous == &noDriver ? nullptr : previous;
}

} // namespace platform
