// The game folder field filled from the registry at start-up.
#include "app/main_window.h"
#include "games/game_record.h"

namespace obrinex {

void MainWindow::readGameFolderFromRegistry() {
    // A value without any backslash leaves the field as it was rather than empty.
    if (auto folder = readGameFolderRecord(platform_.registry)) {
        edit1.setText(*folder);
    }
}

} // namespace obrinex
