// The in-process link: ports with and without loggers, replies delivered as the serial reader
// would deliver them, at their virtual times, and nothing after Close.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "sim/SimLink.h"
#include "tests/sim/SimTestSupport.h"

namespace veldrin {
namespace {

using simtest::Bytes;
using simtest::Hex;

struct Delivery {
    std::int64_t atMs;
    Bytes bytes;
};

class SimLinkTest : public ::testing::Test {
  protected:
    SimLinkTest() {
        link_.AttachLogger("/dev/ttyUSB2",
                           std::make_shared<SimLogger>(simtest::Options(LoggerModel::TemperatureHumidity)));
        link_.AttachLogger("/dev/ttyUSB5",
                           std::make_shared<SimLogger>(simtest::Options(LoggerModel::DualTemperature)));
        link_.AddEmptyPort("/dev/ttyUSB1");
        link_.SetDataCallback([this](const std::uint8_t* bytes, std::size_t count) {
            deliveries_.push_back({clock_.MonotonicMs(), Bytes(bytes, bytes + count)});
        });
    }

    void Write(const Bytes& bytes) { ASSERT_EQ(link_.Write(bytes.data(), bytes.size()), bytes.size()); }
    Bytes Exchange(const Bytes& bytes) {
        deliveries_.clear();
        Write(bytes);
        clock_.SleepMs(300);
        Bytes all;
        for (const auto& delivery : deliveries_)
            all.insert(all.end(), delivery.bytes.begin(), delivery.bytes.end());
        return all;
    }

    VirtualClock clock_;
    SimLink link_{clock_};
    std::vector<Delivery> deliveries_;
};

TEST_F(SimLinkTest, OnlyPortsWithSomethingBehindThemOpen) {
    link_.Open("/dev/ttyUSB4");
    EXPECT_FALSE(link_.IsOpen());
    EXPECT_NE(link_.LastError().find("/dev/ttyUSB4"), std::string::npos);
    EXPECT_EQ(link_.Write(Bytes{0xFF}.data(), 1), 0u);

    link_.Open("/dev/ttyUSB1");
    ASSERT_TRUE(link_.IsOpen());
    EXPECT_TRUE(link_.LastError().empty());
    EXPECT_EQ(Exchange({0xFF, 0xEC, 0x01}), Bytes{}) << "a cable without a logger";

    link_.Open("/dev/ttyUSB2");
    EXPECT_EQ(Hex(Exchange({0xFF, 0xEC, 0x01})), "FFEC01A7");
    link_.Open("/dev/ttyUSB5");
    EXPECT_EQ(link_.DevicePath(), "/dev/ttyUSB5");
    EXPECT_EQ(Hex(Exchange({0xFF, 0xEC, 0x01})), "FFEC01A5");
    EXPECT_EQ(link_.OpenAttempts(),
              (std::vector<std::string>{"/dev/ttyUSB4", "/dev/ttyUSB1", "/dev/ttyUSB2", "/dev/ttyUSB5"}));
    EXPECT_EQ(link_.Writes().size(), 3u);
    EXPECT_EQ(link_.Writes().back().devicePath, "/dev/ttyUSB5");

    link_.RemovePort("/dev/ttyUSB5");
    EXPECT_EQ(Exchange({0xFF, 0xEC, 0x01}), Bytes{}) << "unplugged while open";
    link_.Open("/dev/ttyUSB5");
    EXPECT_FALSE(link_.IsOpen());
}

TEST_F(SimLinkTest, ReplyComesAfterTheLatencyAndTheReadersPause) {
    link_.Open("/dev/ttyUSB2");
    clock_.RunUntil(1000);
    Write({0xFF, 0xEC, 0x01});
    clock_.SleepMs(104);
    EXPECT_TRUE(deliveries_.empty());
    clock_.SleepMs(1);
    ASSERT_EQ(deliveries_.size(), 1u);
    EXPECT_EQ(deliveries_[0].atMs, 1105);  // 5 ms to answer, then 100 ms without a byte
    EXPECT_EQ(clock_.Now(), kSimDefaultClockStart + 1);
}

TEST_F(SimLinkTest, RepliesToCommandsWrittenTogetherLandInOneBurst) {
    link_.Open("/dev/ttyUSB2");
    Write({0xFF});
    Write({0xFF, 0xF2, 0x02});
    Write({0xFF, 0xF6, 0x01});
    Write({0xFF, 0xEE, 0x02});
    clock_.SleepMs(200);
    ASSERT_EQ(deliveries_.size(), 1u);
    EXPECT_EQ(Hex(deliveries_[0].bytes),
              "FF"
              "FFF2020100"
              "FFF601"
              "FFEE02000190");
}

TEST_F(SimLinkTest, RealtimeFramesArriveAsBurstsOfTheirOwnWhilePolling) {
    link_.Open("/dev/ttyUSB2");
    Write({0xFF, 0xF6, 0x01});
    // Poll as busily as the connection ever does: a command every 200 ms for 20 s.
    for (int tick = 0; tick < 100; ++tick) {
        if (tick % 5 == 0) {
            Write({0xFF, 0xF2, 0x02});
        } else {
            Write({0xFF});
        }
        clock_.SleepMs(200);
    }
    int frames = 0;
    for (const auto& delivery : deliveries_) {
        bool hasMarker =
            std::find(delivery.bytes.begin(), delivery.bytes.end(), 0xA7) != delivery.bytes.end();
        if (!hasMarker)
            continue;
        ASSERT_EQ(delivery.bytes.size(), 6u) << Hex(delivery.bytes) << " at " << delivery.atMs;
        EXPECT_EQ(delivery.bytes.front(), 0xA7);
        EXPECT_EQ(delivery.bytes.back(), 0xA7);
        ++frames;
    }
    EXPECT_GE(frames, 9);
    EXPECT_LE(frames, 10);
}

TEST_F(SimLinkTest, NothingIsDeliveredAfterClose) {
    link_.Open("/dev/ttyUSB2");
    Write({0xFF, 0xF6, 0x01});
    clock_.SleepMs(50);
    link_.Close();
    clock_.SleepMs(10000);
    EXPECT_TRUE(deliveries_.empty());
    // Reopening starts clean: the frames sent while closed are gone, new ones come.
    link_.Open("/dev/ttyUSB2");
    clock_.SleepMs(1);
    EXPECT_TRUE(deliveries_.empty());
    clock_.SleepMs(3000);
    ASSERT_FALSE(deliveries_.empty());
    EXPECT_EQ(deliveries_[0].bytes.size(), 6u);
}

TEST_F(SimLinkTest, WrongLineSettingsAreNotUnderstood) {
    LineSettings settings;
    settings.baud = 4800;
    link_.Open("/dev/ttyUSB2", settings);
    ASSERT_TRUE(link_.IsOpen());
    EXPECT_EQ(Exchange({0xFF, 0xEC, 0x01}), Bytes{});
    link_.Open("/dev/ttyUSB2");
    EXPECT_EQ(Hex(Exchange({0xFF, 0xEC, 0x01})), "FFEC01A7");
}

TEST(SimLinkThreads, CloseFromAnotherThreadStopsDelivery) {
    VirtualClock clock;
    SimLink link{clock};
    link.AttachLogger("/dev/ttyUSB0",
                      std::make_shared<SimLogger>(simtest::Options(LoggerModel::SingleTemperature)));
    std::atomic<bool> closed{false};
    std::atomic<int> late{0};
    std::atomic<int> delivered{0};
    link.SetDataCallback([&](const std::uint8_t*, std::size_t) {
        if (closed)
            ++late;
        ++delivered;
    });
    link.Open("/dev/ttyUSB0");
    link.Write(Bytes{0xFF, 0xF6, 0x01}.data(), 3);
    std::atomic<bool> stop{false};
    std::thread mover([&] {
        while (!stop)
            clock.SleepMs(100);
    });
    // The user-interface side keeps writing and reading state while the clock runs elsewhere.
    for (int i = 0; i < 200 && delivered < 20; ++i) {
        link.Write(Bytes{0xFF, 0xF2, 0x02}.data(), 3);
        (void)link.LoggerAt("/dev/ttyUSB0")->Settings();
        std::this_thread::yield();
    }
    link.Close();
    closed = true;
    for (int i = 0; i < 100; ++i)
        std::this_thread::yield();
    stop = true;
    mover.join();
    EXPECT_EQ(late, 0);
}

}  // namespace
}  // namespace veldrin
