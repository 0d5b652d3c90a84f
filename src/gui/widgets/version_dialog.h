// The version dialog of Help > Version...
#pragma once

#include <string>

class QWidget;

namespace corvane {

// Shows the program's name and `version` until the user closes it.
void showVersionDialog(QWidget* parent, const std::string& version);

}  // namespace corvane
