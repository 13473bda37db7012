#pragma once

#include <QDialog>

class QTextBrowser;

namespace kivo::gui {

// The panel's own help: one topic page per help context, shown beside the main window.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent);

    void showTopic(int context);
    // The resource that holds the topic of `context`, a file named after its page; nothing for
    // a context no page has.
    static QString topicPath(int context);
    QTextBrowser& browser() { return *browser_; }

private:
    QTextBrowser* browser_;
};

} // namespace kivo::gui
