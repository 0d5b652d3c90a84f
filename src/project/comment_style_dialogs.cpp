#include "project/comment_style_dialogs.h"

namespace corvane {

void chooseStyleColor(UiHost& ui, int& color) {
    const auto chosen = ui.chooseColor(static_cast<std::uint32_t>(color));
    if (chosen) color = static_cast<int>(*chosen & 0xFFFFFFu);
}

}  // namespace corvane
