#include "ui/controls.h"

#include "text/cp1252.h"

#include <algorithm>

namespace obrinex {

Control::Control(const ControlSpec& layout)
    : layout_(&layout), name_(layout.name), caption_(cp1252(layout.caption)), visible_(layout.visible),
      enabled_(layout.enabled), left_(layout.left), top_(layout.top), width_(layout.width),
      height_(layout.height) {}

void Control::setBounds(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
}

void Control::click() {
    if (onClick) {
        onClick();
    }
}

void CheckBox::click() {
    checked_ = !checked_;
    Control::click();
}

RadioButton::RadioButton(const ControlSpec& layout, std::vector<RadioButton*>* group)
    : Control(layout), checked_(layout.checked), group_(group) {}

void RadioButton::setChecked(bool checked) {
    if (checked == checked_) {
        return;
    }
    checked_ = checked;
    if (!checked) {
        return;
    }
    for (RadioButton* sibling : *group_) {
        if (sibling != this) {
            sibling->checked_ = false;
        }
    }
    Control::click();
}

void ItemList::setItemIndex(int index) {
    itemIndex_ = (index >= 0 && index < count()) ? index : -1;
}

void ItemList::clear() {
    items_.clear();
    itemIndex_ = -1;
}

void ItemList::add(const std::string& item) {
    items_.push_back(item);
}

void ItemList::replace(int index, const std::string& item) {
    if (index < 0 || index > count()) {
        return;
    }
    if (index == count()) {
        items_.push_back(item);
        return;
    }
    items_[static_cast<std::size_t>(index)] = item;
}

void ComboBox::setItemIndex(int index) {
    ItemList::setItemIndex(index);
    if (itemIndex_ >= 0) {
        setText(items_[static_cast<std::size_t>(itemIndex_)]);
    }
}

void ComboBox::clear() {
    ItemList::clear();
    setText("");
}

void ComboBox::replace(int index, const std::string& item) {
    // Removing the selected row drops the selection, as the system's list does.
    if (index == itemIndex_) {
        itemIndex_ = -1;
    }
    ItemList::replace(index, item);
}

bool ListBox::marked(int index) const {
    return index >= 0 && index < static_cast<int>(marks_.size()) && marks_[static_cast<std::size_t>(index)];
}

void ListBox::setMarked(int index, bool marked) {
    if (index >= 0 && index < static_cast<int>(marks_.size())) {
        marks_[static_cast<std::size_t>(index)] = marked;
    }
}

std::vector<int> ListBox::markedRows() const {
    std::vector<int> rows;
    for (std::size_t i = 0; i < marks_.size(); ++i) {
        if (marks_[i]) {
            rows.push_back(static_cast<int>(i));
        }
    }
    return rows;
}

void ListBox::clear() {
    ItemList::clear();
    marks_.clear();
}

void ListBox::add(const std::string& item) {
    ItemList::add(item);
    marks_.push_back(false);
}

void ListBox::replace(int index, const std::string& item) {
    if (index < 0 || index > count()) {
        return;
    }
    ItemList::replace(index, item);
    marks_.resize(items_.size(), false);
    // A replaced row comes back unmarked.
    marks_[static_cast<std::size_t>(index)] = false;
}

void Memo::setLine(int index, const std::string& line) {
    if (index >= 0 && index < static_cast<int>(lines_.size())) {
        lines_[static_cast<std::size_t>(index)] = line;
    }
}

} // namespace obrinex
