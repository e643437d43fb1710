#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <future>

#include "PtyPair.h"
#include "serial/CommChannel.h"

namespace veldrin {
namespace {

using namespace std::chrono_literals;
using testing::Pattern;
using testing::PtyPair;

class CommChannelWriteTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(pty.Ok());
        ASSERT_TRUE(channel.OpenDevice(pty.DevicePath())) << channel.LastError();
    }
    PtyPair pty;
    CommChannel channel;
};

TEST_F(CommChannelWriteTest, ConsecutiveWritesArriveInOrder) {
    const auto first = Pattern(7);
    const auto second = Pattern(5, 100);
    EXPECT_EQ(channel.Write(first.data(), first.size()), first.size());
    EXPECT_EQ(channel.Write(second.data(), second.size()), second.size());
    auto expected = first;
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(pty.Receive(expected.size()), expected);
}

TEST_F(CommChannelWriteTest, LargeWriteGoesOutWholeWhileTheOtherEndReads) {
    // Far more than the terminal's output queue holds, so the write has to wait for room.
    const auto sent = Pattern(300000, 3);
    auto received = std::async(std::launch::async, [&] { return pty.Receive(sent.size()); });
    EXPECT_EQ(channel.Write(sent.data(), sent.size()), sent.size());
    EXPECT_EQ(received.get(), sent);
}

TEST_F(CommChannelWriteTest, WriteToALineNobodyDrainsGivesUpInsteadOfHanging) {
    const auto sent = Pattern(1 << 20);
    const auto start = std::chrono::steady_clock::now();
    const std::size_t written = channel.Write(sent.data(), sent.size());
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(written, sent.size());
    EXPECT_GE(took, std::chrono::milliseconds(CommChannel::kWriteStallMs - 100));
    EXPECT_LT(took, std::chrono::milliseconds(CommChannel::kWriteStallMs) + 3s);
    // What did go out is the start of the block, in order.
    const auto arrived = pty.Receive(written, 500);
    ASSERT_EQ(arrived.size(), written);
    EXPECT_TRUE(std::equal(arrived.begin(), arrived.end(), sent.begin()));
}

}  // namespace
}  // namespace veldrin
