#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/ioctl.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <thread>

#include "BurstCollector.h"
#include "PtyPair.h"
#include "serial/CommChannel.h"
#include "tests/TempFolder.h"

namespace veldrin {
namespace {

using namespace std::chrono_literals;
using testing::BurstCollector;
using testing::Pattern;
using testing::PtyPair;
using SteadyClock = std::chrono::steady_clock;

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 3s) {
    const auto end = SteadyClock::now() + timeout;
    while (!condition()) {
        if (SteadyClock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

TEST(CommChannelOpenTest, OpensTheDeviceAtItsPath) {
    PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    CommChannel channel;
    channel.Open(pty.DevicePath());
    ASSERT_TRUE(channel.IsOpen()) << channel.LastError();
    EXPECT_EQ(channel.DevicePath(), pty.DevicePath());
    EXPECT_TRUE(channel.LastError().empty());
    EXPECT_TRUE(channel.EnableDtrRts()) << "a pseudo-terminal has no modem lines, which is harmless";
}

TEST(CommChannelOpenTest, FailedOpenNamesThePathAndTheReason) {
    CommChannel channel;
    EXPECT_FALSE(channel.OpenDevice("/dev/veldrin-no-such-port"));
    EXPECT_FALSE(channel.IsOpen());
    EXPECT_NE(channel.LastError().find("/dev/veldrin-no-such-port"), std::string::npos)
        << channel.LastError();
    EXPECT_NE(channel.LastError().find("No such file"), std::string::npos) << channel.LastError();
    EXPECT_EQ(channel.Write(Pattern(3).data(), 3), 0u);
    EXPECT_FALSE(channel.EnableDtrRts());

    channel.Open("/dev/veldrin-missing-com5");
    EXPECT_FALSE(channel.IsOpen());
    EXPECT_EQ(channel.DevicePath(), "/dev/veldrin-missing-com5");
    EXPECT_NE(channel.LastError().find("/dev/veldrin-missing-com5"), std::string::npos);
}

TEST(CommChannelOpenTest, FileThatIsNoSerialDeviceIsRefused) {
    const test::TempFolder folder;
    const std::string path = folder.File("plain-file");
    std::ofstream(path).put('\n');
    CommChannel channel;
    EXPECT_FALSE(channel.OpenDevice(path));
    EXPECT_NE(channel.LastError().find("not a serial device"), std::string::npos) << channel.LastError();
}

TEST(CommChannelOpenTest, UnsupportedLineSettingsFailTheOpen) {
    PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    CommChannel channel;
    LineSettings settings;
    settings.baud = 12345;
    EXPECT_FALSE(channel.OpenDevice(pty.DevicePath(), settings));
    EXPECT_NE(channel.LastError().find("baud"), std::string::npos) << channel.LastError();
}

TEST(CommChannelCloseTest, CloseIsPromptAndRepeatable) {
    CommChannel channel;
    auto start = SteadyClock::now();
    channel.Close();
    EXPECT_LT(SteadyClock::now() - start, 50ms) << "closing a closed channel returns at once";

    PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(channel.OpenDevice(pty.DevicePath())) << channel.LastError();
        start = SteadyClock::now();
        channel.Close();
        EXPECT_LT(SteadyClock::now() - start, 500ms);
        EXPECT_FALSE(channel.IsOpen());
        EXPECT_FALSE(channel.IsReceiving());
    }
    channel.Close();
}

// Reads whether a terminal is claimed exclusively, through a descriptor of its own.
int ExclusiveClaim(const std::string& devicePath) {
    const int fd = ::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    int claimed = -1;
    if (fd >= 0) {
        ::ioctl(fd, TIOCGEXCL, &claimed);
        ::close(fd);
    }
    return claimed;
}

TEST(CommChannelCloseTest, ExclusiveClaimLastsOnlyWhileOpen) {
    PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    CommChannel channel;
    ASSERT_TRUE(channel.OpenDevice(pty.DevicePath()));
    EXPECT_EQ(ExclusiveClaim(pty.DevicePath()), 1) << "other programs are kept off the line";
    channel.Close();
    EXPECT_EQ(ExclusiveClaim(pty.DevicePath()), 0) << "a closed port must be free for the next open";
}

TEST(CommChannelCloseTest, ReopeningAnOpenChannelKeepsDelivering) {
    PtyPair first;
    PtyPair second;
    ASSERT_TRUE(first.Ok() && second.Ok());
    BurstCollector collector;
    CommChannel channel;
    channel.SetDataCallback(collector.Callback());
    ASSERT_TRUE(channel.OpenDevice(first.DevicePath()));
    ASSERT_TRUE(channel.OpenDevice(second.DevicePath())) << channel.LastError();
    ASSERT_TRUE(second.Send(Pattern(8)));
    ASSERT_TRUE(collector.WaitForBytes(8));
    EXPECT_EQ(collector.Joined(), Pattern(8));
}

TEST(CommChannelCloseTest, NoCallbackRunsAfterCloseReturns) {
    PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    ::fcntl(pty.Master(), F_SETFL, O_NONBLOCK);
    std::atomic<bool> sending{true};
    std::thread sender([&] {
        const auto bytes = Pattern(64);
        while (sending) {
            (void)::write(pty.Master(), bytes.data(), bytes.size());
            std::this_thread::sleep_for(1ms);
        }
    });

    CommChannel channel;
    std::atomic<bool> closed{false};
    std::atomic<int> lateCallbacks{0};
    std::atomic<int> callbacks{0};
    channel.SetDataCallback([&](const std::uint8_t*, std::size_t) {
        ++callbacks;
        if (closed) {
            ++lateCallbacks;
        }
        // Hold the reader inside the callback a little, so that Close often meets it there.
        std::this_thread::sleep_for(2ms);
    });
    for (int round = 0; round < 20; ++round) {
        closed = false;
        ASSERT_TRUE(channel.OpenDevice(pty.DevicePath())) << channel.LastError();
        std::this_thread::sleep_for(std::chrono::milliseconds(5 + round % 7 * 20));
        channel.Close();
        closed = true;
        std::this_thread::sleep_for(5ms);
    }
    sending = false;
    sender.join();
    EXPECT_EQ(lateCallbacks, 0);
    EXPECT_GT(callbacks, 0) << "the sender's bytes never arrived, so the test proved nothing";
}

TEST(CommChannelCloseTest, VanishedDeviceEndsTheReaderWithoutHarm) {
    PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    BurstCollector collector;
    CommChannel channel;
    channel.SetDataCallback(collector.Callback());
    ASSERT_TRUE(channel.OpenDevice(pty.DevicePath()));
    ASSERT_TRUE(channel.IsReceiving());

    pty.CloseMaster();
    ASSERT_TRUE(WaitUntil([&] { return !channel.IsReceiving(); }));
    EXPECT_NE(channel.ReceiveError().find(pty.DevicePath()), std::string::npos) << channel.ReceiveError();
    EXPECT_EQ(channel.Write(Pattern(16).data(), 16), 0u) << "writing to a vanished device sends nothing";

    const auto start = SteadyClock::now();
    channel.Close();
    EXPECT_LT(SteadyClock::now() - start, 500ms);
    EXPECT_TRUE(channel.ReceiveError().empty());
}

}  // namespace
}  // namespace veldrin
