#include "app/CVeldrinApp.h"

#include "app/CMainFrame.h"
#include "app/Profile.h"

namespace veldrin {

CVeldrinApp::CVeldrinApp(const QStringList& arguments)
    : commandLineFile_(arguments.value(1)), profile_(OpenProfile()), recentFiles_(*profile_) {}

CVeldrinApp::~CVeldrinApp() {
    frame_.reset();
    SetPortProfileLookup({});
}

bool CVeldrinApp::InitInstance() {
    SetPortProfileLookup(ProfilePortLookup());
    frame_ = std::make_unique<CMainFrame>(info_);
    frame_->setWindowTitle(QStringLiteral("Veldrin"));
    frame_->show();
    return true;
}

}  // namespace veldrin
