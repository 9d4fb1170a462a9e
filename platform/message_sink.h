// Shared by both message-box implementations: hands a message to the sink
// that tests install, when there is one.
#pragma once
#include "platform/message_box.h"

namespace platform {

// True when a sink took the message; `answer` is then its answer.
bool DeliverToSink(const Message& message, MessageAnswer& answer);

}  // namespace platform
