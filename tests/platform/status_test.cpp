#include "platform/status.h"

#include <gtest/gtest.h>

#include <string>

using platform::Result;
using platform::Status;

TEST(Status, DefaultIsSuccessWithNoText) {
  const Status status;
  EXPECT_TRUE(status.ok());
  EXPECT_EQ(status.code(), Status::Code::kOk);
  EXPECT_EQ(status.message(), "");
  EXPECT_EQ(status.toString(), "");
  EXPECT_EQ(status, Status::success());
}

TEST(Status, FactoriesSetTheirCodeAndKeepMessageAndDetailApart) {
  const Status status = Status::damaged("The file is damaged.", "offset 12");
  EXPECT_FALSE(status.ok());
  EXPECT_EQ(status.code(), Status::Code::kDamaged);
  EXPECT_EQ(status.message(), "The file is damaged.");
  EXPECT_EQ(status.detail(), "offset 12");
  EXPECT_EQ(status.toString(), "The file is damaged. (offset 12)");
  EXPECT_EQ(Status::refused("No").toString(), "No");

  EXPECT_EQ(Status::cannotOpen("m").code(), Status::Code::kCannotOpen);
  EXPECT_EQ(Status::notOurFile("m").code(), Status::Code::kNotOurFile);
  EXPECT_EQ(Status::tooNew("m").code(), Status::Code::kTooNew);
  EXPECT_EQ(Status::cannotWrite("m").code(), Status::Code::kCannotWrite);
  EXPECT_EQ(Status::refused("m").code(), Status::Code::kRefused);
  EXPECT_EQ(Status::declined("m").code(), Status::Code::kDeclined);
  EXPECT_EQ(Status::failed("m").code(), Status::Code::kFailed);
  EXPECT_NE(Status::failed("m"), Status::refused("m"));
}

TEST(Result, HoldsAValueOrTheFailure) {
  Result<std::string> value = std::string("bytes");
  ASSERT_TRUE(value.ok());
  EXPECT_TRUE(value.status().ok());
  EXPECT_EQ(*value, "bytes");
  EXPECT_EQ(value->size(), 5u);
  EXPECT_EQ(std::move(value).value(), "bytes");

  const Result<int> failure = Status::cannotOpen("Cannot open x", "ENOENT");
  EXPECT_FALSE(failure.ok());
  EXPECT_EQ(failure.status().code(), Status::Code::kCannotOpen);
  EXPECT_EQ(failure.message(), "Cannot open x");
  EXPECT_EQ(failure.status().detail(), "ENOENT");
}
