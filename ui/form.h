// A window's control models, built from its layout table and reachable by name.
#pragma once

#include "ui/controls.h"
#include "ui/layout.h"

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace obrinex {

class Form {
  public:
    explicit Form(FormId id);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const FormSpec& layout() const { return *layout_; }
    const std::string& caption() const { return caption_; }

    bool visible() const { return visible_; }
    void setVisible(bool visible) { visible_ = visible; }

    // The control named `name` (letter case ignored), or nullptr.
    Control* find(std::string_view name) const;
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

    // The control named `name`, of the model type T; a missing or mistyped name is a
    // programming error of the window's code.
    template <class T> T& get(std::string_view name) const {
        auto* control = dynamic_cast<T*>(find(name));
        if (control == nullptr) {
            throw std::logic_error("no control " + std::string(name) + " of that kind");
        }
        return *control;
    }

    Control* focused() const { return focused_; }
    void setFocus(Control* control) { focused_ = control; }

  private:
    const FormSpec* layout_;
    std::string caption_;
    bool visible_ = false;
    std::vector<std::unique_ptr<Control>> controls_;
    std::map<std::string, Control*> byName_;
    std::map<int, std::vector<RadioButton*>> radioGroups_;
    Control* focused_ = nullptr;
};

} // namespace obrinex
