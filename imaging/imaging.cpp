#include "imaging/imaging.h"

#include "imaging/form2.h"
#include "screen/screen_host.h"

#include <memory>

namespace tw::imaging {

void attachImaging(screen::ScreenHost &screen) {
    screen.windows().attach(screen::ScreenWindow::PictureAnalysis,
        [&screen]() -> std::unique_ptr<screen::SwitchedWindow> {
            auto form = std::make_unique<Form2>(screen);
            form->Form_Load();
            return form;
        });
}

} // namespace tw::imaging
