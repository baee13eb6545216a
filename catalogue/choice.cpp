// The choice of the replaced car on the page "Waehlen".
#include "app/main_window.h"

namespace obrinex {

void MainWindow::lookupTargetFiles() {
    obrinex::lookupTargetFiles(state_.CatalogueIndex, state_);
}

void MainWindow::comboBox1Change() {
    state_.CatalogueIndex = comboBox1.itemIndex();
    lookupTargetFiles();
    // The model backup is offered only when the game already has the car's first model.
    const bool hasModel = platform_.files.fileExists(gameFolder() + "models\\" + state_.TargetModel1);
    radioButton4.setEnabled(hasModel);
    radioButton5.setEnabled(hasModel);
    radioButton5.setChecked(true);
}

} // namespace obrinex
