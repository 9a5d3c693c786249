#include "platform/drivers/qt/ProgressView.h"

#include <algorithm>

namespace platform::qt {

ProgressView::ProgressView(ProgressBar& model, DialogView& dialog)
    : ControlView(model, dialog), m_model(model), m_bar(new QProgressBar(surface())) {
    m_bar->setTextVisible(false);
    present();
}

void ProgressView::reflect(Change change) {
    if (change != Change::Progress)
        return;
    const int low = std::min(m_model.lower(), m_model.upper());
    const int high = std::max(m_model.lower(), m_model.upper());
    // An empty range stays an empty bar; Qt would animate it as busy.
    m_bar->setRange(low, std::max(high, low + 1));
    m_bar->setValue(m_model.position());
}

} // namespace platform::qt
