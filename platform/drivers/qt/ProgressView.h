#pragma once
// A progress bar: a smooth bar without text, showing the model's position in
// its range.

#include "platform/drivers/qt/ControlView.h"
#include "platform/window/ProgressBar.h"

#include <QProgressBar>

namespace platform::qt {

class ProgressView final : public ControlView {
public:
    ProgressView(ProgressBar& model, DialogView& dialog);

    QWidget& widget() override { return *m_bar; }

private:
    void reflect(Change change) override;

    ProgressBar& m_model;
    QProgressBar* m_bar;
};

} // namespace platform::qt
