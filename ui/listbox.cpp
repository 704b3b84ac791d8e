// List box over QListWidget in single-selection mode. The selected row is the
// row that is selected, not the widget's "current" row: the view makes the
// first row current when it merely receives the focus, which is no choice of
// the user's. Rows are all of one height (uniform sizes), which keeps adding
// ten thousand palette rows fast.
#include "ui/listbox.h"

#include <QItemSelectionModel>
#include <QListWidget>
#include <QSignalBlocker>

namespace tw::ui {

ListBox::ListBox(QWidget *container, const TwipRect &where)
    : Control(new QListWidget(container), where, QPalette::Base, QPalette::Text) {
    QListWidget *list = listWidget();
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setUniformItemSizes(true);
    QObject::connect(list, &QListWidget::itemSelectionChanged, hook(),
        [this] { dispatch("ListBox click", onClick); });
}

QListWidget *ListBox::listWidget() const {
    return static_cast<QListWidget *>(widget());
}

void ListBox::clear() {
    const QSignalBlocker block(listWidget());
    listWidget()->clear();
}

void ListBox::addItem(const std::string &row) {
    const QSignalBlocker block(listWidget());
    listWidget()->addItem(QString::fromStdString(row));
}

int ListBox::count() const {
    return listWidget()->count();
}

std::string ListBox::item(int index) const {
    const QListWidgetItem *it = listWidget()->item(index);
    return it ? it->text().toStdString() : std::string();
}

int ListBox::listIndex() const {
    const QModelIndexList selected = listWidget()->selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.first().row();
}

bool ListBox::setListIndex(int index) {
    QListWidget *list = listWidget();
    if (index < -1 || index >= list->count()) {
        return false;
    }
    if (index == listIndex()) {
        return true;
    }
    {
        const QSignalBlocker block(list);
        if (index < 0) {
            list->setCurrentRow(-1);
            list->clearSelection();
        } else {
            list->setCurrentRow(index);
        }
    }
    if (const auto handler = onClick) {
        handler();
    }
    return true;
}

} // namespace tw::ui
