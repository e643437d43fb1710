#include "files/DataFileCommands.h"

#include "files/FileNameTemplate.h"

namespace veldrin {
namespace {

std::string_view FileName(std::string_view path) {
    auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        auto end = text.find(separator, start);
        if (end == std::string_view::npos)
            end = text.size();
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

}  // namespace

std::vector<DialogFilter> ParseDialogFilter(std::string_view filter) {
    std::vector<DialogFilter> entries;
    auto parts = Split(filter, '|');
    // Pairs of label and patterns; the list ends at the first empty label.
    for (std::size_t i = 0; i + 1 < parts.size() && !parts[i].empty(); i += 2) {
        DialogFilter entry{std::string(parts[i]), {}};
        for (auto pattern : Split(parts[i + 1], ';')) {
            pattern = TrimBlanks(pattern);
            if (!pattern.empty())
                entry.patterns.emplace_back(pattern);
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string QtNameFilter(const DialogFilter& entry) {
    std::string words = entry.label.substr(0, entry.label.find('('));
    while (!words.empty() && words.back() == ' ')
        words.pop_back();
    std::string text = words + " (";
    for (std::size_t i = 0; i < entry.patterns.size(); ++i) {
        if (i > 0)
            text += ' ';
        text += entry.patterns[i];
    }
    return text + ")";
}

std::vector<std::string> QtNameFilters(std::string_view filter) {
    std::vector<std::string> names;
    for (const auto& entry : ParseDialogFilter(filter))
        names.push_back(QtNameFilter(entry));
    return names;
}

std::string ExtensionAfterFirstDot(std::string_view path) {
    std::string_view name = FileName(path);
    auto dot = name.find('.');
    return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot + 1));
}

std::string ExtensionAfterLastDot(std::string_view path) {
    std::string_view name = FileName(path);
    auto dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot + 1));
}

SaveTarget PlanSave(const std::string& chosenPath, int filterIndex) {
    struct Rule {
        SaveFormat format;
        std::string_view extension;
        int filterIndex;
    };
    static constexpr Rule kRules[] = {
        {SaveFormat::DataFile, "Vdr", 1},
        {SaveFormat::Text, "txt", 2},
        {SaveFormat::Worksheet, "xls", 3},
        {SaveFormat::Csv, "csv", kCsvFilterIndex},
        {SaveFormat::Xlsx, "xlsx", kXlsxFilterIndex},
    };
    const std::string typed = ExtensionAfterLastDot(chosenPath);
    if (IsDataFileExtension(typed))
        return {SaveFormat::DataFile, chosenPath};
    for (const auto& rule : kRules) {
        if (typed == rule.extension)
            return {rule.format, chosenPath};
    }
    for (const auto& rule : kRules) {
        if (filterIndex == rule.filterIndex)
            return {rule.format, chosenPath + "." + std::string(rule.extension)};
    }
    return {};
}

std::string ProposedSaveName(const HistoryDataSet& history) {
    NameFields fields;
    fields.title = history.summary.title;
    fields.start = history.samples.Count() > 0 ? history.samples.Time(0) : history.summary.start;
    // A title of blanks alone (a data file pads it with them) names nothing.
    const bool titled = fields.title.find_first_not_of(' ') != std::string::npos;
    return ExpandNameTemplate(titled ? "{title}_{start}" : "{start}", fields).path;
}

bool IsDataFileExtension(std::string_view extension) {
    return extension == "Vdr" || extension == "vdr";
}

OpenAction PlanOpen(const std::string& chosenPath) {
    std::string extension = ExtensionAfterLastDot(chosenPath);
    if (IsDataFileExtension(extension))
        return OpenAction::Load;
    if (extension == "txt" || extension == "xls")
        return OpenAction::Ignore;
    return OpenAction::Other;
}

}  // namespace veldrin
