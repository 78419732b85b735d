#include "RecordOutput.h"

#include <arpa/inet.h>

void WriteIPv4Text(std::uint32_t address, char (&text)[16])
{
    in_addr value{};
    value.s_addr = address;
    if (!inet_ntop(AF_INET, &value, text, sizeof(text)))
        text[0] = '\0';
}
