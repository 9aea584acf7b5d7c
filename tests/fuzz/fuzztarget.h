#pragma once
// Every fuzzing target defines this entry point. libFuzzer calls it with its
// inputs; replay.cpp calls it with the inputs kept in the repository.

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
