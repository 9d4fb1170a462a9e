#include <utility>

#include "platform/message_sink.h"

namespace platform {
namespace {

MessageSink& Sink() {
  static MessageSink sink;
  return sink;
}

}  // namespace

void SetMessageSink(MessageSink sink) { Sink() = std::move(sink); }

bool DeliverToSink(const Message& message, MessageAnswer& answer) {
  if (!Sink()) return false;
  answer = Sink()(message);
  return true;
}

}  // namespace platform
