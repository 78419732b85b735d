#pragma once

#include <functional>
#include <string>

// Runs `body` in a forked child and gives its exit code, or -1 when it died from a signal. The child never
// returns into the test framework. Checks that need another user, another process or a private mount run
// there.
int RunInChild(const std::function<int()> &body);

// Exit code of a child that found something the machine lacks; the test skips.
inline constexpr int ChildCannotRun = 77;

// Drops to the unprivileged user "nobody" (65534); false when that is not possible.
bool BecomeNobody();

// A private mount namespace with a fresh tmpfs of `kilobytes` at `folder`; false when not permitted.
bool MountPrivateTmpfs(const std::string &folder, int kilobytes);
