#include "ui/frm_label_aux_tape.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/qt_text.h"

namespace tally {

namespace {

// Room for the window icon and the minimize, maximize and close buttons, in title font heights.
constexpr int kTitleBarButtonRoom = 8;

}  // namespace

TfrmLabelAuxTape::TfrmLabelAuxTape(const std::string& tapeName, const std::string& label, QWidget* parent)
    : QDialog(parent),
      lblTapeLabel(new QLabel(ToQString("Specify label for tape " + tapeName), this)),
      edtTapeLabel(new QLineEdit(ToQString(label), this)),
      btnOk(new QPushButton(QStringLiteral("&Ok"), this)),
      btnCancel(new QPushButton(QStringLiteral("&Cancel"), this)),
      label_(label) {
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    setWindowTitle(QStringLiteral("Tallyroll - Label Auxiliary Tape"));
    lblTapeLabel->setBuddy(edtTapeLabel);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblTapeLabel);
    layout->addWidget(edtTapeLabel);
    layout->addLayout(buttons);

    // The window's title bar must show the whole caption: its text, as window managers draw it
    // (bold), beside the window icon and the title bar's buttons.
    QFont titleFont = font();
    titleFont.setBold(true);
    const QFontMetrics title(titleFont);
    setMinimumWidth(title.horizontalAdvance(windowTitle()) + kTitleBarButtonRoom * title.height());

    btnOk->setDefault(true);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool TfrmLabelAuxTape::Edit(const std::string& tapeName, std::string& label, QWidget* parent) {
    // The dialog is deleted only once the event loop runs again, so it can still be read here.
    auto* dialog = new TfrmLabelAuxTape(tapeName, label, parent);
    if (dialog->exec() != QDialog::Accepted) return false;
    label = dialog->Label();
    return true;
}

void TfrmLabelAuxTape::accept() {
    label_ = FromQString(edtTapeLabel->text());
    QDialog::accept();
}

}  // namespace tally
