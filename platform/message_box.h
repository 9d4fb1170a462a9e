// Message boxes. On Windows a real MessageBoxW (text converted from code page
// 932); natively the text goes to standard error as UTF-8 with its kind.
// Tests install a sink so that no box ever blocks a test run.
#pragma once
#include <functional>
#include <string>

namespace platform {

// Every message box of the program carries its name.
constexpr char kCaption[] = "ほらるね";

enum class MessageKind { Plain, Information, Warning, Error };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

struct Message {
  void* owner;          // HWND on Windows, nullptr for none
  std::string text;     // code page 932
  std::string caption;  // code page 932
  MessageKind kind;
  MessageButtons buttons;
};

MessageAnswer ShowMessage(void* owner, const char* text, const char* caption,
                          MessageKind kind, MessageButtons buttons = MessageButtons::Ok);

// While a sink is set every message goes to it instead of the screen.
using MessageSink = std::function<MessageAnswer(const Message&)>;
void SetMessageSink(MessageSink sink);

}  // namespace platform
