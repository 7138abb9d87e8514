#include "OtherUser.h"

#include <cerrno>
#include <cstring>

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testuser {

int RunAsOtherUser(const std::function<int()>& Body, std::string& Why)
{
    uid_t Uid = geteuid();
    gid_t Gid = getegid();
    if (Uid == 0) {
        const passwd* Nobody = getpwnam("nobody");
        if (!Nobody) {
            Why = "the tests run as root and there is no user \"nobody\"";
            return -1;
        }
        Uid = Nobody->pw_uid;
        Gid = Nobody->pw_gid;
    }
    const pid_t Child = fork();
    if (Child < 0) {
        Why = std::string("fork failed: ") + std::strerror(errno);
        return -1;
    }
    if (Child == 0) {
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(Gid) != 0 || setuid(Uid) != 0))
            _exit(125);
        _exit(Body());
    }
    int Status = 0;
    while (waitpid(Child, &Status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(Status)) {
        Why = "the child did not exit normally";
        return -1;
    }
    if (WEXITSTATUS(Status) == 125) {
        Why = "the child could not become another user";
        return -1;
    }
    return WEXITSTATUS(Status);
}

} // namespace testuser
