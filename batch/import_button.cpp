#include "batch/import_button.h"

#include "batch/batch_import.h"
#include "screen/screen_host.h"
#include "ui/scoped_flag.h"

#include <memory>

namespace tw::batch {

void attachImport(screen::ScreenHost &screen) {
    auto busy = std::make_shared<bool>(false);
    screen.setImportAction([&screen, busy] {
        if (*busy) {
            return;
        }
        ui::ScopedFlag running(*busy);
        import_Click(screen);
    });
}

} // namespace tw::batch
