// What a name and filter chosen in the Save and Open dialogs lead to.
#include <gtest/gtest.h>

#include "files/DataFileCommands.h"

namespace veldrin {
namespace {

TEST(DataFileSaveRules, TheDataFileFormatWinsAndAppendsItsExtensionUnlessItIsExactlyVdr) {
    struct Case {
        std::string chosen;
        int filter;
        SaveFormat format;
        std::string path;
    };
    const Case cases[] = {
        {"/d/report", 1, SaveFormat::DataFile, "/d/report.Vdr"},
        {"/d/report.vdr", 1, SaveFormat::DataFile, "/d/report.vdr.Vdr"},
        {"/d/a.txt", 1, SaveFormat::DataFile, "/d/a.txt.Vdr"},
        {"/d/report.Vdr", 2, SaveFormat::DataFile, "/d/report.Vdr"},
        {"/d/report.Vdr", 3, SaveFormat::DataFile, "/d/report.Vdr"},
        // The extension starts at the first dot of the name: "b.Vdr" is not "Vdr".
        {"/d/a.b.Vdr", 2, SaveFormat::Text, "/d/a.b.Vdr.txt"},
        {"/d/a.b.Vdr", 0, SaveFormat::None, ""},
        {"/d/a.txt", 2, SaveFormat::Text, "/d/a.txt"},
        {"/d/a.txt", 3, SaveFormat::Text, "/d/a.txt"},
        {"/d/a.TXT", 2, SaveFormat::Text, "/d/a.TXT.txt"},
        {"/d/a", 2, SaveFormat::Text, "/d/a.txt"},
        {"/d/a.tem", 2, SaveFormat::Text, "/d/a.tem.txt"},
        {"/d/a.xls", 1, SaveFormat::DataFile, "/d/a.xls.Vdr"},
        {"/d/a.xls", 2, SaveFormat::Text, "/d/a.xls.txt"},
        {"/d/a.xls", 3, SaveFormat::Worksheet, "/d/a.xls"},
        {"/d/a.xlc", 3, SaveFormat::Worksheet, "/d/a.xlc.xls"},
        {"/d/a.xls", 0, SaveFormat::Worksheet, "/d/a.xls"},
        {"/d/a.csv", 0, SaveFormat::Csv, "/d/a.csv"},
        {"/d/a.ods", 0, SaveFormat::None, ""},
        // Dots in folder names do not count.
        {"/d/v1.2/report", 1, SaveFormat::DataFile, "/d/v1.2/report.Vdr"},
    };
    for (const auto& c : cases) {
        SaveTarget target = PlanSave(c.chosen, c.filter);
        EXPECT_EQ(target.format, c.format) << c.chosen << " " << c.filter;
        EXPECT_EQ(target.path, c.path) << c.chosen << " " << c.filter;
    }
}

TEST(DataFileOpenRules, VdrInEitherCaseLoadsTxtAndXlsAreIgnoredTheRestIsOther) {
    EXPECT_EQ(PlanOpen("/d/a.Vdr"), OpenAction::Load);
    EXPECT_EQ(PlanOpen("/d/a.vdr"), OpenAction::Load);
    EXPECT_EQ(PlanOpen("/d/a.b.vdr"), OpenAction::Load);
    EXPECT_EQ(PlanOpen("/d/a.VDR"), OpenAction::Other);
    EXPECT_EQ(PlanOpen("/d/a.txt"), OpenAction::Ignore);
    EXPECT_EQ(PlanOpen("/d/a.xls"), OpenAction::Ignore);
    EXPECT_EQ(PlanOpen(""), OpenAction::Other);
    EXPECT_EQ(PlanOpen("/d.Vdr/a"), OpenAction::Other);
    EXPECT_EQ(ExtensionAfterLastDot("/x/a.b.Vdr"), "Vdr");
    EXPECT_EQ(ExtensionAfterFirstDot("/x/a.b.Vdr"), "b.Vdr");
}

TEST(DataFileDialogFilters, FiltersSplitIntoLabelsAndPatternsInFilterIndexOrder) {
    auto save = ParseDialogFilter(kSaveFilter);
    ASSERT_EQ(save.size(), 3U);
    EXPECT_EQ(save[0].label, " Veldrin Files (*.Vdr)");
    EXPECT_EQ(save[1].patterns, (std::vector<std::string>{"*.txt", "*.tem"}));
    EXPECT_EQ(save[2].label, "WorkSheet Files (*.xlc;*.xls)");
    EXPECT_EQ(save[2].patterns, (std::vector<std::string>{"*.xlc", "*.xls"}));
    EXPECT_EQ(QtNameFilters(kSaveFilter),
              (std::vector<std::string>{" Veldrin Files (*.Vdr)", "Text Files (*.txt *.tem)",
                                        "WorkSheet Files (*.xlc *.xls)"}));
    EXPECT_EQ(QtNameFilters(kOpenFilter), std::vector<std::string>{"Veldrin Files (*.Vdr)"});
}

}  // namespace
}  // namespace veldrin
