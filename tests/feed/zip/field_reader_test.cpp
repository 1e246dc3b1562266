#include <gtest/gtest.h>

#include <stdexcept>

#include "feed/zip/field_reader.h"

namespace {

TEST(FieldReader, ReadsLittleEndianFieldsInOrderAndNothingPastTheEnd) {
  const std::uint8_t bytes[] = {0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 0xAB};
  FieldReader reader(bytes);
  EXPECT_EQ(reader.Read<std::uint16_t>(), 0x1234);
  EXPECT_EQ(reader.Read<std::uint32_t>(), 0x12345678u);
  EXPECT_THROW(reader.Read<std::uint16_t>(), std::out_of_range);
}

}  // namespace
