#pragma once
// A group box: a frame with its title set into the top line, as Windows draws
// it, around controls that are its siblings, not its children. Clicks pass
// through it to them. Qt's own group box puts the title above the frame, which
// squeezes the frame onto the controls the templates placed for Windows.

#include "platform/drivers/qt/ControlView.h"

#include <QWidget>

namespace platform::qt {

class GroupFrame final : public QWidget {
public:
    explicit GroupFrame(QWidget* parent) : QWidget(parent) {}

    const QString& title() const { return m_title; }
    void setTitle(const QString& title);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_title;
};

class GroupBoxView final : public ControlView {
public:
    GroupBoxView(Window& model, DialogView& dialog);

    QWidget& widget() override { return *m_frame; }

private:
    void reflect(Change change) override;

    GroupFrame* m_frame;
};

} // namespace platform::qt
