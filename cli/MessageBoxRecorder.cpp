#include "cli/MessageBoxRecorder.h"

#include "platform/arx/Utf8.h"

namespace connsheet {

MessageBoxRecorder::MessageBoxRecorder() : previous_(ui::activeDriver()) { ui::pushDriver(this); }

MessageBoxRecorder::~MessageBoxRecorder() { ui::popDriver(this); }

int MessageBoxRecorder::messageBox(const ui::MessageBoxRequest& request) {
    boxes_.push_back({utf8::encode(request.caption), utf8::encode(request.text)});
    // Nobody is there to answer: Return on the box's default button, as the command's driver does.
    return ui::defaultMessageBoxAnswer(request.type);
}

}  // namespace connsheet
