// The archive commands on a shared PostgreSQL archive: a fresh database per test on the server that
// VELDRIN_TEST_POSTGRESQL names (tools/archive-postgresql-test starts one; skipped without it).
// Two veldrin-cli processes importing 50 files each at the same time leave 100 entries and one
// unbroken chain.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <set>

#include "tests/cli/CliArchiveSupport.h"

extern char** environ;

namespace veldrin::test {
namespace {

class CliArchivePostgreSQL : public CliArchive {
  protected:
    void SetUp() override {
        const char* server = std::getenv("VELDRIN_TEST_POSTGRESQL");
        if (server == nullptr || *server == '\0')
            GTEST_SKIP() << "VELDRIN_TEST_POSTGRESQL names no PostgreSQL server";
        database_ = "veldrin_cli_" + std::to_string(::getpid());
        archive::Database admin(archive::ParseLocation(server));
        admin.Run(QString::fromStdString("DROP DATABASE IF EXISTS " + database_));
        admin.Run(QString::fromStdString("CREATE DATABASE " + database_));
        const std::string base = server;
        location_ = base.substr(0, base.rfind('/') + 1) + database_;
    }
    void TearDown() override {
        if (database_.empty())
            return;
        archive::Database admin(archive::ParseLocation(std::getenv("VELDRIN_TEST_POSTGRESQL")));
        admin.Run(QString::fromStdString("DROP DATABASE IF EXISTS " + database_ + " WITH (FORCE)"));
    }

    std::string database_;
};

TEST_F(CliArchivePostgreSQL, ListShowVerifyAndTwoProcessesArchivingAtOnce) {
    // 50 files for each of two processes, each file its own history.
    std::vector<std::vector<std::string>> commands(2);
    for (int child = 0; child < 2; ++child) {
        commands[child] = {VELDRIN_CLI_PROGRAM, "archive", "import", "--archive", location_};
        for (int i = 0; i < 50; ++i) {
            const std::string name = "c" + std::to_string(child) + "-" + std::to_string(i);
            commands[child].push_back(
                WriteDataFileFor(folder_.File(name + ".Vdr"), LoggerModel::SingleTemperature, "冷库 " + name,
                                 MakeLocalTime(2024, 5, 1, 0, 0, 0).value(), 10 + i, child));
        }
    }
    // The schema is made before the two start, as a first program would have made it.
    ASSERT_EQ(Archive({"list"}).status, 0);
    std::vector<pid_t> children;
    for (auto& command : commands) {
        std::vector<char*> argv;
        for (auto& arg : command)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        pid_t pid = 0;
        ASSERT_EQ(posix_spawn(&pid, VELDRIN_CLI_PROGRAM, nullptr, nullptr, argv.data(), environ), 0);
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }

    const nlohmann::json all = Json({"list"});
    ASSERT_EQ(all.size(), 100u);
    std::set<std::string> titles;
    for (const auto& entry : all)
        titles.insert(entry["title"].get<std::string>());
    EXPECT_EQ(titles.size(), 100u);
    EXPECT_EQ(Json({"list", "--text", "c1-4"}).size(), 11u) << "c1-4 and c1-40 … c1-49";
    EXPECT_EQ(Json({"list", "--excursions"}).size(), 50u);
    EXPECT_EQ(Json({"audit"}).size(), 100u);
    const nlohmann::json shown = Json({"show", "100"});
    EXPECT_EQ(shown["source"], "file");
    ASSERT_EQ(shown["events"].size(), 1u);
    EXPECT_EQ(shown["events"][0]["kind"], "archive-import");

    const CliRun intact = Archive({"verify"});
    EXPECT_EQ(intact.status, 0) << intact.out << intact.err;
    EXPECT_NE(intact.out.find("intact: 200 records"), std::string::npos) << intact.out;
    Tamper("UPDATE entries SET title = 'Freezer' WHERE id = 37");
    const CliRun broken = Archive({"verify"});
    EXPECT_EQ(broken.status, 1);
    EXPECT_NE(broken.out.find("entry 37 was changed"), std::string::npos) << broken.out;
}

}  // namespace
}  // namespace veldrin::test
