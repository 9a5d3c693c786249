// What a terminal run shows: the status line drawn from the window models, redrawn
// in place on a terminal or logged as plain lines, and message boxes on stderr.

#include "platform/drivers/console/MessageText.h"
#include "platform/drivers/console/StatusView.h"
#include "platform/window/DialogWindow.h"
#include "platform/window/Wnd.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

using console::StatusState;
using platform::WindowKind;

namespace {

constexpr DWORD kShown = WS_CHILD | WS_VISIBLE;
const platform::DialogTemplate kWindow{
    500,
    false,
    "Status",
    0,
    0,
    100,
    40,
    WS_POPUP,
    0,
    "MS Sans Serif",
    8,
    {
        {11, WindowKind::Label, "template text", 0, 0, 90, 8, kShown},
        {12, WindowKind::ProgressBar, "", 0, 10, 90, 8, kShown},
        {13, WindowKind::Label, "**%", 0, 20, 20, 8, kShown},
    },
    {}};

const std::string kDownloading = "Downloading command set......<KTX>";

struct Line {
    StatusState state;
    int width;
    std::string shown;
};

TEST(StatusLine, ShowsTextBarPercentageAndCountWithinTheWidth) {
    const Line cases[] = {
        {{}, 0, ""},
        {{"Erasing Flash ROM......", false, 0, 100, 0, ""}, 0, "Erasing Flash ROM......"},
        // While the display erases the bar runs alone: no percentage, nothing counted.
        {{"Erasing Flash ROM......", true, 0, 100, 50, ""},
         0,
         "Erasing Flash ROM......  [###############...............]"},
        {{kDownloading, true, 0, 9, 3, "33%"},
         0,
         kDownloading + "  [##########....................]  33%  3/9 records"},
        // Narrower: the bar gives way first, then the status text; the numbers stay.
        {{kDownloading, true, 0, 9, 9, "100%"},
         80,
         kDownloading + "  [#######################]  100%  9/9 records"},
        {{kDownloading, true, 0, 9, 3, "33%"},
         60,
         "Downloading command set.....  [###.......]  33%  3/9 records"},
        {{"A\x1b[2J\tB", false, 0, 0, 0, ""}, 0, "A?[2J?B"},
    };
    for (const Line& c : cases)
        EXPECT_EQ(console::statusLine(c.state, "records", c.width), c.shown);
}

// Output written to memory, as the view would write it to stdout.
class Captured {
public:
    Captured() : m_file(open_memstream(&m_buffer, &m_size)) {}
    ~Captured() {
        std::fclose(m_file);
        std::free(m_buffer);
    }
    std::FILE* file() const { return m_file; }
    std::string text() {
        std::fflush(m_file);
        return std::string(m_buffer, m_size);
    }

private:
    char* m_buffer = nullptr;
    std::size_t m_size = 0;
    std::FILE* m_file;
};

class StatusViewTest : public testing::Test {
protected:
    platform::DialogWindow window{kWindow, nullptr};
    Captured out;
    platform::Window& status = *window.control(11);
    platform::Window& bar = *window.control(12);
    platform::Window& percent = *window.control(13);

    // As start-up leaves them: blank texts, no bar.
    void SetUp() override {
        status.setWindowText("");
        percent.setWindowText("");
        bar.setVisible(false);
    }

    void setRange(int upper) { SendMessageA(&bar, PBM_SETRANGE, 0, MAKELPARAM(0, upper)); }
    void setPosition(int position) {
        SendMessageA(&bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    }
    void step() { SendMessageA(&bar, PBM_STEPIT, 0, 0); }

    // The calls of a download of three records, in the program's own order.
    void downloadThreeRecords() {
        status.setWindowText("Erasing Flash ROM......");
        setPosition(0);
        bar.setVisible(true);
        setRange(100);
        SendMessageA(&bar, PBM_SETSTEP, 1, 0);
        for (int i = 0; i < 100; ++i)
            step();
        status.setWindowText(kDownloading.c_str());
        setPosition(0);
        setRange(3);
        for (const char* shown : {"33%", "66%", "100%"}) {
            percent.setWindowText(shown);
            step();
        }
        status.setWindowText("");
        percent.setWindowText("");
        bar.setVisible(false);
    }
};

TEST_F(StatusViewTest, OnATerminalRedrawsOneLineInPlace) {
    console::StatusView view(out.file(), true, {500, 11, 12, 13, "records"});
    view.attach(window);
    // Filled in before the window shows: nothing is drawn.
    status.setWindowText("Starting");
    bar.setVisible(true);
    status.setWindowText("");
    bar.setVisible(false);
    EXPECT_EQ(out.text(), "");

    window.setVisible(true);
    status.setWindowText("Erasing Flash ROM......");
    bar.setVisible(true);
    setRange(4);
    setPosition(2);
    bar.setVisible(false);
    status.setWindowText("Done");
    const std::string erasing = "Erasing Flash ROM......";
    const std::string empty = "  [..............................]";
    const std::string half = "  [###############...............]";
    // A shorter line blanks the rest of the longer one and ends where its text ends.
    const std::string drawn = "\r" + erasing + "\r" + erasing + empty + "\r" + erasing + half +
                              "\r" + erasing + std::string(half.size(), ' ') + "\r" + erasing +
                              "\rDone" + std::string(erasing.size() - 4, ' ') + "\rDone";
    EXPECT_EQ(out.text(), drawn);

    // Other output starts on a line of its own; an empty line needs no break.
    view.breakLine();
    EXPECT_EQ(out.text(), drawn + "\n");
    status.setWindowText("");
    view.breakLine();
    EXPECT_EQ(out.text(), drawn + "\n");
}

TEST_F(StatusViewTest, OnATerminalAWholeDownloadEndsOnABlankLine) {
    console::StatusView view(out.file(), true, {500, 11, 12, 13, "records"});
    view.attach(window);
    window.setVisible(true);
    downloadThreeRecords();
    const std::string text = out.text();
    EXPECT_NE(text.find("#]  100%  3/3 records"), std::string::npos);
    // The last redraw blanks the line and leaves the cursor at its start.
    EXPECT_EQ(text.substr(text.rfind('\r')), "\r");
    view.breakLine();
    EXPECT_NE(out.text().back(), '\n');
}

TEST_F(StatusViewTest, InALogPrintsALinePerStatusAndPerPercentage) {
    console::StatusView view(out.file(), false, {500, 11, 12, 13, "records"});
    view.attach(window);
    window.setVisible(true);
    downloadThreeRecords();
    EXPECT_EQ(out.text(),
              "Erasing Flash ROM......\n" + kDownloading + "\n" + kDownloading +
                  "  [##########....................]  33%  1/3 records\n" + kDownloading +
                  "  [####################..........]  66%  2/3 records\n" + kDownloading +
                  "  [##############################]  100%  3/3 records\n");
}

TEST_F(StatusViewTest, WatchesOnlyItsOwnDialogAndLetsGoOfIt) {
    console::StatusView other(out.file(), false, {501, 11, 12, 13, "records"});
    other.attach(window);
    window.setVisible(true);
    status.setWindowText("Erasing Flash ROM......");
    EXPECT_EQ(status.observer(), nullptr);

    console::StatusView view(out.file(), false, {500, 11, 12, 13, "records"});
    view.attach(window);
    view.detach(window);
    EXPECT_EQ(bar.observer(), nullptr);
    status.setWindowText("Downloading");
    EXPECT_EQ(out.text(), "");
}

TEST(MessageText, CaptionPrefixesTheFirstLineAndIndentsTheRest) {
    EXPECT_EQ(console::messageText("veltran-cli", "Command set download completed"),
              "veltran-cli: Command set download completed\n");
    EXPECT_EQ(
        console::messageText("veltran-cli",
                             "Data writing error!\nCheck the communication port please."),
        "veltran-cli: Data writing error!\n             Check the communication port please.\n");
    EXPECT_EQ(console::messageText("", "a\nb"), "a\nb\n");
}

} // namespace
