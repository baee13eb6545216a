// The commands of obrinex, in the order --help lists them. A new command is a file of its own
// with an add function, declared in cli.h and listed here.
#include "frontends/cli/cli.h"

namespace obrinex::cli {

const std::vector<AddCommand>& commandTable() {
    static const std::vector<AddCommand> table = {
        addCarsCommand, addInspectCommand, addGamesCommand,  addInstallCommand,
        addLogCommand,  addRestoreCommand, addVerifyCommand,
    };
    return table;
}

} // namespace obrinex::cli
