#pragma once
// Runs part of a test as a user other than root: permissions mean nothing
// to root, so a test of what a user may not write needs someone else.
#include <functional>
#include <string>

namespace testuser {

// Runs Body in a child process, as the user "nobody" when the tests run as
// root and as the tests' own user otherwise; the child's exit code (Body's
// result), or -1 with Why set when that cannot be done. Body may use only
// what a forked child may: no threads, no event loop.
int RunAsOtherUser(const std::function<int()>& Body, std::string& Why);

} // namespace testuser
