#include "session/replacement_log.h"

#include "app/main_window.h"
#include "package/descriptor.h"
#include "session/headless_wizard.h"

#include <algorithm>

namespace obrinex {

namespace {

bool isRowNumber(const std::string& text) {
    return !text.empty() && text.size() <= 3 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

ReplacementLog readReplacementLog(FileSystem& files, const std::string& gameFolder) {
    ReplacementLog log;
    HeadlessWizard wizard(files, "", gameFolder);
    wizard.start();
    for (const ShownBox& box : wizard.boxes()) {
        if (box.kind == BoxKind::Error || box.kind == BoxKind::IoError) {
            log.failures.push_back(box.text);
        }
    }
    for (const ListViewRow& row : wizard.window().listView1.rows()) {
        LogEntry entry;
        entry.car = row.caption;
        entry.replaced = row.subItems.size() > 0 ? row.subItems[0] : "";
        entry.id = row.subItems.size() > 1 ? row.subItems[1] : "";
        entry.imageIndex = row.imageIndex;
        // The map list files are named by the row index the bookkeeping wrote.
        const std::string mapList = gameFolder + "carchanger\\cars\\" + entry.id + ".txt";
        std::string content;
        if (isRowNumber(entry.id) && files.fileExists(mapList) && files.readFile(mapList, content) == 0) {
            entry.maps = splitDescriptorLines(content);
        }
        log.rows.push_back(std::move(entry));
    }
    return log;
}

} // namespace obrinex
