#pragma once

#include <cstdint>
#include <string>

// The mode bytes of parameter block 1 as MODE items: each named bit as the
// item that gives its value ("+T1", "-SE"), with the MSR item that gives the
// same value in parentheses ("-T1(N1)", "+MCS(LRC)").
namespace kbxdump {

// "+T1 +T2 +T3 +MSR +FCR +KL -KVK +BCR"
std::string describeModeByteA(std::uint8_t modeA);

// "BA1 +EF +EC +SE -MCS -M3 +IEK"; the BA setting needs mode byte A bit 6.
std::string describeModeByteB(std::uint8_t modeA, std::uint8_t modeB);

// "-MCO, slow output 36 M"
std::string describeModeByteC(std::uint8_t modeC);

}  // namespace kbxdump
