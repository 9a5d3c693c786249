// The dialog manager's keys on the program's templates: Tab in template order
// over the controls that can take the focus, Enter, Space and Esc.

#include "WindowTestSupport.h"

#include "platform/window/DialogWindow.h"

#include <gtest/gtest.h>

#include <memory>

using namespace wintest;
using platform::Key;
using Ids = std::vector<int>;

namespace {

// The main window's template with its buttons recording what they are sent.
class KeyDialog : public CDialog {
public:
    KeyDialog() : CDialog(IDD_DOWNLOAD_DIALOG) {}
    Ids commands;

    void OnExitButton() { commands.push_back(IDC_EXIT); }
    void OnStartButton() { commands.push_back(IDC_START_DOWNLOAD); }
    void OnCancel() override { commands.push_back(IDCANCEL); }

    int focus() const {
        const platform::Window* focused = dialogWindow()->focus();
        return focused ? focused->id() : 0;
    }
    void press(const std::vector<Key>& keys) {
        for (Key k : keys)
            dialogWindow()->handleKey(k);
    }

protected:
    const platform::MessageMap* GetMessageMap() const override {
        static const platform::MessageMap map(
            CDialog::GetMessageMap(),
            {
                platform::onCommand(IDC_EXIT, &KeyDialog::OnExitButton),
                platform::onCommand(IDC_START_DOWNLOAD, &KeyDialog::OnStartButton),
            });
        return &map;
    }
};

class DialogKeys : public ::testing::Test {
protected:
    KeyDialog& create() {
        dlg = std::make_unique<KeyDialog>();
        EXPECT_TRUE(dlg->Create());
        return *dlg;
    }

    sim::Session session{&veltranResources()};
    std::unique_ptr<KeyDialog> dlg;
};

TEST_F(DialogKeys, TabFollowsTemplateOrderSkippingHiddenAndDisabledControls) {
    const struct {
        const char* what;
        Ids hidden;
        Ids disabled;
        Ids forward; // the focus after each Tab from EXIT, round to EXIT again
    } cases[] = {
        {"as the template comes", {}, {}, {1003, 1002, 1004, 1009, 1013, 1017, IDC_EXIT}},
        {"baud controls hidden and disabled",
         {IDC_BAUD_LIST, IDC_SAVE_TO_DISPLAY, IDC_BAUD_GROUP, IDC_BAUD_TEXT},
         {IDC_BAUD_LIST, IDC_SAVE_TO_DISPLAY, IDC_BAUD_GROUP, IDC_BAUD_TEXT},
         {1003, 1002, 1017, IDC_EXIT}},
        {"a disabled button still shown",
         {},
         {IDC_SAVE_TO_DISPLAY},
         {1003, 1002, 1004, 1013, 1017, IDC_EXIT}},
        {"a hidden field still enabled",
         {IDC_PORT_NAME},
         {},
         {1002, 1004, 1009, 1013, 1017, IDC_EXIT}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        KeyDialog& d = create();
        ASSERT_EQ(d.focus(), IDC_EXIT) << "the first tab stop takes the focus";
        for (int id : c.hidden)
            d.GetDlgItem(id)->ShowWindow(SW_HIDE);
        for (int id : c.disabled)
            d.GetDlgItem(id)->EnableWindow(FALSE);

        Ids forward;
        for (std::size_t i = 0; i < c.forward.size(); ++i) {
            d.press({Key::Tab});
            forward.push_back(d.focus());
        }
        EXPECT_EQ(forward, c.forward);

        Ids backward;
        for (std::size_t i = 0; i < c.forward.size(); ++i) {
            d.press({Key::BackTab});
            backward.push_back(d.focus());
        }
        Ids expected(c.forward.rbegin() + 1, c.forward.rend());
        expected.push_back(IDC_EXIT);
        EXPECT_EQ(backward, expected);
        EXPECT_TRUE(d.commands.empty());
    }
}

TEST_F(DialogKeys, EnterPressesTheFocusedButtonElseTheDefaultOneAndEscIsCancel) {
    const struct {
        const char* what;
        std::vector<Key> keys;
        Ids commands;
    } cases[] = {
        {"Enter on EXIT", {Key::Enter}, {IDC_EXIT}},
        {"Enter in a field", {Key::Tab, Key::Enter}, {IDC_EXIT}},
        {"Enter in the command set list",
         {Key::Tab, Key::Tab, Key::Tab, Key::Tab, Key::Tab, Key::Tab, Key::Enter},
         {IDC_EXIT}},
        {"Enter on Start Download", {Key::Tab, Key::Tab, Key::Enter}, {IDC_START_DOWNLOAD}},
        {"Space on Start Download", {Key::Tab, Key::Tab, Key::Space}, {IDC_START_DOWNLOAD}},
        {"Space in a field", {Key::Tab, Key::Space}, {}},
        {"Esc", {Key::Escape}, {IDCANCEL}},
        {"Esc on Start Download", {Key::Tab, Key::Tab, Key::Escape}, {IDCANCEL}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        KeyDialog& d = create();
        d.press(c.keys);
        EXPECT_EQ(d.commands, c.commands);
    }
}

TEST_F(DialogKeys, KeysEndTheModalPortSetupDialog) {
    const struct {
        const char* what;
        sim::Script steps;
        INT_PTR result;
    } cases[] = {
        {"Enter on OK", {sim::key(Key::Enter)}, IDOK},
        {"Enter on Cancel", {sim::key(Key::Tab), sim::key(Key::Enter)}, IDCANCEL},
        {"Enter in the port field",
         {sim::key(Key::Tab), sim::key(Key::Tab), sim::key(Key::Enter)},
         IDOK},
        {"Enter in the rate list, reached backwards",
         {sim::key(Key::BackTab), sim::key(Key::Enter)},
         IDOK},
        {"Space on Cancel", {sim::key(Key::Tab), sim::key(Key::Space)}, IDCANCEL},
        {"Esc", {sim::key(Key::Escape)}, IDCANCEL},
        {"the close box", {sim::closeBox()}, IDCANCEL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CDialog portSetup(IDD_PORT_SETUP);
        session.driver().onDialog(IDD_PORT_SETUP, c.steps);
        INT_PTR result = -1;
        const sim::Outcome outcome = session.run([&] { result = portSetup.DoModal(); });
        ASSERT_EQ(outcome.kind, sim::Outcome::Kind::Returned) << outcome.stalledBecause;
        EXPECT_EQ(result, c.result);
    }
}

} // namespace
