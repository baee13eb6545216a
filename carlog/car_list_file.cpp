// Moving the replacement log between its list view and the car list file.
#include "app/errors.h"
#include "app/main_window.h"
#include "carlog/car_list.h"

namespace obrinex {

void MainWindow::loadCarList(ListView& view, const std::string& path) {
    const auto slash = path.find_last_of("\\:");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (!platform_.files.fileExists(path)) {
        platform_.boxes.show(BoxKind::IoError, "I/O Error", "File \"" + name + "\" does not exist!");
        return;
    }
    std::string bytes;
    if (auto error = platform_.files.readFile(path, bytes, FileSharing::Exclusive)) {
        throw AppError("Cannot open file \"" + path + "\". " + systemErrorMessage(error));
    }
    auto list = decodeCarList(bytes);
    if (!list) {
        platform_.boxes.show(BoxKind::IoError, "I/O Error", "\"" + name + "\" is not a ListView file!");
        return;
    }
    view.rows() = std::move(list->rows);
    // The rows stored whole before the damage are kept; the file stays as it is until the next
    // recording writes a whole one.
    if (!list->complete) {
        platform_.boxes.show(BoxKind::IoError, "I/O Error",
                             "\"" + name + "\" is damaged; only the rows before the damage were read!");
    }
}

void MainWindow::saveCarList(const ListView& view, const std::string& path) {
    // A log that the format cannot hold is refused whole rather than saved cut.
    if (auto problem = carListLimitProblem(view.rows())) {
        throw AppError("Cannot save file \"" + path + "\". " + *problem);
    }
    if (auto error = platform_.files.writeFile(path, encodeCarList(view.rows()))) {
        throw AppError("Cannot create file \"" + path + "\". " + systemErrorMessage(error));
    }
}

} // namespace obrinex
