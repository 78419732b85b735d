#include "InterfaceImageIndex.h"

int InterfaceImageIndex(std::int32_t type, std::uint32_t status)
{
    if (status <= 3) {
        return 0;
    }
    switch (type) {
    case 1: // other
        return 1;
    case 23: // PPP
        return 2;
    case 37: // ATM
        return 3;
    case 144: // IEEE 1394
        return 4;
    case 6: // Ethernet
    case 9: // token ring
        return 7;
    case 71: // IEEE 802.11
    case 237: // IEEE 802.16
        return 8;
    case 15: // FDDI
        return 9;
    case 24: // software loopback
        return 10;
    case 131: // tunnel
        return 11;
    case 243: // mobile broadband
    case 244:
        return 12;
    default:
        return 0;
    }
}
