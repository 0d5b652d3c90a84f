#include "gui/widgets/source_viewer_search_dialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane {

SourceViewerSearchDialog::SourceViewerSearchDialog(QWidget* parent)
    : QDialog(parent),
      combo_(new QComboBox(this)),
      previous_(new QPushButton(tr("&Previous"), this)),
      next_(new QPushButton(tr("&Next"), this)) {
    setWindowTitle(tr("Search Text"));
    setModal(false);
    combo_->setEditable(true);
    combo_->setInsertPolicy(QComboBox::NoInsert);
    combo_->setMinimumWidth(240);
    auto* label = new QLabel(tr("&Text:"), this);
    label->setBuddy(combo_);
    auto* close = new QPushButton(tr("Close"), this);
    // Enter means Next; keyPressEvent and the combo's filter see to that, so
    // no button is the dialog's default (which would press it a second time).
    for (QPushButton* button : {previous_, next_, close}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    combo_->installEventFilter(this);
    combo_->lineEdit()->installEventFilter(this);

    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(combo_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(previous_);
    buttons->addWidget(next_);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);

    connect(next_, &QPushButton::clicked, this, &SourceViewerSearchDialog::nextRequested);
    connect(previous_, &QPushButton::clicked, this, &SourceViewerSearchDialog::previousRequested);
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
}

namespace {

bool isEnter(QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const int key = static_cast<QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

bool SourceViewerSearchDialog::eventFilter(QObject* watched, QEvent* event) {
    if (isEnter(event)) {
        emit nextRequested();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void SourceViewerSearchDialog::keyPressEvent(QKeyEvent* event) {
    if (isEnter(event)) {
        emit nextRequested();
        return;
    }
    QDialog::keyPressEvent(event);
}

void SourceViewerSearchDialog::setEntries(const std::vector<std::string>& entries, int selected) {
    combo_->clear();
    for (const std::string& entry : entries) {
        combo_->addItem(QString::fromStdString(entry));
    }
    if (selected >= 0 && selected < combo_->count()) {
        combo_->setCurrentIndex(selected);
    } else {
        combo_->setCurrentIndex(-1);
        combo_->setEditText(QString());
    }
}

void SourceViewerSearchDialog::addEntryAtTop(const std::string& entry) {
    const QString text = QString::fromStdString(entry);
    combo_->insertItem(0, text);
    combo_->setCurrentIndex(0);
}

std::string SourceViewerSearchDialog::searchText() const {
    return combo_->currentText().toStdString();
}

void SourceViewerSearchDialog::setText(const QString& text) {
    combo_->setEditText(text);
}

void SourceViewerSearchDialog::setSearchEnabled(bool enabled) {
    previous_->setEnabled(enabled);
    next_->setEnabled(enabled);
}

}  // namespace corvane
