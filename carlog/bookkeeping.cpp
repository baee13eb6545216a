// Recording an installation in the replacement log: the log rows keyed by catalogue row, one
// map list file per recorded row, and the car list file saved whole.
#include "app/errors.h"
#include "app/main_window.h"
#include "text/cp1252.h"

namespace obrinex {

namespace {

// A log row's ID as the runtime reads an integer: an optional sign and decimal digits.
int readRowId(const std::string& text) {
    std::size_t digits = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
    long long value = 0;
    bool valid = digits < text.size() && text.size() - digits <= 10;
    for (std::size_t i = digits; valid && i < text.size(); ++i) {
        valid = text[i] >= '0' && text[i] <= '9';
        value = value * 10 + (text[i] - '0');
    }
    if (!valid || value > 2147483647LL + (text[0] == '-' ? 1 : 0)) {
        throw AppError("'" + text + "' is not a valid integer value");
    }
    return static_cast<int>(text[0] == '-' ? -value : value);
}

// Sub-item 2 of a log row, the replaced row's ID.
const std::string& rowId(const ListViewRow& row) {
    if (row.subItems.size() < 2) {
        throw AppError("List index out of bounds (" + std::to_string(row.subItems.size() < 1 ? 0 : 1) + ")");
    }
    return row.subItems[1];
}

} // namespace

std::string MainWindow::newCarName() const {
    return label6.caption().empty() ? "(no name)" : label6.caption();
}

std::string MainWindow::carListFolder() const {
    return gameFolder() + "carchanger\\cars";
}

void MainWindow::saveMapList(int row) {
    std::string content;
    for (const auto& line : form_.get<ListBox>("ListBox3").items()) {
        content += line + "\r\n";
    }
    const std::string path = gameFolder() + "carchanger\\" + "cars\\" + std::to_string(row) + ".txt";
    if (auto error = platform_.files.writeFile(path, content)) {
        throw AppError("Cannot create file \"" + path + "\". " + systemErrorMessage(error));
    }
}

void MainWindow::useLogOfGameFolder() {
    const std::string folder = gameFolder();
    const auto identity = platform_.files.folderIdentity(folder);
    const bool same = identity && logFolder_.identity ? *identity == *logFolder_.identity
                                                      : equalNoCase(folder, logFolder_.text);
    if (same) {
        return;
    }
    // Another folder than the one of start-up: its own log is the one to extend, read as
    // start-up reads one, never the first folder's rows.
    logFolder_ = {folder, identity};
    listView1.rows().clear();
    const std::string path = carListFolder() + "\\carlist.sav";
    if (platform_.files.fileExists(path)) {
        loadCarList(listView1, path);
    }
}

void MainWindow::recordReplacement() {
    useLogOfGameFolder();
    ensureFolder(gameFolder() + "carchanger");
    ensureFolder(gameFolder() + "carchanger\\" + "cars");
    if (listBox2.markedCount() > 0) {
        recordMultipleReplacements();
    } else {
        recordSingleReplacement();
    }
    saveCarList(listView1, carListFolder() + "\\carlist.sav");
}

void MainWindow::recordSingleReplacement() {
    const int row = comboBox1.itemIndex();
    saveMapList(row);
    const std::string name = newCarName();
    bool found = false;
    for (auto& logRow : listView1.rows()) {
        if (readRowId(rowId(logRow)) == row) {
            logRow.caption = name;
            found = true;
        }
    }
    if (!found) {
        listView1.rows().push_back(
            {name, {comboBox1.items()[static_cast<std::size_t>(row)], std::to_string(row)}, 0});
    }
}

void MainWindow::recordMultipleReplacements() {
    auto& ids = form_.get<ListBox>("ListBox11");
    auto& markedRows = form_.get<ListBox>("ListBox13");
    ids.clear();
    markedRows.clear();
    for (const auto& logRow : listView1.rows()) {
        ids.add(rowId(logRow));
    }
    for (int row : listBox2.markedRows()) {
        markedRows.add(std::to_string(row));
    }
    for (const std::string& text : markedRows.items()) {
        int position = -1;
        for (int i = 0; i < ids.count() && position < 0; ++i) {
            if (equalNoCase(ids.items()[static_cast<std::size_t>(i)], text)) {
                position = i;
            }
        }
        state_.CatalogueIndex = readRowId(text);
        lookupTargetFiles();
        if (state_.TargetModel1.empty()) {
            continue;
        }
        const std::string name = newCarName();
        if (position >= 0) {
            listView1.rows()[static_cast<std::size_t>(position)].caption = name;
        } else {
            listView1.rows().push_back(
                {name, {listBox2.items()[static_cast<std::size_t>(state_.CatalogueIndex)], text}, 0});
        }
        saveMapList(state_.CatalogueIndex);
    }
}

} // namespace obrinex
