#pragma once
#include <windows.h>

#include <optional>

#include "app/visual_style.h"

// Looks the named style up among the executable's style resources. When it is missing, says
// so in an error box with a Close button and gives nullopt: the tool then keeps the system's
// look.
std::optional<VisualStyle> LoadApplicationStyle(HINSTANCE instance, std::u16string_view name);
