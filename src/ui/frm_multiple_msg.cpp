#include "ui/frm_multiple_msg.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "foundation/notifications/notifier.h"
#include "ui/qt_text.h"

namespace tally {

namespace {

// Height of the bottom strip that holds the button.
constexpr int kButtonStripHeight = 37;

}  // namespace

TfrmMultipleMsg::TfrmMultipleMsg(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      memo_(new QPlainTextEdit(this)),
      okButton_(new QPushButton(QStringLiteral("Ok"), this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    // Shown while the user types, it must not take the keys; the Explain Last Beep command
    // gives it the focus explicitly.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setModal(false);
    setWindowTitle(ToQString(CaptionNotify));

    memo_->setReadOnly(true);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* strip = new QWidget(this);
    strip->setFixedHeight(kButtonStripHeight);
    auto* stripLayout = new QHBoxLayout(strip);
    stripLayout->setContentsMargins(0, 0, 0, 0);
    stripLayout->addStretch();
    stripLayout->addWidget(okButton_);
    stripLayout->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(memo_);
    layout->addWidget(strip);

    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    resize(DesignedSize);
}

void TfrmMultipleMsg::SetLines(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += '\n';
        text += lines[i];
    }
    memo_->setPlainText(ToQString(text));
}

QString TfrmMultipleMsg::Text() const { return memo_->toPlainText(); }

void TfrmMultipleMsg::done(int result) {
    // "Ok", Escape and the close box all end here. The window closes and, being deleted on
    // close, is destroyed once control returns to the event loop; mark it closed at once.
    closed_ = true;
    const bool hadFocus = isActiveWindow();
    QDialog::done(result);
    // The keys go back to the tape the window was shown beside.
    if (hadFocus && parentWidget() != nullptr) parentWidget()->activateWindow();
}

}  // namespace tally
