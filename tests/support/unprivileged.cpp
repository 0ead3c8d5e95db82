#include "support/unprivileged.h"

#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uid_t kNobody = 65534;

}  // namespace

int RunUnprivileged(const std::function<int()>& body) {
    if (::geteuid() != 0) {
        return body();
    }
    pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
            ::_exit(250);
        }
        ::_exit(body());
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child) {
        return 251;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 252;
}
