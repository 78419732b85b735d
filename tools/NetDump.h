#pragma once

#include <string>

class TNetworkConfiguration;

// The snapshot as one JSON object: the adapters with their field names (enumerations as ordinals, lists as
// arrays of lines, their octet counters), the address and ARP tables and the machine-wide values. The
// Current* values ask the platform again, as they always do.
std::string DumpSnapshot(TNetworkConfiguration &config);
