#pragma once
// The modal dialog in which the user types an auxiliary tape's label. "Ok" keeps the typed
// text as the label (an empty box clears it); "Cancel" leaves the label as it was. The dialog
// destroys itself when it closes.

#include <QDialog>

#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tally {

class TfrmLabelAuxTape : public QDialog {
    Q_OBJECT

public:
    TfrmLabelAuxTape(const std::string& tapeName, const std::string& label, QWidget* parent = nullptr);

    // Shows the dialog modally; true, with the new label, when the user chose "Ok".
    static bool Edit(const std::string& tapeName, std::string& label, QWidget* parent = nullptr);

    // The label as the dialog closed: the typed text after "Ok", the one it was given otherwise.
    const std::string& Label() const { return label_; }

    QLabel* lblTapeLabel;
    QLineEdit* edtTapeLabel;
    QPushButton* btnOk;
    QPushButton* btnCancel;

public slots:
    void accept() override;

private:
    std::string label_;
};

}  // namespace tally
