#include "frontends/script/scripted_services.h"

#include "app/installer_state.h"
#include "text/cp1252.h"

namespace obrinex::script {

namespace {

class ScriptedKey : public RegistryKey {
  public:
    ScriptedKey(ScriptedRegistry::ValueState state, std::uint32_t type, std::string data)
        : state_(state), type_(type), data_(std::move(data)) {}

    std::optional<RegistryValueInfo> queryValue(const std::string& name) override {
        if (!equalNoCase(name, kGameRegistryValue) || state_ == ScriptedRegistry::ValueState::Missing) {
            return std::nullopt;
        }
        // An unreadable value still answers its size.
        auto size = state_ == ScriptedRegistry::ValueState::Unreadable && data_.empty() ? 16u : data_.size();
        return RegistryValueInfo{type_, static_cast<std::uint32_t>(size)};
    }

    std::optional<std::string> readValue(const std::string& name, std::uint32_t size) override {
        if (!equalNoCase(name, kGameRegistryValue) || state_ != ScriptedRegistry::ValueState::Present) {
            return std::nullopt;
        }
        return data_.substr(0, size);
    }

  private:
    ScriptedRegistry::ValueState state_;
    std::uint32_t type_;
    std::string data_;
};

const char* boxKindName(BoxKind kind) {
    switch (kind) {
    case BoxKind::Error:
        return "error";
    case BoxKind::Ok:
        return "ok";
    case BoxKind::Warning:
        return "warning";
    case BoxKind::IoError:
        return "ioerror";
    }
    return "ok";
}

} // namespace

void ScriptedRegistry::setValueMissing() {
    key_ = KeyState::Present;
    value_ = ValueState::Missing;
}

void ScriptedRegistry::setValue(std::uint32_t type, std::string data) {
    key_ = KeyState::Present;
    value_ = ValueState::Present;
    type_ = type;
    data_ = std::move(data);
}

void ScriptedRegistry::setUnreadable() {
    key_ = KeyState::Present;
    value_ = ValueState::Unreadable;
}

std::unique_ptr<RegistryKey> ScriptedRegistry::openLocalMachineKey(const std::string& path,
                                                                   RegistryAccess access) {
    if (delegate_) {
        return delegate_->openLocalMachineKey(path, access);
    }
    if (!equalNoCase(path, kGameRegistryKey) || key_ != KeyState::Present) {
        return nullptr;
    }
    if (readOnly_ && access != RegistryAccess::Read) {
        return nullptr;
    }
    return std::make_unique<ScriptedKey>(value_, type_, data_);
}

BoxAnswer ScriptedBoxes::show(BoxKind kind, const std::string& title, const std::string& text) {
    const bool yesNo = kind == BoxKind::Warning;
    BoxAnswer answer = yesNo ? BoxAnswer::Yes : BoxAnswer::Ok;
    if (!answers_.empty()) {
        ScriptAnswer scripted = answers_.front();
        answers_.pop_front();
        if (yesNo) {
            answer = (scripted == ScriptAnswer::No || scripted == ScriptAnswer::Escape) ? BoxAnswer::No
                                                                                        : BoxAnswer::Yes;
        }
    }
    const char* answerName = answer == BoxAnswer::Yes ? "yes" : answer == BoxAnswer::No ? "no" : "ok";
    emit_(Json{{"event", "box"},
               {"kind", boxKindName(kind)},
               {"title", jsonText(title)},
               {"text", jsonText(text)},
               {"answer", answerName}});
    return answer;
}

void ScriptedShell::open(const std::string& target) {
    emit_(Json{{"event", "shell"}, {"operation", "open"}, {"target", jsonText(target)}});
}

} // namespace obrinex::script
