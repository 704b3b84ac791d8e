#include "tools/icon/app_icon.h"

#include <QString>

namespace tw::icon {

QIcon applicationIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/tintwise-48.png"));
    icon.addFile(QStringLiteral(":/icons/tintwise-256.png"));
    return icon;
}

} // namespace tw::icon
