#include "fleet/ExportRegistry.h"

#include <algorithm>
#include <cctype>

#include "files/DataFileCommands.h"

namespace veldrin::fleet {
namespace {

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

ExporterRegistry& ExporterRegistry::Instance() {
    static ExporterRegistry registry = [] {
        ExporterRegistry standard;
        AddStandardWriters(standard);
        return standard;
    }();
    return registry;
}

void ExporterRegistry::Add(std::string extension, std::string description, Exporter exporter) {
    entries_.push_back({Lower(std::move(extension)), std::move(description), std::move(exporter)});
    std::sort(entries_.begin(), entries_.end(),
              [](const Entry& a, const Entry& b) { return a.extension < b.extension; });
}

const Exporter* ExporterRegistry::ForPath(std::string_view path) const {
    std::string extension = Lower(ExtensionAfterLastDot(path));
    for (const auto& entry : entries_) {
        if (entry.extension == extension)
            return &entry.exporter;
    }
    return nullptr;
}

std::string ExporterRegistry::FormatOf(std::string_view path) const {
    return ForPath(path) != nullptr ? Lower(ExtensionAfterLastDot(path)) : std::string();
}

std::string ExporterRegistry::Describe() const {
    std::string text;
    for (const auto& entry : entries_) {
        if (!text.empty())
            text += ", ";
        text += "." + entry.extension + " (" + entry.description + ")";
    }
    return text;
}

}  // namespace veldrin::fleet
