#include "session/headless_wizard.h"

#include "app/installer_state.h"

namespace obrinex {

namespace {

class RecordKey : public RegistryKey {
  public:
    explicit RecordKey(std::string data) : data_(std::move(data)) {}
    std::optional<RegistryValueInfo> queryValue(const std::string& name) override {
        if (name != kGameRegistryValue) {
            return std::nullopt;
        }
        return RegistryValueInfo{RegBinary, static_cast<std::uint32_t>(data_.size())};
    }
    std::optional<std::string> readValue(const std::string& name, std::uint32_t size) override {
        if (name != kGameRegistryValue) {
            return std::nullopt;
        }
        return data_.substr(0, size);
    }

  private:
    std::string data_;
};

} // namespace

// The registry holds only the game's record, written as the game writes it: the folder's bytes
// and a closing NUL.
class HeadlessWizard::Services : public Registry, public MessageBoxes, public Shell {
  public:
    Services(HeadlessWizard& owner, std::string gameFolder)
        : owner_(owner), gameFolder_(std::move(gameFolder)) {}

    std::unique_ptr<RegistryKey> openLocalMachineKey(const std::string& path, RegistryAccess) override {
        if (gameFolder_.empty() || path != kGameRegistryKey) {
            return nullptr;
        }
        return std::make_unique<RecordKey>(gameFolder_ + '\0');
    }

    BoxAnswer show(BoxKind kind, const std::string& title, const std::string& text) override {
        // The main window turns visible between its creation and its showing.
        ShownBox box{kind, title, text, BoxAnswer::Ok, !owner_.window().form().visible()};
        if (owner_.answer) {
            box.answer = owner_.answer(box);
        } else if (kind == BoxKind::Warning) {
            box.answer = BoxAnswer::No;
        }
        owner_.boxes_.push_back(box);
        return box.answer;
    }

    void open(const std::string&) override {}

  private:
    HeadlessWizard& owner_;
    std::string gameFolder_;
};

HeadlessWizard::HeadlessWizard(FileSystem& files, std::string packageFolder, std::string gameFolder)
    : files_(files, packageFolder, gameFolder), services_(std::make_unique<Services>(*this, gameFolder)) {
    // The package folder is the executable's folder; the name only titles the error boxes.
    const std::string executable = packageFolder.empty() ? std::string() : packageFolder + "obrinex.exe";
    platform_ = std::make_unique<Platform>(Platform{files_, *services_, *services_, *services_, executable});
    app_ = std::make_unique<Application>(*platform_);
}

HeadlessWizard::~HeadlessWizard() = default;

void HeadlessWizard::start() {
    app_->start();
}

void HeadlessWizard::click(std::string_view control) {
    Control* target = window().form().find(control);
    app_->dispatch([target] { target->click(); });
}

std::vector<std::string> HeadlessWizard::errors() const {
    std::vector<std::string> texts;
    for (const ShownBox& box : boxes_) {
        if (box.kind == BoxKind::Error) {
            texts.push_back(box.text);
        }
    }
    return texts;
}

void HeadlessWizard::chooseLanguage(Language language) {
    // The language page's option buttons, in the order of the languages.
    static constexpr const char* buttons[] = {"RadioButton1", "RadioButton2", "RadioButton3", "RadioButton6"};
    click(buttons[static_cast<int>(language)]);
}

} // namespace obrinex
