#include "ui/form.h"

#include "text/cp1252.h"

namespace obrinex {

namespace {

std::unique_ptr<Control> makeControl(const ControlSpec& spec, std::map<int, std::vector<RadioButton*>>& groups) {
    switch (spec.kind) {
    case ControlKind::Label:
        return std::make_unique<Label>(spec);
    case ControlKind::Button:
    case ControlKind::BitBtn:
        return std::make_unique<Button>(spec);
    case ControlKind::Edit:
        return std::make_unique<Edit>(spec);
    case ControlKind::ComboBox:
        return std::make_unique<ComboBox>(spec);
    case ControlKind::ListBox:
        return std::make_unique<ListBox>(spec);
    case ControlKind::CheckBox:
        return std::make_unique<CheckBox>(spec);
    case ControlKind::RadioButton: {
        auto& group = groups[spec.group];
        auto button = std::make_unique<RadioButton>(spec, &group);
        group.push_back(button.get());
        return button;
    }
    case ControlKind::Memo:
        return std::make_unique<Memo>(spec);
    case ControlKind::ListView:
        return std::make_unique<ListView>(spec);
    case ControlKind::Image:
        return std::make_unique<Image>(spec);
    case ControlKind::DirectoryListBox:
        return std::make_unique<DirectoryListBox>(spec);
    case ControlKind::DriveComboBox:
        return std::make_unique<DriveComboBox>(spec);
    }
    return std::make_unique<Control>(spec);
}

} // namespace

Form::Form(FormId id) : spec_(&formSpec(id)), caption_(cp1252(spec_->caption)) {
    for (const ControlSpec& spec : formLayout(id)) {
        controls_.push_back(makeControl(spec, radioGroups_));
        byName_[lowerCp1252(spec.name)] = controls_.back().get();
    }
}

Control* Form::find(std::string_view name) const {
    auto it = byName_.find(lowerCp1252(name));
    return it == byName_.end() ? nullptr : it->second;
}

} // namespace obrinex
