// The modal services on real dialogs: QMessageBox, QInputDialog, QFileDialog;
// yield runs the pending window events; beep is the system's.
//
// Message texts may break lines with CR LF, LF or a lone CR; all three show as
// line breaks. A missing title shows the application's name.
#pragma once

#include "services/dialogs.h"

#include <QPointer>
#include <QString>

#include <string>

class QWidget;

namespace tw::services {

class QtDialogs : public Dialogs {
public:
    // Dialogs are centred over `parent` when one is given.
    explicit QtDialogs(QWidget *parent = nullptr);

    void setParent(QWidget *parent);

    Answer messageBox(const std::string &text, Buttons buttons = Buttons::Ok,
        const std::string &title = {}, Icon icon = Icon::None) override;
    std::optional<std::string> askText(const std::string &prompt, const std::string &title = {},
        const std::string &proposed = {}) override;
    std::string openFile(const std::string &title, const std::string &initialFolder,
        const std::string &filter) override;
    void yield() override;
    // True while an event runs from inside a yield: a long operation (a
    // wait for an instrument, a palette load ...) is in progress beneath it.
    [[nodiscard]] static bool insideYield();
    void beep() override;

private:
    QPointer<QWidget> parent_;
};

// "Description|pattern|Description|pattern" (patterns separated by ";") as
// the file dialog's filter list "Description (pattern pattern);;...". A
// description that already names its patterns in brackets loses them, since
// the patterns after the "|" are the ones that count. An empty text gives
// "All files (*)".
[[nodiscard]] QString fileDialogFilter(const std::string &pairs);

// CR LF and lone CR turned into LF.
[[nodiscard]] QString withLineFeeds(const std::string &text);

} // namespace tw::services
