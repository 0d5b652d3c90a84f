#include "platform/silent_ui_host.h"

namespace corvane {

MessageResult declinedAnswer(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::kOk:
            return MessageResult::kOk;
        case MessageButtons::kYesNo:
            return MessageResult::kNo;
        default:
            return MessageResult::kCancel;
    }
}

MessageResult SilentUiHost::messageBox(const MessageBoxRequest& request) {
    lastMessage_ = request.text;
    return declinedAnswer(request.buttons);
}

}  // namespace corvane
