#pragma once
// Where the window asks the user for a file name: the system's file dialogs, or in tests a
// chooser that answers at once.

#include <QString>

class QWidget;

namespace tally {

class IFileNameChooser {
public:
    virtual ~IFileNameChooser() = default;
    // An existing file to read; empty when the user cancels.
    virtual QString OpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                                 const QString& filter) = 0;
    // A file to write, starting at `start` (a folder, or a file name in one). The default suffix
    // is added to a name without one, and overwriting an existing file is confirmed; empty when
    // the user cancels.
    virtual QString SaveFileName(QWidget* parent, const QString& caption, const QString& start,
                                 const QString& filter, const QString& defaultSuffix) = 0;
};

class QtFileNameChooser final : public IFileNameChooser {
public:
    QString OpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                         const QString& filter) override;
    QString SaveFileName(QWidget* parent, const QString& caption, const QString& start, const QString& filter,
                         const QString& defaultSuffix) override;
};

}  // namespace tally
