// Real dialogs. The answers map one to one onto the button pressed; closing a
// message box without a button (Escape, the title bar) counts as its Cancel,
// or its No where there is no Cancel, or Ok for a box with Ok alone.
#include "services/qt_dialogs.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>

namespace tw::services {

QString withLineFeeds(const std::string &text) {
    QString q = QString::fromStdString(text);
    q.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    q.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return q;
}

QString fileDialogFilter(const std::string &pairs) {
    const QStringList parts = QString::fromStdString(pairs).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        const qsizetype bracket = description.indexOf(QLatin1Char('('));
        if (bracket >= 0) {
            description = description.left(bracket).trimmed();
        }
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString &p : patterns) {
            p = p.trimmed();
        }
        if (description.isEmpty()) {
            description = patterns.join(QLatin1Char(' '));
        }
        filters << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' '))
                + QLatin1Char(')');
    }
    if (filters.isEmpty()) {
        return QStringLiteral("All files (*)");
    }
    return filters.join(QStringLiteral(";;"));
}

QtDialogs::QtDialogs(QWidget *parent)
    : parent_(parent) { }

void QtDialogs::setParent(QWidget *parent) {
    parent_ = parent;
}

namespace {

QString titleOr(const std::string &title) {
    return title.empty() ? QCoreApplication::applicationName() : QString::fromStdString(title);
}

} // namespace

Answer QtDialogs::messageBox(
    const std::string &text, Buttons buttons, const std::string &title, Icon icon) {
    QMessageBox box(parent_);
    box.setWindowTitle(titleOr(title));
    box.setText(withLineFeeds(text));
    box.setTextFormat(Qt::PlainText);
    switch (icon) {
    case Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    QMessageBox::StandardButton escape = QMessageBox::Ok;
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        escape = QMessageBox::Cancel;
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        escape = QMessageBox::No;
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        escape = QMessageBox::Cancel;
        break;
    }
    box.setEscapeButton(escape);
    const int pressed = box.exec();
    switch (pressed) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return buttons == Buttons::Ok   ? Answer::Ok
            : buttons == Buttons::YesNo ? Answer::No
                                        : Answer::Cancel;
    }
}

std::optional<std::string> QtDialogs::askText(
    const std::string &prompt, const std::string &title, const std::string &proposed) {
    bool ok = false;
    const QString answer = QInputDialog::getText(parent_, titleOr(title), withLineFeeds(prompt),
        QLineEdit::Normal, QString::fromStdString(proposed), &ok);
    if (!ok) {
        return std::nullopt;
    }
    return answer.toStdString();
}

std::string QtDialogs::openFile(
    const std::string &title, const std::string &initialFolder, const std::string &filter) {
    // QFileDialog never changes the working directory, so the program's
    // bare-name files stay where they were whatever folder the user visits.
    const QString path = QFileDialog::getOpenFileName(parent_, QString::fromStdString(title),
        QString::fromStdString(initialFolder), fileDialogFilter(filter));
    return QDir::toNativeSeparators(path).toStdString();
}

namespace {
int yieldsRunning = 0;
}

void QtDialogs::yield() {
    ++yieldsRunning;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    --yieldsRunning;
}

bool QtDialogs::insideYield() {
    return yieldsRunning > 0;
}

void QtDialogs::beep() {
    QApplication::beep();
}

} // namespace tw::services
