#include "platform/byte_reader.h"

#include <gtest/gtest.h>

using platform::ByteReader;
using platform::ByteWriter;

TEST(ByteReader, ReadsLittleEndianAndBigEndian) {
  const std::string data("\x01\x02\x03\x04\xFF\xFF\x12\x34", 8);
  ByteReader r(data);
  uint32_t u32 = 0;
  int16_t i16 = 0;
  uint16_t be = 0;
  ASSERT_TRUE(r.readU32(&u32));
  ASSERT_TRUE(r.readI16(&i16));
  ASSERT_TRUE(r.readU16BigEndian(&be));
  EXPECT_EQ(u32, 0x04030201u);
  EXPECT_EQ(i16, -1);
  EXPECT_EQ(be, 0x1234);
  EXPECT_TRUE(r.atEnd());
}

TEST(ByteReader, ReadPastTheEndFailsAndConsumesNothing) {
  const std::string data("\x01\x02\x03", 3);
  ByteReader r(data);
  uint32_t v = 7;
  EXPECT_FALSE(r.readU32(&v));
  EXPECT_EQ(v, 7u);
  EXPECT_EQ(r.offset(), 0u);
  std::string s;
  EXPECT_FALSE(r.readBytes(4, &s));
  EXPECT_FALSE(r.skip(4));
  EXPECT_TRUE(r.skip(3));
}

TEST(ByteReader, LengthPrefixedStringIsBoundedByWhatRemains) {
  std::string data;
  ByteWriter w(&data);
  w.lengthPrefixed("abc");
  w.i32(-1);
  w.i32(1000);
  w.bytes("xy");
  ByteReader r(data);
  std::string s;
  ASSERT_TRUE(r.readLengthPrefixed(&s));
  EXPECT_EQ(s, "abc");
  EXPECT_FALSE(r.readLengthPrefixed(&s));  // negative count
  ASSERT_TRUE(r.skip(4));
  EXPECT_FALSE(r.readLengthPrefixed(&s));  // longer than what remains
  EXPECT_EQ(r.remaining(), 6u);            // nothing consumed by the failed read
  const std::string hello("\x05\0\0\0hello", 9);
  EXPECT_FALSE(ByteReader(hello).readLengthPrefixed(&s, 4));
}
