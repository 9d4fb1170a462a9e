// With no screen, a message goes to standard error as UTF-8 with its kind.
// Nobody can answer a question there: it gets "No", the cautious answer.
#include <cstdio>

#include "platform/message_sink.h"
#include "platform/text.h"

namespace platform {

MessageAnswer ShowMessage(void* owner, const char* text, const char* caption, MessageKind kind,
                          MessageButtons buttons) {
  const Message message{owner, text ? text : "", caption ? caption : "", kind, buttons};
  MessageAnswer answer = MessageAnswer::Ok;
  if (DeliverToSink(message, answer)) return answer;
  const char* kindName = kind == MessageKind::Error         ? "error"
                         : kind == MessageKind::Warning     ? "warning"
                         : kind == MessageKind::Information ? "information"
                                                            : "message";
  std::fprintf(stderr, "%s [%s]: %s\n", Utf8FromCp932(message.caption).c_str(), kindName,
               Utf8FromCp932(message.text).c_str());
  return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
}

}  // namespace platform
