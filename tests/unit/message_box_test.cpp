#include <gtest/gtest.h>

#include <string>

#include "platform/message_box.h"

using namespace platform;

TEST(MessageBoxes, SinkTakesEveryMessage) {
  Message seen{};
  int calls = 0;
  SetMessageSink([&](const Message& message) {
    seen = message;
    ++calls;
    return MessageAnswer::No;
  });
  EXPECT_EQ(ShowMessage(nullptr, "データに異常があります", "ほらるね", MessageKind::Warning,
                        MessageButtons::YesNo),
            MessageAnswer::No);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(seen.text, "データに異常があります");
  EXPECT_EQ(seen.caption, "ほらるね");
  EXPECT_EQ(seen.kind, MessageKind::Warning);
  EXPECT_EQ(seen.buttons, MessageButtons::YesNo);
  ShowMessage(nullptr, nullptr, nullptr, MessageKind::Error);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(seen.text, "");
  SetMessageSink(nullptr);
}
