// An IPv4 address for a host name or dotted address, for the UDP and TCP
// ports: Winsock must have been started by the caller.
#pragma once
#include <string>

#include "ports/udp.h"  // Ipv4

// Waits at most `waitMs`; false with `why` when the name is unknown or the
// name server did not answer in time (the look-up then ends on its own).
bool LookUpIpv4(const std::string& host, int waitMs, Ipv4& address, std::string& why);
