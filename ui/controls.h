// The control models: what each control of a window holds (caption, state, rows), with no
// drawing. Views draw them and forward the user's actions; handlers read and write them.
#pragma once

#include "ui/layout.h"

#include <functional>
#include <string>
#include <vector>

namespace obrinex {

class Control {
  public:
    explicit Control(const ControlSpec& layout);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const ControlSpec& layout() const { return *layout_; }
    const std::string& name() const { return name_; }
    ControlKind kind() const { return layout_->kind; }
    FormId form() const { return layout_->form; }
    int page() const { return layout_->page; }

    bool visible() const { return visible_; }
    void setVisible(bool visible) { visible_ = visible; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }

    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }
    void setBounds(int left, int top, int width, int height);
    void setTop(int top) { top_ = top; }
    void setHeight(int height) { height_ = height; }

    // The caption of a label, button, option button or check box; the text of an edit field
    // or of a drop-down's edit part.
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption) { caption_ = caption; }

    // Handlers bound by the window that owns the control.
    std::function<void()> onClick;
    std::function<void()> onChange;

    // A click as the user or the code performs it: runs the click handler.
    virtual void click();

  private:
    const ControlSpec* layout_;
    std::string name_;
    std::string caption_;
    bool visible_;
    bool enabled_;
    int left_, top_, width_, height_;
};

class Label : public Control {
  public:
    using Control::Control;
};

class Button : public Control {
  public:
    using Control::Control;
};

class Image : public Control {
  public:
    using Control::Control;
    // The full path of the loaded picture, "" for none.
    const std::string& picture() const { return picture_; }
    void setPicture(const std::string& path) { picture_ = path; }

  private:
    std::string picture_;
};

class Edit : public Control {
  public:
    using Control::Control;
    const std::string& text() const { return caption(); }
    void setText(const std::string& text) { setCaption(text); }
};

class CheckBox : public Control {
  public:
    using Control::Control;
    bool checked() const { return checked_; }
    void setChecked(bool checked) { checked_ = checked; }
    // A click toggles the mark.
    void click() override;

  private:
    bool checked_ = false;
};

class RadioButton : public Control {
  public:
    RadioButton(const ControlSpec& layout, std::vector<RadioButton*>* group);
    bool checked() const { return checked_; }
    // Checking an unchecked button unchecks its group and runs its click handler, whether
    // the user or the code checks it; checking a checked one does nothing.
    void setChecked(bool checked);
    void click() override { setChecked(true); }

  private:
    bool checked_ = false;
    std::vector<RadioButton*>* group_;
};

// A list of rows with a selected row, the base of drop-downs and lists.
class ItemList : public Control {
  public:
    using Control::Control;
    const std::vector<std::string>& items() const { return items_; }
    int count() const { return static_cast<int>(items_.size()); }
    int itemIndex() const { return itemIndex_; }
    virtual void setItemIndex(int index);
    virtual void clear();
    virtual void add(const std::string& item);
    // Removes row `index` and inserts `item` at the same place; a row past the end is appended.
    virtual void replace(int index, const std::string& item);

  protected:
    std::vector<std::string> items_;
    int itemIndex_ = -1;
};

// A drop-down list with an edit part.
class ComboBox : public ItemList {
  public:
    using ItemList::ItemList;
    const std::string& text() const { return caption(); }
    void setText(const std::string& text) { setCaption(text); }
    // Selecting a row shows its text; -1 keeps the edit text.
    void setItemIndex(int index) override;
    void clear() override;
    void replace(int index, const std::string& item) override;
};

// A list; with several rows selectable each row carries a mark of its own.
class ListBox : public ItemList {
  public:
    using ItemList::ItemList;
    bool marked(int index) const;
    void setMarked(int index, bool marked);
    // The marked rows, ascending.
    std::vector<int> markedRows() const;
    int markedCount() const { return static_cast<int>(markedRows().size()); }
    void clear() override;
    void add(const std::string& item) override;
    void replace(int index, const std::string& item) override;

  private:
    std::vector<bool> marks_;
};

class Memo : public Control {
  public:
    using Control::Control;
    const std::vector<std::string>& lines() const { return lines_; }
    void clear() { lines_.clear(); }
    void add(const std::string& line) { lines_.push_back(line); }
    void setLine(int index, const std::string& line);
    // Index of the first line in view.
    int topLine() const { return topLine_; }
    void setTopLine(int line) { topLine_ = line; }

  private:
    std::vector<std::string> lines_;
    int topLine_ = 0;
};

struct ListViewRow {
    std::string caption;
    std::vector<std::string> subItems;
    int imageIndex = 0;
    bool operator==(const ListViewRow&) const = default;
};

class ListView : public Control {
  public:
    using Control::Control;
    std::vector<ListViewRow>& rows() { return rows_; }
    const std::vector<ListViewRow>& rows() const { return rows_; }

  private:
    std::vector<ListViewRow> rows_;
};

// The folder list of the folder browser: the open folder as the system writes a current
// folder ("C:\" for a drive root, no trailing backslash otherwise). Its rows are the folders
// of the path, from the root down, then the sub-folders of the open folder; the open
// folder's row is the selected one.
class DirectoryListBox : public ItemList {
  public:
    using ItemList::ItemList;
    const std::string& directory() const { return directory_; }
    void setDirectory(const std::string& directory) { directory_ = directory; }

  private:
    std::string directory_;
};

// The drive selector: one row per drive ("c:"), the folder list's drive selected.
class DriveComboBox : public ItemList {
  public:
    using ItemList::ItemList;
};

} // namespace obrinex
