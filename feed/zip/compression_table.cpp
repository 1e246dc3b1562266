#include "feed/zip/compression_table.h"

#include <map>

namespace {

std::map<TZipCompression, TStreamConstructor>& Table() {
  static std::map<TZipCompression, TStreamConstructor> table;
  return table;
}

}  // namespace

void RegisterCompressionHandler(TZipCompression method, TStreamConstructor constructor) {
  Table()[method] = std::move(constructor);
}

const TStreamConstructor* FindCompressionHandler(TZipCompression method) {
  const auto row = Table().find(method);
  return row == Table().end() ? nullptr : &row->second;
}
