#pragma once
// Records read field by field: a reader over the record's bytes, and the layouts that say which
// member each field fills and so how long the record is.
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>

// Little-endian fields taken from the front of the bytes; a read past their end throws
// std::out_of_range, as at() does, and never reads beyond them.
class FieldReader {
 public:
  explicit FieldReader(std::span<const std::uint8_t> bytes) : rest_(bytes) {}

  template <std::unsigned_integral Field>
  Field Read() {
    if (rest_.size() < sizeof(Field)) throw std::out_of_range("field past the end of its record");
    Field value = 0;
    for (std::size_t i = sizeof(Field); i-- > 0;) value = static_cast<Field>(value << 8 | rest_[i]);
    rest_ = rest_.subspan(sizeof(Field));
    return value;
  }

 private:
  std::span<const std::uint8_t> rest_;
};

template <typename Member>
struct MemberField;
template <typename Record, typename Field>
struct MemberField<Field Record::*> {
  using Type = Field;
};

// Fields in file order, each the width of the member it fills: the bytes they take are counted
// from the same list that reads them.
template <auto... Members>
struct RecordFields {
  static constexpr std::size_t kSize =
      (sizeof(typename MemberField<decltype(Members)>::Type) + ...);

  template <typename Record>
  static void Read(FieldReader& reader, Record& record) {
    ((record.*Members = reader.Read<typename MemberField<decltype(Members)>::Type>()), ...);
  }
};

// Groups of fields, one after the other.
template <typename... Groups>
struct FieldGroups {
  static constexpr std::size_t kSize = (Groups::kSize + ...);

  template <typename Record>
  static void Read(FieldReader& reader, Record& record) {
    (Groups::Read(reader, record), ...);
  }
};
