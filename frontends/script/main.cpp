// obrinex-script [SCRIPT]: runs a script of wizard actions and prints what the wizard did.
#include "frontends/script/driver.h"

#include "text/cp1252.h"

#include <fstream>
#include <iostream>
#include <unistd.h>

namespace {

std::string ownPath() {
    char buffer[4096];
    ssize_t got = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return got > 0 ? std::string(buffer, static_cast<std::size_t>(got)) : std::string("obrinex-script");
}

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    if (argc > 2) {
        std::cerr << "usage: obrinex-script [SCRIPT]\n";
        return 2;
    }
    auto executable = obrinex::utf8ToCp1252(ownPath()).value_or("obrinex-script");
    obrinex::script::Driver driver(std::cout, executable);
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
