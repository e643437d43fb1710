// What a name and filter chosen in the Save and Open dialogs lead to.
#include <gtest/gtest.h>

#include "files/DataFileCommands.h"

namespace veldrin {
namespace {

TEST(DataFileSaveRules, ATypedKnownExtensionWinsOtherNamesTakeTheFilterAndItsExtension) {
    struct Case {
        std::string chosen;
        int filter;
        SaveFormat format;
        std::string path;
    };
    const Case cases[] = {
        {"/d/report", 1, SaveFormat::DataFile, "/d/report.Vdr"},
        {"/d/report.vdr", 1, SaveFormat::DataFile, "/d/report.vdr"},
        {"/d/report.Vdr", 2, SaveFormat::DataFile, "/d/report.Vdr"},
        {"/d/report.Vdr", 3, SaveFormat::DataFile, "/d/report.Vdr"},
        // The typed extension is the text after the last dot, and it wins over every filter.
        {"/d/a.txt", 1, SaveFormat::Text, "/d/a.txt"},
        {"/d/a.b.Vdr", 2, SaveFormat::DataFile, "/d/a.b.Vdr"},
        {"/d/a.b.Vdr", 0, SaveFormat::DataFile, "/d/a.b.Vdr"},
        {"/d/typed.csv", 1, SaveFormat::Csv, "/d/typed.csv"},
        {"/d/a.xls", 1, SaveFormat::Worksheet, "/d/a.xls"},
        {"/d/a.xls", 2, SaveFormat::Worksheet, "/d/a.xls"},
        {"/d/a.xlsx", 1, SaveFormat::Xlsx, "/d/a.xlsx"},
        {"/d/a.xlsx", 3, SaveFormat::Xlsx, "/d/a.xlsx"},
        {"/d/a.csv.txt", 4, SaveFormat::Text, "/d/a.csv.txt"},
        {"/d/a.txt", 2, SaveFormat::Text, "/d/a.txt"},
        {"/d/a.txt", 3, SaveFormat::Text, "/d/a.txt"},
        // Anything else takes the selected filter's format and extension, case as listed.
        {"/d/a.TXT", 2, SaveFormat::Text, "/d/a.TXT.txt"},
        {"/d/a.XLSX", 1, SaveFormat::DataFile, "/d/a.XLSX.Vdr"},
        {"/d/a", 2, SaveFormat::Text, "/d/a.txt"},
        {"/d/a.tem", 2, SaveFormat::Text, "/d/a.tem.txt"},
        {"/d/a.xlc", 3, SaveFormat::Worksheet, "/d/a.xlc.xls"},
        {"/d/a", kCsvFilterIndex, SaveFormat::Csv, "/d/a.csv"},
        {"/d/a", kXlsxFilterIndex, SaveFormat::Xlsx, "/d/a.xlsx"},
        {"/d/a.xls", 0, SaveFormat::Worksheet, "/d/a.xls"},
        {"/d/a.csv", 0, SaveFormat::Csv, "/d/a.csv"},
        {"/d/a.ods", 0, SaveFormat::None, ""},
        {"/d/a.ods", 6, SaveFormat::None, ""},
        // Dots in folder names do not count.
        {"/d/v1.2/report", 1, SaveFormat::DataFile, "/d/v1.2/report.Vdr"},
        {"/d/x.csv/report", 1, SaveFormat::DataFile, "/d/x.csv/report.Vdr"},
    };
    for (const auto& c : cases) {
        SaveTarget target = PlanSave(c.chosen, c.filter);
        EXPECT_EQ(target.format, c.format) << c.chosen << " " << c.filter;
        EXPECT_EQ(target.path, c.path) << c.chosen << " " << c.filter;
    }
}

TEST(DataFileSaveRules, TheProposedNameIsTheTitleAndTheFirstReadingsTime) {
    HistoryDataSet history;
    history.summary.title = "冷库一号" + std::string(28, ' ');
    history.summary.start = 1262649780;                            // not used once there are readings
    history.samples.SetHistorySample(0, 20.0F, 0.0F, 1714521600);  // 2024-05-01 08:00 in Asia/Shanghai
    history.samples.SetCount(1);
    EXPECT_EQ(ProposedSaveName(history), "冷库一号_20240501-0800");

    history.summary.title = "A/B 库";
    EXPECT_EQ(ProposedSaveName(history), "A_B 库_20240501-0800") << "a title never makes a folder";
    history.summary.title = std::string(36, ' ');
    EXPECT_EQ(ProposedSaveName(history), "20240501-0800");
    history.samples.SetCount(0);
    EXPECT_EQ(ProposedSaveName(history), "20100105-0803") << "the stored start without readings";
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
