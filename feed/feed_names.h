#pragma once
#include <string>
#include <string_view>

// A listed file's name, its base B (up to its first ".", the sheet's name) and the copy's name
// N' = B + ".csv", worked out once for the run and the conversion alike.
struct FeedFileNames {
  std::u16string list;
  std::u16string base;
  std::u16string copy;
};

FeedFileNames FeedFileNamesOf(std::u16string_view list_name);

// Fare files and the shape file are passed over while their check boxes say so; the searches
// are case-sensitive.
bool IsSkippedFeedFile(std::u16string_view list_name, bool skip_fares, bool skip_shapes);
