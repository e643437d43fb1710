// Two programs archiving into one archive at once: each of two child processes archives 50
// downloads of its own and the same 10 downloads as the other, all at the same time. Nothing is
// lost or doubled (110 entries, 10 "seen" events) and the chain is one unbroken line.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <set>

#include "archive/Archive.h"
#include "tests/archive/ArchiveTestSupport.h"

namespace veldrin::archive::test {
namespace {

class ArchiveConcurrency : public ArchiveTest {};

// The child's work; returns its exit status.
int ArchiveFromChild(const std::string& location, int child) {
    try {
        auto archive = Archive::Open(location);
        for (int i = 0; i < 60; ++i) {
            // Odd rounds of the first ten are the downloads both children archive.
            const bool shared = i < 20 && i % 2 == 1;
            const std::string tag = shared ? "shared " + std::to_string(i)
                                           : "child " + std::to_string(child) + " " + std::to_string(i);
            archive->Add(MakeDownload(tag, 50));
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "child %d: %s\n", child, error.what());
        return 1;
    }
}

TEST_P(ArchiveConcurrency, TwoProcessesWritingAtOnceLoseAndDoubleNothing) {
    OpenArchive();  // made before the children start, closed again before they fork
    std::vector<pid_t> children;
    for (int child = 0; child < 2; ++child) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0)
            ::_exit(ArchiveFromChild(Location(), child));
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    }

    auto archive = OpenArchive();
    const std::vector<EntrySummary> entries = archive->List();
    EXPECT_EQ(entries.size(), 110u);
    std::set<std::string> hashes;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        hashes.insert(entries[i].sha256);
        EXPECT_EQ(entries[i].id, static_cast<std::int64_t>(i + 1));
    }
    EXPECT_EQ(hashes.size(), 110u);
    const std::vector<Event> events = archive->Audit();
    EXPECT_EQ(events.size(), 10u);
    for (const Event& event : events)
        EXPECT_EQ(event.kind, "seen");
    const VerifyReport report = archive->Verify();
    EXPECT_TRUE(report.intact) << report.problem;
    EXPECT_EQ(report.records, 120);
}

INSTANTIATE_TEST_SUITE_P(Backends, ArchiveConcurrency, testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         BackendName);

}  // namespace
}  // namespace veldrin::archive::test
