#pragma once
#include <string>
#include <string_view>

// Code page 437 as Windows maps it: every byte has a character.
std::u16string DecodeCodePage437(std::string_view bytes);
