// The selection dialogs: one module ("Select target module"), several
// modules, or a module and one of its nets ("Select target module and net").
// The lists sort their names; the keyboard drives them (arrows select, Enter
// is OK, Escape is Cancel) and a double click confirms. The run functions
// give nothing on Cancel and on OK without a chosen module.
#pragma once

#include <QDialog>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QListWidget;

namespace corvane {

// One module out of `names`.
class CTargetDlg final : public QDialog {
    Q_OBJECT
public:
    CTargetDlg(QWidget* parent, const std::vector<std::string>& names);
    // The selected module; nothing when no row is selected.
    std::optional<std::string> selectedName() const;
    QListWidget* list() const { return list_; }

private:
    QListWidget* list_ = nullptr;
};

// Any number of modules out of `names`.
class CTargetMultiDlg final : public QDialog {
    Q_OBJECT
public:
    CTargetMultiDlg(QWidget* parent, const std::vector<std::string>& names);
    // The selected modules in list (alphabetical) order.
    std::vector<std::string> selectedNames() const;
    QListWidget* list() const { return list_; }

private:
    QListWidget* list_ = nullptr;
};

// A module ("&module:"), then one of its nets ("&net:"): choosing a module
// fills the net list with its nets; clearing it empties both choices.
class CTargetNetDlg final : public QDialog {
    Q_OBJECT
public:
    CTargetNetDlg(QWidget* parent,
                  const std::map<std::string, std::vector<std::string>>& netsByModule);
    // The selected module and net (net empty when none is selected).
    std::optional<std::pair<std::string, std::string>> selection() const;
    QListWidget* moduleList() const { return modules_; }
    QListWidget* netList() const { return nets_; }

private:
    void showNetsOfCurrentModule();

    std::map<std::string, std::vector<std::string>> netsByModule_;
    QListWidget* modules_ = nullptr;
    QListWidget* nets_ = nullptr;
};

std::optional<std::string> runTargetDialog(QWidget* parent, const std::vector<std::string>& names);
std::optional<std::vector<std::string>> runTargetMultiDialog(QWidget* parent,
                                                             const std::vector<std::string>& names);
std::optional<std::pair<std::string, std::string>> runTargetNetDialog(
    QWidget* parent, const std::map<std::string, std::vector<std::string>>& netsByModule);

}  // namespace corvane
