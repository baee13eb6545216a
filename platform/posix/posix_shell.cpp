#include "platform/posix/posix_shell.h"

#include "text/cp1252.h"

#include <sys/wait.h>
#include <unistd.h>

namespace obrinex {

void PosixShell::open(const std::string& target) {
    const std::string argument = cp1252ToUtf8(target);
    pid_t child = ::fork();
    if (child < 0) {
        return;
    }
    if (child == 0) {
        // The grandchild runs xdg-open on its own, so the wizard never waits for a mail client.
        if (::fork() == 0) {
            char program[] = "xdg-open";
            char* argv[] = {program, const_cast<char*>(argument.c_str()), nullptr};
            ::execvp(program, argv);
            ::_exit(127);
        }
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
}

} // namespace obrinex
