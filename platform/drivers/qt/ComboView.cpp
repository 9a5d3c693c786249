#include "platform/drivers/qt/ComboView.h"

#include "platform/drivers/qt/Text.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <QValidator>

#include <algorithm>

namespace platform::qt {

namespace {

// The closed box: a line of text and its frame, as a Windows combo box measures.
int closedHeight(const BaseUnits& units) {
    return units.y + 8;
}

// An edit field that does not scroll takes only as much text as it can show.
class FitsField final : public QValidator {
public:
    explicit FitsField(QLineEdit& edit) : QValidator(&edit), m_edit(edit) {}

    State validate(QString& text, int&) const override {
        // Qt's line edit keeps 2 px either side of the text, and the caret takes one.
        const QMargins margins = m_edit.textMargins();
        const int room = m_edit.contentsRect().width() - margins.left() - margins.right() - 5;
        return m_edit.fontMetrics().horizontalAdvance(text) <= room ? Acceptable : Invalid;
    }

private:
    QLineEdit& m_edit;
};

} // namespace

ComboView::ComboView(ComboBox& model, DialogView& dialog)
    : ControlView(model, dialog), m_model(model), m_combo(new QComboBox(surface())) {
    if (m_model.hasEditField()) {
        m_combo->setEditable(true);
        m_combo->setInsertPolicy(QComboBox::NoInsert);
        m_combo->setCompleter(nullptr);
        m_combo->setDuplicatesEnabled(true);
        QLineEdit* edit = m_combo->lineEdit();
        if (!(m_model.style() & CBS_AUTOHSCROLL))
            edit->setValidator(new FitsField(*edit));
        QObject::connect(edit, &QLineEdit::textEdited, [this](const QString& text) {
            m_model.type(toCString(text));
            inputDelivered();
        });
    }
    QObject::connect(m_combo, &QComboBox::activated, [this](int index) {
        m_model.pick(index);
        inputDelivered();
    });
    // As many entries drop down as the template's height leaves room for.
    const int listHeight =
        units().toPixelsY(static_cast<int>(m_model.bounds().bottom - m_model.bounds().top));
    m_combo->setMaxVisibleItems(std::max(1, (listHeight - closedHeight(units())) / units().y));
    present();
}

QRect ComboView::placement(const BaseUnits& units) const {
    QRect rect = ControlView::placement(units);
    rect.setHeight(closedHeight(units));
    return rect;
}

void ComboView::reflect(Change change) {
    switch (change) {
    case Change::Items:
        showItems();
        break;
    case Change::Selection:
        showSelection();
        break;
    case Change::Text:
        showEditText();
        break;
    default:
        break;
    }
}

void ComboView::showItems() {
    {
        const QSignalBlocker blocker(m_combo);
        m_combo->clear();
        for (const CString& item : m_model.items())
            m_combo->addItem(toQString(item));
    }
    showSelection();
}

void ComboView::showSelection() {
    {
        const QSignalBlocker blocker(m_combo);
        m_combo->setCurrentIndex(m_model.selection());
    }
    // Qt copies the entry into the edit field; the model decides what it shows.
    showEditText();
}

void ComboView::showEditText() {
    QLineEdit* edit = m_combo->lineEdit();
    if (!edit)
        return;
    const QString text = toQString(m_model.windowText());
    if (edit->text() != text)
        edit->setText(text);
}

} // namespace platform::qt
