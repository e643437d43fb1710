// File names made from a template: placeholders, titles that try to leave the folder, refusals,
// and the -1, -2 … that keeps an existing file.
#include <gtest/gtest.h>

#include <set>

#include "files/FileNameTemplate.h"

namespace veldrin {
namespace {

NameFields Fields() {
    NameFields fields;
    fields.title = "  冷库 3号  ";
    fields.model = "humidity";
    fields.start = 1714521600;  // 2024-05-01 08:00:00 in Asia/Shanghai, the tests' zone
    fields.end = 1714525200;
    fields.count = 61;
    fields.port = "/dev/ttyUSB0";
    fields.device = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K3-if00-port0";
    fields.now = 1733716800;  // 2024-12-09 12:00:00 there
    return fields;
}

std::string Expand(std::string_view pattern, const NameFields& fields = Fields()) {
    ExpandedName name = ExpandNameTemplate(pattern, fields);
    EXPECT_TRUE(name) << name.error;
    return name.path;
}

TEST(FileNameTemplate, FillsEveryPlaceholder) {
    EXPECT_EQ(Expand("{title}_{model}_{start}_{end}_{count}.Vdr"),
              "冷库 3号_humidity_20240501-0800_20240501-0900_61.Vdr");
    EXPECT_EQ(Expand("{port}/{device}.csv"), "ttyUSB0/usb-FTDI_FT232R_USB_UART_A10K3-if00-port0.csv");
    EXPECT_EQ(Expand("{date:%Y}/{start:%H%M%S}-{end:%d}.xls"), "2024/080000-01.xls");
    EXPECT_EQ(Expand("plain.Vdr"), "plain.Vdr");

    NameFields noStableName = Fields();
    noStableName.device.clear();
    EXPECT_EQ(Expand("{device}.pdf", noStableName), "ttyUSB0.pdf");
}

TEST(FileNameTemplate, ValuesNeverMakeOrLeaveFolders) {
    NameFields fields = Fields();
    fields.title = "../../etc/passwd";
    EXPECT_EQ(Expand("out/{title}.Vdr", fields), "out/_._.._etc_passwd.Vdr");
    fields.title = ".hidden";
    EXPECT_EQ(Expand("{title}.Vdr", fields), "_hidden.Vdr");
    fields.title =
        "a\tb\x01"
        "c\x7f";
    EXPECT_EQ(Expand("{title}.Vdr", fields), "a_b_c_.Vdr");
    fields.title = "    ";
    EXPECT_EQ(Expand("{title}.Vdr", fields), "_.Vdr");
    // A strftime format with a slash stays inside one component too.
    EXPECT_EQ(Expand("{start:%Y/%m}.csv"), "2024_05.csv");
}

TEST(FileNameTemplate, InvalidUtf8AndLongTitlesAreCutSafely) {
    NameFields fields = Fields();
    fields.title = "ok\xff\xfe";
    EXPECT_EQ(Expand("{title}", fields), "ok__");
    fields.title = std::string(150, 'x') + std::string(40, 'y') + "温度温度温度温度";
    const std::string safe = SafeNameComponent(fields.title);
    EXPECT_LE(safe.size(), 200u);
    EXPECT_EQ(safe.substr(0, 190), std::string(150, 'x') + std::string(40, 'y'));
    EXPECT_EQ(safe.size(), 190u + 9u);  // three whole characters, never half of one
}

TEST(FileNameTemplate, RefusesWhatNamesNoFile) {
    EXPECT_FALSE(ExpandNameTemplate("{title", Fields()));
    ExpandedName unknown = ExpandNameTemplate("{serial}.Vdr", Fields());
    EXPECT_FALSE(unknown);
    EXPECT_NE(unknown.error.find("{serial}"), std::string::npos);
    EXPECT_FALSE(ExpandNameTemplate("", Fields()));
    EXPECT_FALSE(ExpandNameTemplate("{model}/", Fields()));
}

TEST(FileNameTemplate, ExistingFilesAreKeptByNumbering) {
    std::set<std::string> taken{"out/a.Vdr", "out/a-1.Vdr", "README", ".profile"};
    auto exists = [&](const std::string& path) { return taken.count(path) > 0; };
    EXPECT_EQ(FirstFreePath("out/b.Vdr", exists), "out/b.Vdr");
    EXPECT_EQ(FirstFreePath("out/a.Vdr", exists), "out/a-2.Vdr");
    EXPECT_EQ(FirstFreePath("README", exists), "README-1");
    EXPECT_EQ(FirstFreePath(".profile", exists), ".profile-1");
    EXPECT_EQ(FirstFreePath("report.tar.pdf", [](const std::string& p) { return p == "report.tar.pdf"; }),
              "report.tar-1.pdf");
}

}  // namespace
}  // namespace veldrin
