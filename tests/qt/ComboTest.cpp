// Combo boxes: the view follows the model's entries, selection and edit text,
// and the operator's typing and picking go back into the model and reach a
// field through a save-direction exchange.

#include "QtDriverTest.h"

#include "platform/window/ComboBox.h"
#include "platform/window/DataExchange.h"
#include "resources/ResourceIds.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace qttest;

namespace {

QStringList entriesOf(const QComboBox& combo) {
    QStringList entries;
    for (int i = 0; i < combo.count(); ++i)
        entries << combo.itemText(i);
    return entries;
}

void addEntries(HWND combo) {
    for (const char* name : {"QVX", "KTX", "LD2"})
        send(combo, CB_ADDSTRING, 0, name);
}

// The main window's command set list with its one binding.
class CommandSetDialog : public RecordingDialog {
public:
    CommandSetDialog() : RecordingDialog(IDD_DOWNLOAD_DIALOG) {}
    CString m_strCommandSet;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_CBString(pDX, IDC_COMMAND_SET_LIST, m_strCommandSet);
    }
};

} // namespace

TEST(Combo, TheViewFollowsTheModel) {
    CDialog dialog(IDD_DOWNLOAD_DIALOG);
    ASSERT_NO_FATAL_FAILURE(open(dialog));
    HWND list = &control(dialog, IDC_COMMAND_SET_LIST);
    auto& combo = widgetOf<QComboBox>(dialog, IDC_COMMAND_SET_LIST);

    struct Expected {
        const char* after;
        QStringList entries;
        int index;
        QString edit;
    };
    auto expect = [&](const Expected& e) {
        EXPECT_EQ(entriesOf(combo), e.entries) << e.after;
        EXPECT_EQ(combo.currentIndex(), e.index) << e.after;
        EXPECT_EQ(combo.lineEdit()->text(), e.edit) << e.after;
    };

    send(list, WM_SETTEXT, 0, "KT");
    expect({"setting the text", {}, -1, "KT"});
    addEntries(list);
    expect({"adding entries", {"KTX", "LD2", "QVX"}, -1, "KT"});
    send(list, CB_SELECTSTRING, static_cast<WPARAM>(-1), "l");
    expect({"selecting by prefix", {"KTX", "LD2", "QVX"}, 1, "LD2"});
    send(list, WM_SETTEXT, 0, "other");
    expect({"setting the text again", {"KTX", "LD2", "QVX"}, 1, "other"});
    send(list, CB_SETCURSEL, static_cast<WPARAM>(-1));
    expect({"selecting nothing", {"KTX", "LD2", "QVX"}, -1, ""});
    send(list, CB_RESETCONTENT);
    expect({"emptying", {}, -1, ""});

    // A drop-down list shows its selected entry and has no edit field.
    send(&control(dialog, IDC_BAUD_LIST), CB_SETCURSEL, 3);
    auto& baud = widgetOf<QComboBox>(dialog, IDC_BAUD_LIST);
    EXPECT_EQ(baud.lineEdit(), nullptr);
    EXPECT_EQ(baud.currentText(), "19200");
}

TEST(Combo, TypingAndPickingGoIntoTheModelAndNotifyTheDialog) {
    RecordingDialog dialog(IDD_DOWNLOAD_DIALOG);
    ASSERT_NO_FATAL_FAILURE(open(dialog));
    auto& list = static_cast<platform::ComboBox&>(control(dialog, IDC_COMMAND_SET_LIST));
    addEntries(&list);
    dialog.dialogWindow()->setFocus(&list);
    auto& combo = widgetOf<QComboBox>(dialog, IDC_COMMAND_SET_LIST);
    auto notified = [&](UINT code) {
        const RecordingDialog::Received expected{
            WM_COMMAND, MAKEWPARAM(IDC_COMMAND_SET_LIST, static_cast<WORD>(code))};
        return std::count(dialog.received.begin(), dialog.received.end(), expected);
    };

    // Typing what begins an entry neither completes it nor selects it.
    QTest::keyClicks(QApplication::focusWidget(), "kt");
    EXPECT_EQ(list.windowText(), "kt");
    EXPECT_EQ(combo.lineEdit()->text(), "kt");
    EXPECT_EQ(list.selection(), -1);
    EXPECT_EQ(notified(CBN_EDITCHANGE), 2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(combo.count(), 3);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(list.selection(), 0);
    EXPECT_EQ(list.windowText(), "KTX");
    EXPECT_EQ(notified(CBN_SELCHANGE), 1);

    combo.showPopup();
    QAbstractItemView* popup = combo.view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(popup->window()));
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {},
                      popup->visualRect(popup->model()->index(2, 0)).center());
    EXPECT_EQ(list.selection(), 2);
    EXPECT_EQ(list.windowText(), "QVX");
    EXPECT_EQ(notified(CBN_SELCHANGE), 2);

    EXPECT_EQ(list.items().size(), 3u);
}

TEST(Combo, AnEditFieldThatDoesNotScrollTakesOnlyWhatItShows) {
    CDialog dialog(IDD_DOWNLOAD_DIALOG);
    ASSERT_NO_FATAL_FAILURE(open(dialog));
    dialog.dialogWindow()->setFocus(&control(dialog, IDC_COMMAND_SET_LIST));
    QTest::keyClicks(QApplication::focusWidget(), QString(40, u'W'));
    const QString typed =
        QString::fromStdString(control(dialog, IDC_COMMAND_SET_LIST).windowText().str());
    QLineEdit& edit = *widgetOf<QComboBox>(dialog, IDC_COMMAND_SET_LIST).lineEdit();
    EXPECT_GT(typed.size(), 5);
    EXPECT_LT(typed.size(), 40);
    EXPECT_LE(edit.fontMetrics().horizontalAdvance(typed), edit.width());
}

TEST(Combo, TypingAndPickingReachTheFieldThroughASaveExchange) {
    CommandSetDialog dialog;
    ASSERT_NO_FATAL_FAILURE(open(dialog));
    addEntries(&control(dialog, IDC_COMMAND_SET_LIST));
    dialog.dialogWindow()->setFocus(&control(dialog, IDC_COMMAND_SET_LIST));

    QTest::keyClicks(QApplication::focusWidget(), "ld");
    dialog.UpdateData(TRUE);
    EXPECT_EQ(dialog.m_strCommandSet, "ld");

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    dialog.UpdateData(TRUE);
    EXPECT_EQ(dialog.m_strCommandSet, "KTX");
}
