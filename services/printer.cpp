// Printing a widget: its rendered image (QWidget::grab), which works the same
// on screen and off screen, goes to printImage().
#include "services/printer.h"

#include <QPixmap>
#include <QWidget>

namespace tw::services {

PrintResult Printer::printWidget(QWidget &widget) {
    return printImage(widget.grab().toImage());
}

} // namespace tw::services
