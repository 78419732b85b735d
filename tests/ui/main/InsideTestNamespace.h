#pragma once

#include <string>

// Why the tests cannot run inside a namespace of their own (not root, no `ip netns`); empty when they run
// inside one.
const std::string &NamespaceUnavailableReason();

// Runs a shell command and tells whether it succeeded. The test process is inside its own namespace, so
// `ip link add` and friends change only that namespace.
bool Shell(const std::string &command);
