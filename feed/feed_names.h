#pragma once
#include <string>
#include <string_view>

// The list name's base B (up to its first ".") and the copy's name N' = B + ".csv".
struct FeedFileNames {
  std::u16string base;
  std::u16string copy;
};

FeedFileNames FeedFileNamesOf(std::u16string_view list_name);

// Fare files and the shape file are passed over while their check boxes say so; the searches
// are case-sensitive.
bool IsSkippedFeedFile(std::u16string_view list_name, bool skip_fares, bool skip_shapes);
