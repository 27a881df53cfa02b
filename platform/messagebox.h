#pragma once
// Modal message boxes. When nobody can answer (headless runs) the caption and the text
// are printed to stderr and the default answer is taken, so a run never blocks.
#include <functional>
#include <string>

namespace platform {

// Ok: an OK button alone. Warning: an OK button with the exclamation (warning) icon, the box of
// the game's error messages. YesNo: a question answered yes or no.
enum class MessageBoxKind { Ok, Warning, YesNo };
enum class MessageBoxAnswer { Ok, Yes, No };

// Texts are Shift-JIS (CP932) bytes, as the game stores them.
MessageBoxAnswer ShowMessageBox(const char* text, const char* caption, MessageBoxKind kind);

// Tests answer boxes themselves; the handler sees the texts decoded to UTF-8.
using MessageBoxHandler =
    std::function<MessageBoxAnswer(const std::string& text, const std::string& caption, MessageBoxKind)>;
void SetMessageBoxHandler(MessageBoxHandler handler);  // empty handler restores the default

}  // namespace platform
