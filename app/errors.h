// Errors that end a handler, carrying the exact text the user sees, and the one place that
// catches them: the event dispatcher every view calls a handler through.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

namespace obrinex {

class MessageBoxes;

// An error that ends the running handler; its text is shown in the standard error box.
class AppError : public std::runtime_error {
  public:
    explicit AppError(const std::string& text) : std::runtime_error(text) {}
    std::string text() const { return what(); }
};

// An I/O error with the system's error code, as the runtime reports a failed folder creation:
// "File not found" (2), "Invalid filename" (3), "File access denied" (5), else "I/O error N".
class IoError : public AppError {
  public:
    explicit IoError(std::uint32_t code);
    std::uint32_t code() const { return code_; }

  private:
    std::uint32_t code_;
};

// The system's own wording of an error code, as FormatMessage gives it.
std::string systemErrorMessage(std::uint32_t code);

// The program's title: the executable's file name without folder and without anything from
// its first full stop on, its first character kept and the rest in lower case.
std::string programTitle(const std::string& executablePath);

// The text of the standard error box: a full stop is appended when the last character sorts
// after "." by its byte value.
std::string errorBoxText(const std::string& text);

// Runs a handler at the boundary of a user event. An AppError ends the handler and is shown
// in the standard error box; the program goes on with the state reached so far.
void dispatchEvent(MessageBoxes& boxes, const std::string& title, const std::function<void()>& handler);

} // namespace obrinex
