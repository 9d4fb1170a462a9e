#include <windows.h>

#include "platform/message_sink.h"
#include "platform/text.h"

namespace platform {

MessageAnswer ShowMessage(void* owner, const char* text, const char* caption, MessageKind kind,
                          MessageButtons buttons) {
  const Message message{owner, text ? text : "", caption ? caption : "", kind, buttons};
  MessageAnswer answer = MessageAnswer::Ok;
  if (DeliverToSink(message, answer)) return answer;
  UINT style = buttons == MessageButtons::YesNo ? MB_YESNO : MB_OK;
  switch (kind) {
    case MessageKind::Information: style |= MB_ICONINFORMATION; break;
    case MessageKind::Warning: style |= MB_ICONWARNING; break;
    case MessageKind::Error: style |= MB_ICONERROR; break;
    case MessageKind::Plain: break;
  }
  const int result = MessageBoxW(static_cast<HWND>(owner), WideFromCp932(message.text).c_str(),
                                 WideFromCp932(message.caption).c_str(), style);
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  return result == IDYES ? MessageAnswer::Yes : MessageAnswer::No;
}

}  // namespace platform
