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
    // As SaveFileName, but an existing file is not asked about: the caller checks the name
    // first and asks itself. A chooser that never asks needs nothing else.
    virtual QString SaveFileNameUnconfirmed(QWidget* parent, const QString& caption, const QString& start,
                                            const QString& filter, const QString& defaultSuffix) {
        return SaveFileName(parent, caption, start, filter, defaultSuffix);
    }
};

class QtFileNameChooser final : public IFileNameChooser {
public:
    QString OpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                         const QString& filter) override;
    QString SaveFileName(QWidget* parent, const QString& caption, const QString& start, const QString& filter,
                         const QString& defaultSuffix) override;
    QString SaveFileNameUnconfirmed(QWidget* parent, const QString& caption, const QString& start,
                                    const QString& filter, const QString& defaultSuffix) override;

private:
    static QString AskSaveName(QWidget* parent, const QString& caption, const QString& start, const QString& filter,
                               const QString& defaultSuffix, bool confirmOverwrite);
};

}  // namespace tally
