#pragma once
// A combo box: a drop-down list, or a drop-down combo whose edit field holds
// text of the model's own. Qt's conveniences that Windows lacks stay off: no
// completer, typed text is never added to the list, and adding entries never
// changes the edit text.

#include "platform/drivers/qt/ControlView.h"
#include "platform/window/ComboBox.h"

#include <QComboBox>

namespace platform::qt {

class ComboView final : public ControlView {
public:
    ComboView(ComboBox& model, DialogView& dialog);

    QWidget& widget() override { return *m_combo; }

private:
    // The template height includes the dropped list; the closed box is one line.
    QRect placement(const BaseUnits& units) const override;
    void reflect(Change change) override;
    void showItems();
    void showSelection();
    void showEditText();

    ComboBox& m_model;
    QComboBox* m_combo;
};

} // namespace platform::qt
