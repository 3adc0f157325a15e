#pragma once

#include <cstddef>
#include <cstdio>
#include <span>
#include <string>

#include "run/run_observer.h"

namespace trackmint {

// The size of the blocks a log is read and handed to the assembler in.
inline constexpr std::size_t kInputBlockSize = 1024;

// Fills the block from the file, short only at the end of the file. A read that a signal
// interrupted gives the observer its turn (where a request to stop ends the run) and goes on; any
// other error throws "Can't read the input file <input_path>: <reason>".
std::size_t ReadBlock(std::FILE* input, const std::string& input_path,
                      std::span<unsigned char> block, RunObserver& observer);

}  // namespace trackmint
