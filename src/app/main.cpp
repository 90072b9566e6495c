// The desktop program: one main window showing the open documents, the first read from the file
// named on the command line when there is one (`tallyroll FILE.tly`). The settings keep the
// reopen list between runs.
#include <QApplication>
#include <QStringList>

#include "foundation/notifications/notifier.h"
#include "platform/deferred_requests.h"
#include "ui/desktop_settings.h"
#include "ui/frm_calc.h"
#include "ui/locale_separators.h"
#include "ui/qt_notification_platform.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tallyroll"));
    tally::ApplyLocaleSeparators();

    tally::TDeferredRequestQueue requests;
    tally::QtNotificationPlatform notifications(requests);
    tally::TInstalledNotifier notifier(notifications);
    tally::TDesktopSettings settings;
    settings.Load();
    // One application bus: the settings answer the documents' questions the file manager relays.
    tally::TfrmCalc window(requests, &settings.Application(), &settings.ApplicationBus());
    settings.ApplyTo(window);
    notifications.SetMainWindow(&window);
    window.show();
    // Once the window is up, so a file that cannot be read is reported above it.
    if (const QStringList arguments = QApplication::arguments(); arguments.size() > 1) {
        QMetaObject::invokeMethod(
            &window, [&window, fileName = arguments.at(1)] { window.OpenFile(fileName); }, Qt::QueuedConnection);
    }
    const int exitCode = QApplication::exec();
    settings.SaveFrom(window);
    return exitCode;
}
