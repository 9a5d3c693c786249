#include "platform/drivers/qt/ModalLoops.h"

#include <QEventLoop>

namespace platform::qt {

void ModalLoops::run(DialogWindow& dialog) {
    QEventLoop loop;
    m_running.push_back({&dialog, &loop});
    while (!dialog.modalEnded())
        loop.exec();
    m_running.pop_back();
}

void ModalLoops::wake() {
    for (const Running& running : m_running) {
        if (running.dialog->modalEnded())
            running.loop->quit();
    }
}

} // namespace platform::qt
