#pragma once

#include <cstddef>

// The largest state block, and so the largest preset file, the plug-in reads and writes. A block
// of its own settings is a few kilobytes, and stays below 100 KB even with every path it holds at
// the file system's length limit; anything far larger comes from elsewhere and would cost seconds
// and gigabytes to read, and again on every save that writes it back. Texts such a block carried
// in are written back only as far as the block stays readable.
constexpr std::size_t maxStateBlockBytes = std::size_t { 4 } << 20;
