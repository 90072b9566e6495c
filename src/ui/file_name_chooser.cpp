#include "ui/file_name_chooser.h"

#include <QFileDialog>

namespace tally {

QString QtFileNameChooser::OpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                                        const QString& filter) {
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

QString QtFileNameChooser::SaveFileName(QWidget* parent, const QString& caption, const QString& start,
                                        const QString& filter, const QString& defaultSuffix) {
    return AskSaveName(parent, caption, start, filter, defaultSuffix, true);
}

QString QtFileNameChooser::SaveFileNameUnconfirmed(QWidget* parent, const QString& caption, const QString& start,
                                                   const QString& filter, const QString& defaultSuffix) {
    return AskSaveName(parent, caption, start, filter, defaultSuffix, false);
}

QString QtFileNameChooser::AskSaveName(QWidget* parent, const QString& caption, const QString& start,
                                       const QString& filter, const QString& defaultSuffix, bool confirmOverwrite) {
    QFileDialog dialog(parent, caption, start, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !confirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace tally
