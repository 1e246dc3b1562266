#include "feed/feed_names.h"

FeedFileNames FeedFileNamesOf(std::u16string_view list_name) {
  const auto dot = list_name.find(u'.');
  std::u16string base(dot == std::u16string_view::npos ? std::u16string_view()
                                                       : list_name.substr(0, dot));
  return {std::u16string(list_name), base, base + u".csv"};
}

bool IsSkippedFeedFile(std::u16string_view list_name, bool skip_fares, bool skip_shapes) {
  return (skip_fares && list_name.find(u"fare_") != std::u16string_view::npos) ||
         (skip_shapes && list_name.find(u"shape") != std::u16string_view::npos);
}
