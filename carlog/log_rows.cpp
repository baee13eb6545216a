#include "carlog/log_rows.h"

#include "app/errors.h"
#include "carlog/car_list.h"

#include <algorithm>

namespace obrinex {

namespace {

// The row an ID names, when it is a plain decimal number.
int rowOfId(const std::string& id) {
    if (id.empty() || id.size() > 3 ||
        !std::all_of(id.begin(), id.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return -1;
    }
    return std::stoi(id);
}

} // namespace

LogRemoval removeLogRows(FileSystem& files, const std::string& gameDir, const std::set<int>& rows) {
    LogRemoval result;
    const std::string folder = gameDir + "carchanger\\cars\\";
    const std::string path = folder + "carlist.sav";
    if (files.fileExists(path)) {
        std::string bytes;
        if (auto error = files.readFile(path, bytes, FileSharing::Exclusive)) {
            result.error = "Cannot open file \"" + path + "\". " + systemErrorMessage(error);
            return result;
        }
        auto list = decodeCarList(bytes);
        if (!list || !list->complete) {
            // A log this program cannot read whole is left as it is rather than cut further.
            result.error = "\"carlist.sav\" is " + std::string(list ? "damaged" : "not a ListView file") +
                           "; its rows were left as they are";
            return result;
        }
        std::set<int> removed;
        std::erase_if(list->rows, [&](const ListViewRow& row) {
            const int id = row.subItems.size() >= 2 ? rowOfId(row.subItems[1]) : -1;
            if (rows.count(id) > 0) {
                removed.insert(id);
                return true;
            }
            return false;
        });
        if (!removed.empty()) {
            if (auto error = files.writeFile(path, encodeCarList(list->rows))) {
                result.error = "Cannot create file \"" + path + "\". " + systemErrorMessage(error);
                return result;
            }
        }
        result.removed.assign(removed.begin(), removed.end());
    }
    for (int row : rows) {
        const std::string mapList = folder + std::to_string(row) + ".txt";
        if (files.fileExists(mapList)) {
            files.removeFile(mapList);
        }
    }
    return result;
}

} // namespace obrinex
