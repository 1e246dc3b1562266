#pragma once
#include <cstddef>
#include <cstdint>

// Loads the bytes after the first as a feed file, in pieces and reads whose sizes the first byte
// picks, and checks the text, its tab text and its copy against plain references that share no
// code with the product. Any difference aborts.
void FuzzFeedText(const std::uint8_t* data, std::size_t size);
