#include "app/PanelPages.h"

namespace veldrin {
namespace {

// An empty page standing where the curve, list and summary pages of the measurement views go.
QWidget* EmptyPage(const char* name) {
    auto* page = new QWidget;
    page->setObjectName(QString::fromLatin1(name));
    return page;
}

}  // namespace

RealtimePages CreateRealtimePages() {
    return {EmptyPage("CPage1"), EmptyPage("CPage2"), EmptyPage("CPage3")};
}

HistoryPages CreateHistoryPages() {
    return {EmptyPage("CPage11"), EmptyPage("CPage12"), EmptyPage("CPage13"), EmptyPage("CPage4")};
}

}  // namespace veldrin
