// Printing a widget: its rendered image (QWidget::grab), which works the same
// on screen and off screen, goes to printImage().
#include "ui/printer.h"

#include <QPixmap>
#include <QWidget>

namespace tw::ui {

PrintResult Printer::printWidget(QWidget &widget) {
    return printImage(widget.grab().toImage());
}

} // namespace tw::ui
