#pragma once
// The notification window: a non-modal, always-on-top window showing the last beep
// explanation or the collected messages, with one "Ok" button that closes it. Closing destroys
// the window. It takes the keyboard focus only when asked to; Enter, Escape and "Ok" then close
// it and hand the focus back to its parent window.

#include <QDialog>

#include <string>
#include <vector>

class QPlainTextEdit;
class QPushButton;

namespace tally {

class TfrmMultipleMsg : public QDialog {
    Q_OBJECT

public:
    // Its designed client area.
    static constexpr QSize DesignedSize{212, 173};

    explicit TfrmMultipleMsg(QWidget* parent = nullptr);

    // One text a line; an empty text is a blank line.
    void SetLines(const std::vector<std::string>& lines);
    QString Text() const;

    // True from the moment the user closes the window, before its deferred destruction.
    bool IsClosed() const { return closed_; }

    QPushButton* OkButton() const { return okButton_; }

public slots:
    void done(int result) override;

private:
    QPlainTextEdit* memo_;
    QPushButton* okButton_;
    bool closed_ = false;
};

}  // namespace tally
