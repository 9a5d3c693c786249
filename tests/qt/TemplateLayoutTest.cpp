// The templates on screen: where each control goes, that every text fits, that
// frames let clicks through to what they frame, and how the focus walks the controls.

#include "QtDriverTest.h"

#include "platform/drivers/qt/GroupBoxView.h"
#include "platform/drivers/qt/Icons.h"
#include "platform/drivers/qt/PushButtonView.h"
#include "resources/ResourceIds.h"
#include "resources/VeltranResources.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace qttest;

namespace {

struct Placement {
    UINT templateId;
    int controlId;
    QRect pixels;
};

// Worked out by hand from the templates at 6 x 13 base units, each edge rounded
// on its own; the closed combo box is one line of 13 px and its frame.
const Placement kPlacements[] = {
    {IDD_DOWNLOAD_DIALOG, IDC_EXIT, {293, 128, 75, 46}},
    {IDD_DOWNLOAD_DIALOG, IDC_PORT_NAME, {11, 26, 67, 20}},
    {IDD_DOWNLOAD_DIALOG, IDC_PROGRESS, {11, 193, 357, 15}},
    {IDD_DOWNLOAD_DIALOG, IDC_COMMAND_SET_LIST, {20, 141, 117, 21}},
    {IDD_DOWNLOAD_DIALOG, IDC_BAUD_GROUP, {11, 54, 222, 50}},
    {IDD_DOWNLOAD_DIALOG, IDC_PICTURE, {336, 11, 32, 32}},
    {IDD_PORT_SETUP, IDOK, {146, 11, 75, 23}},
    {IDD_PORT_SETUP, IDC_SETUP_PORT, {11, 26, 82, 21}},
    {IDD_PORT_SETUP, IDC_SETUP_BAUD_LABEL, {11, 52, 52, 13}},
};

std::vector<int> idsOf(const std::vector<platform::Window*>& windows) {
    std::vector<int> ids;
    for (const platform::Window* w : windows)
        ids.push_back(w->id());
    return ids;
}

} // namespace

TEST(TemplateLayout, ControlsSitWhereTheTemplateSaysInClassicBaseUnits) {
    struct Client {
        UINT templateId;
        QSize size;
    };
    for (const Client& client :
         {Client{IDD_DOWNLOAD_DIALOG, {378, 223}}, Client{IDD_PORT_SETUP, {231, 102}}}) {
        CDialog dialog(client.templateId);
        ASSERT_NO_FATAL_FAILURE(open(dialog));
        EXPECT_EQ(viewOf(dialog).units().x, 6);
        EXPECT_EQ(viewOf(dialog).units().y, 13);
        EXPECT_EQ(viewOf(dialog).size(), client.size) << client.templateId;
        for (const Placement& p : kPlacements) {
            if (p.templateId == client.templateId) {
                EXPECT_EQ(widgetOf(dialog, p.controlId).geometry(), p.pixels)
                    << "control " << p.controlId;
            }
        }
    }
}

TEST(TemplateLayout, GroupBoxesLetClicksThroughToTheControlsTheyFrame) {
    CDialog dialog(IDD_DOWNLOAD_DIALOG);
    ASSERT_NO_FATAL_FAILURE(open(dialog));
    for (int id : {IDC_BAUD_LIST, IDC_SAVE_TO_DISPLAY, IDC_COMMAND_SET_LIST, IDC_START_DOWNLOAD}) {
        QWidget& framed = widgetOf(dialog, id);
        QWidget* hit = viewOf(dialog).childAt(framed.geometry().center());
        EXPECT_TRUE(hit == &framed || framed.isAncestorOf(hit)) << "control " << id;
    }
    EXPECT_FALSE(widgetOf(dialog, IDC_FIRST_TIME_DOWNLOAD).isVisible());
    EXPECT_FALSE(widgetOf(dialog, IDC_ERASE_ROM).isVisible());
}

TEST(TemplateLayout, EveryTemplateTextFitsItsControl) {
    for (UINT templateId : {IDD_ABOUTBOX, IDD_DOWNLOAD_DIALOG, IDD_PORT_SETUP}) {
        CDialog dialog(templateId);
        ASSERT_NO_FATAL_FAILURE(open(dialog));
        for (const auto& c : dialog.dialogWindow()->controls()) {
            QWidget& w = *viewOf(dialog).widgetOf(*c);
            const QFontMetrics metrics(w.font());
            if (auto* label = qobject_cast<QLabel*>(&w); label && !label->text().isEmpty()) {
                EXPECT_LE(metrics.horizontalAdvance(label->text()), label->width())
                    << label->text().toStdString();
            } else if (auto* button = qobject_cast<QPushButton*>(&w)) {
                EXPECT_LE(metrics.horizontalAdvance(button->text()) + 6, button->width())
                    << button->text().toStdString();
            } else if (auto* box = dynamic_cast<platform::qt::GroupFrame*>(&w)) {
                EXPECT_LE(metrics.horizontalAdvance(box->title()) + 12, box->width())
                    << box->title().toStdString();
            }
        }
    }
}

TEST(TemplateLayout, FocusStartsOnTheFirstTabStopAndTabWalksTheTemplateOrder) {
    struct Order {
        UINT templateId;
        std::vector<int> tabStops;
    };
    const Order orders[] = {
        {IDD_DOWNLOAD_DIALOG,
         {IDC_EXIT, IDC_PORT_NAME, IDC_START_DOWNLOAD, IDC_BAUD_TEXT, IDC_SAVE_TO_DISPLAY,
          IDC_BAUD_LIST, IDC_COMMAND_SET_LIST}},
        {IDD_PORT_SETUP, {IDOK, IDCANCEL, IDC_SETUP_PORT, IDC_SETUP_BAUD}},
    };
    for (const Order& order : orders) {
        CDialog dialog(order.templateId);
        ASSERT_NO_FATAL_FAILURE(open(dialog));
        platform::DialogWindow& model = *dialog.dialogWindow();

        // Where the focus is after each key, in the model and on screen, and
        // which button shows as the one Enter would press.
        std::vector<platform::Window*> forward{model.focus()}, backward;
        auto check = [&](const char* after) {
            QWidget* focused = QApplication::focusWidget();
            EXPECT_EQ(focused, viewOf(dialog).widgetOf(*model.focus()))
                << after << " to " << model.focus()->id();
            const bool onButton = model.focus()->kind() == platform::WindowKind::PushButton;
            for (const auto& c : model.controls()) {
                auto* button = qobject_cast<QPushButton*>(viewOf(dialog).widgetOf(*c));
                if (button && button->isVisible()) {
                    EXPECT_EQ(button->isDefault(),
                              onButton ? c.get() == model.focus() : c->id() == IDOK)
                        << after << " to " << model.focus()->id() << ", button " << c->id();
                }
            }
        };
        check("opening");
        for (std::size_t n = 0; n < order.tabStops.size(); ++n) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            check("Tab");
            forward.push_back(model.focus());
        }
        for (std::size_t n = 0; n < order.tabStops.size(); ++n) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            check("Shift+Tab");
            backward.push_back(model.focus());
        }

        std::vector<int> cycle = order.tabStops;
        cycle.push_back(order.tabStops.front());
        EXPECT_EQ(idsOf(forward), cycle) << "template " << order.templateId;
        std::vector<int> reverse(order.tabStops.rbegin(), order.tabStops.rend());
        EXPECT_EQ(idsOf(backward), reverse) << "template " << order.templateId;
    }
}

TEST(TemplateLayout, ThePictureAndTheWindowShowIcon134) {
    CDialog dialog(IDD_DOWNLOAD_DIALOG);
    ASSERT_NO_FATAL_FAILURE(open(dialog));
    const QImage expected = platform::qt::iconImage(programIcon);
    auto& picture = widgetOf<QLabel>(dialog, IDC_PICTURE);
    EXPECT_EQ(picture.pixmap().toImage().convertToFormat(QImage::Format_ARGB32), expected);

    EXPECT_TRUE(viewOf(dialog).windowIcon().isNull());
    HICON icon = LoadIconA(IDR_MAINFRAME);
    dialog.SetIcon(icon, TRUE);
    dialog.SetIcon(icon, FALSE);
    const QList<QSize> sizes = viewOf(dialog).windowIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(32, 32)) && sizes.contains(QSize(16, 16)));
}
