// The source viewer's search dialog, "Search Text": a combo box of search
// words and the Previous, Next and Close buttons. It stays open beside the
// viewer; Enter in it means Next.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QComboBox;
class QKeyEvent;
class QPushButton;

namespace corvane {

class SourceViewerSearchDialog final : public QDialog {
    Q_OBJECT
public:
    explicit SourceViewerSearchDialog(QWidget* parent);

    // Refills the combo box, top entry first, and selects entry `selected` (-1: none).
    void setEntries(const std::vector<std::string>& entries, int selected);
    // Puts a new search text at the top of the combo box.
    void addEntryAtTop(const std::string& entry);
    std::string searchText() const;
    void setText(const QString& text);
    // Both search buttons on or off (off while a message is shown).
    void setSearchEnabled(bool enabled);

    QComboBox* combo() const { return combo_; }
    QPushButton* nextButton() const { return next_; }
    QPushButton* previousButton() const { return previous_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

signals:
    void nextRequested();
    void previousRequested();

private:
    QComboBox* combo_;
    QPushButton* previous_;
    QPushButton* next_;
};

}  // namespace corvane
