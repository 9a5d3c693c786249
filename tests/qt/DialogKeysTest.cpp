// The dialog manager's keys reach the model, not Qt: Enter and Space on buttons,
// Enter elsewhere for the default button, Esc and the close box as Cancel, F1
// as Help, and the system menu from the context menu.

#include "QtDriverTest.h"

#include "resources/ResourceIds.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace qttest;

namespace {

std::vector<WPARAM> commands(const RecordingDialog& dialog) {
    std::vector<WPARAM> result;
    for (const auto& r : dialog.received) {
        if (r.message == WM_COMMAND)
            result.push_back(r.wParam);
    }
    return result;
}

void focus(CDialog& dialog, int id) {
    dialog.dialogWindow()->setFocus(&control(dialog, id));
}

} // namespace

TEST(DialogKeys, EachKeyGivesTheCommandTheDialogManagerWould) {
    struct Case {
        UINT templateId;
        int focusId;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        WPARAM command;
    };
    const Case cases[] = {
        {IDD_DOWNLOAD_DIALOG, IDC_EXIT, Qt::Key_Return, Qt::NoModifier, IDC_EXIT},
        {IDD_DOWNLOAD_DIALOG, IDC_START_DOWNLOAD, Qt::Key_Return, Qt::NoModifier,
         IDC_START_DOWNLOAD},
        {IDD_DOWNLOAD_DIALOG, IDC_START_DOWNLOAD, Qt::Key_Space, Qt::NoModifier,
         IDC_START_DOWNLOAD},
        // Enter away from a push button presses the default one: EXIT.
        {IDD_DOWNLOAD_DIALOG, IDC_PORT_NAME, Qt::Key_Return, Qt::NoModifier, IDC_EXIT},
        {IDD_DOWNLOAD_DIALOG, IDC_COMMAND_SET_LIST, Qt::Key_Enter, Qt::KeypadModifier, IDC_EXIT},
        {IDD_DOWNLOAD_DIALOG, IDC_BAUD_LIST, Qt::Key_Escape, Qt::NoModifier, IDCANCEL},
        {IDD_DOWNLOAD_DIALOG, IDC_PORT_NAME, Qt::Key_F1, Qt::NoModifier, ID_HELP},
        {IDD_PORT_SETUP, IDCANCEL, Qt::Key_Return, Qt::NoModifier, IDCANCEL},
        {IDD_PORT_SETUP, IDC_SETUP_PORT, Qt::Key_Return, Qt::NoModifier, IDOK},
        {IDD_PORT_SETUP, IDC_SETUP_BAUD, Qt::Key_Escape, Qt::NoModifier, IDCANCEL},
    };
    for (const Case& c : cases) {
        RecordingDialog dialog(c.templateId);
        ASSERT_NO_FATAL_FAILURE(open(dialog));
        focus(dialog, c.focusId);
        ASSERT_EQ(QApplication::focusWidget(), &widgetOf(dialog, c.focusId));
        QTest::keyClick(QApplication::focusWidget(), c.key, c.modifiers);
        EXPECT_EQ(commands(dialog), std::vector<WPARAM>{c.command})
            << "template " << c.templateId << ", focus on " << c.focusId << ", key " << c.key;
    }
}

TEST(DialogKeys, SpaceInAnEditFieldIsText) {
    RecordingDialog dialog(IDD_DOWNLOAD_DIALOG);
    ASSERT_NO_FATAL_FAILURE(open(dialog));
    focus(dialog, IDC_COMMAND_SET_LIST);
    QTest::keyClicks(QApplication::focusWidget(), "A B");
    EXPECT_EQ(control(dialog, IDC_COMMAND_SET_LIST).windowText(), "A B");
    for (WPARAM command : commands(dialog))
        EXPECT_EQ(HIWORD(static_cast<DWORD>(command)), CBN_EDITCHANGE);
}

TEST(DialogKeys, TheCloseBoxAndAltF4AreTheCloseCommandAndThenCancel) {
    const std::vector<RecordingDialog::Received> expected{{WM_SYSCOMMAND, SC_CLOSE},
                                                          {WM_COMMAND, IDCANCEL}};
    for (bool altF4 : {false, true}) {
        RecordingDialog dialog(IDD_DOWNLOAD_DIALOG);
        ASSERT_NO_FATAL_FAILURE(open(dialog));
        if (altF4)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4, Qt::AltModifier);
        else
            viewOf(dialog).close();
        EXPECT_EQ(dialog.received, expected) << (altF4 ? "Alt+F4" : "close box");
        EXPECT_TRUE(dialog.dialogWindow()->modalEnded());
        EXPECT_EQ(dialog.dialogWindow()->modalResult(), IDCANCEL);
    }
}

TEST(DialogKeys, AClickMovesTheModelsFocus) {
    RecordingDialog dialog(IDD_DOWNLOAD_DIALOG);
    ASSERT_NO_FATAL_FAILURE(open(dialog));
    QTest::mouseClick(&widgetOf(dialog, IDC_BAUD_TEXT), Qt::LeftButton);
    EXPECT_EQ(dialog.dialogWindow()->focus()->id(), IDC_BAUD_TEXT);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(dialog.dialogWindow()->focus()->id(), IDC_SAVE_TO_DISPLAY);
}

TEST(DialogKeys, ADisabledDialogTakesNoInputYetKeepsItsLooks) {
    RecordingDialog dialog(IDD_DOWNLOAD_DIALOG);
    ASSERT_NO_FATAL_FAILURE(open(dialog));
    QWidget& start = widgetOf(dialog, IDC_START_DOWNLOAD);
    auto pressStart = [&] {
        QTest::mouseClick(&start, Qt::LeftButton);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    };

    // As while a modal window it owns is open.
    dialog.EnableWindow(FALSE);
    pressStart();
    EXPECT_TRUE(dialog.received.empty());
    EXPECT_TRUE(start.isEnabled());

    dialog.EnableWindow(TRUE);
    pressStart();
    EXPECT_EQ(commands(dialog), (std::vector<WPARAM>{IDC_START_DOWNLOAD, IDC_START_DOWNLOAD}));
}

TEST(SystemMenu, TheRightButtonAndTheMenuKeyOfferItAndSendTheChoice) {
    for (auto reason : {QContextMenuEvent::Mouse, QContextMenuEvent::Keyboard}) {
        RecordingDialog dialog(IDD_DOWNLOAD_DIALOG);
        ASSERT_NO_FATAL_FAILURE(open(dialog));
        CMenu* menu = dialog.GetSystemMenu(FALSE);
        menu->AppendMenu(MF_SEPARATOR);
        menu->AppendMenu(MF_STRING, IDM_ABOUTBOX, "&About Veltran...");

        QStringList offered;
        QTimer::singleShot(0, [&] {
            auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(popup, nullptr);
            for (QAction* action : popup->actions())
                offered << action->text();
            popup->setActiveAction(popup->actions().back());
            QTest::keyClick(popup, Qt::Key_Return);
        });
        // The mouse on the window's background; the Menu key on the focused button.
        QWidget& target = reason == QContextMenuEvent::Mouse ? static_cast<QWidget&>(viewOf(dialog))
                                                             : widgetOf(dialog, IDC_EXIT);
        const QPoint at = reason == QContextMenuEvent::Mouse ? QPoint(300, 20) : QPoint(5, 5);
        QContextMenuEvent event(reason, at, target.mapToGlobal(at));
        QApplication::sendEvent(&target, &event);

        EXPECT_EQ(offered, (QStringList{"&Move", "&Close\tAlt+F4", "", "&About Veltran..."}));
        EXPECT_EQ(dialog.received,
                  (std::vector<RecordingDialog::Received>{{WM_SYSCOMMAND, IDM_ABOUTBOX}}));
    }
}
