#include "ui/form.h"

#include "text/cp1252.h"

namespace obrinex {

namespace {

std::unique_ptr<Control> makeControl(const ControlSpec& layout,
                                     std::map<int, std::vector<RadioButton*>>& groups) {
    switch (layout.kind) {
    case ControlKind::Label:
        return std::make_unique<Label>(layout);
    case ControlKind::Button:
    case ControlKind::BitBtn:
        return std::make_unique<Button>(layout);
    case ControlKind::Edit:
        return std::make_unique<Edit>(layout);
    case ControlKind::ComboBox:
        return std::make_unique<ComboBox>(layout);
    case ControlKind::ListBox:
        return std::make_unique<ListBox>(layout);
    case ControlKind::CheckBox:
        return std::make_unique<CheckBox>(layout);
    case ControlKind::RadioButton: {
        auto& group = groups[layout.group];
        auto button = std::make_unique<RadioButton>(layout, &group);
        group.push_back(button.get());
        return button;
    }
    case ControlKind::Memo:
        return std::make_unique<Memo>(layout);
    case ControlKind::ListView:
        return std::make_unique<ListView>(layout);
    case ControlKind::Image:
        return std::make_unique<Image>(layout);
    case ControlKind::DirectoryListBox:
        return std::make_unique<DirectoryListBox>(layout);
    case ControlKind::DriveComboBox:
        return std::make_unique<DriveComboBox>(layout);
    }
    return std::make_unique<Control>(layout);
}

} // namespace

Form::Form(FormId id) : layout_(&formSpec(id)), caption_(cp1252(layout_->caption)) {
    for (const ControlSpec& layout : formLayout(id)) {
        controls_.push_back(makeControl(layout, radioGroups_));
        byName_[lowerCp1252(layout.name)] = controls_.back().get();
    }
}

Control* Form::find(std::string_view name) const {
    auto it = byName_.find(lowerCp1252(name));
    return it == byName_.end() ? nullptr : it->second;
}

} // namespace obrinex
