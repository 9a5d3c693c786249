#pragma once
// An edit box. The templates use read-only ones that scroll: the text always
// shows from its start, and a read-only box has the dialog's face colour.

#include "platform/drivers/qt/ControlView.h"

#include <QLineEdit>

namespace platform::qt {

class EditView final : public ControlView {
public:
    EditView(Window& model, DialogView& dialog);

    QWidget& widget() override { return *m_edit; }

private:
    void reflect(Change change) override;

    QLineEdit* m_edit;
};

} // namespace platform::qt
