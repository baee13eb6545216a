// obrinex-script [SCRIPT]: runs a script of wizard actions and prints what the wizard did.
#include "frontends/script/driver.h"

#include "platform/posix/posix_executable.h"

#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    if (argc > 2) {
        std::cerr << "usage: obrinex-script [SCRIPT]\n";
        return 2;
    }
    obrinex::script::Driver driver(std::cout, obrinex::posixExecutablePath());
    if (argc == 2) {
        std::ifstream script(argv[1], std::ios::binary);
        if (!script) {
            std::cerr << "obrinex-script: cannot read " << argv[1] << '\n';
            return 2;
        }
        return driver.run(script, std::cerr);
    }
    return driver.run(std::cin, std::cerr);
}
