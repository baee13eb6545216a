// The services the script replaces: the registry (a value the script sets), the message
// boxes (answered from the script's queue) and the shell (reported, never run).
#pragma once

#include "frontends/common/json_line.h"
#include "platform/platform.h"

#include <deque>
#include <functional>
#include <string>

namespace obrinex::script {

// Writes one output line.
using Emit = std::function<void(const Json& line)>;

class ScriptedRegistry : public Registry {
  public:
    enum class KeyState { Absent, AccessRefused, Present };
    enum class ValueState { Missing, Present, Unreadable };

    void setAbsent() { key_ = KeyState::Absent; }
    void setAccessRefused() { key_ = KeyState::AccessRefused; }
    void setValueMissing();
    void setValue(std::uint32_t type, std::string data);
    void setUnreadable();
    void setReadOnly() { readOnly_ = true; }
    // Every open is answered by another registry (a Wine prefix).
    void delegateTo(std::unique_ptr<Registry> registry) { delegate_ = std::move(registry); }

    std::unique_ptr<RegistryKey> openLocalMachineKey(const std::string& path, RegistryAccess access) override;

  private:
    KeyState key_ = KeyState::Absent;
    ValueState value_ = ValueState::Missing;
    std::uint32_t type_ = RegBinary;
    std::string data_;
    bool readOnly_ = false;
    std::unique_ptr<Registry> delegate_;
};

enum class ScriptAnswer { Yes, No, Ok, Escape };

class ScriptedBoxes : public MessageBoxes {
  public:
    explicit ScriptedBoxes(Emit emit) : emit_(std::move(emit)) {}
    void queue(ScriptAnswer answer) { answers_.push_back(answer); }
    BoxAnswer show(BoxKind kind, const std::string& title, const std::string& text) override;

  private:
    Emit emit_;
    std::deque<ScriptAnswer> answers_;
};

class ScriptedShell : public Shell {
  public:
    explicit ScriptedShell(Emit emit) : emit_(std::move(emit)) {}
    void open(const std::string& target) override;

  private:
    Emit emit_;
};

} // namespace obrinex::script
