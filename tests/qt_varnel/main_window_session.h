#pragma once

#include <functional>
#include <memory>

#include "app/ui/main_frame.h"
#include "app/ui/varnel_app.h"
#include "app/ui/varnel_view.h"
#include "tests/support/temp_dir.h"

namespace varnel_testing {

// varnel's main window over a fresh data directory, not yet shown. `prepare` sees the program's
// state before the window is made (the sign's colour mode, say). The workspace counts as saved
// when the session ends, so no question is left open.
struct MainWindowSession {
  testing_support::TempDir dir;
  app::ui::CVarnelApp app{dir.path()};
  std::unique_ptr<app::ui::CMainFrame> frame;

  explicit MainWindowSession(const std::function<void(app::AppState&)>& prepare = {}) {
    app.language().init();
    if (prepare) prepare(app.state());
    frame = std::make_unique<app::ui::CMainFrame>(app.language(), app.state());
  }
  ~MainWindowSession() { frame->document().setModified(false); }
};

}  // namespace varnel_testing
