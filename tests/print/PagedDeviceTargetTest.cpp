#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSizeF>

#include "PrintTestSupport.h"
#include "print/PagedDeviceTarget.h"
#include "print/PdfExport.h"

namespace veldrin {
namespace {

constexpr double kMillimetresPerInch = 25.4;

// The size of page `page` in points as pdfinfo reads it; empty when it reads none.
QSizeF PageSizeInPoints(const std::string& path, int page) {
    const std::string number = std::to_string(page);
    const std::string info =
        test::RunCommand("pdfinfo -f " + number + " -l " + number + " '" + path + "' 2>/dev/null");
    const auto at = info.find("size:");
    double width = 0;
    double height = 0;
    if (at == std::string::npos || std::sscanf(info.c_str() + at + 5, "%lf x %lf", &width, &height) != 2)
        return {};
    return {width, height};
}

class PdfPages : public ::testing::Test {
  protected:
    void SetUp() override { test::EnsureApplication(); }
    std::unique_ptr<HistoryDataSet> history =
        test::MakeHistory({.model = LoggerModel::TemperatureHumidity, .count = 130});
};

TEST_F(PdfPages, TheTargetDrawsAtTheWritersResolutionInsideTheMargins) {
    QPdfWriter writer(QString::fromStdString(test::TemporaryPath("target.pdf")));
    writer.setResolution(300);
    // One inch (72 points) on every side of a portrait A4 page.
    writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(72, 72, 72, 72)));
    const PagedDeviceTarget target(writer);
    EXPECT_EQ(target.PixelsPerInchX(), 300);
    EXPECT_EQ(target.PixelsPerInchY(), 300);
    const QSize printable = target.PrintableSize();
    EXPECT_NEAR(printable.width(), (210 / kMillimetresPerInch - 2) * 300, 1.5);
    EXPECT_NEAR(printable.height(), (297 / kMillimetresPerInch - 2) * 300, 1.5);
}

TEST_F(PdfPages, CurvePagesAreLandscapeA4AndTablePagesPortraitA4) {
    const QSizeF landscape(297 / kMillimetresPerInch * 72, 210 / kMillimetresPerInch * 72);
    const std::string curves = test::TemporaryPath("landscape.pdf");
    ASSERT_EQ(ExportPdf(*history, {.mode = PrintMode::Curve, .curvePages = 3}, curves).status,
              PdfExportStatus::Written);
    const std::string table = test::TemporaryPath("portrait.pdf");
    ASSERT_EQ(ExportPdf(*history, {.mode = PrintMode::Text}, table).status, PdfExportStatus::Written);
    for (int page = 1; page <= 3; ++page) {
        const QSizeF size = PageSizeInPoints(curves, page);
        EXPECT_NEAR(size.width(), landscape.width(), 1) << "curve page " << page;
        EXPECT_NEAR(size.height(), landscape.height(), 1) << "curve page " << page;
    }
    for (int page = 1; page <= 4; ++page) {
        const QSizeF size = PageSizeInPoints(table, page);
        EXPECT_NEAR(size.width(), landscape.height(), 1) << "table page " << page;
        EXPECT_NEAR(size.height(), landscape.width(), 1) << "table page " << page;
    }
}

}  // namespace
}  // namespace veldrin
