#include "frontends/script/driver.h"

#include "platform/posix/wine_prefix.h"
#include "text/cp1252.h"

#include <charconv>
#include <istream>
#include <ostream>

namespace obrinex::script {

namespace {

// Splits off the first word: the text before the first blank, and the rest after it.
std::pair<std::string, std::string> splitWord(const std::string& text) {
    auto blank = text.find(' ');
    if (blank == std::string::npos) {
        return {text, ""};
    }
    return {text.substr(0, blank), text.substr(blank + 1)};
}

std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> out;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        auto blank = text.find(' ', pos);
        out.push_back(text.substr(pos, blank == std::string::npos ? std::string::npos : blank - pos));
        if (blank == std::string::npos) {
            break;
        }
        pos = blank + 1;
    }
    return out;
}

long long parseNumber(const std::string& text, const char* what) {
    long long value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        throw MalformedLine{std::string("not a number for ") + what + ": " + text};
    }
    return value;
}

std::string hexBytes(const std::string& hex) {
    if (hex.size() % 2 != 0) {
        throw MalformedLine{"hex data needs pairs of digits"};
    }
    std::string bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        unsigned value = 0;
        auto [end, error] = std::from_chars(hex.data() + i, hex.data() + i + 2, value, 16);
        if (error != std::errc() || end != hex.data() + i + 2) {
            throw MalformedLine{"not hex data: " + hex};
        }
        bytes += static_cast<char>(value);
    }
    return bytes;
}

Json number(long long value) {
    return Json(value);
}

bool isKind(const Control& control, std::initializer_list<ControlKind> kinds) {
    for (ControlKind kind : kinds) {
        if (control.kind() == kind) {
            return true;
        }
    }
    return false;
}

// Controls that take the keyboard focus when the user acts on them.
bool takesFocus(const Control& control) {
    return !isKind(control, {ControlKind::Label, ControlKind::Image});
}

Json rowsJson(const std::vector<ListViewRow>& rows) {
    Json out = Json::array();
    for (const ListViewRow& row : rows) {
        out.push_back(Json{{"caption", jsonText(row.caption)},
                           {"subitems", jsonTexts(row.subItems)},
                           {"imageIndex", row.imageIndex}});
    }
    return out;
}

} // namespace

Driver::Driver(std::ostream& out, std::string defaultExecutable)
    : out_(out), executable_(std::move(defaultExecutable)), boxes_([this](const Json& l) { emit(l); }),
      shell_([this](const Json& l) { emit(l); }) {}

Driver::~Driver() = default;

void Driver::emit(const Json& line) {
    out_ << jsonLine(line) << '\n' << std::flush;
}

int Driver::run(std::istream& script, std::ostream& errors) {
    std::string line;
    int number = 0;
    while (std::getline(script, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        try {
            runLine(number, line);
        } catch (const MalformedLine& malformed) {
            errors << "obrinex-script: line " << number << ": " << malformed.message << '\n';
            return 2;
        }
    }
    return 0;
}

void Driver::runLine(int number, const std::string& utf8Line) {
    if (utf8Line.empty() || utf8Line[0] == '#') {
        return;
    }
    auto converted = utf8ToCp1252(utf8Line);
    if (!converted) {
        throw MalformedLine{"a character the program's code page lacks, or not UTF-8"};
    }
    lineNumber_ = number;
    lineText_ = *converted;
    auto [command, rest] = splitWord(*converted);
    const bool hasArgument = converted->size() > command.size();
    auto requireArgument = [&] {
        if (!hasArgument) {
            throw MalformedLine{command + " needs an argument"};
        }
    };
    auto beforeStart = [&] {
        if (app_) {
            throw MalformedLine{command + " is allowed only before start"};
        }
    };

    if (command == "exe") {
        requireArgument();
        beforeStart();
        executable_ = rest;
    } else if (command == "registry") {
        requireArgument();
        beforeStart();
        registryCommand(rest);
    } else if (command == "drive") {
        requireArgument();
        beforeStart();
        driveCommand(rest);
    } else if (command == "fault") {
        requireArgument();
        faultCommand(rest);
    } else if (command == "start") {
        if (hasArgument) {
            throw MalformedLine{"start takes no argument"};
        }
        start();
    } else if (command == "click") {
        requireArgument();
        click(rest);
    } else if (command == "select") {
        requireArgument();
        select(rest);
    } else if (command == "toggle") {
        requireArgument();
        toggle(rest);
    } else if (command == "type") {
        requireArgument();
        typeText(rest);
    } else if (command == "browse") {
        requireArgument();
        browse(rest);
    } else if (command == "answer") {
        requireArgument();
        answer(rest);
    } else if (command == "close") {
        close(rest);
    } else if (command == "get") {
        requireArgument();
        get(rest);
    } else {
        throw MalformedLine{"unknown command " + command};
    }
}

void Driver::registryCommand(const std::string& args) {
    auto [kind, rest] = splitWord(args);
    const bool hasValue = args.size() > kind.size();
    auto noValue = [&] {
        if (hasValue) {
            throw MalformedLine{"registry " + kind + " takes no value"};
        }
    };
    if (kind == "absent") {
        noValue();
        registry_.setAbsent();
    } else if (kind == "nokey-access") {
        noValue();
        registry_.setAccessRefused();
    } else if (kind == "missing") {
        noValue();
        registry_.setValueMissing();
    } else if (kind == "read-only") {
        noValue();
        registry_.setReadOnly();
    } else if (kind == "unreadable") {
        noValue();
        registry_.setUnreadable();
    } else if (kind == "binary") {
        registry_.setValue(RegBinary, hexBytes(rest));
    } else if (kind == "sz" || kind == "expand_sz") {
        if (!hasValue) {
            throw MalformedLine{"registry " + kind + " needs a text"};
        }
        registry_.setValue(kind == "sz" ? RegSz : RegExpandSz, rest + '\0');
    } else if (kind == "dword") {
        auto value = parseNumber(rest, "registry dword");
        if (value < 0 || value > 0xFFFFFFFFLL) {
            throw MalformedLine{"registry dword out of range"};
        }
        std::string data;
        for (int i = 0; i < 4; ++i) {
            data += static_cast<char>((value >> (8 * i)) & 0xFF);
        }
        registry_.setValue(RegDword, data);
    } else if (kind == "wineprefix") {
        if (!hasValue) {
            throw MalformedLine{"registry wineprefix needs a folder"};
        }
        wineprefix(rest);
    } else {
        throw MalformedLine{"unknown registry setting " + kind};
    }
}

void Driver::driveCommand(const std::string& args) {
    auto [letter, folder] = splitWord(args);
    if (letter.size() != 1 || !std::isalpha(static_cast<unsigned char>(letter[0])) ||
        args.size() == letter.size()) {
        throw MalformedLine{"drive needs a letter and a folder"};
    }
    files_.mapDrive(letter[0], cp1252ToUtf8(folder));
}

void Driver::faultCommand(const std::string& args) {
    auto [kind, rest] = splitWord(args);
    if (kind == "write-fails") {
        if (args.size() == kind.size()) {
            throw MalformedLine{"fault write-fails needs a path"};
        }
        files_.faults().writeFails.push_back(cp1252ToUtf8(rest));
    } else if (kind == "disk-full") {
        auto bytes = parseNumber(rest, "fault disk-full");
        if (bytes < 0) {
            throw MalformedLine{"fault disk-full needs a byte count"};
        }
        files_.faults().bytesLeft = static_cast<std::uint64_t>(bytes);
    } else if (kind == "none" && args.size() == kind.size()) {
        files_.faults().clear();
    } else {
        throw MalformedLine{"unknown fault " + args};
    }
}

void Driver::refuse(const std::string& reason) {
    emit(Json{{"event", "refused"},
              {"line", lineNumber_},
              {"command", jsonText(lineText_)},
              {"reason", jsonText(reason)}});
}

bool Driver::refusedWhenNotRunning() {
    if (!app_) {
        refuse("the program has not started");
        return true;
    }
    if (app_->ended()) {
        refuse("the program has ended");
        return true;
    }
    return false;
}

void Driver::start() {
    if (app_) {
        refuse(app_->ended() ? "the program has ended" : "the program has already started");
        return;
    }
    platform_ = std::make_unique<Platform>(Platform{files_, registry_, boxes_, shell_, executable_});
    app_ = std::make_unique<Application>(*platform_);
    app_->start();
}

Control& Driver::resolveControl(const std::string& qualifiedName, FormId& form) {
    form = FormId::Form1;
    std::string name = qualifiedName;
    auto dot = qualifiedName.find('.');
    if (dot != std::string::npos) {
        std::string formName = qualifiedName.substr(0, dot);
        name = qualifiedName.substr(dot + 1);
        if (equalNoCase(formName, "Form2")) {
            form = FormId::Form2;
        } else if (equalNoCase(formName, "Form3")) {
            form = FormId::Form3;
        } else if (!equalNoCase(formName, "Form1")) {
            throw MalformedLine{"unknown form " + formName};
        }
    }
    // Before start the layout tables still know every control.
    static Form layouts[] = {Form(FormId::Form1), Form(FormId::Form2), Form(FormId::Form3)};
    Form& source = app_ ? app_->form(form) : layouts[static_cast<int>(form)];
    Control* control = source.find(name);
    if (control == nullptr) {
        throw MalformedLine{"unknown control " + qualifiedName};
    }
    return *control;
}

std::string Driver::unusableReason(const Control& control, FormId form) {
    if (!app_->form(form).visible()) {
        return std::string(formSpec(form).name) + " is not visible";
    }
    if (!control.visible()) {
        return control.name() + " is hidden";
    }
    if (!control.enabled()) {
        return control.name() + " is disabled";
    }
    if (form == FormId::Form1 && control.page() != kNoPage &&
        control.page() != static_cast<int>(app_->mainWindow().activePage())) {
        return control.name() + " is not on the active page";
    }
    return "";
}

void Driver::act(FormId form, Control* focus, const std::function<void()>& handler) {
    activeForm_ = form;
    if (focus != nullptr && takesFocus(*focus)) {
        app_->form(form).setFocus(focus);
    }
    app_->dispatch(handler);
    if (app_->ended() && !exitReported_) {
        exitReported_ = true;
        emit(Json{{"event", "exit"}});
    }
}

void Driver::click(const std::string& name) {
    FormId form{};
    Control& control = resolveControl(name, form);
    if (!isKind(control, {ControlKind::Button, ControlKind::BitBtn, ControlKind::Label,
                          ControlKind::RadioButton, ControlKind::CheckBox})) {
        throw MalformedLine{name + " cannot be clicked"};
    }
    if (refusedWhenNotRunning()) {
        return;
    }
    if (auto reason = unusableReason(control, form); !reason.empty()) {
        refuse(reason);
        return;
    }
    act(form, &control, [&control] { control.click(); });
}

void Driver::select(const std::string& args) {
    auto parts = words(args);
    if (parts.size() != 2) {
        throw MalformedLine{"select needs a drop-down and a row"};
    }
    FormId form{};
    Control& control = resolveControl(parts[0], form);
    auto* combo = dynamic_cast<ComboBox*>(&control);
    if (combo == nullptr) {
        throw MalformedLine{parts[0] + " is not a drop-down list"};
    }
    auto row = parseNumber(parts[1], "the row");
    if (refusedWhenNotRunning()) {
        return;
    }
    if (auto reason = unusableReason(control, form); !reason.empty()) {
        refuse(reason);
        return;
    }
    if (row < 0 || row >= combo->count()) {
        refuse("row " + parts[1] + " is out of range");
        return;
    }
    act(form, combo, [combo, row] {
        combo->setItemIndex(static_cast<int>(row));
        if (combo->onChange) {
            combo->onChange();
        }
    });
}

void Driver::toggle(const std::string& args) {
    auto parts = words(args);
    if (parts.size() != 2) {
        throw MalformedLine{"toggle needs a list and a row"};
    }
    FormId form{};
    Control& control = resolveControl(parts[0], form);
    auto* list = dynamic_cast<ListBox*>(&control);
    if (list == nullptr || (control.layout().style & StyleMultiSelect) == 0) {
        throw MalformedLine{parts[0] + " is not a multi-selection list"};
    }
    auto row = parseNumber(parts[1], "the row");
    if (refusedWhenNotRunning()) {
        return;
    }
    if (auto reason = unusableReason(control, form); !reason.empty()) {
        refuse(reason);
        return;
    }
    if (row < 0 || row >= list->count()) {
        refuse("row " + parts[1] + " is out of range");
        return;
    }
    act(form, list, [list, row] {
        int index = static_cast<int>(row);
        list->setMarked(index, !list->marked(index));
        list->setItemIndex(index);
    });
}

void Driver::typeText(const std::string& args) {
    auto [name, text] = splitWord(args);
    if (args.size() == name.size()) {
        throw MalformedLine{"type needs a control and a text"};
    }
    FormId form{};
    Control& control = resolveControl(name, form);
    auto* edit = dynamic_cast<Edit*>(&control);
    auto* combo = dynamic_cast<ComboBox*>(&control);
    if (edit == nullptr && combo == nullptr) {
        throw MalformedLine{name + " takes no typing"};
    }
    if (refusedWhenNotRunning()) {
        return;
    }
    if (auto reason = unusableReason(control, form); !reason.empty()) {
        refuse(reason);
        return;
    }
    act(form, &control, [&control, edit, combo, text = text] {
        if (edit != nullptr) {
            edit->setText(text);
        } else {
            combo->setItemIndex(-1);
            combo->setText(text);
        }
        if (control.onChange) {
            control.onChange();
        }
    });
}

void Driver::browse(const std::string& path) {
    if (refusedWhenNotRunning()) {
        return;
    }
    if (!app_->folderBrowser().form().visible()) {
        refuse("the folder browser is not open");
        return;
    }
    if (!files_.directoryExists(path)) {
        refuse("no folder " + path);
        return;
    }
    // The folder list writes a drive root with its backslash and other folders without one.
    std::string folder = path;
    while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/') &&
           !(folder.size() == 3 && folder[1] == ':')) {
        folder.pop_back();
    }
    if (folder.size() >= 2 && folder[1] == ':') {
        folder[0] = upperCp1252(folder[0]);
        if (folder.size() == 2) {
            folder += '\\';
        }
    }
    auto& browser = app_->folderBrowser();
    act(FormId::Form2, browser.form().find("DirectoryListBox1"),
        [&browser, folder] { browser.openFolder(folder); });
}

void Driver::answer(const std::string& args) {
    std::vector<ScriptAnswer> answers;
    for (const auto& word : words(args)) {
        if (word == "yes") {
            answers.push_back(ScriptAnswer::Yes);
        } else if (word == "no") {
            answers.push_back(ScriptAnswer::No);
        } else if (word == "ok") {
            answers.push_back(ScriptAnswer::Ok);
        } else if (word == "escape") {
            answers.push_back(ScriptAnswer::Escape);
        } else {
            throw MalformedLine{"unknown answer " + word};
        }
    }
    for (auto a : answers) {
        boxes_.queue(a);
    }
}

void Driver::close(const std::string& args) {
    FormId form = FormId::Form1;
    if (equalNoCase(args, "Form2")) {
        form = FormId::Form2;
    } else if (equalNoCase(args, "Form3")) {
        form = FormId::Form3;
    } else if (!args.empty() || lineText_.size() != 5) {
        throw MalformedLine{"close takes nothing, Form2 or Form3"};
    }
    if (refusedWhenNotRunning()) {
        return;
    }
    if (!app_->form(form).visible()) {
        refuse(std::string(formSpec(form).name) + " is not visible");
        return;
    }
    act(form, nullptr, [this, form] {
        switch (form) {
        case FormId::Form1:
            app_->mainWindow().close();
            break;
        case FormId::Form2:
            app_->folderBrowser().close();
            break;
        case FormId::Form3:
            app_->variantDialog().close();
            break;
        }
    });
}

std::string Driver::focusName() {
    if (!app_) {
        return "";
    }
    FormId form = app_->form(activeForm_).visible() ? activeForm_ : FormId::Form1;
    Control* focused = app_->form(form).focused();
    if (focused == nullptr) {
        return "";
    }
    return form == FormId::Form1 ? focused->name() : std::string(formSpec(form).name) + "." + focused->name();
}

void Driver::get(const std::string& what) {
    if (what.find(' ') != std::string::npos) {
        throw MalformedLine{"get takes one name"};
    }
    Json value;
    if (what == "page") {
        value = jsonText(app_ ? pageCaption(app_->mainWindow().activePage()) : pageCaption(Page::Sprache));
    } else if (what == "focus") {
        value = jsonText(focusName());
    } else if (what.rfind("strip[", 0) == 0 && what.back() == ']') {
        auto column = parseNumber(what.substr(6, what.size() - 7), "the strip column");
        if (column < 0 || column > 160) {
            throw MalformedLine{"the strip has the columns 0 to 160"};
        }
        value = MainWindow::stripGrey(static_cast<int>(column));
    } else if (what.rfind("state.", 0) == 0) {
        value = stateValue(what.substr(6));
    } else {
        auto dot = what.rfind('.');
        if (dot == std::string::npos) {
            throw MalformedLine{"get needs NAME.PROPERTY"};
        }
        value = propertyValue(what.substr(0, dot), what.substr(dot + 1));
    }
    emit(Json{{"get", jsonText(what)}, {"value", value}});
}

Json Driver::stateValue(const std::string& field) {
    static InstallerState initial;
    const InstallerState& s = app_ ? app_->mainWindow().state() : initial;
    const std::pair<const char*, const std::string*> texts[] = {
        {"PackageDir", &s.PackageDir},
        {"SourceModelPath", &s.SourceModelPath},
        {"SourceExtraModelPath", &s.SourceExtraModelPath},
        {"TargetModel1", &s.TargetModel1},
        {"TargetModel2", &s.TargetModel2},
        {"TargetModel3", &s.TargetModel3},
        {"TargetSoundOn", &s.TargetSoundOn},
        {"TargetSoundOff", &s.TargetSoundOff},
        {"TargetSound0", &s.TargetSound0},
        {"TargetSound1", &s.TargetSound1},
        {"TargetHorn", &s.TargetHorn},
        {"LanguageName", &s.LanguageName},
    };
    for (const auto& [name, text] : texts) {
        if (equalNoCase(field, name)) {
            return jsonText(*text);
        }
    }
    const std::pair<const char*, std::int32_t> numbers[] = {
        {"SetupLineCount", s.SetupLineCount},         {"ColorVariantCount", s.ColorVariantCount},
        {"HasOptionalContent", s.HasOptionalContent}, {"HasVehiclesBin", s.HasVehiclesBin},
        {"CatalogueIndex", s.CatalogueIndex},
    };
    for (const auto& [name, value] : numbers) {
        if (equalNoCase(field, name)) {
            return Json(value);
        }
    }
    if (field.size() > 10 && equalNoCase(field.substr(0, 9), "MapFiles[") && field.back() == ']') {
        auto index = parseNumber(field.substr(9, field.size() - 10), "MapFiles");
        if (index < 0 || index >= kMaxMapFiles) {
            throw MalformedLine{"MapFiles has the entries 0 to 99"};
        }
        return jsonText(s.MapFiles[static_cast<std::size_t>(index)]);
    }
    if (field.size() > 7 && equalNoCase(field.substr(0, 7), "UiText.")) {
        std::string name = field.substr(7);
#define OBRINEX_UI_TEXT_LOOKUP(member)                                                                       \
    if (equalNoCase(name, #member)) {                                                                        \
        return jsonText(s.uiText.member);                                                                    \
    }
        OBRINEX_UI_TEXTS(OBRINEX_UI_TEXT_LOOKUP)
#undef OBRINEX_UI_TEXT_LOOKUP
    }
    throw MalformedLine{"unknown state field " + field};
}

Json Driver::propertyValue(const std::string& name, const std::string& property) {
    auto is = [&](const char* p) { return equalNoCase(property, p); };
    // The forms themselves.
    for (FormId id : {FormId::Form1, FormId::Form2, FormId::Form3}) {
        if (!equalNoCase(name, formSpec(id).name)) {
            continue;
        }
        const FormSpec& layout = formSpec(id);
        if (is("Caption")) {
            return jsonText(cp1252(layout.caption));
        }
        if (is("Visible")) {
            return Json(app_ && app_->form(id).visible() && !(id == FormId::Form1 && app_->ended()));
        }
        if (is("Enabled")) {
            return Json(true);
        }
        if (is("Left")) {
            return number(layout.left);
        }
        if (is("Top")) {
            return number(layout.top);
        }
        if (is("Width")) {
            return number(layout.clientWidth);
        }
        if (is("Height")) {
            return number(layout.clientHeight);
        }
        throw MalformedLine{"unknown property " + property + " of " + name};
    }

    FormId form{};
    Control& control = resolveControl(name, form);
    if (is("Visible")) {
        return Json(control.visible());
    }
    if (is("Enabled")) {
        return Json(control.enabled());
    }
    if (is("Left")) {
        return number(control.left());
    }
    if (is("Top")) {
        return number(control.top());
    }
    if (is("Width")) {
        return number(control.width());
    }
    if (is("Height")) {
        return number(control.height());
    }
    if (is("Caption") && isKind(control, {ControlKind::Label, ControlKind::Button, ControlKind::BitBtn,
                                          ControlKind::RadioButton, ControlKind::CheckBox})) {
        return jsonText(control.caption());
    }
    if (is("Text") && isKind(control, {ControlKind::Edit, ControlKind::ComboBox})) {
        return jsonText(control.caption());
    }
    if (is("Checked")) {
        if (auto* radio = dynamic_cast<RadioButton*>(&control)) {
            return Json(radio->checked());
        }
        if (auto* check = dynamic_cast<CheckBox*>(&control)) {
            return Json(check->checked());
        }
    }
    if (auto* list = dynamic_cast<ItemList*>(&control)) {
        if (is("ItemIndex")) {
            return number(list->itemIndex());
        }
        if (is("Items")) {
            return jsonTexts(list->items());
        }
        auto* listBox = dynamic_cast<ListBox*>(&control);
        if (is("Selected") && listBox != nullptr) {
            return Json(listBox->markedRows());
        }
    }
    if (auto* memo = dynamic_cast<Memo*>(&control); memo != nullptr && is("Lines")) {
        return jsonTexts(memo->lines());
    }
    if (auto* image = dynamic_cast<Image*>(&control); image != nullptr && is("Picture")) {
        return jsonText(image->picture());
    }
    if (auto* view = dynamic_cast<ListView*>(&control); view != nullptr && is("Rows")) {
        return rowsJson(view->rows());
    }
    throw MalformedLine{"unknown property " + property + " of " + name};
}

void Driver::wineprefix(const std::string& folder) {
    const std::string prefix = cp1252ToUtf8(folder);
    registry_.delegateTo(std::make_unique<WinePrefixRegistry>(prefix));
    // The prefix's drives name the folders its registry values point to; a drive the script
    // mapped itself stays as the script said.
    for (const auto& [letter, hostFolder] : readDosDevices(prefix)) {
        if (files_.drives().count(letter) == 0) {
            files_.mapDrive(letter, hostFolder);
        }
    }
}

} // namespace obrinex::script
