// "Truth Table": the dialog of an assignment block's "Open &Truth-table"
// command. No truth table is computed yet: the dialog shows an empty list
// and, once it is up, tells the user the command is under construction.
#pragma once

#include <QDialog>

#include "platform/ui_host.h"

class QTableWidget;

namespace corvane {

class TruthTableDialog final : public QDialog {
    Q_OBJECT
public:
    TruthTableDialog(UiHost& ui, QWidget* parent = nullptr);

    QTableWidget* list() const { return list_; }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    UiHost& ui_;
    QTableWidget* list_;
    bool told_ = false;
};

// Runs the dialog modally over `parent`; closing it changes nothing else.
void runTruthTableDialog(UiHost& ui, QWidget* parent);

}  // namespace corvane
